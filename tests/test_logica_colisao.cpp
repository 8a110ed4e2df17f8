#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Carro.h"
#include "DiretorioTemporario.h"
#include "Logica.h"

namespace {

struct FrotaFalsa {
    std::vector<Carro*> carros;
    int ativos = 0;
    int getMaxCarros() const { return static_cast<int>(carros.size()); }
    int getActiveCarro() const { return ativos; }
    Carro* getCarro(int i) { return carros[i]; }
};

// Cars named by their identifier, so the pairs read as text.
class Cena {
public:
    Carro* jogador(float x, float y) { return novo(0, x, y); }
    void trafego(int id, float x, float y) {
        Carro* c = novo(id, x, y);
        frota.carros.push_back(c);
        if (x != -100.0f) frota.ativos++;
    }
    std::vector<std::string> pares(Carro* j) {
        std::vector<std::string> visitados;
        Logica::percorrerParesProximos(j, &frota, [&](Carro* a, Carro* b) {
            visitados.push_back(std::to_string(a->getIDCarro()) + "-" + std::to_string(b->getIDCarro()));
        });
        return visitados;
    }
    FrotaFalsa frota;

private:
    Carro* novo(int id, float x, float y) {
        dono.emplace_back(new Carro(id, 1, Vetor(x, y)));
        return dono.back().get();
    }
    DiretorioTemporario dir;
    std::vector<std::unique_ptr<Carro>> dono;
};

using Pares = std::vector<std::string>;

}  // namespace

TEST(DespachoColisao, EveryPairOnceLowerSlotFirstSkippingParkedCars) {
    Cena cena;
    Carro* j = cena.jogador(500, 500);
    cena.trafego(1, -100, -100);
    cena.trafego(2, 520, 540);
    cena.trafego(3, -100, -100);
    cena.trafego(4, 560, 600);
    cena.trafego(5, 500, 450);
    EXPECT_EQ(cena.pares(j), (Pares{"0-2", "0-4", "0-5", "2-4", "2-5", "4-5"}));
}

TEST(DespachoColisao, PairsAreSkippedOnlyWhenFarOnBothAxes) {
    Cena cena;
    Carro* j = cena.jogador(1000, 1000);
    cena.trafego(1, 1010, 1500);     // 500 along y, 10 along x: still tested
    cena.trafego(2, 1127.9f, 1127);  // 127 on both after truncation: tested
    cena.trafego(3, 1128, 1128);     // 128 on both: skipped
    cena.trafego(4, 1500, 1010);     // far along x only: tested
    // Among the traffic only 1 and 4 are far apart on both axes (490, 490).
    EXPECT_EQ(cena.pares(j), (Pares{"0-1", "0-2", "0-4", "1-2", "1-3", "2-3", "2-4", "3-4"}));
}

TEST(DespachoColisao, WalksStopOnceTheActiveCarsHaveBeenMet) {
    Cena cena;
    Carro* j = cena.jogador(0, 0);
    cena.trafego(1, 10, 10);
    cena.trafego(2, 20, 20);
    cena.trafego(3, 30, 30);
    // The traffic logic counts two on the map: the third slot is not read.
    cena.frota.ativos = 2;
    EXPECT_EQ(cena.pares(j), (Pares{"0-1", "0-2", "1-2"}));
    cena.frota.ativos = 0;
    EXPECT_TRUE(cena.pares(j).empty());
}
