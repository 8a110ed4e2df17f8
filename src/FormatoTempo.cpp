#include "FormatoTempo.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string formatar(int centesimos, const char* sinal, bool minutosSempre) {
    char texto[32];
    const int m = centesimos / 6000, s = centesimos / 100 % 60, c = centesimos % 100;
    if (m == 0 && !minutosSempre) {
        std::snprintf(texto, sizeof texto, "%s%d.%02d", sinal, s, c);
    } else {
        std::snprintf(texto, sizeof texto, "%s%d:%02d.%02d", sinal, m, s, c);
    }
    return texto;
}

}  // namespace

std::string FormatoTempo::tempo(int ms) { return formatar(ms > 0 ? ms / 10 : 0, "", true); }

std::string FormatoTempo::diferenca(int centesimos) {
    return formatar(std::abs(centesimos), centesimos < 0 ? "-" : "+", false);
}
