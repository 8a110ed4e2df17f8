#include <fstream>
#include <sstream>

#include "test_logica_ambiente.h"

namespace {

std::string lerArquivo(const std::string& nome) {
    std::ifstream f(nome);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

class Corrida : public AmbienteLogica {};

TEST_F(Corrida, FromThePlayClickToTheRecordLineFrameByFrame) {
    std::vector<ambiente::Quadro> q;
    q.push_back(quadro());  // the first frame of the run asks for the menu music
    EXPECT_EQ(q[0].estado, menu);
    EXPECT_EQ(q[0].subEstado, 41);
    EXPECT_EQ(q[0].cantar, 2);
    EXPECT_EQ(q[0].calar, 1);

    const int primeiroQuadroCorrida = 1;
    q.push_back(clicar(350, 380));  // Play
    for (const ambiente::Quadro& f : correrAteOMenu()) q.push_back(f);

    // Frame by frame: global state, sub-state, music to start, to stop.
    struct Esperado {
        SituacaoGlobal estado;
        int sub, cantar, calar;
    };
    const std::vector<Esperado> inicio = {
        {carregando, 19, 7, 2}, {carregando, 23, 1, 1}, {carregando, 29, 1, 1}, {carregando, 31, 1, 1},
        {carregando, 37, 1, 1}, {jogando, 7, 1, 1},     {jogando, 301, 3, 1},   {jogando, 329, 1, 1},
        {jogando, 371, 1, 1},   {jogando, 413, 1, 1},   {jogando, 427, 1, 1},   {jogando, 77, 1, 1},
        {jogando, 11, 1, 1},
    };
    ASSERT_GT(q.size(), inicio.size() + 3);
    for (size_t i = 0; i < inicio.size(); i++) {
        const ambiente::Quadro& f = q[primeiroQuadroCorrida + i];
        EXPECT_EQ(f.estado, inicio[i].estado) << "frame " << i;
        EXPECT_EQ(f.subEstado, inicio[i].sub) << "frame " << i;
        EXPECT_EQ(f.cantar, inicio[i].cantar) << "frame " << i;
        EXPECT_EQ(f.calar, inicio[i].calar) << "frame " << i;
    }
    // The last countdown frame hides its sub-state change from the renderer.
    EXPECT_FALSE(q[primeiroQuadroCorrida + 11].transicaoSub);
    EXPECT_TRUE(q[primeiroQuadroCorrida + 10].transicaoSub);

    // The car stands still through the countdown and the stopwatch's start,
    // and first moves in the frame after that.
    const size_t quadro77 = primeiroQuadroCorrida + 11;
    const size_t primeiroPasso = quadro77 + 2;
    for (size_t i = primeiroQuadroCorrida + 5; i < primeiroPasso; i++) {
        EXPECT_FLOAT_EQ(q[i].posicao.getX(), 550.0f) << i;
        EXPECT_FLOAT_EQ(q[i].posicao.getY(), 50.0f) << i;
    }
    EXPECT_GT(q[primeiroPasso].posicao.getY(), 50.0f);

    // Racing until the finish, then one frame of finalizando, then the menu.
    const size_t n = q.size();
    const ambiente::Quadro& chegada = q[n - 2];
    const ambiente::Quadro& volta = q[n - 1];
    for (size_t i = quadro77 + 1; i < n - 2; i++) {
        ASSERT_EQ(q[i].estado, jogando) << i;
        ASSERT_EQ(q[i].subEstado, 11) << i;
        ASSERT_EQ(q[i].cantar, 1) << i;
        ASSERT_EQ(q[i].calar, 1) << i;
        ASSERT_LT(q[i].posicao.getY(), 9120.0f) << i;
    }
    EXPECT_EQ(chegada.estado, finalizando);
    EXPECT_EQ(chegada.subEstado, 11);
    EXPECT_EQ(chegada.calar, 3);
    EXPECT_EQ(chegada.cantar, 1);
    EXPECT_GE(chegada.posicao.getY(), 9120.0f);
    EXPECT_EQ(volta.estado, menu);
    EXPECT_EQ(volta.subEstado, 41);
    EXPECT_EQ(volta.cantar, 2);
    EXPECT_EQ(volta.calar, 1);
    EXPECT_TRUE(volta.transicaoEstado);
    EXPECT_EQ(chegada.marcha, 3);  // the script reached top gear

    // The record is the running time: from the stopwatch's start (frame
    // 77's successor sees 11) to the finish, 40 ms per frame.
    const int ms = static_cast<int>(n - 2 - (quadro77 + 1)) * 40;
    EXPECT_EQ(tempoCorrendo(q), ms);
    EXPECT_EQ(lerArquivo("records.txt"), "Tempo: " + std::to_string(ms) + " mills\n");
    // And the clock shown at the finish says the same.
    EXPECT_EQ(chegada.minutos * 60000 + chegada.segundos * 1000 + chegada.centesimos * 10, ms);
    std::printf("race: %zu frames, %d ms\n", n, ms);
}

TEST_F(Corrida, TwoRacesAppendTwoLinesAndReleaseThePreviousWorld) {
    dir->escrever("records.txt", "Tempo: 1 mills\n");
    std::vector<std::string> linhas = {"Tempo: 1 mills"};
    for (int corrida = 0; corrida < 2; corrida++) {
        clicar(350, 380);
        std::vector<ambiente::Quadro> q = correrAteOMenu();
        ASSERT_EQ(q.back().estado, menu) << corrida;
        ASSERT_EQ(q[q.size() - 2].estado, finalizando) << corrida;
    }
    std::istringstream arquivo(lerArquivo("records.txt"));
    std::string linha;
    int n = 0;
    while (std::getline(arquivo, linha)) {
        if (n == 0) EXPECT_EQ(linha, "Tempo: 1 mills");
        else EXPECT_EQ(linha.rfind("Tempo: ", 0), 0u) << linha;
        n++;
    }
    EXPECT_EQ(n, 3);
    // The records page offers them, fastest first.
    clicar(600, 100);
    ASSERT_EQ(estado()->getSubEstado(), 3);
    ASSERT_EQ(logica->getMelhoresTempos().size(), 3u);
    EXPECT_EQ(logica->getMelhoresTempos()[0], 1);
    EXPECT_LE(logica->getMelhoresTempos()[1], logica->getMelhoresTempos()[2]);
}
