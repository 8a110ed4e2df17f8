#ifndef TRAVATECLAS_H
#define TRAVATECLAS_H

// Remembers key presses between two samplings of the keyboard. The frame
// loop samples keys once per frame, and some screens sleep for half a
// second or more: a key pressed and released meanwhile would never be seen.
//
// The library reports every key event to registrar() on its own input
// thread; there only per-key counters and flags are written, each by that
// thread alone. The main thread asks ler() once per sampling.
class TravaTeclas {
public:
    // Enter pressed while Alt is held (fullscreen) is a key of its own, up
    // to its release: it never also reads as Enter.
    // Keys are the library's KEY_ codes, all below its KEY_MAX (127).
    static constexpr int ALT_ENTER = 127;
    static constexpr int TECLAS = ALT_ENTER + 1;

    // Makes registrar() the library's low-level keyboard callback (after
    // install_keyboard), and undoes it.
    static void instalar();
    static void desinstalar();

    // One key event as the library reports it: the scancode, with bit 7 set
    // when the key goes up. A key-down for a key already down is the X
    // server's autorepeat, not a press. Tests call it to play keys.
    static void registrar(int scancode);

    // Presses of `tecla` since the program started (autorepeat excluded).
    static unsigned int getApertos(int tecla);

    TravaTeclas();

    // Whether `tecla` counts as held in this sampling: held now, or pressed
    // since the last sampling even if already released. A key released and
    // pressed again between two samplings reads up for one sampling first,
    // so that the new press still reads as a new press. Several presses
    // between two samplings read as one.
    bool ler(int tecla);

    // Whether `tecla` was pressed since the last sampling, for keys that
    // act once per press however long they are held. A key is read either
    // with ler or with lerAperto, never both.
    bool lerAperto(int tecla);

    // Forgets the presses made so far; a key held now counts as already
    // seen (it is no new press until released and pressed again).
    void descartar();

    // The press that lerAperto has just reported for `tecla` is reported
    // again by the next lerAperto: for a frame that cannot act on it.
    void devolverAperto(int tecla);

private:
    unsigned int consumidos[TECLAS];
    bool vistaAntes[TECLAS];
};

#endif
