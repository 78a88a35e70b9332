#include "views/draw/SitePlan.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace
{

const QColor kRed(255, 0, 0);

// Origin (100, 200), scale points (100, 200) and (200, 200) 10 m apart: 10 pixels per metre.
SitePlanCalibration tenPixelsPerMetre()
{
    SitePlanCalibration cal;
    cal.origin = QPoint(100, 200);
    cal.originSet = true;
    cal.scale1 = QPoint(100, 200);
    cal.scale2 = QPoint(200, 200);
    cal.scaleLength = 10;
    cal.scaleSet = true;
    return cal;
}

QImage draw(const SitePlan &plan, QSize size = QSize(300, 240), SitePlanFigures *figures = nullptr)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const SitePlanFigures fig = DrawSitePlan(p, size, plan);
    if (figures)
        *figures = fig;
    return image;
}

// Pixels of one colour and white ones in a square of side 2h+1 around c.
struct Count {
    int color = 0, white = 0;
};
Count around(const QImage &image, QPoint c, int h, const QColor &color)
{
    Count n;
    for (int y = c.y() - h; y <= c.y() + h; ++y)
        for (int x = c.x() - h; x <= c.x() + h; ++x) {
            const QRgb px = image.pixel(x, y);
            n.color += px == color.rgb();
            n.white += px == qRgb(255, 255, 255);
        }
    return n;
}

// Hatched: both the colour and the white picture between its lines; nothing: only white.
void expectHatched(const QImage &image, QPoint c, const QColor &color, const char *where)
{
    const Count n = around(image, c, 3, color);
    EXPECT_GT(n.color, 3) << where << " at " << c.x() << "," << c.y();
    EXPECT_GT(n.white, 20) << where << " at " << c.x() << "," << c.y();
}
void expectEmpty(const QImage &image, QPoint c, const char *where)
{
    const Count n = around(image, c, 3, kRed);
    EXPECT_EQ(n.white, 49) << where << " at " << c.x() << "," << c.y();
}

SitePlan antennaPlan(QVector<QPoint> points, int radius)
{
    SitePlan plan;
    plan.show.antenna1 = false; // the zone alone
    plan.antenna[0].line.points = std::move(points);
    plan.antenna[0].radius = radius;
    return plan;
}

} // namespace

TEST(SitePlanCalibration, ReadoutAndRadius)
{
    struct Case {
        const char *name;
        SitePlanCalibration cal;
        const char *x, *y, *r, *delta; // cursor (150, 150), last click (100, 150)
        std::optional<int> radius;     // for 5 m
    };
    SitePlanCalibration same = tenPixelsPerMetre();
    same.scale2 = same.scale1;
    SitePlanCalibration zero = tenPixelsPerMetre();
    zero.scaleLength = 0;
    SitePlanCalibration negative = tenPixelsPerMetre();
    negative.scaleLength = -10;
    SitePlanCalibration noOrigin = tenPixelsPerMetre();
    noOrigin.originSet = false;
    SitePlanCalibration noScale = tenPixelsPerMetre();
    noScale.scaleSet = false;
    SitePlanCalibration slanted = tenPixelsPerMetre();
    slanted.scale2 = QPoint(130, 240); // 50 pixels for 10 m
    const Case cases[] = {
        {"ten pixels per metre", tenPixelsPerMetre(), "5,0", "5,0", "7,1", "5,0", 50},
        {"coinciding scale points", same, "---", "---", "---", "---", std::nullopt},
        {"scale length 0", zero, "---", "---", "---", "---", std::nullopt},
        {"negative scale length", negative, "---", "---", "---", "---", std::nullopt},
        {"origin not set", noOrigin, "---", "---", "---", "---", 50},
        {"scale not set", noScale, "---", "---", "---", "---", std::nullopt},
        {"slanted scale", slanted, "10,0", "10,0", "14,1", "10,0", 25},
    };
    for (const Case &c : cases) {
        const SitePlanReadout r = CursorReadout(c.cal, QPoint(150, 150), QPoint(100, 150));
        EXPECT_EQ(r.x, "150") << c.name;
        EXPECT_EQ(r.y, "150") << c.name;
        EXPECT_EQ(r.valX, c.x) << c.name;
        EXPECT_EQ(r.valY, c.y) << c.name;
        EXPECT_EQ(r.valR, c.r) << c.name;
        EXPECT_EQ(r.valD, c.delta) << c.name;
        EXPECT_EQ(SafetyRadiusPixels(c.cal, 5), c.radius) << c.name;
    }
    // Halves go to the even neighbour; nonsense distances give no radius.
    EXPECT_EQ(SafetyRadiusPixels(tenPixelsPerMetre(), 0.25), 2);
    EXPECT_EQ(SafetyRadiusPixels(tenPixelsPerMetre(), 0.35), 4);
    EXPECT_EQ(SafetyRadiusPixels(tenPixelsPerMetre(), -1), std::nullopt);
    EXPECT_EQ(SafetyRadiusPixels(tenPixelsPerMetre(), std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(SafetyRadiusPixels(tenPixelsPerMetre(), 1e300), 1000000);
}

TEST(SitePlanCalibration, CoordinateListingNumbersAreaFromZeroAntennasFromOne)
{
    SitePlan plan;
    plan.cal = tenPixelsPerMetre();
    plan.area.points = {QPoint(100, 100), QPoint(250, 200)};
    plan.antenna[0].line.points = {QPoint(90, 215)};
    plan.antenna[1].line.points = {QPoint(5, 6), QPoint(7, 8)};
    const QStringList expected = {
        "Ursprung ......... (   0,0|   0,0)  Pixel(100|200)", "Massstab 1 ....... (   0,0|   0,0)  Pixel(100|200)",
        "Massstab 2 ....... (  10,0|   0,0)  Pixel(200|200)", "Kont.Bereich 0 ... (   0,0|  10,0)  Pixel(100|100)",
        "Kont.Bereich 1 ... (  15,0|   0,0)  Pixel(250|200)", "Antenne 1 Pkt1 ... (  -1,0|  -1,5)  Pixel( 90|215)",
        "Antenne 2 Pkt1 ... (  -9,5|  19,4)  Pixel(  5|  6)", "Antenne 2 Pkt2 ... (  -9,3|  19,2)  Pixel(  7|  8)",
    };
    EXPECT_EQ(CoordinateLines(plan), expected);

    plan.cal.scale2 = plan.cal.scale1; // no scale: pixels only
    EXPECT_EQ(CoordinateLines(plan)[3], "Kont.Bereich 0 ... (   ---|   ---)  Pixel(100|100)");
    EXPECT_EQ(CalibrationSummary(plan.cal), QStringList({"Origin pixX: 100 pixY: 200", "Dist1  pixX: 100 pixY: 200",
                                                         "Dist2  pixX: 100 pixY: 200", "Dist 10,0 m"}));
}

TEST(SitePlanDrawing, BackgroundCoversTheSurfaceByTheLargerRatio)
{
    struct Case {
        const char *name;
        QSize picture;
        double factor;
        QSize drawn;
    };
    const Case cases[] = {
        {"wide picture, cut on the right", QSize(100, 40), 6.0, QSize(600, 240)},
        {"tall picture, cut at the bottom", QSize(60, 100), 5.0, QSize(300, 500)},
        {"same proportions", QSize(150, 120), 2.0, QSize(300, 240)},
    };
    for (const Case &c : cases) {
        // Left half blue, right half green: what shows at the surface's right edge tells the cut.
        QImage picture(c.picture, QImage::Format_RGB32);
        picture.fill(QColor(0, 0, 255));
        QPainter(&picture).fillRect(c.picture.width() / 2, 0, c.picture.width(), c.picture.height(), QColor(0, 255, 0));
        SitePlan plan;
        plan.background.raster = picture;
        plan.background.size = picture.size();
        SitePlanFigures fig;
        const QImage image = draw(plan, QSize(300, 240), &fig);
        EXPECT_DOUBLE_EQ(fig.factor, c.factor) << c.name;
        EXPECT_EQ(fig.backgroundDrawn, c.drawn) << c.name;
        EXPECT_EQ(fig.log.value(0), QString("factor: ") + QString::number(c.factor, 'f', 4).replace('.', ','));
        for (QPoint corner : {QPoint(0, 0), QPoint(299, 0), QPoint(0, 239), QPoint(299, 239)})
            EXPECT_NE(image.pixel(corner), qRgb(255, 255, 255)) << c.name << " corner " << corner.x();
        const bool cutRight = c.drawn.width() > 300;
        EXPECT_EQ(image.pixel(290, 120), cutRight ? qRgb(0, 0, 255) : qRgb(0, 255, 0)) << c.name;
    }
    // Before the first picture the surface is white.
    const QImage blank = draw(SitePlan());
    EXPECT_EQ(around(blank, QPoint(150, 120), 100, kRed).white, 201 * 201);
}

TEST(SitePlanDrawing, SafetyZonesAreHatchedDiscsAndBands)
{
    // One point: one hatched disc of radius 40, nothing outside.
    QImage image = draw(antennaPlan({QPoint(150, 120)}, 40));
    expectHatched(image, QPoint(150, 120), kRed, "disc centre");
    expectHatched(image, QPoint(150 + 30, 120), kRed, "disc inside");
    expectEmpty(image, QPoint(150 + 47, 120), "beside the disc");
    expectEmpty(image, QPoint(150 + 36, 120 + 36), "beyond the disc diagonally");

    // A wire from (60, 120) to (240, 120): a band of half-width 30 with round ends.
    SitePlanFigures fig;
    image = draw(antennaPlan({QPoint(60, 120), QPoint(240, 120)}, 30), QSize(300, 240), &fig);
    ASSERT_EQ(fig.normals.size(), 1);
    EXPECT_EQ(fig.normals[0], QPointF(0, 1));
    EXPECT_TRUE(fig.log.contains("e:  (0,0,1,0)")) << fig.log.join('|').toStdString();
    expectHatched(image, QPoint(150, 120 - 24), kRed, "band above the wire");
    expectHatched(image, QPoint(150, 120 + 24), kRed, "band below the wire");
    expectHatched(image, QPoint(60 - 24, 120), kRed, "round end");
    expectEmpty(image, QPoint(150, 120 - 37), "above the band");
    expectEmpty(image, QPoint(150, 120 + 37), "below the band");
    expectEmpty(image, QPoint(60 - 26, 120 - 26), "outside the round end's corner");

    // A repeated point adds no segment of zero length and no broken band.
    image = draw(antennaPlan({QPoint(60, 120), QPoint(60, 120), QPoint(60, 200)}, 20), QSize(300, 240), &fig);
    EXPECT_EQ(fig.normals.size(), 1);
    expectHatched(image, QPoint(60 + 15, 160), kRed, "band of the real segment");
    expectEmpty(image, QPoint(60 + 27, 160), "beside the band");

    // Without a radius (no scale when the distance was typed) there is no zone.
    SitePlan plan = antennaPlan({QPoint(150, 120)}, 40);
    plan.antenna[0].radius.reset();
    expectEmpty(draw(plan), QPoint(150 + 20, 120), "no radius");
}

TEST(SitePlanDrawing, AreaClosesItselfAndObjectsKeepTheirColours)
{
    SitePlan plan;
    plan.show.area = true;
    plan.areaColor = QColor(0, 255, 255);
    plan.area.points = {QPoint(40, 40), QPoint(240, 40), QPoint(240, 200)}; // no repeated first point
    plan.antenna[1].line.points = {QPoint(100, 200), QPoint(200, 200)};
    plan.antenna[1].radius = 10;
    plan.show.legend = true;
    plan.legendBegun[2] = true;
    plan.legendPos[2] = QPoint(10, 215);
    plan.legend[2] = "Kontrollierbarer Bereich";
    const QImage image = draw(plan);
    // The closing edge from (240, 200) back to (40, 40) is drawn in the area colour.
    EXPECT_GT(around(image, QPoint(140, 120), 1, QColor(0, 255, 255)).color, 0);
    // Inside the area: the cross hatch in the area colour over white.
    const Count inside = around(image, QPoint(200, 70), 3, QColor(0, 255, 255));
    EXPECT_GT(inside.color, 5);
    EXPECT_GT(inside.white, 20);
    // Antenna 2 in teal: its line solid, its zone hatched.
    EXPECT_EQ(image.pixel(150, 200), QColor(0, 128, 128).rgb());
    expectHatched(image, QPoint(150, 200 + 7), QColor(0, 128, 128), "zone of antenna 2");
    // The legend swatch of the area, hatched; legends of objects not begun stay away.
    expectHatched(image, QPoint(20, 225), QColor(0, 255, 255), "legend swatch");
    plan.legendBegun[2] = false;
    EXPECT_EQ(around(draw(plan), QPoint(20, 225), 3, kRed).white, 49);
}
