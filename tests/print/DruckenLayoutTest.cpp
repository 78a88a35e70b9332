#include "print/DruckenLayout.h"

#include "util/TextRoutines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

using Kind = PrintItem::Kind;

PrintoutTexts Station(size_t angleRows)
{
    PrintoutTexts t;
    t.callsign = "DL9XYZ";
    t.band = "2m";
    t.frequency = "145,000";
    t.antennaName = "Yagi 2m 9 El.";
    t.wiesbeckDirectivity = "---";
    t.version = "v 2.1.0";
    t.angleDataPresent = angleRows > 0;
    for (size_t i = 0; i < angleRows; ++i)
        t.angleRows.push_back({std::to_string(i), "0,00", "100,00", "5,00"});
    return t;
}

std::vector<PrintItem> ItemsOf(const PrintPage &page, Kind kind)
{
    std::vector<PrintItem> found;
    std::copy_if(page.items.begin(), page.items.end(), std::back_inserter(found),
                 [kind](const PrintItem &i) { return i.kind == kind; });
    return found;
}

} // namespace

TEST(PrintPages, EveryPageHasHeaderAndFooter)
{
    for (size_t rows : {size_t(0), size_t(49)}) {
        SCOPED_TRACE(rows);
        const auto pages = BuildPrintout(Station(rows), "10.12.2026");
        ASSERT_EQ(pages.size(), rows == 0 ? 1u : 3u);
        for (const PrintPage &page : pages) {
            const PrintItem &header = page.items.front();
            EXPECT_EQ(header.kind, Kind::Text);
            EXPECT_EQ(header.text, "Dokumentation nach §9 BEMFV                       DL9XYZ, 10.12.2026");
            EXPECT_DOUBLE_EQ(header.xMm, 20);
            EXPECT_DOUBLE_EQ(header.yMm, 14);
            EXPECT_EQ(header.fontPt, 12);
            EXPECT_FALSE(header.bold);

            const auto lines = ItemsOf(page, Kind::Line);
            ASSERT_EQ(lines.size(), 2u);
            for (size_t i = 0; i < 2; ++i) {
                EXPECT_DOUBLE_EQ(lines[i].xMm, 20);
                EXPECT_DOUBLE_EQ(lines[i].x2Mm, 190);
                EXPECT_DOUBLE_EQ(lines[i].yMm, i == 0 ? 20 : 270);
            }
            const PrintItem &footer = page.items.back();
            EXPECT_EQ(footer.kind, Kind::CentredText);
            EXPECT_EQ(footer.font, PrintFont::Arial);
            EXPECT_EQ(footer.fontPt, 8);
            EXPECT_DOUBLE_EQ(footer.xMm, 105);
            EXPECT_DOUBLE_EQ(footer.yMm, 272);
            EXPECT_EQ(footer.text, "Erstellt mit Feldora v 2.1.0");
        }
    }
}

TEST(PrintPages, NumbersAtTheRightOfTheFooterLine)
{
    auto pages = BuildPrintout(Station(73), "10.12.2026");
    ASSERT_EQ(pages.size(), 4u);
    NumberPages(pages);
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<PrintItem> numbers;
        std::copy_if(pages[i].items.begin(), pages[i].items.end(), std::back_inserter(numbers),
                     [](const PrintItem &item) { return item.text.rfind("Seite ", 0) == 0; });
        ASSERT_EQ(numbers.size(), 1u);
        EXPECT_EQ(numbers[0].text, "Seite " + std::to_string(i + 1) + " von 4");
        EXPECT_EQ(numbers[0].kind, Kind::CellText);
        EXPECT_EQ(numbers[0].font, PrintFont::Arial);
        EXPECT_EQ(numbers[0].fontPt, 8);
        EXPECT_DOUBLE_EQ(numbers[0].x2Mm, 190);
        EXPECT_DOUBLE_EQ(numbers[0].yMm, 272);
    }
}

TEST(PrintPages, FirstPageWithoutAngleDataHasNoPicture)
{
    const PrintoutTexts t = Station(0);
    const auto pages = BuildPrintout(t, "01.01.2026");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(ItemsOf(pages[0], Kind::Picture).empty());
    // The overview lines stand where the text layout puts them, at the left margin.
    const auto lines = FirstPageLines(t);
    std::vector<PrintItem> texts = ItemsOf(pages[0], Kind::Text);
    const auto wrapped = ItemsOf(pages[0], Kind::WrappedText);
    texts.erase(texts.begin()); // header
    ASSERT_EQ(texts.size() + wrapped.size(), lines.size());
    EXPECT_EQ(texts.back().text, "Keine Wiesbeck-Rechnung möglich!");
    EXPECT_DOUBLE_EQ(texts.back().yMm, 205);
    for (const PrintItem &item : texts)
        EXPECT_DOUBLE_EQ(item.xMm, 20) << item.text;
    ASSERT_EQ(wrapped.size(), 1u);
    EXPECT_DOUBLE_EQ(wrapped[0].yMm, 186);
    EXPECT_DOUBLE_EQ(wrapped[0].y2Mm, 199);
}

TEST(PrintPages, AngleRowsHeadingAndPicture)
{
    struct Case {
        const char *name;
        size_t rows;
        size_t pages;
        std::vector<size_t> rowsPerPage; // pages 2 ff.
        size_t picturePage;              // 1-based
        double pictureTop;
    };
    const Case cases[] = {
        {"last row at 144: picture below it", 24, 2, {24}, 2, 154},
        {"last row at 149: picture on its own page", 25, 3, {25, 0}, 3, 34},
        {"48 rows fill the page", 48, 3, {48, 0}, 3, 34},
        {"49th row opens the next page", 49, 3, {48, 1}, 3, 39},
        {"73 rows", 73, 4, {48, 25, 0}, 4, 34},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PrintoutTexts t = Station(c.rows);
        const auto pages = BuildPrintout(t, "01.01.2026");
        ASSERT_EQ(pages.size(), c.pages);
        size_t row = 0;
        for (size_t p = 1; p < pages.size(); ++p) {
            auto texts = ItemsOf(pages[p], Kind::Text);
            texts.erase(texts.begin()); // header
            if (p == 1) {               // heading only above the first rows
                ASSERT_FALSE(texts.empty());
                EXPECT_EQ(texts.front().text, AngleHeadingLine());
                EXPECT_DOUBLE_EQ(texts.front().yMm, 24);
                texts.erase(texts.begin());
            }
            ASSERT_EQ(texts.size(), c.rowsPerPage[p - 1]) << "page " << p + 1;
            for (size_t i = 0; i < texts.size(); ++i, ++row) {
                EXPECT_EQ(texts[i].text, AngleRowLine(t.angleRows[row]));
                EXPECT_DOUBLE_EQ(texts[i].yMm, 29 + 5.0 * static_cast<double>(i));
                EXPECT_EQ(texts[i].fontPt, 10);
                EXPECT_TRUE(texts[i].bold);
            }
            const auto pictures = ItemsOf(pages[p], Kind::Picture);
            ASSERT_EQ(pictures.size(), p + 1 == c.picturePage ? 1u : 0u) << "page " << p + 1;
            if (!pictures.empty()) {
                EXPECT_DOUBLE_EQ(pictures[0].xMm, 20);
                EXPECT_DOUBLE_EQ(pictures[0].yMm, c.pictureTop);
            }
        }
        EXPECT_EQ(row, c.rows);
    }
}

TEST(PrintPages, LongTextsEndAtTheRightMargin)
{
    struct Case {
        const char *name;
        std::string callsign;
        std::string antenna;
        bool antennaShortened;
    };
    const Case cases[] = {
        {"usual texts", "DL9XYZ", "Yagi 2m 9 El.", false},
        {"name a little too long is condensed", "DL9XYZ", std::string(60, 'A'), false},
        {"very long texts are condensed and cut", std::string(150, 'D'), std::string(300, 'A'), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PrintoutTexts t = Station(0);
        t.callsign = c.callsign;
        t.antennaName = c.antenna;
        const auto pages = BuildPrintout(t, "01.01.2026");
        for (const PrintItem &item : ItemsOf(pages[0], Kind::Text)) {
            SCOPED_TRACE(item.text);
            const double width = DrawnWidthMm(item);
            EXPECT_LE(item.xMm + width, 190 + 1e-9);
            EXPECT_GE(item.stretch, kMinStretch);
            EXPECT_LE(item.stretch, 1);
            if (item.stretch < 1) { // condensed lines fill the line exactly
                EXPECT_NEAR(item.xMm + width, 190, 1e-9);
            }
        }
        const auto texts = ItemsOf(pages[0], Kind::Text);
        const auto antenna = std::find_if(texts.begin(), texts.end(),
                                          [](const PrintItem &i) { return i.text.rfind("AntennenName", 0) == 0; });
        ASSERT_NE(antenna, texts.end());
        if (c.antennaShortened) {
            EXPECT_EQ(TailChars(antenna->text, 1), "…");
            EXPECT_EQ(antenna->text.rfind("AntennenName       : AAAA", 0), 0u);
        } else {
            EXPECT_EQ(antenna->text, "AntennenName       : " + c.antenna);
        }
        // The header keeps its date even when the callsign is cut.
        EXPECT_EQ(texts.front().text.find("Dokumentation nach §9 BEMFV"), 0u);
        EXPECT_EQ(TailChars(texts.front().text, 12), ", 01.01.2026");
    }
}

TEST(PrintPages, PdfNameAndTitle)
{
    PrintoutData data;
    data.texts = Station(0);
    data.fileTag = "145MHz";
    EXPECT_EQ(PdfFileName(data), "DL9XYZ 145MHz.pdf");
    EXPECT_EQ(PdfTitle(data.texts), "Dokumentation nach §9 BEMFV DL9XYZ");
}

TEST(PrintPages, AllBandsPageFitsEveryBandBetweenTheMargins)
{
    PrintoutData d;
    d.texts = Station(0);
    d.texts.antennaType = "Yagi";
    d.texts.power = "100";
    d.allBandsHeading = {"Band", "Frequenz\n(MHz)", "Gewinn\n(dBi)", "Dämpfung\n(dB)", "EIRP", "E-Grenzwert",
                         "Sicherheits-\nabstand", "Nahfeld-\ngrenze", "Abstand\nWiesbeck", "größter\nAbstand\nWinkel",
                         "größte PEP\nbei 5,00 m"};
    // 21 bands with the widest values a column can hold.
    for (int b = 0; b < 21; ++b)
        d.allBandsRows.push_back({"2200m", "10368,000", "-10,000", "123,45", "123456789,12 W", "1234,56 V/m",
                                  "12345,67 m", "12345,67 m", "12345,67 m", "12345,67 m", "999000 W"});
    d.allBandsNote = "\"---\": kein Wert";
    const PrintPage page = AllBandsPage(d, "10.12.2026");

    EXPECT_EQ(page.items.front().text, PageHeaderText("DL9XYZ", "10.12.2026"));
    EXPECT_EQ(page.items.back().text, FooterText("v 2.1.0"));
    const auto texts = ItemsOf(page, Kind::Text);
    EXPECT_EQ(texts[1].text, "Übersicht aller Bänder");
    EXPECT_EQ(texts[2].text, StationSummary(d.texts));

    // Ten numeric columns with headings of one to three lines, then 21 rows.
    const auto cells = ItemsOf(page, Kind::CellText);
    ASSERT_EQ(cells.size(), 19u + 21u * 10u);
    // The headings' last lines share the line above the table.
    EXPECT_EQ(cells[0].text, "Frequenz");
    EXPECT_EQ(cells[1].text, "(MHz)");
    const auto winkel = std::find_if(cells.begin(), cells.end(), [](const PrintItem &i) { return i.text == "Winkel"; });
    ASSERT_NE(winkel, cells.end());
    EXPECT_DOUBLE_EQ(winkel->yMm, cells[1].yMm);
    EXPECT_LT((winkel - 2)->yMm, cells[0].yMm);
    double lastRight = 0;
    for (const PrintItem &c : cells) {
        EXPECT_LT(c.xMm, c.x2Mm) << c.text;
        EXPECT_LE(c.x2Mm, kPrintRightMm) << c.text;
        EXPECT_EQ(c.font, PrintFont::Arial);
        lastRight = std::max(lastRight, c.x2Mm);
    }
    EXPECT_NEAR(lastRight, kPrintRightMm - 1, 1e-9);
    // Columns do not overlap: a row's cells follow each other with room between them.
    for (size_t i = 1; i < 10; ++i)
        EXPECT_GT(cells[cells.size() - 10 + i].xMm, cells[cells.size() - 11 + i].x2Mm);
    const auto notes = ItemsOf(page, Kind::WrappedText);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].text, d.allBandsNote);
    EXPECT_LT(notes[0].y2Mm, kFooterLineYMm); // all above the footer

    // No band: the page says so instead of an empty table.
    d.allBandsRows.clear();
    const auto empty = ItemsOf(AllBandsPage(d, "10.12.2026"), Kind::Text);
    EXPECT_TRUE(std::any_of(empty.begin(), empty.end(), [](const PrintItem &i) {
        return i.text == "Die Antenne hat für kein Band einen Katalogeintrag.";
    }));
}
