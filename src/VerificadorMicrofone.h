#ifndef VERIFICADORMICROFONE_H
#define VERIFICADORMICROFONE_H

#include <string>

class CapturaAudio;
class RepartidorGravacao;

// The microphone check of the first instructions page: while the page is
// shown it runs the race's voice analysis on the microphone, once per frame,
// with an analysis of its own (the race's decisions, window and level are
// never touched), and tells the player whether an engine is heard, how
// much throttle the voice gives and what to change.
//
// The verdict looks at the last two seconds of frames: the voice must hold
// the detector's level above 0.5 (what gives the race its full throttle) in
// at least half of them, else it is not heard as an engine and the feature
// the frames missed most is named; heard, its mean throttle must reach the
// point where third gear starts to pull.
class VerificadorMicrofone {
public:
    enum Veredito { OUVINDO, SEM_MICROFONE, NAO_OUVIDO, BAIXO_DEMAIS, BOM };

    static constexpr int QUADROS_RECENTES = 50;
    // Frames of a visit before a verdict: one second of sound.
    static constexpr int QUADROS_MINIMOS = 25;

    // The analysis reads the recorder as listener `ouvinte` of the splitter,
    // which must outlive the check; it is made at the first frame heard.
    VerificadorMicrofone(RepartidorGravacao* repartidor, int ouvinte);
    virtual ~VerificadorMicrofone();

    VerificadorMicrofone(const VerificadorMicrofone&) = delete;
    VerificadorMicrofone& operator=(const VerificadorMicrofone&) = delete;

    // Once per menu frame: whether the check's page is shown. A visit
    // starts with no frames counted.
    void acompanhar(bool naPagina);
    // One frame of analysis.
    void ouvir();

    // The detector's decision of the newest frame (the lamp).
    bool isRonco() const { return ronco; }
    // The throttle the newest frame would give the car, 0 to 1.
    float getAceleracao() const { return aceleracao; }
    Veredito getVeredito() const;
    // The verdict as the player reads it, e.g. "NOT HEARD AS AN ENGINE: TOO
    // HIGH-PITCHED".
    std::string getTexto() const;

    // The least steady throttle with which gear `marcha` (2 or 3) starts to
    // pull: the gears below it carry the car to the start of its band.
    static float getInicioTracao(int marcha);

private:
    // Plain words for the feature the recent frames missed most.
    const char* getFalhaMaisComum() const;

    RepartidorGravacao* repartidor;
    int ouvinte;
    CapturaAudio* captura;
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
