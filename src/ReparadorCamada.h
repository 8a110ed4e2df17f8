#ifndef REPARADORCAMADA_H
#define REPARADORCAMADA_H

#include <allegro.h>

#include <list>
#include <string>
#include <vector>

#include "CamadaMapa.h"
#include "ConstantesGerais.h"
#include "LeitorMapa.h"
#include "Retangulo.h"
#include "Vetor.h"

// Keeps the map layer (the whole city drawn once) clean where the cars were:
// each frame the logic lists cells to repair, the cars are drawn, and the
// upper tiles are put back over them. Drawing whole tiles for every entry of
// the list would do mostly useless work (the list names the same cell up to
// three times, and most cells hold no car picture), so each cell keeps the
// rectangle cars were drawn over since its last repair, and a listed cell is
// repaired once, only over that rectangle; its upper tile is drawn again only
// where that repair erased it or a car covered it. The pixels are those of
// the plain repair, which stays available (setParcial(false)).
class ReparadorCamada {
public:
    typedef std::list<Vetor>::iterator Iterador;

    ReparadorCamada();
    ~ReparadorCamada();
    ReparadorCamada(const ReparadorCamada&) = delete;
    ReparadorCamada& operator=(const ReparadorCamada&) = delete;

    // Takes the tile sheet (one row of tiles, code n at x = (n - 1) * 64)
    // and keeps it as one column instead: the 64 rows of a tile then lie
    // together in memory rather than a sheet's width apart, which is what
    // repairing parts of tiles all over the map wants. Null: no tiles.
    void setFolha(BITMAP* folha);
    bool hasFolha() const { return folha != nullptr; }
    // The sheet of the file `arquivo`, read unless it is the one in use
    // (the one before released first, so that the two never add up).
    void usarFolha(const std::string& arquivo);

    // Off: every entry of the list gets its whole lower tile, then its whole
    // upper tile, as often as it is listed.
    void setParcial(bool sim);

    // Draws the map into `camada` (lower layer, then the upper one masked):
    // all of it into a whole layer, and into a window each cell as it comes
    // in (desenharCelula); from then on it repairs that layer.
    void desenharMapa(CamadaMapa* camada, const LeitorMapa* mapa);
    // A cell that comes into the window: drawn anew, with no car over it.
    void desenharCelula(int linha, int coluna);

    // The frame's repair, in this order: the listed cells' lower tiles, then
    // every car drawn into the layer (marcarDesenho with what it covered),
    // then the upper tiles of the same cells.
    void repararInferior(Iterador inicio, Iterador fim);
    void marcarDesenho(const Retangulo& r);
    void repararSuperior();

private:
    // The tile `codigo` over the part `parte` (map pixels) of cell (linha,
    // coluna); code 0 and codes beyond the sheet draw nothing.
    void desenharTile(int codigo, int linha, int coluna, const Retangulo& parte, bool mascarada);
    // The plain repair: the whole tile of one layer for every entry listed.
    void repararInteiras(bool superior);
    Retangulo celula(int linha, int coluna) const;
    bool dentro(int linha, int coluna) const { return linha >= 0 && linha < linhas && coluna >= 0 && coluna < colunas; }

    bool parcial;
    CamadaMapa* camada;
    BITMAP* folha;  // the sheet, or its tiles one under the other
    bool emColuna;
    int tilesNaFolha;
    const LeitorMapa* mapa;
    int linhas, colunas;
    std::vector<Retangulo> sujo;      // per cell: where cars were drawn since its repair
    std::vector<Retangulo> apagado;   // per listed cell: where this frame's repair erased the upper tile
    std::vector<unsigned> listadoEm;  // per cell: the last frame that listed it
    std::vector<int> listados;        // this frame's cells, each once
    unsigned quadro;
    Iterador inicioLista, fimLista;  // the plain repair walks the list twice
    std::string arquivoFolha;
};

#endif
