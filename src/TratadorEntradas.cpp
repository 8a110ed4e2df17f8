#include "TratadorEntradas.h"

#include <allegro.h>

TratadorEntradas::TratadorEntradas() : teclas(1), acelerador(false), trava(), rato() {}

TratadorEntradas::~TratadorEntradas() {}

int TratadorEntradas::lerEntradas() {
    teclas = 1;
    if (trava.ler(KEY_A)) teclas *= 3;
    if (trava.ler(KEY_D)) teclas *= 5;
    if (trava.ler(KEY_SPACE)) teclas *= 11;
    if (trava.ler(KEY_Q)) teclas *= 53;
    if (trava.ler(KEY_E)) teclas *= 47;
    if (trava.ler(KEY_ENTER)) teclas *= 31;
    // Escape goes back, quits, pauses and resumes: once per press, in the
    // sampling that first sees it, however long it is then held.
    if (trava.lerAperto(KEY_ESC)) teclas *= 37;
    if (rato.ler()) teclas *= 43;
    acelerador = trava.ler(KEY_W);
    return static_cast<int>(teclas);
}

bool TratadorEntradas::isPressed(int p) const {
    return teclas % p == 0;
}

void TratadorEntradas::descartarApertos() {
    trava.descartar();
    rato.descartar();
}

void TratadorEntradas::manterEscape() {
    if (isPressed(37)) {
        trava.devolverAperto(KEY_ESC);
    }
}
