#include <gtest/gtest.h>

#include <tuple>

#include "DiretorioTemporario.h"
#include "LinhaChegada.h"
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

// The finish screen's line: a record against the file's best (or against an
// empty file), or the best and how far behind, as the race clock shows them.
TEST(LinhaChegada, NewRecordOrTheBestAndTheDifference) {
    const std::pair<int, std::vector<int>> recordes[] = {{40000, {41270, 50000}}, {90000, {}}, {41269, {41270}}};
    for (const auto& [tempo, anteriores] : recordes) {
        LinhaChegada l;
        l.definir(tempo, anteriores);
        EXPECT_TRUE(l.isRecorde());
        EXPECT_EQ(l.getTexto(), "NEW RECORD!") << tempo;
    }
    const std::tuple<int, std::vector<int>, std::string> mais[] = {
        {44880, {50000, 41270}, "BEST 0:41.27 \u00b7 +3.61"},
        {41270, {41270}, "BEST 0:41.27 \u00b7 +0.00"},      // a tie is no record
        {41279, {41270}, "BEST 0:41.27 \u00b7 +0.00"},      // the clocks as shown
        {125000, {61234}, "BEST 1:01.23 \u00b7 +1:03.77"}};
    for (const auto& [tempo, anteriores, texto] : mais) {
        LinhaChegada l;
        l.definir(tempo, anteriores);
        EXPECT_FALSE(l.isRecorde());
        EXPECT_EQ(l.getTexto(), texto);
    }
    EXPECT_EQ(LinhaChegada().getTexto(), "");
}
