#include "Relogio.h"

#include <chrono>

namespace {

const std::chrono::steady_clock::time_point inicioPrograma = std::chrono::steady_clock::now();

bool manual = false;
int leituraManual = 0;

}  // namespace

int Relogio::getMilissegundos() {
    if (manual) {
        return leituraManual;
    }
    auto decorrido = std::chrono::steady_clock::now() - inicioPrograma;
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(decorrido).count());
}

void Relogio::setManual(int milissegundos) {
    manual = true;
    leituraManual = milissegundos;
}

void Relogio::avancar(int milissegundos) {
    if (!manual) {
        setManual(getMilissegundos());
    }
    leituraManual += milissegundos;
}

void Relogio::setReal() { manual = false; }
