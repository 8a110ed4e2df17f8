#include <gtest/gtest.h>

#include <cstdio>

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
