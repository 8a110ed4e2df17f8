#ifndef VERIFICADORMICROFONE_H
#define VERIFICADORMICROFONE_H

#include <string>
#include <vector>

#include "CalibracaoVoz.h"
#include "DispositivosCaptura.h"
#include "EscolhaMicrofone.h"
#include "PrimeiraAfinacao.h"

class CapturaAudio;
class Preferencias;
class RepartidorGravacao;

// The microphone check of the first instructions page: while the page is
// shown (and the window has the focus) it runs the race's voice analysis on
// the microphone, once per frame, with an analysis of its own (the race's
// decisions, window and level are never touched), and tells the player
// whether an engine is heard, how much throttle the voice gives and what to
// change. It is also where the voice is set up: the page's keys calibrate
// the sensitivity (C), step it (+ and -) or reset it (0), pick another
// microphone from the list of them (M, EscolhaMicrofone) and let W give gas
// always or only without a microphone (K); each change is saved in the
// player's settings at once. Without a microphone there is nothing to
// calibrate, and C says so at once. On the first start it is also where
// the microphone is tuned before the first race (PrimeiraAfinacao).
//
// The verdict looks at the last two seconds of frames: the voice must hold
// the detector's level above 0.5 (what gives the race its full throttle) in
// at least half of them, else it is not heard as an engine and the feature
// the frames missed most is named; heard, its mean throttle must reach the
// point where third gear starts to pull.
class VerificadorMicrofone {
public:
    enum Veredito { OUVINDO, SEM_MICROFONE, NAO_OUVIDO, BAIXO_DEMAIS, BOM, SO_SILENCIO };

    static constexpr int QUADROS_RECENTES = 50;
    // Frames of a visit before a verdict: one second of sound.
    static constexpr int QUADROS_MINIMOS = 25;
    // How long the outcome of a calibration stays on the page.
    static constexpr int QUADROS_RESULTADO = 100;

    // The analysis reads the recorder as listener `ouvinte` of the splitter,
    // which must outlive the check; it is made at the first frame heard.
    VerificadorMicrofone(RepartidorGravacao* repartidor, int ouvinte);
    virtual ~VerificadorMicrofone();

    VerificadorMicrofone(const VerificadorMicrofone&) = delete;
    VerificadorMicrofone& operator=(const VerificadorMicrofone&) = delete;

    // The player's settings that the page shows and changes (none: the
    // defaults, nothing saved), and the microphones' seam (the game gives
    // its recorder's, GravadorAlsa::getControle; none: "default" only).
    void setPreferencias(Preferencias* p) {
        preferencias = p;
        escolha.setPreferencias(p);
    }
    void setControleMicrofone(const DispositivosCaptura::Controle& c) { escolha.setControle(c); }

    // Once per menu frame: whether the check's page is shown, the page's
    // keys pressed since the last frame (ComandosEntrada bits), and whether
    // the window has the focus (the check listens only then). A visit
    // starts with no frames counted.
    void acompanhar(bool naPagina, unsigned comandos = 0, bool focado = true);
    // One frame of analysis.
    void ouvir();

    // The detector's decision of the newest frame (the lamp).
    bool isRonco() const { return ronco; }
    // The throttle the newest frame would give the car, 0 to 1.
    float getAceleracao() const { return aceleracao; }
    Veredito getVeredito() const;
    // The verdict as the player reads it, e.g. "NOT HEARD AS AN ENGINE: TOO
    // HIGH-PITCHED"; while calibrating, or for a moment after, what the
    // calibration asks or found.
    std::string getTexto() const;

    const CalibracaoVoz& getCalibracao() const { return calibracao; }
    // Whether the box shows the calibration (asking to roar, or its outcome)
    // instead of the verdict.
    bool isMostrandoCalibracao() const;
    float getSensibilidade() const;
    bool isAceleradorTecladoSempre() const;
    // The music is on and audible, and a microphone records: it hears the
    // speakers, and the page suggests headphones.
    bool isMusicaOuvida() const;
    // The microphone recorded: its description (or name), and a line when
    // the one the player chose could not be opened (empty otherwise).
    std::string getMicrofone() const { return escolha.getDescricao(); }
    std::string getAvisoMicrofone() const;
    // The microphones' list (M), while open it takes the page's keys.
    const EscolhaMicrofone& getEscolha() const { return escolha; }
    bool isListaAberta() const { return escolha.isAberta(); }
    // What the player should do now, the page's title ("ROAR NOW!" only
    // while calibrating).
    std::string getTitulo() const;
    // The first start's tuning: at Play, whether to come to this page first
    // (the race's capture tells whether a microphone records; then it runs
    // until calibrated or skipped); and, once, when the race is to start.
    bool oferecerAfinacao(const CapturaAudio& corrida);
    bool isAfinando() const { return afinacao.isAtiva(); }
    bool tomarCorrida() { return afinacao.tomarCorrida(); }

    // The least steady throttle with which gear `marcha` (2 or 3) starts to
    // pull: the gears below it carry the car to the start of its band.
    static float getInicioTracao(int marcha);

    // Plain words for the feature that `n` frames' packed test results
    // missed most ("TOO HIGH-PITCHED", "NO SOUND", ...).
    static const char* getFalhaMaisComum(const int* comparacoes, int n);

private:
    void comandar(unsigned comandos);
    // No microphone records, or it sends only silence: nothing to calibrate.
    bool isSemSom() const;

    RepartidorGravacao* repartidor;
    int ouvinte;
    CapturaAudio* captura;
    Preferencias* preferencias;
    EscolhaMicrofone escolha;
    PrimeiraAfinacao afinacao;
    CalibracaoVoz calibracao;
    int quadrosDesdeCalibracao;
    int quadrosDesdeRecusa;  // since C found nothing to calibrate
    bool naPaginaAntes;
    bool ronco;
    float aceleracao;
    int quadros;  // frames heard in this visit
    // The recent frames, in a ring: level above 0.5, throttle, and each
    // test's result as two bits (CapturaAudio::Comparacao + 1).
    bool acimas[QUADROS_RECENTES];
    float aceleracoes[QUADROS_RECENTES];
    int comparacoes[QUADROS_RECENTES];
};

#endif
