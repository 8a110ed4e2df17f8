#ifndef JANELA_H
#define JANELA_H

#include <allegro.h>

#include "AmpliadorQuadro.h"
#include "GeometriaTela.h"

// The game's window, as the library shows it: a window of 800x600 times a
// whole scale, or, in fullscreen, the same managed window at the desktop's
// own resolution (no change of video mode), which the window manager is
// asked to show fullscreen (JanelaX11), the picture enlarged to the
// screen's height and centred on black. Frames are composed at 800x600 and
// shown through mostrar; the pointer is read back in the picture's pixels
// (getPonteiro).
//
// The only part of the game that sets a graphics mode. Until abrir, and in
// programs that never open it (tests, tools), frames and the pointer are
// the picture's own.
class Janela {
public:
    typedef void (*Gancho)();

    // After allegro_init: the window at `escala` if it fits the desktop,
    // else (or with 0) at the largest whole scale that does; or fullscreen.
    // A size or colour depth that does not open gives way to the next;
    // false, with a console line, when none does.
    static bool abrir(int escala, bool telaCheia, bool pixelPerfeito);
    // Called after every later change of mode (the library forgets some of
    // what was set for the window before).
    static void setAposTroca(Gancho gancho);

    // F11 / Alt+Enter: fullscreen on or off; off, the window goes back to
    // its size and place. A mode that does not open leaves the one there
    // was. Answers whether it is fullscreen now.
    static bool alternarTelaCheia();
    // F10: the window's next scale among those that fit the desktop, about
    // the same centre, kept on the screen. When the scale would not change
    // (or in fullscreen) nothing is done. Answers the window's scale.
    static int passarEscala();

    static bool isTelaCheia();
    static int getEscala();
    static const GeometriaTela& getGeometria();
    // The pointer (mouse_x, mouse_y) in the picture's pixels.
    static GeometriaTela::Ponto getPonteiro();

    // Shows a composed 800x600 frame.
    static void mostrar(BITMAP* quadro);
};

#endif
