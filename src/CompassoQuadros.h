#ifndef COMPASSOQUADROS_H
#define COMPASSOQUADROS_H

// Paces the main loop on the 40 ms timer without polling it a thousand
// times a second: once a tick has been seen arrive, the loop may sleep in
// one go until shortly before the next one is due, and only then polls in
// 1 ms steps as before. A tick found already waiting (a frame that ran
// long) tells nothing about the timer's phase and is not taken as one.
class CompassoQuadros {
public:
    explicit CompassoQuadros(int periodoMs = 40, int folgaMs = 4);

    // The loop saw the tick counter go from zero to one at `agora` (ms).
    void marcarTique(int agora);
    // How long the loop may sleep now before it polls again: at least 1.
    int getEsperaMs(int agora) const;

private:
    int periodo;
    int folga;
    bool conhecido;
    int ultimoTique;
};

#endif
