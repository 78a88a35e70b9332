#include "views/draw/SitePicture.h"

#include "core/BandPlan.h"
#include "util/DecimalText.h"
#include "util/NumRoutines.h"
#include "views/draw/DrawCommon.h"
#include "views/draw/QtText.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPicture>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{

constexpr double kDegree = 3.14159265358979323846 / 180;
const QColor kCrossing(255, 0, 0);
const QColor kOutlineColor(0, 0, 0);

// Device units per 1/96 inch: text and lines look alike on the screen, in a PNG and on paper.
double unitOf(const QPainter &p)
{
    const QPaintDevice *d = p.device();
    const double dpi = d ? d->logicalDpiX() : 96;
    return dpi > 0 ? dpi / 96 : 1;
}

QFont font(double u, double size, bool bold = false)
{
    QFont f = ui::windowFont(11, bold);
    f.setPixelSize(std::max(1, ui::RoundPixel(size * u)));
    return f;
}

bool usable(double x)
{
    return std::isfinite(x) && x > 0;
}

// Path operations flatten curves to about half a unit, so they work in millimetres.
const QTransform kToFine = QTransform::fromScale(1000, 1000);
const QTransform kFromFine = QTransform::fromScale(1e-3, 1e-3);

QColor colorOf(const SitePictureInput &in, size_t i)
{
    if (i < in.antennaColors.size() && in.antennaColors[i].isValid())
        return in.antennaColors[i];
    const SiteColor c = AntennaColor(in.result.site, i);
    return QColor(c.r, c.g, c.b);
}

size_t antennaCount(const SiteResult &r)
{
    return std::min(r.antennas.size(), r.site.antennas.size());
}

QString metresText(double x)
{
    return qs(FormatValue("%3.2f m", x));
}
QString shortNumber(double x)
{
    return qs(SiteNumberText(x));
}

// Only what lies near the visible part goes to the painter: a zone of 400 m around a garden of
// 20 m, or a point at 1e6 m, would otherwise hand it coordinates it cannot take.
QPainterPath inView(const QPainterPath &metres, const QRectF &view)
{
    const QRectF b = metres.boundingRect();
    if (view.contains(b))
        return metres;
    if (!view.intersects(b))
        return {};
    // Qt cuts curves into lines of about half a unit: done in millimetres, not in metres.
    QPainterPath box;
    box.addRect(kToFine.mapRect(view));
    return kFromFine.map(kToFine.map(metres).intersected(box));
}

// Liang-Barsky: the part of a segment inside the rectangle.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
        } else {
            const double t = q[k] / p[k];
            if (p[k] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
    }
    if (t0 > t1)
        return false;
    const QPointF a0 = a;
    a = a0 + t0 * QPointF(dx, dy);
    b = a0 + t1 * QPointF(dx, dy);
    return true;
}

QPainterPath polylineInView(const std::vector<QPointF> &line, const QRectF &view)
{
    QPainterPath path;
    for (size_t k = 0; k + 1 < line.size(); ++k) {
        QPointF a = line[k], b = line[k + 1];
        if (!clipSegment(a, b, view))
            continue;
        if (path.isEmpty() || path.currentPosition() != a)
            path.moveTo(a);
        path.lineTo(b);
    }
    return path;
}

// Everything within radius of a line.
QPainterPath sweep(const QPainterPath &line, double radius)
{
    QPainterPathStroker stroker;
    stroker.setWidth(2 * radius * 1000);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return kFromFine.map(stroker.createStroke(kToFine.map(line)).simplified());
}

// Everything within radius of the points and the wire between them.
QPainterPath bufferPath(const std::vector<site::Point> &points, double radius)
{
    QPainterPath path;
    if (points.empty() || !usable(radius))
        return path;
    if (points.size() == 1) {
        path.addEllipse(QPointF(points[0].x, points[0].y), radius, radius);
        return path;
    }
    QPainterPath wire(QPointF(points[0].x, points[0].y));
    for (size_t k = 1; k < points.size(); ++k)
        wire.lineTo(points[k].x, points[k].y);
    return sweep(wire, radius);
}

// Parallel lines at 45 degrees over the path, in its colour, 7 units apart across. On a raster
// device a tile brush does it: lines clipped one by one would cost a frame's time for ten zones.
void hatch(QPainter &p, const QPainterPath &device, const QColor &color, double u)
{
    const double gap = 7 * u;
    const double width = std::max(1.0, u);
    if (p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster) {
        const int k = std::max(3, ui::RoundPixel(gap));
        QImage tile(k, k, QImage::Format_ARGB32_Premultiplied);
        tile.fill(Qt::transparent);
        {
            QPainter t(&tile);
            t.setPen(QPen(color, width));
            for (int shift : {-k, 0, k}) // a wide pen runs over the corners
                t.drawLine(QPointF(shift, k - 0.5), QPointF(shift + k - 0.5, 0));
        }
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(tile));
        p.drawPath(device);
        p.restore();
        return;
    }
    // Vector devices: each line cut to the path here, as not every one of them keeps a clip.
    const QRectF b = device.boundingRect();
    if (b.isEmpty())
        return;
    const QList<QPolygonF> polygons = device.toFillPolygons();
    p.save();
    p.setPen(QPen(color, width));
    std::vector<double> ys;
    for (double c = std::floor((b.left() + b.top()) / gap) * gap; c <= b.right() + b.bottom() + gap; c += gap) {
        // The line x + y = c meets the edges where the sign of x + y - c changes.
        ys.clear();
        for (const QPolygonF &poly : polygons)
            for (qsizetype k = 0; k < poly.size(); ++k) {
                const QPointF a = poly[k], e = poly[(k + 1) % poly.size()];
                const double sa = a.x() + a.y() - c, se = e.x() + e.y() - c;
                if ((sa > 0) != (se > 0))
                    ys.push_back(a.y() + sa / (sa - se) * (e.y() - a.y()));
            }
        std::sort(ys.begin(), ys.end());
        for (size_t k = 0; k + 1 < ys.size(); k += 2)
            p.drawLine(QPointF(c - ys[k], ys[k]), QPointF(c - ys[k + 1], ys[k + 1]));
    }
    p.restore();
}

// A bar of black and white blocks from `at` (its lower left) with labelled marks.
QRectF scaleBar(QPainter &p, QPointF at, double metres, double perMetre, int scale, double u)
{
    const double length = metres * perMetre;
    const double first = metres / std::pow(10.0, std::floor(std::log10(metres) + 1e-9));
    const int blocks = std::fabs(first - 2) < 1e-6 ? 4 : 5;
    const double h = 5 * u;
    QRectF bar(at.x(), at.y() - h, length, h);
    p.save();
    p.setFont(font(u, 10));
    const QFontMetricsF fm(p.font());
    const QString end = shortNumber(metres) + " m";
    QString scaleText = scale > 0 ? QStringLiteral("Maßstab 1:%1").arg(scale) : QString();
    const double labelsWidth =
        fm.horizontalAdvance(end) / 2 + 6 * u + (scaleText.isEmpty() ? 0 : fm.horizontalAdvance(scaleText) + 8 * u);
    QRectF frame(bar.left() - 4 * u, bar.top() - fm.height() - 4 * u, length + 8 * u + labelsWidth,
                 h + fm.height() + 7 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRect(frame);
    p.setPen(QPen(Qt::black, std::max(1.0, 0.75 * u)));
    for (int k = 0; k < blocks; ++k) {
        p.setBrush(k % 2 ? Qt::white : Qt::black);
        p.drawRect(QRectF(bar.left() + length * k / blocks, bar.top(), length / blocks, h));
    }
    // Marks labelled where their texts do not run into each other.
    const double step = length / blocks;
    const bool all = fm.horizontalAdvance(shortNumber(metres * (blocks - 1) / blocks)) + 4 * u < step;
    for (int k = 0; k <= blocks; ++k) {
        if (!all && k != 0 && k != blocks)
            continue;
        const QString text = k == blocks ? end : shortNumber(metres * k / blocks);
        const double x = bar.left() + step * k;
        const double w = fm.horizontalAdvance(text);
        const double left = k == blocks ? x - fm.horizontalAdvance(shortNumber(metres)) / 2 : x - w / 2;
        p.drawText(QPointF(left, bar.top() - 2 * u - fm.descent()), text);
    }
    if (!scaleText.isEmpty())
        p.drawText(QPointF(bar.right() + fm.horizontalAdvance(end) / 2 + 8 * u, bar.bottom()), scaleText);
    p.restore();
    return bar;
}

// A bracket of text lines; returns the height used.
double textBlock(QPainter &p, const QRectF &rect, const QStringList &lines, double u, double size, bool boldFirst)
{
    double y = rect.top();
    for (int k = 0; k < lines.size(); ++k) {
        p.setFont(font(u, size, boldFirst && k == 0));
        const QRectF r(rect.left(), y, rect.width(), std::max(0.0, rect.bottom() - y));
        QRectF used;
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines[k], &used);
        y += used.height() + 2 * u;
    }
    return y - rect.top();
}

QString quotientText(double q)
{
    return std::isfinite(q) ? qs(FormatValue("%3.2f", RoundUpTo(q, 2))) : QStringLiteral("---");
}

QString antennaLegend(const SiteAntennaResult &a)
{
    return qs(a.name) + ": " + (a.catalogueAntenna.empty() ? QStringLiteral("---") : qs(a.catalogueAntenna))
           + " – Sicherheitsabstand " + metresText(RoundUpTo(a.safetyDistance, 2)) + " (" + qs(BandName(a.safetyBand))
           + ") – " + qs(VerdictText(a.verdict));
}

QString groupLegend(const SiteResult &r, const SiteGroupResult &g)
{
    QString names;
    for (size_t i : g.members)
        if (i < r.antennas.size())
            names += (names.isEmpty() ? "" : ", ") + qs(r.antennas[i].name);
    return "Gruppe " + qs(g.name) + " (" + names + "): größte Summe außerhalb " + quotientText(g.any.value)
           + ", in Aufenthaltshöhe " + quotientText(g.person.value) + " – " + qs(VerdictText(g.verdict));
}

// The panel beside the plan or the cuts: legend with colour swatches, then the title block.
void panel(QPainter &p, const QRectF &rect, const SitePictureInput &in, const QString &title, double u)
{
    const SiteResult &r = in.result;
    const Site &s = r.site;
    p.save();
    p.setClipRect(rect);
    p.fillRect(rect, Qt::white);
    p.setPen(Qt::black);
    const double pad = 6 * u;
    QRectF inner = rect.adjusted(pad, pad, -pad, -pad);
    double y = inner.top();
    p.setFont(font(u, 15, true));
    p.drawText(QRectF(inner.left(), y, inner.width(), 20 * u), Qt::AlignLeft | Qt::AlignTop, title);
    y += 24 * u;
    const double swatch = 12 * u;
    const QRectF text(inner.left() + swatch + 6 * u, 0, inner.width() - swatch - 6 * u, 0);
    if (in.legend) {
        auto entry = [&](const QString &line, const std::function<void(const QRectF &)> &mark) {
            p.setFont(font(u, 10));
            QRectF used;
            p.setPen(Qt::black);
            p.drawText(QRectF(text.left(), y, text.width(), std::max(0.0, inner.bottom() - y)),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line, &used);
            if (mark) {
                p.save();
                mark(QRectF(inner.left(), y + 1 * u, swatch, swatch));
                p.restore();
            }
            y += std::max(used.height(), swatch) + 4 * u;
        };
        for (size_t i = 0; i < antennaCount(r); ++i) {
            const QColor c = colorOf(in, i);
            entry(antennaLegend(r.antennas[i]), [&](const QRectF &box) {
                p.setPen(Qt::NoPen);
                p.setBrush(PersonZoneColor(c));
                p.drawRect(box);
                QPainterPath path;
                path.addRect(box);
                hatch(p, path, c, u);
                p.setPen(QPen(c, 1.5 * u));
                p.setBrush(Qt::NoBrush);
                p.drawRect(box);
            });
        }
        for (const SiteGroupResult &g : r.groups)
            entry(groupLegend(r, g), [&](const QRectF &box) {
                p.setPen(QPen(kOutlineColor, 1.5 * u, Qt::DashLine));
                p.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
            });
        y += 4 * u;
        const QString height = metresText(s.personHeight);
        entry("Kontrollierbarer Bereich", [&](const QRectF &box) {
            QColor fill = in.areaColor;
            fill.setAlpha(40);
            p.setBrush(fill);
            p.setPen(QPen(in.areaColor, 2 * u));
            p.drawRect(box);
        });
        entry("schraffiert: Zone in der Draufsicht, gefüllt: Zone bis zur Aufenthaltshöhe (" + height + ")", {});
        entry("rot: Zone über die Grenze des Bereichs", [&](const QRectF &box) {
            p.setPen(QPen(kCrossing, 2.5 * u));
            p.setBrush(QColor(255, 0, 0, 70));
            p.drawRect(box);
        });
        if (!r.groups.empty())
            entry("gestrichelt: Summe der Gruppe = 1 in der Draufsicht, gepunktet: bis zur Aufenthaltshöhe", {});
        entry("Bemaßung: kleinster Abstand der Zone zur Grenze", {});
    }
    if (in.titleBlock) {
        const QStringList lines{"Rufzeichen: " + qs(s.callsign), "Betreiber: " + qs(s.operatorName),
                                "Anschrift: " + qs(s.address), "Datum: " + qs(s.date)};
        p.setFont(font(u, 11));
        const QFontMetricsF fm(p.font());
        double h = 0;
        for (const QString &line : lines)
            h += fm.boundingRect(QRectF(0, 0, inner.width() - 8 * u, 1e6), Qt::TextWordWrap, line).height() + 2 * u;
        const QRectF box(inner.left(), std::max(y, inner.bottom() - h - 8 * u), inner.width(), h + 8 * u);
        p.setPen(QPen(Qt::black, u));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        textBlock(p, box.adjusted(4 * u, 4 * u, -4 * u, -4 * u), lines, u, 11, true);
    }
    p.restore();
}

// Where the planned panel goes: a third of the width, the rest for the picture.
QRectF pictureRect(const QRectF &target, const SitePictureInput &in, QRectF *panelRect)
{
    if (!in.legend && !in.titleBlock)
        return target;
    const double w = target.width() * 0.3;
    if (panelRect)
        *panelRect = QRectF(target.right() - w, target.top(), w, target.height());
    return QRectF(target.left(), target.top(), target.width() - w, target.height());
}

void dimensionLine(QPainter &p, QPointF from, QPointF to, const QString &label, const QColor &color, double u)
{
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (!(len > 0))
        return;
    const QPointF e = d / len, n(-e.y(), e.x());
    p.save();
    p.setPen(QPen(color, 1.2 * u));
    p.drawLine(from, to);
    const double head = std::min(6 * u, len / 3);
    for (auto [tip, dir] : {std::pair{from, e}, std::pair{to, -e}}) {
        p.drawLine(tip, tip + head * dir + 0.4 * head * n);
        p.drawLine(tip, tip + head * dir - 0.4 * head * n);
        p.drawLine(tip - 4 * u * n, tip + 4 * u * n);
    }
    p.setFont(font(u, 10, true));
    const QFontMetricsF fm(p.font());
    const QPointF mid = (from + to) / 2 + 8 * u * n;
    const QRectF box(mid.x() - fm.horizontalAdvance(label) / 2 - 2 * u, mid.y() - fm.height() / 2,
                     fm.horizontalAdvance(label) + 4 * u, fm.height());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawRect(box);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, label);
    p.restore();
}

// The boundary point nearest to an antenna's points or wire, and the antenna point it faces.
std::pair<site::Point, site::Point> nearestPair(const site::Polygon &area, const std::vector<site::Point> &line)
{
    std::pair<site::Point, site::Point> best{line.front(), site::NearestBoundaryPoint(area, line.front())};
    double bestDistance = INFINITY;
    auto consider = [&](site::Point a, site::Point b) {
        const double d = std::hypot(a.x - b.x, a.y - b.y);
        if (d < bestDistance)
            bestDistance = d, best = {a, b};
    };
    for (site::Point q : line)
        consider(q, site::NearestBoundaryPoint(area, q));
    // A corner of the area may come closer to the middle of a wire.
    for (size_t k = 0; k + 1 < line.size(); ++k)
        for (site::Point c : area) {
            const site::Point a = line[k], b = line[k + 1];
            const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
            const double t = len2 > 0 ? std::clamp(((c.x - a.x) * dx + (c.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
            consider({a.x + t * dx, a.y + t * dy}, c);
        }
    return best;
}

void northArrow(QPainter &p, QPointF centre, double length, double north, double u, SitePictureDrawn &drawn)
{
    const double a = north * kDegree;
    const QPointF dir(std::sin(a), -std::cos(a)), side(std::cos(a), std::sin(a));
    const QPointF tip = centre + dir * length / 2, base = centre - dir * length / 2;
    drawn.northTip = tip, drawn.northBase = base;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(centre, length * 0.75, length * 0.75);
    p.setPen(QPen(Qt::black, u));
    QPolygonF left{tip, base - side * length * 0.22, centre - dir * length * 0.25};
    QPolygonF right{tip, base + side * length * 0.22, centre - dir * length * 0.25};
    p.setBrush(Qt::black);
    p.drawPolygon(left);
    p.setBrush(Qt::white);
    p.drawPolygon(right);
    p.setFont(font(u, 12, true));
    const QPointF at = tip + dir * 9 * u;
    p.drawText(QRectF(at.x() - 10 * u, at.y() - 8 * u, 20 * u, 16 * u), Qt::AlignCenter, "N");
    p.restore();
}

// How far the zone reaches below and above its antenna: at a corner of its contour, which lies
// at one of its bends, or straight down or up.
std::pair<double, double> zoneExtent(const site::Zone &zone)
{
    const double reach = zone.reach();
    if (!usable(reach))
        return {0, 0};
    if (zone.spheresOnly())
        return {-reach, reach};
    double bottom = 0, top = 0;
    std::vector<double> elevations = zone.bends();
    elevations.push_back(-90);
    elevations.push_back(90);
    for (double e : elevations) {
        const double z = -zone.distanceToward(e) * std::sin(e * kDegree);
        bottom = std::min(bottom, z), top = std::max(top, z);
    }
    return {bottom, top};
}

// The heights at which the turned zone's extent is taken: its ends, its corners and a fine
// step between.
std::vector<double> profileHeights(const site::Zone &zone)
{
    const auto [bottom, top] = zoneExtent(zone);
    std::vector<double> z;
    for (int k = 0; k <= 180; ++k)
        z.push_back(bottom + (top - bottom) * k / 180);
    for (double e : zone.bends()) {
        const double c = -zone.distanceToward(e) * std::sin(e * kDegree);
        if (c > bottom && c < top)
            z.push_back(c);
    }
    std::sort(z.begin(), z.end());
    z.erase(std::unique(z.begin(), z.end()), z.end());
    return z;
}

double heightOf(const SiteResult &r, size_t i)
{
    return i < r.antennas.size() ? r.antennas[i].height : 0;
}

} // namespace

QColor DefaultAntennaColor(size_t index)
{
    const SiteColor c = DefaultSiteColor(index);
    return QColor(c.r, c.g, c.b);
}

QColor PersonZoneColor(const QColor &color)
{
    QColor c = color;
    c.setAlpha(90);
    return c;
}

SitePictureInput SitePictureInputOf(const SiteResult &result)
{
    SitePictureInput in;
    in.result = result;
    for (size_t i = 0; i < result.site.antennas.size(); ++i) {
        const SiteColor c = AntennaColor(result.site, i);
        in.antennaColors.emplace_back(c.r, c.g, c.b);
    }
    in.areaColor = QColor(result.site.areaColor.r, result.site.areaColor.g, result.site.areaColor.b);
    return in;
}

QRectF SitePlanBounds(const SiteResult &r)
{
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    auto add = [&](double x, double y, double radius) {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        radius = std::isfinite(radius) && radius > 0 ? radius : 0;
        x0 = std::min(x0, x - radius), x1 = std::max(x1, x + radius);
        y0 = std::min(y0, y - radius), y1 = std::max(y1, y + radius);
    };
    for (const site::Point &p : r.site.area)
        add(p.x, p.y, 0);
    for (size_t i = 0; i < antennaCount(r); ++i)
        for (const site::Point &p : r.site.antennas[i].points)
            add(p.x, p.y, r.antennas[i].topRadius);
    for (const SiteGroupResult &g : r.groups)
        for (const auto &line : g.outline)
            for (const site::Point &p : line)
                add(p.x, p.y, 0);
    if (!(x1 >= x0))
        return QRectF(-2, -2, 14, 14);
    return QRectF(x0 - 2, y0 - 2, x1 - x0 + 4, y1 - y0 + 4);
}

double ScaleBarLength(double atMost)
{
    if (!usable(atMost))
        return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(atMost)));
    for (double f : {5.0, 2.0, 1.0})
        if (f * decade <= atMost * (1 + 1e-12))
            return f * decade;
    return decade / 2;
}

QStringList SiteLegendLines(const SiteResult &result)
{
    QStringList lines;
    for (size_t i = 0; i < antennaCount(result); ++i)
        lines << antennaLegend(result.antennas[i]);
    for (const SiteGroupResult &g : result.groups)
        lines << groupLegend(result, g);
    return lines;
}

bool SiteNeedsCuts(const SiteResult &result)
{
    for (const SiteAntennaResult &a : result.antennas)
        if (a.verdict != SiteVerdict::Inside)
            return true;
    for (const SiteGroupResult &g : result.groups)
        if (g.verdict != SiteVerdict::Inside)
            return true;
    return false;
}

SitePictureDrawn DrawSitePlan(QPainter &p, const QRectF &target, const SitePictureInput &in, double pixelsPerMetre)
{
    SitePictureDrawn drawn;
    const SiteResult &r = in.result;
    const double u = unitOf(p);
    QRectF panelRect;
    const QRectF plan = pictureRect(target, in, &panelRect);
    drawn.planDevice = plan;
    drawn.legendLines = SiteLegendLines(r);
    const QRectF box = SitePlanBounds(r);
    const double fit = std::min(plan.width() / box.width(), plan.height() / box.height());
    drawn.pixelsPerMetre = usable(pixelsPerMetre) ? pixelsPerMetre : usable(fit) ? fit : 1;
    const double s = drawn.pixelsPerMetre;
    // y up on the plan, down on the device.
    QPointF centre;
    if (in.viewCentre)
        centre = *in.viewCentre;
    else if (usable(pixelsPerMetre))
        centre = QPointF(box.left() + plan.width() / s / 2, box.bottom() - plan.height() / s / 2);
    else
        centre = box.center();
    drawn.metresToDevice =
        QTransform(s, 0, 0, -s, plan.center().x() - centre.x() * s, plan.center().y() + centre.y() * s);
    const QTransform &t = drawn.metresToDevice;
    drawn.planMetres = t.inverted().mapRect(plan);
    // Paths are cut to the visible part: not every device keeps a clip (SVG does not).
    const QRectF view = drawn.planMetres;
    auto toDevice = [&](const QPainterPath &metres) { return t.map(inView(metres, view)); };
    auto visible = [&](const site::Point &q) { return view.contains(QPointF(q.x, q.y)); };

    p.save();
    p.setClipRect(plan);
    p.fillRect(plan, Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (in.background && !in.background->image.isNull()) {
        const QTransform toPlan = in.background->pixelToMetres * t;
        const QRectF placed = toPlan.mapRect(QRectF(in.background->image.rect()));
        if (toPlan.isInvertible() && placed.intersects(plan)) {
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            // Only the part of the picture that shows: a large scale must not blow up the whole picture.
            const QRectF source = toPlan.inverted().mapRect(plan).intersected(QRectF(in.background->image.rect()));
            p.setTransform(toPlan, true);
            p.drawImage(source, in.background->image, source);
            p.restore();
        }
    }

    // The controllable area.
    const site::Polygon &areaPoints = r.site.area;
    QPainterPath area;
    if (!areaPoints.empty()) {
        QPolygonF poly;
        for (const site::Point &q : areaPoints)
            poly << QPointF(q.x, q.y);
        poly << poly.front();
        area.addPolygon(poly);
    }
    const QPainterPath areaDevice = toDevice(area);
    {
        QColor fill = in.areaColor;
        fill.setAlpha(40);
        p.setBrush(fill);
        p.setPen(Qt::NoPen);
        p.drawPath(areaDevice);
    }

    const size_t n = antennaCount(r);
    std::vector<QPainterPath> topZones(n);
    for (size_t i = 0; i < n; ++i) {
        const QColor c = colorOf(in, i);
        const auto &points = r.site.antennas[i].points;
        topZones[i] = toDevice(bufferPath(points, r.antennas[i].topRadius));
        const QPainterPath person = toDevice(bufferPath(points, r.antennas[i].personRadius));
        p.setPen(Qt::NoPen);
        p.setBrush(PersonZoneColor(c));
        p.drawPath(person);
        hatch(p, topZones[i], c, u);
    }
    for (size_t i = 0; i < n; ++i) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colorOf(in, i), 1.5 * u));
        p.drawPath(topZones[i]);
        if (r.antennas[i].margin < 0) {
            // The part outside the area.
            const QPainterPath zone = inView(bufferPath(r.site.antennas[i].points, r.antennas[i].topRadius), view);
            const QPainterPath crossing =
                areaPoints.size() >= 3 ? kFromFine.map(kToFine.map(zone).subtracted(kToFine.map(inView(area, view))))
                                       : zone;
            p.setBrush(QColor(255, 0, 0, 70));
            p.setPen(QPen(kCrossing, 2.5 * u));
            p.drawPath(t.map(crossing));
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(in.areaColor, 2 * u));
    p.drawPath(areaDevice);
    if (in.legend || in.titleBlock) {
        p.setPen(QPen(Qt::black, u));
        p.drawRect(plan);
    }

    // The groups' lines of quotient 1.
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const SiteGroupResult &g : r.groups) {
        for (int person = 0; person < 2; ++person) {
            const site::Outline &lines = person ? g.personOutline : g.outline;
            p.setPen(QPen(kOutlineColor, (person ? 2 : 1.5) * u, person ? Qt::DotLine : Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            for (const auto &line : lines) {
                std::vector<QPointF> metres;
                for (const site::Point &q : line)
                    metres.emplace_back(q.x, q.y);
                p.drawPath(t.map(polylineInView(metres, view)));
            }
        }
        // Its name at the line's top.
        const site::Point *top = nullptr;
        for (const auto &line : g.outline)
            for (const site::Point &q : line)
                if (!top || q.y > top->y)
                    top = &q;
        if (top && visible(*top)) {
            p.setFont(font(u, 10));
            p.setPen(kOutlineColor);
            p.drawText(t.map(QPointF(top->x, top->y)) + QPointF(3 * u, -3 * u), "Gruppe " + qs(g.name) + ": Summe = 1");
        }
    }

    // Antennas: points, wire, name, and the smallest margin as a dimension.
    for (size_t i = 0; i < n; ++i) {
        const QColor c = colorOf(in, i);
        const auto &points = r.site.antennas[i].points;
        std::vector<QPointF> metres;
        for (const site::Point &q : points)
            metres.emplace_back(q.x, q.y);
        p.setPen(QPen(c, 2.5 * u, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush); // an open wire, not a figure
        p.drawPath(t.map(polylineInView(metres, view)));
        p.setPen(QPen(Qt::black, u));
        p.setBrush(c);
        for (const site::Point &q : points)
            if (visible(q))
                p.drawEllipse(t.map(QPointF(q.x, q.y)), 3.5 * u, 3.5 * u);
        if (!points.empty() && visible(points.front())) {
            p.setFont(font(u, 12, true));
            p.setPen(Qt::black);
            p.drawText(t.map(QPointF(points.front().x, points.front().y)) + QPointF(6 * u, -6 * u),
                       qs(r.site.antennas[i].name));
        }
        const SiteAntennaResult &a = r.antennas[i];
        if (areaPoints.size() >= 3 && !points.empty() && a.boundaryDistance > 0 && usable(a.topRadius)) {
            const auto [from, fence] = nearestPair(areaPoints, points);
            const double dx = fence.x - from.x, dy = fence.y - from.y, len = std::hypot(dx, dy);
            if (len > 0) {
                const QPointF edge(from.x + dx / len * a.topRadius, from.y + dy / len * a.topRadius);
                const QPointF f(fence.x, fence.y);
                if (view.contains(f) && view.contains(edge))
                    dimensionLine(p, t.map(edge), t.map(f), metresText(RoundDownTo(a.margin, 2)),
                                  a.margin < 0 ? kCrossing : Qt::black, u);
            }
        }
    }

    // Scale bar at the lower left, north arrow at the upper right.
    drawn.scaleBarMetres = ScaleBarLength(drawn.planMetres.width() / 4);
    if (drawn.scaleBarMetres > 0)
        drawn.scaleBarDevice =
            scaleBar(p, QPointF(plan.left() + 10 * u, plan.bottom() - 10 * u), drawn.scaleBarMetres, s, in.scale, u);
    const double arrow = std::clamp(std::min(plan.width(), plan.height()) / 8, 20 * u, 44 * u);
    northArrow(p, QPointF(plan.right() - arrow, plan.top() + arrow + 6 * u), arrow, r.site.north, u, drawn);
    p.restore();

    if (in.legend || in.titleBlock)
        panel(p, panelRect, in, "Lageplan", u);
    return drawn;
}

void DrawSitePanel(QPainter &p, const QRectF &rect, const SitePictureInput &in, const QString &title)
{
    panel(p, rect, in, title, unitOf(p));
}

// Cuts

QRectF SiteCutBounds(const SiteResult &r, SiteAxis axis)
{
    const bool x = axis == SiteAxis::X;
    double lo = INFINITY, hi = -INFINITY, top = std::max(0.0, r.site.personHeight);
    for (const site::Point &q : r.site.area)
        lo = std::min(lo, x ? q.x : q.y), hi = std::max(hi, x ? q.x : q.y);
    for (size_t i = 0; i < antennaCount(r); ++i) {
        const double radius = usable(r.antennas[i].topRadius) ? r.antennas[i].topRadius : 0;
        for (const site::Point &q : r.site.antennas[i].points) {
            const double c = x ? q.x : q.y;
            lo = std::min(lo, c - radius), hi = std::max(hi, c + radius);
        }
        top = std::max(top, heightOf(r, i) + zoneExtent(r.antennas[i].zone).second);
    }
    if (!(hi >= lo) || !std::isfinite(lo) || !std::isfinite(hi))
        lo = 0, hi = 10;
    if (!std::isfinite(top))
        top = 10;
    const double below = std::max(2.0, (top + hi - lo) * 0.06);
    return QRectF(lo - 2, -below, hi - lo + 4, top + 2 + below);
}

QRectF SiteCutBounds(const SitePictureInput &in, SiteAxis axis)
{
    QRectF box = SiteCutBounds(in.result, axis);
    const QStringList &script = in.cutScripts[axis == SiteAxis::X ? 0 : 1];
    if (script.isEmpty())
        return box;
    // Recorded at 100 pixels per metre from the axis' zero on the ground, y down.
    constexpr double kScale = 100;
    QPicture recorded;
    {
        QPainter recorder(&recorded);
        CadFrame frame;
        frame.scale = kScale;
        DrawCAD(recorder, script, frame);
    }
    const QRect drawnPixels = recorded.boundingRect();
    const QRectF metres(drawnPixels.left() / kScale, -(drawnPixels.bottom() + 1) / kScale, drawnPixels.width() / kScale,
                        drawnPixels.height() / kScale);
    // A script far off the site would shrink the site to nothing: only what lies near counts.
    const double near = 10 * std::max({box.width(), box.height(), 10.0});
    if (drawnPixels.isEmpty()
        || !(std::fabs(metres.left()) < near && std::fabs(metres.right()) < near && std::fabs(metres.top()) < near
             && std::fabs(metres.bottom()) < near))
        return box;
    return box.united(metres.adjusted(-1, 0, 1, 1));
}

SiteCutDrawn DrawSiteCut(QPainter &p, const QRectF &target, const SitePictureInput &in, SiteAxis axis,
                         double pixelsPerMetre)
{
    SiteCutDrawn drawn;
    const SiteResult &r = in.result;
    const bool alongX = axis == SiteAxis::X;
    const double u = unitOf(p);
    const QRectF box = SiteCutBounds(in, axis);
    const double titleRoom = 22 * u;
    const QRectF area(target.left(), target.top() + titleRoom, target.width(),
                      std::max(1.0, target.height() - titleRoom));
    const double fit = std::min(area.width() / box.width(), area.height() / box.height());
    drawn.pixelsPerMetre = usable(pixelsPerMetre) ? pixelsPerMetre : usable(fit) ? fit : 1;
    const double s = drawn.pixelsPerMetre;
    // The box centred across, the ground near the bottom: below it only the bracket.
    const double cx = box.center().x();
    drawn.metresToDevice = QTransform(s, 0, 0, -s, area.center().x() - cx * s, area.bottom() + box.top() * s);
    const QTransform &t = drawn.metresToDevice;
    drawn.viewMetres = t.inverted().mapRect(area);
    const QRectF view = drawn.viewMetres;
    auto toDevice = [&](const QPainterPath &metres) { return t.map(inView(metres, view)); };
    auto line = [&](QPointF a, QPointF b) {
        if (clipSegment(a, b, view))
            p.drawLine(t.map(a), t.map(b));
    };

    p.save();
    p.setClipRect(target);
    p.fillRect(target, Qt::white);
    p.setPen(Qt::black);
    p.setFont(font(u, 13, true));
    p.drawText(QRectF(target.left() + 4 * u, target.top(), target.width() - 8 * u, titleRoom),
               Qt::AlignLeft | Qt::AlignVCenter,
               alongX ? "Ansicht entlang der x-Achse (Blick in Richtung +y)"
                      : "Ansicht entlang der y-Achse (Blick in Richtung −x)");
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Ground below the surface, and the ground line.
    {
        if (view.top() < 0) {
            QPainterPath ground;
            ground.addRect(
                QRectF(QPointF(view.left(), view.top()), QPointF(view.right(), std::min(0.0, view.bottom()))));
            p.fillPath(toDevice(ground), QColor(235, 235, 235));
        }
    }
    const double H = r.site.personHeight;
    for (size_t i = 0; i < antennaCount(r); ++i) {
        const SiteAntennaResult &a = r.antennas[i];
        const QColor c = colorOf(in, i);
        double lo = INFINITY, hi = -INFINITY;
        for (const site::Point &q : r.site.antennas[i].points)
            lo = std::min(lo, alongX ? q.x : q.y), hi = std::max(hi, alongX ? q.x : q.y);
        if (!(hi >= lo))
            continue;
        const double h = a.height;
        // The zone turned about the mast: at each height its largest horizontal extent, on both
        // sides, the wire's extent between.
        QPainterPath zone;
        const double reach = a.zone.reach();
        if (usable(reach)) {
            if (a.zone.spheresOnly()) {
                QPainterPath wire(QPointF(lo, h));
                wire.lineTo(hi, h);
                if (hi > lo) {
                    zone = sweep(wire, reach);
                } else {
                    zone.addEllipse(QPointF(lo, h), reach, reach);
                }
            } else {
                QPolygonF right, left;
                for (double z : profileHeights(a.zone)) {
                    const double w = a.zone.radiusBetween(z, z);
                    right << QPointF(hi + w, h + z);
                    left.prepend(QPointF(lo - w, h + z));
                }
                QPolygonF all = right;
                all += left;
                all << all.front();
                zone.addPolygon(all);
            }
        }
        const QPainterPath zoneDevice = toDevice(zone);
        QPainterPath band;
        band.addRect(QRectF(view.left(), 0, view.width(), std::max(0.0, H)));
        const QPainterPath personDevice = toDevice(kFromFine.map(kToFine.map(zone).intersected(kToFine.map(band))));
        p.setPen(Qt::NoPen);
        p.setBrush(PersonZoneColor(c));
        p.drawPath(personDevice);
        hatch(p, zoneDevice, c, u);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, 1.5 * u));
        p.drawPath(zoneDevice);
        // Mast and antenna.
        p.setPen(QPen(QColor(80, 80, 80), 2 * u));
        line(QPointF(lo, 0), QPointF(lo, h));
        if (hi > lo)
            line(QPointF(hi, 0), QPointF(hi, h));
        p.setPen(QPen(c, 3 * u, Qt::SolidLine, Qt::RoundCap));
        line(QPointF(lo, h), QPointF(hi, h));
        const QPointF at(lo, h);
        if (view.contains(at)) {
            p.setPen(QPen(Qt::black, u));
            p.setBrush(c);
            p.drawEllipse(t.map(at), 3.5 * u, 3.5 * u);
            p.setFont(font(u, 12, true));
            p.drawText(t.map(at) + QPointF(6 * u, -6 * u), qs(r.site.antennas[i].name));
        }
    }
    p.setPen(QPen(Qt::black, 2 * u));
    line(QPointF(view.left(), 0), QPointF(view.right(), 0));
    // The height where people are.
    p.setPen(QPen(Qt::black, 1.2 * u, Qt::DashLine));
    line(QPointF(view.left(), H), QPointF(view.right(), H));
    p.setFont(font(u, 10));
    if (view.contains(QPointF(drawn.viewMetres.left(), H)))
        p.drawText(t.map(QPointF(drawn.viewMetres.left(), H)) + QPointF(4 * u, -3 * u),
                   "Aufenthaltshöhe " + metresText(H));
    // The area's extent on this axis as a bracket on the ground.
    double lo = INFINITY, hi = -INFINITY;
    for (const site::Point &q : r.site.area)
        lo = std::min(lo, alongX ? q.x : q.y), hi = std::max(hi, alongX ? q.x : q.y);
    if (hi > lo) {
        QPointF a(lo, 0), b(hi, 0);
        const QRectF vr = view;
        if (clipSegment(a, b, vr)) {
            const QPointF da = t.map(a), db = t.map(b);
            const double drop = 8 * u;
            p.setPen(QPen(in.areaColor.darker(150), 2 * u));
            p.drawLine(da + QPointF(0, drop), db + QPointF(0, drop));
            p.drawLine(t.map(QPointF(lo, 0)), t.map(QPointF(lo, 0)) + QPointF(0, drop));
            p.drawLine(t.map(QPointF(hi, 0)), t.map(QPointF(hi, 0)) + QPointF(0, drop));
            p.setPen(Qt::black);
            p.drawText(QRectF(da.x(), da.y() + drop + 1 * u, db.x() - da.x(), 14 * u), Qt::AlignHCenter | Qt::AlignTop,
                       "kontrollierbarer Bereich");
        }
    }
    // The view's drawing script, in metres from the axis' zero on the ground.
    const QStringList &script = in.cutScripts[alongX ? 0 : 1];
    if (!script.isEmpty()) {
        const QPointF origin = t.map(QPointF(0, 0));
        CadFrame frame;
        frame.scale = s;
        frame.originX = ui::ClampedPixel(origin.x());
        frame.groundY = ui::ClampedPixel(origin.y());
        frame.penWidth = std::max(1, ui::RoundPixel(u));
        drawn.script = DrawCAD(p, script, frame);
        drawn.scriptRun = true;
    }
    drawn.scaleBarMetres = ScaleBarLength(drawn.viewMetres.width() / 4);
    if (drawn.scaleBarMetres > 0) {
        p.setRenderHint(QPainter::Antialiasing, false);
        // At the top, clear of the ground and the bracket.
        drawn.scaleBarDevice =
            scaleBar(p, QPointF(area.left() + 10 * u, area.top() + 24 * u), drawn.scaleBarMetres, s, in.scale, u);
    }
    p.restore();
    return drawn;
}
