#include "core/FarField.h"

#include "util/DecimalText.h"
#include "util/TextRoutines.h"

#include <algorithm>
#include <cmath>

std::string ModeName(ModeType mode)
{
    const int n = static_cast<int>(mode);
    if (n >= 1 && n <= 6)
        return kModeNames[n - 1];
    return "NV ";
}

std::string FactorSourceName(FactorSource source)
{
    switch (source) {
    case FactorSource::DKE:
        return "DKE";
    case FactorSource::BNetzA:
        return "BNetzA";
    case FactorSource::FmodPers:
        return "FmodPers";
    default:
        return "";
    }
}

double ModeFactorOf(ModeType mode, const std::string &sourceName)
{
    const bool dke = EqualsIgnoreCase(sourceName, "DKE");
    const bool bnetza = EqualsIgnoreCase(sourceName, "BNetzA");
    switch (mode) {
    case ModeType::CW:
    case ModeType::SSB:
        return dke ? 0.5 : 1.0;
    case ModeType::AM:
    case ModeType::TV:
        return dke || bnetza ? 0.38 : 1.0;
    default: // FM, Alle, nothing selected
        return 1.0;
    }
}

double DutyFactorOf(DutyChoice duty, double freeDutyFactor)
{
    switch (duty) {
    case DutyChoice::TX6RX0:
        return 1.0;
    case DutyChoice::TX5RX1:
        return 5.0 / 6.0;
    case DutyChoice::TX4RX2:
        return 4.0 / 6.0;
    case DutyChoice::TX3RX3:
        return 0.5;
    case DutyChoice::TX2RX4:
        return 1.0 / 3.0;
    case DutyChoice::Free:
        return freeDutyFactor;
    default:
        return 1.0;
    }
}

Factors CalculateFactors(ModeType mode, FactorSource source, DutyChoice duty, double freeDutyFactor)
{
    Factors f;
    f.ModeFactor = ModeFactorOf(mode, FactorSourceName(source));
    f.DutyFactor = DutyFactorOf(duty, freeDutyFactor);
    f.TotalFactor = f.DutyFactor * f.ModeFactor;
    return f;
}

double FarFieldDistance(double eLimit, double averagedEirp)
{
    if (eLimit > 0)
        return std::sqrt(30 * averagedEirp) / eLimit;
    return kNoValue;
}

double PowerForFarFieldDistance(double distance, double eLimit)
{
    return (distance * eLimit) * (distance * eLimit) / 30;
}

FarFieldResult CalculateFarField(const FarFieldInput &input, const Factors &factors)
{
    FarFieldResult r;
    r.ModeFactor = factors.ModeFactor;
    r.DutyFactor = factors.DutyFactor;
    r.TotalFactor = factors.TotalFactor;
    r.SafetyFieldFactor = std::pow(10.0, input.marginDb / 20);
    if (input.fixedFrequencyMode) {
        r.ELimit = ELimitByFrequency(input.frequency);
        r.HLimit = HLimitByFrequency(input.frequency);
        r.effectiveBand = std::max<BandIndex>(0, BandOfFrequency(input.frequency));
        r.workingFrequency = input.frequency;
        r.NearFieldDistance = NearFieldBoundary(input.frequency);
    } else {
        r.ELimit = ELimitByBand(input.band);
        r.HLimit = HLimitByBand(input.band);
        r.effectiveBand = input.band;
        r.workingFrequency = BandCenter(input.band);
        r.NearFieldDistance = NearFieldBoundaryByBand(input.band);
    }
    r.AntennaInputPower = input.power * std::pow(10.0, -input.totalAtt / 10);
    r.EIRP = r.AntennaInputPower * std::pow(10.0, input.gain / 10);
    r.ERP = r.EIRP / kDipoleGainFactor;
    r.AveragedEIRP = r.EIRP * r.TotalFactor;
    r.SafetyDistance = FarFieldDistance(r.ELimit, r.AveragedEIRP) * r.SafetyFieldFactor;
    return r;
}

double PowerForDistance(double distance, const FarFieldInput &input, const Factors &factors)
{
    double e = input.fixedFrequencyMode ? ELimitByFrequency(input.frequency) : ELimitByBand(input.band);
    if (e <= 0)
        return kNoValue; // without a limit no power gives a distance
    double safetyFieldFactor = std::pow(10.0, input.marginDb / 20);
    double averagedEirp = PowerForFarFieldDistance(distance / safetyFieldFactor, e);
    double eirp = averagedEirp / factors.TotalFactor;
    return eirp / (std::pow(10.0, -input.totalAtt / 10) * std::pow(10.0, input.gain / 10));
}

double PowerForEIRP(double eirp, const FarFieldInput &input)
{
    return (eirp / std::pow(10.0, input.gain / 10)) / std::pow(10.0, -input.totalAtt / 10);
}

double PowerForERP(double erp, const FarFieldInput &input)
{
    return PowerForEIRP(erp * kDipoleGainFactor, input);
}

FarFieldTexts FormatFarField(const FarFieldResult &r)
{
    FarFieldTexts t;
    t.ELimit = FormatPositive("%3.2f V/m", r.ELimit);
    t.HLimit = FormatPositive("%3.4f A/m", r.HLimit);
    t.AntennaInputPower = FormatValue("%3.2f W", r.AntennaInputPower);
    t.EIRP = FormatValue("%3.2f W", r.EIRP);
    t.ERP = FormatValue("%3.2f W", r.ERP);
    t.SafetyDistance = FormatPositive("%3.2f m", r.SafetyDistance);
    t.NearFieldDistance = FormatValue("%3.2f m", r.NearFieldDistance);
    t.ModeFactor = FactorText(r.ModeFactor);
    t.DutyFactor = FactorText(r.DutyFactor);
    t.TotalFactor = FactorText(r.TotalFactor);
    return t;
}

std::string GainText(double gain) { return FormatValue("%3.3f", gain); }
std::string PowerText(double power) { return FormatSigDigits(3, power); }
std::string FactorText(double factor) { return FormatValue("%3.2f", factor); }
