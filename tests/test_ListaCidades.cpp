// The list of cities: a good list, and each fault a damaged one may have,
// which costs the city it is in and nothing else.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "AjudaColisao.h"
#include "DiretorioTemporario.h"
#include "ListaCidades.h"

namespace {

const char* const BOA =
    "# comment\n"
    "[city]\nmap = 1\nname = THE AVENUE\nstart = 50 550\nfinish = 9120\n"
    "\n[city]\n  map=3 \nname = THE COAST ROAD NORTH\ntiles = tiles-3.bmp\nstart = 40 1100\nfinish = 30500\n"
    "traffic = 70 2500\nroute = 17,0 17,120 9,120 9,480\n";

std::string ler(ListaCidades& lista, const std::string& texto, bool* ok = nullptr) {
    std::istringstream entrada(texto);
    return saidaDe([&] {
        const bool lido = lista.ler(entrada, "mapas/cidades.txt");
        if (ok) *ok = lido;
    });
}

}  // namespace

TEST(ListaCidades, ReadsEveryCityInOrderWithTheDefaultsOfCityOne) {
    ListaCidades lista;
    bool ok = false;
    EXPECT_EQ(ler(lista, BOA, &ok), "");
    EXPECT_TRUE(ok);
    ASSERT_EQ(lista.getQuantidade(), 2);
    const ListaCidades::Cidade &um = lista.getCidade(0), &tres = lista.getCidade(1);
    EXPECT_EQ(um.folha, "tiles.bmp");
    EXPECT_EQ(um.carros, 50);
    EXPECT_EQ(um.esperaTransito, 4999);
    EXPECT_EQ(tres.mapa, 3);
    EXPECT_EQ(tres.nome, "THE COAST ROAD NORTH");  // as long as a name may be
    EXPECT_EQ(tres.folha, "tiles-3.bmp");
    // Kept as the car keeps a position: down the map, then across.
    EXPECT_EQ(tres.largada.getX(), 1100.0f);
    EXPECT_EQ(tres.largada.getY(), 40.0f);
    EXPECT_EQ(tres.chegada, 30500.0f);
    EXPECT_EQ(tres.carros, 70);
    EXPECT_EQ(tres.esperaTransito, 2500);
    ASSERT_EQ(tres.rota.size(), 4u);
    EXPECT_EQ(tres.rota[2], std::make_pair(9, 120));
    EXPECT_EQ(lista.indiceDoMapa(3), 1);
    EXPECT_EQ(lista.indiceDoMapa(2), -1);
    EXPECT_EQ(&lista.getCidade(7), &tres);  // clamped
}

// Each fault: one line naming the file, the line and what is wrong; that
// city is left out and city 1 (the first block) stays.
TEST(ListaCidades, AFaultyCityIsReportedAndLeftOut) {
    const std::pair<const char*, const char*> casos[] = {
        {"map = 0", "line 12: map is not a number"},
        {"map = 2.5", "line 12: map is not a number"},
        {"map = 100", "line 12: map is not a number"},
        {"map = 1", "line 7: map 1 is already another city's"},
        {"name = ", "line 12: name must be"},
        {"name = TWENTY ONE CHARACTERS", "line 12: name must be"},
        {"tiles = ../../etc/passwd", "line 12: tiles must be a plain file name"},
        {"start = 50", "line 12: start is not two pixel positions"},
        {"start = -5 100", "line 12: start is not two pixel positions"},
        {"finish = 20", "line 7: the finish lies behind the start"},
        {"finish = nan", "line 12: finish is not a pixel position"},
        {"traffic = 201 100", "line 12: traffic is not a fleet"},
        {"traffic = 10 100 7", "line 12: traffic is not a fleet"},
        {"route = 3,4", "line 12: route is not a list"},
        {"route = 3,4 5;6", "line 12: route is not a list"},
        {"colour = red", "line 12: unknown key \"colour\""},
        {"just words", "line 12: not a line key = value"},
    };
    for (auto [linha, motivo] : casos) {
        SCOPED_TRACE(linha);
        ListaCidades lista;
        bool ok = true;
        const std::string saida = ler(lista,
                                      std::string("[city]\nmap = 1\nname = ONE\nstart = 50 550\nfinish = 9120\n\n"
                                                  "[city]\nmap = 2\nname = TWO\nstart = 50 550\nfinish = 9120\n") +
                                          linha + "\n",
                                      &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(saida.rfind(std::string("mapas/cidades.txt ") + motivo, 0), 0u) << saida;
        EXPECT_EQ(contarLinhas(saida), 1) << saida;
        ASSERT_EQ(lista.getQuantidade(), 1);
        EXPECT_EQ(lista.getCidade(0).nome, "ONE");
    }
}

TEST(ListaCidades, WithoutAUsableListTheGameRacesCityOneAsItAlwaysHas) {
    DiretorioTemporario dir;
    ListaCidades lista;
    ler(lista, BOA);
    EXPECT_EQ(saidaDe([&] { EXPECT_FALSE(lista.carregar("mapas/cidades.txt")); }),
              "mapas/cidades.txt: the city list is missing; racing city 1 only\n");
    ASSERT_EQ(lista.getQuantidade(), 1);
    EXPECT_EQ(lista.getCidade(0).chegada, 9120.0f);
    dir.escrever("mapas/cidades.txt/x", "");
    EXPECT_NE(saidaDe([&] { lista.carregar("mapas/cidades.txt"); }).find("directory"), std::string::npos);
    // Lines outside a block, and blocks missing what a race needs.
    dir.escrever("mapas/lista.txt", "map = 2\n[city]\nmap = 2\n[city]\nname = X\n");
    const std::string saida = saidaDe([&] { lista.carregar("mapas/lista.txt"); });
    EXPECT_NE(saida.find("line 1: \"map = 2\" is outside any [city] block"), std::string::npos) << saida;
    EXPECT_NE(saida.find("line 2: the city has no name"), std::string::npos) << saida;
    EXPECT_NE(saida.find("line 4: the city has no map"), std::string::npos) << saida;
    EXPECT_NE(saida.find("mapas/lista.txt: no city to race; racing city 1 only"), std::string::npos) << saida;
    EXPECT_EQ(lista.getQuantidade(), 1);
    EXPECT_EQ(lista.getCidade(0).mapa, 1);
    // Ten cities: the menu keeps nine.
    std::string dez;
    for (int m = 1; m <= 10; m++) dez += "[city]\nmap = " + std::to_string(m) + "\nname = C\nstart = 0 0\nfinish = 9\n";
    EXPECT_EQ(ler(lista, dez), "mapas/cidades.txt line 46: more than 9 cities; that city is left out\n");
    EXPECT_EQ(lista.getQuantidade(), 9);
}
