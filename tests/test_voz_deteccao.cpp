#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "FonteMemoria.h"
#include "Logica.h"
#include "RepartidorGravacao.h"
#include "SinaisSintetizados.h"
#include "VerificadorMicrofone.h"

namespace {

// Feeds a signal as one-second recordings read 25 frames each, as in the
// game, to a race's analysis and to the microphone check side by side, the
// two listeners of one recorder. Answers the share of frames judged engine
// noise, the share whose level is above 0.5 (full voice throttle), and the
// check's verdict at the end.
std::tuple<double, double, std::string> analisar(const std::vector<int16_t>& sinal) {
    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    FonteMemoria fonte(SinaisSintetizados::semSinal(sinal), 88200, 50, false);
    RepartidorGravacao repartidor(fonte.getFonte());
    double detectados = 0, acima = 0;
    std::string veredito;
    int frames = fonte.getBuffersInteiros() * 25, diferentes = 0;
    {
        std::unique_ptr<CapturaAudio> c(repartidor.criarCaptura(0));
        VerificadorMicrofone v(&repartidor, 1);
        for (int i = 0; i < frames; i++) {
            const bool ronco = c->rotinaCompleta();
            acima += ronco, detectados += c->getRonco();
            v.ouvir();
            // Both heard every buffer, and the check runs the race's analysis.
            diferentes += v.isRonco() != c->getRonco() ||
                          v.getAceleracao() != Logica::calcularAceleracaoVoz(ronco, c->getMediaA(), c->getNivelRonco());
        }
        veredito = v.getTexto();
    }
    EXPECT_EQ(diferentes, 0);
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    return {detectados / frames, acima / frames, veredito};
}

}  // namespace

// Voiced vowels are buzzes through resonances, much like the imitation the
// detector listens for, and some of them pass; the consonants and pauses
// between them do not, so the smoothed level stays mostly low. The check
// names what a rejected sound misses most, and a heard one must give
// enough throttle for third gear (the -6 dB buzz gives about 0.2).
TEST(DeteccaoRonco, TheEngineBuzzIsAcceptedAndToneNoiseAndSpeechAreNotAndTheCheckSaysWhy) {
    const std::string nao = "NOT HEARD AS AN ENGINE: ";
    std::vector<int16_t> alto = SinaisSintetizados::ronco(4);
    for (int16_t& v : alto) v = static_cast<int16_t>(std::clamp(v * 9 / 5, -32768, 32767));
    struct {
        const char* nome;
        std::vector<int16_t> sinal;
        double detectadosMin, detectadosMax, acimaMin, acimaMax;
        std::string veredito;
    } casos[] = {
        {"engine buzz 90-220 Hz", SinaisSintetizados::ronco(10), 0.9, 1, 0.9, 1,
         "HEARD, BUT TOO QUIET FOR THIRD GEAR: RAISE THE MICROPHONE VOLUME"},
        {"the buzz 5 dB louder", alto, 0.9, 1, 0.85, 1, "GOOD"},
        {"sine 3 kHz", SinaisSintetizados::seno(4, 3000), 0, 0, 0, 0, nao + "TOO HIGH-PITCHED"},
        {"white noise", SinaisSintetizados::ruidoBranco(4), 0, 0, 0, 0, nao + "TOO NOISY"},
        {"speech-like", SinaisSintetizados::fala(10), 0, 0.5, 0, 0.34, nao + "TOO HIGH-PITCHED"},
        {"silence", std::vector<int16_t>(88200 * 2), 0, 0, 0, 0, nao + "NO SOUND"},
    };
    for (auto& caso : casos) {
        auto [detectados, acima, veredito] = analisar(caso.sinal);
        std::printf("%-22s detected %5.1f%%  level above 0.5 %5.1f%%  %s\n", caso.nome, detectados * 100,
                    acima * 100, veredito.c_str());
        EXPECT_GE(detectados, caso.detectadosMin) << caso.nome;
        EXPECT_LE(detectados, caso.detectadosMax) << caso.nome;
        EXPECT_GE(acima, caso.acimaMin) << caso.nome;
        EXPECT_LE(acima, caso.acimaMax) << caso.nome;
        EXPECT_EQ(veredito, caso.veredito) << caso.nome;
    }
    // Friction settles a gear at its ideal acceleration times the throttle:
    // first gear must reach second's band (6), second gear third's (18).
    EXPECT_NEAR(VerificadorMicrofone::getInicioTracao(2), 6.0 / 40, 0.001);
    EXPECT_NEAR(VerificadorMicrofone::getInicioTracao(3), 18.0 / 70, 0.001);
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
    const std::vector<int16_t> sinais[] = {SinaisSintetizados::ronco(4), SinaisSintetizados::fala(4),
                                           SinaisSintetizados::ruidoBranco(4), SinaisSintetizados::seno(4, 1000),
                                           SinaisSintetizados::seno(4, 3000), std::vector<int16_t>(4 * 44100, 3)};
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
                    const double valores[] = {c.getCentroid(), c.getSpread(),   c.getDesvio(),     c.getSkewness(),
                                              c.getKurtosis(), c.getFreqFundamental(), c.getNivelRonco(), c.getMediaA()};
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
