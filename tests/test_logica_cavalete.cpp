#include <set>

#include "test_logica_ambiente.h"

namespace {

using Tiles = std::multiset<std::pair<int, int>>;

Tiles tilesDe(const cavalete& c) {
    Tiles t;
    for (auto it = c.itTilesInicio; it != c.itTilesFim; ++it) t.insert({int(it->getX()), int(it->getY())});
    return t;
}

Tiles retangulo(int x1, int x2, int y1, int y2, Tiles t = {}) {
    for (int x = x1; x <= x2; x++)
        for (int y = y1; y <= y2; y++) t.insert({x, y});
    return t;
}

}  // namespace

class Retrato : public AmbienteLogica {
protected:
    // The player's car 60 high and 30 wide, traffic type 2 20 high and 40 wide.
    Carro* colocarJogador(Vetor posicao, Vetor velocidade) {
        dir.escrever("dados/carros/1.car", "60 30\n");
        dir.escrever("dados/carros/2.car", "20 40\n");
        config_iniciais cfg;
        cfg.id1 = cfg.foto1 = 1;
        cfg.posJogador1 = posicao;
        logica->getEstadoJogadores()->inicializarCarrosJogadores(cfg);
        jogador()->setVelocidade(velocidade);
        return jogador();
    }
    Tiles tilesDoJogador(Vetor posicao, Vetor velocidade) {
        colocarJogador(posicao, velocidade);
        cavalete c;
        logica->selcionarTilesARepintar(&c);
        Tiles t = tilesDe(c);
        logica->fimDeCiclo();
        return t;
    }
};

TEST_F(Retrato, FieldsFilledInEachState) {
    EXPECT_TRUE(logica->construirCavalete().itTilesInicio == std::list<Vetor>::iterator());  // menu
    carregar();
    largar();
    jogador()->setPosicao(Vetor(600, 1234));
    jogador()->setVelocidade(Vetor(0, 3));
    jogador()->setMarcha(-1);
    cavalete c = logica->construirCavalete();
    EXPECT_EQ(c.marcha, 9);  // reverse
    EXPECT_FLOAT_EQ(c.posicaoJogador1.getX(), 1234.0f);  // screen order
    EXPECT_FLOAT_EQ(c.posicaoJogador1.getY(), 600.0f);
    EXPECT_FLOAT_EQ(c.velocidadeJogador1, 3.0f);
    EXPECT_NE(c.itTilesInicio, c.itTilesFim);
    logica->fimDeCiclo();
    apertar(KEY_ESC);
    logica->calcularLogica();
    c = logica->construirCavalete();  // paused: the fields but no lists
    EXPECT_EQ(c.subEstado, 55);
    EXPECT_EQ(c.marcha, 9);
    EXPECT_TRUE(c.itTilesInicio == std::list<Vetor>::iterator());
    EXPECT_TRUE(c.itPosicaoInicio == std::list<Vetor>::iterator());
}

TEST_F(Retrato, PlayerTilesSpanTheStepBackWithAMarginClampedToTheMap) {
    EXPECT_EQ(tilesDoJogador(Vetor(550, 50), Vetor(0, 100)), retangulo(7, 10, 0, 2));
    EXPECT_TRUE(tilesDoJogador(Vetor(550, 50), Vetor(0, 0)).empty());
    EXPECT_EQ(tilesDoJogador(Vetor(1270, 9590), Vetor(-50, -50)), retangulo(18, 19, 148, 149));
}

TEST_F(Retrato, TrafficIsRepaintedWhenNearAndDrawnWhenVisible) {
    const Carro* j = colocarJogador(Vetor(600, 3000), Vetor(0, 0));
    FrotaFalsa frota;
    // Corner px = x - 10, py = y - 20.
    frota.por(1310, 3000, 2);  // 700 px along x: not near
    frota.por(-100, -100, 2);  // parked: neither visited nor counted
    frota.por(1230, 3000, 2);  // near; tile corner 616 px away: not drawn
    frota.por(910, 3720, 2);  // near and visible
    for (auto& c : frota.carros) c->setVelocidade(Vetor(0, 10));
    EXPECT_EQ(logica->selecionarTrafego(j, &frota), 1);
    cavalete c;
    logica->selcionarTilesARepintar(&c);
    EXPECT_EQ(tilesDe(c), retangulo(18, 19, 45, 48, retangulo(13, 16, 56, 59)));
    ASSERT_EQ(std::distance(c.itPosicaoInicio, c.itPosicaoFim), 1);
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getX(), 3720.0f);
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getY(), 910.0f);
    EXPECT_EQ(*c.itTipoCarro, 2);
}
