#include "views/draw/SideViewGeometry.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace sideview;

namespace
{

constexpr int W = 809, H = 473;

ZoneInput zone(std::vector<int> angles, std::vector<double> distances, double height)
{
    return ZoneInput{std::move(angles), std::move(distances), height};
}

} // namespace

TEST(SideViewGeometry, ScaleOriginGroundAndBar)
{
    struct Case {
        const char *name;
        double height, rmax, zoom, scale;
        int antennaY, mastTopY, bar;
    };
    const Case cases[] = {
        // Vertical limit 0.7*473/10 = 33.11 beats 0.7*809/5 = 113.26.
        {"height 10, rmax 5", 10, 5, 1.0, 33.11, 118, 118, 166},
        // Horizontal 188.77 px/m exceeds vertical 11.04 px/m: the vertical one applies.
        {"height 30, rmax 3", 30, 3, 1.0, 0.7 * 473 / 30.0, 118, 118, 55},
        {"horizontal limit", 1, 10, 1.0, 0.7 * 809 / 10.0, 392, 392, 283},
        {"zoom three times", 10, 5, 1.157625, 33.11 * 1.157625, 66, 66, 192},
    };
    for (const Case &c : cases) {
        const ZoneGeometry g =
            BuildZone(zone({0, 90, 180}, {c.rmax / 2, c.rmax, c.rmax / 3}, c.height), W, H, c.zoom, false);
        EXPECT_TRUE(g.hasZone) << c.name;
        EXPECT_NEAR(g.scale, c.scale, 1e-9) << c.name;
        EXPECT_EQ(g.originX, 121) << c.name;
        EXPECT_EQ(g.antennaX, 121) << c.name;
        EXPECT_EQ(g.groundY, 449) << c.name;
        EXPECT_EQ(g.antennaY, c.antennaY) << c.name;
        EXPECT_EQ(g.mastTopY, c.mastTopY) << c.name;
        EXPECT_EQ(g.barLength, c.bar) << c.name;
    }
    // The printout picture: same rules on 650 x 450.
    const ZoneGeometry p = BuildZone(zone({0, 90}, {5, 5}, 10), 650, 450, 1.0, false);
    EXPECT_NEAR(p.scale, 31.5, 1e-9);
    EXPECT_EQ(p.originX, 98);  // 97.5 -> 98
    EXPECT_EQ(p.groundY, 428); // 450 - rnd(22.5) = 450 - 22
}

TEST(SideViewGeometry, HalfPlaneIsMirroredFullCircleIsNot)
{
    // s = 33.11, r = 5 m -> 165.55 px -> 166.
    const ZoneGeometry half = BuildZone(zone({0, 90, 180}, {5, 5, 5}, 10), W, H, 1.0, false);
    ASSERT_TRUE(half.mirrored);
    EXPECT_EQ(half.points, (std::vector<QPoint>{{287, 118}, {121, 284}, {-45, 118}}));
    EXPECT_EQ(half.mirrorPoints, (std::vector<QPoint>{{287, 118}, {121, -48}, {-45, 118}}));

    const ZoneGeometry full = BuildZone(zone({0, 90, 180, 270, 360}, {5, 5, 5, 5, 5}, 10), W, H, 1.0, false);
    EXPECT_FALSE(full.mirrored);
    EXPECT_TRUE(full.mirrorPoints.empty());
    ASSERT_EQ(full.points.size(), 5u);
    EXPECT_EQ(full.points[3], QPoint(121, -48)); // 270 deg points up
    EXPECT_EQ(full.points[4], full.points[0]);   // closed contour
}

TEST(SideViewGeometry, RaysAreOneDegreeOnButTheMaximaAreTheZones)
{
    const ZoneInput in = zone({0, 90, 180}, {5, 2, 3}, 10);
    const ZoneGeometry contour = BuildZone(in, W, H, 1.0, false);
    const ZoneGeometry rays = BuildZone(in, W, H, 1.0, true);
    // 1 deg: (cos, sin) * 165.55 = (165.52, 2.89) -> (287, 121) instead of (287, 118).
    EXPECT_EQ(contour.points[0], QPoint(287, 118));
    EXPECT_EQ(rays.points[0], QPoint(287, 121));
    EXPECT_EQ(rays.points[1], QPoint(120, 184)); // 91 deg: one pixel behind the mast
    // Reach and clearance stay those of the table's angles: 5 m out at 0 deg, 10 - 2 m at 90 deg.
    for (const ZoneGeometry *g : {&contour, &rays}) {
        EXPECT_NEAR(g->reach, 5.0, 1e-12);
        EXPECT_NEAR(g->clearance, 8.0, 1e-12);
        EXPECT_NEAR(g->clearanceX, 0.0, 1e-12);
    }
}

TEST(SideViewGeometry, MaximaInMetresNotFromRoundedPixels)
{
    // 7.95 m at 100 m height: s = 3.311 px/m, the 26.32 px of the reach round to 26 px = 7.85 m
    // and the 1 m below the antenna to 3 px; the figures must be the zone's own.
    const ZoneGeometry g = BuildZone(zone({0, 90, 180}, {7.95, 1, 1}, 100), W, H, 1.0, false);
    EXPECT_EQ(g.points[0].x() - g.antennaX, 26);
    EXPECT_NEAR(g.reach, 7.95, 1e-12);
    EXPECT_NEAR(g.clearance, 99.0, 1e-12);
    // A slanted point: 45 deg at 4 m from 3 m height, 2.83 m out and down.
    const ZoneGeometry slant = BuildZone(zone({45, 180}, {4, 1}, 3), W, H, 1.0, false);
    EXPECT_NEAR(slant.reach, 4 * std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(slant.clearance, 3 - 4 * std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(slant.clearanceX, 4 * std::sqrt(0.5), 1e-12);
}

TEST(SideViewGeometry, ShownFiguresNeverOnTheUnsafeSide)
{
    struct {
        double metres, reach, clearance;
    } cases[] = {
        {7.95, 8.0, 7.9}, {7.9, 7.9, 7.9},  {7.91, 8.0, 7.9}, {7.99, 8.0, 7.9}, {0.3, 0.3, 0.3},
        {0.05, 0.1, 0.0}, {2.0, 2.0, 2.0},  {0, 0, 0},         {99.06, 99.1, 99.0},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(ShownReach(c.metres), c.reach) << c.metres;
        EXPECT_DOUBLE_EQ(ShownClearance(c.metres), c.clearance) << c.metres;
    }
}

TEST(SideViewGeometry, ClearanceIsAbsoluteAndTiesGoToTheMast)
{
    // Height 1 m, 3 m straight down: the point lies 2 m below the ground line.
    const ZoneGeometry below = BuildZone(zone({90}, {3}, 1), W, H, 1.0, false);
    ASSERT_TRUE(below.hasMaxima);
    EXPECT_NEAR(below.clearance, 2.0, 1e-12);
    EXPECT_NEAR(below.clearanceX, 0.0, 1e-12);

    // 0 deg at 5 m and 180 deg at 2 m share the antenna's height: the nearer one gives xb.
    const ZoneGeometry tie = BuildZone(zone({0, 180}, {5, 2}, 10), W, H, 1.0, false);
    EXPECT_NEAR(tie.clearance, 10.0, 1e-12);
    EXPECT_NEAR(tie.clearanceX, 2.0, 1e-12);
    EXPECT_NEAR(tie.reach, 5.0, 1e-12);
}

TEST(SideViewGeometry, UnusableInputsDrawNoZoneAndStayFinite)
{
    const double nan = std::nan("");
    const double inf = INFINITY;
    struct Case {
        const char *name;
        ZoneInput in;
        double zoom;
        bool hasZone;
        double scale; // -1: only finite and positive
    };
    const Case cases[] = {
        {"empty table keeps the mast scale", zone({}, {}, 10), 1.0, false, 33.11},
        {"height 0 uses the horizontal limit", zone({0, 90}, {5, 5}, 0), 1.0, true, 0.7 * 809 / 5},
        {"height 0 and empty table", zone({}, {}, 0), 1.0, false, 0},
        {"largest distance 0", zone({0, 90}, {0, 0}, 0), 1.0, false, 0},
        {"negative distances", zone({0, 90}, {-99, -99}, 10), 1.0, false, 33.11},
        {"NaN and infinite distances", zone({0, 90}, {nan, inf}, 10), 1.0, false, 33.11},
        {"negative height", zone({0, 90}, {5, 5}, -3), 1.0, true, 0.7 * 809 / 5},
        {"NaN height", zone({0, 90}, {5, 5}, nan), 1.0, true, 0.7 * 809 / 5},
        {"lengths differ", zone({0, 90, 180}, {5}, 10), 1.0, true, 33.11},
        {"bad zoom counts as 1", zone({0, 90}, {5, 5}, 10), nan, true, 33.11},
        {"huge zoom", zone({0, 90}, {5, 5}, 10), 1e300, true, -1},
        {"tiny distance", zone({0, 90}, {1e-300, 1e-300}, 0), 1.0, true, -1},
    };
    for (const Case &c : cases) {
        const ZoneGeometry g = BuildZone(c.in, W, H, c.zoom, false);
        EXPECT_EQ(g.hasZone, c.hasZone) << c.name;
        EXPECT_TRUE(std::isfinite(g.scale) && g.scale >= 0) << c.name;
        if (c.scale >= 0) {
            EXPECT_NEAR(g.scale, c.scale, 1e-9) << c.name;
        }
        EXPECT_EQ(g.groundY, 449) << c.name;
        EXPECT_EQ(g.hasMaxima, c.hasZone) << c.name;
        EXPECT_TRUE(std::isfinite(g.reach) && std::isfinite(g.clearance) && std::isfinite(g.clearanceX)) << c.name;
        for (const auto *list : {&g.points, &g.mirrorPoints})
            for (QPoint q : *list)
                EXPECT_TRUE(std::abs(q.x()) <= 1000000 && std::abs(q.y()) <= 1000000) << c.name;
        EXPECT_TRUE(std::abs(g.antennaY) <= 1000000 && std::abs(g.mastTopY) <= 1000000) << c.name;
        if (!c.hasZone) {
            EXPECT_TRUE(g.points.empty()) << c.name;
        }
    }
}

TEST(SideViewGeometry, ArrowHeadsAtThirtyDegrees)
{
    QImage image(120, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setPen(QPen(Qt::black, 1));
        // Head 20 at (90, 50): ends (90 - rnd(17.32), 50 -/+ 10) = (73, 40) and (73, 60).
        DrawArrow(p, QPoint(10, 50), QPoint(90, 50), 20, true);
        // Head 0 on a vertical arrow of 40 px: rnd(6) lines, ends at (5 -/+ 3, 90 - 5).
        DrawArrow(p, QPoint(5, 50), QPoint(5, 90), 0);
    }
    const QRgb black = qRgb(0, 0, 0);
    for (QPoint q :
         {QPoint(73, 40), QPoint(73, 60), QPoint(27, 40), QPoint(27, 60), QPoint(50, 50), QPoint(2, 85), QPoint(8, 85)})
        EXPECT_EQ(image.pixel(q), black) << q.x() << "," << q.y();
    EXPECT_EQ(image.pixel(60, 45), qRgb(255, 255, 255));
}
