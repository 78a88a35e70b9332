#pragma once

// One station configuration on any band: the station model's band change for that band (band
// edges, cable loss at the band, mode factors, the catalogue antenna's line for the band, far
// field, Wiesbeck, per-angle table), and the all-bands table.

#include "core/CableLib2.h"
#include "core/CableState.h"
#include "core/FarField.h"
#include "core/WiesbeckCalc.h"
#include "core/WinkAnt.h"
#include "data/AntennenLib.h"
#include "data/StationModel.h"

#include <string>
#include <vector>

struct StationBand {
    BandIndex band = 0;
    CableState cable;
    Factors factors;
    int antennaIndex = kNoAntenna; // catalogue entry, kNoAntenna without one
    int matchingLine = kNoMatchLine;
    double gain = 0; // dBi taken into the calculation
    double altDirectivity = 0;
    FarFieldInput farFieldInput; // what the far field was calculated from
    FarFieldResult farField;
    WiesResult wies;
    bool angleDataPresent = false;
    std::string angleError; // why an angle file could not be read; empty when fine
    AngleTable angles;
    bool cableUnsuitable = false; // the chosen cable does not cover the band
};

// The configuration on one band (1 .. kSelectableBands).
StationBand CalculateStationBand(const StationInputs &inputs, const TAntennen *catalogue, BandIndex band);

// The model of a configuration on one band, as the band's row is computed from.
StationModel StationModelOnBand(const StationInputs &inputs, const TAntennen *catalogue, BandIndex band);

// The same for the configuration a model holds.
std::vector<StationBand> CalculateAllBands(const StationModel &station);

// Every band on which the chosen catalogue antenna has a line within 10 %, or all offered bands
// when no catalogue antenna is chosen.
std::vector<StationBand> CalculateAllBands(const StationInputs &inputs, const TAntennen *catalogue);

// Distance to the controllable area the table asks the largest power for, until one is typed.
inline constexpr double kDefaultAreaDistance = 5; // m

// The largest PEP in W whose far-field safety distance keeps areaDistance on this band (the
// window's inverse "Abstand" calculation); kNoValue where the band has no limit or the power
// lies outside what the power field takes.
double MaxPowerForDistance(const StationBand &band, double areaDistance);

// Column headings; "\n" marks where a narrow column breaks its heading (at most three lines).
std::vector<std::string> AllBandsHeading(double areaDistance);

// The table as text rows: the heading on one line each, then one row per band; "---" where
// there is no value.
std::vector<std::vector<std::string>> AllBandsRows(const std::vector<StationBand> &bands, double areaDistance);

// What "---" means in the table, and how the power column is rounded.
inline constexpr const char *kAllBandsNote =
    "\"---\": kein Wert (Wiesbeck: Band nicht in der Studie; Winkel: keine Winkeldaten für das Band; "
    "PEP: kein Grenzwert oder mehr als 1000000 W). PEP auf drei Stellen abgerundet.";

// The rows as lines with ";" between the columns: the command line's output and the saved file.
std::vector<std::string> AllBandsLines(const std::vector<std::vector<std::string>> &rows);
