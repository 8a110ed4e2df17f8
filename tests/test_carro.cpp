#include <gtest/gtest.h>

#include <cmath>

#include "Carro.h"
#include "CarroCalculos.h"
#include "DiretorioTemporario.h"

TEST(Carro, TakesItsSizeFromItsTypesDataFile) {
    DiretorioTemporario dir;
    dir.escrever("dados/carros/2.car", "30 60\nthis is ignored\n");
    Carro c(7, 2, Vetor(550, 50));
    EXPECT_EQ(c.getEndFotoCarro(), 2);
    EXPECT_EQ(c.getIDCarro(), 7);
    EXPECT_EQ(c.getH(), 30);
    EXPECT_EQ(c.getW(), 60);
    EXPECT_FLOAT_EQ(c.getPosicao().getX(), 550);
    EXPECT_FLOAT_EQ(c.getPosicao().getY(), 50);
}

TEST(Carro, ABadDataFileLeavesTheDefaultSizeAndSaysWhich) {
    DiretorioTemporario dir;
    dir.escrever("dados/carros/1.car", "22 abc\n");
    dir.escrever("dados/carros/2.car", "0 50\n");
    dir.escrever("dados/carros/3.car", "-4 -9\n");
    for (int tipo : {1, 2, 3, 4 /* missing */}) {
        testing::internal::CaptureStdout();
        Carro c(1, tipo, Vetor());
        std::string saida = testing::internal::GetCapturedStdout();
        EXPECT_EQ(c.getH(), Carro::ALTURA_PADRAO) << tipo;
        EXPECT_EQ(c.getW(), Carro::COMPRIMENTO_PADRAO) << tipo;
        EXPECT_NE(saida.find("dados/carros/" + std::to_string(tipo) + ".car"), std::string::npos) << saida;
        EXPECT_EQ(std::count(saida.begin(), saida.end(), '\n'), 1) << saida;
    }
}

TEST(Carro, ANewCarStandsStillInNeutral) {
    DiretorioTemporario dir;
    dir.escrever("dados/carros/1.car", "30 60");
    Carro c(1, 1, Vetor(10, 20));
    EXPECT_EQ(c.getMarcha(), 0);
    EXPECT_FALSE(c.getMudancaMarcha());
    EXPECT_EQ(c.colidiu, 0);
    EXPECT_EQ(c.getModuloVelocidade(), 0.0f);
    EXPECT_EQ(c.getAngulo(), 0.0f);
    EXPECT_EQ(c.getFreio(), 0.0f);
    EXPECT_TRUE(c.isParado());
}

TEST(Carro, ShiftLatchRisesWithEveryShiftUntilCleared) {
    DiretorioTemporario dir;
    Carro c(1, 1, Vetor());
    c.setMarcha(-1);
    EXPECT_EQ(c.getMarcha(), -1);
    EXPECT_TRUE(c.getMudancaMarcha());
    c.zerarMudancaMarcha();
    EXPECT_FALSE(c.getMudancaMarcha());
    c.setMarcha(0);  // a knock into neutral raises it too
    EXPECT_TRUE(c.getMudancaMarcha());
}

TEST(Carro, AnyMotionHoweverSmallIsNotStandingStill) {
    DiretorioTemporario dir;
    Carro c(1, 1, Vetor());
    c.setVelocidade(Vetor(1e-30f, 0));
    EXPECT_FALSE(c.isParado());
    c.setVelocidade(Vetor(0, -1e-30f));
    EXPECT_FALSE(c.isParado());
    c.setVelocidade(Vetor());
    c.setVelocidadeAngular(1e-30f);
    EXPECT_FALSE(c.isParado());
    c.setVelocidadeAngular(0);
    c.setVelocidade(Vetor(3, 4));
    EXPECT_FLOAT_EQ(c.getModuloVelocidade(), 5.0f);
}

TEST(Vetor, LengthOfAPythagoreanPair) {
    EXPECT_FLOAT_EQ(Vetor(3, 4).getModulo(), 5.0f);
    EXPECT_FLOAT_EQ(Vetor().getModulo(), 0.0f);
    // Squares beyond float range still give the right length in double.
    EXPECT_FLOAT_EQ(Vetor(3e20f, 4e20f).getModulo(), 5e20f);
}

namespace {

class Fisica : public ::testing::Test {
protected:
    Fisica() : carro(1, 1, Vetor(500, 500)) {
        carro.setFreio(1.0f);
    }
    // Forward speed along the heading, in the car's own frame.
    float frente() const {
        Vetor v = carro.getVelocidade();
        return v.getX() * std::sin(carro.getAngulo()) + v.getY() * std::cos(carro.getAngulo());
    }
    DiretorioTemporario dir;
    Carro carro;
    CarroCalculos calc;
};

}  // namespace

TEST_F(Fisica, GearModelFallsOffWithTheSquareOfTheDistanceFromTheBand) {
    float* mn = carro.getVelMinIdealMarcha();
    float* mx = carro.getVelMaxIdealMarcha();
    float* ac = carro.getAceleracaoIdealMarcha();
    EXPECT_FLOAT_EQ(calc.calcularAceleracao(mn, mx, ac, 1, 1, 0), 40.0f);
    EXPECT_NEAR(calc.calcularAceleracao(mn, mx, ac, 1, 3, 0), 140.0f / 361.0f, 1e-6);
    EXPECT_NEAR(calc.calcularAceleracao(mn, mx, ac, 1, 2, 30), 70.0f / 36.0f, 1e-6);
    EXPECT_FLOAT_EQ(calc.calcularAceleracao(mn, mx, ac, 1, -1, 0), -30.0f);
    EXPECT_FLOAT_EQ(calc.calcularAceleracao(mn, mx, ac, 1, 0, 5), 0.0f);
    // Inside the 6..10 overlap both gears pull fully; the band's ends count.
    EXPECT_FLOAT_EQ(calc.calcularAceleracao(mn, mx, ac, 1, 1, 8), 40.0f);
    EXPECT_FLOAT_EQ(calc.calcularAceleracao(mn, mx, ac, 1, 2, 8), 70.0f);
    EXPECT_FLOAT_EQ(calc.calcularAceleracao(mn, mx, ac, 0.5f, 3, 50), 70.0f);
    EXPECT_FLOAT_EQ(calc.sinal(0), 1.0f);
    EXPECT_FLOAT_EQ(calc.sinal(-2), -1.0f);
    EXPECT_FLOAT_EQ(calc.modulo(-2), 2.0f);
}

TEST_F(Fisica, NeutralNeitherPullsNorSteersAndSlowRollingStops) {
    carro.setMarcha(0);
    carro.setAceleracao(1.0f);
    carro.setAnguloVolante(0.8f);
    carro.setVelocidade(Vetor(0, 0.4f));
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_TRUE(carro.isParado());
    EXPECT_EQ(carro.getAngulo(), 0.0f);

    carro.setVelocidade(Vetor(0, -7.0f));  // backwards at any speed
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_EQ(carro.getModuloVelocidade(), 0.0f);

    carro.setVelocidade(Vetor(0, 20.0f));  // fast: just rolls on, slower
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_FLOAT_EQ(frente(), 19.2f);
    EXPECT_EQ(carro.getAngulo(), 0.0f);
}

TEST_F(Fisica, StandstillRuleNeedsBothLowSpeedAndNoThrottle) {
    carro.setMarcha(1);
    carro.setAceleracao(0.0f);
    carro.setVelocidade(Vetor(0, 0.4f / 0.96f));
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_EQ(carro.getModuloVelocidade(), 0.0f);

    carro.setAceleracao(0.005f);
    carro.setVelocidade(Vetor(0, 3.0f));
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_NEAR(frente(), 2.888f, 1e-5);
}

TEST_F(Fisica, FirstGearFromStandstillMovesRightAlongHeadingZero) {
    carro.setMarcha(1);
    carro.setAceleracao(1.0f);
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_FLOAT_EQ(carro.getVelocidade().getY(), 1.6f);
    EXPECT_NEAR(carro.getVelocidade().getX(), 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(carro.getPosicao().getY(), 500 + 1.6f * 0.64f);
    EXPECT_FLOAT_EQ(carro.getPosicao().getX(), 500);
}

TEST_F(Fisica, ReverseMovesBackwardsAlongTheHeading) {
    carro.setAngulo(static_cast<float>(M_PI / 2));  // facing down the screen
    carro.setMarcha(-1);
    carro.setAceleracao(1.0f);
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_NEAR(frente(), -1.2f, 1e-5);
    EXPECT_LT(carro.getPosicao().getX(), 500);  // moved up the screen
    EXPECT_NEAR(carro.getPosicao().getY(), 500, 1e-4);
}

TEST_F(Fisica, SteeringIsLimitedByWhatTheGearGives) {
    carro.setMarcha(1);
    carro.setAceleracao(1.0f);
    carro.setAnguloVolante(0.8f);
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_NEAR(carro.getVelocidadeAngular(), 0.04 * 40 * std::sin(0.8), 1e-4);  // about 1.15

    // Third gear at standstill gives 0.388: turning is capped to match.
    Carro lento(2, 1, Vetor(500, 500));
    lento.setFreio(1.0f);
    lento.setMarcha(3);
    lento.setAceleracao(1.0f);
    lento.setAnguloVolante(0.8f);
    lento.setVelocidade(Vetor(0, 1.0f / 0.96f));
    calc.calcularFisica(&lento, 0.04f);
    float esperado = 0.04f * std::sin(0.8f) * 140.0f / ((18.0f - 1.0f + 1.0f) * (18.0f - 1.0f + 1.0f));
    EXPECT_NEAR(lento.getVelocidadeAngular(), esperado, 1e-5);

    // Rolling forward in reverse gear the gear pulls back, and the same
    // wheel turns the car the other way.
    Carro re(3, 1, Vetor(500, 500));
    re.setFreio(1.0f);
    re.setMarcha(-1);
    re.setAceleracao(1.0f);
    re.setAnguloVolante(0.8f);
    re.setVelocidade(Vetor(0, 5.0f / 0.96f));
    calc.calcularFisica(&re, 0.04f);
    EXPECT_NEAR(re.getVelocidadeAngular(), 0.04f * std::sin(0.8f) * -30.0f / 36.0f, 1e-5);
}

TEST_F(Fisica, HeadingWrapsOncePerStep) {
    carro.setMarcha(0);
    carro.setAngulo(6.3f);
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_NEAR(carro.getAngulo(), 6.3f - 6.2831852f, 1e-5);

    carro.setAngulo(0.0f);
    carro.setVelocidadeAngular(-0.1f / 0.04f / 0.72f);
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_NEAR(carro.getAngulo(), 6.1831852f, 1e-4);
}

TEST_F(Fisica, BrakeFactorScalesBothComponentsAndZeroStopsDead) {
    carro.setMarcha(3);
    carro.setAceleracao(0.0f);
    carro.setAngulo(1.0f);
    // 10 forward, 5 sideways, expressed in map components.
    float sn = std::sin(1.0f), cs = std::cos(1.0f);
    carro.setVelocidade(Vetor(10 * sn + 5 * cs, 10 * cs - 5 * sn));
    carro.setFreio(0.5f);
    calc.calcularFisica(&carro, 0.04f);
    Vetor v = carro.getVelocidade();
    float f = v.getX() * sn + v.getY() * cs;
    float s = v.getX() * cs - v.getY() * sn;
    EXPECT_NEAR(f, 10 * 0.5f * 0.96f, 1e-4);  // the car-frame projection round trip
    EXPECT_NEAR(s, 5 * 0.5f * 0.92f, 1e-4);

    carro.setFreio(0.0f);
    calc.calcularFisica(&carro, 0.04f);
    EXPECT_EQ(carro.getModuloVelocidade(), 0.0f);
}
