#ifndef TRATADORENTRADAS_H
#define TRATADORENTRADAS_H

#include <cstdint>

#include "TravaRato.h"
#include "TravaTeclas.h"

// Samples, once per logic frame, the seven keys and the left mouse button the
// game reacts to, as the product of one prime per held input. Keys and the
// button come from the press latches (a tap or a click between two
// samplings counts as held in the next one).
class TratadorEntradas {
public:
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

    // Where the button went down for the click of this sampling (window
    // pixels): a click is where it was made, not where the pointer is by
    // the time a frame samples it.
    int getCliqueX() const { return rato.getX(); }
    int getCliqueY() const { return rato.getY(); }

    // Presses so far are forgotten and keys held now are not new presses:
    // the Escape that cut the opening short must not also quit the menu.
    void descartarApertos();

    // The Escape press of this sampling, if any, is read again by the next
    // one: a frame that cannot act on it (loading) hands it on rather than
    // losing it.
    void manterEscape();

private:
    // All eight primes together make 20271670815, beyond 32 bits: the
    // product is kept in 64 so every combination stays exact.
    int64_t teclas;
    bool acelerador;
    TravaTeclas trava;
    TravaRato rato;
};

#endif
