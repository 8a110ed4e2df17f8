#include "LeitorLinhas.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

LeitorLinhas::LeitorLinhas(int fd) : fd(fd), bloco(), inicio(0), fim(0), longasDemais(0), erro(0) {}

bool LeitorLinhas::encher() {
    inicio = fim = 0;
    if (fd < 0 || erro != 0) return false;
    for (;;) {
        const ssize_t n = read(fd, bloco, sizeof bloco);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) erro = errno;
        if (n <= 0) return false;
        fim = static_cast<size_t>(n);
        return true;
    }
}

bool LeitorLinhas::proxima(std::string& linha) {
    linha.clear();
    bool longaDemais = false;
    for (;;) {
        if (inicio == fim && !encher()) {
            // The end: a last line without its line end still counts.
            if (longaDemais) {
                longasDemais++;
                return false;
            }
            return !linha.empty();
        }
        const char* comeco = bloco + inicio;
        const void* quebra = std::memchr(comeco, '\n', fim - inicio);
        const size_t ate =
            quebra != nullptr ? static_cast<size_t>(static_cast<const char*>(quebra) - comeco) : fim - inicio;
        if (!longaDemais) {
            if (linha.size() + ate > MAXIMO) {
                longaDemais = true;
                linha.clear();
            } else {
                linha.append(comeco, ate);
            }
        }
        inicio += ate;
        if (quebra != nullptr) {
            inicio++;
            if (!longaDemais) return true;
            longasDemais++;
            longaDemais = false;
        }
    }
}
