// Traffic: the fleet, the start slots of the traffic table, insertion timing
// and random draws, parking, and the walks over the cars on the map.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>
#include <string>

#include "Carro.h"
#include "DiretorioTemporario.h"
#include "LogicaNPC.h"
#include "Relogio.h"

namespace {

template <typename F>
std::string saidaDe(F acao) {
    testing::internal::CaptureStdout();
    acao();
    return testing::internal::GetCapturedStdout();
}

bool estacionado(Carro* carro) {
    return carro->getPosicao().getX() == -100.0f && carro->getPosicao().getY() == -100.0f;
}

// Every car file gives 60 x 30 (length along the heading, width across).
class Trafego : public ::testing::Test {
protected:
    void SetUp() override {
        for (int tipo = 1; tipo <= 3; tipo++) dir.escrever("dados/carros/" + std::to_string(tipo) + ".car", "30 60");
        Relogio::setManual(0);
        std::srand(1);
    }
    void TearDown() override { Relogio::setReal(); }

    // A traffic logic of `frota` cars over the given table; returns the
    // console output of the loading.
    std::string criar(const std::string& tabela, int frota = 50) {
        dir.escrever("mapas/1trans.txt", tabela);
        npc.reset(new LogicaNPC(frota));
        return saidaDe([&] { npc->carregarMatrizTransito(1); });
    }

    int inserir() {
        const int antes = npc->getActiveCarro();
        saidaDe([&] { npc->inserirCarroNoMapa(); });
        return npc->getActiveCarro() - antes;
    }

    int slotsOcupados(long agora) {
        int n = 0;
        for (int p = 0; p < LogicaNPC::NUMERO_PONTOS_INICIAIS; p++) n += agora - npc->getInsercao(p) <= 4999;
        return n;
    }

    DiretorioTemporario dir;
    std::unique_ptr<LogicaNPC> npc;
};

// 5 x 5, start tiles in file order: (0, 3) down, (2, 0) right, (3, 4) up.
const char* TABELA_TRES = "5 5\n0 0 0 869 0\n0 0 0 0 0\n868 0 700 0 0\n0 0 0 0 871\n0 0 0 0 0\n";

// 5 x 5 with one start tile, (2, 0) heading right.
const char* TABELA_UMA = "5 5\n0 0 0 0 0\n0 0 0 0 0\n868 0 0 0 0\n0 0 0 0 0\n0 0 0 0 0\n";

}  // namespace

// ---------------------------------------------------------------- insertion

TEST_F(Trafego, FirstInsertionTakesSlotZeroWithoutADraw) {
    criar(TABELA_TRES);
    // Every slot counts as just used at -1 ms, so the first 5 s stay empty.
    Relogio::setManual(4998);
    EXPECT_EQ(inserir(), 0);

    Relogio::setManual(4999);
    std::srand(9);
    const int atraso = std::rand() % 3000;
    const int acelerador = std::rand() % 500;
    const int seguinte = std::rand();
    std::srand(9);
    std::string saida = saidaDe([&] { npc->inserirCarroNoMapa(); });
    EXPECT_EQ(saida, "\ninserido NPC em 0");
    EXPECT_EQ(std::rand(), seguinte);  // the delay and the throttle: two draws

    ASSERT_EQ(npc->getActiveCarro(), 1);
    Carro* carro = npc->getCarro(0);
    EXPECT_EQ(npc->getInsercao(0), 4999 + atraso);
    EXPECT_FLOAT_EQ(carro->getAngulo(), 1.5707963f);  // code 869
    EXPECT_EQ(carro->getPosicao().getX(), 0 * 64 + 15);
    EXPECT_EQ(carro->getPosicao().getY(), 3 * 64 + 30);
    EXPECT_EQ(carro->getMarcha(), 1);
    EXPECT_TRUE(carro->isParado());
    EXPECT_EQ(carro->colidiu, 0);
    EXPECT_FLOAT_EQ(carro->getAceleracao(), (acelerador / 100.0f + 2.0f) / 10.0f);
    EXPECT_EQ(carro->getFreio(), 1.0f);
}

TEST_F(Trafego, ASlotIsReusedOnlyAfterMoreThan4999Ms) {
    criar("1 3 0 870 0");  // one start tile: every draw lands on it
    Relogio::setManual(10000);
    ASSERT_EQ(inserir(), 1);
    const long marca = npc->getInsercao(0);
    EXPECT_GE(marca, 10000);
    EXPECT_LE(marca, 12999);
    EXPECT_FLOAT_EQ(npc->getCarro(0)->getAngulo(), 3.1415925f);

    // Busy: ten draws, all on the same slot, then it gives up.
    Relogio::setManual(static_cast<int>(marca + 4999));
    std::srand(3);
    for (int i = 0; i < 10; i++) std::rand();
    const int depoisDeDez = std::rand();
    std::srand(3);
    EXPECT_EQ(inserir(), 0);
    EXPECT_EQ(std::rand(), depoisDeDez);

    Relogio::setManual(static_cast<int>(marca + 5000));
    EXPECT_EQ(inserir(), 1);
    EXPECT_FALSE(estacionado(npc->getCarro(1)));
}

TEST_F(Trafego, TheTenthDrawGivesUpEvenWhenItFindsAFreeSlot) {
    std::string tabela = "2 13\n";
    for (int i = 0; i < 13; i++) tabela += "868 ";
    tabela += "\n";
    for (int i = 0; i < 13; i++) tabela += "0 ";
    criar(tabela);
    ASSERT_EQ(npc->getNumeroPontosIniciais(), 13);

    // Fill slots at one frozen moment until a single one is left free.
    Relogio::setManual(20000);
    for (int tentativa = 0; tentativa < 2000 && slotsOcupados(20000) < 12; tentativa++) inserir();
    ASSERT_EQ(slotsOcupados(20000), 12);
    int livre = 0;
    while (20000 - npc->getInsercao(livre) <= 4999) livre++;

    // Seeds whose slot draws find the free slot at the tenth, or the ninth, draw.
    auto sementeQueAcha = [&](int sorteio) {
        for (unsigned semente = 1; semente < 100000; semente++) {
            std::srand(semente);
            int achou = 0;
            for (int d = 1; d <= 10 && achou == 0; d++) achou = std::rand() % 13 == livre ? d : 0;
            if (achou == sorteio) return semente;
        }
        return 0u;
    };
    const unsigned decimo = sementeQueAcha(10);
    const unsigned nono = sementeQueAcha(9);
    ASSERT_NE(decimo, 0u);
    ASSERT_NE(nono, 0u);

    std::srand(decimo);
    EXPECT_EQ(inserir(), 0);
    EXPECT_EQ(npc->getInsercao(livre), -1);

    std::srand(nono);
    EXPECT_EQ(inserir(), 1);
    EXPECT_GE(npc->getInsercao(livre), 20000);
}

TEST_F(Trafego, FewerThan13StartTilesDrawOnlyFilledSlots) {
    criar(TABELA_TRES);
    std::string saida;
    int frames = 0;
    for (int t = 5000; t < 200000; t += 400, frames++) {
        Relogio::setManual(t);
        const int antes = npc->getActiveCarro();
        saida += saidaDe([&] { npc->trabalhar(160, 160); });
        EXPECT_LE(npc->getActiveCarro(), antes + 1);  // at most one car enters per frame
    }
    std::regex linha("\ninserido NPC em (\\d+)");
    int insercoes = 0;
    for (auto it = std::sregex_iterator(saida.begin(), saida.end(), linha); it != std::sregex_iterator(); ++it) {
        EXPECT_LT(std::stoi((*it)[1]), 3);
        insercoes++;
    }
    EXPECT_GT(insercoes, 30);
    // The unfilled slots never stood for tile (0, 0).
    for (int p = 3; p < LogicaNPC::NUMERO_PONTOS_INICIAIS; p++) EXPECT_EQ(npc->getInsercao(p), -1);
}

TEST_F(Trafego, TableWithoutStartTilesHasNoTraffic) {
    EXPECT_EQ(criar("2 2 0 1 700 0"),
              "mapas/1trans.txt: no traffic start tiles (codes 868 to 871), no traffic will enter\n");
    Relogio::setManual(100000);
    std::string saida = saidaDe([&] {
        for (int i = 0; i < 20; i++) npc->trabalhar(0, 0);
    });
    EXPECT_EQ(saida, "");
    EXPECT_EQ(npc->getActiveCarro(), 0);
}

TEST_F(Trafego, MoreThan13StartTilesKeepTheFirst13) {
    EXPECT_EQ(criar("2 8 868 868 868 868 868 868 868 868 869 869 869 869 869 869 869 869"),
              "mapas/1trans.txt: 16 traffic start tiles, only the first 13 are used\n");
    ASSERT_EQ(npc->getNumeroPontosIniciais(), 13);
    EXPECT_EQ(npc->getPontoInicial(12).getX(), 1);
    EXPECT_EQ(npc->getPontoInicial(12).getY(), 4);
}

TEST_F(Trafego, BadTablesAreReportedOnceAndUseWhatWasRead) {
    EXPECT_EQ(criar("0 5"), "mapas/1trans.txt: bad dimensions 0 x 5 (rows 1..512, columns 1..512, at most 16384 cells)\n");
    EXPECT_FALSE(npc->isCarregado());
    EXPECT_EQ(npc->getNumeroPontosIniciais(), 0);

    // Short: the start tile before the end still counts.
    EXPECT_EQ(criar("3 3 0 868 0 0"), "mapas/1trans.txt: ends early, table row 1, column 1 missing\n");
    EXPECT_EQ(npc->getNumeroPontosIniciais(), 1);
    EXPECT_EQ(npc->getAltura(), 3);

    std::remove("mapas/1trans.txt");
    npc.reset(new LogicaNPC(5));
    EXPECT_EQ(saidaDe([&] { npc->carregarMatrizTransito(1); }), "mapas/1trans.txt: cannot open traffic table\n");
    Relogio::setManual(100000);
    saidaDe([&] { npc->trabalhar(0, 0); });
    EXPECT_EQ(npc->getActiveCarro(), 0);
}

TEST_F(Trafego, NoParkedCarWhileTheCountSaysThereIsOne) {
    criar(TABELA_TRES, 2);
    Relogio::setManual(10000);
    ASSERT_EQ(inserir(), 1);
    npc->getCarro(1)->setPosicao(Vetor(50, 50));  // on the map behind the count's back
    Relogio::setManual(30000);
    std::string saida = saidaDe([&] { npc->inserirCarroNoMapa(); });
    EXPECT_EQ(saida, "erro carro maior que numero de carro\n");
    EXPECT_EQ(npc->getActiveCarro(), 1);
    EXPECT_LT(npc->getInsercao(0), 30000);
}

// ------------------------------------------------------------------ parking

TEST_F(Trafego, CarsArePutOnTheLowestParkedSlotAndParkedByExit) {
    criar(TABELA_TRES);  // 5 x 5 tiles; the car is 30 high, 60 long
    struct Caso {
        float x, y;
        bool saiu;
    };
    // Exit when the tile of (x - 30, y - 60), truncated, is beyond one tile
    // outside the map.
    const Caso casos[] = {
        {-97, 100, false}, {-98.5f, 100, true},  // row -1, row -2
        {413, 100, false}, {414, 100, true},     // row 5, row 6
        {100, -67, false}, {100, -68, true},     // column -1, column -2
        {100, 443, false}, {100, 444, true},     // column 5, column 6
    };
    Relogio::setManual(10000);
    ASSERT_EQ(inserir(), 1);
    for (const Caso& caso : casos) {
        SCOPED_TRACE(testing::Message() << caso.x << ", " << caso.y);
        npc->getCarro(0)->setPosicao(Vetor(caso.x, caso.y));
        EXPECT_EQ(npc->isOnExitPoint(0), caso.saiu);
    }

    Carro* carro = npc->getCarro(0);
    carro->colidiu = 2;
    carro->setPosicao(Vetor(414, 100));
    npc->verificarStatusCarro(0, 414, 100);
    EXPECT_TRUE(estacionado(carro));
    EXPECT_EQ(carro->colidiu, 0);
    EXPECT_EQ(npc->getActiveCarro(), 0);
    EXPECT_EQ(carro->getMarcha(), 1);  // kept until the next insertion
    // Checking a parked car again changes nothing.
    npc->verificarStatusCarro(0, 0, 0);
    EXPECT_EQ(npc->getActiveCarro(), 0);
}

TEST_F(Trafego, StalledCarsFarFromThePlayerAreParked) {
    criar(TABELA_TRES);
    Relogio::setManual(10000);
    ASSERT_EQ(inserir(), 1);
    Carro* carro = npc->getCarro(0);
    carro->setPosicao(Vetor(100, 100));

    // Still in gear: never parked for distance.
    npc->verificarStatusCarro(0, 5000, 5000);
    EXPECT_FALSE(estacionado(carro));

    carro->setMarcha(0);
    npc->verificarStatusCarro(0, 700, 900);  // exactly 600 and 800 away
    npc->verificarStatusCarro(0, -500, -700);
    EXPECT_FALSE(estacionado(carro));
    npc->verificarStatusCarro(0, 701, 100);
    EXPECT_TRUE(estacionado(carro));
    EXPECT_EQ(npc->getActiveCarro(), 0);

    Relogio::setManual(30000);
    ASSERT_EQ(inserir(), 1);
    EXPECT_EQ(carro->getMarcha(), 1);
    carro->setMarcha(0);
    carro->setPosicao(Vetor(100, 100));
    npc->verificarStatusCarro(0, 100, 901);
    EXPECT_TRUE(estacionado(carro));
}

TEST_F(Trafego, FrameMovesOnlyCarsOnTheMapIncludingAfterOneIsParked) {
    criar(TABELA_UMA);
    for (int t = 10000; npc->getActiveCarro() < 3; t += 8000) {
        Relogio::setManual(t);
        inserir();
    }
    // Park car 0; cars 1 and 2 stay on the map.
    npc->getCarro(0)->setMarcha(0);
    npc->verificarStatusCarro(0, 5000, 5000);
    ASSERT_EQ(npc->getActiveCarro(), 2);
    // A new car goes into the lowest parked slot.
    Relogio::setManual(Relogio::getMilissegundos() + 9000);
    ASSERT_EQ(inserir(), 1);
    EXPECT_FALSE(estacionado(npc->getCarro(0)));
    EXPECT_TRUE(estacionado(npc->getCarro(3)));

    // Car 0 leaves the map in this frame's walk; it still counts, so the
    // walk goes on to cars 1 and 2, and never touches parked car 3.
    npc->getCarro(0)->setPosicao(Vetor(1000, 100));
    for (int i = 1; i <= 2; i++) {
        npc->getCarro(i)->setPosicao(Vetor(160, 160));
        npc->getCarro(i)->setVelocidade(Vetor(0, 5));
    }
    saidaDe([&] { npc->trabalhar(160, 160); });  // slots busy: nothing enters
    EXPECT_EQ(npc->getActiveCarro(), 2);
    EXPECT_TRUE(estacionado(npc->getCarro(0)));
    EXPECT_NE(npc->getCarro(1)->getPosicao().getY(), 160);
    EXPECT_NE(npc->getCarro(2)->getPosicao().getY(), 160);
    EXPECT_TRUE(estacionado(npc->getCarro(3)));
}
