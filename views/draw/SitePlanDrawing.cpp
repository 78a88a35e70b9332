#include "util/DecimalText.h"
#include "views/draw/DrawCommon.h"
#include "views/draw/QtText.h"
#include "views/draw/SitePlan.h"

#include <QPainter>
#include <QPolygon>
#include <QSvgRenderer>
#include <cmath>

namespace
{

const QColor kPurple(128, 0, 128);
const QColor kTeal(0, 128, 128);
constexpr int kTextPixels = 21; // "Arial" 16 pt, bold

using ui::RoundPixel;

// A disc in one colour with the painter's current pen width and styles; the pen and brush
// are restored afterwards.
void disc(QPainter &p, QPoint c, int r, const QColor &color)
{
    p.save();
    QPen pen = p.pen();
    pen.setColor(color);
    p.setPen(pen);
    QBrush brush = p.brush();
    brush.setColor(color);
    p.setBrush(brush);
    p.drawEllipse(QPointF(c), r, r);
    p.restore();
}

void labelText(QPainter &p, QPoint at, const QString &text)
{
    p.save();
    p.setFont(ui::windowFont(kTextPixels, true));
    p.setPen(Qt::black);
    p.drawText(QRect(at, QSize(4000, 200)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    p.restore();
}

void background(QPainter &p, QSize surface, const SitePlanBackground &b, SitePlanFigures &fig)
{
    const double f = std::max(double(surface.width()) / b.size.width(), double(surface.height()) / b.size.height());
    const QRect target(0, 0, int(std::floor(b.size.width() * f)), int(std::floor(b.size.height() * f)));
    if (b.vector)
        b.vector->render(&p, QRectF(target));
    else {
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, b.raster);
        p.restore();
    }
    fig.factor = f;
    fig.pictureRatio = double(b.size.width()) / b.size.height();
    fig.surfaceRatio = double(surface.width()) / surface.height();
    fig.backgroundDrawn = target.size();
    fig.log << "factor: " + qs(FormatValue("%6.4f", f)) << "MetaRa: " + qs(FormatValue("%6.4f", fig.pictureRatio))
            << "ImagRa: " + qs(FormatValue("%6.4f", fig.surfaceRatio));
}

void antennaLine(QPainter &p, const QVector<QPoint> &points, const QColor &c)
{
    p.setPen(QPen(c, 4, Qt::SolidLine));
    p.setBrush(QBrush(c, Qt::SolidPattern));
    for (const QPoint &pt : points)
        disc(p, pt, 2, c);
    for (int i = 1; i < points.size(); ++i)
        p.drawLine(points[i - 1], points[i]);
}

// Hatched discs at the points and hatched bands along the segments: the band of half-width r
// around the polyline, with round ends and joints.
void safetyZone(QPainter &p, const QVector<QPoint> &points, int r, const QColor &c, SitePlanFigures &fig)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(c, Qt::DiagCrossPattern));
    for (const QPoint &pt : points)
        disc(p, pt, r, c);
    for (int i = 1; i < points.size(); ++i) {
        const QPoint a = points[i - 1], b = points[i];
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double len = std::hypot(dx, dy);
        if (len == 0)
            continue;                                           // a repeated point: its disc is the whole zone there
        const double ex = -dy / len + 0.0, ey = dx / len + 0.0; // no "-0,0" in the log
        fig.normals << QPointF(ex, ey);
        fig.log << "e:  (" + qs(FormatValue("%2.1f", ex)) + "," + qs(FormatValue("%2.1f", ey)) + ")";
        const QPolygon band(
            {QPoint(RoundPixel(a.x() + r * ex), RoundPixel(a.y() + r * ey)), QPoint(RoundPixel(a.x() - r * ex), RoundPixel(a.y() - r * ey)),
             QPoint(RoundPixel(b.x() - r * ex), RoundPixel(b.y() - r * ey)), QPoint(RoundPixel(b.x() + r * ex), RoundPixel(b.y() + r * ey))});
        p.drawPolygon(band);
    }
}

} // namespace

SitePlanFigures DrawSitePlan(QPainter &p, QSize surface, const SitePlan &plan)
{
    SitePlanFigures fig;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(QPoint(0, 0), surface), Qt::white);
    if (!plan.background.isNull() && !surface.isEmpty())
        background(p, surface, plan.background, fig);

    const SitePlanShow &show = plan.show;
    if (show.origin && plan.cal.originSet) {
        p.setPen(QPen(kPurple, 2, Qt::SolidLine));
        p.setBrush(QBrush(kPurple, Qt::SolidPattern));
        disc(p, plan.cal.origin, 3, kPurple);
    }
    if (show.call)
        labelText(p, plan.titlePos, plan.title);
    if (show.legend) {
        const QColor colors[3] = {plan.antennaColor[0], plan.antennaColor[1], plan.areaColor};
        for (int i = 0; i < 3; ++i) {
            if (!plan.legendBegun[i])
                continue;
            const QPoint at = plan.legendPos[i];
            p.setPen(Qt::NoPen);
            p.setBrush(QBrush(colors[i], Qt::DiagCrossPattern));
            p.drawRect(QRect(at, QSize(20, 20)));
            labelText(p, at + QPoint(25, 0), plan.legend[i]);
        }
    }
    if (show.scale) {
        p.setPen(QPen(kTeal, 2, Qt::SolidLine));
        p.setBrush(QBrush(kTeal, Qt::SolidPattern));
        disc(p, plan.cal.scale1, 3, kTeal);
        disc(p, plan.cal.scale2, 3, kTeal);
        p.setPen(QPen(kTeal, 1, Qt::SolidLine));
        p.drawLine(plan.cal.scale1, plan.cal.scale2);
    }
    if (show.area && !plan.area.points.isEmpty()) {
        p.setPen(QPen(plan.areaColor, 2, Qt::SolidLine));
        p.setBrush(QBrush(plan.areaColor, Qt::CrossPattern));
        p.drawPolygon(QPolygon(plan.area.points));
    }
    const bool showLine[2] = {show.antenna1, show.antenna2};
    for (int a = 0; a < 2; ++a)
        if (showLine[a])
            antennaLine(p, plan.antenna[a].line.points, plan.antennaColor[a]);
    const bool showZone[2] = {show.zone1, show.zone2};
    for (int a = 0; a < 2; ++a) {
        const SitePlanAntenna &ant = plan.antenna[a];
        if (showZone[a] && ant.radius)
            safetyZone(p, ant.line.points, *ant.radius, plan.antennaColor[a], fig);
    }
    p.restore();
    return fig;
}

void DrawTranslucencyTest(QPainter &p)
{
    p.save();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(50, 50, 200, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0, 128));
    p.drawRect(100, 80, 100, 100);
    p.drawRect(150, 130, 100, 100);
    p.restore();
}
