#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CaminhosAssets.h"
#include "Desenho.h"
#include "Partes.h"

namespace medalhas {

// Gold is within 5 % of the reference run, silver 20 % and bronze 50 % over
// it, to the tenth of a second.
void gerar(const std::string& raiz, int cidade, int referenciaMs) {
    const std::string caminho = raiz + "/" + CaminhosAssets::medalhas(cidade);
    desenho::criarPastas(caminho);
    std::FILE* f = std::fopen(caminho.c_str(), "w");
    if (f == nullptr) {
        std::fprintf(stderr, "gerador-assets: cannot write %s\n", caminho.c_str());
        std::exit(1);
    }
    auto alvo = [referenciaMs](double fator) { return std::lround(referenciaMs * fator / 100) * 100; };
    std::fprintf(f,
                 "# Medal times of city %d, in ms of race time: a race at or under one earns it.\n"
                 "# Full throttle in the best gear finishes in %.2f s (medir-corridas --medals).\n"
                 "gold %ld\nsilver %ld\nbronze %ld\n",
                 cidade, referenciaMs / 1000.0, alvo(1.05), alvo(1.20), alvo(1.50));
    std::fclose(f);
}

}  // namespace medalhas
