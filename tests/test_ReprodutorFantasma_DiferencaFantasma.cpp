#include <gtest/gtest.h>

#include "DiferencaFantasma.h"
#include "ProgressoRota.h"
#include "ReprodutorFantasma.h"

// A run along y: off at 100 ms, 2 px a ms, a turn across the angle's wrap,
// backing away from a wall at 500 ms before going on.
TEST(ReprodutorFantasma, BetweenSamplesOnTheClockAndTheGapByTheWay) {
    PercursoFantasma p;
    p.tempoMs = 800;
    p.amostras = {{0, 550, 50, 3.0f},    {100, 550, 50, 3.0f},  {200, 550, 250, -3.0f}, {300, 560, 450, -3.0f},
                  {500, 560, 850, 0.0f}, {600, 560, 750, 0.0f}, {800, 560, 1150, 0.0f}};
    ReprodutorFantasma r;
    EXPECT_FALSE(r.isAtivo());
    r.setPercurso(&p);
    auto pose = [&](int t) {
        const ReprodutorFantasma::Pose a = r.getPose(t);
        return std::vector<float>{a.posicao.getX(), a.posicao.getY(), a.angulo};
    };
    EXPECT_EQ(pose(-40), (std::vector<float>{550, 50, 3.0f}));       // waiting at the start
    EXPECT_EQ(pose(300), (std::vector<float>{560, 450, -3.0f}));     // a sample exactly
    EXPECT_EQ(pose(225), (std::vector<float>{552.5f, 300, -3.0f}));  // a quarter of the way
    EXPECT_EQ(pose(5000), (std::vector<float>{560, 1150, 0.0f}));    // waiting at the line
    EXPECT_NEAR(pose(150)[2], 3.1416f, 1e-3);                        // turned through pi, not back through 0

    DiferencaFantasma d;
    d.setPercurso(&p);
    int ms = 0;
    // How far along, when, and the gap: the ghost got 350 px along at 250 ms.
    const int casos[][3] = {{350, 150, -100}, {350, 700, 450}, {800, 1000, 525}, {1150, 800, 0}};
    for (const auto& c : casos) {
        ASSERT_TRUE(d.calcular(c[1], static_cast<float>(c[0]), ms)) << c[0];
        EXPECT_EQ(ms, c[2]) << c[0];  // 800 px: first at 475 ms, its backing away past it does not count
    }
    EXPECT_FALSE(d.calcular(900, 1151.0f, ms));  // further than the ghost ever got
    d.setPercurso(nullptr);
    EXPECT_FALSE(d.calcular(0, 50.0f, ms));
}

// Along a route that turns, how far along counts the climb up a street: a
// ghost that went across, then up, then across again, 1 px a ms, and the
// player half a second behind it anywhere on the way. Along the avenue's
// straight route it is the distance across, as it always was.
TEST(DiferencaFantasma, AlongARouteThatTurnsTheClimbCounts) {
    const ProgressoRota avenida({{8, 0}, {8, 146}});
    for (float y : {50.0f, 777.25f, 9120.0f, 9500.5f}) EXPECT_EQ(avenida.medir(Vetor(550.0f, y)), y);
    // Across row 10 to column 5, up to row 2, across again.
    const ProgressoRota rota({{10, 0}, {10, 5}, {2, 5}, {2, 20}});
    auto ponto = [](double s) {  // `s` px along the way, from the first cell's centre
        return s < 320 ? Vetor(672, 32 + s) : s < 832 ? Vetor(672 - (s - 320), 352) : Vetor(160, 352 + (s - 832));
    };
    PercursoFantasma p;
    p.tempoMs = 1600;
    for (int t = 0; t <= p.tempoMs; t += 40) p.amostras.push_back({t, ponto(t).getX(), ponto(t).getY(), 0.0f});
    DiferencaFantasma d;
    d.setPercurso(&p, rota);
    for (int s : {100, 500, 700, 1200}) {
        int ms = 0;
        // A little off the lane's middle, as a car is.
        const Vetor v = ponto(s);
        ASSERT_TRUE(d.calcular(s + 500, rota.medir(Vetor(v.getX() + 9, v.getY() - 7)), ms)) << s;
        EXPECT_NEAR(ms, 500, 10) << s;
    }
}
