#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <fstream>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "FonteMemoria.h"
#include "SinaisSintetizados.h"

namespace {

// A CapturaAudio fed from memory, its console lines kept for inspection.
class CapturaTest : public ::testing::Test {
protected:
    void SetUp() override {
        console = std::tmpfile();
        CapturaAudio::setConsole(console);
    }
    void TearDown() override {
        CapturaAudio::setConsole(nullptr);
        CapturaAudio::setFonteGravacaoPadrao();
        std::fclose(console);
    }

    // Everything printed since the last call.
    std::string lerConsole() {
        std::fflush(console);
        std::string texto;
        std::fseek(console, lido, SEEK_SET);
        int c;
        while ((c = std::fgetc(console)) != EOF) texto += static_cast<char>(c);
        lido = std::ftell(console);
        return texto;
    }

    CapturaAudio* criar(FonteMemoria& fonte) {
        CapturaAudio::setFonteGravacao(fonte.getFonte());
        captura.reset(new CapturaAudio(16, 44100));
        return captura.get();
    }

    DiretorioTemporario dir;  // "myfile.txt" lands here
    std::FILE* console = nullptr;
    long lido = 0;
    std::unique_ptr<CapturaAudio> captura;
};

std::vector<uint16_t> constante(size_t n, uint16_t valor) { return std::vector<uint16_t>(n, valor); }

}  // namespace

// ---- FFT -----------------------------------------------------------------

TEST_F(CapturaTest, FftOfImpulseConstantAndBinCentredSine) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
    const int n = 2048;
    std::vector<double> re(n, 0.0);
    std::vector<float> im(n, 0.0f);

    re[0] = 1;
    c->fft(11, re.data(), im.data());
    for (int k = 0; k < n; k++) {
        ASSERT_DOUBLE_EQ(re[k], 1.0) << k;
        ASSERT_EQ(im[k], 0.0f) << k;
    }

    std::fill(re.begin(), re.end(), 1.0);
    std::fill(im.begin(), im.end(), 0.0f);
    c->fft(11, re.data(), im.data());
    EXPECT_DOUBLE_EQ(re[0], n);
    for (int k = 1; k < n; k++) ASSERT_NEAR(re[k], 0.0, 1e-3) << k;

    // A cosine of exactly 37 cycles lands in bins 37 and n - 37, n/2 each.
    for (int t = 0; t < n; t++) re[t] = std::cos(2 * M_PI * 37 * t / n);
    std::fill(im.begin(), im.end(), 0.0f);
    c->fft(11, re.data(), im.data());
    for (int k = 0; k < n; k++) {
        double esperado = (k == 37 || k == n - 37) ? n / 2.0 : 0.0;
        ASSERT_NEAR(re[k], esperado, 0.05) << k;
        ASSERT_NEAR(im[k], 0.0, 0.05) << k;
    }
}

TEST_F(CapturaTest, FftMatchesADirectDftOnRandomData) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
    SinaisSintetizados::Aleatorio aleatorio(99);
    for (int m : {10, 12}) {
        int n = 1 << m;
        std::vector<double> re(n);
        std::vector<float> im(n);
        for (int t = 0; t < n; t++) {
            re[t] = aleatorio.uniforme();
            im[t] = static_cast<float>(aleatorio.uniforme());
        }
        std::vector<double> re0 = re;
        std::vector<float> im0 = im;
        c->fft(m, re.data(), im.data());
        // Twiddles are single precision: errors grow with sqrt(n) * 1e-6ish.
        for (int k = 0; k < n; k += 97) {
            std::complex<double> soma = 0;
            for (int t = 0; t < n; t++)
                soma += std::complex<double>(re0[t], im0[t]) * std::polar(1.0, -2 * M_PI * k * t / n);
            ASSERT_NEAR(re[k], soma.real(), 2e-3) << "n " << n << " bin " << k;
            ASSERT_NEAR(im[k], soma.imag(), 2e-3) << "n " << n << " bin " << k;
        }
    }
}

// ---- Construction and the window advance ---------------------------------

TEST_F(CapturaTest, AOneSecondBufferGivesTwentyFiveWindowsThenHoldsTheLast) {
    dir.escrever("myfile.txt", "old contents");
    // One buffer, then nothing new for a long while.
    FonteMemoria fonte(constante(44100, 32768), 88200, 1000);
    CapturaAudio* c = criar(fonte);
    EXPECT_EQ(lerConsole(), "antes de startdepois de startjanela buff:2048 deslocamento:1752 alegro buffer:88200 expoente11");
    EXPECT_EQ(c->getTamanhoJanela(), 2048);
    EXPECT_EQ(c->getExpoente(), 11);
    EXPECT_EQ(c->getDeslocamentoJanela(), 1752);
    std::ifstream myfile("myfile.txt");
    EXPECT_TRUE(myfile.good());
    EXPECT_EQ(myfile.peek(), EOF) << "myfile.txt is created empty";

    for (int janela = 0; janela < 25; janela++) {
        c->avancarJanela();
        ASSERT_EQ(c->getSlot(), janela);
        ASSERT_EQ(c->getInicioJanela(), 1752 * janela);
        ASSERT_EQ(c->getFimJanela(), 1752 * (janela + 1));
    }
    EXPECT_EQ(c->getFimJanela(), 43800);
    EXPECT_EQ(lerConsole(), "");
    c->avancarJanela();
    EXPECT_EQ(c->getSlot(), 24);
    EXPECT_EQ(c->getInicioJanela(), 42048);
    EXPECT_EQ(lerConsole(), "AKI24AKI");
}

TEST_F(CapturaTest, ANewBufferMidLapRestartsAtSampleZeroSlotZero) {
    // Buffers every 18 frames: the second arrives when slot 17 is due.
    std::vector<uint16_t> amostras = constante(44100, 30000);
    std::vector<uint16_t> segundo = constante(44100, 40000);
    amostras.insert(amostras.end(), segundo.begin(), segundo.end());
    FonteMemoria fonte(amostras, 88200, 18, false);
    CapturaAudio* c = criar(fonte);
    for (int i = 0; i < 18; i++) c->avancarJanela();
    EXPECT_EQ(c->getSlot(), 17);
    c->avancarJanela();
    EXPECT_EQ(c->getSlot(), 0);
    EXPECT_EQ(c->getInicioJanela(), 0);
    EXPECT_EQ(c->getBufferGravado()[0], 40000);
}

TEST_F(CapturaTest, TheSlotWrapsWhenABufferHoldsMoreThanTwentyFiveHops) {
    // 10000 samples: N 1024, hop 374, room for 26 hops before the window
    // holds; the 26th window is slot 0 again.
    FonteMemoria fonte(constante(10000, 32768), 20000, 1000);
    CapturaAudio* c = criar(fonte);
    ASSERT_EQ(c->getTamanhoJanela(), 1024);
    ASSERT_EQ(c->getDeslocamentoJanela(), 374);
    for (int i = 0; i < 26; i++) c->avancarJanela();
    EXPECT_EQ(c->getSlot(), 0);
    EXPECT_EQ(c->getInicioJanela(), 25 * 374);
    lerConsole();
    c->avancarJanela();
    EXPECT_EQ(c->getSlot(), 0);
    EXPECT_EQ(lerConsole(), "AKI0AKI");
}

// ---- Normalisation --------------------------------------------------------

TEST_F(CapturaTest, NormalisationScalesToPlusMinusOneAndDividesTheMeanByN) {
    std::vector<uint16_t> amostras(44100);
    for (size_t i = 0; i < amostras.size(); i++) amostras[i] = i % 2 ? 65535 : 0;
    amostras[2] = 32768;
    FonteMemoria fonte(amostras);
    CapturaAudio* c = criar(fonte);
    c->avancarJanela();
    c->normalizarJanelaBuffer(32768);
    const double* a = c->getJanelaA();
    EXPECT_EQ(a[0], -1.0);
    EXPECT_EQ(a[1], static_cast<double>(32767.0f / 32768.0f));
    EXPECT_EQ(a[2], 0.0);
    for (int i = 1752; i < 2048; i++) ASSERT_EQ(a[i], 0.0) << "the tail past the hop stays zero";
    // 1751 full-scale samples out of 1752, averaged over 2048 points.
    EXPECT_NEAR(c->getMediaA(), 1751 / 2048.0, 1e-4);

    FonteMemoria silencio(constante(44100, 32768));
    c = criar(silencio);
    c->avancarJanela();
    c->normalizarJanelaBuffer(32768);
    EXPECT_EQ(c->getMediaA(), 0.0);
}

// ---- Buffers of odd sizes ---------------------------------------------------

TEST_F(CapturaTest, BuffersOfAnySizeStayInsideTheArrays) {
    std::vector<uint16_t> ronco = SinaisSintetizados::semSinal(SinaisSintetizados::ronco(12));
    // Larger than 204800 bytes: capped at 4096 points; one window reads at
    // most 4096 samples of its hop. Larger than the sample's ten seconds too.
    for (int bytes : {204802, 409600, 1000000}) {
        FonteMemoria fonte(ronco, bytes, 30);
        CapturaAudio* c = criar(fonte);
        EXPECT_EQ(c->getTamanhoJanela(), 4096) << bytes;
        EXPECT_EQ(c->getExpoente(), 12) << bytes;
        for (int i = 0; i < 60; i++) c->rotinaCompleta();
        EXPECT_GT(c->getMediaA(), 0.0) << bytes;
        EXPECT_LE(c->getMediaA(), 1.0) << bytes;
    }
    // A failed start, and buffers shorter than N + 24 samples (the last an
    // odd size): the hop is 0 or below and every window is empty.
    for (int bytes : {0, -5, 1000, 2095}) {
        FonteMemoria fonte(ronco, bytes > 0 ? bytes : 88200, 3);
        fonte.setRespostaInicio(bytes);
        CapturaAudio* c = criar(fonte);
        EXPECT_EQ(c->getTamanhoJanela(), 1024) << bytes;
        for (int i = 0; i < 30; i++) EXPECT_FALSE(c->rotinaCompleta()) << bytes;
        EXPECT_EQ(c->getMediaA(), 0.0) << bytes;
    }
}

TEST_F(CapturaTest, WithoutAnInstalledSoundInputConstructionIsSafe) {
    CapturaAudio::setFonteGravacaoPadrao();
    captura.reset(new CapturaAudio(16, 44100));
    EXPECT_EQ(captura->getTamanhoAllegroBufferBytes(), 0);
    EXPECT_EQ(captura->getDeslocamentoJanela(), -42);
    for (int i = 0; i < 5; i++) EXPECT_FALSE(captura->rotinaCompleta());
    EXPECT_EQ(captura->getMediaA(), 0.0);
}

// ---- Features -------------------------------------------------------------

TEST_F(CapturaTest, ZeroCrossingsCountStepsAcrossAndOutOfTheSilenceBand) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
    double* a = c->getJanelaAEscrita();
    const double valores[] = {0, 0.1, -0.1, 0.00001, 0.00002, 0.1, 0, -0.00005, -0.2, 0.00005};
    for (int i = 0; i < 10; i++) a[i] = valores[i];
    c->calcularZeroCrossingRate(0.00005);
    // Out of the band at 0->0.1, across at 0.1->-0.1, out again at
    // 0.00002->0.1 and -0.00005->-0.2 (the band includes its edges); steps
    // into the band and inside it do not count.
    EXPECT_EQ(c->getZeroCrossings(), 4);
}

TEST_F(CapturaTest, PeakCentroidAndMomentsOfTwoEqualBins) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
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
}

TEST_F(CapturaTest, PeakZeroCrossingsAndLoudnessOfASine) {
    FonteMemoria seno(SinaisSintetizados::semSinal(SinaisSintetizados::seno(1, 1000)));
    CapturaAudio* c = criar(seno);
    c->rotinaCompleta();
    // The strongest bin of a 1 kHz tone: 10 + 21 k with k = 46 (990.5 Hz).
    EXPECT_EQ(c->getFreqFundamental(), 10 + 21 * 46);
    // 1752 samples of 1 kHz cross zero about 79 times.
    EXPECT_NEAR(c->getZeroCrossings(), 79, 3);
    EXPECT_NEAR(c->getMediaA(), 0.5 * 2 / M_PI * 1752 / 2048, 0.01);
}

// ---- Decision -------------------------------------------------------------

TEST_F(CapturaTest, EachTestHasInclusiveBoundsAndFailuresArePrintedInOrder) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
    lerConsole();
    c->setFeatures(1500, 4000000, 2000, 4, 75.0, 100, 500);
    EXPECT_TRUE(c->isRonco());
    EXPECT_EQ(lerConsole(), "");
    c->setFeatures(1500, 4000000, 2000, 4, 75.0001, 100, 500);
    EXPECT_FALSE(c->isRonco());
    EXPECT_EQ(lerConsole(), "kurtosis ");
    c->setFeatures(800, 1437400, 1250, 2.0, 9.0, 20, 150);
    EXPECT_TRUE(c->isRonco()) << "lower bounds pass";
    c->setFeatures(2803, 11384662, 4001, 7.3f, 75, 170, 1000);
    EXPECT_TRUE(c->isRonco()) << "upper bounds pass";
    lerConsole();
    c->setFeatures(2803.1, 11384663, 4001.1, 7.31, 8.9, 171, 1001);
    EXPECT_FALSE(c->isRonco());
    EXPECT_EQ(lerConsole(), "kurtosis skewness spread desvio centroid zeroCrossRate freqFundamental");

    c->setFeatures(1500, 4000000, 2000, 4, 30, 100, 1010);
    c->registrarDecisao(c->isRonco());
    EXPECT_EQ(lerConsole(), "freqFundamental======NIVEL RONCO = 0.000000==========\n");
}

TEST_F(CapturaTest, SilenceHasNoSpectrumAndFailsEveryTest) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
    lerConsole();
    EXPECT_FALSE(c->rotinaCompleta());
    EXPECT_TRUE(std::isnan(c->getCentroid()));
    EXPECT_TRUE(std::isnan(c->getSpread()));
    EXPECT_TRUE(std::isnan(c->getDesvio()));
    EXPECT_TRUE(std::isnan(c->getSkewness()));
    EXPECT_TRUE(std::isnan(c->getKurtosis()));
    EXPECT_EQ(c->getFreqFundamental(), 0);
    EXPECT_EQ(c->getZeroCrossings(), 0);
    EXPECT_EQ(c->getMediaA(), 0);
    EXPECT_EQ(lerConsole(), "kurtosis skewness spread desvio centroid zeroCrossRate freqFundamental"
                            "======NIVEL RONCO = 0.000000==========\n");
}

// ---- Level ring -------------------------------------------------------------

TEST_F(CapturaTest, TheLevelClimbsOverTenDetectedFrames) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
    const double esperados[] = {0.3, 0.3225, 0.3467, 0.3727, 0.4006, 0.4307, 0.448, 0.4655, 0.483, 0.5006};
    for (int i = 0; i < 10; i++) {
        bool acima = c->registrarDecisao(true);
        EXPECT_NEAR(c->getNivelRonco(), esperados[i], 5e-5) << "frame " << i;
        EXPECT_EQ(acima, i == 9) << "frame " << i;
    }
    // Level values are kept in single precision.
    EXPECT_EQ(c->getNivelRonco(), static_cast<double>(static_cast<float>(c->getNivelRonco())));
}

TEST_F(CapturaTest, UnderSteadyDetectionTheLevelPeaksAtSlotZeroAndDecaysAfter) {
    FonteMemoria fonte(constante(44100, 32768));
    CapturaAudio* c = criar(fonte);
    for (int i = 0; i < 60; i++) {
        c->registrarDecisao(true);
        if (i >= 25 && i % 25 == 0) {
            EXPECT_EQ(c->getNivelRonco(), static_cast<double>(0.934f)) << "frame " << i;
        } else if (i >= 25) {
            EXPECT_GE(c->getNivelRonco(), 0.849) << "frame " << i;
            EXPECT_LE(c->getNivelRonco(), 0.934 + 1e-6) << "frame " << i;
        }
    }
    ASSERT_EQ(c->getPpvRoncos(), 10);
    const double esperados[] = {0.586, 0.5597, 0.5326, 0.5037, 0.473};
    for (int i = 0; i < 5; i++) {
        bool acima = c->registrarDecisao(false);
        EXPECT_NEAR(c->getNivelRonco(), esperados[i], 5e-4) << "frame " << i;
        EXPECT_EQ(acima, i < 4) << "frame " << i;
    }
}
