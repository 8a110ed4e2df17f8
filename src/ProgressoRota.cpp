#include "ProgressoRota.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ConstantesGerais.h"

ProgressoRota::ProgressoRota(const std::vector<std::pair<int, int>>& rota) {
    auto centro = [](int celula) { return celula * static_cast<double>(LADO_TILE) + LADO_TILE / 2.0; };
    double inicio = rota.empty() ? 0.0 : centro(rota[0].second);
    for (size_t i = 0; i + 1 < rota.size(); ++i) {
        const double x0 = centro(rota[i].first), y0 = centro(rota[i].second);
        const double dx = centro(rota[i + 1].first) - x0, dy = centro(rota[i + 1].second) - y0;
        const double comprimento = std::hypot(dx, dy);
        if (comprimento <= 0.0) continue;
        trechos.push_back({x0, y0, dx, dy, comprimento, inicio});
        inicio += comprimento;
    }
}

float ProgressoRota::medir(const Vetor& posicao) const {
    if (trechos.empty()) return posicao.getY();
    double melhor = std::numeric_limits<double>::infinity(), progresso = 0.0;
    for (size_t k = 0; k < trechos.size(); ++k) {
        const Trecho& t = trechos[k];
        const double px = posicao.getX() - t.x0, py = posicao.getY() - t.y0;
        double ao = (px * t.dx + py * t.dy) / t.comprimento;  // along the run's line
        if (k > 0) ao = std::max(ao, 0.0);
        if (k + 1 < trechos.size()) ao = std::min(ao, t.comprimento);
        const double fora = std::hypot(px - t.dx * ao / t.comprimento, py - t.dy * ao / t.comprimento);
        if (fora < melhor) {
            melhor = fora;
            progresso = t.inicio + ao;
        }
    }
    return static_cast<float>(progresso);
}
