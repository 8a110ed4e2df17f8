#ifndef CRONOMETRO_H
#define CRONOMETRO_H

// The race stopwatch. Readings are measured from a start mark that each
// restart moves forward by the length of the stop, so they continue from
// where they were stopped; while stopped they hold the reading of the stop.
// Time comes from Relogio (milliseconds since the program started).
class Cronometro {
public:
    Cronometro();
    virtual ~Cronometro();

    void start();
    // A toggle: stops a running stopwatch, restarts a stopped one.
    void pause();

    int getMinutos() const;
    int getSegundos() const;
    int getCentesimos() const;

    // The time shown at the last stop: the race's elapsed milliseconds when
    // read right after the finish stopped the stopwatch.
    int getTotalTime() const;

    // The race clock in ms as it stands: running, the time shown now;
    // stopped, the time shown at the stop.
    int getTempoCorrida() const { return decorrido(); }

    bool isContando() const { return contando; }

private:
    int decorrido() const;

    bool contando;
    int inicial;
    int tPause;
};

#endif
