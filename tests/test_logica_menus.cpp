#include "test_logica_ambiente.h"

class Menus : public AmbienteLogica {
protected:
    // Puts the menu on screen `sub`, clicks (x, y) for one frame and
    // answers the state and sub-state it leads to.
    std::pair<int, int> cliqueEm(int sub, int x, int y) {
        estado()->setEstadoGlobal(menu);
        estado()->remSubEstado(estado()->getSubEstado());
        estado()->addSubEstado(sub);
        Quadro q = clicar(x, y);
        return {q.estado, q.subEstado};
    }
};

TEST_F(Menus, ButtonRectanglesAreInclusive) {
    struct Botao {
        int sub, x1, x2, y1, y2, estado, destino;
    };
    const Botao botoes[] = {
        {41, 288, 401, 336, 413, carregando, 19}, {41, 667, 779, 181, 264, menu, 2},  // Play, Instructions
        {41, 5, 140, 180, 240, sair, 41},         {41, 539, 672, 89, 140, menu, 3},   // Exit, Records
        {2, 110, 200, 550, 585, menu, 41},        {2, 575, 700, 550, 585, menu, 146},  // page 1: Back, Next
        {146, 350, 445, 520, 550, menu, 2},       {3, 350, 445, 520, 550, menu, 41}};  // Backs of page 2, records
    for (const Botao& b : botoes) {
        for (auto [x, y] : {std::pair{b.x1, b.y1}, {b.x2, b.y2}, {b.x1, b.y2}, {b.x2, b.y1}})
            EXPECT_EQ(cliqueEm(b.sub, x, y), std::make_pair(b.estado, b.destino)) << x << "," << y;
        for (auto [x, y] : {std::pair{b.x1 - 1, b.y1}, {b.x2 + 1, b.y2}, {b.x1, b.y1 - 1}, {b.x2, b.y2 + 1}})
            EXPECT_EQ(cliqueEm(b.sub, x, y), std::make_pair(int(menu), b.sub)) << x << "," << y;
    }
}

TEST_F(Menus, MainMenuTestsPlayInstructionsExitRecordsInThatOrder) {
    apertar(KEY_ESC);  // Exit's other trigger
    EXPECT_EQ(cliqueEm(41, 300, 350), std::make_pair(int(carregando), 19));
    EXPECT_EQ(cliqueEm(41, 700, 200), std::make_pair(int(menu), 2));
    EXPECT_EQ(cliqueEm(41, 600, 100), std::make_pair(int(sair), 41));
}

TEST_F(Menus, EscIsActedOnInEveryFrameItIsHeld) {
    EXPECT_EQ(cliqueEm(146, 0, 0).second, 146);
    apertar(KEY_ESC);
    EXPECT_EQ(quadro().subEstado, 2);
    EXPECT_EQ(quadro().subEstado, 41);
    EXPECT_EQ(quadro().estado, sair);
    // With a click on Next page, page 1 does both steps; then the main
    // menu's handler applies and 73 stays.
    EXPECT_EQ(cliqueEm(2, 600, 560).second, 41 * 73);
    apertar(KEY_ESC, false);
    EXPECT_EQ(clicar(700, 200).subEstado, 2 * 73);
}

TEST_F(Menus, RecordsPageReloadsTheFileEachTimeAndEscLeavesIt) {
    dir.escrever("records.txt", "Tempo: 300 mills\nnoise\nTempo: 100 mills\n");
    EXPECT_EQ(clicar(600, 100).subEstado, 3);
    EXPECT_EQ(logica->getMelhoresTempos(), (std::vector<int>{100, 300}));
    EXPECT_EQ(clicar(300, 350).subEstado, 3);  // other buttons are not on this page
    apertar(KEY_ESC);
    EXPECT_EQ(quadro().subEstado, 41);
    apertar(KEY_ESC, false);
    dir.escrever("records.txt", "Tempo: 50 mills\n");
    clicar(600, 100);
    EXPECT_EQ(logica->getMelhoresTempos(), (std::vector<int>{50}));
}
