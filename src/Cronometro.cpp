#include "Cronometro.h"

#include "Relogio.h"

Cronometro::Cronometro() : contando(false), inicial(0), tPause(0) {}

Cronometro::~Cronometro() {}

void Cronometro::start() {
    inicial = Relogio::getMilissegundos();
    contando = true;
    tPause = 0;
}

void Cronometro::pause() {
    if (contando) {
        tPause = Relogio::getMilissegundos();
    } else {
        inicial = Relogio::getMilissegundos() + inicial - tPause;
    }
    contando = !contando;
}

// Stopped, the readings stay where the stop left them: the finish screen
// holds the clock the record was written from, however long writing the
// record and the ghost took.
int Cronometro::decorrido() const { return contando ? Relogio::getMilissegundos() - inicial : tPause - inicial; }

int Cronometro::getMinutos() const { return decorrido() / 60000; }

int Cronometro::getSegundos() const { return (decorrido() / 1000) % 60; }

int Cronometro::getCentesimos() const { return (decorrido() / 10) % 100; }

int Cronometro::getTotalTime() const {
    // The stop mark alone would be the clock since the program started;
    // what a record needs is the time the race actually ran.
    return tPause - inicial;
}
