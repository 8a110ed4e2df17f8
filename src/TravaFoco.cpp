#include "TravaFoco.h"

#include <allegro.h>

#include <atomic>

namespace {

// A window opens focused as far as the game knows: only a loss counts.
std::atomic<bool> focado(true);
std::atomic<unsigned int> perdas(0);

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
    // Counted before it is marked lost: whoever sees it lost sees the loss.
    if (!f && focado) perdas++;
    focado = f;
}

bool TravaFoco::isFocado() { return focado; }

unsigned int TravaFoco::getPerdas() { return perdas; }
