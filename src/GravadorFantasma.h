#ifndef GRAVADORFANTASMA_H
#define GRAVADORFANTASMA_H

#include "PercursoFantasma.h"
#include "Vetor.h"

// Records the player's run for the ghost: one sample per running frame, on
// the race clock (which stands still while the race is paused, so a pause
// leaves no trace in the run). A run longer than the ghost file's bound is
// no longer kept.
class GravadorFantasma {
public:
    // Six minutes of frames.
    static constexpr int MAXIMO_AMOSTRAS = 9000;

    GravadorFantasma();

    void iniciar(int cidade);
    void gravar(int tempoMs, const Vetor& posicao, float angulo);
    // The run ends at the finish line, at this race time.
    void concluir(int tempoMs);

    // False once the run outgrew the bound: it is then no ghost.
    bool isCompleto() const { return !excedido; }
    const PercursoFantasma& getPercurso() const { return percurso; }

private:
    PercursoFantasma percurso;
    bool excedido;
};

#endif
