#ifndef PAINELFANTASMA_H
#define PAINELFANTASMA_H

#include <allegro.h>

#include <utility>
#include <vector>

#include "Retangulo.h"
#include "Vetor.h"

// What the race view shows of the ghost: its car, see-through, in the map
// layer under every car; its mark on the progress strip; and under the
// race clock the gap to it, green while the player is ahead, red behind.
class PainelFantasma {
public:
    // How much of the ghost's car shows, of 256.
    static constexpr int OPACIDADE = 110;
    static constexpr int DIFERENCA_Y1 = 58;
    static constexpr int DIFERENCA_Y2 = 80;

    PainelFantasma();
    ~PainelFantasma();
    PainelFantasma(const PainelFantasma&) = delete;
    PainelFantasma& operator=(const PainelFantasma&) = delete;

    // The picture turned by `angulo` (radians) about its centre, placed at
    // `centro` (map pixels, screen order), unless it cannot reach `vista`.
    // The picture must stay the same while it is in use here (a new one
    // at another address is turned anew). Each angle it is shown at is
    // turned once and kept: a ghost that follows a road's lane sways
    // between a few.
    // Answers the rectangle it drew over (empty when nothing).
    Retangulo desenharCarro(BITMAP* camada, BITMAP* imagem, Vetor centro, float angulo, const Retangulo& vista);

    static void desenharDiferenca(BITMAP* destino, int diferencaMs);
    // Centred on column x of the strip.
    static void desenharMarca(BITMAP* destino, int x);

    static int getCorMarca();
    static int getCorDiferenca(int diferencaMs);

private:
    // The picture turned to one angle, in a square of its diagonal, and
    // where it has pixels: each row's span, and all of them.
    struct Giro {
        BITMAP* rascunho = nullptr;
        std::vector<std::pair<int, int>> trechos;
        Retangulo ocupado;
    };
    static void medir(Giro& g);
    void esquecerGiros();

    Giro giros[256];  // by the library's whole angle units
    BITMAP* imagemGirada;
};

#endif
