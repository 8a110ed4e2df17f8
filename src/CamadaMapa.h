#ifndef CAMADAMAPA_H
#define CAMADAMAPA_H

#include <allegro.h>

#include <algorithm>
#include <cstddef>

#include "CacheSprites.h"
#include "ConstantesGerais.h"
#include "Retangulo.h"
#include "Vetor.h"

// The map layer the race view is copied from: the city drawn tile by tile,
// the cars drawn into it. A city whose whole layer fits the budget keeps it
// whole, drawn once per race. A larger one (the layer grows with the map)
// keeps a window of cells round the view instead: cell (row, column) lives
// in the slot (row mod R, column mod C) of an R x C bitmap, so as the view
// moves only the cells that come into the window are drawn, and nothing is
// ever copied about. Coordinates given to and taken from this class are map
// pixels; paraCadaPedaco says where they lie in the bitmap.
class CamadaMapa {
public:
    // Cells kept beyond the view on every side, so that a car across the
    // view's edge is drawn whole and its cells are still held when the next
    // frame repairs them (a cell that comes back is drawn anew anyway).
    static constexpr int MARGEM = 2;

    CamadaMapa();
    ~CamadaMapa();
    CamadaMapa(const CamadaMapa&) = delete;
    CamadaMapa& operator=(const CamadaMapa&) = delete;

    // A layer for a map of `linhas` x `colunas` cells at the screen's colour
    // depth: whole when it takes at most `limite` bytes, else a window. No
    // layer (false) when the map is empty or the bitmap cannot be made.
    bool criar(int linhas, int colunas, size_t limite);
    void liberar();

    BITMAP* getBitmap() const { return bitmap; }
    bool isJanela() const { return janela; }
    // Whether cell (linha, coluna) is held now (a whole layer holds all).
    bool isPresente(int linha, int coluna) const {
        return linha >= linha0 && linha < linha0 + R && coluna >= coluna0 && coluna < coluna0 + C && bitmap != nullptr;
    }

    // Moves the window so that it holds the view `vista` with the margin;
    // `novaCelula(linha, coluna)` is called for every cell that comes into
    // it, to be drawn anew. A whole layer never moves.
    template <class F>
    void acompanhar(const Retangulo& vista, F novaCelula);

    // `f(dx, dy)` for each part of `area` held in the bitmap, with the
    // bitmap's clipping set to that part: map pixel (x, y) is at (x + dx,
    // y + dy) there. A whole layer has one part, at (0, 0).
    template <class F>
    void paraCadaPedaco(const Retangulo& area, F f);

    // Copies the map rectangle `vista` into `destino` at (0, 0).
    void copiar(const Retangulo& vista, BITMAP* destino);

    // `imagem` turned by `angulo` about its centre, its top-left at map
    // pixel (x, y), through `sprites`, unless it cannot reach the map
    // rectangle `vista`. Answers where it may have drawn, in map pixels.
    Retangulo girar(CacheSprites& sprites, BITMAP* imagem, int x, int y, fixed angulo, const Retangulo& vista);
    // Something drawn over the map rectangle `area`: `desenhar(dx, dy,
    // vistaAli)` draws into each piece of the bitmap that holds part of it,
    // moved by (dx, dy) (see paraCadaPedaco), with `vista` moved the same,
    // and answers where it drew there. Answers where it drew, in map pixels.
    template <class F>
    Retangulo desenharEm(const Retangulo& area, const Retangulo& vista, F desenhar);

    // The map's size in pixels (width, height); cleared to black.
    Vetor getTamanho() const;

private:
    // The first map cell of the window along one axis for a view from
    // `primeira` to `ultima`, keeping `quantas` of `total` cells.
    static int inicioJanela(int primeira, int ultima, int quantas, int total);
    // Where column `c` / row `r` lies in the bitmap, minus where it lies on the map.
    int deslocX(int c) const { return (c % C - c) * LADO_TILE; }
    int deslocY(int r) const { return (r % R - r) * LADO_TILE; }

    BITMAP* bitmap;
    bool janela;
    int linhas, colunas;  // of the map
    int R, C;             // of the bitmap, in cells
    int linha0, coluna0;  // the first cell held
};

template <class F>
void CamadaMapa::acompanhar(const Retangulo& vista, F novaCelula) {
    if (!janela || bitmap == nullptr) return;
    const int novaLinha = inicioJanela(vista.y1 / LADO_TILE, vista.y2 / LADO_TILE, R, linhas);
    const int novaColuna = inicioJanela(vista.x1 / LADO_TILE, vista.x2 / LADO_TILE, C, colunas);
    if (novaLinha == linha0 && novaColuna == coluna0) return;
    const int antigaLinha = linha0, antigaColuna = coluna0;
    linha0 = novaLinha;
    coluna0 = novaColuna;
    for (int r = linha0; r < linha0 + R; ++r)
        for (int c = coluna0; c < coluna0 + C; ++c)
            if (r < antigaLinha || r >= antigaLinha + R || c < antigaColuna || c >= antigaColuna + C) novaCelula(r, c);
}

template <class F>
Retangulo CamadaMapa::desenharEm(const Retangulo& area, const Retangulo& vista, F desenhar) {
    Retangulo desenhado;
    paraCadaPedaco(area, [&](int dx, int dy) {
        const Retangulo r = desenhar(dx, dy, Retangulo(vista.x1 + dx, vista.y1 + dy, vista.x2 + dx, vista.y2 + dy));
        desenhado = desenhado.unir(Retangulo(r.x1 - dx, r.y1 - dy, r.x2 - dx, r.y2 - dy));
    });
    return desenhado;
}

template <class F>
void CamadaMapa::paraCadaPedaco(const Retangulo& area, F f) {
    if (bitmap == nullptr) return;
    if (!janela) {
        f(0, 0);  // drawn and clipped as the library does, whatever `area` is
        return;
    }
    const Retangulo a = area.intersectar(Retangulo(coluna0 * LADO_TILE, linha0 * LADO_TILE,
                                                   (coluna0 + C) * LADO_TILE - 1, (linha0 + R) * LADO_TILE - 1));
    if (a.isVazio()) return;
    // The window's slots start again at each multiple of C columns (R rows):
    // at most once inside what it holds.
    const int corteX = (a.x1 / LADO_TILE / C + 1) * C * LADO_TILE, corteY = (a.y1 / LADO_TILE / R + 1) * R * LADO_TILE;
    const Retangulo colunasPartes[2] = {Retangulo(a.x1, 0, std::min(a.x2, corteX - 1), 0),
                                        Retangulo(std::max(a.x1, corteX), 0, a.x2, 0)};
    const Retangulo linhasPartes[2] = {Retangulo(0, a.y1, 0, std::min(a.y2, corteY - 1)),
                                       Retangulo(0, std::max(a.y1, corteY), 0, a.y2)};
    for (const Retangulo& py : linhasPartes) {
        if (py.isVazio()) continue;
        for (const Retangulo& px : colunasPartes) {
            if (px.isVazio()) continue;
            const int dx = deslocX(px.x1 / LADO_TILE), dy = deslocY(py.y1 / LADO_TILE);
            set_clip_rect(bitmap, px.x1 + dx, py.y1 + dy, px.x2 + dx, py.y2 + dy);
            f(dx, dy);
        }
    }
    set_clip_rect(bitmap, 0, 0, bitmap->w - 1, bitmap->h - 1);
}

#endif
