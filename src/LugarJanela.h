#ifndef LUGARJANELA_H
#define LUGARJANELA_H

#include "Retangulo.h"

// Where the game's window goes on the screen when its size changes (F10,
// or back from fullscreen): rectangles are the window's outer ones, its
// window manager's frame included, in screen pixels.
class LugarJanela {
public:
    // A window of `largura` x `altura` in place of `janela`: the same centre,
    // then moved just enough to lie on a screen of `larguraTela` x
    // `alturaTela` (its top-left corner on the screen's when it is larger).
    static Retangulo manterCentro(const Retangulo& janela, int largura, int altura, int larguraTela, int alturaTela);
    // The same window centred on the screen.
    static Retangulo centrada(int largura, int altura, int larguraTela, int alturaTela);
};

#endif
