#include "JanelaX11.h"

#include <X11/Xatom.h>
#include <allegro.h>
#include <xalleg.h>

#include <cstring>

namespace {

// The library's lock around every call, as its own threads draw and read
// events on the same connection.
class Trava {
public:
    Trava() { XLOCK(); }
    ~Trava() { XUNLOCK(); }
    Trava(const Trava&) = delete;
    Trava& operator=(const Trava&) = delete;
};

// Requests about windows that may be gone (a window manager that quit, a
// window not mapped yet) fail without ending the program: Xlib's default
// answer to an error is exit. Within the library's lock nobody else talks
// to the server, so the handler is ours for the while.
class SemErros {
public:
    SemErros() : anterior(XSetErrorHandler(ignorar)) {}
    ~SemErros() {
        XSync(_xwin.display, False);
        XSetErrorHandler(anterior);
    }
    SemErros(const SemErros&) = delete;
    SemErros& operator=(const SemErros&) = delete;

private:
    static int ignorar(Display*, XErrorEvent*) { return 0; }
    XErrorHandler anterior;
};

Atom atomo(const char* nome) { return XInternAtom(_xwin.display, nome, False); }

// The window property `nome` as a list of 32-bit values (atoms, windows).
template <class F>
void lerPropriedade(Window w, const char* nome, Atom tipo, F cada) {
    Atom real = None;
    int formato = 0;
    unsigned long n = 0, resto = 0;
    unsigned char* dados = nullptr;
    if (XGetWindowProperty(_xwin.display, w, atomo(nome), 0, 1024, False, tipo, &real, &formato, &n, &resto, &dados) ==
            Success &&
        dados != nullptr) {
        if (real == tipo && formato == 32) {
            const unsigned long* v = reinterpret_cast<const unsigned long*>(dados);
            for (unsigned long i = 0; i < n; i++) cada(v[i]);
        }
        XFree(dados);
    }
}

Window verificador(Window w) {
    Window achado = None;
    lerPropriedade(w, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, [&achado](unsigned long v) { achado = v; });
    return achado;
}

// The window manager's frame: the window's ancestor right below the root
// (the window itself when nobody reparented it).
Window moldura() {
    Window w = _xwin.wm_window, raiz = None, pai = None, *filhas = nullptr;
    unsigned int n = 0;
    while (XQueryTree(_xwin.display, w, &raiz, &pai, &filhas, &n)) {
        if (filhas != nullptr) XFree(filhas);
        filhas = nullptr;
        if (pai == raiz || pai == None) break;
        w = pai;
    }
    return w;
}

Retangulo retangulo(Window w) {
    Window raiz = None, filha = None;
    int x = 0, y = 0, rx = 0, ry = 0;
    unsigned int largura = 0, altura = 0, borda = 0, profundidade = 0;
    if (!XGetGeometry(_xwin.display, w, &raiz, &x, &y, &largura, &altura, &borda, &profundidade)) return Retangulo();
    XTranslateCoordinates(_xwin.display, w, raiz, 0, 0, &rx, &ry, &filha);
    return Retangulo(rx, ry, rx + static_cast<int>(largura + 2 * borda) - 1,
                     ry + static_cast<int>(altura + 2 * borda) - 1);
}

}  // namespace

bool JanelaX11::isAberta() {
    return gfx_driver != nullptr && gfx_driver->id == GFX_XWINDOWS && _xwin.display != nullptr &&
           _xwin.wm_window != None;
}

bool JanelaX11::temGerenciador() {
    if (!isAberta()) return false;
    Trava trava;
    SemErros semErros;
    // A window manager names a window of its own on the root, which names
    // itself again (a stale name outlives a window manager that quit).
    const Window w = verificador(DefaultRootWindow(_xwin.display));
    if (w == None || verificador(w) != w) return false;
    bool telaCheia = false;
    const Atom pedido = atomo("_NET_WM_STATE_FULLSCREEN");
    lerPropriedade(DefaultRootWindow(_xwin.display), "_NET_SUPPORTED", XA_ATOM,
                   [&](unsigned long a) { telaCheia = telaCheia || a == pedido; });
    return telaCheia;
}

void JanelaX11::pedirTelaCheia(bool sim) {
    if (!isAberta()) return;
    Trava trava;
    XEvent e;
    std::memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.window = _xwin.wm_window;
    e.xclient.message_type = atomo("_NET_WM_STATE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = sim ? 1 : 0;  // add, remove
    e.xclient.data.l[1] = static_cast<long>(atomo("_NET_WM_STATE_FULLSCREEN"));
    e.xclient.data.l[3] = 1;  // asked by an application
    XSendEvent(_xwin.display, DefaultRootWindow(_xwin.display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(_xwin.display);
}

JanelaX11::Lugar JanelaX11::getLugar() {
    Lugar l;
    if (!isAberta()) return l;
    Trava trava;
    SemErros semErros;
    l.contorno = retangulo(moldura());
    const Retangulo propria = retangulo(_xwin.wm_window);
    l.larguraMoldura = l.contorno.getLargura() - propria.getLargura();
    l.alturaMoldura = l.contorno.getAltura() - propria.getAltura();
    return l;
}

void JanelaX11::mover(int x, int y) {
    if (!isAberta()) return;
    Trava trava;
    XMoveWindow(_xwin.display, _xwin.wm_window, x, y);
    XFlush(_xwin.display);
}

bool JanelaX11::isFocada() {
    if (!isAberta()) return false;
    Trava trava;
    Window focada = None;
    int volta = 0;
    XGetInputFocus(_xwin.display, &focada, &volta);
    return focada == _xwin.wm_window || focada == _xwin.window;
}

void JanelaX11::focar() {
    if (!isAberta()) return;
    Trava trava;
    SemErros semErros;
    XWindowAttributes a;
    if (XGetWindowAttributes(_xwin.display, _xwin.wm_window, &a) && a.map_state == IsViewable) {
        XRaiseWindow(_xwin.display, _xwin.wm_window);
        XSetInputFocus(_xwin.display, _xwin.wm_window, RevertToParent, CurrentTime);
    }
}
