#include <gtest/gtest.h>

#include <filesystem>
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
    auto depois = [&](auto acao) {
        pedidos.clear();
        acao();
        return pedidos;
    };
    {
        Tenor t;
        t.setFuncoes(tocar, parar);
        const SAMPLE *m = t.getMusicaMenu(), *j = t.getMusicaJogo(), *i = t.getSomIgnicao();
        ASSERT_TRUE(m && j && i);
        EXPECT_EQ(depois([&] {
                      t.cantar(1);
                      t.calar(1);
                      t.cantar(5);
                      t.cantar(0);
                      t.calar(0);
                  }),
                  Pedidos{});
        EXPECT_EQ(depois([&] { t.cantar(6); }), (Pedidos{{'+', m, 1}, {'+', j, 1}}));  // menu first, both loop
        EXPECT_EQ(depois([&] { t.calar(3); }), (Pedidos{{'-', j, 0}}));
        EXPECT_EQ(depois([&] { t.calar(2); }), (Pedidos{{'-', m, 0}}));
        EXPECT_EQ(depois([&] { t.cantar(7); }), (Pedidos{{'+', i, 0}}));  // the engine starts once
        EXPECT_EQ(depois([&] { t.cantar(14); }), (Pedidos{{'+', m, 1}, {'+', i, 0}}));
        EXPECT_EQ(depois([&] {
                      t.calar(6);
                      t.cantar(3);
                  }),
                  (Pedidos{{'-', m, 0}, {'-', j, 0}, {'+', j, 1}}));
        EXPECT_EQ(volumes, std::vector<int>(volumes.size(), 255));
        // N: the race loop stops; while off nothing but the ignition starts,
        // and what the game asked for meanwhile plays when it is back on, at
        // the music's level.
        t.setVolume(40);
        EXPECT_EQ(depois([&] { t.setMusicaLigada(false); }), (Pedidos{{'-', m, 0}, {'-', j, 0}}));
        EXPECT_EQ(depois([&] {
                      t.calar(3);
                      t.cantar(2 * 7);
                      t.setMusicaLigada(false);
                  }),
                  (Pedidos{{'-', j, 0}, {'+', i, 0}}));
        volumes.clear();
        EXPECT_EQ(depois([&] {
                      t.setMusicaLigada(true);
                      t.setMusicaLigada(true);
                  }),
                  (Pedidos{{'+', m, 1}}));
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
    EXPECT_EQ(depois([&] {
                  t.cantar(2 * 3 * 7);
                  t.calar(2 * 3 * 7);
              }),
              (Pedidos{{'+', j, 1}, {'-', j, 0}}));
}

}  // namespace
