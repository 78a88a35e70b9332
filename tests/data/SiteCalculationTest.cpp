#include "data/SiteCalculation.h"

#include "MessageRecorder.h"
#include "ShippedStation.h"
#include "util/DecimalText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

const std::string kFolder = FELDORA_TEST_DATA "/site/";
const StationModel &started() { return ShippedStation(); }

// Configurations of the fixture folder: a 2 m ground plane at 8 m with 100 W, a 20 m/15 m/10 m
// beam at 12 m with 750 W, an 80 m dipole at 10 m with 400 W.
const char *const kVertical = "Vertikal 2m.txt";
const char *const kBeam = "Beam 20m.txt";
const char *const kDipole = "Dipol 80m.txt";

SiteAntenna antenna(const std::string &name, const char *config, std::vector<site::Point> points,
                    std::string group = "")
{
    SiteAntenna a;
    a.name = name;
    a.configuration = config;
    a.points = std::move(points);
    a.group = std::move(group);
    return a;
}

Site garden(std::vector<SiteAntenna> antennas, double personHeight = 2)
{
    Site s;
    s.callsign = "DL0XYZ";
    s.area = {{0, 0}, {25, 0}, {25, 18}, {0, 18}};
    s.personHeight = personHeight;
    s.antennas = std::move(antennas);
    return s;
}

SiteResult calculated(const Site &s)
{
    return CalculateSite(s, kFolder, started(), "Garten.standort");
}

// The far-field distance of a configuration alone, as the table of every band gives it.
double tableDistance(const char *config, BandIndex band)
{
    StationModel m = started();
    EXPECT_TRUE(m.Oeffnen(kFolder + config));
    for (const StationBand &b : CalculateAllBands(m))
        if (b.band == band)
            return b.farField.SafetyDistance;
    ADD_FAILURE() << "no band " << band;
    return 0;
}

} // namespace

TEST(SiteCalculationTest, SingleAntennasWorkedOutByHand)
{
    const double dv = tableDistance(kVertical, 15); // 2m, the ground plane's only band
    const double dd = tableDistance(kDipole, 4);    // 80m
    double db = 0;                                  // the beam's largest over its bands
    for (BandIndex b : {8, 10, 12})
        db = std::max(db, tableDistance(kBeam, b));
    ASSERT_GT(dv, 1);
    ASSERT_LT(dv, 6); // its zone stays above people at 2 m
    ASSERT_GT(db, 10);
    ASSERT_LT(db, std::hypot(10, 9)); // over the fence 9 m away, not at 2 m

    const struct {
        const char *name;
        SiteAntenna a;
        double personHeight;
        double d, boundary, top, person;
        SiteVerdict verdict;
    } cases[] = {
        {"mast in the middle", antenna("A", kVertical, {{12.5, 9}}), 2, dv, 9, dv, 0, SiteVerdict::Inside},
        {"near the boundary", antenna("A", kVertical, {{24, 9}}), 2, dv, 1, dv, 0, SiteVerdict::SideViews},
        // People up to 7 m: the sphere at 8 m reaches them, outside the area.
        {"outside", antenna("A", kVertical, {{30, 9}}), 7, dv, -5, dv, std::sqrt(dv * dv - 1), SiteVerdict::Exceeded},
        {"wire along the boundary", antenna("A", kDipole, {{1, 1}, {24, 1}}), 2, dd, 1, dd, 0, SiteVerdict::SideViews},
        {"beam over the fence", antenna("A", kBeam, {{12.5, 9}}), 2, db, 9, db, std::sqrt(db * db - 100),
         SiteVerdict::SideViews},
        {"beam, people up to 5 m", antenna("A", kBeam, {{12.5, 9}}), 5, db, 9, db, std::sqrt(db * db - 49),
         SiteVerdict::Exceeded},
    };
    for (const auto &c : cases) {
        const SiteResult r = calculated(garden({c.a}, c.personHeight));
        ASSERT_EQ(r.antennas.size(), 1u);
        const SiteAntennaResult &a = r.antennas[0];
        EXPECT_NEAR(a.safetyDistance, c.d, 1e-12) << c.name;
        EXPECT_NEAR(a.boundaryDistance, c.boundary, 1e-9) << c.name;
        EXPECT_NEAR(a.topRadius, c.top, 1e-12) << c.name;
        EXPECT_NEAR(a.personRadius, c.person, 1e-9) << c.name;
        EXPECT_NEAR(a.margin, c.boundary - c.top, 1e-9) << c.name;
        EXPECT_NEAR(a.personMargin, c.boundary - c.person, 1e-9) << c.name;
        EXPECT_EQ(a.verdict, c.verdict) << c.name;
    }
}

TEST(SiteCalculationTest, BandsAreTheTableOfEveryBand)
{
    Site s = garden({antenna("A", kVertical, {{12.5, 9}}), antenna("B", kBeam, {{12.5, 9}})});
    s.antennas[1].bands = std::vector<SiteBand>{{8, 750}, {10, 200}};
    const SiteResult r = calculated(s);

    StationModel vertical = started();
    ASSERT_TRUE(vertical.Oeffnen(kFolder + kVertical));
    const std::vector<StationBand> table = CalculateAllBands(vertical);
    ASSERT_EQ(r.antennas[0].bands.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(r.antennas[0].bands[i].band, table[i].band);
        EXPECT_EQ(r.antennas[0].bands[i].farField.SafetyDistance, table[i].farField.SafetyDistance);
    }

    // Each band at its own power: the table of the configuration at that power.
    StationModel beam = started();
    ASSERT_TRUE(beam.Oeffnen(kFolder + kBeam));
    StationInputs at200 = beam.stationInputs();
    at200.power = 200;
    const StationBand on15m = CalculateStationBand(at200, beam.catalogue(), 10);
    ASSERT_EQ(r.antennas[1].bands.size(), 2u);
    EXPECT_EQ(r.antennas[1].bands[1].farField.SafetyDistance, on15m.farField.SafetyDistance);
    EXPECT_EQ(r.antennas[1].bands[1].farField.EIRP, on15m.farField.EIRP);
    EXPECT_EQ(r.antennas[1].safetyBand, 8); // 750 W on 20m beat 200 W on 15m
    EXPECT_EQ(r.antennas[1].catalogueAntenna, "Tribander 3 El. (Beams)");
}

TEST(SiteCalculationTest, AngleDampingNarrowsTheZoneBelow)
{
    Site s = garden({antenna("A", kBeam, {{12.5, 9}}), antenna("B", kBeam, {{12.5, 9}})}, 5);
    s.antennas[1].angleDamping = true;
    const SiteResult r = calculated(s);
    const SiteAntennaResult &plain = r.antennas[0], &damped = r.antennas[1];
    ASSERT_EQ(damped.angleZone, std::vector<bool>(3, true)); // the beam has angle data on all three bands
    // Full gain in the main direction: the same largest distance and top-view radius.
    EXPECT_NEAR(damped.safetyDistance, plain.safetyDistance, 1e-9);
    EXPECT_NEAR(damped.topRadius, plain.topRadius, 1e-9);
    // 7 m below the beam the pattern is weaker than the sphere.
    EXPECT_LT(damped.personRadius, plain.personRadius);
    EXPECT_EQ(plain.verdict, SiteVerdict::Exceeded);
}

TEST(SiteCalculationTest, GroupsSumTheirZones)
{
    const double d = tableDistance(kVertical, 15);
    const struct {
        const char *name;
        std::vector<site::Point> a, b;
        // The largest quotient on the fence y = 0 at the antennas' height and at 2 m.
        double (*onFence)(double d, double x, double z);
    } cases[] = {
        {"at one point",
         {{12.5, 9}},
         {{12.5, 9}},
         [](double d, double x, double z) { return 2 * d * d / ((x - 12.5) * (x - 12.5) + 81 + (8 - z) * (8 - z)); }},
        {"10 m apart",
         {{15, 9}},
         {{25, 9}},
         [](double d, double x, double z) {
             const double v = (8 - z) * (8 - z) + 81;
             return d * d / ((x - 15) * (x - 15) + v) + d * d / ((x - 25) * (x - 25) + v);
         }},
    };
    for (const auto &c : cases) {
        Site s = garden({antenna("A", kVertical, c.a, "1"), antenna("B", kVertical, c.b, "1")});
        if (c.b.front().x > 20) // 40 m wide: the long fences are the nearest
            s.area = {{0, 0}, {40, 0}, {40, 18}, {0, 18}};
        const SiteResult r = calculated(s);
        ASSERT_EQ(r.groups.size(), 1u);
        const SiteGroupResult &g = r.groups[0];
        EXPECT_EQ(g.members, (std::vector<size_t>{0, 1}));
        double any = 0, person = 0;
        for (double x = 0; x <= 40; x += 1e-3)
            any = std::max(any, c.onFence(d, x, 8)), person = std::max(person, c.onFence(d, x, 2));
        EXPECT_NEAR(g.any.value, any, 1e-6 * any) << c.name;
        EXPECT_NEAR(g.person.value, person, 1e-6 * person) << c.name;
        EXPECT_NEAR(g.any.where.z, 8, 1e-3) << c.name;
        EXPECT_NEAR(g.person.where.z, 2, 1e-9) << c.name;
        EXPECT_EQ(g.verdict, SiteVerdict::Inside) << c.name;
    }
    // Two at one point with sqrt(d1^2 + d2^2) exactly to the fence: Q reaches 1 there.
    const double fence = std::sqrt(2) * d;
    const SiteResult touching = calculated(
        garden({antenna("A", kVertical, {{12.5, fence}}, "1"), antenna("B", kVertical, {{12.5, fence}}, "1")}));
    EXPECT_NEAR(touching.groups[0].any.value, 1, 1e-9);
    EXPECT_NE(touching.groups[0].verdict, SiteVerdict::Exceeded); // above the people
}

TEST(SiteCalculationTest, NotificationThresholdCountsGroupSums)
{
    Site probe = garden({antenna("A", kVertical, {{12.5, 9}})});
    probe.antennas[0].bands = std::vector<SiteBand>{{15, 1}};
    const double eirpPerWatt = calculated(probe).antennas[0].largestEirp;
    ASSERT_GT(eirpPerWatt, 0);

    const double pep = 6 / eirpPerWatt; // 6 W EIRP each
    for (const bool grouped : {false, true}) {
        Site s = garden({antenna("A", kVertical, {{5, 9}}, grouped ? "g" : ""),
                         antenna("B", kVertical, {{20, 9}}, grouped ? "g" : "")});
        for (SiteAntenna &a : s.antennas)
            a.bands = std::vector<SiteBand>{{15, pep}};
        const SiteResult r = calculated(s);
        EXPECT_NEAR(r.largestEirp, 6, 1e-9);
        EXPECT_EQ(r.notificationRequired, grouped);
        if (grouped) {
            EXPECT_NEAR(r.groups.at(0).eirpSum, 12, 1e-9);
        }
    }
}

TEST(SiteCalculationTest, RefusalsNameAntennaAndBand)
{
    Site wrongBand = garden({antenna("Beam", kBeam, {{12.5, 9}})});
    wrongBand.antennas[0].bands = std::vector<SiteBand>{{8, 750}, {15, 100}};
    wrongBand.antennas[0].source.keyLines = {{"Baender", 17}};
    Site missing = garden({antenna("X", "fehlt.txt", {{12.5, 9}})});
    const struct {
        Site site;
        const char *message;
    } cases[] = {
        {wrongBand, "Garten.standort, Zeile 17, [Antenne Beam] Baender: Die Antenne „Tribander 3 El.“ hat im Katalog "
                    "keine Zeile für das Band 2m"},
        {missing, "Garten.standort, [Antenne X] Konfiguration: „fehlt.txt“: "},
    };
    for (const auto &c : cases) {
        MessageRecorder messages; // the configuration's own message goes into the error, not to the user
        try {
            calculated(c.site);
            ADD_FAILURE() << c.message;
        } catch (const SiteError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_TRUE(messages.messages().empty());
    }
}

TEST(SiteCalculationTest, ReportRoundsAwayFromTheUnsafeSide)
{
    Site s = garden({antenna("A", kVertical, {{24, 9}}, "1"), antenna("B", kVertical, {{30, 9}}, "1")});
    s.address = "Musterweg 1; Hinterhaus";
    const SiteResult r = calculated(s);
    const std::vector<std::string> lines = SiteReportLines(r, "Garten.standort");
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], "Garten.standort;DL0XYZ;;Musterweg 1, Hinterhaus;" + s.date);
    const double d = r.antennas[0].safetyDistance;
    const std::string up = FormatValue("%3.2f m", std::ceil(d * 100) / 100);
    const std::string down = FormatValue("%3.2f m", std::floor((1 - d) * 100) / 100);
    EXPECT_EQ(lines[3], "A;Vertikal 2m.txt;Groundplane 2m (Vertikale);8,00 m;2m;" + up + ";" + up + ";0,00 m;" + down
                            + ";1,00 m;Dreiseitenansicht nötig");
    // B stands outside at the antennas' height: no bound there, none where people are.
    EXPECT_EQ(lines[6].substr(0, 12), "1;A,B;---;30");
    EXPECT_NE(lines[6].find(";Dreiseitenansicht nötig"), std::string::npos) << lines[6];
    EXPECT_EQ(lines[7], "Anzeige;größte EIRP;Antenne;Band;erforderlich");
    EXPECT_EQ(lines[8].substr(0, 9), "Standort;");
    EXPECT_EQ(lines[9].substr(0, 9), "Gruppe 1;");
}
