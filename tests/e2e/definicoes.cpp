// What the end-to-end scenarios take from the game's own definitions rather
// than write down again, as shell assignments for e2e_preparar (comum.sh)
// to eval: each menu button's centre (BOTAO_*, "x y" in picture pixels,
// named as the game names its rectangle), the microphone check's verdict
// colours (VEREDITO_*, rrggbb, as the eye's veredito reads them), where the
// pointer rests between clicks (RATO_PARADO, a corner no button covers) and
// the finish line's column on the progress strip (PROGRESSO_CHEGADA, for
// GAME's map).
//
//   e2e_definicoes GAME
//
// A program of its own, linked with the game's code, so that the eye,
// which runs at every look, stays free of it (and of the sanitizers'
// runtime that code needs in a sanitizer build).

#include <allegro.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ConstantesGerais.h"
#include "GeometriaTela.h"
#include "Logica.h"
#include "NomesAssets.h"
#include "PainelMicrofone.h"

namespace {

void botao(const char* nome, const NomesAssets::RetanguloBotao& r) {
    std::printf("%s=\"%d %d\"\n", nome, (r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
}

void veredito(const char* nome, VerificadorMicrofone::Veredito v) {
    const int c = PainelMicrofone::getCor(v);
    std::printf("VEREDITO_%s=%02x%02x%02x\n", nome, getr32(c), getg32(c), getb32(c));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_definicoes GAME\n");
        return 2;
    }
    const std::string jogo = argv[1];
    std::ifstream mapa(jogo + "/mapas/1.txt");
    int linhas = 0, colunas = 0;
    if (!(mapa >> linhas >> colunas) || colunas <= 0) {
        std::fprintf(stderr, "e2e_definicoes: cannot read the map's size from %s/mapas/1.txt\n", jogo.c_str());
        return 2;
    }
    // The colours are made as the game makes them, at the depth the eye reads.
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        std::fprintf(stderr, "e2e_definicoes: the library did not start\n");
        return 2;
    }
    set_color_depth(32);
#define RONCO_BOTAO(nome) botao(#nome, NomesAssets::nome)
    RONCO_BOTAO(BOTAO_JOGAR);
    RONCO_BOTAO(BOTAO_INSTRUCOES);
    RONCO_BOTAO(BOTAO_SAIR);
    RONCO_BOTAO(BOTAO_RECORDES);
    RONCO_BOTAO(BOTAO_VOLTAR_PAGINA_1);
    RONCO_BOTAO(BOTAO_PROXIMA_PAGINA);
    RONCO_BOTAO(BOTAO_VOLTAR_PAGINA_2);
    RONCO_BOTAO(BOTAO_VOLTAR_RECORDES);
    RONCO_BOTAO(BOTAO_CONTINUAR);
    RONCO_BOTAO(BOTAO_DESISTIR);
#undef RONCO_BOTAO
#define RONCO_VEREDITO(nome) veredito(#nome, VerificadorMicrofone::nome)
    RONCO_VEREDITO(BOM);
    RONCO_VEREDITO(BAIXO_DEMAIS);
    RONCO_VEREDITO(NAO_OUVIDO);
    RONCO_VEREDITO(SEM_MICROFONE);
    RONCO_VEREDITO(SO_SILENCIO);
#undef RONCO_VEREDITO
    std::printf("RATO_PARADO=\"%d %d\"\n", GeometriaTela::LARGURA - 5, GeometriaTela::ALTURA - 5);
    std::printf("AVISO=%s\n", NomesAssets::AVISO_SEM_MICROFONE);
    // Where the renderer puts the player's mark once the car is on the line.
    std::printf("PROGRESSO_CHEGADA=%ld\n", std::lround(ListaCidades::CHEGADA_PADRAO * GeometriaTela::LARGURA /
                                                       (colunas * static_cast<double>(LADO_TILE))));
    allegro_exit();
    return 0;
}
END_OF_MAIN()
