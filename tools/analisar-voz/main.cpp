// analisar-voz FILE.wav [--sensitivity S] [--buffer-bytes B]
//
// Runs the game's engine-noise detector over a recording, exactly as the
// game does with its microphone: 25 frames per second of sound, each frame
// analysing the 40 ms that came in last. One CSV line per frame on stdout,
// then a summary line starting with '#': what was heard, the throttle at
// sensitivity S (1 by default), and the sensitivity a calibration on this
// recording would set. The detector's own console lines go to stderr.
// --buffer-bytes B analyses it the way older versions of the game heard
// their microphone: cut into buffers of B bytes, walked through one hop per
// frame.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AceleradorVoz.h"
#include "CalibracaoVoz.h"
#include "CapturaAudio.h"
#include "FonteMemoria.h"
#include "LeitorWav.h"
#include "Preferencias.h"
#include "Relogio.h"

namespace {

int uso() {
    std::fprintf(stderr,
                 "usage: analisar-voz FILE.wav [--sensitivity S] [--buffer-bytes B]\n"
                 "  FILE.wav: 44100 Hz mono 16-bit PCM, e.g. arecord -f S16_LE -r 44100 -c 1 voz.wav\n"
                 "  S: the game's voice sensitivity, 1 to 100 (default 1)\n"
                 "  B: analyse in recorded buffers of B bytes, as older versions did\n");
    return 2;
}

void imprimir(double v) { std::printf(",%.6g", v); }

// A number from the command line within [minimo, maximo], or a message.
bool numero(const char* opcao, const char* texto, double minimo, double maximo, double& valor) {
    char* fim = nullptr;
    valor = std::strtod(texto, &fim);
    if (*fim == '\0' && valor >= minimo && valor <= maximo) return true;
    std::fprintf(stderr, "analisar-voz: %s needs a number from %g to %g, got '%s'\n", opcao, minimo, maximo, texto);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::string arquivo;
    double bytesPorBuffer = 0, sensibilidade = 1;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--buffer-bytes") == 0 || std::strcmp(argv[i], "--sensitivity") == 0) {
            if (i + 1 >= argc) return uso();
            const bool bytes = argv[i][2] == 'b';
            if (bytes ? !numero(argv[i], argv[i + 1], 2, 100000000, bytesPorBuffer)
                      : !numero(argv[i], argv[i + 1], Preferencias::SENSIBILIDADE_MINIMA,
                                Preferencias::SENSIBILIDADE_MAXIMA, sensibilidade))
                return 2;
            i++;
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

    std::vector<uint16_t> amostras(wav.getAmostras().size());
    for (size_t i = 0; i < amostras.size(); i++)
        amostras[i] = static_cast<uint16_t>(static_cast<uint16_t>(wav.getAmostras()[i]) ^ 0x8000u);
    // The game reads 25 frames a second: a frame is 1764 samples of sound.
    const int buffer = bytesPorBuffer > 0 ? static_cast<int>(bytesPorBuffer) : 88200;
    const int framesPorBuffer = std::max(1, (buffer + 1764) / 3528);
    FonteMemoria fonte =
        bytesPorBuffer > 0 ? FonteMemoria(amostras, buffer, framesPorBuffer, false) : FonteMemoria::continua(amostras);
    const int frames =
        bytesPorBuffer > 0 ? fonte.getBuffersInteiros() * framesPorBuffer : static_cast<int>(amostras.size() / 1764);
    if (amostras.size() < static_cast<size_t>(buffer / 2)) {
        std::fprintf(stderr, "analisar-voz: %s: %zu samples, shorter than one buffer of %d bytes\n", arquivo.c_str(),
                     amostras.size(), buffer);
        return 1;
    }

    Relogio::setManual(0);  // the continuous source plays on the game's clock
    CapturaAudio::setConsole(stderr);
    CapturaAudio::setFonteGravacao(fonte.getFonte());
    CapturaAudio captura(16, 44100);
    std::fprintf(stderr, "\n");

    std::printf(
        "frame,slot,mediaA,centroid,spread,desvio,skewness,kurtosis,zeroCrossings,freqFundamental,ronco,nivel,"
        "aceleracao\n");
    int detectados = 0, acimaMeio = 0;
    double somaAceleracao = 0;
    std::vector<double> ouvidos;
    for (int frame = 0; frame < frames; frame++, Relogio::avancar(40)) {
        bool acima = captura.rotinaCompleta();
        double mediaA = captura.getMediaA();
        double nivel = captura.getNivelRonco();
        // The throttle the car would get from this frame.
        float aceleracao = AceleradorVoz::calcular(acima, mediaA, nivel, sensibilidade);
        bool ronco = captura.getRonco();
        detectados += ronco;
        acimaMeio += acima;
        somaAceleracao += aceleracao;
        if (ronco) ouvidos.push_back(mediaA);
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
    // What the check page's calibration would set, were this its roar.
    char calibrada[16] = "-";
    if (3 * ouvidos.size() >= static_cast<size_t>(frames) && !ouvidos.empty()) {
        std::nth_element(ouvidos.begin(), ouvidos.begin() + ouvidos.size() / 2, ouvidos.end());
        std::snprintf(calibrada, sizeof calibrada, "%.2f",
                      CalibracaoVoz::sensibilidadePara(ouvidos[ouvidos.size() / 2]));
    }
    std::printf(
        "# frames=%d detected=%.1f%% level_above_0.5=%.1f%% mean_throttle=%.4f sensitivity=%.2f "
        "calibrated_sensitivity=%s\n",
        frames, 100.0 * detectados / frames, 100.0 * acimaMeio / frames, somaAceleracao / frames, sensibilidade,
        calibrada);
    Relogio::setReal();
    return 0;
}
