#ifndef ESTADOMICROFONE_H
#define ESTADOMICROFONE_H

#include <cstdio>

// Whether the voice can drive the car. The capture tells it about every
// poll of the recorder (one per countdown or race frame) and whether that
// poll brought a new buffer:
//
//   - missing: the recorder never started (no capture device). For good.
//   - working: buffers arrive.
//   - stalled: no new buffer for more than LIMITE_SILENCIO_MS of polling
//     (unplugged, or its stream stopped). A new buffer makes it working
//     again.
//
// Only time spent polling counts: polls further apart than
// INTERVALO_MAXIMO_MS (the game was in a menu, loading, paused, or the
// renderer slept) add just that much, so a working microphone, whose newest
// buffer is at most a second old whenever it is polled, is never taken for
// a stalled one, however long the game stayed away. Times come from
// Relogio, which tests freeze and move by hand.
//
// Each change between working and stalled prints one line on the console.
//
// Apart from that, a working microphone may send only digital silence
// (every sample exactly zero: muted, or a sound server with nothing
// connected to it), which no real room ever sounds like. After
// LIMITE_SILENCIO_MS of polling with only such sound it counts as silent
// (isSoSilencio) until a sound comes, and the first time in a run it says
// so on the console: the player is not just being quiet.
class EstadoMicrofone {
public:
    enum Situacao { FUNCIONANDO, AUSENTE, PARADO };

    static constexpr int LIMITE_SILENCIO_MS = 2000;
    static constexpr int INTERVALO_MAXIMO_MS = 200;

    // console: where the lines go (stdout when null).
    explicit EstadoMicrofone(bool gravando = false, std::FILE* console = nullptr);

    // One poll: whether it brought new sound, and whether that sound was
    // digital silence.
    void registrarLeitura(bool bufferNovo, bool soZeros = false);

    Situacao getSituacao() const { return situacao; }
    // The voice drives the car only while the microphone works; otherwise
    // the keyboard's throttle does.
    bool isVozAtiva() const { return situacao == FUNCIONANDO; }
    // Polling time since the last new buffer, and the clock's reading when
    // it came (-1: none yet).
    int getMsSemBuffer() const { return msSemBuffer; }
    int getUltimoBufferMs() const { return ultimoBufferMs; }
    bool isSoSilencio() const { return msSoZeros > LIMITE_SILENCIO_MS; }

private:
    Situacao situacao;
    std::FILE* console;
    int msSemBuffer;
    int ultimoBufferMs;
    int ultimaLeituraMs;  // -1 before the first poll
    int msSoZeros;        // polling time with only digital silence
    bool silencioDito;
};

#endif
