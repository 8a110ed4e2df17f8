#include <gtest/gtest.h>

#include <cmath>

#include "AjudaColisao.h"
#include "Carro.h"
#include "DiretorioTemporario.h"

TEST(Carro, SizeFromItsTypesDataFileOrTheDefaultWithOneLineNamingTheFile) {
    DiretorioTemporario dir;
    const struct {
        const char* conteudo;  // none: no file
        int h, w;
    } casos[] = {{"25 50\nthis is ignored\n", 25, 50},
                 {"22 abc\n", 30, 60},
                 {"0 50\n", 30, 60},
                 {"-4 -9\n", 30, 60},
                 {nullptr, 30, 60}};
    for (int tipo = 1; tipo <= 5; tipo++) {
        const std::string arquivo = "dados/carros/" + std::to_string(tipo) + ".car";
        if (casos[tipo - 1].conteudo) dir.escrever(arquivo, casos[tipo - 1].conteudo);
        std::string saida = saidaDe([&] {
            Carro c(1, tipo, Vetor());
            EXPECT_EQ(c.getH(), casos[tipo - 1].h) << tipo;
            EXPECT_EQ(c.getW(), casos[tipo - 1].w) << tipo;
        });
        EXPECT_EQ(contarLinhas(saida), tipo > 1) << saida;
        EXPECT_EQ(saida.find(arquivo) == 0, tipo > 1) << saida;
    }
}
