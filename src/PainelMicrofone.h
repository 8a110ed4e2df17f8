#ifndef PAINELMICROFONE_H
#define PAINELMICROFONE_H

#include <allegro.h>

#include "NomesAssets.h"
#include "VerificadorMicrofone.h"

// Draws the microphone check into the first instructions page's hole
// (NomesAssets::VERIFICACAO_*), readable at the window's smallest size:
// over it a title that says what to do now; a lamp lit while the newest
// frame sounds like an engine; the throttle the voice gives now as a bar
// with marks where second and third gear start to pull; the verdict in
// words on a box coloured by it (or the calibration under way); and under
// it, on lines of their own, the microphone, the sensitivity and the W
// key's rule, the page's keys, and while a microphone hears the music a
// word on headphones. One font throughout, at two sizes. While the
// microphones' list is open it takes the panel (PainelListaMicrofones).
class PainelMicrofone {
public:
    static void desenhar(BITMAP* destino, const VerificadorMicrofone& verificador);

    // The verdict box's colour (the scenarios read it back from the screen).
    static int getCor(VerificadorMicrofone::Veredito veredito);

    // Places that tests and scenarios read back: the lamp's centre, the
    // bar's left end and width, and a corner of the verdict box that text
    // never covers; the title's centre line, and the first of the lines
    // under the box and their spacing.
    static constexpr int TITULO_Y = NomesAssets::VERIFICACAO_Y1 - 23;
    static constexpr int LAMPADA_X = NomesAssets::VERIFICACAO_X1 + 50;
    static constexpr int LAMPADA_Y = NomesAssets::VERIFICACAO_Y1 + 38;
    static constexpr int BARRA_X = NomesAssets::VERIFICACAO_X1 + 120;
    static constexpr int BARRA_Y = NomesAssets::VERIFICACAO_Y1 + 30;
    static constexpr int BARRA_LARGURA = NomesAssets::VERIFICACAO_X2 - 20 - BARRA_X;
    static constexpr int CAIXA_X = NomesAssets::VERIFICACAO_X1 + 14;
    static constexpr int CAIXA_Y = NomesAssets::VERIFICACAO_Y1 + 86;
    static constexpr int CAIXA_X2 = NomesAssets::VERIFICACAO_X2 - 14;
    static constexpr int CAIXA_Y2 = NomesAssets::VERIFICACAO_Y1 + 132;
    static constexpr int LINHAS_Y = CAIXA_Y2 + 10;
    static constexpr int LINHAS_PASSO = 14;
};

#endif
