#include "AmbienteLogica.h"

class Corrida : public AmbienteLogica {};

TEST_F(Corrida, FromThePlayClickToTheRecordLineFrameByFrame) {
    Quadro primeiro = quadro();  // the run's first frame asks for the menu music
    EXPECT_EQ(primeiro.cantar, 2);
    std::vector<Quadro> q{clicar(350, 380)};
    for (const Quadro& f : correrAteOMenu()) q.push_back(f);

    // State, sub-state, music to start and to stop, frame by frame.
    const std::vector<std::vector<int>> inicio = {
        {carregando, 19, 7, 2}, {carregando, 23, 1, 1}, {carregando, 29, 1, 1}, {carregando, 31, 1, 1},
        {carregando, 37, 1, 1}, {jogando, 7, 1, 1},     {jogando, 301, 3, 1},   {jogando, 329, 1, 1},
        {jogando, 371, 1, 1},   {jogando, 413, 1, 1},   {jogando, 427, 1, 1},   {jogando, 77, 1, 1}};
    ASSERT_GT(q.size(), inicio.size() + 3);
    for (size_t i = 0; i < q.size(); i++) {
        const bool fim = i + 2 >= q.size();
        std::vector<int> esperado = i < inicio.size() ? inicio[i] : std::vector<int>{jogando, 11, 1, 1};
        if (fim)
            esperado = i + 2 == q.size() ? std::vector<int>{finalizando, 11, 1, 3} : std::vector<int>{menu, 41, 2, 1};
        ASSERT_EQ((std::vector<int>{q[i].estado, q[i].subEstado, q[i].cantar, q[i].calar}), esperado) << "frame " << i;
        EXPECT_EQ(q[i].fase, i >= 5 && i + 1 < q.size() ? 1 : 0) << i;
        if (!fim) {
            ASSERT_LT(q[i].posicao.getY(), 9120.0f) << i;
        }
    }
    // The last countdown frame hides its sub-state change from the renderer.
    EXPECT_TRUE(q[10].transicaoSub);
    EXPECT_FALSE(q[11].transicaoSub);

    // Still through the countdown, the 77 frame and the stopwatch's start;
    // moving from the frame after.
    for (size_t i = 5; i <= 12; i++) EXPECT_FLOAT_EQ(q[i].posicao.getY(), 50.0f) << i;
    EXPECT_GT(q[13].posicao.getY(), 50.0f);
    EXPECT_FLOAT_EQ(q[13].posicao.getX(), 550.0f);
    EXPECT_GE(q[q.size() - 2].posicao.getY(), 9120.0f);

    // The record and the clock at the finish hold the running time, 40 ms
    // per frame from the stopwatch's start.
    const int ms = static_cast<int>(q.size() - 2 - 12) * 40;
    EXPECT_EQ(tempoCorrendo(q), ms);
    EXPECT_EQ(q[q.size() - 2].relogioMs, ms);
    EXPECT_EQ(dir.ler("records.txt"), "Tempo: " + std::to_string(ms) + " mills\n");
    // The first race's line compares with the file as it was before it.
    EXPECT_EQ(logica->getLinhaChegada().getTexto(), "NEW RECORD!");
}
