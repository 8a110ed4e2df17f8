#ifndef TRAVARATO_H
#define TRAVARATO_H

// Remembers clicks of the left mouse button between two samplings, as
// TravaTeclas does for keys: a click shorter than a frame, or made while a
// screen holds (the renderer sleeps on some), is still seen, once, at the
// place where the button went down.
//
// The library reports every mouse event to registrar() on its own input
// thread, the pointer already moved to where the event happened; only that
// thread writes the press count, the button's state and the place of the
// last press. The main thread asks ler() once per sampling.
class TravaRato {
public:
    // Makes registrar() the library's mouse callback (after install_mouse),
    // and undoes it.
    static void instalar();
    static void desinstalar();

    // One mouse event: the library's MOUSE_FLAG_* bits and where the
    // pointer is. A press of a button already down is not a new press.
    // Tests call it to play clicks.
    static void registrar(int flags, int x, int y);

    TravaRato();

    // Whether the left button counts as down in this sampling: down now,
    // or pressed since the last sampling even if already let go. (Unlike a
    // key, nothing counts presses of the button, so a release and a new
    // press between two samplings need no sampling up in between.)
    bool ler();
    // Where the button went down for the latest press, read by the last
    // sampling that found it down; (-1, -1) before any.
    int getX() const { return x; }
    int getY() const { return y; }

    // Forgets the clicks made so far (a button still held reads held).
    void descartar();

private:
    unsigned int consumidos;
    int x;
    int y;
};

#endif
