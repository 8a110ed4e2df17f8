#ifndef AVISOSCORRIDA_H
#define AVISOSCORRIDA_H

#include <allegro.h>

#include "ConstantesGerais.h"

// What the race's head-up display says about the throttle: the label of
// the throttle bar, after what drives it ("VOICE GAS", or "W GAS" while
// the voice cannot); the notice of a microphone lost mid-race; and the hint,
// once per race, that a voice heard as an engine but too quiet is
// calibrated on the microphone check.
class AvisosCorrida {
public:
    static void desenhar(BITMAP* destino, const cavalete& c);
};

#endif
