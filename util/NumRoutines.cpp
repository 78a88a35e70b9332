#include "util/NumRoutines.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

namespace {
constexpr double kPi = 3.14159265359; // the drawing code's value of pi
}

double Log10OrZero(double x) { return x <= 0 ? 0.0 : std::log10(x); }
double Pow10(double x) { return std::pow(10.0, x); }
double DbToFactor(double db) { return std::pow(10.0, db / 10.0); }
namespace {
// A double beyond the int range (or NaN) has no integer; saturate instead of undefined behaviour.
int toInt(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (x <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}
} // namespace

int FloorInt(double x) { return toInt(std::floor(x)); }

int IntDigits(double x)
{
    return FloorInt(std::floor(Log10OrZero(std::trunc(std::fabs(x)))) + 1);
}

double Decade(double x)
{
    if (x == 0)
        return 0;
    return std::pow(10.0, std::floor(std::log10(std::fabs(x))));
}

double DecadeCeil(double x)
{
    double d = Decade(x);
    if (x > 0)
        return d * std::ceil(x / d);
    if (x < 0)
        return -(d * std::floor(std::fabs(x) / d));
    return 0;
}

double DecadeFloor(double x)
{
    double d = Decade(x);
    if (x > 0)
        return d * std::floor(x / d);
    if (x < 0)
        return -(d * std::ceil(std::fabs(x) / d));
    return 0;
}

bool InHalfOpenRange(double x, double lo, double hi) { return lo <= x && x < hi; }
bool InClosedRange(double x, double lo, double hi) { return lo <= x && x <= hi; }

bool WithinPercent(double percent, double ref, double x)
{
    return InClosedRange(x, ref - ref * percent / 100, ref + ref * percent / 100);
}

int SignOf(double x) { return x >= 0 ? 1 : -1; }
double MinOf(double a, double b) { return a < b ? a : b; }
double MaxOf(double a, double b) { return a > b ? a : b; }
int MinOf(int a, int b) { return a < b ? a : b; }
int MaxOf(int a, int b) { return a > b ? a : b; }
int ClampNonNegative(int n) { return MaxOf(0, n); }

double RoundHalfEven(double x)
{
    // nearbyint follows the rounding mode, which is to-nearest-even unless someone changed it.
    int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(x);
    std::fesetround(previous);
    return r;
}

int RoundedMean(int a, int b)
{
    return static_cast<int>(RoundHalfEven((static_cast<double>(a) + b) / 2.0));
}

double RadToDeg(double x) { return x * 57.29577951308232; }
double SinDeg(double a) { return std::sin(a * kPi / 180.0); }
double CosDeg(double a) { return std::cos(a * kPi / 180.0); }

double AngleDeg(double y, double x)
{
    double r;
    if (x > 0)
        r = std::atan(y / x);
    else if (x == 0)
        r = SignOf(y) * kPi / 2;
    else
        r = std::atan(y / x) + SignOf(y) * kPi;
    return RadToDeg(r);
}

namespace
{

constexpr double kDigitNoise = 1e-9;

double roundedTo(double x, int decimals, double (*direction)(double))
{
    if (!std::isfinite(x))
        return x;
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    const double nearest = std::round(scaled);
    return (std::fabs(scaled - nearest) < kDigitNoise * std::max(1.0, std::fabs(scaled)) ? nearest : direction(scaled))
           / scale;
}

} // namespace

double RoundUpTo(double x, int decimals) { return roundedTo(x, decimals, [](double v) { return std::ceil(v); }); }
double RoundDownTo(double x, int decimals) { return roundedTo(x, decimals, [](double v) { return std::floor(v); }); }
