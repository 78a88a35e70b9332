#include "data/AntennenLib.h"

#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string_view>
#include <unordered_set>

namespace {

const char *const kBrackets = "()[]{}";
constexpr double kMatchTolerance = 0.1;
// A deviation of exactly 10 % written in decimal ("159.5" for 145) comes out a hair above
// 0.1 in binary; the bound itself must fit.
constexpr double kBoundSlack = 1e-12;
constexpr size_t kReportedLinesPerFile = 100;

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Case is ignored for A to Z only, as the lists compare names.
bool sameTextAZ(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

std::optional<double> readNumberGeneral(std::string_view field)
{
    if (field.find_first_of("0123456789") == std::string_view::npos)
        return std::nullopt; // every number form needs a digit
    return TryTolerantToFloat(std::string(field));
}

// The catalogue's usual number form, up to 15 digits with an optional decimal point, read
// without the copies of the general reader; anything else takes the general tolerant
// reading. Below 2^53 and 10^22 both operands are exact, so the one division is correctly
// rounded and gives the same double as the general reader.
std::optional<double> readNumber(std::string_view field)
{
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    bool negative = !field.empty() && field[0] == '-';
    size_t first = negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (size_t k = first; k < field.size(); ++k) {
        char c = field[k];
        if (c >= '0' && c <= '9') {
            if (++digits > 15)
                return readNumberGeneral(field);
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point && k > first && k + 1 < field.size()) {
            point = true;
        } else {
            return readNumberGeneral(field);
        }
    }
    if (digits == 0)
        return std::nullopt;
    double value = static_cast<double>(mantissa) / kPow10[decimals];
    return negative ? -value : value;
}

bool isBlankLine(const std::string &line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

std::string fileReport(const std::vector<int> &lines, const char *fileName)
{
    std::string numbers;
    size_t shown = std::min(lines.size(), kReportedLinesPerFile);
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0)
            numbers += ',';
        numbers += std::to_string(lines[i]);
    }
    if (lines.size() > shown)
        numbers += " und " + std::to_string(lines.size() - shown) + " weiteren";
    return "In den Zeilen " + numbers + " gibt es Fehler in der Datei " + fileName + "!";
}

} // namespace

TAntennen::TAntennen(const std::string &mainPath, const std::string &userPath)
{
    if (!FileExists(mainPath))
        throw FileError("Die Datei " + mainPath + " konnte nicht gefunden werden.");
    std::vector<std::string> mainLines = ReadTextLines(mainPath);
    std::vector<std::string> userLines;
    std::error_code ec;
    // No user file yet is normal (the own-antenna dialog creates it); one that is there but
    // cannot be read must not vanish from the list unnoticed.
    bool userPresent = !userPath.empty() && (std::filesystem::exists(userPath, ec) || ec);
    if (userPresent) {
        try {
            userLines = ReadTextLines(userPath);
        } catch (const FileError &e) {
            ShowWarning(std::string(e.what()) + " Die eigenen Antennen fehlen in der Liste.");
        }
    }
    load(mainLines, userLines);
}

TAntennen TAntennen::FromLines(const std::vector<std::string> &mainLines,
                               const std::vector<std::string> &userLines)
{
    TAntennen catalogue;
    catalogue.load(mainLines, userLines);
    return catalogue;
}

void TAntennen::load(const std::vector<std::string> &mainLines, const std::vector<std::string> &userLines)
{
    size_t total = mainLines.size() + userLines.size();
    hersteller_.reserve(total);
    namen_.reserve(total);
    typen_.reserve(total);
    daten_.reserve(total);

    std::string section; // already stripped of its brackets
    std::vector<std::string_view> fields;
    auto readFile = [&](const std::vector<std::string> &lines, std::vector<int> &errors) {
        int number = 0;
        for (const std::string &line : lines) {
            ++number;
            if (!line.empty() && line[0] == '[')
                section = StripEnclosing(line, kBrackets);
            else
                addLine(line, section, fields, errors, number);
        }
    };
    readFile(mainLines, mainErrors_);
    readFile(userLines, userErrors_);

    std::unordered_set<std::string> seen;
    for (size_t i = 0; i < hersteller_.size(); ++i) {
        const std::string &m = hersteller_[i];
        if ((i == 0 || m != hersteller_[i - 1]) && seen.insert(m).second)
            manufacturers_.push_back(m);
    }

    std::string report = ErrorReport();
    if (!report.empty())
        ShowWarning(report);
}

void TAntennen::addLine(const std::string &line, const std::string &section,
                        std::vector<std::string_view> &fields, std::vector<int> &errors, int lineNumber)
{
    if (isBlankLine(line))
        return; // spacing between sections, nothing lost
    std::string_view rest(line);
    fields.clear();
    for (;;) {
        size_t comma = rest.find(',');
        fields.push_back(rest.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    if (fields.size() < 2) {
        // Name without type: not an entry, but the user should see that it was dropped.
        errors.push_back(lineNumber);
        return;
    }
    hersteller_.push_back(section);
    namen_.emplace_back(fields[0]);
    typen_.emplace_back(fields[1]);
    RData data;
    size_t last = fields.size() - 1; // the closing field is never read
    size_t valueFields = last > 2 ? last - 2 : 0;
    size_t lineCount = (valueFields + 2) / 3;
    if (lineCount > 0) {
        data.Freqs.reserve(lineCount);
        data.Gains.reserve(lineCount);
        data.Elements.reserve(lineCount);
    }
    for (size_t pos = 2; pos < last; ++pos) {
        size_t role = (pos - 2) % 3;
        if (role == 2) {
            data.Elements.emplace_back(fields[pos]);
            continue;
        }
        std::optional<double> value = role == 0 ? ReadCatalogueFrequency(fields[pos]) : ReadCatalogueGain(fields[pos]);
        if (!value) {
            errors.push_back(lineNumber);
            continue;
        }
        (role == 0 ? data.Freqs : data.Gains).push_back(*value);
    }
    daten_.push_back(std::move(data));
}

// A frequency or gain beyond its range is as wrong as no number.
std::optional<double> ReadCatalogueFrequency(std::string_view field)
{
    std::optional<double> value = readNumber(field);
    return value && range::kFrequency.contains(*value) ? value : std::nullopt;
}

std::optional<double> ReadCatalogueGain(std::string_view field)
{
    std::optional<double> value = readNumber(field);
    return value && range::kGain.contains(*value) ? value : std::nullopt;
}

std::vector<std::string> TAntennen::AntennasOf(const std::string &manufacturer) const
{
    std::vector<std::string> names;
    for (size_t i = 0; i < namen_.size(); ++i)
        if (sameTextAZ(hersteller_[i], manufacturer))
            names.push_back(namen_[i]);
    return names;
}

int TAntennen::IndexOf(const std::string &name, const std::string &manufacturer) const
{
    for (size_t i = namen_.size(); i-- > 0;)
        if (sameTextAZ(namen_[i], name) && sameTextAZ(hersteller_[i], manufacturer))
            return static_cast<int>(i);
    return kNoAntenna;
}

AntennaSelection TAntennen::Select(const std::string &name, const std::string &manufacturer,
                                   double referenceMHz) const
{
    AntennaSelection s;
    s.name = name;
    s.index = IndexOf(name, manufacturer);
    if (s.index == kNoAntenna)
        return s;
    const RData &data = daten_[static_cast<size_t>(s.index)];
    s.type = typen_[static_cast<size_t>(s.index)];
    s.bandLines = AntBandLines(data);
    s.match = MatchFrequencyLine(data, referenceMHz);
    if (s.match >= 0) {
        s.gain = data.Gains[static_cast<size_t>(s.match)];
        s.gainText = FormatValue("%3.3f", s.gain);
    }
    return s;
}

std::string TAntennen::ErrorReport() const
{
    std::string report;
    if (!mainErrors_.empty())
        report += fileReport(mainErrors_, "Antennen.txt");
    if (!userErrors_.empty())
        report += fileReport(userErrors_, "AntUser.txt");
    return report;
}

int MatchFrequencyLine(const std::vector<double> &freqs, double referenceMHz)
{
    double best = 10;
    int match = kNoMatchLine;
    for (size_t i = 0; i < freqs.size(); ++i) {
        double d = std::fabs(freqs[i] / referenceMHz - 1);
        if (d < best) { // NaN never passes
            best = d;
            if (d <= kMatchTolerance + kBoundSlack)
                match = static_cast<int>(i);
        }
    }
    return match;
}

int MatchFrequencyLine(const RData &data, double referenceMHz)
{
    size_t usable = std::min(data.Freqs.size(), data.Gains.size());
    if (usable == data.Freqs.size())
        return MatchFrequencyLine(data.Freqs, referenceMHz);
    return MatchFrequencyLine(std::vector<double>(data.Freqs.begin(), data.Freqs.begin() + usable),
                              referenceMHz);
}

std::vector<std::string> AntBandLines(const RData &data)
{
    std::vector<std::string> lines;
    lines.reserve(data.Freqs.size());
    for (size_t i = 0; i < data.Freqs.size(); ++i) {
        std::string gain = i < data.Gains.size() ? FormatToWidth(5, data.Gains[i]) : Spaces(5);
        std::string elements = i < data.Elements.size() ? data.Elements[i] : std::string();
        lines.push_back(FormatAuto6(data.Freqs[i]) + " " + gain + " " + FormatText("%3s", elements));
    }
    return lines;
}
