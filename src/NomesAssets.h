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

// Main menu: a dark panel on the grass at the bottom left, beside the city
// line, where the game writes whether the ghost races (G).
constexpr int MENU_FANTASMA_X1 = 16;
constexpr int MENU_FANTASMA_Y1 = 420;
constexpr int MENU_FANTASMA_X2 = 286;
constexpr int MENU_FANTASMA_Y2 = 468;
// The notice shown at start-up when the sound card cannot record, 800x600.
constexpr const char* AVISO_SEM_MICROFONE = "graficos/menus/sem_microfone.bmp";

// First instructions page, 800x600: the game draws the live microphone
// check inside this rectangle, which the page leaves transparent (the
// library's mask colour) under a frame and a heading of its own.
constexpr int VERIFICACAO_X1 = 52;
constexpr int VERIFICACAO_Y1 = 298;
constexpr int VERIFICACAO_X2 = 747;
constexpr int VERIFICACAO_Y2 = 494;

// Menu buttons, inclusive screen rectangles: the menu logic clicks them and
// the page pictures paint them, so both must use these.
struct RetanguloBotao {
    int x1, y1, x2, y2;
};
constexpr RetanguloBotao BOTAO_JOGAR = {288, 336, 401, 413};
constexpr RetanguloBotao BOTAO_INSTRUCOES = {667, 181, 779, 264};
constexpr RetanguloBotao BOTAO_SAIR = {5, 180, 140, 240};
constexpr RetanguloBotao BOTAO_RECORDES = {539, 89, 672, 140};
constexpr RetanguloBotao BOTAO_VOLTAR_PAGINA_1 = {110, 550, 200, 585};
constexpr RetanguloBotao BOTAO_PROXIMA_PAGINA = {575, 550, 700, 585};
constexpr RetanguloBotao BOTAO_VOLTAR_PAGINA_2 = {350, 520, 445, 550};
constexpr RetanguloBotao BOTAO_VOLTAR_RECORDES = {350, 520, 445, 550};
constexpr RetanguloBotao BOTAO_CONTINUAR = {300, 265, 498, 295};
// The city line: on the main menu under Play, from the road to the right
// edge; on the records page over the list. The page pictures paint its
// dark panel with an arrow at each end (the city before, the city after),
// each arrow's part SETA_CIDADE_LARGURA wide; the game writes the city's
// name (and on the main menu its best time, on a second line) between them.
constexpr RetanguloBotao CIDADE_MENU = {300, 420, 784, 468};
constexpr RetanguloBotao CIDADE_RECORDES = {200, 82, 600, 120};
constexpr int SETA_CIDADE_LARGURA = 44;
constexpr RetanguloBotao BOTAO_DESISTIR = {315, 492, 483, 527};

// Sizes the generator gives the HUD pieces (useful to tests and layout).
constexpr int DIGITO_LARGURA = 20;  // graficos/numeros/%d.bmp
constexpr int DIGITO_ALTURA = 30;
constexpr int FRASE_LARGURA = 760;  // graficos/carregamento/%d.bmp
constexpr int FRASE_ALTURA = 40;

}  // namespace NomesAssets

#endif
