#include <malloc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "LogicaColisao.h"
#include "test_logica_ambiente.h"

namespace {
std::string lerArquivo(const std::string& nome) {
    std::ifstream f(nome);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
int linhasCom(const std::string& texto, const std::string& trecho) {
    std::istringstream s(texto);
    std::string linha;
    int n = 0;
    while (std::getline(s, linha))
        if (linha.find(trecho) != std::string::npos) n++;
    return n;
}
}  // namespace

class Partida : public AmbienteLogica {};

TEST_F(Partida, EscDuringTheCountdownHoldsTheLightAndResumesFromIt) {
    carregar();
    ASSERT_EQ(estado()->getSubEstado(), 7);
    int musicaCorrida = 0;
    auto contar = [&](const ambiente::Quadro& q) {
        if (q.cantar % 3 == 0) musicaCorrida++;
        return q;
    };
    EXPECT_EQ(contar(quadro()).subEstado, 301);
    EXPECT_EQ(contar(quadro()).subEstado, 329);

    CapturaAudio* mic = logica->getMicrofone();
    const int anel = mic->getPpvRoncos();
    apertar(KEY_ESC);
    ambiente::Quadro q = contar(quadro());
    EXPECT_EQ(q.subEstado, 329 * 5);
    EXPECT_EQ(q.tiles, 0);  // paused: no lists
    EXPECT_EQ(mic->getPpvRoncos(), anel) << "the microphone is not read while pausing";
    EXPECT_EQ(contar(quadro()).subEstado, 329);  // still held: resumes
    apertar(KEY_ESC, false);
    for (int sub : {371, 413, 427, 77, 11}) EXPECT_EQ(contar(quadro()).subEstado, sub);
    EXPECT_EQ(musicaCorrida, 1);
}

TEST_F(Partida, LoadingUsesMapOneAndSetsThePhase) {
    carregar();
    ambiente::Quadro q = quadro();
    EXPECT_EQ(q.fase, 1);
    EXPECT_EQ(logica->getColisao()->getLargura(), ambiente::COLUNAS);
    EXPECT_EQ(logica->getNPC()->getNumeroPontosIniciais(), 3);
    EXPECT_EQ(logica->getNPC()->getMaxCarros(), 50);
    EXPECT_FLOAT_EQ(jogador()->getPosicao().getX(), 550.0f);
    EXPECT_FLOAT_EQ(jogador()->getPosicao().getY(), 50.0f);
}

TEST_F(Partida, PauseDuringTheCountdownLeavesTheStopwatchToTheRace) {
    carregar();
    quadro();
    quadro();
    apertar(KEY_ESC);
    std::vector<ambiente::Quadro> q;
    q.push_back(quadro());
    apertar(KEY_ESC, false);
    for (int i = 0; i < 50; i++) q.push_back(quadro());  // two seconds in the pause menu
    ASSERT_EQ(q.back().subEstado % 5, 0);
    mouse(400, 280);  // Resume
    q.push_back(quadro());
    mouse(0, 0, false);
    ASSERT_NE(q.back().subEstado % 5, 0);
    std::vector<ambiente::Quadro> resto = correrAteOMenu();
    q.insert(q.end(), resto.begin(), resto.end());

    // The first running frames read the race's own time.
    size_t i = 0;
    while (q[i].subEstado != 77) i++;
    EXPECT_EQ(q[i + 1].minutos * 6000 + q[i + 1].segundos * 100 + q[i + 1].centesimos, 0);
    EXPECT_EQ(q[i + 2].centesimos, 4);
    EXPECT_EQ(q[i + 2].segundos, 0);

    const int ms = tempoCorrendo(q);
    ASSERT_GT(ms, 0);
    EXPECT_EQ(lerArquivo("records.txt"), "Tempo: " + std::to_string(ms) + " mills\n");
}

TEST_F(Partida, PausesInTheRaceAreNotCounted) {
    carregar();
    std::vector<ambiente::Quadro> q;
    while (q.empty() || q.back().subEstado != 11) q.push_back(quadro());
    for (int i = 0; i < 20; i++) {
        dirigir();
        q.push_back(quadro());
    }
    apertar(KEY_E, false);
    apertar(KEY_ESC);
    q.push_back(quadro());
    EXPECT_EQ(q.back().subEstado, 55);
    apertar(KEY_ESC, false);
    const Vetor parado = jogador()->getPosicao();
    for (int i = 0; i < 30; i++) q.push_back(quadro());
    EXPECT_FLOAT_EQ(jogador()->getPosicao().getY(), parado.getY()) << "nothing moves while paused";
    apertar(KEY_ESC);
    q.push_back(quadro());
    EXPECT_EQ(q.back().subEstado, 11);
    apertar(KEY_ESC, false);
    std::vector<ambiente::Quadro> resto = correrAteOMenu();
    q.insert(q.end(), resto.begin(), resto.end());
    const int ms = tempoCorrendo(q);
    ASSERT_GT(ms, 0);
    EXPECT_EQ(lerArquivo("records.txt"), "Tempo: " + std::to_string(ms) + " mills\n");
}

TEST_F(Partida, EscHeldInTheRacePausesAndResumesOnAlternateFrames) {
    carregar();
    largar();
    apertar(KEY_ESC);
    for (int sub : {55, 11, 55, 11, 55}) EXPECT_EQ(quadro().subEstado, sub);
}

TEST_F(Partida, QuitFromThePauseMenuGoesBackToTheMainMenu) {
    for (bool naLargada : {true, false}) {
        carregar();
        if (!naLargada) largar();
        else quadro();
        apertar(KEY_ESC);
        quadro();
        apertar(KEY_ESC, false);
        ASSERT_EQ(estado()->getSubEstado() % 5, 0);
        ambiente::Quadro q = clicar(315, 527);
        EXPECT_EQ(q.estado, menu) << naLargada;
        EXPECT_EQ(q.subEstado, 41);
        EXPECT_EQ(q.cantar, 2);
        EXPECT_EQ(q.calar, 3);
        // Quit and Resume are inclusive rectangles too; ESC wins over Quit.
    }
    carregar();
    largar();
    apertar(KEY_ESC);
    quadro();
    EXPECT_EQ(clicar(483, 492).subEstado, 11);  // ESC still held: resumes
    apertar(KEY_ESC, false);
    quadro();
    apertar(KEY_ESC);
    quadro();
    apertar(KEY_ESC, false);
    EXPECT_EQ(clicar(300, 265).subEstado, 11);
    EXPECT_EQ(clicar(498, 295).subEstado, 11);  // not paused: a click does nothing
}

TEST_F(Partida, TheFinishLineIsAt9120) {
    carregar();
    largar();
    jogador()->setPosicao(Vetor(550, 9119.999f));
    EXPECT_FALSE(logica->hasObjetivoConcluido());
    jogador()->setPosicao(Vetor(550, 9120.0f));
    EXPECT_TRUE(logica->hasObjetivoConcluido());
    ambiente::Quadro q = quadro();
    EXPECT_EQ(q.estado, finalizando);
    EXPECT_EQ(q.calar, 3);
    EXPECT_EQ(quadro().estado, menu);
}

TEST_F(Partida, AMissingMapStopsTheLoadWithOneLine) {
    std::filesystem::remove("mapas/1.txt");
    clicar(300, 350);
    testing::internal::CaptureStdout();
    ambiente::Quadro q = quadro();
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_EQ(q.estado, menu);
    EXPECT_EQ(q.subEstado, 41);
    EXPECT_EQ(q.cantar, 2);
    EXPECT_EQ(logica->getColisao(), nullptr);
    EXPECT_EQ(linhasCom(saida, "mapas/1.txt"), 1) << saida;
    EXPECT_EQ(std::count(saida.begin(), saida.end(), '\n'), 1) << saida;
    EXPECT_EQ(quadro().estado, menu);

    // Once the file is back, Play works.
    dir->escrever("mapas/1.txt", ambiente::mapaCidade());
    carregar();
    EXPECT_EQ(estado()->getEstadoGlobal(), jogando);
}

TEST_F(Partida, ABadTrafficTableStopsTheLoadWithOneLine) {
    dir->escrever("mapas/1trans.txt", "20 150 0 0 x");
    clicar(300, 350);
    EXPECT_EQ(quadro().subEstado, 23);
    testing::internal::CaptureStdout();
    ambiente::Quadro q = quadro();
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_EQ(q.estado, menu);
    EXPECT_EQ(q.subEstado, 41);
    EXPECT_EQ(q.cantar, 2);
    EXPECT_EQ(logica->getNPC(), nullptr);
    EXPECT_EQ(logica->getColisao(), nullptr);
    // The traffic logic words the fault (and may add what follows from it).
    EXPECT_GE(linhasCom(saida, "mapas/1trans.txt"), 1) << saida;
}

TEST_F(Partida, AnUnwritableRecordFileIsReportedAndTheMenuComesBack) {
    std::filesystem::create_directory("records.txt");
    carregar();
    largar();
    jogador()->setPosicao(Vetor(550, 9200));
    quadro();
    ASSERT_EQ(estado()->getEstadoGlobal(), finalizando);
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    ambiente::Quadro q = quadro();
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_EQ(q.estado, menu);
    EXPECT_EQ(q.subEstado, 41);
    EXPECT_EQ(q.cantar, 2);
    EXPECT_EQ(linhasCom(saida, "records.txt"), 1) << saida;
    EXPECT_TRUE(std::filesystem::is_directory("records.txt"));
}

TEST_F(Partida, ManyRacesDoNotGrowMemory) {
    auto umaCorrida = [this]() {
        carregar();
        largar();
        for (int i = 0; i < 5; i++) quadro();
        apertar(KEY_ESC);
        quadro();
        apertar(KEY_ESC, false);
        clicar(400, 500);  // Quit
        ASSERT_EQ(estado()->getSubEstado(), 41);
    };
    for (int i = 0; i < 3; i++) umaCorrida();
    const size_t antes = mallinfo2().uordblks;
    for (int i = 0; i < 15; i++) umaCorrida();
    const size_t depois = mallinfo2().uordblks;
    // One race's world (map, traffic table, fleet) is tens of kilobytes.
    EXPECT_LT(depois > antes ? depois - antes : 0, 8192u);
}
