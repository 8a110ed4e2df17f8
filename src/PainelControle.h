#ifndef PAINELCONTROLE_H
#define PAINELCONTROLE_H

#include <allegro.h>

#include "NavegacaoMenu.h"

// What a gamepad adds to the menus while one is present: a frame around the
// button the gamepad has highlighted, and on the keys page (the second
// instructions page) the gamepad's buttons, over the page's closing hints.
class PainelControle {
public:
    // The page shown is the snapshot's (state, sub-state).
    static void desenhar(BITMAP* destino, const NavegacaoMenu* navegacao, int estado, int subEstado);

    static constexpr int TECLAS_Y1 = 362;
    static constexpr int TECLAS_Y2 = 492;
    static int getCorDestaque();
};

#endif
