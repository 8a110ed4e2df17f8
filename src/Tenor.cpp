#include "Tenor.h"

#include "CaminhosAssets.h"
#include "CarregadorMidia.h"
#include "EstadoJogo.h"

namespace {
const int VOLUME_CHEIO = 255;
const int PAN_CENTRO = 128;
const int FREQUENCIA_PROPRIA = 1000;
}  // namespace

Tenor::Tenor()
    : musicaMenu(nullptr), musicaJogo(nullptr), somIgnicao(nullptr), funcaoTocar(&play_sample),
      funcaoParar(&stop_sample), ligada(true), volume(VOLUME_CHEIO), pedidaMenu(false), pedidaJogo(false) {
    musicaJogo = CarregadorMidia::som(CaminhosAssets::musicaJogo());
    musicaMenu = CarregadorMidia::som(CaminhosAssets::musicaMenu());
    somIgnicao = CarregadorMidia::som(CaminhosAssets::somIgnicao());
}

Tenor::~Tenor() {
    // A playing voice must be stopped before its sample goes away.
    calar(EstadoJogo::MUSICA_MENU * EstadoJogo::MUSICA_CORRIDA * EstadoJogo::MUSICA_CARREGANDO);
    CarregadorMidia::liberar(musicaMenu);
    CarregadorMidia::liberar(musicaJogo);
    CarregadorMidia::liberar(somIgnicao);
}

void Tenor::setFuncoes(FuncaoTocar tocarNovo, FuncaoParar pararNovo) {
    funcaoTocar = tocarNovo;
    funcaoParar = pararNovo;
}

void Tenor::tocar(const SAMPLE* s, int repetir, int nivel) {
    if (s != nullptr) {
        funcaoTocar(s, nivel, PAN_CENTRO, FREQUENCIA_PROPRIA, repetir);
    }
}

void Tenor::tocarMusica(const SAMPLE* s) {
    if (ligada) tocar(s, 1, volume);
}

void Tenor::setVolume(int porCento) {
    if (porCento < 0) porCento = 0;
    if (porCento > 100) porCento = 100;
    volume = porCento * VOLUME_CHEIO / 100;
}

void Tenor::setMusicaLigada(bool sim) {
    if (sim == ligada) return;
    ligada = sim;
    if (!ligada) {
        parar(musicaMenu);
        parar(musicaJogo);
        return;
    }
    if (pedidaMenu) tocarMusica(musicaMenu);
    if (pedidaJogo) tocarMusica(musicaJogo);
}

void Tenor::parar(const SAMPLE* s) {
    if (s != nullptr) {
        funcaoParar(s);
    }
}

void Tenor::cantar(int m) {
    if (EstadoJogo::contem(m, EstadoJogo::MUSICA_MENU)) {
        pedidaMenu = true;
        tocarMusica(musicaMenu);
    }
    if (EstadoJogo::contem(m, EstadoJogo::MUSICA_CORRIDA)) {
        pedidaJogo = true;
        tocarMusica(musicaJogo);
    }
    // The race was just chosen: the engine starts once while it loads.
    if (EstadoJogo::contem(m, EstadoJogo::MUSICA_CARREGANDO)) {
        tocar(somIgnicao, 0, VOLUME_CHEIO);
    }
}

void Tenor::calar(int m) {
    if (EstadoJogo::contem(m, EstadoJogo::MUSICA_MENU)) {
        pedidaMenu = false;
        parar(musicaMenu);
    }
    if (EstadoJogo::contem(m, EstadoJogo::MUSICA_CORRIDA)) {
        pedidaJogo = false;
        parar(musicaJogo);
    }
    if (EstadoJogo::contem(m, EstadoJogo::MUSICA_CARREGANDO)) {
        parar(somIgnicao);
    }
}
