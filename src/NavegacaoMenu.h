#ifndef NAVEGACAOMENU_H
#define NAVEGACAOMENU_H

#include <cstddef>
#include <vector>

#include "NomesAssets.h"

// A page's buttons driven with a gamepad: the stick or d-pad moves a
// highlight to the nearest button that way, A presses it. The page's
// buttons are learnt from the menu logic itself: every button it asks about
// (isApertado) is one of the page's, in the order it asks, and the first
// one starts highlighted.
class NavegacaoMenu {
public:
    typedef NomesAssets::RetanguloBotao Botao;

    NavegacaoMenu();

    // The number that tells a page: the game's state and sub-state.
    static long chavePagina(int estado, int subEstado) {
        return static_cast<long>(estado) << 32 | static_cast<unsigned>(subEstado);
    }

    // At the start of each logic frame: the page shown (any number that
    // tells pages apart) and the gamepad's presses (TratadorEntradas
    // commands). A new page starts over; a press on the frame a page
    // appears, before its buttons are known, does nothing.
    void iniciarQuadro(long pagina, unsigned comandos);
    // Whether the gamepad pressed `botao` in this frame.
    bool isApertado(const Botao& botao);

    // The highlighted button while `pagina` is the page learnt; false when
    // none is known (yet).
    bool getDestaque(long pagina, Botao* botao) const;

private:
    long pagina;
    std::vector<Botao> botoes;
    size_t destaque;
    bool apertar;
};

#endif
