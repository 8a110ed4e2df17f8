#ifndef JOGOSEMTELA_H
#define JOGOSEMTELA_H

// The whole game logic running headless, one frame at a time as main runs
// it: a fresh working directory (the game reads its assets relative to it,
// so the user writes or links a city there), the recorder fed an engine
// buzz from memory 40 ms a frame as a microphone hands it over, the clock
// moved by hand 40 ms per frame, the keys and clicks played into the press
// latches. The race measurement (medir-corridas) plays its races
// with it, and the logic tests build their fixture on it.

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "CapturaAudio.h"
#include "Carro.h"
#include "DiretorioTemporario.h"
#include "EstadoJogadores.h"
#include "EstadoJogo.h"
#include "FonteMemoria.h"
#include "Logica.h"
#include "Pintor.h"
#include "Relogio.h"
#include "SinaisSintetizados.h"
#include "TratadorEntradas.h"
#include "TravaRato.h"
#include "TravaTeclas.h"

namespace ambiente {
// What main got from one frame.
struct Quadro {
    SituacaoGlobal estado;
    int subEstado, cantar, calar, fase, relogioMs;
    bool transicaoSub;
    Vetor posicao;  // the player's car, world order
    bool fantasma, temDiferenca;
    Vetor posicaoFantasma;  // screen order
    int diferenca;
    bool fantasmaListado;  // its cell is among the ones to repair
};
}  // namespace ambiente
using ambiente::Quadro;

class JogoSemTela {
public:
    // som: what the microphone hears, over and over (by default a player
    // roaring the buzz near full scale); empty: there is no microphone.
    explicit JogoSemTela(unsigned semente = 1234, const std::vector<int16_t>* som = nullptr) {
        std::srand(semente);
        Relogio::setManual(100000);
        soltarTudo();
        entradas.descartarApertos();
        mouse(0, 0, false);
        CapturaAudio::setConsole(nulo);
        std::vector<int16_t> alto = SinaisSintetizados::ronco(4);
        for (int16_t& v : alto) v = static_cast<int16_t>(std::clamp(v * 19 / 10, -32768, 32767));
        fonte.reset(new FonteMemoria(FonteMemoria::continua(SinaisSintetizados::semSinal(som ? *som : alto), true)));
        if (som && som->empty()) fonte->setRespostaInicio(0);
        CapturaAudio::setFonteGravacao(fonte->getFonte());
        logica.reset(new Logica(&entradas));
    }
    ~JogoSemTela() {
        logica.reset();
        CapturaAudio::setFonteGravacaoPadrao();
        CapturaAudio::setConsole(nullptr);
        std::fclose(nulo);
        Relogio::setReal();
        soltarTudo();
        mouse(0, 0, false);
    }
    JogoSemTela(const JogoSemTela&) = delete;
    JogoSemTela& operator=(const JogoSemTela&) = delete;

    // Keys go down and up as the library reports them to the press latch.
    static void apertar(int tecla, bool apertada = true) { TravaTeclas::registrar(apertada ? tecla : tecla | 0x80); }
    static void soltarTudo() {
        for (int k = 0; k < KEY_MAX; k++) apertar(k, false);
    }
    // The pointer moves to (x, y) and the left button goes down or up
    // there, as the library reports it to the click latch.
    static void mouse(int x, int y, bool botao = true) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = botao ? 1 : 0;
        TravaRato::registrar(MOUSE_FLAG_MOVE | (botao ? MOUSE_FLAG_LEFT_DOWN : MOUSE_FLAG_LEFT_UP), x, y);
    }

    // One frame as main runs it (drawn by `pintor` if given), then 40 ms pass.
    Quadro quadro(Pintor* pintor = nullptr) {
        logica->calcularLogica();
        cavalete c = logica->construirCavalete();
        if (pintor != nullptr) pintor->pintar(c);
        Carro* j = jogador();
        const bool corrida = c.estado == jogando || c.estado == finalizando;
        bool listado = false;
        for (auto t = c.itTilesInicio; c.fantasmaVisivel && t != c.itTilesFim; ++t)
            listado = listado || (static_cast<int>(t->getX()) == static_cast<int>(c.posicaoFantasma.getY()) / 64 &&
                                  static_cast<int>(t->getY()) == static_cast<int>(c.posicaoFantasma.getX()) / 64);
        Quadro q{c.estado,
                 c.subEstado,
                 logica->getMusicasCantar(),
                 logica->getMusicasCalar(),
                 corrida ? c.fase : 0,
                 corrida ? c.minutos * 60000 + c.segundos * 1000 + c.centesimos * 10 : 0,
                 c.transicaoSubEstado,
                 j ? j->getPosicao() : Vetor(),
                 c.fantasmaVisivel,
                 c.temDiferenca,
                 c.posicaoFantasma,
                 c.diferencaFantasma,
                 listado};
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

    // Member order is construction order: the directory comes first, since
    // the logic's sound capture writes its log file there.
    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    std::unique_ptr<FonteMemoria> fonte;
    TratadorEntradas entradas;
    std::unique_ptr<Logica> logica;
};

#endif
