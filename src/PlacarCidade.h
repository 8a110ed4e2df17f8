#ifndef PLACARCIDADE_H
#define PLACARCIDADE_H

#include <string>

#include "LinhaChegada.h"
#include "Medalhas.h"
#include "PercursoFantasma.h"
#include "Recordes.h"

// One city's results: its record file, the ghost of the best run (both in
// the game's folder, where the player's files live) and its medal times
// (beside its map). City 1 keeps "records.txt" as it always was; every
// name comes from the city's number, so a city is added by its number.
class PlacarCidade {
public:
    explicit PlacarCidade(int cidade);

    int getCidade() const { return cidade; }
    Recordes& getRecordes() { return recordes; }
    // Read the first time they are asked for (a bad file said then, once).
    const Medalhas& getMedalhas();
    // The ghost to race against: null when there is none. The file is
    // read the first time; one that is not a whole ghost of this city is
    // said once and raced without, until a run replaces it.
    const PercursoFantasma* getFantasma();

    // At the finish line: the finish screen's line (a record against the
    // record file, or the best and the difference; the medal), the time
    // appended to the record file, and the run kept as the ghost when it
    // is the new best (by the record file), when there was no ghost file,
    // or when it beats the ghost's own time. `corrida` null: the run was
    // too long to keep.
    void registrarChegada(int tempoMs, const PercursoFantasma* corrida, LinhaChegada& linha);

private:
    void guardarFantasma(const PercursoFantasma& corrida);

    int cidade;
    Recordes recordes;
    Medalhas medalhas;
    bool medalhasLidas;
    std::string arquivoFantasma;
    PercursoFantasma fantasma;
    bool fantasmaLido;
    bool semArquivoFantasma;  // no ghost file at all: any finished run is the first ghost
};

#endif
