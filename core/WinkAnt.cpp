#include "core/WinkAnt.h"

#include "util/ConvertError.h"
#include "util/DecimalText.h"
#include "util/NumRoutines.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <optional>

namespace {

const std::string kPolHeader = "[Polarisation]";
const std::string kRangeHeader = "[Bereich]";
const std::string kStepHeader = "[Schrittweite]";
const std::string kSectionHeader = "[MHz]";

bool startsWith(const std::string &line, const std::string &head)
{
    return line.rfind(head, 0) == 0;
}

// "Zeile 3: ", 1-based as an editor counts.
std::string at(size_t index) { return "Zeile " + std::to_string(index + 1) + ": "; }

struct HeaderLine {
    std::string value;
    size_t index = 0;
};

// The value of the last line carrying the header: the text after the header and one
// separator character (blank, colon, equals sign ...).
std::optional<HeaderLine> headerValue(const std::vector<std::string> &lines, const std::string &header)
{
    std::optional<HeaderLine> value;
    for (size_t i = 0; i < lines.size(); ++i)
        if (startsWith(lines[i], header))
            value = HeaderLine{DropHead(lines[i], CharCount(header) + 1), i};
    return value;
}

HeaderLine requiredHeader(const std::vector<std::string> &lines, const std::string &header)
{
    auto value = headerValue(lines, header);
    if (!value)
        throw ConvertError("Die Angabe " + header + " fehlt.");
    return *value;
}

int headerInt(const HeaderLine &header)
{
    auto n = TryStrictToInt(header.value);
    if (!n)
        throw ConvertError(at(header.index) + ConvertError::notAnInteger(header.value).what());
    return *n;
}

std::int16_t readStep(const std::vector<std::string> &lines)
{
    HeaderLine header = requiredHeader(lines, kStepHeader);
    int step = headerInt(header);
    // Zero or negative steps would stack every value on one angle or run backwards.
    if (step < 1 || step > kMaxAngle)
        throw ConvertError(at(header.index) + "Die Schrittweite '" + header.value
                           + "' ist ungültig; erlaubt sind ganze Zahlen von 1 bis "
                           + std::to_string(kMaxAngle) + " Grad.");
    return static_cast<std::int16_t>(step);
}

double number(const std::string &text, size_t index)
{
    auto value = TryTolerantToFloat(text);
    if (!value)
        throw ConvertError(at(index) + ConvertError::notAFloat(text).what());
    return *value;
}

struct SectionHead {
    char polarisation = 0; // 0 when the polarisation text is empty
    double frequency = 0;
};

SectionHead parseSectionHead(const std::string &line, size_t index, const std::string &polText)
{
    std::vector<std::string> fields = SplitText(line, ',');
    auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : std::string(); };
    SectionHead head;
    std::string second = field(1);
    std::string frequency;
    if (!second.empty() && (second[0] == 'v' || second[0] == 'h')) {
        head.polarisation = second[0];
        frequency = field(2);
        number(field(3), index); // required, not evaluated
    } else {
        head.polarisation = polText.empty() ? 0 : polText[0];
        frequency = second;
        number(field(2), index); // required, not evaluated
    }
    head.frequency = number(frequency, index);
    if (head.frequency != 0 && !range::kFrequency.contains(head.frequency))
        throw ConvertError(at(index) + "Die Frequenz '" + frequency + "' liegt nicht zwischen "
                           + range::kFrequency.betweenText() + " (0 gilt für alle Bänder).");
    return head;
}

std::vector<double> sectionValues(const std::string &line, size_t index)
{
    std::vector<double> values;
    for (const std::string &part : SplitText(line, ',')) {
        double value = number(part, index);
        if (!range::kAttenuation.contains(value))
            throw ConvertError(at(index) + "Die Dämpfung '" + part + "' liegt nicht zwischen "
                               + range::kAttenuation.betweenText() + ".");
        values.push_back(value);
    }
    return values;
}

bool sectionFitsBand(double frequency, BandIndex band)
{
    if (frequency == 0)
        return true;
    if (band < 1 || band > kBandCount)
        return false;
    return WithinPercent(10, BandCenter(band), frequency);
}

} // namespace

std::string AngleFileName(const std::string &path)
{
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

TWinkAnt TWinkAnt::FromFile(const std::string &path, BandIndex band)
{
    return AngleFileSections::FromFile(path).ForBand(band);
}

TWinkAnt TWinkAnt::FromLines(const std::vector<std::string> &lines, const std::string &name, BandIndex band)
{
    return AngleFileSections::FromLines(lines, name).ForBand(band);
}

AngleFileSections AngleFileSections::FromFile(const std::string &path)
{
    std::vector<std::string> lines = ReadTextLines(path);
    try {
        return FromLines(lines, AngleFileName(path));
    } catch (const ConvertError &e) {
        throw ConvertError("Fehler in der Winkeldatei " + path + ":\r\n" + e.what());
    }
}

AngleFileSections AngleFileSections::FromLines(const std::vector<std::string> &rawLines, const std::string &name)
{
    AngleFileSections file;
    file.Name = name;

    std::vector<std::string> lines;
    lines.reserve(rawLines.size());
    for (const std::string &line : rawLines)
        lines.push_back(RemoveQuotes(line));

    std::string polText = headerValue(lines, kPolHeader).value_or(HeaderLine{}).value;
    headerInt(requiredHeader(lines, kRangeHeader)); // must be an integer, not evaluated
    std::int16_t step = readStep(lines);

    // The first line is never a section header.
    std::vector<size_t> heads;
    for (size_t i = 1; i < lines.size(); ++i)
        if (startsWith(lines[i], kSectionHeader))
            heads.push_back(i);

    // Every section is checked, whichever band it is for: a file is sound or it is not.
    const size_t maxValues = static_cast<size_t>(kMaxAngle / step) + 1;
    for (size_t s = 0; s < heads.size(); ++s) {
        SectionHead head = parseSectionHead(lines[heads[s]], heads[s], polText);
        size_t end = s + 1 < heads.size() ? heads[s + 1] : lines.size();

        Section section;
        section.polarisation = head.polarisation;
        section.frequency = head.frequency;
        for (size_t i = heads[s] + 1; i < end; ++i) {
            if (Trim(lines[i]).empty())
                continue;
            std::vector<double> lineValues = sectionValues(lines[i], i);
            section.values.insert(section.values.end(), lineValues.begin(), lineValues.end());
            if (section.values.size() > maxValues)
                throw ConvertError(at(i) + "Der Abschnitt '" + lines[heads[s]]
                                   + "' hat mehr Werte als Winkel bis " + std::to_string(kMaxAngle)
                                   + " Grad.");
        }
        file.sections.push_back(std::move(section));
    }

    file.Polarisation = polText;
    file.Schrittweite = step;
    return file;
}

TWinkAnt AngleFileSections::ForBand(BandIndex band) const
{
    TWinkAnt data;
    data.Name = Name;
    // Later sections for the same polarisation replace earlier ones.
    for (const Section &section : sections) {
        if (!sectionFitsBand(section.frequency, band))
            continue;
        std::vector<std::int16_t> angles;
        angles.reserve(section.values.size());
        for (size_t k = 0; k < section.values.size(); ++k)
            angles.push_back(static_cast<std::int16_t>(static_cast<int>(k) * Schrittweite));

        if (section.polarisation == 'v') {
            data.WinkelV = std::move(angles);
            data.DaempfungV = section.values;
        } else if (section.polarisation == 'h') {
            data.WinkelH = std::move(angles);
            data.DaempfungH = section.values;
        }
    }
    data.Polarisation = Polarisation;
    data.Schrittweite = Schrittweite;
    return data;
}

int InitialPolChoice(const std::string &polarisation)
{
    return polarisation.find('v') == std::string::npos ? 1 : 0;
}

int CorrectPolChoice(int requested, const std::string &polarisation)
{
    int choice = requested;
    if (choice == 0 && polarisation.find('v') == std::string::npos)
        choice = 1;
    if (choice == 1 && polarisation.find('h') == std::string::npos)
        choice = 0;
    return choice;
}

AngleTable CalculateAngleTable(const TWinkAnt *angleData, int polChoice,
                               const FarFieldResult &result)
{
    AngleTable table;
    if (angleData == nullptr)
        return table;
    const bool horizontal = polChoice == 1;
    table.Angles = horizontal ? angleData->WinkelH : angleData->WinkelV;
    table.Attenuations = horizontal ? angleData->DaempfungH : angleData->DaempfungV;
    // Both lists come from one section; never index past the shorter one.
    size_t n = std::min(table.Angles.size(), table.Attenuations.size());
    table.Angles.resize(n);
    table.Attenuations.resize(n);
    table.EirpByAngle.reserve(n);
    table.DistanceByAngle.reserve(n);
    for (double attenuation : table.Attenuations) {
        double k = DbToFactor(-attenuation);
        table.EirpByAngle.push_back(k * result.EIRP);
        table.DistanceByAngle.push_back(FarFieldDistance(result.ELimit, k * result.AveragedEIRP)
                                        * result.SafetyFieldFactor);
    }
    return table;
}

AngleGrid AngleGridRows(const AngleTable &table)
{
    size_t n = std::min({table.Angles.size(), table.Attenuations.size(), table.EirpByAngle.size(),
                         table.DistanceByAngle.size()});
    AngleGrid grid;
    grid.reserve(n + 1);
    grid.push_back(SplitText("Winkel;Dämpfung;EIRP;Abst. PS", ';'));
    for (size_t i = 0; i < n; ++i)
        grid.push_back({FormatInt("%5d", table.Angles[i]),
                        FormatValue("%7.2f", table.Attenuations[i]),
                        FormatValue("%7.2f", table.EirpByAngle[i]),
                        FormatValue("%7.2f", table.DistanceByAngle[i])});
    return grid;
}

std::vector<std::string> AngleExportLines(const AngleGrid &grid)
{
    std::vector<std::string> lines;
    lines.reserve(grid.size());
    for (const auto &row : grid) {
        std::string line;
        for (const std::string &cell : row)
            line += PadLeft(cell, 9) + " ;";
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string AngleCopyText(const AngleGrid &grid)
{
    std::string text;
    for (const auto &row : grid) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += '\t';
            text += row[c];
        }
        text += "\r\n";
    }
    return text;
}
