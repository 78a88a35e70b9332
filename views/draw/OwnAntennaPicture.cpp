#include "views/draw/OwnAntennaPicture.h"

#include <QPainter>
#include <algorithm>

namespace {

const QColor kSky(232, 241, 250);
const QColor kGround(118, 168, 88);
const QColor kMast(110, 110, 110);
const QColor kBoom(40, 40, 40);
const QColor kDriven(30, 70, 200);
const QColor kWave(205, 60, 40);

} // namespace

OwnAntennaPictureFigures DrawOwnAntennaPicture(QPainter &painter, const QRectF &area)
{
    OwnAntennaPictureFigures f;
    f.scale = std::min(area.width() / kOwnAntennaPictureWidth, area.height() / kOwnAntennaPictureHeight);
    const QSizeF size(kOwnAntennaPictureWidth * f.scale, kOwnAntennaPictureHeight * f.scale);
    f.picture = QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
    if (f.scale <= 0)
        return f;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(f.picture.topLeft());
    painter.scale(f.scale, f.scale);

    painter.fillRect(QRectF(0, 0, kOwnAntennaPictureWidth, 80), kSky);
    painter.fillRect(QRectF(0, 80, kOwnAntennaPictureWidth, kOwnAntennaPictureHeight - 80), kGround);

    // Mast from the ground to the boom.
    painter.fillRect(QRectF(43, 40, 4, 40), kMast);

    // Boom and elements: reflector, driven element (blue), three directors.
    const double boomY = 40;
    painter.setPen(QPen(kBoom, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(20, boomY), QPointF(112, boomY));
    struct Element {
        double x, halfLength;
    };
    const Element elements[] = {{22, 24}, {42, 21}, {64, 19}, {86, 18}, {108, 17}};
    for (const Element &e : elements) {
        const bool driven = &e == &elements[1];
        painter.setPen(QPen(driven ? kDriven : kBoom, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(e.x, boomY - e.halfLength), QPointF(e.x, boomY + e.halfLength));
        ++f.elements;
    }

    // Wave fronts in the main direction.
    painter.setPen(QPen(kWave, 2, Qt::SolidLine, Qt::RoundCap));
    for (double r : {14.0, 26.0, 38.0, 50.0}) {
        const QRectF circle(112 - r, boomY - r, 2 * r, 2 * r);
        painter.drawArc(circle, -35 * 16, 70 * 16);
    }
    painter.restore();

    f.boomStart = f.picture.topLeft() + QPointF(20, boomY) * f.scale;
    f.boomEnd = f.picture.topLeft() + QPointF(112, boomY) * f.scale;
    return f;
}
