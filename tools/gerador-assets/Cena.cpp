#include "Cena.h"

#include <cmath>

#include "Desenho.h"

using namespace desenho;

namespace cena {

void porDoSol(BITMAP* b, int horizonte) {
    int W = b->w, H = b->h;
    // Sky: deep blue at the top through purple to orange at the horizon.
    for (int y = 0; y < horizonte; y++) {
        float t = float(y) / horizonte;
        int c = t < 0.5f ? misturar(rgb(24, 20, 70), rgb(130, 50, 120), t / 0.5f)
                         : misturar(rgb(130, 50, 120), rgb(255, 150, 70), (t - 0.5f) / 0.5f);
        hline(b, 0, y, W - 1, c);
    }
    Aleatorio s(99);
    for (int i = 0; i < 60; i++) {
        int x = s.entre(0, W - 1), y = s.entre(0, horizonte / 2);
        putpixel(b, x, y, rgb(255, 255, 230));
    }
    // A striped retro sun sitting on the horizon.
    int sol = W / 2, raio = horizonte / 3;
    for (int y = horizonte - 2 * raio; y < horizonte; y++) {
        int dy = horizonte - raio / 3 - y;
        int meia = int(std::sqrt(std::max(0, raio * raio - dy * dy)));
        if (meia <= 0) continue;
        int faixa = y - (horizonte - raio);
        if (faixa > 0 && (faixa / 6) % 2 == 1 && faixa % 6 < (faixa / 12 + 1)) continue;
        float t = float(y - (horizonte - 2 * raio)) / (2 * raio);
        hline(b, sol - meia, y, sol + meia, misturar(rgb(255, 240, 120), rgb(255, 90, 90), t));
    }
    // Two rows of skyline, the far one lighter.
    for (int camada = 0; camada < 2; camada++) {
        int cor = camada == 0 ? rgb(90, 40, 100) : rgb(40, 20, 60);
        int x = -s.entre(0, 30);
        while (x < W) {
            int w = s.entre(30, 70), h = camada == 0 ? s.entre(50, 140) : s.entre(30, 100);
            rectfill(b, x, horizonte - h, x + w, horizonte, cor);
            if (camada == 1) {
                for (int wy = horizonte - h + 8; wy < horizonte - 6; wy += 10)
                    for (int wx = x + 5; wx < x + w - 5; wx += 9)
                        if (s.entre(0, 3) == 0) rectfill(b, wx, wy, wx + 3, wy + 4, rgb(255, 220, 120));
            }
            x += w + s.entre(0, 8);
        }
    }
    // Ground and a road to the vanishing point.
    gradienteVertical(b, 0, horizonte, W - 1, H - 1, rgb(40, 70, 50), rgb(20, 40, 30));
    int largura = W * 3 / 4;
    int p[8] = {W / 2 - 6, horizonte, W / 2 + 6, horizonte, W / 2 + largura, H, W / 2 - largura, H};
    polygon(b, 4, p, rgb(50, 50, 60));
    for (int y = horizonte + 2; y < H; y++) {
        float t = float(y - horizonte) / (H - horizonte);
        int meia = int(6 + t * (largura - 6));
        int borda = std::max(1, int(t * 10));
        hline(b, W / 2 - meia, y, W / 2 - meia + borda, rgb(240, 240, 240));
        hline(b, W / 2 + meia - borda, y, W / 2 + meia, rgb(240, 240, 240));
        // Dashes grow as they come closer.
        float z = 1.0f / (t + 0.02f);
        if (int(z * 1.2f) % 2 == 0) {
            int m = std::max(1, int(t * 8));
            hline(b, W / 2 - m, y, W / 2 + m, rgb(255, 210, 60));
        }
    }
}

void carroDeTras(BITMAP* b, int cx, int base, int L, int cor) {
    int H = L * 45 / 100;
    int preto = rgb(20, 20, 24);
    // Shadow, tyres, body, cabin, rear window, lights and plate.
    ellipsefill(b, cx, base, L * 6 / 10, L / 14, rgb(15, 15, 20));
    rectfill(b, cx - L / 2, base - L / 7, cx - L / 2 + L / 7, base, preto);
    rectfill(b, cx + L / 2 - L / 7, base - L / 7, cx + L / 2, base, preto);
    retanguloArredondado(b, cx - L / 2 - 4, base - H + H / 3, cx + L / 2 + 4, base - L / 14, L / 12,
                         escurecer(cor, 0.5f));
    retanguloArredondado(b, cx - L / 2, base - H + H / 3 + 3, cx + L / 2, base - L / 14 - 3, L / 14, cor);
    int teto[8] = {cx - L * 35 / 100, base - H + H / 3, cx - L / 4,        base - H,
                   cx + L / 4,        base - H,         cx + L * 35 / 100, base - H + H / 3};
    polygon(b, 4, teto, escurecer(cor, 0.15f));
    int vidro[8] = {cx - L * 30 / 100, base - H + H / 3 - 2, cx - L / 4 + 4,    base - H + 5,
                    cx + L / 4 - 4,    base - H + 5,         cx + L * 30 / 100, base - H + H / 3 - 2};
    polygon(b, 4, vidro, rgb(60, 80, 110));
    line(b, cx - L / 6, base - H + 8, cx - L / 4 + 6, base - H + H / 3 - 4, rgb(150, 180, 220));
    int yl = base - H / 2;
    rectfill(b, cx - L / 2 + 6, yl, cx - L / 2 + L / 5, yl + H / 8, rgb(255, 40, 40));
    rectfill(b, cx + L / 2 - L / 5, yl, cx + L / 2 - 6, yl + H / 8, rgb(255, 40, 40));
    rectfill(b, cx - L / 10, yl + 2, cx + L / 10, yl + H / 6, rgb(240, 240, 230));
    rect(b, cx - L / 10, yl + 2, cx + L / 10, yl + H / 6, preto);
    hline(b, cx - L / 2, base - L / 14 - 6, cx + L / 2, escurecer(cor, 0.4f));
}

void escurecerTudo(BITMAP* b, int cor, float t) {
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) _putpixel32(b, x, y, misturar(_getpixel32(b, x, y), cor, t));
}

void microfone(BITMAP* b, int cx, int cy, int T) {
    int escuro = rgb(30, 30, 36), metal = rgb(170, 176, 190), brilho = rgb(235, 240, 250);
    int cabeca = T * 22 / 100;
    // Sound waves on both sides.
    for (int k = 1; k <= 3; k++) {
        int r = cabeca + k * T / 10;
        for (int a = -35; a <= 35; a++) {
            double ang = a * M_PI / 180;
            for (int e = 0; e < 4; e++) {
                int rr = r + e;
                putpixel(b, cx + int(rr * std::cos(ang)), cy - T / 4 + int(rr * std::sin(ang)), rgb(255, 220, 80));
                putpixel(b, cx - int(rr * std::cos(ang)), cy - T / 4 + int(rr * std::sin(ang)), rgb(255, 220, 80));
            }
        }
    }
    // Stand and handle.
    rectfill(b, cx - T / 30, cy, cx + T / 30, cy + T / 3, escuro);
    ellipsefill(b, cx, cy + T / 3, T / 5, T / 25, escuro);
    arc(b, cx, cy - T / 4, itofix(128 + 10), itofix(256 - 10), cabeca + T / 14, escuro);
    rectfill(b, cx - T / 14, cy - T / 4, cx + T / 14, cy + T / 20, escuro);
    // The grille: a capsule with a mesh.
    int topo = cy - T / 4 - cabeca - T / 6;
    retanguloArredondado(b, cx - cabeca, topo, cx + cabeca, cy - T / 10, cabeca, escuro);
    retanguloArredondado(b, cx - cabeca + 4, topo + 4, cx + cabeca - 4, cy - T / 10 - 4, cabeca - 4, metal);
    for (int y = topo + 8; y < cy - T / 10 - 8; y += 7)
        hline(b, cx - cabeca + 8, y, cx + cabeca - 8, rgb(110, 116, 130));
    for (int x = cx - cabeca + 8; x < cx + cabeca - 8; x += 7)
        vline(b, x, topo + 8, cy - T / 10 - 8, rgb(110, 116, 130));
    rectfill(b, cx - cabeca + 4, cy - T / 4 - 4, cx + cabeca - 4, cy - T / 4 + 4, escuro);
    circlefill(b, cx - cabeca / 2, topo + cabeca / 2, cabeca / 5, brilho);
}

}  // namespace cena
