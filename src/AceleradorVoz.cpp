#include "AceleradorVoz.h"

float AceleradorVoz::calcular(bool ronco, double mediaA, double nivelRonco, double sensibilidade) {
    const double intensidade = mediaA * sensibilidade;
    const double t = ronco ? intensidade * GANHO : intensidade * nivelRonco;
    return t > 1.0 ? 1.0f : static_cast<float>(t);
}
