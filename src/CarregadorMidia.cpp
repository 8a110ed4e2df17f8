#include "CarregadorMidia.h"

#include <cstdio>

#include "LeitorBmp.h"

BITMAP* CarregadorMidia::imagem(const std::string& caminho) {
    BITMAP* b = LeitorBmp::carregar(caminho);
    if (b == nullptr) b = load_bitmap(caminho.c_str(), nullptr);
    if (b == nullptr) {
        std::printf("%s: cannot load this picture, it will not be drawn\n", caminho.c_str());
    }
    return b;
}

SAMPLE* CarregadorMidia::som(const std::string& caminho) {
    SAMPLE* s = load_sample(caminho.c_str());
    if (s == nullptr) {
        std::printf("%s: cannot load this sound, it will not be played\n", caminho.c_str());
    }
    return s;
}

void CarregadorMidia::liberar(BITMAP*& b) {
    if (b != nullptr) {
        destroy_bitmap(b);
        b = nullptr;
    }
}

void CarregadorMidia::liberar(SAMPLE*& s) {
    if (s != nullptr) {
        destroy_sample(s);
        s = nullptr;
    }
}

void CarregadorMidia::desenharMascarado(BITMAP* destino, BITMAP* origem, int x, int y) {
    if (destino != nullptr && origem != nullptr) {
        draw_sprite(destino, origem, x, y);
    }
}

void CarregadorMidia::copiar(BITMAP* destino, BITMAP* origem, int x, int y) {
    if (destino != nullptr && origem != nullptr) {
        blit(origem, destino, 0, 0, x, y, origem->w, origem->h);
    }
}

void CarregadorMidia::mostrar(BITMAP* alvo, BITMAP* quadro) { copiar(alvo != nullptr ? alvo : screen, quadro, 0, 0); }

void CarregadorMidia::esperar(FuncaoEspera espera, unsigned int ms) {
    if (espera != nullptr) {
        espera(ms);
    } else {
        rest(ms);
    }
}

void CarregadorMidia::girar(BITMAP* destino, BITMAP* origem, int x, int y, fixed angulo) {
    if (destino == nullptr || origem == nullptr) return;
    const fixed meiaLargura = origem->w * 0x8000;
    const fixed meiaAltura = origem->h * 0x8000;
    destino->vtable->pivot_scaled_sprite_flip(destino, origem, x * 0x10000 + meiaLargura,
                                              y * 0x10000 + meiaAltura, meiaLargura, meiaAltura,
                                              angulo, 0x10000, FALSE);
}
