// The collision map built from the city map, car rectangles, the overlap
// test, collisions with buildings and with the map's edges, and the
// car-to-car response.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "AjudaColisao.h"
#include "Carro.h"
#include "DiretorioTemporario.h"
#include "LogicaColisao.h"

namespace {

const float PI = 3.14159265f;
using Poligono = LogicaColisao::Poligono;
using Celulas = std::vector<std::pair<int, int>>;

// Car files 1 (60 x 30), 2 (61 x 31) and 3 (20 x 20); `mapa` writes a 5 x 5
// city of free tiles with buildings at the given cells.
class Cidade : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* t : {"1 30 60", "2 31 61", "3 20 20"})
            dir.escrever(std::string("dados/carros/") + t[0] + ".car", t + 2);
    }
    void mapa(const Celulas& predios) {
        std::string baixo = "5 5\n", cima = "5 5\n";
        for (int i = 0; i < 25; i++) {
            baixo += std::count(predios.begin(), predios.end(), std::pair{i / 5, i % 5}) ? "700 " : "1 ";
            cima += "1 ";
        }
        dir.escrever("mapas/1.txt", baixo + cima);
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

Poligono retangulo(float x0, float y0, float x1, float y1) {
    return {Vetor(x0, y0), Vetor(x1, y0), Vetor(x1, y1), Vetor(x0, y1)};
}

// A rectangle of the given length and width centred at (cx, cy), turned by a.
Poligono barra(float cx, float cy, float comprimento, float largura, float a) {
    const float c = std::cos(a), s = std::sin(a), p[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    Poligono r;
    for (int i = 0; i < 4; i++) {
        const float u = p[i][0] * comprimento / 2, v = p[i][1] * largura / 2;
        r[i] = Vetor(cx + u * c - v * s, cy + u * s + v * c);
    }
    return r;
}

}  // namespace

TEST_F(Cidade, CarRectangleIsTheTurnedRectangleOddSizesIncluded) {
    // posicao.x is vertical; odd sizes put the centre half a pixel right
    // and down of the position.
    for (int tipo : {1, 2, 3}) {
        Carro carro(1, tipo, Vetor(300, 200));
        const float w = static_cast<float>(carro.getW()), h = static_cast<float>(carro.getH());
        for (float a : {0.0f, 0.3f, 2.5f, 3.9f, 6.28f, -0.7f}) {
            SCOPED_TRACE(testing::Message() << "type " << tipo << " heading " << a);
            carro.setAngulo(a);
            Poligono p = colisao.calcularPontosQuinas(&carro);
            Poligono e = barra(200 - carro.getW() / 2 + w / 2, 300 - carro.getH() / 2 + h / 2, w, h, a);
            for (int i = 0; i < 4; i++) esperarPonto(p[i], e[i].getX(), e[i].getY(), 2e-3f);
        }
    }
}

TEST_F(Cidade, OverlapIsExactTouchingCountsAThousandthApartDoesNot) {
    struct Caso {
        const char* nome;
        Poligono a, b;
        bool toca, caixasSeTocam;
    };
    const Poligono tile = colisao.gerarPontosTile(0, 0);
    const Caso casos[] = {
        {"shared edge", tile, colisao.gerarPontosTile(1, 0), true, true},
        {"shared corner", tile, colisao.gerarPontosTile(1, 1), true, true},
        {"a tile apart", tile, colisao.gerarPontosTile(2, 0), false, false},
        {"0.001 below", tile, retangulo(64.001f, 0, 128, 64), false, false},
        {"0.001 right", tile, retangulo(0, 64.001f, 64, 128), false, false},
        {"inside", tile, retangulo(10, 10, 20, 20), true, true},
        {"parallel diagonal bars", barra(100, 100, 140, 4, PI / 4), barra(114, 86, 140, 4, PI / 4), false, true},
        {"bar pointing at a bar's side", barra(50, 50, 141.4f, 4, PI / 4), barra(80, 20, 56.57f, 4, 3 * PI / 4), false,
         true},
        {"crossed bars", barra(50, 50, 141.4f, 4, PI / 4), barra(50, 50, 141.4f, 4, 3 * PI / 4), true, true},
        // Only the diagonal bar's own axis separates these.
        {"past a bar's end", retangulo(0, -2, 100, 2), barra(105, -5, 60, 4, PI / 4), false, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(colisao.checaColisao(c.a, c.b), c.toca);
        EXPECT_EQ(colisao.checaColisao(c.b, c.a), c.toca);
        EXPECT_EQ(colisao.verificarBoundingBox(colisao.calcularCoordenadasExtremas(c.a),
                                               colisao.calcularCoordenadasExtremas(c.b)),
                  c.caixasSeTocam);
    }
}

TEST_F(Cidade, BuildingsAndMapEdgesPushTheCarOutOneAxis) {
    struct Caso {
        const char* nome;
        bool limites;  // the map's edges, else the buildings
        Celulas predios;
        float x, y, novoX, novoY, vx, vy;  // x vertical; velocity after, from (4, -5)
        int tipo = 1;
        float angulo = 0;
    };
    // 60 x 30 car at heading 0 in row 2, column 2 (128..192 both ways); the
    // map is 320 x 320.
    const Caso casos[] = {
        {"building below", false, {{3, 2}}, 180, 160, 176, 160, -2.8f, -5},
        {"building above", false, {{1, 2}}, 140, 160, 144, 160, -2.8f, -5},
        {"building left", false, {{2, 1}}, 160, 150, 160, 159, 4, 3.5f},
        {"building right", false, {{2, 3}}, 160, 170, 160, 161, 4, 3.5f},
        {"diagonal: found by the row below", false, {{3, 3}}, 180, 170, 176, 170, -2.8f, -5},
        // Beside and below: side first, one correction per call.
        {"two buildings", false, {{2, 3}, {3, 2}}, 180, 170, 180, 161, 4, 3.5f},
        {"quarter turned: 60 tall", false, {{3, 2}}, 170, 160, 161, 160, -2.8f, -5, 1, PI / 2},
        {"first column", false, {{1, 1}}, 96, 60, 96, 53, 4, 3.5f, 3},
        {"top edge", true, {}, 10, 160, 16, 160, -2.8f, -5},
        {"bottom edge", true, {}, 310, 160, 304, 160, -2.8f, -5},
        {"left edge", true, {}, 160, 20, 160, 31, 4, 3.5f},
        {"right edge", true, {}, 160, 300, 160, 289, 4, 3.5f},
        {"top-left corner", true, {}, 10, 20, 16, 31, -2.8f, 3.5f},
        {"touching the top edge", true, {}, 15, 160, 15, 160, 4, -5},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        mapa(c.predios);
        Carro carro(1, c.tipo, Vetor(c.x, c.y));
        carro.setAngulo(c.angulo);
        carro.setVelocidade(Vetor(4, -5));
        auto tratar = [&] {
            return c.limites ? colisao.tratamentoColisaoComLimites(&carro)
                             : colisao.tratamentoColisaoComPredios(&carro);
        };
        EXPECT_EQ(tratar(), c.novoX != c.x || c.novoY != c.y);
        esperarPonto(carro.getPosicao(), c.novoX, c.novoY);
        esperarPonto(carro.getVelocidade(), c.vx, c.vy);
        EXPECT_EQ(tratar(), c.predios.size() > 1);  // pushed clear, but for the second building
    }
}

TEST_F(Cidade, CarsExchangeVelocitiesAndAKnockAboveTenStallsBoth) {
    for (float v : {5.0f, 6.0f}) {
        SCOPED_TRACE(v);
        Carro a(1, 1, Vetor(100, 100)), b(1, 1, Vetor(100, 150));  // overlapping by 10
        a.setMarcha(3);
        b.setMarcha(1);
        a.zerarMudancaMarcha();
        b.zerarMudancaMarcha();
        a.setVelocidade(Vetor(0, v));
        b.setVelocidade(Vetor(0, -v));
        EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&a, &b));
        esperarPonto(a.getVelocidade(), 0, -v);
        esperarPonto(b.getVelocidade(), 0, v);
        esperarPonto(a.getPosicao(), 100, 100 - v * 0.028f);
        esperarPonto(b.getPosicao(), 100, 150 + v * 0.028f);
        EXPECT_EQ(a.getVelocidadeAngular(), 0.0f);  // equal headings: no spin
        EXPECT_EQ(a.colidiu + b.colidiu, 2);
        const bool pancada = v > 5;  // relative speed above 10
        EXPECT_EQ(a.getMarcha(), pancada ? 0 : 3);
        EXPECT_EQ(b.getMarcha(), pancada ? 0 : 1);
        EXPECT_EQ(a.getMudancaMarcha() + b.getMudancaMarcha(), pancada ? 2 : 0);
    }
}

TEST_F(Cidade, ThirdContactIsAPileUpForThatCarOnly) {
    Carro a(1, 1, Vetor(100, 100)), b(1, 1, Vetor(100, 120));
    a.setMarcha(1);
    b.setMarcha(1);
    b.colidiu = 1;  // b reaches three contacts one contact before a
    for (int contato = 1; contato <= 3; contato++) {
        a.setVelocidade(Vetor(0, 1));  // slow: never a knock
        EXPECT_TRUE(colisao.tratamentoColisaoEntreCarros(&a, &b));
        EXPECT_EQ(a.colidiu, contato);
        EXPECT_EQ(a.getMarcha(), contato < 3 ? 1 : 0);
        EXPECT_EQ(b.getMarcha(), contato < 2 ? 1 : 0);
    }
}

TEST_F(Cidade, ResponseHappensExactlyWhenTheRectanglesOverlap) {
    // Pairs around the distance at which they start to touch, at many
    // headings and sizes: the quick distance rejection must never drop a
    // pair whose rectangles touch, and a pair apart is left alone.
    int tocando = 0;
    for (int passo = 0; passo < 1200; passo++) {
        Carro a(1, 1 + passo / 400, Vetor(500, 500)), b(1, 1 + passo % 3, Vetor(0, 0));
        const float direcao = passo * 0.7853982f * 0.37f, distancia = 15.0f + (passo % 53) * 1.3f;
        b.setPosicao(Vetor(500 + distancia * std::sin(direcao), 500 + distancia * std::cos(direcao)));
        a.setAngulo(passo * 0.61f);
        b.setAngulo(passo * 1.37f);
        a.setVelocidade(Vetor(1, 2));
        const bool esperado = colisao.checaColisao(colisao.calcularPontosQuinas(&a), colisao.calcularPontosQuinas(&b));
        ASSERT_EQ(colisao.tratamentoColisaoEntreCarros(&a, &b), esperado) << passo;
        if (!esperado) {  // then neither car changes
            EXPECT_EQ(a.colidiu + b.colidiu + a.getVelocidade().getX(), 1) << passo;
        }
        tocando += esperado;
    }
    EXPECT_GT(tocando, 300);
    EXPECT_LT(tocando, 900);
}

TEST(MapaColisao, BuildingsAreLowerLayerTiles664To781AndAShortMapKeepsItsCells) {
    DiretorioTemporario dir;
    // The upper layer holds a building number over a free cell: still free.
    dir.escrever("mapas/1.txt", "2 3\n1 664 781\n663 782 700\n2 3\n700 0 0\n0 0 0\n");
    LogicaColisao colisao;
    colisao.gerarMapaColisao(1);
    EXPECT_TRUE(colisao.isCarregado());
    std::string predios;
    for (int r = -1; r <= 2; r++)
        for (int c = -1; c <= 3; c++) predios += colisao.isPredio(r, c) ? 'X' : '.';
    EXPECT_EQ(predios,
              "....."
              "..XX."
              "...X."
              ".....");
    // Short: one line, the cells read are kept, the rest is free.
    dir.escrever("mapas/1.txt", "2 2 700 1 700");
    EXPECT_EQ(contarLinhas(saidaDe([&] { colisao.gerarMapaColisao(1); })), 1);
    EXPECT_FALSE(colisao.isCarregado());
    EXPECT_TRUE(colisao.isPredio(1, 0));
    EXPECT_FALSE(colisao.isPredio(1, 1));
    // Tile squares: corners in screen order.
    LogicaColisao::Poligono p = colisao.gerarPontosTile(2, 5);
    const float cantos[] = {128, 320, 192, 320, 192, 384, 128, 384};
    for (int i = 0; i < 8; i++) EXPECT_EQ(i % 2 ? p[i / 2].getY() : p[i / 2].getX(), cantos[i]) << i;
}
