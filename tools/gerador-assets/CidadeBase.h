#ifndef GERADOR_CIDADEBASE_H
#define GERADOR_CIDADEBASE_H

// The building blocks every city is made of: the tile codes, the grids of a
// map, sidewalks and blocks of buildings round a city's streets, the upper
// layer's pieces, and the files the game reads.

#include <functional>
#include <string>
#include <vector>

#include "CidadeTiles.h"
#include "Desenho.h"

namespace cidade {

constexpr int TILE = 64;

// Tile codes. The lower layer is the ground; codes 664..781 are buildings,
// the only solid cells. The upper layer passes over the cars.
enum Codigo {
    GRAMA = 1,
    ASFALTO = 2,
    FAIXA_TRACEJADA = 3,  // lane line along the bottom edge
    VIA_CENTRO_DIR = 4,   // left lane of a two-way street, centre line on the right
    VIA_CENTRO_ESQ = 5,
    SETA_CIMA_CENTRO_ESQ = 6,  // up arrow in the right lane of a two-way street
    ZEBRA_VERTICAL = 7,        // crossing over a vertical street
    ZEBRA_HORIZONTAL = 8,
    CHEGADA = 9,
    LARGADA = 10,
    SETA_DIREITA = 11,
    SETA_BAIXO = 12,
    SETA_CIMA = 13,
    SETA_ESQUERDA = 14,
    FLORES = 15,
    PRACA = 16,
    SETA_DIREITA_TRACEJADA = 17,
    RAMPA_TUNEL_ABAIXO = 18,        // a lane sinking between walls into an underpass below the tile
    RAMPA_TUNEL_ACIMA = 19,         // the same, the underpass above the tile
    CALCADA = 20,                   // + which sides face a road (1 up, 2 right, 4 down, 8 left)
    TUNEL = 36,                     // an underpass's floor, under its mouth
    AREIA = 37,                     // sand (grass in a city without a beach)
    FAIXA_TRACEJADA_VERTICAL = 38,  // lane line along the right edge
    CHEGADA_VERTICAL = 39,          // the finish across a street that runs up or down
    SETA_BAIXO_SIMPLES = 40,        // a down arrow on a one-way street
    PONTE = 41,  // a road's deck over water: 41 its top lane (railing above), 42 a middle lane, 43 its bottom lane

    ARVORE = 100,
    ARVORE_FLORIDA = 101,
    PASSARELA = 102,
    PASSARELA_CIMA = 103,
    PASSARELA_BAIXO = 104,
    PORTICO = 105,
    PORTICO_POSTE_CIMA = 106,
    PORTICO_POSTE_BAIXO = 107,
    FAIXA_CHEGADA_CIMA = 108,
    FAIXA_CHEGADA_BAIXO = 109,
    FAIXA_CHEGADA_LETRAS = 110,    // 110, 111, 112: "FI", "NI", "SH"
    BOCA_TUNEL_RAMPA_ACIMA = 113,  // the crossing that bridges an underpass's mouth, its ramp above
    BOCA_TUNEL_RAMPA_ABAIXO = 114,
    PORTICO_SETA_CIMA = 115,  // a gantry's sign pointing up the map
    PORTICO_SETA_BAIXO = 116,

    PREDIO = 664,  // + style * 16 + which sides continue the same building
};
constexpr int ESTILOS_PREDIO = 7;
constexpr int PREDIO_ULTIMO = PREDIO + ESTILOS_PREDIO * 16 - 1;  // 775, inside 664..781
constexpr int CODIGO_MAXIMO = PREDIO_ULTIMO;

// Traffic start codes and their headings: right, down, left, up.
constexpr int ENTRA_DIREITA = 868, ENTRA_BAIXO = 869, ENTRA_ESQUERDA = 870, ENTRA_CIMA = 871;

using Grade = std::vector<std::vector<int>>;

struct Mapa {
    Mapa(int linhas, int colunas);
    bool dentro(int r, int c) const { return r >= 0 && r < linhas && c >= 0 && c < colunas; }

    int linhas, colunas;
    Grade inferior, superior, transito;
};

// A cell of the map: tile row and column.
struct Celula {
    int linha, coluna;
};

// One city as the game's city list describes it, with its map.
struct Cidade {
    int numero;         // mapas/N.txt and mapas/Ntrans.txt
    std::string nome;   // as the menu shows it
    std::string folha;  // its tile sheet, under mapas/
    Paleta paleta;
    int largadaX, largadaY;  // the car's start, in map pixels across and down
    int chegada;             // the finish: the car's centre this far across
    int carros;              // the traffic's fleet
    int esperaTransito;      // ms a start tile rests between two cars
    // The route the city is laid out for: its start, the crossings where it
    // turns, and a cell past the finish, joined by straight runs of road.
    std::vector<Celula> rota;
    Mapa mapa;
    // The race measurement's reference run (medir-corridas --medals): the
    // median time, in ms, of following the route at full throttle in the
    // best gear. The medal times are set from it.
    int referencia = 0;
};

// How the blocks between the streets are built up.
struct Quadras {
    int parquesPorCento = 14;          // plots left as parks with trees
    int estilos = ESTILOS_PREDIO;      // building styles 0 .. estilos - 1
    int profundidadeMaxima = 1 << 20;  // rows a building may take
};

// Sidewalks and blocks: every cell that `reservada` leaves free becomes a
// sidewalk beside a street (`ehRua`) or part of a plot, a building of a
// random style or a park. Plots are up to five cells wide; deep blocks are
// split into a front and a back row.
void construirQuadras(Mapa& m, const std::function<bool(int, int)>& ehRua,
                      const std::function<bool(int, int)>& reservada, const Quadras& q, desenho::Aleatorio& sorte);

// A straight road: its lanes are rows `primeira` .. `primeira + faixas - 1`
// of a horizontal road (columns of a vertical one), and it runs from `de` to
// `ate` along them. `sentido`: 1 right or down, -1 left or up, 0 both ways
// (two lanes, the first down the map).
struct Via {
    bool horizontal;
    int primeira, faixas, de, ate, sentido;
};

// The roads in the lower layer with their markings: lane lines and arrows,
// plain asphalt where roads cross, zebra crossings beside the crossings.
// Answers which cells are road.
std::vector<std::vector<bool>> tracarVias(Mapa& m, const std::vector<Via>& vias);

// Builds over every free cell off the road that could hold a car: a dead
// end (fewer than two free sides), or a cell in no free 2 x 2 square, where
// a car could not turn round. Repeated until none is left.
void taparBolsos(Mapa& m, const std::function<bool(int, int)>& ehRua);

// Which of the four sides of (r, c) satisfy `teste`: 1 up, 2 right, 4 down, 8 left.
int mascaraVizinhos(int r, int c, const std::function<bool(int, int)>& teste);

// A sign gantry across the street in column `c`, rows `primeira`..`ultima`,
// its posts on the sidewalks beside it; `sinal` is the sign over the lanes.
void portico(Mapa& m, int c, int primeira, int ultima, int sinal);
// The finish banner over column `c`, rows `primeira`..`primeira + 2`.
void faixaChegada(Mapa& m, int c, int primeira);

// Writes the map, the traffic table and the tile sheet under `raiz`.
void escrever(const std::string& raiz, const Cidade& cidade);
// Writes the game's city list, "mapas/cidades.txt".
void escreverLista(const std::string& raiz, const std::vector<Cidade>& cidades);

}  // namespace cidade

#endif
