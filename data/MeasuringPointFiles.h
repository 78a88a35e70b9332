#pragma once

// Files of the virtual measuring points: the distance file (the list of points) and the
// exchange file of the computed fields for other programs. Windows-1252 with CR LF on disk.
//
// Distance file:  w;<n>            Exchange file:  Spalte.............>FO
//                 <distance>;<angle>  (n lines)    Antennenname.......>...   (six heading lines)
//                                                  MP <r>;<E>;<H>          (one per point)

#include "core/BandPlan.h"
#include "core/MeasuringPoints.h"

#include <optional>
#include <string>
#include <vector>

struct DistanceRow {
    std::string distance;
    std::string angle;
};

struct DistanceFileContent {
    int announced = 0;                    // n of the first line
    std::vector<DistanceRow> rows;        // the rows read before a failing line (all n without one)
    std::optional<std::string> lineError; // German, names the file and the line
};

// Reads a distance file. A first line without a sound number of points (below 1, or more than
// the file holds) is refused as a whole with FileError, as is an unreadable file.
DistanceFileContent ReadDistanceFile(const std::string &path);
std::vector<std::string> DistanceFileLines(const std::vector<MeasuringPoint> &points);
// Throws FileError.
void WriteDistanceFile(const std::string &path, const std::vector<MeasuringPoint> &points);

struct ExchangeHeader {
    std::string antennaName;
    BandIndex band = 0;
    double power = 0;         // W PEP
    std::string dutyCycle;    // item of the duty-cycle group, e.g. "TX6 RX0"
    std::string factorSource; // item of the factor-source group
};

// "TX6 RX0" -> "tx6 - rx0": first and last three characters, letters A-Z in lower case.
std::string DutyCycleInterval(const std::string &dutyCycle);
std::vector<std::string> ExchangeFileLines(const ExchangeHeader &header, const std::vector<MeasuringPoint> &points);
// Throws FileError.
void WriteExchangeFile(const std::string &path, const ExchangeHeader &header,
                       const std::vector<MeasuringPoint> &points);
