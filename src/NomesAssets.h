#ifndef NOMESASSETS_H
#define NOMESASSETS_H

// Asset names and layouts that the game's fixed file list leaves open, shared
// by the asset generator (which paints them) and the renderer (which draws
// over them). The fixed names live in CaminhosAssets.

namespace NomesAssets {

// Records page background, 800x600: the title and the Back button
// (x 350..445, y 520..550) are painted on it; the game writes the best ten
// times inside the panel below, one per line, on a dark plain area.
constexpr const char* MENU_RECORDES = "graficos/menus/menu_recordes.bmp";
constexpr int RECORDES_PAINEL_X1 = 200;
constexpr int RECORDES_PAINEL_Y1 = 140;
constexpr int RECORDES_PAINEL_X2 = 600;
constexpr int RECORDES_PAINEL_Y2 = 500;
// Suggested place of the first line and the distance between lines (10 lines
// of text up to 24 pixels high fit inside the panel).
constexpr int RECORDES_LINHA_X = 250;
constexpr int RECORDES_LINHA_Y = 160;
constexpr int RECORDES_LINHA_PASSO = 32;

// Sizes the generator gives the HUD pieces (useful to tests and layout).
constexpr int DIGITO_LARGURA = 20;   // graficos/numeros/%d.bmp
constexpr int DIGITO_ALTURA = 30;
constexpr int FRASE_LARGURA = 760;   // graficos/carregamento/%d.bmp
constexpr int FRASE_ALTURA = 40;

}  // namespace NomesAssets

#endif
