#include "test_logica_ambiente.h"

class Menus : public AmbienteLogica {
protected:
    void irPara(SituacaoGlobal s, int sub) {
        estado()->setEstadoGlobal(s);
        estado()->remSubEstado(estado()->getSubEstado());
        estado()->addSubEstado(sub);
        logica->fimDeCiclo();
    }
    // One frame with the mouse button down at (x, y), from the given screen;
    // answers the state and sub-state it leads to.
    std::pair<SituacaoGlobal, int> cliqueEm(int sub, int x, int y) {
        irPara(menu, sub);
        ambiente::Quadro q = clicar(x, y);
        return {q.estado, q.subEstado};
    }
    // Every corner of the rectangle leads to `efeito`; one pixel outside any
    // side leaves the screen as it was.
    void verificarRetangulo(int sub, int x1, int x2, int y1, int y2, std::pair<SituacaoGlobal, int> efeito) {
        for (auto [x, y] : {std::pair{x1, y1}, {x2, y1}, {x1, y2}, {x2, y2}}) {
            EXPECT_EQ(cliqueEm(sub, x, y), efeito) << x << "," << y;
        }
        const std::pair<SituacaoGlobal, int> nada{menu, sub};
        for (auto [x, y] : {std::pair{x1 - 1, y1}, {x2 + 1, y1}, {x1, y1 - 1}, {x1, y2 + 1}}) {
            EXPECT_EQ(cliqueEm(sub, x, y), nada) << x << "," << y;
        }
    }
};

TEST_F(Menus, EveryButtonRectangleIsInclusive) {
    verificarRetangulo(41, 288, 401, 336, 413, {carregando, 19});  // Play
    verificarRetangulo(41, 667, 779, 181, 264, {menu, 2});         // Instructions
    verificarRetangulo(41, 5, 140, 180, 240, {sair, 41});          // Exit
    verificarRetangulo(41, 539, 672, 89, 140, {menu, 3});          // Records
    verificarRetangulo(2, 110, 200, 550, 585, {menu, 41});         // page 1: Back
    verificarRetangulo(2, 575, 700, 550, 585, {menu, 146});        // page 1: Next
    verificarRetangulo(146, 350, 445, 520, 550, {menu, 2});        // page 2: Back
    verificarRetangulo(3, 350, 445, 520, 550, {menu, 41});         // records: Back
    // Without the button held nothing happens anywhere.
    irPara(menu, 41);
    mouse(300, 350, false);
    EXPECT_EQ(quadro().estado, menu);
    EXPECT_EQ(estado()->getSubEstado(), 41);
}

TEST_F(Menus, MainMenuTestsPlayInstructionsExitRecordsInThatOrder) {
    apertar(KEY_ESC);  // ESC is Exit's other trigger, tested third
    EXPECT_EQ(cliqueEm(41, 300, 350), std::make_pair(carregando, 19));
    EXPECT_EQ(cliqueEm(41, 700, 200), std::make_pair(menu, 2));
    EXPECT_EQ(cliqueEm(41, 600, 100), std::make_pair(sair, 41));
    EXPECT_EQ(cliqueEm(41, 0, 0), std::make_pair(sair, 41));
}

TEST_F(Menus, PlayLeavesTheMenuMusicAtOnce) {
    ambiente::Quadro primeiro = quadro();
    EXPECT_EQ(primeiro.cantar, 2);  // the first frame of the run
    EXPECT_EQ(quadro().cantar, 1);  // and only that one
    ambiente::Quadro q = clicar(300, 350);
    EXPECT_EQ(q.estado, carregando);
    EXPECT_TRUE(q.transicaoEstado);
    EXPECT_EQ(q.cantar, 7);
    EXPECT_EQ(q.calar, 2);
}

TEST_F(Menus, EscHeldForThreeFramesFromPageTwoEndsTheProgram) {
    irPara(menu, 146);
    apertar(KEY_ESC);
    EXPECT_EQ(quadro().subEstado, 2);
    EXPECT_EQ(quadro().subEstado, 41);
    ambiente::Quadro q = quadro();
    EXPECT_EQ(q.estado, sair);
}

TEST_F(Menus, EscWithNextPageOnPageOneDoesBoth) {
    irPara(menu, 2);
    apertar(KEY_ESC);
    ambiente::Quadro q = clicar(600, 560);
    EXPECT_EQ(q.subEstado, 41 * 73);
    // The main menu handler now applies; 73 stays along.
    apertar(KEY_ESC, false);
    q = clicar(700, 200);
    EXPECT_EQ(q.subEstado, 2 * 73);
}

TEST_F(Menus, RecordsPageReloadsTheFileAndLeavesWithEsc) {
    quadro();
    dir->escrever("records.txt", "Tempo: 300 mills\nnoise\nTempo: 100 mills\nTempo: 200 mills\n");
    ambiente::Quadro q = clicar(600, 100);
    EXPECT_EQ(q.estado, menu);
    EXPECT_EQ(q.subEstado, 3);
    EXPECT_TRUE(q.transicaoSub);
    EXPECT_EQ(logica->getMelhoresTempos(), (std::vector<int>{100, 200, 300}));

    // Clicks elsewhere and other keys do nothing here.
    clicar(300, 350);
    EXPECT_EQ(estado()->getSubEstado(), 3);

    // A new race's line shows the next time the page opens.
    apertar(KEY_ESC);
    q = quadro();
    EXPECT_EQ(q.estado, menu);
    EXPECT_EQ(q.subEstado, 41);
    apertar(KEY_ESC, false);
    dir->escrever("records.txt", "Tempo: 50 mills\n");
    clicar(600, 100);
    EXPECT_EQ(logica->getMelhoresTempos(), (std::vector<int>{50}));
}
