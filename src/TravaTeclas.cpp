#include "TravaTeclas.h"

#include <allegro.h>

#include <atomic>

namespace {

static_assert(TravaTeclas::ALT_ENTER == KEY_MAX, "Alt+Enter sits just past the library's keys");

// Written only by the library's input thread; lock-free, so reading them
// from the main thread needs no lock.
std::atomic<unsigned int> apertos[TravaTeclas::TECLAS];
std::atomic<bool> baixas[TravaTeclas::TECLAS];

int teclaDe(int scancode) { return scancode & 0x7f; }

void aoTeclado(int scancode) {
    int k = teclaDe(scancode);
    if (k >= KEY_MAX) {
        return;
    }
    // Enter's events go to Alt+Enter while that is down (its release, the
    // X server's autorepeat), and its press does when an Alt is held.
    if (k == KEY_ENTER && (baixas[TravaTeclas::ALT_ENTER] ||
                           (!(scancode & 0x80) && !baixas[KEY_ENTER] && (baixas[KEY_ALT] || baixas[KEY_ALTGR])))) {
        k = TravaTeclas::ALT_ENTER;
    }
    if (scancode & 0x80) {
        baixas[k] = false;
    } else if (!baixas[k]) {
        // Counted before it is marked down: whoever sees it down also sees
        // the press, so a held key is never taken for a new press later.
        apertos[k]++;
        baixas[k] = true;
    }
}
END_OF_FUNCTION(aoTeclado)

}  // namespace

void TravaTeclas::instalar() {
    LOCK_VARIABLE(apertos);
    LOCK_VARIABLE(baixas);
    LOCK_FUNCTION(aoTeclado);
    keyboard_lowlevel_callback = aoTeclado;
}

void TravaTeclas::desinstalar() { keyboard_lowlevel_callback = nullptr; }

void TravaTeclas::registrar(int scancode) { aoTeclado(scancode); }

unsigned int TravaTeclas::getApertos(int tecla) { return apertos[teclaDe(tecla)]; }

TravaTeclas::TravaTeclas() : consumidos(), vistaAntes() { descartar(); }

void TravaTeclas::descartar() {
    for (int k = 0; k < TECLAS; k++) {
        vistaAntes[k] = baixas[k];
        consumidos[k] = apertos[k];
    }
}

bool TravaTeclas::ler(int tecla) {
    const int k = teclaDe(tecla);
    // Down first, then the count: see aoTeclado.
    const bool baixa = baixas[k];
    const unsigned int contagem = apertos[k];
    bool vista = baixa;
    if (contagem != consumidos[k]) {
        if (vistaAntes[k]) {
            vista = false;  // up for one sampling: the next one takes the press
        } else {
            vista = true;
            consumidos[k] = contagem;
        }
    }
    vistaAntes[k] = vista;
    return vista;
}

bool TravaTeclas::lerAperto(int tecla) {
    const int k = teclaDe(tecla);
    const unsigned int contagem = apertos[k];
    const bool novo = contagem != consumidos[k];
    consumidos[k] = contagem;
    return novo;
}

void TravaTeclas::devolverAperto(int tecla) { consumidos[teclaDe(tecla)]--; }
