#ifndef PERCURSOFANTASMA_H
#define PERCURSOFANTASMA_H

#include <vector>

// One sample of a run: where the player's car was, and how it was turned,
// at a reading of the race clock.
struct AmostraFantasma {
    int tempoMs;
    float x, y;    // the car's position as Carro keeps it: x down the map, y along it
    float angulo;  // radians, -pi to pi
};

// A whole run of the player's car as the ghost keeps it: a sample for every
// running frame, the race clock never going back from one to the next, and
// the run's time at the finish line.
struct PercursoFantasma {
    int cidade = 0;
    int tempoMs = 0;
    std::vector<AmostraFantasma> amostras;
};

#endif
