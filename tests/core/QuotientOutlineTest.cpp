#include "core/QuotientOutline.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace site;

namespace
{

Zone sphere(double d)
{
    Zone z;
    z.addSphere(d);
    return z;
}

double farthestFrom(const Outline &lines, Point c, double (*pick)(double, double), double start)
{
    double r = start;
    for (const auto &line : lines)
        for (Point p : line)
            r = pick(r, std::hypot(p.x - c.x, p.y - c.y));
    return r;
}
double maxOf(double a, double b)
{
    return std::max(a, b);
}
double minOf(double a, double b)
{
    return std::min(a, b);
}

} // namespace

TEST(QuotientOutlineTest, OneSphereGivesItsCircleClosed)
{
    const Zone z = sphere(10);
    const std::vector<Radiator> one{{{{3, -4}}, 5, &z}};
    const Box box = OutlineBox(one);
    EXPECT_LE(box.x0, 3 - 10);
    EXPECT_GE(box.y1, -4 + 10);
    const Outline lines = QuotientOutline(one, 0, 20, box);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_GT(lines[0].size(), 50u);
    EXPECT_EQ(lines[0].front(), lines[0].back());
    const double step = (box.x1 - box.x0) / 120;
    EXPECT_NEAR(farthestFrom(lines, {3, -4}, maxOf, 0), 10, step / 10);
    EXPECT_NEAR(farthestFrom(lines, {3, -4}, minOf, 1e9), 10, step / 10);
}

TEST(QuotientOutlineTest, TwoSpheresMergeWhereTheirSumReachesOne)
{
    // Between two spheres of 5 m, 12 m apart, each adds 25 / r^2: on the middle line the sum
    // is 1 at r = sqrt(50), 3,74 m off the axis; alone neither reaches the middle.
    const Zone z = sphere(5);
    const std::vector<Radiator> two{{{{-6, 0}}, 0, &z}, {{{6, 0}}, 0, &z}};
    const Outline lines = QuotientOutline(two, 0, 0, OutlineBox(two), 200);
    ASSERT_EQ(lines.size(), 1u);
    double crossing = 0;
    for (size_t k = 0; k + 1 < lines[0].size(); ++k) {
        const Point a = lines[0][k], b = lines[0][k + 1];
        if ((a.x < 0) != (b.x < 0) && a.y > 0)
            crossing = a.y + (b.y - a.y) * (0 - a.x) / (b.x - a.x);
    }
    EXPECT_NEAR(crossing, std::sqrt(50.0 - 36.0), 0.05);
    // Far from the pair the quotient falls below 1.
    EXPECT_LT(LargestQuotientOverHeights(two, {0, 10}, 0, 0), 1);
    EXPECT_GT(LargestQuotientOverHeights(two, {0, 3}, 0, 0), 1);
}

TEST(QuotientOutlineTest, HeightsDecideAndEmptyInputsGiveNoLine)
{
    // A sphere of 3 m at 10 m never comes down to 2 m.
    const Zone z = sphere(3);
    const std::vector<Radiator> high{{{{0, 0}}, 10, &z}};
    EXPECT_TRUE(QuotientOutline(high, 0, 2, OutlineBox(high)).empty());
    EXPECT_EQ(QuotientOutline(high, 0, 20, OutlineBox(high)).size(), 1u);
    // The largest over heights is taken at the antenna's own height.
    EXPECT_NEAR(LargestQuotientOverHeights(high, {2, 0}, 0, 20), 9.0 / 4, 1e-12);

    const Zone none;
    EXPECT_TRUE(OutlineBox({{{{0, 0}}, 0, &none}}).empty());
    EXPECT_TRUE(QuotientOutline({}, 0, 2, {0, 0, 10, 10}).empty());
    EXPECT_TRUE(QuotientOutline(high, 0, 2, {}).empty());
}
