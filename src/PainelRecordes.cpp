#include "PainelRecordes.h"

#include <cstdio>

#include "CarregadorMidia.h"
#include "FormatoTempo.h"
#include "NomesAssets.h"
#include "PainelMedalha.h"

namespace {

using namespace NomesAssets;

const int LARGURA = 800;
const int ALTURA = 600;

// The medal times, on the panel's last line: each medal and its time.
void desenharAlvos(BITMAP* d, const Medalhas& medalhas, int y) {
    const int centroPainel = (RECORDES_PAINEL_X1 + RECORDES_PAINEL_X2) / 2;
    const Medalhas::Medalha ordem[] = {Medalhas::OURO, Medalhas::PRATA, Medalhas::BRONZE};
    for (int i = 0; i < 3; ++i) {
        const int x = centroPainel - 180 + i * 125;
        PainelMedalha::desenhar(d, ordem[i], x, y + 4, 6);
        CarregadorMidia::escreverAmpliado(d, FormatoTempo::tempo(medalhas.getTempo(ordem[i])), x + 12, y, 1,
                                          makecol(200, 205, 225));
    }
}

}  // namespace

void PainelRecordes::desenharPagina(BITMAP* buffer, const Recordes* recordes, const Medalhas* medalhas, bool comFundo) {
    const int amarelo = makecol(255, 210, 40);
    const int branco = makecol(240, 240, 240);
    const int cinza = makecol(150, 160, 190);
    if (!comFundo) {
        for (int y = 0; y < ALTURA; ++y) {
            int t = y * 60 / ALTURA;
            hline(buffer, 0, y, LARGURA - 1, makecol(10 + t / 3, 14 + t / 2, 40 + t));
        }
        CarregadorMidia::escreverCentrado(buffer, "RECORDS", LARGURA / 2, 60, 6, amarelo);
        const RetanguloBotao& b = BOTAO_VOLTAR_RECORDES;
        rectfill(buffer, b.x1, b.y1, b.x2, b.y2, makecol(170, 30, 30));
        rect(buffer, b.x1, b.y1, b.x2, b.y2, amarelo);
        CarregadorMidia::escreverCentrado(buffer, "Back", (b.x1 + b.x2) / 2 + 1, (b.y1 + b.y2) / 2 - 7, 2, branco);
    }

    const std::vector<int>* tempos = recordes != nullptr ? &recordes->getMelhores() : nullptr;
    size_t quantos = tempos != nullptr ? tempos->size() : 0;
    const int centroPainel = (RECORDES_PAINEL_X1 + RECORDES_PAINEL_X2) / 2;
    bool aviso = false;
    if (recordes != nullptr && !recordes->isLegivel()) {
        // An empty page would say no race was ever finished; the console
        // says what is wrong with the file. Times of this session that
        // could not be written are still listed.
        const int laranja = makecol(255, 120, 80);
        if (quantos == 0) {
            CarregadorMidia::escreverCentrado(buffer, "Records cannot be read.", centroPainel, 280, 2, laranja);
            CarregadorMidia::escreverCentrado(buffer, "(see the console)", centroPainel, 330, 2, cinza);
        } else {
            CarregadorMidia::escreverCentrado(buffer, "The records cannot be read: this session only", centroPainel,
                                              484, 1, laranja);
            aviso = true;
        }
    } else if (quantos == 0) {
        CarregadorMidia::escreverCentrado(buffer, "No race finished yet.", centroPainel, 280, 2, branco);
        CarregadorMidia::escreverCentrado(buffer, "Press Play and reach the", centroPainel, 330, 2, cinza);
        CarregadorMidia::escreverCentrado(buffer, "chequered line!", centroPainel, 352, 2, cinza);
    }
    const bool comMedalhas = medalhas != nullptr && medalhas->isCarregada();
    for (size_t i = 0; i < quantos && i < 10; ++i) {
        int y = RECORDES_LINHA_Y + static_cast<int>(i) * RECORDES_LINHA_PASSO;
        char posicao[8];
        std::snprintf(posicao, sizeof posicao, "%2d.", static_cast<int>(i) + 1);
        int cor = i == 0 ? amarelo : branco;
        CarregadorMidia::escreverAmpliado(buffer, posicao, RECORDES_LINHA_X, y, 3, cor);
        const std::string tempo = FormatoTempo::tempo((*tempos)[i]);
        CarregadorMidia::escreverAmpliado(buffer, tempo, RECORDES_LINHA_X + 90, y, 3, cor);
        if (comMedalhas) {
            const int x = RECORDES_LINHA_X + 90 + static_cast<int>(tempo.size()) * 24 + 30;
            PainelMedalha::desenhar(buffer, medalhas->getMedalha((*tempos)[i]), x, y + 13, 10);
        }
    }
    if (comMedalhas && !aviso) desenharAlvos(buffer, *medalhas, RECORDES_PAINEL_Y2 - 14);
}
