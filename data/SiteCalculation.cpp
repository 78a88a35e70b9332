#include "data/SiteCalculation.h"

#include "util/ConvertError.h"
#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/NumRoutines.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace
{

std::string quoted(const std::string &text)
{
    return "„" + text + "“";
}

[[noreturn]] void fail(const std::string &file, const SiteAntenna &a, const std::string &key, const std::string &why)
{
    const int line = a.source.lineOf(key);
    std::string where = file;
    if (line > 0)
        where += ", Zeile " + std::to_string(line);
    throw SiteError(where + ", [Antenne " + a.name + "] " + key + ": " + why);
}

// A configuration opened as "&Öffnen" opens it; its message, if any, is what went wrong.
StationModel openConfiguration(const StationModel &base, const std::string &path, const std::string &file,
                               const SiteAntenna &a)
{
    StationModel m = base;
    std::string message;
    const MessageSink previous = SetMessageSink([&](MessageKind kind, const std::string &text) {
        if (kind != MessageKind::Information && message.empty())
            message = text;
    });
    bool opened = false;
    try {
        opened = m.Oeffnen(path);
    } catch (const ConvertError &e) {
        message = e.what();
    }
    SetMessageSink(previous);
    if (!opened)
        fail(file, a, "Konfiguration",
             quoted(a.configuration) + ": "
                 + (message.empty() ? "Die Konfiguration kann nicht geöffnet werden." : message));
    return m;
}

std::string csv(std::string text)
{
    std::replace(text.begin(), text.end(), ';', ',');
    return text;
}

std::string placeText(const site::Point3 &p)
{
    return FormatValue("%3.2f", p.x) + " " + FormatValue("%3.2f", p.y) + " " + FormatValue("%3.2f", p.z);
}

SiteVerdict verdictOf(bool crossesTop, bool crossesPerson)
{
    return !crossesTop ? SiteVerdict::Inside : crossesPerson ? SiteVerdict::Exceeded : SiteVerdict::SideViews;
}

} // namespace

std::string SiteDistanceText(double x)
{
    return std::isfinite(x) ? FormatValue("%3.2f m", RoundUpTo(x, 2)) : "---";
}

std::string SiteMarginText(double x)
{
    return std::isfinite(x) ? FormatValue("%3.2f m", RoundDownTo(x, 2)) : "---";
}

std::string SiteQuotientText(double q)
{
    return std::isfinite(q) ? FormatValue("%3.2f", RoundUpTo(q, 2)) : "---";
}

std::string SiteEirpText(double w)
{
    return std::isfinite(w) ? FormatValue("%3.2f W", RoundUpTo(w, 2)) : "---";
}

std::string VerdictText(SiteVerdict verdict)
{
    switch (verdict) {
    case SiteVerdict::Inside:
        return "innerhalb";
    case SiteVerdict::SideViews:
        return "Dreiseitenansicht nötig";
    case SiteVerdict::Exceeded:
        return "überschritten";
    }
    return "---";
}

SiteResult CalculateSite(const Site &site, const std::string &siteFolder, const StationModel &base,
                         const std::string &fileLabel)
{
    SiteResult result;
    result.site = site;
    const TAntennen *catalogue = base.catalogue();
    const double H = site.personHeight;

    for (const SiteAntenna &a : site.antennas) {
        const std::string path =
            !a.configuration.empty() && a.configuration.front() == '/' ? a.configuration : siteFolder + a.configuration;
        const StationModel m = openConfiguration(base, path, fileLabel, a);
        const StationInputs inputs = m.stationInputs();
        const bool chosen = catalogue && !inputs.antennaName.empty();

        SiteAntennaResult r;
        r.name = a.name;
        r.configuration = a.configuration;
        r.inputs = inputs;
        if (chosen) {
            r.catalogueAntenna = inputs.antennaName + " (" + inputs.manufacturer + ")";
            const int index = catalogue->IndexOf(inputs.antennaName, inputs.manufacturer);
            if (index >= 0 && index < static_cast<int>(catalogue->Typen().size()))
                r.antennaType = catalogue->Typen()[index];
        }
        r.height = inputs.height;
        if (a.bands) {
            for (const SiteBand &b : *a.bands) {
                StationInputs in = inputs;
                in.power = b.pep;
                StationBand band = CalculateStationBand(in, catalogue, b.band);
                // The window's chain would take gain 0 there and understate the distance.
                if (chosen && band.matchingLine < 0)
                    fail(fileLabel, a, "Baender",
                         "Die Antenne " + quoted(inputs.antennaName) + " hat im Katalog keine Zeile für das Band "
                             + BandName(b.band) + " (Frequenz ±10 %).");
                r.bands.push_back(std::move(band));
            }
        } else {
            r.bands = CalculateAllBands(inputs, catalogue);
            if (r.bands.empty())
                fail(fileLabel, a, "Konfiguration",
                     "Die Antenne " + quoted(inputs.antennaName) + " hat im Katalog für kein Band eine Zeile.");
        }

        for (const StationBand &b : r.bands) {
            const double d = b.farField.SafetyDistance;
            if (!(d >= 0) || !std::isfinite(d))
                fail(fileLabel, a, a.bands ? "Baender" : "Konfiguration",
                     "Für das Band " + BandName(b.band) + " gibt es keinen Grenzwert.");
            const auto &angles = b.angles;
            const bool contour = a.angleDamping && b.angleDataPresent && !angles.Angles.empty();
            double bandDistance = d;
            if (contour) {
                r.zone.addContour(std::vector<int>(angles.Angles.begin(), angles.Angles.end()), angles.DistanceByAngle);
                bandDistance = *std::max_element(angles.DistanceByAngle.begin(), angles.DistanceByAngle.end());
            } else {
                r.zone.addSphere(d);
            }
            r.angleZone.push_back(contour);
            if (bandDistance > r.safetyDistance || r.safetyBand == 0)
                r.safetyDistance = std::max(r.safetyDistance, bandDistance), r.safetyBand = b.band;
            if (b.farField.EIRP > r.largestEirp || r.eirpBand == 0)
                r.largestEirp = std::max(r.largestEirp, b.farField.EIRP), r.eirpBand = b.band;
        }
        r.topRadius = r.zone.topRadius();
        r.personRadius = r.zone.radiusBetween(-r.height, H - r.height);
        r.boundaryDistance = site::SmallestSignedDistance(site.area, a.points);
        r.margin = r.boundaryDistance - r.topRadius;
        r.personMargin = r.boundaryDistance - r.personRadius;
        // An antenna outside whose zone never comes down to where people are needs the side views.
        const bool crossesTop = r.margin < 0;
        const bool crossesPeople = r.personRadius > 0 && r.personMargin < 0;
        r.verdict = verdictOf(crossesTop, crossesPeople);
        result.antennas.push_back(std::move(r));
    }

    for (size_t i = 0; i < result.antennas.size(); ++i) {
        const SiteAntennaResult &r = result.antennas[i];
        if (r.largestEirp > result.largestEirp || i == 0)
            result.largestEirp = r.largestEirp, result.eirpAntenna = i, result.eirpBand = r.eirpBand;
    }
    result.notificationRequired = result.largestEirp >= kNotificationEirp;

    std::vector<std::string> order;
    std::map<std::string, std::vector<size_t>> members;
    for (size_t i = 0; i < site.antennas.size(); ++i) {
        const std::string &g = site.antennas[i].group;
        if (g.empty())
            continue;
        if (!members.count(g))
            order.push_back(g);
        members[g].push_back(i);
    }
    for (const std::string &name : order) {
        if (members[name].size() < 2)
            continue;
        SiteGroupResult g;
        g.name = name;
        g.members = members[name];
        std::vector<site::Radiator> radiators;
        double top = H;
        for (size_t i : g.members) {
            const SiteAntennaResult &r = result.antennas[i];
            radiators.push_back({site.antennas[i].points, r.height, &r.zone});
            top = std::max(top, r.height + r.zone.reach());
            g.eirpSum += r.largestEirp;
        }
        g.any = site::LargestQuotientOutside(site.area, radiators, 0, top);
        g.person = site::LargestQuotientOutside(site.area, radiators, 0, H);
        g.verdict = verdictOf(!(g.any.value < 1), !(g.person.value < 1));
        const site::Box box = site::OutlineBox(radiators);
        g.outline = site::QuotientOutline(radiators, 0, top, box);
        g.personOutline = site::QuotientOutline(radiators, 0, H, box);
        result.notificationRequired |= g.eirpSum >= kNotificationEirp;
        result.groups.push_back(std::move(g));
    }
    return result;
}

std::vector<std::string> SiteReportLines(const SiteResult &result, const std::string &siteName)
{
    const Site &s = result.site;
    std::vector<std::string> lines;
    lines.push_back("Standort;Rufzeichen;Betreiber;Anschrift;Datum");
    lines.push_back(csv(siteName) + ";" + csv(s.callsign) + ";" + csv(s.operatorName) + ";" + csv(s.address) + ";"
                    + csv(s.date));
    lines.push_back("Antenne;Konfiguration;Katalogantenne;Höhe;Band mit größtem Abstand;Sicherheitsabstand;"
                    "Radius Draufsicht;Radius in Aufenthaltshöhe;Abstand zur Grenze;"
                    "Abstand zur Grenze in Aufenthaltshöhe;Ergebnis");
    for (const SiteAntennaResult &a : result.antennas)
        lines.push_back(csv(a.name) + ";" + csv(a.configuration) + ";"
                        + (a.catalogueAntenna.empty() ? "---" : csv(a.catalogueAntenna)) + ";"
                        + FormatValue("%3.2f m", a.height) + ";" + BandName(a.safetyBand) + ";"
                        + SiteDistanceText(a.safetyDistance) + ";" + SiteDistanceText(a.topRadius) + ";"
                        + SiteDistanceText(a.personRadius) + ";" + SiteMarginText(a.margin) + ";"
                        + SiteMarginText(a.personMargin) + ";" + VerdictText(a.verdict));
    lines.push_back(
        "Gruppe;Antennen;größte Summe außerhalb;Ort;größte Summe außerhalb in Aufenthaltshöhe;Ort;Ergebnis");
    auto names = [&](const std::vector<size_t> &members) {
        std::string text;
        for (size_t i : members)
            text += (text.empty() ? "" : ",") + csv(result.antennas[i].name);
        return text;
    };
    for (const SiteGroupResult &g : result.groups)
        lines.push_back(csv(g.name) + ";" + names(g.members) + ";" + SiteQuotientText(g.any.value) + ";"
                        + placeText(g.any.where) + ";" + SiteQuotientText(g.person.value) + ";"
                        + placeText(g.person.where) + ";" + VerdictText(g.verdict));
    lines.push_back("Anzeige;größte EIRP;Antenne;Band;erforderlich");
    if (!result.antennas.empty())
        lines.push_back("Standort;" + SiteEirpText(result.largestEirp) + ";"
                        + csv(result.antennas[result.eirpAntenna].name) + ";" + BandName(result.eirpBand) + ";"
                        + (result.notificationRequired ? "ja" : "nein"));
    for (const SiteGroupResult &g : result.groups)
        lines.push_back("Gruppe " + csv(g.name) + ";" + SiteEirpText(g.eirpSum) + ";" + names(g.members) + ";;"
                        + (g.eirpSum >= kNotificationEirp ? "ja" : "nein"));
    return lines;
}
