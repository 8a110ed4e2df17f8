#include "PainelMicrofone.h"

#include <string>

#include "CarregadorMidia.h"

using namespace NomesAssets;

namespace {

const int ALTURA_BARRA = 30;

int xDaAceleracao(float aceleracao) {
    if (aceleracao < 0.0f) aceleracao = 0.0f;
    if (aceleracao > 1.0f) aceleracao = 1.0f;
    return PainelMicrofone::BARRA_X + static_cast<int>(aceleracao * PainelMicrofone::BARRA_LARGURA);
}

void desenharLampada(BITMAP* d, bool acesa) {
    const int x = PainelMicrofone::LAMPADA_X, y = PainelMicrofone::LAMPADA_Y;
    circlefill(d, x, y, 30, makecol(200, 200, 215));
    circlefill(d, x, y, 26, acesa ? makecol(60, 230, 90) : makecol(70, 30, 34));
    // A glint, so it reads as a glass lamp lit or unlit.
    circlefill(d, x - 9, y - 9, 5, acesa ? makecol(200, 255, 210) : makecol(110, 70, 74));
    CarregadorMidia::escreverCentrado(d, "ENGINE?", x, y + 38, 1, makecol(230, 230, 240));
}

void desenharBarra(BITMAP* d, float aceleracao) {
    const int x1 = PainelMicrofone::BARRA_X, y1 = PainelMicrofone::BARRA_Y;
    const int x2 = x1 + PainelMicrofone::BARRA_LARGURA, y2 = y1 + ALTURA_BARRA;
    const int segunda = xDaAceleracao(VerificadorMicrofone::getInicioTracao(2));
    const int terceira = xDaAceleracao(VerificadorMicrofone::getInicioTracao(3));
    const int branco = makecol(240, 240, 245);
    CarregadorMidia::escreverAmpliado(d, "GAS YOUR VOICE GIVES NOW", x1, y1 - 20, 2, branco);
    rectfill(d, x1 - 3, y1 - 3, x2 + 3, y2 + 3, makecol(200, 200, 215));
    rectfill(d, x1, y1, x2, y2, makecol(8, 10, 24));
    // The fill's colour tells the gear it is good for.
    const int fim = xDaAceleracao(aceleracao);
    const int cor = fim >= terceira ? makecol(60, 220, 90) : fim >= segunda ? makecol(240, 180, 40)
                                                                            : makecol(220, 70, 50);
    if (fim > x1) rectfill(d, x1, y1 + 2, fim, y2 - 2, cor);
    for (int x : {segunda, terceira}) {
        rectfill(d, x - 1, y1 - 6, x + 1, y2 + 6, branco);
    }
    CarregadorMidia::escreverCentrado(d, "2ND", segunda, y2 + 10, 1, branco);
    CarregadorMidia::escreverCentrado(d, "3RD", terceira, y2 + 10, 1, branco);
    CarregadorMidia::escreverAmpliado(d, "GEAR PULLS FROM HERE", terceira + 24, y2 + 10, 1,
                                      makecol(170, 180, 220));
}

void desenharVeredito(BITMAP* d, const VerificadorMicrofone& v) {
    const int x1 = PainelMicrofone::CAIXA_X, y1 = PainelMicrofone::CAIXA_Y;
    const int x2 = VERIFICACAO_X2 - 14, y2 = VERIFICACAO_Y2 - 8;
    rectfill(d, x1, y1, x2, y2, PainelMicrofone::getCor(v.getVeredito()));
    rect(d, x1, y1, x2, y2, makecol(240, 240, 245));
    // Two lines at most, broken after the colon.
    const std::string texto = v.getTexto();
    const size_t doisPontos = texto.find(": ");
    const int centro = (x1 + x2) / 2, meio = (y1 + y2) / 2;
    const int branco = makecol(255, 255, 255);
    if (doisPontos == std::string::npos) {
        CarregadorMidia::escreverCentrado(d, texto, centro, meio - 12, 3, branco);
    } else {
        CarregadorMidia::escreverCentrado(d, texto.substr(0, doisPontos + 1), centro, meio - 22, 2, branco);
        CarregadorMidia::escreverCentrado(d, texto.substr(doisPontos + 2), centro, meio + 6, 2,
                                          makecol(255, 236, 150));
    }
}

}  // namespace

int PainelMicrofone::getCor(VerificadorMicrofone::Veredito veredito) {
    switch (veredito) {
        case VerificadorMicrofone::BOM:
            return makecol(30, 150, 60);
        case VerificadorMicrofone::BAIXO_DEMAIS:
            return makecol(200, 120, 20);
        case VerificadorMicrofone::NAO_OUVIDO:
            return makecol(170, 40, 40);
        case VerificadorMicrofone::SEM_MICROFONE:
            return makecol(90, 60, 120);
        case VerificadorMicrofone::OUVINDO:
            break;
    }
    return makecol(60, 70, 110);
}

void PainelMicrofone::desenhar(BITMAP* destino, const VerificadorMicrofone& verificador) {
    if (destino == nullptr) return;
    rectfill(destino, VERIFICACAO_X1, VERIFICACAO_Y1, VERIFICACAO_X2, VERIFICACAO_Y2, makecol(16, 22, 48));
    desenharLampada(destino, verificador.isRonco());
    desenharBarra(destino, verificador.getAceleracao());
    desenharVeredito(destino, verificador);
}
