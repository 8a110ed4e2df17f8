#ifndef PAINELRECORDES_H
#define PAINELRECORDES_H

#include <allegro.h>

#include "Medalhas.h"
#include "Recordes.h"

// The best times as the menus show them: the records page's ten, each with
// the medal it earned and the medal times under them, and the main menu's
// best time with its medal (in the panel its picture leaves for it).
class PainelRecordes {
public:
    // `comFundo`: the page's picture is there (it brings the title and the
    // Back button); without it (a damaged install) the page is drawn here
    // in full. Null records: nothing to list yet.
    static void desenharPagina(BITMAP* destino, const Recordes* recordes, const Medalhas* medalhas, bool comFundo);
    // `fantasma`: whether the ghost races (G switches it).
    static void desenharMelhor(BITMAP* destino, const Recordes* recordes, const Medalhas* medalhas, bool fantasma);
};

#endif
