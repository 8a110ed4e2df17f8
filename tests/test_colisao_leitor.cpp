// The city map and traffic table reader, and the collision map built from it:
// good files, and every kind of bad file the race loading may meet.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Carro.h"
#include "DiretorioTemporario.h"
#include "LeitorMapa.h"
#include "LogicaColisao.h"

namespace {

// Lines printed on the console while `acao` runs.
template <typename F>
std::string saidaDe(F acao) {
    testing::internal::CaptureStdout();
    acao();
    return testing::internal::GetCapturedStdout();
}

int contarLinhas(const std::string& texto) {
    int n = 0;
    for (char c : texto) n += c == '\n';
    return n;
}

}  // namespace

TEST(LeitorMapa, ReadsBothLayersIgnoringLineBreaksAndTrailingText) {
    DiretorioTemporario dir;
    dir.escrever("mapas/3.txt", "2 3\n1 2 3 4\n5 6\n2\n3 7 8 9\n10 11 12 whatever follows\n");
    LeitorMapa leitor;
    std::string saida = saidaDe([&] { EXPECT_TRUE(leitor.carregarMapa(LeitorMapa::nomeArquivoMapa(3))); });
    EXPECT_EQ(saida, "");
    EXPECT_TRUE(leitor.isCarregado());
    EXPECT_EQ(leitor.getErro(), "");
    ASSERT_EQ(leitor.getAltura(), 2);
    ASSERT_EQ(leitor.getLargura(), 3);
    EXPECT_EQ(leitor.getInferior(0, 0), 1);
    EXPECT_EQ(leitor.getInferior(1, 2), 6);
    EXPECT_EQ(leitor.getSuperior(0, 1), 8);
    EXPECT_EQ(leitor.getSuperior(1, 2), 12);
    // Outside the grid reads as free ground.
    EXPECT_EQ(leitor.getInferior(-1, 0), 0);
    EXPECT_EQ(leitor.getInferior(2, 0), 0);
    EXPECT_EQ(leitor.getSuperior(0, 3), 0);
}

struct ArquivoRuim {
    const char* conteudo;
    const char* motivo;  // part of the console line
    int altura;
    int largura;
};

// Each bad file: one console line naming the file and the fault, a load that
// says it failed, no allocation for absurd sizes, and the cells that were
// read kept while the rest stay free.
TEST(LeitorMapa, BadMapFilesGiveOneLineAndAFailedLoad) {
    const ArquivoRuim casos[] = {
        {"", "ends early", 0, 0},
        {"2", "ends early", 0, 0},
        {"x 3", "not a number", 0, 0},
        {"0 3", "bad dimensions 0 x 3", 0, 0},
        {"2 -3", "bad dimensions 2 x -3", 0, 0},
        {"1000000000 150", "bad dimensions 1000000000 x 150", 0, 0},
        {"200 200", "bad dimensions", 0, 0},  // each side fine, too many cells
        {"99999999999 2", "not a number", 0, 0},
        {"2 2 1 2 abc 4", "not a number at lower layer row 1, column 0", 2, 2},
        {"2 2 1 2 3", "ends early, lower layer row 1, column 1 missing", 2, 2},
        {"2 2 1 2 3 4", "upper layer header", 2, 2},
        {"2 2 1 2 3 4 2 3 5 6 7 8 9 10", "disagrees", 2, 2},
        {"2 2 1 2 3 4 2 2 5 6 7", "upper layer row 1, column 1", 2, 2},
        {"2 2 1 2 3 4 2 2 5 6 7 8.5", "not a number at upper layer row 1, column 1", 2, 2},
    };
    for (const ArquivoRuim& caso : casos) {
        SCOPED_TRACE(caso.conteudo);
        DiretorioTemporario dir;
        dir.escrever("mapas/1.txt", caso.conteudo);
        LeitorMapa leitor;
        bool ok = true;
        std::string saida = saidaDe([&] { ok = leitor.carregarMapa("mapas/1.txt"); });
        EXPECT_FALSE(ok);
        EXPECT_FALSE(leitor.isCarregado());
        EXPECT_EQ(contarLinhas(saida), 1) << saida;
        EXPECT_EQ(saida.rfind("mapas/1.txt: ", 0), 0u) << saida;
        EXPECT_NE(saida.find(caso.motivo), std::string::npos) << saida;
        EXPECT_EQ(saida, leitor.getErro() + "\n");
        EXPECT_EQ(leitor.getAltura(), caso.altura);
        EXPECT_EQ(leitor.getLargura(), caso.largura);
    }
}

TEST(LeitorMapa, ShortFileKeepsWhatWasReadAndLeavesTheRestFree) {
    std::istringstream entrada("2 3 1 664 781 663");
    LeitorMapa leitor;
    saidaDe([&] { EXPECT_FALSE(leitor.lerMapa(entrada, "curto")); });
    EXPECT_EQ(leitor.getErro(), "curto: ends early, lower layer row 1, column 1 missing");
    EXPECT_EQ(leitor.getInferior(0, 1), 664);
    EXPECT_EQ(leitor.getInferior(1, 0), 663);
    EXPECT_EQ(leitor.getInferior(1, 1), 0);
    EXPECT_EQ(leitor.getSuperior(0, 0), 0);

    // A second header that disagrees keeps the whole lower layer.
    std::istringstream discorda("1 2 5 6 1 3 7 8 9");
    saidaDe([&] { EXPECT_FALSE(leitor.lerMapa(discorda, "x")); });
    EXPECT_EQ(leitor.getInferior(0, 1), 6);
    EXPECT_EQ(leitor.getSuperior(0, 1), 0);
}

TEST(LeitorMapa, MissingFileOrDirectoryIsReported) {
    DiretorioTemporario dir;
    LeitorMapa leitor;
    std::string saida = saidaDe([&] { EXPECT_FALSE(leitor.carregarTransito("mapas/1trans.txt")); });
    EXPECT_EQ(saida, "mapas/1trans.txt: cannot open traffic table\n");

    dir.escrever("mapas/2.txt/dentro", "");
    saida = saidaDe([&] { EXPECT_FALSE(leitor.carregarMapa("mapas/2.txt")); });
    EXPECT_EQ(saida, "mapas/2.txt: is a directory, not a map file\n");

    // A failed load after a good one leaves nothing of the old grid.
    dir.escrever("mapas/3.txt", "1 1 7 1 1 8");
    EXPECT_TRUE(leitor.carregarMapa("mapas/3.txt"));
    saidaDe([&] { leitor.carregarMapa("mapas/4.txt"); });
    EXPECT_EQ(leitor.getAltura(), 0);
    EXPECT_EQ(leitor.getInferior(0, 0), 0);
}

// ------------------------------------------------------------ collision map

TEST(MapaColisao, BuildingsAreLowerLayerTiles664To781) {
    DiretorioTemporario dir;
    // The upper layer holds a building number over a free cell: still free.
    dir.escrever("mapas/1.txt", "2 3\n1 664 781\n663 782 700\n2 3\n700 0 0\n0 0 0\n");
    LogicaColisao colisao;
    colisao.gerarMapaColisao(1);
    EXPECT_TRUE(colisao.isCarregado());
    ASSERT_EQ(colisao.getAltura(), 2);
    ASSERT_EQ(colisao.getLargura(), 3);
    bool** m = colisao.getMatriz();
    EXPECT_FALSE(m[0][0]);
    EXPECT_TRUE(m[0][1]);
    EXPECT_TRUE(m[0][2]);
    EXPECT_FALSE(m[1][0]);
    EXPECT_FALSE(m[1][1]);
    EXPECT_TRUE(m[1][2]);
    EXPECT_FALSE(colisao.isPredio(-1, 0));
    EXPECT_FALSE(colisao.isPredio(0, 3));
}

TEST(MapaColisao, TileSquareCornersInScreenOrder) {
    LogicaColisao colisao;
    LogicaColisao::Poligono p = colisao.gerarPontosTile(2, 5);
    const float esperado[4][2] = {{128, 320}, {192, 320}, {192, 384}, {128, 384}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(p[i].getX(), esperado[i][0]);
        EXPECT_EQ(p[i].getY(), esperado[i][1]);
    }
}

TEST(MapaColisao, WithoutAMapNothingCollidesAndNothingBreaks) {
    DiretorioTemporario dir;
    dir.escrever("dados/carros/1.car", "30 60");
    LogicaColisao colisao;
    std::string saida = saidaDe([&] { colisao.gerarMapaColisao(1); });
    EXPECT_EQ(saida, "mapas/1.txt: cannot open map file\n");
    EXPECT_FALSE(colisao.isCarregado());
    EXPECT_EQ(colisao.getMatriz(), nullptr);

    Carro carro(1, 1, Vetor(10, 10));
    carro.setVelocidade(Vetor(-3, -3));
    EXPECT_FALSE(colisao.tratamentoColisaoComPredios(&carro));
    EXPECT_FALSE(colisao.tratamentoColisaoComLimites(&carro));
    EXPECT_EQ(carro.getPosicao().getX(), 10);
    EXPECT_EQ(carro.getVelocidade().getY(), -3);
}

TEST(MapaColisao, ShortMapUsesTheCellsItHas) {
    DiretorioTemporario dir;
    dir.escrever("mapas/1.txt", "2 2 700 1 700");
    LogicaColisao colisao;
    std::string saida = saidaDe([&] { colisao.gerarMapaColisao(1); });
    EXPECT_EQ(contarLinhas(saida), 1);
    EXPECT_FALSE(colisao.isCarregado());
    EXPECT_TRUE(colisao.isPredio(0, 0));
    EXPECT_TRUE(colisao.isPredio(1, 0));
    EXPECT_FALSE(colisao.isPredio(1, 1));
}
