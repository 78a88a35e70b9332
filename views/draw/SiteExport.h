#pragma once

// The site's plan and side views on paper and in files: an A4 landscape sheet at a true scale
// (at 1:200 ten metres of the plan measure 50 mm), as PDF, SVG or PNG, and the bare plan as a
// PNG of so many pixels per metre. Each writer draws in memory and writes atomically; a failed
// save throws FileError (util/TextFile.h) with a German reason and keeps the old file.

#include "views/draw/SitePicture.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// The scales offered, most detailed first.
inline constexpr int kSiteScales[] = {100, 200, 250, 500, 1000};

enum class SiteSheet { Plan, Cuts };

inline constexpr double kSheetWidthMm = 297, kSheetHeightMm = 210, kSheetMarginMm = 10;

// An A3 landscape sheet, for a plan that fits A4 at no offered scale.
inline constexpr double kA3WidthMm = 420, kA3HeightMm = 297;

// Whether the plan fits the sheet at 1:scale.
bool SitePlanFits(const SiteResult &result, int scale);
bool SitePlanFitsA3(const SiteResult &result, int scale);
// The most detailed offered scale at which the plan fits; beyond 1:1000 the next of
// 2, 2,5, 5 and 10 x 10^n that does.
int DefaultSiteScale(const SiteResult &result);

struct SiteSheetDrawn {
    int scale = 0; // of the plan, or of both cuts
    double unitsPerMm = 0;
    SitePictureDrawn plan;
    SiteCutDrawn cuts[2];
};

// One sheet on a page of the given size in device units (its width standing for sheetWidthMm).
// The cuts take the plan's scale when both fit, else the next one that does.
SiteSheetDrawn DrawSiteSheet(QPainter &p, const QRectF &page, const SitePictureInput &in, int scale, SiteSheet sheet,
                             double sheetWidthMm = kSheetWidthMm);

// The plan, and on a second page the side views when some verdict is not "innerhalb".
void WriteSitePdf(const QString &path, const SitePictureInput &in, int scale);
void WriteSiteSvg(const QString &path, const SitePictureInput &in, int scale, SiteSheet sheet);
// The sheet as a picture at dpi dots per inch.
QImage SiteSheetImage(const SitePictureInput &in, int scale, SiteSheet sheet, int dpi = 200);

// The bare plan: no legend, no title block, its top-left pixel at the bounding box's
// (x_min, y_max), x to the right, y up. None when the picture would be too large to hold.
std::optional<QSize> SitePlanImageSize(const SiteResult &result, double pixelsPerMetre);
inline constexpr int kMaxPlanImageSide = 20000;                          // pixels, and 100 million pixels in all
QImage SitePlanImage(const SitePictureInput &in, double pixelsPerMetre); // null when too large
