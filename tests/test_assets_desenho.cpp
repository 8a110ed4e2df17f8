// The asset generator's drawing helpers: shrinking with the mask colour and
// the magnified lettering.

#ifdef RONCO_JOGO_DIR

#include <gtest/gtest.h>

#include "Desenho.h"
#include "test_pintor_ajuda.h"

using namespace desenho;

TEST(AssetsDesenho, ReduzirMantemATransparenciaESoMediaOQueEOpaco) {
    iniciarAllegroSemTela();
    BITMAP* g = criar(8, 4, magenta());
    // Left block: 3 of 16 pixels opaque, so it stays transparent.
    rectfill(g, 0, 0, 2, 0, rgb(200, 10, 10));
    // Right block: 12 of 16 white; the 4 mask pixels must not tint it pink.
    rectfill(g, 4, 0, 7, 2, rgb(255, 255, 255));
    BITMAP* r = reduzir(g, 4);
    ASSERT_EQ(r->w, 2);
    ASSERT_EQ(r->h, 1);
    EXPECT_EQ(getpixel(r, 0, 0), magenta());
    EXPECT_EQ(getpixel(r, 1, 0), rgb(255, 255, 255));
    destroy_bitmap(r);
}

TEST(AssetsDesenho, TextoAmpliadoOcupaExatamenteASuaCaixa) {
    iniciarAllegroSemTela();
    for (int escala : {1, 2, 3, 4}) {
        BITMAP* b = criar(200, 60, rgb(0, 0, 0));
        EstiloTexto e = estiloSimples(escala, rgb(255, 255, 255));
        int largura = texto(b, "HOM", 100, 10, e);
        EXPECT_EQ(largura, larguraTexto("HOM", escala));
        // Centred on x = 100, from y = 10, 8 pixels of font per step.
        int x1 = 200, x2 = -1, y1 = 60, y2 = -1;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++)
                if (getpixel(b, x, y) != rgb(0, 0, 0)) {
                    x1 = std::min(x1, x);
                    x2 = std::max(x2, x);
                    y1 = std::min(y1, y);
                    y2 = std::max(y2, y);
                }
        EXPECT_GE(x1, 100 - largura / 2) << "scale " << escala;
        EXPECT_LT(x2, 100 + largura / 2) << "scale " << escala;
        EXPECT_GE(y1, 10) << "scale " << escala;
        EXPECT_LT(y2, 10 + 8 * escala) << "scale " << escala;
        // The letters are really there, at least half as wide as the box.
        EXPECT_GT(x2 - x1, largura / 2) << "scale " << escala;
        destroy_bitmap(b);
    }
}

#endif
