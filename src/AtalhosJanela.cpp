#include "AtalhosJanela.h"

#include <allegro.h>

#include "ComandosEntrada.h"
#include "Janela.h"
#include "Preferencias.h"

AtalhosJanela::AtalhosJanela(Preferencias* p) : preferencias(p), trava() {}

bool AtalhosJanela::aplicar(unsigned comandos) {
    bool mudou = false;
    if (comandos & ComandosEntrada::TELA_CHEIA) {
        const bool cheia = Janela::alternarTelaCheia();
        if (preferencias != nullptr) preferencias->setTelaCheia(cheia);
        mudou = true;
    }
    if (comandos & ComandosEntrada::ESCALA) {
        const int antes = Janela::getEscala();
        if (Janela::passarEscala() != antes) {
            if (preferencias != nullptr) preferencias->setEscala(Janela::getEscala());
            mudou = true;
        }
    }
    return mudou;
}

bool AtalhosJanela::aplicarTeclas() {
    unsigned comandos = 0;
    if (trava.lerAperto(KEY_F10)) comandos |= ComandosEntrada::ESCALA;
    // Both read, so that neither press is left for later.
    const bool f11 = trava.lerAperto(KEY_F11);
    if (trava.lerAperto(TravaTeclas::ALT_ENTER) || f11) comandos |= ComandosEntrada::TELA_CHEIA;
    return aplicar(comandos);
}
