#ifndef PAINELLISTAMICROFONES_H
#define PAINELLISTAMICROFONES_H

#include <allegro.h>

#include "EscolhaMicrofone.h"

// The microphones' list over the microphone check (M): every capture device
// on a line of its own, the one under the cursor lit, the one in use and
// one that cannot be opened marked, the keys on top; with a single device,
// a line saying there is no other.
class PainelListaMicrofones {
public:
    static constexpr int LINHA_PASSO = 16;
    static void desenhar(BITMAP* destino, const EscolhaMicrofone& escolha);
};

#endif
