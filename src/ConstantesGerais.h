#ifndef CONSTANTESGERAIS_H
#define CONSTANTESGERAIS_H

#include <list>

#include "Vetor.h"

// The city is drawn from square tiles of this side, in pixels; a car's tile
// is its position divided by it.
constexpr int LADO_TILE = 64;

// One frame of the game, in seconds: the 40 ms tick, and the step every
// car moves by (physics, collisions and traffic alike).
constexpr double PASSO_QUADRO = 0.04;
constexpr float PASSO_QUADRO_F = static_cast<float>(PASSO_QUADRO);

// Where the game is. The values are fixed: they travel in the frame snapshot.
enum SituacaoGlobal { abertura = 0, menu = 1, carregando = 2, jogando = 3, finalizando = 4, sair = 5 };

// End-of-race reason carried by the snapshot (kept for the record layout).
enum Motivo { jogador1 = 1, jogador2 = 2, tempo = 3 };

// One frame, from the logic to the renderer, passed by value. The iterators
// point into the logic driver's per-frame lists and are valid only until the
// end of the frame in which the record was built.
struct cavalete {
    SituacaoGlobal estado;
    bool transicaoEstadoGlobal;
    bool transicaoSubEstado;
    int fase;
    int subEstado;
    Motivo mensagem;
    Vetor posicaoJogador1;  // screen order: x horizontal, y vertical
    float velocidadeJogador1;
    float anguloJogador1;
    int endFotoCarro1;
    float acelleracao;
    int minutos;
    int segundos;
    int centesimos;
    int marcha;  // 0 to 3; reverse is sent as 9
    std::list<Vetor>::iterator itTilesInicio;
    std::list<Vetor>::iterator itTilesFim;
    std::list<Vetor>::iterator itPosicaoInicio;
    std::list<Vetor>::iterator itPosicaoFim;
    std::list<float>::iterator itAnguloInicio;
    std::list<int>::iterator itTipoCarro;
    int numeroNPCs;
    bool microfonePerdido;  // the recorder stopped delivering: W is the throttle
    bool gasPelaTecla;      // W drives, not the voice (the throttle bar says so)
    bool dicaCalibrar;      // the voice is heard but too quiet: the HUD says how to calibrate
    // The ghost of the best run on the race clock (screen order, as
    // posicaoJogador1), and the gap to it in ms (negative: ahead), each
    // only when there is one to show.
    bool fantasmaLigado;  // the player's setting (G), in every state
    bool fantasmaVisivel;
    Vetor posicaoFantasma;
    float anguloFantasma;
    bool temDiferenca;
    int diferencaFantasma;

    // Only the positions, the iterators, the microphone's notices and the
    // ghost are given a value here; the logic fills every other field that
    // the current state uses.
    cavalete()
        : posicaoJogador1(0.0f, 0.0f), itTilesInicio(), itTilesFim(), itPosicaoInicio(), itPosicaoFim(),
          itAnguloInicio(), itTipoCarro(), microfonePerdido(false), gasPelaTecla(false), dicaCalibrar(false),
          fantasmaLigado(false), fantasmaVisivel(false), posicaoFantasma(), anguloFantasma(0.0f), temDiferenca(false),
          diferencaFantasma(0) {}
};

typedef cavalete Cavalete;

#endif
