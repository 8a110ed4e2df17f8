#ifndef FONTEMEMORIA_H
#define FONTEMEMORIA_H

#include <cstdint>
#include <vector>

#include "FonteGravacao.h"

// A recording source made from sound already in memory, for tests and the
// voice analyser: the samples are cut into consecutive buffers of
// bytesPorBuffer bytes, and a new buffer "arrives" every leiturasPorBuffer
// reads, as a real recorder delivers one every second while the game reads
// 25 times a second. The first read delivers the first buffer. After the
// last whole buffer the source either starts over (repetir) or stays quiet;
// a trailing part shorter than a buffer is never delivered.
//
//     FonteMemoria fonte(SinaisSintetizados::semSinal(ronco), 88200);
//     CapturaAudio::setFonteGravacao(fonte.getFonte());
//     CapturaAudio c(16, 44100);   // then c.rotinaCompleta() once per frame
//
// The FonteMemoria must outlive every CapturaAudio created with it.
//
// A continuous source (FonteMemoria::continua) behaves like the game's
// microphone instead: the sound plays on the game's clock (Relogio, which
// tests move by hand), from 40 ms before the first read; a read hands over
// the newest bytesPorBuffer bytes of it whenever the clock has moved since
// the last one (silence before the start), and nothing otherwise.
class FonteMemoria {
public:
    // amostras: unsigned 16-bit (32768 is silence), as the recorder delivers.
    FonteMemoria(const std::vector<uint16_t>& amostras, int bytesPorBuffer = 88200, int leiturasPorBuffer = 25,
                 bool repetir = true);
    virtual ~FonteMemoria();

    static FonteMemoria continua(const std::vector<uint16_t>& amostras, bool repetir = false,
                                 int bytesPorBuffer = 88200);

    FonteGravacao getFonte();

    int getBuffersInteiros() const;
    int getBuffersEntregues() const { return entregues; }
    int getLeituras() const { return leituras; }
    // What iniciar answers: the buffer size, or another value to imitate a
    // recorder that failed (0) or misbehaves.
    void setRespostaInicio(int bytes) { respostaInicio = bytes; }
    // A stalled recorder: while set, reads deliver nothing and the source
    // stands still; cleared, it goes on where it stopped.
    void setParada(bool p) { parada = p; }

private:
    static int iniciar(void* dados, int freq, int bits, int stereo);
    static int ler(void* dados, void* destino, int capacidadeBytes);

    int lerContinua(uint16_t* destino, int capacidadeBytes);

    std::vector<uint16_t> amostras;
    bool continuo;
    int inicioMs;           // the clock's reading when the sound started
    long long entregueAte;  // samples played by the last read that brought sound
    int bytesPorBuffer;
    int leiturasPorBuffer;
    bool repetir;
    int respostaInicio;
    bool parada;
    int leituras;
    int entregues;
};

#endif
