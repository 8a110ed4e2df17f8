#include "AmbienteLogica.h"
#include "ColisoesCorrida.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"

namespace {

// The pairs handed to the collision test, by car identifier ("player-car").
std::vector<std::string> pares(FrotaFalsa& frota) {
    Carro jogador{0, 1, Vetor(1000, 1000)};
    std::vector<std::string> p;
    ColisoesCorrida::percorrerParesProximos(&jogador, &frota, [&](Carro* a, Carro* b) {
        p.push_back(std::to_string(a->getIDCarro()) + "-" + std::to_string(b->getIDCarro()));
    });
    return p;
}

using Pares = std::vector<std::string>;

}  // namespace

TEST_F(AmbienteLogica, CollisionPairsOnceLowerSlotFirstSkippingParkedAndFarCars) {
    FrotaFalsa f;
    f.por(-100, -100);
    f.por(1020, 1040);
    f.por(-100, -100);
    f.por(1060, 1000);
    f.por(1000, 950);
    EXPECT_EQ(pares(f), (Pares{"0-2", "0-4", "0-5", "2-4", "2-5", "4-5"}));
    f.ativos = 2;  // the walks stop once that many cars have been met
    EXPECT_EQ(pares(f), (Pares{"0-2", "0-4", "2-4"}));

    // Skipped only when more than 127 whole pixels apart on both axes.
    FrotaFalsa g;
    g.por(1010, 1500);     // 500 along y, 10 along x: tested
    g.por(1127.9f, 1127);  // 127 on both once truncated: tested
    g.por(1128, 1128);     // 128 on both: skipped
    g.por(1500, 1010);     // far along x only: tested; 490 from car 1 on both
    EXPECT_EQ(pares(g), (Pares{"0-1", "0-2", "0-4", "1-2", "1-3", "2-3", "2-4", "3-4"}));
}

TEST_F(AmbienteLogica, APlayerHeldAgainstThreeCrashedCarsIsStalledOnceAndCanReverseOut) {
    carregar();
    largar();
    LogicaNPC* npc = logica->getNPC();
    for (int i = 0; i < 50 || npc->getActiveCarro() < 3; i++) quadro();  // the voice's level builds up
    // Nose against one crashed car, front corners against two more.
    Carro* j = jogador();
    j->setPosicao(Vetor(550, 500));
    j->setVelocidade(Vetor(0, 0));
    j->setMarcha(1);
    const Vetor lugares[3] = {Vetor(550, 559), Vetor(521, 540), Vetor(579, 540)};
    for (int i = 0, k = 0; k < 3; i++) {
        if (npc->isEstacionado(i)) continue;
        Carro* c = npc->getCarro(i);
        c->setPosicao(lugares[k++]);
        c->setAngulo(0);
        c->setVelocidade(Vetor(0, 0));
        c->setMarcha(0);
    }
    quadro();
    EXPECT_EQ(j->getMarcha(), 0);
    EXPECT_EQ(j->colidiu, 3);
    quadro();  // keys up: the shift latch opens
    apertar(KEY_Q);
    for (int i = 0; i < 100; i++) quadro();
    EXPECT_EQ(j->getMarcha(), -1);
    EXPECT_LT(j->getPosicao().getY(), 470.0f);
    EXPECT_EQ(j->colidiu, 0);
}

TEST_F(AmbienteLogica, ATrafficCarDrivenIntoABuildingEndsEveryFrameOutsideIt) {
    dir.escrever("mapas/1.txt", gradeCidade(2, [](int r, int c, int k) {
                     return k ? 0 : r == 4 && c == 11 ? 700 : 1;
                 }));
    carregar();
    largar();
    LogicaNPC* npc = logica->getNPC();
    // The car in slot 2, the slots below it parked (driven off the map):
    // one car on the map, but not in the first slot, so a walk that stops
    // at the number of active cars would never reach it.
    while (npc->getActiveCarro() < 3) quadro();
    npc->getCarro(0)->setPosicao(Vetor(-5000, -5000));
    npc->getCarro(1)->setPosicao(Vetor(-5000, -5000));
    quadro();
    ASSERT_TRUE(npc->getActiveCarro() == 1 && npc->isEstacionado(0) && npc->isEstacionado(1));
    Carro* c = npc->getCarro(2);
    c->setPosicao(Vetor(4 * 64 - 20, 11 * 64 + 32));  // its nose in the building, driving down
    c->setAngulo(1.5707963f);
    c->setVelocidade(Vetor(8, 0));
    LogicaColisao* colisao = logica->getColisao();
    for (int i = 0; i < 20; i++) {
        quadro();
        ASSERT_FALSE(colisao->checaColisao(colisao->calcularPontosQuinas(c), colisao->gerarPontosTile(11, 4))) << i;
    }
    EXPECT_LT(c->getPosicao().getX(), 4 * 64 - 29);
}
