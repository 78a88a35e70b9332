#include "views/draw/SitePlan.h"

#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "views/draw/ImageFiles.h"
#include "views/draw/QtText.h"

#include <QSvgRenderer>
#include <cmath>

namespace
{

double pixelDistance(QPoint a, QPoint b)
{
    return std::hypot(double(b.x() - a.x()), double(b.y() - a.y()));
}

// "(%6.1f|%6.1f)  Pixel(%3d|%3d)"; metres shown as "---" while the plan has no scale.
QString coordinateText(const SitePlanCalibration &cal, QPoint p)
{
    const std::optional<QPointF> m = MetricPoint(cal, p);
    const QString x = m ? qs(FormatValue("%6.1f", m->x())) : QStringLiteral("   ---");
    const QString y = m ? qs(FormatValue("%6.1f", m->y())) : QStringLiteral("   ---");
    return "(" + x + "|" + y + ")  Pixel(" + qs(FormatInt("%3d", p.x())) + "|" + qs(FormatInt("%3d", p.y())) + ")";
}

} // namespace

std::optional<double> MetresPerPixel(const SitePlanCalibration &cal)
{
    const double pixels = pixelDistance(cal.scale1, cal.scale2);
    if (pixels <= 0 || !(cal.scaleLength > 0) || !std::isfinite(cal.scaleLength))
        return std::nullopt;
    return cal.scaleLength / pixels;
}

std::optional<QPointF> MetricPoint(const SitePlanCalibration &cal, QPoint pixel)
{
    const std::optional<double> k = MetresPerPixel(cal);
    if (!cal.originSet || !cal.scaleSet || !k)
        return std::nullopt;
    return QPointF((pixel.x() - cal.origin.x()) * *k, (cal.origin.y() - pixel.y()) * *k);
}

std::optional<int> SafetyRadiusPixels(const SitePlanCalibration &cal, double distance)
{
    if (!cal.scaleSet || !MetresPerPixel(cal) || !(distance > 0) || !std::isfinite(distance))
        return std::nullopt;
    // Beyond a million pixels every zone covers any surface; the cap keeps the int sound.
    const double r = std::min(pixelDistance(cal.scale1, cal.scale2) * distance / cal.scaleLength, 1e6);
    return static_cast<int>(std::nearbyint(r));
}

SitePlanReadout CursorReadout(const SitePlanCalibration &cal, QPoint cursor, QPoint lastClick)
{
    SitePlanReadout r;
    r.x = QString::number(cursor.x());
    r.y = QString::number(cursor.y());
    const std::optional<QPointF> m = MetricPoint(cal, cursor);
    if (!m) {
        r.valX = r.valY = r.valR = r.valD = QStringLiteral("---");
        return r;
    }
    r.valX = qs(FormatValue("%1.1f", m->x()));
    r.valY = qs(FormatValue("%1.1f", m->y()));
    r.valR = qs(FormatValue("%1.1f", std::hypot(m->x(), m->y())));
    r.valD = qs(FormatValue("%1.1f", *MetresPerPixel(cal) * pixelDistance(lastClick, cursor)));
    return r;
}

QStringList CalibrationSummary(const SitePlanCalibration &cal)
{
    auto line = [](const char *head, QPoint p) {
        return QString(head) + " pixX: " + qs(FormatInt("%3d", p.x())) + " pixY: " + qs(FormatInt("%3d", p.y()));
    };
    return {line("Origin", cal.origin), line("Dist1 ", cal.scale1), line("Dist2 ", cal.scale2),
            "Dist " + qs(FormatValue("%1.1f", cal.scaleLength)) + " m"};
}

QStringList CoordinateLines(const SitePlan &plan)
{
    const SitePlanCalibration &cal = plan.cal;
    QStringList lines;
    lines << "Ursprung ......... " + coordinateText(cal, cal.origin);
    lines << "Massstab 1 ....... " + coordinateText(cal, cal.scale1);
    lines << "Massstab 2 ....... " + coordinateText(cal, cal.scale2);
    for (int i = 0; i < plan.area.points.size(); ++i)
        lines << "Kont.Bereich " + QString::number(i) + " ... " + coordinateText(cal, plan.area.points[i]);
    for (int a = 0; a < 2; ++a) {
        const QVector<QPoint> &points = plan.antenna[a].line.points;
        for (int i = 0; i < points.size(); ++i)
            lines << "Antenne " + QString::number(a + 1) + " Pkt" + QString::number(i + 1) + " ... "
                         + coordinateText(cal, points[i]);
    }
    return lines;
}

QString AreaPointLine(int index, QPoint p)
{
    return qs(FormatInt("%2d", index)) + ": (" + QString::number(p.x()) + "," + QString::number(p.y()) + ")";
}

QString DistanceText(double distance)
{
    return qs(FormatValue("%4.2f m", distance));
}

SitePlanBackground LoadSitePlanBackground(const QString &path)
{
    SitePlanBackground b;
    const QString ext = ImageExtension(path);
    if (ext == ".svg") {
        auto renderer = std::make_shared<QSvgRenderer>(QByteArray::fromStdString(ReadFileBytes(path.toStdString())));
        if (!renderer->isValid() || renderer->defaultSize().isEmpty())
            throw FileError("Die Bilddatei \"" + path.toStdString()
                            + "\" konnte nicht gelesen werden (kein lesbares SVG-Bild).");
        b.vector = renderer;
        b.size = renderer->defaultSize();
        return b;
    }
    switch (ImageTypeForPath(path)) {
    case ImageFileType::Bmp:
        b.raster = LoadBitmapFile(path);
        break;
    case ImageFileType::Png:
        b.raster = LoadPngFile(path);
        break;
    case ImageFileType::Jpeg:
        b.raster = LoadJpegFile(path);
        break;
    case ImageFileType::None:
        return b;
    }
    b.size = b.raster.size();
    return b;
}
