#ifndef GERENTESEGUNDOPLANO_H
#define GERENTESEGUNDOPLANO_H

// The library's background thread, without its busy clock. On Unix the
// library runs its housekeeping (the window's input, mixing the sound) from
// one thread every 10 ms, but that thread wakes every millisecond to see
// whether 10 ms have passed: a thousand wake-ups a second, about 2 % of a
// core with nothing to do. This one sleeps until the next 10 ms are due and
// otherwise behaves the same: same calls at the same pace, the same way of
// holding them off while the program has them disabled.
//
// The library picks its background manager up when allegro_init starts the
// system driver, so instalar() must come first.
class GerenteSegundoPlano {
public:
    static void instalar();
};

#endif
