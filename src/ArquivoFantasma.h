#ifndef ARQUIVOFANTASMA_H
#define ARQUIVOFANTASMA_H

#include <string>

#include "PercursoFantasma.h"

// The ghost's file: the player's best run of a city, beside the records
// ("ghost.txt" for city 1, "ghost-N.txt" for city N). Plain text, a version
// header and one line per sample:
//
//   ronco-ghost 1
//   city 1
//   time 15420          the run's race time at the finish, in ms
//   samples 386
//   0 550 50 0          race clock (ms), the car's x and y, its angle
//   40 550 50.64 0
//   ...
//
// It is bounded (MAXIMO_BYTES, GravadorFantasma::MAXIMO_AMOSTRAS samples),
// read only when it is a plain file, and written atomically: a unique
// temporary file in the same folder, then renamed over the old one, so a
// crash or a full disk leaves the old ghost or the new one, never half of
// either.
class ArquivoFantasma {
public:
    static constexpr int VERSAO = 1;
    static constexpr long MAXIMO_BYTES = 512 * 1024;

    enum Leitura { LIDO, AUSENTE, RECUSADO };

    static std::string nome(int cidade);

    // RECUSADO with `problema` (what is wrong, for a console line after the
    // file's name) for anything that is not a whole ghost of `cidade` in
    // this version; `p` is then left empty.
    static Leitura ler(const std::string& caminho, int cidade, PercursoFantasma& p, std::string& problema);
    static bool interpretar(const std::string& texto, int cidade, PercursoFantasma& p, std::string& problema);

    static std::string formatar(const PercursoFantasma& p);
    // False with `problema` when the file could not be replaced.
    static bool escrever(const std::string& caminho, const PercursoFantasma& p, std::string& problema);
};

#endif
