#include "data/SiteBackground.h"

#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <cmath>

namespace
{

std::string quoted(const std::string &text)
{
    return "„" + text + "“";
}

[[noreturn]] void fail(const std::string &file, const std::string &key, const std::string &why)
{
    throw SiteError(file + ", [" + kBackgroundSection + "] " + key + ": " + why);
}

// Picture coordinates far beyond any picture are a damaged file.
constexpr ValueRange kPictureCoordinate{-1e7, 1e7, ""};
constexpr ValueRange kScaleLength{1e-3, 1e5, "m"};

double number(const std::string &file, const std::string &key, const std::string &text, const ValueRange &range)
{
    const auto value = TryStrictToFloat(Trim(text));
    if (!value)
        fail(file, key, quoted(text) + " ist keine Zahl.");
    if (!range.contains(*value))
        fail(file, key, quoted(text) + ": " + range.refusal(key));
    return *value;
}

std::vector<std::string> fields(const std::string &value, char separator)
{
    std::vector<std::string> out;
    for (const std::string &item : SplitText(value, separator))
        if (!Trim(item).empty())
            out.push_back(Trim(item));
    return out;
}

site::Point point(const std::string &file, const std::string &key, const std::string &text)
{
    std::vector<std::string> xy = fields(text, ' ');
    if (xy.size() != 2)
        fail(file, key, quoted(text) + " ist kein Punkt „u v“ im Bild.");
    return {number(file, key, xy[0], kPictureCoordinate), number(file, key, xy[1], kPictureCoordinate)};
}

std::string pointText(site::Point p)
{
    return SiteNumberText(p.x) + " " + SiteNumberText(p.y);
}

// Why the six numbers are no usable world file, empty when they are.
std::string worldFault(const SiteAffine &w)
{
    for (double v : {w.a, w.d, w.b, w.e, w.c, w.f})
        if (!std::isfinite(v) || std::abs(v) > 1e10)
            return "Eine Zahl ist zu groß.";
    const double su = std::hypot(w.a, w.d), sv = std::hypot(w.b, w.e);
    if (su == 0 || sv == 0)
        return "Die Pixelgröße ist 0.";
    if (std::min(su, sv) < kSmallestWorldPixel)
        return "Die Pixelgröße ist kleiner als 0,1 mm.";
    if (std::max(su, sv) > kLargestWorldPixel)
        return "Die Pixelgröße ist größer als 100 m.";
    if (std::abs(w.a * w.e - w.b * w.d) < 1e-6 * su * sv)
        return "Die Achsen des Bildes fallen auf eine Linie.";
    return {};
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

std::optional<SiteBackground> SiteBackgroundOf(const Site &site, const std::string &file)
{
    auto section = std::find_if(site.extraSections.begin(), site.extraSections.end(),
                                [](const SiteExtraSection &s) { return EqualsIgnoreCase(s.name, kBackgroundSection); });
    if (section == site.extraSections.end())
        return std::nullopt;
    auto value = [&](const char *key) -> const std::string * {
        for (const auto &[k, v] : section->entries)
            if (EqualsIgnoreCase(k, key))
                return &v;
        return nullptr;
    };
    SiteBackground b;
    const std::string *name = value("Datei");
    if (!name || Trim(*name).empty())
        fail(file, "Datei", "Es ist keine Bilddatei angegeben.");
    b.file = Trim(*name);
    if (const std::string *v = value("Seite")) {
        const auto page = TryStrictToInt(*v);
        if (!page || *page < 1 || *page > kLargestPdfPage)
            fail(file, "Seite", quoted(*v) + " ist keine Seitennummer ab 1.");
        b.page = *page;
    }
    if (const std::string *v = value("Ursprung"))
        b.origin = point(file, "Ursprung", *v);
    const std::string *kind = value("Kalibrierung");
    if (!kind || EqualsIgnoreCase(Trim(*kind), "keine"))
        return b;
    if (EqualsIgnoreCase(Trim(*kind), "Punkte")) {
        const std::string *scale = value("Massstab");
        const std::string *length = value("Laenge");
        if (!scale)
            fail(file, "Massstab", "Der Schlüssel fehlt.");
        if (!length)
            fail(file, "Laenge", "Der Schlüssel fehlt.");
        const std::vector<std::string> ends = fields(*scale, ';');
        if (ends.size() != 2)
            fail(file, "Massstab", "Es sind nicht zwei Punkte „u v; u v“.");
        b.scale1 = point(file, "Massstab", ends[0]);
        b.scale2 = point(file, "Massstab", ends[1]);
        if (b.scale1 == b.scale2)
            fail(file, "Massstab", "Die beiden Punkte fallen zusammen.");
        b.scaleLength = number(file, "Laenge", *length, kScaleLength);
        b.calibration = BackgroundCalibration::TwoPoints;
    } else if (EqualsIgnoreCase(Trim(*kind), "Weltdatei")) {
        const std::string *numbers = value("Weltdatei");
        if (!numbers)
            fail(file, "Weltdatei", "Der Schlüssel fehlt.");
        const std::vector<std::string> six = fields(*numbers, ';');
        if (six.size() != 6)
            fail(file, "Weltdatei", "Es sind nicht sechs Zahlen „A; D; B; E; C; F“.");
        constexpr ValueRange any{-1e10, 1e10, ""};
        SiteAffine &w = b.world;
        double *targets[] = {&w.a, &w.d, &w.b, &w.e, &w.c, &w.f};
        for (size_t i = 0; i < 6; ++i)
            *targets[i] = number(file, "Weltdatei", six[i], any);
        if (const std::string fault = worldFault(w); !fault.empty())
            fail(file, "Weltdatei", fault);
        b.calibration = BackgroundCalibration::WorldFile;
    } else {
        fail(file, "Kalibrierung", quoted(*kind) + " ist weder „Punkte“ noch „Weltdatei“ noch „keine“.");
    }
    return b;
}

void SetSiteBackground(Site &site, const std::optional<SiteBackground> &background)
{
    auto &sections = site.extraSections;
    auto found = std::find_if(sections.begin(), sections.end(),
                              [](const SiteExtraSection &s) { return EqualsIgnoreCase(s.name, kBackgroundSection); });
    if (!background) {
        if (found != sections.end())
            sections.erase(found);
        return;
    }
    const SiteBackground &b = *background;
    SiteExtraSection s{kBackgroundSection, {}};
    s.entries.emplace_back("Datei", b.file);
    s.entries.emplace_back("Seite", std::to_string(b.page));
    switch (b.calibration) {
    case BackgroundCalibration::None:
        s.entries.emplace_back("Kalibrierung", "keine");
        break;
    case BackgroundCalibration::TwoPoints:
        s.entries.emplace_back("Kalibrierung", "Punkte");
        s.entries.emplace_back("Massstab", pointText(b.scale1) + "; " + pointText(b.scale2));
        s.entries.emplace_back("Laenge", SiteNumberText(b.scaleLength));
        break;
    case BackgroundCalibration::WorldFile: {
        s.entries.emplace_back("Kalibrierung", "Weltdatei");
        std::string six;
        for (double v : {b.world.a, b.world.d, b.world.b, b.world.e, b.world.c, b.world.f})
            six += (six.empty() ? "" : "; ") + SiteNumberText(v);
        s.entries.emplace_back("Weltdatei", six);
        break;
    }
    }
    if (b.origin)
        s.entries.emplace_back("Ursprung", pointText(*b.origin));
    if (found != sections.end())
        *found = std::move(s);
    else
        sections.push_back(std::move(s));
}

std::optional<SiteAffine> PictureToPlan(const SiteBackground &b, site::Point pictureSize)
{
    const site::Point o = b.origin ? *b.origin : site::Point{pictureSize.x / 2, pictureSize.y / 2};
    SiteAffine t;
    if (b.calibration == BackgroundCalibration::TwoPoints) {
        const double units = std::hypot(b.scale2.x - b.scale1.x, b.scale2.y - b.scale1.y);
        if (!(units > 0) || !(b.scaleLength > 0) || !std::isfinite(b.scaleLength))
            return std::nullopt;
        const double k = b.scaleLength / units;
        t = {k, 0, 0, -k, 0, 0};
    } else if (b.calibration == BackgroundCalibration::WorldFile) {
        if (!worldFault(b.world).empty())
            return std::nullopt;
        // Map coordinates are far off (Gauss-Krüger, UTM): only the offsets from the origin count.
        t = {b.world.a, b.world.d, b.world.b, b.world.e, 0, 0};
    } else {
        return std::nullopt;
    }
    t.c = -(t.a * o.x + t.b * o.y);
    t.f = -(t.d * o.x + t.e * o.y);
    return t;
}

SiteAffine ParseWorldFile(const std::string &text, const std::string &file)
{
    std::vector<double> numbers;
    for (const std::string &raw : SplitText(text, '\n')) {
        std::string line = Trim(raw);
        if (line.empty())
            continue;
        std::replace(line.begin(), line.end(), 'e', 'E');
        const auto v = TryTolerantToFloat(line);
        if (!v)
            throw SiteError(file + ": " + quoted(line)
                            + " ist keine Zahl (eine Weltdatei hat sechs Zahlen, "
                              "eine je Zeile).");
        numbers.push_back(*v);
    }
    if (numbers.size() != 6)
        throw SiteError(file + ": Die Weltdatei hat " + std::to_string(numbers.size())
                        + " Zahlen statt sechs (eine je Zeile).");
    const SiteAffine w{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
    if (const std::string fault = worldFault(w); !fault.empty())
        throw SiteError(file + ": Die Weltdatei ist nicht brauchbar. " + fault);
    return w;
}

std::vector<std::string> WorldFileCandidates(const std::string &picturePath)
{
    const size_t slash = picturePath.rfind('/');
    const size_t dot = picturePath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {picturePath + ".wld"};
    const std::string base = picturePath.substr(0, dot);
    const std::string ext = lower(picturePath.substr(dot));
    std::vector<std::string> out;
    if (ext == ".png")
        out.push_back(base + ".pgw");
    else if (ext == ".jpg" || ext == ".jpeg")
        out.push_back(base + ".jgw");
    else if (ext == ".bmp")
        out.push_back(base + ".bpw");
    out.push_back(base + ".wld");
    return out;
}

std::optional<FoundWorldFile> FindWorldFile(const std::string &picturePath)
{
    for (const std::string &candidate : WorldFileCandidates(picturePath)) {
        if (!FileExists(candidate))
            continue;
        std::string text;
        try {
            text = ReadFileBytes(candidate);
        } catch (const FileError &e) {
            throw SiteError(e.what());
        }
        return FoundWorldFile{candidate, ParseWorldFile(text, candidate)};
    }
    return std::nullopt;
}
