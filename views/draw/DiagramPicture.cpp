#include "views/draw/DiagramPicture.h"

#include "util/NumRoutines.h"
#include "views/draw/DrawCommon.h"
#include "views/draw/SideViewGeometry.h"
#include "views/draw/TextOut.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace
{

using ui::RoundPixel;

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
constexpr int kStampHalf = 6;

void drawCircle(QPainter &p, int x, int y, int r)
{
    p.drawEllipse(QRect(x - r, y - r, 2 * r, 2 * r));
}

// Each point is marked by the pixel and a circle of radius 3, drawn once into a stamp: a few
// hundred stroked circles would make every redraw slow.
QImage pointStamp(const QPen &pen)
{
    QImage stamp(2 * kStampHalf + 1, 2 * kStampHalf + 1, QImage::Format_ARGB32_Premultiplied);
    stamp.fill(Qt::transparent);
    QPainter p(&stamp);
    p.setPen(pen);
    p.drawPoint(kStampHalf, kStampHalf);
    drawCircle(p, kStampHalf, kStampHalf, 3);
    return stamp;
}

void drawPattern(QPainter &p, const std::vector<QPoint> &points, const QColor &color)
{
    const QPen pen(color, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    if (points.size() > 1)
        p.drawPolyline(points.data(), static_cast<int>(points.size()));
    if (points.empty())
        return;
    const QImage stamp = pointStamp(pen);
    for (QPoint q : points)
        p.drawImage(q.x() - kStampHalf, q.y() - kStampHalf, stamp);
}

} // namespace

double DiagramRadiusFraction(double a)
{
    // Attenuations are 0 dB or more; a gain above the main direction may lie a little
    // outside the ring, but never at or beyond the pole of the formula.
    if (std::isnan(a))
        return 0;
    a = std::max(a, -5.0);
    return 1.0 / (a / 10.0 + 1.0);
}

DiagramFigures DrawDiagram(QPainter &p, const DiagramInput &in, int width, int height, const QColor &background)
{
    DiagramFigures f;
    const int W = width, H = height;
    const int cx = RoundPixel(W / 2.0), cy = RoundPixel(H / 2.0);
    const int R = RoundPixel(std::min(W / 2.0, H / 2.0) * 0.85);
    f.centreX = cx;
    f.centreY = cy;
    f.radius = R;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(ui::windowFont());
    p.setBrush(Qt::NoBrush);
    p.fillRect(0, 0, W, H, background);

    const double steps[5] = {0, 3, 10, 20, 30};
    for (int i = 0; i < 5; ++i)
        f.rings[i] = RoundPixel(R * DiagramRadiusFraction(steps[i]));
    p.setPen(QPen(kBlack, 1, Qt::SolidLine));
    drawCircle(p, cx, cy, R);
    p.setPen(QPen(kBlack, 1, Qt::DotLine));
    for (int i = 1; i < 5; ++i)
        drawCircle(p, cx, cy, f.rings[i]);
    auto spokes = [&](int step, Qt::PenStyle style) {
        p.setPen(QPen(kBlack, 1, style));
        for (int k = 0; k < 360 / step; ++k)
            p.drawLine(cx, cy, cx + RoundPixel(CosDeg(k * step) * R), cy + RoundPixel(SinDeg(k * step) * R));
    };
    spokes(30, Qt::SolidLine);
    spokes(10, Qt::DotLine);

    const size_t n = std::min(in.angles.size(), in.attenuations.size());
    f.mirrored = n > 0 && in.angles[n - 1] <= 180;
    for (size_t i = 0; i < n; ++i) {
        const double rho = DiagramRadiusFraction(in.attenuations[i]) * R;
        const double theta = in.angles[i];
        f.points.push_back(QPoint(cx + RoundPixel(CosDeg(theta) * rho), cy + RoundPixel(SinDeg(theta) * rho)));
        if (f.mirrored)
            f.mirrorPoints.push_back(QPoint(cx + RoundPixel(CosDeg(-theta) * rho), cy + RoundPixel(SinDeg(-theta) * rho)));
    }
    // The real data on top of their mirror image.
    drawPattern(p, f.mirrorPoints, kRed);
    drawPattern(p, f.points, kBlue);

    ui::textOut(p, 10, H - 15, "Kreise: 0, -3, -10, -20, -30 dB", kBlack, background);
    p.fillRect(5, H - 42, 6, 6, kBlue);
    ui::textOut(p, 21, H - 45, "\"echte\" Daten", kBlack, background);
    p.fillRect(5, H - 29, 6, 6, kRed);
    ui::textOut(p, 21, H - 32, "gespiegelte Daten", kBlack, background);
    ui::textOut(p, W - 20, RoundPixel(H / 2.0), "0°", kBlack, background);
    ui::textOut(p, RoundPixel(W / 2.0), 10, "Himmel", kBlack, background);
    ui::textOut(p, RoundPixel(W / 2.0), H - 20, "Boden", kBlack, background);
    p.restore();
    return f;
}
