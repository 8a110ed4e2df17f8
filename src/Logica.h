#ifndef LOGICA_H
#define LOGICA_H

#include <algorithm>
#include <cmath>
#include <list>
#include <vector>

#include "AceleradorCorrida.h"
#include "Carro.h"
#include "ColisoesCorrida.h"
#include "ConstantesGerais.h"
#include "EscolhaCidade.h"
#include "FantasmaCorrida.h"
#include "LinhaChegada.h"
#include "NavegacaoMenu.h"
#include "NomesAssets.h"
#include "PlacarCidade.h"
#include "Preferencias.h"
#include "RastroCarros.h"
#include "Vetor.h"

class CapturaAudio;
class CarroCalculos;
class Cronometro;
class EstadoJogadores;
class EstadoJogo;
class LogicaColisao;
class LogicaNPC;
class RepartidorGravacao;
class TratadorEntradas;
class VerificadorMicrofone;

// The game's rules, one frame at a time: menus, race loading, the start
// countdown, the race with its pause menu, the finish and the record file.
// main calls calcularLogica, then construirCavalete for the renderer, the two
// music getters for the sound player, and fimDeCiclo to close the frame.
class Logica {
public:
    // Map rows and columns that tile repaints may name until a race has
    // loaded its map: city 1's.
    static constexpr int ULTIMA_LINHA = 19;
    static constexpr int ULTIMA_COLUNA = 149;

    explicit Logica(TratadorEntradas* t);
    virtual ~Logica();

    Logica(const Logica&) = delete;
    Logica& operator=(const Logica&) = delete;

    void calcularLogica();
    cavalete construirCavalete();
    int getMusicasCalar();
    int getMusicasCantar();
    void fimDeCiclo();

    // Reads the list of cities (mapas/cidades.txt), once; until then the
    // game races city 1 alone.
    void carregarCidades(const std::string& arquivo) { cidades.carregar(arquivo); }
    const EscolhaCidade& getCidades() const { return cidades; }
    EscolhaCidade& getCidades() { return cidades; }

    void analisarMenus();
    void calcularLogicaJogo();

    void carregandoJogo();
    void configuracoesIniciaisPartida();
    void logicaLargada();
    bool hasObjetivoConcluido();

    void calcularDeslocamentoJogador(Carro* jogador);
    void analisarEntradaJogador(Carro* jogador);
    void verificarColisao();

    void selcionarTilesARepintar(cavalete* c);

    // Releases the race's traffic and collision logic.
    void gameOver();

    // What the driver owns, for tests and tools that watch a race.
    EstadoJogo* getEstado() const { return estado; }
    EstadoJogadores* getEstadoJogadores() const { return estadoJogadores; }
    LogicaColisao* getColisao() const { return colisao; }
    LogicaNPC* getNPC() const { return npc; }
    CapturaAudio* getMicrofone() const { return microfone; }
    VerificadorMicrofone* getVerificacaoMicrofone() const { return verificacaoMicrofone; }
    Cronometro* getTimer() const { return timer; }
    // The chosen city's records, medal times and ghost file; the ghost of
    // the race.
    Recordes& getRecordes() { return cidades.getRecordes(); }
    PlacarCidade& getPlacar() { return cidades.getPlacar(); }
    const FantasmaCorrida& getFantasmaCorrida() const { return fantasma; }

    // The player's settings (sensitivity, W's rule, the microphone), which
    // the race uses and the microphone check changes. Until one is given,
    // the defaults, never saved.
    void setPreferencias(Preferencias* p);
    Preferencias& getPreferencias() { return *preferencias; }

    // The menus' buttons as a gamepad moves among them (the renderer draws
    // the highlight).
    const NavegacaoMenu& getNavegacao() const { return navegacao; }
    // How the last finished race compares with the best before it.
    const LinhaChegada& getLinhaChegada() const { return linhaChegada; }

    // Lists the tiles to repaint around one car: between its current
    // corner tile (atualX, atualY) and the corner stepped back along its
    // velocity, one tile of margin, clamped to the map.
    void acrescentarTilesDoCarro(const Carro* carro, int atualX, int atualY);

    // The traffic part of the repaint selection: tiles around the near
    // cars and the lists of cars to draw. Returns how many are drawn.
    template <class Frota>
    int selecionarTrafego(const Carro* jogador, Frota* frota);

private:
    bool isClicado(const NomesAssets::RetanguloBotao& r);
    void iniciarCarregamento();
    void voltarAoMenu();
    void finalizarCorrida();
    void desistirDoCarregamento();

    // Member order is construction order.
    std::list<Vetor> tiles;
    std::list<Vetor> posicoes;
    std::list<float> angulos;
    std::list<int> tiposCarro;
    EstadoJogo* estado;
    EstadoJogadores* estadoJogadores;
    LogicaColisao* colisao;
    LogicaNPC* npc;
    TratadorEntradas* entradas;
    CarroCalculos* calculosFisicos;
    RepartidorGravacao* repartidor;
    CapturaAudio* microfone;
    VerificadorMicrofone* verificacaoMicrofone;
    Cronometro* timer;
    FantasmaCorrida fantasma;
    RastroCarros rastro;
    Preferencias preferenciasPadrao;
    Preferencias* preferencias;
    NavegacaoMenu navegacao;
    LinhaChegada linhaChegada;
    EscolhaCidade cidades;
    AceleradorCorrida acelerador;
};

template <class Frota>
int Logica::selecionarTrafego(const Carro* jogador, Frota* frota) {
    const float jogadorX = jogador->getPosicao().getX();
    const float jogadorY = jogador->getPosicao().getY();
    const int maximo = frota->getMaxCarros();
    const int ativos = frota->getActiveCarro();

    int encontrados = 0;
    int visiveis = 0;
    for (int i = 0; i < maximo && encontrados < ativos; i++) {
        Carro* carro = frota->getCarro(i);
        if (!ColisoesCorrida::isNoMapa(carro)) continue;
        const Vetor p = carro->getPosicao();
        const int px = static_cast<int>(std::floor(p.getX() - carro->getH() / 2));
        const int py = static_cast<int>(std::floor(p.getY() - carro->getW() / 2));
        const bool perto =
            std::fabs(px - jogadorX) < carro->getW() + 600 && std::fabs(py - jogadorY) < carro->getH() + 800;
        if (perto) {
            const int atualX = px / LADO_TILE;
            const int atualY = py / LADO_TILE;
            acrescentarTilesDoCarro(carro, atualX, atualY);
            if (std::fabs(atualX * LADO_TILE - jogadorX) < 600 && std::fabs(atualY * LADO_TILE - jogadorY) < 800) {
                posicoes.push_front(Vetor(p.getY(), p.getX()));
                angulos.push_front(carro->getAngulo());
                tiposCarro.push_front(carro->getEndFotoCarro());
                rastro.marcar(carro);
                visiveis++;
            }
        }
        encontrados++;
    }
    return visiveis;
}

#endif
