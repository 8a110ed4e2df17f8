#ifndef AMBIENTELOGICA_H
#define AMBIENTELOGICA_H

// A whole logic driver running headless (JogoSemTela) on a 20 x 150 city
// of open ground.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "JogoSemTela.h"

// Built with AddressSanitizer: slower by some times, and its allocator
// keeps freed memory back.
#if defined(__SANITIZE_ADDRESS__)
#define RONCO_COM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RONCO_COM_ASAN 1
#endif
#endif

// One layer per entry of `camadas`; `celula(row, col, layer)` gives its number.
template <class F>
std::string gradeCidade(int camadas, F celula) {
    std::ostringstream s;
    for (int k = 0; k < camadas; k++) {
        s << "20 150\n";
        for (int r = 0; r < 20; r++)
            for (int c = 0; c < 150; c++) s << celula(r, c, k) << (c < 149 ? ' ' : '\n');
    }
    return s.str();
}

// Traffic laid out by hand, in the shape the logic walks: car i + 1 in slot
// i; a car at (-100, -100) is parked and not counted.
struct FrotaFalsa {
    std::vector<std::unique_ptr<Carro>> carros;
    int ativos = 0;
    Carro* por(float x, float y, int tipo = 1) {
        carros.emplace_back(new Carro(static_cast<int>(carros.size()) + 1, tipo, Vetor(x, y)));
        ativos += x != -100.0f;
        return carros.back().get();
    }
    int getMaxCarros() const { return static_cast<int>(carros.size()); }
    int getActiveCarro() const { return ativos; }
    Carro* getCarro(int i) { return carros[i].get(); }
};

class AmbienteLogica : public ::testing::Test, protected JogoSemTela {
protected:
    void SetUp() override {
        dir.escrever("mapas/1.txt", mapa());
        // Traffic enters on rows 2, 15 and 17 heading right, clear of the
        // player's row 8.
        dir.escrever("mapas/1trans.txt", gradeCidade(1, [](int r, int c, int) {
                         return c == 1 && (r == 2 || r == 15 || r == 17) ? 868 : 0;
                     }));
        for (int t = 1; t <= 3; t++) dir.escrever("dados/carros/" + std::to_string(t) + ".car", "30 60\n");
        dir.escrever("mapas/1medalhas.txt", "gold 9000\nsilver 12000\nbronze 20000\n");
    }
    static std::string mapa() {
        return gradeCidade(2, [](int, int, int camada) { return camada == 0 ? 1 : 0; });
    }

    // Frames with the driver's script (first gear, then up a gear near the
    // top of each; none for the first `parado` frames) until the game is
    // back in the menu.
    std::vector<Quadro> correrAteOMenu(size_t limite = 3000, size_t parado = 0) {
        std::vector<Quadro> q;
        while (q.size() < limite && (q.empty() || q.back().estado != menu)) {
            if (Carro* c = jogador(); c && q.size() >= parado) {
                const float v = c->getModuloVelocidade();
                const int m = c->getMarcha();
                apertar(KEY_E, !c->getMudancaMarcha() && (m == 0 || (m == 1 && v > 6.5f) || (m == 2 && v > 19)));
            }
            q.push_back(quadro());
        }
        apertar(KEY_E, false);
        return q;
    }

    // Running time of a race from its frames: the stopwatch starts in the
    // frame that finds 77 and stops at the finish; a frame adds its 40 ms
    // unless the frame before it left the race paused.
    static int tempoCorrendo(const std::vector<Quadro>& q) {
        size_t i = 0;
        while (i < q.size() && q[i].subEstado != 77) i++;
        int ms = 0;
        for (i += 2; i < q.size(); i++) {
            if (q[i - 1].subEstado % 5 != 0) ms += 40;
            if (q[i].estado == finalizando) return ms;
        }
        return -1;
    }
};

#endif
