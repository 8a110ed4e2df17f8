#ifndef RASTROCARROS_H
#define RASTROCARROS_H

#include <list>
#include <vector>

#include "Vetor.h"

class Carro;

// The map cells under the car pictures of one frame. The renderer draws
// cars into the map layer and erases them only by repainting listed cells:
// whatever a frame drew, that frame and the next list, so no picture stays
// behind when its car moves on, stops being drawn or leaves the map, and
// the upper layer is put back over every car drawn.
class RastroCarros {
public:
    RastroCarros(int ultimaLinha, int ultimaColuna);

    // A car drawn this frame: its picture, its length by its width centred
    // on the car, covers at most the square round its half diagonal.
    void marcar(const Carro* carro);
    // The same for a picture of w by h centred on `posicao` (as Carro keeps it).
    void marcar(Vetor posicao, int w, int h);

    // Lists at the front of `tiles` the cells under this frame's and the
    // last frame's cars that it lacks, then starts the next frame.
    void listar(std::list<Vetor>& tiles);

private:
    int ultimaLinha, ultimaColuna;
    std::vector<int> atuais, anteriores;  // cells as row * columns + column
    std::vector<bool> listada;
};

#endif
