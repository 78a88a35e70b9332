#include "data/SiteFile.h"

#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

const char *const kSite = "[Standort]\n"
                          "Rufzeichen=DL0XYZ\n"
                          "Betreiber=Erika Musterfrau\n"
                          "Anschrift=Musterweg 1, 12345 Musterstadt\n"
                          "Datum=10.12.2026\n"
                          "Aufenthaltshoehe=2,5\n"
                          "Nordrichtung=-12,5\n"
                          "\n"
                          "[Kontrollierbarer Bereich]\n"
                          "Punkte=0 0; 25 0; 25 18; 0 18\n"
                          "\n"
                          "[Antenne A]\n"
                          "Konfiguration=Beam 20m.txt\n"
                          "Punkte=12,5 9\n"
                          "Baender=20m 750; 15m 750; 10m 400\n"
                          "Winkeldaempfung=ja\n"
                          "Gruppe=1\n"
                          "\n"
                          "[Antenne Draht]\n"
                          "Konfiguration=Unterordner/Dipol 80m.txt\n"
                          "Punkte=2 15; 22 15;\n";

Site parsed(const std::string &text = kSite)
{
    return ParseSite(text, "Garten.standort");
}

// The text with one line replaced (1-based).
std::string withLine(int line, const std::string &replacement)
{
    std::string text = kSite, out;
    int n = 1;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1, ++n)
        out += (n == line ? replacement : text.substr(start, end - start)) + "\n";
    return out;
}

} // namespace

TEST(SiteFileTest, ReadsEverySection)
{
    const Site s = parsed();
    EXPECT_EQ(s.callsign, "DL0XYZ");
    EXPECT_EQ(s.operatorName, "Erika Musterfrau");
    EXPECT_EQ(s.address, "Musterweg 1, 12345 Musterstadt");
    EXPECT_EQ(s.date, "10.12.2026");
    EXPECT_DOUBLE_EQ(s.personHeight, 2.5);
    EXPECT_DOUBLE_EQ(s.north, -12.5);
    EXPECT_EQ(s.area, (site::Polygon{{0, 0}, {25, 0}, {25, 18}, {0, 18}}));
    ASSERT_EQ(s.antennas.size(), 2u);
    const SiteAntenna &a = s.antennas[0];
    EXPECT_EQ(a.name, "A");
    EXPECT_EQ(a.configuration, "Beam 20m.txt");
    EXPECT_EQ(a.points, (std::vector<site::Point>{{12.5, 9}}));
    ASSERT_TRUE(a.bands);
    EXPECT_EQ(*a.bands, (std::vector<SiteBand>{{8, 750}, {10, 750}, {12, 400}}));
    EXPECT_TRUE(a.angleDamping);
    EXPECT_EQ(a.group, "1");
    const SiteAntenna &wire = s.antennas[1];
    EXPECT_EQ(wire.name, "Draht");
    EXPECT_EQ(wire.points.size(), 2u); // the trailing ";" adds no point
    EXPECT_FALSE(wire.bands);
    EXPECT_FALSE(wire.angleDamping);
    EXPECT_EQ(wire.group, "");
}

TEST(SiteFileTest, DefaultsAndClosedRing)
{
    const Site s = parsed("[Kontrollierbarer Bereich]\nPunkte=0 0; 10 0; 10 10; 0 0\n"
                          "[Antenne A]\nKonfiguration=a.txt\nPunkte=5 5\n");
    EXPECT_EQ(s.date, TodayGermanDate());
    EXPECT_DOUBLE_EQ(s.personHeight, 2);
    EXPECT_DOUBLE_EQ(s.north, 0);
    EXPECT_EQ(s.area.size(), 3u); // the first point written again closes the ring, no more
}

TEST(SiteFileTest, EncodingsAndLineEnds)
{
    const std::string utf8 = std::string(kSite).replace(std::string(kSite).find("Musterweg"), 9, "Straße");
    std::string crlf;
    for (char c : utf8)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string &text : {utf8, crlf, EncodeWindows1252(crlf)}) {
        const Site s = ParseSite(DecodeText(text), "x");
        EXPECT_EQ(s.address, "Straße 1, 12345 Musterstadt");
        EXPECT_EQ(s.antennas.size(), 2u);
    }
}

TEST(SiteFileTest, WrittenFileReadsBackWithWhatItDidNotKnow)
{
    std::string text = kSite;
    text.insert(text.find("[Kontrollierbarer"), "Notiz=Garten hinter dem Haus\n\n");
    text += "Mast=am Schuppen\n\n[Hintergrund]\nDatei=Flurkarte.pdf\nSeite=2\n";
    Site s = parsed(text);
    s.antennas[0].points = {{1.0 / 3, -0.1}}; // numbers that need every digit
    TempDir dir;
    WriteSite(dir.file("a.standort"), s);
    const std::string bytes = ReadFileBytes(dir.file("a.standort"));
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    const Site back = ReadSite(dir.file("a.standort"));
    EXPECT_EQ(SiteLines(back), SiteLines(s));
    EXPECT_EQ(back.antennas[0].points, s.antennas[0].points);
    EXPECT_EQ(back.siteExtra, (IniEntries{{"Notiz", "Garten hinter dem Haus"}}));
    EXPECT_EQ(back.antennas[1].extra, (IniEntries{{"Mast", "am Schuppen"}}));
    ASSERT_EQ(back.extraSections.size(), 1u);
    EXPECT_EQ(back.extraSections[0].name, "Hintergrund");
    EXPECT_EQ(back.extraSections[0].entries, (IniEntries{{"Datei", "Flurkarte.pdf"}, {"Seite", "2"}}));
    EXPECT_EQ(*back.antennas[0].bands, *s.antennas[0].bands);
    EXPECT_EQ(back.date, "10.12.2026");
    EXPECT_NE(bytes.find("Punkte=0,3333333333333333 -0,1\r\n"), std::string::npos); // decimal comma
}

TEST(SiteFileTest, ColoursAndDrawingScriptsWithTheirDefaults)
{
    std::string text = kSite;
    text.insert(text.find("[Kontrollierbarer"), "ZeichnungX=Haus vorn.cad\n\n");
    text.insert(text.find("\n[Antenne A]"), "Farbe=255 255 0\n");
    text += "Farbe=  10 20\t30 \n";
    const Site s = parsed(text);
    EXPECT_EQ(s.areaColor, (SiteColor{255, 255, 0}));
    EXPECT_EQ(s.antennas[1].color, (SiteColor{10, 20, 30}));
    EXPECT_FALSE(s.antennas[0].color);
    EXPECT_EQ(AntennaColor(s, 0), (SiteColor{255, 0, 0})); // red by its place, then teal, blue, magenta, olive
    EXPECT_EQ(s.cutScriptX, "Haus vorn.cad");
    EXPECT_EQ(s.cutScriptY, "");
    const Site plain = parsed();
    EXPECT_EQ(plain.areaColor, (SiteColor{0, 255, 255}));
    const SiteColor order[] = {{255, 0, 0}, {0, 128, 128}, {0, 0, 255}, {255, 0, 255}, {128, 128, 0}, {255, 0, 0}};
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(DefaultSiteColor(i), order[i]) << i;

    // Written back: every antenna with the colour it is drawn in, the script kept.
    const std::vector<std::string> lines = SiteLines(s);
    auto has = [&](const std::string &line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("Farbe=255 255 0"));
    EXPECT_TRUE(has("Farbe=255 0 0"));
    EXPECT_TRUE(has("Farbe=10 20 30"));
    EXPECT_TRUE(has("ZeichnungX=Haus vorn.cad"));
    std::string again;
    for (const std::string &line : lines)
        again += line + "\n";
    const Site back = parsed(again);
    EXPECT_EQ(back.antennas[0].color, (SiteColor{255, 0, 0}));
    EXPECT_EQ(back.areaColor, s.areaColor);
    EXPECT_TRUE(back.antennas[0].extra.empty());

    for (const char *bad :
         {"Farbe=256 0 0", "Farbe=1 2", "Farbe=rot", "Farbe=1,5 2 3", "Farbe=-1 0 0", "Farbe=1 2 3 4"}) {
        try {
            parsed(std::string(kSite) + bad + "\n");
            ADD_FAILURE() << "taken: " << bad;
        } catch (const SiteError &e) {
            EXPECT_NE(std::string(e.what()).find("Zeile 22, [Antenne Draht] Farbe: „"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("ist keine Farbe „R G B“"), std::string::npos) << e.what();
        }
    }
}

TEST(SiteFileTest, BadInputNamesFileLineSectionAndKey)
{
    const struct {
        std::string text;
        std::string message; // what the message must hold
    } cases[] = {
        {withLine(10, "Punkte=0 0; 25 0"),
         "Garten.standort, Zeile 10, [Kontrollierbarer Bereich] Punkte: Der Bereich braucht mindestens drei"},
        {withLine(10, "Punkte=0 0; 25 18; 25 0; 0 18"),
         "Zeile 10, [Kontrollierbarer Bereich] Punkte: Der Bereich kreuzt sich selbst"},
        {withLine(14, "Punkte=12,5 x"), "Zeile 14, [Antenne A] Punkte: „x“ ist keine Zahl."},
        {withLine(14, "Punkte=12.5 9"), "Zeile 14, [Antenne A] Punkte: „12.5“ ist keine Zahl."},
        {withLine(14, "Punkte=12,5"), "Zeile 14, [Antenne A] Punkte: „12,5“ ist kein Punkt"},
        {withLine(15, "Baender=21m 100"), "Zeile 15, [Antenne A] Baender: Ein Band „21m“ gibt es nicht."},
        {withLine(15, "Baender=20m 2000000"),
         "Zeile 15, [Antenne A] Baender: „2000000“: Baender muß zwischen 0 und 1000000 W liegen!"},
        {withLine(15, "Baender=20m 750; 20M 100"), "[Antenne A] Baender: Das Band 20m steht doppelt."},
        {withLine(15, "Baender=20m"), "[Antenne A] Baender: „20m“ ist nicht „Band PEP“"},
        {withLine(16, "Winkeldaempfung=vielleicht"),
         "Zeile 16, [Antenne A] Winkeldaempfung: „vielleicht“ ist weder „ja“ noch „nein“."},
        {withLine(19, "[Antenne a]"), "Zeile 19: Zwei Antennen heißen „a“."},
        {withLine(17, "Punkte=1 1"), "[Antenne A] Punkte: Der Schlüssel steht zweimal im Abschnitt (Zeile 17)."},
        {withLine(13, "Konfiguration="),
         "Zeile 13, [Antenne A] Konfiguration: Es ist keine Konfigurationsdatei angegeben."},
        {withLine(14, "; kein Punkt"), "Zeile 12, [Antenne A] Punkte: Der Schlüssel fehlt."},
        {withLine(6, "Aufenthaltshoehe=-1"), "Zeile 6, [Standort] Aufenthaltshoehe:"},
        {withLine(7, "Nordrichtung=Nord"), "Zeile 7, [Standort] Nordrichtung: „Nord“ ist keine Zahl."},
        {withLine(4, "Anschrift"), "Garten.standort, Zeile 4: Die Zeile ist weder"},
        {withLine(12, "[Antenne]"), "Zeile 12, [Antenne]: Die Antenne hat keinen Namen."},
        {withLine(9, "[Anderes]"), "Der Abschnitt [Kontrollierbarer Bereich] fehlt."},
        {"[Kontrollierbarer Bereich]\nPunkte=0 0; 1 0; 1 1\n", "Es ist keine Antenne angegeben"},
    };
    for (const auto &c : cases) {
        try {
            parsed(c.text);
            ADD_FAILURE() << "taken: " << c.message;
        } catch (const SiteError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    try {
        ReadSite("/nicht/vorhanden.standort");
        ADD_FAILURE() << "a missing file was read";
    } catch (const SiteError &e) {
        EXPECT_NE(std::string(e.what()).find("/nicht/vorhanden.standort"), std::string::npos) << e.what();
    }
}
