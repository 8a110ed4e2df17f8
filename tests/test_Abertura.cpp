#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Abertura.h"
#include "AjudaPintor.h"
#include "CaminhosAssets.h"
#include "DiretorioTemporario.h"

namespace {

typedef std::vector<unsigned int> Esperas;
BITMAP* tela = nullptr;
Esperas esperas;
std::vector<int> pixels;  // the screen's colour at each wait
// Escape goes down at the wait with this number (from 1) or of this length.
size_t escNaEspera = 0;
unsigned int escNaDuracao = 0;

void esperar(unsigned int ms) {
    esperas.push_back(ms);
    pixels.push_back(getpixel(tela, 5, 5) & 0xffffff);
    if (esperas.size() == escNaEspera || ms == escNaDuracao) key[KEY_ESC] = 1;
}

// The waits of a fade of `passos` steps that runs to its end.
void fade(Esperas& v, int passos) {
    v.insert(v.end(), passos - 1, 100u);
    v.push_back(50u);
}

// The opening on a memory screen, its waits recorded instead of slept.
TEST(Abertura, FadeAlphaStepsAndEscapeCuttingTheOpening) {
    iniciarAllegroSemTela();
    DiretorioTemporario dir;
    tela = create_bitmap(800, 600);
    clear_bitmap(tela);
    key[KEY_ESC] = 0;
    Abertura abertura;
    abertura.setAlvo(tela);
    abertura.setEspera(esperar);

    BITMAP* branco = create_bitmap(10, 10);
    clear_to_color(branco, makecol(255, 255, 255));
    // White over black at alpha 0, 13, ..., 234 and 256 (in), the reverse (out).
    auto esperado = [&](bool entrando) {
        std::vector<int> v;
        BITMAP* fundo = create_bitmap(10, 10);
        for (int i = 0; i < 20; ++i) {
            int alfa = i < 19 ? i * 13 : 256;
            clear_to_color(fundo, 0);
            set_trans_blender(0, 0, 0, entrando ? alfa : 256 - alfa);
            draw_trans_sprite(fundo, branco, 0, 0);
            v.push_back(getpixel(fundo, 5, 5) & 0xffffff);
        }
        destroy_bitmap(fundo);
        return v;
    };
    EXPECT_FALSE(abertura.fadeIn(branco, 20, 0, 0));
    EXPECT_EQ(pixels, esperado(true));
    Esperas vinte;
    fade(vinte, 20);
    EXPECT_EQ(esperas, vinte);
    pixels.clear();
    EXPECT_FALSE(abertura.fadeOut(branco, 20, 0, 0));
    EXPECT_EQ(pixels, esperado(false));
    esperas.clear();
    EXPECT_FALSE(abertura.fadeIn(branco, 1, 0, 0));  // one step: only the closing image
    EXPECT_EQ(esperas, Esperas{50});
    destroy_bitmap(branco);

    escreverImagem(CaminhosAssets::aberturaImagem(1), 40, 40, makecol(255, 255, 255));
    testing::internal::CaptureStdout();  // the other files are absent: reported
    auto tocar = [&](bool esc) {
        key[KEY_ESC] = esc;
        esperas.clear();
        EXPECT_EQ(abertura.play(), menu);
    };
    Esperas inteira;
    for (int passos : {30, 25, 25, 20, 20, 30, 30, 30}) fade(inteira, passos);
    inteira.push_back(2000);
    for (int passos : {20, 20, 10}) fade(inteira, passos);
    inteira.push_back(2400);
    inteira.insert(inteira.end(), 50, 40u);  // the car animation
    fade(inteira, 20);
    fade(inteira, 20);
    tocar(false);
    EXPECT_EQ(esperas, inteira);

    tocar(true);  // held from the start: the first fade's first step, closed
    EXPECT_EQ(esperas, (Esperas{100, 50}));

    escNaEspera = 30 + 25 + 5;  // seen at the sixth step of the third fade
    tocar(false);
    Esperas cortada;
    fade(cortada, 30);
    fade(cortada, 25);
    cortada.insert(cortada.end(), 6, 100u);
    cortada.push_back(50u);
    EXPECT_EQ(esperas, cortada);

    // At the animation: it runs on, the closing picture's fades drop to one step.
    escNaEspera = 0;
    escNaDuracao = 2400;
    tocar(false);
    Esperas fimCurto(inteira.begin(), inteira.end() - 40);
    fimCurto.insert(fimCurto.end(), {100, 50, 100, 50});
    EXPECT_EQ(esperas, fimCurto);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("abertura final.bmp: cannot load"), std::string::npos);
    key[KEY_ESC] = 0;
    destroy_bitmap(tela);
}

}  // namespace
