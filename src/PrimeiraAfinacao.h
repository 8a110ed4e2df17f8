#ifndef PRIMEIRAAFINACAO_H
#define PRIMEIRAAFINACAO_H

#include "CalibracaoVoz.h"

class Preferencias;

// The first start tunes the microphone. Until the voice has been calibrated
// once (or this offer skipped), a Play with a microphone that records leads
// to the microphone check first, asking to roar for three seconds: C
// calibrates, Enter skips. Once calibrated (its result shown for a moment)
// or skipped, the race starts; leaving the page skips it too. Either way it
// is saved, so it is offered once, and Play goes straight to the race from
// then on. Where nothing can be saved (no settings file) it is not offered.
class PrimeiraAfinacao {
public:
    // Frames the calibration's result shows before the race.
    static constexpr int QUADROS_RESULTADO = 50;

    PrimeiraAfinacao();

    // At Play: whether to go to the check first (no calibration saved and a
    // microphone that records); the tuning then runs until it is over.
    bool oferecer(Preferencias* preferencias, bool microfoneGrava);
    bool isAtiva() const { return ativa; }
    // One frame: whether the check's page is shown, the calibration's state
    // and the page's keys for it.
    void acompanhar(bool naPagina, CalibracaoVoz::Situacao calibracao, unsigned comandos);
    // True once, when the race is to start.
    bool tomarCorrida();

private:
    void concluir(bool pulada);

    Preferencias* preferencias;
    bool ativa;
    bool correr;
    int quadrosFeita;
};

#endif
