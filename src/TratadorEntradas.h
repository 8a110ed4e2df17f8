#ifndef TRATADORENTRADAS_H
#define TRATADORENTRADAS_H

#include <cstdint>

#include "ComandosEntrada.h"
#include "GeometriaTela.h"
#include "MapaControle.h"
#include "TravaRato.h"
#include "TravaTeclas.h"

// Samples, once per logic frame, the seven keys and the left mouse button the
// game reacts to, as the product of one prime per held input. Keys and the
// button come from the press latches (a tap or a click between two
// samplings counts as held in the next one). A gamepad (ControleJogo) gives
// the same inputs as the keys it stands for.
class TratadorEntradas {
public:
    // The primes of the inputs in the product.
    static constexpr int TECLA_A = 3;
    static constexpr int TECLA_D = 5;
    static constexpr int TECLA_ESPACO = 11;
    static constexpr int TECLA_ENTER = 31;
    static constexpr int TECLA_ESC = 37;
    static constexpr int BOTAO_MOUSE = 43;
    static constexpr int TECLA_E = 47;
    static constexpr int TECLA_Q = 53;

    TratadorEntradas();
    ~TratadorEntradas();

    // Returns the product; 1 when nothing is held. Returned as the low 32
    // bits for callers that only need "something is held".
    int lerEntradas();
    bool isPressed(int p) const;

    // W, the keyboard's throttle, as held at the last sampling: it is not
    // one of the inputs of the product, since it only counts while the
    // microphone does not (see Logica::analisarEntradaJogador).
    bool isAceleradorApertado() const { return acelerador; }

    // Where the button went down for the click of this sampling, in the
    // picture's pixels: a click is where it was made, not where the pointer
    // is by the time a frame samples it.
    int getCliqueX() const { return clique.x; }
    int getCliqueY() const { return clique.y; }
    // How window pixels map to the picture's (the window's, which follows
    // its size and fullscreen); until given, they are the same.
    void setGeometria(const GeometriaTela* g) { geometria = g; }

    // Inputs that act once per press (ComandosEntrada), as a set of bits: those
    // pressed since the last sampling.
    using Comando = ComandosEntrada::Comando;
    bool isComando(Comando c) const { return (comandos & c) != 0; }
    unsigned getComandos() const { return comandos; }

    // Whether the window has the keyboard focus, and whether it lost it since
    // the last sampling (however briefly).
    bool isFocado() const { return focado; }
    bool isFocoPerdido() const { return focoPerdido; }

    // Presses so far are forgotten and keys held now are not new presses:
    // the Escape that cut the opening short must not also quit the menu.
    void descartarApertos();

    // The Escape press of this sampling, if any, and a focus lost in it, are
    // read again by the next one: a frame that cannot act on them (loading)
    // hands them on rather than losing them.
    void manterEscape();
    // The gamepad's Start, pressed in this sampling, counts as Escape: the
    // race calls it, where Escape pauses and resumes (in the main menu it
    // would quit the game).
    void juntarPausaAoEsc();

private:
    void juntarControle();

    // All eight primes together make 20271670815, beyond 32 bits: the
    // product is kept in 64 so every combination stays exact.
    int64_t teclas;
    bool acelerador;
    unsigned comandos;
    bool enterAntes;  // Enter was held at the last sampling
    bool focado;
    bool focoPerdido;
    unsigned int perdasVistas;
    TravaTeclas trava;
    TravaRato rato;
    const GeometriaTela* geometria;
    GeometriaTela::Ponto clique;  // in the picture's pixels
    MapaControle controle;
};

#endif
