#include "CarregadorMidia.h"

#include <cstdio>

BITMAP* CarregadorMidia::imagem(const std::string& caminho) {
    BITMAP* b = load_bitmap(caminho.c_str(), nullptr);
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
