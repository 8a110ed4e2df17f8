#include <cstdio>
#include <cstdlib>
#include <string>

#include "CaminhosAssets.h"
#include "Desenho.h"
#include "Partes.h"

namespace medalhas {

// Set from the race measurement's reference run on city 1: at full
// throttle in the best gear its driver finishes in 11.12 s (median of 50
// races, `medir-corridas --medals 50`). Gold is within 5 % of that, silver
// 20 % and bronze 50 % over it, to the tenth of a second.
void gerar(const std::string& raiz) {
    const std::string caminho = raiz + "/" + CaminhosAssets::medalhas(1);
    desenho::criarPastas(caminho);
    std::FILE* f = std::fopen(caminho.c_str(), "w");
    if (f == nullptr) {
        std::fprintf(stderr, "gerador-assets: cannot write %s\n", caminho.c_str());
        std::exit(1);
    }
    std::fprintf(f,
                 "# Medal times of city 1, in ms of race time: a race at or under one earns it.\n"
                 "# Full throttle in the best gear finishes in 11.12 s (medir-corridas --medals).\n"
                 "gold 11700\nsilver 13300\nbronze 16700\n");
    std::fclose(f);
}

}  // namespace medalhas
