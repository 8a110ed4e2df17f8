#ifndef PREFERENCIAS_H
#define PREFERENCIAS_H

#include <cstdio>
#include <string>

#include "Configuracoes.h"

// The player's settings, as the game uses them, kept in the settings file
// (see Configuracoes): read once at start, saved whenever one changes. Each
// setting's default is the game as it plays without a settings file.
//
//   sensitivity = 1 .. 100        what the voice's loudness is multiplied by
//                                 before it becomes throttle (1: as loud as
//                                 the microphone delivers it)
//   microphone = ALSA name        the capture device ("default")
//   keyboard_throttle = without_microphone | always
//                                 whether W gives full throttle only while
//                                 no microphone works, or always
//   scale = auto | 1 | 2 | 3      the window's size, in multiples of 800x600
//                                 (auto: the largest that fits the desktop)
//   fullscreen = false | true     the picture fills the screen
//   pixel_perfect = false | true  fullscreen in whole multiples only
//   music = on | off              N switches it
//   music_volume = 0 .. 100       the music's level, in per cent
//   city = 1 .. 99                the city chosen on the main menu, by its
//                                 map number
//   ghost = on | off              the ghost of the best run in races (G)
//   calibration = none | done | skipped
//                                 whether the voice was ever calibrated, or
//                                 the first start's offer to do it skipped
//                                 (a file from before it, with a
//                                 sensitivity, counts as done)
//
// Without carregar (tests, tools) nothing is read or written.
class Preferencias {
public:
    enum AceleradorTeclado { SEM_MICROFONE = 0, SEMPRE = 1 };
    enum Calibracao { CALIBRACAO_NENHUMA = 0, CALIBRACAO_FEITA = 1, CALIBRACAO_PULADA = 2 };

    static constexpr float SENSIBILIDADE_MINIMA = 1.0f;
    static constexpr float SENSIBILIDADE_MAXIMA = 100.0f;
    // One step of + or -: about 1.5 dB.
    static constexpr float PASSO_SENSIBILIDADE = 1.1885022f;

    explicit Preferencias(std::FILE* console = nullptr);
    virtual ~Preferencias();

    void carregar(const std::string& caminho = Configuracoes::getCaminhoPadrao());
    const std::string& getCaminho() const { return arquivo.getCaminho(); }

    float getSensibilidade() const { return sensibilidade; }
    // Clamped to 1 .. 100.
    void setSensibilidade(float s);
    void aumentarSensibilidade() { setSensibilidade(sensibilidade * PASSO_SENSIBILIDADE); }
    void diminuirSensibilidade() { setSensibilidade(sensibilidade / PASSO_SENSIBILIDADE); }

    const std::string& getMicrofone() const { return microfone; }
    void setMicrofone(const std::string& nome);

    AceleradorTeclado getAceleradorTeclado() const { return aceleradorTeclado; }
    void setAceleradorTeclado(AceleradorTeclado a);

    // 0 is auto.
    int getEscala() const { return escala; }
    void setEscala(int e);
    bool isTelaCheia() const { return telaCheia; }
    void setTelaCheia(bool sim);
    bool isPixelPerfeito() const { return pixelPerfeito; }
    void setPixelPerfeito(bool sim);
    bool isMusicaLigada() const { return musica; }
    void setMusicaLigada(bool sim);
    int getVolumeMusica() const { return volumeMusica; }
    // Clamped to 0 .. 100.
    void setVolumeMusica(int v);
    int getCidade() const { return cidade; }
    // Clamped to 1 .. 99.
    void setCidade(int c);
    bool isFantasmaLigado() const { return fantasma; }
    void setFantasmaLigado(bool sim);
    Calibracao getCalibracao() const { return calibracao; }
    void setCalibracao(Calibracao c);

private:
    Configuracoes arquivo;
    float sensibilidade;
    std::string microfone;
    AceleradorTeclado aceleradorTeclado;
    int escala;
    bool telaCheia;
    bool pixelPerfeito;
    bool musica;
    int volumeMusica;
    int cidade;
    bool fantasma;
    Calibracao calibracao;
};

#endif
