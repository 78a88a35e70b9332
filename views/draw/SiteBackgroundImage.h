#pragma once

// The site's background read into pixels: PNG, JPEG, BMP and SVG as the site plan reads them,
// and one page of a PDF through Qt PDF. Vector pictures are rendered finer than their units,
// so the plan stays sharp when it is drawn larger than the page.

#include "data/SiteBackground.h"
#include "views/draw/SitePicture.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <optional>

struct LoadedBackground {
    QImage image;
    QSizeF units;             // the picture's size in its units (pixels, PDF points, SVG units)
    double unitsPerPixel = 1; // picture units per pixel of image
    int pageCount = 1;
};

// path as found on disk. Throws FileError with a German message naming the file and the
// reason: missing, unreadable, no picture of its kind, no such page, an unknown extension.
LoadedBackground LoadBackgroundPicture(const QString &path, int page);

// The picture placed on the plan; none until the background has a scale.
std::optional<SiteBackgroundPicture> PlaceBackground(const LoadedBackground &loaded, const SiteBackground &background);

// The picture's transform from picture units to plan metres, as PlaceBackground uses it.
std::optional<QTransform> PictureUnitsToPlan(const LoadedBackground &loaded, const SiteBackground &background);
