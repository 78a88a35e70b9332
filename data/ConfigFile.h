#pragma once

// The station configuration file: 19 lines, each a 25-character label and the value.
// Reading goes by line position only; the labels are for people.
//
// The main window hands its control texts over as a StationConfig, and on opening takes back
// an OpenedConfig: either the whole file checked, or one message and nothing else. Band,
// cable, Wiesbeck antenna and catalogue entry are looked up by the window in its lists; their
// names come back as text.

#include "util/Messages.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kConfigLineCount = 19;
inline constexpr int kConfigLabelLength = 25;
extern const std::array<std::string, kConfigLineCount> kConfigLabels; // UTF-8, 25 characters each

inline constexpr const char *kOtherCable = "Anderes Kabel"; // cable list entry 0, own attenuation

// The 19 values as the main window's controls hold them.
struct StationConfig {
    std::string callsign;               // 0  EditCall
    bool fixedFrequency = false;        // 1  fixed-frequency mode
    std::string bandOrFrequency = "2m"; // 1  CBBand entry, or the EditFreq text in fixed-frequency mode
    std::string antennaName;            // 2  name of the taken catalogue entry
    std::string manufacturer;           // 2  manufacturer selected in the catalogue list
    std::string height = "10";          // 3  EditHoehe, m
    std::string power = "100";          // 4  EditPower, W PEP
    std::string mode = "SSB";           // 5  ModeName of the selected mode ("NV " for none)
    int dutyChoice = 0;                 // 6  RGDutyCycle position 0..5
    std::string freeDuty = "0,167";     // 7  EditfreeTXRX
    int factorSource = 1;               // 8  RGFCCBNetzA position 0..2
    std::string cable;                  // 9  CLBCable entry text
    std::string cableAtt100;            // 9  EditCableAtt100, dB/100 m; stored only with kOtherCable
    std::string cableLength = "10,00";  // 10 EditCableLength, m
    std::string otherAtt = "0,30";      // 11 EditPlugAtt, dB
    std::string safetyMargin = "0 dB";  // 12 EditmySafetyFactor, number + " dB"
    std::string wiesAntenna;            // 13 LBWiesAnt entry
    std::string directivity = "0,00";   // 14 EditDirectivityUsed, dBi
    bool wiesMeanRxTx = true;           // 15 CBWiesRXTX
    bool wiesMeanMode = true;           // 16 CBWiesMode
    bool wiesAltDirectivity = false;    // 17 CBabwDir
    std::string fsi = "1,4142";         // 18 EditFSi

    bool operator==(const StationConfig &) const = default;
};

// Position of the trimmed text in "PS", "CW", "SSB", "AM", "FM", "TV", "GSM", "DTX", "Alle"
// (exact case), 0..8; -99 if absent.
int ModeIndexOfName(const std::string &text);
// RGMode position for a saved mode name: "CW".."TV" their entries, "GSM", "DTX" and "Alle"
// the entry "Alle", anything else -1 (no mode, mode factor 1).
int ModePositionOfName(const std::string &text);

// The rules of the two factor dialogs, also applied to the values of an opened file.
// Free duty factor: above 1 gives "1,0", below 0,04 "0,04", no number "0,167", otherwise the
// value in its normalised text ("0.25" gives "0,25").
std::string FreeDutyFactorText(const std::string &typed);
// Personal safety margin: negative or no number gives "0 dB", otherwise the normalised value
// and " dB". A trailing "dB" on the typed text is ignored. A number above the margin range
// (util/ValueRanges.h) gives nullopt: refused, not replaced.
std::optional<std::string> SafetyMarginText(const std::string &typed);

// Band list position (0 = "LW") of a band name, compared without regard to case; -1 if the
// band list has no such entry.
int BandListPosition(const std::string &bandName);

// The 19 lines of the file, labels included. Line breaks inside a value become blanks, so a
// value can never push the following lines out of place.
std::vector<std::string> ConfigLines(const StationConfig &config);

inline constexpr const char *kSaveRefusedMessage = "Antenne passt nicht zur Frequenz! Speicherung nicht möglich!";

// Speichern: refused with the warning kSaveRefusedMessage (returns false, nothing written)
// when the chosen antenna has no line for the frequency (matchingLine -1). Otherwise writes
// the file atomically and returns true; the caller then sets LastSavedFileName.
// Throws FileError when writing fails; the previous file is then unchanged.
bool SaveStationConfig(const std::string &path, const StationConfig &config, int matchingLine);

// What the window takes over from an opened file: the control texts and the numbers read from them.
struct OpenedConfig {
    StationConfig texts;             // freeDuty and safetyMargin pass the dialogs' rules; fsi is "%6.4f"
    double height = 0;               // m, >= 0
    double power = 0;                // W, >= 0
    std::optional<double> frequency; // MHz in fixed-frequency mode; unset: texts.bandOrFrequency names the band
    int modePosition = -1;           // RGMode position, -1 = none
    double freeDutyFactor = 0.167;
    double safetyMarginDb = 0;
    double directivity = 0;    // dBi, the deviating directivity
    std::optional<double> fsi; // >= 1; unset when line 18 holds no number: keep the current FSi
};

struct ConfigOpenResult {
    std::optional<OpenedConfig> config; // set only when the whole file passed its checks
    MessageKind kind = MessageKind::Error;
    std::string message; // why the file was not loaded, ready to show
    bool ok() const { return config.has_value(); }
};

// Answers whether the catalogue holds an antenna of that name and manufacturer.
using AntennaLookup = std::function<bool(const std::string &name, const std::string &manufacturer)>;

// Oeffnen without the window: checks height, power, frequency, antenna, the integer and flag
// lines and the deviating directivity, and returns all values or the first failure. With a
// lookup, an antenna missing from the catalogue is a failure too (and a value holding several
// ";" is split where the catalogue knows the pair).
ConfigOpenResult ParseStationConfig(const std::vector<std::string> &lines, const AntennaLookup &known = {});
// Reads the file (Windows-1252 or UTF-8) and parses it; a file that cannot be read is a failure.
ConfigOpenResult OpenStationConfig(const std::string &path, const AntennaLookup &known = {});
