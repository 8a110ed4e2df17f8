#include "LinhaChegada.h"

#include <algorithm>
#include <cstdio>

#include "CarregadorMidia.h"

namespace {

const char* const RECORDE = "NEW RECORD!";
const char* const PONTO_MEDIO = "\xc2\xb7";
const int ESCALA_TEXTO = 3;

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

int LinhaChegada::getCorFaixa(bool recorde) { return recorde ? makecol(150, 100, 0) : makecol(20, 34, 80); }

void LinhaChegada::desenhar(BITMAP* destino) const {
    if (!definida || destino == nullptr) return;
    rectfill(destino, 0, FAIXA_Y1, destino->w - 1, FAIXA_Y2, getCorFaixa(recorde));
    hline(destino, 0, FAIXA_Y1, destino->w - 1, makecol(255, 220, 90));
    hline(destino, 0, FAIXA_Y2, destino->w - 1, makecol(255, 220, 90));
    const int y = (FAIXA_Y1 + FAIXA_Y2) / 2 - 4 * ESCALA_TEXTO;
    const int branco = makecol(255, 255, 255);
    if (recorde) {
        CarregadorMidia::escreverCentrado(destino, RECORDE, destino->w / 2, y, ESCALA_TEXTO, makecol(255, 230, 90));
        return;
    }
    // "BEST 0:41.27", a dot between two spaces, "+3.61".
    const int letra = 8 * ESCALA_TEXTO;
    const int largura = static_cast<int>(melhor.size() + 3 + diferenca.size()) * letra;
    const int x = (destino->w - largura) / 2;
    CarregadorMidia::escreverAmpliado(destino, melhor, x, y, ESCALA_TEXTO, branco);
    const int xPonto = x + static_cast<int>(melhor.size() + 1) * letra + letra / 2;
    circlefill(destino, xPonto, y + 4 * ESCALA_TEXTO - 1, ESCALA_TEXTO, branco);
    CarregadorMidia::escreverAmpliado(destino, diferenca, x + static_cast<int>(melhor.size() + 3) * letra, y,
                                      ESCALA_TEXTO, makecol(255, 160, 120));
}
