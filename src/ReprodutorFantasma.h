#ifndef REPRODUTORFANTASMA_H
#define REPRODUTORFANTASMA_H

#include "PercursoFantasma.h"
#include "Vetor.h"

// Plays a recorded run back on the race clock: where the ghost is at a
// reading of the clock, between the two samples around it (along the line
// between their places, turned the shorter way between their angles); at a
// sample's own time exactly that sample. Before the run's first sample it
// waits at the start, after its last at the finish.
class ReprodutorFantasma {
public:
    struct Pose {
        Vetor posicao;  // as Carro keeps it
        float angulo;
    };

    // The run must outlive its use here; null or empty: no ghost.
    void setPercurso(const PercursoFantasma* p) { percurso = p; }
    bool isAtivo() const { return percurso != nullptr && !percurso->amostras.empty(); }

    Pose getPose(int tempoMs) const;

private:
    const PercursoFantasma* percurso = nullptr;
};

#endif
