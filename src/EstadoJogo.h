#ifndef ESTADOJOGO_H
#define ESTADOJOGO_H

#include "ConstantesGerais.h"

// Where the game is: the global state, the sub-state set and the songs to
// start and stop this frame. The sub-state and music sets are sets of primes
// stored as their product (1 is empty, p is a member when it divides).
class EstadoJogo {
public:
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
