#ifndef CACHESPRITES_H
#define CACHESPRITES_H

#include <allegro.h>

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "ImagemTrechos.h"
#include "Retangulo.h"

// Draws the pictures a race frame repeats without redoing the work each
// time, with the very pixels the library would draw:
//  - a picture drawn masked (the HUD's dial, clock frame, digits) is kept as
//    its opaque runs from its first use on;
//  - a picture drawn rotated (the cars, the needle) is rotated once per
//    (picture, angle) and kept as runs, but only when that pair comes back:
//    a spinning car asks for a new angle every frame, and rotating it twice
//    would only make that frame slower.
// Pictures are known by their address: forget them (limpar) before any of
// them is released.
class CacheSprites {
public:
    CacheSprites();

    // Off, every picture is drawn by the library each time.
    void setAtivo(bool sim);
    void limpar();

    // draw_sprite(destino, imagem, x, y).
    void desenhar(BITMAP* destino, BITMAP* imagem, int x, int y);
    // rotate_sprite with its top-left at (x, y), turned by `angulo` about the
    // picture's centre (as CarregadorMidia::girar). Returns a rectangle that
    // holds every pixel it may have drawn. Given `so`, a picture that cannot
    // reach into that rectangle is not drawn at all (an empty rectangle).
    Retangulo girar(BITMAP* destino, BITMAP* imagem, int x, int y, fixed angulo, const Retangulo* so = nullptr);

    // Pairs kept as runs; pairs seen once and waiting for a second use.
    int getGuardadas() const { return guardadas; }
    int getVistasUmaVez() const { return static_cast<int>(giradas.size()) - guardadas; }

private:
    struct Girada {
        bool guardada = false;
        std::unique_ptr<ImagemTrechos> trechos;  // null when it cannot be kept
    };
    struct Chave {
        BITMAP* imagem;
        fixed angulo;
        bool operator==(const Chave& o) const { return imagem == o.imagem && angulo == o.angulo; }
    };
    struct Espalhar {
        size_t operator()(const Chave& c) const {
            return std::hash<uintptr_t>()(reinterpret_cast<uintptr_t>(c.imagem) ^
                                          (static_cast<uintptr_t>(c.angulo) << 20));
        }
    };
    std::unique_ptr<ImagemTrechos> rodar(BITMAP* imagem, int destinoProfundidade, fixed angulo);

    bool ativo;
    int guardadas;
    std::unordered_map<BITMAP*, std::unique_ptr<ImagemTrechos>> fixas;
    std::unordered_map<Chave, Girada, Espalhar> giradas;
};

#endif
