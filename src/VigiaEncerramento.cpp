#include "VigiaEncerramento.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

void VigiaEncerramento::armar(int limiteMs) {
    static bool armado = false;
    if (armado) return;
    armado = true;
    std::thread([limiteMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(limiteMs));
        std::fprintf(stderr, "Shutting down took more than %d ms: leaving without waiting any longer.\n", limiteMs);
        std::fflush(stdout);
        _exit(0);
    }).detach();
}
