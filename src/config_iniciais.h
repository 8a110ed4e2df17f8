#ifndef CONFIG_INICIAIS_H
#define CONFIG_INICIAIS_H

#include "Vetor.h"

// How a race starts: which car each player drives, with which picture, and
// where it is placed. Only player 1 drives; the player-2 fields are kept so
// that the record stays the same shape if a second player is ever added.
struct config_iniciais {
    int id1;
    int foto1;
    int id2;
    int foto2;
    Vetor posJogador1;
    Vetor posJogador2;

    config_iniciais() : id1(0), foto1(0), id2(0), foto2(0), posJogador1(0.0f, 0.0f), posJogador2(0.0f, 0.0f) {}
};

typedef config_iniciais CONFIG_INICIAIS;

#endif
