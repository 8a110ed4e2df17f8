#include "CompassoQuadros.h"

CompassoQuadros::CompassoQuadros(int periodoMs, int folgaMs)
    : periodo(periodoMs), folga(folgaMs), conhecido(false), ultimoTique(0) {}

void CompassoQuadros::marcarTique(int agora) {
    conhecido = true;
    ultimoTique = agora;
}

int CompassoQuadros::getEsperaMs(int agora) const {
    if (!conhecido) return 1;
    const int espera = ultimoTique + periodo - folga - agora;
    // Past the expected tick (or a clock that went back): poll.
    return espera > 1 && espera <= periodo ? espera : 1;
}
