#include <gtest/gtest.h>

#include "CompassoQuadros.h"
#include "Cronometro.h"
#include "Relogio.h"

TEST(CompassoQuadros, SleepsUntilShortlyBeforeTheNextTickThenPolls) {
    CompassoQuadros c;
    EXPECT_EQ(c.getEsperaMs(500), 1);
    c.marcarTique(1000);
    EXPECT_EQ(c.getEsperaMs(1010), 26);
    EXPECT_EQ(c.getEsperaMs(1034), 2);
    EXPECT_EQ(c.getEsperaMs(1036), 1);
    EXPECT_EQ(c.getEsperaMs(1200), 1);
    EXPECT_EQ(c.getEsperaMs(900), 1);
}
