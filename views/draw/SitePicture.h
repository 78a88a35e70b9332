#pragma once

// The site drawn to scale from its calculation: the plan (top view) and the two vertical cuts
// of a three-side view. Functions on any QPainter, no widgets: the site window, the PDF, the
// command line and the tests share them. Everything is placed in metres through one transform.
// Sizes of text and lines follow the device's resolution (1/96 inch each), so a page at
// 300 dpi reads like the screen.

#include "data/SiteCalculation.h"
#include "views/draw/CadScript.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QTransform>

#include <optional>
#include <vector>

class QPainter;

// A background already turned into pixels (raster, SVG or a PDF page), placed in metres.
struct SiteBackgroundPicture {
    QImage image;
    QTransform pixelToMetres; // image pixel -> plan metres (x right, y up)
};

enum class SiteAxis { X, Y }; // the cut along x (front view) and along y (side view)

struct SitePictureInput {
    SiteResult result;                 // the site with its figures
    std::vector<QColor> antennaColors; // per antenna; missing ones take the site's, then the default order
    QColor areaColor{0, 255, 255};
    std::optional<SiteBackgroundPicture> background;
    bool legend = true, titleBlock = true; // off for the bare PNG of the command line
    int scale = 0;                         // "Maßstab 1:scale" beside the bar; 0: no true scale
    std::optional<QPointF> viewCentre;     // metres at the plan's centre; unset: see DrawSitePlan
    QStringList cutScripts[2];             // drawing scripts over the cut along x and along y
};

// The input with the colours the site file holds.
SitePictureInput SitePictureInputOf(const SiteResult &result);

// Antennas in order red, teal, blue, magenta, olive, then repeating.
QColor DefaultAntennaColor(size_t index);
// A lighter shade of an antenna's colour: the zone at the height where people are.
QColor PersonZoneColor(const QColor &color);

// What a drawing computed, for tests and for the window's mouse (device <-> metres).
struct SitePictureDrawn {
    QTransform metresToDevice;
    QRectF planMetres;           // the part of the plan shown, in metres
    double pixelsPerMetre = 0;   // device units per metre
    double scaleBarMetres = 0;   // the bar's length: 1, 2 or 5 x 10^n m
    QRectF planDevice;           // where the plan went; the legend panel beside it
    QRectF scaleBarDevice;       // the bar itself, without its labels
    QPointF northBase, northTip; // the north arrow, device units
    QStringList legendLines;     // as the legend shows them
};

// The box the plan shows, in metres: the controllable area, every antenna's top-view zone
// and every group's top-view outline, 2 m around.
QRectF SitePlanBounds(const SiteResult &result);
// The largest bar length of 1, 2 or 5 x 10^n m not above `at most` (0 for no positive room).
double ScaleBarLength(double atMostMetres);
// The legend: per antenna colour, name, catalogue antenna, safety distance with its band and
// verdict; per group its largest quotients.
QStringList SiteLegendLines(const SiteResult &result);
// Whether the side views are wanted: some verdict is not "innerhalb".
bool SiteNeedsCuts(const SiteResult &result);

// The plan in target (device units), the legend panel at its right when legend or title block
// is on. pixelsPerMetre 0: as large as fits, the box centred; else the box's top-left corner
// at the target's unless in.viewCentre places it.
SitePictureDrawn DrawSitePlan(QPainter &p, const QRectF &target, const SitePictureInput &in, double pixelsPerMetre = 0);

// The panel beside a picture: legend with colour swatches, then the title block.
void DrawSitePanel(QPainter &p, const QRectF &rect, const SitePictureInput &in, const QString &title);

struct SiteCutDrawn {
    QTransform metresToDevice; // (position on the axis, height) -> device
    QRectF viewMetres;
    double pixelsPerMetre = 0;
    double scaleBarMetres = 0;
    QRectF scaleBarDevice;
    bool scriptRun = false;
    CadRunResult script;
};

// The box of one cut: the area's extent on the axis and every zone, from below the ground up
// to the highest zone.
QRectF SiteCutBounds(const SiteResult &result, SiteAxis axis);
// The same with what the view's drawing script draws (houses, balconies).
QRectF SiteCutBounds(const SitePictureInput &in, SiteAxis axis);

// One vertical cut in target: ground, the height where people are dashed, the area's extent as
// a bracket on the ground, each antenna's mast and zone, then the view's drawing script.
SiteCutDrawn DrawSiteCut(QPainter &p, const QRectF &target, const SitePictureInput &in, SiteAxis axis,
                         double pixelsPerMetre = 0);
