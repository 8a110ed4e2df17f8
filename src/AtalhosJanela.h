#ifndef ATALHOSJANELA_H
#define ATALHOSJANELA_H

#include "TravaTeclas.h"

class Preferencias;

// The keys that change the window, on every screen: F10 (its next size) and
// F11 or Alt+Enter (fullscreen on and off). In the frame loop they come
// with the frame's other commands (TratadorEntradas); on the screens that
// hold the program outside the loop (the opening, the no-microphone notice)
// they are read here, from the key latches. Each change is kept as the
// player's setting.
class AtalhosJanela {
public:
    explicit AtalhosJanela(Preferencias* preferencias);

    // Acts on the window's commands among `comandos` (ComandosEntrada's
    // bits). True when the window changed: what it showed must be drawn
    // again.
    bool aplicar(unsigned comandos);
    // The same for the window keys pressed since the last call.
    bool aplicarTeclas();

private:
    Preferencias* preferencias;
    TravaTeclas trava;
};

#endif
