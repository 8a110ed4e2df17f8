#include "Abertura.h"

#include <string>

#include "AtalhosJanela.h"
#include "CaminhosAssets.h"
#include "CarregadorMidia.h"
#include "TravaTeclas.h"

namespace {
const int LARGURA = 800;
const int ALTURA = 600;
}  // namespace

Abertura::Abertura()
    : buffer(create_bitmap(LARGURA, ALTURA)), alvo(nullptr), funcaoEspera(nullptr), sinalSaida(nullptr),
      atalhos(nullptr), escAntes(TravaTeclas::getApertos(KEY_ESC)) {
    if (buffer != nullptr) {
        clear_bitmap(buffer);
    }
}

Abertura::~Abertura() { CarregadorMidia::liberar(buffer); }

void Abertura::setAlvo(BITMAP* novo) { alvo = novo; }

void Abertura::setEspera(FuncaoEspera espera) { funcaoEspera = espera; }

void Abertura::setSinalSaida(const volatile int* sinal) { sinalSaida = sinal; }

void Abertura::mostrar() { CarregadorMidia::mostrar(alvo, buffer); }

void Abertura::esperar(unsigned int ms) {
    if (atalhos == nullptr) {
        CarregadorMidia::esperar(funcaoEspera, ms, sinalSaida);
        return;
    }
    // In short slices, so that the window keys act at once, even during
    // the two-second holds; a window changed shows the picture again.
    const unsigned int FATIA_MS = 20;
    while (ms > 0 && !pediuSaida()) {
        const unsigned int fatia = ms < FATIA_MS ? ms : FATIA_MS;
        CarregadorMidia::esperar(funcaoEspera, fatia, sinalSaida);
        if (atalhos->aplicarTeclas()) mostrar();
        ms -= fatia;
    }
}

void Abertura::tocar(SAMPLE* s, int frequencia) {
    if (s != nullptr) {
        play_sample(s, 255, 128, frequencia, 0);  // centred, like the music
    }
}

bool Abertura::fade(BITMAP* sprite, int duracao, int x, int y, bool entrando) {
    bool sair = false;
    // Fewer than two steps would divide by zero: only the closing image then.
    int constante = duracao > 1 ? 256 / (duracao - 1) : 0;
    for (int i = 0; i < duracao - 1 && !sair; ++i) {
        sair = key[KEY_ESC] != 0 || TravaTeclas::getApertos(KEY_ESC) != escAntes || pediuSaida();
        rectfill(buffer, 0, 0, LARGURA, ALTURA, makecol(0, 0, 0));
        int alfa = entrando ? i * constante : 256 - i * constante;
        set_trans_blender(0, 0, 0, alfa);
        if (sprite != nullptr) {
            draw_trans_sprite(buffer, sprite, x, y);
        }
        mostrar();
        esperar(100);
    }
    rectfill(buffer, 0, 0, LARGURA, ALTURA, makecol(0, 0, 0));
    set_trans_blender(0, 0, 0, entrando ? 256 : 0);
    if (sprite != nullptr) {
        draw_trans_sprite(buffer, sprite, x, y);
    }
    mostrar();
    esperar(50);
    return sair;
}

bool Abertura::fadeIn(BITMAP* sprite, int duracao, int x, int y) { return fade(sprite, duracao, x, y, true); }

bool Abertura::fadeOut(BITMAP* sprite, int duracao, int x, int y) { return fade(sprite, duracao, x, y, false); }

SituacaoGlobal Abertura::play() {
    // A tap that falls between two looks at the key still counts.
    escAntes = TravaTeclas::getApertos(KEY_ESC);
    // Each picture and sound is read when first needed: an opening cut short
    // at its first fade reads only its first picture, and starts sooner.
    BITMAP* imagens[8] = {nullptr};
    SAMPLE* sons[2] = {nullptr, nullptr};
    bool lidos[10] = {false};
    auto imagem = [&](int i) {
        if (!lidos[i]) {
            imagens[i] =
                CarregadorMidia::imagem(i == 7 ? CaminhosAssets::aberturaFinal() : CaminhosAssets::aberturaImagem(i));
            lidos[i] = true;
        }
        return imagens[i];
    };
    auto som = [&](int i) {  // 0 the engine, 1 the Ferrari
        if (!lidos[8 + i]) {
            sons[i] = CarregadorMidia::som(i == 0 ? CaminhosAssets::somMotor() : CaminhosAssets::somFerrari());
            lidos[8 + i] = true;
        }
        return sons[i];
    };

    // The title part: each fade may be cut short by Escape. Written as one
    // expression of short-circuiting steps so that the first true ends it.
    auto titulos = [&]() -> bool {
        clear_to_color(buffer, makecol(0, 0, 0));
        CarregadorMidia::desenharMascarado(buffer, imagem(1), 178, 270);
        mostrar();
        if (fadeOut(imagem(1), 30, 178, 270)) return true;
        if (fadeIn(imagem(2), 25, 0, 0)) return true;
        tocar(som(0), 700);
        if (fadeOut(imagem(2), 25, 0, 0)) return true;
        if (fadeIn(imagem(3), 20, 24, 273)) return true;
        if (fadeOut(imagem(3), 20, 24, 273)) return true;
        if (fadeIn(imagem(4), 30, 148, 39)) return true;
        tocar(som(0), 1200);
        if (fadeOut(imagem(4), 30, 148, 39)) return true;
        if (fadeIn(imagem(5), 30, 0, 110)) return true;
        esperar(2000);
        if (fadeOut(imagem(5), 20, 0, 110)) return true;
        tocar(som(0), 1000);
        if (fadeIn(imagem(6), 20, 30, 0)) return true;
        if (fadeOut(imagem(6), 10, 30, 0)) return true;
        return false;
    };

    if (!titulos()) {
        tocar(som(1), 1000);
        realizarAnimacao();
        clear_bitmap(buffer);
        // Escape no longer cuts anything: the closing picture always shows.
        fadeIn(imagem(7), 20, 9, 230);
        fadeOut(imagem(7), 20, 9, 230);
    }

    for (BITMAP*& b : imagens) CarregadorMidia::liberar(b);
    for (SAMPLE*& s : sons) {
        if (s != nullptr) stop_sample(s);
        CarregadorMidia::liberar(s);
    }
    return menu;
}

void Abertura::realizarAnimacao() {
    BITMAP* fundo = CarregadorMidia::imagem(CaminhosAssets::animacaoFundo());
    BITMAP* carro = CarregadorMidia::imagem(CaminhosAssets::animacaoCarro());
    BITMAP* roda1 = CarregadorMidia::imagem(CaminhosAssets::animacaoRodaDianteira());
    BITMAP* roda2 = CarregadorMidia::imagem(CaminhosAssets::animacaoRodaTraseira());

    clear_bitmap(buffer);
    CarregadorMidia::desenharMascarado(buffer, fundo, 0, 0);
    mostrar();
    esperar(2400);

    const int iteracoes = 50;
    const int xInicial = -76, yInicial = 152, xFinal = 806, yFinal = 376;
    const int constanteX = (xFinal - xInicial) / iteracoes;
    const int constanteY = (yFinal - yInicial) / iteracoes;
    for (int i = 0; i < iteracoes && !pediuSaida(); ++i) {
        int x = xInicial + constanteX * i;
        int y = yInicial + constanteY * i;
        clear_bitmap(buffer);
        CarregadorMidia::desenharMascarado(buffer, fundo, 0, 0);
        CarregadorMidia::desenharMascarado(buffer, carro, x, y);
        fixed giro = itofix((3 * i) % 255);
        CarregadorMidia::girar(buffer, roda1, x + 18, y + 40, giro);
        CarregadorMidia::girar(buffer, roda2, x + 96, y + 62, giro);
        mostrar();
        esperar(40);
    }

    CarregadorMidia::liberar(fundo);
    CarregadorMidia::liberar(carro);
    CarregadorMidia::liberar(roda1);
    CarregadorMidia::liberar(roda2);
}
