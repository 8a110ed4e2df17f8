#include "PainelControle.h"

#include "CarregadorMidia.h"
#include "ConstantesGerais.h"
#include "ControleJogo.h"

namespace {

// The keys page's sub-state (2 x 73).
const int PAGINA_TECLAS = 73;

void desenharTeclas(BITMAP* d) {
    const int x1 = 56, x2 = 743;
    rectfill(d, x1, PainelControle::TECLAS_Y1, x2, PainelControle::TECLAS_Y2, makecol(16, 22, 48));
    rect(d, x1, PainelControle::TECLAS_Y1, x2, PainelControle::TECLAS_Y2, makecol(255, 220, 90));
    const int amarelo = makecol(255, 220, 90), branco = makecol(240, 240, 245);
    const char* const linhas[][2] = {
        {"STICK / D-PAD", "STEER"},   {"RB / LB", "SHIFT UP / DOWN"}, {"B", "BRAKE"},
        {"A / TRIGGER", "GAS, AS W"}, {"START", "PAUSE / RESUME"},    {"MENUS", "STICK MOVES, A PRESSES"}};
    CarregadorMidia::escreverCentrado(d, "GAMEPAD", (x1 + x2) / 2, PainelControle::TECLAS_Y1 + 6, 2, amarelo);
    int y = PainelControle::TECLAS_Y1 + 26;
    for (const auto& l : linhas) {
        CarregadorMidia::escreverAmpliado(d, l[0], x1 + 24, y, 2, amarelo);
        CarregadorMidia::escreverAmpliado(d, l[1], x1 + 264, y, 2, branco);
        y += 17;
    }
}

}  // namespace

int PainelControle::getCorDestaque() { return makecol(255, 230, 60); }

void PainelControle::desenhar(BITMAP* destino, const NavegacaoMenu* navegacao, int estado, int subEstado) {
    if (destino == nullptr || !ControleJogo::isPresente()) return;
    if (estado == menu && subEstado != 0 && subEstado % PAGINA_TECLAS == 0) desenharTeclas(destino);
    NavegacaoMenu::Botao b;
    if (navegacao != nullptr && navegacao->getDestaque(NavegacaoMenu::chavePagina(estado, subEstado), &b)) {
        for (int i = 3; i <= 5; i++) rect(destino, b.x1 - i, b.y1 - i, b.x2 + i, b.y2 + i, getCorDestaque());
        rect(destino, b.x1 - 6, b.y1 - 6, b.x2 + 6, b.y2 + 6, makecol(0, 0, 0));
    }
}
