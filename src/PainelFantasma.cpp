#include "PainelFantasma.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "CarregadorMidia.h"
#include "FormatoTempo.h"

namespace {
// Radians to the library's angle units (256 to a full turn).
const double RADIANOS_PARA_ALLEGRO = 40.764377;

// `origem`'s pixels but its mask colour over `destino` at (x, y), each
// `alfa` of 256 its own colour and the rest what was there, walking only
// each row's span of pictured pixels (`trechos`). The library's
// draw_trans_sprite calls a function per pixel of the whole square.
void misturar(BITMAP* destino, BITMAP* origem, int x, int y, uint32_t alfa,
              const std::vector<std::pair<int, int>>& trechos) {
    if (bitmap_color_depth(destino) != 32 || bitmap_color_depth(origem) != 32) {
        set_trans_blender(0, 0, 0, static_cast<int>(alfa));
        draw_trans_sprite(destino, origem, x, y);
        return;
    }
    const int de = std::max(0, destino->ct - y), ate = std::min(origem->h, destino->cb - y);
    const uint32_t mascara = static_cast<uint32_t>(bitmap_mask_color(origem)) & 0xFFFFFF;
    for (int j = de; j < ate; ++j) {
        const uint32_t* o = reinterpret_cast<const uint32_t*>(origem->line[j]);
        uint32_t* d = reinterpret_cast<uint32_t*>(destino->line[y + j]) + x;
        const int esquerda = std::max(trechos[j].first, destino->cl - x);
        const int direita = std::min(trechos[j].second, destino->cr - x);
        for (int i = esquerda; i < direita; ++i) {
            const uint32_t s = o[i];
            if ((s & 0xFFFFFF) == mascara) continue;
            const uint32_t rb = ((s & 0xFF00FF) * alfa + (d[i] & 0xFF00FF) * (256 - alfa)) >> 8;
            const uint32_t g = ((s & 0xFF00) * alfa + (d[i] & 0xFF00) * (256 - alfa)) >> 8;
            d[i] = (rb & 0xFF00FF) | (g & 0xFF00);
        }
    }
}

}  // namespace

PainelFantasma::PainelFantasma() : giros(), imagemGirada(nullptr) {}

PainelFantasma::~PainelFantasma() { esquecerGiros(); }

void PainelFantasma::esquecerGiros() {
    for (Giro& g : giros) {
        CarregadorMidia::liberar(g.rascunho);
        g = Giro();
    }
}

Retangulo PainelFantasma::desenharCarro(BITMAP* camada, BITMAP* imagem, Vetor centro, float angulo,
                                        const Retangulo& vista) {
    if (camada == nullptr || imagem == nullptr) return Retangulo();
    const int lado = static_cast<int>(std::ceil(std::hypot(imagem->w, imagem->h))) + 2;
    const int x = static_cast<int>(centro.getX()) - lado / 2;
    const int y = static_cast<int>(centro.getY()) - lado / 2;
    const Retangulo area(x, y, x + lado - 1, y + lado - 1);
    if (area.intersectar(vista).isVazio()) return Retangulo();
    // Turned to the library's whole angle units (too fine a turn to see).
    const int unidade = static_cast<int>(std::lround(angulo * RADIANOS_PARA_ALLEGRO)) & 255;
    Giro& g = giros[unidade];
    if (imagemGirada != imagem || (g.rascunho != nullptr && g.rascunho->w != lado)) esquecerGiros();
    imagemGirada = imagem;
    if (g.rascunho == nullptr) {
        g.rascunho = create_bitmap(lado, lado);
        if (g.rascunho == nullptr) return Retangulo();
        clear_to_color(g.rascunho, bitmap_mask_color(g.rascunho));
        CarregadorMidia::girar(g.rascunho, imagem, (lado - imagem->w) / 2, (lado - imagem->h) / 2, itofix(unidade));
        medir(g);
    }
    misturar(camada, g.rascunho, x, y, OPACIDADE, g.trechos);
    // Only where it drew needs repairing.
    const Retangulo& o = g.ocupado;
    return o.isVazio() ? o : Retangulo(x + o.x1, y + o.y1, x + o.x2, y + o.y2);
}

void PainelFantasma::medir(Giro& g) {
    BITMAP* r = g.rascunho;
    g.trechos.assign(r->h, std::make_pair(0, 0));
    g.ocupado = Retangulo();
    const int mascara = bitmap_mask_color(r);
    for (int j = 0; j < r->h; ++j) {
        int primeiro = r->w, ultimo = -1;
        for (int i = 0; i < r->w; ++i) {
            if (getpixel(r, i, j) == mascara) continue;
            primeiro = std::min(primeiro, i);
            ultimo = i;
        }
        if (ultimo < 0) continue;
        g.trechos[j] = std::make_pair(primeiro, ultimo + 1);
        g.ocupado = g.ocupado.unir(Retangulo(primeiro, j, ultimo, j));
    }
}

int PainelFantasma::getCorMarca() { return makecol(200, 170, 255); }

int PainelFantasma::getCorDiferenca(int ms) {
    const int centesimos = ms / 10;
    return centesimos < 0 ? makecol(80, 230, 100) : centesimos > 0 ? makecol(255, 80, 70) : makecol(240, 240, 240);
}

void PainelFantasma::desenharDiferenca(BITMAP* destino, int ms) {
    const std::string texto = FormatoTempo::diferenca(ms / 10);
    const int meia = static_cast<int>(texto.size()) * 8 + 8;
    rectfill(destino, 400 - meia, DIFERENCA_Y1, 400 + meia, DIFERENCA_Y2, makecol(16, 16, 28));
    rect(destino, 400 - meia, DIFERENCA_Y1, 400 + meia, DIFERENCA_Y2, makecol(200, 170, 255));
    CarregadorMidia::escreverCentrado(destino, texto, 401, DIFERENCA_Y1 + 4, 2, getCorDiferenca(ms));
}

void PainelFantasma::desenharMarca(BITMAP* destino, int x) { rectfill(destino, x - 3, 0, x + 3, 6, getCorMarca()); }
