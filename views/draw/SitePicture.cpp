#include "views/draw/SitePicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace
{

QRectF siteBounds(const SiteResult &r)
{
    QRectF box;
    auto add = [&](QRectF rect) { box = box.isNull() ? rect : box.united(rect); };
    for (const site::Point &p : r.site.area)
        add(QRectF(p.x, p.y, 0, 0));
    for (size_t i = 0; i < r.antennas.size() && i < r.site.antennas.size(); ++i) {
        const double radius = r.antennas[i].topRadius;
        for (const site::Point &p : r.site.antennas[i].points)
            add(QRectF(p.x - radius, p.y - radius, 2 * radius, 2 * radius));
    }
    return box.isNull() ? QRectF(0, 0, 10, 10) : box.adjusted(-2, -2, 2, 2);
}

} // namespace

QColor DefaultAntennaColor(size_t index)
{
    static const QColor colors[] = {{255, 0, 0}, {0, 128, 128}, {0, 0, 255}, {255, 0, 255}, {128, 128, 0}};
    return colors[index % 5];
}

SitePictureDrawn DrawSitePlan(QPainter &p, const QRectF &target, const SitePictureInput &in, double pixelsPerMetre)
{
    SitePictureDrawn drawn;
    const QRectF box = siteBounds(in.result);
    const double fit = std::min(target.width() / box.width(), target.height() / box.height());
    drawn.pixelsPerMetre = pixelsPerMetre > 0 ? pixelsPerMetre : fit;
    // y up on the plan, down on the device; the box's top-left corner at the target's.
    drawn.metresToDevice = QTransform(drawn.pixelsPerMetre, 0, 0, -drawn.pixelsPerMetre,
                                      target.left() - box.left() * drawn.pixelsPerMetre,
                                      target.top() + box.bottom() * drawn.pixelsPerMetre);
    drawn.planMetres = box;

    p.save();
    p.setClipRect(target);
    p.fillRect(target, Qt::white);
    if (in.background && !in.background->image.isNull()) {
        p.save();
        p.setTransform(in.background->pixelToMetres * drawn.metresToDevice, true);
        p.drawImage(QPointF(0, 0), in.background->image);
        p.restore();
    }
    const QTransform &t = drawn.metresToDevice;
    QPolygonF area;
    for (const site::Point &q : in.result.site.area)
        area << t.map(QPointF(q.x, q.y));
    QColor fill = in.areaColor;
    fill.setAlpha(40);
    p.setBrush(fill);
    p.setPen(QPen(in.areaColor, 2));
    p.drawPolygon(area);

    for (size_t i = 0; i < in.result.antennas.size() && i < in.result.site.antennas.size(); ++i) {
        const QColor color = i < in.antennaColors.size() ? in.antennaColors[i] : DefaultAntennaColor(i);
        const auto &points = in.result.site.antennas[i].points;
        const double radius = in.result.antennas[i].topRadius * drawn.pixelsPerMetre;
        p.setPen(QPen(color, 1.5));
        p.setBrush(Qt::NoBrush);
        for (const site::Point &q : points)
            p.drawEllipse(t.map(QPointF(q.x, q.y)), radius, radius);
        p.setBrush(color);
        for (const site::Point &q : points)
            p.drawEllipse(t.map(QPointF(q.x, q.y)), 3, 3);
        p.drawText(t.map(QPointF(points.front().x, points.front().y)) + QPointF(5, -5),
                   QString::fromStdString(in.result.site.antennas[i].name));
    }
    p.restore();
    return drawn;
}
