#include "PainelMicrofone.h"

#include <cstdio>
#include <string>

#include "CarregadorMidia.h"
#include "PainelListaMicrofones.h"

using namespace NomesAssets;

namespace {

const int ALTURA_BARRA = 30;

int xDaAceleracao(float aceleracao) {
    if (aceleracao < 0.0f) aceleracao = 0.0f;
    if (aceleracao > 1.0f) aceleracao = 1.0f;
    return PainelMicrofone::BARRA_X + static_cast<int>(aceleracao * PainelMicrofone::BARRA_LARGURA);
}

// On the page's brown frame, as the page's own titles: dark around the
// letters.
void desenharTitulo(BITMAP* d, const std::string& titulo) {
    const int x = (VERIFICACAO_X1 + VERIFICACAO_X2) / 2, y = PainelMicrofone::TITULO_Y;
    for (int dx = -2; dx <= 2; dx += 2) {
        for (int dy = -2; dy <= 2; dy += 2) {
            CarregadorMidia::escreverCentrado(d, titulo, x + dx, y + dy, 2, makecol(60, 30, 10));
        }
    }
    CarregadorMidia::escreverCentrado(d, titulo, x, y, 2, makecol(255, 220, 90));
}

void desenharLampada(BITMAP* d, bool acesa) {
    const int x = PainelMicrofone::LAMPADA_X, y = PainelMicrofone::LAMPADA_Y;
    circlefill(d, x, y, 28, makecol(200, 200, 215));
    circlefill(d, x, y, 24, acesa ? makecol(60, 230, 90) : makecol(70, 30, 34));
    // A glint, so it reads as a glass lamp lit or unlit.
    circlefill(d, x - 8, y - 8, 5, acesa ? makecol(200, 255, 210) : makecol(110, 70, 74));
    CarregadorMidia::escreverCentrado(d, "ENGINE?", x, y + 34, 1, makecol(230, 230, 240));
}

void desenharBarra(BITMAP* d, float aceleracao) {
    const int x1 = PainelMicrofone::BARRA_X, y1 = PainelMicrofone::BARRA_Y;
    const int x2 = x1 + PainelMicrofone::BARRA_LARGURA, y2 = y1 + ALTURA_BARRA;
    const int segunda = xDaAceleracao(VerificadorMicrofone::getInicioTracao(2));
    const int terceira = xDaAceleracao(VerificadorMicrofone::getInicioTracao(3));
    const int branco = makecol(240, 240, 245);
    CarregadorMidia::escreverAmpliado(d, "GAS YOUR VOICE GIVES NOW", x1, y1 - 22, 2, branco);
    rectfill(d, x1 - 3, y1 - 3, x2 + 3, y2 + 3, makecol(200, 200, 215));
    rectfill(d, x1, y1, x2, y2, makecol(8, 10, 24));
    // The fill's colour tells the gear it is good for.
    const int fim = xDaAceleracao(aceleracao);
    const int cor = fim >= terceira  ? makecol(60, 220, 90)
                    : fim >= segunda ? makecol(240, 180, 40)
                                     : makecol(220, 70, 50);
    if (fim > x1) rectfill(d, x1, y1 + 2, fim, y2 - 2, cor);
    for (int x : {segunda, terceira}) {
        rectfill(d, x - 1, y1 - 5, x + 1, y2 + 5, branco);
    }
    CarregadorMidia::escreverCentrado(d, "2ND", segunda, y2 + 9, 1, branco);
    CarregadorMidia::escreverCentrado(d, "3RD", terceira, y2 + 9, 1, branco);
    CarregadorMidia::escreverAmpliado(d, "GEAR PULLS FROM HERE", terceira + 24, y2 + 9, 1, makecol(170, 180, 220));
}

void desenharVeredito(BITMAP* d, const VerificadorMicrofone& v) {
    const int x1 = PainelMicrofone::CAIXA_X, y1 = PainelMicrofone::CAIXA_Y;
    const int x2 = PainelMicrofone::CAIXA_X2, y2 = PainelMicrofone::CAIXA_Y2;
    const CalibracaoVoz::Situacao calibracao = v.getCalibracao().getSituacao();
    const bool ouvindo = calibracao == CalibracaoVoz::OUVINDO;
    VerificadorMicrofone::Veredito cor = v.getVeredito();
    if (v.isMostrandoCalibracao()) {
        cor = calibracao == CalibracaoVoz::FEITA ? VerificadorMicrofone::BOM : VerificadorMicrofone::NAO_OUVIDO;
    }
    rectfill(d, x1, y1, x2, y2, ouvindo ? makecol(40, 90, 170) : PainelMicrofone::getCor(cor));
    rect(d, x1, y1, x2, y2, makecol(240, 240, 245));
    const int centro = (x1 + x2) / 2;
    const int branco = makecol(255, 255, 255);
    const std::string texto = v.getTexto();
    if (ouvindo) {
        // Three seconds of roaring, as a bar that fills.
        CarregadorMidia::escreverCentrado(d, texto, centro, y1 + 5, 2, branco);
        const int bx1 = x1 + 60, bx2 = x2 - 60, by1 = y2 - 16, by2 = y2 - 7;
        rectfill(d, bx1, by1, bx2, by2, makecol(8, 10, 24));
        const int fim = bx1 + static_cast<int>(v.getCalibracao().getProgresso() * (bx2 - bx1));
        if (fim > bx1) rectfill(d, bx1, by1, fim, by2, makecol(255, 210, 60));
        return;
    }
    // Two lines at most, broken after the colon.
    const size_t doisPontos = texto.find(": ");
    if (doisPontos == std::string::npos) {
        CarregadorMidia::escreverCentrado(d, texto, centro, (y1 + y2) / 2 - 7, 2, branco);
    } else {
        CarregadorMidia::escreverCentrado(d, texto.substr(0, doisPontos + 1), centro, y1 + 5, 2, branco);
        CarregadorMidia::escreverCentrado(d, texto.substr(doisPontos + 2), centro, y1 + 25, 2, makecol(255, 236, 150));
    }
}

// Below the box, a line each: the microphone recorded, the sensitivity and
// the W key's rule, the page's keys, and while a microphone hears the music
// a word on headphones.
void desenharAjustes(BITMAP* d, const VerificadorMicrofone& v) {
    const int x = PainelMicrofone::CAIXA_X, y = PainelMicrofone::LINHAS_Y, passo = PainelMicrofone::LINHAS_PASSO;
    const int claro = makecol(230, 232, 245), suave = makecol(160, 170, 215), amarelo = makecol(255, 210, 60);
    const std::string aviso = v.getAvisoMicrofone();
    std::string microfone = "MICROPHONE: " + v.getMicrofone();
    if (microfone.size() > 84) microfone = microfone.substr(0, 81) + "...";
    CarregadorMidia::escreverAmpliado(d, aviso.empty() ? microfone : aviso, x, y, 1, aviso.empty() ? claro : amarelo);
    char linha[96];
    std::snprintf(linha, sizeof linha, "SENSITIVITY X%.2f    W GIVES GAS: %s", v.getSensibilidade(),
                  v.isAceleradorTecladoSempre() ? "ALWAYS" : "ONLY WITHOUT A MICROPHONE");
    CarregadorMidia::escreverAmpliado(d, linha, x, y + passo, 1, claro);
    const char* teclas = v.isAfinando() ? "C CALIBRATE   ENTER SKIP   M MICROPHONES   ESC BACK"
                                        : "C CALIBRATE   +/- SENSITIVITY   0 RESET   M MICROPHONES   K W KEY";
    CarregadorMidia::escreverAmpliado(d, teclas, x, y + 2 * passo, 1, suave);
    if (v.isMusicaOuvida()) {
        CarregadorMidia::escreverAmpliado(d, "THE MICROPHONE HEARS THE MUSIC: USE HEADPHONES, OR N TURNS IT OFF", x,
                                          y + 3 * passo, 1, amarelo);
    }
}

}  // namespace

int PainelMicrofone::getCor(VerificadorMicrofone::Veredito veredito) {
    switch (veredito) {
        case VerificadorMicrofone::BOM: return makecol(30, 150, 60);
        case VerificadorMicrofone::BAIXO_DEMAIS: return makecol(200, 120, 20);
        case VerificadorMicrofone::NAO_OUVIDO: return makecol(170, 40, 40);
        case VerificadorMicrofone::SEM_MICROFONE:
        case VerificadorMicrofone::SO_SILENCIO: return makecol(90, 60, 120);
        case VerificadorMicrofone::OUVINDO: break;
    }
    return makecol(60, 70, 110);
}

void PainelMicrofone::desenhar(BITMAP* destino, const VerificadorMicrofone& verificador) {
    if (destino == nullptr) return;
    desenharTitulo(destino, verificador.getTitulo());
    if (verificador.isListaAberta()) {
        PainelListaMicrofones::desenhar(destino, verificador.getEscolha());
        return;
    }
    rectfill(destino, VERIFICACAO_X1, VERIFICACAO_Y1, VERIFICACAO_X2, VERIFICACAO_Y2, makecol(16, 22, 48));
    desenharLampada(destino, verificador.isRonco());
    desenharBarra(destino, verificador.getAceleracao());
    desenharVeredito(destino, verificador);
    desenharAjustes(destino, verificador);
}
