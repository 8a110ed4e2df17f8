#ifndef ABERTURA_H
#define ABERTURA_H

#include <allegro.h>

#include "CarregadorMidia.h"
#include "ConstantesGerais.h"

class AtalhosJanela;

// The opening: title pictures fading in and out of black over engine sounds,
// a yellow car driving across a background, and a closing picture. It blocks
// while it plays; Escape during the title fades cuts it short.
class Abertura {
public:
    typedef CarregadorMidia::FuncaoEspera FuncaoEspera;

    Abertura();
    virtual ~Abertura();

    Abertura(const Abertura&) = delete;
    Abertura& operator=(const Abertura&) = delete;

    // Always returns menu, whether the sequence ran out or was cut short.
    SituacaoGlobal play();

    // Fade a picture in from black (or out to black) in `duracao` steps at
    // (x, y); true when Escape was seen during the steps.
    bool fadeIn(BITMAP* sprite, int duracao, int x, int y);
    bool fadeOut(BITMAP* sprite, int duracao, int x, int y);

    void realizarAnimacao();

    // Where frames go (the screen when unset) and how the opening waits
    // (the library's rest when unset): tests draw into memory and do not sleep.
    void setAlvo(BITMAP* alvo);
    void setEspera(FuncaoEspera espera);
    // A flag (the window's close button) that, once non-zero, ends the
    // opening like Escape and also stops the car animation.
    void setSinalSaida(const volatile int* sinal);
    // The window keys (F10, F11, Alt+Enter), which act during the opening
    // too; they belong to the caller and must outlive the opening's use.
    void setAtalhos(AtalhosJanela* atalhos) { this->atalhos = atalhos; }

    BITMAP* getBuffer() const { return buffer; }

private:
    bool fade(BITMAP* sprite, int duracao, int x, int y, bool entrando);
    void mostrar();
    void esperar(unsigned int ms);
    void tocar(SAMPLE* s, int frequencia);
    bool pediuSaida() const { return sinalSaida != nullptr && *sinalSaida != 0; }

    BITMAP* buffer;
    BITMAP* alvo;
    FuncaoEspera funcaoEspera;
    const volatile int* sinalSaida;
    AtalhosJanela* atalhos;
    unsigned int escAntes;  // Escape presses counted when the opening began
};

#endif
