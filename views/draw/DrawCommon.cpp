#include "views/draw/DrawCommon.h"

#include "util/NumRoutines.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {

QFont windowFont(int pixelSize, bool bold)
{
    QFont f("Liberation Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont arialFont(int pixelSize) { return windowFont(pixelSize); }

QFont courierFont(int pixelSize)
{
    QFont f("Liberation Mono");
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixelSize);
    return f;
}

int RoundPixel(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(::RoundHalfEven(std::clamp(x, lo, hi)));
}

int ClampedPixel(double x)
{
    return RoundPixel(std::clamp(x, -kPixelLimit, kPixelLimit));
}

} // namespace ui
