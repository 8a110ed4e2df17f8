#include "PainelMedalha.h"

namespace {

// Body, rim and shine of each metal, by medal.
const int METAIS[4][3][3] = {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
                             {{214, 135, 70}, {135, 80, 35}, {245, 195, 150}},
                             {{205, 212, 222}, {120, 128, 145}, {250, 250, 255}},
                             {{255, 204, 51}, {176, 120, 20}, {255, 240, 170}}};

int cor(Medalhas::Medalha m, int parte) {
    return makecol(METAIS[m][parte][0], METAIS[m][parte][1], METAIS[m][parte][2]);
}

}  // namespace

int PainelMedalha::getCor(Medalhas::Medalha m) { return cor(m, 0); }

void PainelMedalha::desenhar(BITMAP* d, Medalhas::Medalha m, int cx, int cy, int r) {
    if (d == nullptr || m == Medalhas::NENHUMA) return;
    // The ribbon: two bands meeting behind the disc.
    const int esquerda[] = {cx - r, cy - 2 * r, cx - r / 3, cy - 2 * r, cx + r / 3, cy, cx - r / 3, cy};
    const int direita[] = {cx + r, cy - 2 * r, cx + r / 3, cy - 2 * r, cx - r / 3, cy, cx + r / 3, cy};
    polygon(d, 4, esquerda, makecol(200, 40, 40));
    polygon(d, 4, direita, makecol(40, 80, 200));
    circlefill(d, cx, cy, r, cor(m, 1));
    circlefill(d, cx, cy, r - 2, cor(m, 0));
    circle(d, cx, cy, r * 2 / 3, cor(m, 1));
    circlefill(d, cx - r / 3, cy - r / 3, r / 5, cor(m, 2));
}
