#ifndef VIGIAENCERRAMENTO_H
#define VIGIAENCERRAMENTO_H

// The last word on leaving. Once the player has asked to quit (Exit, or
// the window's close button) every record is already on disk; what is left
// is handing the sound devices, the recorder and the window back to the
// system. Should one of those never return, the window would stay on the
// screen, frozen, with nothing the player can do. Armed when shutdown
// starts, the watchdog ends the process after a few seconds if shutdown
// has not finished, with one console line saying so.
class VigiaEncerramento {
public:
    static constexpr int LIMITE_MS = 5000;
    // The exit status of a forced exit: whoever started the game (a
    // launcher, a script) learns that shutdown did not finish by itself.
    static constexpr int STATUS_FORCADO = 70;

    // Starts the countdown (once; later calls do nothing).
    static void armar(int limiteMs = LIMITE_MS);
};

#endif
