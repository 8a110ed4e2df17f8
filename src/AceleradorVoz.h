#ifndef ACELERADORVOZ_H
#define ACELERADORVOZ_H

// The throttle the voice gives, 0 to 1. Once the detector's level is above
// 0.5 (an engine heard steadily) the loudness is scaled up to reach full
// throttle; below it the loudness is weighed by the level. The player's
// sensitivity multiplies the loudness first, so a quiet microphone can give
// full throttle too; it never changes what the detector decides.
class AceleradorVoz {
public:
    static constexpr double GANHO = 2.2;

    // ronco: the level is above 0.5; mediaA: the window's mean absolute
    // amplitude; nivelRonco: the level.
    static float calcular(bool ronco, double mediaA, double nivelRonco, double sensibilidade = 1.0);
};

#endif
