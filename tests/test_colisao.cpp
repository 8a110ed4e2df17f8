// Car rectangles, the overlap test, collisions with buildings and with the
// map's edges, and the car-to-car response.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "Carro.h"
#include "DiretorioTemporario.h"
#include "LogicaColisao.h"

namespace {

const float PI = 3.14159265f;

// A working directory with car files 1 (60 x 30), 2 (61 x 31) and 3 (20 x 20)
// and, when asked, a city map of `linhas` x `colunas` free tiles with buildings
// at the given cells.
class Cidade : public ::testing::Test {
protected:
    void SetUp() override {
        dir.escrever("dados/carros/1.car", "30 60");
        dir.escrever("dados/carros/2.car", "31 61");
        dir.escrever("dados/carros/3.car", "20 20");
    }

    void mapa(int linhas, int colunas, std::initializer_list<std::pair<int, int>> predios) {
        std::ostringstream texto;
        for (int camada = 0; camada < 2; camada++) {
            texto << linhas << ' ' << colunas << '\n';
            for (int r = 0; r < linhas; r++) {
                for (int c = 0; c < colunas; c++) {
                    bool predio = false;
                    for (auto& p : predios) predio |= p.first == r && p.second == c;
                    texto << (predio && camada == 0 ? 700 : 1) << ' ';
                }
                texto << '\n';
            }
        }
        dir.escrever("mapas/1.txt", texto.str());
        colisao.gerarMapaColisao(1);
        ASSERT_TRUE(colisao.isCarregado());
    }

    DiretorioTemporario dir;
    LogicaColisao colisao;
};

void esperarPonto(const Vetor& v, float x, float y, float tolerancia = 1e-3f) {
    EXPECT_NEAR(v.getX(), x, tolerancia);
    EXPECT_NEAR(v.getY(), y, tolerancia);
}

LogicaColisao::Poligono retangulo(float x0, float y0, float x1, float y1) {
    return {Vetor(x0, y0), Vetor(x1, y0), Vetor(x1, y1), Vetor(x0, y1)};
}

// A rectangle of the given length and width centred at (cx, cy), turned by a.
LogicaColisao::Poligono barra(float cx, float cy, float comprimento, float largura, float a) {
    const float c = std::cos(a), s = std::sin(a);
    const float p[4][2] = {{-comprimento / 2, -largura / 2},
                           {comprimento / 2, -largura / 2},
                           {comprimento / 2, largura / 2},
                           {-comprimento / 2, largura / 2}};
    LogicaColisao::Poligono r;
    for (int i = 0; i < 4; i++) r[i] = Vetor(cx + p[i][0] * c - p[i][1] * s, cy + p[i][0] * s + p[i][1] * c);
    return r;
}

}  // namespace

// ------------------------------------------------------------ car rectangle

TEST_F(Cidade, CarRectangleAtHeadingZero) {
    Carro carro(1, 1, Vetor(100, 100));  // posicao.x is vertical
    LogicaColisao::Poligono p = colisao.calcularPontosQuinas(&carro);
    esperarPonto(p[0], 70, 85);
    esperarPonto(p[1], 130, 85);
    esperarPonto(p[2], 130, 115);
    esperarPonto(p[3], 70, 115);

}

TEST_F(Cidade, CarRectangleAtAnyHeadingIsTheTurnedRectangle) {
    // Odd sizes put the centre half a pixel right and down of the position.
    for (int tipo : {1, 2, 3}) {
        Carro carro(1, tipo, Vetor(300, 200));
        const float w = static_cast<float>(carro.getW()), h = static_cast<float>(carro.getH());
        const float cx = 200 - carro.getW() / 2 + w / 2, cy = 300 - carro.getH() / 2 + h / 2;
        for (float a : {0.0f, 0.3f, 1.0f, 2.5f, 3.9f, 5.5f, 6.28f, -0.7f}) {
            SCOPED_TRACE(testing::Message() << "type " << tipo << " heading " << a);
            carro.setAngulo(a);
            LogicaColisao::Poligono p = colisao.calcularPontosQuinas(&carro);
            LogicaColisao::Poligono esperado = barra(cx, cy, w, h, a);
            for (int i = 0; i < 4; i++) esperarPonto(p[i], esperado[i].getX(), esperado[i].getY(), 2e-3f);
        }
    }
}

// ------------------------------------------------------------------ overlap

TEST_F(Cidade, OverlapCountsTouchingButNotAThousandthApart) {
    LogicaColisao::Poligono a = colisao.gerarPontosTile(0, 0);
    EXPECT_TRUE(colisao.checaColisao(a, colisao.gerarPontosTile(1, 0)));   // shared edge
    EXPECT_TRUE(colisao.checaColisao(a, colisao.gerarPontosTile(1, 1)));   // shared corner
    EXPECT_FALSE(colisao.checaColisao(a, colisao.gerarPontosTile(2, 0)));  // a tile apart
    EXPECT_FALSE(colisao.checaColisao(a, retangulo(64.001f, 0, 128, 64)));
    EXPECT_FALSE(colisao.checaColisao(retangulo(64.001f, 0, 128, 64), a));
    EXPECT_FALSE(colisao.checaColisao(a, retangulo(0, 64.001f, 64, 128)));
    EXPECT_TRUE(colisao.checaColisao(a, retangulo(10, 10, 20, 20)));  // one inside the other
}

TEST_F(Cidade, ThinRectanglesWhoseBoxesOverlapAreTestedExactly) {
    // Two parallel diagonal bars, 20 px apart across: the boxes overlap a lot.
    LogicaColisao::Poligono a = barra(100, 100, 140, 4, PI / 4);
    LogicaColisao::Poligono b = barra(114, 86, 140, 4, PI / 4);
    EXPECT_TRUE(colisao.verificarBoundingBox(colisao.calcularCoordenadasExtremas(a),
                                             colisao.calcularCoordenadasExtremas(b)));
    EXPECT_FALSE(colisao.checaColisao(a, b));
    EXPECT_FALSE(colisao.checaColisao(b, a));

    // A diagonal bar and a short bar pointing at its middle from the side,
    // stopping 14 px short; then the same two crossed into an "X".
    LogicaColisao::Poligono longa = barra(50, 50, 141.4f, 4, PI / 4);
    LogicaColisao::Poligono curta = barra(80, 20, 56.57f, 4, 3 * PI / 4);
    EXPECT_TRUE(colisao.verificarBoundingBox(colisao.calcularCoordenadasExtremas(longa),
                                             colisao.calcularCoordenadasExtremas(curta)));
    EXPECT_FALSE(colisao.checaColisao(longa, curta));
    EXPECT_FALSE(colisao.checaColisao(curta, longa));
    EXPECT_TRUE(colisao.checaColisao(longa, barra(50, 50, 141.4f, 4, 3 * PI / 4)));

    // A diagonal bar passing 8 px beyond the end of a horizontal one: only
    // the diagonal bar's own axis separates them, whichever comes first.
    LogicaColisao::Poligono horizontal = retangulo(0, -2, 100, 2);
    LogicaColisao::Poligono diagonal = barra(105, -5, 60, 4, PI / 4);
    EXPECT_FALSE(colisao.checaColisao(horizontal, diagonal));
    EXPECT_FALSE(colisao.checaColisao(diagonal, horizontal));
}

// ---------------------------------------------------------------- buildings

TEST_F(Cidade, BuildingOnEachSidePushesTheCarOutOneAxis) {
    struct Caso {
        const char* nome;
        int linha, coluna;     // building
        float x, y;            // car position (x vertical)
        float novoX, novoY;    // after the correction
        float vx, vy;          // velocity after (starting from (4, -5))
    };
    // The car, 60 x 30 at heading 0, sits in row 2, column 2 (128..192 both ways).
    const Caso casos[] = {
        {"below", 3, 2, 180, 160, 64 * 3 - 15 - 1, 160, -2.8f, -5},
        {"above", 1, 2, 140, 160, 64 * 2 + 15 + 1, 160, -2.8f, -5},
        {"left", 2, 1, 160, 150, 160, 64 * 2 + 30 + 1, 4, 3.5f},
        {"right", 2, 3, 160, 170, 160, 64 * 3 - 30 - 1, 4, 3.5f},
        // Only diagonal to the car's cell: found by the row test below it.
        {"diagonal", 3, 3, 180, 170, 64 * 3 - 15 - 1, 170, -2.8f, -5},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        mapa(5, 5, {{caso.linha, caso.coluna}});
        Carro carro(1, 1, Vetor(caso.x, caso.y));
        carro.setVelocidade(Vetor(4, -5));
        EXPECT_TRUE(colisao.tratamentoColisaoComPredios(&carro));
        esperarPonto(carro.getPosicao(), caso.novoX, caso.novoY);
        esperarPonto(carro.getVelocidade(), caso.vx, caso.vy);
        // Pushed clear: a second call finds nothing.
        EXPECT_FALSE(colisao.tratamentoColisaoComPredios(&carro));
    }
}

TEST_F(Cidade, BuildingBesideTheCarIsResolvedSideOnFirst) {
    // Buildings right of the car and below it; the car touches both.
    mapa(5, 5, {{2, 3}, {3, 2}});
    Carro carro(1, 1, Vetor(180, 170));
    carro.setVelocidade(Vetor(4, 5));
    EXPECT_TRUE(colisao.tratamentoColisaoComPredios(&carro));
    esperarPonto(carro.getPosicao(), 180, 64 * 3 - 30 - 1);  // only one correction per call
    esperarPonto(carro.getVelocidade(), 4, -3.5f);

}

TEST_F(Cidade, QuarterTurnedCarUsesItsTurnedHalfExtents) {
    mapa(5, 5, {{3, 2}});
    Carro carro(1, 1, Vetor(170, 160));
    carro.setAngulo(PI / 2);  // 60 tall now: bottom at 200
    EXPECT_TRUE(colisao.tratamentoColisaoComPredios(&carro));
    EXPECT_NEAR(carro.getPosicao().getX(), 64 * 3 - 30 - 1, 1e-3);
}

TEST_F(Cidade, CarsInTheFirstAndLastColumnsAndOffTheMap) {
    mapa(3, 4, {{1, 1}, {1, 2}});
    for (float y : {10.0f, 250.0f, -500.0f, 5000.0f}) {
        Carro carro(1, 3, Vetor(96, y));
        colisao.tratamentoColisaoComPredios(&carro);
    }
    Carro dentro(1, 3, Vetor(96, 10));  // 20 x 20 in column 0, building to its right at 64
    EXPECT_FALSE(colisao.tratamentoColisaoComPredios(&dentro));
    dentro.setPosicao(Vetor(96, 60));
    EXPECT_TRUE(colisao.tratamentoColisaoComPredios(&dentro));
    EXPECT_NEAR(dentro.getPosicao().getY(), 64 - 10 - 1, 1e-3);
}

// --------------------------------------------------------------- map edges

TEST_F(Cidade, EachMapEdgeAndACorner) {
    mapa(5, 5, {});  // 320 x 320 pixels
    struct Caso {
        const char* nome;
        float x, y, novoX, novoY, vx, vy;
    };
    const Caso casos[] = {
        {"top", 10, 160, 16, 160, -2.8f, -5},
        {"bottom", 310, 160, 320 - 15 - 1, 160, -2.8f, -5},
        {"left", 160, 20, 160, 31, 4, 3.5f},
        {"right", 160, 300, 160, 320 - 30 - 1, 4, 3.5f},
        {"top-left corner", 10, 20, 16, 31, -2.8f, 3.5f},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        Carro carro(1, 1, Vetor(caso.x, caso.y));
        carro.setVelocidade(Vetor(4, -5));
        EXPECT_TRUE(colisao.tratamentoColisaoComLimites(&carro));
        esperarPonto(carro.getPosicao(), caso.novoX, caso.novoY);
        esperarPonto(carro.getVelocidade(), caso.vx, caso.vy);
    }
    // Inside, touching an edge exactly, or merely near one: untouched.
    for (float x : {20.0f, 15.0f, 305.0f, 160.0f}) {
        Carro carro(1, 1, Vetor(x, 160));
        carro.setVelocidade(Vetor(4, -5));
        EXPECT_FALSE(colisao.tratamentoColisaoComLimites(&carro));
        esperarPonto(carro.getPosicao(), x, 160);
    }
}

// ------------------------------------------------------------ car against car

TEST_F(Cidade, CarsExchangeVelocitiesAndSeparateAlongThem) {
    Carro a(1, 1, Vetor(100, 100));
    Carro b(1, 1, Vetor(100, 150));  // 50 px to the right: overlapping by 10
    a.setMarcha(2);
    b.setMarcha(2);
    a.zerarMudancaMarcha();
    b.zerarMudancaMarcha();
    a.setVelocidade(Vetor(0, 5));
    b.setVelocidade(Vetor(0, -5));
    EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&a, &b));
    esperarPonto(a.getVelocidade(), 0, -5);
    esperarPonto(b.getVelocidade(), 0, 5);
    esperarPonto(a.getPosicao(), 100, 100 - 0.14f);
    esperarPonto(b.getPosicao(), 100, 150 + 0.14f);
    // Equal headings: no spin. Relative speed exactly 10: no knock.
    EXPECT_EQ(a.getVelocidadeAngular(), 0.0f);
    EXPECT_EQ(a.getAngulo(), 0.0f);
    EXPECT_EQ(a.getMarcha(), 2);
    EXPECT_FALSE(b.getMudancaMarcha());
    EXPECT_EQ(a.colidiu, 1);
    EXPECT_EQ(b.colidiu, 1);

    // A car at rest hit at (0, 10) moves by 0.28; the other stops.
    Carro parado(1, 1, Vetor(300, 300));
    Carro batendo(1, 1, Vetor(300, 250));
    batendo.setVelocidade(Vetor(0, 10));
    EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&batendo, &parado));
    esperarPonto(parado.getPosicao(), 300, 300.28f);
    esperarPonto(batendo.getPosicao(), 300, 250);
}

TEST_F(Cidade, KnockAboveTenPutsBothCarsInNeutral) {
    for (float v : {5.0f, 5.1f, 6.0f}) {
        SCOPED_TRACE(v);
        Carro a(1, 1, Vetor(100, 100));
        Carro b(1, 1, Vetor(100, 150));
        a.setMarcha(3);
        b.setMarcha(1);
        a.zerarMudancaMarcha();
        b.zerarMudancaMarcha();
        a.setVelocidade(Vetor(0, v));
        b.setVelocidade(Vetor(0, -v));
        EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&a, &b));
        const bool pancada = v > 5.0f;
        EXPECT_EQ(a.getMarcha(), pancada ? 0 : 3);
        EXPECT_EQ(b.getMarcha(), pancada ? 0 : 1);
        EXPECT_EQ(a.getMudancaMarcha(), pancada);
        EXPECT_EQ(b.getMudancaMarcha(), pancada);
    }
}

TEST_F(Cidade, DifferentHeadingsGiveBothCarsTheSameSpin) {
    Carro a(1, 1, Vetor(100, 100));
    Carro b(1, 1, Vetor(100, 100));
    a.setAngulo(PI / 2);
    a.setVelocidade(Vetor(3, 4));
    EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&a, &b));
    // |(3, 4) / 0.04| = 125, spin 125 / 3, times 0.04 * 0.7.
    const float giro = 125.0f / 3 * 0.04f * 0.7f;
    EXPECT_NEAR(a.getVelocidadeAngular(), giro, 1e-4);
    EXPECT_NEAR(b.getVelocidadeAngular(), giro, 1e-4);
    EXPECT_NEAR(a.getAngulo(), PI / 2 + giro * 0.028f, 1e-5);
    EXPECT_NEAR(b.getAngulo(), giro * 0.028f, 1e-5);
    esperarPonto(a.getPosicao(), 100, 100);
    esperarPonto(b.getPosicao(), 100 + 3 * 0.028f, 100 + 4 * 0.028f);
}

TEST_F(Cidade, ThirdContactIsAPileUpEvenWhenSlow) {
    Carro a(1, 1, Vetor(100, 100));
    Carro b(1, 1, Vetor(100, 120));
    a.setMarcha(1);
    b.setMarcha(1);
    for (int contato = 1; contato <= 3; contato++) {
        a.setVelocidade(Vetor(0, 1));
        EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&a, &b));
        EXPECT_EQ(a.colidiu, contato);
        EXPECT_EQ(a.getMarcha(), contato < 3 ? 1 : 0);
        EXPECT_EQ(b.getMarcha(), contato < 3 ? 1 : 0);
    }
    // Only the car that reached three contacts stalls.
    Carro c(1, 1, Vetor(100, 100));
    Carro d(1, 1, Vetor(100, 110));
    c.setMarcha(2);
    d.setMarcha(2);
    c.colidiu = 2;
    EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&c, &d));
    EXPECT_EQ(c.getMarcha(), 0);
    EXPECT_EQ(d.getMarcha(), 2);
}

TEST_F(Cidade, ResponseHappensExactlyWhenTheRectanglesOverlap) {
    // Pairs around the distance at which they start to touch, at many
    // headings and with odd sizes: the quick distance rejection must never
    // drop a pair whose rectangles touch.
    int tocando = 0, separados = 0;
    for (int tipoA : {1, 2, 3}) {
        for (int passo = 0; passo < 400; passo++) {
            Carro a(1, tipoA, Vetor(500, 500));
            Carro b(1, 1 + passo % 3, Vetor(0, 0));
            const float direcao = passo * 0.7853982f * 0.37f;
            const float distancia = 15.0f + (passo % 53) * 1.3f;
            b.setPosicao(Vetor(500 + distancia * std::sin(direcao), 500 + distancia * std::cos(direcao)));
            a.setAngulo(passo * 0.61f);
            b.setAngulo(passo * 1.37f);
            const bool esperado = colisao.checaColisao(colisao.calcularPontosQuinas(&a), colisao.calcularPontosQuinas(&b));
            a.setVelocidade(Vetor(1, 2));
            EXPECT_EQ(colisao.tratamentoColisaoEntreCarros(&a, &b), esperado) << tipoA << " " << passo;
            if (!esperado) {  // then neither car changes
                esperarPonto(a.getVelocidade(), 1, 2);
                EXPECT_EQ(a.colidiu + b.colidiu, 0);
            }
            (esperado ? tocando : separados)++;
        }
    }
    EXPECT_GT(tocando, 100);
    EXPECT_GT(separados, 100);
}
