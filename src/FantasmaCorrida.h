#ifndef FANTASMACORRIDA_H
#define FANTASMACORRIDA_H

#include "ConstantesGerais.h"
#include "DiferencaFantasma.h"
#include "GravadorFantasma.h"
#include "PercursoFantasma.h"
#include "ProgressoRota.h"
#include "ReprodutorFantasma.h"

class Carro;

// The ghost in one race: the player's run recorded as it is driven, and the
// best run played back beside it on the race clock, with the gap to it.
class FantasmaCorrida {
public:
    FantasmaCorrida();

    // A new race in `cidade` against `melhor` (null: none), which is copied:
    // the file may take this race's run before the race is over. The gap
    // is taken along `rota`, the city's route.
    void iniciar(int cidade, const PercursoFantasma* melhor, const ProgressoRota& rota = ProgressoRota());
    // Every running frame, the player's car at this reading of the race clock.
    void gravar(int tempoMs, const Carro& jogador);
    // At the finish: this race's run, or null when too long to keep.
    const PercursoFantasma* concluir(int tempoMs);

    // Sets the snapshot's ghost: where it is at this race time, and (with
    // `diferenca`) the gap from the player's car to it.
    void preencher(cavalete& c, int tempoMs, const Carro& jogador, bool diferenca) const;

    const GravadorFantasma& getGravador() const { return gravador; }

private:
    PercursoFantasma melhor;
    GravadorFantasma gravador;
    ReprodutorFantasma reprodutor;
    DiferencaFantasma diferenca;
    ProgressoRota rota;
};

#endif
