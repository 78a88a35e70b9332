#include "print/DruckenText.h"

#include "util/TextRoutines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

PrintoutTexts SampleStation()
{
    PrintoutTexts t;
    t.callsign = "DL9XYZ";
    t.band = "2m";
    t.frequency = "145,000";
    t.antennaName = "Yagi 10 El.";
    t.antennaType = "Yagi";
    t.height = "12";
    t.operatingMode = "FM";
    t.dutyCycle = "6 Minuten";
    t.modeFactorSet = "BNetzA";
    t.power = "50";
    t.gain = "11,5 dBd";
    t.cableType = "Aircell 7";
    t.cableLength = "25";
    t.otherAttenuations = "0,5";
    t.feedAttenuation = "2,31";
    t.eLimit = "28,00 V/m";
    t.hLimit = "0,0730 A/m";
    t.fModPers = "1,00";
    t.fB = "1,00";
    t.antennaInputPower = "29,37 W";
    t.eirp = "835,32 W";
    t.safetyDistance = "5,65 m";
    t.nearFieldLimit = "0,33 m";
    t.wiesbeckAntenna = "Yagi 2m";
    t.wiesbeckDirectivity = "13,65";
    t.alternativeDirectivity = "12,00";
    t.useAlternativeDirectivity = true;
    t.groundHeightFactor = "1,20";
    t.safetyFactor = "1,00";
    t.wiesbeckEirp = "905,17";
    t.wiesbeckDistance = "4,12 m";
    t.version = "v 2.1.0";
    return t;
}

struct ExpectedLine {
    double y;
    int pt;
    bool bold;
    const char *text;
};

void ExpectLines(const std::vector<PrintLine> &actual, const std::vector<ExpectedLine> &expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_DOUBLE_EQ(actual[i].yMm, expected[i].y);
        EXPECT_EQ(actual[i].fontPt, expected[i].pt);
        EXPECT_EQ(actual[i].bold, expected[i].bold);
        EXPECT_EQ(actual[i].text, expected[i].text);
    }
}

// Everything down to the near-field note, the same with and without Wiesbeck block.
const std::vector<ExpectedLine> kOverviewTop = {
    {30, 18, true, "Übersicht für eine Konfiguration"},
    {40, 18, false, "Band: 2m"},
    {48, 18, false, "Frequenz [MHz]: 145,000"},
    {60, 13, true, "Eingaben"},
    {65, 13, false, "AntennenName       : Yagi 10 El."},
    {70, 13, false, "AntennenTyp        : Yagi"},
    {75, 13, false, "Höhe               : 12 m"},
    {80, 13, false, "Betriebsart        : FM"},
    {85, 13, false, "TXRX-Integration   : 6 Minuten"},
    {90, 13, false, "Satz Mode-Faktoren : BNetzA"},
    {95, 13, false, "Leistung           : 50 W"},
    {100, 13, false, "Gewinn             : 11,5 dBd"},
    {105, 13, false, "Kabeltyp           : Aircell 7"},
    {110, 13, false, "Kabellänge         : 25 m"},
    {115, 13, false, "Sonstige Dämpfungen: 0,5 dB"},
    {123, 13, true, "Ausgaben"},
    {128, 13, false, "Speisedämpfung                : 2,31 dB"},
    {133, 13, false, "Grenzwert E-Feld              : 28,00 V/m"},
    {138, 13, false, "Grenzwert H-Feld              : 0,0730 A/m"},
    {143, 13, false, "F(modPers)                    : 1,00"},
    {148, 13, false, "F(B)                          : 1,00"},
    {153, 13, false, "Antenneneingangsleistung      : 29,37 W"},
    {158, 13, false, "EIRP                          : 835,32 W"},
    {171, 13, true, "Fernfeld-Rechnung"},
    {176, 13, false, "Sicherheitsabstand             : 5,65 m"},
    {181, 13, false, "Grenze des reaktiven Nahfeldes : 0,33 m"},
    {186, 10, false,
     "Hinweis: Falls der Abstand der Antenne zum kontrollierbaren Bereich kleiner ist als das reaktive "
     "Nahfeld, muss eine Nahfeldbetrachtung gemacht werden!"},
};

const std::vector<ExpectedLine> kWiesbeckBlock = {
    {205, 13, true, "Wiesbeck-Rechnung"},
    {210, 13, false, "Wiesbeck-Antenne           : Yagi 2m"},
    {215, 13, false, "Wiesbeck-Directivity       : 13,65 dBi"},
    {220, 13, false, "Alternative Directivity    : 12,00 dBi"},
    {225, 13, false, "Verwende alt. Directivity  : Ja"},
    {230, 13, false, "Faktor Boden/Höhe          : 1,20"},
    {235, 13, false, "Faktor Sicherheit          : 1,00"},
    {240, 13, false, "EIRP                       : 905,17 W"},
    {245, 13, false, "Wiesbeck-Sicherheitsabstand: 4,12 m"},
    {250, 10, false, "Hinweis: Sicherheitsabstände nach Wiesbeck sind im Nahfeld gültig!"},
};

std::vector<ExpectedLine> Joined(std::vector<ExpectedLine> a, const std::vector<ExpectedLine> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Character column of the first ": " (UTF-8 umlauts count once).
int ColonColumn(const std::string &text)
{
    size_t pos = text.find(": ");
    return pos == std::string::npos ? -1 : CharCount(text.substr(0, pos));
}

} // namespace

TEST(PrintHeaderFooter, HeaderLiteralIsFiftyCharacters)
{
    const std::string header = PageHeaderText("DL9XYZ", "09.12.2025");
    EXPECT_EQ(header, "Dokumentation nach §9 BEMFV                       DL9XYZ, 09.12.2025");
    EXPECT_EQ(CharCount(PageHeaderText("", "")), 50 + 2); // literal plus ", "
    EXPECT_EQ(CharCount(header.substr(0, header.find("DL9XYZ"))), 50);
    EXPECT_EQ(FooterText("v 2.1.0"), "Erstellt mit Feldora v 2.1.0");
}

TEST(PrintFirstPage, FullPageWithWiesbeckBlock)
{
    ExpectLines(FirstPageLines(SampleStation()), Joined(kOverviewTop, kWiesbeckBlock));
}

TEST(PrintFirstPage, LabelsOfEachBlockLineUpTheirValues)
{
    // Values start in one column per block; a label losing or gaining a blank breaks this.
    const auto lines = FirstPageLines(SampleStation());
    struct Block {
        double from, to;
        int colon;
    };
    for (const Block &block : {Block{65, 115, 19}, Block{128, 158, 30}, Block{176, 181, 31}, Block{210, 245, 27}}) {
        for (const PrintLine &line : lines) {
            if (line.yMm >= block.from && line.yMm <= block.to) {
                EXPECT_EQ(ColonColumn(line.text), block.colon) << line.text;
            }
        }
    }
}

TEST(PrintFirstPage, BandLineInFixedFrequencyMode)
{
    struct Case {
        const char *name;
        bool fixedFrequency;
        const char *band;
        const char *expected;
    };
    const Case cases[] = {
        {"band mode", false, "70cm", "Band: 70cm"},
        {"fixed frequency ignores stale band", true, "70cm", "Band: -- kein -- (frequenzgenaue Rechnung)"},
        {"fixed frequency without band", true, "", "Band: -- kein -- (frequenzgenaue Rechnung)"},
    };
    for (const Case &c : cases) {
        PrintoutTexts t = SampleStation();
        t.fixedFrequency = c.fixedFrequency;
        t.band = c.band;
        const auto lines = FirstPageLines(t);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[1].text, c.expected) << c.name;
        EXPECT_DOUBLE_EQ(lines[1].yMm, 40) << c.name;
    }
}

TEST(PrintFirstPage, DashedDirectivityReplacesWiesbeckBlock)
{
    struct Case {
        const char *directivity;
        bool block;
    };
    const Case cases[] = {
        {"---", false},
        {" --- ", false},
        {"0,00", true},
        {"-3,00", true},
        {"--", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.directivity);
        PrintoutTexts t = SampleStation();
        t.wiesbeckDirectivity = c.directivity;
        const auto lines = FirstPageLines(t);
        if (c.block) {
            ASSERT_EQ(lines.size(), kOverviewTop.size() + kWiesbeckBlock.size());
            EXPECT_EQ(lines[kOverviewTop.size() + 2].text,
                      std::string("Wiesbeck-Directivity       : ") + c.directivity + " dBi");
        } else {
            ExpectLines(lines, Joined(kOverviewTop, {{205, 13, true, "Keine Wiesbeck-Rechnung möglich!"}}));
        }
    }
}

TEST(PrintFirstPage, AlternativeDirectivityFlagReadsNein)
{
    PrintoutTexts t = SampleStation();
    t.useAlternativeDirectivity = false;
    const auto lines = FirstPageLines(t);
    const auto it = std::find_if(lines.begin(), lines.end(), [](const PrintLine &l) { return l.yMm == 225; });
    ASSERT_NE(it, lines.end());
    EXPECT_EQ(it->text, "Verwende alt. Directivity  : Nein");
}

TEST(PrintFirstPage, OnlyTheNotesAreWrappedInTheirRectangles)
{
    const auto lines = FirstPageLines(SampleStation());
    std::vector<PrintLine> notes;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(notes), [](const PrintLine &l) { return l.wrapped; });
    ASSERT_EQ(notes.size(), 2u);
    const PrintRect expected[] = {{20, 186, 190, 199}, {20, 250, 190, 263}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_DOUBLE_EQ(notes[i].rect.x1, expected[i].x1);
        EXPECT_DOUBLE_EQ(notes[i].rect.y1, expected[i].y1);
        EXPECT_DOUBLE_EQ(notes[i].rect.x2, expected[i].x2);
        EXPECT_DOUBLE_EQ(notes[i].rect.y2, expected[i].y2);
        EXPECT_EQ(notes[i].fontPt, 10);
        EXPECT_FALSE(notes[i].bold);
    }
}

TEST(PrintAngleTable, ColumnsCountCharactersNotBytes)
{
    // Texts begin after 1, 16, 37 and 52 characters; ° and ä are two bytes each.
    EXPECT_EQ(AngleHeadingLine(), " Winkel [°]     Dämpfung [dB]        EIRP [W]       Sicherheitsabstand [m]");
    const std::string heading = AngleHeadingLine();
    EXPECT_EQ(CharCount(heading.substr(0, heading.find("Dämpfung"))), 16);
    EXPECT_EQ(CharCount(heading.substr(0, heading.find("Sicherheit"))), 52);

    struct Case {
        std::array<std::string, 4> cells;
        std::string expected;
    };
    const Case cases[] = {
        {{"  0", "  0,00", "835,32", "5,65"},
         " " "  0" + Spaces(12) + "  0,00" + Spaces(15) + "835,32" + Spaces(9) + "5,65"},
        {{"", "", "", ""}, Spaces(52)},
        // an overlong cell pushes the next one right without a blank
        {{"123456789012345678", "x", "y", "z"}, " 123456789012345678" "x" + Spaces(17) + "y" + Spaces(14) + "z"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AngleRowLine(c.cells), c.expected);
}

TEST(PrintAngleTable, RowsAndPicturePlacement)
{
    struct Case {
        const char *name;
        size_t rows;
        AngleRowPlace lastRow; // ignored for 0 rows
        int picturePage;
        double pictureTop;
    };
    const Case cases[] = {
        {"empty table", 0, {}, 2, 34},
        {"one row", 1, {2, 29}, 2, 39},
        {"last row at 144 keeps picture", 24, {2, 144}, 2, 154},
        {"last row at 149 moves picture", 25, {2, 149}, 3, 34},
        {"47th row at 259 stays", 47, {2, 259}, 3, 34},
        {"48th row at 264 closes page", 48, {2, 264}, 3, 34},
        {"49th row opens next page", 49, {3, 29}, 3, 39},
        {"second page last row at 144", 72, {3, 144}, 3, 154},
        {"second page full", 96, {3, 264}, 4, 34},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const AnglePagesLayout layout = LayoutAnglePages(c.rows);
        ASSERT_EQ(layout.rows.size(), c.rows);
        if (c.rows > 0) {
            EXPECT_EQ(layout.rows.back().page, c.lastRow.page);
            EXPECT_DOUBLE_EQ(layout.rows.back().yMm, c.lastRow.yMm);
        }
        EXPECT_EQ(layout.picturePage, c.picturePage);
        EXPECT_DOUBLE_EQ(layout.pictureTopMm, c.pictureTop);
        EXPECT_EQ(layout.pageCount, c.picturePage);
    }
}

TEST(PrintAngleTable, EveryPageRunsFrom29To264)
{
    const AnglePagesLayout layout = LayoutAnglePages(100);
    for (size_t i = 0; i < layout.rows.size(); ++i) {
        EXPECT_EQ(layout.rows[i].page, 2 + static_cast<int>(i / 48)) << i;
        EXPECT_DOUBLE_EQ(layout.rows[i].yMm, 29 + 5.0 * static_cast<double>(i % 48)) << i;
    }
}

TEST(PrintDocument, PageCountAndReport)
{
    PrintoutTexts t = SampleStation();
    t.angleRows = {{"  0", "  0,00", "835,32", "5,65"}, {" 10", "  0,45", "752,10", "5,36"}};

    // Rows without the angle tab shown are not printed: a single page, no picture.
    t.angleDataPresent = false;
    EXPECT_EQ(PrintoutPageCount(t), 1);
    std::vector<std::string> report = ReportLines(t);
    ASSERT_EQ(report.size(), kOverviewTop.size() + kWiesbeckBlock.size());
    EXPECT_EQ(report.front(), "Übersicht für eine Konfiguration");
    EXPECT_EQ(report.back(), "Hinweis: Sicherheitsabstände nach Wiesbeck sind im Nahfeld gültig!");

    t.angleDataPresent = true;
    EXPECT_EQ(PrintoutPageCount(t), 2);
    report = ReportLines(t);
    ASSERT_EQ(report.size(), kOverviewTop.size() + kWiesbeckBlock.size() + 3);
    const std::vector<std::string> tail(report.end() - 3, report.end());
    EXPECT_EQ(tail, (std::vector<std::string>{AngleHeadingLine(), AngleRowLine(t.angleRows[0]),
                                              AngleRowLine(t.angleRows[1])}));
    for (const std::string &line : report)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
}
