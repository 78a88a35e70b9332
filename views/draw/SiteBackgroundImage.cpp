#include "views/draw/SiteBackgroundImage.h"

#include "util/TextFile.h"
#include "views/draw/ImageFiles.h"
#include "views/draw/SitePlan.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kPdfDpi = 200;    // fine enough for a cadastral extract on screen and paper
constexpr int kLongestSide = 4000; // pixels of a rendered page or drawing

std::string fileText(const QString &path)
{
    return "„" + path.toStdString() + "“";
}

[[noreturn]] void refuse(const QString &path, const std::string &why)
{
    throw FileError("Der Hintergrund " + fileText(path) + " konnte nicht gelesen werden (" + why + ").");
}

QSize renderSize(QSizeF units, double perUnit)
{
    const double scale = std::min(perUnit, kLongestSide / std::max(units.width(), units.height()));
    return QSize(std::max(1, int(std::lround(units.width() * scale))),
                 std::max(1, int(std::lround(units.height() * scale))));
}

// Through Qt PDF's image format plugin, so that the program loads Qt PDF only when a page is
// read, not at every start of the command line.
LoadedBackground loadPdf(const QString &path, int page)
{
    if (!QFileInfo::exists(path))
        refuse(path, "die Datei gibt es nicht");
    if (!QImageReader::supportedImageFormats().contains("pdf"))
        refuse(path, "PDF-Seiten liest Feldora mit dem Bildformat von Qt PDF, Paket qt6-image-formats-plugin-pdf");
    QImageReader reader(path, "pdf");
    if (!reader.canRead() || reader.imageCount() < 1) // a PDF header alone is no document
        refuse(path, "kein lesbares PDF");
    LoadedBackground b;
    b.pageCount = reader.imageCount();
    if (page < 1 || page > b.pageCount)
        refuse(path, "das PDF hat keine Seite " + std::to_string(page) + ", nur " + std::to_string(b.pageCount));
    if (page > 1 && !reader.jumpToImage(page - 1))
        refuse(path, "die Seite " + std::to_string(page) + " ließ sich nicht finden");
    b.units = QSizeF(reader.size()); // points at 72 dpi
    if (b.units.isEmpty())
        refuse(path, "die Seite " + std::to_string(page) + " ist leer");
    reader.setScaledSize(renderSize(b.units, kPdfDpi / 72));
    const QImage rendered = reader.read();
    if (rendered.isNull())
        refuse(path, "die Seite " + std::to_string(page) + " ließ sich nicht darstellen");
    // A page is paper: white under whatever it leaves transparent.
    b.image = QImage(rendered.size(), QImage::Format_RGB32);
    b.image.fill(Qt::white);
    QPainter(&b.image).drawImage(0, 0, rendered);
    b.unitsPerPixel = b.units.width() / b.image.width();
    return b;
}

} // namespace

LoadedBackground LoadBackgroundPicture(const QString &path, int page)
{
    if (ImageExtension(path) == ".pdf")
        return loadPdf(path, page);
    const SitePlanBackground picture = LoadSitePlanBackground(path);
    if (picture.isNull())
        refuse(path, "nur PNG, JPEG (.jpg), BMP, SVG und PDF werden gelesen");
    LoadedBackground b;
    b.units = QSizeF(picture.size);
    if (picture.vector) {
        b.image = QImage(renderSize(b.units, 4), QImage::Format_RGB32);
        b.image.fill(Qt::white);
        QPainter p(&b.image);
        picture.vector->render(&p, QRectF(QPointF(0, 0), QSizeF(b.image.size())));
        b.unitsPerPixel = b.units.width() / b.image.width();
    } else {
        b.image = picture.raster;
    }
    return b;
}

std::optional<QTransform> PictureUnitsToPlan(const LoadedBackground &loaded, const SiteBackground &background)
{
    const auto t = PictureToPlan(background, {loaded.units.width(), loaded.units.height()});
    if (!t)
        return std::nullopt;
    return QTransform(t->a, t->d, t->b, t->e, t->c, t->f);
}

std::optional<SiteBackgroundPicture> PlaceBackground(const LoadedBackground &loaded, const SiteBackground &background)
{
    const auto t = PictureUnitsToPlan(loaded, background);
    if (!t || loaded.image.isNull())
        return std::nullopt;
    return SiteBackgroundPicture{loaded.image, QTransform::fromScale(loaded.unitsPerPixel, loaded.unitsPerPixel) * *t};
}
