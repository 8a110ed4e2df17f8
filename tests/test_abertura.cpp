#include <gtest/gtest.h>

#include <vector>

#include "Abertura.h"
#include "CaminhosAssets.h"
#include "DiretorioTemporario.h"
#include "test_pintor_ajuda.h"

namespace {

BITMAP* telaAbertura = nullptr;
std::vector<unsigned int> esperasAbertura;
std::vector<int> pixelsAbertura;
// When the opening reaches this wait (by its length), Escape is pressed.
unsigned int esperaQueApertaEsc = 0;
size_t apertarEscNaEspera = static_cast<size_t>(-1);

void esperaDeTeste(unsigned int ms) {
    esperasAbertura.push_back(ms);
    pixelsAbertura.push_back(getpixel(telaAbertura, 5, 5) & 0xffffff);
    if (ms == esperaQueApertaEsc || esperasAbertura.size() == apertarEscNaEspera) {
        key[KEY_ESC] = 1;
    }
}

class AberturaTest : public ::testing::Test {
protected:
    void SetUp() override {
        iniciarAllegroSemTela();
        telaAbertura = create_bitmap(800, 600);
        clear_bitmap(telaAbertura);
        esperasAbertura.clear();
        pixelsAbertura.clear();
        esperaQueApertaEsc = 0;
        apertarEscNaEspera = static_cast<size_t>(-1);
        key[KEY_ESC] = 0;
        abertura = new Abertura();
        abertura->setAlvo(telaAbertura);
        abertura->setEspera(esperaDeTeste);
    }
    void TearDown() override {
        key[KEY_ESC] = 0;
        delete abertura;
        destroy_bitmap(telaAbertura);
    }

    // What a white picture looks like over black at a given alpha.
    static int referencia(int alfa) {
        BITMAP* fundo = create_bitmap(4, 4);
        BITMAP* branco = create_bitmap(4, 4);
        clear_to_color(fundo, makecol(0, 0, 0));
        clear_to_color(branco, makecol(255, 255, 255));
        set_trans_blender(0, 0, 0, alfa);
        draw_trans_sprite(fundo, branco, 0, 0);
        int p = getpixel(fundo, 1, 1) & 0xffffff;
        destroy_bitmap(fundo);
        destroy_bitmap(branco);
        return p;
    }

    // The waits of a fade of `passos` steps that runs to its end.
    static void acrescentarFade(std::vector<unsigned int>& v, int passos) {
        v.insert(v.end(), passos - 1, 100u);
        v.push_back(50u);
    }

    Abertura* abertura = nullptr;
    DiretorioTemporario dir;
    std::string saida;
};

TEST_F(AberturaTest, FadeAlphaStepsOfTwentySteps) {
    BITMAP* branco = create_bitmap(10, 10);
    clear_to_color(branco, makecol(255, 255, 255));

    EXPECT_FALSE(abertura->fadeIn(branco, 20, 0, 0));
    std::vector<int> esperado;
    for (int i = 0; i < 19; ++i) esperado.push_back(referencia(i * 13));  // 0, 13, ..., 234
    esperado.push_back(referencia(256));
    EXPECT_EQ(pixelsAbertura, esperado);
    std::vector<unsigned int> esperas;
    acrescentarFade(esperas, 20);
    EXPECT_EQ(esperasAbertura, esperas);
    EXPECT_EQ(pixelsAbertura.front(), 0);
    EXPECT_EQ(pixelsAbertura.back(), 0xffffff);

    pixelsAbertura.clear();
    EXPECT_FALSE(abertura->fadeOut(branco, 20, 0, 0));
    esperado.clear();
    for (int i = 0; i < 19; ++i) esperado.push_back(referencia(256 - i * 13));
    esperado.push_back(referencia(0));
    EXPECT_EQ(pixelsAbertura, esperado);
    EXPECT_EQ(pixelsAbertura.back(), 0);

    // Escape held: the step in which it is seen and the closing image.
    key[KEY_ESC] = 1;
    esperasAbertura.clear();
    EXPECT_TRUE(abertura->fadeIn(branco, 20, 0, 0));
    EXPECT_EQ(esperasAbertura, (std::vector<unsigned int>{100, 50}));
    // Degenerate lengths only show the closing image.
    key[KEY_ESC] = 0;
    esperasAbertura.clear();
    EXPECT_FALSE(abertura->fadeIn(branco, 1, 0, 0));
    EXPECT_EQ(esperasAbertura, std::vector<unsigned int>{50});
    destroy_bitmap(branco);
}

TEST_F(AberturaTest, EscapeCutsTheTitlesButNotTheAnimationOrTheEnd) {
    escreverImagem(CaminhosAssets::aberturaImagem(1), 40, 40, 255, 255, 255);
    // The other opening files are absent: each play reports them.
    auto tocar = [&]() {
        testing::internal::CaptureStdout();
        SituacaoGlobal s = abertura->play();
        saida = testing::internal::GetCapturedStdout();
        return s;
    };

    // The whole opening, untouched.
    std::vector<unsigned int> inteira;
    for (int passos : {30, 25, 25, 20, 20, 30, 30, 30}) acrescentarFade(inteira, passos);
    inteira.push_back(2000);
    for (int passos : {20, 20, 10}) acrescentarFade(inteira, passos);
    inteira.push_back(2400);
    inteira.insert(inteira.end(), 50, 40u);
    acrescentarFade(inteira, 20);
    acrescentarFade(inteira, 20);

    EXPECT_EQ(tocar(), menu);
    EXPECT_EQ(esperasAbertura, inteira);

    // Escape from the start: first fade's first step and its closing image.
    key[KEY_ESC] = 1;
    esperasAbertura.clear();
    EXPECT_EQ(tocar(), menu);
    EXPECT_EQ(esperasAbertura, (std::vector<unsigned int>{100, 50}));

    // Escape in the middle of the third fade: it closes, nothing follows.
    key[KEY_ESC] = 0;
    esperasAbertura.clear();
    apertarEscNaEspera = 30 + 25 + 5;  // seen at the sixth step
    EXPECT_EQ(tocar(), menu);
    std::vector<unsigned int> cortada;
    acrescentarFade(cortada, 30);
    acrescentarFade(cortada, 25);
    cortada.insert(cortada.end(), 6, 100u);
    cortada.push_back(50u);
    EXPECT_EQ(esperasAbertura, cortada);

    // Escape pressed when the animation starts: the animation cannot be cut,
    // the closing picture still comes, each of its fades down to one step.
    key[KEY_ESC] = 0;
    apertarEscNaEspera = static_cast<size_t>(-1);
    esperaQueApertaEsc = 2400;
    esperasAbertura.clear();
    EXPECT_EQ(tocar(), menu);
    std::vector<unsigned int> fimCurto(inteira.begin(), inteira.end() - 40);
    fimCurto.insert(fimCurto.end(), {100, 50, 100, 50});
    EXPECT_EQ(esperasAbertura, fimCurto);
    EXPECT_NE(saida.find("abertura final.bmp: cannot load"), std::string::npos);
}

}  // namespace
