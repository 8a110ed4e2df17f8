#ifndef RELOGIO_H
#define RELOGIO_H

// The game's millisecond clock: real time elapsed since the program started,
// from a monotonic source (the C library's clock() counts processor time on
// Linux, which stands still while the game sleeps). Tests freeze it and move
// it by hand so that timing logic runs without waiting.
class Relogio {
public:
    static int getMilissegundos();

    // Freeze the clock at the given reading; later readings return it until
    // it is moved again or the real clock is restored.
    static void setManual(int milissegundos);
    static void avancar(int milissegundos);
    static void setReal();
};

#endif
