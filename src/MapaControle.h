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
// Axes are judged against where they rested at the first reading: a
// trigger rests at one end of its travel, and counts as pressed past half
// of it (it never steers); a stick or a d-pad rests in the middle.
class MapaControle {
public:
    // Library units: an axis reads -128 to 128.
    static constexpr int ZONA_MORTA = 32;

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
    bool repousoLido;
    std::vector<int> repouso;
    unsigned botoesAntes;
    int direcaoAntes;  // bits: 1 left, 2 right, 4 up, 8 down
};

#endif
