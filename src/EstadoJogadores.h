#ifndef ESTADOJOGADORES_H
#define ESTADOJOGADORES_H

#include "config_iniciais.h"

class Carro;

// Holds the player's car. Each race replaces it with a fresh one.
class EstadoJogadores {
public:
    EstadoJogadores();
    virtual ~EstadoJogadores();

    EstadoJogadores(const EstadoJogadores&) = delete;
    EstadoJogadores& operator=(const EstadoJogadores&) = delete;

    // Releases the previous race's car and places a new one.
    void inicializarCarrosJogadores(config_iniciais configuracoes);
    Carro* getJogador1() const { return jogador_1; }

private:
    Carro* jogador_1;
};

#endif
