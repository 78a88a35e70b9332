#include "core/WiesbeckLib.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr WiesAntIndex kDipol = 1, kInvV = 3, kFD4 = 4, kGPA50 = 6, kQuad = 7, kLoop17 = 8,
                       kLoop34 = 9, kFB53 = 10, kFBDO = 11;
constexpr BandIndex kLW = 1, k160m = 3, k80m = 4, k60m = 5, k40m = 6, k30m = 7, k20m = 8,
                    k17m = 9, k15m = 10, k12m = 11, k10m = 12, k2m = 15, k70cm = 16, k23cm = 17;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

WiesAntIndex antIndexOf(const std::string &name)
{
    for (WiesAntIndex a = 1; a <= kWiesAntCount; ++a)
        if (WiesAntName(a) == name)
            return a;
    return 0;
}

BandIndex bandIndexOf(const std::string &name)
{
    for (BandIndex b = 1; b <= kBandCount; ++b)
        if (BandName(b) == name)
            return b;
    return 0;
}

} // namespace

TEST(WiesbeckLib, AntennaNamesInListOrder)
{
    const std::vector<std::string> expected{"Dipol", "W3DZZ",     "Inv.V",     "FD4",
                                            "4-BTV", "GPA50",     "Quad",      "Loop 1.7m",
                                            "Loop 3.4m", "FB53",  "FBDO-505"};
    EXPECT_EQ(WiesAntNames(), expected);
    for (WiesAntIndex a = 1; a <= kWiesAntCount; ++a)
        EXPECT_EQ(WiesAntName(a), expected[a - 1]);
    for (WiesAntIndex a : {0, 12, -1, -99})
        EXPECT_EQ(WiesAntName(a), "") << a;
}

TEST(WiesbeckLib, KFitMatchesOnlyExactKeyBandAndAntenna)
{
    struct {
        const char *antenna, *band, *key;
        int position;
        double value;
    } cases[] = {
        {"Dipol", "160m", "PS", 1, 0.9},       {"Dipol", "70cm", "PS", 5, 7.8},
        {"Dipol", "2m", "PS", 4, 6},           {"W3DZZ", "80m", "PS", 5, 5.4},
        {"W3DZZ", "40m", "PS", 2, 1.9},        {"Inv.V", "40m", "PS", 3, 4.5},
        {"FD4", "17m", "PS", 4, 5},            {"FD4", "10m", "PS", 5, 7.2},
        {"4-BTV", "15m", "PS", 4, 8.4},        {"4-BTV", "10m", "PS", 5, 11.9},
        {"GPA50", "80m", "PS", 1, 5.6},        {"GPA50", "20m", "PS", 2, 3.6},
        {"Quad", "30m", "PS", 5, 8.9},         {"Quad", "2m", "PS", 1, 2.6},
        {"Loop 1.7m", "40m", "PS", 3, 6.8},    {"Loop 3.4m", "160m", "PS", 5, 12.9},
        {"Loop 3.4m", "80m", "PS", 3, 7.9},    {"FB53", "10m", "PS", 5, 16},
        {"FB53", "15m", "PS", 5, 9.9},         {"FBDO-505", "17m", "PS", 2, 3.1},
        {"FBDO-505", "10m", "PS", 4, 9.5},     {"Dipol", "80m", "PS", 0, 0},
        // no such row or cell
        {"", "80m", "PS", 1, -99},             {"Dipol", "", "PS", 1, -99},
        {"Dipol", "80m", "", 1, -99},          {"Dipol", "80m", "AM", 1, -99},
        {"dipol", "80m", "PS", 1, -99},        {"Dipol", "80m ", "PS", 1, -99},
        {"Dipol", "17m", "PS", 1, -99},        {"FB53", "40m", "PS", 1, -99},
        {"Dipol", "Fehler", "PS", 1, -99},     {"Dipol", "80m", "PS", -1, -99},
        {"Dipol", "80m", "PS", 6, -99},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(WiesKFit(c.antenna, c.band, c.key, c.position), c.value)
            << c.antenna << " " << c.band << " " << c.key << " " << c.position;
}

TEST(WiesbeckLib, KFitRowsAreConsistentWithTheOtherTables)
{
    const auto rows = WiesKFitRows();
    EXPECT_EQ(rows.size(), 48u);
    int directivityCells = 0;
    for (WiesAntIndex a = 1; a <= kWiesAntCount; ++a)
        for (BandIndex b = 1; b <= kBandCount; ++b)
            directivityCells += WiesDirectivity(a, b) != -99;
    EXPECT_EQ(directivityCells, 50); // two more than rows: Dipol 17m, Loop 1.7m 160m

    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.antenna) + " " + row.band);
        EXPECT_STREQ(row.key, "PS");
        const WiesAntIndex ant = antIndexOf(row.antenna);
        const BandIndex band = bandIndexOf(row.band);
        ASSERT_NE(ant, 0);
        ASSERT_NE(band, 0);
        EXPECT_NE(WiesDirectivity(ant, band), -99);
        EXPECT_EQ(row.values[0], 0);
        for (int i = 1; i < 6; ++i)
            EXPECT_GT(row.values[i], row.values[i - 1]);
        // Each grid point reads back, and above 1000 W the last interval goes on.
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(WiesKFitAtPower(ant, band, WiesPowerGrid[i]), row.values[i], 1e-12);
        EXPECT_NEAR(WiesKFitAtPower(ant, band, 1500), row.values[5] + (row.values[5] - row.values[4]),
                    1e-9);
        EXPECT_NEAR(WiesKFitAtPower(ant, band, 1000.001), row.values[5], 1e-3);
    }
}

TEST(WiesbeckLib, KFitAtPowerInterpolatesLinearly)
{
    struct {
        WiesAntIndex antenna;
        BandIndex band;
        double power, kFit;
    } cases[] = {
        {kDipol, k80m, 100, 1.6},   {kDipol, k80m, 75, 1.4},    {kDipol, k80m, 0, 0},
        {kDipol, k80m, 50, 1.2},    {kDipol, k80m, 350, 2.7},   {kDipol, k80m, 750, 3.75},
        {kDipol, k80m, 1000, 4.3},
        // above the grid the last interval goes on; a negative power has no distance
        {kDipol, k80m, 1500, 5.4},  {kDipol, k80m, 2000, 6.5},  {kDipol, k80m, -50, -99},
        {kGPA50, k80m, 150, 7.1},   {kFB53, k10m, 1200, 18.08},
        // no study row
        {kDipol, k17m, 100, -99},   {kFB53, k40m, 100, -99},    {kLoop17, k160m, 100, -99},
        {kDipol, k17m, 1500, -99},  {kDipol, 0, 100, -99},      {kDipol, -99, 100, -99},
        {kDipol, k23cm, 100, -99},  {0, k80m, 100, -99},        {12, k80m, 100, -99},
        {kDipol, k80m, kNaN, -99},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(WiesKFitAtPower(c.antenna, c.band, c.power), c.kFit, 1e-9)
            << c.antenna << " " << c.band << " " << c.power;
}

TEST(WiesbeckLib, KFitBelowFiftyWattsFallsWithTheRootOfThePower)
{
    // kFit(50 W) * sqrt(P / 50 W), worked out from the 50 W cells: Dipol 80m 1.2 m,
    // FB53 20m 2.5 m; from 50 W on the straight line to the 100 W cell (1.6 m, 3.2 m).
    struct {
        WiesAntIndex antenna;
        BandIndex band;
        double power, kFit;
    } cases[] = {
        {kDipol, k80m, 1, 0.1697056275},  {kDipol, k80m, 10, 0.5366563146},
        {kDipol, k80m, 25, 0.8485281374}, {kDipol, k80m, 49.99, 1.1998799940},
        {kDipol, k80m, 50, 1.2},          {kDipol, k80m, 75, 1.4},
        {kFB53, k20m, 1, 0.3535533906},   {kFB53, k20m, 10, 1.1180339887},
        {kFB53, k20m, 25, 1.7677669530},  {kFB53, k20m, 49.99, 2.4997499875},
        {kFB53, k20m, 50, 2.5},           {kFB53, k20m, 75, 2.85},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(WiesKFitAtPower(c.antenna, c.band, c.power), c.kFit, 1e-9)
            << c.antenna << " " << c.band << " " << c.power;
}

TEST(WiesbeckLib, HeightFactorByBandAndHeight)
{
    struct {
        BandIndex band;
        double height, factor;
    } cases[] = {
        {k80m, 2, 3.71},     {k80m, 3, 3.71},      {k80m, 5.5, 2.785},  {k80m, 5, 2.96},
        {k80m, 8.75, 1.685}, {k80m, 9, 1.6},       {k80m, 9.5, 1.0},    {k80m, -5, 3.71},
        {k160m, 9, 2},       {k160m, 9.001, 1.0},  {k160m, 3.25, 3.9175},
        {k40m, 3, 3.43},     {k40m, 9, 1.21},      {k40m, 10, 1.0},     {k30m, 7, 1.53},
        {k20m, 6.5, 1.385},  {k17m, 4, 2.26},      {k15m, 6.5, 1.135},  {k12m, 5.5, 1.2},
        {k10m, 3.5, 1.775},  {k10m, 8, 1.0},
        // bands without a row
        {k60m, 2, 1.0},      {k60m, 5.5, 1.0},     {k2m, 2, 1.0},       {k2m, 5.5, 1.0},
        {k70cm, 3, 1.0},     {kLW, 4, 1.0},        {0, 3, 1.0},         {-99, 3, 1.0},
        // a height that is no number gives no factor
        {k80m, kNaN, -99},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(WiesHeightFactor(c.band, c.height), c.factor, 1e-9)
            << c.band << " " << c.height;
}

TEST(WiesbeckLib, DirectivityByAntennaAndBand)
{
    struct {
        WiesAntIndex antenna;
        BandIndex band;
        double dbi;
    } cases[] = {
        {kFD4, k80m, 3.01},     {kFD4, k30m, -99},      {kFD4, k15m, -99},
        {kFD4, k17m, 6.33},     {kDipol, k17m, 2.15},   {kDipol, k70cm, 2.15},
        {kDipol, k60m, -99},    {kDipol, kLW, -99},     {kInvV, k40m, 3.42},
        {kQuad, k2m, 3.31},     {kQuad, k30m, 3.29},    {kLoop17, k160m, 1.76},
        {kLoop34, k40m, 1.6},   {kFB53, k10m, 9.16},    {kFBDO, k12m, 4.61},
        {kGPA50, k15m, 1.38},   {kDipol, 0, -99},       {kDipol, -99, -99},
        {0, k80m, -99},         {12, k80m, -99},        {-1, k80m, -99},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(WiesDirectivity(c.antenna, c.band), c.dbi) << c.antenna << " " << c.band;
    for (WiesAntIndex a = 1; a <= kWiesAntCount; ++a)
        for (BandIndex b = k23cm; b <= kBandCount; ++b)
            EXPECT_DOUBLE_EQ(WiesDirectivity(a, b), -99) << a << " " << b;
}

TEST(WiesbeckLib, DirCorrectionIsTheFieldRatio)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct {
        double used, study, factor, tolerance;
    } cases[] = {
        {2.15, 2.15, 1.0, 1e-12},
        {5.15, 2.15, 1.4125375, 1e-6},
        {2.15, 5.15, 1 / 1.4125375, 1e-6},
        {8.15, 2.15, 1.9952623, 1e-6},
        {2.0, -99, 112201.845, 1e-2}, // no study value: a very large factor
        {400, 400, 1.0, 1e-12},
        {kNaN, 2.15, -99, 0},
        {2.15, kNaN, -99, 0},
        {kInf, 2.15, -99, 0},
        {1e4, 0, -99, 0},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(WiesDirCorrection(c.used, c.study), c.factor, c.tolerance)
            << c.used << " " << c.study;
}

TEST(WiesbeckLib, BaseDistanceCombinesHeightSafetyAndKFit)
{
    struct {
        WiesAntIndex antenna;
        BandIndex band;
        double power, height, fsi, distance;
    } cases[] = {
        {kDipol, k80m, 100, 10, 1.4142, 1.6 * 1.4142},
        {kDipol, k80m, 100, 5, 1.4142, 2.96 * 1.6 * 1.4142},
        {kDipol, k80m, 1500, 10, 1.4142, 5.4 * 1.4142},
        {kDipol, k80m, 75, 2, 1.0, 3.71 * 1.4},
        {kDipol, k2m, 100, 3, 1.4142, 3 * 1.4142},
        {kFB53, k40m, 100, 3, 1.4142, -99},
        {kDipol, k17m, 100, 10, 1.4142, -99},
        {kDipol, 0, 100, 10, 1.4142, -99},
        {kDipol, k80m, 100, kNaN, 1.4142, -99},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(WiesBaseDistance(c.antenna, c.band, c.power, c.height, c.fsi), c.distance, 1e-9)
            << c.antenna << " " << c.band << " " << c.power << " " << c.height;
}
