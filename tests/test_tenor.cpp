#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CaminhosAssets.h"
#include "DiretorioTemporario.h"
#include "Tenor.h"
#include "test_pintor_ajuda.h"

namespace {

// What was asked of the library: ('+' play or '-' stop, sample, loop).
struct Pedido {
    char tipo;
    const SAMPLE* amostra;
    int repetir;
    bool operator==(const Pedido& o) const {
        return tipo == o.tipo && amostra == o.amostra && repetir == o.repetir;
    }
};
std::vector<Pedido> pedidos;

int tocarDeTeste(const SAMPLE* s, int volume, int pan, int frequencia, int repetir) {
    EXPECT_EQ(volume, 255);
    EXPECT_EQ(pan, 128);
    EXPECT_EQ(frequencia, 1000);
    pedidos.push_back({'+', s, repetir});
    return 0;
}
void pararDeTeste(const SAMPLE* s) { pedidos.push_back({'-', s, 0}); }

TEST(Tenor, PrimesChooseTheMusic) {
    iniciarAllegroSemTela();
    DiretorioTemporario dir;
    escreverWav(CaminhosAssets::musicaMenu());
    escreverWav(CaminhosAssets::musicaJogo());
    escreverWav(CaminhosAssets::somIgnicao());
    Tenor tenor;
    tenor.setFuncoes(tocarDeTeste, pararDeTeste);
    const SAMPLE* menuM = tenor.getMusicaMenu();
    const SAMPLE* jogo = tenor.getMusicaJogo();
    const SAMPLE* ignicao = tenor.getSomIgnicao();
    ASSERT_NE(menuM, nullptr);
    ASSERT_NE(jogo, nullptr);
    ASSERT_NE(ignicao, nullptr);

    auto depois = [&](auto acao) {
        pedidos.clear();
        acao();
        return pedidos;
    };
    EXPECT_TRUE(depois([&] { tenor.cantar(1); tenor.calar(1); }).empty());
    EXPECT_TRUE(depois([&] { tenor.cantar(5); tenor.cantar(0); tenor.calar(0); }).empty());
    // Menu music first, both looping.
    EXPECT_EQ(depois([&] { tenor.cantar(6); }),
              (std::vector<Pedido>{{'+', menuM, 1}, {'+', jogo, 1}}));
    EXPECT_EQ(depois([&] { tenor.calar(3); }), (std::vector<Pedido>{{'-', jogo, 0}}));
    EXPECT_EQ(depois([&] { tenor.calar(2); }), (std::vector<Pedido>{{'-', menuM, 0}}));
    // Choosing a race stops the menu music (2) and asks for 7: the engine
    // starts once, it does not loop.
    EXPECT_EQ(depois([&] { tenor.cantar(7); }), (std::vector<Pedido>{{'+', ignicao, 0}}));
    EXPECT_EQ(depois([&] { tenor.cantar(14); }),
              (std::vector<Pedido>{{'+', menuM, 1}, {'+', ignicao, 0}}));
    EXPECT_EQ(depois([&] { tenor.calar(6); tenor.cantar(3); }),
              (std::vector<Pedido>{{'-', menuM, 0}, {'-', jogo, 0}, {'+', jogo, 1}}));
}

TEST(Tenor, MissingMusicIsNeverPlayed) {
    iniciarAllegroSemTela();
    DiretorioTemporario dir;
    escreverWav(CaminhosAssets::musicaJogo());
    dir.escrever(CaminhosAssets::musicaMenu(), "RIFF but not a sound");
    testing::internal::CaptureStdout();
    Tenor tenor;
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find("soms/musicas/musica menu.wav: cannot load"), std::string::npos);
    EXPECT_NE(saida.find("soms/ignicao 3seg.wav: cannot load"), std::string::npos);
    tenor.setFuncoes(tocarDeTeste, pararDeTeste);
    pedidos.clear();
    tenor.cantar(2 * 3 * 7);
    tenor.calar(2 * 3 * 7);
    EXPECT_EQ(pedidos, (std::vector<Pedido>{{'+', tenor.getMusicaJogo(), 1},
                                            {'-', tenor.getMusicaJogo(), 0}}));
}

}  // namespace
