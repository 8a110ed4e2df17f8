#include <set>

#include "test_logica_ambiente.h"

namespace {

struct FrotaFalsa {
    std::vector<Carro*> carros;
    int ativos;
    int getMaxCarros() const { return static_cast<int>(carros.size()); }
    int getActiveCarro() const { return ativos; }
    Carro* getCarro(int i) { return carros[i]; }
};

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
        EXPECT_EQ(c.numeroNPCs, 0);
        logica->fimDeCiclo();
        return t;
    }
};

TEST_F(Retrato, FieldsFilledInEachState) {
    cavalete c = logica->construirCavalete();  // menu: only the state
    EXPECT_TRUE(c.itTilesInicio == std::list<Vetor>::iterator());
    carregar();
    largar();
    jogador()->setPosicao(Vetor(600, 1234));
    jogador()->setVelocidade(Vetor(0, 3));
    jogador()->setMarcha(-1);
    c = logica->construirCavalete();
    EXPECT_EQ(c.marcha, 9);
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
    std::vector<std::unique_ptr<Carro>> dono;
    FrotaFalsa frota{{}, 3};
    // Corner px = x - 10, py = y - 20.
    for (Vetor p : {Vetor(1310, 3000),     // 700 px along x: not near
                    Vetor(-100, -100),     // parked: neither visited nor counted
                    Vetor(1230, 3000),     // near; tile corner 616 px away: not drawn
                    Vetor(910, 3720)}) {   // near and visible
        dono.emplace_back(new Carro(9, 2, p));
        dono.back()->setVelocidade(Vetor(0, 10));
        frota.carros.push_back(dono.back().get());
    }
    EXPECT_EQ(logica->selecionarTrafego(j, &frota), 1);
    cavalete c;
    logica->selcionarTilesARepintar(&c);
    EXPECT_EQ(tilesDe(c), retangulo(18, 19, 45, 48, retangulo(13, 16, 56, 59)));
    ASSERT_EQ(std::distance(c.itPosicaoInicio, c.itPosicaoFim), 1);
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getX(), 3720.0f);
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getY(), 910.0f);
    EXPECT_EQ(*c.itTipoCarro, 2);
    logica->fimDeCiclo();

    // A car overlapping the moving player lists the shared tiles twice.
    jogador()->setVelocidade(Vetor(0, 10));
    frota.carros = {frota.carros[2]};
    frota.carros[0]->setPosicao(Vetor(610, 3020));
    frota.ativos = 1;
    logica->selecionarTrafego(j, &frota);
    logica->selcionarTilesARepintar(&c);
    EXPECT_EQ(tilesDe(c).count({8, 46}), 2u);
}
