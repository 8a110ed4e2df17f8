#include <allegro.h>

#include <cmath>
#include <string>
#include <vector>

#include "Cena.h"
#include "Desenho.h"
#include "Partes.h"

using namespace desenho;

namespace abertura {

namespace {

void salvarEm(BITMAP* b, const std::string& raiz, const std::string& nome) {
    salvar(b, raiz + "/graficos/abertura/" + nome);
    destroy_bitmap(b);
}

void bandeiraQuadriculada(BITMAP* b, int x, int y, int w, int h, float onda) {
    const int n = 6, m = 4;
    for (int j = 0; j < m; j++) {
        for (int i = 0; i < n; i++) {
            int x1 = x + i * w / n, x2 = x + (i + 1) * w / n - 1;
            for (int xx = x1; xx <= x2; xx++) {
                int dy = int(onda * std::sin((xx - x) * 0.08));
                int y1 = y + j * h / m + dy, y2 = y + (j + 1) * h / m - 1 + dy;
                vline(b, xx, y1, y2, (i + j) % 2 ? rgb(20, 20, 20) : rgb(245, 245, 245));
            }
        }
    }
    rectfill(b, x - 6, y - 4, x - 1, y + h + 60, rgb(150, 150, 160));
}

void imagens(const std::string& raiz) {
    // 1: the studio line, faded out from black at (178, 270).
    BITMAP* b = criar(444, 60, rgb(0, 0, 0));
    texto(b, "RONCO GAMES", 222, 4, estiloTitulo(3));
    texto(b, "PRESENTS", 222, 40, estiloSimples(2, rgb(200, 200, 220)));
    salvarEm(b, raiz, "abertura 1.bmp");

    // 2: the title card over the sunset city.
    b = criar(800, 600, rgb(0, 0, 0));
    cena::porDoSol(b, 400);
    cena::carroDeTras(b, 400, 575, 230, rgb(240, 200, 30));
    texto(b, "RONCO", 400, 90, estiloTitulo(16));
    texto(b, "A STREET RACE DRIVEN BY YOUR VOICE", 400, 230, estiloSimples(2, rgb(255, 255, 255)));
    salvarEm(b, raiz, "abertura 2.bmp");

    // 3: a line at (24, 273).
    b = criar(752, 54, rgb(0, 0, 0));
    texto(b, "GET YOUR MICROPHONE READY", 376, 2, estiloTitulo(3));
    texto(b, "AND WARM UP YOUR VOICE", 376, 36, estiloSimples(2, rgb(200, 210, 240)));
    salvarEm(b, raiz, "abertura 3.bmp");

    // 4: the microphone under a spotlight, at (148, 39).
    b = criar(504, 522, rgb(0, 0, 0));
    for (int r = 240; r > 0; r -= 2)
        circlefill(b, 252, 230, r, misturar(rgb(0, 0, 0), rgb(40, 40, 90), 1.0f - r / 240.0f));
    cena::microfone(b, 252, 250, 330);
    texto(b, "VRRRROOOOM!", 252, 440, estiloTitulo(4));
    salvarEm(b, raiz, "abertura 4.bmp");

    // 5: a banner at (0, 110): the red racer at speed.
    b = criar(800, 380, rgb(0, 0, 0));
    gradienteVertical(b, 0, 0, 799, 379, rgb(20, 20, 40), rgb(50, 50, 70));
    rectfill(b, 0, 150, 799, 300, rgb(60, 60, 70));
    for (int x = 0; x < 800; x += 80) rectfill(b, x, 222, x + 44, 228, rgb(240, 240, 240));
    hline(b, 0, 150, 799, rgb(230, 230, 230));
    hline(b, 0, 300, 799, rgb(230, 230, 230));
    Aleatorio s(7);
    for (int i = 0; i < 40; i++) {
        int y = s.entre(150, 300), x = s.entre(0, 500), w = s.entre(40, 200);
        hline(b, x, y, x + w, rgb(120, 120, 140));
    }
    BITMAP* carro = load_bitmap((raiz + "/graficos/carros/jogador.bmp").c_str(), nullptr);
    if (carro) {
        stretch_sprite(b, carro, 480, 225 - carro->h * 2, carro->w * 4, carro->h * 4);
        destroy_bitmap(carro);
    }
    texto(b, "YOUR VOICE IS THE ENGINE", 400, 30, estiloTitulo(4));
    texto(b, "ROAR TO ACCELERATE", 400, 330, estiloSimples(2, rgb(255, 255, 255)));
    salvarEm(b, raiz, "abertura 5.bmp");

    // 6: the big logo with chequered flags, at (30, 0).
    b = criar(740, 600, rgb(0, 0, 0));
    for (int r = 330; r > 0; r -= 3)
        circlefill(b, 370, 300, r, misturar(rgb(0, 0, 0), rgb(90, 30, 60), 1.0f - r / 330.0f));
    bandeiraQuadriculada(b, 60, 90, 150, 100, 6);
    bandeiraQuadriculada(b, 530, 90, 150, 100, -6);
    texto(b, "RONCO", 370, 240, estiloTitulo(16));
    texto(b, "STREET RACE", 370, 390, estiloTitulo(4));
    salvarEm(b, raiz, "abertura 6.bmp");

    // Final: at (9, 230).
    b = criar(782, 140, rgb(0, 0, 0));
    texto(b, "LET'S RACE!", 391, 12, estiloTitulo(8));
    texto(b, "BEAT THE CLOCK TO THE CHEQUERED LINE", 391, 104, estiloSimples(2, rgb(255, 255, 255)));
    salvarEm(b, raiz, "abertura final.bmp");
}

// ---------------------------------------------------------------- the yellow car

// The game draws the car at (x, y) and its wheels with their top-left corners
// at (x + 18, y + 40) and (x + 96, y + 62), 30x30 each: the wheel centres are
// (33, 55) and (111, 77) in the car picture, so the car leans 15.8 degrees.
constexpr int RODA = 30;
constexpr double A_X = 18 + RODA / 2.0, A_Y = 40 + RODA / 2.0;
constexpr double B_X = 96 + RODA / 2.0, B_Y = 62 + RODA / 2.0;

struct Quadro {
    double ax, ay, dx, dy, nx, ny;  // rear wheel centre, axis and its normal (down)
    double f;                       // supersampling factor
    int x(double u, double v) const { return int(std::lround(f * (ax + u * dx + v * nx))); }
    int y(double u, double v) const { return int(std::lround(f * (ay + u * dy + v * ny))); }
};

void poligono(BITMAP* b, const Quadro& q, const std::vector<std::pair<double, double>>& uv, int cor) {
    std::vector<int> p;
    for (auto& [u, v] : uv) {
        p.push_back(q.x(u, v));
        p.push_back(q.y(u, v));
    }
    polygon(b, int(uv.size()), p.data(), cor);
}

void circulo(BITMAP* b, const Quadro& q, double u, double v, double r, int cor) {
    circlefill(b, q.x(u, v), q.y(u, v), int(r * q.f), cor);
}

void fusca(const std::string& raiz) {
    const int F = 3;
    BITMAP* g = criar(150 * F, 110 * F, magenta());
    double L = std::hypot(B_X - A_X, B_Y - A_Y);  // wheelbase, about 81
    Quadro q{A_X, A_Y, (B_X - A_X) / L, (B_Y - A_Y) / L, -(B_Y - A_Y) / L, (B_X - A_X) / L, double(F)};
    int amarelo = rgb(250, 205, 30), amareloEscuro = rgb(200, 150, 10), contorno = rgb(60, 40, 10);
    // The rounded body: a squashed superellipse from the rear (u = -30) to
    // the front bumper (u = 113), flat at the bottom.
    auto topo = [&](double u) {
        double t = (u - 42) / 73.0;
        double k = 1 - std::pow(std::fabs(t), 2.6);
        return -6 - 54 * std::pow(std::max(0.0, k), 1 / 2.6);
    };
    std::vector<std::pair<double, double>> corpo;
    for (double u = -30; u <= 114; u += 2) corpo.push_back({u, topo(u)});
    corpo.push_back({114, 4});
    corpo.push_back({-30, 4});
    std::vector<std::pair<double, double>> borda;
    for (double u = -32; u <= 116; u += 2) borda.push_back({u, topo(u) - 2});
    borda.push_back({116, 6});
    borda.push_back({-32, 6});
    poligono(g, q, borda, contorno);
    poligono(g, q, corpo, amarelo);
    // Lower body in shade.
    poligono(g, q, {{-30, -8}, {114, -8}, {114, 4}, {-30, 4}}, amareloEscuro);
    // Fenders round the wheels, with dark wells.
    for (double u : {0.0, L}) {
        circulo(g, q, u, -2, 22, contorno);
        circulo(g, q, u, -2, 20, amarelo);
        circulo(g, q, u, 0, 17, rgb(30, 24, 20));
    }
    // Windows: the upper part of a smaller curve, split by the door pillar.
    auto janela = [&](double u0, double u1) {
        std::vector<std::pair<double, double>> w;
        for (double u = u0; u <= u1; u += 2) w.push_back({u, std::min(-28.0, topo(u) + 7)});
        w.push_back({u1, -28});
        w.push_back({u0, -28});
        return w;
    };
    poligono(g, q, janela(4, 40), rgb(120, 170, 220));
    poligono(g, q, janela(46, 80), rgb(120, 170, 220));
    poligono(g, q, {{52, -44}, {60, -44}, {52, -32}, {46, -32}}, rgb(220, 240, 255));
    // Door, handle, headlight, bumpers and a chrome strip.
    poligono(g, q, {{40, -28}, {42, -28}, {42, 2}, {40, 2}}, contorno);
    poligono(g, q, {{30, -22}, {36, -22}, {36, -20}, {30, -20}}, rgb(200, 200, 210));
    circulo(g, q, 104, -18, 6, rgb(200, 200, 210));
    circulo(g, q, 105, -18, 4, rgb(255, 255, 220));
    poligono(g, q, {{106, 0}, {118, 0}, {118, 5}, {106, 5}}, rgb(210, 210, 220));
    poligono(g, q, {{-34, 0}, {-22, 0}, {-22, 5}, {-34, 5}}, rgb(210, 210, 220));
    poligono(g, q, {{16, -6}, {66, -6}, {66, -4}, {16, -4}}, rgb(230, 230, 235));
    circulo(g, q, -26, -14, 3, rgb(230, 40, 30));
    g = reduzir(g, F);
    salvar(g, raiz + "/graficos/abertura/animacao/fusca amarelo.bmp");
    destroy_bitmap(g);

    // Wheels: tyre, white-wall ring, hubcap and bolts so the turn shows.
    for (const char* nome : {"roda dianteira fusca amarelo.bmp", "roda traseira fusca amarelo.bmp"}) {
        const int R = 4;
        BITMAP* r = criar(RODA * R, RODA * R, magenta());
        int c = RODA * R / 2;
        circlefill(r, c, c, 15 * R - 1, rgb(20, 20, 22));
        circlefill(r, c, c, 10 * R, rgb(235, 235, 230));
        circlefill(r, c, c, 8 * R, rgb(150, 150, 160));
        circlefill(r, c, c, 5 * R, rgb(210, 212, 220));
        for (int k = 0; k < 4; k++) {
            double a = k * M_PI / 2;
            circlefill(r, c + int(6.5 * R * std::cos(a)), c + int(6.5 * R * std::sin(a)), R, rgb(60, 60, 70));
        }
        rectfill(r, c - R, c - 9 * R, c + R, c - 6 * R, rgb(230, 40, 30));
        r = reduzir(r, R);
        salvar(r, raiz + "/graficos/abertura/animacao/" + nome);
        destroy_bitmap(r);
    }
}

void fundoAnimacao(const std::string& raiz) {
    BITMAP* b = criar(800, 600, rgb(0, 0, 0));
    // Daylight sky, clouds and a hill town; the road follows the car's path.
    gradienteVertical(b, 0, 0, 799, 300, rgb(90, 160, 240), rgb(200, 230, 255));
    Aleatorio s(31);
    for (int i = 0; i < 6; i++) {
        int cx = s.entre(40, 760), cy = s.entre(30, 130);
        for (int k = 0; k < 5; k++)
            circlefill(b, cx + k * 18 - 36, cy + (k % 2) * 6, 22 - std::abs(k - 2) * 3, rgb(255, 255, 255));
    }
    // The kerb line the wheels roll on: y = 222 + (x + 43) * 4 / 17.
    auto chao = [](int x) { return 222 + (x + 43) * 4 / 17; };
    // Houses behind the road, standing on a sloping pavement.
    int x = -20;
    while (x < 800) {
        int w = s.entre(60, 110), h = s.entre(90, 170);
        int base = chao(x + w) - 62;
        int cores[5] = {rgb(240, 140, 120), rgb(250, 220, 140), rgb(150, 200, 230), rgb(200, 170, 230),
                        rgb(170, 220, 160)};
        int cor = cores[s.entre(0, 4)];
        rectfill(b, x, base - h, x + w, base + 40, cor);
        rect(b, x, base - h, x + w, base + 40, escurecer(cor, 0.5f));
        int telhado[6] = {x - 6, base - h, x + w / 2, base - h - 30, x + w + 6, base - h};
        polygon(b, 3, telhado, rgb(170, 70, 50));
        for (int wy = base - h + 16; wy < base - 10; wy += 34)
            for (int wx = x + 12; wx < x + w - 20; wx += 30) {
                rectfill(b, wx, wy, wx + 16, wy + 20, rgb(80, 120, 170));
                rect(b, wx, wy, wx + 16, wy + 20, rgb(255, 255, 255));
            }
        x += w + s.entre(4, 20);
    }
    // Pavement, road and the near kerb, all along the slope.
    for (int px = 0; px < 800; px++) {
        int y0 = chao(px);
        vline(b, px, y0 - 78, y0 - 62, rgb(200, 195, 185));
        vline(b, px, y0 - 62, y0 + 14, rgb(70, 72, 80));
        vline(b, px, y0 + 14, y0 + 20, rgb(230, 230, 225));
        vline(b, px, y0 + 20, 599, rgb(90, 170, 80));
        if ((px / 30) % 2 == 0) vline(b, px, y0 - 26, y0 - 22, rgb(250, 250, 250));
    }
    for (int px = 20; px < 800; px += 90) {
        int y0 = chao(px) + 40;
        circlefill(b, px, y0 + 60, 28, rgb(50, 130, 60));
        circlefill(b, px - 8, y0 + 52, 14, rgb(90, 170, 80));
    }
    salvar(b, raiz + "/graficos/abertura/animacao/fundo animacao.bmp");
    destroy_bitmap(b);
}

}  // namespace

void gerar(const std::string& raiz) {
    imagens(raiz);
    fusca(raiz);
    fundoAnimacao(raiz);
}

}  // namespace abertura
