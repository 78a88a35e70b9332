#pragma once

// Amateur bands, the person-protection limits (per band and per frequency) and the
// boundary of the reactive near field. Frequencies in MHz, E in V/m, H in A/m.

#include <cstdint>
#include <string>

using BandIndex = std::int16_t; // 1 = LW ... 27; 0 = no band; -99 = failed lookup

constexpr BandIndex kBandCount = 27;
constexpr BandIndex kSelectableBands = 21; // LW to 3cm are offered in the band list
constexpr BandIndex kBand2m = 15;          // selected at start
constexpr double kNoValue = -99.0;         // lookups without a value

double BandLowerEdge(BandIndex band);
double BandUpperEdge(BandIndex band);
double BandCenter(BandIndex band);
std::string BandName(BandIndex band); // "Fehler" outside 1..27
BandIndex BandOfFrequency(double f);  // edges belong to the band; -99 if none

double ELimitByBand(BandIndex band);
double HLimitByBand(BandIndex band);
double ELimitByFrequency(double f);
double HLimitByFrequency(double f);

double NearFieldBoundaryByBand(BandIndex band); // at the lower band edge
double NearFieldBoundary(double f);
