#ifndef MAPACONTROLE_H
#define MAPACONTROLE_H

#include <vector>

// What a gamepad's sticks and buttons mean to the game, one reading per
// frame. The layout is the common one of Linux's gamepad drivers (Xbox
// style): the right shoulder button shifts up and the left one down (as a
// race car's paddles), B brakes, A or a trigger is the W key, Start pauses
// and resumes. The left stick or the d-pad steers past a dead zone, as A
// and D do; in the menus it moves between the buttons and A presses the
// highlighted one.
//
// Axes are judged against where they rest, which is learnt while an axis
// stays still (within a tremor) in the middle or at an end: a trigger rests
// at one end of its travel, and counts as pressed past half of it (it never
// steers); a stick or a d-pad rests in the middle. An axis does nothing
// until it has rested once (a stick held over, or a trigger half pressed,
// at start is not taken for its rest). The rest is learnt again when the
// axis stays still elsewhere: at once (a second) when it comes to rest in
// the middle; only after a long while from the middle to an end (a stick
// held over for a curve is not resting); never from one end to the other
// (a trigger held down is not resting either).
class MapaControle {
public:
    // Library units: an axis reads -128 to 128.
    static constexpr int ZONA_MORTA = 32;
    // Readings (frames) an axis must stay still to rest there: in the
    // middle, or at an end the first time; from the middle to an end.
    static constexpr int QUADROS_REPOUSO = 25;
    static constexpr int QUADROS_REPOUSO_LONGO = 125;

    enum Botao { BOTAO_A = 0, BOTAO_B = 1, BOTAO_LB = 4, BOTAO_RB = 5, BOTAO_START = 7 };

    struct Eixo {
        int posicao;      // -128 to 128
        bool horizontal;  // the first axis of its stick
    };
    struct Leitura {
        bool presente = false;
        std::vector<Eixo> eixos;
        unsigned botoes = 0;  // bit b: button b held
    };

    // Held this frame, and pressed since the last frame (once per press).
    struct Comandos {
        bool esquerda = false, direita = false, freio = false, subir = false, descer = false, acelerador = false;
        bool pausa = false, apertar = false;
        bool menuCima = false, menuBaixo = false, menuEsquerda = false, menuDireita = false;
    };

    MapaControle();
    Comandos traduzir(const Leitura& leitura);

private:
    struct Repouso {
        int lugar;   // -128, 0 or 128 once learnt
        int ancora;  // where it has stayed still lately
        int parado;  // for how many readings
    };
    static void aprender(Repouso& r, int posicao);

    std::vector<Repouso> repousos;
    unsigned botoesAntes;
    int direcaoAntes;  // bits: 1 left, 2 right, 4 up, 8 down
};

#endif
