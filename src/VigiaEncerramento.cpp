#include "VigiaEncerramento.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// The line goes out without ever waiting: the error output may be a pipe
// or a terminal nobody drains, and the thread stuck in shutdown may be the
// one holding the C library's stream. A description of its own (opened
// again through /proc) makes the write non-blocking without changing the
// mode of the one the game shares with its parent; where none can be
// opened (a socket), the line is left out.
void avisar(int limiteMs) {
    char linha[128];
    const int n = std::snprintf(linha, sizeof linha,
                                "Shutting down took more than %d ms: leaving without waiting any longer.\n", limiteMs);
    const int fd = open("/proc/self/fd/2", O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    if (write(fd, linha, static_cast<size_t>(n)) < 0) {
        // Full or gone: leaving matters more than the line.
    }
    close(fd);
}

}  // namespace

void VigiaEncerramento::armar(int limiteMs) {
    static bool armado = false;
    if (armado) return;
    armado = true;
    std::thread([limiteMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(limiteMs));
        avisar(limiteMs);
        _exit(STATUS_FORCADO);
    }).detach();
}
