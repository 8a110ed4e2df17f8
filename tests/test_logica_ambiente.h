#ifndef TEST_LOGICA_AMBIENTE_H
#define TEST_LOGICA_AMBIENTE_H

// A whole logic driver running headless: a 20 x 150 city of open ground in a
// temporary directory, the recorder fed an engine buzz from memory, the
// clock moved by hand 40 ms per frame, and the keys and mouse written
// straight into the library's state.

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CapturaAudio.h"
#include "Carro.h"
#include "DiretorioTemporario.h"
#include "EstadoJogadores.h"
#include "EstadoJogo.h"
#include "FonteMemoria.h"
#include "Logica.h"
#include "Relogio.h"
#include "SinaisSintetizados.h"
#include "TratadorEntradas.h"

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

namespace ambiente {
// What main got from one frame.
struct Quadro {
    SituacaoGlobal estado;
    int subEstado, cantar, calar, fase, relogioMs;
    bool transicaoSub;
    Vetor posicao;  // the player's car, world order
};
}  // namespace ambiente
using ambiente::Quadro;

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

class AmbienteLogica : public ::testing::Test {
protected:
    void SetUp() override {
        dir.escrever("mapas/1.txt", mapa());
        // Traffic enters on rows 2, 15 and 17 heading right, clear of the
        // player's row 8.
        dir.escrever("mapas/1trans.txt", gradeCidade(1, [](int r, int c, int) {
                         return c == 1 && (r == 2 || r == 15 || r == 17) ? 868 : 0;
                     }));
        for (int t = 1; t <= 3; t++) dir.escrever("dados/carros/" + std::to_string(t) + ".car", "30 60\n");
        std::srand(1234);
        Relogio::setManual(100000);
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse(0, 0, false);
        CapturaAudio::setConsole(nulo);
        // A player roaring into the microphone: the buzz near full scale.
        std::vector<int16_t> som = SinaisSintetizados::ronco(4);
        for (int16_t& v : som) v = static_cast<int16_t>(std::clamp(v * 19 / 10, -32768, 32767));
        fonte.reset(new FonteMemoria(SinaisSintetizados::semSinal(som), 88200));
        CapturaAudio::setFonteGravacao(fonte->getFonte());
        logica.reset(new Logica(&entradas));
    }
    void TearDown() override {
        logica.reset();
        CapturaAudio::setFonteGravacaoPadrao();
        CapturaAudio::setConsole(nullptr);
        std::fclose(nulo);
        Relogio::setReal();
        apertar(KEY_E, false);
        apertar(KEY_ESC, false);
        mouse(0, 0, false);
    }
    static std::string mapa() {
        return gradeCidade(2, [](int, int, int camada) { return camada == 0 ? 1 : 0; });
    }

    static void apertar(int tecla, bool apertada = true) { key[tecla] = apertada ? 1 : 0; }
    static void mouse(int x, int y, bool botao = true) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = botao ? 1 : 0;
    }

    // One frame as main runs it, then 40 ms pass.
    Quadro quadro() {
        logica->calcularLogica();
        cavalete c = logica->construirCavalete();
        Carro* j = jogador();
        const bool corrida = c.estado == jogando || c.estado == finalizando;
        Quadro q{c.estado, c.subEstado, logica->getMusicasCantar(), logica->getMusicasCalar(), corrida ? c.fase : 0,
                 corrida ? c.minutos * 60000 + c.segundos * 1000 + c.centesimos * 10 : 0, c.transicaoSubEstado,
                 j ? j->getPosicao() : Vetor()};
        logica->fimDeCiclo();
        Relogio::avancar(40);
        return q;
    }
    Quadro clicar(int x, int y) {
        mouse(x, y);
        Quadro q = quadro();
        mouse(x, y, false);
        return q;
    }

    EstadoJogo* estado() { return logica->getEstado(); }
    Carro* jogador() { return logica->getEstadoJogadores()->getJogador1(); }

    // Play and the five loading frames: the countdown is next.
    void carregar() {
        clicar(300, 350);
        for (int i = 0; i < 5; i++) quadro();
    }
    // Through the countdown and the frame that starts the stopwatch.
    void largar() {
        while (estado()->getSubEstado() % 11 != 0) quadro();
        quadro();
    }

    // Frames with the driver's script (first gear, then up a gear near the
    // top of each) until the game is back in the menu.
    std::vector<Quadro> correrAteOMenu(size_t limite = 3000) {
        std::vector<Quadro> q;
        while (q.size() < limite && (q.empty() || q.back().estado != menu)) {
            if (Carro* c = jogador()) {
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

    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    std::unique_ptr<FonteMemoria> fonte;
    TratadorEntradas entradas;
    std::unique_ptr<Logica> logica;
};

#endif
