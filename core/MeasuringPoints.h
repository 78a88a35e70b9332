#pragma once

// Virtual measuring points: the far field at a given distance and angle from the antenna,
// taking the antenna pattern into account where angle data exist. The point table holds the
// texts the user typed; whole metres and whole degrees only.

#include "core/BandPlan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Largest distance of a point row; a longer one is refused like a mistyped one.
constexpr long long kMaxPointDistance = 1000000; // m
// Angles beyond it are read as it: every table angle is nearer to it than to any larger value,
// so the nearest table angle stays the same, and the digits cannot overflow.
constexpr long long kAngleReadLimit = 100000; // degrees

struct MeasuringPoint {
    std::string label;    // "MP " + row number
    std::string distance; // m, whole number as typed
    std::string angle;    // degrees downwards from the main direction, whole number
    std::string e;        // V/m as shown, "---" when there is no value
    std::string h;        // A/m as shown
};

// What the fields depend on: the EIRP in the main direction and the per-angle EIRP.
struct FieldSource {
    double eirp = 0;                  // W
    std::vector<std::int16_t> angles; // degrees; empty without angle data
    std::vector<double> eirpByAngle;  // W, same length as angles
};

// Fills empty cells of points 1..n with the defaults and cuts or extends the list to n points.
void FillPoints(std::vector<MeasuringPoint> &points, int n);

// True for a non-empty text of the digits 0 to 9 only.
bool DigitsOnly(const std::string &text);
// A digits-only text as a number; nullopt when it exceeds limit.
std::optional<long long> ReadWholeNumber(const std::string &text, long long limit);

// The EIRP for an angle: the table entry of the nearest table angle (the first of equally
// near ones), or the main-direction EIRP without angle data.
double PowerForAngle(const FieldSource &source, long long angle);

enum class FieldCheck { Ok, DistanceError, AngleError };

// Checks every distance (whole metres up to kMaxPointDistance), then every angle (whole
// degrees); on a failure nothing is changed. Otherwise writes E ("%3.2f") and H ("%4.3f") of
// every row; an angle takes the nearest table angle however far beyond the table it lies.
FieldCheck CalculateFields(std::vector<MeasuringPoint> &points, const FieldSource &source);

// The angle under which a point at distance d is seen from an antenna at height (m) by a person
// of 3 m, rounded to whole degrees; nullopt when the distance cannot be read.
std::optional<std::string> AngleFromHeight(double height, const std::string &distance);
