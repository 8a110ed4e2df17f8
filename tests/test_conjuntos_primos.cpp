// Sets of primes kept as their product: the game state's sub-states and music
// requests, and the inputs held in a frame.
#include <allegro.h>
#include <gtest/gtest.h>

#include "EstadoJogo.h"
#include "TratadorEntradas.h"

namespace {

void soltarTudo() {
    for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
    mouse_b = 0;
}

}  // namespace

TEST(EstadoJogo, StartsInTheMainMenuWithBothTransitionsRaised) {
    EstadoJogo e;
    EXPECT_EQ(e.getEstadoGlobal(), menu);
    EXPECT_EQ(e.getSubEstado(), 41);
    EXPECT_TRUE(e.hasTransicaoEstadoGlobal());
    EXPECT_TRUE(e.hasTransicaoSubEstado());
    EXPECT_EQ(e.getFaseAtual(), 0);
    EXPECT_EQ(e.getMusicasToPlay(), 1);
    EXPECT_EQ(e.getMusicasToStop(), 1);
}

TEST(EstadoJogo, PauseMultipliesOntoTheRaceAndCanBeStacked) {
    EstadoJogo e;
    e.remSubEstado(41);
    e.addSubEstado(11);
    EXPECT_FALSE(e.addSubEstado(5));
    EXPECT_EQ(e.getSubEstado(), 55);
    EXPECT_TRUE(e.addSubEstado(5));  // reports it was already there, still multiplies
    EXPECT_EQ(e.getSubEstado(), 275);
    EXPECT_TRUE(e.remSubEstado(5));
    EXPECT_EQ(e.getSubEstado() % 5, 0) << "one removal leaves the second pause in place";
    EXPECT_TRUE(e.remSubEstado(5));
    EXPECT_EQ(e.getSubEstado(), 11);
}

TEST(EstadoJogo, RemovingANonFactorChangesNothing) {
    EstadoJogo e;
    e.remSubEstado(41);
    e.addSubEstado(7);
    e.zerarTransicaoSubEstado();
    EXPECT_FALSE(e.remSubEstado(523));
    EXPECT_EQ(e.getSubEstado(), 7);
    EXPECT_FALSE(e.hasTransicaoSubEstado());
}

TEST(EstadoJogo, RemovingTheWholeValueEmptiesTheSet) {
    EstadoJogo e;
    e.remSubEstado(41);
    e.addSubEstado(55);
    e.zerarTransicaoSubEstado();
    EXPECT_TRUE(e.remSubEstado(e.getSubEstado()));
    EXPECT_EQ(e.getSubEstado(), 1);
    EXPECT_TRUE(e.hasTransicaoSubEstado());
}

TEST(EstadoJogo, TransitionFlagsDescribeOneFrame) {
    EstadoJogo e;
    e.zerarTransicaoEstadoGlobal();
    e.setEstadoGlobal(menu);  // same state still counts as a transition
    EXPECT_TRUE(e.hasTransicaoEstadoGlobal());
    e.setFaseAtual(1);
    e.zerarTransicaoEstadoGlobal();
    e.zerarTransicaoSubEstado();
    EXPECT_FALSE(e.hasTransicaoEstadoGlobal());
    EXPECT_FALSE(e.hasTransicaoSubEstado());
    EXPECT_EQ(e.getFaseAtual(), 1);

    e.addMusicaStartada(7);
    e.addMusicaStopada(2);
    EXPECT_EQ(e.getMusicasToPlay(), 7);
    EXPECT_EQ(e.getMusicasToStop(), 2);
    e.zerarMusicas();
    EXPECT_EQ(e.getMusicasToPlay(), 1);
    EXPECT_EQ(e.getMusicasToStop(), 1);
}

TEST(TratadorEntradas, NothingHeldIsTheEmptyProduct) {
    soltarTudo();
    TratadorEntradas t;
    EXPECT_EQ(t.lerEntradas(), 1);
    for (int p : {3, 5, 11, 53, 47, 31, 37, 43}) EXPECT_FALSE(t.isPressed(p)) << p;
}

TEST(TratadorEntradas, EachInputMapsToItsOwnPrime) {
    struct Caso {
        int tecla;  // -1: the mouse button
        int primo;
    };
    const Caso casos[] = {{KEY_A, 3},     {KEY_D, 5},   {KEY_SPACE, 11}, {KEY_Q, 53},
                          {KEY_E, 47},    {KEY_ENTER, 31}, {KEY_ESC, 37}, {-1, 43}};
    TratadorEntradas t;
    for (const Caso& c : casos) {
        soltarTudo();
        if (c.tecla < 0) mouse_b = 1; else key[c.tecla] = 1;
        EXPECT_EQ(t.lerEntradas(), c.primo);
        for (const Caso& outro : casos) EXPECT_EQ(t.isPressed(outro.primo), outro.primo == c.primo);
    }
    soltarTudo();
    mouse_b = 2;  // right button alone is not a click
    t.lerEntradas();
    EXPECT_FALSE(t.isPressed(43));
}

TEST(TratadorEntradas, EveryCombinationOfTheEightInputsIsExact) {
    // All eight at once exceed 32 bits; each of the 256 subsets must still
    // answer exactly which inputs are held.
    const int teclas[] = {KEY_A, KEY_D, KEY_SPACE, KEY_Q, KEY_E, KEY_ENTER, KEY_ESC};
    const int primos[] = {3, 5, 11, 53, 47, 31, 37, 43};
    TratadorEntradas t;
    for (int mascara = 0; mascara < 256; mascara++) {
        soltarTudo();
        for (int i = 0; i < 7; i++)
            if (mascara & (1 << i)) key[teclas[i]] = 1;
        if (mascara & 128) mouse_b = 1;
        t.lerEntradas();
        for (int i = 0; i < 8; i++)
            ASSERT_EQ(t.isPressed(primos[i]), (mascara & (1 << i)) != 0) << "mask " << mascara;
    }
    soltarTudo();
    for (int i = 0; i < 7; i++) key[teclas[i]] = 1;
    EXPECT_EQ(t.lerEntradas(), 471434205);
    soltarTudo();
}

TEST(TratadorEntradas, AKeyHeldAcrossFramesIsSeenInEach) {
    soltarTudo();
    TratadorEntradas t;
    key[KEY_ESC] = 1;
    for (int frame = 0; frame < 3; frame++) {
        t.lerEntradas();
        EXPECT_TRUE(t.isPressed(37));
    }
    key[KEY_ESC] = 0;
    t.lerEntradas();
    EXPECT_FALSE(t.isPressed(37));
}
