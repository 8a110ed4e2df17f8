#ifndef GERADOR_CIDADETILES_H
#define GERADOR_CIDADETILES_H

// The tile sheets: one row of 64x64 tiles, code n at x = (n - 1) * 64, every
// code of every city drawn in the colours of one city's palette. The codes
// mean the same in every city (a building is a building), so each city's
// look is only its sheet.

#include <string>

namespace cidade {

struct Cor {
    int r, g, b;
};

struct Paleta {
    // How a roof is textured: rows of tiles, metal ribs, or plain.
    enum Telhado { FILEIRAS, NERVURAS, LISO };
    // What stands in parks and beside the streets.
    enum Arvore { COPA, PALMEIRA, CANTEIRO };

    Cor asfalto{78, 80, 86};
    Cor calcada{196, 190, 178}, junta{168, 162, 150}, meioFio{150, 148, 144};
    Cor grama{88, 160, 70}, folhas{60, 128, 50};
    Cor praca{214, 200, 170}, pracaJunta{190, 175, 145};
    // The seven building styles: roof colour and texture.
    Cor predios[7] = {{186, 84, 62},  {92, 104, 126},  {206, 190, 152}, {128, 126, 120},
                      {92, 156, 134}, {226, 226, 218}, {150, 106, 74}};
    Telhado telhados[7] = {FILEIRAS, NERVURAS, LISO, LISO, NERVURAS, LISO, FILEIRAS};
    Arvore arvore = COPA;
    // Tall towers: some roofs carry a helipad instead of a dome.
    bool heliportos = false;
    // A style drawn as water (solid like a building, with a shore where it
    // meets land); -1 for none.
    int estiloAgua = -1;
    Cor agua{40, 110, 170}, areia{226, 206, 150};
    // The tiles added after the first city (sand, lane lines and a finish
    // across streets that run up or down, gantries pointing up or down).
    // The first city's sheet draws their codes as ground, as it always has.
    bool extras = false;
};

// Draws every code with `paleta` and saves the sheet at `caminho`. The
// pictures' noise comes from one generator seeded alike for every city.
void desenharFolha(const Paleta& paleta, const std::string& caminho);

}  // namespace cidade

#endif
