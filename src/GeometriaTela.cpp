#include "GeometriaTela.h"

#include <algorithm>

namespace {

// A window's title bar and a desktop's panel take some of its height.
const int MARGEM_DESKTOP = 64;

}  // namespace

GeometriaTela::GeometriaTela() : GeometriaTela(LARGURA, ALTURA, true) {}

GeometriaTela::GeometriaTela(int larguraAlvo, int alturaAlvo, bool soInteira)
    : larguraAlvo(std::max(1, larguraAlvo)), alturaAlvo(std::max(1, alturaAlvo)), x(0), y(0), largura(0), altura(0) {
    const int W = this->larguraAlvo, H = this->alturaAlvo;
    if (soInteira) {
        const int k = std::max(1, std::min(W / LARGURA, H / ALTURA));
        largura = LARGURA * k;
        altura = ALTURA * k;
    } else if (static_cast<long>(W) * ALTURA <= static_cast<long>(H) * LARGURA) {
        largura = W;  // as wide as the target: bars above and below
        altura = std::max(1, static_cast<int>(static_cast<long>(W) * ALTURA / LARGURA));
    } else {
        altura = H;  // as high: bars left and right
        largura = std::max(1, static_cast<int>(static_cast<long>(H) * LARGURA / ALTURA));
    }
    // A whole multiple larger than the target (x1 on a tiny screen) is
    // centred all the same: its middle shows.
    x = (W - largura) / 2;
    y = (H - altura) / 2;
}

int GeometriaTela::getEscalaInteira() const {
    return largura % LARGURA == 0 && altura == largura / LARGURA * ALTURA ? largura / LARGURA : 0;
}

int GeometriaTela::colunaDe(int i) const { return static_cast<int>((2L * i + 1) * LARGURA / (2L * largura)); }

int GeometriaTela::linhaDe(int j) const { return static_cast<int>((2L * j + 1) * ALTURA / (2L * altura)); }

GeometriaTela::Ponto GeometriaTela::paraQuadro(int alvoX, int alvoY) const {
    const int i = alvoX - x, j = alvoY - y;
    Ponto p;
    p.x = i < 0 ? -1 : i >= largura ? LARGURA : colunaDe(i);
    p.y = j < 0 ? -1 : j >= altura ? ALTURA : linhaDe(j);
    return p;
}

int GeometriaTela::escalaQueCabe(int larguraDesktop, int alturaDesktop) {
    for (int k = ESCALA_MAXIMA; k > 1; k--) {
        if (LARGURA * k <= larguraDesktop && ALTURA * k + MARGEM_DESKTOP <= alturaDesktop) return k;
    }
    return 1;
}

int GeometriaTela::escalaInicial(int salva, int larguraDesktop, int alturaDesktop) {
    const int maxima = escalaQueCabe(larguraDesktop, alturaDesktop);
    return salva >= 1 && salva <= ESCALA_MAXIMA ? std::min(salva, maxima) : maxima;
}

int GeometriaTela::proximaEscala(int atual, int maxima) { return atual >= maxima || atual < 1 ? 1 : atual + 1; }
