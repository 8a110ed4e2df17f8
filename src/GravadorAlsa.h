#ifndef GRAVADORALSA_H
#define GRAVADORALSA_H

#include <string>

#include "DispositivosCaptura.h"
#include "FonteGravacao.h"

// The microphone, as the library's sound input. Debian's Allegro 4.4 cannot
// record (its ALSA driver refuses input), so the game brings its own
// input-only digital sound driver around MicrofoneAlsa, which records an
// ALSA capture device ("default" unless the player picked another: a
// desktop's sound server, or the file-backed device of the test rig). Once
// registered and installed as the sound input, the library's
// start_sound_input and read_sound_input go through it:
//
//   - start_sound_input(44100, 16, 0) answers 88200: the newest second of
//     16-bit mono sound is what every read hands over. Any other format
//     answers 0.
//   - read_sound_input(buf) copies that second as unsigned samples (32768 is
//     silence), the newest sample last, and answers 1 whenever sound came in
//     since the last read (every 20 ms or so), else 0 and leaves buf alone.
//   - Recording runs in the background from start_sound_input until the
//     sound input is removed (see MicrofoneAlsa for stalls and reopening).
//   - No capture device: installing still succeeds, but
//     get_sound_input_cap_bits() is 0 and the rate and parameter queries
//     answer 0, so start-up prints its "cannot record" message, and
//     start_sound_input answers 0. Never a crash.
//
// Order of calls at start-up (the library's own ALSA input probe must never
// run once ALSA playback has started: it aborts the process):
//
//   allegro_init();
//   GravadorAlsa::registrar();                    // right after allegro_init
//   GravadorAlsa::setDispositivo(nome);           // optional: "default" otherwise
//   ... set_color_depth, set_gfx_mode, install_timer, keyboard, mouse ...
//   install_sound(DIGI_AUTODETECT, MIDI_NONE, NULL);
//   install_sound_input(GravadorAlsa::ID, MIDI_NONE);   // DIGI_AUTODETECT also picks it
//   install_int_ex(...);
//   bitCap = get_sound_input_cap_bits(); ...       // the usual capability probe
//   CapturaAudio::setFonteGravacao(GravadorAlsa::getFonte());
//   ... new Logica(...)  ->  new CapturaAudio(16, 44100) calls start_sound_input
//   at exit: remove_sound_input() before remove_sound() stops the recording.
//
// Everything here is static: the library knows one driver record.
class GravadorAlsa {
public:
    // The driver's id for install_sound_input.
    static const int ID;

    // The library's sound input as CapturaAudio's recording source:
    // start_sound_input and read_sound_input, the newest second each time.
    static FonteGravacao getFonte();
    // The microphones ALSA offers and the switch between them, for the
    // microphone check (see DispositivosCaptura).
    static DispositivosCaptura::Controle getControle();
    static const int TAXA = 44100;
    static const int BYTES_POR_BUFFER = 88200;

    // Adds the driver to the library's list of digital drivers, first in
    // autodetection order (it never offers playback, so install_sound keeps
    // choosing the real output driver). Call once, after allegro_init() and
    // before install_sound(); later calls do nothing. Returns ID.
    static int registrar();

    // True once a capture device has been opened by the sound input's
    // installation.
    static bool isDisponivel();

    // The ALSA capture device to record: before install_sound_input, the
    // one it opens; afterwards, recording moves to it (see MicrofoneAlsa).
    static void setDispositivo(const std::string& nome);
    // The device being recorded, and the last one asked for that could not
    // be opened (empty when none failed).
    static std::string getDispositivo();
    static std::string getFalha();
    // Samples recorded since start_sound_input (for tests).
    static long long getAmostrasGravadas();

private:
    static int detect(int input);
    static int init(int input, int voices);
    static void exit(int input);
    static int capRate(int bits, int stereo);
    static int capParm(int rate, int bits, int stereo);
    static int source(int source);
    static int start(int rate, int bits, int stereo);
    static void stop();
    static int read(void* buffer);
};

#endif
