#pragma once

// The background under the site's plan: a picture or a PDF page, calibrated by two points and
// their distance or by a world file beside the picture, and placed by the picture point that
// is the plan's origin. Kept in the site file's [Hintergrund] section. Picture units are the
// picture's pixels, the points of a PDF page (1/72 inch) or an SVG drawing's own units; u to
// the right and v down from the picture's top-left corner.

#include "core/SiteGeometry.h"
#include "data/SiteFile.h"

#include <optional>
#include <string>
#include <vector>

// x = a u + b v + c, y = d u + e v + f: the six numbers of a world file in its order a, d, b,
// e, c, f, for the centre of pixel (u, v) counted from 0.
struct SiteAffine {
    double a = 1, d = 0, b = 0, e = 1, c = 0, f = 0;
    site::Point map(site::Point p) const { return {a * p.x + b * p.y + c, d * p.x + e * p.y + f}; }
    bool operator==(const SiteAffine &) const = default;
};

enum class BackgroundCalibration { None, TwoPoints, WorldFile };

struct SiteBackground {
    std::string file; // as the site file names it: relative to the site's folder, or absolute
    int page = 1;     // of a PDF, from 1
    BackgroundCalibration calibration = BackgroundCalibration::None;
    site::Point scale1, scale2; // picture units
    double scaleLength = 0;     // m between them
    SiteAffine world;
    std::optional<site::Point> origin; // the picture point at the plan's origin
    bool operator==(const SiteBackground &) const = default;
};

inline constexpr const char *kBackgroundSection = "Hintergrund";
inline constexpr int kLargestPdfPage = 100000;

// Metres per picture unit of a world file: a pixel smaller than 0,1 mm or larger than 100 m
// is no plan of a site.
inline constexpr double kSmallestWorldPixel = 1e-4, kLargestWorldPixel = 100;

// The section read from the site's unknown sections; none without one. Throws SiteError naming
// file, section and key.
std::optional<SiteBackground> SiteBackgroundOf(const Site &site, const std::string &fileLabel);
// Puts the background into the site's sections, replacing any; none removes the section.
void SetSiteBackground(Site &site, const std::optional<SiteBackground> &background);

// Picture units -> plan metres (x right, y up); none until a scale is known. Without a chosen
// origin the picture's centre is the plan's origin (pictureSize in picture units).
std::optional<SiteAffine> PictureToPlan(const SiteBackground &background, site::Point pictureSize);

// The six numbers of a world file (decimal point or comma, one per line, blank lines ignored).
// Throws SiteError with a German reason: not six numbers, a pixel size of zero, below
// kSmallestWorldPixel or above kLargestWorldPixel, or axes that fall onto one line.
SiteAffine ParseWorldFile(const std::string &text, const std::string &fileLabel);
// Where a world file of the picture may stand, in the order they are tried: "plan.pgw" and
// "plan.wld" for "plan.png", ".jgw" for ".jpg", ".bpw" for ".bmp"; ".wld" for any other.
std::vector<std::string> WorldFileCandidates(const std::string &picturePath);

struct FoundWorldFile {
    std::string path;
    SiteAffine numbers;
};
// The first world file beside the picture that exists; none when there is none. Throws
// SiteError when that file cannot be read or is no usable world file.
std::optional<FoundWorldFile> FindWorldFile(const std::string &picturePath);
