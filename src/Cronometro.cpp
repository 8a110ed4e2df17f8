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

int Cronometro::decorrido() const {
    // Stopped, it reads what it read at the stop: the race's first frame is
    // drawn while the stopwatch still stands at zero, after the start
    // lights' seconds have passed, and must not show them; the finish
    // screen holds the time the record was written from, however long
    // writing the record and the ghost took.
    return (contando ? Relogio::getMilissegundos() : tPause) - inicial;
}

int Cronometro::getMinutos() const { return decorrido() / 60000; }

int Cronometro::getSegundos() const { return (decorrido() / 1000) % 60; }

int Cronometro::getCentesimos() const { return (decorrido() / 10) % 100; }

int Cronometro::getTotalTime() const {
    // The stop mark alone would be the clock since the program started;
    // what a record needs is the time the race actually ran.
    return tPause - inicial;
}
