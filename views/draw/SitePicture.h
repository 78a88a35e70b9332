#pragma once

// The site drawn to scale from its calculation: the plan (top view) and the two vertical cuts
// of a three-side view. Functions on any QPainter, no widgets: the site window, the PDF, the
// command line and the tests share them. Everything is placed in metres through one transform.

#include "data/SiteCalculation.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <optional>
#include <vector>

class QPainter;

// A background already turned into pixels (raster, SVG or a PDF page), placed in metres.
struct SiteBackgroundPicture {
    QImage image;
    QTransform pixelToMetres; // image pixel -> plan metres (x right, y up)
};

struct SitePictureInput {
    SiteResult result;                 // the site with its figures
    std::vector<QColor> antennaColors; // per antenna; missing ones take the default order
    QColor areaColor{0, 255, 255};
    std::optional<SiteBackgroundPicture> background;
    bool legend = true, titleBlock = true; // off for the bare PNG of the command line
};

// Antennas in order red, teal, blue, magenta, olive, then repeating.
QColor DefaultAntennaColor(size_t index);

// What a drawing computed, for tests and for the window's mouse (device <-> metres).
struct SitePictureDrawn {
    QTransform metresToDevice;
    QRectF planMetres;         // the part of the plan shown, in metres
    double pixelsPerMetre = 0; // device units per metre
    double scaleBarMetres = 0; // the bar's length: 1, 2 or 5 x 10^n m
};

// The plan in target (device units). pixelsPerMetre 0: as large as fits.
SitePictureDrawn DrawSitePlan(QPainter &p, const QRectF &target, const SitePictureInput &in,
                              double pixelsPerMetre = 0);
