#ifndef AVISOSEMMICROFONE_H
#define AVISOSEMMICROFONE_H

class AtalhosJanela;

// The notice at start-up when the sound card cannot record: a page drawn
// like the game's others (a generated picture; plain text should it be
// missing) saying that the voice will not work this time and that W is the
// throttle. It waits for a key; the window keys (AtalhosJanela) change the
// window meanwhile and are no answer; the window's close button (`fechar`
// raised) ends the wait too.
class AvisoSemMicrofone {
public:
    static void mostrar(AtalhosJanela& atalhos, const volatile int* fechar);
};

#endif
