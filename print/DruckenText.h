#pragma once

// Text content and page layout of the configuration printout, free of any GUI toolkit.
// The print window places these lines with its page engine; `feldora --bericht` prints
// ReportLines() as plain text. Positions are millimetres from the top-left corner of an
// A4 portrait sheet; every text stands with its top-left corner at x = kPrintLeftMm.

#include <array>
#include <string>
#include <vector>

inline constexpr double kPrintLeftMm = 20;
inline constexpr double kPrintRightMm = 190;
inline constexpr const char *kPrintTextFont = "Courier New";
inline constexpr const char *kPrintFooterFont = "Arial";

// Page header: Courier New 12 regular at y = 14, line from left to right at y = 20.
inline constexpr int kHeaderFontPt = 12;
inline constexpr double kHeaderTextYMm = 14;
inline constexpr double kHeaderLineYMm = 20;
// Page footer: line at y = 270, Arial 8 centred on x = 105 at y = 272, the page number
// ending at the right margin.
inline constexpr int kFooterFontPt = 8;
inline constexpr double kFooterLineYMm = 270;
inline constexpr double kFooterTextYMm = 272;
inline constexpr double kFooterCentreXMm = 105;
// Angle table: Courier New 10 bold, heading at y = 24 on the first angle page only.
inline constexpr int kAngleFontPt = 10;
inline constexpr double kAngleHeadingYMm = 24;

// Band text shown in fixed-frequency mode instead of a band.
inline constexpr const char *kNoBandText = "-- kein -- (frequenzgenaue Rechnung)";

// Snapshot of the main window's texts, exactly as shown there.
struct PrintoutTexts {
    std::string callsign;
    std::string band;
    bool fixedFrequency = false; // band line then reads kNoBandText
    std::string frequency;
    std::string antennaName;
    std::string antennaType;
    std::string height;
    std::string operatingMode;
    std::string dutyCycle;     // caption of the chosen duty cycle
    std::string modeFactorSet; // caption of the chosen set of mode factors
    std::string power;
    std::string gain;
    std::string cableType;
    std::string cableLength;
    std::string otherAttenuations;
    std::string feedAttenuation;
    std::string eLimit;
    std::string hLimit;
    std::string fModPers;
    std::string fB;
    std::string antennaInputPower;
    std::string eirp;
    std::string safetyDistance;
    std::string nearFieldLimit;
    std::string wiesbeckAntenna;
    std::string wiesbeckDirectivity; // "---" when no Wiesbeck calculation is possible
    std::string alternativeDirectivity;
    bool useAlternativeDirectivity = false;
    std::string groundHeightFactor;
    std::string safetyFactor;
    std::string wiesbeckEirp;
    std::string wiesbeckDistance;
    std::string version;

    bool angleDataPresent = false;
    std::vector<std::array<std::string, 4>> angleRows; // angle, attenuation, EIRP, distance
};

struct PrintRect {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// One text of a page, Courier New. Wrapped texts flow inside `rect` without a frame.
struct PrintLine {
    double yMm = 0;
    int fontPt = 13;
    bool bold = false;
    std::string text;
    bool wrapped = false;
    PrintRect rect;
};

// Where the angle pages put each table row and the picture. Page 1 is the overview page.
struct AngleRowPlace {
    int page = 0;
    double yMm = 0;
};

struct AnglePagesLayout {
    std::vector<AngleRowPlace> rows;
    int picturePage = 0;
    double pictureTopMm = 0; // picture's top-left corner is at (kPrintLeftMm, pictureTopMm)
    int pageCount = 0;       // of the whole document
};

std::string PageHeaderText(const std::string &callsign, const std::string &dateText);
std::string FooterText(const std::string &version);

// The overview page between header and footer, top to bottom.
std::vector<PrintLine> FirstPageLines(const PrintoutTexts &texts);

// Angle table lines, columns starting after 1, 16, 37 and 52 characters.
std::string AngleHeadingLine();
std::string AngleRowLine(const std::array<std::string, 4> &cells);

// Pages 2 ff. for a table of rowCount rows (only used when angle data are present).
AnglePagesLayout LayoutAnglePages(size_t rowCount);

// Number of pages of the whole printout.
int PrintoutPageCount(const PrintoutTexts &texts);

// One line naming the station: antenna (or the typed gain without one), PEP, mode, height.
std::string StationSummary(const PrintoutTexts &texts);

// Plain-text report: overview texts, then the angle table if present. One UTF-8 line each.
std::vector<std::string> ReportLines(const PrintoutTexts &texts);
