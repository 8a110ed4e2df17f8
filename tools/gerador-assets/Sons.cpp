#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Desenho.h"
#include "Partes.h"

namespace sons {

namespace {

constexpr int TAXA = 22050;  // samples per second, mono

// The library's loader reads plain PCM WAV; its writer cannot, so this is ours.
void escreverWav(const std::string& caminho, const std::vector<float>& amostras) {
    desenho::criarPastas(caminho);
    std::ofstream f(caminho, std::ios::binary);
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; i++) f.put(char((v >> (8 * i)) & 0xff));
    };
    auto u16 = [&](uint16_t v) {
        f.put(char(v & 0xff));
        f.put(char(v >> 8));
    };
    uint32_t dados = uint32_t(amostras.size() * 2);
    f.write("RIFF", 4);
    u32(36 + dados);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(TAXA);
    u32(TAXA * 2);
    u16(2);
    u16(16);
    f.write("data", 4);
    u32(dados);
    for (float a : amostras) {
        int v = int(std::lround(std::clamp(a, -1.0f, 1.0f) * 32767));
        u16(uint16_t(int16_t(v)));
    }
    if (!f) {
        std::fprintf(stderr, "gerador-assets: cannot write %s\n", caminho.c_str());
        std::exit(1);
    }
}

void normalizar(std::vector<float>& s, float pico) {
    float m = 1e-6f;
    for (float a : s) m = std::max(m, std::fabs(a));
    for (float& a : s) a *= pico / m;
}

// ---------------------------------------------------------------- music

struct Ruido {
    uint32_t e = 22222;
    float proximo() {
        e = e * 1664525u + 1013904223u;
        return float(int32_t(e)) / 2147483648.0f;
    }
};

float frequencia(int midi) { return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f); }

enum Timbre { LIDER, BAIXO, ARPEJO, BUMBO, CAIXA, CHIMBAL };

struct Nota {
    double inicio, duracao;  // in beats
    int midi;
    Timbre timbre;
    float volume;
};

// Renders the notes into a loop of `batidas` beats: what rings past the end
// wraps round to the start, so the loop joins without a click.
std::vector<float> tocar(const std::vector<Nota>& notas, double bpm, int batidas) {
    double porBatida = 60.0 / bpm;
    size_t total = size_t(batidas * porBatida * TAXA);
    std::vector<float> s(total, 0.0f);
    Ruido r;
    for (const Nota& n : notas) {
        size_t ini = size_t(n.inicio * porBatida * TAXA);
        double dur = n.duracao * porBatida;
        double cauda = 0.08;
        size_t len = size_t((dur + cauda) * TAXA);
        if (n.timbre == BUMBO) len = size_t(0.25 * TAXA);
        if (n.timbre == CAIXA) len = size_t(0.2 * TAXA);
        if (n.timbre == CHIMBAL) len = size_t(0.06 * TAXA);
        float f = n.midi > 0 ? frequencia(n.midi) : 0.0f;
        double fase = 0;
        for (size_t i = 0; i < len; i++) {
            double t = double(i) / TAXA;
            float v = 0;
            switch (n.timbre) {
                case LIDER: {
                    double vib = 1 + 0.004 * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t * 4);
                    fase += f * vib / TAXA;
                    double fr = fase - std::floor(fase);
                    v = fr < 0.25 ? 1.0f : -0.33f;
                    double env = std::min(1.0, t / 0.01) * (0.65 + 0.35 * std::exp(-t * 8));
                    if (t > dur) env *= std::exp(-(t - dur) * 40);
                    v *= float(env);
                    break;
                }
                case BAIXO: {
                    fase += f / TAXA;
                    double fr = fase - std::floor(fase);
                    v = float(fr < 0.5 ? 4 * fr - 1 : 3 - 4 * fr);  // triangle
                    double env = std::min(1.0, t / 0.005) * (0.5 + 0.5 * std::exp(-t * 6));
                    if (t > dur) env *= std::exp(-(t - dur) * 50);
                    v *= float(env);
                    break;
                }
                case ARPEJO: {
                    fase += f / TAXA;
                    double fr = fase - std::floor(fase);
                    v = fr < 0.5 ? 1.0f : -1.0f;
                    v *= float(std::min(1.0, t / 0.003) * std::exp(-t * 14));
                    break;
                }
                case BUMBO: {
                    double fk = 45 + 110 * std::exp(-t * 30);
                    fase += fk / TAXA;
                    v = float(std::sin(2 * M_PI * fase) * std::exp(-t * 14));
                    break;
                }
                case CAIXA: {
                    fase += 185.0 / TAXA;
                    v = float((0.7 * r.proximo() + 0.3 * std::sin(2 * M_PI * fase)) * std::exp(-t * 22));
                    break;
                }
                case CHIMBAL: {
                    static float anterior = 0;
                    float x = r.proximo();
                    v = float((x - anterior) * 0.5 * std::exp(-t * 70));
                    anterior = x;
                    break;
                }
            }
            s[(ini + i) % total] += v * n.volume;
        }
    }
    // Square waves buzz: two gentle low-pass poles round them off. Each pole
    // runs over the loop twice, the first time only to settle, so the filtered
    // loop still joins seamlessly.
    const float a = float(1 - std::exp(-2 * M_PI * 3500.0 / TAXA));
    for (int polo = 0; polo < 2; polo++) {
        float y = 0;
        for (int vez = 0; vez < 2; vez++) {
            for (float& v : s) {
                y += a * (v - y);
                if (vez == 1) v = y;
            }
        }
    }
    normalizar(s, 0.85f);
    return s;
}

// A melody as (note, length in eighths) pairs; note 0 is a rest.
void melodia(std::vector<Nota>& notas, double inicio, const std::vector<std::pair<int, int>>& frases, Timbre timbre,
             float volume) {
    double t = inicio;
    for (auto [midi, oitavos] : frases) {
        double d = oitavos / 2.0;
        if (midi > 0) notas.push_back({t, d * 0.9, midi, timbre, volume});
        t += d;
    }
}

void bateria(std::vector<Nota>& notas, int compassos, bool rapida) {
    for (int c = 0; c < compassos; c++) {
        double b = c * 4;
        for (int k = 0; k < 4; k++) {
            if (rapida || k % 2 == 0) notas.push_back({b + k, 0.1, 0, BUMBO, 0.9f});
            if (k % 2 == 1) notas.push_back({b + k, 0.1, 0, CAIXA, 0.45f});
            notas.push_back({b + k + 0.5, 0.05, 0, CHIMBAL, 0.5f});
            if (rapida) notas.push_back({b + k, 0.05, 0, CHIMBAL, 0.25f});
        }
        if (!rapida && c % 4 == 3) {  // a small fill into the next phrase
            notas.push_back({b + 3.5, 0.1, 0, CAIXA, 0.35f});
            notas.push_back({b + 3.75, 0.1, 0, CAIXA, 0.4f});
        }
    }
}

// Chords as root notes with their three tones (MIDI, octave 4).
struct Acorde {
    int raiz;
    int tons[3];
};

void harmonia(std::vector<Nota>& notas, const std::vector<Acorde>& acordes, bool rapida) {
    for (size_t c = 0; c < acordes.size(); c++) {
        double b = c * 4.0;
        const Acorde& a = acordes[c];
        for (int k = 0; k < 8; k++) {
            int nota = rapida ? a.raiz + ((k % 2) ? 12 : 0) : a.raiz + ((k % 4 == 2) ? 7 : 0);
            if (rapida || k % 2 == 0) notas.push_back({b + k * 0.5, rapida ? 0.4 : 0.9, nota, BAIXO, 0.8f});
            notas.push_back({b + k * 0.5, 0.25, a.tons[k % 3] + ((k / 3) % 2) * 12, ARPEJO, 0.12f});
        }
    }
}

std::vector<float> musicaMenu() {
    // C major, relaxed: C Am F G twice, the second time with a new melody.
    const Acorde C{36 + 12, {60, 64, 67}}, Am{33 + 12, {57, 60, 64}}, F{41, {53, 57, 60}}, G{43, {55, 59, 62}};
    std::vector<Acorde> acordes = {C, Am, F, G, C, Am, F, G};
    std::vector<Nota> notas;
    harmonia(notas, acordes, false);
    bateria(notas, 8, false);
    melodia(notas, 0,
            {{76, 2}, {79, 2}, {84, 2}, {79, 2}, {81, 3}, {79, 1}, {76, 2}, {72, 2}, {77, 2}, {81, 2}, {84, 2}, {81, 2},
             {79, 3}, {77, 1}, {76, 2}, {74, 2}, {76, 1}, {76, 1}, {79, 2}, {84, 1}, {83, 1}, {84, 2}, {81, 2}, {76, 2},
             {81, 1}, {83, 1}, {84, 2}, {84, 2}, {81, 2}, {77, 2}, {81, 2}, {79, 2}, {83, 2}, {86, 2}, {0, 2}},
            LIDER, 0.35f);
    return tocar(notas, 120, 32);
}

std::vector<float> musicaJogo() {
    // A minor, driving: Am F C G twice, octave bass on eighths.
    const Acorde Am{45, {57, 60, 64}}, F{41, {53, 57, 60}}, C{48, {55, 60, 64}}, G{43, {55, 59, 62}};
    std::vector<Acorde> acordes = {Am, F, C, G, Am, F, C, G};
    std::vector<Nota> notas;
    harmonia(notas, acordes, true);
    bateria(notas, 8, true);
    melodia(notas, 0,
            {{81, 1}, {81, 1}, {84, 1}, {81, 1}, {88, 2}, {86, 1}, {84, 1}, {84, 2}, {81, 2}, {77, 2}, {81, 2},
             {79, 1}, {79, 1}, {84, 1}, {79, 1}, {88, 2}, {86, 1}, {84, 1}, {83, 2}, {86, 2}, {79, 2}, {83, 2},
             {88, 1}, {86, 1}, {84, 1}, {83, 1}, {81, 2}, {84, 2}, {89, 2}, {88, 1}, {86, 1}, {84, 2}, {81, 2},
             {79, 1}, {84, 1}, {88, 1}, {91, 1}, {88, 2}, {84, 2}, {86, 2}, {83, 2}, {79, 1}, {81, 1}, {83, 2}},
            LIDER, 0.3f);
    return tocar(notas, 150, 32);
}

// ---------------------------------------------------------------- engines

// An engine: firing pulses at `disparos` per revolution, rpm given over time.
template <typename Rpm, typename Volume>
std::vector<float> motor(double segundos, int disparos, Rpm rpm, Volume volume, float aspereza) {
    size_t n = size_t(segundos * TAXA);
    std::vector<float> s(n);
    Ruido r;
    double fase = 0, filtro = 0, grave = 0;
    for (size_t i = 0; i < n; i++) {
        double t = double(i) / TAXA;
        double f = rpm(t) / 60.0 * disparos / 2.0;
        fase += f / TAXA;
        double fr = fase - std::floor(fase);
        // Each firing: a sharp pulse that dies away, plus a little noise.
        double pulso = std::exp(-fr * 5.0) - 0.35;
        double v = pulso + aspereza * r.proximo() * std::exp(-fr * 3.0);
        v += 0.5 * std::sin(2 * M_PI * fase * 0.5);  // uneven cylinders rumble
        filtro += (v - filtro) * 0.35;
        grave += (filtro - grave) * 0.08;
        double saida = std::tanh(1.6 * (filtro + 0.6 * grave));
        s[i] = float(saida * volume(t));
    }
    normalizar(s, 0.9f);
    return s;
}

double rampa(double t, double t0, double t1, double a, double b) {
    if (t <= t0) return a;
    if (t >= t1) return b;
    double x = (t - t0) / (t1 - t0);
    return a + (b - a) * (x * x * (3 - 2 * x));
}

std::vector<float> motorRevendo() {
    // Three seconds: idle, a rev up and back down.
    return motor(
        3.0, 4, [](double t) { return t < 1.2 ? rampa(t, 0.3, 1.2, 900, 6200) : rampa(t, 1.5, 2.8, 6200, 1400); },
        [](double t) { return std::min(1.0, t * 8) * std::min(1.0, (3.0 - t) * 6); }, 0.25f);
}

std::vector<float> motorEsportivo() {
    // Nine seconds of a twelve-cylinder: idle, launch, three gears, away.
    auto rpm = [](double t) {
        if (t < 1.0) return 1100.0;
        if (t < 3.2) return rampa(t, 1.0, 3.2, 1100, 8200);
        if (t < 3.4) return rampa(t, 3.2, 3.4, 8200, 5600);
        if (t < 5.4) return rampa(t, 3.4, 5.4, 5600, 8600);
        if (t < 5.6) return rampa(t, 5.4, 5.6, 8600, 6200);
        return rampa(t, 5.6, 8.0, 6200, 8900);
    };
    return motor(
        9.0, 12, rpm, [](double t) { return std::min(1.0, t * 6) * (t < 6.5 ? 1.0 : std::exp(-(t - 6.5) * 1.6)); },
        0.2f);
}

std::vector<float> ignicao() {
    // The starter cranks for a second, the engine catches, flares and idles.
    size_t n = size_t(3.0 * TAXA);
    std::vector<float> partida(n, 0.0f);
    Ruido r;
    double faseMotor = 0, abafado = 0;
    for (size_t i = 0; i < size_t(1.15 * TAXA); i++) {
        double t = double(i) / TAXA;
        faseMotor += (160 + 20 * std::sin(t * 3)) / TAXA;
        double compressao = 0.55 + 0.45 * std::sin(2 * M_PI * 8.5 * t);
        double v = 0.6 * std::sin(2 * M_PI * faseMotor) + 0.3 * std::sin(4 * M_PI * faseMotor) + 0.25 * r.proximo();
        // The starter is a muffled whirr under the bonnet, not a hiss.
        abafado += (v - abafado) * 0.18;
        partida[i] = float(abafado * compressao * 0.9 * std::min(1.0, t * 20));
    }
    std::vector<float> m = motor(
        3.0, 4,
        [](double t) {
            return t < 1.1 ? 0.0 : t < 1.4 ? rampa(t, 1.1, 1.4, 400, 2600) : rampa(t, 1.4, 2.3, 2600, 900);
        },
        [](double t) { return t < 1.1 ? 0.0 : std::min(1.0, (t - 1.1) * 10) * std::min(1.0, (3.0 - t) * 5); }, 0.25f);
    for (size_t i = 0; i < n; i++) partida[i] += 0.8f * m[i];
    normalizar(partida, 0.9f);
    return partida;
}

}  // namespace

void gerar(const std::string& raiz) {
    escreverWav(raiz + "/soms/musicas/musica menu.wav", musicaMenu());
    escreverWav(raiz + "/soms/musicas/musica jogo1.wav", musicaJogo());
    escreverWav(raiz + "/soms/abertura/motor3 3seg.wav", motorRevendo());
    escreverWav(raiz + "/soms/abertura/motor ferrari 9seg.wav", motorEsportivo());
    escreverWav(raiz + "/soms/ignicao 3seg.wav", ignicao());
}

}  // namespace sons
