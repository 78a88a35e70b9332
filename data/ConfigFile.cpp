#include "data/ConfigFile.h"

#include "core/BandPlan.h"
#include "core/FarField.h"
#include "util/ConvertError.h"
#include "util/DecimalText.h"
#include "util/NumRoutines.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <charconv>
#include <cmath>

const std::array<std::string, kConfigLineCount> kConfigLabels = {
    "Rufzeichen..............>", "Band/Frequenz...........>", "Antenne.................>", "Höhe [m]................>",
    "Leistung [W]............>", "Betriebsart.............>", "TXRX-Intervall..........>", "TXRX-Individuell........>",
    "Betriebsartenfaktor.....>", "KabelTyp................>", "Kabellänge.[m]..........>", "sonst. Dämpfungen.[dB]..>",
    "Pers. Sich. Fakt........>", "Wiesbeck Antenne........>", "Wiesbeck abw. Dir.[dBi].>", "Wies. MW RXTX...........>",
    "Wies. MW Mode...........>", "Wies. alt Dir...........>", "Wies. Faktor Sicherheit.>",
};

namespace
{

constexpr int kDutyChoiceCount = 6;
constexpr int kFactorSourceCount = 3;
const std::string kNotLoaded = "\r\nDie Datei wurde nicht geladen!";

// The text a typed value is written back as: up to 15 significant digits, decimal comma.
// Rounding to 15 digits must not carry a value out of the double range: then the shortest
// text that reads back is taken.
std::string normalisedText(double x)
{
    if (x == 0)
        return "0";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 15);
    double back = 0;
    if (std::from_chars(buffer, result.ptr, back).ec != std::errc() || !std::isfinite(back))
        result = std::to_chars(buffer, buffer + sizeof buffer, x);
    std::string text(buffer, result.ptr);
    for (char &c : text) {
        if (c == '.')
            c = ',';
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

std::string flagText(bool on)
{
    return on ? "-1" : "0";
}

std::string choiceText(int position, const char *const *entries, int count)
{
    position = std::clamp(position, 0, count - 1);
    return FormatInt("%1d", position) + "    //" + entries[position];
}

ConfigOpenResult failure(MessageKind kind, const std::string &message)
{
    ConfigOpenResult result;
    result.kind = kind;
    result.message = message;
    return result;
}

// "Zeile 7 (TXRX-Intervall)": 1-based, as an editor counts, with the label's own words.
std::string lineRef(int line)
{
    std::string label = DropTail(kConfigLabels[static_cast<size_t>(line)], 1);
    while (!label.empty() && label.back() == '.')
        label.pop_back();
    return "Zeile " + std::to_string(line + 1) + " (" + label + ")";
}

// A number of the file outside its physical range: the opening stops at that line.
ConfigOpenResult outOfRange(int line, const std::string &value, const ValueRange &range)
{
    return failure(MessageKind::Warning, lineRef(line) + ": '" + value + "' liegt nicht zwischen "
                                             + range.betweenText() + ".\r\n" + kNotLoaded);
}

// A number the cable update reads later: not a number is left to that update, as before;
// a number outside the range stops the opening.
bool numberOutOfRange(const std::optional<double> &value, const ValueRange &range)
{
    return value && !range.contains(*value);
}

// A list position saved as its first character, limited to 0..count-1.
std::optional<int> readChoice(const std::string &value, int count)
{
    auto n = TryStrictToInt(HeadChars(value, 1));
    if (!n)
        return std::nullopt;
    return std::clamp(*n, 0, count - 1);
}

// "0" is off, any other integer on; the words True and False are taken too.
std::optional<bool> readFlag(const std::string &value)
{
    if (auto n = TryStrictToInt(value))
        return *n != 0;
    std::string t = Trim(value);
    if (EqualsIgnoreCase(t, "True"))
        return true;
    if (EqualsIgnoreCase(t, "False"))
        return false;
    return std::nullopt;
}

struct AntennaValue {
    std::string name, manufacturer;
};

// Name and manufacturer meet at a ";". With several of them, the split the catalogue knows
// wins; otherwise the first one, so a manufacturer may hold a ";".
std::optional<AntennaValue> splitAntenna(const std::string &value, const AntennaLookup &known)
{
    size_t first = value.find(';');
    if (first == std::string::npos)
        return std::nullopt;
    if (known)
        for (size_t at = first; at != std::string::npos; at = value.find(';', at + 1))
            if (known(value.substr(0, at), value.substr(at + 1)))
                return AntennaValue{value.substr(0, at), value.substr(at + 1)};
    return AntennaValue{value.substr(0, first), value.substr(first + 1)};
}

} // namespace

int ModeIndexOfName(const std::string &text)
{
    static const char *const names[] = {"PS", "CW", "SSB", "AM", "FM", "TV", "GSM", "DTX", "Alle"};
    std::string t = Trim(text);
    for (int i = 0; i < 9; ++i)
        if (t == names[i])
            return i;
    return -99;
}

int ModePositionOfName(const std::string &text)
{
    return std::clamp(ModeIndexOfName(text) - 1, -1, 5);
}

std::string FreeDutyFactorText(const std::string &typed)
{
    auto value = TryTolerantToFloat(typed);
    if (!value)
        return "0,167";
    if (*value > 1)
        return "1,0";
    if (*value < 0.04)
        return "0,04";
    return normalisedText(*value);
}

std::optional<std::string> SafetyMarginText(const std::string &typed)
{
    std::string t = Trim(typed);
    if (CharCount(t) >= 2 && EqualsIgnoreCase(TailChars(t, 2), "dB"))
        t = DropTail(t, 2);
    auto value = TryTolerantToFloat(t);
    if (!value || *value < 0)
        return "0 dB";
    if (!range::kMargin.contains(*value))
        return std::nullopt;
    return normalisedText(*value) + " dB";
}

int BandListPosition(const std::string &bandName)
{
    int found = -1;
    for (BandIndex b = 1; b <= kSelectableBands; ++b)
        if (EqualsIgnoreCase(BandName(b), bandName))
            found = b - 1;
    return found;
}

std::vector<std::string> ConfigLines(const StationConfig &c)
{
    std::string cable = c.cable == kOtherCable ? c.cable + ";" + c.cableAtt100 : c.cable;
    const std::array<std::string, kConfigLineCount> values = {
        c.callsign,
        (c.fixedFrequency ? "F" : "") + c.bandOrFrequency,
        c.antennaName + ";" + c.manufacturer,
        c.height,
        c.power,
        c.mode,
        choiceText(c.dutyChoice, kDutyEntries, kDutyChoiceCount),
        c.freeDuty,
        choiceText(c.factorSource, kFactorSourceEntries, kFactorSourceCount),
        cable,
        c.cableLength,
        c.otherAtt,
        c.safetyMargin,
        c.wiesAntenna,
        c.directivity,
        flagText(c.wiesMeanRxTx),
        flagText(c.wiesMeanMode),
        flagText(c.wiesAltDirectivity),
        c.fsi,
    };
    std::vector<std::string> lines;
    lines.reserve(kConfigLineCount);
    for (size_t i = 0; i < values.size(); ++i)
        lines.push_back(kConfigLabels[i] + OneLine(values[i]));
    return lines;
}

bool SaveStationConfig(const std::string &path, const StationConfig &config, int matchingLine)
{
    if (matchingLine == -1) {
        ShowWarning(kSaveRefusedMessage);
        return false;
    }
    WriteTextLines(path, ConfigLines(config));
    return true;
}

ConfigOpenResult ParseStationConfig(const std::vector<std::string> &lines, const AntennaLookup &known)
{
    if (lines.size() < static_cast<size_t>(kConfigLineCount))
        return failure(MessageKind::Error, "Die Konfigurationsdatei ist unvollständig: sie hat "
                                               + std::to_string(lines.size()) + " statt "
                                               + std::to_string(kConfigLineCount) + " Zeilen.\r\n" + kNotLoaded);
    std::array<std::string, kConfigLineCount> v;
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = DropHead(lines[i], kConfigLabelLength);

    OpenedConfig out;
    StationConfig &t = out.texts;

    // Negative heights and powers are refused as the input fields refuse them.
    auto height = TryStrictToFloat(v[3]);
    if (!height || *height < 0)
        return failure(MessageKind::Warning, "Hoehe hat falsches Format!");
    auto power = TryStrictToFloat(v[4]);
    if (!power || *power < 0)
        return failure(MessageKind::Warning, "Leistung hat falsches Format!");
    if (!range::kHeight.contains(*height))
        return outOfRange(3, v[3], range::kHeight);
    if (!range::kPower.contains(*power))
        return outOfRange(4, v[4], range::kPower);
    out.height = *height;
    out.power = *power;
    t.height = v[3];
    t.power = v[4];

    if (HeadChars(v[1], 1) == "F") {
        // The window works with the frequency as its field shows it (70.443 saved as 70,44);
        // one that shows as 0 or below has no limit and no near field.
        auto f = TryStrictToFloat(DropHead(v[1], 1));
        if (f)
            f = TryStrictToFloat(FormatAuto6(*f));
        if (!f || !range::kFrequency.contains(*f))
            return failure(MessageKind::Warning, "Beim Öffnen wurde eine ungültige Frequenz gefunden.\r\n"
                                                 "Gefundene Frequenzinformation: "
                                                     + v[1] + "\r\n\r\nDie Datei wurde nicht geladen!\r\n");
        out.frequency = *f;
        t.fixedFrequency = true;
        t.bandOrFrequency = FormatAuto6(*f);
    } else {
        t.fixedFrequency = false;
        t.bandOrFrequency = v[1];
    }

    auto antenna = splitAntenna(v[2], known);
    if (!antenna || antenna->name.empty())
        return failure(MessageKind::Error,
                       "Die Antennenangabe \"" + v[2] + "\" hat nicht die Form Name;Hersteller.\r\n" + kNotLoaded);
    if (known && !known(antenna->name, antenna->manufacturer))
        return failure(MessageKind::Error, "Die Antenne \"" + antenna->name + "\" des Herstellers \""
                                               + antenna->manufacturer + "\" ist nicht im Antennenkatalog.\r\n"
                                               + kNotLoaded);
    t.antennaName = antenna->name;
    t.manufacturer = antenna->manufacturer;

    auto duty = readChoice(v[6], kDutyChoiceCount);
    if (!duty)
        return failure(MessageKind::Error,
                       lineRef(6) + ": " + ConvertError::notAnInteger(HeadChars(v[6], 1)).what() + "\r\n" + kNotLoaded);
    auto source = readChoice(v[8], kFactorSourceCount);
    if (!source)
        return failure(MessageKind::Error,
                       lineRef(8) + ": " + ConvertError::notAnInteger(HeadChars(v[8], 1)).what() + "\r\n" + kNotLoaded);
    t.dutyChoice = *duty;
    t.factorSource = *source;

    std::array<bool, 3> flags{};
    for (int i = 0; i < 3; ++i) {
        auto flag = readFlag(v[static_cast<size_t>(15 + i)]);
        if (!flag)
            return failure(MessageKind::Error, lineRef(15 + i) + ": '" + v[static_cast<size_t>(15 + i)]
                                                   + "' ist kein gültiger Boolescher Wert.\r\n" + kNotLoaded);
        flags[static_cast<size_t>(i)] = *flag;
    }
    t.wiesMeanRxTx = flags[0];
    t.wiesMeanMode = flags[1];
    t.wiesAltDirectivity = flags[2];

    auto directivity = TryStrictToFloat(v[14]);
    if (!directivity)
        return failure(MessageKind::Warning, "Abweichende Directivity hat falsches Format!");
    if (!range::kGain.contains(*directivity))
        return outOfRange(14, v[14], range::kGain);
    out.directivity = *directivity;
    t.directivity = v[14];

    // The remaining numbers in file order. Texts that are no number keep their old treatment
    // (the cable update or the dialog rules deal with them); numbers beyond their range stop.
    const bool ownCable = HeadChars(v[9], 13) == kOtherCable;
    if (ownCable && numberOutOfRange(TryStrictToFloat(DropHead(v[9], 14)), range::kAttenuation))
        return outOfRange(9, DropHead(v[9], 14), range::kAttenuation);
    auto cableLength = TryTolerantToFloat(v[10]);
    if (numberOutOfRange(cableLength, range::kCableLength))
        return outOfRange(10, v[10], range::kCableLength);
    auto otherAtt = TryTolerantToFloat(v[11]);
    if (numberOutOfRange(otherAtt, range::kLoss))
        return outOfRange(11, v[11], range::kLoss);
    const std::string marginText = TailChars(v[12], 3) == " dB" ? DropTail(v[12], 3) : v[12];
    const std::optional<std::string> safetyMargin = SafetyMarginText(v[12]);
    if (!safetyMargin)
        return outOfRange(12, marginText, range::kMargin);
    auto fsi = TryStrictToFloat(v[18]);
    if (fsi && *fsi > range::kSafetyFactor.high)
        return outOfRange(18, v[18], range::kSafetyFactor);

    // The rest never stops the opening.
    t.callsign = v[0];
    t.mode = v[5];
    out.modePosition = ModePositionOfName(v[5]);
    // Values as the dialogs leave them stay as written ("1,0", "0,1670"); anything else gets
    // the dialog's treatment.
    auto freeDuty = TryStrictToFloat(v[7]);
    t.freeDuty = freeDuty && InClosedRange(*freeDuty, 0.04, 1) ? v[7] : FreeDutyFactorText(v[7]);
    out.freeDutyFactor = TolerantToFloat(t.freeDuty);
    if (ownCable) {
        t.cable = kOtherCable;
        t.cableAtt100 = DropHead(v[9], 14);
    } else {
        t.cable = v[9];
        t.cableAtt100.clear();
    }
    t.cableLength = v[10];
    t.otherAtt = v[11];
    auto margin = TailChars(v[12], 3) == " dB" ? TryStrictToFloat(DropTail(v[12], 3)) : std::nullopt;
    t.safetyMargin = margin && *margin >= 0 ? v[12] : *safetyMargin;
    out.safetyMarginDb = StrictToFloat(DropTail(t.safetyMargin, 3));
    t.wiesAntenna = v[13];
    if (fsi) {
        out.fsi = std::max(*fsi, 1.0);
        t.fsi = FormatValue("%6.4f", *out.fsi);
    } else {
        t.fsi.clear();
    }

    ConfigOpenResult result;
    result.config = std::move(out);
    return result;
}

ConfigOpenResult OpenStationConfig(const std::string &path, const AntennaLookup &known)
{
    std::vector<std::string> lines;
    try {
        lines = ReadTextLines(path);
    } catch (const FileError &e) {
        return failure(MessageKind::Error, e.what());
    }
    return ParseStationConfig(lines, known);
}
