#include "core/BandPlan.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(BandPlan, TableEdgesAndNames)
{
    EXPECT_EQ(BandName(1), "LW");
    EXPECT_EQ(BandName(15), "2m");
    EXPECT_EQ(BandName(22), "1,2cm");
    EXPECT_EQ(BandName(27), "1,2mm");
    EXPECT_EQ(BandName(0), "Fehler");
    EXPECT_EQ(BandName(28), "Fehler");
    EXPECT_DOUBLE_EQ(BandLowerEdge(15), 144);
    EXPECT_DOUBLE_EQ(BandUpperEdge(21), 10500);
    EXPECT_DOUBLE_EQ(BandCenter(6), 7.1);
    EXPECT_DOUBLE_EQ(BandLowerEdge(0), -99);
    EXPECT_DOUBLE_EQ(BandUpperEdge(-99), -99);
}

TEST(BandPlan, BandOfFrequencyIncludesBothEdges)
{
    struct {
        double f;
        BandIndex band;
    } cases[] = {
        {7.0, 6}, {7.2, 6}, {7.25, -99}, {0.1357, 1}, {144, 15}, {146.0001, -99},
        {70.443, -99}, {250000, 27}, {24100, 22}, {0, -99},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BandOfFrequency(c.f), c.band) << c.f;
}

TEST(BandPlan, LimitsByFrequencyUseHalfOpenRows)
{
    struct {
        double f, e, h;
    } cases[] = {
        {0.003, 87, 5},
        {0.1499, 87, 5},
        {0.15, 87, 0.73 / 0.15},
        {1, 87, 0.73},
        {9.999, 87 / std::sqrt(9.999), 0.73 / 9.999},
        {10, 27.5, 0.073},
        {400, 27.5, 0.074},
        {1300, 1.375 * std::sqrt(1300.0), 0.0037 * std::sqrt(1300.0)},
        {2000, 61, 0.16},
        {299999, 61, 0.16},
        {300000, -99, -99},
        {0.0029, -99, -99},
        {-1, -99, -99},
    };
    for (const auto &c : cases) {
        EXPECT_NEAR(ELimitByFrequency(c.f), c.e, 1e-9) << c.f;
        EXPECT_NEAR(HLimitByFrequency(c.f), c.h, 1e-9) << c.f;
    }
    EXPECT_NEAR(ELimitByFrequency(9.999), 27.51, 0.005);
    EXPECT_NEAR(ELimitByFrequency(1300), 49.58, 0.005);
}

TEST(BandPlan, PerBandLimitsAreTheStrictConstants)
{
    struct {
        BandIndex band;
        double e, h;
    } cases[] = {
        {1, 87, 5},         {2, 87, 1.524},      {3, 61.518, 0.365}, {4, 44.63, 0.1921},
        {5, 37.582, 0.1362}, {6, 32.423, 0.1014}, {7, 27.5, 0.073},   {15, 27.5, 0.073},
        {16, 28.513, 0.0767}, {17, 48.419, 0.1334}, {18, 61, 0.16},   {21, 61, 0.16},
        {0, -99, -99},      {22, -99, -99},      {-99, -99, -99},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(ELimitByBand(c.band), c.e) << c.band;
        EXPECT_DOUBLE_EQ(HLimitByBand(c.band), c.h) << c.band;
    }
}

TEST(BandPlan, NearFieldBoundaryAtLowerEdge)
{
    EXPECT_NEAR(NearFieldBoundaryByBand(15), 2.997925e8 / 144e6 / 6.28318530718, 1e-12);
    EXPECT_NEAR(NearFieldBoundaryByBand(15), 0.3313, 5e-5);
    EXPECT_NEAR(NearFieldBoundaryByBand(3), 26.36, 0.005);
    EXPECT_NEAR(NearFieldBoundary(7), 6.816, 0.001);
    EXPECT_LT(NearFieldBoundaryByBand(0), 0);
}
