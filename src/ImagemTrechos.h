#ifndef IMAGEMTRECHOS_H
#define IMAGEMTRECHOS_H

#include <allegro.h>

#include <vector>

#include "Retangulo.h"

// A picture with see-through parts kept as its runs of opaque pixels, row
// by row: drawing it copies those runs and never tests a mask pixel again.
// The pixels drawn are exactly those draw_sprite draws from the picture it
// was made of, the library's mask colour left out.
class ImagemTrechos {
public:
    // Pixel (i, j) of `origem` lands at (x + deslocX + i, y + deslocY + j)
    // when drawn at (x, y).
    explicit ImagemTrechos(BITMAP* origem, int deslocX = 0, int deslocY = 0);

    // Draws into a memory bitmap of the same colour depth, clipped to its
    // clipping rectangle; false (nothing drawn) for any other target.
    bool desenhar(BITMAP* destino, int x, int y) const;

    // Where the opaque pixels lie relative to (x, y); empty when none.
    const Retangulo& getContorno() const { return contorno; }
    // Whether an opaque pixel touches the picture's outer edge.
    bool isTocaBorda() const { return tocaBorda; }

private:
    struct Trecho {
        int x, y, n;
        int pixel;  // index of its first pixel in `pixels`
    };
    int profundidade;
    int bytesPorPixel;
    std::vector<Trecho> trechos;  // by row, left to right
    std::vector<unsigned char> pixels;
    Retangulo contorno;
    bool tocaBorda;
};

#endif
