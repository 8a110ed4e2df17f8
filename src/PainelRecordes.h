#ifndef PAINELRECORDES_H
#define PAINELRECORDES_H

#include <allegro.h>

#include "Medalhas.h"
#include "Recordes.h"

// The best times as the records page shows them: the ten best, each with
// the medal it earned, and the medal times under them.
class PainelRecordes {
public:
    // `comFundo`: the page's picture is there (it brings the title and the
    // Back button); without it (a damaged install) the page is drawn here
    // in full. Null records: nothing to list yet.
    static void desenharPagina(BITMAP* destino, const Recordes* recordes, const Medalhas* medalhas, bool comFundo);
};

#endif
