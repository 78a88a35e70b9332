#include "print/draw/DruckenBild.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace
{

const QColor kLime(0, 255, 0);
const QColor kBlue(0, 0, 255);

struct Drawn {
    QImage image;
    PrintPictureFigures figures;
};

const QColor kCanvas(255, 0, 255); // no text or line of the picture blends into magenta

// Paints into a canvas that may be wider than the picture, to see anything drawn outside.
Drawn Draw(const PrintPictureInput &in, int canvasWidth = kPictureWidth)
{
    Drawn d{QImage(canvasWidth, kPictureHeight, QImage::Format_RGB32), {}};
    d.image.fill(kCanvas);
    QPainter painter(&d.image);
    d.figures = BildErzeugen(painter, in);
    return d;
}

PrintPictureInput Input(std::vector<int> angles, std::vector<double> distances, double height, bool rays = false,
                        bool dimensions = true)
{
    return {std::move(angles), std::move(distances), height, rays, dimensions};
}

// Any pixel of the colour within `radius` of (x, y).
bool ColourNear(const QImage &image, int x, int y, const QColor &colour, int radius = 1)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.rect().contains(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == colour)
                return true;
    return false;
}

int CountColour(const QImage &image, const QColor &colour, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

// Text is drawn with smoothed edges: count the pixels that are mostly blue.
int CountBluish(const QImage &image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.blue() > c.red() + 100 && c.blue() > c.green() + 100;
        }
    return n;
}

QPoint At(const Drawn &d, double angleDeg, double metres)
{
    const double a = angleDeg * M_PI / 180, r = d.figures.scale * metres;
    return {d.figures.mastX + static_cast<int>(std::lround(std::cos(a) * r)),
            d.figures.antennaY + static_cast<int>(std::lround(std::sin(a) * r))};
}

} // namespace

TEST(PrintPicture, ScaleFollowsTheNarrowerLimit)
{
    struct Case {
        const char *name;
        double height, dmax;
        double scale;
        int antennaY, mastTopY, bar;
    };
    const Case cases[] = {
        // min(455 / 20, 315 / 10); yt = rnd(200.5) = 200, bar rnd(113.75)
        {"height 10, widest 20", 10, 20, 22.75, 200, 200, 114},
        // min(455 / 3, 315 / 30) = 10.5: the tall mast sets the scale
        {"tall mast, short zone", 30, 3, 10.5, 113, 113, 52}, // rnd(52.5) to even
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Drawn d = Draw(Input({0, 90}, {c.dmax, c.dmax / 2}, c.height));
        const PrintPictureFigures &f = d.figures;
        EXPECT_TRUE(f.hasZone);
        EXPECT_DOUBLE_EQ(f.scale, c.scale);
        EXPECT_EQ(f.mastX, 98);
        EXPECT_EQ(f.groundY, 428);
        EXPECT_EQ(f.antennaY, c.antennaY);
        EXPECT_EQ(f.mastTopY, c.mastTopY);
        EXPECT_EQ(f.barLength, c.bar);
        EXPECT_EQ(f.legendY, 351);
        // mast black up to the antenna, ground silver, 5 m bar green at its left end
        EXPECT_EQ(d.image.pixelColor(97, (428 + c.mastTopY) / 2), QColor(Qt::black)); // 98: clearance arrow
        EXPECT_EQ(d.image.pixelColor(300, 428), QColor(192, 192, 192));
        EXPECT_EQ(d.image.pixelColor(650 - 40 - c.bar, 408), QColor(0, 128, 0));
        EXPECT_EQ(d.image.pixelColor(650 - 40 - c.bar - 1, 408), QColor(Qt::white));
    }
}

TEST(PrintPicture, MirroredOnlyUpTo180Degrees)
{
    // The 45-degree point mirrored above the antenna exists only when the list ends at 180 or less.
    struct Case {
        const char *name;
        std::vector<int> angles;
        bool mirrored;
    };
    const Case cases[] = {
        {"ends at 180", {0, 45, 90, 180}, true},
        {"ends at 200", {0, 45, 90, 200}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Drawn d = Draw(Input(c.angles, std::vector<double>(c.angles.size(), 4), 10));
        EXPECT_EQ(d.figures.mirrored, c.mirrored);
        const QPoint below = At(d, 45, 4);
        const QPoint above(below.x(), 2 * d.figures.antennaY - below.y());
        EXPECT_TRUE(ColourNear(d.image, below.x(), below.y(), kLime));
        EXPECT_EQ(ColourNear(d.image, above.x(), above.y(), kLime), c.mirrored);
    }
}

TEST(PrintPicture, RaysRunOneDegreeBelowTheOutlineCorners)
{
    const std::vector<int> angles = {0, 90, 200};
    const std::vector<double> distances = {20, 5, 5};
    const Drawn outline = Draw(Input(angles, distances, 10, false));
    const Drawn rays = Draw(Input(angles, distances, 10, true));
    // Corner of the outline at 0 degrees, 20 m; the ray ends at 1 degree.
    const QPoint corner = At(outline, 0, 20), rayEnd = At(rays, 1, 20);
    EXPECT_EQ(rayEnd.y() - corner.y(), 8); // rnd(sin 1° * 455)
    EXPECT_TRUE(ColourNear(outline.image, corner.x() - 1, corner.y(), kLime));
    EXPECT_TRUE(ColourNear(rays.image, rayEnd.x(), rayEnd.y(), kLime));
    EXPECT_FALSE(ColourNear(rays.image, corner.x() - 1, corner.y(), kLime));
    // A ray is a straight line from the antenna: its middle is lime too.
    const QPoint middle = At(rays, 1, 10);
    EXPECT_TRUE(ColourNear(rays.image, middle.x(), middle.y(), kLime));
    // The maxima are the zone's, not the rays' one degree further on.
    EXPECT_NEAR(rays.figures.reach, 20, 1e-12);
    EXPECT_EQ(rays.figures.reachText, outline.figures.reachText);
}

TEST(PrintPicture, DimensionsFromTheZone)
{
    // Height 10, zone 20 m out at 0 degrees and 8 m straight down: clearance 2 m below the antenna point.
    const std::vector<int> angles = {0, 90, 200};
    const std::vector<double> distances = {20, 8, 5};
    const Drawn with = Draw(Input(angles, distances, 10, false, true));
    const Drawn without = Draw(Input(angles, distances, 10, false, false));
    const PrintPictureFigures &f = with.figures;
    EXPECT_NEAR(f.reach, 20, 1e-12);
    EXPECT_NEAR(f.clearance, 2, 1e-12);
    EXPECT_NEAR(f.clearanceX, 0, 1e-9);
    EXPECT_EQ(f.reachText, "Reichweite:   20,0 m");
    EXPECT_EQ(f.clearanceText, "Bodenfreiheit:    2,0 m");
    // rnd(rnd((2 * 428 + (428 - floor(45.5))) / 2) * 2 / 3) = rnd(620 * 2 / 3)
    EXPECT_EQ(f.clearanceLabelY, 413);
    const QRect picture(0, 0, kPictureWidth, kPictureHeight);
    EXPECT_GT(CountColour(with.image, kBlue, picture), 100);
    EXPECT_EQ(CountColour(without.image, kBlue, picture), 0);
    // the reach line at xr and the clearance arrow at xc
    EXPECT_EQ(with.image.pixelColor(98 + 455, 200), kBlue);
    EXPECT_EQ(with.image.pixelColor(98, 405), kBlue);
}

TEST(PrintPicture, ReachRoundedUpClearanceDown)
{
    // The Yagi 2m 9 El. at 100 m reaches 7.95 m: at 3.15 units per metre the drawn 25 units
    // were 7.94 m and showed 7,9. Its clearance of 99 m read as 99.05 from the pixels.
    for (bool rays : {false, true}) {
        SCOPED_TRACE(rays);
        const Drawn d = Draw(Input({0, 90, 180}, {7.95, 1, 1}, 100, rays));
        EXPECT_EQ(d.figures.reachText, "Reichweite:    8,0 m");
        EXPECT_EQ(d.figures.clearanceText, "Bodenfreiheit:   99,0 m");
    }
    const Drawn plain = Draw(Input({0, 90, 180}, {7.91, 2.04, 1}, 10));
    EXPECT_EQ(plain.figures.reachText, "Reichweite:    8,0 m");
    EXPECT_EQ(plain.figures.clearanceText, "Bodenfreiheit:    7,9 m");
}

TEST(PrintPicture, DimensionTextsNeverCoverEachOtherOrTheLegend)
{
    // A short zone on a high mast brings the clearance text's row (a third of the clearance
    // above the ground) to the reach text's row 100 units above it.
    struct Case {
        const char *name;
        std::vector<int> angles;
        std::vector<double> distances;
        double height;
    };
    std::vector<Case> cases = {
        {"Yagi-like at 100 m", {0, 90, 180}, {7.95, 1, 1}, 100},
        {"short beam at 10 m", {0, 30, 60, 90, 120, 150, 180}, {1.6, 1.2, 0.7, 0.5, 0.4, 0.4, 0.3}, 10},
        {"long zone, low mast", {0, 90, 180}, {20, 1, 5}, 2},
        {"long zone, high mast", {0, 90, 180}, {30, 3, 10}, 40},
        {"clearance point at the mast", {0, 90, 180}, {5, 9.5, 1}, 10},
        {"clearance point far out", {0, 20, 180}, {12, 14, 1}, 6},
        {"zone below the ground", {0, 90, 180}, {3, 12, 1}, 10},
        {"reach at the right edge", {0, 90, 180}, {20, 5, 20}, 3},
        {"full circle", {0, 90, 180, 270, 360}, {4, 2, 4, 2, 4}, 15},
    };
    // Every mast height against every zone length: the clearance row sweeps past the reach row.
    for (double height : {1.0, 3.0, 10.0, 30.0, 60.0, 100.0})
        for (double reach : {0.5, 2.0, 8.0, 25.0})
            for (double down : {0.1, 0.5, 0.9})
                cases.push_back({"sweep", {0, 45, 90, 180}, {reach, reach, down * height, reach / 2}, height});

    const QRect picture(0, 0, kPictureWidth, kPictureHeight);
    for (const Case &c : cases) {
        for (bool rays : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + " height " + std::to_string(c.height) + " first distance "
                         + std::to_string(c.distances[0]) + (rays ? " rays" : ""));
            const Drawn d = Draw(Input(c.angles, c.distances, c.height, rays));
            const PrintPictureFigures &f = d.figures;
            ASSERT_FALSE(f.reachText.isEmpty());
            ASSERT_FALSE(f.clearanceText.isEmpty());
            for (const QRect &box : {f.reachBox, f.clearanceBox}) {
                EXPECT_TRUE(picture.contains(box));
                EXPECT_FALSE(box.intersects(f.legendBox));
                EXPECT_FALSE(box.intersects(QRect(QPoint(f.mastX - 1, f.mastTopY), QPoint(f.mastX + 1, f.groundY))));
                EXPECT_GT(CountBluish(d.image, box), 40); // the text is there, not covered
            }
            EXPECT_FALSE(f.reachBox.intersects(f.clearanceBox))
                << f.reachBox.y() << " " << f.clearanceBox.y() << " " << f.reachBox.x() << " " << f.clearanceBox.x();
        }
    }
}

TEST(PrintPicture, DimensionTextsKeepTheirPlacesWhereFree)
{
    // Height 10, 10 m out, 8 m down: s = 31.5, xr = 98 + 315; the clearance of 2 m is 63 units,
    // its text at rnd(rnd((3 * 428 - 63) / 2) * 2 / 3) = rnd(610 * 2 / 3); the reach text on its arrow.
    const Drawn d = Draw(Input({0, 90, 200}, {10, 8, 5}, 10));
    EXPECT_EQ(d.figures.clearanceBox.topLeft(), QPoint(98 + 10, 407));
    EXPECT_EQ(d.figures.clearanceLabelY, 407);
    EXPECT_EQ(d.figures.reachBox.topLeft(), QPoint(413 + 10, 428 - 100));
}

TEST(PrintPicture, NothingLeavesThePicture)
{
    // The zone reaches past the left edge at 200 degrees; the reach text would start right of a
    // line at 70 % of the width. Texts stay whole inside the picture, lines are cut at its edge.
    for (bool rays : {false, true}) {
        const Drawn d = Draw(Input({0, 90, 200}, {20, 8, 5}, 10, rays), kPictureWidth + 200);
        EXPECT_EQ(CountColour(d.image, kCanvas, QRect(kPictureWidth, 0, 200, kPictureHeight)), 200 * kPictureHeight);
        EXPECT_EQ(CountColour(d.image, kCanvas, QRect(0, 0, kPictureWidth, kPictureHeight)), 0);
        EXPECT_TRUE(QRect(0, 0, kPictureWidth, kPictureHeight).contains(d.figures.textBounds))
            << d.figures.textBounds.x() << "," << d.figures.textBounds.y() << " " << d.figures.textBounds.width() << "x"
            << d.figures.textBounds.height();
        EXPECT_GT(d.figures.textBounds.right(), 600); // the legend's and the reach text's ends
    }
}

TEST(PrintPicture, HeightZeroDrawsTheZoneOnTheGround)
{
    // The width alone sets the scale, 455 / 10 m; the antenna stands on the ground line and the
    // mirrored half of the zone rises above it.
    for (bool rays : {false, true}) {
        SCOPED_TRACE(rays);
        const Drawn d = Draw(Input({0, 45, 90, 180}, {10, 5, 5, 10}, 0, rays));
        const PrintPictureFigures &f = d.figures;
        EXPECT_TRUE(f.hasZone);
        EXPECT_DOUBLE_EQ(f.scale, 45.5);
        EXPECT_EQ(f.antennaY, 428);
        EXPECT_EQ(f.barLength, 228); // rnd(227.5) to even
        // the mirrored 45 and 90 degree points above the ground (the rays end a degree on)
        EXPECT_TRUE(ColourNear(d.image, 98 + 161, 428 - 161, kLime, 4));
        EXPECT_TRUE(ColourNear(d.image, 98, 428 - 228, kLime, 4));
        EXPECT_GT(CountColour(d.image, kLime, QRect(0, 0, kPictureWidth, 428)), 200);
        EXPECT_EQ(f.reachText, "Reichweite:   10,0 m");
        EXPECT_EQ(f.clearanceText, "Bodenfreiheit:    0,0 m");
        EXPECT_TRUE(QRect(0, 0, kPictureWidth, kPictureHeight).contains(f.clearanceBox));
        EXPECT_GT(CountBluish(d.image, f.reachBox), 40);
        EXPECT_GT(CountBluish(d.image, f.clearanceBox), 40);
    }
}

TEST(PrintPicture, NoScaleDrawsMastGroundAndLegendOnly)
{
    struct Case {
        const char *name;
        std::vector<int> angles;
        std::vector<double> distances;
        double height;
        int mastTopY;
    };
    const Case cases[] = {
        {"largest distance 0", {0, 90}, {0, 0}, 10, 428 - 315},
        {"both 0", {0, 90}, {0, 0}, 0, 428},
        {"no angles", {}, {}, 10, 428 - 315},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (bool rays : {false, true}) {
            const Drawn d = Draw(Input(c.angles, c.distances, c.height, rays));
            const PrintPictureFigures &f = d.figures;
            EXPECT_FALSE(f.hasZone);
            for (double v : {f.scale, f.reach, f.clearance, f.clearanceX})
                EXPECT_TRUE(std::isfinite(v));
            EXPECT_EQ(f.mastTopY, c.mastTopY);
            EXPECT_EQ(d.image.pixelColor(300, 428), QColor(192, 192, 192));
            // lime only in the legend square
            const QRect legend(0, f.legendY, kPictureWidth, 15);
            EXPECT_EQ(CountColour(d.image, kLime, legend), 15 * 15);
            EXPECT_EQ(CountColour(d.image, kLime, QRect(0, 0, kPictureWidth, kPictureHeight)), 15 * 15);
            EXPECT_EQ(CountColour(d.image, kBlue, QRect(0, 0, kPictureWidth, kPictureHeight)), 0);
        }
    }
}
