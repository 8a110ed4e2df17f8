#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "FonteMemoria.h"
#include "SinaisSintetizados.h"

namespace {

// Feeds a signal as one-second recordings read 25 frames each, as in the
// game. Answers the share of frames judged engine noise and the share whose
// level is above 0.5 (full voice throttle).
std::pair<double, double> analisar(const std::vector<int16_t>& sinal) {
    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    FonteMemoria fonte(SinaisSintetizados::semSinal(sinal), 88200, 25, false);
    CapturaAudio::setFonteGravacao(fonte.getFonte());
    double detectados = 0, acima = 0;
    int frames = fonte.getBuffersInteiros() * 25;
    {
        CapturaAudio c(16, 44100);
        for (int i = 0; i < frames; i++) acima += c.rotinaCompleta(), detectados += c.getRonco();
    }
    CapturaAudio::setFonteGravacaoPadrao();
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    return {detectados / frames, acima / frames};
}

}  // namespace

// Voiced vowels are buzzes through resonances, much like the imitation the
// detector listens for, and some of them pass; the consonants and pauses
// between them do not, so the smoothed level stays mostly low.
TEST(DeteccaoRonco, TheEngineBuzzIsAcceptedAndToneNoiseAndSpeechAreNot) {
    struct {
        const char* nome;
        std::vector<int16_t> sinal;
        double detectadosMin, detectadosMax, acimaMin, acimaMax;
    } casos[] = {
        {"engine buzz 90-220 Hz", SinaisSintetizados::ronco(10), 0.9, 1, 0.9, 1},
        {"sine 3 kHz", SinaisSintetizados::seno(4, 3000), 0, 0, 0, 0},
        {"white noise", SinaisSintetizados::ruidoBranco(4), 0, 0, 0, 0},
        {"speech-like", SinaisSintetizados::fala(10), 0, 0.5, 0, 0.34},
    };
    for (auto& caso : casos) {
        auto [detectados, acima] = analisar(caso.sinal);
        std::printf("%-22s detected %5.1f%%  level above 0.5 %5.1f%%\n", caso.nome, detectados * 100, acima * 100);
        EXPECT_GE(detectados, caso.detectadosMin) << caso.nome;
        EXPECT_LE(detectados, caso.detectadosMax) << caso.nome;
        EXPECT_GE(acima, caso.acimaMin) << caso.nome;
        EXPECT_LE(acima, caso.acimaMax) << caso.nome;
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
