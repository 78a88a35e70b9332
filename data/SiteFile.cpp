#include "data/SiteFile.h"

#include "data/ConfigFile.h"
#include "data/IniReader.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace
{

const char *const kSiteSection = "Standort";
const char *const kAreaSection = "Kontrollierbarer Bereich";
const char *const kAntennaPrefix = "Antenne ";

// Message prefix: file, line, section and key.
class Place
{
public:
    Place(const std::string &file, std::string section, const SiteSource *source)
        : file_(file), section_(std::move(section)), source_(source)
    {
    }
    [[noreturn]] void fail(const std::string &key, const std::string &why) const
    {
        const int line = source_ ? (key.empty() ? source_->sectionLine : source_->lineOf(key)) : 0;
        std::string where = file_;
        if (line > 0)
            where += ", Zeile " + std::to_string(line);
        where += ", [" + section_ + "]";
        if (!key.empty())
            where += " " + key;
        throw SiteError(where + ": " + why);
    }

private:
    const std::string &file_;
    std::string section_;
    const SiteSource *source_;
};

std::string quoted(const std::string &text)
{
    return "„" + text + "“";
}

double number(const Place &at, const std::string &key, const std::string &text, const ValueRange &range)
{
    const auto value = TryStrictToFloat(text);
    if (!value)
        at.fail(key, quoted(text) + " ist keine Zahl.");
    if (!range.contains(*value))
        at.fail(key, quoted(text) + ": " + range.refusal(key));
    return *value;
}

std::vector<std::string> items(const std::string &value)
{
    std::vector<std::string> out;
    for (const std::string &item : SplitText(value, ';')) {
        std::string t = Trim(item);
        if (!t.empty())
            out.push_back(std::move(t));
    }
    return out;
}

std::vector<std::string> words(const std::string &text)
{
    std::vector<std::string> out;
    std::string word;
    for (char c : text + " ") {
        if (c == ' ' || c == '\t') {
            if (!word.empty())
                out.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    return out;
}

constexpr ValueRange kCoordinate{-1e6, 1e6, "m"};
constexpr ValueRange kPersonHeight{0, 1000, "m"};
constexpr ValueRange kNorth{-360, 360, "°"};

std::vector<site::Point> points(const Place &at, const std::string &key, const std::string &value)
{
    std::vector<site::Point> out;
    for (const std::string &item : items(value)) {
        const std::vector<std::string> xy = words(item);
        if (xy.size() != 2)
            at.fail(key, quoted(item) + " ist kein Punkt „x y“ in Metern.");
        out.push_back({number(at, key, xy[0], kCoordinate), number(at, key, xy[1], kCoordinate)});
    }
    if (out.empty())
        at.fail(key, "Es ist kein Punkt angegeben.");
    return out;
}

std::vector<SiteBand> bands(const Place &at, const std::string &key, const std::string &value)
{
    std::vector<SiteBand> out;
    for (const std::string &item : items(value)) {
        const std::vector<std::string> parts = words(item);
        if (parts.size() != 2)
            at.fail(key, quoted(item) + " ist nicht „Band PEP“ (zum Beispiel „20m 750“).");
        const int position = BandListPosition(parts[0]);
        if (position < 0)
            at.fail(key, "Ein Band " + quoted(parts[0]) + " gibt es nicht.");
        const BandIndex band = static_cast<BandIndex>(position + 1);
        if (std::any_of(out.begin(), out.end(), [&](const SiteBand &b) { return b.band == band; }))
            at.fail(key, "Das Band " + BandName(band) + " steht doppelt.");
        out.push_back({band, number(at, key, parts[1], range::kPower)});
    }
    if (out.empty())
        at.fail(key, "Es ist kein Band angegeben.");
    return out;
}

SiteColor color(const Place &at, const std::string &key, const std::string &value)
{
    const std::vector<std::string> parts = words(value);
    int rgb[3] = {0, 0, 0};
    bool ok = parts.size() == 3;
    for (size_t i = 0; ok && i < 3; ++i) {
        const auto v = TryStrictToInt(parts[i]);
        ok = v && *v >= 0 && *v <= 255;
        if (ok)
            rgb[i] = *v;
    }
    if (!ok)
        at.fail(key, quoted(value) + " ist keine Farbe „R G B“ (drei ganze Zahlen von 0 bis 255).");
    return {rgb[0], rgb[1], rgb[2]};
}

std::string colorText(const SiteColor &c)
{
    return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b);
}

bool yesNo(const Place &at, const std::string &key, const std::string &value)
{
    if (EqualsIgnoreCase(value, "ja"))
        return true;
    if (EqualsIgnoreCase(value, "nein"))
        return false;
    at.fail(key, quoted(value) + " ist weder „ja“ noch „nein“.");
}

// "Antenne A", also "Antenne" alone, which then lacks its name.
bool isAntennaSection(const std::string &name)
{
    const std::string prefix = kAntennaPrefix;
    return EqualsIgnoreCase(Trim(name), Trim(prefix))
           || (name.size() >= prefix.size() && EqualsIgnoreCase(name.substr(0, prefix.size()), prefix));
}

std::string antennaName(const std::string &section)
{
    return Trim(Trim(section).substr(std::min(Trim(section).size(), Trim(kAntennaPrefix).size())));
}

// Entries of one section, with the line of each known key, refusing a known key twice.
struct SectionEntries {
    std::vector<IniEntry> entries;
    SiteSource source;
};

const IniEntry *known(const SectionEntries &s, const char *key)
{
    for (const IniEntry &e : s.entries)
        if (EqualsIgnoreCase(e.key, key))
            return &e;
    return nullptr;
}

void checkSingle(const Place &at, const SectionEntries &s, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        int seen = 0;
        for (const IniEntry &e : s.entries)
            if (EqualsIgnoreCase(e.key, key) && ++seen == 2)
                at.fail(key, "Der Schlüssel steht zweimal im Abschnitt (Zeile " + std::to_string(e.line) + ").");
    }
}

IniEntries extras(const SectionEntries &s, std::initializer_list<const char *> keys)
{
    IniEntries out;
    for (const IniEntry &e : s.entries)
        if (std::none_of(keys.begin(), keys.end(), [&](const char *k) { return EqualsIgnoreCase(e.key, k); }))
            out.emplace_back(e.key, e.value);
    return out;
}

std::string singleLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

SiteColor DefaultSiteColor(size_t index)
{
    static const SiteColor colors[] = {{255, 0, 0}, {0, 128, 128}, {0, 0, 255}, {255, 0, 255}, {128, 128, 0}};
    return colors[index % 5];
}

SiteColor AntennaColor(const Site &site, size_t index)
{
    if (index < site.antennas.size() && site.antennas[index].color)
        return *site.antennas[index].color;
    return DefaultSiteColor(index);
}

int SiteSource::lineOf(const std::string &key) const
{
    for (const auto &[k, line] : keyLines)
        if (EqualsIgnoreCase(k, key))
            return line;
    return sectionLine;
}

std::string TodayGermanDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%d.%m.%Y", &local);
    return text;
}

std::string SiteNumberText(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    std::string s = error == std::errc() ? std::string(text, end) : FormatValue("%g", value);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::string PointsText(const std::vector<site::Point> &points)
{
    std::string text;
    for (const site::Point &p : points)
        text += (text.empty() ? "" : "; ") + SiteNumberText(p.x) + " " + SiteNumberText(p.y);
    return text;
}

Site ParseSite(const std::string &text, const std::string &fileLabel)
{
    const IniDocument doc = ReadIniText(text);
    if (!doc.strayLines.empty())
        throw SiteError(fileLabel + ", Zeile " + std::to_string(doc.strayLines.front())
                        + ": Die Zeile ist weder ein Abschnitt „[Name]“ noch „Schlüssel=Wert“.");

    // Sections by name, in file order; the same name twice is one section for the foreign
    // ones and an error for the site's own.
    struct Section {
        std::string name;
        SectionEntries content;
    };
    std::vector<Section> sections;
    auto find = [&](const std::string &name) {
        return std::find_if(sections.begin(), sections.end(),
                            [&](const Section &s) { return EqualsIgnoreCase(s.name, name); });
    };
    if (std::any_of(doc.entries.begin(), doc.entries.end(), [](const IniEntry &e) { return e.section.empty(); }))
        sections.push_back({"", {}});
    for (const IniSectionHeader &h : doc.sections) {
        if (find(h.name) != sections.end()) {
            const bool own = EqualsIgnoreCase(h.name, kSiteSection) || EqualsIgnoreCase(h.name, kAreaSection);
            if (isAntennaSection(h.name))
                throw SiteError(fileLabel + ", Zeile " + std::to_string(h.line) + ": Zwei Antennen heißen "
                                + quoted(antennaName(h.name)) + ".");
            if (own)
                throw SiteError(fileLabel + ", Zeile " + std::to_string(h.line) + ": Der Abschnitt [" + h.name
                                + "] steht zweimal in der Datei.");
            continue;
        }
        Section s{h.name, {}};
        s.content.source.sectionLine = h.line;
        sections.push_back(std::move(s));
    }
    for (const IniEntry &e : doc.entries) {
        auto s = find(e.section);
        if (s == sections.end())
            continue;
        s->content.entries.push_back(e);
        s->content.source.keyLines.emplace_back(e.key, e.line);
    }

    Site site;
    site.date = TodayGermanDate();
    bool haveArea = false;
    for (const Section &s : sections) {
        const SectionEntries &c = s.content;
        auto value = [&](const char *key) -> const std::string * {
            const IniEntry *e = known(c, key);
            return e ? &e->value : nullptr;
        };
        if (EqualsIgnoreCase(s.name, kSiteSection)) {
            const Place at(fileLabel, kSiteSection, &c.source);
            const auto keys = {"Rufzeichen",       "Betreiber",    "Anschrift",  "Datum",
                               "Aufenthaltshoehe", "Nordrichtung", "ZeichnungX", "ZeichnungY"};
            checkSingle(at, c, keys);
            if (auto v = value("Rufzeichen"))
                site.callsign = *v;
            if (auto v = value("Betreiber"))
                site.operatorName = *v;
            if (auto v = value("Anschrift"))
                site.address = *v;
            if (auto v = value("Datum"); v && !v->empty())
                site.date = *v;
            if (auto v = value("Aufenthaltshoehe"))
                site.personHeight = number(at, "Aufenthaltshoehe", *v, kPersonHeight);
            if (auto v = value("Nordrichtung"))
                site.north = number(at, "Nordrichtung", *v, kNorth);
            if (auto v = value("ZeichnungX"))
                site.cutScriptX = *v;
            if (auto v = value("ZeichnungY"))
                site.cutScriptY = *v;
            site.siteExtra = extras(c, keys);
            site.siteSource = c.source;
        } else if (EqualsIgnoreCase(s.name, kAreaSection)) {
            const Place at(fileLabel, kAreaSection, &c.source);
            checkSingle(at, c, {"Punkte", "Farbe"});
            const std::string *v = value("Punkte");
            if (!v)
                at.fail("Punkte", "Der Schlüssel fehlt.");
            site.area = points(at, "Punkte", *v);
            if (site.area.size() > 1 && site.area.back() == site.area.front())
                site.area.pop_back(); // a closed ring written with its first point again
            if (const std::string fault = site::PolygonFault(site.area); !fault.empty())
                at.fail("Punkte", fault);
            if (auto v = value("Farbe"))
                site.areaColor = color(at, "Farbe", *v);
            site.areaExtra = extras(c, {"Punkte", "Farbe"});
            site.areaSource = c.source;
            haveArea = true;
        } else if (isAntennaSection(s.name)) {
            SiteAntenna a;
            a.name = antennaName(s.name);
            const Place at(fileLabel, s.name, &c.source);
            if (a.name.empty())
                at.fail("", "Die Antenne hat keinen Namen.");
            for (const SiteAntenna &other : site.antennas)
                if (EqualsIgnoreCase(other.name, a.name))
                    at.fail("", "Zwei Antennen heißen " + quoted(a.name) + ".");
            const auto keys = {"Konfiguration", "Punkte", "Baender", "Winkeldaempfung", "Gruppe", "Farbe"};
            checkSingle(at, c, keys);
            const std::string *config = value("Konfiguration");
            if (!config || config->empty())
                at.fail("Konfiguration", "Es ist keine Konfigurationsdatei angegeben.");
            a.configuration = *config;
            const std::string *p = value("Punkte");
            if (!p)
                at.fail("Punkte", "Der Schlüssel fehlt.");
            a.points = points(at, "Punkte", *p);
            if (auto v = value("Baender"))
                a.bands = bands(at, "Baender", *v);
            if (auto v = value("Winkeldaempfung"))
                a.angleDamping = yesNo(at, "Winkeldaempfung", *v);
            if (auto v = value("Gruppe"))
                a.group = *v;
            if (auto v = value("Farbe"))
                a.color = color(at, "Farbe", *v);
            a.extra = extras(c, keys);
            a.source = c.source;
            site.antennas.push_back(std::move(a));
        } else {
            SiteExtraSection extra{s.name, {}};
            for (const IniEntry &e : c.entries)
                extra.entries.emplace_back(e.key, e.value);
            site.extraSections.push_back(std::move(extra));
        }
    }
    if (!haveArea)
        throw SiteError(fileLabel + ": Der Abschnitt [" + std::string(kAreaSection) + "] fehlt.");
    if (site.antennas.empty())
        throw SiteError(fileLabel + ": Es ist keine Antenne angegeben (Abschnitt [Antenne A]).");
    return site;
}

Site ReadSite(const std::string &path)
{
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError &e) {
        throw SiteError(e.what());
    }
    return ParseSite(DecodeText(bytes), path);
}

std::vector<std::string> SiteLines(const Site &site)
{
    std::vector<std::string> lines;
    auto entry = [&](const std::string &key, const std::string &value) {
        lines.push_back(singleLine(key) + "=" + singleLine(value));
    };
    auto entries = [&](const IniEntries &list) {
        for (const auto &[key, value] : list)
            entry(key, value);
    };
    auto header = [&](const std::string &name) {
        if (!lines.empty())
            lines.push_back("");
        lines.push_back("[" + singleLine(name) + "]");
    };
    for (const SiteExtraSection &s : site.extraSections)
        if (s.name.empty())
            entries(s.entries);

    header(kSiteSection);
    entry("Rufzeichen", site.callsign);
    entry("Betreiber", site.operatorName);
    entry("Anschrift", site.address);
    entry("Datum", site.date);
    entry("Aufenthaltshoehe", SiteNumberText(site.personHeight));
    entry("Nordrichtung", SiteNumberText(site.north));
    if (!site.cutScriptX.empty())
        entry("ZeichnungX", site.cutScriptX);
    if (!site.cutScriptY.empty())
        entry("ZeichnungY", site.cutScriptY);
    entries(site.siteExtra);

    header(kAreaSection);
    entry("Punkte", PointsText(site.area));
    entry("Farbe", colorText(site.areaColor));
    entries(site.areaExtra);

    for (size_t i = 0; i < site.antennas.size(); ++i) {
        const SiteAntenna &a = site.antennas[i];
        header(kAntennaPrefix + a.name);
        entry("Konfiguration", a.configuration);
        entry("Punkte", PointsText(a.points));
        if (a.bands) {
            std::string text;
            for (const SiteBand &b : *a.bands)
                text += (text.empty() ? "" : "; ") + BandName(b.band) + " " + SiteNumberText(b.pep);
            entry("Baender", text);
        }
        entry("Winkeldaempfung", a.angleDamping ? "ja" : "nein");
        if (!a.group.empty())
            entry("Gruppe", a.group);
        entry("Farbe", colorText(AntennaColor(site, i)));
        entries(a.extra);
    }
    for (const SiteExtraSection &s : site.extraSections) {
        if (s.name.empty())
            continue;
        header(s.name);
        entries(s.entries);
    }
    return lines;
}

void WriteSite(const std::string &path, const Site &site)
{
    std::string bytes;
    for (const std::string &line : SiteLines(site))
        bytes += line + "\r\n";
    WriteFileAtomic(path, bytes);
}
