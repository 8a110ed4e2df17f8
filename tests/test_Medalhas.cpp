#include <gtest/gtest.h>

#include "AjudaColisao.h"
#include "DiretorioTemporario.h"
#include "LinhaChegada.h"
#include "Medalhas.h"

TEST(Medalhas, TheMedalForATimeWhatTheFinishSaysOfItAndABadFileEarnsNothing) {
    Medalhas m;
    std::string problema;
    ASSERT_TRUE(m.interpretar("# city 1\n gold 11700\nsilver\t13300\r\n\nbronze 16700 \n", problema)) << problema;
    const std::pair<int, Medalhas::Medalha> casos[] = {{11700, Medalhas::OURO},
                                                       {11701, Medalhas::PRATA},
                                                       {13300, Medalhas::PRATA},
                                                       {16700, Medalhas::BRONZE},
                                                       {16701, Medalhas::NENHUMA}};
    for (const auto& [tempo, medalha] : casos) EXPECT_EQ(m.getMedalha(tempo), medalha) << tempo;
    LinhaChegada linha;
    linha.setMedalha(m, 11690);
    EXPECT_EQ(linha.getTextoMedalha(), "GOLD! 0:11.69");
    linha.setMedalha(m, 25130);
    EXPECT_EQ(linha.getTextoMedalha() + " / " + linha.getAlvoMedalha(), "TIME 0:25.13 / BRONZE 0:16.70");

    for (const char* ruim : {"gold 11700\nsilver 13300\n", "gold 1\ngold 2\nsilver 3\nbronze 4\n",
                             "gold 1 2\nsilver 3\nbronze 4\n", "gold 1\nsilver 5\nbronze 3\n", "platinum 1\n"}) {
        Medalhas r;
        EXPECT_FALSE(r.interpretar(ruim, problema)) << ruim;
        EXPECT_EQ(r.getMedalha(1), Medalhas::NENHUMA) << ruim;
    }
    DiretorioTemporario dir;
    EXPECT_EQ(saidaDe([&] { m.carregar("mapas/1medalhas.txt"); }),
              "mapas/1medalhas.txt: is missing; races earn no medals\n");
    linha.setMedalha(m, 11690);
    EXPECT_FALSE(linha.hasMedalhas());
}
