#include "LinhaChegada.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const RECORDE = "NEW RECORD!";
const char* const PONTO_MEDIO = "\xc2\xb7";

std::string formatar(int centesimos, bool sinal) {
    char texto[32];
    const int m = centesimos / 6000, s = centesimos / 100 % 60, c = centesimos % 100;
    if (sinal && m == 0) {
        std::snprintf(texto, sizeof texto, "+%d.%02d", s, c);
    } else {
        std::snprintf(texto, sizeof texto, "%s%d:%02d.%02d", sinal ? "+" : "", m, s, c);
    }
    return texto;
}

}  // namespace

LinhaChegada::LinhaChegada() : definida(false), recorde(false), melhor(), diferenca() {}

void LinhaChegada::definir(int tempoMs, const std::vector<int>& anteriores) {
    definida = true;
    tempoMs = std::max(0, tempoMs);
    const auto menor = std::min_element(anteriores.begin(), anteriores.end());
    recorde = menor == anteriores.end() || tempoMs < *menor;
    if (recorde) return;
    // The difference of the two clocks as shown, so that it adds up.
    melhor = "BEST " + formatar(*menor / 10, false);
    diferenca = formatar(tempoMs / 10 - *menor / 10, true);
}

std::string LinhaChegada::getTexto() const {
    if (!definida) return "";
    return recorde ? RECORDE : melhor + " " + PONTO_MEDIO + " " + diferenca;
}

const char* LinhaChegada::getTextoRecorde() { return RECORDE; }
