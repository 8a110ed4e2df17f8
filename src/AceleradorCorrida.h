#ifndef ACELERADORCORRIDA_H
#define ACELERADORCORRIDA_H

class CapturaAudio;
class Preferencias;

// The player's throttle in a race, one frame at a time: the voice's
// (AceleradorVoz, at the player's sensitivity) while the microphone works,
// and full throttle while W is held when the voice cannot drive (no
// microphone, one that stopped, or one that sends only silence) or the
// player wants W always. It also says which of the two drives (the HUD
// labels the throttle bar by it), and when to hint at calibrating: a voice
// heard as an engine that, for several seconds, gives less throttle than
// third gear needs; once per race.
class AceleradorCorrida {
public:
    // Frames of a quiet engine before the hint (4 s), and how long it shows.
    static constexpr int QUADROS_ATE_DICA = 100;
    static constexpr int QUADROS_DICA = 150;

    AceleradorCorrida();

    void iniciarCorrida();
    // One frame: the analysis just run (whether its level is above 0.5), the
    // player's settings and whether W is held. Answers the throttle, 0 to 1.
    float calcular(const CapturaAudio& captura, bool ronco, const Preferencias& preferencias, bool teclaW);

    // W drives: the voice cannot.
    bool isPelaTecla() const { return pelaTecla; }
    bool isDica() const { return quadrosDica > 0; }

private:
    bool pelaTecla;
    int quadrosBaixos;  // heard as an engine, too quiet for third gear
    int quadrosDica;    // the hint shows for these many frames more
    bool dicaDada;
};

#endif
