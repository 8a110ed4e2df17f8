#include "Tenor.h"

#include "CaminhosAssets.h"
#include "CarregadorMidia.h"

namespace {
const int VOLUME_CHEIO = 255;
const int PAN_CENTRO = 128;
const int FREQUENCIA_PROPRIA = 1000;
}  // namespace

Tenor::Tenor()
    : musicaMenu(nullptr),
      musicaJogo(nullptr),
      somIgnicao(nullptr),
      funcaoTocar(&play_sample),
      funcaoParar(&stop_sample) {
    musicaJogo = CarregadorMidia::som(CaminhosAssets::musicaJogo());
    musicaMenu = CarregadorMidia::som(CaminhosAssets::musicaMenu());
    somIgnicao = CarregadorMidia::som(CaminhosAssets::somIgnicao());
}

Tenor::~Tenor() {
    // A playing voice must be stopped before its sample goes away.
    calar(2 * 3 * 7);
    CarregadorMidia::liberar(musicaMenu);
    CarregadorMidia::liberar(musicaJogo);
    CarregadorMidia::liberar(somIgnicao);
}

void Tenor::setFuncoes(FuncaoTocar tocarNovo, FuncaoParar pararNovo) {
    funcaoTocar = tocarNovo;
    funcaoParar = pararNovo;
}

void Tenor::tocar(const SAMPLE* s, int repetir) {
    if (s != nullptr) {
        funcaoTocar(s, VOLUME_CHEIO, PAN_CENTRO, FREQUENCIA_PROPRIA, repetir);
    }
}

void Tenor::parar(const SAMPLE* s) {
    if (s != nullptr) {
        funcaoParar(s);
    }
}

void Tenor::cantar(int m) {
    if (m == 0) {
        return;  // not a set of primes; every test below would pass
    }
    if ((m & 1) == 0) {
        tocar(musicaMenu, 1);
    }
    if (m % 3 == 0) {
        tocar(musicaJogo, 1);
    }
    // The race was just chosen: the engine starts once while it loads.
    if (m % 7 == 0) {
        tocar(somIgnicao, 0);
    }
}

void Tenor::calar(int m) {
    if (m == 0) {
        return;
    }
    if ((m & 1) == 0) {
        parar(musicaMenu);
    }
    if (m % 3 == 0) {
        parar(musicaJogo);
    }
    if (m % 7 == 0) {
        parar(somIgnicao);
    }
}
