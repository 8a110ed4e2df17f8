#ifndef TRATADORENTRADAS_H
#define TRATADORENTRADAS_H

#include <cstdint>

// Samples, once per logic frame, the seven keys and the left mouse button the
// game reacts to, as the product of one prime per held input. It reads the
// library's key array and mouse_b directly; tests write those to drive it.
class TratadorEntradas {
public:
    TratadorEntradas();
    ~TratadorEntradas();

    // Returns the product; 1 when nothing is held. Returned as the low 32
    // bits for callers that only need "something is held".
    int lerEntradas();
    bool isPressed(int p) const;

    // W, the keyboard's throttle, read as a level when asked: it is not one
    // of the sampled inputs, since it only counts while the microphone does
    // not (see Logica::analisarEntradaJogador).
    bool isAceleradorApertado() const;

private:
    // All eight primes together make 20271670815, beyond 32 bits: the
    // product is kept in 64 so every combination stays exact.
    int64_t teclas;
};

#endif
