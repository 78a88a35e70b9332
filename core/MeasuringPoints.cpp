#include "core/MeasuringPoints.h"

#include "util/DecimalText.h"
#include "util/NumRoutines.h"

#include <cmath>
#include <cstdlib>

namespace
{

constexpr double kFreeSpaceImpedance = 376.99111843077518863; // 120 pi ohms

std::optional<long long> pointDistance(const MeasuringPoint &p)
{
    return ReadWholeNumber(p.distance, kMaxPointDistance);
}

long long pointAngle(const MeasuringPoint &p)
{
    return ReadWholeNumber(p.angle, kAngleReadLimit).value_or(kAngleReadLimit);
}

} // namespace

void FillPoints(std::vector<MeasuringPoint> &points, int n)
{
    points.resize(static_cast<size_t>(std::max(n, 0)));
    for (size_t i = 0; i < points.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        MeasuringPoint &p = points[i];
        if (p.label.empty())
            p.label = "MP " + std::to_string(r);
        if (p.distance.empty())
            p.distance = "10";
        if (p.angle.empty())
            p.angle = std::to_string(MinOf(10 * (r - 1), 90));
    }
}

bool DigitsOnly(const std::string &text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<long long> ReadWholeNumber(const std::string &text, long long limit)
{
    if (!DigitsOnly(text))
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > limit) // stops before the digits could overflow
            return std::nullopt;
    }
    return value;
}

double PowerForAngle(const FieldSource &source, long long angle)
{
    const size_t n = std::min(source.angles.size(), source.eirpByAngle.size());
    if (n == 0)
        return source.eirp;
    size_t best = 0;
    long long bestGap = std::llabs(source.angles[0] - angle);
    for (size_t i = 1; i < n; ++i) {
        const long long gap = std::llabs(source.angles[i] - angle);
        if (gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    return source.eirpByAngle[best];
}

FieldCheck CalculateFields(std::vector<MeasuringPoint> &points, const FieldSource &source)
{
    for (const MeasuringPoint &p : points)
        if (!pointDistance(p))
            return FieldCheck::DistanceError;
    for (const MeasuringPoint &p : points)
        if (!DigitsOnly(p.angle))
            return FieldCheck::AngleError;
    for (MeasuringPoint &p : points) {
        const long long d = *pointDistance(p);
        double e = kNoValue;
        if (d > 0)
            e = std::sqrt(30 * PowerForAngle(source, pointAngle(p))) / static_cast<double>(d);
        // Distance 0 (at the antenna) and a missing power have no field value.
        if (std::isfinite(e) && e > 0) {
            p.e = FormatValue("%3.2f", e);
            p.h = FormatValue("%4.3f", e / kFreeSpaceImpedance);
        } else {
            p.e = "---";
            p.h = "---";
        }
    }
    return FieldCheck::Ok;
}

std::optional<std::string> AngleFromHeight(double height, const std::string &distance)
{
    const auto d = ReadWholeNumber(distance, kMaxPointDistance);
    if (!d || !std::isfinite(height))
        return std::nullopt;
    // Right under the antenna the angle is 90 degrees (AngleDeg gives it for d = 0).
    return FormatValue("%1.0f", AngleDeg(height - 3, static_cast<double>(*d)));
}
