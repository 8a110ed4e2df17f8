#include <malloc.h>

#include <fstream>

#include "LogicaColisao.h"
#include "test_logica_ambiente.h"

class Partida : public AmbienteLogica {
protected:
    // Runs one frame with stdout captured and answers what was printed.
    std::string quadroCapturado(Quadro& q) {
        std::fflush(stdout);
        testing::internal::CaptureStdout();
        q = quadro();
        return testing::internal::GetCapturedStdout();
    }
    void esc(int quadros = 1) {
        apertar(KEY_ESC);
        for (int i = 0; i < quadros; i++) quadro();
        apertar(KEY_ESC, false);
    }
};

TEST_F(Partida, EscDuringTheCountdownHoldsTheLightAndResumesFromIt) {
    carregar();
    int musicaCorrida = 0;
    std::vector<int> subs;
    for (int i = 0; i < 9; i++) {
        apertar(KEY_ESC, i == 2 || i == 3);  // held for two frames: pause, resume
        Quadro q = quadro();
        subs.push_back(q.subEstado);
        musicaCorrida += q.cantar % 3 == 0;
    }
    EXPECT_EQ(subs, (std::vector<int>{301, 329, 329 * 5, 329, 371, 413, 427, 77, 11}));
    EXPECT_EQ(musicaCorrida, 1);
    // Held in the race: paused and resumed on alternate frames.
    apertar(KEY_ESC);
    for (int sub : {55, 11, 55}) EXPECT_EQ(quadro().subEstado, sub);
}

TEST_F(Partida, PausesInTheCountdownAndInTheRaceAreNotTimed) {
    carregar();
    quadro();
    std::vector<Quadro> q;
    apertar(KEY_ESC);
    q.push_back(quadro());
    apertar(KEY_ESC, false);
    for (int i = 0; i < 50; i++) q.push_back(quadro());  // two seconds in the pause menu
    q.push_back(clicar(400, 280));                        // Resume
    ASSERT_EQ(q.back().subEstado, 301);
    while (q.back().subEstado != 11) q.push_back(quadro());
    EXPECT_EQ(q.back().relogioMs, 0);
    q.push_back(quadro());
    EXPECT_EQ(q.back().relogioMs, 40);
    apertar(KEY_ESC);
    q.push_back(quadro());
    apertar(KEY_ESC, false);
    for (int i = 0; i < 30; i++) q.push_back(quadro());
    EXPECT_EQ(q.back().posicao.getY(), q[q.size() - 30].posicao.getY()) << "nothing moves while paused";
    q.push_back(clicar(300, 265));
    for (const Quadro& f : correrAteOMenu()) q.push_back(f);
    const int ms = tempoCorrendo(q);
    ASSERT_GT(ms, 0);
    std::string linha;
    std::getline(std::ifstream("records.txt"), linha);
    EXPECT_EQ(linha, "Tempo: " + std::to_string(ms) + " mills");
}

TEST_F(Partida, QuitFromThePauseMenuAndTheFinishLine) {
    carregar();
    esc();
    Quadro q = clicar(483, 492);  // Quit, during the countdown
    EXPECT_EQ((std::vector<int>{q.estado, q.subEstado, q.cantar, q.calar}), (std::vector<int>{menu, 41, 2, 3}));
    carregar();
    largar();
    esc();
    apertar(KEY_ESC);
    EXPECT_EQ(clicar(315, 527).subEstado, 11);  // ESC resumes even over Quit
    apertar(KEY_ESC, false);
    jogador()->setPosicao(Vetor(550, 9119.999f));
    EXPECT_FALSE(logica->hasObjetivoConcluido());
    jogador()->setPosicao(Vetor(550, 9120.0f));
    EXPECT_TRUE(logica->hasObjetivoConcluido());
}

TEST_F(Partida, AMapOrTrafficTableThatFailsToLoadIsOneLineAndBackToTheMenu) {
    for (const char* arquivo : {"mapas/1.txt", "mapas/1trans.txt"}) {
        dir.escrever(arquivo, "20 150 0 0 x");
        clicar(300, 350);
        Quadro q;
        std::string saida = quadroCapturado(q);
        if (q.estado == carregando) saida = quadroCapturado(q);  // the table loads one frame later
        EXPECT_EQ((std::vector<int>{q.estado, q.subEstado, q.cantar}), (std::vector<int>{menu, 41, 2})) << arquivo;
        EXPECT_EQ(saida.rfind(arquivo, 0), 0u) << saida;
        EXPECT_EQ(std::count(saida.begin(), saida.end(), '\n'), 1) << saida;
        EXPECT_EQ(logica->getColisao(), nullptr);
        EXPECT_EQ(logica->getNPC(), nullptr);
        dir.escrever(arquivo, arquivo == std::string("mapas/1.txt") ? mapa() : "20 150");
    }
}

TEST_F(Partida, AnUnwritableRecordFileIsOneLineAndBackToTheMenu) {
    std::filesystem::create_directory("records.txt");
    carregar();
    largar();
    jogador()->setPosicao(Vetor(550, 9200));
    EXPECT_EQ(quadro().estado, finalizando);
    Quadro q;
    std::string saida = quadroCapturado(q);
    EXPECT_EQ((std::vector<int>{q.estado, q.subEstado}), (std::vector<int>{menu, 41}));
    EXPECT_EQ(saida.rfind("records.txt: ", 0), 0u) << saida;
    EXPECT_EQ(std::count(saida.begin(), saida.end(), '\n'), 1) << saida;
}

TEST_F(Partida, EachRaceReleasesThePreviousRacesWorld) {
    auto corrida = [this]() {
        carregar();
        largar();
        esc();
        clicar(400, 500);
    };
    for (int i = 0; i < 3; i++) corrida();
    const size_t antes = mallinfo2().uordblks;
    for (int i = 0; i < 15; i++) corrida();
    // One race's map, traffic table and fleet take tens of kilobytes.
    EXPECT_LT(mallinfo2().uordblks, antes + 8192);
}
