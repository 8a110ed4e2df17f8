#ifndef GRAVADORALSA_H
#define GRAVADORALSA_H

// The microphone. Debian's Allegro 4.4 cannot record (its ALSA driver
// refuses input), so the game brings its own input-only digital sound
// driver, reading the ALSA capture device "default" (a desktop's sound
// server, or the file-backed device of the test rig). Once registered and
// installed as the sound input, the library's start_sound_input and
// read_sound_input go through it:
//
//   - start_sound_input(44100, 16, 0) answers 88200: one-second buffers of
//     16-bit mono sound. Any other format answers 0.
//   - read_sound_input(buf) copies the newest complete buffer as unsigned
//     samples (32768 is silence) and answers 1 when one arrived since the
//     last read, else 0 and leaves buf alone.
//   - A thread records in the background from start_sound_input until the
//     sound input is removed: nothing is lost while the game sleeps, an
//     overrun is recovered, and a device that answers faster than real time
//     (a plain file behind ALSA) is held to real time.
//   - A device that fails (unplugged) or hands over nothing for two seconds
//     (its stream stalled) is given up and opened again every three
//     seconds until it records again. Reads can block for good (ALSA's
//     file device reading a pipe nobody writes), so each opening is read
//     by a thread of its own that a watcher can walk away from: neither
//     the retries nor the program's exit wait for a stuck read.
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
//   ... set_color_depth, set_gfx_mode, install_timer, keyboard, mouse ...
//   install_sound(DIGI_AUTODETECT, MIDI_NONE, NULL);
//   install_sound_input(GravadorAlsa::ID, MIDI_NONE);   // DIGI_AUTODETECT also picks it
//   install_int_ex(...);
//   bitCap = get_sound_input_cap_bits(); ...       // the usual capability probe
//   ... new Logica(...)  ->  new CapturaAudio(16, 44100) calls start_sound_input
//   at exit: remove_sound_input() before remove_sound() stops the thread.
//
// Everything here is static: the library knows one driver record.
class GravadorAlsa {
public:
    // The driver's id for install_sound_input.
    static const int ID;
    static const int TAXA = 44100;
    static const int BYTES_POR_BUFFER = 88200;

    // Adds the driver to the library's list of digital drivers, first in
    // autodetection order (it never offers playback, so install_sound keeps
    // choosing the real output driver). Call once, after allegro_init() and
    // before install_sound(); later calls do nothing. Returns ID.
    static int registrar();

    // True once the capture device has been opened by the sound input's
    // installation.
    static bool isDisponivel();
    // Complete buffers recorded since start_sound_input (for tests).
    static int getBuffersGravados();

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

    static void pararThread();
};

#endif
