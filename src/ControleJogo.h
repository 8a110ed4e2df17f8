#ifndef CONTROLEJOGO_H
#define CONTROLEJOGO_H

#include "MapaControle.h"

// The gamepad, as the library's joystick driver reports it: the first one
// found at start, read once per frame (TratadorEntradas). Tests put a reader
// of their own in its place, so no hardware is needed.
class ControleJogo {
public:
    typedef MapaControle::Leitura (*Leitor)();

    // After install_timer: answers whether a gamepad is there.
    static bool instalar();
    static void desinstalar();

    // The first gamepad now (not present when there is none).
    static MapaControle::Leitura ler();
    // Whether the last reading found one: the menus then highlight a
    // button and the keys page shows the gamepad's.
    static bool isPresente();

    // Null: the library's joystick again.
    static void setLeitor(Leitor leitor);
};

#endif
