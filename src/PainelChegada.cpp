#include "PainelChegada.h"

#include "CarregadorMidia.h"

namespace {

const int ESCALA_TEXTO = 3;

}  // namespace

int PainelChegada::getCorFaixa(bool recorde) { return recorde ? makecol(150, 100, 0) : makecol(20, 34, 80); }

void PainelChegada::desenhar(BITMAP* destino, const LinhaChegada& linha) {
    if (!linha.isDefinida() || destino == nullptr) return;
    rectfill(destino, 0, FAIXA_Y1, destino->w - 1, FAIXA_Y2, getCorFaixa(linha.isRecorde()));
    hline(destino, 0, FAIXA_Y1, destino->w - 1, makecol(255, 220, 90));
    hline(destino, 0, FAIXA_Y2, destino->w - 1, makecol(255, 220, 90));
    const int y = (FAIXA_Y1 + FAIXA_Y2) / 2 - 4 * ESCALA_TEXTO;
    const int branco = makecol(255, 255, 255);
    if (linha.isRecorde()) {
        CarregadorMidia::escreverCentrado(destino, LinhaChegada::getTextoRecorde(), destino->w / 2, y, ESCALA_TEXTO,
                                          makecol(255, 230, 90));
        return;
    }
    // "BEST 0:41.27", a dot between two spaces, "+3.61".
    const std::string& melhor = linha.getMelhor();
    const std::string& diferenca = linha.getDiferenca();
    const int letra = 8 * ESCALA_TEXTO;
    const int largura = static_cast<int>(melhor.size() + 3 + diferenca.size()) * letra;
    const int x = (destino->w - largura) / 2;
    CarregadorMidia::escreverAmpliado(destino, melhor, x, y, ESCALA_TEXTO, branco);
    const int xPonto = x + static_cast<int>(melhor.size() + 1) * letra + letra / 2;
    circlefill(destino, xPonto, y + 4 * ESCALA_TEXTO - 1, ESCALA_TEXTO, branco);
    CarregadorMidia::escreverAmpliado(destino, diferenca, x + static_cast<int>(melhor.size() + 3) * letra, y,
                                      ESCALA_TEXTO, makecol(255, 160, 120));
}
