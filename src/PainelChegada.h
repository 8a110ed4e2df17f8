#ifndef PAINELCHEGADA_H
#define PAINELCHEGADA_H

#include <allegro.h>

#include "LinhaChegada.h"

// Draws the finish screen's line (LinhaChegada) on a band across the race
// view, under the clock: gold for a new record, blue otherwise.
class PainelChegada {
public:
    static constexpr int FAIXA_Y1 = 84;
    static constexpr int FAIXA_Y2 = 128;

    // Nothing when the line is not set. The library's font has no middle
    // dot, so it is drawn.
    static void desenhar(BITMAP* destino, const LinhaChegada& linha);
    static int getCorFaixa(bool recorde);
};

#endif
