#ifndef GERADOR_CENA_H
#define GERADOR_CENA_H

// Backdrops shared by the menus and the opening.

#include <allegro.h>

namespace cena {

// Sunset over the city with a road running to the horizon at `horizonte`.
void porDoSol(BITMAP* b, int horizonte);
// A car seen from behind, centred on (cx, base) with its wheels on `base`.
void carroDeTras(BITMAP* b, int cx, int base, int largura, int cor);
// Darkens a picture by mixing every pixel towards `cor`.
void escurecerTudo(BITMAP* b, int cor, float t);
// A microphone with sound waves, centred on (cx, cy), `tamanho` high.
void microfone(BITMAP* b, int cx, int cy, int tamanho);

}  // namespace cena

#endif
