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

// Keeps a capture device recording into the newest second of sound, one
// reader thread per opening of the device, and a watcher thread that opens,
// replaces and lets go of them:
//
//   - A device that fails (unplugged, the server gone) is opened again every
//     few seconds until it records.
//   - A device that hands over nothing for a while may have stalled: a
//     second reader is opened beside it, and whichever delivers first is
//     kept.
//   - Reads can block for good, so the watcher never waits for a reader
//     longer than a moment.
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
    // watcher); one that cannot be opened falls back to "default".
    void trocar(const std::string& nome);

    // When sound has come in since the last call: copies the newest second
    // (oldest sample first) as unsigned 16-bit samples, 32768 being
    // silence, into destino and answers true; otherwise leaves destino
    // alone. total, when given, receives how many samples had been recorded.
    bool lerRecente(uint16_t* destino, long long* total = nullptr);

    std::string getDispositivo() const;
    std::string getFalha() const;
    long long getAmostrasGravadas() const;

    struct Anel;
    struct Sessao;

private:
    void vigiar(void* abertoInicial);
    std::shared_ptr<Sessao> abrirSessao(const std::string& nome, void* abertoAntes);
    void anotarFalha(const std::string& nome);

    DispositivoGravacao dispositivoGravacao;
    std::FILE* console;
    TemposMicrofone tempos;
    std::shared_ptr<Anel> anel;
    bool aberto;
    void* abertoInicial;  // opened by abrir; the first session takes it
    std::thread* vigia;
    bool pararVigia;
    mutable std::mutex trava;  // guards the names below and pararVigia
    std::string dispositivo;   // being recorded (or about to be)
    std::string pedido;        // asked for by trocar, not yet taken
    std::string falha;
};

#endif
