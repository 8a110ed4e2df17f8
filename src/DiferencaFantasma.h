#ifndef DIFERENCAFANTASMA_H
#define DIFERENCAFANTASMA_H

#include <vector>

#include "PercursoFantasma.h"
#include "ProgressoRota.h"

// The live gap to the ghost, by the clock: the race clock now against the
// ghost's clock when it first got as far along the race as the player's car
// is now (how far along: along the city's route, ProgressoRota). Negative:
// the player got there sooner, ahead of the ghost.
class DiferencaFantasma {
public:
    // Null or empty: no gap. `rota` measures how far along each sample is.
    void setPercurso(const PercursoFantasma* p, const ProgressoRota& rota = ProgressoRota());

    // False when there is no ghost, or the player is further along than the
    // ghost ever got.
    bool calcular(int tempoMs, float progresso, int& diferencaMs) const;

private:
    std::vector<float> alcance;  // per sample: the furthest the ghost had got by then
    std::vector<int> tempos;
};

#endif
