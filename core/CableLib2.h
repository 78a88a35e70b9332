#pragma once

// Catalogue of coaxial cables with their attenuation curves, and typical connector losses.
// Frequencies in MHz, cable attenuation in dB per 100 m, connector loss in dB per connector.

#include <array>
#include <span>
#include <string>

constexpr int kCableCount = 29; // catalogue indices 1..29
constexpr int kCableRG58 = 13;  // fallback when the chosen cable does not cover the frequency
constexpr int kCableRG213 = 18; // selected at start

constexpr int kConnectorCount = 4; // ConnectorIDX 0..3
inline constexpr std::array<const char *, kConnectorCount> kConnectorNames = {"BNC", "N", "PL",
                                                                              "SMA"};

// One cable's curve: strictly increasing grid frequencies and the attenuation at each.
struct CableCurve {
    std::span<const double> freq; // MHz
    std::span<const double> att;  // dB/100 m
};

CableCurve CableCurveOf(int index); // empty spans outside 1..29
std::string CableName(int index);   // "ERR" outside 1..29

// Interpolated linearly in lg f between grid points; -99 (kNoValue) outside the curve,
// for a frequency that is not a number, and for an index outside 1..29.
double CableAtt100(int index, double fMHz);

// Linear in f over the 1.8 ... 5600 MHz grid. Above 5600 MHz or for an index outside 0..3
// a warning is shown and the result is -99.
double ConnectorAtt(int connectorIdx, double fMHz);
