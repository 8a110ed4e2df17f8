#include <filesystem>
#include <tuple>

#include "AmbienteLogica.h"
#include "ControleJogo.h"
#include "NomesAssets.h"
#include "TravaFoco.h"
#include "VerificadorMicrofone.h"

using namespace NomesAssets;

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
    // Escape goes down afresh (and up again, for a tap between two frames).
    void esc(bool toque = false) { apertar(KEY_ESC, false), apertar(KEY_ESC), apertar(KEY_ESC, !toque); }
};

TEST_F(Menus, ButtonRectanglesAreInclusiveAndTestedPlayInstructionsExitRecords) {
    struct Botao {
        int sub;
        RetanguloBotao r;
        int estado, destino;
    };
    const Botao botoes[] = {{41, BOTAO_JOGAR, carregando, 19},
                            {41, BOTAO_INSTRUCOES, menu, 2},
                            {41, BOTAO_SAIR, sair, 41},
                            {41, BOTAO_RECORDES, menu, 3},
                            {2, BOTAO_VOLTAR_PAGINA_1, menu, 41},
                            {2, BOTAO_PROXIMA_PAGINA, menu, 146},
                            {146, BOTAO_VOLTAR_PAGINA_2, menu, 2},
                            {3, BOTAO_VOLTAR_RECORDES, menu, 41}};
    for (const Botao& b : botoes) {
        const RetanguloBotao& r = b.r;
        for (auto [x, y] : {std::pair{r.x1, r.y1}, {r.x2, r.y2}, {r.x1, r.y2}, {r.x2, r.y1}})
            EXPECT_EQ(cliqueEm(b.sub, x, y), std::make_pair(b.estado, b.destino)) << x << "," << y;
        for (auto [x, y] : {std::pair{r.x1 - 1, r.y1}, {r.x2 + 1, r.y2}, {r.x1, r.y1 - 1}, {r.x2, r.y2 + 1}})
            EXPECT_EQ(cliqueEm(b.sub, x, y), std::make_pair(int(menu), b.sub)) << x << "," << y;
    }
    // A click shorter than a frame, the pointer gone by the frame: the
    // button where it went down.
    cliqueEm(41, 0, 0);
    mouse(700, 200);
    mouse(10, 10, false);
    EXPECT_EQ(quadro().subEstado, 2);
    // Exit's other trigger, Escape, is tested after Play and Instructions.
    for (auto [x, y, estado, sub] :
         {std::tuple{300, 350, int(carregando), 19}, {700, 200, int(menu), 2}, {600, 100, int(sair), 41}}) {
        esc();
        EXPECT_EQ(cliqueEm(41, x, y), std::make_pair(estado, sub));
    }
}

TEST_F(Menus, EscGoesBackOneStepPerPressHeldOrTapped) {
    cliqueEm(146, 0, 0);
    std::vector<int> subs;
    esc();
    for (int i = 0; i < 3; i++) subs.push_back(quadro().subEstado);  // held: one step
    esc(true);
    for (int i = 0; i < 2; i++) subs.push_back(quadro().subEstado);
    EXPECT_EQ(subs, (std::vector<int>{2, 2, 2, 41, 41}));
    cliqueEm(3, 0, 0);
    esc();
    EXPECT_EQ(quadro().subEstado, 41);
    apertar(KEY_ESC);  // still held, repeated by the X server: no press, no quit
    EXPECT_EQ(quadro().estado, menu);
    esc();
    entradas.descartarApertos();  // as after the opening: a press from before is forgotten
    EXPECT_EQ(quadro().estado, menu);
    esc();
    EXPECT_EQ(quadro().estado, sair);  // a new press quits
    // With a click on Next page, page 1 does both steps; then the main
    // menu's handler applies and 73 stays.
    esc();
    EXPECT_EQ(cliqueEm(2, 600, 560).second, 41 * 73);
    EXPECT_EQ(clicar(700, 200).subEstado, 2 * 73);
}

// The first start tunes the microphone: with no calibration saved and a
// microphone that records, Play leads to the check and its prompt. Enter
// skips to the race; three seconds of roaring calibrate, and the race
// starts a moment later; leaving the page (Escape, here after Escape has
// only closed the microphones' list) is a skip too. Each is kept: Play goes
// straight to the race from then on.
TEST_F(Menus, TheFirstPlayTunesTheMicrophoneOnceThenGoesStraightToTheRace) {
    const std::string caminho = (dir.getCaminho() / "ronco.conf").string();
    const VerificadorMicrofone* v = logica->getVerificacaoMicrofone();
    auto tecla = [this](int k) {
        apertar(k);
        const Quadro q = quadro();
        apertar(k, false);
        return q;
    };
    for (int caso = 0; caso < 3; caso++) {
        std::filesystem::remove(caminho);
        Preferencias p;
        p.carregar(caminho);
        logica->setPreferencias(&p);
        EXPECT_EQ(cliqueEm(41, 300, 350), std::make_pair(int(menu), 2)) << caso;
        EXPECT_EQ(v->getTitulo(), "FIRST, TUNE YOUR MICROPHONE");
        if (caso == 0) {
            EXPECT_EQ(tecla(KEY_ENTER).estado, carregando);
        } else if (caso == 1) {
            tecla(KEY_C);
            EXPECT_EQ(v->getTitulo(), "ROAR NOW!");
            for (int i = 0; i < CalibracaoVoz::QUADROS + PrimeiraAfinacao::QUADROS_RESULTADO - 3; i++) quadro();
            EXPECT_EQ(v->getCalibracao().getSituacao(), CalibracaoVoz::FEITA);
            EXPECT_EQ(estado()->getEstadoGlobal(), menu) << "the result shows for a moment";
            EXPECT_EQ(quadro().estado, carregando);
        } else {
            tecla(KEY_M);
            EXPECT_EQ(tecla(KEY_ESC).subEstado, 2) << "Escape closes the list first";
            EXPECT_EQ(tecla(KEY_ESC).subEstado, 41);
        }
        EXPECT_EQ(p.getCalibracao(), caso == 1 ? Preferencias::CALIBRACAO_FEITA : Preferencias::CALIBRACAO_PULADA);
        EXPECT_NE(dir.ler("ronco.conf").find(caso == 1 ? "calibration = done" : "calibration = skipped"),
                  std::string::npos);
        EXPECT_EQ(cliqueEm(41, 300, 350), std::make_pair(int(carregando), 19)) << "never offered again";
        logica->setPreferencias(nullptr);
    }
}

// The first instructions page runs the microphone check with an analysis of
// its own: the race's decisions, window and level stay as they were, and
// the race still gets the newest recording at its first frame though the
// check read it first.
TEST_F(Menus, TheMicrophoneCheckListensOnPageOneAndLeavesTheRaceAnalysisAlone) {
    CapturaAudio* c = logica->getMicrofone();
    auto analise = [c] {
        return std::make_tuple(c->getPpvRoncos(), c->getNivelRonco(), c->getSlot(), c->getInicioJanela(),
                               c->getFimJanela(), c->getBufferGravado()[44000] != 32768);
    };
    const auto nunca = analise();
    clicar(700, 200);
    for (int i = 0; i < 60; i++) quadro();
    const VerificadorMicrofone* v = logica->getVerificacaoMicrofone();
    EXPECT_EQ(v->getTexto(), "GOOD");
    EXPECT_EQ(fonte->getBuffersEntregues(), 61);
    // The page's keys change the player's settings; in another window the
    // check stops listening, and starts a new visit when the player is back.
    for (int tecla : {KEY_K, KEY_EQUALS}) apertar(tecla), apertar(tecla, false);
    quadro();
    TravaFoco::registrar(false);
    for (int i = 0; i < 10; i++) quadro();
    EXPECT_EQ(fonte->getBuffersEntregues(), 62) << "listened in the background";
    EXPECT_EQ(logica->getPreferencias().getAceleradorTeclado(), Preferencias::SEMPRE);
    EXPECT_FLOAT_EQ(logica->getPreferencias().getSensibilidade(), 1.19f);
    TravaFoco::registrar(true);
    quadro();
    EXPECT_EQ(v->getTexto(), "LISTENING...");
    clicar(150, 560);
    EXPECT_EQ(analise(), nunca);
    carregar();
    quadro();
    // The race hears the newest 40 ms at its first frame.
    EXPECT_EQ(analise(), std::make_tuple(1, 0.3f, 0, 44100 - c->getDeslocamentoJanela(), 44100, true));
}

namespace {
MapaControle::Leitura leituraPad;
MapaControle::Leitura lerPad() { return leituraPad; }
}  // namespace

// With a gamepad, each page highlights its first button; the stick moves the
// highlight to the nearest button that way, A presses it. Start pauses and
// resumes a race, and is no Escape in the main menu (it would quit).
TEST_F(Menus, AGamepadMovesBetweenTheButtonsAndPressesThem) {
    ControleJogo::setLeitor(lerPad);
    auto pad = [this](int x, int y, unsigned botoes = 0) {
        leituraPad.presente = true;
        leituraPad.eixos = {{x, true}, {y, false}};
        leituraPad.botoes = botoes;
        return quadro();
    };
    const unsigned A = 1u << MapaControle::BOTAO_A, START = 1u << MapaControle::BOTAO_START;
    auto destaque = [this] {
        NavegacaoMenu::Botao b{};
        logica->getNavegacao().getDestaque(
            NavegacaoMenu::chavePagina(estado()->getEstadoGlobal(), estado()->getSubEstado()), &b);
        return std::make_pair(b.x1, b.y1);
    };
    auto em = [](const RetanguloBotao& r) { return std::make_pair(r.x1, r.y1); };
    for (int i = 0; i <= MapaControle::QUADROS_REPOUSO; i++) pad(0, 0);  // where the stick rests is learnt
    EXPECT_EQ(destaque(), em(BOTAO_JOGAR));
    pad(100, 0);  // left and right choose the city on the main menu
    EXPECT_EQ(destaque(), em(BOTAO_JOGAR));
    pad(0, 0);
    pad(0, -100);
    EXPECT_EQ(destaque(), em(BOTAO_SAIR));
    pad(0, 0);
    pad(0, -100);
    EXPECT_EQ(destaque(), em(BOTAO_RECORDES));
    EXPECT_EQ(pad(0, 0, START).estado, menu);
    EXPECT_EQ(pad(0, 0, A).subEstado, 3);
    pad(0, 0);
    pad(0, 0);
    EXPECT_EQ(destaque(), em(BOTAO_VOLTAR_RECORDES));
    EXPECT_EQ(pad(0, 0, A).subEstado, 41);
    pad(0, 0);
    pad(0, 0, A);  // back on the main menu: Play highlighted again
    EXPECT_EQ(estado()->getEstadoGlobal(), carregando);
    for (int i = 0; i < 5; i++) quadro();
    largar();
    EXPECT_EQ(pad(0, 0, START).subEstado, 55);
    pad(0, 0);
    EXPECT_EQ(pad(0, 0, START).subEstado, 11);
    pad(0, 0);
    pad(0, 0, START);
    pad(0, 0);
    pad(0, 100);
    EXPECT_EQ(destaque(), em(BOTAO_DESISTIR));
    EXPECT_EQ(pad(0, 0, A).estado, menu);
    ControleJogo::setLeitor(nullptr);
}

// Two cities: the main menu's line chooses one (the keys, a click on an
// arrow), the choice is saved and comes back, the race loads that city's
// map and finish, writes its own record and ghost files and earns its own
// medal, and the records page shows one city at a time.
TEST_F(Menus, TheCityLineChoosesTheCitySavesItAndRacesThereWithItsOwnRecords) {
    dir.escrever("mapas/2.txt", mapa());
    dir.escrever("mapas/2trans.txt", dir.ler("mapas/1trans.txt"));
    dir.escrever("mapas/cidades.txt",
                 "[city]\nmap = 1\nname = ONE\nstart = 50 550\nfinish = 9120\n"
                 "[city]\nmap = 2\nname = TWO\nstart = 50 800\nfinish = 700\n");
    dir.escrever("records.txt", "Tempo: 70000 mills\n");
    dir.escrever("mapas/1medalhas.txt", "gold 1000\nsilver 2000\nbronze 3000\n");
    dir.escrever("mapas/2medalhas.txt", "gold 60000\nsilver 62000\nbronze 70000\n");
    dir.escrever("ronco.conf", "calibration = skipped\n");  // Play goes straight to the race
    Preferencias preferencias;
    preferencias.carregar((dir.getCaminho() / "ronco.conf").string());
    logica->setPreferencias(&preferencias);
    logica->carregarCidades("mapas/cidades.txt");
    quadro();
    EXPECT_EQ(logica->getCidades().getEscolhida().nome, "ONE");
    EXPECT_EQ(logica->getRecordes().getMelhores(), std::vector<int>{70000});
    apertar(KEY_RIGHT), quadro(), apertar(KEY_RIGHT, false), quadro();
    EXPECT_EQ(logica->getCidades().getEscolhida().nome, "TWO");
    EXPECT_NE(dir.ler("ronco.conf").find("city = 2"), std::string::npos);
    EXPECT_TRUE(logica->getRecordes().getMelhores().empty());
    // The arrows at the line's ends, round the list; between them nothing.
    const RetanguloBotao& l = CIDADE_MENU;
    for (auto [x, nome] : {std::pair(l.x1 + 2, "ONE"), std::pair(l.x1 + 2, "TWO"), std::pair(l.x2 - 2, "ONE"),
                           std::pair((l.x1 + l.x2) / 2, "ONE"), std::pair(l.x2 + 1, "ONE"), std::pair(l.x2, "TWO")}) {
        clicar(x, (l.y1 + l.y2) / 2), quadro();
        EXPECT_EQ(logica->getCidades().getEscolhida().nome, std::string(nome)) << x;
    }
    Preferencias relidas;  // the next start comes back to it
    relidas.carregar(preferencias.getCaminho());
    Logica outra(&entradas);
    outra.setPreferencias(&relidas);
    outra.carregarCidades("mapas/cidades.txt");
    EXPECT_EQ(outra.getCidades().getEscolhida().nome, "TWO");

    // Its race: map 2, started where the list says, finished at its finish.
    carregar();
    const std::vector<Quadro> q = correrAteOMenu();
    ASSERT_EQ(q.back().estado, menu);
    EXPECT_EQ(q[0].fase, 2);
    EXPECT_FLOAT_EQ(q[0].posicao.getX(), 800.0f);
    EXPECT_GE(q[q.size() - 2].posicao.getY(), 700.0f);
    EXPECT_LT(q[q.size() - 3].posicao.getY(), 700.0f);
    EXPECT_EQ(dir.ler("records.txt"), "Tempo: 70000 mills\n");
    EXPECT_EQ(dir.ler("records-2.txt"), "Tempo: " + std::to_string(tempoCorrendo(q)) + " mills\n");
    EXPECT_EQ(logica->getRecordes().getMelhores(), std::vector<int>{tempoCorrendo(q)});
    EXPECT_EQ(logica->getLinhaChegada().getMedalha(), Medalhas::OURO);  // by its own medal times
    EXPECT_EQ(dir.ler("ghost-2.txt").rfind("ronco-ghost 1\ncity 2\n", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists("ghost.txt"));

    // The records page: the city chosen, then the other with Left.
    clicar(605, 114), quadro();
    ASSERT_EQ(estado()->getSubEstado(), 3);
    EXPECT_EQ(logica->getRecordes().getMelhores(), std::vector<int>{tempoCorrendo(q)});
    apertar(KEY_LEFT), quadro(), apertar(KEY_LEFT, false), quadro();
    EXPECT_EQ(logica->getCidades().getEscolhida().nome, "ONE");
    EXPECT_EQ(logica->getRecordes().getMelhores(), std::vector<int>{70000});
    EXPECT_EQ(estado()->getSubEstado(), 3);
    clicar(CIDADE_RECORDES.x2 - 5, CIDADE_RECORDES.y1 + 5), quadro();
    EXPECT_EQ(logica->getCidades().getEscolhida().nome, "TWO");
}
