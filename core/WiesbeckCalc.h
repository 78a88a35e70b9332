#pragma once

// The Wiesbeck near-field safety distance of the station, its result texts and the inverse
// search for the transmitter power that keeps a wanted distance. Tables and lookups live in
// core/WiesbeckLib.h; the window only gathers the inputs and shows the texts.

#include "core/BandPlan.h"
#include "core/WiesbeckLib.h"

#include <functional>
#include <optional>
#include <string>

inline constexpr double kDefaultFsi = 1.4142; // the study's safety factor, sqrt(2)

struct WiesInput {
    WiesAntIndex wiesAnt = 1;         // study antenna 1..11 (1 = Dipol)
    BandIndex band = 15;              // band of the working frequency, 0 = none
    double height = 10;               // m antenna height
    double AntennaInputPower = 0;     // W, PEP less the feed-line loss
    double DutyFactor = 1;            // F(B)
    double ModeFactor = 1;            // Fmod(Pers)
    double SafetyFieldFactor = 1;     // 10^(margin/20)
    double FSi = kDefaultFsi;          // safety factor of the study, >= 1
    bool useAltDirectivity = false;   // "abweichende Dir." ticked
    double AltDirectivity = 0;        // dBi of the antenna really used
    bool applyDuty = true;            // "RX TX" ticked
    bool applyMode = true;            // "Betriebsart" ticked
};

struct WiesResult {
    double Directivity = kNoValue;        // dBi of the study antenna, -99 = not studied
    double HeightGroundFactor = kNoValue; // "Faktor Höhe und Boden"
    double WiesEIRP = kNoValue;           // W, before any averaging factor
    double kFitPS = kNoValue;             // m, base distance at the averaged power
    double FSi = kDefaultFsi;
    double WiesAbstandPS = kNoValue;      // m, near-field safety distance; <= 0 = none
};

WiesResult WiesCalculate(const WiesInput &input);

// Near-field safety distance in m for the given antenna input power, all other inputs
// from `input`; -99 where the study has no value.
double WiesDistance(const WiesInput &input, double antennaInputPower);

// Captions the tab sets on every calculation (their odd spelling is the program's own).
inline constexpr const char *kWiesInfoCaption = "Informationen zur Wiebeckstudie";
inline constexpr const char *kWiesDistanceCaption = "Sicherheitsabstand (im Nahfeld gültig!)";
inline constexpr const char *kWiesHeightFactorLabel = "Faktor Höhe und Boden";

// Field texts of the tab, "---" for missing values; DirectivityUsed shows any number.
struct WiesTexts {
    std::string DirectivityUsed;
    std::string Directivity;
    std::string HeightGroundFactor;
    std::string WiesEIRP;
    std::string kFitPS;
    std::string FSi;
    std::string WiesAbstandPS;
};
WiesTexts FormatWies(const WiesResult &result, double altDirectivity);

// Inverse search: the highest of 333 evenly spaced PEP candidates (1 .. 1000 W) whose
// near-field distance still keeps the wanted distance.
constexpr int kWiesCandidateCount = 333;
double WiesCandidatePower(int k); // W, 1 + k * 999 / 332

enum class WiesPowerSearchStatus {
    Found,            // newPep holds the candidate before the first one that exceeds
    NotReached,       // even 1000 W keeps the distance (or no study data): PEP unchanged
    AlreadyAtOneWatt, // 1 W already exceeds the wanted distance: PEP unchanged
};

struct WiesPowerSearchResult {
    WiesPowerSearchStatus status = WiesPowerSearchStatus::NotReached;
    bool found = false;
    double newPep = 0; // W, only when found
};

// `base` supplies everything but the power; each candidate loses totalAttDb on the way to
// the antenna. processEvents runs before every candidate, traceLine gets one line per
// candidate that keeps the distance.
WiesPowerSearchResult
WiesPowerSearch(const WiesInput &base, double totalAttDb, double wantedDistance,
                const std::function<void()> &processEvents,
                const std::function<void(const std::string &)> &traceLine);

std::string WiesPowerTraceLine(double pep, double distance); // "%6.0f W ---> %6.3f m "
std::string WiesNewPepTrace(double pep);                     // "Neue PEP: %6.2f W"

// FSi typed into its dialog: tolerant reading, values below 1 raised to 1; nullopt when
// the text is no number.
std::optional<double> FsiFromTyped(const std::string &text);
bool FsiMarkedRed(double fsi); // below the recommended 1.41

// Text of the information memo, lines separated by CR LF.
extern const char *const kWiesInfoText;
