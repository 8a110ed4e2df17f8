#ifndef AMPLIADORQUADRO_H
#define AMPLIADORQUADRO_H

#include <allegro.h>

#include <cstdint>
#include <vector>

#include "GeometriaTela.h"

// Shows the composed 800x600 frame enlarged in a window or a screen:
// nearest neighbour, so the pixel art stays sharp, over the picture's
// rectangle of a GeometriaTela (the margins are left as they are).
//
// The library's stretch_blit costs a dozen plain blits at x2; this copy
// costs a few. Each distinct row of the target is built once from its
// source row and copied to the target rows that repeat it; x2 at 32 bits
// doubles four pixels per step with SSE2, other scales of at least x1
// rearrange four target pixels per step with SSSE3 where the processor has
// it, and everything else (other colour depths, a picture cut by the
// target's edges) goes pixel by pixel.
//
// The game's screen (the library's X11 window) is memory that the library
// sends to the X server for the rectangles it draws: rows written here go
// there in one request at the end. Where that request cannot be made, the
// picture goes through an off-screen bitmap and one blit.
class AmpliadorQuadro {
public:
    AmpliadorQuadro();
    ~AmpliadorQuadro();
    AmpliadorQuadro(const AmpliadorQuadro&) = delete;
    AmpliadorQuadro& operator=(const AmpliadorQuadro&) = delete;

    void desenhar(BITMAP* destino, BITMAP* quadro, const GeometriaTela& g);

    // The same pixels through getpixel and putpixel: what the copy must
    // give. Tests compare the two.
    static void desenharSimples(BITMAP* destino, BITMAP* quadro, const GeometriaTela& g);

    // Off: no SSE2 or SSSE3 steps, only the pixel-by-pixel copy (tests).
    void setVetorial(bool sim) { vetorial = sim; }

private:
    void preparar(const GeometriaTela& g, int bytesPorPixel, int larguraQuadro);
    // Rows of the target are written at (row - dy) of `destino`, columns at (column - dx).
    void desenharDireto(BITMAP* destino, BITMAP* quadro, int dx, int dy);
    void montarLinha(uint8_t* saida, const uint8_t* fonte) const;

    bool vetorial;
    // What the tables below were made for.
    int preparadoL, preparadoA, preparadoX, preparadoY, preparadoAlvoL, preparadoAlvoA, preparadoBytes, preparadoQuadro;
    bool preparadoVetorial;
    // The visible part of the picture's rectangle in the target, and the
    // source column of each of its columns, the source row of each row.
    int visivelX0, visivelX1, visivelY0, visivelY1;
    std::vector<int> colunas;
    std::vector<int> linhas;
    // How the row is made: 0 pixel by pixel, 2 doubled (SSE2), 1 in steps of
    // four target pixels (SSSE3) over `passos` steps, the rest pixel by pixel.
    int modo;
    int passos;
    std::vector<int> basePasso;     // each step's first source column
    std::vector<uint8_t> mascaras;  // and its 16-byte shuffle, 16 per step
    BITMAP* intermedio;             // for a screen rows cannot be written to
};

#endif
