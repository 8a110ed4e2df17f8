#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "FonteMemoria.h"
#include "Relogio.h"
#include "SinaisSintetizados.h"

namespace {

// A CapturaAudio fed from memory, its console lines kept for inspection.
class CapturaTest : public ::testing::Test {
protected:
    void SetUp() override { CapturaAudio::setConsole(console); }
    void TearDown() override {
        Relogio::setReal();
        CapturaAudio::setConsole(nullptr);
        CapturaAudio::setFonteGravacaoPadrao();
        std::fclose(console);
        std::free(texto);
    }

    // Everything printed since the last call.
    std::string lerConsole() {
        std::fflush(console);
        std::string novo(texto + lido, tamanho - lido);
        lido = tamanho;
        return novo;
    }

    CapturaAudio* criar(const std::vector<uint16_t>& amostras = std::vector<uint16_t>(44100, 32768), int bytes = 88200,
                        int leituras = 25, bool repetir = true, int respostaInicio = 1 /* below 1: a failed start */) {
        fonte.reset(new FonteMemoria(amostras, bytes, leituras, repetir));
        if (respostaInicio < 1) fonte->setRespostaInicio(respostaInicio);
        CapturaAudio::setFonteGravacao(fonte->getFonte());
        captura.reset(new CapturaAudio(16, 44100));
        return captura.get();
    }

    DiretorioTemporario dir;  // "myfile.txt" lands here
    char* texto = nullptr;
    size_t tamanho = 0, lido = 0;
    std::FILE* console = open_memstream(&texto, &tamanho);
    std::unique_ptr<FonteMemoria> fonte;
    std::unique_ptr<CapturaAudio> captura;
};

}  // namespace

// Random complex data against a direct DFT, every bin: a wrong twiddle,
// stage or reordering shows in most bins at once.
TEST_F(CapturaTest, FftIsTheDirectTransformOfRandomData) {
    CapturaAudio* c = criar();
    SinaisSintetizados::Aleatorio aleatorio(99);
    for (int m : {10, 11, 12}) {
        const int n = 1 << m;
        std::vector<double> re(n);
        std::vector<float> im(n);
        std::vector<std::complex<double>> x(n), w(n);
        for (int t = 0; t < n; t++) {
            re[t] = aleatorio.uniforme();
            im[t] = static_cast<float>(aleatorio.uniforme());
            x[t] = {re[t], im[t]};
            w[t] = std::polar(1.0, -2 * M_PI * t / n);
        }
        c->fft(m, re.data(), im.data());
        // Twiddles are single precision: errors grow with the spectrum (about sqrt(n) here).
        const double tolerancia = 2e-3 + 2e-5 * std::sqrt(n);
        for (int k = 0; k < n; k++) {
            std::complex<double> esperado = 0;
            for (int t = 0; t < n; t++) esperado += x[t] * w[static_cast<long>(k) * t % n];
            ASSERT_NEAR(re[k], esperado.real(), tolerancia) << "n " << n << " bin " << k;
            ASSERT_NEAR(im[k], esperado.imag(), tolerancia) << "n " << n << " bin " << k;
        }
    }
}

TEST_F(CapturaTest, TheWindowAdvancesOneHopPerFrameThenHoldsTheLast) {
    dir.escrever("myfile.txt", "old contents");
    // One second: N 2048, hop 1752, 25 windows. 10000 samples: N 1024, hop
    // 374, room for 26 windows, the 26th in slot 0 again.
    struct {
        int amostras, hop, janelas;
        std::string linha;
    } casos[] = {{44100, 1752, 25, "janela buff:2048 deslocamento:1752 alegro buffer:88200 expoente11"},
                 {10000, 374, 26, "janela buff:1024 deslocamento:374 alegro buffer:20000 expoente10"}};
    for (auto& caso : casos) {
        // One buffer, then nothing new for a long while.
        CapturaAudio* c = criar(std::vector<uint16_t>(caso.amostras, 32768), 2 * caso.amostras, 1000);
        EXPECT_EQ(lerConsole(), "antes de startdepois de start" + caso.linha);
        EXPECT_EQ(std::ifstream("myfile.txt").peek(), EOF) << "myfile.txt is created empty";
        for (int janela = 0; janela < caso.janelas; janela++) {
            c->avancarJanela();
            ASSERT_EQ(c->getSlot(), janela % 25);
            ASSERT_EQ(c->getInicioJanela(), caso.hop * janela);
            ASSERT_EQ(c->getFimJanela(), caso.hop * (janela + 1));
        }
        EXPECT_EQ(lerConsole(), "");
        c->avancarJanela();
        int slot = (caso.janelas - 1) % 25;
        EXPECT_EQ(c->getSlot(), slot);
        EXPECT_EQ(c->getInicioJanela(), caso.hop * (caso.janelas - 1));
        EXPECT_EQ(lerConsole(), "AKI" + std::to_string(slot) + "AKI");
    }
}

TEST_F(CapturaTest, TwoSecondsOfPollingWithoutABufferIsOneStallLineUntilOneComes) {
    Relogio::setManual(0);
    CapturaAudio* c = criar();
    auto frames = [&](int n, int ms = 40) {
        for (int i = 0; i < n; i++) Relogio::avancar(ms), c->avancarJanela();
    };
    frames(1);  // the first buffer
    fonte->setParada(true);
    // Ten minutes in the menus count as one slow frame, not as silence.
    frames(10);
    frames(1, 600000);
    frames(35);
    EXPECT_TRUE(c->isVozAtiva());
    EXPECT_EQ(c->getEstadoMicrofone().getMsSemBuffer(), 2000);
    lerConsole();
    frames(1);
    EXPECT_EQ(c->getEstadoMicrofone().getSituacao(), EstadoMicrofone::PARADO);
    frames(100);
    EXPECT_EQ(lerConsole(), "\nThe microphone has stopped sending sound: hold W for throttle until it comes back.\n");
    fonte->setParada(false);
    frames(25);
    EXPECT_TRUE(c->isVozAtiva());
    EXPECT_EQ(c->getEstadoMicrofone().getUltimoBufferMs(), Relogio::getMilissegundos());
    EXPECT_EQ(lerConsole(), "\nThe microphone is back: your voice is the throttle again.\n");
}

TEST_F(CapturaTest, BuffersOfAnySizeStayInsideTheArrays) {
    std::vector<uint16_t> ronco = SinaisSintetizados::semSinal(SinaisSintetizados::ronco(12));
    // Larger than 204800 bytes: capped at 4096 points; one window reads at
    // most 4096 samples of its hop. Larger than the sample's ten seconds too.
    for (int bytes : {204802, 409600, 1000000}) {
        CapturaAudio* c = criar(ronco, bytes, 30);
        EXPECT_EQ(c->getTamanhoJanela(), 4096) << bytes;
        for (int i = 0; i < 60; i++) c->rotinaCompleta();
        EXPECT_GT(c->getMediaA(), 0.0) << bytes;
        EXPECT_LE(c->getMediaA(), 1.0) << bytes;
    }
    // No sound input installed, a failed or misbehaving start, and buffers
    // shorter than N + 24 samples (the last an odd size): the hop is 0 or
    // below and every window is empty.
    auto vazia = [](CapturaAudio* c, int bytes) {
        EXPECT_EQ(c->getTamanhoJanela(), 1024) << bytes;
        for (int i = 0; i < 30; i++) EXPECT_FALSE(c->rotinaCompleta()) << bytes;
        EXPECT_EQ(c->getMediaA(), 0.0) << bytes;
    };
    CapturaAudio::setFonteGravacaoPadrao();
    captura.reset(new CapturaAudio(16, 44100));
    vazia(captura.get(), 0);
    for (int bytes : {0, -5, 1000, 2095}) vazia(criar(ronco, bytes > 0 ? bytes : 88200, 3, true, bytes), bytes);
}

TEST_F(CapturaTest, FeaturesOfHandMadeWindowsAndOfASine) {
    CapturaAudio* c = criar();
    const double valores[] = {0, 0.1, -0.1, 0.00001, 0.00002, 0.1, 0, -0.00005, -0.2, 0.00005};
    std::copy(valores, valores + 10, c->getJanelaAEscrita());
    c->calcularZeroCrossingRate(0.00005);
    // Out of the band at 0->0.1, across at 0.1->-0.1, out again at
    // 0.00002->0.1 and -0.00005->-0.2 (the band includes its edges); steps
    // into the band and inside it do not count.
    EXPECT_EQ(c->getZeroCrossings(), 4);

    double* f = c->getJanelaFEscrita();
    f[10] = 5;
    f[20] = -5;  // magnitudes: the sign of the real part does not matter
    c->calcularSomatorioMediaF();
    c->calcCentroids();
    c->calcSpreads();
    EXPECT_EQ(c->getSomatorio(), 10);
    EXPECT_EQ(c->getFreqFundamental(), 10 + 21 * 10) << "the lower of two equal peaks";
    // The centroid uses the whole-number bin width (21 Hz), the moments the
    // real one (21.533 Hz): the two bins sit above the centroid's midpoint.
    EXPECT_DOUBLE_EQ(c->getCentroid(), (10.5 + 210 + 10.5 + 420) / 2);
    double real = 44100.0 / 2048;
    double d1 = real / 2 + 10 * real - c->getCentroid(), d2 = real / 2 + 20 * real - c->getCentroid();
    double v = (d1 * d1 + d2 * d2) / 2;
    EXPECT_NEAR(c->getSpread(), v, 1e-6);
    EXPECT_NEAR(c->getDesvio(), std::sqrt(v), 1e-9);
    EXPECT_GT(c->getSkewness(), 0);
    EXPECT_NEAR(c->getKurtosis(), (d1 * d1 * d1 * d1 + d2 * d2 * d2 * d2) / 2 / (v * v), 1e-9);

    c = criar(SinaisSintetizados::semSinal(SinaisSintetizados::seno(1, 1000)));
    c->rotinaCompleta();
    // The strongest bin of a 1 kHz tone: 10 + 21 k with k = 46 (990.5 Hz);
    // 1752 samples of 1 kHz cross zero about 79 times.
    EXPECT_EQ(c->getFreqFundamental(), 10 + 21 * 46);
    EXPECT_NEAR(c->getZeroCrossings(), 79, 3);
    EXPECT_NEAR(c->getMediaA(), 0.5 * 2 / M_PI * 1752 / 2048, 0.01);
}

TEST_F(CapturaTest, SilenceFailsEveryTestAndEachBoundIsInclusive) {
    CapturaAudio* c = criar();
    lerConsole();
    // Silence has no spectrum: NaN moments, and every failure is printed.
    EXPECT_FALSE(c->rotinaCompleta());
    for (double x : {c->getCentroid(), c->getSpread(), c->getDesvio(), c->getSkewness(), c->getKurtosis()})
        EXPECT_TRUE(std::isnan(x));
    EXPECT_EQ(c->getFreqFundamental(), 0);
    EXPECT_EQ(c->getZeroCrossings(), 0);
    EXPECT_EQ(c->getMediaA(), 0);
    const std::string todas = "kurtosis skewness spread desvio centroid zeroCrossRate freqFundamental";
    EXPECT_EQ(lerConsole(), todas + "======NIVEL RONCO = 0.000000==========\n");
    // centroid, spread, deviation, skewness, kurtosis, zero crossings, fundamental
    const struct {
        double f[7];
        std::string falhas;
    } casos[] = {
        {{1500, 4000000, 2000, 4, 75.0, 100, 500}, ""},
        {{1500, 4000000, 2000, 4, 75.0001, 100, 500}, "kurtosis "},
        {{800, 1437400, 1250, 2.0, 9.0, 20, 150}, ""},
        {{2803, 11384662, 4001, 7.3f, 75, 170, 1000}, ""},
        {{2803.1, 11384663, 4001.1, 7.31, 8.9, 171, 1001}, todas},
    };
    for (auto& k : casos) {
        c->setFeatures(k.f[0], k.f[1], k.f[2], k.f[3], k.f[4], static_cast<int>(k.f[5]), k.f[6]);
        EXPECT_EQ(c->isRonco(), k.falhas.empty()) << k.falhas;
        EXPECT_EQ(lerConsole(), k.falhas);
    }
}

TEST_F(CapturaTest, TheLevelClimbsPeaksAtSlotZeroAndDecays) {
    CapturaAudio* c = criar();
    const double subida[] = {0.3, 0.3225, 0.3467, 0.3727, 0.4006, 0.4307, 0.448, 0.4655, 0.483, 0.5006};
    for (int i = 0; i < 60; i++) {
        bool acima = c->registrarDecisao(true);
        if (i < 10) {
            EXPECT_NEAR(c->getNivelRonco(), subida[i], 5e-5) << "frame " << i;
            EXPECT_EQ(acima, i == 9) << "frame " << i;
        } else if (i % 25 == 0) {
            EXPECT_EQ(c->getNivelRonco(), static_cast<double>(0.934f)) << "frame " << i;
        } else if (i > 25) {
            EXPECT_NEAR(c->getNivelRonco(), (0.849 + 0.934) / 2, (0.934 - 0.849) / 2 + 1e-6) << "frame " << i;
        }
    }
    ASSERT_EQ(c->getPpvRoncos(), 10);
    const double queda[] = {0.586, 0.5597, 0.5326, 0.5037, 0.473};
    for (int i = 0; i < 5; i++) {
        bool acima = c->registrarDecisao(false);
        EXPECT_NEAR(c->getNivelRonco(), queda[i], 5e-4) << "frame " << i;
        EXPECT_EQ(acima, i < 4) << "frame " << i;
    }
}

// The analysis is tuned for speed; its results must stay bit for bit those
// of the straightforward computation it replaced. Over about 10,000 windows
// of varied sounds, levels and buffer sizes (N 1024, 2048 and 4096), a hash
// of every feature, decision and level must equal the one the plain code
// gave on this platform.
TEST(DeteccaoRonco, FeaturesDecisionsAndLevelsAreBitForBitThoseOfThePlainComputation) {
    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    uint64_t hash = 14695981039346656037ULL;
    auto misturar = [&hash](const void* p, size_t n) {
        for (size_t i = 0; i < n; i++) hash = (hash ^ static_cast<const unsigned char*>(p)[i]) * 1099511628211ULL;
    };
    int janelas = 0;
    const std::vector<int16_t> sinais[] = {SinaisSintetizados::ronco(4),       SinaisSintetizados::fala(4),
                                           SinaisSintetizados::ruidoBranco(4), SinaisSintetizados::seno(4, 1000),
                                           SinaisSintetizados::seno(4, 3000),  std::vector<int16_t>(4 * 44100, 3)};
    for (const auto& sinal : sinais) {
        for (double escala : {1.0, 0.25, 0.03}) {
            std::vector<int16_t> x(sinal);
            for (int16_t& v : x) v = static_cast<int16_t>(v * escala);
            for (int bytes : {88200, 20000, 150000}) {
                FonteMemoria fonte(SinaisSintetizados::semSinal(x), bytes, 25, false);
                CapturaAudio::setFonteGravacao(fonte.getFonte());
                CapturaAudio c(16, 44100);
                for (int i = 0; i < fonte.getBuffersInteiros() * 25; i++, janelas++) {
                    const bool acima = c.rotinaCompleta(), ronco = c.getRonco();
                    const double valores[] = {c.getCentroid(),   c.getSpread(),   c.getDesvio(),
                                              c.getSkewness(),   c.getKurtosis(), c.getFreqFundamental(),
                                              c.getNivelRonco(), c.getMediaA()};
                    const int zcr = c.getZeroCrossings();
                    misturar(valores, sizeof valores);
                    misturar(&zcr, sizeof zcr);
                    misturar(&acima, sizeof acima);
                    misturar(&ronco, sizeof ronco);
                }
            }
        }
    }
    CapturaAudio::setFonteGravacaoPadrao();
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    EXPECT_GE(janelas, 10000) << janelas;
    EXPECT_EQ(hash, 0xe913533d7840ba42ULL) << std::hex << hash;
}
