#ifndef PAINELMEDALHA_H
#define PAINELMEDALHA_H

#include <allegro.h>

#include "Medalhas.h"

// A medal as the screens show it (the main menu, the finish line, the
// records page): a disc in the medal's metal on a ribbon.
class PainelMedalha {
public:
    // Centred on the disc, of radius `raio`; the ribbon rises above it. A
    // time without a medal draws nothing.
    static void desenhar(BITMAP* destino, Medalhas::Medalha m, int cx, int cy, int raio);
    // The disc's colour (tests and scenarios read it back).
    static int getCor(Medalhas::Medalha m);
};

#endif
