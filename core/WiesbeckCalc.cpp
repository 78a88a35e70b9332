#include "core/WiesbeckCalc.h"

#include "util/DecimalText.h"
#include "util/NumRoutines.h"

#include <algorithm>
#include <cmath>

namespace {

double usedDirectivity(const WiesInput &in, double studyDirectivity)
{
    return in.useAltDirectivity ? in.AltDirectivity : studyDirectivity;
}

// The selected averaging factors bring the peak input power down to the 6-minute mean.
double averagedPower(const WiesInput &in, double antennaInputPower)
{
    double pa = antennaInputPower;
    if (in.applyDuty)
        pa *= in.DutyFactor;
    if (in.applyMode)
        pa *= in.ModeFactor;
    return pa;
}

} // namespace

double WiesDistance(const WiesInput &input, double antennaInputPower)
{
    const double directivity = WiesDirectivity(input.wiesAnt, input.band);
    const double dirCorr = WiesDirCorrection(usedDirectivity(input, directivity), directivity);
    const double pa = averagedPower(input, antennaInputPower);
    const double base = WiesBaseDistance(input.wiesAnt, input.band, pa, input.height, input.FSi);
    // Two missing values must not multiply into a positive distance.
    if (base == kNoValue || dirCorr == kNoValue)
        return kNoValue;
    return base * (input.SafetyFieldFactor * dirCorr);
}

WiesResult WiesCalculate(const WiesInput &input)
{
    WiesResult r;
    r.Directivity = WiesDirectivity(input.wiesAnt, input.band);
    const double used = usedDirectivity(input, r.Directivity);
    r.HeightGroundFactor = WiesHeightFactor(input.band, input.height);
    // An unstudied antenna has no directivity to form an EIRP from; 10^(-9.9) W would
    // show as a plausible-looking 0,00.
    const bool noDirectivity = !input.useAltDirectivity && r.Directivity == kNoValue;
    r.WiesEIRP = noDirectivity ? kNoValue : DbToFactor(used) * input.AntennaInputPower;
    r.WiesAbstandPS = WiesDistance(input, input.AntennaInputPower);
    r.kFitPS = WiesKFitAtPower(input.wiesAnt, input.band,
                               averagedPower(input, input.AntennaInputPower));
    r.FSi = input.FSi;
    return r;
}

WiesTexts FormatWies(const WiesResult &result, double altDirectivity)
{
    WiesTexts t;
    t.DirectivityUsed = FormatValue("%3.2f", altDirectivity);
    t.Directivity = FormatPositive("%3.2f", result.Directivity);
    t.HeightGroundFactor = FormatPositive("%3.2f", result.HeightGroundFactor);
    t.WiesEIRP = FormatPositive("%3.2f", result.WiesEIRP);
    t.kFitPS = FormatPositive("%3.2f", result.kFitPS);
    t.FSi = FormatPositive("%6.4f", result.FSi);
    t.WiesAbstandPS = FormatPositive("%3.2f m", result.WiesAbstandPS);
    return t;
}

double WiesCandidatePower(int k) { return 1 + k * 999.0 / (kWiesCandidateCount - 1); }

WiesPowerSearchResult
WiesPowerSearch(const WiesInput &base, double totalAttDb, double wantedDistance,
                const std::function<void()> &processEvents,
                const std::function<void(const std::string &)> &traceLine)
{
    const double lossFactor = std::pow(10.0, -totalAttDb / 10);
    WiesPowerSearchResult result;
    for (int k = 0; k < kWiesCandidateCount; ++k) {
        if (processEvents)
            processEvents();
        const double pep = WiesCandidatePower(k);
        const double distance = WiesDistance(base, pep * lossFactor);
        if (distance > wantedDistance) {
            if (k == 0) {
                // No smaller candidate exists; keeping the PEP is the only safe answer.
                result.status = WiesPowerSearchStatus::AlreadyAtOneWatt;
                return result;
            }
            result.status = WiesPowerSearchStatus::Found;
            result.found = true;
            result.newPep = WiesCandidatePower(k - 1);
            return result;
        }
        if (traceLine)
            traceLine(WiesPowerTraceLine(pep, distance));
    }
    result.status = WiesPowerSearchStatus::NotReached;
    return result;
}

std::string WiesPowerTraceLine(double pep, double distance)
{
    return FormatValue("%6.0f W ---> ", pep) + FormatValue("%6.3f m ", distance);
}

std::string WiesNewPepTrace(double pep) { return FormatValue("Neue PEP: %6.2f W", pep); }

std::optional<double> FsiFromTyped(const std::string &text)
{
    const std::optional<double> value = TryTolerantToFloat(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return std::max(*value, 1.0);
}

bool FsiMarkedRed(double fsi) { return fsi < 1.41; }

const char *const kWiesInfoText =
    "Die Wiesbeck-Studie der RegTP\r\n"
    "\r\n"
    "Die Regulierungsbehörde hat die Studie in Auftrag gegeben, weil ein Nachweis im "
    "Nahfeld vor allem auf den langwelligen Bändern nötig wird. Wer die Sicherheitsabstände "
    "aus der Studie übernimmt, braucht keine eigene Nahfeldanalyse und erfüllt die "
    "Anforderungen der BEMFV auf dem einfachsten Weg.\r\n"
    "\r\n"
    "Dabei ist zu beachten:\r\n"
    "1. Die Abstände fallen eher groß aus, weil die Studie mehrere Sicherheitsfaktoren "
    "übereinander anwendet.\r\n"
    "2. Untersucht wurden nur wenige Amateurfunkantennen; sie sind alle auf dieser Seite "
    "aufgeführt. Für eine andere Antenne wählt man eine ähnliche Antenne der Studie und "
    "trägt den Gewinn der tatsächlichen Antenne als \"abweichende Directivity\" ein.\r\n"
    "3. Ergebnisse gibt es nur für ausgewählte Bänder.\r\n"
    "\r\n"
    "Die Studie hilft in vielen Fällen weiter. Reicht sie nicht aus, bleiben eine Messung "
    "oder eine Simulation des Nahfelds notwendig.";
