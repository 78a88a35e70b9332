#include "data/OwnAntenna.h"

#include "data/AntennenLib.h"
#include "data/DataFile.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <algorithm>

namespace
{

std::string withPoint(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

// A comma in a name would shift every field behind it: frequencies would be read as gains.
std::string withoutComma(std::string text)
{
    std::replace(text.begin(), text.end(), ',', ';');
    return text;
}

std::string memoLine(const std::string &a, const std::string &b, const std::string &c)
{
    return FormatText("%5s", a) + " " + FormatText("%5s", b) + " " + FormatText("%5s", c);
}

} // namespace

OwnAntennaLine MakeOwnAntennaLine(const std::string &frequency, const std::string &gain, const std::string &elements)
{
    return OwnAntennaLine{withPoint(frequency), withPoint(gain), withPoint(elements)};
}

std::optional<std::string> OwnAntennaLineRefusal(const OwnAntennaLine &line)
{
    if (!ReadCatalogueFrequency(line.frequency))
        return "Die Angabe „" + line.frequency + "“ im Feld „Frequenz [MHz]“ ist keine Zahl zwischen "
               + range::kFrequency.betweenText() + "!";
    if (!ReadCatalogueGain(line.gain))
        return "Die Angabe „" + line.gain + "“ im Feld „Gewinn [dBi]“ ist keine Zahl zwischen "
               + range::kGain.betweenText() + "!";
    return std::nullopt;
}

std::optional<std::string> OwnAntennaRefusal(const OwnAntenna &antenna)
{
    // The reader starts a section at a line beginning with "[": the antenna would vanish.
    if (!antenna.name.empty() && antenna.name[0] == '[')
        return "Der Eintrag „" + antenna.name + "“ im Feld „Name der Antenne“ darf nicht mit „[“ beginnen!";
    for (const OwnAntennaLine &line : antenna.lines)
        if (auto refusal = OwnAntennaLineRefusal(line))
            return refusal;
    return std::nullopt;
}

std::vector<std::string> OwnAntennaMemoLines(const std::vector<OwnAntennaLine> &lines)
{
    std::vector<std::string> memo{memoLine("f[MHz]", "G[dBi]", "#Elem.")};
    for (const OwnAntennaLine &l : lines)
        memo.push_back(memoLine(l.frequency, l.gain, l.elements));
    return memo;
}

std::string OwnAntennaCatalogueLine(const OwnAntenna &antenna)
{
    std::string line = withoutComma(antenna.name) + "," + withoutComma(antenna.type) + ",";
    for (const OwnAntennaLine &l : antenna.lines)
        line += l.frequency + "," + l.gain + "," + l.elements + ",";
    // A line break would split the catalogue line, and below the section header.
    return OneLine(line + "#");
}

void FileOwnAntenna(const std::string &userCatalogue, const OwnAntenna &antenna)
{
    if (auto refusal = OwnAntennaRefusal(antenna))
        throw FileError(*refusal);
    std::string category = OneLine(antenna.category);
    TDataFile file(userCatalogue);
    // Without a user catalogue yet, the antenna starts one.
    if (FileExists(userCatalogue))
        file.Load();
    if (!file.SectionExists(category))
        file.AddSection(category);
    file.AddLine(category, OwnAntennaCatalogueLine(antenna));
    file.SaveAndClose();
}
