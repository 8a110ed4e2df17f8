#include "PainelChegada.h"

#include "CarregadorMidia.h"
#include "PainelMedalha.h"

namespace {

const int ESCALA_TEXTO = 3;

}  // namespace

int PainelChegada::getCorFaixa(bool recorde) { return recorde ? makecol(150, 100, 0) : makecol(20, 34, 80); }

namespace {

// "left · right" centred across the band at row y, a medal before it when
// given; the library's font has no middle dot, so it is drawn.
void desenharTexto(BITMAP* d, const std::string& esquerda, const std::string& direita, int y, int cor, int corDireita,
                   Medalhas::Medalha medalha) {
    const int letra = 8 * ESCALA_TEXTO;
    const int comPonto = direita.empty() ? 0 : 3 + static_cast<int>(direita.size());
    const int medalhaLargura = medalha != Medalhas::NENHUMA ? 40 : 0;
    const int largura = static_cast<int>(esquerda.size() + comPonto) * letra + medalhaLargura;
    const int x = (d->w - largura) / 2 + medalhaLargura;
    PainelMedalha::desenhar(d, medalha, x - 24, y + 4 * ESCALA_TEXTO + 2, 12);
    CarregadorMidia::escreverAmpliado(d, esquerda, x, y, ESCALA_TEXTO, cor);
    if (direita.empty()) return;
    const int xPonto = x + static_cast<int>(esquerda.size() + 1) * letra + letra / 2;
    circlefill(d, xPonto, y + 4 * ESCALA_TEXTO - 1, ESCALA_TEXTO, cor);
    CarregadorMidia::escreverAmpliado(d, direita, x + static_cast<int>(esquerda.size() + 3) * letra, y, ESCALA_TEXTO,
                                      corDireita);
}

void desenharFaixa(BITMAP* d, int y1, int y2, int cor) {
    rectfill(d, 0, y1, d->w - 1, y2, cor);
    hline(d, 0, y1, d->w - 1, makecol(255, 220, 90));
    hline(d, 0, y2, d->w - 1, makecol(255, 220, 90));
}

}  // namespace

void PainelChegada::desenhar(BITMAP* destino, const LinhaChegada& linha) {
    if (destino == nullptr) return;
    const int branco = makecol(255, 255, 255);
    if (linha.isDefinida()) {
        desenharFaixa(destino, FAIXA_Y1, FAIXA_Y2, getCorFaixa(linha.isRecorde()));
        const int y = (FAIXA_Y1 + FAIXA_Y2) / 2 - 4 * ESCALA_TEXTO;
        if (linha.isRecorde()) {
            desenharTexto(destino, LinhaChegada::getTextoRecorde(), "", y, makecol(255, 230, 90), 0, Medalhas::NENHUMA);
        } else {
            desenharTexto(destino, linha.getMelhor(), linha.getDiferenca(), y, branco, makecol(255, 160, 120),
                          Medalhas::NENHUMA);
        }
    }
    if (linha.hasMedalhas()) {
        desenharFaixa(destino, MEDALHA_Y1, MEDALHA_Y2, makecol(24, 24, 36));
        const int y = (MEDALHA_Y1 + MEDALHA_Y2) / 2 - 4 * ESCALA_TEXTO;
        const Medalhas::Medalha m = linha.getMedalha();
        const int cor = m != Medalhas::NENHUMA ? PainelMedalha::getCor(m) : branco;
        desenharTexto(destino, linha.getTextoMedalha(), linha.getAlvoMedalha(), y, cor, makecol(200, 205, 225), m);
    }
}
