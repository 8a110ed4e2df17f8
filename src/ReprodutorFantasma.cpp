#include "ReprodutorFantasma.h"

#include <algorithm>
#include <cmath>

ReprodutorFantasma::Pose ReprodutorFantasma::getPose(int tempoMs) const {
    if (!isAtivo()) return Pose{Vetor(), 0.0f};
    const std::vector<AmostraFantasma>& a = percurso->amostras;
    // The first sample later than the clock, and the one before it.
    const auto depois =
        std::upper_bound(a.begin(), a.end(), tempoMs, [](int t, const AmostraFantasma& s) { return t < s.tempoMs; });
    const AmostraFantasma& p = depois == a.begin() ? *depois : *(depois - 1);
    if (depois == a.begin() || depois == a.end() || p.tempoMs == tempoMs) {
        return Pose{Vetor(p.x, p.y), p.angulo};
    }
    const AmostraFantasma& q = *depois;
    const float f = static_cast<float>(tempoMs - p.tempoMs) / static_cast<float>(q.tempoMs - p.tempoMs);
    const float giro = static_cast<float>(std::remainder(static_cast<double>(q.angulo) - p.angulo, 2 * M_PI));
    return Pose{Vetor(p.x + (q.x - p.x) * f, p.y + (q.y - p.y) * f), p.angulo + giro * f};
}
