#include <gtest/gtest.h>

#include <cstdio>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "FonteMemoria.h"
#include "SinaisSintetizados.h"

namespace {

struct Resultado {
    double detectados;  // share of frames judged engine noise
    double acima;       // share of frames whose level is above 0.5 (full voice throttle)
};

// Feeds a signal as one-second recordings read 25 frames each, as in the game.
Resultado analisar(const std::vector<int16_t>& sinal) {
    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    FonteMemoria fonte(SinaisSintetizados::semSinal(sinal), 88200, 25, false);
    CapturaAudio::setFonteGravacao(fonte.getFonte());
    Resultado r = {0, 0};
    {
        CapturaAudio c(16, 44100);
        int frames = fonte.getBuffersInteiros() * 25;
        for (int i = 0; i < frames; i++) {
            r.acima += c.rotinaCompleta();
            r.detectados += c.getRonco();
        }
        r.detectados /= frames;
        r.acima /= frames;
    }
    CapturaAudio::setFonteGravacaoPadrao();
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    return r;
}

void relatar(const char* nome, const Resultado& r) {
    std::printf("%-22s detected %5.1f%%  level above 0.5 %5.1f%%\n", nome, r.detectados * 100, r.acima * 100);
}

}  // namespace

TEST(DeteccaoRonco, TheSynthesisedEngineBuzzIsAcceptedOnMostFrames) {
    Resultado r = analisar(SinaisSintetizados::ronco(10));
    relatar("engine buzz 90-220 Hz", r);
    EXPECT_GT(r.detectados, 0.9);
    EXPECT_GT(r.acima, 0.9);
}

TEST(DeteccaoRonco, ToneNoiseAndSilenceAreRejectedOnEveryFrame) {
    struct {
        const char* nome;
        std::vector<int16_t> sinal;
    } casos[] = {
        {"sine 3 kHz", SinaisSintetizados::seno(4, 3000)},
        {"square 440 Hz", SinaisSintetizados::quadrada(4, 440)},
        {"white noise", SinaisSintetizados::ruidoBranco(4)},
        {"silence", SinaisSintetizados::silencio(2)},
    };
    for (auto& caso : casos) {
        Resultado r = analisar(caso.sinal);
        relatar(caso.nome, r);
        EXPECT_EQ(r.detectados, 0) << caso.nome;
        EXPECT_EQ(r.acima, 0) << caso.nome;
    }
}

// Voiced vowels are buzzes through resonances, much like the imitation the
// detector listens for, and some of them pass; the consonants and pauses
// between them do not, so the smoothed level stays mostly low.
TEST(DeteccaoRonco, SpeechIsRejectedOnMostFrames) {
    Resultado fala = analisar(SinaisSintetizados::fala(10));
    relatar("speech-like", fala);
    EXPECT_LT(fala.detectados, 0.5);
    EXPECT_LT(fala.acima, 0.34);
}
