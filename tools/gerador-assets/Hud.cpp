#include <allegro.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Desenho.h"
#include "NomesAssets.h"
#include "Partes.h"

using namespace desenho;

namespace hud {

namespace {

std::string nome(const std::string& raiz, const char* padrao, int n) {
    char buf[160];
    std::snprintf(buf, sizeof buf, padrao, n);
    return raiz + "/" + buf;
}

// Seven-segment digits, amber on the mask colour, for the clock and the gear.
// Drawn `F` times bigger and shrunk, so the slanted segment ends stay smooth.
constexpr int F = 4;
void digito(BITMAP* b, int d, int aceso, int apagado) {
    //  segments: a top, b top right, c bottom right, d bottom, e bottom left,
    //  f top left, g middle
    static const unsigned char mapa[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};
    const int W = b->w, H = b->h;
    const int e = 4 * F;  // segment thickness
    const int folga = F;  // gap between segments
    int x1 = 2 * F + e / 2, x2 = W - 2 * F - e / 2, y1 = F + e / 2, ym = H / 2, y2 = H - F - e / 2;
    auto horizontal = [&](int y, int cor) {
        int a = x1 + folga, z = x2 - folga;
        int p[12] = {a, y, a + e / 2, y - e / 2, z - e / 2, y - e / 2,
                     z, y, z - e / 2, y + e / 2, a + e / 2, y + e / 2};
        polygon(b, 6, p, cor);
    };
    auto vertical = [&](int x, int ya, int yb, int cor) {
        int a = ya + folga, z = yb - folga;
        int p[12] = {x, a, x + e / 2, a + e / 2, x + e / 2, z - e / 2,
                     x, z, x - e / 2, z - e / 2, x - e / 2, a + e / 2};
        polygon(b, 6, p, cor);
    };
    unsigned m = mapa[d];
    horizontal(y1, (m & 0x01) ? aceso : apagado);
    vertical(x2, y1, ym, (m & 0x02) ? aceso : apagado);
    vertical(x2, ym, y2, (m & 0x04) ? aceso : apagado);
    horizontal(y2, (m & 0x08) ? aceso : apagado);
    vertical(x1, ym, y2, (m & 0x10) ? aceso : apagado);
    vertical(x1, y1, ym, (m & 0x20) ? aceso : apagado);
    horizontal(ym, (m & 0x40) ? aceso : apagado);
}

void gerarDigitos(const std::string& raiz) {
    for (int d = 0; d <= 9; d++) {
        BITMAP* b = criar(NomesAssets::DIGITO_LARGURA * F, NomesAssets::DIGITO_ALTURA * F, magenta());
        digito(b, d, rgb(255, 196, 40), rgb(52, 36, 22));
        b = reduzir(b, F);
        salvar(b, nome(raiz, "graficos/numeros/%d.bmp", d));
        destroy_bitmap(b);
    }
}

// Where the dashboard sits: its bottom-right corner is the screen's, the
// needle turns about (800, 596), and the throttle bar (690..709, 520..599)
// and the gear digit (690..709, 485..514) are drawn over its left part.
constexpr int PAINEL_W = 176, PAINEL_H = 128;
constexpr int AGULHA_COMPRIMENTO = 72, AGULHA_ALTURA = 8;

// A plate framed on all four sides, its top-left corner rounded, in a
// picture drawn `F` times bigger.
void placa(BITMAP* g, int x1, int y1, int x2, int y2, int raio, int cor) {
    rectfill(g, x1 + raio, y1, x2, y2, cor);
    rectfill(g, x1, y1 + raio, x2, y2, cor);
    circlefill(g, x1 + raio, y1 + raio, raio, cor);
}

// The speed dial is a quarter gauge made for the corner: its face is the
// quarter disc about the needle's pivot, closed by a bezel along the arc
// and by the plate's frame along the screen's right and bottom edges,
// with a quarter hub in the corner, the scale running the whole quarter
// from 0 (left) to 60 (up). Shapes are drawn at F times the size and
// shrunk; the lettering is drawn on the result.
void gerarPainel(const std::string& raiz) {
    const int ox = 800 - PAINEL_W, oy = 600 - PAINEL_H;  // screen position of the picture
    auto X = [&](int sx) { return sx - ox; };
    auto Y = [&](int sy) { return sy - oy; };
    const int borda = rgb(20, 22, 28), corpo = rgb(38, 42, 54), aro = rgb(150, 156, 176);
    const int cx = X(800), cy = Y(596), R = 84, MOLDURA = 3;
    BITMAP* grande = criar(PAINEL_W * F, PAINEL_H * F, magenta());
    placa(grande, 0, 0, PAINEL_W * F - 1, PAINEL_H * F - 1, 18 * F, borda);
    placa(grande, MOLDURA * F, MOLDURA * F, (PAINEL_W - MOLDURA) * F - 1, (PAINEL_H - MOLDURA) * F - 1, 15 * F, corpo);
    gradienteVertical(grande, 14 * F, 4 * F, (PAINEL_W - MOLDURA) * F - 1, 10 * F, rgb(70, 76, 96), corpo);
    // The face: bezel, chrome ring, dial.
    circlefill(grande, cx * F, cy * F, R * F, borda);
    circlefill(grande, cx * F, cy * F, (R - 2) * F, aro);
    circlefill(grande, cx * F, cy * F, (R - 4) * F, rgb(20, 22, 30));
    circlefill(grande, cx * F, cy * F, (R - 6) * F, rgb(250, 250, 244));
    auto ponto = [&](double raio, double a, int* px, int* py) {
        *px = static_cast<int>(std::lround(cx * F + raio * F * std::cos(a)));
        *py = static_cast<int>(std::lround(cy * F + raio * F * std::sin(a)));
    };
    // Red zone above the third gear's band (50..60).
    for (int v = 500; v <= 600; v++) {
        int px, py;
        ponto(R - 11.5, M_PI + (v / 10.0) / 60.0 * (M_PI / 2), &px, &py);
        circlefill(grande, px, py, 3 * F, rgb(220, 40, 40));
    }
    for (int v = 0; v <= 60; v += 5) {
        // The end marks lie on the quarter's edges, under the frame: drawn
        // a hair inside, where they show.
        const double fora = v == 0 ? 0.035 : v == 60 ? -0.07 : 0.0;
        const double a = M_PI + v / 60.0 * (M_PI / 2) + fora, d = (v % 10 == 0 ? 1.2 : 0.6) / R;
        const int dentro = v % 10 == 0 ? R - 22 : R - 16;
        int p[8];
        ponto(dentro, a - d, &p[0], &p[1]);
        ponto(R - 8, a - d, &p[2], &p[3]);
        ponto(R - 8, a + d, &p[4], &p[5]);
        ponto(dentro, a + d, &p[6], &p[7]);
        polygon(grande, 4, p, rgb(20, 20, 30));
    }
    // The hub the needle turns on, a quarter of it in the corner.
    circlefill(grande, cx * F, cy * F, 13 * F, borda);
    circlefill(grande, cx * F, cy * F, 10 * F, rgb(70, 74, 88));
    // The plate's frame along the screen's edges closes the quarter.
    rectfill(grande, (PAINEL_W - MOLDURA) * F, 0, PAINEL_W * F - 1, PAINEL_H * F - 1, borda);
    rectfill(grande, 0, (PAINEL_H - MOLDURA) * F, PAINEL_W * F - 1, PAINEL_H * F - 1, borda);
    BITMAP* b = reduzir(grande, F);
    EstiloTexto e;
    e.escalaX = e.escalaY = 1;
    e.cor = rgb(20, 20, 30);
    e.alinhamento = CENTRO;
    // The labels inside the marks, clear of one another and of the frame.
    const int rotulos[4][3] = {{0, 126, 110}, {20, 133, 95}, {40, 150, 78}, {60, 164, 62}};
    for (const auto& r : rotulos) texto(b, std::to_string(r[0]), r[1], r[2], e);
    e.cor = rgb(150, 156, 180);
    texto(b, "SPEED", X(770), Y(480), e);
    // Gear window and throttle slot.
    rectfill(b, X(686), Y(481), X(713), Y(599), rgb(10, 10, 14));
    rect(b, X(686), Y(481), X(713), Y(599), rgb(120, 126, 150));
    rectfill(b, X(690), Y(485), X(709), Y(514), rgb(24, 18, 12));
    hline(b, X(686), Y(517), X(713), rgb(120, 126, 150));
    EstiloTexto l;
    l.escalaX = l.escalaY = 1;
    l.cor = rgb(255, 210, 90);
    l.alinhamento = DIREITA;
    texto(b, "GEAR", X(682), Y(496), l);
    // The throttle's label ("VOICE GAS", "W GAS") is the game's to draw.
    salvar(b, nome(raiz, "graficos/imagens/%d.bmp", 1));
    destroy_bitmap(b);

    // The needle points left at speed 0; the game turns it about its centre.
    BITMAP* g = criar(4 * 2 * AGULHA_COMPRIMENTO, 4 * AGULHA_ALTURA, magenta());
    int meio = 4 * AGULHA_ALTURA / 2;
    int p[8] = {
        4 * 6,    meio, 4 * AGULHA_COMPRIMENTO, meio - 12, 4 * AGULHA_COMPRIMENTO + 20, meio, 4 * AGULHA_COMPRIMENTO,
        meio + 12};
    polygon(g, 4, p, rgb(120, 0, 0));
    int q[8] = {
        4 * 8,   meio, 4 * AGULHA_COMPRIMENTO, meio - 7, 4 * AGULHA_COMPRIMENTO + 12, meio, 4 * AGULHA_COMPRIMENTO,
        meio + 7};
    polygon(g, 4, q, rgb(240, 40, 30));
    circlefill(g, 4 * AGULHA_COMPRIMENTO, meio, 15, rgb(40, 40, 46));
    circlefill(g, 4 * AGULHA_COMPRIMENTO, meio, 9, rgb(160, 160, 170));
    g = reduzir(g, 4);
    salvar(g, nome(raiz, "graficos/imagens/%d.bmp", 2));
    destroy_bitmap(g);
}

void gerarRelogio(const std::string& raiz) {
    const int W = NomesAssets::DIGITO_LARGURA, H = NomesAssets::DIGITO_ALTURA;
    // Separator between the digit pairs: two dots.
    BITMAP* s = criar(8, H, magenta());
    circlefill(s, 3, 9, 2, rgb(255, 196, 40));
    circlefill(s, 3, 21, 2, rgb(255, 196, 40));
    salvar(s, nome(raiz, "graficos/imagens/%d.bmp", 3));
    destroy_bitmap(s);

    // Frame, top centre; digits land at 19, 42, 73, 96, 127 and 150, y 13.
    BITMAP* f = criar(192, 56, magenta());
    retanguloArredondado(f, 0, -12, 191, 55, 12, rgb(16, 18, 24));
    retanguloArredondado(f, 3, -12, 188, 52, 10, rgb(46, 52, 68));
    gradienteVertical(f, 12, 2, 180, 8, rgb(80, 88, 112), rgb(46, 52, 68));
    for (int x : {19, 73, 127}) {
        rectfill(f, x - 3, 10, x + 2 * W + 5, 13 + H + 2, rgb(10, 8, 6));
        rect(f, x - 3, 10, x + 2 * W + 5, 13 + H + 2, rgb(100, 106, 130));
    }
    salvar(f, nome(raiz, "graficos/imagens/%d.bmp", 4));
    destroy_bitmap(f);
}

void gerarLuzes(const std::string& raiz) {
    // A start-light housing with two lamps; 60x120, five in a row 68 apart.
    for (int aceso = 0; aceso <= 1; aceso++) {
        BITMAP* b = criar(4 * 60, 4 * 120, magenta());
        retanguloArredondado(b, 0, 0, 4 * 60 - 1, 4 * 120 - 1, 40, rgb(10, 10, 12));
        retanguloArredondado(b, 8, 8, 4 * 60 - 9, 4 * 120 - 9, 34, rgb(44, 46, 52));
        for (int k = 0; k < 2; k++) {
            int cy = 4 * (32 + 56 * k), cx = 4 * 30;
            circlefill(b, cx, cy, 4 * 22, rgb(10, 10, 12));
            if (aceso) {
                circlefill(b, cx, cy, 4 * 19, rgb(200, 0, 0));
                circlefill(b, cx, cy, 4 * 15, rgb(255, 40, 30));
                circlefill(b, cx - 4 * 5, cy - 4 * 6, 4 * 6, rgb(255, 170, 150));
            } else {
                circlefill(b, cx, cy, 4 * 19, rgb(60, 16, 16));
                circlefill(b, cx - 4 * 5, cy - 4 * 6, 4 * 5, rgb(90, 40, 40));
            }
        }
        b = reduzir(b, 4);
        salvar(b, nome(raiz, "graficos/imagens/%d.bmp", 5 + aceso));
        destroy_bitmap(b);
    }
}

void gerarEmblema(const std::string& raiz) {
    // Picture 0 is loaded but never shown: the game's emblem.
    BITMAP* b = criar(64, 64, magenta());
    circlefill(b, 32, 32, 30, rgb(20, 20, 26));
    circlefill(b, 32, 32, 27, rgb(230, 60, 40));
    EstiloTexto e;
    e.escalaX = e.escalaY = 4;
    e.cor = rgb(255, 255, 255);
    e.alinhamento = CENTRO;
    texto(b, "R", 32, 16, e);
    salvar(b, nome(raiz, "graficos/imagens/%d.bmp", 0));
    destroy_bitmap(b);
}

void gerarMouse(const std::string& raiz) {
    // Arrow with its tip at (0, 0), the point the game places at the mouse.
    const int F = 4;
    BITMAP* b = criar(22 * F, 30 * F, magenta());
    int fora[14] = {0, 0, 0, 26, 6, 20, 11, 29, 16, 27, 11, 18, 19, 18};
    int dentro[14] = {3, 6, 3, 20, 7, 16, 12, 25, 13, 24, 8, 15, 14, 15};
    for (int i = 0; i < 14; i++) {
        fora[i] *= F;
        dentro[i] *= F;
    }
    polygon(b, 7, fora, rgb(10, 10, 10));
    polygon(b, 7, dentro, rgb(255, 255, 255));
    b = reduzir(b, F);
    // Keep the very tip solid so the hot spot is visible.
    putpixel(b, 0, 0, rgb(10, 10, 10));
    salvar(b, raiz + "/graficos/mouse.bmp");
    destroy_bitmap(b);
}

struct ModeloCarro {
    int h, w;  // across and along the heading, as in the data file
    int cor[3];
    bool listras;
    bool furgao;
};

// Top view, facing right (the heading of angle 0), drawn 4x and shrunk.
void desenharCarro(const ModeloCarro& m, const std::string& caminho) {
    const int F = 4;
    int W = m.w * F, H = m.h * F;
    BITMAP* b = criar(W, H, magenta());
    int cor = rgb(m.cor[0], m.cor[1], m.cor[2]);
    int pneu = rgb(20, 20, 22);
    // Wheels peek out at the sides.
    int rw = W / 7, rh = H / 7;
    for (int fx : {W / 5, W - W / 5 - rw})
        for (int fy : {0, H - rh}) rectfill(b, fx - rw / 2, fy, fx + rw, fy + rh, pneu);
    retanguloArredondado(b, 2, rh / 2, W - 3, H - 1 - rh / 2, H / 4, escurecer(cor, 0.6f));
    retanguloArredondado(b, 6, rh / 2 + 4, W - 7, H - 5 - rh / 2, H / 4 - 4, cor);
    // Body shading: lighter along the spine.
    for (int y = rh / 2 + 8; y < H - rh / 2 - 8; y++) {
        float t = 1.0f - std::fabs(y - H / 2.0f) / (H / 2.0f);
        int c = misturar(escurecer(cor, 0.15f), clarear(cor, 0.25f), t);
        hline(b, W / 10, y, W - W / 10, c);
    }
    int vidro = rgb(40, 56, 80), vidroClaro = rgb(120, 150, 190);
    if (m.furgao) {
        // Van: long roof, short bonnet, windscreen near the front.
        int frente = W - W / 5;
        int pv[8] = {frente - W / 14, H / 5, frente, H / 4, frente, H - H / 4, frente - W / 14, H - H / 5};
        polygon(b, 4, pv, vidro);
        retanguloArredondado(b, W / 12, H / 5 + 4, frente - W / 12, H - H / 5 - 4, 12, clarear(cor, 0.35f));
        for (int x = W / 6; x < frente - W / 10; x += W / 8) vline(b, x, H / 4, H - H / 4, escurecer(cor, 0.1f));
    } else {
        int ini = W / 4, fim = W - W / 3;
        // Windscreen (front, right) and rear window.
        int pf[8] = {fim, H / 5, fim + W / 9, H / 6 + 2, fim + W / 9, H - H / 6 - 2, fim, H - H / 5};
        polygon(b, 4, pf, vidro);
        line(b, fim + 6, H / 4, fim + W / 12, H / 3, vidroClaro);
        int pt[8] = {ini, H / 5, ini - W / 14, H / 6 + 2, ini - W / 14, H - H / 6 - 2, ini, H - H / 5};
        polygon(b, 4, pt, vidro);
        retanguloArredondado(b, ini, H / 5, fim, H - H / 5, 10, clarear(cor, 0.12f));
        if (m.listras) {
            rectfill(b, 8, H / 2 - H / 9, W - 8, H / 2 - H / 24, rgb(250, 250, 250));
            rectfill(b, 8, H / 2 + H / 24, W - 8, H / 2 + H / 9, rgb(250, 250, 250));
        }
        // Side mirrors.
        rectfill(b, fim - 8, rh / 2 - 6, fim + 8, rh / 2 + 6, escurecer(cor, 0.4f));
        rectfill(b, fim - 8, H - rh / 2 - 7, fim + 8, H - rh / 2 + 5, escurecer(cor, 0.4f));
    }
    // Headlights at the front, tail lights at the back.
    rectfill(b, W - 12, H / 6, W - 5, H / 6 + H / 6, rgb(255, 250, 200));
    rectfill(b, W - 12, H - H / 3, W - 5, H - H / 6, rgb(255, 250, 200));
    rectfill(b, 5, H / 6, 11, H / 6 + H / 7, rgb(220, 20, 20));
    rectfill(b, 5, H - H / 6 - H / 7, 11, H - H / 6, rgb(220, 20, 20));
    b = reduzir(b, F);
    salvar(b, caminho);
    destroy_bitmap(b);
}

void gerarCarros(const std::string& raiz) {
    // Traffic: 1 a yellow saloon, 2 a blue hatchback, 3 a white delivery van.
    // The player's red racer with its white stripes, the size of car 1, is
    // like none of them.
    desenharCarro({30, 60, {220, 30, 30}, true, false}, raiz + "/graficos/carros/jogador.bmp");
    const ModeloCarro modelos[3] = {
        {30, 60, {240, 190, 30}, false, false},
        {28, 54, {40, 110, 220}, false, false},
        {34, 72, {236, 236, 228}, false, true},
    };
    for (int i = 0; i < 3; i++) {
        desenharCarro(modelos[i], nome(raiz, "graficos/carros/%d.bmp", i + 1));
        std::string dados = nome(raiz, "dados/carros/%d.car", i + 1);
        criarPastas(dados);
        std::ofstream f(dados);
        f << modelos[i].h << ' ' << modelos[i].w << '\n';
        if (!f) {
            std::fprintf(stderr, "gerador-assets: cannot write %s\n", dados.c_str());
            std::exit(1);
        }
    }
}

}  // namespace

void gerar(const std::string& raiz) {
    gerarDigitos(raiz);
    gerarEmblema(raiz);
    gerarPainel(raiz);
    gerarRelogio(raiz);
    gerarLuzes(raiz);
    gerarMouse(raiz);
    gerarCarros(raiz);
}

}  // namespace hud
