#ifndef TEST_LOGICA_AMBIENTE_H
#define TEST_LOGICA_AMBIENTE_H

// A whole logic driver running headless: a small city in a temporary
// directory, the recorder fed from memory, the clock moved by hand 40 ms per
// frame, and the keys and mouse written straight into the library's state.

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CapturaAudio.h"
#include "Carro.h"
#include "Cronometro.h"
#include "DiretorioTemporario.h"
#include "EstadoJogadores.h"
#include "EstadoJogo.h"
#include "FonteMemoria.h"
#include "Logica.h"
#include "LogicaNPC.h"
#include "Relogio.h"
#include "SinaisSintetizados.h"
#include "TratadorEntradas.h"

namespace ambiente {

const int LINHAS = 20;
const int COLUNAS = 150;

// Traffic start tiles: rows far from the player's row 8, heading right, so
// traffic never gets in the way of a scripted race.
struct Partida {
    int linha, coluna, codigo;
};

inline std::string mapaCidade(const std::vector<std::pair<int, int>>& predios = {}) {
    std::ostringstream s;
    for (int camada = 0; camada < 2; camada++) {
        s << LINHAS << ' ' << COLUNAS << '\n';
        for (int r = 0; r < LINHAS; r++) {
            for (int c = 0; c < COLUNAS; c++) {
                int tile = camada == 0 ? 1 : 0;
                for (auto& p : predios)
                    if (camada == 0 && p.first == r && p.second == c) tile = 700;
                s << tile << (c + 1 < COLUNAS ? ' ' : '\n');
            }
        }
    }
    return s.str();
}

inline std::string tabelaTransito(const std::vector<Partida>& partidas) {
    std::ostringstream s;
    s << LINHAS << ' ' << COLUNAS << '\n';
    for (int r = 0; r < LINHAS; r++) {
        for (int c = 0; c < COLUNAS; c++) {
            int codigo = 0;
            for (auto& p : partidas)
                if (p.linha == r && p.coluna == c) codigo = p.codigo;
            s << codigo << (c + 1 < COLUNAS ? ' ' : '\n');
        }
    }
    return s.str();
}

// What one frame handed to main.
struct Quadro {
    SituacaoGlobal estado;
    int subEstado;
    bool transicaoEstado;
    bool transicaoSub;
    int cantar;
    int calar;
    Vetor posicao;  // the player's car, world order (x vertical), when racing
    int marcha;
    int fase;
    int minutos, segundos, centesimos;
    int tiles;
    int npcs;
};

}  // namespace ambiente

class AmbienteLogica : public ::testing::Test {
protected:
    static constexpr int INICIO_RELOGIO = 100000;

    // Sound to feed: an engine buzz at nearly full scale (a player shouting
    // into the microphone), unless a test chooses another.
    virtual std::vector<int16_t> som() {
        std::vector<int16_t> s = SinaisSintetizados::ronco(4);
        for (int16_t& v : s) v = static_cast<int16_t>(std::clamp(v * 19 / 10, -32768, 32767));
        return s;
    }

    void SetUp() override {
        dir.reset(new DiretorioTemporario());
        dir->escrever("mapas/1.txt", ambiente::mapaCidade());
        dir->escrever("mapas/1trans.txt",
                      ambiente::tabelaTransito({{2, 1, 868}, {15, 1, 868}, {17, 1, 868}}));
        for (int t = 1; t <= 3; t++) dir->escrever("dados/carros/" + std::to_string(t) + ".car", "30 60\n");
        std::srand(1234);
        Relogio::setManual(INICIO_RELOGIO);
        soltarTudo();
        nulo = std::fopen("/dev/null", "w");
        CapturaAudio::setConsole(nulo);
        fonte.reset(new FonteMemoria(SinaisSintetizados::semSinal(som()), 88200));
        CapturaAudio::setFonteGravacao(fonte->getFonte());
        entradas.reset(new TratadorEntradas());
        logica.reset(new Logica(entradas.get()));
    }

    void TearDown() override {
        logica.reset();
        entradas.reset();
        CapturaAudio::setFonteGravacaoPadrao();
        CapturaAudio::setConsole(nullptr);
        std::fclose(nulo);
        fonte.reset();
        soltarTudo();
        Relogio::setReal();
        dir.reset();
    }

    static void soltarTudo() {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse_b = 0;
        mouse_x = 0;
        mouse_y = 0;
    }
    static void apertar(int tecla, bool apertada = true) { key[tecla] = apertada ? 1 : 0; }
    static void mouse(int x, int y, bool botao = true) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = botao ? 1 : 0;
    }

    // One frame as main runs it, then 40 ms pass.
    ambiente::Quadro quadro() {
        logica->calcularLogica();
        cavalete c = logica->construirCavalete();
        ambiente::Quadro q;
        q.estado = c.estado;
        q.subEstado = c.subEstado;
        q.transicaoEstado = c.transicaoEstadoGlobal;
        q.transicaoSub = c.transicaoSubEstado;
        q.cantar = logica->getMusicasCantar();
        q.calar = logica->getMusicasCalar();
        Carro* jogador = logica->getEstadoJogadores()->getJogador1();
        q.posicao = jogador ? jogador->getPosicao() : Vetor();
        q.marcha = c.marcha;
        q.fase = c.fase;
        q.minutos = c.minutos;
        q.segundos = c.segundos;
        q.centesimos = c.centesimos;
        q.tiles = 0;
        q.npcs = 0;
        const bool comListas = (c.estado == jogando || c.estado == finalizando) && c.subEstado % 5 != 0;
        if (comListas) {
            for (auto it = c.itTilesInicio; it != c.itTilesFim; ++it) q.tiles++;
            q.npcs = c.numeroNPCs;
        }
        logica->fimDeCiclo();
        Relogio::avancar(40);
        return q;
    }

    // Clicks a point for one frame and lets go.
    ambiente::Quadro clicar(int x, int y) {
        mouse(x, y);
        ambiente::Quadro q = quadro();
        mouse(x, y, false);
        return q;
    }

    EstadoJogo* estado() { return logica->getEstado(); }
    Carro* jogador() { return logica->getEstadoJogadores()->getJogador1(); }

    // From the main menu to the first countdown frame: Play and five
    // loading frames.
    void carregar() {
        clicar(300, 350);
        for (int i = 0; i < 5; i++) quadro();
    }

    // On to the race: the six countdown frames and the stopwatch start.
    void largar() {
        while (estado()->getSubEstado() % 11 != 0) quadro();
        quadro();  // 77: the stopwatch starts
    }

    // The driver's script: first gear during the countdown, then up a gear
    // whenever the car nears the top of the current one.
    void dirigir() {
        Carro* c = jogador();
        const float v = c->getModuloVelocidade();
        const int m = c->getMarcha();
        const bool subir = (m == 0) || (m == 1 && v > 6.5f) || (m == 2 && v > 19.0f);
        apertar(KEY_E, subir && !c->getMudancaMarcha());
    }

    // Runs frames with the driver's script until the game is back in the
    // menu; returns every frame seen.
    std::vector<ambiente::Quadro> correrAteOMenu(int limite = 3000) {
        std::vector<ambiente::Quadro> quadros;
        while (static_cast<int>(quadros.size()) < limite) {
            if (jogador() != nullptr && estado()->getEstadoGlobal() == jogando) dirigir();
            quadros.push_back(quadro());
            if (quadros.back().estado == menu) break;
        }
        apertar(KEY_E, false);
        return quadros;
    }

    // The running time of a race from its frames: the stopwatch starts in
    // the frame that finds 77 and stops in the finish frame; every frame
    // in between that was not paused ran 40 ms.
    static int tempoCorrendo(const std::vector<ambiente::Quadro>& q) {
        size_t inicio = 0;
        while (inicio < q.size() && q[inicio].subEstado != 77) inicio++;
        inicio++;  // this frame started the stopwatch
        int ms = 0;
        for (size_t i = inicio + 1; i < q.size(); i++) {
            // Time runs into a frame unless the frame before left the race
            // paused.
            if (q[i - 1].subEstado % 5 != 0) ms += 40;
            if (q[i].estado == finalizando) return ms;
        }
        return -1;
    }

    std::unique_ptr<DiretorioTemporario> dir;
    std::unique_ptr<FonteMemoria> fonte;
    std::unique_ptr<TratadorEntradas> entradas;
    std::unique_ptr<Logica> logica;
    std::FILE* nulo = nullptr;
};

#endif
