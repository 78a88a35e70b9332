// The station model's band change on every band.
#include "data/StationBands.h"

#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

// The table is computed without a word to the user: what a band lacks shows as "---".
class QuietMessages {
public:
    QuietMessages() : previous_(SetMessageSink([](MessageKind, const std::string &) {})) {}
    ~QuietMessages() { SetMessageSink(std::move(previous_)); }

private:
    MessageSink previous_;
};

std::shared_ptr<const TAntennen> borrowed(const TAntennen *catalogue)
{
    return std::shared_ptr<const TAntennen>(std::shared_ptr<const TAntennen>(), catalogue);
}

StationModel modelOnBand(const StationInputs &in, const std::shared_ptr<const TAntennen> &catalogue, BandIndex band,
                         const std::shared_ptr<AngleFileCache> &angleFiles)
{
    StationModel m = StationModel::FromInputs(in, catalogue, band - 1);
    m.shareAngleFiles(angleFiles);
    m.CBBandChange(band - 1);
    if (!(catalogue && !in.antennaName.empty()))
        m.takeGain(in.typedGain); // without a catalogue antenna every band takes the typed gain
    return m;
}

StationBand calculateBand(const StationInputs &in, const std::shared_ptr<const TAntennen> &catalogue, BandIndex band,
                          const std::shared_ptr<AngleFileCache> &angleFiles)
{
    const StationModel m = modelOnBand(in, catalogue, band, angleFiles);
    const bool chosen = catalogue && !in.antennaName.empty();

    StationBand r;
    r.band = band;
    r.cable = m.cableState();
    r.cableUnsuitable = r.cable.CableIndex != in.cableIndex || !r.cable.lossKnown;
    r.factors = m.factors();
    if (chosen)
        r.antennaIndex = catalogue->IndexOf(in.antennaName, in.manufacturer);
    r.matchingLine = chosen ? m.matchingLine() : kNoMatchLine;
    r.gain = m.gain();
    r.altDirectivity = m.altDirectivity();
    r.farFieldInput.band = band;
    r.farFieldInput.frequency = m.workingFrequency();
    r.farFieldInput.power = m.power();
    r.farFieldInput.totalAtt = r.cable.TotalAtt;
    r.farFieldInput.gain = r.gain;
    r.farFieldInput.marginDb = in.marginDb;
    r.farField = m.farField();
    r.wies = m.wiesResult();
    r.angleDataPresent = m.angleDataPresent();
    r.angleError = m.angleError();
    r.angles = m.angleTable();
    return r;
}

} // namespace

StationBand CalculateStationBand(const StationInputs &in, const TAntennen *catalogue, BandIndex band)
{
    const QuietMessages quiet;
    return calculateBand(in, borrowed(catalogue), band, std::make_shared<AngleFileCache>());
}

StationModel StationModelOnBand(const StationInputs &in, const TAntennen *catalogue, BandIndex band)
{
    return modelOnBand(in, borrowed(catalogue), band, std::make_shared<AngleFileCache>());
}

std::vector<StationBand> CalculateAllBands(const StationInputs &in, const TAntennen *catalogue)
{
    const QuietMessages quiet;
    const bool chosen =
        catalogue && !in.antennaName.empty() && catalogue->IndexOf(in.antennaName, in.manufacturer) != kNoAntenna;
    std::vector<StationBand> bands;
    const auto angleFiles = std::make_shared<AngleFileCache>();
    const auto shared = borrowed(chosen ? catalogue : nullptr);
    for (BandIndex b = 1; b <= kSelectableBands; ++b) {
        StationBand r = calculateBand(in, shared, b, angleFiles);
        if (!chosen || r.matchingLine >= 0)
            bands.push_back(std::move(r));
    }
    return bands;
}

std::vector<StationBand> CalculateAllBands(const StationModel &station)
{
    return CalculateAllBands(station.stationInputs(), station.catalogue());
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
