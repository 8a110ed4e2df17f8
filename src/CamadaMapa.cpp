#include "CamadaMapa.h"

#include <climits>

#include "CarregadorMidia.h"

namespace {
// Cells a view of the screen's size can touch along each axis.
const int COLUNAS_VISTA = (800 + LADO_TILE - 2) / LADO_TILE + 1;
const int LINHAS_VISTA = (600 + LADO_TILE - 2) / LADO_TILE + 1;
}  // namespace

CamadaMapa::CamadaMapa() : bitmap(nullptr), janela(false), linhas(0), colunas(0), R(0), C(0), linha0(0), coluna0(0) {}

CamadaMapa::~CamadaMapa() { liberar(); }

void CamadaMapa::liberar() {
    CarregadorMidia::liberar(bitmap);
    janela = false;
    linhas = colunas = R = C = linha0 = coluna0 = 0;
}

bool CamadaMapa::criar(int novasLinhas, int novasColunas, size_t limite) {
    liberar();
    if (novasLinhas <= 0 || novasColunas <= 0) return false;
    const size_t bytes = static_cast<size_t>(novasLinhas) * novasColunas * LADO_TILE * LADO_TILE *
                         static_cast<size_t>((get_color_depth() + 7) / 8);
    janela = bytes > limite;
    R = janela ? std::min(novasLinhas, LINHAS_VISTA + 2 * MARGEM) : novasLinhas;
    C = janela ? std::min(novasColunas, COLUNAS_VISTA + 2 * MARGEM) : novasColunas;
    bitmap = create_bitmap(C * LADO_TILE, R * LADO_TILE);
    if (bitmap == nullptr) {
        liberar();
        return false;
    }
    CarregadorMidia::pedirPaginasGrandes(bitmap);
    clear_bitmap(bitmap);
    linhas = novasLinhas;
    colunas = novasColunas;
    // A window holds nothing until the first view; a whole layer holds all.
    linha0 = janela ? INT_MIN / 2 : 0;
    coluna0 = janela ? INT_MIN / 2 : 0;
    return true;
}

int CamadaMapa::inicioJanela(int primeira, int ultima, int quantas, int total) {
    return std::clamp((primeira + ultima + 1) / 2 - quantas / 2, 0, std::max(0, total - quantas));
}

void CamadaMapa::copiar(const Retangulo& vista, BITMAP* destino) {
    if (bitmap == nullptr) return;
    if (!janela) {
        blit(bitmap, destino, vista.x1, vista.y1, 0, 0, vista.getLargura(), vista.getAltura());
        return;
    }
    paraCadaPedaco(vista, [&](int dx, int dy) {
        // The part of the view this piece of the bitmap holds.
        const Retangulo p(std::max(vista.x1, bitmap->cl - dx), std::max(vista.y1, bitmap->ct - dy),
                          std::min(vista.x2, bitmap->cr - 1 - dx), std::min(vista.y2, bitmap->cb - 1 - dy));
        if (!p.isVazio())
            blit(bitmap, destino, p.x1 + dx, p.y1 + dy, p.x1 - vista.x1, p.y1 - vista.y1, p.getLargura(),
                 p.getAltura());
    });
}

Vetor CamadaMapa::getTamanho() const {
    return Vetor(static_cast<float>(colunas * LADO_TILE), static_cast<float>(linhas * LADO_TILE));
}

Retangulo CamadaMapa::girar(CacheSprites& sprites, BITMAP* imagem, int x, int y, fixed angulo, const Retangulo& vista) {
    const int cx = x + imagem->w / 2, cy = y + imagem->h / 2, raio = (imagem->w + imagem->h) / 2 + 4;
    return desenharEm(Retangulo(cx - raio, cy - raio, cx + raio, cy + raio), vista,
                      [&](int dx, int dy, const Retangulo& so) {
                          return sprites.girar(bitmap, imagem, x + dx, y + dy, angulo, &so);
                      });
}
