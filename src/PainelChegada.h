#ifndef PAINELCHEGADA_H
#define PAINELCHEGADA_H

#include <allegro.h>

#include "LinhaChegada.h"

// Draws the finish screen's lines (LinhaChegada) on bands across the race
// view, under the clock: how the time compares with the best (gold for a
// new record, blue otherwise), then the medal it earned.
class PainelChegada {
public:
    static constexpr int FAIXA_Y1 = 84;
    static constexpr int FAIXA_Y2 = 128;
    static constexpr int MEDALHA_Y1 = 132;
    static constexpr int MEDALHA_Y2 = 176;

    // Each band only when it has something to say.
    static void desenhar(BITMAP* destino, const LinhaChegada& linha);
    static int getCorFaixa(bool recorde);
};

#endif
