#ifndef PINTOR_H
#define PINTOR_H

#include <allegro.h>

#include <string>
#include <vector>

#include "CacheSprites.h"
#include "CamadaMapa.h"
#include "CarregadorMidia.h"
#include "ConstantesGerais.h"
#include "LeitorMapa.h"
#include "PainelFantasma.h"
#include "ReparadorCamada.h"
#include "Vetor.h"

class EscolhaCidade;
class LinhaChegada;
class NavegacaoMenu;

class VerificadorMicrofone;

// Draws every frame from the snapshot the logic hands over: the menus, the
// loading and start screens, the race view with its head-up display and the
// pause screen. The race view is a map-sized bitmap drawn once per race and
// then repaired only where cars have been, with the upper tile layer put back
// over the cars.
class Pintor {
public:
    typedef CarregadorMidia::FuncaoEspera FuncaoEspera;

    static constexpr int LARGURA_TELA = 800;
    static constexpr int ALTURA_TELA = 600;

    Pintor();
    ~Pintor();

    Pintor(const Pintor&) = delete;
    Pintor& operator=(const Pintor&) = delete;

    void pintar(cavalete c);

    void carregarMapa(cavalete c);
    void carregarCarros();
    void carregarFrescuras();

    void pintarJogo(cavalete c);
    void colarNaTelaJogo(cavalete c);
    void pintarCamadasDinamicamente(cavalete c);
    void pintarNPCs(cavalete c);

    void pintarMenu(cavalete c);
    void pintarMenuPausa(cavalete c);
    void pintarCarregamento(cavalete c);
    void pintarLargada(cavalete c);
    void pintarAceleracao(cavalete c);
    void pintarRelogio(cavalete c);
    void pintarTrechoCompleto(cavalete c);

    // The microphone check drawn on the first instructions page; it belongs
    // to the caller and must outlive the renderer's use.
    void setVerificacaoMicrofone(const VerificadorMicrofone* verificacao);
    // The gamepad's highlight in the menus, and the line the finish screen
    // shows; they belong to the caller and must outlive the renderer's use.
    void setNavegacao(const NavegacaoMenu* navegacao);
    void setLinhaChegada(const LinhaChegada* linha);
    // The cities and the one chosen: the main menu's and the records page's
    // city line, the records and medal times shown, each race's tile sheet
    // and finish (city 1's, and no records, without them). It belongs to
    // the caller and must outlive the renderer's use.
    void setEscolhaCidade(const EscolhaCidade* e) { escolha = e; }
    // The most a whole map layer may take; a larger city keeps a window of
    // it round the view.
    void setLimiteCamada(size_t bytes) { limiteCamada = bytes; }
    static constexpr size_t LIMITE_CAMADA = 64u << 20;

    // Top-left corner of the view for a player at `posicao` (map pixels,
    // screen order) on a map of `tamanhoMapa` pixels: centred on the player,
    // stopping at the map's edges.
    static Vetor calcularCantoVista(Vetor posicao, Vetor tamanhoMapa);

    // Where frames go (the screen when unset) and how the renderer waits
    // (the library's rest when unset): tests draw into memory and do not sleep.
    void setAlvo(BITMAP* alvo);
    void setEspera(FuncaoEspera espera);
    // Raised when the player closes the window: every hold on a screen
    // (the finish's five seconds, a start light, a loading step) ends at
    // once, so that the game goes away without waiting it out.
    void setSinalSaida(const volatile int* sinal) { sinalSaida = sinal; }
    // Draws as the library would without any of the shortcuts (whole tiles
    // for every listed cell, every picture drawn anew): the same pixels,
    // slower. Tests compare the two.
    void setDesenhoSimples(bool simples) {
        sprites.setAtivo(!simples);
        reparador.setParcial(!simples);
    }

    BITMAP* getBuffer() const { return buffer; }
    // The map layer: the whole map, or the window that holds the view.
    BITMAP* getCamada1() const { return camada.getBitmap(); }
    BITMAP* getBarraAceleracao() const { return barraAceleracao; }
    Vetor getTamanhoMapa() const { return tamanhoMapa; }

private:
    void mostrarBuffer();
    void esperar(unsigned int ms);
    // The gamepad's highlight, then the pointer.
    void desenharPonteiro(const cavalete& c);
    void pintarMostrador(float velocidade);
    void pintarCaixaLuzes(int acesas);
    void desenharCarro(BITMAP* imagem, Vetor centro, float angulo);

    CamadaMapa camada;
    BITMAP* camada3;
    BITMAP* camada4;
    BITMAP* buffer;
    BITMAP* bufferPausa;
    BITMAP* carros[4];
    BITMAP* carroJogador;
    BITMAP* frescuras[7];
    BITMAP* barraAceleracao;
    int barraCheiaAbaixo;  // the bar as last drawn: rows below this one filled
    BITMAP* numeros[10];
    LeitorMapa mapa;  // tile numbers, 0 outside the grid
    ReparadorCamada reparador;
    CacheSprites sprites;
    PainelFantasma fantasma;
    Vetor tamanhoMapa;
    Retangulo vista;  // the part of the map layer this frame shows
    bool frasesUsadas[12];

    const VerificadorMicrofone* verificacaoMicrofone;
    const NavegacaoMenu* navegacao;
    const LinhaChegada* linhaChegada;
    const EscolhaCidade* escolha;
    size_t limiteCamada;
    BITMAP* alvo;
    FuncaoEspera funcaoEspera;
    const volatile int* sinalSaida;
    // The last frame drawn was the pause screen: the countdown then has to
    // draw its view and lights again, the pause page is still in the buffer.
    bool vinhaDaPausa;
};

#endif
