// The voice analysis runs inside every 40 ms frame: one whole frame
// (window, Hann, zero crossings, FFT, features, decision, level) and the FFT
// alone, at the game's N = 2048.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "CapturaAudio.h"
#include "FonteMemoria.h"

namespace {

// A second of a harmonic-rich tone, so the features are real numbers.
std::vector<uint16_t> tom() {
    std::vector<uint16_t> amostras(44100);
    for (size_t i = 0; i < amostras.size(); i++) {
        double t = static_cast<double>(i) / 44100;
        double v = 0.3 * std::sin(2 * M_PI * 150 * t) + 0.2 * std::sin(2 * M_PI * 600 * t) +
                   0.1 * std::sin(2 * M_PI * 1800 * t);
        amostras[i] = static_cast<uint16_t>(32768 + std::lround(v * 32767));
    }
    return amostras;
}

struct Bancada {
    Bancada() : nulo(std::fopen("/dev/null", "w")), fonte(tom(), 88200, 25, true) {
        CapturaAudio::setConsole(nulo);
        CapturaAudio::setFonteGravacao(fonte.getFonte());
        captura = new CapturaAudio(16, 44100);
    }
    ~Bancada() {
        delete captura;
        CapturaAudio::setFonteGravacaoPadrao();
        CapturaAudio::setConsole(nullptr);
        std::fclose(nulo);
    }
    std::FILE* nulo;
    FonteMemoria fonte;
    CapturaAudio* captura;
};

void BM_RotinaCompleta(benchmark::State& state) {
    Bancada b;
    for (auto _ : state) benchmark::DoNotOptimize(b.captura->rotinaCompleta());
    state.SetLabel("N=" + std::to_string(b.captura->getTamanhoJanela()));
}
BENCHMARK(BM_RotinaCompleta);

void BM_Fft2048(benchmark::State& state) {
    Bancada b;
    std::vector<double> origem(2048), re(2048);
    std::vector<float> im(2048);
    for (int i = 0; i < 2048; i++) origem[i] = std::sin(i * 0.1) * 0.5;
    // Refilling the input (about 1 us) is timed too: pausing the timer
    // costs more than that.
    for (auto _ : state) {
        re = origem;
        std::fill(im.begin(), im.end(), 0.0f);
        b.captura->fft(11, re.data(), im.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Fft2048);

}  // namespace
