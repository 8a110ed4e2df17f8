#ifndef LEITORBMP_H
#define LEITORBMP_H

#include <allegro.h>

#include <string>

// Reads the one kind of BMP the game ships (24 bits a pixel, uncompressed)
// straight into a 32-bit bitmap, about ten times faster than the library,
// which goes through its file layer byte by byte and converts afterwards.
// The pixels are those load_bitmap gives, mask colour included. Anything
// else (another colour depth, another format, a damaged file) is not read
// here: the caller falls back on load_bitmap, which also reports faults.
class LeitorBmp {
public:
    // Null when the file is not of that kind or the game is not drawing
    // at 32 bits a pixel.
    static BITMAP* carregar(const std::string& caminho);
};

#endif
