#include "views/draw/SideViewPicture.h"

#include "util/NumRoutines.h"
#include "views/draw/DrawCommon.h"
#include "views/draw/TextOut.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace
{

using ui::RoundPixel;

const QColor kLime(0, 255, 0);
const QColor kSilver(192, 192, 192);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

void setPen(QPainter &p, const QColor &color, int width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

} // namespace

SideViewFigures DrawSideView(QPainter &p, const sideview::ZoneInput &in, int width, int height,
                             const SideViewOptions &options)
{
    SideViewFigures f;
    const sideview::ZoneGeometry g = BuildZone(in, width, height, options.zoom, options.rays);
    const QColor bg = options.background;
    const int ox = g.originX, gy = g.groundY, ax = g.antennaX, ay = g.antennaY;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(ui::windowFont());
    p.setBrush(Qt::NoBrush);
    p.fillRect(0, 0, width, height, Qt::white);
    p.fillRect(0, 0, width, height, bg);

    if (std::isfinite(in.height) && in.height > 0 && g.scale > 0) {
        setPen(p, kBlack, 3);
        p.drawLine(ox, gy, ox, g.mastTopY);
    }
    if (options.origin) {
        setPen(p, kBlack, 2);
        sideview::DrawArrow(p, QPoint(ox - 40, gy - 30), QPoint(ox - 6, gy - 6), 0);
        ui::textOut(p, ox - 55, gy - 30, "(0,0)", kBlack, bg);
    }
    setPen(p, kSilver, 1);
    p.drawLine(10, gy, width - 10, gy);

    if (options.fiveMeters && g.barLength > 0) {
        const int L = g.barLength, right = width - 40;
        setPen(p, kGreen, 1);
        p.drawLine(right - L, gy - 40, right, gy - 40);
        p.drawLine(right - L, gy - 45, right - L, gy - 35);
        p.drawLine(right, gy - 45, right, gy - 35);
        ui::textOut(p, right - L, gy - 32, "5m", kGreen, bg);
    }

    f.penWidth = options.rays ? 1 : 2;
    if (g.hasZone) {
        setPen(p, kLime, f.penWidth);
        const QPoint antenna(ax, ay);
        for (const auto *list : {&g.points, &g.mirrorPoints}) {
            if (options.rays) {
                for (QPoint q : *list)
                    p.drawLine(antenna, q);
            } else if (list->size() > 1) {
                p.drawPolyline(list->data(), static_cast<int>(list->size()));
            }
        }
    }

    const int y0 = RoundPixel(0.78 * height);
    p.fillRect(140, y0, 15, 15, kLime);
    p.fillRect(140, y0 + 20, 15, 15, kBlack);
    ui::textOut(p, 160, y0, "Sicherheitsabstand", kBlack, bg);
    ui::textOut(p, 160, y0 + 20, "Antennenmast", kBlack, bg);

    if (g.scale > 0) {
        f.hasIntervals = true;
        f.xInterval = width / g.scale;
        f.yInterval = height / g.scale;
    }

    if (options.maxima && g.hasMaxima) {
        const double s = g.scale;
        setPen(p, kBlue, 1);
        f.penWidth = 1;
        const int xc = ax + RoundPixel(g.clearanceX * s);
        const int yc = RoundPixel(gy - g.clearance * s);
        sideview::DrawArrow(p, QPoint(xc, gy), QPoint(xc, yc), 20, true);
        const int drop = RoundPixel(std::floor(std::min(g.clearance * s, 1.0e6)));
        int yt = RoundPixel(RoundedMean(2 * gy, gy - drop) * 2.0 / 3.0);
        const int xr = ax + RoundPixel(g.reach * s);
        // When the two labels would overlap, the clearance label moves above the reach label.
        const QFontMetrics fm(p.font());
        const QRect reachBox(xr + 10, gy - 100, fm.horizontalAdvance("Reichweite"), fm.height());
        if (reachBox.intersects(QRect(xc + 10, yt, fm.horizontalAdvance("Bodenfreiheit"), fm.height())))
            yt = reachBox.top() - fm.height() - 3;
        ui::textOut(p, xc + 10, yt, "Bodenfreiheit", kBlue, bg);

        sideview::DrawArrow(p, QPoint(ax, gy - 100), QPoint(xr, gy - 100), 20);
        p.drawLine(xr, gy - 70, xr, 100);
        ui::textOut(p, xr + 10, gy - 100, "Reichweite", kBlue, bg);
    }
    p.restore();
    f.zone = g;
    return f;
}
