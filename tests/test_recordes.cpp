#include <gtest/gtest.h>

#include "DiretorioTemporario.h"
#include "Recordes.h"
#include "test_colisao_ajuda.h"

TEST(Recordes, AppendsWithoutTruncatingAndReportsAFileItCannotOpen) {
    DiretorioTemporario dir;
    dir.escrever("records.txt", "Tempo: 90000 mills\n");
    EXPECT_TRUE(Recordes().acrescentar(61234));
    EXPECT_EQ(dir.ler("records.txt"), "Tempo: 90000 mills\nTempo: 61234 mills\n");
    dir.escrever("records.txt", "Tempo: 90000 mills");  // edited by hand: no last line end
    Recordes().acrescentar(500);
    EXPECT_EQ(dir.ler("records.txt"), "Tempo: 90000 mills\nTempo: 500 mills\n");
    std::filesystem::create_directory("d");  // nobody, root included, appends to it
    std::string saida = saidaDe([] { EXPECT_FALSE(Recordes("d").acrescentar(777)); });
    EXPECT_EQ(saida.rfind("d: ", 0), 0u) << saida;
    EXPECT_EQ(contarLinhas(saida), 1) << saida;
}

TEST(Recordes, LoadsTheBestTenFastestFirstSkippingJunk) {
    DiretorioTemporario dir;
    std::string conteudo;
    for (int t : {500, 120, 900, 50, 700, 300, 1100, 1000, 800, 60, 400, 200})
        conteudo += "Tempo: " + std::to_string(t) + " mills\n";
    conteudo += "junk\nTempo: -5 mills\nTempo: 12x mills\nTempo:  mills\nTempo: 99999999999 mills\n"
                "Tempo: 10 millis\n\nTempo: 70 mills\r\nTempo: 40 mills";  // CRLF; no final line end
    dir.escrever("records.txt", conteudo);
    Recordes r;
    r.carregar();
    EXPECT_EQ(r.getMelhores(), (std::vector<int>{40, 50, 60, 70, 120, 200, 300, 400, 500, 700}));
    std::filesystem::remove("records.txt");
    EXPECT_EQ(saidaDe([&] { r.carregar(); }), "");  // no race finished yet: an empty page, silently
    EXPECT_TRUE(r.getMelhores().empty());
}
