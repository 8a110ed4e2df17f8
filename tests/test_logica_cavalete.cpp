#include <set>
#include <tuple>

#include "test_logica_ambiente.h"

namespace {

// A traffic fleet laid out by hand.
struct FrotaFalsa {
    std::vector<Carro*> carros;
    int ativos = 0;
    int getMaxCarros() const { return static_cast<int>(carros.size()); }
    int getActiveCarro() const { return ativos; }
    Carro* getCarro(int i) { return carros[i]; }
};

const Vetor ESTACIONADO(-100.0f, -100.0f);

std::multiset<std::pair<int, int>> tilesDe(const cavalete& c) {
    std::multiset<std::pair<int, int>> t;
    for (auto it = c.itTilesInicio; it != c.itTilesFim; ++it)
        t.insert({static_cast<int>(it->getX()), static_cast<int>(it->getY())});
    return t;
}

std::multiset<std::pair<int, int>> retangulo(int x1, int x2, int y1, int y2) {
    std::multiset<std::pair<int, int>> t;
    for (int x = x1; x <= x2; x++)
        for (int y = y1; y <= y2; y++) t.insert({x, y});
    return t;
}

}  // namespace

class Retrato : public AmbienteLogica {
protected:
    void SetUp() override {
        AmbienteLogica::SetUp();
        // The player's type: 60 high, 30 wide; traffic type 2: 20 high, 40 wide.
        dir->escrever("dados/carros/1.car", "60 30\n");
        dir->escrever("dados/carros/2.car", "20 40\n");
    }
    void colocarJogador(Vetor posicao, Vetor velocidade) {
        config_iniciais cfg;
        cfg.id1 = 1;
        cfg.foto1 = 1;
        cfg.posJogador1 = posicao;
        logica->getEstadoJogadores()->inicializarCarrosJogadores(cfg);
        jogador()->setVelocidade(velocidade);
    }
};

TEST_F(Retrato, MenuAndLoadingCarryOnlyTheState) {
    for (int passo = 0; passo < 6; passo++) {
        if (passo == 1) mouse(300, 350);
        logica->calcularLogica();
        mouse(0, 0, false);
        cavalete c = logica->construirCavalete();
        EXPECT_EQ(c.estado, passo == 0 ? menu : carregando);
        EXPECT_EQ(c.subEstado, (std::vector<int>{41, 19, 23, 29, 31, 37})[passo]);
        EXPECT_TRUE(c.transicaoSubEstado || passo == 0);
        EXPECT_TRUE(c.itTilesInicio == std::list<Vetor>::iterator());
        EXPECT_TRUE(c.itPosicaoInicio == std::list<Vetor>::iterator());
        EXPECT_TRUE(c.itAnguloInicio == std::list<float>::iterator());
        EXPECT_TRUE(c.itTipoCarro == std::list<int>::iterator());
        EXPECT_FLOAT_EQ(c.posicaoJogador1.getX(), 0.0f);
        logica->fimDeCiclo();
    }
}

TEST_F(Retrato, RaceFieldsInScreenOrderWithReverseAsNine) {
    carregar();
    largar();
    jogador()->setPosicao(Vetor(600, 1234));
    jogador()->setVelocidade(Vetor(0, 3));
    jogador()->setMarcha(-1);
    jogador()->setAngulo(1.25f);
    jogador()->setAceleracao(0.4f);
    cavalete c = logica->construirCavalete();
    EXPECT_EQ(c.estado, jogando);
    EXPECT_EQ(c.fase, 1);
    EXPECT_FLOAT_EQ(c.posicaoJogador1.getX(), 1234.0f);
    EXPECT_FLOAT_EQ(c.posicaoJogador1.getY(), 600.0f);
    EXPECT_FLOAT_EQ(c.velocidadeJogador1, 3.0f);
    EXPECT_FLOAT_EQ(c.anguloJogador1, 1.25f);
    EXPECT_FLOAT_EQ(c.acelleracao, 0.4f);
    EXPECT_EQ(c.endFotoCarro1, 1);
    EXPECT_EQ(c.marcha, 9);
    EXPECT_NE(c.itTilesInicio, c.itTilesFim);
    logica->fimDeCiclo();

    // Paused: the fields, but no lists.
    apertar(KEY_ESC);
    logica->calcularLogica();
    c = logica->construirCavalete();
    EXPECT_EQ(c.subEstado, 55);
    EXPECT_EQ(c.marcha, 9);
    EXPECT_FLOAT_EQ(c.posicaoJogador1.getX(), 1234.0f);
    EXPECT_TRUE(c.itTilesInicio == std::list<Vetor>::iterator());
    EXPECT_TRUE(c.itPosicaoInicio == std::list<Vetor>::iterator());
    logica->fimDeCiclo();
}

TEST_F(Retrato, PlayerTilesCoverTheStepBackWithAMarginClampedToTheMap) {
    cavalete c;
    colocarJogador(Vetor(550, 50), Vetor(0, 100));
    logica->selcionarTilesARepintar(&c);
    EXPECT_EQ(tilesDe(c), retangulo(7, 10, 0, 2));  // the 12-tile example
    EXPECT_EQ(c.numeroNPCs, 0);
    EXPECT_EQ(c.itPosicaoInicio, c.itPosicaoFim);
    logica->fimDeCiclo();

    colocarJogador(Vetor(550, 50), Vetor(0, 0));
    logica->selcionarTilesARepintar(&c);
    EXPECT_TRUE(tilesDe(c).empty()) << "standing still repaints nothing";
    logica->fimDeCiclo();

    // Near the lower-right corner, moving back towards it.
    colocarJogador(Vetor(1270, 9590), Vetor(-50, -50));
    logica->selcionarTilesARepintar(&c);
    EXPECT_EQ(tilesDe(c), retangulo(18, 19, 148, 149));
    logica->fimDeCiclo();
    EXPECT_EQ(c.numeroNPCs, 0);
}

TEST_F(Retrato, TrafficIsRepaintedWhenNearAndDrawnWhenVisible) {
    colocarJogador(Vetor(600, 3000), Vetor(0, 0));  // still: no tiles of its own
    auto carro = [](float x, float y) {
        Carro* c = new Carro(9, 2, Vetor(x, y));
        c->setVelocidade(Vetor(0, 10));
        c->setAngulo(0.5f);
        return c;
    };
    // px = x - 10, py = y - 20 (half height, half width).
    std::vector<std::unique_ptr<Carro>> dono;
    dono.emplace_back(carro(600 + 700 + 10, 3000));  // 700 px along x: not near
    dono.emplace_back(new Carro(10, 2, ESTACIONADO));
    dono.emplace_back(carro(600 + 620 + 10, 3000));  // near; its tile corner 616 px away: not drawn
    dono.emplace_back(carro(600 + 300 + 10, 3000 + 700 + 20));  // near and visible
    FrotaFalsa frota;
    for (auto& c : dono) frota.carros.push_back(c.get());
    frota.ativos = 3;

    const Carro* j = jogador();
    EXPECT_EQ(logica->selecionarTrafego(j, &frota), 1);
    cavalete c;
    logica->selcionarTilesARepintar(&c);  // hands over every list filled this frame
    // The near-but-hidden car at tile (19, 46) and the visible one at
    // (14, 57) each add their block; the far one adds nothing.
    std::multiset<std::pair<int, int>> esperado = retangulo(18, 19, 45, 48);
    for (auto t : retangulo(13, 16, 56, 59)) esperado.insert(t);
    EXPECT_EQ(tilesDe(c), esperado);
    ASSERT_NE(c.itPosicaoInicio, c.itPosicaoFim);
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getX(), 3720.0f);  // screen order
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getY(), 910.0f);
    EXPECT_FLOAT_EQ(*c.itAnguloInicio, 0.5f);
    EXPECT_EQ(*c.itTipoCarro, 2);
    EXPECT_EQ(std::next(c.itPosicaoInicio), c.itPosicaoFim);
    logica->fimDeCiclo();

    // A parked car does not count towards the active ones: with two active
    // the walk still reaches the third slot.
    frota.ativos = 2;
    frota.carros.erase(frota.carros.begin());
    EXPECT_EQ(logica->selecionarTrafego(j, &frota), 1);
    logica->fimDeCiclo();
}

TEST_F(Retrato, OverlappingCarsListSharedTilesTwice) {
    colocarJogador(Vetor(550, 3000), Vetor(0, 10));
    Carro vizinho(9, 2, Vetor(560, 3020));
    vizinho.setVelocidade(Vetor(0, 10));
    FrotaFalsa frota{{&vizinho}, 1};
    logica->selecionarTrafego(jogador(), &frota);
    cavalete c;
    logica->selcionarTilesARepintar(&c);
    std::multiset<std::pair<int, int>> t = tilesDe(c);
    EXPECT_EQ(t.count({8, 46}), 2u);
    logica->fimDeCiclo();
}
