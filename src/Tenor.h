#ifndef TENOR_H
#define TENOR_H

#include <allegro.h>

// Plays the looping music. The game state asks for music as products of
// primes: 2 is the menu music, 3 the race music, 7 the ignition when a race
// is chosen. A song that failed to load is simply not played.
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

    // Tests replace the library's play_sample and stop_sample to see what
    // would be played without a sound card.
    void setFuncoes(FuncaoTocar tocar, FuncaoParar parar);

    const SAMPLE* getMusicaMenu() const { return musicaMenu; }
    const SAMPLE* getMusicaJogo() const { return musicaJogo; }
    const SAMPLE* getSomIgnicao() const { return somIgnicao; }

private:
    void tocar(const SAMPLE* s, int repetir);
    void parar(const SAMPLE* s);

    SAMPLE* musicaMenu;
    SAMPLE* musicaJogo;
    SAMPLE* somIgnicao;
    FuncaoTocar funcaoTocar;
    FuncaoParar funcaoParar;
};

#endif
