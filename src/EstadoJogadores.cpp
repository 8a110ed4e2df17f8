#include "EstadoJogadores.h"

#include "Carro.h"

EstadoJogadores::EstadoJogadores() : jogador_1(nullptr) {}

EstadoJogadores::~EstadoJogadores() { delete jogador_1; }

void EstadoJogadores::inicializarCarrosJogadores(config_iniciais configuracoes) {
    delete jogador_1;
    jogador_1 = nullptr;
    jogador_1 = new Carro(configuracoes.id1, configuracoes.foto1, configuracoes.posJogador1);
}
