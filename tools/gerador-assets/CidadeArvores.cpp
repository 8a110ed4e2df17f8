#include "CidadeArvores.h"

#include <allegro.h>

#include <cmath>

using namespace desenho;

namespace cidade {

namespace {

void copa(BITMAP* t, bool florida, Aleatorio& s) {
    int escuro = florida ? rgb(40, 110, 60) : rgb(30, 100, 40);
    int medio = florida ? rgb(60, 150, 80) : rgb(50, 140, 50);
    int claro = florida ? rgb(110, 190, 110) : rgb(100, 185, 80);
    circlefill(t, 34, 35, 27, rgb(20, 60, 25));
    circlefill(t, 32, 32, 26, escuro);
    for (int i = 0; i < 7; i++) {
        double a = i * 2 * M_PI / 7;
        circlefill(t, 32 + int(14 * std::cos(a)), 32 + int(14 * std::sin(a)), 11, medio);
    }
    circlefill(t, 26, 25, 10, claro);
    circlefill(t, 23, 22, 4, clarear(claro, 0.3f));
    if (florida) {
        for (int i = 0; i < 18; i++) {
            int x = s.entre(12, 52), y = s.entre(12, 52);
            if ((x - 32) * (x - 32) + (y - 32) * (y - 32) < 22 * 22) circlefill(t, x, y, 2, rgb(255, 150, 190));
        }
    }
}

// A palm seen from above: fronds fanning out from the crown.
void palmeira(BITMAP* t, bool coqueiro) {
    const int folha = coqueiro ? rgb(70, 150, 60) : rgb(90, 170, 70), nervura = rgb(40, 100, 40);
    const int folhas = coqueiro ? 9 : 7;
    for (int i = 0; i < folhas; i++) {
        const double a = i * 2 * M_PI / folhas + 0.3;
        const int x2 = 32 + int(27 * std::cos(a)), y2 = 32 + int(27 * std::sin(a));
        for (int k = -3; k <= 3; k++) {
            const double b = a + M_PI / 2;
            line(t, 34 + int(k * std::cos(b)), 35 + int(k * std::sin(b)), x2 + 2, y2 + 3, rgb(30, 70, 30));
        }
        for (int k = -3; k <= 3; k++) {
            const double b = a + M_PI / 2;
            line(t, 32 + int(k * std::cos(b)), 32 + int(k * std::sin(b)), x2, y2, folha);
        }
        line(t, 32, 32, x2, y2, nervura);
    }
    circlefill(t, 32, 32, 5, rgb(120, 90, 50));
    if (coqueiro) {
        circlefill(t, 29, 35, 3, rgb(140, 100, 40));
        circlefill(t, 35, 35, 3, rgb(140, 100, 40));
    }
}

// A small tree in a square concrete planter, as downtown sidewalks have.
void canteiro(BITMAP* t, bool florido, Aleatorio& s) {
    rectfill(t, 12, 12, 51, 51, rgb(150, 148, 140));
    rectfill(t, 15, 15, 48, 48, rgb(90, 70, 50));
    circlefill(t, 33, 34, 17, rgb(20, 60, 25));
    circlefill(t, 32, 32, 16, florido ? rgb(70, 140, 70) : rgb(40, 120, 50));
    circlefill(t, 28, 28, 8, florido ? rgb(120, 190, 110) : rgb(90, 170, 80));
    if (florido) {
        for (int i = 0; i < 10; i++) circlefill(t, s.entre(20, 44), s.entre(20, 44), 2, rgb(255, 210, 80));
    }
}

}  // namespace

void arvore(BITMAP* t, const Paleta& p, bool florida, Aleatorio& s) {
    clear_to_color(t, magenta());
    switch (p.arvore) {
        case Paleta::COPA: copa(t, florida, s); break;
        case Paleta::PALMEIRA: palmeira(t, florida); break;
        case Paleta::CANTEIRO: canteiro(t, florida, s); break;
    }
}

}  // namespace cidade
