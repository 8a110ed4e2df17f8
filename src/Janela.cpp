#include "Janela.h"

#include <cstdio>

namespace {

struct Estado {
    bool aberta = false;
    bool telaCheia = false;
    bool pixelPerfeito = false;
    int escala = 1;
    int escalaMaxima = 1;
    int larguraDesktop = GeometriaTela::LARGURA;
    int alturaDesktop = GeometriaTela::ALTURA;
    Janela::Gancho aposTroca = nullptr;
    GeometriaTela geometria;
    AmpliadorQuadro ampliador;
};

// Never destroyed: its bitmap would outlive the library.
Estado& estado() {
    static Estado* e = new Estado();
    return *e;
}

// One graphics mode at the colour depth already set; on success the
// picture's place in it is worked out and the screen starts black.
bool definirModo(bool telaCheia, int escala) {
    Estado& e = estado();
    const int w = telaCheia ? e.larguraDesktop : GeometriaTela::LARGURA * escala;
    const int h = telaCheia ? e.alturaDesktop : GeometriaTela::ALTURA * escala;
    if (set_gfx_mode(telaCheia ? GFX_AUTODETECT_FULLSCREEN : GFX_AUTODETECT_WINDOWED, w, h, 0, 0) != 0) {
        return false;
    }
    e.aberta = true;
    e.telaCheia = telaCheia;
    if (!telaCheia) e.escala = escala;
    e.geometria = GeometriaTela(SCREEN_W, SCREEN_H, !telaCheia || e.pixelPerfeito);
    clear_to_color(screen, makecol(0, 0, 0));
    if (telaCheia) {
        std::printf("Fullscreen: %dx%d, the picture %dx%d\n", SCREEN_W, SCREEN_H, e.geometria.getLargura(),
                    e.geometria.getAltura());
    } else {
        std::printf("Window: %dx%d (x%d)\n", SCREEN_W, SCREEN_H, escala);
    }
    std::fflush(stdout);
    return true;
}

// A change of mode while playing: the new one, or back to the old one.
bool trocar(bool telaCheia, int escala) {
    Estado& e = estado();
    const bool antesCheia = e.telaCheia;
    const int antesEscala = e.escala;
    bool ok = definirModo(telaCheia, escala);
    if (!ok) {
        std::printf("Cannot open the %s: %s\n", telaCheia ? "fullscreen" : "window", allegro_error);
        // A failed attempt closes the mode there was: it is opened again
        // (a window at x1 as the last resort).
        if (!definirModo(antesCheia, antesEscala) && !definirModo(false, 1)) {
            e.aberta = false;
        }
    }
    if (e.aberta && e.aposTroca != nullptr) e.aposTroca();
    return ok;
}

}  // namespace

bool Janela::abrir(int escala, bool telaCheia, bool pixelPerfeito) {
    Estado& e = estado();
    int w = 0, h = 0;
    if (get_desktop_resolution(&w, &h) == 0 && w > 0 && h > 0) {
        e.larguraDesktop = w;
        e.alturaDesktop = h;
    }
    e.escalaMaxima = GeometriaTela::escalaQueCabe(e.larguraDesktop, e.alturaDesktop);
    e.pixelPerfeito = pixelPerfeito;
    const int pedida = escala >= 1 && escala <= GeometriaTela::ESCALA_MAXIMA ? escala : e.escalaMaxima;
    const int profundidades[] = {desktop_color_depth(), 32, 24, 16, 15};
    for (int profundidade : profundidades) {
        if (profundidade < 15) {
            continue;  // unknown desktop depth, or a palette mode we do not draw in
        }
        set_color_depth(profundidade);
        if (telaCheia && definirModo(true, pedida)) {
            e.escala = pedida;
            return true;
        }
        for (int k = pedida; k >= 1; k--) {
            if (definirModo(false, k)) return true;
        }
    }
    std::fprintf(stderr, "Cannot open the game's %dx%d window: %s\n", GeometriaTela::LARGURA * pedida,
                 GeometriaTela::ALTURA * pedida, allegro_error);
    return false;
}

void Janela::setAposTroca(Gancho gancho) { estado().aposTroca = gancho; }

bool Janela::alternarTelaCheia() {
    Estado& e = estado();
    if (e.aberta) trocar(!e.telaCheia, e.escala);
    return e.telaCheia;
}

int Janela::passarEscala() {
    Estado& e = estado();
    if (e.aberta && !e.telaCheia) trocar(false, GeometriaTela::proximaEscala(e.escala, e.escalaMaxima));
    return e.escala;
}

bool Janela::isTelaCheia() { return estado().telaCheia; }

int Janela::getEscala() { return estado().escala; }

const GeometriaTela& Janela::getGeometria() { return estado().geometria; }

GeometriaTela::Ponto Janela::getPonteiro() { return estado().geometria.paraQuadro(mouse_x, mouse_y); }

void Janela::mostrar(BITMAP* quadro) {
    Estado& e = estado();
    if (screen == nullptr || quadro == nullptr) return;
    e.ampliador.desenhar(screen, quadro, e.geometria);
}
