#ifndef MEDALHAS_H
#define MEDALHAS_H

#include <string>

// A city's medal times, kept as data beside its map ("mapas/1medalhas.txt"):
//
//   # comments
//   gold 11700      race times in ms: a race at or under one earns it
//   silver 13500
//   bronze 16500
//
// Each medal once, each time a whole number of ms up to an hour, gold
// faster than silver, silver than bronze. A file that is missing or not
// like that is said on the console once, naming it, and the game goes on
// without medals.
class Medalhas {
public:
    enum Medalha { NENHUMA = 0, BRONZE = 1, PRATA = 2, OURO = 3 };

    Medalhas();

    // False when nothing usable was read (said on the console).
    bool carregar(const std::string& caminho);
    bool interpretar(const std::string& texto, std::string& problema);
    bool isCarregada() const { return carregada; }

    // NENHUMA without medal times, or for a time that earns none.
    Medalha getMedalha(int tempoMs) const;
    // The time that earns `m` (0 without medal times).
    int getTempo(Medalha m) const;
    // "GOLD", "SILVER", "BRONZE"; "" for none.
    static const char* getNome(Medalha m);

private:
    bool carregada;
    int tempos[4];  // by medal; tempos[NENHUMA] unused
};

#endif
