// Times the game's start without slowing it down: starts the game, and
// every 10 ms reads a narrow column and three rows of its window (about
// 30 KB through X11, no picture saved) until the main menu page is on
// screen. Escape is sent the
// moment the opening shows anything, as a player cutting it short would.
// The game's own moment is taken from the file system: when it has read the
// main menu page, the frame that shows it is being drawn.
//
//   sonda-arranque PAGE CONSOLE COMMAND [ARGUMENTS...]
//
// Run in the game's folder; PAGE is the main menu picture, CONSOLE the
// file that receives the game's console output. Prints, in ms
// from the launch, as shell assignments: window (window mapped), opening
// (first opening picture seen), escape (Escape sent), game (the game had
// read the menu page) and menu (the menu on screen). Then Escape closes
// the game from the menu.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <allegro.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

const int LINHAS[] = {120, 300, 480};  // rows compared with the menu page
const int LARGURA = 800, ALTURA = 600;
const int COLUNA = 396, LARGURA_COLUNA = 8;  // where the opening is looked for: the middle
const int TOLERANCIA = 8;                    // per channel
const int PASSO_MS = 10;
const int SEGURAR_ESCAPE_MS = 110;  // a little more than one fade step
const int LIMITE_MS = 30000;

double agora() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int deslocamento(unsigned long mascara) {
    int d = 0;
    while (mascara && !(mascara & 1)) mascara >>= 1, d++;
    return d;
}

// The top-level window of class "allegro" that is mapped, or 0.
Window acharJanela(Display* d) {
    Window raiz, pai, *filhas = nullptr;
    unsigned n = 0;
    Window achada = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &raiz, &pai, &filhas, &n)) return 0;
    for (unsigned i = 0; i < n && !achada; i++) {
        XClassHint classe;
        XWindowAttributes atributos;
        if (XGetClassHint(d, filhas[i], &classe)) {
            bool allegro = classe.res_name && std::strcmp(classe.res_name, "allegro") == 0;
            XFree(classe.res_name);
            XFree(classe.res_class);
            if (allegro && XGetWindowAttributes(d, filhas[i], &atributos) && atributos.map_state == IsViewable)
                achada = filhas[i];
        }
    }
    if (filhas) XFree(filhas);
    return achada;
}

void tecla(Display* d, Window w, bool descer) {
    XKeyEvent e{};
    e.type = descer ? KeyPress : KeyRelease;
    e.display = d;
    e.window = w;
    e.root = DefaultRootWindow(d);
    e.time = CurrentTime;
    e.same_screen = True;
    e.keycode = XKeysymToKeycode(d, XK_Escape);
    XSendEvent(d, w, True, descer ? KeyPressMask : KeyReleaseMask, reinterpret_cast<XEvent*>(&e));
    XFlush(d);
}

struct Olhada {
    bool lida = false;
    bool acesa = false;  // something other than black
    int iguaisMenu = 0;  // pixels that match the menu page
    int total = 0;
};

// Calls `ver(x, y, r, g, b)` for every pixel of a rectangle of the window.
template <class F>
bool lerRetangulo(Display* d, Window w, int x0, int y0, int largura, int altura, F ver) {
    XImage* img = XGetImage(d, w, x0, y0, largura, altura, AllPlanes, ZPixmap);
    if (!img) return false;
    const int dr = deslocamento(img->red_mask), dg = deslocamento(img->green_mask), db = deslocamento(img->blue_mask);
    for (int y = 0; y < altura; y++)
        for (int x = 0; x < largura; x++) {
            const unsigned long p = XGetPixel(img, x, y);
            ver(x0 + x, y0 + y, static_cast<int>((p & img->red_mask) >> dr),
                static_cast<int>((p & img->green_mask) >> dg), static_cast<int>((p & img->blue_mask) >> db));
        }
    XDestroyImage(img);
    return true;
}

Olhada olhar(Display* d, Window w, BITMAP* pagina) {
    Olhada o;
    auto acesa = [&o](int, int, int r, int g, int b) { o.acesa = o.acesa || r > 40 || g > 40 || b > 40; };
    auto comparar = [&o, pagina](int x, int y, int r, int g, int b) {
        int c = getpixel(pagina, x, y);
        if (c == bitmap_mask_color(pagina)) c = 0;  // drawn masked on black
        o.iguaisMenu += std::abs(getr32(c) - r) <= TOLERANCIA && std::abs(getg32(c) - g) <= TOLERANCIA &&
                        std::abs(getb32(c) - b) <= TOLERANCIA;
        o.total++;
    };
    if (!lerRetangulo(d, w, COLUNA, 0, LARGURA_COLUNA, ALTURA, acesa)) return o;
    for (int y : LINHAS)
        if (!lerRetangulo(d, w, 0, y, LARGURA, 1, comparar)) return o;
    o.lida = true;
    return o;
}

// The window may go away between two requests (the game closing): not an
// error worth dying of.
int ignorarErro(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: sonda-arranque PAGE CONSOLE COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    set_color_depth(32);
    BITMAP* pagina = load_bitmap(argv[1], nullptr);
    if (!pagina || pagina->w < LARGURA || pagina->h < ALTURA) {
        std::fprintf(stderr, "sonda-arranque: cannot read the page \"%s\"\n", argv[1]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "sonda-arranque: no display\n");
        return 2;
    }
    XSetErrorHandler(ignorarErro);
    const int avisos = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (avisos < 0 || inotify_add_watch(avisos, argv[1], IN_CLOSE_NOWRITE) < 0) {
        std::fprintf(stderr, "sonda-arranque: inotify: %s\n", std::strerror(errno));
        return 2;
    }

    const double t0 = agora();
    const pid_t jogo = fork();
    if (jogo == 0) {
        std::FILE* console = std::freopen(argv[2], "w", stdout);
        if (console == nullptr || dup2(STDOUT_FILENO, STDERR_FILENO) < 0) _exit(127);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double janela = -1, abertura = -1, escape = -1, soltar = -1, leuPagina = -1, menu = -1;
    double proxima = t0;
    Window w = 0;
    int estado = 0;
    while (menu < 0 && agora() - t0 < LIMITE_MS && waitpid(jogo, &estado, WNOHANG) == 0) {
        pollfd p{avisos, POLLIN, 0};
        const int espera = static_cast<int>(proxima - agora());
        poll(&p, 1, espera > 0 ? espera : 0);
        char eventos[4096];
        while (read(avisos, eventos, sizeof eventos) > 0) leuPagina = agora() - t0;
        if (soltar >= 0 && agora() - t0 >= soltar) {
            tecla(d, w, false);
            soltar = -1;
        }
        if (agora() < proxima) continue;
        proxima = agora() + PASSO_MS;
        if (!w) {
            if ((w = acharJanela(d))) {
                janela = agora() - t0;
                XWarpPointer(d, None, w, 0, 0, 0, 0, LARGURA - 5, 595);  // the pointer rests in a corner
            }
            continue;
        }
        Olhada o = olhar(d, w, pagina);
        if (!o.lida) continue;
        const double t = agora() - t0;
        if (abertura < 0 && o.acesa) {
            abertura = escape = t;
            tecla(d, w, true);
            soltar = t + SEGURAR_ESCAPE_MS;
        }
        if (o.iguaisMenu * 100 >= o.total * 97) menu = t;
    }
    if (soltar >= 0) tecla(d, w, false);
    std::printf("window=%.0f opening=%.0f escape=%.0f game=%.0f menu=%.0f\n", janela, abertura, escape,
                menu >= 0 ? leuPagina : -1.0, menu);
    std::fflush(stdout);
    // Escape in the main menu ends the game.
    if (menu >= 0 && waitpid(jogo, &estado, WNOHANG) == 0) {
        usleep(300000);
        tecla(d, w, true);
        usleep(SEGURAR_ESCAPE_MS * 1000);
        tecla(d, w, false);
    }
    for (int i = 0; i < 100 && waitpid(jogo, &estado, WNOHANG) == 0; i++) usleep(100000);
    if (waitpid(jogo, &estado, WNOHANG) == 0) {
        kill(jogo, SIGKILL);
        waitpid(jogo, &estado, 0);
    }
    XCloseDisplay(d);
    return menu >= 0 ? 0 : 1;
}
