#include <set>

#include "AmbienteLogica.h"

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
    EXPECT_EQ(c.marcha, 9);                              // reverse
    EXPECT_FLOAT_EQ(c.posicaoJogador1.getX(), 1234.0f);  // screen order
    EXPECT_FLOAT_EQ(c.posicaoJogador1.getY(), 600.0f);
    EXPECT_FLOAT_EQ(c.velocidadeJogador1, 3.0f);
    EXPECT_NE(c.itTilesInicio, c.itTilesFim);
    EXPECT_FALSE(c.gasPelaTecla || c.dicaCalibrar);  // a loud voice drives
    logica->fimDeCiclo();
    apertar(KEY_ESC);
    logica->calcularLogica();
    c = logica->construirCavalete();  // paused: the fields but no lists
    EXPECT_EQ(c.subEstado, 55);
    EXPECT_EQ(c.marcha, 9);
    EXPECT_TRUE(c.itTilesInicio == std::list<Vetor>::iterator());
    EXPECT_TRUE(c.itPosicaoInicio == std::list<Vetor>::iterator());
}

TEST_F(Retrato, TrafficIsRepaintedWhenNearAndDrawnWhenVisible) {
    const Carro* j = colocarJogador(Vetor(600, 3000), Vetor(0, 0));
    FrotaFalsa frota;
    // Corner px = x - 10, py = y - 20.
    frota.por(1310, 3000, 2);  // 700 px along x: not near
    frota.por(-100, -100, 2);  // parked: neither visited nor counted
    frota.por(1230, 3000, 2);  // near; tile corner 616 px away: not drawn
    frota.por(910, 3720, 2);   // near and visible
    for (auto& c : frota.carros) c->setVelocidade(Vetor(0, 10));
    EXPECT_EQ(logica->selecionarTrafego(j, &frota), 1);
    cavalete c;
    logica->selcionarTilesARepintar(&c);
    EXPECT_EQ(tilesDe(c), retangulo(18, 19, 45, 48, retangulo(13, 16, 56, 59, retangulo(8, 9, 46, 47))));
    ASSERT_EQ(std::distance(c.itPosicaoInicio, c.itPosicaoFim), 1);
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getX(), 3720.0f);
    EXPECT_FLOAT_EQ(c.itPosicaoInicio->getY(), 910.0f);
    EXPECT_EQ(*c.itTipoCarro, 2);
}

// Cars driving away in the four directions, past the edges of the drawn
// window and off the map: every cell under a car picture drawn in a frame
// is repaired in the next, so no picture stays behind in the map layer.
TEST_F(Retrato, EveryCellDrawnInAFrameIsRepairedInTheNext) {
    Carro* j = colocarJogador(Vetor(600, 3000), Vetor(0, 0));
    FrotaFalsa frota;
    const float pi = 3.14159265f, rumos[4][3] = {{0, 1, 0}, {0, -1, pi}, {1, 0, pi / 2}, {-1, 0, -pi / 2}};
    for (const auto& r : rumos) {  // down, right, angle
        frota.por(600 + 100 * r[0] + 30 * r[1], 3000 + 300 * r[1] + 30 * r[0], 2)->setAngulo(r[2]);
        frota.carros.back()->setVelocidade(Vetor(r[0] * 30, r[1] * 30));  // 19.2 px a frame
    }
    // Cells under a picture (half of it `c` along the heading, `l` across)
    // centred at screen (x, y).
    auto sob = [](Tiles& t, float x, float y, float angulo, float c, float l) {
        const float ex = std::fabs(c * std::cos(angulo)) + std::fabs(l * std::sin(angulo));
        const float ey = std::fabs(c * std::sin(angulo)) + std::fabs(l * std::cos(angulo));
        t = retangulo(std::max(0, int(std::floor((y - ey) / 64))), std::min(19, int(std::floor((y + ey) / 64))),
                      int(std::floor((x - ex) / 64)), int(std::floor((x + ex) / 64)), t);
    };
    Tiles desenhadas;
    for (int quadro = 0; quadro < 70; quadro++) {
        for (auto& c : frota.carros) {
            const Vetor p = c->getPosicao(), v = c->getVelocidade();
            const float x = p.getX() + v.getX() * 0.64f, y = p.getY() + v.getY() * 0.64f;
            c->setPosicao(x < 0 || x > 1280 ? Vetor(-100, -100) : Vetor(x, y));  // off the map: parked
        }
        logica->selecionarTrafego(j, &frota);
        cavalete cv;
        logica->selcionarTilesARepintar(&cv);
        const Tiles reparadas = tilesDe(cv);
        for (const auto& c : desenhadas)
            ASSERT_TRUE(reparadas.count(c)) << quadro << ": " << c.first << "," << c.second;
        desenhadas.clear();
        auto angulo = cv.itAnguloInicio;
        for (auto p = cv.itPosicaoInicio; p != cv.itPosicaoFim; ++p, ++angulo)
            sob(desenhadas, p->getX(), p->getY(), *angulo, 20, 10);
        sob(desenhadas, 3000, 600, 0, 15, 30);  // the player, facing right
        logica->fimDeCiclo();
    }
    EXPECT_EQ(frota.carros[3]->getPosicao().getX(), -100.0f);
}
