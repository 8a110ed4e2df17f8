#include "CalibracaoVoz.h"

#include <algorithm>

#include "AceleradorVoz.h"
#include "Preferencias.h"

CalibracaoVoz::CalibracaoVoz()
    : situacao(PARADA), quadros(0), ouvidos(0), sensibilidade(1.0f), intensidades(), comparacoes() {}

void CalibracaoVoz::iniciar() {
    situacao = OUVINDO;
    quadros = 0;
    ouvidos = 0;
}

void CalibracaoVoz::cancelar() { situacao = PARADA; }

void CalibracaoVoz::registrar(bool ronco, double mediaA, int comparacoesQuadro) {
    if (situacao != OUVINDO) return;
    comparacoes[quadros++] = comparacoesQuadro;
    if (ronco) intensidades[ouvidos++] = mediaA;
    if (quadros < QUADROS) return;
    if (3 * ouvidos < QUADROS) {
        situacao = FALHOU;
        return;
    }
    std::nth_element(intensidades, intensidades + ouvidos / 2, intensidades + ouvidos);
    sensibilidade = sensibilidadePara(intensidades[ouvidos / 2]);
    situacao = FEITA;
}

float CalibracaoVoz::sensibilidadePara(double mediana) {
    if (!(mediana > 0.0)) return Preferencias::SENSIBILIDADE_MAXIMA;
    const double s = MARGEM / (AceleradorVoz::GANHO * mediana);
    return static_cast<float>(std::clamp(s, static_cast<double>(Preferencias::SENSIBILIDADE_MINIMA),
                                         static_cast<double>(Preferencias::SENSIBILIDADE_MAXIMA)));
}
