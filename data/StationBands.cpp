// The main window's band change without the window: the same core calls in the same order.
#include "data/StationBands.h"

#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <variant>

namespace
{

// The feed line at the band's lower edge; a cable that does not cover it falls back to RG58,
// and when not even RG58 does, no cable loss is counted (the safe side).
CableState cableAt(const StationInputs &in, BandIndex band, bool &unsuitable)
{
    CableState c;
    c.CableLength = in.cableLength;
    c.PlugAtt = in.plugAtt;
    c.AttFreq = BandLowerEdge(band);
    c.CableIndex = static_cast<short>(in.cableIndex);
    c.Att100 = c.CableIndex <= 0 ? in.ownAtt100 : CableAtt100(c.CableIndex, c.AttFreq);
    unsuitable = c.Att100 < 0;
    if (unsuitable && c.CableIndex != kCableRG58) {
        c.CableIndex = kCableRG58;
        c.Att100 = CableAtt100(kCableRG58, c.AttFreq);
    }
    if (c.Att100 >= 0) {
        c.lossKnown = true;
        c.CableAtt = c.Att100 * c.CableLength / 100;
        c.TotalAtt = c.PlugAtt + c.CableAtt;
    } else {
        c.lossKnown = false;
        c.CableAtt = 0;
        c.TotalAtt = c.PlugAtt;
    }
    return c;
}

// Angle files read once for the whole table; an unreadable one keeps its message.
struct AngleFileCache {
    std::map<std::string, std::variant<AngleFileSections, std::string>> files;

    const std::variant<AngleFileSections, std::string> &get(const std::string &path)
    {
        auto found = files.find(path);
        if (found != files.end())
            return found->second;
        try {
            return files.emplace(path, AngleFileSections::FromFile(path)).first->second;
        } catch (const std::exception &e) {
            return files.emplace(path, std::string(e.what())).first->second;
        }
    }
};

StationBand calculateBand(const StationInputs &in, const TAntennen *catalogue, BandIndex band,
                          AngleFileCache &angleFiles)
{
    StationBand r;
    r.band = band;
    r.cable = cableAt(in, band, r.cableUnsuitable);
    r.factors = CalculateFactors(in.modeType, in.factorSource, in.dutyChoice, in.freeDuty);
    r.gain = in.typedGain;
    r.altDirectivity = in.altDirectivity;

    std::unique_ptr<TWinkAnt> angleData;
    int polChoice = 0;
    if (catalogue && !in.antennaName.empty()) {
        const AntennaSelection s = catalogue->Select(in.antennaName, in.manufacturer, BandCenter(band));
        r.antennaIndex = s.index;
        r.matchingLine = s.match;
        if (s.match >= 0) {
            // The window takes the gain as its field shows it, with three decimals.
            r.gain = TolerantToFloat(s.gainText);
            r.altDirectivity = r.gain;
            const auto i = static_cast<size_t>(s.index);
            const std::string path = in.angleDir + catalogue->Hersteller()[i] + " " + catalogue->Namen()[i] + ".ang";
            if (FileExists(path)) {
                const auto &file = angleFiles.get(path);
                if (const auto *sections = std::get_if<AngleFileSections>(&file)) {
                    angleData = std::make_unique<TWinkAnt>(sections->ForBand(band));
                    polChoice = InitialPolChoice(angleData->Polarisation);
                } else { // unreadable angle data count as absent
                    r.angleError = std::get<std::string>(file);
                }
            }
        } else {
            r.gain = 0; // no line for this band: the window forgets the gain
        }
    }

    FarFieldInput ff;
    ff.band = band;
    ff.frequency = BandCenter(band);
    ff.power = in.power;
    ff.totalAtt = r.cable.TotalAtt;
    ff.gain = r.gain;
    ff.marginDb = in.marginDb;
    r.farFieldInput = ff;
    r.farField = CalculateFarField(ff, r.factors);

    WiesInput w;
    w.wiesAnt = in.wiesAnt;
    w.band = r.farField.effectiveBand;
    w.height = in.height;
    w.AntennaInputPower = r.farField.AntennaInputPower;
    w.DutyFactor = r.farField.DutyFactor;
    w.ModeFactor = r.farField.ModeFactor;
    w.SafetyFieldFactor = r.farField.SafetyFieldFactor;
    w.FSi = in.fsi;
    w.useAltDirectivity = in.useAltDirectivity;
    w.AltDirectivity = r.altDirectivity;
    w.applyDuty = in.wiesApplyDuty;
    w.applyMode = in.wiesApplyMode;
    r.wies = WiesCalculate(w);

    r.angleDataPresent = angleData != nullptr;
    r.angles = CalculateAngleTable(angleData.get(), polChoice, r.farField);
    return r;
}

} // namespace

StationBand CalculateStationBand(const StationInputs &in, const TAntennen *catalogue, BandIndex band)
{
    AngleFileCache angleFiles;
    return calculateBand(in, catalogue, band, angleFiles);
}

std::vector<StationBand> CalculateAllBands(const StationInputs &in, const TAntennen *catalogue)
{
    const bool chosen =
        catalogue && !in.antennaName.empty() && catalogue->IndexOf(in.antennaName, in.manufacturer) != kNoAntenna;
    std::vector<StationBand> bands;
    AngleFileCache angleFiles;
    for (BandIndex b = 1; b <= kSelectableBands; ++b) {
        StationBand r = calculateBand(in, chosen ? catalogue : nullptr, b, angleFiles);
        if (!chosen || r.matchingLine >= 0)
            bands.push_back(std::move(r));
    }
    return bands;
}

double MaxPowerForDistance(const StationBand &band, double areaDistance)
{
    if (!(areaDistance > 0))
        return kNoValue;
    const double p = PowerForDistance(areaDistance, band.farFieldInput, band.factors);
    return p > 0 && range::kPower.contains(p) ? p : kNoValue;
}

std::vector<std::string> AllBandsHeading(double areaDistance)
{
    return {"Band",
            "Frequenz\n(MHz)",
            "Gewinn\n(dBi)",
            "Dämpfung\n(dB)",
            "EIRP",
            "E-Grenz-\nwert",
            "Sicherheits-\nabstand",
            "Nahfeld-\ngrenze",
            "Abstand\nWiesbeck",
            "größter\nAbstand\nWinkel",
            "größte PEP\nbei " + FormatValue("%3.2f m", areaDistance)};
}

std::vector<std::vector<std::string>> AllBandsRows(const std::vector<StationBand> &bands, double areaDistance)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> heading = AllBandsHeading(areaDistance);
    for (std::string &h : heading) {
        for (size_t brk = h.find('\n'); brk != std::string::npos; brk = h.find('\n', brk)) {
            if (brk > 0 && h[brk - 1] == '-') // a word broken at its hyphen joins again
                h.erase(--brk, 2);
            else
                h[brk] = ' ';
        }
    }
    rows.push_back(std::move(heading));
    for (const StationBand &b : bands) {
        const FarFieldTexts t = FormatFarField(b.farField);
        const auto &d = b.angles.DistanceByAngle;
        const std::string angle =
            b.angleDataPresent && !d.empty() ? FormatValue("%3.2f m", *std::max_element(d.begin(), d.end())) : "---";
        const double pep = MaxPowerForDistance(b, areaDistance);
        // Three digits as the power field shows them, but cut, never rounded up past the limit.
        const double digit = pep > 0 ? std::pow(10.0, std::floor(std::log10(pep)) - 2) : 1;
        rows.push_back({BandName(b.band), FormatValue("%3.3f", b.farField.workingFrequency), GainText(b.gain),
                        FormatValue("%3.2f", b.cable.TotalAtt), t.EIRP, t.ELimit, t.SafetyDistance, t.NearFieldDistance,
                        FormatWies(b.wies, b.altDirectivity).WiesAbstandPS, angle,
                        pep > 0 ? PowerText(std::floor(pep / digit) * digit) + " W" : "---"});
    }
    return rows;
}

std::vector<std::string> AllBandsLines(const std::vector<std::vector<std::string>> &rows)
{
    std::vector<std::string> lines;
    lines.reserve(rows.size());
    for (const auto &row : rows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i)
            line += (i ? ";" : "") + row[i];
        lines.push_back(std::move(line));
    }
    return lines;
}
