#include "PainelCidade.h"

#include "CarregadorMidia.h"
#include "EscolhaCidade.h"
#include "FormatoTempo.h"
#include "PainelMedalha.h"
#include "PainelRecordes.h"

void PainelCidade::desenharNome(BITMAP* d, const EscolhaCidade& escolha, const NomesAssets::RetanguloBotao& l, int y) {
    CarregadorMidia::escreverCentrado(d, escolha.getEscolhida().nome, (l.x1 + l.x2) / 2, y, 2, makecol(240, 240, 240));
}

void PainelCidade::desenharMenu(BITMAP* d, const EscolhaCidade* escolha, bool fantasma) {
    using namespace NomesAssets;
    CarregadorMidia::escreverCentrado(d, fantasma ? "G: GHOST ON" : "G: GHOST OFF",
                                      (MENU_FANTASMA_X1 + MENU_FANTASMA_X2) / 2,
                                      (MENU_FANTASMA_Y1 + MENU_FANTASMA_Y2) / 2 - 7, 2, makecol(200, 170, 255));
    if (escolha == nullptr) return;
    const RetanguloBotao& l = CIDADE_MENU;
    desenharNome(d, *escolha, l, l.y1 + 5);
    PlacarCidade& placar = escolha->getPlacar();
    const Recordes& recordes = placar.getRecordes();
    // A file that cannot be read has no best to show (the records page says why).
    if (!recordes.isLegivel()) return;
    const std::vector<int>& melhores = recordes.getMelhores();
    const std::string melhor = melhores.empty() ? "NO TIME YET" : "BEST " + FormatoTempo::tempo(melhores[0]);
    CarregadorMidia::escreverCentrado(d, melhor, (l.x1 + l.x2) / 2, l.y2 - 20, 2, makecol(255, 210, 40));
    if (!melhores.empty())
        PainelMedalha::desenhar(d, placar.getMedalhas().getMedalha(melhores[0]), MEDALHA_X, MEDALHA_Y, 9);
}

void PainelCidade::desenharRecordes(BITMAP* d, const EscolhaCidade* escolha, bool comFundo) {
    if (escolha == nullptr) {
        PainelRecordes::desenharPagina(d, nullptr, nullptr, comFundo);
        return;
    }
    PlacarCidade& placar = escolha->getPlacar();
    PainelRecordes::desenharPagina(d, &placar.getRecordes(), &placar.getMedalhas(), comFundo);
    const NomesAssets::RetanguloBotao& l = NomesAssets::CIDADE_RECORDES;
    desenharNome(d, *escolha, l, (l.y1 + l.y2) / 2 - 7);
}
