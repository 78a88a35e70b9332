#include "views/draw/DiagramPicture.h"
#include "views/draw/SideViewPicture.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace
{

const QRgb kLime = qRgb(0, 255, 0), kBlack = qRgb(0, 0, 0), kSilver = qRgb(192, 192, 192);
const QRgb kGreen = qRgb(0, 128, 0), kBlue = qRgb(0, 0, 255), kRed = qRgb(255, 0, 0);
const QRgb kInfo = qRgb(255, 255, 225);

struct Drawn {
    QImage image;
    SideViewFigures figures;
};

Drawn sideView(const sideview::ZoneInput &in, const SideViewOptions &options = {})
{
    Drawn d{QImage(kSideViewWidth, kSideViewHeight, QImage::Format_RGB32), {}};
    QPainter p(&d.image);
    d.figures = DrawSideView(p, in, kSideViewWidth, kSideViewHeight, options);
    return d;
}

int count(const QImage &image, QRect area, QRgb colour)
{
    int n = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// Texts are antialiased: count the pixels that are not background.
int inked(const QImage &image, QRect area, QRgb background)
{
    return area.intersected(image.rect()).width() * area.intersected(image.rect()).height()
           - count(image, area, background);
}

std::string at(QPoint q)
{
    return std::to_string(q.x()) + "," + std::to_string(q.y());
}

} // namespace

TEST(SideViewPicture, ElementsWhereTheGeometrySaysAndInTheirColours)
{
    // Height 10 m, 5 m all round the lower half: s = 33.11, ox 121, gy 449, ay 118.
    const sideview::ZoneInput in{{0, 90, 180}, {5, 5, 5}, 10};
    const Drawn d = sideView(in);
    const sideview::ZoneGeometry &g = d.figures.zone;
    ASSERT_TRUE(g.hasZone);
    EXPECT_NEAR(d.figures.xInterval, 809 / 33.11, 1e-9);
    EXPECT_NEAR(d.figures.yInterval, 473 / 33.11, 1e-9);
    EXPECT_EQ(d.figures.penWidth, 1);

    struct Probe {
        const char *what;
        QPoint where;
        QRgb colour;
    };
    const Probe probes[] = {
        {"mast beside the clearance arrow", {120, 400}, kBlack},
        {"mast top", {120, 119}, kBlack},
        {"clearance arrow on the mast axis", {121, 400}, kBlue},
        {"ground line", {500, 449}, kSilver},
        {"ground line end", {799, 449}, kSilver},
        {"left of the ground line", {5, 449}, kInfo},
        {"5-m bar", {700, 409}, kGreen},
        {"5-m bar left tick", {603, 405}, kGreen},
        {"5-m bar right tick", {769, 413}, kGreen},
        {"contour near 0 deg", {250, 155}, kLime},
        {"contour between 0 and 90 deg", {204, 201}, kLime},
        {"mirror contour above the antenna", {204, 35}, kLime},
        {"reach arrow", {200, 349}, kBlue},
        {"reach line", {287, 300}, kBlue},
        {"origin arrow", {98, 432}, kBlack},
        {"legend zone square", {147, 376}, kLime},
        {"legend mast square", {147, 390}, kBlack},
        {"background", {700, 50}, kInfo},
    };
    for (const Probe &probe : probes)
        EXPECT_EQ(d.image.pixel(probe.where), probe.colour) << probe.what << " at " << at(probe.where);
    // Texts: "Bodenfreiheit" at (xc + 10, gy - 55), "5m" below the bar, the legend.
    EXPECT_GT(inked(d.image, QRect(131, 394, 60, 12), kInfo), 10);
    EXPECT_GT(inked(d.image, QRect(603, 417, 14, 12), kInfo), 5);
    EXPECT_GT(inked(d.image, QRect(160, 369, 90, 12), kInfo), 20);

    // Without the maxima every point lies on the contour, also the one under the clearance arrow.
    SideViewOptions noMaxima;
    noMaxima.maxima = false;
    const Drawn plain = sideView(in, noMaxima);
    for (QPoint q : g.points) {
        if (plain.image.rect().contains(q)) {
            EXPECT_EQ(plain.image.pixel(q), kLime) << at(q);
        }
    }
}

TEST(SideViewPicture, OptionsLeaveOutTheirElements)
{
    const sideview::ZoneInput in{{0, 90, 180}, {5, 5, 5}, 10};
    SideViewOptions options;
    options.origin = options.fiveMeters = options.maxima = false;
    options.rays = true;
    options.background = QColor(10, 20, 30);
    const Drawn d = sideView(in, options);
    const QRgb bg = qRgb(10, 20, 30);
    EXPECT_EQ(d.image.pixel(98, 432), bg);  // no origin arrow
    EXPECT_EQ(d.image.pixel(700, 409), bg); // no 5-m bar
    EXPECT_EQ(d.image.pixel(200, 349), bg); // no reach arrow
    EXPECT_EQ(d.image.pixel(204, 201), bg); // no contour between the ray ends
    EXPECT_EQ(d.image.pixel(121, 400), kBlack);
    EXPECT_EQ(d.image.pixel(200, 119), kLime);                  // ray to 1 deg: (121,118) -> (287,121)
    EXPECT_GE(count(d.image, QRect(117, 250, 3, 1), kLime), 1); // ray to 91 deg: (121,118) -> (118,284)
    EXPECT_EQ(d.figures.penWidth, 1);
    options.rays = false;
    EXPECT_EQ(sideView(in, options).figures.penWidth, 2);
}

TEST(SideViewPicture, WithoutUsableDataOnlyTheFixedElements)
{
    struct Case {
        const char *name;
        sideview::ZoneInput in;
        bool mast;
    };
    const Case cases[] = {
        {"empty table", {{}, {}, 10}, true},
        {"height 0, empty table", {{}, {}, 0}, false},
        {"no positive distance", {{0, 90}, {-99, 0}, 10}, true},
        {"height 0, no distance", {{0, 90}, {0, 0}, 0}, false},
    };
    for (const Case &c : cases) {
        const Drawn d = sideView(c.in);
        EXPECT_FALSE(d.figures.zone.hasZone) << c.name;
        EXPECT_EQ(d.figures.hasIntervals, c.mast) << c.name;
        EXPECT_EQ(d.image.pixel(120, 400), c.mast ? kBlack : kInfo) << c.name;
        EXPECT_EQ(d.image.pixel(500, 449), kSilver) << c.name;
        EXPECT_EQ(d.image.pixel(147, 376), kLime) << c.name;
        EXPECT_EQ(count(d.image, d.image.rect(), kLime), 15 * 15) << c.name; // legend only
        EXPECT_EQ(count(d.image, d.image.rect(), kBlue), 0) << c.name;
    }
}

namespace
{

struct Diagram {
    QImage image;
    DiagramFigures figures;
};

Diagram diagram(const DiagramInput &in)
{
    Diagram d{QImage(kDiagramSize, kDiagramSize, QImage::Format_RGB32), {}};
    QPainter p(&d.image);
    d.figures = DrawDiagram(p, in, kDiagramSize, kDiagramSize);
    return d;
}

} // namespace

TEST(DiagramPicture, RadialScaleRingsAndPoints)
{
    EXPECT_DOUBLE_EQ(DiagramRadiusFraction(0), 1.0);
    EXPECT_NEAR(DiagramRadiusFraction(3), 0.769, 5e-4);
    EXPECT_DOUBLE_EQ(DiagramRadiusFraction(10), 0.5);
    EXPECT_DOUBLE_EQ(DiagramRadiusFraction(60), 1.0 / 7.0); // never the centre
    EXPECT_GT(DiagramRadiusFraction(-20), 0);               // no pole, no sign change

    const Diagram d = diagram({{0, 90, 180}, {0, 10, 30}});
    EXPECT_EQ(d.figures.centreX, 216);
    EXPECT_EQ(d.figures.centreY, 216);
    EXPECT_EQ(d.figures.radius, 184);
    EXPECT_EQ(d.figures.rings, (std::array<int, 5>{184, 142, 92, 61, 46}));
    // 0 dB on the outer ring, 10 dB at half the radius straight down, 30 dB on the innermost ring.
    EXPECT_EQ(d.figures.points, (std::vector<QPoint>{{400, 216}, {216, 308}, {170, 216}}));
    EXPECT_EQ(d.figures.mirrorPoints, (std::vector<QPoint>{{400, 216}, {216, 124}, {170, 216}}));
    EXPECT_EQ(diagram({{90}, {60}}).figures.points[0], QPoint(216, 242));
}

TEST(DiagramPicture, HalfPlaneRedAboveFullCircleOnlyBlue)
{
    const Diagram half = diagram({{0, 45, 90, 135, 180}, {0, 3, 10, 3, 0}});
    ASSERT_TRUE(half.figures.mirrored);
    for (QPoint q : half.figures.points)
        EXPECT_EQ(half.image.pixel(q), kBlue) << at(q);
    EXPECT_EQ(half.image.pixel(216, 124), kRed); // 90 deg mirrored towards the sky
    EXPECT_EQ(half.image.pixel(216, 308), kBlue);
    EXPECT_EQ(half.image.pixel(400, 216), kBlue); // the halves meet, blue on top

    const Diagram full = diagram({{0, 90, 180, 270, 360}, {0, 10, 0, 10, 0}});
    EXPECT_FALSE(full.figures.mirrored);
    EXPECT_TRUE(full.figures.mirrorPoints.empty());
    EXPECT_EQ(full.image.pixel(216, 124), kBlue);
    // Red only in the legend square, which names both kinds of data anyway.
    EXPECT_EQ(count(full.image, full.image.rect(), kRed), 36);
    EXPECT_EQ(full.image.pixel(7, 406), kRed);
    EXPECT_EQ(full.image.pixel(7, 393), kBlue);
}

TEST(DiagramPicture, GridAndTextsWithoutData)
{
    const Diagram d = diagram({});
    EXPECT_TRUE(d.figures.points.empty());
    EXPECT_EQ(d.image.pixel(216 + 184, 216), kBlack); // outer ring and 0-deg spoke
    EXPECT_EQ(d.image.pixel(216, 32), kBlack);        // outer ring at the top
    EXPECT_EQ(d.image.pixel(300, 216), kBlack);       // 0-deg spoke
    EXPECT_EQ(d.image.pixel(216, 100), kBlack);       // 270-deg spoke
    EXPECT_EQ(d.image.pixel(5, 5), kInfo);
    EXPECT_EQ(count(d.image, d.image.rect(), kBlue), 36);          // legend square only
    EXPECT_GT(inked(d.image, QRect(217, 10, 40, 12), kInfo), 10);  // "Himmel"
    EXPECT_GT(inked(d.image, QRect(217, 413, 35, 12), kInfo), 10); // "Boden"
}
