#ifndef VIGIAMICROFONE_H
#define VIGIAMICROFONE_H

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// The capture device as the recorder's readers use it: ALSA in the game
// (MicrofoneAlsa), devices of their own in the tests (one that is busy,
// stalls, goes away or comes back, at will).
struct DispositivoGravacao {
    // Opens the capture device `nome` (it may take its time); nullptr when
    // it cannot be opened.
    void* (*abrir)(void* dados, const std::string& nome);
    // Up to `maximo` frames of 16-bit mono sound into destino: how many were
    // read, 0 when none came within a short wait, below 0 when the device is
    // gone. It may also block for good (ALSA's file device on a pipe nobody
    // writes): then only a signal gets the reader out.
    long (*ler)(void* dados, void* aberto, int16_t* destino, long maximo);
    void (*fechar)(void* dados, void* aberto);
    void* dados;
};

// The watcher's times (tests shorten them).
struct TemposMicrofone {
    typedef std::chrono::steady_clock::duration Duracao;
    Duracao silencioMaximo = std::chrono::seconds(2);       // a device this quiet may have stalled
    Duracao intervaloReabertura = std::chrono::seconds(3);  // between two attempts to open
    Duracao passo = std::chrono::milliseconds(100);         // the watcher's pace
    Duracao esperaSaida = std::chrono::milliseconds(500);   // stopping waits this long for a read
};

// Keeps a capture device recording into the newest second of sound: one
// reader thread per opening of the device, and a watcher thread that opens,
// replaces and lets go of them. Only one opening at a time writes into the
// second (its owner), so no sound is ever spliced from two of them.
//
//   - The device the player chose is where recording goes. One that cannot
//     be opened gives way to "default" (with a console line), and is tried
//     again every few seconds: once it opens (plugged in again), it is
//     recorded again.
//   - A device that fails while recording (unplugged, the server gone) is
//     opened again every few seconds until it records.
//   - A device that hands over nothing for a while may have stalled: it is
//     opened anew beside the stalled opening, which the new one replaces as
//     soon as it is open (a pipe thus always has a reader). A device that
//     allows one opening only (ALSA's hw and plughw) refuses that: the
//     stalled opening is closed first, then the device opened again.
//   - Reads can block for good. A reader let go is told to stop and, when
//     it does not, its read is cut short by a signal (no restart), until it
//     ends and is joined: no thread or descriptor is ever left behind, and
//     neither stopping nor switching waits for a stuck read longer than a
//     moment.
class VigiaMicrofone {
public:
    // What lerRecente hands over: one second of mono sound.
    static constexpr int AMOSTRAS = 44100;
    // Frames asked per read: up to 100 ms.
    static constexpr int BLOCO_MAXIMO = 4410;

    // console: where the few lines about the device go (stdout when null).
    VigiaMicrofone(const DispositivoGravacao& dispositivo, std::FILE* console = nullptr,
                   const TemposMicrofone& tempos = TemposMicrofone());
    virtual ~VigiaMicrofone();

    VigiaMicrofone(const VigiaMicrofone&) = delete;
    VigiaMicrofone& operator=(const VigiaMicrofone&) = delete;

    // Opens `nome` at once, to learn whether there is anything to record
    // from; one that cannot be opened falls back to "default", with a
    // console line. The opening is kept for iniciar. False when nothing
    // could be opened.
    bool abrir(const std::string& nome);
    bool isAberto() const { return aberto; }

    // Starts recording in the background (after abrir succeeded); parar
    // stops it. Both may be called again.
    void iniciar();
    void parar();

    // Records from another device from now on (within one step of the
    // watcher); one that cannot be opened falls back to "default", and is
    // tried again now and then.
    void trocar(const std::string& nome);

    // When sound has come in since the last call: copies the newest second
    // (oldest sample first) as unsigned 16-bit samples, 32768 being
    // silence, into destino and answers true; otherwise leaves destino
    // alone. total, when given, receives how many samples had been recorded.
    bool lerRecente(uint16_t* destino, long long* total = nullptr);

    // The device being recorded (the last one that opened), and the one
    // asked for while it cannot be opened (empty otherwise).
    std::string getDispositivo() const;
    std::string getFalha() const;
    long long getAmostrasGravadas() const;

    struct Anel;
    struct Aviso;
    struct Sessao;
    struct Sessoes;

private:
    void vigiar(void* abertoInicial);
    void anotarFalha(const std::string& nome);

    DispositivoGravacao dispositivoGravacao;
    std::FILE* console;
    TemposMicrofone tempos;
    std::shared_ptr<Anel> anel;
    std::shared_ptr<Aviso> aviso;  // wakes the watcher when a reader opens or ends
    bool aberto;
    void* abertoInicial;  // opened by abrir; the first session takes it
    std::thread* vigia;
    bool pararVigia;
    mutable std::mutex trava;  // guards the names below and pararVigia
    std::string dispositivo;   // being recorded: the last opening that opened
    std::string escolhido;     // the one asked for last
    std::string pedido;        // asked for by trocar, not yet taken
    std::string falha;         // the one asked for, when it cannot be opened
};

#endif
