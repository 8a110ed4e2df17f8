// The end-to-end scenarios' eye: reads a screenshot of the game's window
// (an uncompressed BMP, as `import -window W bmp3:FILE` writes it) and
// answers one question about it on standard output. It compares with the
// very pictures of the asset tree the game drew from, so the scenarios do
// not depend on what the generated pictures look like.
//
//   olho posicao PHOTO GAME [VY [ROW]]
//       where the player's car is: the view's corner found by matching the
//       photo against the city drawn from the map file and the tile sheet,
//       then the car picture matched at every heading at the view's
//       centre. Prints x and y (map pixels, screen order), angulo (the
//       car's heading in radians, 0 facing right, growing clockwise), erro
//       (radians from that heading to the one to take, positive when the
//       car must turn clockwise: towards the finish along the streets,
//       keeping to tile row ROW, 8 by default, where the way allows; -1
//       keeps to none),
//       encaixe (per mille of the car picture that matched) and ajuste (per
//       mille of the sampled map pixels that matched) and vy (the view's
//       top row, a hint for the next call: the search then stays within
//       96 rows of it), or fails.
//   olho painel PHOTO GAME
//       everything a scenario asks while playing, as shell assignments:
//       pagina (the menu or pause page shown: menu, instrucoes,
//       instrucoes2, recordes, pausa, or nenhuma), correndo (1 when the
//       race clock shows), luzes (lit start lights), marcha (gear digit,
//       -1 when unreadable), acelerador (filled rows of the throttle bar, 0
//       to 79), progresso (the centre column of the player's mark on the
//       progress strip, -1 when there is none), vazia (1 while the window
//       is still black), aviso (1 while the lost microphone's notice
//       shows), veredito (the colour, rrggbb, of the microphone check's
//       verdict box on the first instructions page), linha (the finish
//       screen's line: recorde for a new record, melhor for the best time
//       and the difference, nenhuma), fantasma (the centre column of the
//       ghost's mark on the progress strip, -1 when there is none),
//       diferenca (the gap to the ghost under the clock: adiante in green,
//       atras in red, zero, or nenhuma). GAME is the asset tree the game
//       runs from; the city raced is E2E_CIDADE's map number (1 when
//       unset).
//   olho relogio WINDOW GAME SECONDS
//       watches the race clock of the game's window, read straight from
//       the X server every few ms, and prints every reading it sees, then
//       a summary (see vigiarRelogio).
//
// Where the game's headers define a place it looks at, it uses their
// constants (only constants: it links none of the game's code, see
// tests/e2e.cmake).
//
// Exit status 2 on bad use or an unreadable picture.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "ConstantesGerais.h"
#include "Logica.h"
#include "LogicaColisao.h"
#include "NomesAssets.h"
#include "PainelFantasma.h"
#include "PainelMicrofone.h"

namespace {

// Two pixels are "the same" within this much per channel: the screenshot
// is exact at 24 bits, but a picture drawn translucently or scaled is not.
const int TOLERANCIA = 24;

bool ehMascara(int c) { return getr32(c) == 255 && getg32(c) == 0 && getb32(c) == 255; }

bool parecidos(int a, int b) {
    return std::abs(getr32(a) - getr32(b)) <= TOLERANCIA && std::abs(getg32(a) - getg32(b)) <= TOLERANCIA &&
           std::abs(getb32(a) - getb32(b)) <= TOLERANCIA;
}

// Per mille of the opaque pixels (the library's pink mask colour left out)
// of the asset picture NOME laid at (x, y), centred across the window when x
// is -1, that differ from the photo. Only the picture's rows from `de` down
// count; parts outside the photo count as different, a missing picture as
// 1000.
int diferenca(BITMAP* foto, const std::string& jogo, const std::string& nome, int x, int y, int de = 0) {
    // Read once: the clock's watch asks dozens of times a second.
    static std::map<std::string, BITMAP*> lidas;
    BITMAP*& imagem = lidas[jogo + "/" + nome];
    if (!imagem) imagem = load_bitmap((jogo + "/" + nome).c_str(), nullptr);
    if (!imagem) return 1000;
    if (x < 0) x = (800 - imagem->w) / 2;
    long opacos = 0;
    long diferentes = 0;
    for (int j = de; j < imagem->h; ++j) {
        for (int i = 0; i < imagem->w; ++i) {
            int c = getpixel(imagem, i, j);
            if (ehMascara(c)) continue;
            ++opacos;
            int fx = x + i;
            int fy = y + j;
            if (fx < 0 || fy < 0 || fx >= foto->w || fy >= foto->h || !parecidos(c, getpixel(foto, fx, fy))) {
                ++diferentes;
            }
        }
    }
    return opacos ? static_cast<int>(diferentes * 1000 / opacos) : 1000;
}

// The strip is the top six rows of the race view: black, a white finish
// mark, the player's mark in (0, 100, 100) and the ghost's in (200, 170,
// 255).
int progresso(BITMAP* foto, int cor = makecol32(0, 100, 100)) {
    int primeira = -1;
    int ultima = -1;
    for (int x = 0; x < foto->w; ++x) {
        int c = getpixel(foto, x, 3);
        if (parecidos(c, cor)) {
            if (primeira < 0) primeira = x;
            ultima = x;
        }
    }
    return primeira < 0 ? -1 : (primeira + ultima) / 2;
}

// The bar is 20 by 80 pixels at (690, 520), black where empty, filled from
// the bottom in colours that run from green to red.
int acelerador(BITMAP* foto) {
    int cheias = 0;
    for (int y = 520; y < 600 && y < foto->h; ++y) {
        int c = getpixel(foto, 700, y);
        if (getr32(c) > 0 || getg32(c) > 0) ++cheias;
    }
    return cheias;
}

// Nothing drawn yet: the window is black but for a few pixels.
bool vazia(BITMAP* foto) {
    int acesos = 0;
    int total = 0;
    for (int y = 0; y < foto->h; y += 4) {
        for (int x = 0; x < foto->w; x += 4) {
            int c = getpixel(foto, x, y);
            ++total;
            if (getr32(c) > 16 || getg32(c) > 16 || getb32(c) > 16) ++acesos;
        }
    }
    return acesos * 200 < total;
}

void painel(BITMAP* foto, const std::string& jogo) {
    // Pages are compared whole; the pointer drawn over them hides a little.
    const char* paginas[][2] = {{"menu", "graficos/menus/menu principal.bmp"},
                                {"instrucoes", "graficos/menus/menu_instrucoes.bmp"},
                                {"instrucoes2", "graficos/menus/menu_instrucoes_2.bmp"},
                                {"recordes", "graficos/menus/menu_recordes.bmp"},
                                {"pausa", "graficos/menus/menu_pausa.bmp"}};
    const char* pagina = "nenhuma";
    for (const auto& p : paginas) {
        if (diferenca(foto, jogo, p[1], 0, 0) <= 40) {
            pagina = p[0];
            break;
        }
    }
    // The clock frame sits at the top centre. The progress strip covers its
    // first rows and the digits (30 high from row 13) its middle: the rows
    // below the digits are compared.
    const bool correndo = diferenca(foto, jogo, "graficos/imagens/4.bmp", -1, 0, 43) <= 100;
    int luzes = 0;
    for (int k = 0; k < 5; ++k) {
        if (diferenca(foto, jogo, "graficos/imagens/6.bmp", 465 + 68 * k, 12) <= 100) ++luzes;
    }
    int marcha = -1;
    int menor = 151;
    for (int d = 0; d < 10; ++d) {
        int dif = diferenca(foto, jogo, "graficos/numeros/" + std::to_string(d) + ".bmp", 690, 485);
        if (dif < menor) {
            menor = dif;
            marcha = d;
        }
    }
    // The notice is a dark red box at the bottom left; its left margin,
    // clear of the text, is read.
    int aviso = 0;
    for (int y = 548; y < 593; ++y) aviso += parecidos(getpixel(foto, 11, y), makecol32(150, 20, 20));
    // The microphone check's verdict box, just inside its frame, where no
    // text is drawn.
    const int v = getpixel(foto, PainelMicrofone::CAIXA_X + 2, PainelMicrofone::CAIXA_Y + 6);
    // The finish line's band, left of its text: gold for a record.
    const int faixa = getpixel(foto, 100, 90);
    const char* linha = parecidos(faixa, makecol32(150, 100, 0))  ? "recorde"
                        : parecidos(faixa, makecol32(20, 34, 80)) ? "melhor"
                                                                  : "nenhuma";
    // The gap's box under the clock, framed in the ghost's colour; its text
    // green ahead, red behind, white even.
    const char* diferenca = "nenhuma";
    const std::pair<const char*, int> cores[] = {
        {"adiante", makecol32(80, 230, 100)}, {"atras", makecol32(255, 80, 70)}, {"zero", makecol32(240, 240, 240)}};
    const bool caixa = parecidos(getpixel(foto, 400, PainelFantasma::DIFERENCA_Y1), makecol32(200, 170, 255));
    for (int y = PainelFantasma::DIFERENCA_Y1 + 2; caixa && y < PainelFantasma::DIFERENCA_Y2; ++y)
        for (int x = 376; x < 424; ++x)
            for (const auto& c : cores)
                if (parecidos(getpixel(foto, x, y), c.second)) diferenca = c.first;
    std::printf(
        "pagina=%s correndo=%d luzes=%d marcha=%d acelerador=%d progresso=%d vazia=%d aviso=%d "
        "veredito=%02x%02x%02x linha=%s fantasma=%d diferenca=%s\n",
        pagina, correndo ? 1 : 0, luzes, marcha, acelerador(foto), progresso(foto), vazia(foto) ? 1 : 0,
        aviso > 40 ? 1 : 0, getr32(v), getg32(v), getb32(v), linha, progresso(foto, makecol32(200, 170, 255)),
        diferenca);
}

// The city as the renderer draws it before any car: the lower tile layer,
// the upper one masked over it. Pixels are worked out on demand from the
// map file and the tile sheet, so no map-sized bitmap is needed.
struct Cidade {
    int linhas = 0;
    int colunas = 0;
    std::vector<int> inferior;
    std::vector<int> superior;
    BITMAP* tiles = nullptr;

    int chegada = static_cast<int>(ListaCidades::CHEGADA_PADRAO);

    // The race's city: E2E_CIDADE, by its map number (1 when unset), with
    // its tile sheet and finish from the city list.
    bool carregar(const std::string& jogo) {
        const char* cidade = std::getenv("E2E_CIDADE");
        const std::string numero = cidade != nullptr && *cidade ? cidade : "1";
        std::string folha = "tiles.bmp", linha;
        std::ifstream lista(jogo + "/mapas/cidades.txt");
        bool dela = false;
        while (std::getline(lista, linha)) {
            if (linha.rfind("[city]", 0) == 0) dela = false;
            if (linha == "map = " + numero) dela = true;
            if (dela && linha.rfind("tiles = ", 0) == 0) folha = linha.substr(8);
            if (dela && linha.rfind("finish = ", 0) == 0) chegada = std::atoi(linha.c_str() + 9);
        }
        std::ifstream f(jogo + "/mapas/" + numero + ".txt");
        int l2 = 0, c2 = 0;
        if (!(f >> linhas >> colunas) || linhas <= 0 || colunas <= 0) return false;
        inferior.assign(linhas * colunas, 0);
        for (int& v : inferior) f >> v;
        if (!(f >> l2 >> c2) || l2 != linhas || c2 != colunas) return false;
        superior.assign(linhas * colunas, 0);
        for (int& v : superior) f >> v;
        tiles = load_bitmap((jogo + "/mapas/" + folha).c_str(), nullptr);
        return tiles != nullptr && static_cast<bool>(f);
    }
    int largura() const { return colunas * 64; }

    // Buildings are the tiles the collision map walls off.
    bool livre(int linha, int coluna) const {
        if (linha < 0 || coluna < 0 || linha >= linhas || coluna >= colunas) return false;
        int codigo = inferior[linha * colunas + coluna];
        return codigo < LogicaColisao::PRIMEIRO_PREDIO || codigo > LogicaColisao::ULTIMO_PREDIO;
    }

    // Heading (radians, 0 right, growing clockwise) from map point (x, y)
    // towards the finish along free tiles: the distance in tiles to the
    // finish columns is spread from them, the car aims at the centre of
    // the tile four steps down that distance, and keeps to the preferred row
    // (the avenue's middle lane) wherever the way allows.
    double rumoParaChegada(int x, int y, int colunaChegada, int linhaPreferida) const {
        const int INF = 1 << 29;
        std::vector<int> d(linhas * colunas, INF);
        std::vector<int> fila;
        for (int r = 0; r < linhas; ++r) {
            for (int c = colunaChegada; c < colunas; ++c) {
                if (livre(r, c)) {
                    d[r * colunas + c] = 0;
                    fila.push_back(r * colunas + c);
                }
            }
        }
        for (size_t i = 0; i < fila.size(); ++i) {
            int r = fila[i] / colunas, c = fila[i] % colunas;
            const int vizinhos[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
            for (const auto& v : vizinhos) {
                if (livre(v[0], v[1]) && d[v[0] * colunas + v[1]] == INF) {
                    d[v[0] * colunas + v[1]] = d[fila[i]] + 1;
                    fila.push_back(v[0] * colunas + v[1]);
                }
            }
        }
        // A row away from the preferred one costs more than a tile of
        // detour: a car thrown up a side street heads back to the avenue
        // rather than racing on among the traffic entering up there.
        auto desvio = [linhaPreferida](int linha) {
            return linhaPreferida < 0 ? 0L : std::abs(linha - linhaPreferida) * 150L;  // -1: no row preferred
        };
        int r = std::clamp(y / 64, 0, linhas - 1), c = std::clamp(x / 64, 0, colunas - 1);
        for (int passo = 0; passo < 4; ++passo) {
            int melhorR = r, melhorC = c;
            long melhor = d[r * colunas + c] == INF ? (1L << 40) : d[r * colunas + c] * 100L + desvio(r);
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    int nr = r + dr, nc = c + dc;
                    if ((dr == 0 && dc == 0) || !livre(nr, nc) || d[nr * colunas + nc] == INF) continue;
                    // A diagonal step only between two free tiles.
                    if (dr != 0 && dc != 0 && (!livre(r + dr, c) || !livre(r, c + dc))) continue;
                    long custo = d[nr * colunas + nc] * 100L + desvio(nr);
                    if (custo < melhor) {
                        melhor = custo;
                        melhorR = nr;
                        melhorC = nc;
                    }
                }
            }
            r = melhorR;
            c = melhorC;
        }
        double alvoX = c * 64 + 32, alvoY = r * 64 + 32;
        if (alvoX - x == 0 && alvoY - y == 0) return 0;
        double a = std::atan2(alvoY - y, alvoX - x);
        return a < 0 ? a + 2 * M_PI : a;
    }
    int altura() const { return linhas * 64; }

    // -1 for the mask colour or outside the sheet.
    int pixelTile(int codigo, int x, int y) const {
        int sx = (codigo - 1) * 64 + x;
        if (codigo < 1 || sx >= tiles->w || y >= tiles->h) return -1;
        int c = _getpixel32(tiles, sx, y);
        return ehMascara(c) ? -1 : c;
    }
    int pixel(int mx, int my) const {
        if (mx < 0 || my < 0 || mx >= largura() || my >= altura()) return 0;
        int i = (my / 64) * colunas + mx / 64;
        int c = pixelTile(superior[i], mx % 64, my % 64);
        if (c >= 0) return c;
        c = pixelTile(inferior[i], mx % 64, my % 64);
        return c >= 0 ? c : 0;
    }
};

// Parts of the window where the head-up display hides the city.
bool ehPainel(int x, int y) {
    if (y < 84 && x > 290 && x < 510) return true;  // clock, and the gap to the ghost
    if (y < 8) return true;                         // progress strip
    if (x >= 620 && y >= 470) return true;          // gear, throttle, speed dial
    return false;
}

// Per mille of sampled window pixels that match the city seen from corner
// (vx, vy); the player's car at the centre is left out.
int ajusteVista(BITMAP* foto, const Cidade& cidade, int vx, int vy, int passo) {
    int iguais = 0, total = 0;
    for (int y = passo / 2; y < 600; y += passo) {
        for (int x = passo / 2; x < 800; x += passo) {
            if (ehPainel(x, y)) continue;
            ++total;
            if (parecidos(_getpixel32(foto, x, y), cidade.pixel(vx + x, vy + y))) ++iguais;
        }
    }
    return total ? iguais * 1000 / total : 0;
}

// The opaque pixels of the car picture turned by `angulo` (library units)
// around its centre, relative to that centre.
struct PixelCarro {
    int dx, dy, cor;
};
std::vector<PixelCarro> carroGirado(BITMAP* carro, BITMAP* rascunho, fixed angulo) {
    clear_to_color(rascunho, makecol32(255, 0, 255));
    const int meio = rascunho->w / 2;
    rotate_sprite(rascunho, carro, meio - carro->w / 2, meio - carro->h / 2, angulo);
    std::vector<PixelCarro> pixels;
    for (int j = 0; j < rascunho->h; ++j) {
        for (int i = 0; i < rascunho->w; ++i) {
            int c = _getpixel32(rascunho, i, j);
            if (!ehMascara(c)) pixels.push_back({i - meio, j - meio, c});
        }
    }
    return pixels;
}

// Per mille of those pixels that match the photo with the centre at (cx, cy).
int encaixeCarro(BITMAP* foto, const std::vector<PixelCarro>& pixels, int cx, int cy) {
    int iguais = 0;
    for (const PixelCarro& p : pixels) {
        int fx = cx + p.dx, fy = cy + p.dy;
        if (fx >= 0 && fy >= 0 && fx < foto->w && fy < foto->h && parecidos(p.cor, _getpixel32(foto, fx, fy))) ++iguais;
    }
    return pixels.empty() ? 0 : static_cast<int>(iguais * 1000 / pixels.size());
}

int posicao(BITMAP* foto, const std::string& jogo, int dicaVy, int linhaPreferida) {
    Cidade cidade;
    if (!cidade.carregar(jogo)) {
        std::fprintf(stderr, "olho: unreadable map or tile sheet in %s\n", jogo.c_str());
        return 2;
    }
    const int p = progresso(foto);
    if (p < 0) {
        std::fprintf(stderr, "olho: no mark on the progress strip\n");
        return 1;
    }
    // The strip gives the car's x within a few pixels; the view's corner
    // follows from it but for the edges.
    const int maxVx = cidade.largura() - 800, maxVy = cidade.altura() - 600;
    const int xEstimado = p * cidade.largura() / 800;
    int melhor = -1, bx = 0, by = 0;
    // A hint (the last corner found) narrows the vertical search.
    const int vyDe = dicaVy >= 0 ? std::max(0, dicaVy - 96) : 0;
    const int vyAte = dicaVy >= 0 ? std::min(maxVy, dicaVy + 96) : maxVy;
    // One strip pixel is a dozen map pixels on the avenue, more on a longer map.
    const int folga = std::max(12, cidade.largura() / 800 + 1);
    for (int xc = xEstimado - folga; xc <= xEstimado + folga; xc += 4) {
        int vx = std::clamp(xc - 400, 0, maxVx);
        for (int vy = vyDe; vy <= vyAte; vy += 4) {
            int a = ajusteVista(foto, cidade, vx, vy, 40);
            if (a > melhor) {
                melhor = a;
                bx = vx;
                by = vy;
            }
        }
    }
    int cx = bx, cy = by;
    melhor = -1;
    for (int vx = std::max(0, cx - 6); vx <= std::min(maxVx, cx + 6); ++vx) {
        for (int vy = std::max(0, cy - 4); vy <= std::min(maxVy, cy + 4); ++vy) {
            int a = ajusteVista(foto, cidade, vx, vy, 12);
            if (a > melhor) {
                melhor = a;
                bx = vx;
                by = vy;
            }
        }
    }
    // The car: at the window's centre unless the view stopped at an edge,
    // where it may be anywhere between the edge and the centre.
    BITMAP* carro = load_bitmap((jogo + "/graficos/carros/jogador.bmp").c_str(), nullptr);
    if (!carro) return 2;
    const int lado = static_cast<int>(std::ceil(std::hypot(carro->w, carro->h))) + 4;
    BITMAP* rascunho = create_bitmap(lado, lado);
    int xDe = 400, xAte = 400, yDe = 300, yAte = 300;
    if (bx == 0) {
        xDe = std::max(0, std::min(400, xEstimado) - 16);
        xAte = std::min(400, xEstimado + 16);
    }
    if (bx == maxVx) {
        xDe = std::max(400, xEstimado - maxVx - 16);
        xAte = std::min(800, xEstimado - maxVx + 16);
    }
    if (by == 0) {
        yDe = 0;
        yAte = 300;
    }
    if (by == maxVy) {
        yDe = 300;
        yAte = 600;
    }
    xDe -= 1;
    xAte += 1;
    yDe -= 1;
    yAte += 1;
    // Over a wide range every other pixel first; the heading is refined
    // below, and a car is far wider than two pixels.
    const int passoX = xAte - xDe > 8 ? 2 : 1, passoY = yAte - yDe > 8 ? 2 : 1;
    int melhorCarro = -1, carroX = 400, carroY = 300, melhorK = 0;
    for (int k = 0; k < 256; k += 4) {
        const std::vector<PixelCarro> pixels = carroGirado(carro, rascunho, itofix(k));
        for (int y = yDe; y <= yAte; y += passoY) {
            for (int x = xDe; x <= xAte; x += passoX) {
                int e = encaixeCarro(foto, pixels, x, y);
                if (e > melhorCarro) {
                    melhorCarro = e;
                    carroX = x;
                    carroY = y;
                    melhorK = k;
                }
            }
        }
    }
    // Finer heading and place around the best ones (one library unit is
    // 1.4 degrees).
    const int grossa = melhorK, gx = carroX, gy = carroY;
    for (int k = grossa - 3; k <= grossa + 3; ++k) {
        const std::vector<PixelCarro> pixels = carroGirado(carro, rascunho, itofix((k + 256) % 256));
        for (int y = gy - passoY + 1; y <= gy + passoY - 1; ++y) {
            for (int x = gx - passoX + 1; x <= gx + passoX - 1; ++x) {
                int e = encaixeCarro(foto, pixels, x, y);
                if (e > melhorCarro) {
                    melhorCarro = e;
                    melhorK = (k + 256) % 256;
                    carroX = x;
                    carroY = y;
                }
            }
        }
    }
    destroy_bitmap(rascunho);
    destroy_bitmap(carro);
    destroy_bitmap(cidade.tiles);
    const double angulo = melhorK * 2 * M_PI / 256;
    const int x = bx + carroX, y = by + carroY;
    const int colunaChegada = cidade.chegada / LADO_TILE;
    const double erro = std::remainder(cidade.rumoParaChegada(x, y, colunaChegada, linhaPreferida) - angulo, 2 * M_PI);
    std::printf("x=%d y=%d angulo=%.3f erro=%.3f encaixe=%d ajuste=%d vy=%d\n", x, y, angulo, erro, melhorCarro, melhor,
                by);
    return 0;
}

// The race clock's reading in ms, or -1 when the clock is not drawn: its
// frame, and a digit at each of the six places (see Pintor::pintarRelogio).
int relogio(BITMAP* foto, const std::string& jogo) {
    if (diferenca(foto, jogo, "graficos/imagens/4.bmp", -1, 0, 43) > 100) return -1;
    const int m = (800 - 192) / 2, lugares[6] = {19, 42, 73, 96, 127, 150};
    int valor = 0;
    for (int x : lugares) {
        int melhor = -1, menor = 151;
        for (int d = 0; d < 10; ++d) {
            const int dif = diferenca(foto, jogo, "graficos/numeros/" + std::to_string(d) + ".bmp", m + x, 13);
            if (dif < menor) menor = dif, melhor = d;
        }
        if (melhor < 0) return -1;
        valor = valor * 10 + melhor;
    }
    return valor / 10000 * 60000 + valor / 100 % 100 * 1000 + valor % 100 * 10;
}

// Watches the race clock of window JANELA (at a whole scale) for SEGUNDOS,
// reading its rows straight from the X server every 5 ms, fast enough to
// see every frame the game shows. Prints each new reading (ms since the
// watch began, the reading), then: primeira (the first reading), recuos
// (readings below the one before), leituras (distinct readings), and
// desvio (how far the clock's progress from its first moving reading to
// its last strays from the time that passed, in ms).
int vigiarRelogio(const char* janela, const std::string& jogo, double segundos) {
    Display* d = XOpenDisplay(nullptr);
    XWindowAttributes a;
    const Window w = std::strtoul(janela, nullptr, 0);
    if (!d || !XGetWindowAttributes(d, w, &a) || a.width < 800) return 2;
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window gone is no crash
    const int k = a.width / 800, x0 = (800 - 192) / 2;
    BITMAP* foto = create_bitmap(800, 600);
    clear_bitmap(foto);
    auto agora = [] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
    const double inicio = agora();
    double t = 0, tMovel = -1, tUltima = 0;
    int ultima = -1, primeira = -1, movel = 0, recuos = 0, leituras = 0;
    while ((t = agora() - inicio) < segundos * 1000) {
        usleep(5000);
        XImage* img = XGetImage(d, w, x0 * k, 0, 192 * k, 56 * k, AllPlanes, ZPixmap);
        if (!img) continue;
        for (int y = 0; y < 56; ++y)
            for (int x = 0; x < 192; ++x) {
                const unsigned long p = XGetPixel(img, x * k, y * k);  // 0xRRGGBB, as a 24-bit visual has it
                putpixel(foto, x0 + x, y, makecol32((p >> 16) & 255, (p >> 8) & 255, p & 255));
            }
        XDestroyImage(img);
        const int r = relogio(foto, jogo);
        if (r < 0 || r == ultima) continue;
        if (primeira < 0) primeira = r;
        if (r > 0 && tMovel < 0) tMovel = t, movel = r;
        recuos += ultima >= 0 && r < ultima;
        ultima = r, tUltima = t, ++leituras;
        std::printf("%.0f %d\n", t, r);
    }
    std::printf("primeira=%d recuos=%d leituras=%d desvio=%.0f\n", primeira, recuos, leituras,
                tMovel < 0 ? 0 : (ultima - movel) - (tUltima - tMovel));
    return 0;
}

int uso() {
    std::fprintf(stderr,
                 "usage: olho painel PHOTO GAME | olho posicao PHOTO GAME [VY [ROW]] | olho relogio WINDOW GAME "
                 "SECONDS\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return uso();
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        std::fprintf(stderr, "olho: the library did not start\n");
        return 2;
    }
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);
    const std::string pergunta = argv[1];
    if (pergunta == "relogio") return argc == 5 ? vigiarRelogio(argv[2], argv[3], std::atof(argv[4])) : uso();
    BITMAP* foto = load_bitmap(argv[2], nullptr);
    if (!foto) {
        std::fprintf(stderr, "olho: cannot read \"%s\"\n", argv[2]);
        return 2;
    }
    if (pergunta == "painel" && argc == 4) {
        painel(foto, argv[3]);
    } else if (pergunta == "posicao" && argc >= 4 && argc <= 6) {
        // The race starts on tile row 8, the middle of the avenue.
        int r = posicao(foto, argv[3], argc >= 5 ? std::atoi(argv[4]) : -1, argc == 6 ? std::atoi(argv[5]) : 8);
        destroy_bitmap(foto);
        return r;
    } else {
        destroy_bitmap(foto);
        return uso();
    }
    destroy_bitmap(foto);
    allegro_exit();
    return 0;
}
END_OF_MAIN()
