#ifndef GERADOR_CIDADEARVORES_H
#define GERADOR_CIDADEARVORES_H

#include <allegro.h>

#include "CidadeTiles.h"
#include "Desenho.h"

namespace cidade {

// The tile of a tree in a park or beside a street, in the city's kind
// (a round crown, a palm, a planter), flowering or not, on the mask colour.
void arvore(BITMAP* t, const Paleta& p, bool florida, desenho::Aleatorio& s);

}  // namespace cidade

#endif
