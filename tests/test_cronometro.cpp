#include <gtest/gtest.h>

#include "Cronometro.h"
#include "Relogio.h"

namespace {

class CronometroTest : public ::testing::Test {
protected:
    void TearDown() override { Relogio::setReal(); }

    void leituraEm(const Cronometro& c, int minutos, int segundos, int centesimos) {
        EXPECT_EQ(c.getMinutos(), minutos);
        EXPECT_EQ(c.getSegundos(), segundos);
        EXPECT_EQ(c.getCentesimos(), centesimos);
    }
};

}  // namespace

TEST_F(CronometroTest, ReadsMinutesSecondsAndHundredthsSinceStart) {
    Relogio::setManual(2500);
    Cronometro c;
    c.start();
    leituraEm(c, 0, 0, 0);
    Relogio::avancar(61234);
    leituraEm(c, 1, 1, 23);
    Relogio::setManual(2500 + 3599999);
    leituraEm(c, 59, 59, 99);
    Relogio::setManual(2500 + 3600000);
    leituraEm(c, 60, 0, 0);  // minutes do not wrap
}

TEST_F(CronometroTest, ARestartShiftsTheStartByTheStoppedInterval) {
    Relogio::setManual(1000);
    Cronometro c;
    c.start();
    Relogio::setManual(5000);
    c.pause();
    EXPECT_FALSE(c.isContando());
    Relogio::setManual(8000);
    c.pause();
    EXPECT_TRUE(c.isContando());
    Relogio::setManual(9000);
    leituraEm(c, 0, 5, 0);
}

TEST_F(CronometroTest, TotalTimeIsTheRunningTimeNotTheClockReading) {
    // Start, stopped at once (loading), run, pause 3 s in the middle, finish.
    Relogio::setManual(40000);
    Cronometro c;
    c.start();
    c.pause();
    Relogio::setManual(41000);
    c.pause();  // first running frame
    Relogio::setManual(51000);
    c.pause();  // pause menu
    Relogio::setManual(54000);
    c.pause();  // resume
    Relogio::setManual(56340);
    c.pause();  // finish
    EXPECT_EQ(c.getTotalTime(), 12340);
    leituraEm(c, 0, 12, 34);
}

TEST_F(CronometroTest, ToggleOnANeverStartedStopwatchStartsIt) {
    Relogio::setManual(7000);
    Cronometro c;
    c.pause();
    EXPECT_TRUE(c.isContando());
    Relogio::setManual(7250);
    leituraEm(c, 0, 0, 25);
}

TEST(Relogio, RealClockIsMonotonicMilliseconds) {
    Relogio::setReal();
    int antes = Relogio::getMilissegundos();
    EXPECT_GE(antes, 0);
    EXPECT_GE(Relogio::getMilissegundos(), antes);
}
