#include "core/QuotientOutline.h"

#include <algorithm>
#include <cmath>

namespace site
{

namespace
{

// 1 / sqrt(q): the distance over the zone's radius for one antenna, so straight lines between
// grid points follow a circle closely; 0 on an antenna, large far off.
double level(double q)
{
    if (!(q > 1e-12))
        return 1e6;
    return std::isfinite(q) ? 1 / std::sqrt(q) : 0;
}

} // namespace

double LargestQuotientOverHeights(const std::vector<Radiator> &antennas, Point p, double z0, double z1)
{
    double heights[64];
    size_t n = 0;
    auto add = [&](double z) {
        if (n < std::size(heights) && std::find(heights, heights + n, z) == heights + n)
            heights[n++] = z;
    };
    constexpr int kLevels = 4;
    for (int k = 0; k <= kLevels; ++k)
        add(z0 + (z1 - z0) * k / kLevels);
    for (const Radiator &a : antennas)
        add(std::clamp(a.height, z0, z1));
    double best = 0;
    for (size_t k = 0; k < n; ++k)
        best = std::max(best, ExposureQuotient(antennas, {p.x, p.y, heights[k]}));
    return best;
}

Box OutlineBox(const std::vector<Radiator> &antennas)
{
    Box box{INFINITY, INFINITY, -INFINITY, -INFINITY};
    double reach = 0;
    size_t radiating = 0;
    for (const Radiator &a : antennas) {
        if (!a.zone || a.zone->empty() || !(a.zone->reach() > 0))
            continue;
        ++radiating;
        reach = std::max(reach, a.zone->reach());
        for (Point p : a.line) {
            box.x0 = std::min(box.x0, p.x), box.x1 = std::max(box.x1, p.x);
            box.y0 = std::min(box.y0, p.y), box.y1 = std::max(box.y1, p.y);
        }
    }
    if (radiating == 0 || !std::isfinite(reach))
        return {};
    const double r = reach * std::sqrt(double(radiating)) * 1.05 + 1e-3;
    return {box.x0 - r, box.y0 - r, box.x1 + r, box.y1 + r};
}

Outline QuotientOutline(const std::vector<Radiator> &antennas, double z0, double z1, const Box &box, int cells)
{
    Outline lines;
    if (box.empty() || antennas.empty() || !(z1 >= z0))
        return lines;
    cells = std::clamp(cells, 4, 1000);
    const double w = box.x1 - box.x0, h = box.y1 - box.y0;
    const double step = std::max(w, h) / cells;
    const int nx = std::max(1, static_cast<int>(std::ceil(w / step)));
    const int ny = std::max(1, static_cast<int>(std::ceil(h / step)));
    const int cols = nx + 1;
    auto at = [&](int i, int j) { return Point{box.x0 + i * step, box.y0 + j * step}; };

    // No antenna adds more than (reach / distance)^2, the distance at least the horizontal one and
    // the height from the antenna to the span: where even that sum stays below 1, it stands for
    // the quotient. It is never smaller, so the line is never drawn too close.
    auto bound = [&](Point p) {
        double q = 0;
        for (const Radiator &a : antennas) {
            if (!a.zone || a.line.empty())
                continue;
            double rho2 = INFINITY;
            for (size_t k = 0; k < a.line.size(); ++k) {
                const Point b = a.line[k], e = k + 1 < a.line.size() ? a.line[k + 1] : b;
                const double dx = e.x - b.x, dy = e.y - b.y, len2 = dx * dx + dy * dy;
                const double t = len2 > 0 ? std::clamp(((p.x - b.x) * dx + (p.y - b.y) * dy) / len2, 0.0, 1.0) : 0;
                const double ex = p.x - b.x - t * dx, ey = p.y - b.y - t * dy;
                rho2 = std::min(rho2, ex * ex + ey * ey);
            }
            const double reach = a.zone->reach();
            const double dz = a.height < z0 ? z0 - a.height : a.height > z1 ? a.height - z1 : 0;
            const double r2 = rho2 + dz * dz;
            q += r2 > 0 ? reach * reach / r2 : INFINITY;
        }
        return q;
    };
    std::vector<double> f(static_cast<size_t>(cols) * (ny + 1));
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i) {
            const Point p = at(i, j);
            const double b = bound(p);
            f[j * cols + i] = level(b < 1 ? b : LargestQuotientOverHeights(antennas, p, z0, z1));
        }
    auto value = [&](int i, int j) { return f[j * cols + i]; };

    // Edges by number: 2 k the one to the right of grid point k, 2 k + 1 the one above it.
    auto crossing = [&](long edge) {
        const long k = edge / 2;
        const int i = static_cast<int>(k % cols), j = static_cast<int>(k / cols);
        const int i2 = edge % 2 ? i : i + 1, j2 = edge % 2 ? j + 1 : j;
        const double a = value(i, j), b = value(i2, j2);
        const double t = a == b ? 0.5 : std::clamp((1 - a) / (b - a), 0.0, 1.0);
        const Point p = at(i, j), q = at(i2, j2);
        return Point{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
    };
    std::vector<std::pair<long, long>> segments;
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            const long k = static_cast<long>(j) * cols + i;
            const long bottom = 2 * k, left = 2 * k + 1, top = 2 * (k + cols), right = 2 * (k + 1) + 1;
            const bool a = value(i, j) < 1, b = value(i + 1, j) < 1, c = value(i + 1, j + 1) < 1,
                       d = value(i, j + 1) < 1;
            const int index = a | b << 1 | c << 2 | d << 3;
            auto add = [&](long e1, long e2) { segments.emplace_back(e1, e2); };
            const bool centre = (value(i, j) + value(i + 1, j) + value(i + 1, j + 1) + value(i, j + 1)) / 4 < 1;
            switch (index) {
            case 1:
            case 14:
                add(left, bottom);
                break;
            case 2:
            case 13:
                add(bottom, right);
                break;
            case 3:
            case 12:
                add(left, right);
                break;
            case 4:
            case 11:
                add(right, top);
                break;
            case 6:
            case 9:
                add(bottom, top);
                break;
            case 7:
            case 8:
                add(left, top);
                break;
            case 5: // a and c inside
                if (centre)
                    add(left, top), add(bottom, right);
                else
                    add(left, bottom), add(right, top);
                break;
            case 10: // b and d inside
                if (centre)
                    add(left, bottom), add(right, top);
                else
                    add(left, top), add(bottom, right);
                break;
            default:
                break;
            }
        }
    }

    // Chains: every crossed edge belongs to at most two segments.
    const size_t edges = static_cast<size_t>(2) * cols * (ny + 1);
    std::vector<int> first(edges, -1), second(edges, -1);
    for (size_t s = 0; s < segments.size(); ++s)
        for (long e : {segments[s].first, segments[s].second})
            (first[e] < 0 ? first[e] : second[e]) = static_cast<int>(s);
    std::vector<bool> used(segments.size(), false);
    auto other = [&](long e, int s) { return first[e] == s ? second[e] : first[e]; };
    for (size_t start = 0; start < segments.size(); ++start) {
        if (used[start])
            continue;
        // Walk back to an open end, if any, then forward.
        int s = static_cast<int>(start);
        long e = segments[start].first;
        for (size_t guard = 0; guard < segments.size(); ++guard) {
            const int prev = other(e, s);
            if (prev < 0 || prev == static_cast<int>(start))
                break;
            e = segments[prev].first == e ? segments[prev].second : segments[prev].first;
            s = prev;
        }
        std::vector<Point> line{crossing(e)};
        for (;;) {
            used[s] = true;
            e = segments[s].first == e ? segments[s].second : segments[s].first;
            line.push_back(crossing(e));
            const int next = other(e, s);
            if (next < 0 || used[next])
                break;
            s = next;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace site
