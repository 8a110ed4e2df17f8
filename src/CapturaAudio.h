#ifndef CAPTURAAUDIO_H
#define CAPTURAAUDIO_H

#include <cstdio>
#include <memory>
#include <vector>

#include "EstadoMicrofone.h"
#include "FonteGravacao.h"
#include "TransformadaFft.h"

// The voice throttle's ear. Records the microphone for the whole run (16-bit
// mono, 44100 Hz) and, once per logic frame, takes a short window of the
// recording (from the microphone: the sound that came in last, about 1/25
// second of it), normalises it, weights it with a Hann window, transforms it
// with an FFT, measures the spectrum and decides whether it sounds like an
// imitated engine. The decisions of the last 25
// frames are smoothed into a level; the car's throttle is made from that
// level and from the window's mean amplitude.
//
// Every buffer lives inside the object: nothing is allocated per frame.
//
// Recording source. The game hands over the library's recorder
// (GravadorAlsa::getFonte(): start_sound_input once, read_sound_input every
// frame) before it makes its captures; tests and tools feed their own
// buffers instead. With no source, or a recorder that does not start,
// construction is still safe: every window is empty and the level decays
// to 0.
//
//     FonteMemoria fonte(amostras, 88200);          // or your own FonteGravacao
//     CapturaAudio::setFonteGravacao(fonte.getFonte());
//     CapturaAudio* microfone = new CapturaAudio(16, 44100);
//     ...
//     CapturaAudio::setFonteGravacaoPadrao();       // back to no source
//
// The source in force when the constructor runs is the one the object uses
// for its whole life. Console diagnostics go to stdout unless setConsole()
// names another stream (the voice analyser sends them to stderr).
class CapturaAudio {
public:
    CapturaAudio(int bits, int freq);
    virtual ~CapturaAudio();

    static void setFonteGravacao(const FonteGravacao& fonte);
    static void setFonteGravacaoPadrao();
    // The source the next CapturaAudio will use.
    static FonteGravacao getFonteGravacao();
    static void setConsole(std::FILE* saida);

    // One frame: advance the window, analyse it, judge it, update the level.
    // Returns true when the new level is above 0.5. Call exactly once per
    // logic frame: every call consumes one hop of the recorded buffer.
    bool rotinaCompleta();

    // Whether the recorder started and still delivers (see EstadoMicrofone).
    const EstadoMicrofone& getEstadoMicrofone() const { return estadoMicrofone; }
    bool isVozAtiva() const { return estadoMicrofone.isVozAtiva(); }

    // Mean absolute amplitude of the window analysed last (0 to about 1).
    double getMediaA() const;
    // Engine-noise level of the newest frame (0 to 0.934).
    double getNivelRonco() const;

    // The steps of rotinaCompleta, in its order.
    void avancarJanela();
    void normalizarJanelaBuffer(float norma);
    void hanningWindow();
    void calcularZeroCrossingRate(double silence);
    void fft(int m, double* rex, float* imx);
    void calcularSomatorioMediaF();
    void calcCentroids();
    void calcSpreads();
    bool isRonco();
    float calcularNivelRonco();
    // Steps after the decision: stores it in the ring slot, computes and
    // prints the level, moves the ring on. Returns level > 0.5.
    bool registrarDecisao(bool ronco);

    // Read-only views for tests and the voice analyser.
    int getTamanhoAllegroBufferBytes() const { return tamanhoAllegroBufferBytes; }
    int getTamanhoJanela() const { return tamanhoJanelaBufferSamples; }
    int getExpoente() const { return expoente; }
    int getDeslocamentoJanela() const { return deslocamentoJanela; }
    int getInicioJanela() const { return inicioJanelaBuffer; }
    int getFimJanela() const { return fimJanelaBuffer; }
    int getSlot() const { return leiturasDesdeUltimoReBuffer; }
    int getPpvRoncos() const { return ppvRoncos; }
    double getSomatorio() const { return somatorioFrequencias[leiturasDesdeUltimoReBuffer]; }
    double getCentroid() const { return centroidSpectral[leiturasDesdeUltimoReBuffer]; }
    double getSpread() const { return spreadSpectral[leiturasDesdeUltimoReBuffer]; }
    double getDesvio() const { return standardDeviationSpectral[leiturasDesdeUltimoReBuffer]; }
    double getSkewness() const { return skewnessSpectral[leiturasDesdeUltimoReBuffer]; }
    double getKurtosis() const { return kurtosisSpectral[leiturasDesdeUltimoReBuffer]; }
    double getFreqFundamental() const { return freqFundamental[leiturasDesdeUltimoReBuffer]; }
    int getZeroCrossings() const { return zeroCrossingRate[leiturasDesdeUltimoReBuffer]; }
    // Decision of the newest frame.
    bool getRonco() const { return roncos[(ppvRoncos + 24) % 25]; }
    const double* getJanelaA() const { return janelaBufferA; }
    const double* getJanelaF() const { return janelaBufferF; }
    const float* getZero() const { return zero; }
    const unsigned short* getBufferGravado() const { return sampleBufferA; }

    // Writable views, so tests can set a window's features directly.
    double* getJanelaAEscrita() { return janelaBufferA; }
    double* getJanelaFEscrita() { return janelaBufferF; }
    void setFeatures(double centroid, double spread, double desvio, double skewness, double kurtosis, int zeroCrossings,
                     double fundamental);

    // Where the current window's feature stands against the range of one
    // of isRonco's seven tests, numbered in its order: kurtosis, skewness,
    // spread, deviation, centroid, zero crossings, peak frequency.
    enum Comparacao { ABAIXO = -1, DENTRO = 0, ACIMA = 1, SEM_VALOR = 2 };
    static constexpr int TESTES = 7;
    Comparacao compararTeste(int teste) const;

    static const int TAMANHO_ARRAYS = 5000;
    static const int JANELAS = 25;

private:
    int amostrasNoBuffer() const;

    std::FILE* arq;
    int expoente;

    double somatorioFrequencias[JANELAS];
    double centroidSpectral[JANELAS];
    double spreadSpectral[JANELAS];
    double skewnessSpectral[JANELAS];
    double kurtosisSpectral[JANELAS];
    double standardDeviationSpectral[JANELAS];
    double freqFundamental[JANELAS];
    int zeroCrossingRate[JANELAS];
    bool roncos[JANELAS];
    double nivelRoncos[JANELAS];
    int ppvRoncos;

    float mediaAmplitude[JANELAS];
    int leiturasDesdeUltimoReBuffer;
    unsigned short* sampleBufferA;
    std::vector<unsigned short> gravacao;  // the recorded buffer's room
    int capacidadeBytes;                   // its size
    int tamanhoAllegroBufferBytes;
    int inicioJanelaBuffer;
    int fimJanelaBuffer;
    int deslocamentoJanela;
    int tamanhoJanelaBufferSamples;
    double janelaBufferA[TAMANHO_ARRAYS];
    double janelaBufferF[TAMANHO_ARRAYS];
    float zero[TAMANHO_ARRAYS];
    float pesosHann[TAMANHO_ARRAYS];
    std::unique_ptr<TransformadaFft> transformada;  // of the last size transformed

    FonteGravacao fonte;  // fixed at construction
    EstadoMicrofone estadoMicrofone;
};

#endif
