#include "EstadoJogo.h"

EstadoJogo::EstadoJogo()
    : estadoGlobal(menu), subEstado(SUB_MENU_PRINCIPAL), transicaoEstadoGlobal(true), transicaoSubEstado(true),
      fase_atual(0), musicasStartadas(1), musicasStopadas(1) {}

void EstadoJogo::setEstadoGlobal(SituacaoGlobal s) {
    estadoGlobal = s;
    transicaoEstadoGlobal = true;
}

SituacaoGlobal EstadoJogo::getEstadoGlobal() const { return estadoGlobal; }

bool EstadoJogo::hasTransicaoEstadoGlobal() const { return transicaoEstadoGlobal; }

void EstadoJogo::zerarTransicaoEstadoGlobal() { transicaoEstadoGlobal = false; }

void EstadoJogo::setFaseAtual(int f) { fase_atual = f; }

int EstadoJogo::getFaseAtual() const { return fase_atual; }

bool EstadoJogo::addSubEstado(int p) {
    bool jaContinha = subEstado % p == 0;
    subEstado *= p;
    transicaoSubEstado = true;
    return jaContinha;
}

bool EstadoJogo::remSubEstado(int p) {
    if (subEstado % p != 0) {
        return false;
    }
    subEstado /= p;
    transicaoSubEstado = true;
    return true;
}

int EstadoJogo::getSubEstado() const { return subEstado; }

bool EstadoJogo::hasTransicaoSubEstado() const { return transicaoSubEstado; }

void EstadoJogo::zerarTransicaoSubEstado() { transicaoSubEstado = false; }

void EstadoJogo::addMusicaStartada(int m) { musicasStartadas *= m; }

void EstadoJogo::addMusicaStopada(int m) { musicasStopadas *= m; }

int EstadoJogo::getMusicasToPlay() const { return musicasStartadas; }

int EstadoJogo::getMusicasToStop() const { return musicasStopadas; }

void EstadoJogo::zerarMusicas() {
    musicasStartadas = 1;
    musicasStopadas = 1;
}
