#include <gtest/gtest.h>

#include <cstdio>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "FonteMemoria.h"
#include "SinaisSintetizados.h"

namespace {

// Share of frames the detector accepts when the signal is fed as one-second
// recordings, 25 frames per recording, as in the game.
double taxaDeteccao(const std::vector<int16_t>& sinal) {
    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    FonteMemoria fonte(SinaisSintetizados::semSinal(sinal), 88200, 25, false);
    CapturaAudio::setFonteGravacao(fonte.getFonte());
    CapturaAudio c(16, 44100);
    int frames = fonte.getBuffersInteiros() * 25;
    int aceitos = 0;
    for (int i = 0; i < frames; i++) {
        c.rotinaCompleta();
        if (c.getRonco()) aceitos++;
    }
    CapturaAudio::setFonteGravacaoPadrao();
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    return frames ? static_cast<double>(aceitos) / frames : 0;
}

}  // namespace

TEST(DeteccaoRonco, TheSynthesisedEngineBuzzIsAcceptedOnMostFrames) {
    double taxa = taxaDeteccao(SinaisSintetizados::ronco(10));
    std::printf("ronco: %.1f%%\n", taxa * 100);
    EXPECT_GT(taxa, 0.85);
}

TEST(DeteccaoRonco, ASineNoiseAndSpeechAreRejected) {
    double seno = taxaDeteccao(SinaisSintetizados::seno(4, 3000));
    double ruido = taxaDeteccao(SinaisSintetizados::ruidoBranco(4));
    double fala = taxaDeteccao(SinaisSintetizados::fala(10));
    double silencio = taxaDeteccao(SinaisSintetizados::silencio(2));
    std::printf("seno 3k: %.1f%% ruido: %.1f%% fala: %.1f%% silencio %.1f%%\n", seno * 100, ruido * 100,
                fala * 100, silencio * 100);
    EXPECT_LT(seno, 0.05);
    EXPECT_LT(ruido, 0.05);
    EXPECT_LT(fala, 0.2);
    EXPECT_EQ(silencio, 0);
}
