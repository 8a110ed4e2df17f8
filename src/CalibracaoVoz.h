#ifndef CALIBRACAOVOZ_H
#define CALIBRACAOVOZ_H

// One-step calibration of the voice's sensitivity: the player roars for
// three seconds, and the sensitivity becomes the one at which the typical
// loudness of that roar (the median over the frames heard as an engine)
// gives full throttle, with a 10 % margin so that a slightly quieter roar in
// the race still does. A roar heard as an engine in fewer than a third of
// its frames calibrates nothing: the caller keeps the old sensitivity and
// can tell the player which feature the frames missed most (the frames'
// test results are kept for that).
class CalibracaoVoz {
public:
    enum Situacao { PARADA, OUVINDO, FEITA, FALHOU };

    // Three seconds of frames.
    static constexpr int QUADROS = 75;
    static constexpr float MARGEM = 1.1f;

    CalibracaoVoz();

    // Starts (or starts over) listening; cancelar goes back to PARADA.
    void iniciar();
    void cancelar();

    // One frame heard while OUVINDO: the detector's decision, the window's
    // loudness (mean absolute amplitude) and the packed results of its tests
    // (as the microphone check keeps them). The last frame decides.
    void registrar(bool ronco, double mediaA, int comparacoes);

    Situacao getSituacao() const { return situacao; }
    // 0 to 1 while listening.
    float getProgresso() const { return static_cast<float>(quadros) / QUADROS; }
    // The new sensitivity, once FEITA (within 1 to 100).
    float getSensibilidade() const { return sensibilidade; }
    // The frames of the last calibration and how many of them were heard.
    const int* getComparacoes() const { return comparacoes; }
    int getQuadros() const { return quadros; }
    int getOuvidos() const { return ouvidos; }

    // The sensitivity at which loudness `mediana` gives full throttle with
    // the margin, within 1 to 100.
    static float sensibilidadePara(double mediana);

private:
    Situacao situacao;
    int quadros;
    int ouvidos;
    float sensibilidade;
    double intensidades[QUADROS];  // of the frames heard
    int comparacoes[QUADROS];
};

#endif
