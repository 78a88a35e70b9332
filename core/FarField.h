#pragma once

// The far-field safety calculation: averaging factors, power chain, safety distance and
// near-field boundary of one station configuration, and the inverse computations.

#include "core/BandPlan.h"

#include <string>

// Entries of the main window's lists, in list order.
inline constexpr const char *kModeNames[] = {"CW", "SSB", "AM", "FM", "TV", "Alle"};
inline constexpr const char *kFactorSourceEntries[] = {
    "EN 50413 (Ausgabe 2013) und DKE K764-Empfehlung",
    "EN 50413 (Ausgabe 2008) und BNetzA-Anleitung",
    "Betriebsartenfaktor immer 1",
};
inline constexpr const char *kDutyEntries[] = {"TX6 RX0", "TX5 RX1", "TX4 RX2",
                                               "TX3 RX3", "TX2 RX4", "frei -->"};
constexpr int kFreeDutyChoice = 5; // list position of "frei -->"

// The choices behind the lists. The numbers are the list positions (mode: position + 1) that
// the configuration file stores; None = nothing chosen.
enum class ModeType { None = 0, CW, SSB, AM, FM, TV, Alle };
enum class FactorSource { None = -1, DKE = 0, BNetzA, FmodPers };
enum class DutyChoice { None = -1, TX6RX0 = 0, TX5RX1, TX4RX2, TX3RX3, TX2RX4, Free };
constexpr ModeType ModeAtPosition(int position) // RGMode position, -1 = none
{
    return position >= 0 && position < 6 ? static_cast<ModeType>(position + 1) : ModeType::None;
}
constexpr FactorSource FactorSourceAtPosition(int position)
{
    return position >= 0 && position < 3 ? static_cast<FactorSource>(position) : FactorSource::None;
}
constexpr DutyChoice DutyAtPosition(int position)
{
    return position >= 0 && position < 6 ? static_cast<DutyChoice>(position) : DutyChoice::None;
}
constexpr double kDipoleGainFactor = 1.64; // EIRP / ERP
constexpr double kDefaultFreeDuty = 0.167;  // free duty factor F(B) until one is typed
constexpr double kAutoTargetPower = 9.99;   // W: the EIRP and ERP double-clicks aim just below 10 W

struct FarFieldInput {
    bool fixedFrequencyMode = false;
    BandIndex band = 15;      // band mode
    double frequency = 0;     // MHz, fixed-frequency mode
    double power = 100;       // W PEP at the transmitter output
    double totalAtt = 0;      // dB between transmitter and antenna
    double gain = 0;          // dBi
    double marginDb = 0;      // personal safety margin, dB >= 0
};

struct Factors {
    double ModeFactor = 1;  // Fmod(Pers)
    double DutyFactor = 1;  // F(B)
    double TotalFactor = 1; // Fgesamt
};

struct FarFieldResult {
    double ELimit = kNoValue; // V/m, -99 = none
    double HLimit = kNoValue; // A/m, -99 = none
    double ModeFactor = 1;
    double DutyFactor = 1;
    double TotalFactor = 1;
    double SafetyFieldFactor = 1; // 10^(margin/20)
    double AntennaInputPower = 0; // W
    double EIRP = 0;              // W peak
    double ERP = 0;               // W peak, referred to the half-wave dipole
    double AveragedEIRP = 0;      // W, 6-minute mean
    double SafetyDistance = kNoValue; // m, negative = no limit
    double NearFieldDistance = 0;     // m
    BandIndex effectiveBand = 0;
    double workingFrequency = 0; // MHz
};

std::string ModeName(ModeType mode);              // "NV " for none
std::string FactorSourceName(FactorSource source); // "DKE", "BNetzA", "FmodPers"
double ModeFactorOf(ModeType mode, const std::string &sourceName);
double DutyFactorOf(DutyChoice duty, double freeDutyFactor);
Factors CalculateFactors(ModeType mode, FactorSource source, DutyChoice duty, double freeDutyFactor);

double FarFieldDistance(double eLimit, double averagedEirp);         // -99 without a limit
double PowerForFarFieldDistance(double distance, double eLimit);     // averaged EIRP for distance

FarFieldResult CalculateFarField(const FarFieldInput &input, const Factors &factors);

// Transmitter powers for a wanted quantity; -99 where none exists (no E limit).
double PowerForDistance(double distance, const FarFieldInput &input, const Factors &factors);
double PowerForEIRP(double eirp, const FarFieldInput &input);
double PowerForERP(double erp, const FarFieldInput &input);

// The result texts as the main window and the printout show them.
struct FarFieldTexts {
    std::string ELimit, HLimit;
    std::string AntennaInputPower, EIRP, ERP;
    std::string SafetyDistance, NearFieldDistance;
    std::string ModeFactor, DutyFactor, TotalFactor;
};
FarFieldTexts FormatFarField(const FarFieldResult &result);
std::string GainText(double gain);   // "%3.3f"
std::string PowerText(double power); // three significant digits
std::string FactorText(double factor); // "%3.2f"

