#pragma once

// The site file (".standort"): the station's site with its controllable area and every
// antenna, each with the configuration file it is computed from. INI text, UTF-8 or
// Windows-1252, CR LF or LF, decimal comma in every number; a point is "x y" in metres, points
// are separated by ";". Keys and sections the program does not know are kept for writing back.

#include "core/BandPlan.h"
#include "core/SiteGeometry.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A site file that cannot be taken: the German message names file, line, section and key.
class SiteError : public std::runtime_error
{
public:
    explicit SiteError(const std::string &message) : std::runtime_error(message) {}
};

inline constexpr double kDefaultPersonHeight = 2; // m: people outside stand up to this height

using IniEntries = std::vector<std::pair<std::string, std::string>>; // key, value in file order

// Where a value came from, to name it in a message; 0 = not from a file.
struct SiteSource {
    int sectionLine = 0;
    std::vector<std::pair<std::string, int>> keyLines;
    int lineOf(const std::string &key) const;
};

struct SiteBand {
    BandIndex band = 0;
    double pep = 0; // W
    bool operator==(const SiteBand &) const = default;
};

// A colour of the drawing, 0..255 each.
struct SiteColor {
    int r = 0, g = 0, b = 0;
    bool operator==(const SiteColor &) const = default;
};
// Antennas in order red, teal, blue, magenta, olive, then repeating; the area aqua.
SiteColor DefaultSiteColor(size_t index);
inline constexpr SiteColor kDefaultAreaColor{0, 255, 255};

struct SiteAntenna {
    std::string name;          // the section's name after "Antenne "
    std::string configuration; // file of the configuration, relative to the site file's folder
    std::vector<site::Point> points;
    std::optional<std::vector<SiteBand>> bands; // unset: every band at the configuration's power
    bool angleDamping = false;
    std::string group;              // empty: transmits alone
    std::optional<SiteColor> color; // unset: the default of its position
    IniEntries extra;
    SiteSource source;
};

struct SiteExtraSection {
    std::string name;
    IniEntries entries;
};

struct Site {
    std::string callsign, operatorName, address, date;
    double personHeight = kDefaultPersonHeight; // m
    double north = 0;                           // degrees clockwise from the top of the plan
    site::Polygon area;
    SiteColor areaColor = kDefaultAreaColor;
    // Drawing scripts over the views along x and along y, relative to the site's folder.
    std::string cutScriptX, cutScriptY;
    std::vector<SiteAntenna> antennas;
    IniEntries siteExtra, areaExtra;
    std::vector<SiteExtraSection> extraSections;
    SiteSource siteSource, areaSource;
};

// The antenna's colour as drawn: its own or the default of its position.
SiteColor AntennaColor(const Site &site, size_t index);

// Today as "10.12.2026".
std::string TodayGermanDate();

// fileLabel names the file in messages. Throws SiteError; nothing of a half-read site is kept.
Site ParseSite(const std::string &text, const std::string &fileLabel);
// Reads the file (UTF-8 or Windows-1252). Throws SiteError, also when it cannot be read.
Site ReadSite(const std::string &path);

// The file's lines; what ParseSite reads back to the same site.
std::vector<std::string> SiteLines(const Site &site);
// UTF-8 with CR LF, atomic. Throws FileError, leaving the previous file.
void WriteSite(const std::string &path, const Site &site);

// "12,5 9; 0 0": the shortest text that reads back to the same numbers.
std::string PointsText(const std::vector<site::Point> &points);
std::string SiteNumberText(double value);
