#include "views/draw/SiteExport.h"

#include "util/TextFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace
{

// The sheet's picture area as DrawSitePlan splits it, in mm.
QSizeF pictureMm(double widthMm = kSheetWidthMm, double heightMm = kSheetHeightMm)
{
    const double w = widthMm - 2 * kSheetMarginMm, h = heightMm - 2 * kSheetMarginMm;
    return QSizeF(w * 0.7, h);
}

bool fits(const QRectF &box, int scale, const QSizeF &mm)
{
    return box.width() * 1000 / scale <= mm.width() && box.height() * 1000 / scale <= mm.height();
}

// 100, 200, 250, 500, 1000, 2000, 2500, 5000, 10000, ...
int nextScale(int scale)
{
    for (int s : kSiteScales)
        if (s > scale)
            return s;
    const double decade = std::pow(10.0, std::floor(std::log10(double(scale)) + 1e-9));
    const double f = scale / decade;
    const double next = f < 2 ? 2 : f < 2.5 ? 2.5 : f < 5 ? 5 : 10;
    return static_cast<int>(std::lround(next * decade));
}

constexpr int kLargestScale = 1000000000;

int fittingScale(const QRectF &box, const QSizeF &mm, int from)
{
    int s = from;
    while (!fits(box, s, mm) && s < kLargestScale)
        s = nextScale(s);
    return s;
}

std::string fileText(const QString &path)
{
    return path.toStdString();
}

} // namespace

bool SitePlanFits(const SiteResult &result, int scale)
{
    return scale > 0 && fits(SitePlanBounds(result), scale, pictureMm());
}

bool SitePlanFitsA3(const SiteResult &result, int scale)
{
    return scale > 0 && fits(SitePlanBounds(result), scale, pictureMm(kA3WidthMm, kA3HeightMm));
}

int DefaultSiteScale(const SiteResult &result)
{
    return fittingScale(SitePlanBounds(result), pictureMm(), kSiteScales[0]);
}

SiteSheetDrawn DrawSiteSheet(QPainter &p, const QRectF &page, const SitePictureInput &input, int scale, SiteSheet sheet,
                             double sheetWidthMm)
{
    SiteSheetDrawn drawn;
    drawn.unitsPerMm = page.width() / sheetWidthMm;
    const double mm = drawn.unitsPerMm;
    if (scale <= 0)
        scale = DefaultSiteScale(input.result);
    SitePictureInput in = input;
    in.legend = in.titleBlock = true;
    p.fillRect(page, Qt::white);
    const QRectF content =
        page.adjusted(kSheetMarginMm * mm, kSheetMarginMm * mm, -kSheetMarginMm * mm, -kSheetMarginMm * mm);
    if (sheet == SiteSheet::Plan) {
        in.scale = scale;
        in.viewCentre = SitePlanBounds(in.result).center();
        drawn.scale = scale;
        drawn.plan = DrawSitePlan(p, content, in, mm * 1000 / scale);
    } else {
        // Two cuts one above the other in the picture area, the panel beside them.
        const QRectF picture(content.left(), content.top(), content.width() * 0.7, content.height());
        const double title = 22 * p.device()->logicalDpiX() / 96.0 / mm; // mm above each cut
        const QSizeF each(picture.width() / mm, (picture.height() / 2) / mm - title - 4);
        int s = scale;
        for (SiteAxis axis : {SiteAxis::X, SiteAxis::Y})
            s = std::max(s, fittingScale(SiteCutBounds(in, axis), each, scale));
        in.scale = s;
        drawn.scale = s;
        const double half = picture.height() / 2;
        drawn.cuts[0] = DrawSiteCut(p, QRectF(picture.left(), picture.top(), picture.width(), half - 2 * mm), in,
                                    SiteAxis::X, mm * 1000 / s);
        drawn.cuts[1] =
            DrawSiteCut(p, QRectF(picture.left(), picture.top() + half + 2 * mm, picture.width(), half - 2 * mm), in,
                        SiteAxis::Y, mm * 1000 / s);
        DrawSitePanel(
            p, QRectF(content.right() - content.width() * 0.3, content.top(), content.width() * 0.3, content.height()),
            in, "Seitenansichten");
    }
    return drawn;
}

void WriteSitePdf(const QString &path, const SitePictureInput &in, int scale)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        writer.setTitle("Lageplan " + QString::fromStdString(in.result.site.callsign));
        writer.setCreator("Feldora");
        QPainter painter;
        if (!painter.begin(&writer))
            throw FileError("Die PDF-Datei \"" + fileText(path) + "\" konnte nicht geschrieben werden.");
        const QRectF page(0, 0, writer.width(), writer.height());
        DrawSiteSheet(painter, page, in, scale, SiteSheet::Plan);
        if (SiteNeedsCuts(in.result)) {
            writer.newPage();
            DrawSiteSheet(painter, page, in, scale, SiteSheet::Cuts);
        }
        painter.end();
    }
    WriteFileAtomic(fileText(path), bytes.toStdString());
}

void WriteSiteSvg(const QString &path, const SitePictureInput &in, int scale, SiteSheet sheet)
{
    constexpr int kDpi = 300;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        const QSize size(static_cast<int>(std::lround(kSheetWidthMm / 25.4 * kDpi)),
                         static_cast<int>(std::lround(kSheetHeightMm / 25.4 * kDpi)));
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(kDpi);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(sheet == SiteSheet::Plan ? "Lageplan" : "Seitenansichten");
        QPainter painter;
        if (!painter.begin(&svg))
            throw FileError("Die SVG-Datei \"" + fileText(path) + "\" konnte nicht geschrieben werden.");
        DrawSiteSheet(painter, QRectF(QPointF(0, 0), QSizeF(size)), in, scale, sheet);
        painter.end();
    }
    WriteFileAtomic(fileText(path), bytes.toStdString());
}

QImage SiteSheetImage(const SitePictureInput &in, int scale, SiteSheet sheet, int dpi)
{
    dpi = std::clamp(dpi, 24, 1200);
    QImage image(static_cast<int>(std::lround(kSheetWidthMm / 25.4 * dpi)),
                 static_cast<int>(std::lround(kSheetHeightMm / 25.4 * dpi)), QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawSiteSheet(painter, QRectF(image.rect()), in, scale, sheet);
    return image;
}

std::optional<QSize> SitePlanImageSize(const SiteResult &result, double pixelsPerMetre)
{
    if (!(pixelsPerMetre > 0) || !std::isfinite(pixelsPerMetre))
        return std::nullopt;
    const QRectF box = SitePlanBounds(result);
    const double w = std::ceil(box.width() * pixelsPerMetre - 1e-9),
                 h = std::ceil(box.height() * pixelsPerMetre - 1e-9);
    if (!(w <= kMaxPlanImageSide) || !(h <= kMaxPlanImageSide) || w * h > 100e6)
        return std::nullopt;
    return QSize(std::max(1, static_cast<int>(w)), std::max(1, static_cast<int>(h)));
}

QImage SitePlanImage(const SitePictureInput &input, double pixelsPerMetre)
{
    const auto size = SitePlanImageSize(input.result, pixelsPerMetre);
    if (!size)
        return {};
    QImage image(*size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    SitePictureInput in = input;
    in.legend = in.titleBlock = false;
    in.viewCentre.reset();
    QPainter painter(&image);
    DrawSitePlan(painter, QRectF(image.rect()), in, pixelsPerMetre);
    return image;
}
