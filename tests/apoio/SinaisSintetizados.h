#ifndef SINAISSINTETIZADOS_H
#define SINAISSINTETIZADOS_H

// Sounds made in code for the benchmarks and the tests (no recordings in
// the repository), at 44100 Hz, mono, signed 16-bit like a microphone file. semSinal() turns them into
// the unsigned samples the recorder delivers (32768 is silence).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace SinaisSintetizados {

const int TAXA = 44100;
const double PI = 3.14159265358979323846;

// Peak-normalises to the given level in dB below full scale and quantises.
inline std::vector<int16_t> quantizar(const std::vector<double>& x, double picoDb) {
    double pico = 0;
    for (double v : x) pico = std::max(pico, std::fabs(v));
    double escala = pico > 0 ? std::pow(10.0, picoDb / 20.0) / pico : 0;
    std::vector<int16_t> saida(x.size());
    for (size_t i = 0; i < x.size(); i++)
        saida[i] = static_cast<int16_t>(std::clamp(std::round(x[i] * escala * 32768.0), -32768.0, 32767.0));
    return saida;
}

// Two-pole band-pass (0 dB at the centre frequency), in place.
inline void passaBanda(std::vector<double>& x, double centro, double q) {
    double w0 = 2 * PI * centro / TAXA, alfa = std::sin(w0) / (2 * q), a0 = 1 + alfa;
    double b0 = alfa / a0, b2 = -alfa / a0, a1 = -2 * std::cos(w0) / a0, a2 = (1 - alfa) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& v : x) {
        double y = b0 * v + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = v, y2 = y1, y1 = y, v = y;
    }
}

// An imitated engine: a square wave whose pitch climbs linearly from 90 to
// 220 Hz, band-passed around 600 Hz (Q 2), with a 27 Hz tremolo of depth
// 60 %, normalised to a -6 dB peak (or picoDb). The same recipe as
//   sox -n -r 44100 -c 1 -b 16 x.wav synth 10 square 90:220 bandpass 600 2q tremolo 27 60 gain -n -6
inline std::vector<int16_t> ronco(double segundos, double picoDb = -6) {
    std::vector<double> x(static_cast<size_t>(segundos * TAXA));
    double fase = 0;
    for (size_t i = 0; i < x.size(); i++) {
        x[i] = fase < 0.5 ? 1.0 : -1.0;
        fase += (90 + 130 * (static_cast<double>(i) / TAXA) / segundos) / TAXA;
        fase -= std::floor(fase);
    }
    passaBanda(x, 600, 2);
    for (size_t i = 0; i < x.size(); i++)
        x[i] *= 0.4 + 0.6 * (1 + std::cos(2 * PI * 27 * (static_cast<double>(i) / TAXA))) / 2;
    return quantizar(x, picoDb);
}

inline std::vector<int16_t> seno(double segundos, double frequencia) {
    std::vector<double> x(static_cast<size_t>(segundos * TAXA));
    for (size_t i = 0; i < x.size(); i++) x[i] = std::sin(2 * PI * frequencia * i / TAXA);
    return quantizar(x, -6);
}

// A small, portable generator so the noise is the same everywhere: uniform
// in [-1, 1).
struct Aleatorio {
    explicit Aleatorio(uint64_t semente) : estado(semente * 2862933555777941757ULL + 3037000493ULL) {}
    double uniforme() {
        estado = estado * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(estado >> 33) / 2147483648.0 - 1.0;
    }
    uint64_t estado;
};

inline std::vector<int16_t> ruidoBranco(double segundos) {
    Aleatorio aleatorio(12345);
    std::vector<double> x(static_cast<size_t>(segundos * TAXA));
    for (double& v : x) v = aleatorio.uniforme();
    return quantizar(x, -6);
}

// Something like a voice reading aloud, about four syllables a second: each
// a voiced vowel (a glottal pulse train at a gliding 100-150 Hz pitch through
// the three formant resonances of a, e, i, o or u), a hissed consonant (noise
// above 3 kHz, quieter) and a short pause.
inline std::vector<int16_t> fala(double segundos) {
    static const double FORMANTES[5][3] = {
        {730, 1090, 2440}, {530, 1840, 2480}, {270, 2290, 3010}, {570, 840, 2410}, {300, 870, 2240}};
    Aleatorio aleatorio(777);
    std::vector<double> x(static_cast<size_t>(segundos * TAXA), 0.0);
    const size_t vogal = TAXA * 13 / 100, consoante = TAXA * 8 / 100, pausa = TAXA * 5 / 100;
    for (size_t i = 0, silaba = 0; i < x.size(); i += pausa, silaba++) {
        std::vector<double> pulsos(vogal, 0.0), soma(vogal, 0.0), r(consoante);
        double fase = 0, pitch = 100 + 50 * ((silaba * 37) % 11) / 10.0;
        for (size_t k = 0; k < vogal; k++) {
            fase += pitch * (1.0 - 0.15 * k / vogal) / TAXA;
            if (fase >= 1) fase -= 1, pulsos[k] = 1.0;
        }
        for (int f = 0; f < 3; f++) {
            std::vector<double> c = pulsos;
            passaBanda(c, FORMANTES[silaba % 5][f], 8);
            passaBanda(c, FORMANTES[silaba % 5][f], 8);
            for (size_t k = 0; k < vogal; k++) soma[k] += c[k] / (f + 1);
        }
        for (size_t k = 0; k < vogal && i < x.size(); k++, i++) x[i] = soma[k] * std::sin(PI * k / vogal);
        for (double& s : r) s = aleatorio.uniforme();
        passaBanda(r, 5500, 1.5);
        for (size_t k = 0; k < consoante && i < x.size(); k++, i++) x[i] = 0.03 * r[k] * std::sin(PI * k / consoante);
    }
    return quantizar(x, -6);
}

// Signed 16-bit (0 = silence) to the recorder's unsigned samples.
inline std::vector<uint16_t> semSinal(const std::vector<int16_t>& x) {
    std::vector<uint16_t> u(x.size());
    for (size_t i = 0; i < x.size(); i++) u[i] = static_cast<uint16_t>(static_cast<uint16_t>(x[i]) ^ 0x8000u);
    return u;
}

}  // namespace SinaisSintetizados

#endif
