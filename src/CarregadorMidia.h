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
    // rotate_sprite without its left shift of the position, which is
    // undefined for a sprite partly off the left or top edge: same pixels.
    static void girar(BITMAP* destino, BITMAP* origem, int x, int y, fixed angulo);

    // Text of the library's 8x8 font enlarged by a whole factor, masked, from
    // its top-left corner or centred on a column.
    static void escreverAmpliado(BITMAP* destino, const std::string& texto, int x, int y, int escala, int cor);
    static void escreverCentrado(BITMAP* destino, const std::string& texto, int centroX, int y, int escala, int cor);

    // Asks the kernel to back a large memory bitmap (the map layer, the
    // tile sheet) with 2 MB pages, before it is first drawn into: copying
    // parts of rows lying a whole map's width apart then misses the
    // processor's address cache far less often. Only a request: it may not
    // be granted, and nothing changes but speed.
    static void pedirPaginasGrandes(BITMAP* b);

    // The seams of the renderer and the opening: a finished frame goes to
    // `alvo` (the game's window when null, enlarged as it is shown there;
    // enlarged too into an `alvo` larger than the frame) and a wait goes
    // through `espera` (the library's rest when null), so tests draw into
    // memory and do not sleep.
    typedef void (*FuncaoEspera)(unsigned int);
    static void mostrar(BITMAP* alvo, BITMAP* quadro);
    // With a `sinal`, the wait goes in short slices and ends as soon as the
    // signal is raised (the window's close button must not wait out a hold).
    static void esperar(FuncaoEspera espera, unsigned int ms, const volatile int* sinal = nullptr);
};

#endif
