#include "util/NumRoutines.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

TEST(NumRoutines, LogarithmsWithSentinels)
{
    EXPECT_DOUBLE_EQ(Log10OrZero(100), 2);
    EXPECT_DOUBLE_EQ(Log10OrZero(-5), 0);
    EXPECT_DOUBLE_EQ(DbToFactor(10), 10);
    EXPECT_DOUBLE_EQ(Pow10(-2), 0.01);
}

TEST(NumRoutines, RangeTestsAtTheirBounds)
{
    EXPECT_FALSE(InHalfOpenRange(400, 10, 400));
    EXPECT_TRUE(InHalfOpenRange(400, 400, 2000));
    EXPECT_TRUE(InClosedRange(7.2, 7, 7.2));
    EXPECT_TRUE(WithinPercent(10, 7.1, 7.81));
    EXPECT_FALSE(WithinPercent(10, 7.1, 7.82));
}

TEST(NumRoutines, DigitsAndDecades)
{
    struct {
        double x;
        int digits;
        double ceil, floor;
    } cases[] = {
        {0.23, 1, 0.3, 0.2},
        {230, 3, 300, 200},
        {-230, 3, -200, -300},
        {9.99, 1, 10, 9},
        {12345, 5, 20000, 10000},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IntDigits(c.x), c.digits) << c.x;
        EXPECT_NEAR(DecadeCeil(c.x), c.ceil, 1e-12) << c.x;
        EXPECT_NEAR(DecadeFloor(c.x), c.floor, 1e-12) << c.x;
    }
    EXPECT_EQ(DecadeCeil(0), 0);
    EXPECT_EQ(Decade(0), 0);
}

TEST(NumRoutines, RoundingAndSigns)
{
    EXPECT_EQ(RoundedMean(1, 2), 2);  // 1.5 -> 2
    EXPECT_EQ(RoundedMean(2, 3), 2);  // 2.5 -> 2
    EXPECT_EQ(RoundedMean(-3, 0), -2); // -1.5 -> -2
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(SignOf(0), 1);
    EXPECT_EQ(SignOf(-0.1), -1);
    EXPECT_EQ(ClampNonNegative(-3), 0);
    EXPECT_EQ(MaxOf(2, 5), 5);
    EXPECT_EQ(MinOf(2.5, -1.0), -1.0);
    EXPECT_EQ(FloorInt(-0.5), -1);
    // No integer exists: saturated, never undefined.
    EXPECT_EQ(FloorInt(INFINITY), INT_MAX);
    EXPECT_EQ(FloorInt(-1e300), INT_MIN);
    EXPECT_EQ(FloorInt(NAN), 0);
    EXPECT_EQ(IntDigits(INFINITY), INT_MAX);
}

TEST(NumRoutines, AnglesInDegrees)
{
    struct {
        double y, x, degrees;
    } cases[] = {
        {0, -1, 180}, {-1, 0, -90}, {0, 0, 90}, {1, 1, 45}, {-1, -1, -135}, {1, -1, 135},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(AngleDeg(c.y, c.x), c.degrees, 1e-6) << c.y << "," << c.x;
    EXPECT_NEAR(SinDeg(30), 0.5, 1e-9);
    EXPECT_NEAR(CosDeg(60), 0.5, 1e-9);
    EXPECT_NEAR(RadToDeg(1), 57.29577951308232, 1e-12);
}
