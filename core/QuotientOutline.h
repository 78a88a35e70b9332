#pragma once

// Where the summed exposure quotient of antennas transmitting together equals 1, as lines on
// the plan: the largest quotient over a span of heights is taken on a grid, and its level 1 is
// traced square by square (marching squares). Pure arithmetic, so the drawing and its tests
// share one outline.

#include "core/SiteGeometry.h"

#include <vector>

namespace site
{

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return !(x1 > x0) || !(y1 > y0); }
};

using Outline = std::vector<std::vector<Point>>; // closed lines end with their first point

// The largest summed quotient at (x, y) over the heights z0..z1 (z0 <= z1): the antennas'
// own heights within the span, its ends and a few levels between.
double LargestQuotientOverHeights(const std::vector<Radiator> &antennas, Point p, double z0, double z1);

// Where the sum can reach 1: around every antenna by its largest distance times the root of
// their number, since no antenna adds more than (d / r)^2.
Box OutlineBox(const std::vector<Radiator> &antennas);

// The lines of quotient 1 over heights z0..z1, on a grid of `cells` squares along the box's
// longer side (at least 4, at most 1000). Inside a line the quotient is above 1.
Outline QuotientOutline(const std::vector<Radiator> &antennas, double z0, double z1, const Box &box, int cells = 120);

} // namespace site
