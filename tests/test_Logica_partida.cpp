#include "AjudaColisao.h"
#include "AmbienteLogica.h"
#include "Cronometro.h"
#include "TravaFoco.h"

class Partida : public AmbienteLogica {
protected:
    // ESC held for `quadros` frames; answers the last one.
    Quadro esc(int quadros = 1) {
        apertar(KEY_ESC);
        Quadro q = quadro();
        for (int i = 1; i < quadros; i++) q = quadro();
        apertar(KEY_ESC, false);
        return q;
    }
};

TEST_F(Partida, PausesInTheCountdownAndTheRaceHoldEverythingAndAreNotTimed) {
    carregar();
    std::vector<Quadro> q;
    std::vector<int> subs, marchas;
    for (int i = 0; i < 9; i++) {
        // Taps between two frames (as during a light's wait): Escape twice
        // pauses and resumes, E engages first gear, Q in the wait after the
        // last light takes it out again.
        for (int tecla : {i == 2 || i == 3 ? KEY_ESC : 0, i == 4 ? KEY_E : 0, i == 8 ? KEY_Q : 0})
            if (tecla) apertar(tecla), apertar(tecla, false);
        q.push_back(quadro());
        subs.push_back(q.back().subEstado);
        marchas.push_back(jogador()->getMarcha());
    }
    EXPECT_EQ(subs, (std::vector<int>{301, 329, 329 * 5, 329, 371, 413, 427, 77, 11}));
    EXPECT_EQ(marchas, (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 0}));
    EXPECT_EQ(std::count_if(q.begin(), q.end(), [](const Quadro& f) { return f.cantar % 3 == 0; }), 1);
    // Held in the race: paused once, however long.
    apertar(KEY_ESC);
    for (int i = 0; i < 3; i++) {
        q.push_back(quadro());
        EXPECT_EQ(q.back().subEstado, 55);
    }
    apertar(KEY_ESC, false);
    for (int i = 0; i < 30; i++) q.push_back(quadro());
    EXPECT_EQ(q.back().posicao.getY(), q[q.size() - 30].posicao.getY()) << "nothing moves while paused";
    q.push_back(clicar(400, 280));  // Resume
    for (const Quadro& f : correrAteOMenu()) q.push_back(f);
    const int ms = tempoCorrendo(q);
    ASSERT_GT(ms, 0);
    EXPECT_EQ(dir.ler("records.txt"), "Tempo: " + std::to_string(ms) + " mills\n");
}

// Escape tapped before a frame that cannot act on it (a loading step, the
// frame that starts the stopwatch) is not lost: the first frame that can
// pauses (the first countdown frame, or the race's next frame).
TEST_F(Partida, EscapeDuringLoadingOrAsTheStopwatchStartsPausesAtTheFirstFrameThatCan) {
    for (int passo : {0, 1, 2, 3, 4, 11}) {
        clicar(300, 350);  // Play
        std::vector<int> subs;
        for (int i = 0; i <= 12 && (subs.empty() || subs.back() % 5 != 0); i++) {
            if (i == passo) apertar(KEY_ESC), apertar(KEY_ESC, false);
            subs.push_back(quadro().subEstado);
        }
        EXPECT_EQ(subs.back(), passo < 5 ? 7 * 5 : 11 * 5) << passo;
        EXPECT_EQ(subs.size(), passo < 5 ? 6u : 13u) << passo;
        EXPECT_EQ(clicar(400, 510).estado, menu);  // Quit
    }
}

// Switching to another window pauses a countdown or a race as Escape does,
// even when the player is back before the next frame; it does nothing to a
// pause or a menu.
TEST_F(Partida, LosingTheFocusPausesTheCountdownAndTheRace) {
    auto foco = [this] {
        TravaFoco::registrar(false), TravaFoco::registrar(true);
        return quadro().subEstado;
    };
    EXPECT_EQ(foco(), 41);
    carregar();
    quadro();
    EXPECT_EQ(foco() % 5, 0) << "countdown paused";
    EXPECT_EQ(foco() % 5, 0) << "still paused";
    clicar(400, 280);
    largar();
    EXPECT_EQ(foco(), 55) << "race paused";
    EXPECT_FALSE(logica->getTimer()->isContando());
    // A change of the window's mode (fullscreen, size) loses the focus for
    // a moment: no pause, unless the focus does not come back.
    clicar(400, 280);
    TravaFoco::tolerarTroca();
    EXPECT_EQ(foco(), 11);
    TravaFoco::registrar(false);
    EXPECT_EQ(quadro().subEstado, 11);
    Relogio::avancar(2000);
    EXPECT_EQ(quadro().subEstado, 55);
    TravaFoco::registrar(true);
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
        std::string saida = saidaDe([&] { q = quadro(); });
        if (q.estado == carregando) saida = saidaDe([&] { q = quadro(); });  // the table loads one frame later
        EXPECT_EQ((std::vector<int>{q.estado, q.subEstado, q.cantar}), (std::vector<int>{menu, 41, 2})) << arquivo;
        EXPECT_EQ(saida.rfind(arquivo, 0), 0u) << saida;
        EXPECT_EQ(contarLinhas(saida), 1) << saida;
        EXPECT_EQ(logica->getColisao(), nullptr);
        EXPECT_EQ(logica->getNPC(), nullptr);
        dir.escrever(arquivo, arquivo == std::string("mapas/1.txt") ? mapa() : "20 150");
    }
}

TEST_F(Partida, TheTimeIsRecordedAtTheLineOnceHoweverTheGameGoesOn) {
    auto chegar = [this] {
        carregar();
        largar();
        jogador()->setPosicao(Vetor(550, 9200));
        Quadro q;
        std::string saida = saidaDe([&] { q = quadro(); });
        EXPECT_EQ(q.estado, finalizando);
        return saida;
    };
    // In the finishing frame, as the game may end during the finish screen
    // (the window closed); going back to the menu adds nothing.
    chegar();
    EXPECT_EQ(contarLinhas(dir.ler("records.txt")), 1);
    EXPECT_EQ(quadro().estado, menu);
    EXPECT_EQ(contarLinhas(dir.ler("records.txt")), 1);
    // A file that cannot be written: one line, and back to the menu.
    std::filesystem::remove("records.txt");
    std::filesystem::create_directory("records.txt");
    const std::string saida = chegar();
    const size_t linha = saida.find("records.txt: ");  // after a traffic line, maybe
    ASSERT_NE(linha, std::string::npos) << saida;
    EXPECT_EQ(contarLinhas(saida.substr(linha)), 1) << saida;
    EXPECT_FALSE(logica->getLinhaChegada().isDefinida()) << "no best to compare with";
    const Quadro q = quadro();
    EXPECT_EQ((std::vector<int>{q.estado, q.subEstado}), (std::vector<int>{menu, 41}));
}
