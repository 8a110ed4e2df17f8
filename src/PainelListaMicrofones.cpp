#include "PainelListaMicrofones.h"

#include <string>

#include "CarregadorMidia.h"
#include "NomesAssets.h"

using namespace NomesAssets;

void PainelListaMicrofones::desenhar(BITMAP* d, const EscolhaMicrofone& escolha) {
    const int x1 = VERIFICACAO_X1, y1 = VERIFICACAO_Y1, x2 = VERIFICACAO_X2, y2 = VERIFICACAO_Y2;
    const int claro = makecol(230, 232, 245), suave = makecol(160, 170, 215), amarelo = makecol(255, 210, 60);
    rectfill(d, x1, y1, x2, y2, makecol(16, 22, 48));
    CarregadorMidia::escreverAmpliado(d, "UP / DOWN: MOVE     ENTER: CHOOSE     ESC: BACK", x1 + 14, y1 + 8, 1, suave);
    const auto& lista = escolha.getLista();
    const int n = static_cast<int>(lista.size());
    // As many lines as fit, the cursor's always among them.
    const int cabem = (y2 - y1 - 44) / LINHA_PASSO;
    const int primeira = escolha.getCursor() < cabem ? 0 : escolha.getCursor() - cabem + 1;
    const std::string emUso = escolha.getEmUso(), falha = escolha.getFalha();
    for (int i = primeira; i < n && i < primeira + cabem; i++) {
        const int y = y1 + 26 + (i - primeira) * LINHA_PASSO;
        const bool cursor = i == escolha.getCursor();
        if (cursor) rectfill(d, x1 + 8, y - 4, x2 - 8, y + LINHA_PASSO - 5, makecol(50, 80, 160));
        std::string marca = lista[i].nome == falha ? "CANNOT BE OPENED" : lista[i].nome == emUso ? "IN USE" : "";
        std::string texto =
            lista[i].descricao.empty() ? lista[i].nome : lista[i].descricao + " (" + lista[i].nome + ")";
        const size_t cabe = 78 - marca.size();
        if (texto.size() > cabe) texto = texto.substr(0, cabe - 3) + "...";
        CarregadorMidia::escreverAmpliado(d, (cursor ? "> " : "  ") + texto, x1 + 14, y, 1, cursor ? amarelo : claro);
        if (!marca.empty()) {
            const int w = static_cast<int>(marca.size()) * 8;
            CarregadorMidia::escreverAmpliado(d, marca, x2 - 16 - w, y, 1, lista[i].nome == falha ? amarelo : suave);
        }
    }
    if (n == 1) {
        CarregadorMidia::escreverCentrado(d, "THE ONLY MICROPHONE: THERE IS NO OTHER", (x1 + x2) / 2,
                                          y1 + 26 + 2 * LINHA_PASSO, 1, suave);
    }
}
