#include "views/draw/SiteBackgroundImage.h"

#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace
{

QString path(const TempDir &dir, const char *name)
{
    return QString::fromStdString(dir.file(name));
}

// Two pages of 200 x 100 points, the second with a black square at (50 50) .. (60 60).
void writePdf(const QString &file)
{
    QPdfWriter pdf(file);
    pdf.setPageSize(QPageSize(QSizeF(200, 100), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(72);
    QPainter p(&pdf);
    p.drawText(QPointF(10, 20), "Seite 1");
    pdf.newPage();
    p.fillRect(QRectF(50, 50, 10, 10), Qt::black);
}

} // namespace

TEST(SiteBackgroundImage, PicturesAndPdfPagesInTheirUnits)
{
    TempDir dir;
    QImage raster(40, 30, QImage::Format_RGB32);
    raster.fill(Qt::green);
    ASSERT_TRUE(raster.save(path(dir, "a.png")));
    WriteBytes(dir.file("a.svg"), "<svg xmlns='http://www.w3.org/2000/svg' width='50' height='20'>"
                                  "<rect x='0' y='0' width='25' height='20' fill='black'/></svg>");
    writePdf(path(dir, "a.pdf"));

    const LoadedBackground png = LoadBackgroundPicture(path(dir, "a.png"), 1);
    EXPECT_EQ(png.units, QSizeF(40, 30));
    EXPECT_EQ(png.unitsPerPixel, 1);
    EXPECT_EQ(png.image.pixel(5, 5), qRgb(0, 255, 0));

    // Vector pictures rendered finer than their units, the scale kept beside them.
    const LoadedBackground svg = LoadBackgroundPicture(path(dir, "a.svg"), 1);
    EXPECT_EQ(svg.units, QSizeF(50, 20));
    EXPECT_GT(svg.image.width(), 50);
    EXPECT_DOUBLE_EQ(svg.unitsPerPixel * svg.image.width(), 50);
    EXPECT_EQ(svg.image.pixel(svg.image.width() / 4, svg.image.height() / 2), qRgb(0, 0, 0));
    EXPECT_EQ(svg.image.pixel(svg.image.width() * 3 / 4, svg.image.height() / 2), qRgb(255, 255, 255));

    const LoadedBackground page = LoadBackgroundPicture(path(dir, "a.pdf"), 2);
    EXPECT_EQ(page.pageCount, 2);
    EXPECT_EQ(page.units, QSizeF(200, 100));
    const double k = 1 / page.unitsPerPixel; // pixels per point
    EXPECT_GT(k, 2);
    EXPECT_EQ(page.image.pixel(int(55 * k), int(55 * k)), qRgb(0, 0, 0));
    EXPECT_EQ(page.image.pixel(int(45 * k), int(55 * k)), qRgb(255, 255, 255));

    // Placed by a world file of a quarter metre per point, the square's corner the origin.
    SiteBackground b;
    b.calibration = BackgroundCalibration::WorldFile;
    b.world = {0.25, 0, 0, -0.25, 3500000, 5600000};
    b.origin = site::Point{50, 60};
    const auto placed = PlaceBackground(page, b);
    ASSERT_TRUE(placed);
    const QPointF corner = placed->pixelToMetres.map(QPointF(50, 60) * k);
    EXPECT_NEAR(corner.x(), 0, 1e-9);
    EXPECT_NEAR(corner.y(), 0, 1e-9);
    const QPointF top = placed->pixelToMetres.map(QPointF(60, 50) * k);
    EXPECT_NEAR(top.x(), 2.5, 1e-9);
    EXPECT_NEAR(top.y(), 2.5, 1e-9);
    b.calibration = BackgroundCalibration::None;
    EXPECT_FALSE(PlaceBackground(page, b));
}

TEST(SiteBackgroundImage, UnreadableBackgroundsSayWhy)
{
    TempDir dir;
    writePdf(path(dir, "zwei.pdf"));
    WriteBytes(dir.file("kaputt.pdf"), "%PDF-1.7\nnichts\n");
    WriteBytes(dir.file("kaputt.png"), "kein Bild");
    WriteBytes(dir.file("kaputt.svg"), "<svg");
    WriteBytes(dir.file("bild.gif"), "GIF89a");
    const struct {
        const char *file;
        int page;
        const char *reason;
    } cases[] = {
        {"zwei.pdf", 3, "(das PDF hat keine Seite 3, nur 2)"},
        {"fehlt.pdf", 1, "(die Datei gibt es nicht)"},
        {"kaputt.pdf", 1, "(kein lesbares PDF)"},
        {"kaputt.png", 1, "kein lesbares PNG-Bild"},
        {"kaputt.svg", 1, "kein lesbares SVG-Bild"},
        {"fehlt.png", 1, "fehlt.png"},
        {"bild.gif", 1, "(nur PNG, JPEG (.jpg), BMP, SVG und PDF werden gelesen)"},
    };
    for (const auto &c : cases) {
        try {
            LoadBackgroundPicture(path(dir, c.file), c.page);
            ADD_FAILURE() << c.file;
        } catch (const FileError &e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.file), std::string::npos) << e.what();
        }
    }
}
