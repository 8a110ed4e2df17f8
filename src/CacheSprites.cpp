#include "CacheSprites.h"

#include <cmath>
#include <iterator>

#include "CarregadorMidia.h"

namespace {

// A long evening of spins and stops must not grow the cache without end.
const size_t MAXIMO_GIRADAS = 4096;  // pairs remembered, most of them seen once
const int MAXIMO_GUARDADAS = 256;    // pairs kept as runs, about 13 KB each for a car

// The side of a square about the picture's centre that holds it turned by
// any angle, with two pixels to spare on every side.
int ladoGirado(const BITMAP* b) {
    return static_cast<int>(std::ceil(std::sqrt(static_cast<double>(b->w) * b->w + static_cast<double>(b->h) * b->h))) +
           4;
}

// Where the library may draw `imagem` turned by `angulo` (256 units to a
// turn, 16.16) about its centre, with its top-left at (x, y): the turned
// rectangle's bounds, two pixels wider on every side for the rounding.
Retangulo areaGirada(const BITMAP* imagem, int x, int y, fixed angulo) {
    const double a = fixtof(angulo) * 2 * M_PI / 256;
    const double c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    const double meiaL = (imagem->w * c + imagem->h * s) / 2 + 2, meiaA = (imagem->w * s + imagem->h * c) / 2 + 2;
    const double cx = x + imagem->w / 2.0, cy = y + imagem->h / 2.0;
    return Retangulo(static_cast<int>(std::floor(cx - meiaL)), static_cast<int>(std::floor(cy - meiaA)),
                     static_cast<int>(std::ceil(cx + meiaL)), static_cast<int>(std::ceil(cy + meiaA)));
}

}  // namespace

CacheSprites::CacheSprites() : ativo(true), guardadas(0) {}

void CacheSprites::setAtivo(bool sim) {
    ativo = sim;
    limpar();
}

void CacheSprites::limpar() {
    fixas.clear();
    giradas.clear();
    guardadas = 0;
}

void CacheSprites::desenhar(BITMAP* destino, BITMAP* imagem, int x, int y) {
    if (destino == nullptr || imagem == nullptr) return;
    if (ativo) {
        std::unique_ptr<ImagemTrechos>& t = fixas[imagem];
        if (!t) t.reset(new ImagemTrechos(imagem));
        if (t->desenhar(destino, x, y)) return;
    }
    draw_sprite(destino, imagem, x, y);
}

std::unique_ptr<ImagemTrechos> CacheSprites::rodar(BITMAP* imagem, int profundidade, fixed angulo) {
    const int lado = ladoGirado(imagem);
    const int x0 = (lado - imagem->w) / 2, y0 = (lado - imagem->h) / 2;
    BITMAP* quadro = create_bitmap_ex(profundidade, lado, lado);
    if (quadro == nullptr) return nullptr;
    clear_to_color(quadro, bitmap_mask_color(quadro));
    // Moved by whole pixels the library's rotation draws the same pixels:
    // only where the picture lands changes.
    CarregadorMidia::girar(quadro, imagem, x0, y0, angulo);
    std::unique_ptr<ImagemTrechos> t(new ImagemTrechos(quadro, -x0, -y0));
    destroy_bitmap(quadro);
    if (t->isTocaBorda()) t.reset();  // could have been cut off: never kept
    return t;
}

Retangulo CacheSprites::girar(BITMAP* destino, BITMAP* imagem, int x, int y, fixed angulo, const Retangulo* so) {
    if (destino == nullptr || imagem == nullptr) return Retangulo();
    const Retangulo area = areaGirada(imagem, x, y, angulo);
    if (so != nullptr && area.intersectar(*so).isVazio()) return Retangulo();
    if (ativo) {
        const Chave chave{imagem, angulo};
        auto it = giradas.find(chave);
        if (it == giradas.end()) {
            if (giradas.size() >= MAXIMO_GIRADAS) {
                for (auto i = giradas.begin(); i != giradas.end();)
                    i = i->second.guardada ? std::next(i) : giradas.erase(i);
            }
            giradas.emplace(chave, Girada());
        } else if (!it->second.guardada && guardadas >= MAXIMO_GUARDADAS) {
            giradas.clear();  // start over rather than keep what may never come back
            guardadas = 0;
        } else {
            Girada& g = it->second;
            if (!g.guardada) {
                g.trechos = rodar(imagem, bitmap_color_depth(destino), angulo);
                g.guardada = true;
                ++guardadas;
            }
            if (g.trechos && g.trechos->desenhar(destino, x, y)) {
                const Retangulo& c = g.trechos->getContorno();
                return Retangulo(x + c.x1, y + c.y1, x + c.x2, y + c.y2);
            }
        }
    }
    CarregadorMidia::girar(destino, imagem, x, y, angulo);
    return area;
}
