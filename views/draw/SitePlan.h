#pragma once

// The site plan: a background picture calibrated by an origin and two scale points, the
// controllable area, two antennas with their safety zones, a title and three legend lines.
// Everything is kept in pixels of the drawing surface; metres come from the calibration.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>

class QPainter;
class QSvgRenderer;

struct SitePlanCalibration {
    QPoint origin;
    bool originSet = false;
    QPoint scale1, scale2;
    double scaleLength = 0; // m between the two scale points
    bool scaleSet = false;
};

// Metres per pixel; none while the scale points coincide or the length is not above 0.
std::optional<double> MetresPerPixel(const SitePlanCalibration &cal);
// Metric position (x to the right, y upwards from the origin); none until origin and scale are set.
std::optional<QPointF> MetricPoint(const SitePlanCalibration &cal, QPoint pixel);
// Radius in pixels of a safety distance in metres; none without a usable scale or distance.
std::optional<int> SafetyRadiusPixels(const SitePlanCalibration &cal, double distance);

struct SitePlanPolyline {
    QVector<QPoint> points;
    bool finished = true; // an open object takes the next clicks as points
};

struct SitePlanAntenna {
    SitePlanPolyline line;
    std::optional<double> distance; // m, as typed
    std::optional<int> radius;      // pixels, computed when the distance is entered
};

// What "Anzeigen" ticks.
struct SitePlanShow {
    bool call = false, origin = false, scale = false, area = false, legend = false;
    bool antenna1 = true, antenna2 = true, zone1 = true, zone2 = true;
};

// A picture at its native size: raster pixels or an SVG drawing.
struct SitePlanBackground {
    QImage raster;
    std::shared_ptr<QSvgRenderer> vector;
    QSize size;
    bool isNull() const { return size.isEmpty(); }
};

struct SitePlan {
    SitePlanCalibration cal;
    SitePlanPolyline area;
    SitePlanAntenna antenna[2];
    QString title;
    QPoint titlePos;
    QString legend[3]; // antenna 1, antenna 2, controllable area
    QPoint legendPos[3];
    bool legendBegun[3] = {false, false, false}; // its object was started once
    QColor antennaColor[2] = {QColor(255, 0, 0), QColor(0, 128, 128)};
    QColor areaColor = QColor(0, 255, 255);
    SitePlanShow show;
    SitePlanBackground background;
};

struct SitePlanFigures {
    double factor = 0; // scale of the background, 0 without one
    double pictureRatio = 0, surfaceRatio = 0;
    QSize backgroundDrawn;    // size the background was stretched to
    QVector<QPointF> normals; // unit normals of the zone segments, antenna 1 first
    QStringList log;          // diagnostic lines for the window's memo
};

// Paints the whole plan onto a surface of the given size, beginning with white.
SitePlanFigures DrawSitePlan(QPainter &p, QSize surface, const SitePlan &plan);
// The fixed test figure of the debug menu: an ellipse and two semi-transparent red squares.
void DrawTranslucencyTest(QPainter &p);

// Texts of the window, with the decimal comma.
struct SitePlanReadout {
    QString x, y, valX, valY, valR, valD;
};
SitePlanReadout CursorReadout(const SitePlanCalibration &cal, QPoint cursor, QPoint lastClick);
QStringList CalibrationSummary(const SitePlanCalibration &cal);
QStringList CoordinateLines(const SitePlan &plan);
QString AreaPointLine(int index, QPoint p); // "%2d: (%1d,%1d)"
QString DistanceText(double distance);      // "%4.2f m"

// Loads a background by exact extension: ".bmp", ".png", ".jpg" as raster, ".svg" at its native
// size. Throws FileError for an unreadable file; returns a null background for other extensions.
SitePlanBackground LoadSitePlanBackground(const QString &path);
