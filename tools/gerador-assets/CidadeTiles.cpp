#include "CidadeTiles.h"

#include <allegro.h>

#include <cmath>
#include <string>

#include "CidadeArvores.h"
#include "CidadeBase.h"
#include "Desenho.h"

using namespace desenho;

namespace cidade {

namespace {

int cor(const Cor& c) { return rgb(c.r, c.g, c.b); }

void ruido(BITMAP* t, int base, int amplitude, int densidade, Aleatorio& s) {
    clear_to_color(t, base);
    for (int i = 0; i < densidade; i++) {
        int x = s.entre(0, TILE - 1), y = s.entre(0, TILE - 1);
        int d = s.entre(-amplitude, amplitude);
        int c = _getpixel32(t, x, y);
        _putpixel32(t, x, y, rgb(getr32(c) + d, getg32(c) + d, getb32(c) + d));
    }
}

void asfalto(BITMAP* t, const Paleta& p, Aleatorio& s) { ruido(t, cor(p.asfalto), 12, 900, s); }

void seta(BITMAP* t, int direcao) {
    // Arrow pointing right, turned by `direcao` quarter turns clockwise.
    int pts[7][2] = {{14, 28}, {36, 28}, {36, 20}, {52, 32}, {36, 44}, {36, 36}, {14, 36}};
    int q[14];
    for (int i = 0; i < 7; i++) {
        int x = pts[i][0] - 32, y = pts[i][1] - 32;
        for (int k = 0; k < direcao; k++) {
            int nx = -y, ny = x;
            x = nx;
            y = ny;
        }
        q[2 * i] = x + 32;
        q[2 * i + 1] = y + 32;
    }
    polygon(t, 7, q, rgb(235, 235, 225));
}

void tracejadoBaixo(BITMAP* t) {
    for (int x = 4; x < TILE; x += 32) rectfill(t, x, 60, x + 19, 63, rgb(240, 240, 235));
}

void tracejadoDireita(BITMAP* t) {
    for (int y = 4; y < TILE; y += 32) rectfill(t, 60, y, 63, y + 19, rgb(240, 240, 235));
}

void zebraVertical(BITMAP* t) {
    for (int x = 4; x < TILE; x += 16) rectfill(t, x, 10, x + 8, 53, rgb(238, 238, 230));
}

void xadrez(BITMAP* t, bool deitado) {
    for (int a = 0; a < TILE; a += 8)
        for (int b = 16; b < 48; b += 8) {
            const int x = deitado ? a : b, y = deitado ? b : a;
            rectfill(t, x, y, x + 7, y + 7, ((x + y) / 8) % 2 ? rgb(20, 20, 20) : rgb(250, 250, 250));
        }
}

// A lane sinking towards an underpass that lies below the tile (flipped for
// one above): darker as it goes down, between two retaining walls whose
// shadow on the lane widens. `fundo` is how deep the lane is at the tile's
// top and bottom edges, 0 at street level and 1 in the tunnel.
void rampa(BITMAP* t, const Paleta& p, bool tunelAbaixo, float fundoInicio, float fundoFim, Aleatorio& s) {
    asfalto(t, p, s);
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
void bocaTunel(BITMAP* t, const Paleta& p, bool rampaAcima, Aleatorio& s) {
    BITMAP* deck = create_bitmap(TILE, TILE);
    asfalto(deck, p, s);
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

void calcada(BITMAP* t, const Paleta& p, int mascara, Aleatorio& s) {
    ruido(t, cor(p.calcada), 8, 500, s);
    int junta = cor(p.junta);
    for (int k = 0; k < TILE; k += 16) {
        hline(t, 0, k, TILE - 1, junta);
        vline(t, k, 0, TILE - 1, junta);
    }
    // A curb on each side the mask names (top, right, bottom, left): its
    // strip, then its dark edge.
    const int meioFio = cor(p.meioFio), borda = rgb(60, 60, 62);
    const int faixas[4][4] = {{0, 0, 63, 5}, {58, 0, 63, 63}, {0, 58, 63, 63}, {0, 0, 5, 63}};
    const int bordas[4][4] = {{0, 0, 63, 0}, {63, 0, 63, 63}, {0, 63, 63, 63}, {0, 0, 0, 63}};
    for (int lado = 0; lado < 4; lado++) {
        if (!(mascara & (1 << lado))) continue;
        rectfill(t, faixas[lado][0], faixas[lado][1], faixas[lado][2], faixas[lado][3], meioFio);
        rectfill(t, bordas[lado][0], bordas[lado][1], bordas[lado][2], bordas[lado][3], borda);
    }
}

void grama(BITMAP* t, const Paleta& p, Aleatorio& s, bool flores) {
    ruido(t, cor(p.grama), 18, 1400, s);
    for (int i = 0; i < 40; i++) {
        int x = s.entre(0, 63), y = s.entre(2, 63);
        vline(t, x, y - 2, y, cor(p.folhas));
    }
    if (flores) {
        int cores[4] = {rgb(250, 230, 80), rgb(255, 120, 160), rgb(255, 255, 255), rgb(190, 120, 255)};
        for (int i = 0; i < 26; i++) {
            int x = s.entre(3, 60), y = s.entre(3, 60);
            circlefill(t, x, y, 1, cores[s.entre(0, 3)]);
        }
    }
}

void areia(BITMAP* t, const Paleta& p, Aleatorio& s) {
    ruido(t, cor(p.areia), 14, 1200, s);
    for (int i = 0; i < 6; i++) {
        int x = s.entre(4, 56), y = s.entre(4, 60);
        hline(t, x, y, x + 5, escurecer(cor(p.areia), 0.12f));
    }
}

void praca(BITMAP* t, const Paleta& p, Aleatorio& s) {
    ruido(t, cor(p.praca), 8, 400, s);
    for (int y = 0; y < TILE; y += 8)
        for (int x = (y / 8) % 2 * 8; x < TILE; x += 16) rect(t, x, y, x + 7, y + 7, cor(p.pracaJunta));
}

// Water, with a shore of sand and foam on every side that meets land.
void agua(BITMAP* t, const Paleta& p, int mascara, Aleatorio& s) {
    const int base = cor(p.agua);
    ruido(t, base, 10, 800, s);
    for (int y = 6; y < TILE; y += 12) {
        const int x = s.entre(2, 40);
        hline(t, x, y, x + 14, clarear(base, 0.25f));
        hline(t, x + 3, y + 1, x + 11, clarear(base, 0.12f));
    }
    const int areia = cor(p.areia), espuma = rgb(236, 244, 250);
    const int lados[4][4] = {{0, 0, 63, 7}, {56, 0, 63, 63}, {0, 56, 63, 63}, {0, 0, 7, 63}};
    for (int k = 0; k < 4; k++) {
        if (mascara & (1 << k)) continue;
        const int* l = lados[k];
        rectfill(t, l[0], l[1], l[2], l[3], areia);
        // The foam lies on the water's side of the sand.
        const int fx1 = k == 1 ? 55 : k == 3 ? 8 : l[0], fx2 = k == 1 ? 55 : k == 3 ? 8 : l[2];
        const int fy1 = k == 0 ? 8 : k == 2 ? 55 : l[1], fy2 = k == 0 ? 8 : k == 2 ? 55 : l[3];
        rectfill(t, fx1, fy1, fx2, fy2, espuma);
    }
}

void predio(BITMAP* t, const Paleta& p, int estilo, int mascara, Aleatorio& s) {
    int cor = desenho::rgb(p.predios[estilo].r, p.predios[estilo].g, p.predios[estilo].b);
    ruido(t, cor, 10, 700, s);
    // Roof texture: tiled roofs get rows, metal roofs get ribs.
    if (p.telhados[estilo] == Paleta::FILEIRAS) {
        for (int y = 4; y < TILE; y += 8) hline(t, 0, y, 63, escurecer(cor, 0.18f));
    } else if (p.telhados[estilo] == Paleta::NERVURAS) {
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
        } else if (p.heliportos) {
            circlefill(t, 32, 32, 15, rgb(60, 64, 70));
            circle(t, 32, 32, 15, rgb(240, 200, 40));
            EstiloTexto e = estiloSimples(2, rgb(240, 240, 240));
            texto(t, "H", 32, 25, e);
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

// parte: 0 over a lane, 1 top post, 2 bottom post; `direcao` the sign's
// arrow in quarter turns (0 right, 1 down, 3 up).
void portico(BITMAP* t, int parte, int direcao = 0) {
    clear_to_color(t, magenta());
    int viga = rgb(150, 154, 160), vigaEscura = rgb(80, 84, 90);
    if (parte == 0) {
        rectfill(t, 28, 0, 35, 63, vigaEscura);
        rectfill(t, 28, 0, 33, 63, viga);
        rectfill(t, 14, 12, 50, 52, rgb(255, 255, 255));
        rectfill(t, 16, 14, 48, 50, rgb(30, 120, 70));
        if (direcao == 0) {
            int q[14] = {20, 29, 36, 29, 36, 21, 46, 32, 36, 43, 36, 35, 20, 35};
            polygon(t, 7, q, rgb(255, 255, 255));
        } else {
            // Up or down the map: a white arrow turned on the green board.
            BITMAP* s = create_bitmap(TILE, TILE);
            clear_to_color(s, magenta());
            int q[14] = {20, 29, 36, 29, 36, 21, 46, 32, 36, 43, 36, 35, 20, 35};
            polygon(s, 7, q, rgb(255, 255, 255));
            rotate_sprite(t, s, 0, 0, itofix(64 * direcao));
            destroy_bitmap(s);
        }
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

// A road's deck over water, lane `faixa` of three: a railing with the
// water beyond it along the top of the first and the bottom of the last.
void ponte(BITMAP* t, const Paleta& p, int faixa, Aleatorio& s) {
    asfalto(t, p, s);
    for (int x = 0; x < TILE; x += 32) vline(t, x, 0, 63, escurecer(cor(p.asfalto), 0.3f));  // the deck's joints
    if (faixa == 1) return;
    BITMAP* grade = create_bitmap(TILE, 12);
    clear_to_color(grade, cor(p.agua));
    rectfill(grade, 0, 4, 63, 7, rgb(214, 214, 208));
    hline(grade, 0, 8, 63, rgb(60, 60, 66));
    for (int x = 2; x < TILE; x += 8) rectfill(grade, x, 3, x + 2, 8, rgb(90, 90, 96));
    if (faixa == 0) {
        blit(grade, t, 0, 0, 0, 0, TILE, 12);
    } else {
        draw_sprite_v_flip(t, grade, 0, TILE - 12);
    }
    destroy_bitmap(grade);
}

// Asphalt with one thing painted on it.
void pintado(BITMAP* t, const Paleta& p, Aleatorio& s, void (*tinta)(BITMAP*)) {
    asfalto(t, p, s);
    tinta(t);
}

// The tiles the later cities brought; false for any other code.
bool desenharExtra(BITMAP* t, const Paleta& p, int codigo, Aleatorio& s) {
    switch (codigo) {
        case AREIA: areia(t, p, s); return true;
        case FAIXA_TRACEJADA_VERTICAL: pintado(t, p, s, tracejadoDireita); return true;
        case CHEGADA_VERTICAL:
            asfalto(t, p, s);
            xadrez(t, true);
            return true;
        case SETA_BAIXO_SIMPLES: asfalto(t, p, s), seta(t, 1); return true;
        case PONTE:
        case PONTE + 1:
        case PONTE + 2: ponte(t, p, codigo - PONTE, s); return true;
        case PORTICO_SETA_CIMA: portico(t, 0, 3); return true;
        case PORTICO_SETA_BAIXO: portico(t, 0, 1); return true;
        default: return false;
    }
}

void desenharTile(BITMAP* t, const Paleta& p, int codigo, Aleatorio& s) {
    if (codigo >= PREDIO && codigo <= PREDIO_ULTIMO) {
        const int estilo = (codigo - PREDIO) / 16, mascara = (codigo - PREDIO) % 16;
        if (estilo == p.estiloAgua) {
            agua(t, p, mascara, s);
        } else {
            predio(t, p, estilo, mascara, s);
        }
        return;
    }
    if (codigo >= CALCADA && codigo < CALCADA + 16) {
        calcada(t, p, codigo - CALCADA, s);
        return;
    }
    if (p.extras && desenharExtra(t, p, codigo, s)) return;
    const int amarelo = rgb(245, 200, 40);
    switch (codigo) {
        case ASFALTO: asfalto(t, p, s); break;
        case FAIXA_TRACEJADA: pintado(t, p, s, tracejadoBaixo); break;
        case VIA_CENTRO_DIR:
            asfalto(t, p, s);
            rectfill(t, 59, 0, 60, 63, amarelo);
            break;
        case VIA_CENTRO_ESQ:
            asfalto(t, p, s);
            rectfill(t, 3, 0, 4, 63, amarelo);
            break;
        case ZEBRA_VERTICAL: pintado(t, p, s, zebraVertical); break;
        case SETA_CIMA_CENTRO_ESQ:
            asfalto(t, p, s);
            rectfill(t, 3, 0, 4, 63, amarelo);
            seta(t, 3);
            break;
        case RAMPA_TUNEL_ABAIXO: rampa(t, p, true, 0.0f, 0.6f, s); break;
        case RAMPA_TUNEL_ACIMA: rampa(t, p, false, 0.0f, 0.6f, s); break;
        case TUNEL: rampa(t, p, true, 0.6f, 0.6f, s); break;
        case BOCA_TUNEL_RAMPA_ACIMA: bocaTunel(t, p, true, s); break;
        case BOCA_TUNEL_RAMPA_ABAIXO: bocaTunel(t, p, false, s); break;
        case ZEBRA_HORIZONTAL:
            asfalto(t, p, s);
            for (int y = 4; y < TILE; y += 16) rectfill(t, 10, y, 53, y + 8, rgb(238, 238, 230));
            break;
        case CHEGADA:
            asfalto(t, p, s);
            xadrez(t, false);
            break;
        case LARGADA:
            asfalto(t, p, s);
            rectfill(t, 30, 0, 35, 63, rgb(245, 245, 240));
            rect(t, 6, 10, 26, 53, rgb(245, 245, 240));
            break;
        case SETA_DIREITA: asfalto(t, p, s), seta(t, 0); break;
        case SETA_BAIXO:
            asfalto(t, p, s);
            rectfill(t, 59, 0, 60, 63, amarelo);
            seta(t, 1);
            break;
        case SETA_ESQUERDA: asfalto(t, p, s), seta(t, 2); break;
        case SETA_CIMA: asfalto(t, p, s), seta(t, 3); break;
        case SETA_DIREITA_TRACEJADA:
            asfalto(t, p, s);
            tracejadoBaixo(t);
            seta(t, 0);
            break;
        case FLORES: grama(t, p, s, true); break;
        case PRACA: praca(t, p, s); break;
        case ARVORE: arvore(t, p, false, s); break;
        case ARVORE_FLORIDA: arvore(t, p, true, s); break;
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
        default: grama(t, p, s, false); break;  // unused codes look like ground
    }
}

}  // namespace

void desenharFolha(const Paleta& paleta, const std::string& caminho) {
    // One row of tiles; code n sits at x = (n - 1) * 64.
    BITMAP* folha = criar(CODIGO_MAXIMO * TILE, TILE, rgb(0, 0, 0));
    Aleatorio sorte(4242);
    for (int codigo = 1; codigo <= CODIGO_MAXIMO; codigo++) {
        BITMAP* t = create_sub_bitmap(folha, (codigo - 1) * TILE, 0, TILE, TILE);
        desenharTile(t, paleta, codigo, sorte);
        destroy_bitmap(t);
    }
    salvar(folha, caminho);
    destroy_bitmap(folha);
}

}  // namespace cidade
