#include "GravadorFantasma.h"

#include <cmath>

GravadorFantasma::GravadorFantasma() : percurso(), excedido(false) {}

void GravadorFantasma::iniciar(int cidade) {
    percurso = PercursoFantasma();
    percurso.cidade = cidade;
    percurso.amostras.reserve(1024);
    excedido = false;
}

void GravadorFantasma::gravar(int tempoMs, const Vetor& posicao, float angulo) {
    if (static_cast<int>(percurso.amostras.size()) >= MAXIMO_AMOSTRAS) {
        excedido = true;
        return;
    }
    if (!percurso.amostras.empty() && tempoMs < percurso.amostras.back().tempoMs) {
        tempoMs = percurso.amostras.back().tempoMs;
    }
    // A car that spun round and round keeps a growing angle; the ghost
    // needs only which way it faced.
    const float a = static_cast<float>(std::remainder(static_cast<double>(angulo), 2 * M_PI));
    percurso.amostras.push_back({tempoMs, posicao.getX(), posicao.getY(), std::isfinite(a) ? a : 0.0f});
}

void GravadorFantasma::concluir(int tempoMs) { percurso.tempoMs = tempoMs; }
