#include <gtest/gtest.h>

#include <cmath>

#include "AjudaColisao.h"
#include "Carro.h"
#include "CarroCalculos.h"
#include "DiretorioTemporario.h"

namespace {

class Fisica : public ::testing::Test {
protected:
    // One 40 ms step of a car at rest at (500, 500), brake factor 1.
    void passo(int marcha, float acelerador, float volante = 0, Vetor v = Vetor(), float angulo = 0) {
        carro.setPosicao(Vetor(500, 500));
        carro.setVelocidadeAngular(0);
        carro.setFreio(1.0f);
        carro.setMarcha(marcha);
        carro.setAceleracao(acelerador);
        carro.setAnguloVolante(volante);
        carro.setVelocidade(v);
        carro.setAngulo(angulo);
        calc.calcularFisica(&carro, 0.04f);
    }
    // Forward speed along the heading, in the car's own frame.
    float frente() const {
        Vetor v = carro.getVelocidade();
        return v.getX() * std::sin(carro.getAngulo()) + v.getY() * std::cos(carro.getAngulo());
    }
    DiretorioTemporario dir;
    Carro carro{1, 1, Vetor(500, 500)};
    CarroCalculos calc;
};

}  // namespace

TEST_F(Fisica, GearModelFallsOffWithTheSquareOfTheDistanceFromTheBand) {
    // Inside the 6..10 overlap both gears pull fully; the band's ends count.
    const struct {
        float grito;
        int marcha;
        float velocidade, esperado;
    } casos[] = {{1, 1, 0, 40}, {1, 3, 0, 140.0f / 361}, {1, 2, 30, 70.0f / 36}, {1, -1, 0, -30},
                 {1, 0, 5, 0},  {1, 1, 8, 40},           {1, 2, 8, 70},          {0.5f, 3, 50, 70}};
    for (const auto& k : casos)
        EXPECT_NEAR(calc.calcularAceleracao(carro.getVelMinIdealMarcha(), carro.getVelMaxIdealMarcha(),
                                            carro.getAceleracaoIdealMarcha(), k.grito, k.marcha, k.velocidade),
                    k.esperado, 1e-5)
            << k.marcha << " at " << k.velocidade;
    EXPECT_FLOAT_EQ(calc.sinal(0), 1.0f);
}

TEST_F(Fisica, StandstillRuleAndNeutral) {
    EXPECT_TRUE(carro.isParado());
    // Any motion, however small, is not standing still.
    for (Vetor v : {Vetor(1e-30f, 0), Vetor(0, -1e-30f)}) {
        carro.setVelocidade(v);
        EXPECT_FALSE(carro.isParado());
    }
    carro.setVelocidade(Vetor());
    carro.setVelocidadeAngular(1e-30f);
    EXPECT_FALSE(carro.isParado());
    // Squares beyond float range still give the right length.
    EXPECT_FLOAT_EQ(Vetor(3e20f, 4e20f).getModulo(), 5e20f);
    passo(0, 1, 0.8f, Vetor(0, 0.4f));  // neutral neither pulls nor steers
    EXPECT_TRUE(carro.isParado());
    EXPECT_EQ(carro.getAngulo(), 0.0f);
    passo(0, 1, 0.8f, Vetor(0, -7.0f));  // backwards at any speed
    EXPECT_EQ(carro.getModuloVelocidade(), 0.0f);
    passo(0, 1, 0.8f, Vetor(0, 20.0f));  // fast: just rolls on, slower
    EXPECT_FLOAT_EQ(frente(), 19.2f);
    EXPECT_EQ(carro.getAngulo(), 0.0f);
    passo(1, 0, 0, Vetor(0, 0.4f / 0.96f));  // in gear, slow and no throttle
    EXPECT_EQ(carro.getModuloVelocidade(), 0.0f);
    passo(1, 0.005f, 0, Vetor(0, 3.0f));  // a touch of throttle keeps it rolling
    EXPECT_NEAR(frente(), 2.888f, 1e-5);
}

TEST_F(Fisica, SteeringIsLimitedByWhatTheGearGives) {
    passo(1, 1, 0.8f);
    EXPECT_NEAR(carro.getVelocidadeAngular(), 0.04 * 40 * std::sin(0.8), 1e-4);  // about 1.15
    // Third gear at standstill gives 0.388: turning is capped to match.
    passo(3, 1, 0.8f, Vetor(0, 1.0f / 0.96f));
    EXPECT_NEAR(carro.getVelocidadeAngular(), 0.04f * std::sin(0.8f) * 140.0f / (18 * 18), 1e-5);
    // Rolling forward in reverse gear the gear pulls back, and the same
    // wheel turns the car the other way.
    passo(-1, 1, 0.8f, Vetor(0, 5.0f / 0.96f));
    EXPECT_NEAR(carro.getVelocidadeAngular(), 0.04f * std::sin(0.8f) * -30.0f / 36.0f, 1e-5);
}

TEST_F(Fisica, BrakeFactorScalesBothComponentsAndZeroStopsDead) {
    // 10 forward, 5 sideways, expressed in map components.
    float sn = std::sin(1.0f), cs = std::cos(1.0f);
    carro.setFreio(0.5f);
    carro.setMarcha(3);
    carro.setAngulo(1.0f);
    carro.setVelocidade(Vetor(10 * sn + 5 * cs, 10 * cs - 5 * sn));
    calc.calcularFisica(&carro, 0.04f);
    Vetor v = carro.getVelocidade();
    EXPECT_NEAR(v.getX() * sn + v.getY() * cs, 10 * 0.5f * 0.96f, 1e-4);  // the car-frame projection round trip
    EXPECT_NEAR(v.getX() * cs - v.getY() * sn, 5 * 0.5f * 0.92f, 1e-4);
    carro.setFreio(0.0f);
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_EQ(carro.getModuloVelocidade(), 0.0f);
}
