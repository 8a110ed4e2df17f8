// City 1, the avenue: one straight run along a one-way avenue, crossed by
// two-way streets whose lanes up the map dive under it.

#include <array>
#include <cstdlib>

#include "Cidade.h"

using namespace desenho;

namespace cidade {

namespace {

constexpr int LINHAS = 20;
constexpr int COLUNAS = 150;

// Streets. The player races rightwards along the one-way avenue (rows 7..9);
// two-way streets and a one-way street cross it from top to bottom, and two
// one-lane streets run beside it. The lanes that run up the map pass under
// the avenue through short underpasses: only the traffic coming down crosses
// the player's road.
constexpr int AVENIDA_PRIMEIRA = 7, AVENIDA_ULTIMA = 9;
constexpr int RUA_OESTE = 2;                                   // one lane, to the left
constexpr int RUA_LESTE = 16;                                  // one lane, to the right
constexpr std::array<int, 4> RUAS_DUPLAS = {18, 48, 78, 110};  // columns c and c + 1
constexpr int RUA_SUBIDA = 132;                                // one lane, upwards
constexpr int COLUNA_LARGADA = 1;
constexpr int COLUNA_CHEGADA = 142;  // its centre is the finish at x = 9120
constexpr int COLUNA_PASSARELA = 64;
constexpr std::array<int, 3> PORTICOS = {30, 95, 124};

bool ehAvenida(int r) { return r >= AVENIDA_PRIMEIRA && r <= AVENIDA_ULTIMA; }
// The lanes up the map: the right lane of each two-way street, and the
// one-way street.
bool ehFaixaSubida(int c) {
    for (int d : RUAS_DUPLAS)
        if (c == d + 1) return true;
    return c == RUA_SUBIDA;
}
bool ehRuaHorizontal(int r) { return ehAvenida(r) || r == RUA_OESTE || r == RUA_LESTE; }
bool ehRuaVertical(int c) {
    for (int d : RUAS_DUPLAS)
        if (c == d || c == d + 1) return true;
    return c == RUA_SUBIDA;
}
bool ehRua(int r, int c) { return ehRuaHorizontal(r) || ehRuaVertical(c); }

int codigoRua(int r, int c) {
    bool h = ehRuaHorizontal(r), v = ehRuaVertical(c);
    if (h && v) return ASFALTO;  // crossing
    if (ehAvenida(r)) {
        if (c == COLUNA_LARGADA) return LARGADA;
        if (c == COLUNA_CHEGADA) return CHEGADA;
        if (c + 1 < COLUNAS && ehRuaVertical(c + 1)) return ZEBRA_HORIZONTAL;
        bool tracejada = r < AVENIDA_ULTIMA;
        if (c % 14 == 7) return tracejada ? SETA_DIREITA_TRACEJADA : SETA_DIREITA;
        return tracejada ? FAIXA_TRACEJADA : ASFALTO;
    }
    if (h) {
        if (c % 16 == 9) return r == RUA_OESTE ? SETA_ESQUERDA : SETA_DIREITA;
        return ASFALTO;
    }
    // Vertical streets: zebra crossings where they meet the avenue's
    // sidewalks; under those of the lanes up the map, an underpass's mouth,
    // its ramp on the far side.
    const bool beiraAvenida = r == AVENIDA_PRIMEIRA - 1 || r == AVENIDA_ULTIMA + 1;
    if (ehFaixaSubida(c)) {
        if (beiraAvenida) return TUNEL;
        if (r == AVENIDA_PRIMEIRA - 2) return RAMPA_TUNEL_ABAIXO;
        if (r == AVENIDA_ULTIMA + 2) return RAMPA_TUNEL_ACIMA;
    }
    if (beiraAvenida) return ZEBRA_VERTICAL;
    if (c == RUA_SUBIDA) return r % 5 == 3 ? SETA_CIMA : ASFALTO;
    for (int d : RUAS_DUPLAS) {
        if (c == d) return (r % 6 == 4) ? SETA_BAIXO : VIA_CENTRO_DIR;
        if (c == d + 1) return (r % 6 == 4) ? SETA_CIMA_CENTRO_ESQ : VIA_CENTRO_ESQ;
    }
    return ASFALTO;
}

}  // namespace

Cidade cidade1() {
    Cidade cidade{1,    "THE AVENUE",       "tiles.bmp",          Paleta(), 50, 550, 9120, 50,
                  4999, {{8, 0}, {8, 146}}, Mapa(LINHAS, COLUNAS)};
    cidade.referencia = 11120;  // medir-corridas --medals 20
    Mapa& m = cidade.mapa;
    for (int r = 0; r < LINHAS; r++)
        for (int c = 0; c < COLUNAS; c++)
            if (ehRua(r, c)) m.inferior[r][c] = codigoRua(r, c);
    Aleatorio sorte(1977);
    construirQuadras(
        m, ehRua, [](int, int) { return false; }, Quadras(), sorte);

    // Upper layer along the avenue: trees, a footbridge, sign gantries and
    // the finish banner, all of which the cars drive under.
    auto perto = [](int c, int coluna) { return std::abs(c - coluna) <= 1; };
    for (int c = 0; c < COLUNAS; c++) {
        bool ocupada = c == COLUNA_PASSARELA || c == COLUNA_CHEGADA + 1 || ehRuaVertical(c) ||
                       (c > 0 && ehRuaVertical(c - 1)) || (c + 1 < COLUNAS && ehRuaVertical(c + 1));
        for (int p : PORTICOS) ocupada = ocupada || perto(c, p);
        if (!ocupada && c % 5 == 2) {
            m.superior[AVENIDA_PRIMEIRA - 1][c] = ARVORE;
            m.superior[AVENIDA_ULTIMA + 1][c] = (c % 10 == 2) ? ARVORE_FLORIDA : ARVORE;
        }
        for (int r : {RUA_OESTE - 1, RUA_OESTE + 1, RUA_LESTE - 1, RUA_LESTE + 1}) {
            if (!ehRuaVertical(c) && c % 7 == 3 && m.inferior[r][c] >= CALCADA && m.inferior[r][c] < CALCADA + 16)
                m.superior[r][c] = ARVORE;
        }
    }
    for (int c = 0; c < COLUNAS; c++) {
        if (!ehFaixaSubida(c)) continue;
        m.superior[AVENIDA_PRIMEIRA - 1][c] = BOCA_TUNEL_RAMPA_ACIMA;
        m.superior[AVENIDA_ULTIMA + 1][c] = BOCA_TUNEL_RAMPA_ABAIXO;
    }
    m.superior[AVENIDA_PRIMEIRA - 1][COLUNA_PASSARELA] = PASSARELA_CIMA;
    m.superior[AVENIDA_ULTIMA + 1][COLUNA_PASSARELA] = PASSARELA_BAIXO;
    for (int r = AVENIDA_PRIMEIRA; r <= AVENIDA_ULTIMA; r++) m.superior[r][COLUNA_PASSARELA] = PASSARELA;
    for (int p : PORTICOS) portico(m, p, AVENIDA_PRIMEIRA, AVENIDA_ULTIMA, PORTICO);
    faixaChegada(m, COLUNA_CHEGADA + 1, AVENIDA_PRIMEIRA);

    // Thirteen traffic entrances. Down the left lanes from the top edge and
    // across the avenue; up the map out of the underpasses, just above the
    // avenue and away from it; the rest from the map's edges, heading in.
    for (int c = 0; c < COLUNAS; c++) {
        if (ehFaixaSubida(c)) m.transito[AVENIDA_PRIMEIRA - 1][c] = ENTRA_CIMA;
    }
    for (int d : RUAS_DUPLAS) m.transito[0][d] = ENTRA_BAIXO;
    m.transito[AVENIDA_PRIMEIRA][0] = ENTRA_DIREITA;
    m.transito[AVENIDA_ULTIMA][0] = ENTRA_DIREITA;
    m.transito[RUA_OESTE][COLUNAS - 1] = ENTRA_ESQUERDA;
    m.transito[RUA_LESTE][0] = ENTRA_DIREITA;
    return cidade;
}

}  // namespace cidade
