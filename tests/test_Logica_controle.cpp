#include "AceleradorVoz.h"
#include "AmbienteLogica.h"

// The player's controls, with exactly the given keys held in each step.
class Controle : public AmbienteLogica {
protected:
    void passo(std::initializer_list<int> teclas) {
        for (int k : {KEY_A, KEY_D, KEY_SPACE, KEY_Q, KEY_E, KEY_W})
            apertar(k, std::find(teclas.begin(), teclas.end(), k) != teclas.end());
        entradas.lerEntradas();
        logica->analisarEntradaJogador(&carro);
    }
    Carro carro{1, 1, Vetor(550, 50)};
};

TEST_F(Controle, ThrottleFromTheVoice) {
    EXPECT_FLOAT_EQ(AceleradorVoz::calcular(true, 0.3, 0.9), 0.66f);
    EXPECT_FLOAT_EQ(AceleradorVoz::calcular(true, 0.5, 0.9), 1.0f);  // capped
    EXPECT_FLOAT_EQ(AceleradorVoz::calcular(false, 0.3, 0.4), 0.12f);
    // Each step reads the microphone once; the buzz is heard once the level
    // has built up. W does nothing while the voice works.
    CapturaAudio* mic = logica->getMicrofone();
    for (int i = 0; i < 30; i++) {
        passo({KEY_W});
        const double nivel = mic->getNivelRonco();
        ASSERT_FLOAT_EQ(carro.getAceleracao(), AceleradorVoz::calcular(nivel > 0.5, mic->getMediaA(), nivel));
    }
    EXPECT_EQ(mic->getPpvRoncos(), 30 % 25);
    // The player's sensitivity scales it; W always, when the player says so.
    Preferencias p;
    p.setSensibilidade(3);
    logica->setPreferencias(&p);
    passo({KEY_W});
    const double nivel = mic->getNivelRonco();
    EXPECT_FLOAT_EQ(carro.getAceleracao(), AceleradorVoz::calcular(nivel > 0.5, mic->getMediaA(), nivel, 3));
    p.setAceleradorTeclado(Preferencias::SEMPRE);
    passo({KEY_W});
    EXPECT_EQ(carro.getAceleracao(), 1.0f);
    logica->setPreferencias(nullptr);
    // A stalled recorder, then none at all: W and nothing else.
    fonte->setParada(true);
    for (int i = 0; i < 60; i++) Relogio::avancar(40), passo({});
    for (int vez = 0; vez < 2; vez++) {
        passo({KEY_W});
        EXPECT_EQ(carro.getAceleracao(), 1.0f) << vez;
        passo({});
        EXPECT_EQ(carro.getAceleracao(), 0.0f) << vez;
        fonte->setRespostaInicio(0);
        logica.reset(new Logica(&entradas));
    }
}

TEST_F(Controle, GearsShiftOncePerPressBetweenReverseAndThird) {
    carro.setMarcha(1);
    carro.zerarMudancaMarcha();
    for (int i = 0; i < 10; i++) passo({KEY_E});
    EXPECT_EQ(carro.getMarcha(), 2);
    apertar(KEY_E, false), apertar(KEY_E);  // let go and pressed again between two frames: a new press
    passo({KEY_E}), passo({KEY_E});
    EXPECT_EQ(carro.getMarcha(), 3);
    for (auto [tecla, marcha] :
         {std::pair{KEY_E, 3}, {KEY_E, 3}, {KEY_Q, 2}, {KEY_Q, 1}, {KEY_Q, 0}, {KEY_Q, -1}, {KEY_Q, -1}}) {
        passo({});
        passo({tecla});
        EXPECT_EQ(carro.getMarcha(), marcha);
    }
    // Both held with the latch clear: E wins unless it cannot shift.
    for (auto [de, para] : {std::pair{1, 2}, {3, 2}}) {
        carro.setMarcha(de);
        carro.zerarMudancaMarcha();
        passo({KEY_E, KEY_Q});
        EXPECT_EQ(carro.getMarcha(), para);
    }
    passo({KEY_Q});  // one key still down keeps the latch
    EXPECT_EQ(carro.getMarcha(), 2);
    passo({KEY_SPACE});
    EXPECT_FLOAT_EQ(carro.getFreio(), 0.5f);
    passo({});
    EXPECT_FLOAT_EQ(carro.getFreio(), 1.0f);
}

TEST_F(Controle, SteeringStepsToTheLimitAndReturnsThroughTheDeadZone) {
    for (int i = 1; i <= 11; i++) {
        const float antes = carro.getAnguloVolante();
        passo({KEY_A, KEY_D});  // A wins
        EXPECT_FLOAT_EQ(carro.getAnguloVolante(), i < 10 ? static_cast<float>(antes - 0.08725) : -0.8f) << i;
    }
    for (int i = 0; i < 20; i++) passo({KEY_D});
    EXPECT_EQ(carro.getAnguloVolante(), 0.8f);
    carro.setAnguloVolante(0.5f);
    std::vector<float> volta;
    for (int i = 0; i < 12; i++) {
        passo({});
        volta.push_back(carro.getAnguloVolante());
    }
    EXPECT_FLOAT_EQ(volta[2], 0.3645f);
    // 0.5 x 0.9^10 = 0.1743 is the first value inside 0.1745; 0 follows.
    EXPECT_FLOAT_EQ(volta[9], static_cast<float>(0.5 * std::pow(0.9, 10)));
    EXPECT_EQ(volta[10], 0.0f);
    EXPECT_EQ(volta[11], 0.0f);
}
