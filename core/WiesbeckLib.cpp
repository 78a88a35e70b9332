#include "core/WiesbeckLib.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<const char *, kWiesAntCount> kAntNames{
    "Dipol", "W3DZZ", "Inv.V", "FD4", "4-BTV", "GPA50",
    "Quad", "Loop 1.7m", "Loop 3.4m", "FB53", "FBDO-505",
};

// Only the person-protection rows: the study's per-mode rows are never looked up.
constexpr WiesKFitRow kKFitRows[] = {
    {"PS", "160m", "Dipol", {0, 0.9, 1.2, 1.7, 2.5, 3.5}},
    {"PS", "80m", "Dipol", {0, 1.2, 1.6, 2.2, 3.2, 4.3}},
    {"PS", "40m", "Dipol", {0, 1.5, 2, 2.6, 4.1, 5.8}},
    {"PS", "30m", "Dipol", {0, 1.9, 2.6, 3.7, 5.8, 8.1}},
    {"PS", "20m", "Dipol", {0, 1.9, 2.6, 3.7, 5.7, 8.1}},
    {"PS", "15m", "Dipol", {0, 1.9, 2.6, 3.7, 5.7, 8.1}},
    {"PS", "12m", "Dipol", {0, 1.9, 2.6, 3.7, 5.7, 8.1}},
    {"PS", "10m", "Dipol", {0, 1.9, 2.6, 3.7, 5.7, 8.1}},
    {"PS", "2m", "Dipol", {0, 2, 3, 4, 6, 8.5}},
    {"PS", "70cm", "Dipol", {0, 1.8, 2.5, 3.5, 5.5, 7.8}},
    {"PS", "80m", "W3DZZ", {0, 1.8, 2.4, 3.1, 4.3, 5.4}},
    {"PS", "40m", "W3DZZ", {0, 1.5, 1.9, 2.6, 4, 5.6}},
    {"PS", "80m", "Inv.V", {0, 2.3, 3, 3.8, 5.3, 6.6}},
    {"PS", "40m", "Inv.V", {0, 2.4, 3.3, 4.5, 6.6, 8.7}},
    {"PS", "80m", "FD4", {0, 1.3, 1.7, 2.3, 3.5, 4.6}},
    {"PS", "40m", "FD4", {0, 1.5, 2.1, 3, 4.6, 6.4}},
    {"PS", "20m", "FD4", {0, 1.7, 2.3, 3.3, 5.2, 7.5}},
    {"PS", "17m", "FD4", {0, 1.6, 2.3, 3.2, 5, 7.2}},
    {"PS", "12m", "FD4", {0, 1.9, 2.6, 3.7, 5.7, 8.1}},
    {"PS", "10m", "FD4", {0, 1.5, 2.2, 3, 4.8, 7.2}},
    {"PS", "40m", "4-BTV", {0, 3.5, 4.1, 5.1, 6.8, 8.9}},
    {"PS", "20m", "4-BTV", {0, 3.6, 4.6, 5.9, 8.3, 11.1}},
    {"PS", "15m", "4-BTV", {0, 3.6, 4.6, 5.9, 8.4, 11.2}},
    {"PS", "10m", "4-BTV", {0, 3.2, 4.1, 5.5, 8.6, 11.9}},
    {"PS", "80m", "GPA50", {0, 5.6, 6.5, 7.7, 9.4, 11}},
    {"PS", "40m", "GPA50", {0, 3.8, 4.6, 5.4, 6.9, 8.3}},
    {"PS", "20m", "GPA50", {0, 2, 3.6, 4.5, 6.4, 8.2}},
    {"PS", "15m", "GPA50", {0, 2.5, 3.2, 3.9, 5.7, 7.5}},
    {"PS", "10m", "GPA50", {0, 2.5, 3.2, 4.2, 6, 8.1}},
    {"PS", "30m", "Quad", {0, 1.5, 2.1, 3.3, 5.2, 8.9}},
    {"PS", "20m", "Quad", {0, 1.5, 2.3, 3.4, 6.2, 9.1}},
    {"PS", "15m", "Quad", {0, 1.9, 2.4, 3.9, 6.5, 9.2}},
    {"PS", "12m", "Quad", {0, 1.8, 2.6, 4.2, 6.6, 9.2}},
    {"PS", "10m", "Quad", {0, 1.7, 2.8, 4.1, 6.6, 9.4}},
    {"PS", "2m", "Quad", {0, 2.6, 3.1, 4.6, 7.1, 9.6}},
    {"PS", "80m", "Loop 1.7m", {0, 6.2, 7, 8, 9.5, 10.8}},
    {"PS", "40m", "Loop 1.7m", {0, 5.2, 5.9, 6.8, 8.2, 9.5}},
    {"PS", "160m", "Loop 3.4m", {0, 7.6, 8.6, 9.7, 11.4, 12.9}},
    {"PS", "80m", "Loop 3.4m", {0, 6.2, 7, 7.9, 9.4, 10.7}},
    {"PS", "40m", "Loop 3.4m", {0, 5, 5.8, 6.7, 8, 9.3}},
    {"PS", "20m", "FB53", {0, 2.5, 3.2, 4.4, 6.1, 9.1}},
    {"PS", "15m", "FB53", {0, 2.3, 3, 3.8, 6, 9.9}},
    {"PS", "10m", "FB53", {0, 2.6, 3.6, 6, 10.8, 16}},
    {"PS", "20m", "FBDO-505", {0, 2.5, 3.4, 4.3, 6.9, 10.7}},
    {"PS", "17m", "FBDO-505", {0, 2.3, 3.1, 4.1, 6.3, 8.9}},
    {"PS", "15m", "FBDO-505", {0, 2.4, 3, 4.8, 8.6, 12.9}},
    {"PS", "12m", "FBDO-505", {0, 2.5, 3.3, 4.9, 7.3, 10.5}},
    {"PS", "10m", "FBDO-505", {0, 2.6, 3.4, 5.4, 9.5, 14.1}},
};

// Directivity in dBi by antenna (rows) and band index 1..16 (LW .. 70cm); N = not studied.
constexpr double N = kNoValue;
constexpr BandIndex kDirBands = 16;
constexpr std::array<std::array<double, kDirBands>, kWiesAntCount> kDirectivity{{
    {N, N, 2.15, 2.15, N, 2.15, 2.15, 2.15, 2.15, 2.15, 2.15, 2.15, N, N, 2.15, 2.15}, // Dipol
    {N, N, N, 2.15, N, 2.15, N, N, N, N, N, N, N, N, N, N},                          // W3DZZ
    {N, N, N, 3.35, N, 3.42, N, N, N, N, N, N, N, N, N, N},                          // Inv.V
    {N, N, N, 3.01, N, 4.01, N, 5.13, 6.33, N, 6.71, 7.79, N, N, N, N},              // FD4
    {N, N, N, N, N, 4.84, N, 5.31, N, 6.73, N, 6.88, N, N, N, N},                    // 4-BTV
    {N, N, N, 1.57, N, 2.65, N, 1.54, N, 1.38, N, 1.89, N, N, N, N},                 // GPA50
    {N, N, N, N, N, N, 3.29, 3.3, N, 3.31, 3.31, 3.31, N, N, 3.31, N},               // Quad
    {N, N, 1.76, 1.75, N, 1.72, N, N, N, N, N, N, N, N, N, N},                       // Loop 1.7m
    {N, N, 1.75, 1.72, N, 1.6, N, N, N, N, N, N, N, N, N, N},                        // Loop 3.4m
    {N, N, N, N, N, N, N, 6.36, N, 6.67, N, 9.16, N, N, N, N},                       // FB53
    {N, N, N, N, N, N, N, 6.34, 5.64, 7.29, 4.61, 7.79, N, N, N, N},                 // FBDO-505
}};

// "Faktor Höhe und Boden" at 3, 4, ... 9 m antenna height.
struct HeightRow {
    const char *band;
    std::array<double, 7> factors;
};

constexpr HeightRow kHeightRows[] = {
    {"160m", {4, 3.67, 3.33, 3, 2.67, 2.33, 2}},
    {"80m", {3.71, 3.32, 2.96, 2.61, 2.27, 1.94, 1.6}},
    {"40m", {3.43, 3.01, 2.62, 2.25, 1.9, 1.55, 1.21}},
    {"30m", {3.14, 2.71, 2.3, 1.91, 1.53, 1.18, 1}},
    {"20m", {2.86, 2.42, 1.99, 1.58, 1.19, 1, 1}},
    {"17m", {2.7, 2.26, 1.83, 1.41, 1.09, 1, 1}},
    {"15m", {2.57, 2.13, 1.69, 1.27, 1, 1, 1}},
    {"12m", {2.29, 1.84, 1.4, 1, 1, 1, 1}},
    {"10m", {2, 1.55, 1.11, 1, 1, 1, 1}},
};

constexpr double kLowestHeight = 3;  // m, lower heights count as this
constexpr double kHighestHeight = 9; // m, above it the ground no longer adds

bool validAntenna(WiesAntIndex antenna) { return antenna >= 1 && antenna <= kWiesAntCount; }

} // namespace

std::span<const WiesKFitRow> WiesKFitRows() { return kKFitRows; }

std::string WiesAntName(WiesAntIndex antenna)
{
    return validAntenna(antenna) ? kAntNames[antenna - 1] : "";
}

std::vector<std::string> WiesAntNames() { return {kAntNames.begin(), kAntNames.end()}; }

double WiesKFit(const std::string &antenna, const std::string &band, const std::string &key,
                int powerPosition)
{
    if (powerPosition < 0 || powerPosition >= static_cast<int>(WiesPowerGrid.size()))
        return kNoValue;
    double result = kNoValue;
    for (const auto &row : kKFitRows)
        if (key == row.key && band == row.band && antenna == row.antenna)
            result = row.values[powerPosition];
    return result;
}

double WiesKFitAtPower(WiesAntIndex antenna, BandIndex band, double power)
{
    if (!std::isfinite(power))
        return kNoValue;
    constexpr int last = static_cast<int>(WiesPowerGrid.size()) - 2;
    // At an inner grid point the upper interval wins; above the grid the last interval is
    // continued. Falling back to 0..50 W above 1000 W would multiply the distance many
    // times over.
    int d = power > WiesPowerGrid.back() ? last : 0;
    for (int i = 0; i <= last; ++i)
        if (WiesPowerGrid[i] <= power && power <= WiesPowerGrid[i + 1])
            d = i;

    const std::string antName = WiesAntName(antenna);
    const std::string bandName = BandName(band);
    if (power < WiesPowerGrid[1]) {
        // The study's straight line from 0 W shrinks the distance with the power itself,
        // where the field falls only with its square root: below 50 W the far-field law
        // from the 50 W value stays on the safe side.
        const double k50 = WiesKFit(antName, bandName, "PS", 1);
        if (k50 == kNoValue || power < 0)
            return kNoValue;
        return k50 * std::sqrt(power / WiesPowerGrid[1]);
    }
    const double lo = WiesKFit(antName, bandName, "PS", d);
    const double hi = WiesKFit(antName, bandName, "PS", d + 1);
    if (lo == kNoValue || hi == kNoValue)
        return kNoValue;
    return lo + (power - WiesPowerGrid[d]) / (WiesPowerGrid[d + 1] - WiesPowerGrid[d]) * (hi - lo);
}

double WiesBaseDistance(WiesAntIndex antenna, BandIndex band, double power, double height,
                        double safetyFactor)
{
    const double kFit = WiesKFitAtPower(antenna, band, power);
    const double factor = WiesHeightFactor(band, height);
    if (kFit == kNoValue || factor == kNoValue)
        return kNoValue;
    return factor * (safetyFactor * kFit);
}

double WiesHeightFactor(BandIndex band, double height)
{
    if (std::isnan(height))
        return kNoValue;
    const std::string name = BandName(band);
    for (const auto &row : kHeightRows) {
        if (name != row.band)
            continue;
        const double h = std::max(height, kLowestHeight);
        if (h > kHighestHeight)
            return 1.0;
        if (h == kHighestHeight)
            return row.factors.back();
        const int i = static_cast<int>(std::floor(h) - kLowestHeight);
        return row.factors[i] + (h - std::floor(h)) * (row.factors[i + 1] - row.factors[i]);
    }
    return 1.0;
}

double WiesDirectivity(WiesAntIndex antenna, BandIndex band)
{
    if (!validAntenna(antenna) || band < 1 || band > kDirBands)
        return kNoValue;
    return kDirectivity[antenna - 1][band - 1];
}

double WiesDirCorrection(double usedDbi, double studyDbi)
{
    // sqrt(10^(used/10) / 10^(study/10)), taken on the difference so that large but equal
    // directivities cannot overflow.
    const double factor = std::pow(10.0, (usedDbi - studyDbi) / 20.0);
    return std::isfinite(factor) ? factor : kNoValue;
}
