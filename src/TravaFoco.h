#ifndef TRAVAFOCO_H
#define TRAVAFOCO_H

// Whether the game's window has the keyboard focus, and how often it lost
// it. The library reports a switch away from the window and back to it on
// its own thread; the main thread reads them once per frame
// (TratadorEntradas): a player who switches to another window mid-race
// finds the race paused, not driven on by whatever the microphone hears
// meanwhile.
class TravaFoco {
public:
    // Makes the library keep running in the background and report focus
    // changes here (after the window is open); and undoes it.
    static void instalar();
    static void desinstalar();

    // One focus change as the library reports it. Tests call it.
    static void registrar(bool focado);
    // The window is about to be mapped again, or just was (a change of its
    // size or of fullscreen): a focus lost from now until a moment after is
    // no player's doing, and counts only if it has not come back by then.
    static void tolerarTroca();

    static bool isFocado();
    // Times the focus was lost since the program started.
    static unsigned int getPerdas();
};

#endif
