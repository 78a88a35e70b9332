#pragma once

// The whole station at its site: every antenna computed on each of its bands through the
// station model (as the table of every band does), its zone over those bands, the zone against
// the controllable area, simultaneous antennas summed, and the notification threshold.

#include "core/QuotientOutline.h"
#include "core/SiteGeometry.h"
#include "data/SiteFile.h"
#include "data/StationBands.h"
#include "data/StationModel.h"

#include <string>
#include <vector>

enum class SiteVerdict {
    Inside,    // the zone stays within the area in the top view
    SideViews, // it leaves the area in the top view, but not at the height where people are
    Exceeded,  // it leaves the area at the height where people are
};
std::string VerdictText(SiteVerdict verdict); // "innerhalb", "Dreiseitenansicht nötig", "überschritten"

// EIRP from which a station must be notified.
inline constexpr double kNotificationEirp = 10; // W

struct SiteAntennaResult {
    std::string name;
    std::string configuration;    // as the site file names it
    std::string catalogueAntenna; // "Name (Hersteller)"; empty: the typed gain on every band
    std::string antennaType;      // the catalogue's type; empty without a catalogue antenna
    StationInputs inputs;         // the configuration as read, before each band's power
    double height = 0;            // m
    std::vector<StationBand> bands;
    std::vector<bool> angleZone; // per band: its angle contour was taken
    site::Zone zone;
    double safetyDistance = 0;           // m, the largest distance of the zone
    BandIndex safetyBand = 0;            // the band giving it
    double topRadius = 0;                // m, largest horizontal extent at any height
    double personRadius = 0;             // m, the same between the ground and the height where people are
    double boundaryDistance = 0;         // m, signed horizontal distance to the boundary, negative outside
    double margin = 0, personMargin = 0; // m, boundaryDistance minus the radii
    SiteVerdict verdict = SiteVerdict::Inside;
    double largestEirp = 0; // W
    BandIndex eirpBand = 0;
};

struct SiteGroupResult {
    std::string name;
    std::vector<size_t> members; // antenna positions
    site::QuotientPeak any;      // the largest exposure quotient outside, at any height
    site::QuotientPeak person;   // the same up to the height where people are
    SiteVerdict verdict = SiteVerdict::Inside;
    double eirpSum = 0; // W, the members' largest EIRPs
    // Where the sum is 1, for the drawing: at any height (top view) and up to where people are.
    site::Outline outline, personOutline;
};

struct SiteResult {
    Site site;
    std::vector<SiteAntennaResult> antennas;
    std::vector<SiteGroupResult> groups; // only groups of two or more antennas
    double largestEirp = 0;              // W, of any antenna on any band
    size_t eirpAntenna = 0;
    BandIndex eirpBand = 0;
    bool notificationRequired = false;
};

// base: a started station model, whose catalogue and paths the configurations use; they are
// opened relative to siteFolder (ending in "/", or empty). Throws SiteError naming file,
// section and key when a configuration cannot be opened or a band cannot be computed.
SiteResult CalculateSite(const Site &site, const std::string &siteFolder, const StationModel &base,
                         const std::string &fileLabel);

// Figures as every table of the site shows them, never on the unsafe side: a distance or radius
// rounded up, a margin to the boundary down, an EIRP up; "---" for no value.
std::string SiteDistanceText(double x); // "12,98 m"
std::string SiteMarginText(double x);
std::string SiteEirpText(double w);     // "4242,54 W"
std::string SiteQuotientText(double q); // "0,64"; "---" where it has no bound

// The lines of "feldora --standort": ";"-separated, distances rounded away from the unsafe side.
std::vector<std::string> SiteReportLines(const SiteResult &result, const std::string &siteName);
