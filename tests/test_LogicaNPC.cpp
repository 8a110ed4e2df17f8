// Traffic: the start slots of the traffic table, insertion timing and random
// draws, parking, and the walks over the cars on the map.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>
#include <string>

#include "AjudaColisao.h"
#include "Carro.h"
#include "DiretorioTemporario.h"
#include "LogicaNPC.h"
#include "Relogio.h"

namespace {

// Every car is 60 long and 30 wide.
class Trafego : public ::testing::Test {
protected:
    void SetUp() override {
        for (int tipo = 1; tipo <= 3; tipo++) dir.escrever("dados/carros/" + std::to_string(tipo) + ".car", "30 60");
        Relogio::setManual(0);
        std::srand(1);
    }
    void TearDown() override { Relogio::setReal(); }

    // A traffic logic of `frota` cars over the table; answers the console
    // output of the loading.
    std::string criar(const std::string& tabela, int frota = 50) {
        dir.escrever("mapas/1trans.txt", tabela);
        npc.reset(new LogicaNPC(frota));
        return saidaDe([&] { npc->carregarMatrizTransito(1); });
    }
    int inserir(long quando) {
        Relogio::setManual(quando);
        const int antes = npc->getActiveCarro();
        saidaDe([&] { npc->inserirCarroNoMapa(); });
        return npc->getActiveCarro() - antes;
    }
    // Car 0 put at (x, y) in gear `marcha` and checked with the player at
    // (jx, jy): answers whether it was parked, and puts it back if so.
    bool estaciona(float x, float y, int marcha, float jx, float jy) {
        Carro* carro = npc->getCarro(0);
        carro->setPosicao(Vetor(x, y));
        carro->setMarcha(marcha);
        npc->verificarStatusCarro(0, jx, jy);
        const bool parou = npc->isEstacionado(0);
        if (parou) {
            EXPECT_EQ(inserir(Relogio::getMilissegundos() + 8000), 1);
        }
        return parou;
    }

    DiretorioTemporario dir;
    std::unique_ptr<LogicaNPC> npc;
};

// 5 x 5, start tiles in file order: (0, 3) down, (2, 0) right, (3, 4) up.
const char* TABELA_TRES = "5 5\n0 0 0 869 0\n0 0 0 0 0\n868 0 700 0 0\n0 0 0 0 871\n0 0 0 0 0\n";

}  // namespace

TEST_F(Trafego, FirstInsertionTakesSlotZeroWithoutADrawAfterFiveSeconds) {
    criar(TABELA_TRES);
    EXPECT_EQ(inserir(4998), 0);  // every slot counts as just used at -1 ms
    std::srand(9);
    const int atraso = std::rand() % 3000, acelerador = std::rand() % 500, seguinte = std::rand();
    std::srand(9);
    Relogio::setManual(4999);
    EXPECT_EQ(saidaDe([&] { npc->inserirCarroNoMapa(); }), "\ninserido NPC em 0");
    EXPECT_EQ(std::rand(), seguinte);  // the delay and the throttle: two draws
    ASSERT_EQ(npc->getActiveCarro(), 1);
    Carro* carro = npc->getCarro(0);
    EXPECT_EQ(npc->getInsercao(0), 4999 + atraso);
    EXPECT_FLOAT_EQ(carro->getAngulo(), 1.5707963f);  // code 869
    EXPECT_EQ(carro->getPosicao().getX(), 0 * 64 + 15);
    EXPECT_EQ(carro->getPosicao().getY(), 3 * 64 + 30);
    EXPECT_EQ(carro->getMarcha(), 1);
    EXPECT_FLOAT_EQ(carro->getAceleracao(), (acelerador / 100.0f + 2.0f) / 10.0f);
}

TEST_F(Trafego, ASlotIsReusedOnlyAfterMoreThan4999MsAndTheTenthDrawGivesUp) {
    criar("1 3 0 870 0");  // one start tile: every draw lands on it
    ASSERT_EQ(inserir(10000), 1);
    const long marca = npc->getInsercao(0);
    EXPECT_FLOAT_EQ(npc->getCarro(0)->getAngulo(), 3.1415925f);
    std::srand(3);
    for (int i = 0; i < 10; i++) std::rand();
    const int depoisDeDez = std::rand();
    std::srand(3);
    EXPECT_EQ(inserir(marca + 4999), 0);
    EXPECT_EQ(std::rand(), depoisDeDez);  // busy: ten draws, then it gives up
    EXPECT_EQ(inserir(marca + 5000), 1);

    // Thirteen slots, all busy but one: a draw order finding it at the
    // tenth draw still gives up, at the ninth it inserts.
    std::string tabela = "2 13\n";
    for (int i = 0; i < 26; i++) tabela += i < 13 ? "868 " : "0 ";
    criar(tabela);
    auto ocupados = [&] {
        int n = 0;
        for (int p = 0; p < 13; p++) n += npc->getInsercao(p) >= 0;
        return n;
    };
    for (int tentativa = 0; tentativa < 2000 && ocupados() < 12; tentativa++) inserir(20000);
    ASSERT_EQ(ocupados(), 12);
    int livre = 0;
    while (npc->getInsercao(livre) >= 0) livre++;
    auto sementeQueAcha = [&](int sorteio) {
        for (unsigned semente = 1;; semente++) {
            std::srand(semente);
            int achou = 0;
            for (int d = 1; d <= 10 && achou == 0; d++) achou = std::rand() % 13 == livre ? d : 0;
            if (achou == sorteio) return semente;
        }
    };
    std::srand(sementeQueAcha(10));
    EXPECT_EQ(inserir(20000), 0);
    std::srand(sementeQueAcha(9));
    EXPECT_EQ(inserir(20000), 1);
    EXPECT_GE(npc->getInsercao(livre), 20000);
}

TEST_F(Trafego, FewerThan13StartTilesDrawOnlyFilledSlots) {
    criar(TABELA_TRES);
    std::string saida;
    for (int t = 5000; t < 200000; t += 400) {
        Relogio::setManual(t);
        const int antes = npc->getActiveCarro();
        saida += saidaDe([&] { npc->trabalhar(160, 160); });
        EXPECT_LE(npc->getActiveCarro(), antes + 1);  // at most one car enters per frame
    }
    std::regex linha("\ninserido NPC em (\\d+)");
    int insercoes = 0;
    for (auto it = std::sregex_iterator(saida.begin(), saida.end(), linha); it != std::sregex_iterator();
         ++it, insercoes++)
        EXPECT_LT(std::stoi((*it)[1]), 3);
    EXPECT_GT(insercoes, 30);
    for (int p = 3; p < LogicaNPC::NUMERO_PONTOS_INICIAIS; p++) EXPECT_EQ(npc->getInsercao(p), -1);
}

TEST_F(Trafego, TablesWithTooManyOrNoStartTilesOrShortOrMissing) {
    const std::string arquivo = "mapas/1trans.txt: ";
    std::string cheia = "2 20";
    for (int i = 0; i < 40; i++) cheia += i < 20 ? " 868" : " 869";
    EXPECT_EQ(criar(cheia), arquivo + "40 traffic start tiles, only the first 32 are used\n");
    ASSERT_EQ(npc->getNumeroPontosIniciais(), 32);
    EXPECT_EQ(std::pair(npc->getPontoInicial(31).getX(), npc->getPontoInicial(31).getY()), std::pair(1.0f, 11.0f));
    // Short: the start tile before the end still counts.
    EXPECT_EQ(criar("3 3 0 868 0 0"), arquivo + "ends early, table row 1, column 1 missing\n");
    EXPECT_EQ(npc->getNumeroPontosIniciais(), 1);
    // No start tiles, or no table: nothing ever enters, silently.
    EXPECT_EQ(criar("2 2 0 1 700 0"), arquivo + "no traffic start tiles (codes 868 to 871), no traffic will enter\n");
    std::remove("mapas/1trans.txt");
    npc.reset(new LogicaNPC(5));
    EXPECT_EQ(saidaDe([&] { npc->carregarMatrizTransito(1); }), arquivo + "cannot open traffic table\n");
    Relogio::setManual(100000);
    EXPECT_EQ(saidaDe([&] { npc->trabalhar(0, 0); }), "");
    EXPECT_EQ(npc->getActiveCarro(), 0);
}

TEST_F(Trafego, NoParkedCarWhileTheCountSaysThereIsOne) {
    criar(TABELA_TRES, 2);
    ASSERT_EQ(inserir(10000), 1);
    npc->getCarro(1)->setPosicao(Vetor(50, 50));  // on the map behind the count's back
    Relogio::setManual(30000);
    EXPECT_EQ(saidaDe([&] { npc->inserirCarroNoMapa(); }), "erro carro maior que numero de carro\n");
    EXPECT_EQ(npc->getActiveCarro(), 1);
}

TEST_F(Trafego, CarsAreParkedByExitOrWhenStalledFarFromThePlayer) {
    criar(TABELA_TRES);  // 5 x 5 tiles
    ASSERT_EQ(inserir(10000), 1);
    // Exit once the tile of (x - 30, y - 60), truncated, is beyond one tile
    // outside the map; the player's place does not matter while in gear.
    for (float x : {-97.0f, 413.0f}) EXPECT_FALSE(estaciona(x, 100, 1, 5000, 5000)) << x;
    for (float y : {-67.0f, 443.0f}) EXPECT_FALSE(estaciona(100, y, 1, 5000, 5000)) << y;
    for (float x : {-98.5f, 414.0f}) EXPECT_TRUE(estaciona(x, 100, 1, 100, 100)) << x;
    for (float y : {-68.0f, 444.0f}) EXPECT_TRUE(estaciona(100, y, 1, 100, 100)) << y;
    // Stalled: parked when more than 600 away along x or 800 along y.
    EXPECT_FALSE(estaciona(100, 100, 0, 700, 900));
    EXPECT_FALSE(estaciona(100, 100, 0, -500, -700));
    EXPECT_TRUE(estaciona(100, 100, 0, 701, 100));
    EXPECT_TRUE(estaciona(100, 100, 0, 100, 901));
    EXPECT_EQ(npc->getActiveCarro(), 1);
    npc->getCarro(0)->colidiu = 2;
    estaciona(414, 100, 1, 0, 0);
    EXPECT_EQ(npc->getCarro(0)->colidiu, 0);  // parked and put back: no knocks yet
}

TEST_F(Trafego, FrameMovesOnlyCarsOnTheMapIncludingAfterOneIsParked) {
    criar("5 5\n0 0 0 0 0\n0 0 0 0 0\n868 0 0 0 0\n0 0 0 0 0\n0 0 0 0 0\n");
    for (int t = 10000; npc->getActiveCarro() < 3; t += 8000) inserir(t);
    npc->getCarro(0)->setMarcha(0);
    npc->verificarStatusCarro(0, 5000, 5000);
    ASSERT_EQ(npc->getActiveCarro(), 2);
    npc->verificarStatusCarro(0, 0, 0);  // checking a parked car changes nothing
    ASSERT_EQ(npc->getActiveCarro(), 2);
    // A new car goes into the lowest parked slot.
    ASSERT_EQ(inserir(Relogio::getMilissegundos() + 9000), 1);
    EXPECT_FALSE(npc->isEstacionado(0));
    // Car 0 leaves the map in this frame's walk; it still counts, so the
    // walk goes on to cars 1 and 2, and never touches parked car 3.
    npc->getCarro(0)->setPosicao(Vetor(1000, 100));
    for (int i = 1; i <= 2; i++) {
        npc->getCarro(i)->setPosicao(Vetor(160, 160));
        npc->getCarro(i)->setVelocidade(Vetor(0, 5));
    }
    saidaDe([&] { npc->trabalhar(160, 160); });  // slots busy: nothing enters
    EXPECT_EQ(npc->getActiveCarro(), 2);
    EXPECT_TRUE(npc->isEstacionado(0));
    EXPECT_NE(npc->getCarro(1)->getPosicao().getY(), 160);
    EXPECT_NE(npc->getCarro(2)->getPosicao().getY(), 160);
    EXPECT_TRUE(npc->isEstacionado(3));
}
