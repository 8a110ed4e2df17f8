#ifndef ESTADOJOGO_H
#define ESTADOJOGO_H

#include "ConstantesGerais.h"

// Where the game is: the global state, the sub-state set and the songs to
// start and stop this frame. The sub-state and music sets are sets of primes
// stored as their product (1 is empty, p is a member when it divides).
class EstadoJogo {
public:
    // Sub-state primes.
    static constexpr int SUB_MENU_PRINCIPAL = 41;
    static constexpr int SUB_INSTRUCOES_1 = 2;   // the first instructions page, with the microphone check
    static constexpr int SUB_INSTRUCOES_2 = 73;  // with SUB_INSTRUCOES_1: the second page
    static constexpr int SUB_RECORDES = 3;
    static constexpr int SUB_CARREGA_MAPA = 19;  // the five loading steps, in order
    static constexpr int SUB_CARREGA_TRANSITO = 23;
    static constexpr int SUB_CARREGA_FIGURAS = 29;
    static constexpr int SUB_CARREGA_JOGADOR = 31;
    static constexpr int SUB_CARREGA_FIM = 37;
    static constexpr int SUB_LARGADA = 7;  // the start countdown
    static constexpr int SUB_CORRENDO = 11;
    static constexpr int SUB_PAUSA = 5;
    // The five start lights, lit one per countdown frame.
    static constexpr int LUZES = 5;
    static constexpr int SUB_LUZES[LUZES] = {43, 47, 53, 59, 61};
    // Removing a prime that is never present changes nothing.
    static constexpr int SUB_NENHUM = 523;

    // Music primes.
    static constexpr int MUSICA_MENU = 2;
    static constexpr int MUSICA_CORRIDA = 3;
    static constexpr int MUSICA_CARREGANDO = 7;  // the ignition sound

    // Whether the set `conjunto` holds `primo` (0 holds nothing).
    static bool contem(int conjunto, int primo) { return conjunto != 0 && conjunto % primo == 0; }

    EstadoJogo();

    void setEstadoGlobal(SituacaoGlobal s);
    SituacaoGlobal getEstadoGlobal() const;
    bool hasTransicaoEstadoGlobal() const;
    void zerarTransicaoEstadoGlobal();

    void setFaseAtual(int f);
    int getFaseAtual() const;

    // Returns whether p was already a member; multiplies in every case.
    bool addSubEstado(int p);
    // Divides only when p is a member; returns whether it was.
    bool remSubEstado(int p);
    int getSubEstado() const;
    bool hasTransicaoSubEstado() const;
    void zerarTransicaoSubEstado();

    void addMusicaStartada(int m);
    void addMusicaStopada(int m);
    int getMusicasToPlay() const;
    int getMusicasToStop() const;
    void zerarMusicas();

private:
    SituacaoGlobal estadoGlobal;
    int subEstado;
    bool transicaoEstadoGlobal;
    bool transicaoSubEstado;
    int fase_atual;
    int musicasStartadas;
    int musicasStopadas;
};

#endif
