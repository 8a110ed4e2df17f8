#include "Cidade.h"

#include <allegro.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Desenho.h"

using namespace desenho;

namespace cidade {

namespace {

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
    RAMPA_TUNEL_ABAIXO = 18,  // a lane sinking between walls into an underpass below the tile
    RAMPA_TUNEL_ACIMA = 19,   // the same, the underpass above the tile
    CALCADA = 20,             // + which sides face a road (1 up, 2 right, 4 down, 8 left)
    TUNEL = 36,               // an underpass's floor, under its mouth

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

    PREDIO = 664,  // + style * 16 + which sides continue the same building
};
constexpr int ESTILOS_PREDIO = 7;
constexpr int PREDIO_ULTIMO = PREDIO + ESTILOS_PREDIO * 16 - 1;  // 775, inside 664..781
constexpr int CODIGO_MAXIMO = PREDIO_ULTIMO;

// Traffic start codes and their headings: right, down, left, up.
constexpr int ENTRA_DIREITA = 868, ENTRA_BAIXO = 869, ENTRA_ESQUERDA = 870, ENTRA_CIMA = 871;

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
bool ehRua(int r, int c) {
    if (r < 0 || r >= LINHAS || c < 0 || c >= COLUNAS) return false;
    return ehRuaHorizontal(r) || ehRuaVertical(c);
}

using Grade = std::vector<std::vector<int>>;
Grade novaGrade() { return Grade(LINHAS, std::vector<int>(COLUNAS, 0)); }

struct Mapa {
    Grade inferior = novaGrade();
    Grade superior = novaGrade();
    Grade transito = novaGrade();
};

// ---------------------------------------------------------------- layout

bool ehCalcada(int r, int c) {
    if (ehRua(r, c)) return false;
    for (int dr = -1; dr <= 1; dr++)
        for (int dc = -1; dc <= 1; dc++)
            if (ehRua(r + dr, c + dc)) return true;
    return false;
}

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

int mascaraCalcada(int r, int c) {
    int m = 0;
    if (ehRua(r - 1, c)) m |= 1;
    if (ehRua(r, c + 1)) m |= 2;
    if (ehRua(r + 1, c)) m |= 4;
    if (ehRua(r, c - 1)) m |= 8;
    return m;
}

Mapa montarMapa() {
    Mapa m;
    Aleatorio sorte(1977);
    // Building plots: every cell that is neither street nor sidewalk.
    Grade lote = novaGrade();  // building id, 0 = none yet, -1 = street or sidewalk
    for (int r = 0; r < LINHAS; r++) {
        for (int c = 0; c < COLUNAS; c++) {
            if (ehRua(r, c)) {
                m.inferior[r][c] = codigoRua(r, c);
                lote[r][c] = -1;
            } else if (ehCalcada(r, c)) {
                m.inferior[r][c] = CALCADA + mascaraCalcada(r, c);
                lote[r][c] = -1;
            }
        }
    }
    auto livre = [&](int r, int c) { return r >= 0 && r < LINHAS && c >= 0 && c < COLUNAS && lote[r][c] == 0; };
    std::vector<int> estilo(1, 0);  // by building id
    for (int r = 0; r < LINHAS; r++) {
        for (int c = 0; c < COLUNAS; c++) {
            if (!livre(r, c)) continue;
            int profundidade = 0;
            while (livre(r + profundidade, c)) profundidade++;
            // Deep blocks are split into a front and a back row of buildings.
            if (profundidade >= 4) profundidade = sorte.entre(0, 2) == 0 ? profundidade : 2;
            int largura = sorte.entre(2, 5);
            int w = 0;
            while (w < largura) {
                bool cabe = true;
                for (int k = 0; k < profundidade; k++) cabe = cabe && livre(r + k, c + w);
                if (!cabe) break;
                w++;
            }
            int id = static_cast<int>(estilo.size());
            // Some plots are parks; the others get a roof style.
            estilo.push_back(sorte.entre(0, 99) < 14 ? -1 : sorte.entre(0, ESTILOS_PREDIO - 1));
            for (int k = 0; k < profundidade; k++)
                for (int j = 0; j < w; j++) lote[r + k][c + j] = id;
        }
    }
    for (int r = 0; r < LINHAS; r++) {
        for (int c = 0; c < COLUNAS; c++) {
            int id = lote[r][c];
            if (id <= 0) continue;
            if (estilo[id] < 0) {
                m.inferior[r][c] = sorte.entre(0, 3) == 0 ? FLORES : GRAMA;
                if (sorte.entre(0, 2) != 0) m.superior[r][c] = sorte.entre(0, 3) ? ARVORE : ARVORE_FLORIDA;
                continue;
            }
            auto mesmo = [&](int rr, int cc) {
                return rr >= 0 && rr < LINHAS && cc >= 0 && cc < COLUNAS && lote[rr][cc] == id;
            };
            int mascara = (mesmo(r - 1, c) ? 1 : 0) | (mesmo(r, c + 1) ? 2 : 0) | (mesmo(r + 1, c) ? 4 : 0) |
                          (mesmo(r, c - 1) ? 8 : 0);
            m.inferior[r][c] = PREDIO + estilo[id] * 16 + mascara;
        }
    }

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
    for (int p : PORTICOS) {
        m.superior[AVENIDA_PRIMEIRA - 1][p] = PORTICO_POSTE_CIMA;
        m.superior[AVENIDA_ULTIMA + 1][p] = PORTICO_POSTE_BAIXO;
        for (int r = AVENIDA_PRIMEIRA; r <= AVENIDA_ULTIMA; r++) m.superior[r][p] = PORTICO;
    }
    int faixa = COLUNA_CHEGADA + 1;
    m.superior[AVENIDA_PRIMEIRA - 1][faixa] = FAIXA_CHEGADA_CIMA;
    m.superior[AVENIDA_ULTIMA + 1][faixa] = FAIXA_CHEGADA_BAIXO;
    for (int r = AVENIDA_PRIMEIRA; r <= AVENIDA_ULTIMA; r++)
        m.superior[r][faixa] = FAIXA_CHEGADA_LETRAS + (r - AVENIDA_PRIMEIRA);

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
    return m;
}

// ---------------------------------------------------------------- tiles

void ruido(BITMAP* t, int base, int amplitude, int densidade, Aleatorio& s) {
    clear_to_color(t, base);
    for (int i = 0; i < densidade; i++) {
        int x = s.entre(0, TILE - 1), y = s.entre(0, TILE - 1);
        int d = s.entre(-amplitude, amplitude);
        int c = _getpixel32(t, x, y);
        _putpixel32(t, x, y, rgb(getr32(c) + d, getg32(c) + d, getb32(c) + d));
    }
}

void asfalto(BITMAP* t, Aleatorio& s) { ruido(t, rgb(78, 80, 86), 12, 900, s); }

void seta(BITMAP* t, int direcao) {
    // Arrow pointing right, turned by `direcao` quarter turns clockwise.
    int pts[7][2] = {{14, 28}, {36, 28}, {36, 20}, {52, 32}, {36, 44}, {36, 36}, {14, 36}};
    int p[14];
    for (int i = 0; i < 7; i++) {
        int x = pts[i][0] - 32, y = pts[i][1] - 32;
        for (int k = 0; k < direcao; k++) {
            int nx = -y, ny = x;
            x = nx;
            y = ny;
        }
        p[2 * i] = x + 32;
        p[2 * i + 1] = y + 32;
    }
    polygon(t, 7, p, rgb(235, 235, 225));
}

void tracejadoBaixo(BITMAP* t) {
    for (int x = 4; x < TILE; x += 32) rectfill(t, x, 60, x + 19, 63, rgb(240, 240, 235));
}

void zebraVertical(BITMAP* t) {
    for (int x = 4; x < TILE; x += 16) rectfill(t, x, 10, x + 8, 53, rgb(238, 238, 230));
}

// A lane sinking towards an underpass that lies below the tile (flipped for
// one above): darker as it goes down, between two retaining walls whose
// shadow on the lane widens. `fundo` is how deep the lane is at the tile's
// top and bottom edges, 0 at street level and 1 in the tunnel.
void rampa(BITMAP* t, bool tunelAbaixo, float fundoInicio, float fundoFim, Aleatorio& s) {
    asfalto(t, s);
    const int muro = rgb(186, 182, 172), muroBorda = rgb(120, 118, 112), sombra = rgb(30, 31, 36);
    for (int k = 0; k < TILE; k++) {
        const int y = tunelAbaixo ? k : TILE - 1 - k;
        const float fundo = fundoInicio + (fundoFim - fundoInicio) * k / (TILE - 1);
        for (int x = 6; x < 58; x++) _putpixel32(t, x, y, escurecer(_getpixel32(t, x, y), 0.55f * fundo));
        const int largura = static_cast<int>(7 * fundo);
        if (largura > 0) hline(t, 6, y, 5 + largura, sombra);
        hline(t, 0, y, 5, muro);
        hline(t, 58, y, 63, muro);
    }
    vline(t, 5, 0, 63, muroBorda);
    vline(t, 58, 0, 63, muroBorda);
}

// The zebra crossing over an underpass's mouth, for the upper layer: the
// street's deck with a parapet on the ramp's side; the ramp shows beyond it.
void bocaTunel(BITMAP* t, bool rampaAcima, Aleatorio& s) {
    BITMAP* deck = create_bitmap(TILE, TILE);
    asfalto(deck, s);
    zebraVertical(deck);
    rectfill(deck, 0, 0, 63, 5, magenta());
    rectfill(deck, 0, 6, 63, 9, rgb(196, 192, 182));
    hline(deck, 0, 6, 63, rgb(90, 88, 84));
    if (rampaAcima) {
        blit(deck, t, 0, 0, 0, 0, TILE, TILE);
    } else {
        clear_to_color(t, magenta());
        draw_sprite_v_flip(t, deck, 0, 0);
    }
    destroy_bitmap(deck);
}

void calcada(BITMAP* t, int mascara, Aleatorio& s) {
    ruido(t, rgb(196, 190, 178), 8, 500, s);
    int junta = rgb(168, 162, 150);
    for (int k = 0; k < TILE; k += 16) {
        hline(t, 0, k, TILE - 1, junta);
        vline(t, k, 0, TILE - 1, junta);
    }
    int meioFio = rgb(150, 148, 144), borda = rgb(60, 60, 62);
    if (mascara & 1) {
        rectfill(t, 0, 0, 63, 5, meioFio);
        hline(t, 0, 0, 63, borda);
    }
    if (mascara & 2) {
        rectfill(t, 58, 0, 63, 63, meioFio);
        vline(t, 63, 0, 63, borda);
    }
    if (mascara & 4) {
        rectfill(t, 0, 58, 63, 63, meioFio);
        hline(t, 0, 63, 63, borda);
    }
    if (mascara & 8) {
        rectfill(t, 0, 0, 5, 63, meioFio);
        vline(t, 0, 0, 63, borda);
    }
}

void grama(BITMAP* t, Aleatorio& s, bool flores) {
    ruido(t, rgb(88, 160, 70), 18, 1400, s);
    for (int i = 0; i < 40; i++) {
        int x = s.entre(0, 63), y = s.entre(2, 63);
        vline(t, x, y - 2, y, rgb(60, 128, 50));
    }
    if (flores) {
        int cores[4] = {rgb(250, 230, 80), rgb(255, 120, 160), rgb(255, 255, 255), rgb(190, 120, 255)};
        for (int i = 0; i < 26; i++) {
            int x = s.entre(3, 60), y = s.entre(3, 60);
            circlefill(t, x, y, 1, cores[s.entre(0, 3)]);
        }
    }
}

void praca(BITMAP* t, Aleatorio& s) {
    ruido(t, rgb(214, 200, 170), 8, 400, s);
    for (int y = 0; y < TILE; y += 8)
        for (int x = (y / 8) % 2 * 8; x < TILE; x += 16) rect(t, x, y, x + 7, y + 7, rgb(190, 175, 145));
}

void predio(BITMAP* t, int estilo, int mascara, Aleatorio& s) {
    static const int base[ESTILOS_PREDIO][3] = {{186, 84, 62},  {92, 104, 126},  {206, 190, 152}, {128, 126, 120},
                                                {92, 156, 134}, {226, 226, 218}, {150, 106, 74}};
    int cor = rgb(base[estilo][0], base[estilo][1], base[estilo][2]);
    ruido(t, cor, 10, 700, s);
    // Roof texture: tiled roofs get rows, metal roofs get ribs.
    if (estilo == 0 || estilo == 6) {
        for (int y = 4; y < TILE; y += 8) hline(t, 0, y, 63, escurecer(cor, 0.18f));
    } else if (estilo == 1 || estilo == 4) {
        for (int x = 4; x < TILE; x += 8) vline(t, x, 0, 63, clarear(cor, 0.12f));
    }
    int claro = clarear(cor, 0.35f), escuro = escurecer(cor, 0.35f), contorno = escurecer(cor, 0.75f);
    const int P = 7;
    if (!(mascara & 1)) {
        rectfill(t, 0, 0, 63, P, claro);
        hline(t, 0, 0, 63, contorno);
        hline(t, 0, 1, 63, contorno);
    }
    if (!(mascara & 8)) {
        rectfill(t, 0, 0, P, 63, claro);
        vline(t, 0, 0, 63, contorno);
        vline(t, 1, 0, 63, contorno);
    }
    if (!(mascara & 4)) {
        rectfill(t, 0, 63 - P, 63, 63, escuro);
        hline(t, 0, 63, 63, contorno);
        hline(t, 0, 62, 63, contorno);
    }
    if (!(mascara & 2)) {
        rectfill(t, 63 - P, 0, 63, 63, escuro);
        vline(t, 63, 0, 63, contorno);
        vline(t, 62, 0, 63, contorno);
    }
    // Roof furniture so blocks do not look like wallpaper.
    int enfeite = (estilo * 7 + mascara * 3) % 5;
    if (mascara != 0 && enfeite < 3) {
        if (enfeite == 0) {
            rectfill(t, 20, 20, 43, 43, rgb(170, 174, 180));
            rect(t, 20, 20, 43, 43, rgb(70, 72, 78));
            circlefill(t, 32, 32, 8, rgb(90, 94, 100));
            line(t, 25, 32, 39, 32, rgb(200, 200, 205));
            line(t, 32, 25, 32, 39, rgb(200, 200, 205));
        } else if (enfeite == 1) {
            rectfill(t, 18, 24, 45, 39, rgb(120, 170, 210));
            rect(t, 18, 24, 45, 39, contorno);
            line(t, 20, 37, 30, 26, rgb(220, 240, 255));
        } else {
            circlefill(t, 32, 32, 10, escurecer(cor, 0.2f));
            circle(t, 32, 32, 10, contorno);
            circlefill(t, 30, 30, 4, clarear(cor, 0.3f));
        }
    } else if (mascara == 0) {
        rectfill(t, 24, 24, 39, 39, escurecer(cor, 0.25f));
        rect(t, 24, 24, 39, 39, contorno);
    }
}

void arvore(BITMAP* t, bool florida, Aleatorio& s) {
    clear_to_color(t, magenta());
    int escuro = florida ? rgb(40, 110, 60) : rgb(30, 100, 40);
    int medio = florida ? rgb(60, 150, 80) : rgb(50, 140, 50);
    int claro = florida ? rgb(110, 190, 110) : rgb(100, 185, 80);
    circlefill(t, 34, 35, 27, rgb(20, 60, 25));
    circlefill(t, 32, 32, 26, escuro);
    for (int i = 0; i < 7; i++) {
        double a = i * 2 * M_PI / 7;
        circlefill(t, 32 + int(14 * std::cos(a)), 32 + int(14 * std::sin(a)), 11, medio);
    }
    circlefill(t, 26, 25, 10, claro);
    circlefill(t, 23, 22, 4, clarear(claro, 0.3f));
    if (florida) {
        for (int i = 0; i < 18; i++) {
            int x = s.entre(12, 52), y = s.entre(12, 52);
            if ((x - 32) * (x - 32) + (y - 32) * (y - 32) < 22 * 22) circlefill(t, x, y, 2, rgb(255, 150, 190));
        }
    }
}

void passarela(BITMAP* t, int ponta) {  // ponta: 0 middle, 1 top end, 2 bottom end
    clear_to_color(t, magenta());
    int y1 = ponta == 1 ? 14 : 0, y2 = ponta == 2 ? 49 : 63;
    rectfill(t, 22, y1 + 4, 51, y2, rgb(44, 46, 52));  // its shadow on the road
    rectfill(t, 16, y1, 45, y2, rgb(200, 196, 186));
    for (int y = y1 + 3; y < y2; y += 6) hline(t, 19, y, 42, rgb(170, 166, 156));
    rectfill(t, 16, y1, 18, y2, rgb(60, 90, 150));
    rectfill(t, 43, y1, 45, y2, rgb(60, 90, 150));
    if (ponta == 1) {
        rectfill(t, 16, y1, 45, y1 + 2, rgb(60, 90, 150));
        for (int y = y1 + 4; y < 40; y += 4) hline(t, 19, y, 42, rgb(120, 116, 110));
    }
    if (ponta == 2) {
        rectfill(t, 16, y2 - 2, 45, y2, rgb(60, 90, 150));
        for (int y = 26; y < y2 - 3; y += 4) hline(t, 19, y, 42, rgb(120, 116, 110));
    }
}

void portico(BITMAP* t, int parte) {  // 0 over a lane, 1 top post, 2 bottom post
    clear_to_color(t, magenta());
    int viga = rgb(150, 154, 160), vigaEscura = rgb(80, 84, 90);
    if (parte == 0) {
        rectfill(t, 28, 0, 35, 63, vigaEscura);
        rectfill(t, 28, 0, 33, 63, viga);
        rectfill(t, 14, 12, 50, 52, rgb(255, 255, 255));
        rectfill(t, 16, 14, 48, 50, rgb(30, 120, 70));
        int p[14] = {20, 29, 36, 29, 36, 21, 46, 32, 36, 43, 36, 35, 20, 35};
        polygon(t, 7, p, rgb(255, 255, 255));
    } else {
        int y1 = parte == 1 ? 32 : 0, y2 = parte == 1 ? 63 : 32;
        rectfill(t, 28, y1, 35, y2, vigaEscura);
        rectfill(t, 28, y1, 33, y2, viga);
        circlefill(t, 32, 32, 7, vigaEscura);
        circlefill(t, 31, 31, 5, viga);
    }
}

void faixaChegada(BITMAP* t, int parte) {  // 0 top post, 1 bottom post, 2.. letters
    clear_to_color(t, magenta());
    int vermelho = rgb(210, 30, 40), escuro = rgb(110, 10, 20);
    if (parte <= 1) {
        int y1 = parte == 0 ? 30 : 0, y2 = parte == 0 ? 63 : 34;
        rectfill(t, 8, y1, 43, y2, escuro);
        rectfill(t, 8, y1, 40, y2, vermelho);
        circlefill(t, 24, 32, 9, rgb(60, 60, 66));
        circlefill(t, 23, 31, 6, rgb(180, 180, 190));
        return;
    }
    static const char* letras[3] = {"FI", "NI", "SH"};
    rectfill(t, 8, 0, 43, 63, escuro);
    rectfill(t, 8, 0, 40, 63, vermelho);
    for (int y = 0; y < TILE; y += 8) {
        rectfill(t, 8, y, 11, y + 3, rgb(255, 255, 255));
        rectfill(t, 37, y + 4, 40, y + 7, rgb(255, 255, 255));
    }
    EstiloTexto e;
    e.escalaX = e.escalaY = 2;
    e.cor = rgb(255, 255, 255);
    e.corBaixo = rgb(255, 230, 120);
    e.alinhamento = CENTRO;
    std::string l = letras[parte - 2];
    texto(t, l.substr(0, 1), 25, 10, e);
    texto(t, l.substr(1, 1), 25, 38, e);
}

void desenharTile(BITMAP* t, int codigo, Aleatorio& s) {
    if (codigo >= PREDIO && codigo <= PREDIO_ULTIMO) {
        predio(t, (codigo - PREDIO) / 16, (codigo - PREDIO) % 16, s);
        return;
    }
    if (codigo >= CALCADA && codigo < CALCADA + 16) {
        calcada(t, codigo - CALCADA, s);
        return;
    }
    switch (codigo) {
        case ASFALTO: asfalto(t, s); break;
        case FAIXA_TRACEJADA:
            asfalto(t, s);
            tracejadoBaixo(t);
            break;
        case VIA_CENTRO_DIR:
            asfalto(t, s);
            rectfill(t, 59, 0, 60, 63, rgb(245, 200, 40));
            break;
        case VIA_CENTRO_ESQ:
            asfalto(t, s);
            rectfill(t, 3, 0, 4, 63, rgb(245, 200, 40));
            break;
        case ZEBRA_VERTICAL:
            asfalto(t, s);
            zebraVertical(t);
            break;
        case SETA_CIMA_CENTRO_ESQ:
            asfalto(t, s);
            rectfill(t, 3, 0, 4, 63, rgb(245, 200, 40));
            seta(t, 3);
            break;
        case RAMPA_TUNEL_ABAIXO: rampa(t, true, 0.0f, 0.6f, s); break;
        case RAMPA_TUNEL_ACIMA: rampa(t, false, 0.0f, 0.6f, s); break;
        case TUNEL: rampa(t, true, 0.6f, 0.6f, s); break;
        case BOCA_TUNEL_RAMPA_ACIMA: bocaTunel(t, true, s); break;
        case BOCA_TUNEL_RAMPA_ABAIXO: bocaTunel(t, false, s); break;
        case ZEBRA_HORIZONTAL:
            asfalto(t, s);
            for (int y = 4; y < TILE; y += 16) rectfill(t, 10, y, 53, y + 8, rgb(238, 238, 230));
            break;
        case CHEGADA:
            asfalto(t, s);
            for (int y = 0; y < TILE; y += 8)
                for (int x = 16; x < 48; x += 8)
                    rectfill(t, x, y, x + 7, y + 7, ((x + y) / 8) % 2 ? rgb(20, 20, 20) : rgb(250, 250, 250));
            break;
        case LARGADA:
            asfalto(t, s);
            rectfill(t, 30, 0, 35, 63, rgb(245, 245, 240));
            rect(t, 6, 10, 26, 53, rgb(245, 245, 240));
            break;
        case SETA_DIREITA:
            asfalto(t, s);
            seta(t, 0);
            break;
        case SETA_BAIXO:
            asfalto(t, s);
            rectfill(t, 59, 0, 60, 63, rgb(245, 200, 40));
            seta(t, 1);
            break;
        case SETA_ESQUERDA:
            asfalto(t, s);
            seta(t, 2);
            break;
        case SETA_CIMA:
            asfalto(t, s);
            seta(t, 3);
            break;
        case SETA_DIREITA_TRACEJADA:
            asfalto(t, s);
            tracejadoBaixo(t);
            seta(t, 0);
            break;
        case FLORES: grama(t, s, true); break;
        case PRACA: praca(t, s); break;
        case ARVORE: arvore(t, false, s); break;
        case ARVORE_FLORIDA: arvore(t, true, s); break;
        case PASSARELA: passarela(t, 0); break;
        case PASSARELA_CIMA: passarela(t, 1); break;
        case PASSARELA_BAIXO: passarela(t, 2); break;
        case PORTICO: portico(t, 0); break;
        case PORTICO_POSTE_CIMA: portico(t, 1); break;
        case PORTICO_POSTE_BAIXO: portico(t, 2); break;
        case FAIXA_CHEGADA_CIMA: faixaChegada(t, 0); break;
        case FAIXA_CHEGADA_BAIXO: faixaChegada(t, 1); break;
        case FAIXA_CHEGADA_LETRAS:
        case FAIXA_CHEGADA_LETRAS + 1:
        case FAIXA_CHEGADA_LETRAS + 2: faixaChegada(t, 2 + codigo - FAIXA_CHEGADA_LETRAS); break;
        default: grama(t, s, false); break;  // unused codes look like ground
    }
}

// ---------------------------------------------------------------- files

void escreverGrade(std::ofstream& f, const Grade& g) {
    f << LINHAS << ' ' << COLUNAS << '\n';
    for (const auto& linha : g) {
        for (int c = 0; c < COLUNAS; c++) f << (c ? " " : "") << linha[c];
        f << '\n';
    }
}

void escreverTexto(const std::string& caminho, const std::vector<const Grade*>& camadas) {
    criarPastas(caminho);
    std::ofstream f(caminho);
    for (size_t i = 0; i < camadas.size(); i++) {
        if (i) f << '\n';
        escreverGrade(f, *camadas[i]);
    }
    if (!f) {
        std::fprintf(stderr, "gerador-assets: cannot write %s\n", caminho.c_str());
        std::exit(1);
    }
}

}  // namespace

void gerar(const std::string& raiz) {
    Mapa m = montarMapa();
    escreverTexto(raiz + "/mapas/1.txt", {&m.inferior, &m.superior});
    escreverTexto(raiz + "/mapas/1trans.txt", {&m.transito});

    // One row of tiles; code n sits at x = (n - 1) * 64.
    BITMAP* folha = criar(CODIGO_MAXIMO * TILE, TILE, rgb(0, 0, 0));
    Aleatorio sorte(4242);
    for (int codigo = 1; codigo <= CODIGO_MAXIMO; codigo++) {
        BITMAP* t = create_sub_bitmap(folha, (codigo - 1) * TILE, 0, TILE, TILE);
        desenharTile(t, codigo, sorte);
        destroy_bitmap(t);
    }
    salvar(folha, raiz + "/mapas/tiles.bmp");
    destroy_bitmap(folha);
}

}  // namespace cidade
