#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <tuple>

#include "AjudaPintor.h"
#include "AmpliadorQuadro.h"
#include "GeometriaTela.h"
#include "LugarJanela.h"
#include "NomesAssets.h"

namespace {

// A frame whose every pixel tells where it is (at 32 bits): red and green
// the column's and the row's low byte, blue their high bits.
BITMAP* quadroNumerado(int profundidade = 32) {
    BITMAP* q = create_bitmap_ex(profundidade, 800, 600);
    for (int y = 0; y < 600; y++)
        for (int x = 0; x < 800; x++)
            putpixel(q, x, y, makecol_depth(profundidade, x & 255, y & 255, (x >> 8) | (y >> 8) << 2));
    return q;
}

uint32_t pixel32(BITMAP* b, int x, int y) { return reinterpret_cast<const uint32_t*>(b->line[y])[x]; }

// Rows of two bitmaps of one size and depth, byte for byte.
bool iguais(BITMAP* a, BITMAP* b) {
    const size_t bytes = static_cast<size_t>(a->w) * ((bitmap_color_depth(a) + 7) / 8);
    for (int y = 0; y < a->h; y++)
        if (std::memcmp(a->line[y], b->line[y], bytes) != 0) return false;
    return true;
}

TEST(GeometriaTela, PointerMapsToThePixelShownAtEveryScaleAndButtonsKeepTheirRectangles) {
    iniciarAllegroSemTela();
    BITMAP* q = quadroNumerado();
    AmpliadorQuadro ampliador;
    // Windows at x1 to x3; screens whole (pixel_perfect) and fractional,
    // wider and taller than 4:3, and one smaller than the picture.
    const struct {
        int w, h;
        bool inteira;
        int x, y, largura, altura, escala;
    } casos[] = {{800, 600, true, 0, 0, 800, 600, 1},         {1600, 1200, true, 0, 0, 1600, 1200, 2},
                 {2400, 1800, true, 0, 0, 2400, 1800, 3},     {1920, 1080, false, 240, 0, 1440, 1080, 0},
                 {1920, 1080, true, 560, 240, 800, 600, 1},   {2560, 1440, false, 320, 0, 1920, 1440, 0},
                 {2560, 1440, true, 480, 120, 1600, 1200, 2}, {1280, 1024, false, 0, 32, 1280, 960, 0},
                 {3840, 2160, false, 480, 0, 2880, 2160, 0},  {640, 480, false, 0, 0, 640, 480, 0},
                 {1280, 800, false, 107, 0, 1066, 800, 0}};
    for (const auto& k : casos) {
        const GeometriaTela g(k.w, k.h, k.inteira);
        SCOPED_TRACE(testing::Message() << k.w << "x" << k.h << (k.inteira ? " whole" : ""));
        EXPECT_EQ(g.getX(), k.x);
        EXPECT_EQ(g.getY(), k.y);
        EXPECT_EQ(g.getLargura(), k.largura);
        EXPECT_EQ(g.getAltura(), k.altura);
        EXPECT_EQ(g.getEscalaInteira(), k.escala);
        // Drawn, then read back under the pointer: every pixel of the
        // picture's rectangle shows the picture's pixel the pointer answers.
        BITMAP* alvo = create_bitmap(k.w, k.h);
        clear_to_color(alvo, makecol(1, 2, 3));
        ampliador.desenhar(alvo, q, g);
        for (int y = 0; y<k.h; y += k.h> 1200 ? 7 : 1) {
            for (int x = 0; x < k.w; x += 3) {
                const GeometriaTela::Ponto p = g.paraQuadro(x, y);
                const bool dentro = p.x >= 0 && p.x < 800 && p.y >= 0 && p.y < 600;
                ASSERT_EQ(dentro, x >= k.x && x < k.x + k.largura && y >= k.y && y < k.y + k.altura) << x << "," << y;
                ASSERT_EQ(pixel32(alvo, x, y), dentro ? pixel32(q, p.x, p.y) : makecol(1, 2, 3)) << x << "," << y;
            }
        }
        destroy_bitmap(alvo);
    }
    // A fullscreen not 4:3: the top and bottom rows are the picture's.
    const GeometriaTela largo(1280, 800, false);
    EXPECT_EQ(largo.paraQuadro(640, 799).y, 599);
    EXPECT_EQ(largo.paraQuadro(640, 0).y, 0);
    // At x2 a button is its rectangle doubled, to the pixel.
    const GeometriaTela x2(1600, 1200, true);
    const NomesAssets::RetanguloBotao& r = NomesAssets::BOTAO_JOGAR;
    EXPECT_EQ(x2.paraQuadro(2 * r.x1, 2 * r.y1).x, r.x1);
    EXPECT_EQ(x2.paraQuadro(2 * r.x1 - 1, 0).x, r.x1 - 1);
    EXPECT_EQ(x2.paraQuadro(2 * r.x2 + 1, 2 * r.y2 + 1).y, r.y2);
    EXPECT_EQ(x2.paraQuadro(2 * r.x2 + 2, 0).x, r.x2 + 1);
    destroy_bitmap(q);
}

TEST(GeometriaTela, TheWindowTakesTheLargestScaleThatFitsAndF10StepsThroughThem) {
    const int casos[][3] = {{1024, 768, 1},  {1920, 1080, 1}, {1920, 1200, 1}, {1600, 1264, 2}, {1600, 1263, 1},
                            {2560, 1440, 2}, {3840, 2160, 3}, {7680, 4320, 3}, {640, 480, 1}};
    for (const auto& c : casos) EXPECT_EQ(GeometriaTela::escalaQueCabe(c[0], c[1]), c[2]) << c[0] << "x" << c[1];
    // F10 from each scale, the largest that fits, and the next (a saved x3 on a smaller desktop goes to x1).
    for (auto [de, maxima, para] : {std::tuple{1, 2, 2}, {2, 2, 1}, {2, 3, 3}, {1, 1, 1}, {3, 2, 1}})
        EXPECT_EQ(GeometriaTela::proximaEscala(de, maxima), para) << de << " " << maxima;
    // The saved scale where it fits (a smaller one too), else the largest
    // that does; auto (0) or nonsense, the largest.
    for (auto [salva, w, h, escala] : {std::tuple{3, 1920, 1080, 1},
                                       {2, 1920, 1080, 1},
                                       {3, 2560, 1440, 2},
                                       {1, 3840, 2160, 1},
                                       {2, 3840, 2160, 2},
                                       {0, 3840, 2160, 3},
                                       {7, 2560, 1440, 2}})
        EXPECT_EQ(GeometriaTela::escalaInicial(salva, w, h), escala) << salva << " on " << w << "x" << h;
}

// F10 keeps the window's centre and keeps it on the screen; the same size
// stays where it is.
TEST(LugarJanela, ANewSizeKeepsTheCentreOnTheScreen) {
    const Retangulo janela(881, 449, 1680, 1048);  // 800x600 in the middle of 2560x1440
    auto em = [&](const Retangulo& r, int w, int h) { return LugarJanela::manterCentro(r, w, h, 2560, 1440); };
    auto canto = [](const Retangulo& r) { return std::vector<int>{r.x1, r.y1, r.getLargura(), r.getAltura()}; };
    EXPECT_EQ(canto(em(janela, 800, 600)), (std::vector<int>{881, 449, 800, 600}));
    EXPECT_EQ(canto(em(janela, 1600, 1200)), (std::vector<int>{481, 149, 1600, 1200}));
    EXPECT_EQ(canto(em(Retangulo(2000, 1000, 2399, 1299), 800, 600)), (std::vector<int>{1760, 840, 800, 600}));
    EXPECT_EQ(canto(em(Retangulo(-50, -30, 749, 569), 1600, 1200)), (std::vector<int>{0, 0, 1600, 1200}));
    EXPECT_EQ(canto(em(janela, 2600, 1500)), (std::vector<int>{0, 0, 2600, 1500}));
    EXPECT_EQ(canto(LugarJanela::centrada(800, 600, 1920, 1080)), (std::vector<int>{560, 240, 800, 600}));
}

TEST(AmpliadorQuadro, WholeScalesRepeatEveryPixelAndOtherScalesAndDepthsMatchThePlainCopy) {
    iniciarAllegroSemTela();
    BITMAP* q = quadroNumerado();
    for (bool vetorial : {true, false}) {
        AmpliadorQuadro a;
        a.setVetorial(vetorial);
        for (int k : {2, 3}) {
            BITMAP* alvo = create_bitmap(800 * k, 600 * k);
            a.desenhar(alvo, q, GeometriaTela(800 * k, 600 * k, true));
            int diferentes = 0;
            for (int y = 0; y < 600 * k; y++)
                for (int x = 0; x < 800 * k; x++) diferentes += pixel32(alvo, x, y) != pixel32(q, x / k, y / k);
            EXPECT_EQ(diferentes, 0) << "x" << k << (vetorial ? "" : " pixel by pixel");
            destroy_bitmap(alvo);
        }
    }
    destroy_bitmap(q);
    // Fractional scales, at the depths a desktop may have, against the
    // plain copy; the margins stay as they were.
    const int telas[][2] = {{1920, 1080}, {1366, 768}, {700, 500}};
    for (int profundidade : {32, 24, 16}) {
        BITMAP* fonte = quadroNumerado(profundidade);
        for (const auto& t : telas) {
            const GeometriaTela g(t[0], t[1], false);
            BITMAP* rapido = create_bitmap_ex(profundidade, t[0], t[1]);
            BITMAP* simples = create_bitmap_ex(profundidade, t[0], t[1]);
            clear_to_color(rapido, makecol_depth(profundidade, 9, 9, 9));
            clear_to_color(simples, makecol_depth(profundidade, 9, 9, 9));
            AmpliadorQuadro a;
            a.desenhar(rapido, fonte, g);
            AmpliadorQuadro::desenharSimples(simples, fonte, g);
            EXPECT_TRUE(iguais(rapido, simples)) << t[0] << "x" << t[1] << " at " << profundidade << " bits";
            destroy_bitmap(rapido);
            destroy_bitmap(simples);
        }
        destroy_bitmap(fonte);
    }
}

}  // namespace
