#include "TravaFoco.h"

#include <allegro.h>

#include <mutex>

#include "Relogio.h"

namespace {

// How long after a change of mode the focus may take to come back.
const int TOLERANCIA_MS = 1500;

// Written on the library's thread, read on the main one.
std::mutex trava;
// A window opens focused as far as the game knows: only a loss counts.
bool focado = true;
unsigned int perdas = 0;
// A loss within the tolerance, not counted yet.
bool pendente = false;
int toleranciaDe = 0, toleranciaAte = 0;

bool isTolerado() {
    const int agora = Relogio::getMilissegundos();
    return agora >= toleranciaDe && agora < toleranciaAte;
}

void aoSair() { TravaFoco::registrar(false); }
END_OF_FUNCTION(aoSair)

void aoEntrar() { TravaFoco::registrar(true); }
END_OF_FUNCTION(aoEntrar)

}  // namespace

void TravaFoco::instalar() {
    LOCK_FUNCTION(aoSair);
    LOCK_FUNCTION(aoEntrar);
    // In the background the game goes on (the music, the recording); the
    // race itself pauses through the lost focus.
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, aoSair);
    set_display_switch_callback(SWITCH_IN, aoEntrar);
}

void TravaFoco::desinstalar() {
    remove_display_switch_callback(aoSair);
    remove_display_switch_callback(aoEntrar);
}

void TravaFoco::registrar(bool f) {
    std::lock_guard<std::mutex> l(trava);
    if (!f && focado) {
        if (isTolerado()) {
            pendente = true;
        } else {
            perdas++;
        }
    }
    if (f) pendente = false;
    focado = f;
}

void TravaFoco::tolerarTroca() {
    std::lock_guard<std::mutex> l(trava);
    const int agora = Relogio::getMilissegundos();
    if (!isTolerado()) toleranciaDe = agora;
    toleranciaAte = agora + TOLERANCIA_MS;
}

bool TravaFoco::isFocado() {
    std::lock_guard<std::mutex> l(trava);
    return focado;
}

unsigned int TravaFoco::getPerdas() {
    std::lock_guard<std::mutex> l(trava);
    // A loss during a change of mode that never came back is a real one.
    if (pendente && !isTolerado()) {
        pendente = false;
        perdas++;
    }
    return perdas;
}
