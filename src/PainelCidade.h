#ifndef PAINELCIDADE_H
#define PAINELCIDADE_H

#include <allegro.h>

#include <string>

#include "NomesAssets.h"

class EscolhaCidade;

// The city line's words: the chosen city's name between the arrows the
// page's picture paints, and on the main menu its best time under it.
class PainelCidade {
public:
    static void desenhar(BITMAP* destino, const EscolhaCidade& escolha, const NomesAssets::RetanguloBotao& linha,
                         bool comMelhor);
    // mm:ss.cc for a time in milliseconds.
    static std::string formatarTempo(int milissegundos);
};

#endif
