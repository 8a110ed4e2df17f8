#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "AceleradorCorrida.h"
#include "AceleradorVoz.h"
#include "CapturaAudio.h"
#include "ComandosEntrada.h"
#include "DiretorioTemporario.h"
#include "FonteMemoria.h"
#include "Preferencias.h"
#include "Relogio.h"
#include "RepartidorGravacao.h"
#include "SinaisSintetizados.h"
#include "VerificadorMicrofone.h"

namespace {

// The sound scaled by `fator` (clipped at full scale).
std::vector<int16_t> escalar(std::vector<int16_t> x, double fator) {
    for (int16_t& v : x) v = static_cast<int16_t>(std::clamp(std::lround(v * fator), -32768L, 32767L));
    return x;
}

// A microphone check listening to `sinal` as the game's microphone hands it
// over (40 ms more every frame), the clock moved 40 ms a frame, with the
// player's settings (or none) and the page's keys pressed in its first frame.
struct Escuta {
    DiretorioTemporario dir;
    std::FILE* nulo = std::fopen("/dev/null", "w");
    FonteMemoria fonte;
    RepartidorGravacao repartidor;
    VerificadorMicrofone v;

    explicit Escuta(const std::vector<int16_t>& sinal, Preferencias* p = nullptr)
        : fonte(FonteMemoria::continua(SinaisSintetizados::semSinal(sinal))), repartidor(fonte.getFonte()),
          v(&repartidor, 1) {
        CapturaAudio::setConsole(nulo);
        Relogio::setManual(Relogio::getMilissegundos());
        v.setPreferencias(p);
    }
    ~Escuta() {
        CapturaAudio::setConsole(nullptr);
        Relogio::setReal();
        std::fclose(nulo);
    }
    void quadros(int n, unsigned comandos = 0) { quadros(v, n, comandos); }
    static void quadros(VerificadorMicrofone& v, int n, unsigned comandos = 0) {
        for (int i = 0; i < n; i++, comandos = 0) {
            v.acompanhar(true, comandos);
            Relogio::avancar(40);
        }
    }
};

// Feeds a signal as the game's microphone does to a race's analysis and to
// the microphone check side by side, the two listeners of one recorder.
// Answers the share of frames judged engine noise, the share whose level is
// above 0.5 (full voice throttle), and the check's verdict at the end.
std::tuple<double, double, std::string> analisar(const std::vector<int16_t>& sinal) {
    Escuta e(sinal);
    double detectados = 0, acima = 0;
    const int frames = static_cast<int>(sinal.size() / 1764);
    int diferentes = 0;
    {
        std::unique_ptr<CapturaAudio> c(e.repartidor.criarCaptura(0));
        for (int i = 0; i < frames; i++) {
            const bool ronco = c->rotinaCompleta();
            acima += ronco, detectados += c->getRonco();
            e.quadros(1);
            // Both heard every buffer, and the check runs the race's analysis.
            diferentes += e.v.isRonco() != c->getRonco() ||
                          e.v.getAceleracao() != AceleradorVoz::calcular(ronco, c->getMediaA(), c->getNivelRonco());
        }
    }
    EXPECT_EQ(diferentes, 0);
    return {detectados / frames, acima / frames, e.v.getTexto()};
}

}  // namespace

// Voiced vowels are buzzes through resonances, much like the imitation the
// detector listens for, and some of them pass; the consonants and pauses
// between them do not, so the smoothed level stays mostly low. The check
// names what a rejected sound misses most, and a heard one must give
// enough throttle for third gear (the -6 dB buzz gives about 0.2). A
// microphone that sends only digital silence is named as such.
TEST(DeteccaoRonco, TheEngineBuzzIsAcceptedAndToneNoiseAndSpeechAreNotAndTheCheckSaysWhy) {
    const std::string nao = "NOT HEARD AS AN ENGINE: ";
    struct {
        const char* nome;
        std::vector<int16_t> sinal;
        double detectadosMin, detectadosMax, acimaMin, acimaMax;
        std::string veredito;
    } casos[] = {
        {"engine buzz 90-220 Hz", SinaisSintetizados::ronco(10), 0.9, 1, 0.9, 1,
         "HEARD, BUT TOO QUIET FOR THIRD GEAR: PRESS C AND ROAR TO CALIBRATE"},
        {"the buzz 5 dB louder", escalar(SinaisSintetizados::ronco(4), 1.8), 0.9, 1, 0.85, 1, "GOOD"},
        {"sine 3 kHz", SinaisSintetizados::seno(4, 3000), 0, 0, 0, 0, nao + "TOO HIGH-PITCHED"},
        {"white noise", SinaisSintetizados::ruidoBranco(4), 0, 0, 0, 0, nao + "TOO NOISY"},
        {"speech-like", SinaisSintetizados::fala(10), 0, 0.5, 0, 0.34, nao + "TOO HIGH-PITCHED"},
        {"silence", std::vector<int16_t>(88200 * 2), 0, 0, 0, 0,
         "THE MICROPHONE SENDS ONLY SILENCE: UNMUTE IT, OR PRESS M FOR ANOTHER"},
    };
    for (auto& caso : casos) {
        auto [detectados, acima, veredito] = analisar(caso.sinal);
        std::printf("%-22s detected %5.1f%%  level above 0.5 %5.1f%%  %s\n", caso.nome, detectados * 100, acima * 100,
                    veredito.c_str());
        EXPECT_GE(detectados, caso.detectadosMin) << caso.nome;
        EXPECT_LE(detectados, caso.detectadosMax) << caso.nome;
        EXPECT_GE(acima, caso.acimaMin) << caso.nome;
        EXPECT_LE(acima, caso.acimaMax) << caso.nome;
        EXPECT_EQ(veredito, caso.veredito) << caso.nome;
    }
    // Friction settles a gear at its ideal acceleration times the throttle:
    // first gear must reach second's band (6), second gear third's (18).
    EXPECT_NEAR(VerificadorMicrofone::getInicioTracao(2), 6.0 / 40, 0.001);
    EXPECT_NEAR(VerificadorMicrofone::getInicioTracao(3), 18.0 / 70, 0.001);
}

// The sensitivity multiplies the loudness the throttle is made of and
// nothing else: the same sound is heard frame for frame as before.
// Calibrating on a buzz 20 dB quieter than the reference (-26 dBFS peak)
// sets it to about 70, after which that buzz is good for third gear;
// sounds that are not an engine most of the time calibrate nothing.
TEST(DeteccaoRonco, SensitivityScalesTheThrottleOnlyAndCalibrationSetsItFromTheRoar) {
    const std::vector<int16_t> baixo = escalar(SinaisSintetizados::ronco(10), 1.0 / 10);
    Preferencias p;
    Escuta x1(baixo), x20(baixo, &p);
    p.setSensibilidade(20);
    for (int i = 0; i < 100; i++) {
        x1.quadros(1), x20.quadros(1);
        ASSERT_EQ(x1.v.isRonco(), x20.v.isRonco()) << i;
        ASSERT_FLOAT_EQ(x20.v.getAceleracao(), std::min(1.0f, 20 * x1.v.getAceleracao())) << i;
    }
    EXPECT_GT(x1.v.getAceleracao(), 0.0f);

    Escuta e(baixo, &p);
    e.quadros(10, ComandosEntrada::CALIBRAR);
    EXPECT_EQ(e.v.getTexto(), "ROAR NOW!");
    EXPECT_NEAR(e.v.getCalibracao().getProgresso(), 10.0 / 75, 1e-6);
    e.quadros(65);
    ASSERT_EQ(e.v.getCalibracao().getSituacao(), CalibracaoVoz::FEITA);
    EXPECT_NEAR(p.getSensibilidade(), 70, 25);
    char texto[64];
    std::snprintf(texto, sizeof texto, "CALIBRATED: SENSITIVITY X%.2f", p.getSensibilidade());
    EXPECT_EQ(e.v.getTexto(), texto);
    e.quadros(VerificadorMicrofone::QUADROS_RESULTADO);
    EXPECT_EQ(e.v.getTexto(), "GOOD");
    EXPECT_EQ(CalibracaoVoz::sensibilidadePara(0.5), 1.0f);
    EXPECT_EQ(CalibracaoVoz::sensibilidadePara(0.0), 100.0f);
    // A third of the frames heard calibrates, one fewer does not; a roar
    // too loud for x1 gives x1 all the same.
    for (int ouvidos : {CalibracaoVoz::QUADROS / 3, CalibracaoVoz::QUADROS / 3 - 1}) {
        CalibracaoVoz c;
        c.iniciar();
        for (int i = 0; i < CalibracaoVoz::QUADROS; i++) c.registrar(i < ouvidos, 0.8, 0);
        EXPECT_EQ(c.getSituacao(),
                  ouvidos == CalibracaoVoz::QUADROS / 3 ? CalibracaoVoz::FEITA : CalibracaoVoz::FALHOU);
        EXPECT_EQ(c.getSensibilidade(), 1.0f);
    }

    // White noise; an engine for 0.8 s of the 3 s, then silence.
    std::vector<int16_t> curto = SinaisSintetizados::ronco(0.8);
    curto.resize(4 * 44100);
    const std::pair<std::vector<int16_t>, std::string> falhas[] = {{SinaisSintetizados::ruidoBranco(4), "TOO NOISY"},
                                                                   {curto, "NO SOUND"}};
    for (const auto& [sinal, palavras] : falhas) {
        Escuta f(sinal, &p);
        f.quadros(75, ComandosEntrada::CALIBRAR);
        EXPECT_EQ(f.v.getCalibracao().getSituacao(), CalibracaoVoz::FALHOU) << palavras;
        EXPECT_EQ(f.v.getTexto(), "NOT CALIBRATED, NOT HEARD AS AN ENGINE: " + palavras);
    }
    EXPECT_FLOAT_EQ(p.getSensibilidade(), std::atof(texto + 25)) << "kept after a failed calibration";
}

// The check page's other keys: sensitivity steps of about 1.5 dB within 1 to
// 100 and back to 1, W's rule, and M's list of the microphones ALSA lists
// ("default" first, the sound servers next, then each card, nothing that
// only plays): it opens at the one asked for last, the arrows move, Enter
// chooses, Escape goes back. A choice that cannot be opened is said on the
// page and never saved, and the next list still starts from it (not from
// "default", which records meanwhile), so the devices after it are reached;
// one that records is saved.
TEST(DeteccaoRonco, ThePagesKeysStepTheSensitivityToggleWAndChooseAmongTheMicrophones) {
    static std::string emUso = "default", falha;
    DispositivosCaptura::Controle controle = {
        [] {
            return DispositivosCaptura::escolher(
                {{"null", "Discard all samples", ""},
                 {"pulse", "PulseAudio Sound Server", ""},
                 {"default", "Default ALSA Output (currently PipeWire Media Server)\nx", ""},
                 {"plughw:CARD=PCH,DEV=0", "HDA Intel PCH, ALC892 Analog\nDirect", ""},
                 {"plughw:CARD=USB,DEV=0", "USB Microphone", "Input"},
                 {"plughw:CARD=HDMI,DEV=3", "HDA Intel HDMI", "Output"}});
        },
        [](const std::string& nome) {
            falha = nome == "plughw:CARD=PCH,DEV=0" ? nome : "", emUso = falha.empty() ? nome : "default";
        },
        [] { return emUso; }, [] { return falha; }};
    Preferencias p;
    Escuta e(SinaisSintetizados::ronco(2), &p);
    e.v.setControleMicrofone(controle);
    for (auto [comando, vezes, esperado] : {std::tuple{ComandosEntrada::MAIS_SENSIVEL, 1, 1.19f},
                                            {ComandosEntrada::MAIS_SENSIVEL, 40, 100.0f},
                                            {ComandosEntrada::MENOS_SENSIVEL, 1, 84.14f},
                                            {ComandosEntrada::SENSIBILIDADE_1, 1, 1.0f},
                                            {ComandosEntrada::MENOS_SENSIVEL, 1, 1.0f}}) {
        for (int i = 0; i < vezes; i++) e.quadros(1, comando);
        EXPECT_FLOAT_EQ(p.getSensibilidade(), esperado) << comando;
    }
    e.quadros(1, ComandosEntrada::ACELERADOR_TECLADO);
    EXPECT_TRUE(e.v.isAceleradorTecladoSempre());
    e.quadros(1, ComandosEntrada::ACELERADOR_TECLADO);
    EXPECT_FALSE(e.v.isAceleradorTecladoSempre());

    using C = ComandosEntrada;
    auto lista = [&e] { return e.v.getEscolha().getLista()[e.v.getEscolha().getCursor()].nome; };
    e.quadros(1, C::MICROFONE);
    ASSERT_TRUE(e.v.isListaAberta());
    EXPECT_EQ(e.v.getTitulo(), "CHOOSE A MICROPHONE");
    EXPECT_EQ(e.v.getEscolha().getLista().size(), 4u);
    EXPECT_EQ(lista(), "default");
    e.quadros(1, C::SETA_BAIXO), e.quadros(1, C::MENU_BAIXO);
    EXPECT_EQ(lista(), "plughw:CARD=PCH,DEV=0");
    e.quadros(1, C::ENTRAR | C::CALIBRAR);  // the list takes the page's keys
    e.quadros(1);
    EXPECT_FALSE(e.v.isListaAberta());
    EXPECT_EQ(e.v.getCalibracao().getSituacao(), CalibracaoVoz::PARADA);
    EXPECT_EQ(e.v.getAvisoMicrofone(), "\"plughw:CARD=PCH,DEV=0\" CANNOT BE OPENED: USING \"default\"");
    EXPECT_EQ(p.getMicrofone(), "default") << "a microphone that cannot be opened is not saved";
    e.quadros(1, C::MICROFONE);
    EXPECT_EQ(lista(), "plughw:CARD=PCH,DEV=0") << "the list starts at the one asked for, not at the fallback";
    e.quadros(1, C::SETA_BAIXO);
    e.quadros(1, C::ENTRAR);
    e.quadros(1);
    EXPECT_EQ(e.v.getMicrofone(), "USB Microphone (plughw:CARD=USB,DEV=0)");
    EXPECT_EQ(e.v.getAvisoMicrofone(), "");
    EXPECT_EQ(p.getMicrofone(), "plughw:CARD=USB,DEV=0");
    e.quadros(1, C::MICROFONE);
    e.quadros(1, C::SETA_CIMA), e.quadros(1, C::SETA_CIMA), e.quadros(1, C::VOLTAR);
    EXPECT_FALSE(e.v.isListaAberta());
    EXPECT_EQ(emUso, "plughw:CARD=USB,DEV=0") << "Escape chooses nothing";
}

// Without a microphone: no word on the music, C says at once there is
// nothing to calibrate, and the title says what drives instead.
TEST(DeteccaoRonco, WithoutAMicrophoneThePageSaysSoAtOnce) {
    Escuta e(SinaisSintetizados::ronco(2));
    e.fonte.setRespostaInicio(0);
    VerificadorMicrofone v(&e.repartidor, 1);
    Escuta::quadros(v, 3, ComandosEntrada::CALIBRAR);
    EXPECT_EQ(v.getVeredito(), VerificadorMicrofone::SEM_MICROFONE);
    EXPECT_EQ(v.getCalibracao().getSituacao(), CalibracaoVoz::PARADA);
    EXPECT_EQ(v.getTexto(), "NO MICROPHONE: NOTHING TO CALIBRATE");
    EXPECT_EQ(v.getTitulo(), "NO MICROPHONE: HOLD W FOR GAS");
    EXPECT_FALSE(v.isMusicaOuvida());
    Escuta::quadros(v, VerificadorMicrofone::QUADROS_RESULTADO);
    EXPECT_EQ(v.getTexto(), "NO MICROPHONE FOUND: THE W KEY GIVES GAS");
    EXPECT_TRUE(e.v.isMusicaOuvida()) << "the music on, and a microphone may hear it";
}

// In a race the throttle is the voice's, and W's only while the voice
// cannot drive (the bar's label says which). A voice heard as an engine but
// too quiet for third gear brings the hint to calibrate after four seconds,
// for six, once per race; one loud enough never does. The voice's
// throttle is capped at 1 however high the sensitivity, heard or not.
TEST(DeteccaoRonco, ARaceHintsOnceAtCalibratingAVoiceTooQuietForThirdGear) {
    for (double fator : {1.0, 2.0, 0.0, -1.0}) {
        Escuta e(escalar(SinaisSintetizados::ronco(20), std::max(fator, 0.0)));  // -1: only silence
        if (fator == 0.0) e.fonte.setRespostaInicio(0);                          // 0: no microphone
        std::unique_ptr<CapturaAudio> c(e.repartidor.criarCaptura(0));
        Preferencias p;
        AceleradorCorrida a;
        int primeiro = -1, quadros = 0;
        for (int i = 0; i < 400; i++, Relogio::avancar(40)) {
            const float w = a.calcular(*c, c->rotinaCompleta(), p, i % 2);
            ASSERT_EQ(a.isPelaTecla(), fator == 0.0 || (fator < 0 && i > 50)) << i;
            if (fator == 0.0) {
                ASSERT_EQ(w, i % 2 ? 1.0f : 0.0f);
            }
            if (a.isDica() && primeiro < 0) primeiro = i;
            quadros += a.isDica();
        }
        EXPECT_EQ(quadros, fator == 1.0 ? AceleradorCorrida::QUADROS_DICA : 0) << fator;
        EXPECT_GE(primeiro, fator == 1.0 ? AceleradorCorrida::QUADROS_ATE_DICA : -1);
    }
    EXPECT_EQ(AceleradorVoz::calcular(false, 0.5, 0.9, 100), 1.0f);
    EXPECT_EQ(AceleradorVoz::calcular(true, 0.5, 0.9, 100), 1.0f);
}
