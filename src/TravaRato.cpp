#include "TravaRato.h"

#include <allegro.h>

#include <atomic>
#include <cstdint>

namespace {

// Written only by the library's input thread; lock-free, so reading them
// from the main thread needs no lock. The place is one word, so that both
// coordinates always belong to the same press.
std::atomic<unsigned int> apertos{0};
std::atomic<bool> baixo{false};
std::atomic<uint32_t> lugar{0xffffffffu};

uint32_t juntar(int x, int y) {
    return (static_cast<uint32_t>(static_cast<uint16_t>(x)) << 16) | static_cast<uint16_t>(y);
}

void aoRato(int flags) { TravaRato::registrar(flags, mouse_x, mouse_y); }
END_OF_FUNCTION(aoRato)

}  // namespace

void TravaRato::registrar(int flags, int x, int y) {
    if ((flags & MOUSE_FLAG_LEFT_DOWN) && !baixo) {
        // The place first, then the count, then down: whoever sees the
        // press sees where it was (see TravaTeclas for the order).
        lugar = juntar(x, y);
        apertos++;
        baixo = true;
    }
    if (flags & MOUSE_FLAG_LEFT_UP) {
        baixo = false;
    }
}

void TravaRato::instalar() {
    LOCK_VARIABLE(apertos);
    LOCK_VARIABLE(baixo);
    LOCK_VARIABLE(lugar);
    LOCK_FUNCTION(aoRato);
    mouse_callback = aoRato;
}

void TravaRato::desinstalar() { mouse_callback = nullptr; }

TravaRato::TravaRato() : consumidos(0), x(-1), y(-1) { descartar(); }

void TravaRato::descartar() { consumidos = apertos; }

bool TravaRato::ler() {
    // Down first, then the count, then the place: see registrar.
    const bool agora = baixo;
    const unsigned int contagem = apertos;
    const uint32_t onde = lugar;
    const bool visto = agora || contagem != consumidos;
    consumidos = contagem;
    if (visto) {
        x = static_cast<int16_t>(onde >> 16);
        y = static_cast<int16_t>(onde & 0xffff);
    }
    return visto;
}
