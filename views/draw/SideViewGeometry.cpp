#include "views/draw/SideViewGeometry.h"

#include "util/NumRoutines.h"
#include "views/draw/DrawCommon.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace sideview
{

namespace
{

using ui::ClampedPixel;
using ui::RoundPixel;

double validDistance(double r)
{
    return std::isfinite(r) && r > 0 ? r : 0.0;
}

} // namespace

ZoneGeometry BuildZone(const ZoneInput &in, int width, int height, double zoom, bool rays)
{
    ZoneGeometry g;
    const double W = width, H = height;
    if (!(zoom > 0) || !std::isfinite(zoom))
        zoom = 1.0;

    const size_t n = std::min(in.angles.size(), in.distances.size());
    double rmax = 0;
    for (size_t i = 0; i < n; ++i)
        rmax = std::max(rmax, validDistance(in.distances[i]));

    // A limit that cannot be formed (no height, no distance) does not constrain the scale.
    const double inf = std::numeric_limits<double>::infinity();
    const bool heightOk = std::isfinite(in.height) && in.height > 0;
    // 70 % as 7 * x / 10: exact for whole sizes, so a half pixel stays a half (0.7 * 650 is not 455).
    const double vertical = heightOk ? 7 * H / 10 / in.height : inf;
    const double horizontal = rmax > 0 ? 7 * W / 10 / rmax : inf;
    double s = std::min(vertical, horizontal) * zoom;
    if (!std::isfinite(s) || s <= 0)
        s = 0;
    g.scale = s;
    g.hasZone = n > 0 && rmax > 0 && s > 0;

    const double mast = heightOk ? s * in.height : 0.0;
    g.originX = RoundPixel(0.15 * W);
    g.groundY = height - RoundPixel(0.05 * H);
    g.antennaX = g.originX;
    g.antennaY = ClampedPixel(g.groundY - mast);
    g.mastTopY = ClampedPixel(g.groundY - RoundPixel(std::min(mast, ui::kPixelLimit)));
    g.barLength = s > 0 ? ClampedPixel(5.0 * s) : 0;
    if (!g.hasZone)
        return g;

    g.mirrored = in.angles[n - 1] <= 180;
    g.points.reserve(n);
    if (g.mirrored)
        g.mirrorPoints.reserve(n);

    const double ax = g.antennaX, ay = g.antennaY;
    bool first = true;
    double bestV = 0, bestH = 0;
    auto account = [&](double h, double v) {
        g.reach = first ? h : std::max(g.reach, h);
        // Equal clearance: the point nearest the mast gives the arrow's position.
        if (first || v < bestV || (v == bestV && h < bestH)) {
            bestV = v;
            bestH = h;
        }
        first = false;
    };
    for (size_t i = 0; i < n; ++i) {
        const double theta = in.angles[i] + (rays ? 1.0 : 0.0);
        const double r = s * validDistance(in.distances[i]);
        const double x = ax + ::RoundHalfEven(CosDeg(theta) * r);
        const double dy = ::RoundHalfEven(SinDeg(theta) * r);
        g.points.push_back(QPoint(ClampedPixel(x), ClampedPixel(ay + dy)));
        if (g.mirrored)
            g.mirrorPoints.push_back(QPoint(ClampedPixel(x), ClampedPixel(ay - dy)));
    }
    // The maxima in metres from the zone itself: read from rounded pixels (or from the rays'
    // extra degree) the reach could come out short of the distance the report gives.
    const double antennaHeight = heightOk ? in.height : 0.0;
    for (bool mirror : {false, true}) {
        if (mirror && !g.mirrored)
            break;
        for (size_t i = 0; i < n; ++i) {
            const double r = validDistance(in.distances[i]);
            const double down = SinDeg(in.angles[i]) * r;
            account(std::abs(CosDeg(in.angles[i]) * r), std::abs(antennaHeight + (mirror ? down : -down)));
        }
    }
    g.hasMaxima = true;
    g.clearance = bestV;
    g.clearanceX = bestH;
    return g;
}

namespace
{

// Binary noise (0.3 * 10 = 3.0000000000000004) must not move a figure to the next digit.
constexpr double kDigitNoise = 1e-9;

} // namespace

double ShownReach(double reach)
{
    const double tenths = reach * 10;
    const double nearest = std::round(tenths);
    return (std::abs(tenths - nearest) < kDigitNoise ? nearest : std::ceil(tenths)) / 10;
}

double ShownClearance(double clearance)
{
    const double tenths = clearance * 10;
    const double nearest = std::round(tenths);
    return (std::abs(tenths - nearest) < kDigitNoise ? nearest : std::floor(tenths)) / 10;
}

void DrawArrow(QPainter &p, QPoint from, QPoint to, int headSize, bool doubleHead)
{
    p.drawLine(from, to);
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    const int L = headSize > 0 ? headSize : RoundPixel(0.15 * std::hypot(dx, dy));
    auto head = [&](QPoint a, QPoint b) {
        // Direction of travel with rows growing upwards.
        const double d = AngleDeg(a.y() - b.y(), b.x() - a.x());
        for (double side : {30.0, -30.0})
            p.drawLine(
                b, QPoint(b.x() - RoundPixel(L * CosDeg(d + side)), b.y() + RoundPixel(L * SinDeg(d + side))));
    };
    head(from, to);
    if (doubleHead)
        head(to, from);
}

} // namespace sideview
