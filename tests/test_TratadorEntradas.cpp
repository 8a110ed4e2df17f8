// The inputs held in a frame, kept as the product of their primes, and the
// presses latched between frames.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <tuple>

#include "ControleJogo.h"
#include "EstadoJogo.h"
#include "TratadorEntradas.h"
#include "TravaRato.h"
#include "TravaTeclas.h"

// The music requests are checked frame by frame in the whole-race test.

namespace {
void tecla(int k, bool baixa) { TravaTeclas::registrar(baixa ? k : k | 0x80); }
void clique(int flags, int x = 0, int y = 0) { TravaRato::registrar(flags, x, y); }
}  // namespace

// All eight inputs at once exceed 32 bits; each of the 256 subsets must still
// answer exactly which inputs are held, in the frame it is pressed and the
// next, where Escape, acted on once per press, is no longer counted.
TEST(TratadorEntradas, EveryCombinationOfTheEightInputsIsExact) {
    const int teclas[] = {KEY_A, KEY_D, KEY_SPACE, KEY_Q, KEY_E, KEY_ENTER, KEY_ESC, -1 /* left button */};
    const int primos[] = {3, 5, 11, 53, 47, 31, 37, 43};
    TratadorEntradas t;
    for (int mascara = 0; mascara < 256; mascara++) {
        for (int k : teclas) tecla(k, false);
        clique(MOUSE_FLAG_LEFT_UP | MOUSE_FLAG_RIGHT_DOWN);  // the right button alone is not a click
        ASSERT_EQ(t.lerEntradas(), 1);
        long long produto = 1;
        for (int i = 0; i < 8; i++) {
            if (!(mascara & (1 << i))) continue;
            produto *= primos[i];
            if (teclas[i] < 0)
                clique(MOUSE_FLAG_LEFT_DOWN);
            else
                tecla(teclas[i], true);
        }
        for (int frame = 0; frame < 2; frame++) {
            int lido = t.lerEntradas();
            if (produto <= INT_MAX) {
                ASSERT_EQ(lido, frame == 1 && (mascara & 64) ? produto / 37 : produto) << "mask " << mascara;
            }
            for (int i = 0; i < 8; i++)
                ASSERT_EQ(t.isPressed(primos[i]), (mascara & (1 << i)) != 0 && (frame == 0 || i != 6)) << mascara;
        }
    }
    for (int k : teclas) tecla(k, false);
    clique(MOUSE_FLAG_LEFT_UP | MOUSE_FLAG_RIGHT_UP);
}

// Clicks are latched like key presses, at the place the button went down:
// a click between two samplings, one held (the pointer moving on), one let
// go and made again between two samplings, and one forgotten (as after the
// opening).
TEST(TratadorEntradas, AClickShorterThanAFrameIsSeenOnceWhereTheButtonWentDown) {
    TratadorEntradas t;
    auto amostra = [&t] {
        const bool clicado = t.lerEntradas() % 43 == 0;
        return std::make_tuple(clicado, t.getCliqueX(), t.getCliqueY());
    };
    clique(MOUSE_FLAG_LEFT_DOWN, 300, 350), clique(MOUSE_FLAG_MOVE, 10, 10), clique(MOUSE_FLAG_LEFT_UP, 12, 10);
    EXPECT_EQ(amostra(), std::make_tuple(true, 300, 350));
    EXPECT_FALSE(std::get<0>(amostra()));
    clique(MOUSE_FLAG_LEFT_DOWN, 50, 60), clique(MOUSE_FLAG_MOVE, 70, 80);
    for (int i = 0; i < 3; i++) EXPECT_EQ(amostra(), std::make_tuple(true, 50, 60));
    clique(MOUSE_FLAG_LEFT_UP, 70, 80), clique(MOUSE_FLAG_LEFT_DOWN, 90, 95), clique(MOUSE_FLAG_LEFT_UP, 90, 95);
    EXPECT_EQ(amostra(), std::make_tuple(true, 90, 95));
    clique(MOUSE_FLAG_LEFT_DOWN, 1, 1), clique(MOUSE_FLAG_LEFT_UP, 1, 1);
    t.descartarApertos();
    EXPECT_FALSE(std::get<0>(amostra()));
}

namespace {
MapaControle::Leitura controle;
MapaControle::Leitura lerControle() { return controle; }
// Left stick, d-pad, and a trigger resting at one end of its travel.
void pad(int x, int y, int dpadX, int gatilho, unsigned botoes) {
    controle.presente = true;
    controle.eixos = {{x, true}, {y, false}, {dpadX, true}, {0, false}, {gatilho, true}};
    controle.botoes = botoes;
}
}  // namespace

// A gamepad gives the inputs of the keys it stands for: the stick and the
// d-pad steer past the dead zone, the shoulder buttons shift, B brakes, A
// and a trigger are W; presses act once (Start, A in the menus, the stick's
// moves between buttons). The keys of every screen act once per press, and
// Alt+Enter never reads as Enter, not even held after Alt is let go.
TEST(TratadorEntradas, TheGamepadStandsForItsKeysAndAltEnterIsNeverEnter) {
    ControleJogo::setLeitor(lerControle);
    TratadorEntradas t;
    auto ler = [&t](int x, int y, int dpad, int gatilho, unsigned botoes) {
        pad(x, y, dpad, gatilho, botoes);
        return t.lerEntradas();
    };
    for (int i = 0; i <= MapaControle::QUADROS_REPOUSO; i++) {
        EXPECT_EQ(ler(0, 0, 0, -128, 0), 1);  // still: where the axes rest is learnt
    }
    EXPECT_TRUE(ControleJogo::isPresente());
    const int casos[][5] = {{-MapaControle::ZONA_MORTA, 0, 0, -128, 1},
                            {-MapaControle::ZONA_MORTA - 1, 0, 0, -128, 3},
                            {MapaControle::ZONA_MORTA, 0, 0, -128, 1},
                            {MapaControle::ZONA_MORTA + 1, 0, 0, -128, 5},
                            {100, 0, 0, -128, 5},
                            {0, 0, -128, -128, 3},
                            {0, 128, 0, 0, 1}};  // down, and a trigger pushed less than half
    for (const auto& c : casos) {
        EXPECT_EQ(ler(c[0], c[1], c[2], c[3], 0), c[4]) << c[0] << " " << c[1] << " " << c[2];
        EXPECT_FALSE(t.isAceleradorApertado());
    }
    ler(0, 0, 0, 100, 0);
    EXPECT_TRUE(t.isAceleradorApertado()) << "a trigger past half its travel is W";
    using M = MapaControle;
    EXPECT_EQ(ler(0, 0, 0, -128,
                  1u << M::BOTAO_RB | 1u << M::BOTAO_LB | 1u << M::BOTAO_B | 1u << M::BOTAO_A | 1u << M::BOTAO_START),
              11 * 53 * 47);
    EXPECT_TRUE(t.isAceleradorApertado());
    EXPECT_EQ(t.getComandos(), unsigned(ComandosEntrada::PAUSA | ComandosEntrada::MENU_APERTAR));
    t.juntarPausaAoEsc();
    EXPECT_TRUE(t.isPressed(37)) << "Start is Escape where the race asks for it";
    t.lerEntradas();  // still held: no new presses
    t.juntarPausaAoEsc();
    EXPECT_EQ(t.getComandos(), 0u);
    EXPECT_FALSE(t.isPressed(37));
    // The stick's moves between menu buttons: once per push.
    const std::pair<std::array<int, 3>, unsigned> passos[] = {{{0, -100, 0}, ComandosEntrada::MENU_CIMA},
                                                              {{0, -100, 0}, 0},
                                                              {{0, 0, 0}, 0},
                                                              {{0, 100, 0}, ComandosEntrada::MENU_BAIXO},
                                                              {{-100, 100, 0}, ComandosEntrada::MENU_ESQUERDA},
                                                              {{0, 0, 127}, ComandosEntrada::MENU_DIREITA}};
    for (const auto& [eixos, comandos] : passos) {
        ler(eixos[0], eixos[1], eixos[2], -128, 0);
        EXPECT_EQ(t.getComandos(), comandos) << eixos[0] << " " << eixos[1] << " " << eixos[2];
    }
    controle = MapaControle::Leitura();  // unplugged
    pad(-128, 0, 0, 0, 1);
    controle.presente = false;
    EXPECT_EQ(t.lerEntradas(), 1);
    EXPECT_FALSE(ControleJogo::isPresente());
    ControleJogo::setLeitor(nullptr);

    for (int k : {KEY_N, KEY_F10, KEY_F11}) {
        tecla(k, true);
        t.lerEntradas();
        const unsigned comando = t.getComandos();
        t.lerEntradas();
        EXPECT_EQ(t.getComandos(), 0u) << "held: once per press";
        tecla(k, false);
        EXPECT_EQ(comando, k == KEY_N     ? ComandosEntrada::MUSICA
                           : k == KEY_F10 ? ComandosEntrada::ESCALA
                                          : ComandosEntrada::TELA_CHEIA);
    }
    tecla(KEY_ALT, true);
    tecla(KEY_ENTER, true);
    t.lerEntradas();
    EXPECT_EQ(t.getComandos(), unsigned(ComandosEntrada::TELA_CHEIA));
    EXPECT_FALSE(t.isPressed(31));
    tecla(KEY_ALT, false);
    tecla(KEY_ENTER, true);  // the X server's autorepeat, Alt already up
    t.lerEntradas();
    EXPECT_FALSE(t.isPressed(31));
    EXPECT_EQ(t.getComandos(), 0u);
    tecla(KEY_ENTER, false);
    tecla(KEY_ENTER, true);  // Enter alone is Enter again, once a press
    t.lerEntradas();
    EXPECT_TRUE(t.isPressed(31));
    EXPECT_EQ(t.getComandos(), unsigned(ComandosEntrada::ENTRAR));
    t.lerEntradas();
    EXPECT_EQ(t.getComandos(), 0u);
    tecla(KEY_ENTER, false);
}

// Where an axis rests is learnt while it stays still, never from one
// reading: a stick held over and a trigger half pressed when the game
// starts are let go a moment later, and then the stick steers (it never
// gives gas) and the trigger gives gas (it never steers). A stick held over
// through a curve stays a stick, a trigger held down stays a trigger; a
// stick held still at an end long enough at start is taken for a trigger
// until it rests in the middle.
TEST(TratadorEntradas, TheGamepadLearnsWhereEachAxisRestsWhileItStaysStill) {
    using M = MapaControle;
    M m;
    auto durante = [&m](int quadros, int x, int gatilho) {
        M::Leitura l;
        l.presente = true;
        M::Comandos c;
        for (int i = 0; i < quadros; i++) {
            // A finger on the trigger trembles a little.
            l.eixos = {{x, true}, {0, false}, {std::max(-128, gatilho - (i % 2) * 3), true}};
            c = m.traduzir(l);
        }
        return std::make_tuple(c.esquerda, c.direita, c.acelerador);
    };
    using T = std::tuple<bool, bool, bool>;
    EXPECT_EQ(durante(3, -128, 0), T(false, false, false)) << "nothing until the axes have rested";
    EXPECT_EQ(durante(M::QUADROS_REPOUSO + 1, 0, -128), T(false, false, false));
    EXPECT_EQ(durante(1, -128, -128), T(true, false, false));
    EXPECT_EQ(durante(1, 128, -128), T(false, true, false));
    EXPECT_EQ(durante(1, 0, 0), T(false, false, false)) << "half pressed is not pressed";
    EXPECT_EQ(durante(1, 0, 128), T(false, false, true));
    EXPECT_EQ(durante(3 * M::QUADROS_REPOUSO, -128, 128), T(true, false, true)) << "held through a curve, gas held";
    EXPECT_EQ(durante(1, 0, -128), T(false, false, false));
    EXPECT_EQ(durante(1, 128, 128), T(false, true, true));

    m = M();
    EXPECT_EQ(durante(2 * M::QUADROS_REPOUSO, -128, -128), T(false, false, false));
    EXPECT_EQ(durante(M::QUADROS_REPOUSO + 1, 0, -128), T(false, false, false));
    EXPECT_EQ(durante(1, 128, -128), T(false, true, false)) << "back in the middle, a stick again";
}
