#include "Vetor.h"

#include <cmath>

Vetor::Vetor() : x(0.0f), y(0.0f) {}

Vetor::Vetor(float x, float y) : x(x), y(y) {}

float Vetor::getModulo() const {
    double dx = x;
    double dy = y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}
