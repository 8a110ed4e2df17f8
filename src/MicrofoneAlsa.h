#ifndef MICROFONEALSA_H
#define MICROFONEALSA_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "DispositivosCaptura.h"
#include "VigiaMicrofone.h"

// Records an ALSA capture device for as long as it is asked to, and hands
// over the newest second of sound whenever new sound has come in. The voice
// throttle analyses the last 40 ms of it every frame, so what matters here
// is how soon a sound reaches that second: the device is asked for 20 ms
// periods (through PulseAudio or PipeWire: a 20 ms fragment; at 10 ms a busy
// PipeWire graph was seen to drop sound), and every period is added to the
// second the moment it is read.
//
//   - A file behind ALSA (the test rig's microphone) answers as fast as it
//     is asked and is held to real time; a real device keeps its own pace.
//   - Opening, reopening, stalls and switching between devices are the
//     readers' watcher's (VigiaMicrofone); this class is how it reaches ALSA.
class MicrofoneAlsa {
public:
    static constexpr int TAXA = 44100;
    // What lerRecente hands over: one second of mono sound.
    static constexpr int AMOSTRAS = VigiaMicrofone::AMOSTRAS;
    // Frames of one ALSA period: 20 ms.
    static constexpr int PERIODO = 882;

    // console: where the few lines about the device go (stdout when null).
    explicit MicrofoneAlsa(std::FILE* console = nullptr);
    virtual ~MicrofoneAlsa();

    MicrofoneAlsa(const MicrofoneAlsa&) = delete;
    MicrofoneAlsa& operator=(const MicrofoneAlsa&) = delete;

    // Opens the capture device named `dispositivo` (an ALSA name such as
    // "default" or "plughw:CARD=PCH,DEV=0") without blocking, to learn
    // whether there is anything to record from. One that cannot be opened
    // falls back to "default", with a console line. The device stays open
    // for iniciar. False when nothing could be opened.
    bool abrir(const std::string& dispositivo) { return vigia.abrir(dispositivo); }
    bool isAberto() const { return vigia.isAberto(); }

    // Starts recording in the background (after abrir succeeded); parar
    // stops it. Both may be called again.
    void iniciar() { vigia.iniciar(); }
    void parar() { vigia.parar(); }

    // Records from another device from now on; one that cannot be opened
    // falls back to "default" (see getFalha). Takes effect within a tenth
    // of a second; the second handed over keeps its older sound meanwhile.
    void trocarDispositivo(const std::string& dispositivo) { vigia.trocar(dispositivo); }

    // When sound has come in since the last call: copies the newest second
    // (oldest sample first) as unsigned 16-bit samples, 32768 being
    // silence, into destino (AMOSTRAS of them; before a second has been
    // recorded its start is silence) and answers true. Otherwise leaves
    // destino alone and answers false. total, when given, receives how many
    // samples had been recorded when the copy was made.
    bool lerRecente(uint16_t* destino, long long* total = nullptr) { return vigia.lerRecente(destino, total); }

    // ALSA's capture devices, as DispositivosCaptura::escolher picks them
    // from its device hints.
    static std::vector<DispositivoCaptura> listar();

    // The device being recorded, and the one asked for that could not be
    // opened (empty when none failed).
    std::string getDispositivo() const { return vigia.getDispositivo(); }
    std::string getFalha() const { return vigia.getFalha(); }
    long long getAmostrasGravadas() const { return vigia.getAmostrasGravadas(); }

    // ALSA's capture, as the watcher's readers use it.
    static DispositivoGravacao getDispositivoAlsa();

private:
    VigiaMicrofone vigia;
};

#endif
