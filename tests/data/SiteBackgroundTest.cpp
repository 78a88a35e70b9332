#include "data/SiteBackground.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

const char *const kGarden = "[Standort]\nRufzeichen=DL0XYZ\n\n"
                            "[Kontrollierbarer Bereich]\nPunkte=0 0; 25 0; 25 18; 0 18\n\n"
                            "[Antenne A]\nKonfiguration=Beam 20m.txt\nPunkte=12,5 9\n";

Site withSection(const std::string &section)
{
    return ParseSite(kGarden + ("\n[Hintergrund]\n" + section), "Garten.standort");
}

site::Point mapped(const SiteAffine &t, site::Point p)
{
    return t.map(p);
}

} // namespace

TEST(SiteBackground, SectionComesBackThroughTheFile)
{
    SiteBackground points;
    points.file = "Karten/Flur 3.png";
    points.calibration = BackgroundCalibration::TwoPoints;
    points.scale1 = {10.5, 20};
    points.scale2 = {110.5, 20};
    points.scaleLength = 12.5;
    points.origin = site::Point{50, 60.25};
    SiteBackground world;
    world.file = "/srv/kataster.pdf";
    world.page = 3;
    world.calibration = BackgroundCalibration::WorldFile;
    world.world = {0.25, 0.01, 0.01, -0.25, 32512345.5, 5612345.25};
    SiteBackground none;
    none.file = "skizze.svg";

    for (const SiteBackground &b : {points, world, none}) {
        Site site = withSection("Datei=alt.png\n");
        SetSiteBackground(site, b);
        ASSERT_EQ(site.extraSections.size(), 1u); // replaced, not added
        std::string text;
        for (const std::string &line : SiteLines(site))
            text += line + "\n";
        const Site back = ParseSite(text, "Garten.standort");
        EXPECT_EQ(SiteBackgroundOf(back, "Garten.standort"), b) << text;
    }
    Site site = withSection("Datei=alt.png\n");
    SetSiteBackground(site, std::nullopt);
    EXPECT_TRUE(site.extraSections.empty());
    EXPECT_FALSE(SiteBackgroundOf(site, "Garten.standort"));
}

TEST(SiteBackground, DamagedSectionsNameTheirKey)
{
    const struct {
        const char *section, *message;
    } cases[] = {
        {"Seite=2\n", "[Hintergrund] Datei: Es ist keine Bilddatei angegeben."},
        {"Datei=a.pdf\nSeite=0\n", "[Hintergrund] Seite: „0“ ist keine Seitennummer ab 1."},
        {"Datei=a.png\nKalibrierung=Lineal\n", "[Hintergrund] Kalibrierung: „Lineal“ ist weder"},
        {"Datei=a.png\nKalibrierung=Punkte\nLaenge=10\n", "[Hintergrund] Massstab: Der Schlüssel fehlt."},
        {"Datei=a.png\nKalibrierung=Punkte\nMassstab=1 1; 1 1\nLaenge=10\n", "Die beiden Punkte fallen zusammen."},
        {"Datei=a.png\nKalibrierung=Punkte\nMassstab=1 1; 9 1\nLaenge=0\n", "[Hintergrund] Laenge: „0“"},
        {"Datei=a.png\nUrsprung=12\n", "[Hintergrund] Ursprung: „12“ ist kein Punkt"},
        {"Datei=a.png\nKalibrierung=Weltdatei\nWeltdatei=1; 0; 0; -1; 0\n", "nicht sechs Zahlen"},
        {"Datei=a.png\nKalibrierung=Weltdatei\nWeltdatei=0; 0; 0; 0; 5; 5\n", "Die Pixelgröße ist 0."},
    };
    for (const auto &c : cases) {
        try {
            SiteBackgroundOf(withSection(c.section), "Garten.standort");
            ADD_FAILURE() << c.section;
        } catch (const SiteError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("Garten.standort, [Hintergrund] ", 0), 0u) << e.what();
        }
    }
}

TEST(SiteBackground, PictureUnitsToPlanMetres)
{
    SiteBackground b;
    EXPECT_FALSE(PictureToPlan(b, {300, 200})); // no scale yet

    // Two points 100 units apart at 10 m; origin at (50, 80); v grows downwards, y upwards.
    b.calibration = BackgroundCalibration::TwoPoints;
    b.scale1 = {20, 20};
    b.scale2 = {80, 100};
    b.scaleLength = 10;
    b.origin = site::Point{50, 80};
    auto t = PictureToPlan(b, {300, 200});
    ASSERT_TRUE(t);
    EXPECT_EQ(mapped(*t, {50, 80}), (site::Point{0, 0}));
    EXPECT_EQ(mapped(*t, {150, 80}), (site::Point{10, 0}));
    EXPECT_EQ(mapped(*t, {50, 30}), (site::Point{0, 5}));
    // Without an origin the picture's centre is it.
    b.origin.reset();
    EXPECT_EQ(mapped(*PictureToPlan(b, {300, 200}), {150, 100}), (site::Point{0, 0}));

    // A world file turned by 30°: only the offsets from the origin count, however far off
    // the map coordinates lie.
    const double c = std::cos(M_PI / 6) * 0.2, s = std::sin(M_PI / 6) * 0.2;
    b.calibration = BackgroundCalibration::WorldFile;
    b.world = {c, s, s, -c, 32512345.7, 5612345.1};
    b.origin = site::Point{100, 100};
    t = PictureToPlan(b, {300, 200});
    ASSERT_TRUE(t);
    const site::Point o = mapped(*t, {100, 100}), p = mapped(*t, {110, 100});
    EXPECT_NEAR(o.x, 0, 1e-12);
    EXPECT_NEAR(o.y, 0, 1e-12);
    EXPECT_NEAR(p.x, 10 * c, 1e-12);
    EXPECT_NEAR(p.y, 10 * s, 1e-12);
    EXPECT_NEAR(std::hypot(p.x, p.y), 2, 1e-12); // 10 pixels of 0,2 m
}

TEST(SiteBackground, WorldFilesAreReadOrRefused)
{
    const SiteAffine usual = ParseWorldFile("0.1\r\n0.0\r\n0.0\r\n-0.1\r\n3512345.05\r\n5612345.95\r\n", "k.pgw");
    EXPECT_EQ(usual, (SiteAffine{0.1, 0, 0, -0.1, 3512345.05, 5612345.95}));
    EXPECT_EQ(ParseWorldFile("\n2,5e-1\n0\n0\n-2.5E-1\n1\n2\n\n", "k.wld"), (SiteAffine{0.25, 0, 0, -0.25, 1, 2}));

    const struct {
        const char *text, *message;
    } refused[] = {
        {"0.1\n0\n0\n-0.1\n1\n", "hat 5 Zahlen statt sechs"},
        {"0.1\n0\n0\n-0.1\n1\n2\n3\n", "hat 7 Zahlen statt sechs"},
        {"0.1\nnull\n0\n-0.1\n1\n2\n", "„null“ ist keine Zahl"},
        {"0\n0\n0\n-0.1\n1\n2\n", "Die Pixelgröße ist 0."},
        {"0.00001\n0\n0\n-0.00001\n1\n2\n", "kleiner als 0,1 mm"},
        {"500\n0\n0\n-500\n1\n2\n", "größer als 100 m"},
        {"1e300\n0\n0\n-1\n1\n2\n", "zu groß"},
        {"0.1\n0.1\n0.1\n0.1\n1\n2\n", "auf eine Linie"},
    };
    for (const auto &r : refused) {
        try {
            ParseWorldFile(r.text, "k.pgw");
            ADD_FAILURE() << r.text;
        } catch (const SiteError &e) {
            EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("k.pgw: ", 0), 0u) << e.what();
        }
    }
}

TEST(SiteBackground, WorldFileBesideThePicture)
{
    EXPECT_EQ(WorldFileCandidates("/k/Flur.png"), (std::vector<std::string>{"/k/Flur.pgw", "/k/Flur.wld"}));
    EXPECT_EQ(WorldFileCandidates("/k/Flur.jpg"), (std::vector<std::string>{"/k/Flur.jgw", "/k/Flur.wld"}));
    EXPECT_EQ(WorldFileCandidates("/k/Flur.bmp"), (std::vector<std::string>{"/k/Flur.bpw", "/k/Flur.wld"}));
    EXPECT_EQ(WorldFileCandidates("/k/Flur.pdf"), (std::vector<std::string>{"/k/Flur.wld"}));
    EXPECT_EQ(WorldFileCandidates("/k.d/Flur"), (std::vector<std::string>{"/k.d/Flur.wld"}));

    TempDir dir;
    EXPECT_FALSE(FindWorldFile(dir.file("Flur.png")));
    WriteBytes(dir.file("Flur.wld"), "1\n0\n0\n-1\n0\n0\n");
    WriteBytes(dir.file("Flur.pgw"), "0.5\n0\n0\n-0.5\n0\n0\n");
    const auto found = FindWorldFile(dir.file("Flur.png"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, dir.file("Flur.pgw"));
    EXPECT_EQ(found->numbers.a, 0.5);
    WriteBytes(dir.file("Flur.pgw"), "0\n0\n0\n0\n0\n0\n");
    EXPECT_THROW(FindWorldFile(dir.file("Flur.png")), SiteError);
}
