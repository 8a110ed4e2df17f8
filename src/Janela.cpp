#include "Janela.h"

#include <cstdio>

#include "JanelaX11.h"
#include "LugarJanela.h"
#include "TravaFoco.h"

namespace {

struct Estado {
    bool aberta = false;
    bool telaCheia = false;
    bool pixelPerfeito = false;
    int escala = 1;
    int escalaMaxima = 1;
    int larguraDesktop = GeometriaTela::LARGURA;
    int alturaDesktop = GeometriaTela::ALTURA;
    // Where the window was before fullscreen, to go back there.
    bool temLugar = false;
    Retangulo lugar;
    Janela::Gancho aposTroca = nullptr;
    GeometriaTela geometria;
    AmpliadorQuadro ampliador;
};

// Never destroyed: its bitmap would outlive the library.
Estado& estado() {
    static Estado* e = new Estado();
    return *e;
}

// The library's window at the colour depth already set, at a whole scale
// or at the screen's size for fullscreen: always a window of the desktop,
// never a mode of its own (that would be a second window grabbing the
// keyboard). On success the picture's place in it is worked out and the
// screen starts black.
bool definirModo(bool telaCheia, int escala) {
    Estado& e = estado();
    const int w = telaCheia ? e.larguraDesktop : GeometriaTela::LARGURA * escala;
    const int h = telaCheia ? e.alturaDesktop : GeometriaTela::ALTURA * escala;
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, w, h, 0, 0) != 0) {
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

// Once the window is mapped again: fullscreen asked of the window manager
// (or, with none, the window laid over the screen), or the window put back
// at `destino`'s corner. With no window manager nobody gives the keyboard
// back to a window mapped again: the game does, if it had it.
void assentar(bool focada, const Retangulo* destino) {
    Estado& e = estado();
    const bool gerenciador = JanelaX11::temGerenciador();
    if (e.telaCheia) {
        if (gerenciador) {
            JanelaX11::pedirTelaCheia(true);
        } else {
            JanelaX11::mover(0, 0);
        }
    } else if (destino != nullptr && !destino->isVazio()) {
        JanelaX11::mover(destino->x1, destino->y1);
    }
    if (focada && !gerenciador) JanelaX11::focar();
}

// A change of mode while playing: the new one, or back to the old one. The
// window is mapped again meanwhile: the focus it loses is no player's.
bool trocar(bool telaCheia, int escala) {
    Estado& e = estado();
    TravaFoco::tolerarTroca();
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
    TravaFoco::tolerarTroca();
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
    // A scale saved on a larger screen is kept for it, and not used here.
    const int pedida = GeometriaTela::escalaInicial(escala, e.larguraDesktop, e.alturaDesktop);
    if (escala > pedida) {
        std::printf("The saved scale x%d does not fit this %dx%d screen: x%d\n", escala, e.larguraDesktop,
                    e.alturaDesktop, pedida);
    }
    const int profundidades[] = {desktop_color_depth(), 32, 24, 16, 15};
    for (int profundidade : profundidades) {
        if (profundidade < 15) {
            continue;  // unknown desktop depth, or a palette mode we do not draw in
        }
        set_color_depth(profundidade);
        e.escala = pedida;
        if (telaCheia && definirModo(true, pedida)) {
            assentar(false, nullptr);
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
    if (!e.aberta) return e.telaCheia;
    const bool focada = JanelaX11::isFocada();
    if (!e.telaCheia) {
        const JanelaX11::Lugar l = JanelaX11::getLugar();
        e.temLugar = !l.contorno.isVazio();
        e.lugar = l.contorno;
        trocar(true, e.escala);
        assentar(focada, nullptr);
        return e.telaCheia;
    }
    // Out of fullscreen before the window is mapped again at its size, or
    // the window manager would map it fullscreen once more.
    if (JanelaX11::temGerenciador()) JanelaX11::pedirTelaCheia(false);
    if (trocar(false, e.escala) && !e.temLugar) {
        // Opened in fullscreen: the window's first place is the middle.
        const JanelaX11::Lugar l = JanelaX11::getLugar();
        e.lugar =
            LugarJanela::centrada(l.contorno.getLargura(), l.contorno.getAltura(), e.larguraDesktop, e.alturaDesktop);
    }
    assentar(focada, &e.lugar);
    return e.telaCheia;
}

int Janela::passarEscala() {
    Estado& e = estado();
    const int nova = GeometriaTela::proximaEscala(e.escala, e.escalaMaxima);
    // Nothing to change, nothing done: the window stays where it is.
    if (!e.aberta || e.telaCheia || nova == e.escala) return e.escala;
    const bool focada = JanelaX11::isFocada();
    const JanelaX11::Lugar l = JanelaX11::getLugar();
    trocar(false, nova);
    // The new size about the old centre, on the screen.
    const Retangulo destino = LugarJanela::manterCentro(l.contorno, SCREEN_W + l.larguraMoldura,
                                                        SCREEN_H + l.alturaMoldura, e.larguraDesktop, e.alturaDesktop);
    assentar(focada, l.contorno.isVazio() ? nullptr : &destino);
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
