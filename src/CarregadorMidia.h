#ifndef CARREGADORMIDIA_H
#define CARREGADORMIDIA_H

#include <allegro.h>

#include <string>

// Loading and drawing that tolerate a bad file: a picture or sound that
// cannot be loaded is reported once on the console and then simply left out,
// never drawn or played.
class CarregadorMidia {
public:
    static BITMAP* imagem(const std::string& caminho);
    static SAMPLE* som(const std::string& caminho);

    static void liberar(BITMAP*& b);
    static void liberar(SAMPLE*& s);

    // draw_sprite and blit that skip an absent picture or target.
    static void desenharMascarado(BITMAP* destino, BITMAP* origem, int x, int y);
    static void copiar(BITMAP* destino, BITMAP* origem, int x, int y);
};

#endif
