#include "core/SiteGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace site
{

namespace
{

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kDegree = std::numbers::pi / 180;

double cross(Point o, Point a, Point b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double dot(Point a, Point b)
{
    return a.x * b.x + a.y * b.y;
}
Point minus(Point a, Point b)
{
    return {a.x - b.x, a.y - b.y};
}

bool onSegment(Point a, Point b, Point p)
{
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y
           && p.y <= std::max(a.y, b.y);
}

int orientation(Point a, Point b, Point c)
{
    const double v = cross(a, b, c);
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

// Closed segments: touching counts.
bool segmentsMeet(Point a, Point b, Point c, Point d)
{
    const int o1 = orientation(a, b, c), o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a), o4 = orientation(c, d, b);
    if (o1 != o2 && o3 != o4)
        return true;
    return (o1 == 0 && onSegment(a, b, c)) || (o2 == 0 && onSegment(a, b, d)) || (o3 == 0 && onSegment(c, d, a))
           || (o4 == 0 && onSegment(c, d, b));
}

Point nearestOnSegment(Point a, Point b, Point p)
{
    const Point ab = minus(b, a);
    const double len2 = dot(ab, ab);
    const double t = len2 > 0 ? std::clamp(dot(minus(p, a), ab) / len2, 0.0, 1.0) : 0.0;
    return {a.x + t * ab.x, a.y + t * ab.y};
}

double distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double segmentDistance(Point a, Point b, Point p)
{
    return distance(p, nearestOnSegment(a, b, p));
}

double segmentToSegment(Point a, Point b, Point c, Point d)
{
    if (segmentsMeet(a, b, c, d))
        return 0;
    return std::min(
        {segmentDistance(c, d, a), segmentDistance(c, d, b), segmentDistance(a, b, c), segmentDistance(a, b, d)});
}

double boundaryDistance(const Polygon &area, Point p)
{
    double best = kInfinity;
    for (size_t i = 0, n = area.size(); i < n; ++i)
        best = std::min(best, segmentDistance(area[i], area[(i + 1) % n], p));
    return best;
}

bool crossesBoundary(const Polygon &area, Point a, Point b)
{
    for (size_t i = 0, n = area.size(); i < n; ++i)
        if (segmentsMeet(a, b, area[i], area[(i + 1) % n]))
            return true;
    return false;
}

Point along(Point a, Point b, double t)
{
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// The parameter of a segment's most-outside point: samples, then a golden-section search in
// the best sample's neighbourhood.
double mostOutside(const Polygon &area, Point a, Point b)
{
    constexpr int kSamples = 400;
    double bestT = 0, best = kInfinity;
    for (int k = 0; k <= kSamples; ++k) {
        const double t = double(k) / kSamples;
        const double v = SignedDistance(area, along(a, b, t));
        if (v < best)
            best = v, bestT = t;
    }
    double lo = std::max(0.0, bestT - 1.0 / kSamples), hi = std::min(1.0, bestT + 1.0 / kSamples);
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int k = 0; k < 60; ++k) {
        const double t1 = hi - g * (hi - lo), t2 = lo + g * (hi - lo);
        if (SignedDistance(area, along(a, b, t1)) < SignedDistance(area, along(a, b, t2)))
            hi = t2;
        else
            lo = t1;
    }
    const double t = (lo + hi) / 2;
    return SignedDistance(area, along(a, b, t)) < best ? t : bestT;
}

} // namespace

std::string PolygonFault(const Polygon &area)
{
    const size_t n = area.size();
    if (n < 3)
        return "Der Bereich braucht mindestens drei Punkte.";
    for (size_t i = 0; i < n; ++i)
        if (area[i] == area[(i + 1) % n])
            return "Punkt " + std::to_string((i + 1) % n + 1) + " wiederholt den Punkt davor.";
    for (size_t i = 0; i < n; ++i) {
        const Point a = area[i], b = area[(i + 1) % n];
        for (size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue; // neighbours through the closing edge
            if (segmentsMeet(a, b, area[j], area[(j + 1) % n]))
                return "Der Bereich kreuzt sich selbst (Kanten " + std::to_string(i + 1) + " und "
                       + std::to_string(j + 1) + ").";
        }
    }
    double twiceArea = 0;
    for (size_t i = 0; i < n; ++i)
        twiceArea += area[i].x * area[(i + 1) % n].y - area[(i + 1) % n].x * area[i].y;
    if (std::fabs(twiceArea) <= 1e-9)
        return "Der Bereich hat keine Fläche.";
    for (size_t i = 0; i < n; ++i) {
        // An edge running back along its predecessor.
        const Point prev = area[(i + n - 1) % n], a = area[i], b = area[(i + 1) % n];
        if (cross(prev, a, b) == 0 && dot(minus(a, prev), minus(b, a)) < 0)
            return "Der Bereich kreuzt sich selbst (bei Punkt " + std::to_string(i + 1) + ").";
    }
    return {};
}

bool Inside(const Polygon &area, Point p)
{
    bool in = false;
    for (size_t i = 0, n = area.size(), j = n - 1; i < n; j = i++) {
        const Point a = area[i], b = area[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in && boundaryDistance(area, p) > 0;
}

double SignedDistance(const Polygon &area, Point p)
{
    const double d = boundaryDistance(area, p);
    return Inside(area, p) ? d : -d;
}

Point NearestBoundaryPoint(const Polygon &area, Point p)
{
    Point best = area.empty() ? p : area.front();
    double bestDistance = kInfinity;
    for (size_t i = 0, n = area.size(); i < n; ++i) {
        const Point q = nearestOnSegment(area[i], area[(i + 1) % n], p);
        const double d = distance(p, q);
        if (d < bestDistance)
            bestDistance = d, best = q;
    }
    return best;
}

double SmallestSignedDistance(const Polygon &area, const std::vector<Point> &line)
{
    if (line.empty())
        return kInfinity;
    double best = kInfinity;
    for (Point p : line)
        best = std::min(best, SignedDistance(area, p));
    for (size_t k = 0; k + 1 < line.size(); ++k) {
        const Point a = line[k], b = line[k + 1];
        if (best > 0 && !crossesBoundary(area, a, b)) {
            // Wholly inside: the nearest approach of the wire to an edge.
            for (size_t i = 0, n = area.size(); i < n; ++i)
                best = std::min(best, segmentToSegment(a, b, area[i], area[(i + 1) % n]));
        } else {
            best = std::min({best, 0.0, SignedDistance(area, along(a, b, mostOutside(area, a, b)))});
        }
    }
    return best;
}

// Zone

void Zone::addSphere(double d)
{
    spheres_.push_back(std::isfinite(d) && d > 0 ? d : 0);
    reach_ = std::max(reach_, spheres_.back());
}

void Zone::addContour(const std::vector<int> &angles, const std::vector<double> &distances)
{
    const size_t n = std::min(angles.size(), distances.size());
    if (n == 0)
        return;
    std::vector<Vertex> v;
    auto add = [&](double angle, double d) {
        angle = std::fmod(angle, 360.0);
        if (angle < 0)
            angle += 360;
        v.push_back({angle, std::isfinite(d) && d > 0 ? d : 0});
    };
    for (size_t i = 0; i < n; ++i)
        add(angles[i], distances[i]);
    if (angles[n - 1] <= 180) // the upper half is the lower one's mirror image
        for (size_t i = 0; i < n; ++i)
            add(-angles[i], distances[i]);
    std::sort(v.begin(), v.end(), [](const Vertex &a, const Vertex &b) { return a.angle < b.angle; });
    Contour c;
    for (const Vertex &x : v) {
        if (!c.vertices.empty() && c.vertices.back().angle == x.angle)
            c.vertices.back().distance = std::max(c.vertices.back().distance, x.distance);
        else
            c.vertices.push_back(x);
    }
    for (const Vertex &x : c.vertices) {
        c.x.push_back(x.distance * std::cos(x.angle * kDegree));
        c.z.push_back(-x.distance * std::sin(x.angle * kDegree));
        // Front and back directions meet in one elevation when the mast is turned.
        double e = x.angle <= 90 ? x.angle : x.angle >= 270 ? x.angle - 360 : 180 - x.angle;
        bends_.push_back(e);
    }
    std::sort(bends_.begin(), bends_.end());
    bends_.erase(std::unique(bends_.begin(), bends_.end()), bends_.end());
    for (const Vertex &x : c.vertices)
        reach_ = std::max(reach_, x.distance);
    contours_.push_back(std::move(c));
}

double Zone::radialDistance(const Contour &c, double angle, double cosine, double sine)
{
    const auto &v = c.vertices;
    const size_t m = v.size();
    if (m == 0)
        return 0;
    angle = std::fmod(angle, 360.0);
    if (angle < 0)
        angle += 360;
    // The vertex at or before the angle, cyclically.
    size_t hi =
        std::upper_bound(v.begin(), v.end(), angle, [](double a, const Vertex &x) { return a < x.angle; }) - v.begin();
    const size_t i1 = hi == 0 ? m - 1 : hi - 1;
    if (v[i1].angle == angle)
        return v[i1].distance;
    const size_t i2 = (i1 + 1) % m;
    double gap = v[i2].angle - v[i1].angle;
    if (gap <= 0)
        gap += 360;
    if (m == 1 || gap >= 180) // the edge passes through or behind the antenna
        return 0;
    // The edge's line n . p = c met by the ray (cos, -sin).
    const double nx = c.z[i2] - c.z[i1], nz = c.x[i1] - c.x[i2];
    const double offset = nx * c.x[i1] + nz * c.z[i1];
    const double den = nx * cosine - nz * sine;
    const double r = den != 0 ? offset / den : 0; // both negative: the vertices run clockwise
    return r > 0 && std::isfinite(r) ? r : 0;
}

double Zone::topRadius() const
{
    return radiusBetween(-kInfinity, kInfinity);
}

double Zone::radiusBetween(double z0, double z1) const
{
    double r = 0;
    for (double d : spheres_) {
        const double zc = std::clamp(0.0, z0, z1);
        if (std::fabs(zc) < d)
            r = std::max(r, std::sqrt(d * d - zc * zc));
    }
    for (const Contour &c : contours_) {
        const size_t m = c.x.size();
        for (size_t i = 0; i < m; ++i) {
            const size_t j = (i + 1) % m;
            double xa = c.x[i], za = c.z[i], xb = c.x[j], zb = c.z[j];
            if (za > zb)
                std::swap(xa, xb), std::swap(za, zb);
            if (zb < z0 || za > z1)
                continue;
            // The edge cut to the span; |x| is largest at an end of what is left.
            if (za == zb) {
                r = std::max({r, std::fabs(xa), std::fabs(xb)});
                continue;
            }
            auto xAt = [&](double z) { return xa + (xb - xa) * (z - za) / (zb - za); };
            r = std::max({r, std::fabs(xAt(std::max(za, z0))), std::fabs(xAt(std::min(zb, z1)))});
        }
    }
    return r;
}

double Zone::distanceToward(double elevation) const
{
    double r = 0;
    for (double d : spheres_)
        r = std::max(r, d);
    if (contours_.empty())
        return r;
    // Behind the mast the same elevation: cos(180 - e) = -cos e, sin(180 - e) = sin e.
    const double cosine = std::cos(elevation * kDegree), sine = std::sin(elevation * kDegree);
    for (const Contour &c : contours_)
        r = std::max(
            {r, radialDistance(c, elevation, cosine, sine), radialDistance(c, 180 - elevation, -cosine, sine)});
    return r;
}

// Exposure

double ExposureRatio(const Radiator &antenna, const Point3 &p)
{
    if (!antenna.zone || antenna.zone->empty() || antenna.line.empty())
        return 0;
    const Zone &zone = *antenna.zone;
    const Point q{p.x, p.y};
    const double dz = antenna.height - p.z; // positive: p lies below the antenna
    auto ratio = [&](double rho) {
        const double r2 = rho * rho + dz * dz;
        if (r2 <= 0)
            return kInfinity;
        const double d = zone.spheresOnly() ? zone.reach() : zone.distanceToward(std::atan2(dz, rho) / kDegree);
        return d * d / r2;
    };
    if (antenna.line.size() == 1)
        return ratio(distance(q, antenna.line.front()));
    if (zone.spheresOnly()) {
        double rho = kInfinity;
        for (size_t k = 0; k + 1 < antenna.line.size(); ++k)
            rho = std::min(rho, segmentDistance(antenna.line[k], antenna.line[k + 1], q));
        return ratio(rho);
    }
    // Along a wire the elevation changes with the horizontal distance; between two bends of
    // the zone the ratio is monotonic in it, so the ends and the bends decide.
    double best = 0;
    for (size_t k = 0; k + 1 < antenna.line.size(); ++k) {
        const Point a = antenna.line[k], b = antenna.line[k + 1];
        const double lo = segmentDistance(a, b, q), hi = std::max(distance(q, a), distance(q, b));
        best = std::max({best, ratio(lo), ratio(hi)});
        if (dz == 0)
            continue;
        for (double e : zone.bends()) {
            if (e == 0 || (e > 0) != (dz > 0) || std::fabs(e) >= 90)
                continue;
            const double rho = dz / std::tan(e * kDegree);
            if (rho > lo && rho < hi)
                best = std::max(best, ratio(rho));
        }
    }
    return best;
}

double ExposureQuotient(const std::vector<Radiator> &antennas, const Point3 &p)
{
    double q = 0;
    for (const Radiator &a : antennas)
        q += ExposureRatio(a, p);
    return q;
}

QuotientPeak LargestQuotientOutside(const Polygon &area, const std::vector<Radiator> &antennas, double z0, double z1)
{
    QuotientPeak peak;
    if (antennas.empty() || area.size() < 3)
        return peak;
    double reach = 0;
    double minX = kInfinity, minY = kInfinity, maxX = -kInfinity, maxY = -kInfinity;
    auto extend = [&](Point p) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    };
    for (Point p : area)
        extend(p);
    for (const Radiator &a : antennas) {
        const double r = a.zone ? a.zone->reach() : 0;
        reach = std::max(reach, r);
        if (r <= 0)
            continue;
        for (Point p : a.line)
            extend(p);
        // An antenna standing outside, within the heights: the quotient has no bound there.
        if (a.height >= z0 && a.height <= z1 && SmallestSignedDistance(area, a.line) <= 0) {
            Point worst = a.line.front();
            for (size_t k = 0; k < a.line.size(); ++k) {
                if (SignedDistance(area, a.line[k]) < SignedDistance(area, worst))
                    worst = a.line[k];
                if (k + 1 < a.line.size()) {
                    const Point w = along(a.line[k], a.line[k + 1], mostOutside(area, a.line[k], a.line[k + 1]));
                    if (SignedDistance(area, w) < SignedDistance(area, worst))
                        worst = w;
                }
            }
            peak.value = kInfinity;
            peak.where = {worst.x, worst.y, a.height};
            return peak;
        }
    }
    if (reach <= 0)
        return peak;
    const double margin = reach + 1;
    minX -= margin, minY -= margin, maxX += margin, maxY += margin;
    const double step = std::max({maxX - minX, maxY - minY, 1e-3}) / 40;

    std::vector<double> heights;
    const int levels = std::clamp(static_cast<int>(std::ceil((z1 - z0) / step)), 1, 12);
    for (int k = 0; k <= levels; ++k)
        heights.push_back(z0 + (z1 - z0) * k / levels);
    for (const Radiator &a : antennas)
        heights.push_back(std::clamp(a.height, z0, z1));

    struct Candidate {
        double value;
        Point3 p;
    };
    std::vector<Candidate> candidates;
    auto consider = [&](Point xy) {
        for (double z : heights) {
            const Point3 p{xy.x, xy.y, z};
            candidates.push_back({ExposureQuotient(antennas, p), p});
        }
    };
    for (double x = minX; x <= maxX + step / 2; x += step)
        for (double y = minY; y <= maxY + step / 2; y += step)
            if (!Inside(area, {x, y}))
                consider({x, y});
    for (size_t i = 0, n = area.size(); i < n; ++i) {
        const Point a = area[i], b = area[(i + 1) % n];
        const int parts = std::max(1, static_cast<int>(std::ceil(distance(a, b) / (step / 2))));
        for (int k = 0; k < parts; ++k)
            consider(along(a, b, double(k) / parts));
    }
    // The boundary points nearest to each antenna are where a single zone comes closest.
    for (const Radiator &a : antennas) {
        for (size_t k = 0; k < a.line.size(); ++k) {
            consider(NearestBoundaryPoint(area, a.line[k]));
            if (k + 1 < a.line.size()) {
                const int parts = std::max(1, static_cast<int>(std::ceil(distance(a.line[k], a.line[k + 1]) / step)));
                for (int j = 1; j < parts; ++j)
                    consider(NearestBoundaryPoint(area, along(a.line[k], a.line[k + 1], double(j) / parts)));
            }
        }
    }

    constexpr size_t kRefined = 10;
    const size_t keep = std::min(kRefined, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + keep, candidates.end(),
                      [](const Candidate &a, const Candidate &b) { return a.value > b.value; });
    auto outsidePoint = [&](Point3 p) {
        if (Inside(area, {p.x, p.y})) {
            const Point b = NearestBoundaryPoint(area, {p.x, p.y});
            p.x = b.x, p.y = b.y;
        }
        p.z = std::clamp(p.z, z0, z1);
        return p;
    };
    static const double kDirections[10][3] = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},  {0, -1, 0}, {0, 0, 1},
                                              {0, 0, -1}, {1, 1, 0},  {1, -1, 0}, {-1, 1, 0}, {-1, -1, 0}};
    for (size_t c = 0; c < keep; ++c) {
        Point3 p = candidates[c].p;
        double v = candidates[c].value;
        double delta = step / 2;
        for (int iteration = 0; iteration < 400 && delta > 1e-5; ++iteration) {
            bool better = false;
            for (const auto &d : kDirections) {
                const Point3 q = outsidePoint({p.x + delta * d[0], p.y + delta * d[1], p.z + delta * d[2]});
                const double w = ExposureQuotient(antennas, q);
                if (w > v) {
                    v = w, p = q, better = true;
                    break;
                }
            }
            if (!better)
                delta /= 2;
        }
        if (v > peak.value)
            peak.value = v, peak.where = p;
    }
    return peak;
}

} // namespace site
