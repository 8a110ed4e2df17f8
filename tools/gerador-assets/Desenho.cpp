#include "Desenho.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace desenho {

BITMAP* criar(int w, int h, int cor) {
    BITMAP* b = create_bitmap_ex(32, w, h);
    if (!b) {
        std::fprintf(stderr, "gerador-assets: out of memory for a %dx%d picture\n", w, h);
        std::exit(1);
    }
    clear_to_color(b, cor);
    return b;
}

int rgb(int r, int g, int b) { return makecol32(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)); }

int magenta() { return makecol32(255, 0, 255); }

int misturar(int a, int b, float t) {
    auto m = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5f); };
    return rgb(m(getr32(a), getr32(b)), m(getg32(a), getg32(b)), m(getb32(a), getb32(b)));
}

int clarear(int cor, float t) { return misturar(cor, rgb(255, 255, 255), t); }
int escurecer(int cor, float t) { return misturar(cor, rgb(0, 0, 0), t); }

void gradienteVertical(BITMAP* b, int x1, int y1, int x2, int y2, int cima, int baixo) {
    int altura = std::max(1, y2 - y1);
    for (int y = y1; y <= y2; y++) {
        hline(b, x1, y, x2, misturar(cima, baixo, float(y - y1) / altura));
    }
}

void retanguloArredondado(BITMAP* b, int x1, int y1, int x2, int y2, int raio, int cor) {
    raio = std::min({raio, (x2 - x1) / 2, (y2 - y1) / 2});
    if (raio <= 0) {
        rectfill(b, x1, y1, x2, y2, cor);
        return;
    }
    rectfill(b, x1 + raio, y1, x2 - raio, y2, cor);
    rectfill(b, x1, y1 + raio, x2, y2 - raio, cor);
    circlefill(b, x1 + raio, y1 + raio, raio, cor);
    circlefill(b, x2 - raio, y1 + raio, raio, cor);
    circlefill(b, x1 + raio, y2 - raio, raio, cor);
    circlefill(b, x2 - raio, y2 - raio, raio, cor);
}

void painel(BITMAP* b, int x1, int y1, int x2, int y2, int raio, int cor) {
    retanguloArredondado(b, x1 + 3, y1 + 4, x2, y2, raio, rgb(0, 0, 0));
    retanguloArredondado(b, x1, y1, x2 - 3, y2 - 4, raio, escurecer(cor, 0.55f));
    // Body: a gradient clipped to the rounded shape, drawn line by line.
    BITMAP* corpo = criar(x2 - x1 - 3, y2 - y1 - 4, magenta());
    int w = corpo->w, h = corpo->h;
    retanguloArredondado(corpo, 2, 2, w - 3, h - 3, std::max(0, raio - 2), rgb(1, 1, 1));
    for (int y = 0; y < h; y++) {
        float t = float(y) / std::max(1, h - 1);
        int c = t < 0.45f ? misturar(clarear(cor, 0.35f), cor, t / 0.45f)
                          : misturar(cor, escurecer(cor, 0.3f), (t - 0.45f) / 0.55f);
        for (int x = 0; x < w; x++) {
            if (_getpixel32(corpo, x, y) == rgb(1, 1, 1)) _putpixel32(corpo, x, y, c);
        }
    }
    draw_sprite(b, corpo, x1, y1);
    destroy_bitmap(corpo);
}

int larguraTexto(const std::string& s, int escalaX) { return static_cast<int>(s.size()) * 8 * escalaX; }

namespace {

using Mascara = std::vector<unsigned char>;

// Scale2x on a two-colour mask: doubles it and rounds the staircase corners.
Mascara scale2x(const Mascara& m, int w, int h) {
    Mascara r(size_t(w) * h * 4, 0);
    auto px = [&](int x, int y) -> unsigned char {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        return m[size_t(y) * w + x];
    };
    int w2 = w * 2;
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            unsigned char p = px(x, y), a = px(x, y - 1), bb = px(x + 1, y), c = px(x - 1, y), d = px(x, y + 1);
            unsigned char e0 = (c == a && c != d && a != bb) ? a : p;
            unsigned char e1 = (a == bb && a != c && bb != d) ? bb : p;
            unsigned char e2 = (d == c && d != bb && c != a) ? c : p;
            unsigned char e3 = (bb == d && bb != a && d != c) ? d : p;
            r[size_t(2 * y) * w2 + 2 * x] = e0;
            r[size_t(2 * y) * w2 + 2 * x + 1] = e1;
            r[size_t(2 * y + 1) * w2 + 2 * x] = e2;
            r[size_t(2 * y + 1) * w2 + 2 * x + 1] = e3;
        }
    }
    return r;
}

bool potenciaDeDois(int n) { return n > 1 && (n & (n - 1)) == 0; }

}  // namespace

int texto(BITMAP* b, const std::string& s, int x, int y, const EstiloTexto& e) {
    if (s.empty()) return 0;
    int w = static_cast<int>(s.size()) * 8, h = 8;
    BITMAP* tmp = criar(w, h, rgb(0, 0, 0));
    textout_ex(tmp, font, s.c_str(), 0, 0, rgb(255, 255, 255), -1);
    Mascara m(size_t(w) * h);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) m[size_t(j) * w + i] = _getpixel32(tmp, i, j) != rgb(0, 0, 0);
    destroy_bitmap(tmp);

    int sx = e.escalaX, sy = e.escalaY;
    if (sx == sy) {
        while (potenciaDeDois(sx) && sx % 2 == 0) {
            m = scale2x(m, w, h);
            w *= 2;
            h *= 2;
            sx /= 2;
            sy /= 2;
        }
    }
    int W = w * sx, H = h * sy;
    auto cheio = [&](int i, int j) {
        if (i < 0 || j < 0 || i >= W || j >= H) return false;
        return m[size_t(j / sy) * w + i / sx] != 0;
    };
    int x0 = x;
    if (e.alinhamento == CENTRO) x0 = x - W / 2;
    if (e.alinhamento == DIREITA) x0 = x - W;

    int branco = rgb(255, 255, 255);
    int corCima = e.cor == -1 ? branco : e.cor;
    int corBaixo = e.corBaixo == -1 ? corCima : e.corBaixo;
    int grossura = std::max(1, std::min(e.escalaX, e.escalaY) / 2);
    for (int j = -grossura - 1; j < H + grossura + e.sombra + 1; j++) {
        for (int i = -grossura - 1; i < W + grossura + e.sombra + 1; i++) {
            if (cheio(i, j)) continue;
            if (e.sombra && (cheio(i - e.sombra, j - e.sombra))) {
                putpixel(b, x0 + i, y + j, e.corSombra);
            }
        }
    }
    if (e.contorno != -1) {
        for (int j = -grossura; j < H + grossura; j++) {
            for (int i = -grossura; i < W + grossura; i++) {
                if (cheio(i, j)) continue;
                bool perto = false;
                for (int dj = -grossura; dj <= grossura && !perto; dj++)
                    for (int di = -grossura; di <= grossura && !perto; di++) perto = cheio(i + di, j + dj);
                if (perto) putpixel(b, x0 + i, y + j, e.contorno);
            }
        }
    }
    for (int j = 0; j < H; j++) {
        int c = misturar(corCima, corBaixo, float(j) / std::max(1, H - 1));
        for (int i = 0; i < W; i++)
            if (cheio(i, j)) putpixel(b, x0 + i, y + j, c);
    }
    return W;
}

EstiloTexto estiloTitulo(int escala) {
    EstiloTexto e;
    e.escalaX = e.escalaY = escala;
    e.cor = rgb(255, 246, 150);
    e.corBaixo = rgb(255, 115, 30);
    e.contorno = rgb(66, 20, 10);
    e.sombra = escala >= 4 ? 4 : 2;
    e.corSombra = rgb(0, 0, 0);
    e.alinhamento = CENTRO;
    return e;
}

EstiloTexto estiloSimples(int escala, int cor) {
    EstiloTexto e;
    e.escalaX = e.escalaY = escala;
    e.cor = cor;
    e.alinhamento = CENTRO;
    return e;
}

void botao(BITMAP* b, int x1, int y1, int x2, int y2, const std::string& rotulo, int cor, int escalaMax) {
    painel(b, x1, y1, x2, y2, std::min(14, (y2 - y1) / 3), cor);
    int larg = x2 - x1 - 3 - 12, alt = y2 - y1 - 4 - 8;
    int escala = escalaMax;
    while (escala > 1 && (larguraTexto(rotulo, escala) > larg || 8 * escala > alt)) escala--;
    EstiloTexto e;
    e.escalaX = escala;
    e.escalaY = escala;
    // Labels too long for 2x keep their height by growing only downwards.
    if (escala == 1 && alt >= 16) e.escalaY = 2;
    e.cor = rgb(255, 255, 255);
    e.corBaixo = rgb(255, 236, 170);
    e.contorno = escurecer(cor, 0.7f);
    e.sombra = escala >= 2 ? 2 : 1;
    e.corSombra = rgb(0, 0, 0);
    e.alinhamento = CENTRO;
    int cx = (x1 + x2 - 3) / 2, cy = (y1 + y2 - 4) / 2;
    texto(b, rotulo, cx, cy - 4 * e.escalaY, e);
}

BITMAP* reduzir(BITMAP* g, int fator) {
    int w = g->w / fator, h = g->h / fator;
    BITMAP* r = criar(w, h, magenta());
    int mg = magenta();
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            long sr = 0, sg = 0, sb = 0;
            int n = 0;
            for (int j = 0; j < fator; j++) {
                for (int i = 0; i < fator; i++) {
                    int c = _getpixel32(g, x * fator + i, y * fator + j);
                    if (c == mg) continue;
                    sr += getr32(c);
                    sg += getg32(c);
                    sb += getb32(c);
                    n++;
                }
            }
            if (n * 2 > fator * fator) {
                int c = rgb(int(sr / n), int(sg / n), int(sb / n));
                // Never produce the mask colour by averaging.
                if (c == mg) c = rgb(254, 0, 254);
                _putpixel32(r, x, y, c);
            }
        }
    }
    destroy_bitmap(g);
    return r;
}

void criarPastas(const std::string& caminhoArquivo) {
    std::filesystem::path p(caminhoArquivo);
    if (p.has_parent_path()) {
        std::error_code erro;
        std::filesystem::create_directories(p.parent_path(), erro);
    }
}

void salvar(BITMAP* b, const std::string& caminho) {
    criarPastas(caminho);
    if (save_bitmap(caminho.c_str(), b, nullptr) != 0) {
        std::fprintf(stderr, "gerador-assets: cannot write %s\n", caminho.c_str());
        std::exit(1);
    }
}

}  // namespace desenho
