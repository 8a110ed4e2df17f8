#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tuple>

#include "AjudaColisao.h"
#include "DiretorioTemporario.h"
#include "FormatoTempo.h"
#include "LinhaChegada.h"

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
        {41270, {41270}, "BEST 0:41.27 \u00b7 +0.00"},  // a tie is no record
        {41279, {41270}, "BEST 0:41.27 \u00b7 +0.00"},  // the clocks as shown
        {125000, {61234}, "BEST 1:01.23 \u00b7 +1:03.77"}};
    for (const auto& [tempo, anteriores, texto] : mais) {
        LinhaChegada l;
        l.definir(tempo, anteriores);
        EXPECT_FALSE(l.isRecorde());
        EXPECT_EQ(l.getTexto(), texto);
    }
    EXPECT_EQ(LinhaChegada().getTexto(), "");
    // The records page writes times as the finish line does.
    EXPECT_EQ(FormatoTempo::tempo(15420), "0:15.42");
    EXPECT_EQ(FormatoTempo::diferenca(-42), "-0.42");
}
