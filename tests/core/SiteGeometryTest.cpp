#include "core/SiteGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace site;

namespace
{

const Polygon kGarden{{0, 0}, {25, 0}, {25, 18}, {0, 18}};
// An L: the notch at the top right lies outside.
const Polygon kL{{0, 0}, {30, 0}, {30, 10}, {10, 10}, {10, 30}, {0, 30}};

Zone sphere(double d)
{
    Zone z;
    z.addSphere(d);
    return z;
}

// The quotient's maximum outside by brute force: a fine grid over the ground plan and the
// boundary, at fine heights.
double bruteForceMaximum(const Polygon &area, const std::vector<Radiator> &antennas, double z0, double z1, double x0,
                         double x1, double y0, double y1, double step)
{
    double best = 0;
    auto consider = [&](double x, double y) {
        for (double z = z0; z <= z1 + 1e-9; z += (z1 - z0) / 40 + 1e-12)
            best = std::max(best, ExposureQuotient(antennas, {x, y, z}));
    };
    for (double x = x0; x <= x1; x += step)
        for (double y = y0; y <= y1; y += step)
            if (!Inside(area, {x, y}))
                consider(x, y);
    for (size_t i = 0; i < area.size(); ++i) {
        const Point a = area[i], b = area[(i + 1) % area.size()];
        const int n = static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / (step / 4)) + 1;
        for (int k = 0; k <= n; ++k)
            consider(a.x + (b.x - a.x) * k / n, a.y + (b.y - a.y) * k / n);
    }
    return best;
}

} // namespace

TEST(SiteGeometryTest, PolygonMustEncloseAnArea)
{
    const struct {
        Polygon area;
        const char *fault; // part of the message; empty = an area
    } cases[] = {
        {kGarden, ""},
        {kL, ""},
        {{{0, 0}, {10, 0}}, "mindestens drei"},
        {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}, "kreuzt sich"},          // bow tie
        {{{0, 0}, {10, 0}, {20, 0}}, "keine Fläche"},                   // on one line
        {{{0, 0}, {10, 0}, {10, 0}, {10, 10}}, "wiederholt"},           // the same point twice
        {{{0, 0}, {10, 0}, {10, 10}, {10, 5}, {0, 10}}, "kreuzt sich"}, // an edge running back
        {{{0, 0}, {10, 0}, {10, 10}, {5, 0}, {0, 10}}, "kreuzt sich"},  // a vertex on another edge
    };
    for (const auto &c : cases) {
        const std::string fault = PolygonFault(c.area);
        if (*c.fault == '\0')
            EXPECT_EQ(fault, "");
        else
            EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
    }
}

TEST(SiteGeometryTest, SignedDistanceToTheBoundary)
{
    const struct {
        Polygon area;
        Point p;
        double expected;
    } cases[] = {
        {kGarden, {12.5, 9}, 9}, {kGarden, {24, 9}, 1}, {kGarden, {30, 9}, -5},
        {kGarden, {28, 22}, -5}, {kGarden, {25, 9}, 0}, {kL, {20, 20}, -10},
        {kL, {20, 11}, -1},      {kL, {5, 5}, 5},       {kL, {9, 12}, 1},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(SignedDistance(c.area, c.p), c.expected, 1e-12) << c.p.x << " " << c.p.y;
    EXPECT_FALSE(Inside(kGarden, {25, 9})); // the boundary is outside
}

TEST(SiteGeometryTest, WireTakesItsSmallestDistance)
{
    const struct {
        std::vector<Point> wire;
        double expected;
    } cases[] = {
        {{{1, 1}, {24, 1}}, 1},           // along the boundary inside
        {{{5, 9}, {12, 9}, {12, 16}}, 2}, // the bend comes closest
        {{{12, 9}, {35, 9}}, -10},        // ends 10 m outside
        {{{-3, 9}, {28, 9}}, -3},         // crosses both sides
        {{{5, 9}, {25, 9}}, 0},           // touches the boundary
        {{{12, 17.5}, {12, 30}}, -12},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(SmallestSignedDistance(kGarden, c.wire), c.expected, 1e-9);
    // Along the L's inner corner the wire is nearest to the corner's edges.
    EXPECT_NEAR(SmallestSignedDistance(kL, {{2, 12}, {8, 12}}), 2, 1e-9);
}

TEST(SiteGeometryTest, SphereRadii)
{
    const Zone z = sphere(5);
    EXPECT_DOUBLE_EQ(z.reach(), 5);
    EXPECT_DOUBLE_EQ(z.topRadius(), 5);
    // Antenna at 6 m, people up to 2 m: the sphere comes down to 1 m.
    EXPECT_NEAR(z.radiusBetween(-6, -4), std::sqrt(25 - 16), 1e-12);
    EXPECT_DOUBLE_EQ(z.radiusBetween(-12, -5), 0); // only touches
    EXPECT_DOUBLE_EQ(z.radiusBetween(-1, 1), 5);   // the antenna within the heights
    EXPECT_DOUBLE_EQ(z.distanceToward(37), 5);
}

TEST(SiteGeometryTest, ContourTurnedAboutTheMast)
{
    // 10 m ahead, 2 m down, 5 m behind; mirrored upwards.
    Zone z;
    z.addContour({0, 90, 180}, {10, 2, 5});
    EXPECT_DOUBLE_EQ(z.reach(), 10);
    EXPECT_DOUBLE_EQ(z.topRadius(), 10);
    EXPECT_DOUBLE_EQ(z.distanceToward(0), 10);
    EXPECT_DOUBLE_EQ(z.distanceToward(90), 2);
    EXPECT_DOUBLE_EQ(z.distanceToward(-90), 2);
    // Between 0 and 90 deg the contour is the edge from (10, 0) to (0, -2): at 1 m below, 5 m out.
    EXPECT_NEAR(z.radiusBetween(-2, -1), 5, 1e-12);
    EXPECT_NEAR(z.radiusBetween(-3, -2), 0, 1e-12);
    // The edge's point at 45 deg: x = z, on x/10 + z/2 = 1.
    const double t = 1 / (0.1 + 0.5);
    EXPECT_NEAR(z.distanceToward(45), t * std::sqrt(2.0), 1e-12);
    // Another band's sphere widens it where it reaches further.
    z.addSphere(3);
    EXPECT_DOUBLE_EQ(z.distanceToward(90), 3);
    EXPECT_DOUBLE_EQ(z.distanceToward(0), 10);
}

TEST(SiteGeometryTest, QuotientOfOneAndOfTwoAntennas)
{
    const Zone z = sphere(4);
    const Radiator a{{{0, 0}}, 10, &z};
    EXPECT_NEAR(ExposureRatio(a, {4, 0, 10}), 1, 1e-12);
    EXPECT_NEAR(ExposureRatio(a, {0, 0, 2}), 0.25, 1e-12);
    EXPECT_TRUE(std::isinf(ExposureRatio(a, {0, 0, 10})));

    // Two antennas at one point sum to the sphere of sqrt(d1^2 + d2^2).
    const Zone z2 = sphere(3);
    const std::vector<Radiator> both{a, {{{0, 0}}, 10, &z2}};
    for (double elevation : {0.0, 30.0, -60.0, 90.0}) {
        const double r = 5, e = elevation * std::acos(-1.0) / 180;
        EXPECT_NEAR(ExposureQuotient(both, {r * std::cos(e), 0, 10 - r * std::sin(e)}), 1, 1e-12) << elevation;
    }
}

TEST(SiteGeometryTest, WireWithContourTakesItsWorstPoint)
{
    // The ratio along the wire must be the largest over every point of it, which a dense
    // walk along the wire approaches from below.
    Zone z;
    z.addContour({0, 30, 60, 90, 120, 150, 180}, {12, 9, 3, 1, 2, 4, 6});
    z.addSphere(2.5);
    const Radiator wire{{{0, 0}, {20, 0}, {20, 8}}, 10, &z};
    const Point3 points[] = {{5, 3, 2}, {-4, 0, 6}, {25, 4, 10}, {10, -7, 0}, {22, 12, 14}};
    for (const Point3 &p : points) {
        double walk = 0;
        for (size_t k = 0; k + 1 < wire.line.size(); ++k)
            for (int i = 0; i <= 20000; ++i) {
                const Point a = wire.line[k], b = wire.line[k + 1];
                const Radiator at{{{a.x + (b.x - a.x) * i / 20000, a.y + (b.y - a.y) * i / 20000}}, 10, &z};
                walk = std::max(walk, ExposureRatio(at, p));
            }
        const double exact = ExposureRatio(wire, p);
        EXPECT_GE(exact, walk * (1 - 1e-12)) << p.x << " " << p.y << " " << p.z;
        EXPECT_LE(exact, walk * (1 + 1e-4)) << p.x << " " << p.y << " " << p.z;
    }
}

TEST(SiteGeometryTest, LargestQuotientOutsideMatchesBruteForce)
{
    const Zone big = sphere(8), small = sphere(5);
    Zone beam;
    beam.addContour({0, 45, 90, 135, 180}, {14, 6, 1.5, 3, 7});
    const struct {
        const char *name;
        Polygon area;
        std::vector<Radiator> antennas;
        double z0, z1;
    } cases[] = {
        {"10 m apart", kGarden, {{{{7.5, 9}}, 10, &big}, {{{17.5, 9}}, 10, &small}}, 0, 20},
        {"10 m apart, people", kGarden, {{{{7.5, 9}}, 10, &big}, {{{17.5, 9}}, 10, &small}}, 0, 2},
        {"notch of the L", kL, {{{{20, 5}}, 6, &big}, {{{5, 20}}, 6, &small}}, 0, 2},
        {"beam and wire", kGarden, {{{{12, 9}}, 12, &beam}, {{{2, 16}, {23, 16}}, 8, &small}}, 0, 20},
    };
    for (const auto &c : cases) {
        const QuotientPeak peak = LargestQuotientOutside(c.area, c.antennas, c.z0, c.z1);
        const double brute = bruteForceMaximum(c.area, c.antennas, c.z0, c.z1, -20, 50, -20, 50, 0.25);
        EXPECT_GE(peak.value, 0.99 * brute) << c.name;
        // What it reports is a real value at a real place outside.
        EXPECT_FALSE(Inside(c.area, {peak.where.x, peak.where.y})) << c.name;
        EXPECT_GE(peak.where.z, c.z0);
        EXPECT_LE(peak.where.z, c.z1);
        EXPECT_NEAR(ExposureQuotient(c.antennas, peak.where), peak.value, 1e-12 * peak.value) << c.name;
    }
}

TEST(SiteGeometryTest, AntennaOutsideHasNoBound)
{
    const Zone z = sphere(3);
    const std::vector<Radiator> group{{{{30, 9}}, 1, &z}, {{{12, 9}}, 1, &z}};
    const QuotientPeak people = LargestQuotientOutside(kGarden, group, 0, 2);
    EXPECT_TRUE(std::isinf(people.value));
    EXPECT_DOUBLE_EQ(people.where.x, 30);
    // High above the heights people reach it is bounded again.
    const std::vector<Radiator> high{{{{30, 9}}, 12, &z}, {{{12, 9}}, 12, &z}};
    // Near the ground below the outer one, pulled a little towards the inner one: on the line
    // through both at 2 m.
    double line = 0;
    for (double x = 25; x <= 40; x += 1e-4)
        line = std::max(line, ExposureQuotient(high, {x, 9, 2}));
    const double peak = LargestQuotientOutside(kGarden, high, 0, 2).value;
    EXPECT_GE(peak, line * (1 - 1e-9));
    EXPECT_LE(peak, line * (1 + 1e-6));
}
