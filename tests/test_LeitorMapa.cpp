// The city map and traffic table reader: good files, and every kind of bad
// file the race loading may meet.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "AjudaColisao.h"
#include "DiretorioTemporario.h"
#include "LeitorMapa.h"

TEST(LeitorMapa, ReadsBothLayersIgnoringLineBreaksAndTrailingText) {
    std::istringstream entrada("2 3\n1 2 3 4\n5 6\n2\n3 7 8 9\n10 11 12 whatever follows\n");
    LeitorMapa leitor;
    EXPECT_EQ(saidaDe([&] { EXPECT_TRUE(leitor.lerMapa(entrada, "x")); }), "");
    EXPECT_TRUE(leitor.isCarregado());
    ASSERT_EQ(std::pair(leitor.getAltura(), leitor.getLargura()), std::pair(2, 3));
    EXPECT_EQ(leitor.getInferior(1, 2), 6);
    EXPECT_EQ(leitor.getSuperior(0, 1), 8);
    // Outside the grid reads as free ground; a traffic table has no upper layer.
    EXPECT_EQ(leitor.getInferior(-1, 0) + leitor.getInferior(2, 0) + leitor.getSuperior(0, 3), 0);
    std::istringstream tabela("1 1 868"), discorda("1 2 5 6 1 3 7 8 9");
    EXPECT_TRUE(leitor.lerTransito(tabela, "t"));
    EXPECT_EQ(leitor.getSuperior(0, 0), 0);
    // A second header that disagrees keeps the whole lower layer.
    saidaDe([&] { EXPECT_FALSE(leitor.lerMapa(discorda, "x")); });
    EXPECT_EQ(leitor.getInferior(0, 1), 6);
    EXPECT_EQ(leitor.getSuperior(0, 1), 0);
}

// Each bad file: one console line naming the file and the fault, a load that
// says it failed, no allocation for absurd sizes, and the size that was read.
TEST(LeitorMapa, BadMapFilesGiveOneLineAndAFailedLoad) {
    const std::pair<const char*, const char*> casos[] = {
        {"", "ends early"},
        {"2", "ends early"},
        {"x 3", "not a number"},
        {"0 3", "bad dimensions 0 x 3"},
        {"2 -3", "bad dimensions 2 x -3"},
        {"1000000000 150", "bad dimensions 1000000000 x 150"},
        {"200 200", "bad dimensions"},  // each side fine, too many cells
        {"99999999999 2", "not a number"},
        {"2 2 1 2 abc 4", "not a number at lower layer row 1, column 0"},
        {"2 2 1 2 3", "ends early, lower layer row 1, column 1 missing"},
        {"2 2 1 2 3 4", "upper layer header"},
        {"2 2 1 2 3 4 2 3 5 6 7 8 9 10", "disagrees"},
        {"2 2 1 2 3 4 2 2 5 6 7", "upper layer row 1, column 1"},
        {"2 2 1 2 3 4 2 2 5 6 7 8.5", "not a number at upper layer row 1, column 1"},
    };
    DiretorioTemporario dir;
    for (auto [conteudo, motivo] : casos) {
        SCOPED_TRACE(conteudo);
        dir.escrever("mapas/1.txt", conteudo);
        LeitorMapa leitor;
        bool ok = true;
        std::string saida = saidaDe([&] { ok = leitor.carregarMapa("mapas/1.txt"); });
        EXPECT_FALSE(ok || leitor.isCarregado());
        EXPECT_EQ(contarLinhas(saida), 1) << saida;
        EXPECT_EQ(saida.rfind("mapas/1.txt: ", 0), 0u) << saida;
        EXPECT_NE(saida.find(motivo), std::string::npos) << saida;
        EXPECT_EQ(saida, leitor.getErro() + "\n");
        EXPECT_EQ(leitor.getAltura() * leitor.getLargura(), std::string(conteudo).rfind("2 2 ", 0) == 0 ? 4 : 0);
    }
}

TEST(LeitorMapa, MissingFileOrDirectoryIsReportedAndForgetsTheOldGrid) {
    DiretorioTemporario dir;
    LeitorMapa leitor;
    EXPECT_EQ(saidaDe([&] { EXPECT_FALSE(leitor.carregarTransito("mapas/1trans.txt")); }),
              "mapas/1trans.txt: cannot open traffic table\n");
    dir.escrever("mapas/2.txt/dentro", "");
    EXPECT_EQ(saidaDe([&] { leitor.carregarMapa("mapas/2.txt"); }), "mapas/2.txt: is a directory, not a map file\n");
    dir.escrever("mapas/3.txt", "1 1 7 1 1 8");
    EXPECT_TRUE(leitor.carregarMapa("mapas/3.txt"));
    saidaDe([&] { leitor.carregarMapa("mapas/4.txt"); });
    EXPECT_EQ(leitor.getAltura() + leitor.getInferior(0, 0), 0);
}
