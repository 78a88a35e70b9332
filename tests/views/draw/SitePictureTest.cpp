#include "views/draw/SiteExport.h"

#include "util/DecimalText.h"
#include "util/NumRoutines.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{

const QColor kRed(255, 0, 0), kTeal(0, 128, 128), kAqua(0, 255, 255);
const QRgb kWhite = qRgb(255, 255, 255);

// A zone given by its radii alone, without a configuration behind it.
struct Zoned {
    std::string name;
    std::vector<site::Point> points;
    double height = 10, top = 0, person = 0;
};

// The area 0..20 x 0..10 and the antennas with their zones as spheres of radius `top`.
SiteResult handMade(const std::vector<Zoned> &antennas, site::Polygon area = {{0, 0}, {20, 0}, {20, 10}, {0, 10}})
{
    SiteResult r;
    r.site.callsign = "DL0XYZ";
    r.site.area = std::move(area);
    for (const Zoned &z : antennas) {
        SiteAntenna a;
        a.name = z.name;
        a.points = z.points;
        r.site.antennas.push_back(a);
        SiteAntennaResult ar;
        ar.name = z.name;
        ar.height = z.height;
        ar.zone.addSphere(z.top);
        ar.topRadius = z.top;
        ar.personRadius = z.person;
        ar.safetyDistance = z.top;
        ar.boundaryDistance = r.site.area.size() >= 3 ? site::SmallestSignedDistance(r.site.area, z.points) : 0;
        ar.margin = ar.boundaryDistance - z.top;
        ar.personMargin = ar.boundaryDistance - z.person;
        ar.verdict = ar.margin < 0 ? SiteVerdict::SideViews : SiteVerdict::Inside;
        r.antennas.push_back(std::move(ar));
    }
    return r;
}

struct Tally {
    int exact = 0, other = 0;
};
// Pixels of the square of side 2h+1 around c that pass the test.
template <class F> int count(const QImage &image, QPoint c, int h, F test)
{
    int n = 0;
    for (int y = c.y() - h; y <= c.y() + h; ++y)
        for (int x = c.x() - h; x <= c.x() + h; ++x)
            n += test(image.pixelColor(x, y));
    return n;
}

bool reddish(const QColor &c)
{
    return c.red() > c.green() + 40 && c.green() == c.blue();
}

std::unique_ptr<QTemporaryDir> scratch()
{
    auto dir = std::make_unique<QTemporaryDir>();
    EXPECT_TRUE(dir->isValid());
    return dir;
}

} // namespace

TEST(SitePictureTest, PlanAtTenPixelsPerMetre)
{
    // Box: the area and the zone of 3 m around (10, 5), 2 m around: -2..22 x -2..12.
    SitePictureInput in = SitePictureInputOf(handMade({{"A", {{10, 5}}, 10, 3, 2}}));
    const QImage image = SitePlanImage(in, 10);
    ASSERT_EQ(image.size(), QSize(240, 140));
    const QPoint antenna(120, 70); // (10 + 2) * 10, (12 - 5) * 10
    EXPECT_EQ(image.pixelColor(antenna), kRed);
    // The top-view outline 30 px to the right, the area's fill beyond it.
    EXPECT_EQ(count(image, antenna + QPoint(30, 0), 1, [](QColor c) { return c == kRed; }) > 0, true);
    EXPECT_EQ(count(image, antenna + QPoint(36, 0), 2, [](QColor c) { return c.red() > c.green(); }), 0);
    // Between the radii hatched in red over the area; within 2 m filled in a lighter red.
    const QColor areaFill = image.pixelColor(antenna + QPoint(45, 0));
    EXPECT_EQ(areaFill.green(), 255);
    EXPECT_LT(areaFill.red(), 255);
    const QPoint ring = antenna + QPoint(0, -25);
    EXPECT_GT(count(image, ring, 3, [](QColor c) { return c == kRed; }), 3);
    EXPECT_GT(count(image, ring, 3, [&](QColor c) { return c == areaFill; }), 10);
    const QPoint inner = antenna + QPoint(-12, 0);
    EXPECT_GT(count(image, inner, 3, [](QColor c) { return c == kRed; }), 3);
    EXPECT_GT(count(image, inner, 3, [](QColor c) { return reddish(c) && c.green() > 100; }), 10);
    // The area's outline in aqua at x = 0 and y = 0; white outside.
    EXPECT_GT(count(image, QPoint(20, 40), 1, [](QColor c) { return c == kAqua; }), 0);
    EXPECT_GT(count(image, QPoint(150, 120), 1, [](QColor c) { return c == kAqua; }), 0);
    EXPECT_EQ(image.pixel(8, 40), kWhite);
    EXPECT_EQ(image.pixel(150, 128), kWhite);

    // A map of 50 x 50 pixels of 0,1 m from the box's corner: under the plan, one to one.
    QImage map(50, 50, QImage::Format_RGB32);
    map.fill(Qt::green);
    in.background = SiteBackgroundPicture{map, QTransform(0.1, 0, 0, -0.1, -2, 12)};
    const QImage over = SitePlanImage(in, 10);
    EXPECT_EQ(over.pixelColor(8, 40), QColor(Qt::green));
    EXPECT_EQ(over.pixelColor(49, 10), QColor(Qt::green));
    EXPECT_EQ(over.pixel(51, 10), kWhite);
}

TEST(SitePictureTest, ColoursOfTheSiteFileAndTheCrossingInRed)
{
    // A teal zone of 4 m at (18, 5): 2 m over the fence at x = 20.
    SiteResult r = handMade({{"A", {{8, 5}}, 10, 2, 1}, {"B", {{18, 5}}, 10, 4, 4}});
    r.site.antennas[0].color = SiteColor{0, 0, 255};
    SitePictureInput in = SitePictureInputOf(r);
    EXPECT_EQ(in.antennaColors.at(0), QColor(0, 0, 255));
    EXPECT_EQ(in.antennaColors.at(1), kTeal);
    const QImage image = SitePlanImage(in, 10);
    auto at = [](double x, double y) { return QPoint(int((x + 2) * 10), int((12 - y) * 10)); };
    EXPECT_EQ(image.pixelColor(at(8, 5)), QColor(0, 0, 255));
    const auto red = [](QColor c) { return c.red() > c.green() + 25 && c.green() == c.blue(); };
    EXPECT_GT(count(image, at(20.8, 3), 3, red), 10); // outside the area
    EXPECT_EQ(count(image, at(18, 2), 3, red), 0);    // the same zone inside
    EXPECT_GT(count(image, at(18, 2), 3, [](QColor c) { return c == kTeal; }), 3);
}

TEST(SitePictureTest, ScaleBarNorthArrowAndLegend)
{
    // The bar: the longest of 1, 2, 5 x 10^n m within a quarter of the plan.
    const struct {
        double room, bar;
    } bars[] = {{7.9, 5}, {4.99, 2}, {2, 2}, {0.3, 0.2}, {1234, 1000}, {0, 0}, {NAN, 0}};
    for (const auto &b : bars)
        EXPECT_DOUBLE_EQ(ScaleBarLength(b.room), b.bar) << b.room;

    // North turned clockwise from the top of the plan.
    for (double north : {0.0, 30.0, -45.0, 90.0, 180.0}) {
        SiteResult r = handMade({{"A", {{10, 5}}, 10, 3, 2}});
        r.site.north = north;
        QImage image(600, 400, QImage::Format_RGB32);
        QPainter p(&image);
        const SitePictureDrawn d = DrawSitePlan(p, QRectF(image.rect()), SitePictureInputOf(r));
        const QPointF v = d.northTip - d.northBase;
        double angle = std::atan2(v.x(), -v.y()) * 180 / M_PI;
        EXPECT_NEAR(std::remainder(angle - north, 360), 0, 1e-9) << north;
        EXPECT_LT(d.planDevice.right(), 600); // the legend panel beside the plan
    }
}

TEST(SitePictureTest, LegendShowsTheCalculationsFigures)
{
    const std::string shipped = FELDORA_SHIPPED_DATA "/";
    StationModel base(StationPaths{shipped + "Antennen.txt", shipped + "AntUser.txt", shipped + "ang/"});
    ASSERT_TRUE(base.AfterCreation());
    const std::string folder = FELDORA_TEST_DATA "/site/";
    const SiteResult r = CalculateSite(ReadSite(folder + "Garten.standort"), folder, base, "Garten.standort");
    const QStringList legend = SiteLegendLines(r);
    ASSERT_EQ(legend.size(), 4); // three antennas, one group
    const std::vector<std::string> report = SiteReportLines(r, "Garten.standort");
    for (size_t i = 0; i < r.antennas.size(); ++i) {
        const SiteAntennaResult &a = r.antennas[i];
        const QString line = legend[int(i)];
        // The report's own fields: band, safety distance, verdict.
        const QStringList fields = QString::fromStdString(report.at(3 + i)).split(';');
        EXPECT_TRUE(line.startsWith(QString::fromStdString(a.name) + ": ")) << line.toStdString();
        EXPECT_TRUE(line.contains("Sicherheitsabstand " + fields[5] + " (" + fields[4] + ")")) << line.toStdString();
        EXPECT_TRUE(line.endsWith(fields[10])) << line.toStdString();
        EXPECT_TRUE(
            line.contains(a.catalogueAntenna.empty() ? QString("---") : QString::fromStdString(a.catalogueAntenna)));
    }
    const QStringList group = QString::fromStdString(report.at(7)).split(';');
    EXPECT_EQ(legend[3], "Gruppe 1 (A, B): größte Summe außerhalb " + group[2] + ", in Aufenthaltshöhe " + group[4]
                             + " – " + group[6]);
    // The group's outline was traced with the calculation and lies in the plan.
    ASSERT_EQ(r.groups.size(), 1u);
    EXPECT_FALSE(r.groups[0].outline.empty());
    const QRectF box = SitePlanBounds(r);
    for (const auto &line : r.groups[0].outline)
        for (const site::Point &q : line)
            EXPECT_TRUE(box.contains(QPointF(q.x, q.y)));
}

TEST(SitePictureTest, SheetAtOneTo200IsTrueToScaleInThePdf)
{
    // 24 m x 14 m: at 1:200 the plan needs 120 mm x 70 mm of 194 mm x 190 mm; the bar of 5 m
    // measures 25 mm.
    SitePictureInput in = SitePictureInputOf(handMade({{"A", {{10, 5}}, 10, 3, 2}}));
    EXPECT_EQ(DefaultSiteScale(in.result), 200);
    EXPECT_TRUE(SitePlanFits(in.result, 200));
    SiteResult wide = handMade({{"A", {{10, 5}}, 10, 3, 2}}, {{0, 0}, {250, 0}, {250, 10}, {0, 10}});
    EXPECT_EQ(DefaultSiteScale(wide), 2000); // 254 m: beyond 1:1000 on 194 mm
    // 10 px per mm: the sheet's layout as the PDF has it.
    QImage image(2970, 2100, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000), image.setDotsPerMeterY(10000);
    QPainter painter(&image);
    const SiteSheetDrawn sheet = DrawSiteSheet(painter, QRectF(image.rect()), in, 200, SiteSheet::Plan);
    painter.end();
    EXPECT_DOUBLE_EQ(sheet.plan.pixelsPerMetre, 50); // 5 mm per metre
    EXPECT_DOUBLE_EQ(sheet.plan.scaleBarMetres, 5);
    EXPECT_NEAR(sheet.plan.scaleBarDevice.width(), 250, 1e-9);

    if (QStandardPaths::findExecutable("pdftoppm").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils fehlen";
    const auto dir = scratch();
    const QString pdf = dir->filePath("plan.pdf");
    WriteSitePdf(pdf, in, 200);
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains("Maßstab 1:200")) << words.toStdString();
    EXPECT_TRUE(words.contains("DL0XYZ"));
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(infoText.contains(QRegularExpression("Pages: +1\n"))) << infoText.toStdString(); // no side views
    EXPECT_TRUE(infoText.contains(QRegularExpression("Page size: +84[12](\\.[0-9]+)? x 595(\\.[0-9]+)? pts \\(A4\\)")))
        << infoText.toStdString();
    // Drawn back at 254 dpi, 10 pixels per mm: the bar from its left end, 250 px long.
    QProcess render;
    render.start("pdftoppm", {"-r", "254", "-png", "-singlefile", pdf, dir->filePath("plan")});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage page(dir->filePath("plan.png"));
    ASSERT_LE(std::abs(page.width() - image.width()) + std::abs(page.height() - image.height()), 2);
    const QRectF bar = sheet.plan.scaleBarDevice;
    // Dark pixels of the bar's rows, up to the gap before "Maßstab 1:200".
    auto dark = [&](int x) {
        for (int y = int(bar.top()) - 1; y <= int(bar.bottom()) + 1; ++y)
            if (qGray(page.pixel(x, y)) < 128)
                return true;
        return false;
    };
    int left = int(bar.left()) - 5, right = 0;
    while (left < bar.right() && !dark(left))
        ++left;
    for (int x = left; x < int(bar.right()) + 15; ++x)
        if (dark(x))
            right = x;
    EXPECT_NEAR(right - left + 1, 250 + 2, 2); // 25 mm and the outline pen of 0,2 mm
}

TEST(SitePictureTest, CutShowsZoneGroundAndScript)
{
    // A sphere of 5 m at 10 m height over x = 10; the area from 0 to 20 along x.
    SitePictureInput in = SitePictureInputOf(handMade({{"A", {{10, 5}}, 10, 5, 0}}));
    in.cutScripts[0] = QStringList{"VollBox 2 0 4 3 clRed"};
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const SiteCutDrawn d = DrawSiteCut(p, QRectF(image.rect()), in, SiteAxis::X);
    p.end();
    ASSERT_TRUE(d.scriptRun);
    EXPECT_TRUE(d.script.ok);
    const QTransform &t = d.metresToDevice;
    auto px = [&](double x, double z) { return t.map(QPointF(x, z)).toPoint(); };
    EXPECT_GT(count(image, px(10, 15), 1, [](QColor c) { return c.red() > 200 && c.green() < 100; }), 0); // zone top
    EXPECT_GT(count(image, px(15, 10), 1, [](QColor c) { return c.red() > 200 && c.green() < 100; }), 0); // side
    EXPECT_EQ(count(image, px(3, 1.5), 2, [](QColor c) { return c.lightness() < 60; }), 25); // the script's box
    EXPECT_GT(count(image, px(17, 0), 1, [](QColor c) { return c.lightness() < 60; }), 0);   // ground line
    EXPECT_EQ(image.pixel(px(17, 3)), kWhite);                                               // open air
    const QRectF box = SiteCutBounds(in.result, SiteAxis::X);
    EXPECT_LE(box.left(), 0);
    EXPECT_GE(box.bottom(), 15); // up to the zone's top
    // Along y the same antenna stands at 5.
    const QRectF boxY = SiteCutBounds(in.result, SiteAxis::Y);
    EXPECT_NEAR(boxY.left(), 0 - 2, 1e-9);
    EXPECT_NEAR(boxY.right(), 10 + 2, 1e-9);

    // A house beyond the area and the zone widens the view to hold it; one far away does not.
    in.cutScripts[0] = QStringList{"VollBox 30 0 36 8 clRed"};
    const QRectF withHouse = SiteCutBounds(in, SiteAxis::X);
    EXPECT_GE(withHouse.right(), 36);
    EXPECT_GE(withHouse.bottom(), 8);
    EXPECT_LE(withHouse.left(), box.left());
    image.fill(Qt::black);
    p.begin(&image);
    const SiteCutDrawn housed = DrawSiteCut(p, QRectF(image.rect()), in, SiteAxis::X);
    p.end();
    EXPECT_GE(housed.viewMetres.right(), 36);
    in.cutScripts[0] = QStringList{"VollBox 30000 0 30006 8 clRed"};
    EXPECT_EQ(SiteCutBounds(in, SiteAxis::X), box);
}

TEST(SitePictureTest, CutTurnsTheAngleContourIntoItsPlane)
{
    // 10 m ahead and behind, 2 m straight down and, mirrored, up: flat, not a sphere.
    SiteResult r = handMade({{"A", {{10, 5}}, 10, 10, 0}});
    site::Zone flat;
    flat.addContour({0, 90, 180}, {10, 2, 10});
    r.antennas[0].zone = flat;
    SitePictureInput in = SitePictureInputOf(r);
    QImage image(600, 400, QImage::Format_RGB32);
    QPainter p(&image);
    const SiteCutDrawn d = DrawSiteCut(p, QRectF(image.rect()), in, SiteAxis::Y);
    p.end();
    auto px = [&](double y, double z) { return d.metresToDevice.map(QPointF(y, z)).toPoint(); };
    const auto red = [](QColor c) { return c.red() > 200 && c.green() < 100; };
    EXPECT_GT(count(image, px(5 + 10, 10), 1, red), 0);         // ahead, at the antenna's height
    EXPECT_GT(count(image, px(5 - 10, 10), 1, red), 0);         // behind
    EXPECT_GT(count(image, px(5, 12), 1, red), 0);              // the top, 2 m up
    EXPECT_EQ(count(image, px(5 + 3, 14), 3, red), 0);          // where a sphere of 10 m would be
    EXPECT_LT(SiteCutBounds(r, SiteAxis::Y).bottom(), 10 + 10); // only as high as the zone
}

TEST(SitePictureTest, DegenerateSitesDrawWhatTheyCan)
{
    struct Case {
        const char *name;
        SiteResult result;
        double pixelsPerMetre;
    };
    SiteResult empty;
    SiteResult farPoint = handMade({{"A", {{1e6, 1e6}}, 10, 3, 2}});
    SiteResult hugeZone = handMade({{"A", {{10, 5}}, 10, 400, 400}});
    SiteResult nanZone = handMade({{"A", {{10, 5}}, 10, NAN, INFINITY}});
    SiteResult noArea = handMade({{"A", {{10, 5}}, 10, 3, 2}}, {});
    SiteResult noAntenna = handMade({});
    const Case cases[] = {
        {"nothing", empty, 0},       {"far point", farPoint, 0},     {"far point zoomed", farPoint, 20},
        {"huge zone", hugeZone, 20}, {"huge zone fit", hugeZone, 0}, {"not finite", nanZone, 20},
        {"no area", noArea, 20},     {"no antenna", noAntenna, 0}};
    // Backgrounds whose calibration gives no size or a huge one.
    const QTransform calibrations[] = {QTransform(0, 0, 0, 0, 0, 0), QTransform::fromScale(1e9, -1e9),
                                       QTransform::fromScale(1e-9, -1e-9)};
    for (const Case &c : cases)
        for (const QTransform &calibration : calibrations) {
            SitePictureInput in = SitePictureInputOf(c.result);
            in.viewCentre = QPointF(10, 5);
            QImage map(50, 50, QImage::Format_RGB32);
            map.fill(Qt::green);
            in.background = SiteBackgroundPicture{map, calibration};
            QImage image(400, 300, QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter p(&image);
            const SitePictureDrawn d = DrawSitePlan(p, QRectF(image.rect()), in, c.pixelsPerMetre);
            DrawSiteCut(p, QRectF(0, 0, 400, 300), in, SiteAxis::Y);
            p.end();
            EXPECT_TRUE(std::isfinite(d.pixelsPerMetre) && d.pixelsPerMetre > 0) << c.name;
            EXPECT_TRUE(d.metresToDevice.isInvertible()) << c.name;
            for (const QString &line : SiteLegendLines(c.result))
                EXPECT_FALSE(
                    line.contains(QRegularExpression("\\b(inf|nan)\\b", QRegularExpression::CaseInsensitiveOption)))
                    << c.name << line.toStdString();
        }
    // Inside the huge zone the garden is hatched all over.
    SitePictureInput in = SitePictureInputOf(hugeZone);
    in.legend = in.titleBlock = false;
    in.viewCentre = QPointF(10, 5);
    QImage image(400, 300, QImage::Format_RGB32);
    QPainter p(&image);
    DrawSitePlan(p, QRectF(image.rect()), in, 20);
    p.end();
    EXPECT_GT(count(image, QPoint(200, 150), 4, [](QColor c) { return c == kRed; }), 3);
    EXPECT_FALSE(SitePlanImageSize(farPoint, 20));
    EXPECT_TRUE(SitePlanImageSize(hugeZone, 10));
    EXPECT_FALSE(SitePlanImageSize(hugeZone, 1000));
}
