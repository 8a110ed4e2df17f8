#include "VerificadorMicrofone.h"

#include <algorithm>
#include <cstdio>

#include "AceleradorVoz.h"
#include "CapturaAudio.h"
#include "Carro.h"
#include "CarroCalculos.h"
#include "ComandosEntrada.h"
#include "ConstantesGerais.h"
#include "Preferencias.h"
#include "RepartidorGravacao.h"

namespace {

// The race's physics step.
const float PASSO = PASSO_QUADRO_F;

// What a feature out of its range sounds like, below and above it, in
// isRonco's order. A flat, wide spectrum (low kurtosis and skewness, high
// spread) is hiss or a harsh buzz; a narrow one is a pure tone.
const char* const PALAVRAS[CapturaAudio::TESTES][2] = {
    {"TOO NOISY", "TOO PURE A TONE"},         // kurtosis
    {"TOO NOISY", "TOO PURE A TONE"},         // skewness
    {"TOO PURE A TONE", "TOO NOISY"},         // spread
    {"TOO PURE A TONE", "TOO NOISY"},         // deviation
    {"TOO LOW-PITCHED", "TOO HIGH-PITCHED"},  // centroid
    {"TOO LOW-PITCHED", "TOO HIGH-PITCHED"},  // zero crossings
    {"TOO LOW-PITCHED", "TOO HIGH-PITCHED"},  // peak frequency
};
const char* const SEM_SOM = "NO SOUND";

int resultado(int comparacoes, int teste) { return ((comparacoes >> (2 * teste)) & 3) - 1; }

// The forward speed a car settles at when it holds `aceleracao`, starting
// from standstill and always in whichever of gears 1 to `marchaMaxima` pulls
// hardest: the straight-line part of CarroCalculos::calcularFisica, step by
// step (friction first, then the gear's push at the reduced speed).
float velocidadeFinal(float aceleracao, int marchaMaxima) {
    float minimos[4], maximos[4], ideais[4];
    std::copy(Carro::VEL_MIN_IDEAL, Carro::VEL_MIN_IDEAL + 4, minimos);
    std::copy(Carro::VEL_MAX_IDEAL, Carro::VEL_MAX_IDEAL + 4, maximos);
    std::copy(Carro::ACELERACAO_IDEAL, Carro::ACELERACAO_IDEAL + 4, ideais);
    CarroCalculos fisica;
    float f = 0.0f;
    // Friction takes 4 % a step: 1500 steps leave nothing of the start.
    for (int passo = 0; passo < 1500; passo++) {
        f *= 1.0f - PASSO;
        float empurrao = 0.0f;
        for (int m = 1; m <= marchaMaxima; m++) {
            empurrao = std::max(empurrao, fisica.calcularAceleracao(minimos, maximos, ideais, aceleracao, m, f));
        }
        f += PASSO * empurrao;
    }
    return f;
}

}  // namespace

VerificadorMicrofone::VerificadorMicrofone(RepartidorGravacao* repartidor_, int ouvinte_)
    : repartidor(repartidor_), ouvinte(ouvinte_), captura(nullptr), preferencias(nullptr), escolha(), afinacao(),
      calibracao(), quadrosDesdeCalibracao(QUADROS_RESULTADO), quadrosDesdeRecusa(QUADROS_RESULTADO),
      naPaginaAntes(false), ronco(false), aceleracao(0.0f), quadros(0), acimas(), aceleracoes(), comparacoes() {}

VerificadorMicrofone::~VerificadorMicrofone() { delete captura; }

void VerificadorMicrofone::acompanhar(bool naPagina, unsigned comandos, bool focado) {
    const bool ouvindo = naPagina && focado;
    if (ouvindo && !naPaginaAntes) {
        quadros = 0;
        ronco = false;
        aceleracao = 0.0f;
    }
    // A calibration needs three seconds of roaring on the page.
    if (!ouvindo) {
        calibracao.cancelar();
        escolha.fechar();
    }
    naPaginaAntes = ouvindo;
    const bool lista = escolha.isAberta();
    if (ouvindo) {
        if (captura == nullptr) captura = repartidor->criarCaptura(ouvinte);
        comandar(comandos);
        escolha.acompanhar();
        ouvir();
    }
    afinacao.acompanhar(naPagina, calibracao.getSituacao(), lista || !ouvindo ? 0 : comandos);
}

void VerificadorMicrofone::comandar(unsigned comandos) {
    if (escolha.isAberta()) {
        if (escolha.comandar(comandos)) {
            // What was heard came from the other microphone.
            quadros = 0;
            calibracao.cancelar();
        }
        return;
    }
    if (comandos & ComandosEntrada::MICROFONE) escolha.abrir();
    if ((comandos & ComandosEntrada::CALIBRAR) && isSemSom()) {
        quadrosDesdeRecusa = 0;
    } else if (comandos & ComandosEntrada::CALIBRAR) {
        calibracao.iniciar();
        quadrosDesdeCalibracao = 0;
    }
    if (!preferencias) return;
    // A sensitivity set by hand replaces what the calibration said.
    const unsigned sensibilidade =
        ComandosEntrada::MAIS_SENSIVEL | ComandosEntrada::MENOS_SENSIVEL | ComandosEntrada::SENSIBILIDADE_1;
    if ((comandos & sensibilidade) && calibracao.getSituacao() != CalibracaoVoz::OUVINDO) {
        quadrosDesdeCalibracao = QUADROS_RESULTADO;
    }
    if (comandos & ComandosEntrada::MAIS_SENSIVEL) preferencias->aumentarSensibilidade();
    if (comandos & ComandosEntrada::MENOS_SENSIVEL) preferencias->diminuirSensibilidade();
    if (comandos & ComandosEntrada::SENSIBILIDADE_1) preferencias->setSensibilidade(1.0f);
    if (comandos & ComandosEntrada::ACELERADOR_TECLADO) {
        preferencias->setAceleradorTeclado(isAceleradorTecladoSempre() ? Preferencias::SEM_MICROFONE
                                                                       : Preferencias::SEMPRE);
    }
}

bool VerificadorMicrofone::oferecerAfinacao(const CapturaAudio& corrida) {
    return afinacao.oferecer(preferencias, corrida.getEstadoMicrofone().getSituacao() != EstadoMicrofone::AUSENTE);
}

bool VerificadorMicrofone::isSemSom() const {
    const Veredito v = getVeredito();
    return v == SEM_MICROFONE || v == SO_SILENCIO;
}

void VerificadorMicrofone::ouvir() {
    if (captura == nullptr) captura = repartidor->criarCaptura(ouvinte);
    const bool acima = captura->rotinaCompleta();
    ronco = captura->getRonco();
    aceleracao = AceleradorVoz::calcular(acima, captura->getMediaA(), captura->getNivelRonco(), getSensibilidade());
    const int i = quadros % QUADROS_RECENTES;
    acimas[i] = acima;
    aceleracoes[i] = aceleracao;
    comparacoes[i] = 0;
    for (int t = 0; t < CapturaAudio::TESTES; t++) {
        comparacoes[i] |= (captura->compararTeste(t) + 1) << (2 * t);
    }
    quadros++;
    quadrosDesdeCalibracao++;
    quadrosDesdeRecusa++;
    if (calibracao.getSituacao() == CalibracaoVoz::OUVINDO) {
        quadrosDesdeCalibracao = 0;
        calibracao.registrar(ronco, captura->getMediaA(), comparacoes[i]);
        if (calibracao.getSituacao() == CalibracaoVoz::FEITA && preferencias) {
            preferencias->setSensibilidade(calibracao.getSensibilidade());
            preferencias->setCalibracao(Preferencias::CALIBRACAO_FEITA);
        }
        // The verdict starts over with the new sensitivity.
        if (calibracao.getSituacao() != CalibracaoVoz::OUVINDO) quadros = 0;
    }
}

float VerificadorMicrofone::getSensibilidade() const { return preferencias ? preferencias->getSensibilidade() : 1.0f; }

bool VerificadorMicrofone::isMusicaOuvida() const {
    const bool musica = !preferencias || (preferencias->isMusicaLigada() && preferencias->getVolumeMusica() > 0);
    return musica && getVeredito() != SEM_MICROFONE;
}

bool VerificadorMicrofone::isAceleradorTecladoSempre() const {
    return preferencias && preferencias->getAceleradorTeclado() == Preferencias::SEMPRE;
}

bool VerificadorMicrofone::isMostrandoCalibracao() const {
    return calibracao.getSituacao() == CalibracaoVoz::OUVINDO ||
           (calibracao.getSituacao() != CalibracaoVoz::PARADA && quadrosDesdeCalibracao < QUADROS_RESULTADO);
}

std::string VerificadorMicrofone::getAvisoMicrofone() const {
    const std::string falha = escolha.getFalha();
    return falha.empty() ? "" : "\"" + falha + "\" CANNOT BE OPENED: USING \"" + escolha.getEmUso() + "\"";
}

std::string VerificadorMicrofone::getTitulo() const {
    if (escolha.isAberta()) return "CHOOSE A MICROPHONE";
    if (calibracao.getSituacao() == CalibracaoVoz::OUVINDO) return "ROAR NOW!";
    if (afinacao.isAtiva()) return "FIRST, TUNE YOUR MICROPHONE";
    switch (getVeredito()) {
        case SEM_MICROFONE: return "NO MICROPHONE: HOLD W FOR GAS";
        case SO_SILENCIO: return "UNMUTE THE MICROPHONE";
        case BAIXO_DEMAIS: return "PRESS C, THEN ROAR FOR THREE SECONDS";
        case BOM: return "READY TO RACE";
        default: return "MAKE AN ENGINE NOISE";
    }
}

VerificadorMicrofone::Veredito VerificadorMicrofone::getVeredito() const {
    // No recorder, or one that has stopped delivering: the voice cannot
    // drive, whatever its last buffer sounded like.
    if (captura != nullptr && !captura->isVozAtiva()) return SEM_MICROFONE;
    if (captura != nullptr && captura->getEstadoMicrofone().isSoSilencio()) return SO_SILENCIO;
    if (quadros < QUADROS_MINIMOS) return OUVINDO;
    const int n = std::min(quadros, QUADROS_RECENTES);
    int acima = 0;
    float soma = 0.0f;
    for (int i = 0; i < n; i++) {
        acima += acimas[i];
        soma += aceleracoes[i];
    }
    if (2 * acima < n) return NAO_OUVIDO;
    return soma / n < getInicioTracao(3) ? BAIXO_DEMAIS : BOM;
}

std::string VerificadorMicrofone::getTexto() const {
    if (quadrosDesdeRecusa < QUADROS_RESULTADO) {
        return getVeredito() == SO_SILENCIO ? "THE MICROPHONE SENDS ONLY SILENCE: NOTHING TO CALIBRATE"
                                            : "NO MICROPHONE: NOTHING TO CALIBRATE";
    }
    if (afinacao.isAtiva() && !isMostrandoCalibracao()) {
        return "PRESS C AND ROAR FOR THREE SECONDS: ENTER SKIPS TO THE RACE";
    }
    if (isMostrandoCalibracao()) {
        char texto[96];
        switch (calibracao.getSituacao()) {
            case CalibracaoVoz::FEITA:
                std::snprintf(texto, sizeof texto, "CALIBRATED: SENSITIVITY X%.2f", calibracao.getSensibilidade());
                return texto;
            case CalibracaoVoz::FALHOU:
                return std::string("NOT CALIBRATED, NOT HEARD AS AN ENGINE: ") +
                       getFalhaMaisComum(calibracao.getComparacoes(), calibracao.getQuadros());
            default: return "ROAR NOW!";
        }
    }
    switch (getVeredito()) {
        case SEM_MICROFONE:
            return captura->getEstadoMicrofone().getSituacao() == EstadoMicrofone::PARADO
                       ? "THE MICROPHONE SENDS NO SOUND: THE W KEY GIVES GAS"
                       : "NO MICROPHONE FOUND: THE W KEY GIVES GAS";
        case SO_SILENCIO: return "THE MICROPHONE SENDS ONLY SILENCE: UNMUTE IT, OR PRESS M FOR ANOTHER";
        case OUVINDO: return "LISTENING...";
        case NAO_OUVIDO:
            return std::string("NOT HEARD AS AN ENGINE: ") +
                   getFalhaMaisComum(comparacoes, std::min(quadros, QUADROS_RECENTES));
        case BAIXO_DEMAIS: return "HEARD, BUT TOO QUIET FOR THIRD GEAR: PRESS C AND ROAR TO CALIBRATE";
        case BOM: break;
    }
    return "GOOD";
}

const char* VerificadorMicrofone::getFalhaMaisComum(const int* comparacoes, int n) {
    // Frames with no sound at all (features without a value) fail low on
    // the tests that still measure something: when they are most of the
    // failures, silence is the answer, not pitch.
    int falhos = 0, semSom = 0;
    for (int i = 0; i < n; i++) {
        bool falhou = false, vazio = false;
        for (int t = 0; t < CapturaAudio::TESTES; t++) {
            falhou |= resultado(comparacoes[i], t) != CapturaAudio::DENTRO;
            vazio |= resultado(comparacoes[i], t) == CapturaAudio::SEM_VALOR;
        }
        falhos += falhou;
        semSom += vazio;
    }
    if (2 * semSom > falhos) return SEM_SOM;
    int pior = 0;
    int contagens[CapturaAudio::TESTES][4] = {};  // by result + 1
    for (int t = 0; t < CapturaAudio::TESTES; t++) {
        for (int i = 0; i < n; i++) contagens[t][resultado(comparacoes[i], t) + 1]++;
        if (n - contagens[t][1] > n - contagens[pior][1]) pior = t;
    }
    const int* c = contagens[pior];
    if (c[3] > c[0] && c[3] > c[2]) return SEM_SOM;
    return PALAVRAS[pior][c[2] > c[0] ? 1 : 0];
}

float VerificadorMicrofone::getInicioTracao(int marcha) {
    // A gear held at a throttle settles where friction takes away what the
    // gear adds: inside its band, at its ideal acceleration times the
    // throttle. Gear g pulls once the gears below it carry the car to the
    // start of its band, so its mark is the least throttle whose settled
    // speed in gears 1 to g - 1 reaches that speed, found by halving. With
    // the game's tables that is 6 / 40 = 0.15 for second gear (first gear
    // settles at 40 times the throttle) and 18 / 70 = 0.257 for third.
    static float marcas[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
    if (marcha < 2 || marcha > 3) return 0.0f;
    if (marcas[marcha] < 0.0f) {
        float baixo = 0.0f, alto = 1.0f;
        for (int i = 0; i < 24; i++) {
            const float meio = (baixo + alto) / 2;
            if (velocidadeFinal(meio, marcha - 1) >= Carro::VEL_MIN_IDEAL[marcha - 1]) {
                alto = meio;
            } else {
                baixo = meio;
            }
        }
        marcas[marcha] = alto;
    }
    return marcas[marcha];
}
