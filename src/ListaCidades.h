#ifndef LISTACIDADES_H
#define LISTACIDADES_H

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "Vetor.h"

// The cities the player can race, read once from the city list
// "mapas/cidades.txt" that the asset generator writes beside the maps:
//
//   [city]            one block per city, in the menu's order
//   map = N           its map mapas/N.txt and traffic table mapas/Ntrans.txt
//   name = TEXT       as the menu shows it
//   tiles = FILE      its tile sheet, a plain file name under mapas/
//   start = X Y       the car's start in map pixels, across and down
//   finish = X        the race ends when the car's centre is this far across
//   traffic = N MS    the traffic's fleet, and how long a start tile rests
//   route = R,C ...   the cells the race is laid out along (start, turns,
//                     past the finish), for tools and tests
//
// '#' starts a comment line. A block with a line that cannot be used (an
// unknown key, a value out of range, a map number given twice, a missing
// map, name, start or finish) is reported on one console line naming the
// file, the line and what is wrong, and left out; the other cities stay. A
// list that cannot be read, or that leaves no city, is reported too, and the
// game races city 1 as it always has.
class ListaCidades {
public:
    // City 1's finish, across the map in pixels.
    static constexpr float CHEGADA_PADRAO = 9120.0f;

    struct Cidade {
        int mapa = 1;
        std::string nome = "THE AVENUE";
        std::string folha = "tiles.bmp";
        // Where the car starts, as the car keeps it: down the map, then across.
        Vetor largada = Vetor(550.0f, 50.0f);
        float chegada = CHEGADA_PADRAO;
        int carros = 50;
        long esperaTransito = 4999;
        // (row, column) of each cell of the route.
        std::vector<std::pair<int, int>> rota;
    };

    static constexpr int MAXIMO_CIDADES = 9;
    static constexpr int MAXIMO_MAPA = 99;
    static constexpr size_t MAXIMO_NOME = 20;
    static constexpr int MAXIMO_CARROS = 200;

    // City 1 alone, as the game has always raced it.
    ListaCidades();

    // Reads the list; false when it could not be read or left no city (then
    // city 1 alone). `nome` names the source in the console lines.
    bool carregar(const std::string& arquivo);
    bool ler(std::istream& entrada, const std::string& nome);

    int getQuantidade() const { return static_cast<int>(cidades.size()); }
    // By position in the list, 0 .. getQuantidade() - 1 (clamped).
    const Cidade& getCidade(int indice) const;
    // The position of the city with map `mapa`; -1 when none has it.
    int indiceDoMapa(int mapa) const;

private:
    bool lerLinhas(const std::function<bool(std::string&)>& proxima, const std::string& nome);

    std::vector<Cidade> cidades;
};

#endif
