#ifndef REPARTIDORGRAVACAO_H
#define REPARTIDORGRAVACAO_H

#include <vector>

#include "FonteGravacao.h"

class CapturaAudio;

// One recorder, two listeners: the race's analysis and the microphone check
// each get every buffer the recorder delivers, as if each were its only
// reader. The recorder hands a new buffer over once, to whoever asks first;
// the splitter keeps a copy of the newest one, so the other listener still
// receives it at its next read. The recorder is started once, by the first
// listener that starts, and every listener is told the same buffer size.
//
//     RepartidorGravacao repartidor(CapturaAudio::getFonteGravacao());
//     CapturaAudio* corrida = repartidor.criarCaptura(0);
//     CapturaAudio* verificacao = repartidor.criarCaptura(1);   // later is fine
//
// The splitter must outlive the captures made with it.
class RepartidorGravacao {
public:
    static constexpr int OUVINTES = 2;

    explicit RepartidorGravacao(const FonteGravacao& origem);
    virtual ~RepartidorGravacao();

    RepartidorGravacao(const RepartidorGravacao&) = delete;
    RepartidorGravacao& operator=(const RepartidorGravacao&) = delete;

    // The source seen by listener 0 or 1.
    FonteGravacao getOuvinte(int ouvinte);
    // A CapturaAudio(16, 44100) reading through that listener; the source
    // in force for other captures is left as it was.
    CapturaAudio* criarCaptura(int ouvinte);

private:
    struct Ouvinte {
        RepartidorGravacao* dono;
        int geracaoVista;
    };

    static int iniciar(void* dados, int freq, int bits, int stereo);
    static int ler(void* dados, void* destino, int capacidadeBytes);

    FonteGravacao origem;
    bool iniciado;
    int respostaInicio;
    std::vector<unsigned char> ultimo;  // the newest buffer delivered
    int geracao;                        // buffers delivered so far
    Ouvinte ouvintes[OUVINTES];
};

#endif
