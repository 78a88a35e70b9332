#include "data/SiteTable.h"

#include "core/CableLib2.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{

std::string number(const char *format, double x)
{
    return std::isfinite(x) ? FormatValue(format, x) : "---";
}
std::string metres(double x)
{
    return number("%3.2f m", x);
}

std::string perBand(const SiteAntennaResult &a, const std::function<std::string(const StationBand &)> &value)
{
    std::string text;
    for (const StationBand &b : a.bands)
        text += (text.empty() ? "" : "\n") + BandName(b.band) + ": " + value(b);
    return text;
}

std::string cableText(const StationInputs &in)
{
    const std::string length = number("%3.2f m", in.cableLength);
    if (in.cableIndex > 0)
        return CableName(in.cableIndex) + ", " + length;
    return "eigenes Kabel (" + number("%3.2f dB/100 m", in.ownAtt100) + "), " + length;
}

std::string modeText(const StationInputs &in, const SiteAntennaResult &a)
{
    std::string text = ModeName(ModeAtPosition(in.modeType - 1));
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    const std::string source = FactorSourceName(FactorSourceAtPosition(in.factorSource));
    if (!source.empty())
        text += "\nFaktoren " + source;
    if (!a.bands.empty())
        text += "\nFmod " + number("%3.2f", a.bands.front().factors.ModeFactor);
    return text;
}

std::string names(const SiteResult &r, const std::vector<size_t> &members)
{
    std::string text;
    for (size_t i : members)
        text += (text.empty() ? "" : ", ") + r.antennas[i].name;
    return text;
}

std::string flat(std::string cell)
{
    std::string out;
    for (char c : cell)
        if (c == '\n')
            out += " / ";
        else
            out += c;
    return out;
}

} // namespace

SiteTable SiteConfigurationTable(const SiteResult &r)
{
    SiteTable t;
    std::vector<std::string> heading{""};
    for (const SiteAntennaResult &a : r.antennas)
        heading.push_back(a.name);
    t.antennas.push_back(heading);

    auto row = [&](const std::string &label,
                   const std::function<std::string(const SiteAntennaResult &, size_t)> &cell) {
        std::vector<std::string> line{label};
        for (size_t i = 0; i < r.antennas.size(); ++i)
            line.push_back(cell(r.antennas[i], i));
        t.antennas.push_back(std::move(line));
    };
    auto siteAntenna = [&](size_t i) -> const SiteAntenna * {
        return i < r.site.antennas.size() ? &r.site.antennas[i] : nullptr;
    };

    row("Katalogantenne", [](const SiteAntennaResult &a, size_t) {
        return a.catalogueAntenna.empty() ? std::string("---") : a.catalogueAntenna;
    });
    row("Typ",
        [](const SiteAntennaResult &a, size_t) { return a.antennaType.empty() ? std::string("---") : a.antennaType; });
    row("Höhe", [](const SiteAntennaResult &a, size_t) { return metres(a.height); });
    row("Punkte im Plan", [&](const SiteAntennaResult &, size_t i) {
        const SiteAntenna *s = siteAntenna(i);
        if (!s)
            return std::string("---");
        std::string text;
        for (const site::Point &p : s->points)
            text += (text.empty() ? "" : "\n") + PointsText({p});
        return text;
    });
    row("Bänder mit PEP", [](const SiteAntennaResult &a, size_t) {
        return perBand(a, [](const StationBand &b) { return number("%3.0f W", b.farFieldInput.power); });
    });
    row("Gewinn", [](const SiteAntennaResult &a, size_t) {
        return perBand(a, [](const StationBand &b) { return number("%3.2f dBi", b.gain); });
    });
    row("Betriebsart", [](const SiteAntennaResult &a, size_t) { return modeText(a.inputs, a); });
    row("Tastverhältnis F(B)", [](const SiteAntennaResult &a, size_t) {
        return a.bands.empty() ? std::string("---") : number("%3.2f", a.bands.front().factors.DutyFactor);
    });
    row("Kabel", [](const SiteAntennaResult &a, size_t) { return cableText(a.inputs); });
    row("Dämpfung bis zur Antenne", [](const SiteAntennaResult &a, size_t) {
        return perBand(a, [](const StationBand &b) { return number("%3.2f dB", b.cable.TotalAtt); });
    });
    row("EIRP", [](const SiteAntennaResult &a, size_t) {
        return perBand(a, [](const StationBand &b) { return SiteEirpText(b.farField.EIRP); });
    });
    row("ERP", [](const SiteAntennaResult &a, size_t) {
        return perBand(a, [](const StationBand &b) { return SiteEirpText(b.farField.ERP); });
    });
    row("Sicherheitszuschlag",
        [](const SiteAntennaResult &a, size_t) { return number("%3.1f dB", a.inputs.marginDb); });
    row("Verfahren", [](const SiteAntennaResult &a, size_t) {
        const bool angles = std::find(a.angleZone.begin(), a.angleZone.end(), true) != a.angleZone.end();
        return std::string(angles ? "Fernfeld mit Winkeldämpfung" : "Fernfeld");
    });
    row("Sicherheitsabstand", [](const SiteAntennaResult &a, size_t) {
        return SiteDistanceText(a.safetyDistance) + " (" + BandName(a.safetyBand) + ")";
    });
    row("Radius Draufsicht", [](const SiteAntennaResult &a, size_t) { return SiteDistanceText(a.topRadius); });
    row("Radius in Aufenthaltshöhe",
        [](const SiteAntennaResult &a, size_t) { return SiteDistanceText(a.personRadius); });
    row("Abstand zur Grenze", [](const SiteAntennaResult &a, size_t) { return SiteMarginText(a.margin); });
    row("Abstand zur Grenze in Aufenthaltshöhe",
        [](const SiteAntennaResult &a, size_t) { return SiteMarginText(a.personMargin); });
    row("Ergebnis", [](const SiteAntennaResult &a, size_t) { return VerdictText(a.verdict); });

    if (!r.groups.empty()) {
        t.groups.push_back({"Gruppe", "Antennen", "größte Summe außerhalb", "in Aufenthaltshöhe", "Ergebnis"});
        for (const SiteGroupResult &g : r.groups)
            t.groups.push_back({g.name, names(r, g.members), SiteQuotientText(g.any.value),
                                SiteQuotientText(g.person.value), VerdictText(g.verdict)});
    }

    t.threshold.push_back({"Anzeigeschwelle", "größte EIRP", "Antennen", "Anzeige erforderlich"});
    if (!r.antennas.empty())
        t.threshold.push_back({"Standort", SiteEirpText(r.largestEirp),
                               r.antennas[r.eirpAntenna].name + " (" + BandName(r.eirpBand) + ")",
                               r.notificationRequired ? "ja" : "nein"});
    for (const SiteGroupResult &g : r.groups)
        t.threshold.push_back({"Gruppe " + g.name, SiteEirpText(g.eirpSum), names(r, g.members),
                               g.eirpSum >= kNotificationEirp ? "ja" : "nein"});
    return t;
}

std::vector<std::string> SiteTableLines(const SiteTable &table, char separator)
{
    std::vector<std::string> lines;
    for (const SiteTableRows *part : {&table.antennas, &table.groups, &table.threshold}) {
        if (part->empty())
            continue;
        if (!lines.empty())
            lines.emplace_back();
        for (const std::vector<std::string> &row : *part) {
            std::string line;
            for (size_t i = 0; i < row.size(); ++i) {
                std::string cell = flat(row[i]);
                std::replace(cell.begin(), cell.end(), separator, separator == ';' ? ',' : ' ');
                line += (i ? std::string(1, separator) : "") + cell;
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

void WriteSiteTable(const std::string &path, const SiteTable &table)
{
    WriteTextLines(path, SiteTableLines(table, ';'));
}
