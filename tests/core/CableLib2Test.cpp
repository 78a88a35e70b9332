#include "core/CableLib2.h"

#include "core/BandPlan.h"
#include "util/DecimalText.h"

#include "MessageRecorder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int Aircell7 = 1, AircomPlus = 2, CellFlexQuarter = 3, CellFlexHalf = 4, CellFlex78 = 5;
constexpr int H2000 = 10, RG8X = 11, RG11 = 12, RG58 = 13, RG174 = 16, RG213 = 18, RG213Foam = 19;
constexpr int RG400 = 24, Ultraflex10 = 25, Ultraflex7 = 26, BroadPro50 = 27, Airborne10 = 28;
constexpr int Airborne5 = 29;
constexpr int BNC = 0, N = 1, PL = 2, SMA = 3;

// The log-frequency interpolation written out independently of the lookup.
double LogInterpolated(double f, double f0, double a0, double f1, double a1) {
    return a0 + (a1 - a0) * (std::log10(f) - std::log10(f0)) / (std::log10(f1) - std::log10(f0));
}

const std::string kAbove5GHz = "Warnung (ConnectorAtt): Brauchbare Aussagen über Dämpfung von "
                               "Konnektoren sind bei Frequenzen über 5 GHz nicht möglich!";
const std::string kBadConnector = "Warnung (ConnectorAtt): ConnectorIDX nicht zwischen 0 und 3!";

} // namespace

// The names are also the cable entry of saved configurations, so every one must match.
TEST(CableCatalogue, NamesAndSentinel) {
    const char *names[kCableCount] = {
        "Aircell 7",  "Aircom plus", "CellFlex 1/4R", "CellFlex 1/2R", "CellFlex 7/8R",
        "EcoFlex 10", "EcoFlex 15",  "H100",          "H155",          "H2000",
        "RG8X",       "RG11",        "RG58",          "RG59",          "RG142",
        "RG174",      "RG212",       "RG213",         "RG213Foam",     "RG214",
        "RG217",      "RG218",       "RG220",         "RG400",         "Ultraflex10",
        "Ultraflex7", "BroadPro50",  "Airborne10",    "Airborne5",
    };
    for (int i = 1; i <= kCableCount; ++i)
        EXPECT_EQ(CableName(i), names[i - 1]) << i;
    EXPECT_EQ(CableName(kCableRG58), "RG58");
    EXPECT_EQ(CableName(kCableRG213), "RG213");
    for (int bad : {0, -1, 30, -99})
        EXPECT_EQ(CableName(bad), "ERR") << bad;
    EXPECT_TRUE(CableCurveOf(0).freq.empty());
    EXPECT_TRUE(CableCurveOf(30).att.empty());
}

TEST(CableCatalogue, PointsAndRangePerCable) {
    struct {
        int points;
        double first, last;
    } expected[kCableCount] = {
        {17, 0.1, 20000}, {17, 0.1, 20000}, {48, 0.5, 15800}, {49, 0.5, 8800},  {46, 0.5, 5000},
        {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000},
        {9, 1, 1000},     {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000},
        {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000},
        {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000}, {17, 0.1, 20000}, {25, 0.1, 6000},
        {25, 0.1, 6000},  {27, 0.1, 8000},  {27, 0.1, 8000},  {21, 0.1, 2000},
    };
    for (int i = 1; i <= kCableCount; ++i) {
        const CableCurve c = CableCurveOf(i);
        const auto &e = expected[i - 1];
        ASSERT_EQ(c.freq.size(), size_t(e.points)) << CableName(i);
        ASSERT_EQ(c.att.size(), size_t(e.points)) << CableName(i);
        EXPECT_EQ(c.freq.front(), e.first) << CableName(i);
        EXPECT_EQ(c.freq.back(), e.last) << CableName(i);
        // Just inside both ends the cable is usable, just outside it is not.
        EXPECT_GT(CableAtt100(i, e.first), 0) << CableName(i);
        EXPECT_GT(CableAtt100(i, e.last), 0) << CableName(i);
        EXPECT_EQ(CableAtt100(i, e.first * 0.999), kNoValue) << CableName(i);
        EXPECT_EQ(CableAtt100(i, e.last * 1.001), kNoValue) << CableName(i);
    }
}

// Grid points return the tabled value exactly, the last point included.
TEST(CableCatalogue, GridValuesAsTabled) {
    struct {
        int cable;
        double f, att;
    } cases[] = {
        // G17
        {Aircell7, 0.1, 0.21},
        {Aircell7, 1000, 24.5},
        {Aircell7, 20000, 157},
        {AircomPlus, 10000, 56.4333},
        {H2000, 5000, 21},
        {RG11, 0.1, 0.0133},
        {RG11, 200, 9.0924},
        {RG58, 0.1, 0.871},
        {RG58, 50, 10.5},
        {RG58, 20000, 451.2},
        {RG174, 1, 2.68},
        {RG213, 100, 6.12},
        {RG213, 200, 9.18},
        {RG213, 10000, 142.0333},
        {RG213Foam, 20000, 87.77},
        {RG400, 2000, 86.4686},
        {RG400, 20000, 370.6274},
        // G9
        {RG8X, 1, 0.9843},
        {RG8X, 400, 21.6546},
        {RG8X, 1000, 36.7472},
        // CellFlex, including points right after gaps of each cable
        {CellFlexQuarter, 0.5, 0.291},
        {CellFlexQuarter, 800, 12.4},
        {CellFlexQuarter, 894, 13.2},
        {CellFlexQuarter, 900, 13.1},
        {CellFlexQuarter, 3000, 25.3},
        {CellFlexQuarter, 9000, 47.3},
        {CellFlexQuarter, 15800, 66.2},
        {CellFlexHalf, 0.5, 0.149},
        {CellFlexHalf, 750, 6.17},
        {CellFlexHalf, 2700, 12.4},
        {CellFlexHalf, 8800, 24.6},
        {CellFlex78, 0.5, 0.078},
        {CellFlex78, 1400, 4.54},
        {CellFlex78, 4900, 9.17},
        {CellFlex78, 5000, 9.28},
        // GU grid, leading parts
        {Ultraflex10, 0.1, 0.22093},
        {Ultraflex10, 1293, 15.93116},
        {Ultraflex10, 6000, 44.25661},
        {Ultraflex7, 600, 15.15874},
        {Ultraflex7, 6000, 60.70718},
        {BroadPro50, 0.1, 0.21997},
        {BroadPro50, 8000, 41.88908},
        {Airborne10, 0.5, 0.39787},
        {Airborne10, 8000, 39.39796},
        {Airborne5, 0.1, 0.53554},
        {Airborne5, 300, 16.15216},
        {Airborne5, 2000, 43.41039},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CableAtt100(c.cable, c.f), c.att)
            << CableName(c.cable) << " at " << c.f << " MHz";
}

TEST(CableCatalogue, InterpolatesInLogFrequency) {
    struct {
        int cable;
        double f, f0, a0, f1, a1;
    } cases[] = {
        {RG213, 144, 100, 6.12, 200, 9.18},           // 2m
        {RG58, 7, 5, 3.25, 10, 4.7},                  // 40m
        {RG8X, 432, 400, 21.6546, 700, 29.8571},      // 70cm
        {CellFlexQuarter, 897, 894, 13.2, 900, 13.1}, // inside the dip
        {CellFlexQuarter, 750, 700, 11.5, 800, 12.4}, // 750 MHz is no point of this cable
        {CellFlex78, 4950, 4900, 9.17, 5000, 9.28},
        {Airborne5, 1500, 1293, 34.56911, 2000, 43.41039},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(CableAtt100(c.cable, c.f), LogInterpolated(c.f, c.f0, c.a0, c.f1, c.a1), 1e-12)
            << CableName(c.cable) << " at " << c.f << " MHz";

    // The worked value; a linear interpolation would give 7.47.
    EXPECT_NEAR(CableAtt100(RG213, 144), 7.73, 0.005);
    const double dip = CableAtt100(CellFlexQuarter, 897);
    EXPECT_LT(dip, 13.2);
    EXPECT_GT(dip, 13.1);
}

TEST(CableCatalogue, UnsuitableFrequenciesAndIndices) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct {
        int cable;
        double f;
    } cases[] = {
        {RG8X, 10000},
        {RG8X, 0.1357},
        {RG8X, 0.99},
        {RG58, 20000.01},
        {RG58, 0.0999},
        {RG58, 0},
        {RG58, -5},
        {RG58, nan},
        {RG58, inf},
        {CellFlexQuarter, 0.1357},
        {CellFlexHalf, 0.472},
        {CellFlex78, 0.1357},
        {CellFlex78, 0.472},
        {CellFlex78, 5600},
        {CellFlexHalf, 10000},
        {Airborne5, 3000},
        {Ultraflex10, 7000},
        {Ultraflex7, 8000},
        {0, 144},
        {30, 144},
        {-1, 144},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CableAtt100(c.cable, c.f), kNoValue) << c.cable << " at " << c.f << " MHz";
}

TEST(ConnectorLoss, LinearInFrequency) {
    struct {
        int connector;
        double f, loss;
    } cases[] = {
        {BNC, 2.0, 0.1},                     // 160m upper edge
        {PL, 70.03, 0.3 + 0.3 * 20.03 / 50}, // 4m upper edge
        {BNC, 1.8, 0.1},
        {PL, 1.8, 0.3},
        {N, 0.1378, 0.1},
        {PL, 0.479, 0.3},
        {SMA, -1, 0.1},
        {PL, 100, 0.6},
        {PL, 144, 0.75},
        {BNC, 289.5, 0.17},
        {N, 435, 0.15},
        {SMA, 1296, 0.25},
        {PL, 1798, 2.75},
        {BNC, 5600, 0.7},
        {N, 5600, 0.35},
        {PL, 5600, 3.2},
        {SMA, 4500, 0.35},
    };
    MessageRecorder rec;
    for (const auto &c : cases)
        EXPECT_NEAR(ConnectorAtt(c.connector, c.f), c.loss, 1e-12)
            << kConnectorNames[c.connector] << " at " << c.f << " MHz";
    EXPECT_TRUE(rec.empty()) << rec.allTexts();
}

// The window's guide table: every listed band (LW to 4m) at its upper edge, one decimal.
TEST(ConnectorLoss, GuideTableBands) {
    MessageRecorder rec;
    EXPECT_EQ(FormatValue("%3.1f", ConnectorAtt(BNC, BandUpperEdge(3))), "0,1");
    EXPECT_EQ(FormatValue("%3.1f", ConnectorAtt(PL, BandUpperEdge(14))), "0,4");
    for (BandIndex band = 1; band <= 14; ++band)
        for (int k = 0; k < kConnectorCount; ++k)
            EXPECT_GT(ConnectorAtt(k, BandUpperEdge(band)), 0)
                << BandName(band) << " " << kConnectorNames[k];
    EXPECT_TRUE(rec.empty()) << rec.allTexts();
}

TEST(ConnectorLoss, WarnsAndGivesNoValue) {
    struct {
        int connector;
        double f;
        const std::string &text;
    } cases[] = {
        {BNC, 5600.001, kAbove5GHz},
        {PL, 10000, kAbove5GHz},
        {SMA, std::numeric_limits<double>::infinity(), kAbove5GHz},
        {4, 144, kBadConnector},
        {-1, 144, kBadConnector},
        {4, 10000, kBadConnector}, // one warning, not two
    };
    for (const auto &c : cases) {
        MessageRecorder rec;
        EXPECT_EQ(ConnectorAtt(c.connector, c.f), kNoValue) << c.connector << " at " << c.f;
        ASSERT_EQ(rec.count(), 1u) << rec.allTexts();
        EXPECT_EQ(rec.messages()[0].kind, MessageKind::Warning);
        EXPECT_EQ(rec.messages()[0].text, c.text);
    }
}
