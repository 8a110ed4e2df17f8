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
class EstadoMicrofone {
public:
    enum Situacao { FUNCIONANDO, AUSENTE, PARADO };

    static constexpr int LIMITE_SILENCIO_MS = 2000;
    static constexpr int INTERVALO_MAXIMO_MS = 200;

    // console: where the lines go (stdout when null).
    explicit EstadoMicrofone(bool gravando = false, std::FILE* console = nullptr);

    void registrarLeitura(bool bufferNovo);

    Situacao getSituacao() const { return situacao; }
    // The voice drives the car only while the microphone works; otherwise
    // the keyboard's throttle does.
    bool isVozAtiva() const { return situacao == FUNCIONANDO; }
    // Polling time since the last new buffer, and the clock's reading when
    // it came (-1: none yet).
    int getMsSemBuffer() const { return msSemBuffer; }
    int getUltimoBufferMs() const { return ultimoBufferMs; }

private:
    Situacao situacao;
    std::FILE* console;
    int msSemBuffer;
    int ultimoBufferMs;
    int ultimaLeituraMs;  // -1 before the first poll
};

#endif
