#ifndef TENOR_H
#define TENOR_H

#include <allegro.h>

// Plays the looping music. The game state asks for music as products of
// primes: 2 is the menu music, 3 the race music, 7 the ignition when a race
// is chosen. A song that failed to load is simply not played.
//
// The player can switch the music off (N) and set its level: the loops the
// game asked for are remembered while it is off, and start again when it is
// switched back on. The ignition is a sound of the car, not music: it plays
// either way.
class Tenor {
public:
    typedef int (*FuncaoTocar)(const SAMPLE*, int, int, int, int);
    typedef void (*FuncaoParar)(const SAMPLE*);

    Tenor();
    virtual ~Tenor();

    Tenor(const Tenor&) = delete;
    Tenor& operator=(const Tenor&) = delete;

    void cantar(int m);
    void calar(int m);

    // 0 to 100 per cent, for the loops started from now on.
    void setVolume(int porCento);
    void setMusicaLigada(bool sim);
    bool isMusicaLigada() const { return ligada; }

    // Tests replace the library's play_sample and stop_sample to see what
    // would be played without a sound card.
    void setFuncoes(FuncaoTocar tocar, FuncaoParar parar);

    const SAMPLE* getMusicaMenu() const { return musicaMenu; }
    const SAMPLE* getMusicaJogo() const { return musicaJogo; }
    const SAMPLE* getSomIgnicao() const { return somIgnicao; }

private:
    void tocar(const SAMPLE* s, int repetir, int volume);
    void parar(const SAMPLE* s);
    void tocarMusica(const SAMPLE* s);

    SAMPLE* musicaMenu;
    SAMPLE* musicaJogo;
    SAMPLE* somIgnicao;
    FuncaoTocar funcaoTocar;
    FuncaoParar funcaoParar;
    bool ligada;
    int volume;       // 0 to 255, as the library takes it
    bool pedidaMenu;  // the loops the game wants now
    bool pedidaJogo;
};

#endif
