#include "views/draw/DrawCommon.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace ui;

TEST(DrawCommon, PixelRoundingHalvesToEven)
{
    EXPECT_EQ(RoundPixel(0.5), 0);
    EXPECT_EQ(RoundPixel(1.5), 2);
    EXPECT_EQ(RoundPixel(2.5), 2);
    EXPECT_EQ(RoundPixel(-1.5), -2);
    EXPECT_EQ(RoundPixel(165.55), 166);
    EXPECT_EQ(RoundPixel(std::nan("")), 0);
    EXPECT_EQ(RoundPixel(1e300), INT_MAX);
    EXPECT_EQ(RoundPixel(-1e300), INT_MIN);
}

TEST(DrawCommon, ClampedPixelStaysWithinTheLimit)
{
    EXPECT_EQ(ClampedPixel(2.5), 2);
    EXPECT_EQ(ClampedPixel(std::nan("")), 0);
    EXPECT_EQ(ClampedPixel(1e300), 1000000);
    EXPECT_EQ(ClampedPixel(-HUGE_VAL), -1000000);
}
