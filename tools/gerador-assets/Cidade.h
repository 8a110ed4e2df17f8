#ifndef GERADOR_CIDADE_H
#define GERADOR_CIDADE_H

// The race city: map 1, its traffic table and the tile sheet they use.

#include <string>

namespace cidade {

constexpr int LINHAS = 20;
constexpr int COLUNAS = 150;
constexpr int TILE = 64;

// Writes "mapas/tiles.bmp", "mapas/1.txt" and "mapas/1trans.txt" under `raiz`.
void gerar(const std::string& raiz);

}  // namespace cidade

#endif
