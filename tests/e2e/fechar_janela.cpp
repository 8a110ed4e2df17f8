// Presses a window's close button the way a window manager does: sends it
// the WM_DELETE_WINDOW message of the WM_PROTOCOLS protocol. The test server
// runs no window manager, and xdotool of Debian 12 can only destroy a
// window, which is not what a player's click does.
//
//   e2e_fechar_janela WINDOW-ID

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_fechar_janela WINDOW-ID\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "e2e_fechar_janela: no display\n");
        return 2;
    }
    Window w = std::strtoul(argv[1], nullptr, 0);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    Status ok = XSendEvent(d, w, False, NoEventMask, &ev);
    XCloseDisplay(d);
    return ok ? 0 : 1;
}
