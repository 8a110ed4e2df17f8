#ifndef PAINELCIDADE_H
#define PAINELCIDADE_H

#include <allegro.h>

#include "NomesAssets.h"

class EscolhaCidade;

// The pages that show a city: its line (the name between the arrows the
// page's picture paints) on the main menu, with the city's best time and its
// medal, and on the records page over the city's times; and beside the main
// menu's line whether the ghost races. Without cities (null) the pages show
// no city and no times.
class PainelCidade {
public:
    // The main menu's city line; `fantasma`: whether G has the ghost on.
    static void desenharMenu(BITMAP* destino, const EscolhaCidade* escolha, bool fantasma);
    // The records page of the chosen city (`comFundo` as PainelRecordes).
    static void desenharRecordes(BITMAP* destino, const EscolhaCidade* escolha, bool comFundo);
    // The centre of the main menu's medal, by the right arrow (tests read it).
    static constexpr int MEDALHA_X = NomesAssets::CIDADE_MENU.x2 - NomesAssets::SETA_CIDADE_LARGURA - 24;
    static constexpr int MEDALHA_Y = NomesAssets::CIDADE_MENU.y2 - 14;

private:
    static void desenharNome(BITMAP* destino, const EscolhaCidade& escolha, const NomesAssets::RetanguloBotao& linha,
                             int y);
};

#endif
