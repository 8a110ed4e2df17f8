#include "DiferencaFantasma.h"

#include <algorithm>
#include <cmath>

void DiferencaFantasma::setPercurso(const PercursoFantasma* p, const ProgressoRota& rota) {
    alcance.clear();
    tempos.clear();
    if (p == nullptr) return;
    // A ghost that backed away from a wall does not get there twice: what
    // counts is the first time it got that far.
    float maior = -INFINITY;
    for (const AmostraFantasma& a : p->amostras) {
        maior = std::max(maior, rota.medir(Vetor(a.x, a.y)));
        alcance.push_back(maior);
        tempos.push_back(a.tempoMs);
    }
}

bool DiferencaFantasma::calcular(int tempoMs, float progresso, int& diferencaMs) const {
    const auto k = std::lower_bound(alcance.begin(), alcance.end(), progresso);
    if (k == alcance.end()) return false;
    const size_t i = static_cast<size_t>(k - alcance.begin());
    double quando = tempos[i];
    if (i > 0) {
        // Between the sample short of the player's place and the one that
        // reached it, in proportion to the way.
        const double f = (progresso - alcance[i - 1]) / (static_cast<double>(alcance[i]) - alcance[i - 1]);
        quando = tempos[i - 1] + f * (tempos[i] - tempos[i - 1]);
    }
    diferencaMs = tempoMs - static_cast<int>(std::lround(quando));
    return true;
}
