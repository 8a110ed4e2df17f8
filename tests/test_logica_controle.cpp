#include "test_logica_ambiente.h"

// The player's controls, driven by keys sampled once per call as in a frame.
class ControleJogador : public AmbienteLogica {
protected:
    void SetUp() override {
        AmbienteLogica::SetUp();
        carro.reset(new Carro(1, 1, Vetor(550, 50)));
    }
    // One control step with exactly these keys held.
    void passo(std::initializer_list<int> teclas) {
        for (int k : {KEY_A, KEY_D, KEY_SPACE, KEY_Q, KEY_E, KEY_ESC}) apertar(k, false);
        for (int k : teclas) apertar(k);
        entradas->lerEntradas();
        logica->analisarEntradaJogador(carro.get());
    }
    std::unique_ptr<Carro> carro;
};

TEST(AceleracaoVoz, GainAndCapWhenHeardElseLoudnessTimesLevel) {
    EXPECT_FLOAT_EQ(Logica::calcularAceleracaoVoz(true, 0.3, 0.9), 0.66f);
    EXPECT_FLOAT_EQ(Logica::calcularAceleracaoVoz(true, 0.5, 0.9), 1.0f);
    EXPECT_FLOAT_EQ(Logica::calcularAceleracaoVoz(true, 1.0 / 2.2, 0.6), static_cast<float>(1.0 / 2.2 * 2.2));
    // Not heard: loudness times level, which need not be zero.
    EXPECT_FLOAT_EQ(Logica::calcularAceleracaoVoz(false, 0.3, 0.4), 0.12f);
    EXPECT_FLOAT_EQ(Logica::calcularAceleracaoVoz(false, 0.8, 0.0), 0.0f);
}

TEST_F(ControleJogador, ThrottleFollowsTheMicrophoneEveryFrame) {
    CapturaAudio* mic = logica->getMicrofone();
    bool ouviu = false;
    bool naoOuviu = false;
    for (int i = 0; i < 30; i++) {
        passo({});
        const double nivel = mic->getNivelRonco();
        const float esperado = Logica::calcularAceleracaoVoz(nivel > 0.5, mic->getMediaA(), nivel);
        ASSERT_FLOAT_EQ(carro->getAceleracao(), esperado) << i;
        (nivel > 0.5 ? ouviu : naoOuviu) = true;
    }
    // The buzz is heard once the level has built up, and moves the car.
    EXPECT_TRUE(ouviu);
    EXPECT_TRUE(naoOuviu);
    EXPECT_GT(carro->getAceleracao(), 0.2f);
}

TEST_F(ControleJogador, GearsShiftOncePerPressBetweenReverseAndThird) {
    carro->setMarcha(1);
    carro->zerarMudancaMarcha();
    for (int i = 0; i < 10; i++) passo({KEY_E});
    EXPECT_EQ(carro->getMarcha(), 2);
    passo({});
    passo({KEY_E});
    EXPECT_EQ(carro->getMarcha(), 3);
    passo({});
    passo({KEY_E});
    EXPECT_EQ(carro->getMarcha(), 3);

    // Down to reverse, and no lower.
    for (int esperado : {2, 1, 0, -1, -1}) {
        passo({});
        passo({KEY_Q});
        EXPECT_EQ(carro->getMarcha(), esperado);
    }

    // Both held with the latch clear: E wins unless it cannot shift.
    passo({});
    carro->setMarcha(1);
    carro->zerarMudancaMarcha();
    passo({KEY_E, KEY_Q});
    EXPECT_EQ(carro->getMarcha(), 2);
    carro->setMarcha(3);
    carro->zerarMudancaMarcha();
    passo({KEY_E, KEY_Q});
    EXPECT_EQ(carro->getMarcha(), 2);
    // Releasing only one of them keeps the latch.
    passo({KEY_Q});
    EXPECT_EQ(carro->getMarcha(), 2);
}

TEST_F(ControleJogador, BrakeWhileSpaceIsHeld) {
    passo({KEY_SPACE});
    EXPECT_FLOAT_EQ(carro->getFreio(), 0.5f);
    passo({});
    EXPECT_FLOAT_EQ(carro->getFreio(), 1.0f);
}

TEST_F(ControleJogador, SteeringStepsToTheLimitAndReturnsThroughTheDeadZone) {
    float anterior = 0;
    for (int i = 1; i <= 12; i++) {
        passo({KEY_A});
        if (i < 10) {
            EXPECT_FLOAT_EQ(carro->getAnguloVolante(), static_cast<float>(anterior - 0.08725)) << i;
            EXPECT_GT(carro->getAnguloVolante(), -0.8f) << i;
        } else {
            EXPECT_EQ(carro->getAnguloVolante(), -0.8f) << i;
        }
        anterior = carro->getAnguloVolante();
    }
    // A and D together: A wins.
    passo({KEY_A, KEY_D});
    EXPECT_EQ(carro->getAnguloVolante(), -0.8f);
    for (int i = 0; i < 20; i++) passo({KEY_D});
    EXPECT_EQ(carro->getAnguloVolante(), 0.8f);

    carro->setAnguloVolante(0.5f);
    std::vector<float> volta;
    for (int i = 0; i < 12; i++) {
        passo({});
        volta.push_back(carro->getAnguloVolante());
    }
    EXPECT_FLOAT_EQ(volta[0], 0.45f);
    EXPECT_FLOAT_EQ(volta[1], 0.405f);
    EXPECT_FLOAT_EQ(volta[2], 0.3645f);
    // 0.5 x 0.9^n first drops inside 0.1745 at n = 10 (0.1743); the wheel
    // snaps to 0 one frame later.
    EXPECT_GT(volta[8], 0.1745f);
    EXPECT_LT(volta[9], 0.1745f);
    EXPECT_GT(volta[9], 0.0f);
    EXPECT_EQ(volta[10], 0.0f);
    EXPECT_EQ(volta[11], 0.0f);
    carro->setAnguloVolante(-0.17f);
    passo({});
    EXPECT_EQ(carro->getAnguloVolante(), 0.0f);
}
