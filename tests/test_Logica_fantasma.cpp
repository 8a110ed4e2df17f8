// The ghost of the best run through whole races of the headless game: a
// damaged file said once and raced without, the first run kept at the line
// and read back by the next session, played on the race clock (a pause
// included) with the gap to it, replaced only by a better run; G.
#include <map>

#include "AjudaColisao.h"
#include "AmbienteLogica.h"

class Fantasma : public AmbienteLogica {
protected:
    // Play, then the race to the finish and back to the menu; the driver
    // waits `parado` frames (the countdown's seven included) before the
    // first gear.
    std::vector<Quadro> corrida(size_t parado = 0) {
        clicar(350, 380);
        return correrAteOMenu(3000, parado);
    }
    void tecla(int k) {
        apertar(k);
        quadro();
        apertar(k, false);
    }
};

TEST_F(Fantasma, TheBestRunReplaysOnTheRaceClockAcrossAPauseWithTheGap) {
    dir.escrever("ghost.txt", "ronco-ghost 1\ncity 1\ntime 5000\nsamples 3\n0 550 50 0\n");
    quadro();
    std::map<int, Vetor> onde;  // the first race's car by the race clock
    const std::string saida = saidaDe([&] {
        for (const Quadro& f : corrida()) {
            EXPECT_FALSE(f.fantasma);
            if ((f.estado == jogando && f.subEstado == 11) || f.estado == finalizando) onde[f.relogioMs] = f.posicao;
        }
    });
    EXPECT_EQ(saida.find("ghost.txt: is truncated: 3 samples announced, 1 found; the race runs without a ghost"),
              saida.rfind("ghost.txt"))
        << saida;
    const std::string fantasma = dir.ler("ghost.txt");
    ASSERT_EQ(fantasma.rfind("ronco-ghost 1\ncity 1\ntime ", 0), 0u) << fantasma.substr(0, 80);

    // Another session: 24 frames later off the line, paused for 20 frames
    // halfway.
    logica.reset(new Logica(&entradas));
    quadro();
    clicar(350, 380);
    for (int i = 0; i < 5; i++) quadro();
    std::vector<Quadro> segunda = correrAteOMenu(150, 7 + 25);
    apertar(KEY_ESC);
    for (int i = 0; i < 20; i++) segunda.push_back(quadro()), apertar(KEY_ESC, false);
    tecla(KEY_ESC);
    for (const Quadro& f : correrAteOMenu()) segunda.push_back(f);
    int comparados = 0;
    std::vector<int> diferencas;
    for (const Quadro& f : segunda) {
        if (f.estado == jogando && f.subEstado % 7 == 0) {  // waiting at the start through the countdown
            EXPECT_EQ(f.posicaoFantasma.getX(), onde.begin()->second.getY());
        }
        if (f.estado != jogando || f.subEstado != 11) continue;
        ASSERT_TRUE(f.fantasma && f.fantasmaListado) << f.relogioMs;
        const Vetor g = std::prev(onde.upper_bound(f.relogioMs))->second;  // waiting at the line once there
        EXPECT_EQ(f.posicaoFantasma.getX(), g.getY()) << f.relogioMs;
        EXPECT_EQ(f.posicaoFantasma.getY(), g.getX()) << f.relogioMs;
        comparados++;
        if (f.posicao.getY() > 50.0f && f.temDiferenca) diferencas.push_back(f.diferenca);
    }
    EXPECT_GT(comparados, 300);
    // Behind all the way: at first by the 960 ms it waited.
    ASSERT_GT(diferencas.size(), 250u);
    EXPECT_NEAR(diferencas.front(), 960, 40);
    EXPECT_GT(*std::min_element(diferencas.begin(), diferencas.end()), 0);
    // Slower: the file keeps the best run. A record file without it makes
    // the next run the best, which replaces the ghost; with G it races alone.
    EXPECT_EQ(dir.ler("ghost.txt"), fantasma);
    std::filesystem::remove("records.txt");
    tecla(KEY_G);
    EXPECT_FALSE(logica->getPreferencias().isFantasmaLigado());
    for (const Quadro& f : corrida(100)) EXPECT_FALSE(f.fantasma);
    EXPECT_NE(dir.ler("ghost.txt"), fantasma);
}
