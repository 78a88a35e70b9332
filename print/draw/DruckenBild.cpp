#include "print/draw/DruckenBild.h"

#include "util/DecimalText.h"
#include "views/draw/DrawCommon.h"
#include "views/draw/SideViewGeometry.h"
#include "views/draw/TextOut.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

using sideview::DrawArrow;
using ui::RoundPixel;

namespace
{

const QColor kSilver(192, 192, 192);
const QColor kGreen(0, 128, 0);
const QColor kLime(0, 255, 0);
const QColor kBlue(0, 0, 255);

constexpr int W = kPictureWidth;
constexpr int H = kPictureHeight;
constexpr int kTextPixels = 13; // "Courier New" 10 at 96 units per inch
constexpr int kRightRoom = W - 10;

void line(QPainter &p, const QColor &colour, int width, QPoint a, QPoint b)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

int textWidth(QPainter &p, const QString &text)
{
    return QFontMetrics(p.font()).horizontalAdvance(text);
}

// Text by its top-left corner on an opaque white box; bounds collects the boxes.
void text(QPainter &p, QRect &bounds, const QColor &colour, int x, int y, const QString &t)
{
    ui::textOut(p, x, y, t, colour, Qt::white);
    const QFontMetrics metrics(p.font());
    bounds = bounds.united(QRect(x, y, metrics.horizontalAdvance(t), metrics.height()));
}

QRect textBox(QPainter &p, int x, int y, const QString &t)
{
    return QRect(x, y, textWidth(p, t), QFontMetrics(p.font()).height());
}

// A dimension text right of its line, or left of it where it would leave the picture.
int besideLine(QPainter &p, int lineX, const QString &t)
{
    const int width = textWidth(p, t);
    return lineX + 10 + width <= kRightRoom ? lineX + 10 : std::max(0, lineX - 10 - width);
}

// Where a dimension text is to stand: at its own place when that is free, else the nearest
// free row beside its line, right of it first; taken holds the boxes already drawn.
QRect freePlace(QPainter &p, int lineX, int y, const QString &t, const std::vector<QRect> &taken)
{
    constexpr int kGap = 2;
    const QRect picture(0, 0, W, H);
    const int width = textWidth(p, t);
    auto fits = [&](const QRect &box) {
        if (!picture.contains(box))
            return false;
        const QRect padded = box.adjusted(-kGap, -kGap, kGap, kGap);
        return std::none_of(taken.begin(), taken.end(), [&](const QRect &r) { return r.intersects(padded); });
    };
    const QRect wanted = textBox(p, besideLine(p, lineX, t), y, t);
    const int sides[] = {wanted.x(), lineX + 10, lineX - 10 - width};
    for (int shift = 0; shift <= H; ++shift)
        for (int row : {y - shift, y + shift})
            for (int x : sides) {
                const QRect box(x, row, wanted.width(), wanted.height());
                if (fits(box))
                    return box;
            }
    return wanted;
}

} // namespace

PrintPictureFigures BildErzeugen(QPainter &p, const PrintPictureInput &in)
{
    PrintPictureFigures f;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(ui::courierFont(kTextPixels));
    p.fillRect(QRect(0, 0, W, H), Qt::white);
    p.setClipRect(QRect(0, 0, W, H), Qt::IntersectClip); // zone lines may reach past the edge

    sideview::ZoneInput zin;
    zin.angles = in.angles;
    zin.distances = in.distances;
    zin.height = in.height;
    const sideview::ZoneGeometry g = sideview::BuildZone(zin, W, H, 1.0, in.rays);
    // Without a largest distance there is no zone to draw; mast, ground and legend stay. Without
    // a height the width alone sets the scale and the zone lies around the antenna on the ground.
    f.hasZone = g.hasZone;
    const double s = g.scale;
    f.scale = s;
    f.mastX = g.originX;
    f.groundY = g.groundY;
    f.antennaY = g.antennaY;
    f.mastTopY = g.mastTopY;
    const int x0 = f.mastX, yb = f.groundY, yt = f.antennaY;

    // Mast, origin mark, ground.
    line(p, Qt::black, 3, {x0, yb}, {x0, f.mastTopY});
    p.setPen(QPen(Qt::black, 1));
    DrawArrow(p, {x0 - 40, yb - 30}, {x0 - 6, yb - 6}, 0);
    line(p, kSilver, 3, {10, yb}, {W - 10, yb});

    // What a dimension text must not cover: the other texts and the mast.
    std::vector<QRect> taken = {textBox(p, x0 - 60, yb - 35, "(0,0)"),
                                QRect(QPoint(x0 - 1, f.mastTopY), QPoint(x0 + 1, yb))};

    // 5 m bar.
    if (s > 0) {
        f.barLength = g.barLength;
        const int right = W - 40, left = right - f.barLength;
        line(p, kGreen, 1, {left, yb - 20}, {right, yb - 20});
        line(p, kGreen, 1, {left, yb - 25}, {left, yb - 15});
        line(p, kGreen, 1, {right, yb - 25}, {right, yb - 15});
        taken.push_back(textBox(p, W - 40 - RoundPixel(2 * s), yb - 19, "5m"));
    }

    // The zone: rays from the antenna, or the outline through the points.
    if (f.hasZone) {
        f.mirrored = g.mirrored;
        for (const std::vector<QPoint> *points : {&g.points, &g.mirrorPoints}) {
            if (points->empty())
                continue;
            if (in.rays) {
                for (const QPoint &end : *points)
                    line(p, kLime, 1, {x0, yt}, end);
            } else {
                p.setPen(QPen(kLime, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
                p.drawPolyline(points->data(), static_cast<int>(points->size()));
            }
        }
    }

    // The texts of origin and bar over the zone, which a low antenna's zone crosses.
    text(p, f.textBounds, Qt::black, x0 - 60, yb - 35, "(0,0)");
    if (s > 0)
        text(p, f.textBounds, kGreen, W - 40 - RoundPixel(2 * s), yb - 19, "5m");

    // Legend, kept inside the picture.
    f.legendY = RoundPixel(0.78 * H);
    const QString zoneText = "Sicherheitsabstand", mastText = "Antennenmast";
    const int legendTextX = std::min(560, kRightRoom - std::max(textWidth(p, zoneText), textWidth(p, mastText)));
    p.fillRect(QRect(legendTextX - 20, f.legendY, 15, 15), kLime);
    text(p, f.textBounds, Qt::black, legendTextX, f.legendY, zoneText);
    p.fillRect(QRect(legendTextX - 20, f.legendY + 20, 15, 15), Qt::black);
    text(p, f.textBounds, Qt::black, legendTextX, f.legendY + 20, mastText);
    f.legendBox = QRect(legendTextX - 20, f.legendY, 0, 0)
                      .united(textBox(p, legendTextX, f.legendY, zoneText))
                      .united(textBox(p, legendTextX, f.legendY + 20, mastText));
    taken.push_back(f.legendBox);

    // Dimensions from the zone's figures in metres.
    if (f.hasZone && g.hasMaxima) {
        f.reach = g.reach;
        f.clearance = g.clearance;
        f.clearanceX = g.clearanceX;
    }
    if (f.hasZone && g.hasMaxima && in.dimensions) {
        p.setPen(QPen(kBlue, 1));
        const int xc = x0 + RoundPixel(f.clearanceX * s);
        const int yc = RoundPixel(yb - f.clearance * s);
        DrawArrow(p, {xc, yb}, {xc, yc}, 20, true);
        const int xr = x0 + RoundPixel(f.reach * s);
        p.setPen(QPen(kBlue, 1));
        DrawArrow(p, {x0, yb - 100}, {xr, yb - 100}, 20);
        line(p, kBlue, 1, {xr, yb - 70}, {xr, 100});

        // The reach text keeps its row by the arrow; the clearance text gives way to it, where
        // a short zone on a high mast brings the two rows together.
        f.reachText = "Reichweite: " + QString::fromStdString(FormatValue("%6.1f m", sideview::ShownReach(f.reach)));
        f.reachBox = freePlace(p, xr, yb - 100, f.reachText, taken);
        taken.push_back(f.reachBox);
        f.clearanceText =
            "Bodenfreiheit: " + QString::fromStdString(FormatValue("%6.1f m", sideview::ShownClearance(f.clearance)));
        const int clearanceRow =
            RoundPixel(RoundPixel((2.0 * yb + (yb - std::floor(f.clearance * s))) / 2) * 2.0 / 3.0);
        f.clearanceBox = freePlace(p, xc, clearanceRow, f.clearanceText, taken);
        f.clearanceLabelY = f.clearanceBox.top();
        text(p, f.textBounds, kBlue, f.clearanceBox.left(), f.clearanceBox.top(), f.clearanceText);
        text(p, f.textBounds, kBlue, f.reachBox.left(), f.reachBox.top(), f.reachText);
    }
    p.restore();
    return f;
}
