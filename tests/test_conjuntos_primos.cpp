// Sets of primes kept as their product: the game state's sub-states and music
// requests, and the inputs held in a frame.
#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "EstadoJogo.h"
#include "TratadorEntradas.h"
#include "TravaTeclas.h"

TEST(EstadoJogo, StartsInTheMainMenuWithBothTransitionsRaised) {
    EstadoJogo e;
    EXPECT_EQ(e.getEstadoGlobal(), menu);
    EXPECT_EQ(e.getSubEstado(), 41);
    EXPECT_TRUE(e.hasTransicaoEstadoGlobal());
    EXPECT_TRUE(e.hasTransicaoSubEstado());
    EXPECT_EQ(e.getMusicasToPlay() * e.getMusicasToStop(), 1);
}

TEST(EstadoJogo, SubStatesMultiplyDivideAndEmpty) {
    EstadoJogo e;
    e.remSubEstado(41);
    e.addSubEstado(11);
    EXPECT_FALSE(e.addSubEstado(5));
    EXPECT_TRUE(e.addSubEstado(5));  // reports it was already there, still multiplies
    EXPECT_EQ(e.getSubEstado(), 275);
    EXPECT_TRUE(e.remSubEstado(5));
    EXPECT_EQ(e.getSubEstado(), 55) << "one removal leaves the second pause in place";
    e.zerarTransicaoSubEstado();
    EXPECT_FALSE(e.remSubEstado(523));  // not a factor: nothing changes
    EXPECT_EQ(e.getSubEstado(), 55);
    EXPECT_FALSE(e.hasTransicaoSubEstado());
    EXPECT_TRUE(e.remSubEstado(e.getSubEstado()));
    EXPECT_EQ(e.getSubEstado(), 1);
    EXPECT_TRUE(e.hasTransicaoSubEstado());
}

TEST(EstadoJogo, TransitionFlagsDescribeOneFrame) {
    EstadoJogo e;
    e.zerarTransicaoEstadoGlobal();
    e.setEstadoGlobal(menu);  // same state still counts as a transition
    EXPECT_TRUE(e.hasTransicaoEstadoGlobal());
    e.zerarTransicaoEstadoGlobal();
    e.zerarTransicaoSubEstado();
    EXPECT_FALSE(e.hasTransicaoEstadoGlobal());
    EXPECT_FALSE(e.hasTransicaoSubEstado());
    e.addMusicaStartada(7);
    e.addMusicaStopada(2);
    EXPECT_EQ(e.getMusicasToPlay(), 7);
    EXPECT_EQ(e.getMusicasToStop(), 2);
    e.zerarMusicas();
    EXPECT_EQ(e.getMusicasToPlay() * e.getMusicasToStop(), 1);
}

namespace {
void tecla(int k, bool baixa) { TravaTeclas::registrar(baixa ? k : k | 0x80); }
}  // namespace

// All eight inputs at once exceed 32 bits; each of the 256 subsets must still
// answer exactly which inputs are held, in the frame it is pressed and the
// next, where Escape, acted on once per press, is no longer counted.
TEST(TratadorEntradas, EveryCombinationOfTheEightInputsIsExact) {
    const int teclas[] = {KEY_A, KEY_D, KEY_SPACE, KEY_Q, KEY_E, KEY_ENTER, KEY_ESC, -1 /* left button */};
    const int primos[] = {3, 5, 11, 53, 47, 31, 37, 43};
    TratadorEntradas t;
    for (int mascara = 0; mascara < 256; mascara++) {
        for (int k : teclas) tecla(k, false);
        mouse_b = 2;  // the right button alone is not a click
        ASSERT_EQ(t.lerEntradas(), 1);
        long long produto = 1;
        for (int i = 0; i < 8; i++) {
            if (!(mascara & (1 << i))) continue;
            produto *= primos[i];
            if (teclas[i] < 0) mouse_b = 1; else tecla(teclas[i], true);
        }
        for (int frame = 0; frame < 2; frame++) {
            int lido = t.lerEntradas();
            if (produto <= INT_MAX) {
                ASSERT_EQ(lido, frame == 1 && (mascara & 64) ? produto / 37 : produto) << "mask " << mascara;
            }
            for (int i = 0; i < 8; i++)
                ASSERT_EQ(t.isPressed(primos[i]), (mascara & (1 << i)) != 0 && (frame == 0 || i != 6)) << mascara;
        }
    }
    for (int k : teclas) tecla(k, false);
    mouse_b = 0;
}

// Keys pressed and let go between two samplings, held, and repeated by the
// X server while held.
TEST(TravaTeclas, ATapBetweenSamplingsIsSeenOnceAndAutorepeatIsNoPress) {
    TravaTeclas trava;
    std::vector<int> vistos;
    auto ler = [&](int n) {
        for (int i = 0; i < n; i++) vistos.push_back(trava.ler(KEY_E) + 2 * trava.lerAperto(KEY_ESC));
    };
    tecla(KEY_E, true), tecla(KEY_E, false), tecla(KEY_ESC, true), tecla(KEY_ESC, false);
    ler(2);  // tapped: held for one sampling
    tecla(KEY_E, true), tecla(KEY_ESC, true);
    ler(1);
    for (int repeticao = 0; repeticao < 5; repeticao++) tecla(KEY_E, true), tecla(KEY_ESC, true);
    ler(2);  // held and repeating: held every sampling, Escape a press once
    tecla(KEY_E, false), tecla(KEY_E, true), tecla(KEY_ESC, false), tecla(KEY_ESC, true);
    ler(2);  // let go and pressed again in between: E up for one sampling, then the new press
    tecla(KEY_E, false), tecla(KEY_ESC, false);
    tecla(KEY_ESC, true);
    trava.descartar();  // an Escape held from before is no press...
    ler(1);
    tecla(KEY_ESC, false), tecla(KEY_ESC, true), tecla(KEY_ESC, false);
    ler(2);  // ...a new tap is
    EXPECT_EQ(vistos, (std::vector<int>{3, 0, 3, 1, 1, 2, 1, 0, 2, 0}));
    EXPECT_GE(TravaTeclas::getApertos(KEY_ESC), 5u);
}
