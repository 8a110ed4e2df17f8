// Writes the game's whole asset tree into the directory given as the first
// argument (the directory the game runs from), and the desktop icon into the
// second, if given.

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Cidade.h"
#include "Partes.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [ICON_DIR]\n", argv[0]);
        return 2;
    }
    // No display is needed: pictures are drawn into memory bitmaps.
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "gerador-assets: cannot start the graphics library\n");
        return 1;
    }
    set_color_depth(32);
    std::string raiz = argv[1];
    cidade::gerar(raiz);
    hud::gerar(raiz);
    telas::gerar(raiz);
    abertura::gerar(raiz);
    sons::gerar(raiz);
    if (argc == 3) icone::gerar(argv[2]);
    return 0;
}
