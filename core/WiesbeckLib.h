#pragma once

// The antennas and numbers of the Wiesbeck near-field study as constant tables, and the
// lookups the near-field safety distance is built from. Every lookup yields -99 (kNoValue)
// where the study has no value.

#include "core/BandPlan.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

using WiesAntIndex = std::int16_t; // 1 = Dipol ... 11 = FBDO-505

constexpr WiesAntIndex kWiesAntCount = 11;

// Transmitter powers in W at which the study gives its base distances (positions 0..5).
inline constexpr std::array<double, 6> WiesPowerGrid{0, 50, 100, 200, 500, 1000};

// One kFit row: key ("PS" = person protection), band name, antenna name, base distances
// in m at the powers of WiesPowerGrid.
struct WiesKFitRow {
    const char *key;
    const char *band;
    const char *antenna;
    std::array<double, 6> values;
};

std::span<const WiesKFitRow> WiesKFitRows();

std::string WiesAntName(WiesAntIndex antenna); // empty outside 1..11
std::vector<std::string> WiesAntNames();       // index order, as the Wiesbeck list shows them

// Cell of the matching row (exact texts); -99 without a match or for a position outside 0..5.
double WiesKFit(const std::string &antenna, const std::string &band, const std::string &key,
                int powerPosition);

// "PS" base distance in m, linear in power between grid points from 50 W; below 50 W the
// 50 W value times sqrt(P / 50 W); above 1000 W the line of the 500..1000 W interval goes
// on; -99 below 0 W.
double WiesKFitAtPower(WiesAntIndex antenna, BandIndex band, double power);

// Height-and-ground factor x FSi x kFit("PS"); -99 when a lookup fails.
double WiesBaseDistance(WiesAntIndex antenna, BandIndex band, double power, double height,
                        double safetyFactor);

double WiesHeightFactor(BandIndex band, double height); // 1.0 for bands the study leaves out
double WiesDirectivity(WiesAntIndex antenna, BandIndex band); // dBi

// Distance factor for a used directivity against the study's, sqrt of the power ratio;
// -99 when the result is not finite.
double WiesDirCorrection(double usedDbi, double studyDbi);
