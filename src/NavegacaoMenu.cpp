#include "NavegacaoMenu.h"

#include <cstdlib>

#include "ComandosEntrada.h"

namespace {

bool igual(const NavegacaoMenu::Botao& a, const NavegacaoMenu::Botao& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

// Twice the centre, to stay in whole numbers.
int cx(const NavegacaoMenu::Botao& b) { return b.x1 + b.x2; }
int cy(const NavegacaoMenu::Botao& b) { return b.y1 + b.y2; }

}  // namespace

NavegacaoMenu::NavegacaoMenu() : pagina(-1), botoes(), destaque(0), apertar(false) {}

void NavegacaoMenu::iniciarQuadro(long nova, unsigned comandos) {
    apertar = false;
    if (nova != pagina) {
        pagina = nova;
        botoes.clear();
        destaque = 0;
        return;
    }
    if (botoes.empty()) return;
    apertar = comandos & ComandosEntrada::MENU_APERTAR;
    // The way pushed: the nearest button whose centre lies that way, the
    // distance across it counting double.
    const int caminhos[4][3] = {{ComandosEntrada::MENU_ESQUERDA, -1, 0},
                                {ComandosEntrada::MENU_DIREITA, 1, 0},
                                {ComandosEntrada::MENU_CIMA, 0, -1},
                                {ComandosEntrada::MENU_BAIXO, 0, 1}};
    for (const auto& c : caminhos) {
        if (!(comandos & static_cast<unsigned>(c[0]))) continue;
        const Botao atual = botoes[destaque];
        long melhor = -1;
        size_t escolhido = destaque;
        for (size_t i = 0; i < botoes.size(); i++) {
            const long dx = cx(botoes[i]) - cx(atual), dy = cy(botoes[i]) - cy(atual);
            const long ao = dx * c[1] + dy * c[2];
            const long atraves = std::labs(dx * c[2]) + std::labs(dy * c[1]);
            if (ao <= 0) continue;
            if (melhor < 0 || ao + 2 * atraves < melhor) {
                melhor = ao + 2 * atraves;
                escolhido = i;
            }
        }
        destaque = escolhido;
    }
}

bool NavegacaoMenu::isApertado(const Botao& botao) {
    for (size_t i = 0; i < botoes.size(); i++) {
        if (igual(botoes[i], botao)) return apertar && i == destaque;
    }
    botoes.push_back(botao);
    return false;
}

bool NavegacaoMenu::getDestaque(long p, Botao* botao) const {
    if (p != pagina || botoes.empty()) return false;
    *botao = botoes[destaque];
    return true;
}
