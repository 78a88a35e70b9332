#include "core/CableLib2.h"

#include "core/BandPlan.h"
#include "util/Messages.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Shared grids. The cables on the GU grid use only its leading part; each CellFlex cable
// has a grid of its own.

constexpr double kG17[] = {
    0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000,
};

constexpr double kG9[] = {
    1, 10, 50, 100, 200, 400, 700, 900, 1000,
};

constexpr double kGU[] = {
    0.1, 0.2, 0.5, 1,   2,    5,    10,   20,   50,   100,  200,  300,  400,  500,
    600, 700, 800, 900, 1000, 1293, 2000, 3000, 4000, 5000, 6000, 7000, 8000,
};

constexpr double kCellFlexQuarterGrid[] = {
    0.5,  1,    1.5,  2,    10,   20,   30,   50,   88,    100,   108,   150,
    174,  200,  300,  400,  450,  500,  512,  600,  700,   800,   824,   894,
    900,  925,  960,  1000, 1250, 1500, 1700, 1800, 2000,  2100,  2200,  2400,
    3000, 3500, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 12000, 14000, 15800,
};

constexpr double kCellFlexHalfGrid[] = {
    0.5,  1,    1.5,  2,    10,   20,   30,   50,   88,   100,  108,  150,  174,
    200,  300,  400,  450,  500,  512,  600,  700,  750,  800,  824,  894,  900,
    925,  960,  1000, 1250, 1400, 1500, 1700, 1800, 2000, 2100, 2200, 2400, 2500,
    2600, 2700, 3000, 3500, 4000, 5000, 6000, 7000, 8000, 8800,
};

constexpr double kCellFlexSevenEighthsGrid[] = {
    0.5,  1,    1.5,  2,    10,   20,   30,   50,   88,   100,  108,  150,  174,  200,  300,  400,
    450,  500,  512,  600,  700,  750,  800,  824,  894,  900,  925,  960,  1000, 1250, 1400, 1500,
    1700, 1800, 2000, 2100, 2200, 2400, 2500, 2600, 2700, 3000, 3500, 4000, 4900, 5000,
};

constexpr double kAircell7[] = {
    0.21, 0.23, 0.29, 0.39, 0.59, 1, 1.5, 2.4, 4, 6, 9, 15.5, 24.5, 37, 57, 90.3333, 157,
};

constexpr double kAircomPlus[] = {
    0.22, 0.24, 0.3, 0.4, 0.6, 1.1, 1.9, 2.2, 2.7, 3.3, 5.3, 9, 12.5, 20.7, 34.1, 56.4333, 101.1,
};

// Falls from 13.2 at 894 MHz to 13.1 at 900 MHz: that dip is in the published data.
constexpr double kCellFlexQuarter[] = {
    0.291, 0.412, 0.505, 0.583, 1.31, 1.86, 2.28, 2.95, 3.94, 4.2,  4.37, 5.17,
    5.58,  6,     7.4,   8.59,  9.13, 9.65, 9.77, 10.6, 11.5, 12.4, 12.6, 13.2,
    13.1,  13.4,  13.6,  13.9,  15.7, 17.3, 18.5, 19.1, 20.2, 20.8, 21.3, 22.3,
    25.3,  27.5,  29.7,  33.7,  37.4, 40.8, 44.1, 47.3, 50.3, 56.1, 61.5, 66.2,
};

constexpr double kCellFlexHalf[] = {
    0.149, 0.211, 0.258, 0.298, 0.671, 0.951, 1.17, 1.51, 2.02, 2.16, 2.24, 2.66, 2.87,
    3.08,  3.81,  4.43,  4.71,  4.98,  5.04,  5.48, 5.95, 6.17, 6.39, 6.49, 6.78, 6.8,
    6.9,   7.04,  7.2,   8.12,  8.64,  8.97,  9.61, 9.91, 10.5, 10.8, 11.1, 11.6, 11.9,
    12.2,  12.4,  13.2,  14.4,  15.5,  17.6,  19.6, 21.4, 23.2, 24.6,
};

constexpr double kCellFlexSevenEighths[] = {
    0.078, 0.11, 0.135, 0.156, 0.351, 0.498, 0.612, 0.793, 1.06, 1.13, 1.18, 1.39,
    1.5,   1.62, 2,     2.32,  2.47,  2.61,  2.64,  2.88,  3.12, 3.24, 3.35, 3.41,
    3.56,  3.57, 3.62,  3.7,   3.78,  4.27,  4.54,  4.71,  5.05, 5.21, 5.52, 5.67,
    5.82,  6.11, 6.25,  6.39,  6.53,  6.93,  7.56,  8.16,  9.17, 9.28,
};

constexpr double kEcoFlex10[] = {
    0.215, 0.23, 0.275, 0.35, 0.5, 0.8, 1.2, 1.73, 2.85, 4, 5.8, 9.8, 14.2, 21.2, 38, 66, 122,
};

constexpr double kEcoFlex15[] = {
    0.21, 0.22, 0.25, 0.3, 0.4,  0.6,  0.86,    1.38, 1.96,
    2.81, 4.05, 6.7,  9.8, 14.7, 25.7, 44.0333, 80.7,
};

constexpr double kH100[] = {
    0.234, 0.248, 0.29, 0.36,  0.5, 0.83, 1.3,     1.75, 2.9,
    4.18,  6.05,  10,   14.95, 22,  31.5, 47.3333, 79,
};

constexpr double kH155[] = {
    0.26, 0.37,  0.59, 0.85, 1.22,  1.97,  2.83,   4.06,   6.56,
    9.41, 13.51, 21.8, 31.3, 44.93, 72.47, 104.05, 149.39,
};

constexpr double kH2000[] = {
    0.186, 0.202, 0.25, 0.33, 0.49, 0.78, 1.2, 1.7, 2.8, 3.9, 5.6, 9, 13, 19, 21, 24.3333, 31,
};

constexpr double kRG8X[] = {
    0.9843, 2.9529, 6.8901, 10.1711, 14.7645, 21.6546, 29.8571, 35.1067, 36.7472,
};

constexpr double kRG11[] = {
    0.0133, 0.0266, 0.0665,  0.1331, 0.2661,  0.6653,   1.3305,  2.661,    4.2847,
    6.991,  9.0924, 15.3968, 25.904, 46.9184, 109.9618, 215.034, 425.1784,
};

constexpr double kRG58[] = {
    0.871, 0.932, 1.115, 1.42, 2.03, 3.25,  4.7,      6.7,   10.5,
    15,    21.9,  36.3,  54.5, 83.4, 144.7, 246.8667, 451.2,
};

constexpr double kRG59[] = {
    0.023,  0.046,   0.1151,  0.2302, 0.4604,  1.151,    2.302,   4.604,    7.0029,
    11.001, 14.0361, 23.1414, 38.317, 68.6681, 159.7214, 311.477, 614.9881,
};

constexpr double kRG142[] = {
    0.0309, 0.0618,  0.1545,  0.309,  0.6179,  1.5448,   3.0895,   6.179,    9.3211,
    14.558, 18.6354, 30.8678, 51.255, 68.6168, 120.7022, 207.5112, 381.1292,
};

constexpr double kRG174[] = {
    1.69, 1.8,  2.13, 2.68, 3.78, 6.03,  8.8,   12.4,  19.5,
    27.5, 39.6, 64.4, 94.1, 139,  232.9, 389.4, 702.4,
};

constexpr double kRG212[] = {
    0.0212, 0.0424,  0.1059,  0.2118, 0.4236,  1.059,   2.118,    4.236,    6.5756,
    10.475, 13.4656, 22.4372, 37.39,  50.3054, 89.0516, 153.6286, 282.7826,
};

constexpr double kRG213[] = {
    0.344, 0.368, 0.44,  0.56, 0.8,  1.28, 1.86,     2.66,  4.23,
    6.12,  9.18,  16.17, 25.9, 42.3, 79.7, 142.0333, 266.7,
};

constexpr double kRG213Foam[] = {
    0.07, 0.1,  0.17,  0.26,  0.39,  0.67,  1,     1.51,  2.58,
    3.88, 5.84, 10.01, 15.06, 22.64, 38.82, 58.37, 87.77,
};

constexpr double kRG214[] = {
    0.0142, 0.0284, 0.0709,  0.1418, 0.2836, 0.709,  1.418,  2.836,  4.4939,
    7.257,  9.5481, 16.4214, 27.877, 38.664, 71.025, 124.96, 232.83,
};

constexpr double kRG217[] = {
    0.0086, 0.0171, 0.0428,  0.0857, 0.1713,  0.4283,  0.8565,  1.713,    2.7803,
    4.559,  6.0958, 10.7061, 18.39,  25.7736, 47.9244, 84.8424, 158.6784,
};

constexpr double kRG218[] = {
    0.0055, 0.011,  0.0276, 0.0551, 0.1103,  0.2758,  0.5515, 1.103,    1.7634,
    2.864,  3.7681, 6.4804, 11.001, 20.0421, 47.1654, 92.371, 182.7821,
};

constexpr double kRG220[] = {
    0.106, 0.112, 0.13, 0.16, 0.22, 0.38, 0.56, 0.83, 1.4,
    2.18,  3.2,   5.5,  8.3,  12.5, 17,   24.5, 39.5,
};

constexpr double kRG400[] = {
    0.0326, 0.0652,  0.163,   0.326,  0.6519,  1.6298,   3.2595,   6.519,    9.99,
    15.775, 21.8758, 40.1781, 70.682, 86.4686, 133.8284, 212.7614, 370.6274,
};

constexpr double kUltraflex10[] = {
    0.22093,  0.251,    0.37882,  0.53633,  0.72161,  1.04042,  1.35003,  1.79053,  2.78005,
    3.97389,  5.76293,  7.11679,  8.32063,  9.39099,  10.3537,  11.26862, 12.16983, 12.94512,
    13.74643, 15.93116, 20.73606, 26.59084, 32.37636, 37.27789, 44.25661,
};

constexpr double kUltraflex7[] = {
    0.25295,  0.30691,  0.47549,  0.70241,  1.04883,  1.58423,  2.0919,   2.76509,  4.12545,
    5.84218,  8.48376,  10.50069, 12.21277, 13.77787, 15.15874, 16.47834, 17.72231, 18.87325,
    19.97892, 23.03192, 29.50397, 37.43956, 45.00877, 52.21822, 60.70718,
};

constexpr double kBroadPro50[] = {
    0.21997,  0.25012,  0.36825,  0.51277,  0.71878,  1.01395,  1.30287,  1.70011,  2.56847,
    3.68722,  5.34115,  6.61284,  7.72043,  8.64364,  9.54051,  10.32742, 11.13592, 11.80957,
    12.56427, 14.49181, 18.41331, 23.19492, 27.50644, 31.14602, 34.94642, 38.35126, 41.88908,
};

constexpr double kAirborne10[] = {
    0.31584,  0.32636,  0.39787,  0.50505,  0.66466,  0.94114,  1.20262,  1.58401,  2.3944,
    3.46958,  5.05921,  6.24974,  7.37798,  8.36077,  9.26276,  10.02632, 10.79401, 11.52494,
    12.20555, 14.14124, 17.95799, 22.08614, 26.16153, 29.73019, 33.59509, 36.47689, 39.39796,
};

constexpr double kAirborne5[] = {
    0.53554,  0.66076,  0.83309,  1.12091,  1.69134,  2.63503,  3.50778,
    4.73722,  7.1615,   9.62354,  13.17331, 16.15216, 18.77821, 21.12435,
    23.24143, 25.21167, 27.02794, 28.68387, 30.27418, 34.56911, 43.41039,
};

struct CableEntry {
    const char *name;
    std::span<const double> freq;
    std::span<const double> att;
};

constexpr CableEntry kCables[] = {
    {"Aircell 7", kG17, kAircell7},
    {"Aircom plus", kG17, kAircomPlus},
    {"CellFlex 1/4R", kCellFlexQuarterGrid, kCellFlexQuarter},
    {"CellFlex 1/2R", kCellFlexHalfGrid, kCellFlexHalf},
    {"CellFlex 7/8R", kCellFlexSevenEighthsGrid, kCellFlexSevenEighths},
    {"EcoFlex 10", kG17, kEcoFlex10},
    {"EcoFlex 15", kG17, kEcoFlex15},
    {"H100", kG17, kH100},
    {"H155", kG17, kH155},
    {"H2000", kG17, kH2000},
    {"RG8X", kG9, kRG8X},
    {"RG11", kG17, kRG11},
    {"RG58", kG17, kRG58},
    {"RG59", kG17, kRG59},
    {"RG142", kG17, kRG142},
    {"RG174", kG17, kRG174},
    {"RG212", kG17, kRG212},
    {"RG213", kG17, kRG213},
    {"RG213Foam", kG17, kRG213Foam},
    {"RG214", kG17, kRG214},
    {"RG217", kG17, kRG217},
    {"RG218", kG17, kRG218},
    {"RG220", kG17, kRG220},
    {"RG400", kG17, kRG400},
    {"Ultraflex10", std::span(kGU).first(25), kUltraflex10},
    {"Ultraflex7", std::span(kGU).first(25), kUltraflex7},
    {"BroadPro50", std::span(kGU).first(27), kBroadPro50},
    {"Airborne10", std::span(kGU).first(27), kAirborne10},
    {"Airborne5", std::span(kGU).first(21), kAirborne5},

};

static_assert(std::size(kCables) == kCableCount);

// The lookup relies on matching lengths and strictly increasing positive grids.
constexpr bool CurvesAreWellFormed() {
    for (const CableEntry &c : kCables) {
        if (c.freq.size() < 2 || c.freq.size() != c.att.size() || c.freq[0] <= 0)
            return false;
        for (size_t i = 1; i < c.freq.size(); ++i)
            if (!(c.freq[i - 1] < c.freq[i]))
                return false;
    }
    return true;
}
static_assert(CurvesAreWellFormed());

constexpr double kConnectorFreq[] = {
    1.8, 3.6, 7.0, 10, 14, 18, 21, 24.5, 28, 50, 100, 144, 435, 1296, 2300, 3400, 5600,
};

// Rows by ConnectorIDX: BNC, N, PL, SMA.
constexpr double kConnectorLoss[kConnectorCount][std::size(kConnectorFreq)] = {
    {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.14, 0.2, 0.5, 0.7, 0.7, 0.7},
    {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.14, 0.15, 0.25, 0.35, 0.35, 0.35},
    {0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.6, 0.75, 1.25, 2.3, 3.2, 3.2, 3.2},
    {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.14, 0.15, 0.25, 0.35, 0.35, 0.35},
};

bool IsCableIndex(int index) {
    return index >= 1 && index <= kCableCount;
}

} // namespace

CableCurve CableCurveOf(int index) {
    if (!IsCableIndex(index))
        return {};
    const CableEntry &c = kCables[index - 1];
    return {c.freq, c.att};
}

std::string CableName(int index) {
    return IsCableIndex(index) ? kCables[index - 1].name : "ERR";
}

double CableAtt100(int index, double fMHz) {
    if (!IsCableIndex(index))
        return kNoValue;
    const auto &F = kCables[index - 1].freq;
    const auto &A = kCables[index - 1].att;
    // Written as a negated range test so that NaN falls out as unsuitable too.
    if (!(fMHz >= F.front() && fMHz <= F.back()))
        return kNoValue;
    // Returned directly: Ai + (An - Ai) * 1 need not round back to An.
    if (fMHz == F.back())
        return A.back();
    // Interval i with F[i] <= f < F[i+1]; f < F.back() keeps i + 1 inside the curve.
    const size_t i =
        static_cast<size_t>(std::upper_bound(F.begin(), F.end(), fMHz) - F.begin()) - 1;
    const double lf = std::log10(fMHz), l0 = std::log10(F[i]), l1 = std::log10(F[i + 1]);
    return A[i] + (A[i + 1] - A[i]) * (lf - l0) / (l1 - l0);
}

double ConnectorAtt(int connectorIdx, double fMHz) {
    // The index is checked first: without a row there is nothing to look up at any frequency.
    if (connectorIdx < 0 || connectorIdx >= kConnectorCount) {
        ShowWarning("Warnung (ConnectorAtt): ConnectorIDX nicht zwischen 0 und 3!");
        return kNoValue;
    }
    if (std::isnan(fMHz))
        return kNoValue;
    const auto &G = kConnectorFreq;
    const auto &R = kConnectorLoss[connectorIdx];
    constexpr size_t last = std::size(kConnectorFreq) - 1;
    // Largest d with G[d] < f, or 0 when f is at or below the first grid point.
    const size_t below =
        static_cast<size_t>(std::lower_bound(std::begin(G), std::end(G), fMHz) - std::begin(G));
    const size_t d = below == 0 ? 0 : below - 1;
    if (d == last) {
        ShowWarning(
            "Warnung (ConnectorAtt): Brauchbare Aussagen über Dämpfung von Konnektoren sind "
            "bei Frequenzen über 5 GHz nicht möglich!");
        return kNoValue;
    }
    // A flat interval (all rows start flat) gives its value even for far-off frequencies below.
    if (R[d + 1] == R[d])
        return R[d];
    const double t = (fMHz - G[d]) / (G[d + 1] - G[d]);
    return R[d] + t * (R[d + 1] - R[d]);
}
