// analisar-voz FILE.wav [--buffer-bytes B]
//
// Runs the game's engine-noise detector over a recording, exactly as the
// game does with its microphone: the sound is cut into recorded buffers of B
// bytes (one second by default) and analysed one frame at a time, 25 frames
// per second of sound. One CSV line per frame on stdout, then a summary line
// starting with '#'. The detector's own console lines go to stderr.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CapturaAudio.h"
#include "FonteMemoria.h"
#include "LeitorWav.h"

namespace {

int uso() {
    std::fprintf(stderr, "usage: analisar-voz FILE.wav [--buffer-bytes B]\n"
                         "  FILE.wav: 44100 Hz mono 16-bit PCM, e.g. arecord -f S16_LE -r 44100 -c 1 voz.wav\n"
                         "  B: bytes per recorded buffer, default 88200 (one second)\n");
    return 2;
}

void imprimir(double v) {
    std::printf(",%.6g", v);
}

}  // namespace

int main(int argc, char** argv) {
    std::string arquivo;
    long bytesPorBuffer = 88200;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--buffer-bytes") == 0) {
            if (i + 1 >= argc) return uso();
            char* fim = nullptr;
            bytesPorBuffer = std::strtol(argv[++i], &fim, 10);
            if (*fim != '\0' || bytesPorBuffer < 2 || bytesPorBuffer > 100000000) {
                std::fprintf(stderr, "analisar-voz: --buffer-bytes needs a whole number from 2 to 100000000, got '%s'\n",
                             argv[i]);
                return 2;
            }
        } else if (arquivo.empty() && argv[i][0] != '-') {
            arquivo = argv[i];
        } else {
            return uso();
        }
    }
    if (arquivo.empty()) return uso();

    LeitorWav wav;
    if (!wav.ler(arquivo)) {
        std::fprintf(stderr, "analisar-voz: %s\n", wav.getErro().c_str());
        return 1;
    }

    // The game reads 25 frames a second; a buffer of B bytes lasts B / 88200 s.
    int framesPorBuffer = static_cast<int>((bytesPorBuffer + 1764) / 3528);
    if (framesPorBuffer < 1) framesPorBuffer = 1;
    std::vector<uint16_t> amostras(wav.getAmostras().size());
    for (size_t i = 0; i < amostras.size(); i++)
        amostras[i] = static_cast<uint16_t>(static_cast<uint16_t>(wav.getAmostras()[i]) ^ 0x8000u);
    FonteMemoria fonte(amostras, static_cast<int>(bytesPorBuffer), framesPorBuffer, false);
    if (fonte.getBuffersInteiros() == 0) {
        std::fprintf(stderr, "analisar-voz: %s: %zu samples, shorter than one buffer of %ld bytes\n", arquivo.c_str(),
                     amostras.size(), bytesPorBuffer);
        return 1;
    }

    CapturaAudio::setConsole(stderr);
    CapturaAudio::setFonteGravacao(fonte.getFonte());
    CapturaAudio captura(16, 44100);
    std::fprintf(stderr, "\n");

    std::printf("frame,slot,mediaA,centroid,spread,desvio,skewness,kurtosis,zeroCrossings,freqFundamental,ronco,nivel,"
                "aceleracao\n");
    int frames = fonte.getBuffersInteiros() * framesPorBuffer;
    int detectados = 0, acimaMeio = 0;
    double somaAceleracao = 0;
    for (int frame = 0; frame < frames; frame++) {
        bool acima = captura.rotinaCompleta();
        double mediaA = captura.getMediaA();
        double nivel = captura.getNivelRonco();
        // The throttle the car would get from this frame.
        float aceleracao = acima ? static_cast<float>(mediaA * 2.2 > 1.0 ? 1.0 : mediaA * 2.2)
                                 : static_cast<float>(mediaA * nivel);
        bool ronco = captura.getRonco();
        detectados += ronco;
        acimaMeio += acima;
        somaAceleracao += aceleracao;
        std::printf("%d,%d", frame, captura.getSlot());
        imprimir(mediaA);
        imprimir(captura.getCentroid());
        imprimir(captura.getSpread());
        imprimir(captura.getDesvio());
        imprimir(captura.getSkewness());
        imprimir(captura.getKurtosis());
        std::printf(",%d", captura.getZeroCrossings());
        imprimir(captura.getFreqFundamental());
        std::printf(",%d", ronco ? 1 : 0);
        imprimir(nivel);
        imprimir(aceleracao);
        std::printf("\n");
    }
    std::printf("# frames=%d detected=%.1f%% level_above_0.5=%.1f%% mean_throttle=%.4f\n", frames,
                100.0 * detectados / frames, 100.0 * acimaMeio / frames, somaAceleracao / frames);
    return 0;
}
