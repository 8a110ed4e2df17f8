#include "TratadorEntradas.h"

#include <allegro.h>

TratadorEntradas::TratadorEntradas() : teclas(1) {}

TratadorEntradas::~TratadorEntradas() {}

int TratadorEntradas::lerEntradas() {
    teclas = 1;
    if (key[KEY_A]) teclas *= 3;
    if (key[KEY_D]) teclas *= 5;
    if (key[KEY_SPACE]) teclas *= 11;
    if (key[KEY_Q]) teclas *= 53;
    if (key[KEY_E]) teclas *= 47;
    if (key[KEY_ENTER]) teclas *= 31;
    if (key[KEY_ESC]) teclas *= 37;
    if (mouse_b & 1) teclas *= 43;
    return static_cast<int>(teclas);
}

bool TratadorEntradas::isPressed(int p) const {
    return teclas % p == 0;
}

bool TratadorEntradas::isAceleradorApertado() const { return key[KEY_W] != 0; }
