#include "LugarJanela.h"

#include <algorithm>

namespace {

// One axis: the start that keeps the centre, within [0, tela - lado] (0
// when the side is longer than the screen).
int eixo(int inicio, int ladoAntes, int lado, int tela) {
    const int centrado = inicio + (ladoAntes - lado) / 2;
    return std::max(0, std::min(centrado, tela - lado));
}

}  // namespace

Retangulo LugarJanela::manterCentro(const Retangulo& janela, int largura, int altura, int larguraTela, int alturaTela) {
    const int x = eixo(janela.x1, janela.getLargura(), largura, larguraTela);
    const int y = eixo(janela.y1, janela.getAltura(), altura, alturaTela);
    return Retangulo(x, y, x + largura - 1, y + altura - 1);
}

Retangulo LugarJanela::centrada(int largura, int altura, int larguraTela, int alturaTela) {
    return manterCentro(Retangulo(0, 0, larguraTela - 1, alturaTela - 1), largura, altura, larguraTela, alturaTela);
}
