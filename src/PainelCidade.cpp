#include "PainelCidade.h"

#include <cstdio>

#include "CarregadorMidia.h"
#include "EscolhaCidade.h"

std::string PainelCidade::formatarTempo(int ms) {
    if (ms < 0) {
        ms = 0;
    }
    char texto[32];
    std::snprintf(texto, sizeof texto, "%02d:%02d.%02d", ms / 60000, (ms / 1000) % 60, (ms % 1000) / 10);
    return texto;
}

void PainelCidade::desenhar(BITMAP* d, const EscolhaCidade& escolha, const NomesAssets::RetanguloBotao& l,
                            bool comMelhor) {
    if (d == nullptr) return;
    const int amarelo = makecol(255, 210, 40), branco = makecol(240, 240, 240);
    const int centro = (l.x1 + l.x2) / 2;
    const int altura = l.y2 - l.y1 + 1;
    if (!comMelhor) {
        CarregadorMidia::escreverCentrado(d, escolha.getEscolhida().nome, centro, l.y1 + altura / 2 - 8, 2, branco);
        return;
    }
    CarregadorMidia::escreverCentrado(d, escolha.getEscolhida().nome, centro, l.y1 + 5, 2, branco);
    const std::vector<int>& melhores = escolha.getRecordes().getMelhores();
    const std::string melhor = melhores.empty() ? "NO TIME YET" : "BEST " + formatarTempo(melhores[0]);
    CarregadorMidia::escreverCentrado(d, melhor, centro, l.y2 - 20, 2, amarelo);
}
