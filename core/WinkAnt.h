#pragma once

// Angle data of one catalogue antenna (attenuation against the angle in the vertical
// plane, read from its ".ang" file) and the per-angle evaluation of the main window.
//
// Angles are whole degrees from the horizontal main direction (0), counted downwards:
// 90 = straight down, 180 = horizontally backwards. File layout:
//   [Polarisation] v            v and/or h: which polarisations the file holds
//   [Bereich] 180               integer, not evaluated
//   [Schrittweite] 10           angle step in degrees
//   [MHz],v,145,0               section: polarisation letter (optional), MHz (0 = every band),
//   number 0,1.5,3,...                 attenuations in dB, decimal point, comma-separated

#include "core/BandPlan.h"
#include "core/FarField.h"

#include <cstdint>
#include <string>
#include <vector>

// Angles beyond a full turn would repeat directions and overflow the 16-bit angle lists.
constexpr int kMaxAngle = 360;

class TWinkAnt {
  public:
    std::string Name;         // file name without directory and extension
    std::string Polarisation; // the text of the "[Polarisation]" line, e.g. "v", "h", "vh"
    std::int16_t Schrittweite = 180;
    std::vector<std::int16_t> WinkelV;
    std::vector<double> DaempfungV;
    std::vector<std::int16_t> WinkelH;
    std::vector<double> DaempfungH;

    // Reads an angle file (Windows-1252 or UTF-8) and keeps the sections that fit the band
    // (0 = no band: only sections for frequency 0). Throws FileError when the file cannot be
    // read and ConvertError for malformed content or values out of range (German message
    // naming the file and the line); the caller then treats the angle data as absent.
    static TWinkAnt FromFile(const std::string &path, BandIndex band);
    // The same on lines already read; name is what Name gets. Messages name the line only.
    static TWinkAnt FromLines(const std::vector<std::string> &lines, const std::string &name,
                              BandIndex band);
};

// An angle file read and checked once, every section kept: each band then takes its sections
// without reading the file again (the table of every band).
struct AngleFileSections {
    struct Section {
        char polarisation = 0; // 'v', 'h', or 0 without one
        double frequency = 0;  // MHz, 0 = every band
        std::vector<double> values;
    };
    std::string Name;
    std::string Polarisation;
    std::int16_t Schrittweite = 180;
    std::vector<Section> sections;

    // Same reading and same errors as TWinkAnt::FromFile / FromLines.
    static AngleFileSections FromFile(const std::string &path);
    static AngleFileSections FromLines(const std::vector<std::string> &lines, const std::string &name);
    // What TWinkAnt::FromFile gives for the band.
    TWinkAnt ForBand(BandIndex band) const;
};

// File name without directory and extension: "ang/Yagis Yagi 2m 9 El..ang" -> "Yagis Yagi 2m 9 El."
std::string AngleFileName(const std::string &path);

// Polarisation radio group: 0 = "Vertikal", 1 = "Horizontal".
int InitialPolChoice(const std::string &polarisation); // 1 when the text has no v
// Corrects a requested choice to a polarisation the file declares.
int CorrectPolChoice(int requested, const std::string &polarisation);

// The per-angle evaluation: four lists of equal length, in file order.
struct AngleTable {
    std::vector<std::int16_t> Angles;    // degrees
    std::vector<double> Attenuations;    // dB
    std::vector<double> EirpByAngle;     // W
    std::vector<double> DistanceByAngle; // m, person protection
};

// Without angle data (nullptr) every list is empty. polChoice 0 takes the vertical lists,
// 1 the horizontal ones.
AngleTable CalculateAngleTable(const TWinkAnt *angleData, int polChoice,
                               const FarFieldResult &result);

// The angle grid as it is shown: heading row, then one row of four cell texts per angle.
using AngleGrid = std::vector<std::vector<std::string>>;
AngleGrid AngleGridRows(const AngleTable &table);

// Export file lines (each cell padded left to 9 characters, followed by " ;"); written with
// WriteTextLines, which adds CR LF to every line.
std::vector<std::string> AngleExportLines(const AngleGrid &grid);
// Clipboard text: cells joined by tabs, every row ended by CR LF.
std::string AngleCopyText(const AngleGrid &grid);
