#ifndef ESCOLHACIDADE_H
#define ESCOLHACIDADE_H

#include <map>
#include <string>

#include "ListaCidades.h"
#include "NomesAssets.h"
#include "PlacarCidade.h"

class EstadoJogo;
class Preferencias;
class TratadorEntradas;

// Which city the player races: the list of cities, the one chosen on the
// main menu (saved in the settings as `city`), the one the race now loaded
// is in, and each city's results (records, ghost, medal times). Until a
// list is read, city 1 alone, as the game has always raced it.
class EscolhaCidade {
public:
    EscolhaCidade();

    // Reads the list of cities (once, at start-up); the choice stays on the
    // city it was on when the new list has it, else the first, and its
    // records are read for the main menu's best time.
    void carregar(const std::string& arquivo);
    const ListaCidades& getLista() const { return lista; }

    // The player's settings: the choice starts on the city saved there, and
    // every change is saved. Null: the choice is saved nowhere.
    void setPreferencias(Preferencias* p);

    // Position of the chosen city in the list.
    int getIndice() const { return indice; }
    const ListaCidades::Cidade& getEscolhida() const { return lista.getCidade(indice); }
    // The city with map `mapa`, when the list has it.
    void escolherMapa(int mapa);
    // The next city (passo 1) or the one before (-1), round the list.
    void mudar(int passo);
    // A frame of a page that changes the city (the main menu, the records,
    // whose city line is `linha`): the Left and Right keys, the gamepad's
    // left and right, and a click (when `clicou`, at x, y) on an arrow at
    // the line's ends change it. Answers the commands without the gamepad's
    // left and right, which there change the city rather than the
    // highlighted button.
    unsigned acompanhar(unsigned comandos, const NomesAssets::RetanguloBotao& linha, bool clicou, int x, int y);
    // The same on the page shown, if it is one of those two, with this
    // frame's inputs; any other page's commands are answered as they are.
    unsigned acompanharPagina(const EstadoJogo& estado, const TratadorEntradas& entradas);

    // The race being loaded is in the chosen city from now until the next.
    void iniciarCorrida() { corrida = getEscolhida(); }
    const ListaCidades::Cidade& getCorrida() const { return corrida; }
    // Whether a car at `posicao` (down, across) has reached the race's finish.
    bool isChegada(const Vetor& posicao) const { return posicao.getY() >= corrida.chegada; }

    // The results of the chosen city (the pages' and the main menu's) and of
    // the race's city, each named from its map number (PlacarCidade). They
    // are made when first asked for and kept: a ghost or a medal file is
    // read once.
    PlacarCidade& getPlacar() const { return placar(getEscolhida().mapa); }
    PlacarCidade& getPlacarCorrida() const { return placar(corrida.mapa); }
    Recordes& getRecordes() const { return getPlacar().getRecordes(); }

private:
    PlacarCidade& placar(int mapa) const;

    ListaCidades lista;
    int indice;
    ListaCidades::Cidade corrida;
    Preferencias* preferencias;
    mutable std::map<int, PlacarCidade> placares;  // by map number
};

#endif
