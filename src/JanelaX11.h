#ifndef JANELAX11_H
#define JANELAX11_H

#include "Retangulo.h"

// The game's window as the X server and its window manager see it: the
// library's own managed top-level window, reached under the library's lock.
//
// Fullscreen is asked of the window manager the standard way (EWMH
// _NET_WM_STATE_FULLSCREEN), which X11 window managers and the X11 bridges
// of Wayland compositors honour: the window stays the same managed window,
// with no grab, so the keyboard, Alt+Tab, Alt+F4 and the taskbar keep
// reaching it. With no window manager at all the window is simply laid over
// the whole screen.
class JanelaX11 {
public:
    // Where the window lies: its outer rectangle on the screen (the window
    // manager's frame included) and how much the frame adds to the
    // window's own width and height.
    struct Lugar {
        Retangulo contorno;
        int larguraMoldura = 0;
        int alturaMoldura = 0;
    };

    // The library's X11 window is open (not in tests, tools, or before a
    // graphics mode).
    static bool isAberta();
    // An EWMH window manager runs and can make a window fullscreen.
    static bool temGerenciador();
    // Asks the window manager for fullscreen, or to leave it.
    static void pedirTelaCheia(bool sim);

    static Lugar getLugar();
    // Moves the window so that its frame's top-left corner is at (x, y)
    // (compositors that place windows themselves may not follow).
    static void mover(int x, int y);

    // The keyboard focus is on the window; gives it back (with no window
    // manager nobody else does, once the window was mapped again).
    static bool isFocada();
    static void focar();
};

#endif
