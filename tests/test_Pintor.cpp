#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "AjudaColisao.h"
#include "AjudaPintor.h"
#include "AmbienteLogica.h"
#include "ArquivoFantasma.h"
#include "CaminhosAssets.h"
#include "CapturaAudio.h"
#include "ControleJogo.h"
#include "DiretorioTemporario.h"
#include "EscolhaCidade.h"
#include "LinhaChegada.h"
#include "NavegacaoMenu.h"
#include "NomesAssets.h"
#include "PainelChegada.h"
#include "PainelCidade.h"
#include "PainelControle.h"
#include "PainelFantasma.h"
#include "PainelMedalha.h"
#include "PainelMicrofone.h"
#include "Piloto.h"
#include "Pintor.h"
#include "Preferencias.h"
#include "Recordes.h"
#include "RepartidorGravacao.h"

namespace {

std::vector<unsigned int> esperas;
void registrarEspera(unsigned int ms) { esperas.push_back(ms); }
volatile int janelaFechada = 0;
void esperarEFechar(unsigned int ms) {
    esperas.push_back(ms);
    janelaFechada = 1;
}

// Pixel values without the alpha byte, in the library's channel order.
int rgb(int r, int g, int b) { return makecol(r, g, b) & 0xffffff; }
int corTile(int codigo) { return codigo == 1 ? rgb(100, 100, 100) : codigo == 2 ? rgb(0, 0, 200) : rgb(0, 200, 0); }
int corDigito(int d) { return rgb(10 + d * 20, 200, 50 + d * 10); }
int corCarregando(int n) { return rgb(40 * n, 0, 100); }
Vetor centro(int linha, int coluna) { return Vetor(coluna * 64.0f + 32.0f, linha * 64.0f + 32.0f); }
const int LINHAS = 12, COLUNAS = 20;  // a 1280 x 768 city

// Every file the renderer loads, each in a colour the tests can tell apart.
class PintorTest : public ::testing::Test {
protected:
    void SetUp() override {
        iniciarAllegroSemTela();
        estrada = corTile(1), vermelho = rgb(255, 0, 0), amarelo = rgb(255, 255, 0);
        roxo = rgb(120, 0, 120), branco = rgb(255, 255, 255);
        BITMAP* folha = create_bitmap(4 * 64, 64);
        for (int c = 1; c <= 4; ++c) rectfill(folha, (c - 1) * 64, 0, c * 64 - 1, 63, corTile(c));
        rectfill(folha, 128, 32, 191, 63, bitmap_mask_color(folha));  // upper tile 3: see-through below
        salvar(CaminhosAssets::tiles(), folha);
        escreverImagem(CaminhosAssets::menuPausa(), 500, 350, roxo);  // the race shows beside it
        escreverImagem(CaminhosAssets::mouse(), 10, 10, branco);
        for (int d = 0; d < 10; ++d) escreverImagem(CaminhosAssets::numero(d), 20, 30, corDigito(d));
        for (int t = 1; t <= 3; ++t)
            escreverImagem(CaminhosAssets::carro(t), 20, 10, rgb(255, t > 1 ? 255 : 128, t > 2));
        escreverImagem(CaminhosAssets::carroJogador(), 20, 10, vermelho);  // unlike traffic 1
        // Unused, dial, needle, separator, clock frame, light off, light on.
        const int imagens[][3] = {{4, 4, 1},
                                  {150, 150, 2},
                                  {10, 100, 3},
                                  {8, 30, rgb(240, 240, 240)},
                                  {180, 50, 4},
                                  {40, 40, rgb(60, 60, 60)},
                                  {40, 40, rgb(255, 40, 40)}};
        for (int i = 0; i < 7; ++i)
            escreverImagem(CaminhosAssets::imagem(i), imagens[i][0], imagens[i][1], imagens[i][2]);
        escreverImagem(CaminhosAssets::menuPrincipal(), 800, 600, rgb(200, 0, 0));
        escreverImagem(CaminhosAssets::menuInstrucoes(), 800, 600, rgb(0, 200, 0));
        escreverImagem(CaminhosAssets::menuInstrucoes2(), 800, 600, rgb(0, 0, 200));
        for (int n = 0; n < 6; ++n) escreverImagem(CaminhosAssets::carregando(n), 100, 50, corCarregando(n));
        for (int i = 0; i < 12; ++i) escreverImagem(CaminhosAssets::frase(i), 200, 20, rgb(0, 20 * i, 255));
        // Road everywhere but column 0; one upper tile at (5, 5).
        std::string mapa;
        for (int camada = 0; camada < 2; ++camada) {
            mapa += "12 20\n";
            for (int r = 0; r < LINHAS; ++r)
                for (int c = 0; c < COLUNAS; ++c)
                    mapa += camada == 0 ? (c == 0 ? "2 " : "1 ") : (r == 5 && c == 5 ? "3 " : "0 ");
        }
        dir.escrever(CaminhosAssets::mapa(1), mapa);

        tela = create_bitmap(800, 600);
        clear_bitmap(tela);
        pintor = std::make_unique<Pintor>();
        pintor->setAlvo(tela);
        pintor->setEspera(registrarEspera);
        esperas.clear();
        mouse_x = 100;
        mouse_y = 500;
    }
    void TearDown() override {
        pintor.reset();
        destroy_bitmap(tela);
    }

    // A frame; its iterators point into this fixture's lists.
    cavalete quadro(SituacaoGlobal estado, int sub, bool mudou = false, bool novoEstado = false) {
        cavalete c;
        c.estado = estado, c.subEstado = sub;
        c.transicaoSubEstado = mudou, c.transicaoEstadoGlobal = novoEstado;
        c.fase = c.endFotoCarro1 = c.marcha = 1;
        c.posicaoJogador1 = Vetor(400, 300);
        c.velocidadeJogador1 = c.anguloJogador1 = c.acelleracao = 0;
        c.minutos = c.segundos = c.centesimos = 0;
        c.itTilesInicio = tiles.begin(), c.itTilesFim = tiles.end();
        c.itPosicaoInicio = posicoes.begin(), c.itPosicaoFim = posicoes.end();
        c.itAnguloInicio = angulos.begin();
        c.itTipoCarro = tipos.begin();
        c.numeroNPCs = static_cast<int>(posicoes.size());
        return c;
    }
    void largar(int sub = 11) { pintor->pintar(quadro(jogando, sub, true, true)); }
    int ponto(BITMAP* b, int x, int y) { return getpixel(b, x, y) & 0xffffff; }

    DiretorioTemporario dir;
    BITMAP* tela = nullptr;
    std::unique_ptr<Pintor> pintor;
    std::list<Vetor> tiles, posicoes;
    std::list<float> angulos;
    std::list<int> tipos;
    int estrada, vermelho, amarelo, roxo, branco;
};

TEST_F(PintorTest, RepairErasesOldCarsAndTheUpperLayerCoversThem) {
    largar();
    BITMAP* camada = pintor->getCamada1();
    ASSERT_NE(camada, nullptr);
    auto passo = [&](std::list<Vetor> listados, int linha, int coluna, float angulo = 0) {
        tiles = listados;
        cavalete c = quadro(jogando, 11);
        c.posicaoJogador1 = centro(linha, coluna);
        c.anguloJogador1 = angulo;
        pintor->pintar(c);
    };
    passo({Vetor(2, 3)}, 2, 3);  // the view's corner is the map's: column 0 is the other ground
    EXPECT_EQ(ponto(camada, 224, 160), vermelho);
    EXPECT_EQ(ponto(tela, 224, 160), vermelho);
    EXPECT_EQ(ponto(tela, 30, 300), corTile(2));
    passo({Vetor(2, 8), Vetor(2, 3)}, 2, 8);  // the old cell is listed: repaired
    EXPECT_EQ(ponto(camada, 224, 160), estrada);
    EXPECT_EQ(ponto(camada, 544, 160), vermelho);
    EXPECT_EQ(ponto(tela, 400, 160), vermelho);  // the view centred on the car
    passo({}, 2, 10);                            // an old cell not listed keeps the old image
    EXPECT_EQ(ponto(camada, 544, 160), vermelho);
    passo({Vetor(2, 3)}, 2, 3, 3.14159265f / 2);  // a quarter turn about its centre: 10 x 20
    EXPECT_EQ(ponto(camada, 224, 168), vermelho);
    EXPECT_EQ(ponto(camada, 232, 160), estrada);
    // Under the upper tile: hidden by its top half, seen through its bottom half.
    passo({Vetor(5, 5)}, 5, 5);
    EXPECT_EQ(ponto(camada, 352, 349), corTile(3));
    EXPECT_EQ(ponto(camada, 352, 354), vermelho);
    // Traffic drawn by type, type 0 skipped; listed cells off the map ignored.
    // A car entering across the map's left edge is drawn clipped; with the
    // view on the map's first 800 columns, one past them is left out and one
    // across their edge is drawn whole.
    posicoes = {centro(8, 3), centro(8, 12), Vetor(4, 8 * 64 + 32), Vetor(820, 480), Vetor(806, 416)};
    angulos = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    tipos = {2, 0, 3, 2, 2};
    testing::internal::CaptureStdout();
    passo({Vetor(8, 3), Vetor(8, 12), Vetor(8, 0), Vetor(-1, 4), Vetor(40, 400)}, 2, 3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "erro");
    EXPECT_EQ(ponto(camada, 224, 544), amarelo);
    EXPECT_EQ(ponto(camada, 798, 416), amarelo);
    EXPECT_EQ(ponto(camada, 812, 416), amarelo);
    EXPECT_EQ(ponto(tela, 797, 416), amarelo);
    EXPECT_EQ(ponto(camada, 820, 480), estrada);
    EXPECT_EQ(ponto(camada, 2, 544), rgb(255, 255, 1));
    EXPECT_EQ(ponto(camada, 20, 544), corTile(2));
}

// The ghost: see-through in the map layer, under the player's car, blended
// once however many frames it stays; gone when its cells are repaired
// without it. The gap under the clock in its colour, its mark on the strip.
TEST_F(PintorTest, TheGhostSeeThroughUnderThePlayerWithItsGapAndMark) {
    largar();
    BITMAP* camada = pintor->getCamada1();
    const Vetor g(centro(2, 3).getX() + 15, centro(2, 3).getY());  // its nose under the player's car
    auto passo = [&](bool visivel, int diferenca) {
        tiles = {Vetor(2, 3), Vetor(2, 4)};
        cavalete c = quadro(jogando, 11);
        c.posicaoJogador1 = centro(2, 3);
        c.fantasmaVisivel = c.temDiferenca = visivel;
        c.posicaoFantasma = g, c.diferencaFantasma = diferenca;
        pintor->pintar(c);
        int cor = 0;
        for (int y = PainelFantasma::DIFERENCA_Y1; y <= PainelFantasma::DIFERENCA_Y2; ++y)
            for (int x = 300; x < 500; ++x)
                cor += ponto(tela, x, y) == (PainelFantasma::getCorDiferenca(diferenca) & 0xffffff);
        return std::make_pair(ponto(camada, 246, 160), cor);
    };
    const auto adiante = passo(true, -420), atras = passo(true, 1100);
    EXPECT_NE(adiante.first, estrada);
    EXPECT_NE(adiante.first, vermelho);
    EXPECT_EQ(adiante.first, atras.first);
    EXPECT_EQ(ponto(camada, 231, 160), vermelho);
    EXPECT_GT(adiante.second, 20);
    EXPECT_GT(atras.second, 20);
    const int verde = PainelFantasma::getCorDiferenca(-420), vermelhoDif = PainelFantasma::getCorDiferenca(1100);
    EXPECT_TRUE(getg(verde) > getr(verde) && getr(vermelhoDif) > getg(vermelhoDif));
    EXPECT_EQ(ponto(tela, 150, 3), PainelFantasma::getCorMarca() & 0xffffff);  // 239 of 1280 px along
    EXPECT_EQ(passo(false, 0).first, estrada);
    EXPECT_NE(ponto(tela, 150, 3), PainelFantasma::getCorMarca() & 0xffffff);
}

TEST_F(PintorTest, HudThrottleBarClockAndProgress) {
    pintor->carregarMapa(quadro(jogando, 11));
    BITMAP* barra = pintor->getBarraAceleracao();
    BITMAP* buffer = pintor->getBuffer();
    cavalete c = quadro(jogando, 11);
    // The bar fills from the bottom; out of range is clamped.
    const float aceleracoes[] = {0.0f, 0.5f, 1.0f, 7.0f};
    const int primeiraCheia[] = {80, 41, 1, 1};
    for (int k = 0; k < 4; ++k) {
        c.acelleracao = aceleracoes[k];
        pintor->pintarAceleracao(c);
        for (int y = 0; y < 80; ++y)
            EXPECT_EQ(ponto(barra, 10, y) != 0, y >= primeiraCheia[k]) << c.acelleracao << " row " << y;
    }
    EXPECT_EQ(ponto(buffer, 700, 599), ponto(barra, 10, 79));
    c.marcha = 9;  // reverse: its digit above the bar
    pintor->pintarAceleracao(c);
    EXPECT_EQ(ponto(buffer, 695, 490), corDigito(9));
    // A lost microphone's notice, bottom left, leaves the gear alone.
    EXPECT_NE(ponto(buffer, 11, 548), rgb(150, 20, 20));
    c.microfonePerdido = true;
    pintor->pintarAceleracao(c);
    EXPECT_EQ(ponto(buffer, 11, 548), rgb(150, 20, 20));
    EXPECT_EQ(ponto(buffer, 695, 490), corDigito(9));
    // The bar's label: VOICE GAS, or W GAS while W drives; the hint to
    // calibrate at the top left.
    for (bool w : {false, true}) {
        rectfill(buffer, 600, 530, 689, 570, 0);
        c.gasPelaTecla = c.dicaCalibrar = w;
        pintor->pintarAceleracao(c);
        int voz = 0;
        for (int y = 540; y < 548; ++y)
            for (int x = 642; x < 674; ++x) voz += ponto(buffer, x, y) == rgb(150, 220, 150);
        EXPECT_EQ(voz > 0, !w);
        EXPECT_EQ(ponto(buffer, 12, 17) == rgb(20, 40, 110), w);
    }

    // 12:05.07 inside the 180-wide frame centred at the top.
    c.minutos = 12, c.segundos = 5, c.centesimos = 7;
    pintor->pintarRelogio(c);
    const int digitos[] = {1, 2, 0, 5, 0, 7}, xs[] = {19, 42, 73, 96, 127, 150};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ponto(buffer, 310 + xs[i] + 5, 20), corDigito(digitos[i])) << i;
    EXPECT_EQ(ponto(buffer, 310 + 67, 20), rgb(240, 240, 240));

    // Progress: the 7-pixel mark starts at -3 at the start, 397 halfway.
    for (auto [x, de] : {std::pair<float, int>{0.0f, -3}, {COLUNAS * 32.0f, 397}}) {
        c.posicaoJogador1 = Vetor(x, 300);
        pintor->pintarTrechoCompleto(c);
        for (int px = std::max(0, de - 1); px <= de + 7; ++px)
            EXPECT_EQ(ponto(buffer, px, 3) == rgb(0, 100, 100), px >= de && px < de + 7) << x << " " << px;
    }
    EXPECT_EQ(ponto(buffer, 760, 3), branco);  // the finish
}

TEST_F(PintorTest, MenuPageChosenBySubStateWithTheMicrophoneCheckOnPageOne) {
    // 41 before everything, 73 (page two is 2 x 73) before 2.
    const int casos[][2] = {{41, rgb(200, 0, 0)},
                            {2, rgb(0, 200, 0)},
                            {2 * 73, rgb(0, 0, 200)},
                            {41 * 73, rgb(200, 0, 0)},
                            {2, rgb(0, 200, 0)}};
    RepartidorGravacao repartidor(CapturaAudio::getFonteGravacao());
    VerificadorMicrofone verificacao(&repartidor, 1);  // not listened to yet
    pintor->setVerificacaoMicrofone(&verificacao);
    const int ouvindo = PainelMicrofone::getCor(VerificadorMicrofone::OUVINDO) & 0xffffff;
    for (const auto& caso : casos) {
        pintor->pintar(quadro(menu, caso[0], true));
        EXPECT_EQ(ponto(tela, 100, 100), caso[1]) << caso[0];
        EXPECT_EQ(ponto(tela, PainelMicrofone::CAIXA_X + 2, PainelMicrofone::CAIXA_Y + 2) == ouvindo, caso[0] == 2);
        mouse_x = 10;  // without a change the page stays and the pointer follows
        pintor->pintar(quadro(menu, caso[0]));
        EXPECT_EQ(ponto(tela, 100, 100), caso[1]) << caso[0];
        EXPECT_EQ(ponto(tela, 15, 505), branco) << caso[0];
        mouse_x = 100;
    }
    // While the music plays the check says the microphone hears it.
    auto musica = [&] {
        int n = 0;
        const int y0 = PainelMicrofone::LINHAS_Y + 3 * PainelMicrofone::LINHAS_PASSO;
        for (int y = y0; y < y0 + 8; ++y)
            for (int x = 60; x < 600; ++x) n += ponto(tela, x, y) == rgb(255, 210, 60);
        return n;
    };
    pintor->pintar(quadro(menu, 2));
    EXPECT_GT(musica(), 0);
    Preferencias semMusica;
    semMusica.setMusicaLigada(false);
    verificacao.setPreferencias(&semMusica);
    pintor->pintar(quadro(menu, 2));
    EXPECT_EQ(musica(), 0);
}

TEST_F(PintorTest, RecordsPageListsTheTimesWithABackButton) {
    auto linhasEscritas = [&] {
        int n = 0;
        for (int y = 150; y < 500; ++y) n += ponto(tela, 260, y) == rgb(240, 240, 240);
        return n;
    };
    pintor->pintar(quadro(menu, 3, true));  // no cities, no list, no picture: drawn here
    EXPECT_EQ(ponto(tela, 355, 535), rgb(170, 30, 30));
    int vazia = linhasEscritas();
    std::string doze;
    for (int i = 0; i < 12; ++i) doze += "Tempo: 61000 mills\n";
    dir.escrever("records.txt", doze);
    dir.escrever(CaminhosAssets::medalhas(1), "gold 60000\nsilver 62000\nbronze 70000\n");
    EscolhaCidade cidades;  // city 1 alone, its records and medal times
    Recordes& recordes = cidades.getRecordes();
    recordes.carregar();
    pintor->setEscolhaCidade(&cidades);
    escreverImagem(CaminhosAssets::menuRecordes(), 800, 600, rgb(20, 20, 50));
    auto avisos = [&] {
        int n = 0;
        for (int y = 140; y < 500; ++y) n += ponto(tela, 400, y) == rgb(255, 120, 80);
        return n;
    };
    pintor->pintar(quadro(menu, 3, true));  // the picture brings the button
    EXPECT_EQ(ponto(tela, 355, 535), rgb(20, 20, 50));
    EXPECT_GT(linhasEscritas(), vazia);
    EXPECT_EQ(avisos(), 0);
    // Each time with its medal beside it, as on the main menu the best.
    const int prata = PainelMedalha::getCor(Medalhas::PRATA) & 0xffffff;
    EXPECT_EQ(ponto(tela, NomesAssets::RECORDES_LINHA_X + 288, NomesAssets::RECORDES_LINHA_Y + 13), prata);
    pintor->pintar(quadro(menu, 41, true));
    EXPECT_EQ(ponto(tela, PainelCidade::MEDALHA_X, PainelCidade::MEDALHA_Y), prata);
    // One city at a time: the other's one time, under its name.
    dir.escrever(CaminhosAssets::cidades(),
                 "[city]\nmap = 1\nname = A\nstart = 50 550\nfinish = 900\n"
                 "[city]\nmap = 2\nname = BBBBBB\nstart = 50 550\nfinish = 900\n");
    dir.escrever("records-2.txt", "Tempo: 99000 mills\n");
    cidades.carregar(CaminhosAssets::cidades());
    auto nome = [&] {
        int n = 0;
        for (int x = NomesAssets::CIDADE_RECORDES.x1; x < NomesAssets::CIDADE_RECORDES.x2; ++x)
            n += ponto(tela, x, (NomesAssets::CIDADE_RECORDES.y1 + NomesAssets::CIDADE_RECORDES.y2) / 2) ==
                 rgb(240, 240, 240);
        return n;
    };
    pintor->pintar(quadro(menu, 3, true));
    const int linhas1 = linhasEscritas(), nome1 = nome();
    cidades.mudar(1);
    pintor->pintar(quadro(menu, 3, true));
    EXPECT_LT(linhasEscritas(), linhas1);
    EXPECT_GT(nome(), nome1);
    cidades.mudar(1);
    // A file that cannot be read is not an empty list: the page says so.
    std::filesystem::remove("records.txt");
    std::filesystem::create_directory("records.txt");
    saidaDe([&] { recordes.carregar(); });
    pintor->pintar(quadro(menu, 3, true));
    EXPECT_GT(avisos(), 0);
    EXPECT_EQ(linhasEscritas(), 0);
}

TEST_F(PintorTest, StartLightsComeOnOneByOneAndSurviveAPause) {
    auto luzes = [&](int acesas) {
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(ponto(tela, 485 + 68 * i, 32), i < acesas ? rgb(255, 40, 40) : rgb(60, 60, 60))
                << acesas << " " << i;
    };
    largar(7);
    luzes(0);
    EXPECT_EQ(ponto(tela, 400, 400), estrada);  // the view behind
    const int sequencia[] = {301, 329, 371, 413, 427};
    for (int k = 0; k < 5; ++k) {
        pintor->pintar(quadro(jogando, sequencia[k]));
        luzes(k + 1);
        if (k < 4) {
            EXPECT_EQ(esperas.back(), 500u);
        }
        if (k == 1) {  // paused and resumed: the lights lit so far come back
            pintor->pintar(quadro(jogando, 329 * 5, true));
            EXPECT_EQ(ponto(tela, 400, 340), roxo);
            pintor->pintar(quadro(jogando, 329, true));
            EXPECT_EQ(ponto(tela, 400, 340), estrada);
            luzes(2);
        }
    }
    EXPECT_TRUE(esperas.back() >= 1 && esperas.back() <= 4000) << esperas.back();

    esperas.clear();  // the finish holds the last frame five seconds
    pintor->pintar(quadro(finalizando, 11, false, true));
    EXPECT_EQ(esperas, std::vector<unsigned int>{5000});
    EXPECT_EQ(ponto(tela, 400, 400), estrada);
    // unless the window is closed meanwhile: then it ends at once.
    pintor->setSinalSaida(&janelaFechada);
    pintor->setEspera(esperarEFechar);
    esperas.clear();
    pintor->pintar(quadro(finalizando, 11, false, true));
    EXPECT_EQ(esperas, std::vector<unsigned int>{20});
    EXPECT_EQ(ponto(tela, 100, PainelChegada::FAIXA_Y1 + 2), estrada);
    // With the line of how the race went, on its band across the view.
    Medalhas medalhas;
    std::string problema;
    ASSERT_TRUE(medalhas.interpretar("gold 1000\nsilver 2000\nbronze 3000\n", problema));
    for (bool recorde : {true, false}) {
        LinhaChegada linha;
        linha.definir(recorde ? 1000 : 44880, {41270});
        linha.setMedalha(medalhas, recorde ? 1000 : 44880);  // and under it, gold or nothing
        pintor->setLinhaChegada(&linha);
        pintor->pintar(quadro(finalizando, 11, false, true));
        EXPECT_EQ(ponto(tela, 100, PainelChegada::FAIXA_Y1 + 2), PainelChegada::getCorFaixa(recorde) & 0xffffff);
        EXPECT_EQ(ponto(tela, 100, PainelChegada::MEDALHA_Y1 + 2), rgb(24, 24, 36));
        EXPECT_EQ(ponto(tela, 400, 400), estrada);
    }
    pintor->setLinhaChegada(nullptr);
}

namespace {
MapaControle::Leitura comControle() {
    MapaControle::Leitura l;
    l.presente = true;
    return l;
}
}  // namespace

// While a gamepad is present the highlighted button is framed and the keys
// page shows the gamepad's buttons; frames for a larger target are shown
// enlarged.
TEST_F(PintorTest, GamepadHighlightAndKeysAndAnEnlargedFrame) {
    NavegacaoMenu navegacao;
    navegacao.iniciarQuadro(NavegacaoMenu::chavePagina(menu, 41), 0);
    navegacao.isApertado(NomesAssets::BOTAO_JOGAR);
    pintor->setNavegacao(&navegacao);
    const NomesAssets::RetanguloBotao& b = NomesAssets::BOTAO_JOGAR;
    auto paginas = [&] {
        pintor->pintar(quadro(menu, 41, true));
        const bool destaque = ponto(tela, b.x1 - 4, b.y1 + 10) == (PainelControle::getCorDestaque() & 0xffffff);
        pintor->pintar(quadro(menu, 2 * 73, true));
        const bool teclas = ponto(tela, 60, PainelControle::TECLAS_Y2 - 2) != rgb(0, 0, 200);
        return std::make_pair(destaque, teclas);
    };
    EXPECT_EQ(paginas(), std::make_pair(false, false));
    ControleJogo::setLeitor(comControle);
    ControleJogo::ler();
    EXPECT_EQ(paginas(), std::make_pair(true, true));
    pintor->pintar(quadro(menu, 2, true));  // not the page the highlight was learnt on
    EXPECT_EQ(ponto(tela, b.x1 - 4, b.y1 + 10), rgb(0, 200, 0));
    ControleJogo::setLeitor(nullptr);

    BITMAP* x2 = create_bitmap(1600, 1200);
    pintor->setAlvo(x2);
    pintor->pintar(quadro(menu, 41, true));
    EXPECT_EQ(ponto(x2, 1599, 1199), rgb(200, 0, 0));
    EXPECT_EQ(ponto(x2, 2 * 100 + 11, 2 * 500 + 11), branco);  // the pointer, enlarged too
    pintor->setAlvo(tela);
    destroy_bitmap(x2);
}

// Cells without a lower tile (0, or a code past the sheet) keep what cars
// left there and the upper tile still covers them: the partial repair must
// leave the very pixels of the whole-tile one, cell by cell and frame by frame.
TEST_F(PintorTest, ShortcutsKeepThePlainPixelsOnCellsWithoutATile) {
    std::string mapa = "3 4\n1 0 99 2\n2 1 0 1\n0 2 1 99\n3 4\n3 0 3 0\n0 3 0 3\n3 3 0 0\n";
    dir.escrever(CaminhosAssets::mapa(1), mapa);
    Pintor simples;
    simples.setDesenhoSimples(true);
    BITMAP* outra = create_bitmap(800, 600);
    simples.setAlvo(outra);
    simples.setEspera(registrarEspera);
    for (Pintor* p : {pintor.get(), &simples}) p->pintar(quadro(jogando, 11, true, true));
    for (int passo = 0; passo < 60; ++passo) {
        const float x = 20.0f + passo * 3.7f, y = 10.0f + passo * 2.9f;
        posicoes = {Vetor(250.0f - x, y), Vetor(x, 180.0f - y)};
        angulos = {passo * 0.3f, passo * 0.3f};  // each angle seen twice
        tipos = {2, 3};
        tiles.clear();
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                if ((r + c + passo) % 3 != 0) tiles.push_back(Vetor(r, c));
        cavalete c = quadro(jogando, 11);
        c.posicaoJogador1 = Vetor(x, y);
        c.anguloJogador1 = passo / 2 * 0.7f;
        for (Pintor* p : {pintor.get(), &simples}) p->pintar(c);
        for (int yy = 0; yy < 3 * 64; ++yy)
            for (int xx = 0; xx < 4 * 64; ++xx)
                ASSERT_EQ(getpixel(pintor->getCamada1(), xx, yy), getpixel(simples.getCamada1(), xx, yy))
                    << "frame " << passo << " at " << xx << ", " << yy;
    }
    destroy_bitmap(outra);
}

// A city too large for its whole layer keeps a window of it round the view:
// a car driving a loop over a 40 x 60 city, traffic beside it, must show the
// frames of the whole layer, however the window's slots wrap.
TEST_F(PintorTest, AWindowOfTheLayerShowsTheFramesOfTheWholeLayer) {
    std::string mapa;
    for (int camada = 0; camada < 2; ++camada) {
        mapa += "40 60\n";
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < 60; ++c)
                mapa += camada == 0 ? std::to_string(1 + (r * 7 + c * 3) % 4) + " " : (r + c) % 9 ? "0 " : "3 ";
    }
    dir.escrever(CaminhosAssets::mapa(1), mapa);
    Pintor janela;
    janela.setLimiteCamada(0);
    BITMAP* outra = create_bitmap(800, 600);
    janela.setAlvo(outra);
    janela.setEspera(registrarEspera);
    for (Pintor* p : {pintor.get(), &janela}) p->pintar(quadro(jogando, 11, true, true));
    ASSERT_LT(janela.getCamada1()->w * janela.getCamada1()->h, 60 * 64 * 40 * 64 / 4);
    for (int passo = 0; passo < 420; ++passo) {
        // Round a rectangle near the map's edges, 30 px a frame.
        const float t = passo * 30.0f, volta = 2 * (3300.0f + 2100.0f), s = std::fmod(t, volta);
        const float x = s < 3300 ? 200 + s : s < 5400 ? 3500 : s < 8700 ? 3500 - (s - 5400) : 200;
        const float y = s < 3300 ? 150 : s < 5400 ? 150 + (s - 3300) : s < 8700 ? 2250 : 2250 - (s - 8700);
        posicoes = {Vetor(x + 90, y + 40), Vetor(x - 380, y - 250)};
        angulos = {passo * 0.1f, 0.0f};
        tipos = {2, 3};
        tiles.clear();
        for (int r = static_cast<int>(y) / 64 - 6; r <= static_cast<int>(y) / 64 + 6; ++r)
            for (int c = static_cast<int>(x) / 64 - 8; c <= static_cast<int>(x) / 64 + 8; ++c)
                tiles.push_back(Vetor(r, c));
        cavalete c = quadro(jogando, 11);
        c.posicaoJogador1 = Vetor(x, y);
        c.anguloJogador1 = passo * 0.05f;
        for (Pintor* p : {pintor.get(), &janela}) p->pintar(c);
        for (int yy = 0; yy < 600; ++yy)
            ASSERT_EQ(std::memcmp(tela->line[yy], outra->line[yy], 800 * 4), 0) << "frame " << passo << " row " << yy;
    }
    destroy_bitmap(outra);
}

TEST_F(PintorTest, BadOrMissingFilesAreReportedAndNeverDrawn) {
    // A map that ends early: one line, the cells read are drawn, the rest black.
    dir.escrever(CaminhosAssets::mapa(1), "2 3\n1 2 1\n1");
    testing::internal::CaptureStdout();
    pintor->carregarMapa(quadro(jogando, 11));
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_EQ(saida.find("mapas/1.txt: "), 0u);
    EXPECT_EQ(saida.find('\n'), saida.size() - 1) << saida;
    ASSERT_NE(pintor->getCamada1(), nullptr);
    EXPECT_EQ(ponto(pintor->getCamada1(), 100, 32), corTile(2));
    EXPECT_EQ(ponto(pintor->getCamada1(), 100, 96), 0);
    // A code far past the sheet (the largest int) is skipped, not multiplied.
    dir.escrever(CaminhosAssets::mapa(1), "1 2\n2147483647 2\n");
    pintor->carregarMapa(quadro(jogando, 11));
    ASSERT_NE(pintor->getCamada1(), nullptr);
    EXPECT_EQ(ponto(pintor->getCamada1(), 32, 32), 0);
    EXPECT_EQ(ponto(pintor->getCamada1(), 96, 32), corTile(2));
    dir.escrever(CaminhosAssets::mapa(1), "100000 100000\n");  // nothing allocated
    pintor->carregarMapa(quadro(jogando, 11));
    EXPECT_EQ(pintor->getCamada1(), nullptr);

    // Nothing at all: every screen still goes through.
    std::filesystem::remove_all("graficos");
    std::filesystem::remove_all("mapas");
    tiles = {Vetor(1, 1)};
    testing::internal::CaptureStdout();
    Pintor vazio;
    vazio.setAlvo(tela);
    vazio.setEspera(registrarEspera);
    for (cavalete c : {quadro(menu, 41, true, true), quadro(menu, 3, true), quadro(carregando, 19, true, true),
                       quadro(jogando, 7, true, true), quadro(jogando, 301), quadro(jogando, 55, true),
                       quadro(jogando, 11, true), quadro(finalizando, 11, true, true)})
        vazio.pintar(c);
    saida = testing::internal::GetCapturedStdout();
    EXPECT_EQ(vazio.getCamada1(), nullptr);
    EXPECT_NE(saida.find("graficos/mouse.bmp: cannot load"), std::string::npos);
    EXPECT_NE(saida.find("mapas/1.txt: cannot open"), std::string::npos);
}

#ifdef RONCO_JOGO_DIR
// The renderer's shortcuts (partial tile repair, rotated cars and HUD
// pictures kept as opaque runs) must not change a pixel: races with the
// game's own city, traffic and pictures, and a ghost weaving along the
// avenue and jumping back, each frame drawn by a plain and a fast renderer
// side by side, every shown frame and the whole map layer at the end
// compared.
class DesenhoIdentico : public AmbienteLogica {
protected:
    void SetUp() override {
        AmbienteLogica::SetUp();
        iniciarAllegroSemTela();
        for (const char* pasta : {"graficos", "mapas", "dados"}) {
            std::filesystem::remove_all(pasta);
            std::filesystem::create_directory_symlink(std::filesystem::path(RONCO_JOGO_DIR) / pasta, pasta);
        }
        PercursoFantasma p;
        p.cidade = 1, p.tempoMs = 200000;
        for (int t = 0; t <= p.tempoMs; t += 40)
            p.amostras.push_back({t, 550 + 100 * std::sin(t / 700.0f), 50 + t * 0.4f - (t / 21000) * 8400,
                                  std::remainder(t / 500.0f, 6.2831853f)});
        std::string problema;
        ArquivoFantasma::escrever("ghost.txt", p, problema);
    }
    static bool iguais(BITMAP* a, BITMAP* b) {
        const size_t bytes = static_cast<size_t>(a->w) * ((bitmap_color_depth(a) + 7) / 8);
        for (int y = 0; y < a->h; ++y)
            if (std::memcmp(a->line[y], b->line[y], bytes) != 0) return false;
        return true;
    }
};

TEST_F(DesenhoIdentico, ThreeRacesWithTrafficShowThePixelsOfThePlainDrawing) {
#ifdef RONCO_COM_ASAN
    const int QUADROS = 600;  // what the sanitizers look for shows within a few hundred
#else
    const int QUADROS = 3000;
#endif
    for (unsigned semente : {1u, 2u, 3u}) {
        logica.reset(new Logica(&entradas));
        std::srand(semente);
        Pintor simples, rapido;
        simples.setDesenhoSimples(true);
        BITMAP* telas[2] = {create_bitmap(800, 600), create_bitmap(800, 600)};
        Pintor* pintores[2] = {&simples, &rapido};
        for (int k = 0; k < 2; ++k) {
            clear_bitmap(telas[k]);
            pintores[k]->setAlvo(telas[k]);
            pintores[k]->setEspera([](unsigned int) {});
        }
        testing::internal::CaptureStdout();  // the traffic's console lines
        mouse(300, 350);
        int corrida = 0, quadro = 0, diferente = -1, fantasmas = 0;
        for (; corrida < QUADROS && diferente < 0; ++quadro) {
            if (quadro == 1) mouse(300, 350, false);
            if (Carro* c = jogador()) {
                // Up through the gears, a swerve now and then, and back to
                // the start before the finish.
                const float v = c->getModuloVelocidade();
                const int m = c->getMarcha();
                apertar(KEY_E, !c->getMudancaMarcha() && (m == 0 || (m == 1 && v > 6.5f) || (m == 2 && v > 19)));
                apertar(KEY_A, quadro % 150 < 8);
                apertar(KEY_D, quadro % 150 >= 8 && quadro % 150 < 16);
                if (c->getPosicao().getY() > 8500.0f) c->setPosicao(Vetor(550.0f, 50.0f));
            }
            logica->calcularLogica();
            cavalete c = logica->construirCavalete();
            corrida += c.estado == jogando;
            fantasmas += c.fantasmaVisivel;
            // Both draw the same loading phrases and waits.
            const unsigned sorteio = static_cast<unsigned>(std::rand());
            for (Pintor* p : pintores) {
                std::srand(sorteio);
                p->pintar(c);
            }
            logica->fimDeCiclo();
            Relogio::avancar(40);
            if (!iguais(telas[0], telas[1])) diferente = quadro;
        }
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(diferente, -1) << "seed " << semente << ": frame " << diferente << " differs";
        EXPECT_EQ(corrida, QUADROS) << "seed " << semente;
        EXPECT_GT(fantasmas, QUADROS / 2) << "seed " << semente;
        ASSERT_NE(rapido.getCamada1(), nullptr);
        EXPECT_TRUE(iguais(simples.getCamada1(), rapido.getCamada1())) << "seed " << semente;
        for (BITMAP* t : telas) destroy_bitmap(t);
        apertar(KEY_A, false), apertar(KEY_D, false);
    }
}

// The long ride keeps a window of its layer: along its route, up round the
// lake and back down, with its traffic and the ghost of the same race half a
// second behind, it shows what the whole layer shows.
TEST_F(DesenhoIdentico, TheLongRideInAWindowShowsThePixelsOfTheWholeLayer) {
    const int QUADROS = 900;
    Pintor inteira, janela;
    inteira.setLimiteCamada(SIZE_MAX);
    BITMAP* telas[2] = {create_bitmap(800, 600), create_bitmap(800, 600)};
    Pintor* pintores[2] = {&inteira, &janela};
    int diferente = -1, fantasmas = 0;
    float maisAlto = 1e9f;
    // First the race alone, kept as the ghost; then the same race again,
    // drawn both ways.
    for (bool pintar : {false, true}) {
        logica.reset(new Logica(&entradas));
        logica->carregarCidades(CaminhosAssets::cidades());
        logica->getCidades().escolherMapa(3);
        Piloto piloto(Piloto::MELHOR, logica->getCidades().getEscolhida().rota);
        for (int k = 0; k < 2; ++k) {
            clear_bitmap(telas[k]);
            pintores[k]->setAlvo(telas[k]);
            pintores[k]->setEspera([](unsigned int) {});
            pintores[k]->setEscolhaCidade(&logica->getCidades());
        }
        std::srand(7);
        testing::internal::CaptureStdout();
        mouse(300, 350);
        for (int quadro = 0; quadro < QUADROS && diferente < 0; ++quadro) {
            if (quadro == 1) mouse(300, 350, false);
            if (Carro* c = jogador()) {
                piloto.dirigir(*c);
                maisAlto = std::min(maisAlto, c->getPosicao().getX());
            }
            logica->calcularLogica();
            cavalete c = logica->construirCavalete();
            fantasmas += pintar && c.fantasmaVisivel;
            const unsigned sorteio = static_cast<unsigned>(std::rand());
            for (int k = 0; k < (pintar ? 2 : 0); ++k) {
                std::srand(sorteio);
                pintores[k]->pintar(c);
            }
            logica->fimDeCiclo();
            Relogio::avancar(40);
            if (!iguais(telas[0], telas[1])) diferente = quadro;
        }
        testing::internal::GetCapturedStdout();
        soltarTudo();
        PercursoFantasma p = logica->getFantasmaCorrida().getGravador().getPercurso();
        for (AmostraFantasma& a : p.amostras) a.tempoMs += 500;
        p.tempoMs = p.amostras.back().tempoMs;
        std::string problema;
        ASSERT_TRUE(ArquivoFantasma::escrever(ArquivoFantasma::nome(3), p, problema)) << problema;
    }
    EXPECT_EQ(diferente, -1) << "frame " << diferente << " differs";
    EXPECT_GT(fantasmas, QUADROS * 2 / 3);
    ASSERT_NE(janela.getCamada1(), nullptr);
    EXPECT_LT(janela.getCamada1()->w, inteira.getCamada1()->w / 8);
    EXPECT_LT(maisAlto, 8 * 64) << "the race never went round the lake";
    for (BITMAP* t : telas) destroy_bitmap(t);
}
#endif

}  // namespace
