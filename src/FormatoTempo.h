#ifndef FORMATOTEMPO_H
#define FORMATOTEMPO_H

#include <string>

// Times as the game writes them in its own texts (the finish line, the
// records page, the live gap to the ghost), to the hundredth as the race
// clock counts them: "0:15.42", minutes unpadded; a difference signed,
// "+3.61", "-0.42", with minutes only when there are some ("+1:03.77").
class FormatoTempo {
public:
    // A negative time reads as 0:00.00.
    static std::string tempo(int milissegundos);
    static std::string diferenca(int centesimos);
};

#endif
