#include <gtest/gtest.h>

#include <list>
#include <set>
#include <string>
#include <vector>

#include "CaminhosAssets.h"
#include "DiretorioTemporario.h"
#include "Pintor.h"
#include "test_pintor_ajuda.h"

namespace {

std::vector<unsigned int> esperas;
void registrarEspera(unsigned int ms) { esperas.push_back(ms); }

const int LINHAS = 12, COLUNAS = 20;  // a 1280 x 768 test city

int corTile(int codigo) {
    switch (codigo) {
        case 1: return makecol(100, 100, 100);  // road
        case 2: return makecol(0, 0, 200);      // another ground
        default: return makecol(0, 200, 0);     // upper tile (top half)
    }
}
int corDigito(int d) { return makecol(10 + d * 20, 200, 50 + d * 10); }
int corCarregando(int n) { return makecol(40 * n, 0, 100); }
int corFrase(int i) { return makecol(0, 20 * i, 255); }
// Pixel values as the library packs them (its channel order depends on the
// system driver), without the alpha byte.
int rgb(int r, int g, int b) { return makecol(r, g, b) & 0xffffff; }
#define VERMELHO rgb(255, 0, 0)  // the player's car
#define AMARELO rgb(255, 255, 0)  // traffic car type 2

// Every picture the renderer loads, each in a colour the tests can tell apart.
void escreverAssets() {
    BITMAP* folha = create_bitmap(4 * 64, 64);
    for (int c = 1; c <= 4; ++c) rectfill(folha, (c - 1) * 64, 0, c * 64 - 1, 63, corTile(c));
    // Tile 3 is an upper tile: green on top, transparent below.
    rectfill(folha, 128, 32, 191, 63, bitmap_mask_color(folha));
    escreverBitmap(CaminhosAssets::tiles(), folha);
    destroy_bitmap(folha);

    escreverImagem(CaminhosAssets::mouse(), 10, 10, 255, 255, 255);
    for (int d = 0; d < 10; ++d) {
        int c = corDigito(d);
        escreverImagem(CaminhosAssets::numero(d), 20, 30, getr32(c), getg32(c), getb32(c));
    }
    escreverImagem(CaminhosAssets::carro(1), 20, 10, 255, 0, 0);
    escreverImagem(CaminhosAssets::carro(2), 20, 10, 255, 255, 0);
    escreverImagem(CaminhosAssets::carro(3), 20, 10, 255, 255, 254);
    escreverImagem(CaminhosAssets::imagem(0), 4, 4, 1, 1, 1);
    escreverImagem(CaminhosAssets::imagem(1), 150, 150, 30, 30, 30);   // dial
    escreverImagem(CaminhosAssets::imagem(2), 10, 100, 250, 250, 0);   // needle
    escreverImagem(CaminhosAssets::imagem(3), 8, 30, 240, 240, 240);   // separator
    escreverImagem(CaminhosAssets::imagem(4), 180, 50, 20, 20, 60);    // clock frame
    escreverImagem(CaminhosAssets::imagem(5), 40, 40, 60, 60, 60);     // light off
    escreverImagem(CaminhosAssets::imagem(6), 40, 40, 255, 40, 40);    // light on

    escreverImagem(CaminhosAssets::menuPrincipal(), 800, 600, 200, 0, 0);
    escreverImagem(CaminhosAssets::menuInstrucoes(), 800, 600, 0, 200, 0);
    escreverImagem(CaminhosAssets::menuInstrucoes2(), 800, 600, 0, 0, 200);
    BITMAP* pausa = create_bitmap(800, 600);
    clear_to_color(pausa, bitmap_mask_color(pausa));
    rectfill(pausa, 300, 250, 500, 350, makecol(120, 0, 120));
    escreverBitmap(CaminhosAssets::menuPausa(), pausa);
    destroy_bitmap(pausa);
    for (int n = 0; n < 6; ++n) {
        int c = corCarregando(n);
        escreverImagem(CaminhosAssets::carregando(n), 100, 50, getr32(c), getg32(c), getb32(c));
    }
    for (int i = 0; i < 12; ++i) {
        int c = corFrase(i);
        escreverImagem(CaminhosAssets::frase(i), 200, 20, getr32(c), getg32(c), getb32(c));
    }

    // Ground: road everywhere, blue in column 0; one upper tile at (5, 5).
    std::string mapa = std::to_string(LINHAS) + " " + std::to_string(COLUNAS) + "\n";
    for (int r = 0; r < LINHAS; ++r) {
        for (int c = 0; c < COLUNAS; ++c) mapa += c == 0 ? "2 " : "1 ";
        mapa += "\n";
    }
    mapa += std::to_string(LINHAS) + " " + std::to_string(COLUNAS) + "\n";
    for (int r = 0; r < LINHAS; ++r) {
        for (int c = 0; c < COLUNAS; ++c) mapa += (r == 5 && c == 5) ? "3 " : "0 ";
        mapa += "\n";
    }
    criarPastas(CaminhosAssets::mapa(1));
    std::ofstream(CaminhosAssets::mapa(1)) << mapa;
}

// The centre of cell (linha, coluna) in map pixels, screen order.
Vetor centroCelula(int linha, int coluna) {
    return Vetor(coluna * 64.0f + 32.0f, linha * 64.0f + 32.0f);
}

class PintorTest : public ::testing::Test {
protected:
    void SetUp() override {
        iniciarAllegroSemTela();
        escreverAssets();
        tela = create_bitmap(800, 600);
        clear_bitmap(tela);
        pintor = new Pintor();
        pintor->setAlvo(tela);
        pintor->setEspera(registrarEspera);
        esperas.clear();
        mouse_x = 100;
        mouse_y = 500;
    }
    void TearDown() override {
        delete pintor;
        destroy_bitmap(tela);
    }

    // A race frame; the iterators point into this fixture's lists.
    cavalete quadro(SituacaoGlobal estado, int sub, Vetor jogador = Vetor(400, 300)) {
        cavalete c;
        c.estado = estado;
        c.transicaoEstadoGlobal = false;
        c.transicaoSubEstado = false;
        c.fase = 1;
        c.subEstado = sub;
        c.posicaoJogador1 = jogador;
        c.velocidadeJogador1 = 0;
        c.anguloJogador1 = 0;
        c.endFotoCarro1 = 1;
        c.acelleracao = 0;
        c.minutos = c.segundos = c.centesimos = 0;
        c.marcha = 1;
        c.itTilesInicio = tiles.begin();
        c.itTilesFim = tiles.end();
        c.itPosicaoInicio = posicoes.begin();
        c.itPosicaoFim = posicoes.end();
        c.itAnguloInicio = angulos.begin();
        c.itTipoCarro = tipos.begin();
        c.numeroNPCs = static_cast<int>(posicoes.size());
        return c;
    }

    cavalete inicioDaCorrida(int sub = 7, Vetor jogador = Vetor(400, 300)) {
        cavalete c = quadro(jogando, sub, jogador);
        c.transicaoEstadoGlobal = true;
        c.transicaoSubEstado = true;
        return c;
    }

    int ponto(BITMAP* b, int x, int y) { return getpixel(b, x, y) & 0xffffff; }

    BITMAP* tela = nullptr;
    Pintor* pintor = nullptr;
    std::list<Vetor> tiles;
    std::list<Vetor> posicoes;
    std::list<float> angulos;
    std::list<int> tipos;
    DiretorioTemporario dir;
};

TEST(PintorVista, CornerFollowsThePlayerAndStopsAtTheEdges) {
    Vetor mapa(150 * 64.0f, 20 * 64.0f);  // the game's city: 9600 x 1280
    auto canto = [&](float x, float y) {
        Vetor v = Pintor::calcularCantoVista(Vetor(x, y), mapa);
        return std::make_pair(static_cast<int>(v.getX()), static_cast<int>(v.getY()));
    };
    EXPECT_EQ(canto(4000, 640), std::make_pair(3600, 340));   // centred
    EXPECT_EQ(canto(100, 640), std::make_pair(0, 340));       // left edge
    EXPECT_EQ(canto(4000, 50), std::make_pair(3600, 0));      // top edge
    EXPECT_EQ(canto(9500, 640), std::make_pair(8800, 340));   // right edge
    EXPECT_EQ(canto(4000, 1250), std::make_pair(3600, 680));  // bottom edge
    EXPECT_EQ(canto(9600, 1280), std::make_pair(8800, 680));  // far corner
    EXPECT_EQ(canto(0, 0), std::make_pair(0, 0));
    // The limits themselves still centre the player.
    EXPECT_EQ(canto(400, 300), std::make_pair(0, 0));
    EXPECT_EQ(canto(9200, 980), std::make_pair(8800, 680));
    EXPECT_EQ(canto(50.9f, 550.7f), std::make_pair(0, 250));  // truncated
}

TEST_F(PintorTest, ViewCopiesTheMapLayerAtItsCorner) {
    pintor->pintar(inicioDaCorrida(11));
    BITMAP* camada = pintor->getCamada1();
    ASSERT_NE(camada, nullptr);
    EXPECT_EQ(camada->w, COLUNAS * 64);
    EXPECT_EQ(camada->h, LINHAS * 64);
    EXPECT_EQ(pintor->getTamanhoMapa().getX(), COLUNAS * 64.0f);

    // Markers in the map layer at the corners the view should start from.
    const int marca = makecol(1, 2, 3);
    struct Caso { Vetor jogador; int cantoX, cantoY; };
    Caso casos[] = {{Vetor(640, 384), 240, 84},      // centred
                    {Vetor(1200, 700), 480, 168},    // bottom-right corner of the map
                    {Vetor(10, 10), 0, 0}};          // top-left corner
    for (const Caso& caso : casos) {
        putpixel(camada, caso.cantoX, caso.cantoY, marca);
        putpixel(camada, caso.cantoX + 799, caso.cantoY + 300, marca);
        pintor->pintar(quadro(jogando, 11, caso.jogador));
        EXPECT_EQ(ponto(tela, 0, 599), ponto(camada, caso.cantoX, caso.cantoY + 599));
        EXPECT_EQ(ponto(pintor->getBuffer(), 799, 300), marca & 0xffffff);
        EXPECT_EQ(ponto(tela, 799, 300), marca & 0xffffff);
    }
    // Column 0 of the city is blue ground: visible at the left of the view.
    pintor->pintar(quadro(jogando, 11, Vetor(10, 400)));
    EXPECT_EQ(ponto(tela, 30, 300), corTile(2) & 0xffffff);
}

TEST_F(PintorTest, RepairErasesOldCarsAndTheUpperLayerCoversThem) {
    pintor->pintar(inicioDaCorrida(11));
    BITMAP* camada = pintor->getCamada1();
    ASSERT_NE(camada, nullptr);
    const int estrada = corTile(1) & 0xffffff;

    // The car is stamped into the map layer where it is.
    tiles = {Vetor(2, 3)};
    pintor->pintar(quadro(jogando, 11, centroCelula(2, 3)));
    EXPECT_EQ(ponto(camada, 224, 160), VERMELHO);

    // It moves on: its old cell is listed and repaired, the new one holds it.
    tiles = {Vetor(2, 8), Vetor(2, 3)};
    pintor->pintar(quadro(jogando, 11, centroCelula(2, 8)));
    EXPECT_EQ(ponto(camada, 224, 160), estrada);
    EXPECT_EQ(ponto(camada, 544, 160), VERMELHO);

    // An empty list repairs nothing: the old image stays until listed.
    tiles.clear();
    pintor->pintar(quadro(jogando, 11, centroCelula(2, 10)));
    EXPECT_EQ(ponto(camada, 544, 160), VERMELHO);
    EXPECT_EQ(ponto(camada, 672, 160), VERMELHO);

    // Under the upper tile at (5, 5): covered by its opaque top half,
    // visible through its transparent bottom half.
    tiles = {Vetor(5, 5)};
    pintor->pintar(quadro(jogando, 11, centroCelula(5, 5)));
    EXPECT_EQ(ponto(camada, 352, 349), corTile(3) & 0xffffff);
    EXPECT_EQ(ponto(camada, 352, 354), VERMELHO);

    // Traffic: drawn by type; type 0 is skipped; a listed cell outside the
    // map is ignored.
    tiles = {Vetor(8, 3), Vetor(8, 12), Vetor(-1, 4), Vetor(40, 400)};
    posicoes = {centroCelula(8, 3), centroCelula(8, 12)};
    angulos = {0.0f, 0.0f};
    tipos = {2, 0};
    testing::internal::CaptureStdout();
    pintor->pintar(quadro(jogando, 11, centroCelula(2, 10)));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "erro");
    EXPECT_EQ(ponto(camada, 224, 544), AMARELO);
    EXPECT_EQ(ponto(camada, 800, 544), estrada);
}

TEST_F(PintorTest, RotatedCarTurnsAboutItsCentre) {
    pintor->pintar(inicioDaCorrida(11));
    BITMAP* camada = pintor->getCamada1();
    tiles = {Vetor(2, 3)};
    cavalete c = quadro(jogando, 11, centroCelula(2, 3));
    c.anguloJogador1 = 3.14159265f / 2;  // a quarter turn: now 10 wide, 20 high
    pintor->pintar(c);
    EXPECT_EQ(ponto(camada, 224, 168), VERMELHO);
    EXPECT_EQ(ponto(camada, 232, 160), corTile(1) & 0xffffff);
}

TEST_F(PintorTest, HudThrottleBarClockAndProgress) {
    pintor->carregarMapa(quadro(jogando, 11));
    BITMAP* barra = pintor->getBarraAceleracao();
    auto linhasCheias = [&](float a) {
        cavalete c = quadro(jogando, 11);
        c.acelleracao = a;
        pintor->pintarAceleracao(c);
        std::vector<int> cheias;
        for (int y = 0; y < 80; ++y)
            if (ponto(barra, 10, y) != 0) cheias.push_back(y);
        return cheias;
    };
    EXPECT_TRUE(linhasCheias(0.0f).empty());
    std::vector<int> tudo = linhasCheias(1.0f);
    ASSERT_EQ(tudo.size(), 79u);
    EXPECT_EQ(tudo.front(), 1);
    EXPECT_EQ(tudo.back(), 79);
    // Green at the bottom, red towards the top; the bar sits at (690, 520).
    EXPECT_GT(getg32(getpixel(barra, 10, 79)), 200);
    EXPECT_GT(getr32(getpixel(barra, 10, 1)), 200);
    std::vector<int> metade = linhasCheias(0.5f);
    ASSERT_EQ(metade.size(), 39u);
    EXPECT_EQ(metade.front(), 41);
    EXPECT_EQ(ponto(pintor->getBuffer(), 700, 520 + 79), ponto(barra, 10, 79));
    EXPECT_EQ(linhasCheias(7.0f).size(), 79u);  // out of range is clamped

    // Gear digit above the bar; reverse arrives as 9.
    cavalete c = quadro(jogando, 11);
    c.marcha = 9;
    pintor->pintarAceleracao(c);
    EXPECT_EQ(ponto(pintor->getBuffer(), 695, 490), corDigito(9) & 0xffffff);

    // Clock 12:05.07 inside a 180-wide frame: m = 310.
    c.minutos = 12;
    c.segundos = 5;
    c.centesimos = 7;
    pintor->pintarRelogio(c);
    const int m = 310, digitos[] = {1, 2, 0, 5, 0, 7}, xs[] = {19, 42, 73, 96, 127, 150};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ponto(pintor->getBuffer(), m + xs[i] + 5, 20), corDigito(digitos[i]) & 0xffffff)
            << "digit " << i;
    }
    EXPECT_EQ(ponto(pintor->getBuffer(), m + 67, 20), 0xf0f0f0);  // separator

    // Progress strip: at x = 0 the mark spans -3..3; halfway it is at 400.
    const int marca = makecol(0, 100, 100) & 0xffffff;
    c.posicaoJogador1 = Vetor(0, 300);
    pintor->pintarTrechoCompleto(c);
    EXPECT_EQ(ponto(pintor->getBuffer(), 0, 3), marca);
    EXPECT_EQ(ponto(pintor->getBuffer(), 3, 3), marca);
    EXPECT_EQ(ponto(pintor->getBuffer(), 4, 3), 0);
    EXPECT_EQ(ponto(pintor->getBuffer(), 760, 3), 0xffffff);  // finish
    c.posicaoJogador1 = Vetor(COLUNAS * 64 / 2.0f, 300);
    pintor->pintarTrechoCompleto(c);
    EXPECT_EQ(ponto(pintor->getBuffer(), 396, 3), 0);
    EXPECT_EQ(ponto(pintor->getBuffer(), 397, 3), marca);
    EXPECT_EQ(ponto(pintor->getBuffer(), 403, 3), marca);
    EXPECT_EQ(ponto(pintor->getBuffer(), 0, 3), 0);
}

TEST_F(PintorTest, PauseWinsOverRaceAndCountdownAndFreezesTheRace) {
    pintor->pintar(inicioDaCorrida(11));
    const int roxo = makecol(120, 0, 120) & 0xffffff;
    for (int sub : {5 * 11, 5 * 7, 5 * 7 * 43, 5 * 7 * 11}) {
        cavalete c = quadro(jogando, sub);
        c.transicaoSubEstado = true;
        esperas.clear();
        pintor->pintar(c);
        EXPECT_EQ(ponto(tela, 400, 300), roxo) << sub;
        EXPECT_EQ(ponto(tela, 105, 505), 0xffffff) << sub;  // pointer
        EXPECT_EQ(esperas, std::vector<unsigned int>{200}) << sub;
        pintor->pintar(quadro(jogando, 11));  // back to the race
        EXPECT_EQ(ponto(tela, 400, 340), corTile(1) & 0xffffff);
    }

    // While paused the race behind stays as it was and only the pointer moves.
    cavalete c = quadro(jogando, 55);
    c.transicaoSubEstado = true;
    pintor->pintar(c);
    int antes = ponto(tela, 100, 100);
    putpixel(pintor->getCamada1(), 100, 100, makecol(9, 9, 9));
    mouse_x = 50;
    mouse_y = 50;
    esperas.clear();
    pintor->pintar(quadro(jogando, 55));
    EXPECT_EQ(ponto(tela, 100, 100), antes);
    EXPECT_EQ(ponto(tela, 55, 55), 0xffffff);
    EXPECT_EQ(ponto(tela, 105, 505), corTile(1) & 0xffffff);
    EXPECT_TRUE(esperas.empty());
}

TEST_F(PintorTest, MenuPageChosenBySubState) {
    struct Caso { int sub; int cor; };
    Caso casos[] = {{41, rgb(200, 0, 0)},       // main menu
                    {2, rgb(0, 200, 0)},        // instructions, page 1
                    {2 * 73, rgb(0, 0, 200)},   // page 2: 73 tested before 2
                    {41 * 73, rgb(200, 0, 0)},  // 41 first of all
                    {2, rgb(0, 200, 0)}};
    for (const Caso& caso : casos) {
        cavalete c = quadro(menu, caso.sub);
        c.transicaoSubEstado = true;
        pintor->pintar(c);
        EXPECT_EQ(ponto(tela, 100, 100), caso.cor) << caso.sub;
        EXPECT_EQ(ponto(tela, 105, 505), 0xffffff) << caso.sub;
        // Without a change the page stays and the pointer follows the mouse.
        mouse_x = 10;
        pintor->pintar(quadro(menu, caso.sub));
        EXPECT_EQ(ponto(tela, 100, 100), caso.cor);
        EXPECT_EQ(ponto(tela, 15, 505), 0xffffff);
        mouse_x = 100;
    }
}

TEST_F(PintorTest, RecordsPageShowsBackButtonWithOrWithoutTimes) {
    EXPECT_EQ(Pintor::formatarTempo(754321), "12:34.32");
    EXPECT_EQ(Pintor::formatarTempo(0), "00:00.00");
    EXPECT_EQ(Pintor::formatarTempo(59999), "00:59.99");

    std::vector<int> tempos;
    pintor->setRecordes(&tempos);
    cavalete c = quadro(menu, 3);
    c.transicaoSubEstado = true;
    pintor->pintar(c);
    const int botao = makecol(170, 30, 30) & 0xffffff;
    EXPECT_EQ(ponto(tela, 355, 535), botao);
    EXPECT_EQ(ponto(tela, 440, 525), botao);
    int semTempos = 0;
    for (int y = 150; y < 500; ++y) semTempos += ponto(tela, 260, y) == 0xf0f0f0;

    // Ten times: the first row's rank is drawn where the empty page had none.
    for (int i = 0; i < 12; ++i) tempos.push_back(60000 + i * 1000);
    pintor->pintar(quadro(menu, 3));
    int comTempos = 0;
    for (int y = 150; y < 500; ++y) comTempos += ponto(tela, 260, y) == 0xf0f0f0;
    EXPECT_GT(comTempos, semTempos);
    EXPECT_EQ(ponto(tela, 355, 535), botao);

    pintor->setRecordes(nullptr);  // no list yet: the empty page
    pintor->pintar(quadro(menu, 3));
    EXPECT_EQ(ponto(tela, 355, 535), botao);

    // With its picture the page shows it (title and button come with it)
    // and writes the times inside the panel.
    escreverImagem(CaminhosAssets::menuRecordes(), 800, 600, 20, 20, 50);
    pintor->setRecordes(&tempos);
    pintor->pintar(c);
    EXPECT_EQ(ponto(tela, 355, 535), rgb(20, 20, 50));
    int linhas = 0;
    for (int y = 150; y < 500; ++y) linhas += ponto(tela, 260, y) == 0xf0f0f0;
    EXPECT_EQ(linhas, comTempos);
    EXPECT_EQ(ponto(tela, 105, 505), 0xffffff);  // pointer
}

TEST_F(PintorTest, LoadingShowsTheStepImageAndFiveDistinctPhrases) {
    const int primos[] = {19, 23, 29, 31, 37};
    std::set<int> frases;
    for (int passo = 0; passo < 5; ++passo) {
        cavalete c = quadro(carregando, primos[passo]);
        c.transicaoEstadoGlobal = passo == 0;
        c.transicaoSubEstado = true;
        esperas.clear();
        pintor->pintar(c);
        EXPECT_EQ(ponto(tela, 400, 300), corCarregando(passo + 1) & 0xffffff);
        int frase = ponto(tela, 400, 365);
        EXPECT_EQ(getr32(frase), 0);
        EXPECT_EQ(getb32(frase), 255);
        frases.insert(getg32(frase) / 20);
        ASSERT_EQ(esperas.size(), 1u);
        EXPECT_GE(esperas[0], 1u);
        EXPECT_LE(esperas[0], 1000u);
    }
    EXPECT_EQ(frases.size(), 5u);
    // No step prime: image 0. More steps than phrases never hang.
    for (int i = 0; i < 30; ++i) pintor->pintar(quadro(carregando, 1));
    EXPECT_EQ(ponto(tela, 400, 300), corCarregando(0) & 0xffffff);
}

TEST_F(PintorTest, StartLightsComeOnOneByOneAndSurviveAPause) {
    auto luz = [&](int i) { return ponto(tela, 450 + 15 + 68 * i + 20, 32); };
    const int apagada = rgb(60, 60, 60), acesa = rgb(255, 40, 40);
    pintor->pintar(inicioDaCorrida(7));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(luz(i), apagada);
    EXPECT_EQ(esperas.back(), 500u);
    EXPECT_EQ(ponto(tela, 400, 400), corTile(1) & 0xffffff);  // the view

    const int sequencia[] = {301, 329, 371, 413};
    for (int k = 0; k < 4; ++k) {
        pintor->pintar(quadro(jogando, sequencia[k]));
        for (int i = 0; i < 5; ++i) EXPECT_EQ(luz(i), i <= k ? acesa : apagada) << k << i;
        EXPECT_EQ(esperas.back(), 500u);
        if (k == 1) {
            // Paused and resumed at the second light: the lights lit so far
            // come back and the pause page is gone.
            cavalete pausa = quadro(jogando, 329 * 5);
            pausa.transicaoSubEstado = true;
            pintor->pintar(pausa);
            EXPECT_EQ(ponto(tela, 400, 340), makecol(120, 0, 120) & 0xffffff);
            cavalete volta = quadro(jogando, 329);
            volta.transicaoSubEstado = true;
            pintor->pintar(volta);
            EXPECT_EQ(ponto(tela, 400, 340), corTile(1) & 0xffffff);
            for (int i = 0; i < 5; ++i) EXPECT_EQ(luz(i), i <= 1 ? acesa : apagada);
        }
    }
    pintor->pintar(quadro(jogando, 427));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(luz(i), acesa);
    EXPECT_GE(esperas.back(), 1u);
    EXPECT_LE(esperas.back(), 4000u);
}

TEST_F(PintorTest, FinishHoldsTheLastFrameFiveSeconds) {
    pintor->pintar(inicioDaCorrida(11));
    esperas.clear();
    cavalete c = quadro(finalizando, 11);
    c.transicaoEstadoGlobal = true;
    pintor->pintar(c);
    EXPECT_EQ(esperas, std::vector<unsigned int>{5000});
    EXPECT_EQ(ponto(tela, 400, 400), corTile(1) & 0xffffff);
}

TEST(PintorSemAssets, MissingPicturesAreNeverDrawn) {
    iniciarAllegroSemTela();
    DiretorioTemporario dir;
    BITMAP* tela = create_bitmap(800, 600);
    esperas.clear();
    testing::internal::CaptureStdout();
    {
        Pintor pintor;
        pintor.setAlvo(tela);
        pintor.setEspera(registrarEspera);
        std::list<Vetor> tiles = {Vetor(1, 1)};
        cavalete c;
        c.fase = 1;
        c.posicaoJogador1 = Vetor(100, 100);
        c.velocidadeJogador1 = c.anguloJogador1 = c.acelleracao = 0;
        c.minutos = c.segundos = c.centesimos = c.marcha = 0;
        c.itTilesInicio = tiles.begin();
        c.itTilesFim = tiles.end();
        c.numeroNPCs = 0;
        struct Passo { SituacaoGlobal estado; int sub; bool transicao; };
        Passo passos[] = {{menu, 41, true}, {menu, 3, true}, {carregando, 19, true},
                          {jogando, 7, true}, {jogando, 301, false}, {jogando, 55, true},
                          {jogando, 11, true}, {finalizando, 11, true}};
        for (const Passo& p : passos) {
            c.estado = p.estado;
            c.subEstado = p.sub;
            c.transicaoEstadoGlobal = c.transicaoSubEstado = p.transicao;
            pintor.pintar(c);
        }
        EXPECT_EQ(pintor.getCamada1(), nullptr);
    }
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find("graficos/mouse.bmp: cannot load"), std::string::npos);
    EXPECT_NE(saida.find("mapas/1.txt: cannot open the city map"), std::string::npos);
    destroy_bitmap(tela);
}

TEST(PintorMapaRuim, ShortOrOversizedMapIsReportedNotTrusted) {
    iniciarAllegroSemTela();
    DiretorioTemporario dir;
    Pintor pintor;
    cavalete c;
    c.fase = 1;
    dir.escrever("mapas/1.txt", "2 3\n1 1 1\n1");
    testing::internal::CaptureStdout();
    pintor.carregarMapa(c);
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find("ends inside a layer"), std::string::npos);
    ASSERT_NE(pintor.getCamada1(), nullptr);
    EXPECT_EQ(pintor.getTamanhoMapa().getX(), 192.0f);

    dir.escrever("mapas/1.txt", "100000 100000\n");
    testing::internal::CaptureStdout();
    pintor.carregarMapa(c);
    saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find("out of range"), std::string::npos);
    EXPECT_EQ(pintor.getCamada1(), nullptr);
}

}  // namespace
