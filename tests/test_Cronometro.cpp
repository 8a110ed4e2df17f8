#include <gtest/gtest.h>

#include "Cronometro.h"
#include "Relogio.h"

namespace {

class CronometroTest : public ::testing::Test {
protected:
    void TearDown() override { Relogio::setReal(); }

    // The reading at the given clock time, as minutes * 10000 + seconds * 100 + hundredths.
    static int leituraEm(const Cronometro& c, int ms) {
        Relogio::setManual(ms);
        return c.getMinutos() * 10000 + c.getSegundos() * 100 + c.getCentesimos();
    }
};

}  // namespace

TEST_F(CronometroTest, PausesShiftTheStartSoOnlyRunningTimeCounts) {
    // Start, stopped at once (loading), run, pause 3 s in the middle, finish.
    Relogio::setManual(40000);
    Cronometro c;
    c.start();
    c.pause();
    EXPECT_FALSE(c.isContando());
    // Stopped, it holds its reading: the race's first frame is drawn after
    // the start lights held the screen for seconds, and must read zero.
    EXPECT_EQ(leituraEm(c, 46500), 0);
    for (int t : {41000, 51000, 54000, 56340}) {
        Relogio::setManual(t);
        c.pause();  // first running frame, pause menu, resume, finish
    }
    EXPECT_EQ(c.getTotalTime(), 12340);
    EXPECT_EQ(leituraEm(c, 56390), 12'34);  // the finish screen holds the recorded time
    EXPECT_FALSE(c.isContando());
}

// The main loop sleeps in one go until 4 ms before the next 40 ms tick and
// polls from there; before any tick was seen, or once the tick is late, it
// polls every millisecond.
