#ifndef ESCOLHACIDADE_H
#define ESCOLHACIDADE_H

#include <string>

#include "ListaCidades.h"

// Which city the player races: the list of cities, the one chosen on the
// main menu, and the one the race now loaded is in. Until a list is read,
// city 1 alone, as the game has always raced it.
class EscolhaCidade {
public:
    EscolhaCidade();

    // Reads the list of cities (once, at start-up); the choice stays on the
    // city it was on when the new list has it, else the first.
    void carregar(const std::string& arquivo);
    const ListaCidades& getLista() const { return lista; }

    // Position of the chosen city in the list.
    int getIndice() const { return indice; }
    const ListaCidades::Cidade& getEscolhida() const { return lista.getCidade(indice); }
    // The city with map `mapa`, when the list has it.
    void escolherMapa(int mapa);

    // The race being loaded is in the chosen city from now until the next.
    void iniciarCorrida() { corrida = getEscolhida(); }
    const ListaCidades::Cidade& getCorrida() const { return corrida; }

private:
    ListaCidades lista;
    int indice;
    ListaCidades::Cidade corrida;
};

#endif
