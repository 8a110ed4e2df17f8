// Sets of primes kept as their product: the game state's sub-states and music
// requests.
#include <allegro.h>
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <tuple>

#include "ControleJogo.h"
#include "EstadoJogo.h"
#include "TratadorEntradas.h"
#include "TravaRato.h"
#include "TravaTeclas.h"

// The music requests are checked frame by frame in the whole-race test.

TEST(EstadoJogo, SubStatesMultiplyDivideAndEachChangeIsATransition) {
    EstadoJogo e;  // the main menu, both transitions raised for the first frame
    EXPECT_TRUE(e.getEstadoGlobal() == menu && e.getSubEstado() == 41);
    EXPECT_TRUE(e.hasTransicaoEstadoGlobal() && e.hasTransicaoSubEstado());
    e.zerarTransicaoEstadoGlobal();
    e.setEstadoGlobal(menu);  // the same state still counts as a transition
    EXPECT_TRUE(e.hasTransicaoEstadoGlobal());
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
