#include <gtest/gtest.h>

#include "Carro.h"
#include "DiretorioTemporario.h"
#include "Logica.h"

// Traffic laid out by hand; cars named by their identifier so that the
// pairs handed to the collision test read as text ("player-car").
struct FrotaFalsa {
    DiretorioTemporario dir;
    std::vector<std::unique_ptr<Carro>> carros;
    int ativos = 0;
    Carro jogador{0, 1, Vetor(1000, 1000)};

    void por(float x, float y) {
        carros.emplace_back(new Carro(static_cast<int>(carros.size()) + 1, 1, Vetor(x, y)));
        ativos += x != -100.0f;
    }
    int getMaxCarros() const { return static_cast<int>(carros.size()); }
    int getActiveCarro() const { return ativos; }
    Carro* getCarro(int i) { return carros[i].get(); }
    std::vector<std::string> pares() {
        std::vector<std::string> p;
        Logica::percorrerParesProximos(&jogador, this, [&](Carro* a, Carro* b) {
            p.push_back(std::to_string(a->getIDCarro()) + "-" + std::to_string(b->getIDCarro()));
        });
        return p;
    }
};

using Pares = std::vector<std::string>;

TEST(DespachoColisao, EveryPairOnceLowerSlotFirstParkedCarsSkippedAndNotCounted) {
    FrotaFalsa f;
    f.por(-100, -100);
    f.por(1020, 1040);
    f.por(-100, -100);
    f.por(1060, 1000);
    f.por(1000, 950);
    EXPECT_EQ(f.pares(), (Pares{"0-2", "0-4", "0-5", "2-4", "2-5", "4-5"}));
    f.ativos = 2;  // the walks stop once that many cars have been met
    EXPECT_EQ(f.pares(), (Pares{"0-2", "0-4", "2-4"}));
}

TEST(DespachoColisao, PairsAreSkippedOnlyWhenFarApartOnBothAxes) {
    FrotaFalsa f;
    f.por(1010, 1500);     // 500 along y, 10 along x: tested
    f.por(1127.9f, 1127);  // 127 on both once truncated: tested
    f.por(1128, 1128);     // 128 on both: skipped
    f.por(1500, 1010);     // far along x only: tested; 490 from car 1 on both
    EXPECT_EQ(f.pares(), (Pares{"0-1", "0-2", "0-4", "1-2", "1-3", "2-3", "2-4", "3-4"}));
}
