#include "CapturaAudio.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// No recorder: until the game hands over its microphone (or a test or tool
// its sound), there is nothing to record.
int iniciarNada(void*, int, int, int) { return 0; }
int lerNada(void*, void*, int) { return 0; }

const FonteGravacao NENHUMA = {iniciarNada, lerNada, nullptr, false};

FonteGravacao fonteAtual = NENHUMA;
std::FILE* console = nullptr;  // nullptr: stdout (resolved at use, stdout is not a constant)

std::FILE* saida() { return console ? console : stdout; }

// Largest FFT the 5000-entry arrays hold.
const int N_MAXIMO = 4096;

const float DOIS_PI_F = 6.2831855f;

// Detector bounds, single precision like the rest of the decision.
const float KURTOSIS_MIN = 9.0f, KURTOSIS_MAX = 75.0f;
const float SKEWNESS_MIN = 2.0f, SKEWNESS_MAX = 7.3f;
const float SPREAD_MIN = 1437400.0f, SPREAD_MAX = 11384662.0f;
const float DESVIO_MIN = 1250.0f, DESVIO_MAX = 4001.0f;
const float CENTROID_MIN = 800.0f, CENTROID_MAX = 2803.0f;
const float ZCR_MIN = 20.0f, ZCR_MAX = 170.0f;
const float FUNDAMENTAL_MIN = 150.0f, FUNDAMENTAL_MAX = 1000.0f;

// Weight class of the n-th older frame: five frames at 0.075, six at 0.025,
// six at 0.01, and the last seven (the oldest, up to the 24th) at 0.007.
int peso(int contagem) { return contagem / 6 < 3 ? contagem / 6 : 3; }

bool dentro(double valor, float minimo, float maximo) {
    return minimo <= valor && valor <= maximo;  // false for NaN
}

}  // namespace

void CapturaAudio::setFonteGravacao(const FonteGravacao& nova) { fonteAtual = nova; }

void CapturaAudio::setFonteGravacaoPadrao() { fonteAtual = NENHUMA; }

FonteGravacao CapturaAudio::getFonteGravacao() { return fonteAtual; }

void CapturaAudio::setConsole(std::FILE* novaSaida) { console = novaSaida; }

CapturaAudio::CapturaAudio(int bits, int freq) : fonte(fonteAtual) {
    arq = std::fopen("myfile.txt", "w");

    inicioJanelaBuffer = 0;
    fimJanelaBuffer = 0;
    leiturasDesdeUltimoReBuffer = 0;
    ppvRoncos = 0;
    for (int i = 0; i < JANELAS; i++) {
        mediaAmplitude[i] = 0;
        somatorioFrequencias[i] = 0;
        centroidSpectral[i] = 0;
        spreadSpectral[i] = 0;
        skewnessSpectral[i] = 0;
        kurtosisSpectral[i] = 0;
        standardDeviationSpectral[i] = 0;
        freqFundamental[i] = 0;
        zeroCrossingRate[i] = 0;
        roncos[i] = false;
        nivelRoncos[i] = 0;
    }
    for (int i = 0; i < TAMANHO_ARRAYS; i++) {
        janelaBufferA[i] = 0;
        janelaBufferF[i] = 0;
        zero[i] = 0;
    }

    std::fprintf(saida(), "antes de start");
    tamanhoAllegroBufferBytes = fonte.iniciar(fonte.dados, freq, bits, 0);
    std::fprintf(saida(), "depois de start");
    estadoMicrofone = EstadoMicrofone(tamanhoAllegroBufferBytes > 0, saida());

    int t = tamanhoAllegroBufferBytes / 50;
    if (t <= 1024) {
        tamanhoJanelaBufferSamples = 1024;
    } else if (t <= 2048) {
        tamanhoJanelaBufferSamples = 2048;
    } else {
        // Recordings longer than 204800 bytes would ask for 8192 points or
        // more, which the fixed arrays cannot hold: they keep 4096 points
        // and each window reads at most that many samples of its stretch.
        tamanhoJanelaBufferSamples = N_MAXIMO;
    }
    expoente = static_cast<int>(std::log2(tamanhoJanelaBufferSamples));
    // The Hann weights of this window size, the very float expression the
    // window used to evaluate per sample.
    for (int i = 0; i < tamanhoJanelaBufferSamples; i++) {
        pesosHann[i] = 1 - std::cos(DOIS_PI_F * i / tamanhoJanelaBufferSamples);
    }
    transformada.reset(new TransformadaFft(expoente));
    deslocamentoJanela = (tamanhoAllegroBufferBytes / 2 - tamanhoJanelaBufferSamples) / 24;

    // Ten seconds of sound, or the whole recorded buffer if a source hands
    // over more than that: a recorded buffer must always fit.
    int comprimento = (bits / 8) * freq * 5;
    int bytesPorAmostra = bits > 8 ? 2 : 1;
    if (tamanhoAllegroBufferBytes > comprimento * bytesPorAmostra) {
        comprimento = (tamanhoAllegroBufferBytes + bytesPorAmostra - 1) / bytesPorAmostra;
    }
    gravacao.assign((static_cast<size_t>(comprimento) * bytesPorAmostra + 1) / 2, 0);
    sampleBufferA = gravacao.data();
    capacidadeBytes = comprimento * bytesPorAmostra;
    // Until the first recording arrives the windows read silence, not
    // whatever the allocator left there.
    for (int i = 0; i < capacidadeBytes / 2; i++) sampleBufferA[i] = 32768;

    std::fprintf(saida(), "janela buff:%d deslocamento:%d alegro buffer:%d expoente%d", tamanhoJanelaBufferSamples,
                 deslocamentoJanela, tamanhoAllegroBufferBytes, expoente);
}

// The game keeps its one capture for the whole run; tests and tools create
// many, so whatever the object took is given back.
CapturaAudio::~CapturaAudio() {
    if (arq) std::fclose(arq);
}

int CapturaAudio::amostrasNoBuffer() const {
    int bytes = tamanhoAllegroBufferBytes < capacidadeBytes ? tamanhoAllegroBufferBytes : capacidadeBytes;
    return bytes > 0 ? bytes / 2 : 0;
}

void CapturaAudio::avancarJanela() {
    int lido = sampleBufferA ? fonte.ler(fonte.dados, sampleBufferA, capacidadeBytes) : 0;
    if (lido > 0) {
        if (fonte.recente) {
            // The newest hop of sound, the one that came in last.
            fimJanelaBuffer = amostrasNoBuffer();
            inicioJanelaBuffer = fimJanelaBuffer - deslocamentoJanela;
        } else {
            inicioJanelaBuffer = 0;
            fimJanelaBuffer = deslocamentoJanela;
        }
        leiturasDesdeUltimoReBuffer = 0;
        bool soZeros = true;
        for (int i = std::max(inicioJanelaBuffer, 0); i < fimJanelaBuffer && soZeros; i++) {
            soZeros = sampleBufferA[i] == 32768;
        }
        estadoMicrofone.registrarLeitura(true, soZeros);
        return;
    }
    estadoMicrofone.registrarLeitura(false);
    if (fimJanelaBuffer + deslocamentoJanela <= amostrasNoBuffer()) {
        // A recorder that failed to start leaves the hop at 0 or below:
        // the window stays empty where it is instead of sliding backwards.
        if (deslocamentoJanela > 0) {
            inicioJanelaBuffer += deslocamentoJanela;
            fimJanelaBuffer += deslocamentoJanela;
        }
        leiturasDesdeUltimoReBuffer++;
    } else if (estadoMicrofone.isVozAtiva()) {
        // Once the recorder counts as stalled it has said so in one line.
        std::fprintf(saida(), "AKI%dAKI", leiturasDesdeUltimoReBuffer);
    }
    leiturasDesdeUltimoReBuffer %= JANELAS;
}

void CapturaAudio::normalizarJanelaBuffer(float norma) {
    float soma = 0;
    int fim = fimJanelaBuffer;
    // Never more samples than the window holds, never past the recording.
    if (fim - inicioJanelaBuffer > tamanhoJanelaBufferSamples) fim = inicioJanelaBuffer + tamanhoJanelaBufferSamples;
    if (fim > amostrasNoBuffer()) fim = amostrasNoBuffer();
    for (int i = inicioJanelaBuffer < 0 ? 0 : inicioJanelaBuffer; i < fim; i++) {
        float v = (static_cast<float>(sampleBufferA[i]) - norma) / norma;
        janelaBufferA[i - inicioJanelaBuffer] = v;
        soma += std::fabs(v);
    }
    mediaAmplitude[leiturasDesdeUltimoReBuffer] = soma / static_cast<float>(tamanhoJanelaBufferSamples);
}

void CapturaAudio::hanningWindow() {
    int n = tamanhoJanelaBufferSamples;
    for (int i = 0; i < n; i++) {
        janelaBufferA[i] = janelaBufferA[i] * 0.5 * pesosHann[i];
        janelaBufferF[i] = janelaBufferA[i];
        zero[i] = 0;
    }
}

void CapturaAudio::calcularZeroCrossingRate(double s) {
    int cruzamentos = 0;
    const double* a = janelaBufferA;
    for (int i = 0; i < tamanhoJanelaBufferSamples - 1; i++) {
        double atual = a[i], proximo = a[i + 1];
        bool proximoFora = proximo > s || proximo < -s;
        if ((atual > s && proximo < -s) || (atual < -s && proximo > s) || (atual >= -s && atual <= s && proximoFora)) {
            cruzamentos++;
        }
    }
    zeroCrossingRate[leiturasDesdeUltimoReBuffer] = cruzamentos;
}

void CapturaAudio::fft(int m, double* rex, float* imx) {
    if (!transformada || transformada->getExpoente() != m) transformada.reset(new TransformadaFft(m));
    transformada->transformar(rex, imx);
}

void CapturaAudio::calcularSomatorioMediaF() {
    int metade = tamanhoJanelaBufferSamples / 2;
    double soma = 0;
    double maximo = 0;
    int pico = -1;
    for (int k = 0; k < metade; k++) {
        double a = std::fabs(janelaBufferF[k]);
        soma += a;
        if (a > maximo) {
            maximo = a;
            pico = k;
        }
    }
    int n = tamanhoJanelaBufferSamples;
    somatorioFrequencias[leiturasDesdeUltimoReBuffer] = soma;
    freqFundamental[leiturasDesdeUltimoReBuffer] = pico < 0 ? 0 : 22050 / n + (44100 / n) * pico;
}

void CapturaAudio::calcCentroids() {
    int n = tamanhoJanelaBufferSamples;
    int delta = 44100 / n;
    double soma = somatorioFrequencias[leiturasDesdeUltimoReBuffer];
    double ponderada = 0;
    for (int k = 0; k < n / 2; k++) {
        double f = delta / 2.0 + static_cast<double>(k) * delta;
        ponderada += f * std::fabs(janelaBufferF[k]);
    }
    centroidSpectral[leiturasDesdeUltimoReBuffer] = ponderada / soma;
}

void CapturaAudio::calcSpreads() {
    int n = tamanhoJanelaBufferSamples;
    double delta = 44100.0 / n;
    double soma = somatorioFrequencias[leiturasDesdeUltimoReBuffer];
    double centroid = centroidSpectral[leiturasDesdeUltimoReBuffer];
    long double v = 0, t = 0, q = 0;
    for (int k = 0; k < n / 2; k++) {
        long double d = delta / 2.0 + k * delta - centroid;
        long double p = std::fabs(janelaBufferF[k]) / soma;
        // Products, not pow: the same extended-precision values, a tenth of
        // the cost (the cube was a library call per bin).
        long double d2 = d * d;
        v += d2 * p;
        t += d2 * d * p;
        q += d2 * d2 * p;
    }
    long double desvio = std::sqrt(v);
    int s = leiturasDesdeUltimoReBuffer;
    standardDeviationSpectral[s] = static_cast<double>(desvio);
    spreadSpectral[s] = static_cast<double>(v);
    skewnessSpectral[s] = static_cast<double>(t / (desvio * desvio * desvio));
    kurtosisSpectral[s] = static_cast<double>(q / (v * v));
}

bool CapturaAudio::isRonco() {
    int s = leiturasDesdeUltimoReBuffer;
    bool kurtosis = dentro(kurtosisSpectral[s], KURTOSIS_MIN, KURTOSIS_MAX);
    bool skewness = dentro(skewnessSpectral[s], SKEWNESS_MIN, SKEWNESS_MAX);
    bool spread = dentro(spreadSpectral[s], SPREAD_MIN, SPREAD_MAX);
    bool desvio = dentro(standardDeviationSpectral[s], DESVIO_MIN, DESVIO_MAX);
    bool centroid = dentro(centroidSpectral[s], CENTROID_MIN, CENTROID_MAX);
    bool zcr = dentro(zeroCrossingRate[s], ZCR_MIN, ZCR_MAX);
    bool fundamental = dentro(freqFundamental[s], FUNDAMENTAL_MIN, FUNDAMENTAL_MAX);
    std::FILE* out = saida();
    if (!kurtosis) std::fprintf(out, "kurtosis ");
    if (!skewness) std::fprintf(out, "skewness ");
    if (!spread) std::fprintf(out, "spread ");
    if (!desvio) std::fprintf(out, "desvio ");
    if (!centroid) std::fprintf(out, "centroid ");
    if (!zcr) std::fprintf(out, "zeroCrossRate ");
    if (!fundamental) std::fprintf(out, "freqFundamental");
    return kurtosis && skewness && spread && desvio && centroid && zcr && fundamental;
}

float CapturaAudio::calcularNivelRonco() {
    static const double PESOS[4] = {0.075, 0.025, 0.01, 0.007};
    int p = ppvRoncos;
    double temp = roncos[p] ? 0.3 : 0;
    int contagem = 0;
    for (int i = p - 1; i >= 0; i--) {
        contagem++;
        temp += nivelRoncos[i] * PESOS[peso(contagem)];
    }
    for (int i = JANELAS - 1; i > p; i--) {
        contagem++;
        double w = PESOS[peso(contagem)];
        temp += roncos[i] ? w : nivelRoncos[i] * w;
    }
    return static_cast<float>(temp);
}

bool CapturaAudio::registrarDecisao(bool ronco) {
    int p = ppvRoncos;
    roncos[p] = ronco;
    nivelRoncos[p] = calcularNivelRonco();
    std::fprintf(saida(), "======NIVEL RONCO = %lf==========\n", nivelRoncos[p]);
    ppvRoncos = (p + 1) % JANELAS;
    return nivelRoncos[p] > 0.5;
}

bool CapturaAudio::rotinaCompleta() {
    avancarJanela();
    normalizarJanelaBuffer(32768.0f);
    hanningWindow();
    calcularZeroCrossingRate(0.00005);
    fft(expoente, janelaBufferF, zero);
    calcularSomatorioMediaF();
    calcCentroids();
    calcSpreads();
    return registrarDecisao(isRonco());
}

double CapturaAudio::getMediaA() const { return mediaAmplitude[leiturasDesdeUltimoReBuffer]; }

double CapturaAudio::getNivelRonco() const { return nivelRoncos[(ppvRoncos + JANELAS - 1) % JANELAS]; }

void CapturaAudio::setFeatures(double centroid, double spread, double desvio, double skewness, double kurtosis,
                               int zeroCrossings, double fundamental) {
    int s = leiturasDesdeUltimoReBuffer;
    centroidSpectral[s] = centroid;
    spreadSpectral[s] = spread;
    standardDeviationSpectral[s] = desvio;
    skewnessSpectral[s] = skewness;
    kurtosisSpectral[s] = kurtosis;
    zeroCrossingRate[s] = zeroCrossings;
    freqFundamental[s] = fundamental;
}

CapturaAudio::Comparacao CapturaAudio::compararTeste(int teste) const {
    static const float LIMITES[TESTES][2] = {{KURTOSIS_MIN, KURTOSIS_MAX},      {SKEWNESS_MIN, SKEWNESS_MAX},
                                             {SPREAD_MIN, SPREAD_MAX},          {DESVIO_MIN, DESVIO_MAX},
                                             {CENTROID_MIN, CENTROID_MAX},      {ZCR_MIN, ZCR_MAX},
                                             {FUNDAMENTAL_MIN, FUNDAMENTAL_MAX}};
    const int s = leiturasDesdeUltimoReBuffer;
    const double valores[TESTES] = {kurtosisSpectral[s], skewnessSpectral[s],
                                    spreadSpectral[s],   standardDeviationSpectral[s],
                                    centroidSpectral[s], static_cast<double>(zeroCrossingRate[s]),
                                    freqFundamental[s]};
    const double v = valores[teste];
    if (std::isnan(v)) return SEM_VALOR;
    if (v < LIMITES[teste][0]) return ABAIXO;
    return v > LIMITES[teste][1] ? ACIMA : DENTRO;
}
