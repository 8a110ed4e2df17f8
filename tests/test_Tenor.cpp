#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "AjudaPintor.h"
#include "CaminhosAssets.h"
#include "DiretorioTemporario.h"
#include "Tenor.h"

namespace {

// What was asked of the library: '+' play or '-' stop, the sample, loop.
typedef std::vector<std::tuple<char, const SAMPLE*, int>> Pedidos;
Pedidos pedidos;
std::vector<int> volumes;
int tocar(const SAMPLE* s, int volume, int pan, int frequencia, int repetir) {
    EXPECT_TRUE(pan == 128 && frequencia == 1000);
    volumes.push_back(volume);
    pedidos.emplace_back('+', s, repetir);
    return 0;
}
void parar(const SAMPLE* s) { pedidos.emplace_back('-', s, 0); }

TEST(Tenor, PrimesChooseTheMusicAndMissingSongsAreNeverPlayed) {
    iniciarAllegroSemTela();
    DiretorioTemporario dir;
    const std::string menuWav = CaminhosAssets::musicaMenu(), ignicaoWav = CaminhosAssets::somIgnicao();
    for (const std::string& nome : {menuWav, CaminhosAssets::musicaJogo(), ignicaoWav}) escreverWav(nome);
    // What the library was asked for by steps "cN" (cantar N), "xN" (calar N),
    // "l" and "d" (the music on and off), in order.
    auto depois = [&](Tenor& t, const char* passos) {
        pedidos.clear();
        std::istringstream in(passos);
        for (std::string p; in >> p;) {
            const int n = std::atoi(p.c_str() + 1);
            switch (p[0]) {
                case 'c': t.cantar(n); break;
                case 'x': t.calar(n); break;
                default: t.setMusicaLigada(p[0] == 'l');
            }
        }
        return pedidos;
    };
    {
        Tenor t;
        t.setFuncoes(tocar, parar);
        const SAMPLE *m = t.getMusicaMenu(), *j = t.getMusicaJogo(), *i = t.getSomIgnicao();
        ASSERT_TRUE(m && j && i);
        EXPECT_EQ(depois(t, "c1 x1 c5 c0 x0"), Pedidos{});
        EXPECT_EQ(depois(t, "c6"), (Pedidos{{'+', m, 1}, {'+', j, 1}}));  // menu first, both loop
        EXPECT_EQ(depois(t, "x3"), (Pedidos{{'-', j, 0}}));
        EXPECT_EQ(depois(t, "x2"), (Pedidos{{'-', m, 0}}));
        EXPECT_EQ(depois(t, "c7"), (Pedidos{{'+', i, 0}}));  // the engine starts once
        EXPECT_EQ(depois(t, "c14"), (Pedidos{{'+', m, 1}, {'+', i, 0}}));
        EXPECT_EQ(depois(t, "x6 c3"), (Pedidos{{'-', m, 0}, {'-', j, 0}, {'+', j, 1}}));
        EXPECT_EQ(volumes, std::vector<int>(volumes.size(), 255));
        // N: the race loop stops; while off nothing but the ignition starts,
        // and what the game asked for meanwhile plays when it is back on, at
        // the music's level.
        t.setVolume(40);
        EXPECT_EQ(depois(t, "d"), (Pedidos{{'-', m, 0}, {'-', j, 0}}));
        EXPECT_EQ(depois(t, "x3 c14 d"), (Pedidos{{'-', j, 0}, {'+', i, 0}}));
        volumes.clear();
        EXPECT_EQ(depois(t, "l l"), (Pedidos{{'+', m, 1}}));
        EXPECT_EQ(volumes, std::vector<int>{102});
        EXPECT_TRUE(t.isMusicaLigada());
    }
    dir.escrever(menuWav, "RIFF but not a sound");
    std::filesystem::remove(ignicaoWav);
    testing::internal::CaptureStdout();
    Tenor t;
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find(menuWav + ": cannot load"), std::string::npos);
    EXPECT_NE(saida.find(ignicaoWav + ": cannot load"), std::string::npos);
    t.setFuncoes(tocar, parar);
    const SAMPLE* j = t.getMusicaJogo();
    EXPECT_EQ(depois(t, "c42 x42"), (Pedidos{{'+', j, 1}, {'-', j, 0}}));
}

}  // namespace
