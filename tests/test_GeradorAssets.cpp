// The generated asset tree read back the way the game reads it: the city map
// and traffic table through the game's own readers, the car files through
// Carro, pictures and sounds through the library.

#ifdef RONCO_JOGO_DIR

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "AjudaPintor.h"
#include "CaminhosAssets.h"
#include "Carro.h"
#include "LeitorMapa.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"

namespace {

// Runs in the game's directory (its readers take relative paths); pictures
// loaded through `imagem` are freed with the test.
class AssetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        iniciarAllegroSemTela();
        std::filesystem::current_path(RONCO_JOGO_DIR);
        colisao.gerarMapaColisao(1);
        solido = colisao.getMatriz();
    }
    void TearDown() override {
        for (BITMAP* b : imagens) destroy_bitmap(b);
        std::filesystem::current_path(anterior);
    }
    BITMAP* imagem(const std::string& nome) {
        BITMAP* b = load_bitmap(nome.c_str(), nullptr);
        if (b != nullptr) imagens.push_back(b);
        return b;
    }
    static bool mascara(BITMAP* b, int x, int y) { return getpixel(b, x, y) == bitmap_mask_color(b); }

    std::filesystem::path anterior = std::filesystem::current_path();
    std::vector<BITMAP*> imagens;
    LogicaColisao colisao;
    bool** solido = nullptr;
};

TEST_F(AssetsTest, CityHasBuildingsAnUpperLayerAndAFreeRoadFromStartToFinish) {
    LeitorMapa m;
    ASSERT_TRUE(m.carregarMapa(CaminhosAssets::mapa(1))) << m.getErro();
    ASSERT_TRUE(colisao.isCarregado());
    EXPECT_EQ(m.getAltura(), 20);
    EXPECT_EQ(m.getLargura(), 150);
    int maior = 0;
    bool predio = false, superiorNaAvenida = false;
    for (int r = 0; r < m.getAltura(); r++) {
        for (int c = 0; c < m.getLargura(); c++) {
            EXPECT_GE(m.getInferior(r, c), 1) << r << "," << c;
            maior = std::max({maior, m.getInferior(r, c), m.getSuperior(r, c)});
            predio = predio || (m.getInferior(r, c) >= 664 && m.getInferior(r, c) <= 781);
            superiorNaAvenida = superiorNaAvenida || (r >= 7 && r <= 9 && m.getSuperior(r, c) != 0);
        }
    }
    EXPECT_TRUE(predio);
    EXPECT_TRUE(superiorNaAvenida) << "nothing of the upper layer passes over the race's road";
    BITMAP* tiles = imagem(CaminhosAssets::tiles());  // one row, a tile for every code
    ASSERT_NE(tiles, nullptr);
    EXPECT_EQ(tiles->h, 64);
    EXPECT_GE(tiles->w, maior * 64);

    // The car starts at (550, 50), row 8, column 0, its whole rectangle on
    // free cells; the start row is free all along, past the finish at 9120.
    Carro jogador(1, 1, Vetor(550, 50));
    for (int r = (550 - jogador.getH() / 2) / 64; r <= (550 + jogador.getH() / 2) / 64; r++)
        for (int c = 0; c <= (50 + jogador.getW() / 2) / 64; c++) EXPECT_FALSE(solido[r][c]) << r << "," << c;
    for (int c = 0; c < 150; c++) EXPECT_FALSE(solido[8][c]) << "column " << c;
    for (int r = 7; r <= 9; r++) EXPECT_FALSE(solido[r][9120 / 64]) << r;
    // The finish is drawn: black and white squares down column 142's tile.
    std::set<int> brilhos;
    for (int y = 2; y < 64; y += 8) {
        int p = getpixel(tiles, (m.getInferior(8, 142) - 1) * 64 + 32, y);
        brilhos.insert(getr32(p) + getg32(p) + getb32(p));
    }
    EXPECT_TRUE(brilhos.count(3 * 20) && brilhos.count(3 * 250)) << "no chequered finish at column 142";
}

TEST_F(AssetsTest, ThirteenTrafficEntriesHeadingIntoTheMapOrAwayFromTheAvenue) {
    LogicaNPC trafego(50);
    trafego.carregarMatrizTransito(1);
    ASSERT_TRUE(trafego.isCarregado());
    LeitorMapa m;
    ASSERT_TRUE(m.carregarMapa(CaminhosAssets::mapa(1)));
    EXPECT_EQ(trafego.getAltura(), 20);
    EXPECT_EQ(trafego.getLargura(), 150);
    ASSERT_EQ(trafego.getNumeroPontosIniciais(), 13);
    int cruzamAvenida = 0;
    for (int p = 0; p < 13; p++) {
        int r = int(trafego.getPontoInicial(p).getX()), c = int(trafego.getPontoInicial(p).getY());
        // Code -> the edge it stands on and the way into the map.
        const int codigo = trafego.getCodigo(r, c),
                  dr = codigo == 869   ? 1
                       : codigo == 871 ? -1
                                       : 0,
                  dc = codigo == 868   ? 1
                       : codigo == 870 ? -1
                                       : 0;
        ASSERT_TRUE(codigo >= 868 && codigo <= 871) << "slot " << p << " has code " << codigo;
        // At an edge heading in, or coming up out of an underpass just above
        // the avenue (where the upper layer hides it), heading away.
        const bool borda = dc == 1 ? c == 0 : dc == -1 ? c == 149 : dr == 1 ? r == 0 : r == 19;
        EXPECT_TRUE(borda || (dr == -1 && r == 6 && m.getSuperior(r, c) != 0)) << "slot " << p;
        // Traffic never steers: the whole straight line to the far edge is free.
        bool cruzou = false;
        for (int rr = r, cc = c; rr >= 0 && rr < 20 && cc >= 0 && cc < 150; rr += dr, cc += dc) {
            EXPECT_FALSE(solido[rr][cc]) << "slot " << p << " runs into a building at " << rr << "," << cc;
            cruzou = cruzou || (dr != 0 && rr == 8);
        }
        cruzamAvenida += cruzou;
    }
    EXPECT_GE(cruzamAvenida, 4) << "traffic should cross the player's road";
}

TEST_F(AssetsTest, EveryFileLoadsAndCarsMatchTheirPictures) {
    for (const std::string& nome : CaminhosAssets::todos()) {
        EXPECT_GT(std::filesystem::file_size(nome), 0u) << nome;  // throws when missing
        if (nome.find(".bmp") != std::string::npos) {
            EXPECT_NE(imagem(nome), nullptr) << nome;
        } else if (nome.find(".wav") != std::string::npos) {
            SAMPLE* s = load_sample(nome.c_str());
            ASSERT_NE(s, nullptr) << nome;
            EXPECT_GE(s->len, unsigned(s->freq)) << nome << " lasts less than a second";
            destroy_sample(s);
        }
    }
    // A car fits across a lane and faces right in its picture (length
    // across, width down) on a transparent background. The player's own
    // picture, the size of car 1, has a roof unlike each.
    BITMAP* jogador = imagem(CaminhosAssets::carroJogador());
    const Carro um(1, 1, Vetor());
    ASSERT_TRUE(jogador != nullptr && jogador->w == um.getW() && jogador->h == um.getH());
    for (int tipo = 1; tipo <= 3; tipo++) {
        Carro carro(tipo, tipo, Vetor(0, 0));
        BITMAP* b = imagem(CaminhosAssets::carro(tipo));
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->w == carro.getW() && b->h == carro.getH() && carro.getH() < 64) << tipo;
        EXPECT_TRUE(mascara(b, 0, 0) && mascara(b, b->w - 1, 0) && !mascara(b, b->w / 2, b->h / 2)) << tipo;
        EXPECT_NE(getpixel(jogador, jogador->w / 2, jogador->h / 2), getpixel(b, b->w / 2, b->h / 2)) << tipo;
    }
    std::set<std::vector<int>> digitos;  // ten different digits
    for (int d = 0; d <= 9; d++) {
        BITMAP* b = imagem(CaminhosAssets::numero(d));
        std::vector<int> pixels;
        for (int i = 0; i < b->w * b->h; i++) pixels.push_back(getpixel(b, i % b->w, i / b->w));
        digitos.insert(pixels);
    }
    EXPECT_EQ(digitos.size(), 10u);
}

TEST_F(AssetsTest, MenuButtonsArePaintedAtTheLogicsRectangles) {
    // Just inside each button differs from just outside it.
    const std::string principal = CaminhosAssets::menuPrincipal(), instrucoes = CaminhosAssets::menuInstrucoes(),
                      pausa = CaminhosAssets::menuPausa();
    struct {
        std::string pagina;
        int x1, y1, x2, y2;
    } botoes[] = {{principal, 288, 336, 401, 413},
                  {principal, 667, 181, 779, 264},
                  {principal, 5, 180, 140, 240},
                  {principal, 539, 89, 672, 140},
                  {instrucoes, 110, 550, 200, 585},
                  {instrucoes, 575, 550, 700, 585},
                  {CaminhosAssets::menuInstrucoes2(), 350, 520, 445, 550},
                  {CaminhosAssets::menuRecordes(), 350, 520, 445, 550},
                  {pausa, 300, 265, 498, 295},
                  {pausa, 315, 492, 483, 527}};
    for (const auto& b : botoes) {
        BITMAP* p = imagem(b.pagina);
        ASSERT_NE(p, nullptr) << b.pagina;
        EXPECT_TRUE(p->w == 800 && p->h == 600) << b.pagina;
        int cx = (b.x1 + b.x2) / 2, cy = (b.y1 + b.y2) / 2;
        EXPECT_NE(getpixel(p, cx, b.y1 + 1), getpixel(p, cx, b.y1 - 3)) << b.pagina << " at " << b.x1 << "," << b.y1;
        EXPECT_NE(getpixel(p, b.x1 + 1, cy), getpixel(p, b.x1 - 3, cy)) << b.pagina << " at " << b.x1 << "," << b.y1;
    }
    // The frozen race shows through the pause page.
    EXPECT_TRUE(mascara(imagem(pausa), 0, 0) || mascara(imagem(pausa), 1, 0));
}

}  // namespace

#endif
