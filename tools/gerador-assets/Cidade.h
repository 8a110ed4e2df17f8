#ifndef GERADOR_CIDADE_H
#define GERADOR_CIDADE_H

// The race cities: each city's map, traffic table and tile sheet, and the
// list of cities the game reads. Each city is laid out in a file of its own
// (Cidade1.cpp, ...) from the building blocks of CidadeBase.

#include <string>

#include "CidadeBase.h"

namespace cidade {

Cidade cidade1();  // the avenue
Cidade cidade2();  // downtown
Cidade cidade3();  // the coast road

// Writes every city's "mapas/N.txt", "mapas/Ntrans.txt" and tile sheet, and
// "mapas/cidades.txt", under `raiz`.
void gerar(const std::string& raiz);

}  // namespace cidade

#endif
