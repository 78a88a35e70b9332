#include "print/draw/DruckenSeiten.h"

#include "print/draw/DruckenBild.h"

#include "FileTestSupport.h"
#include "PdfTools.h"
#include "util/TextFile.h"

#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace
{

PrintoutData Station(size_t rows)
{
    PrintoutData d;
    PrintoutTexts &t = d.texts;
    t.callsign = "DL9XYZ";
    t.band = "2m";
    t.frequency = "145,000";
    t.antennaName = "Yagi 2m 9 El.";
    t.height = "10";
    t.wiesbeckDirectivity = "---";
    t.version = "v 2.1.0";
    t.angleDataPresent = rows > 0;
    for (size_t i = 0; i < rows; ++i) {
        t.angleRows.push_back({std::to_string(i * 5), "0,00", "100,00", "5,00"});
        d.angles.push_back(static_cast<int>(i * 5));
        d.distances.push_back(5 + static_cast<double>(i % 7));
    }
    d.height = 10;
    d.fileTag = "2m";
    return d;
}

QString WritePdf(const TempDir &dir, const PrintoutData &data, const QString &date = "10.12.2026")
{
    const QString path = QString::fromStdString(dir.file("out.pdf"));
    WritePrintoutPdf(path, PrintoutPages(data, date), data, PrintoutView{});
    return path;
}

struct WordBox {
    double xMm = -1, yMm = -1;
};

// Top-left corner of the first word `word` on a page, from pdftotext's bounding boxes.
WordBox FindWord(const QString &pdf, int page, const QString &word)
{
    const QString html =
        RunPdfTool("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    const QRegularExpression re("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>"
                                + QRegularExpression::escape(word.toHtmlEscaped()) + "</word>");
    const QRegularExpressionMatch m = re.match(html);
    if (!m.hasMatch())
        return {};
    const double mmPerPt = 25.4 / 72;
    return {m.captured(1).toDouble() * mmPerPt, m.captured(2).toDouble() * mmPerPt};
}

} // namespace

TEST(PrintSheets, DateInGermanShortFormWhateverTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(GermanDate(QDate(2026, 12, 10)), "10.12.2026");
    EXPECT_EQ(GermanDate(QDate(2027, 1, 2)), "02.01.2027");
    QLocale::setDefault(saved);
}

TEST(PrintSheets, PdfPagesTitleFontsAndFirstPage)
{
    TempDir dir;
    const QString pdf = WritePdf(dir, Station(49));
    EXPECT_EQ(PdfPageCount(pdf), 3);
    EXPECT_EQ(PdfInfoField(pdf, "Title"), "Dokumentation nach §9 BEMFV DL9XYZ");
    EXPECT_EQ(PdfInfoField(pdf, "Creator"), "Feldora v 2.1.0");
    EXPECT_TRUE(PdfInfoField(pdf, "Page size").contains("(A4)"));

    // Every font is embedded: pdffonts' "emb" column reads "yes" on each font line.
    const QStringList fonts = RunPdfTool("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString &font : fonts)
        EXPECT_TRUE(font.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$")))
            << font.toStdString();

    const QStringList first = PdfPageLines(pdf, 1);
    ASSERT_GE(first.size(), 5);
    EXPECT_TRUE(first[0].startsWith("Dokumentation nach §9 BEMFV")) << first[0].toStdString();
    EXPECT_TRUE(first[0].endsWith("DL9XYZ, 10.12.2026")) << first[0].toStdString();
    EXPECT_EQ(first[1], "Übersicht für eine Konfiguration");
    EXPECT_EQ(first[2], "Band: 2m");
    EXPECT_EQ(first[3], "Frequenz [MHz]: 145,000");
    EXPECT_TRUE(first.contains("AntennenName       : Yagi 2m 9 El."));
    EXPECT_TRUE(first.contains("Keine Wiesbeck-Rechnung möglich!"));
    EXPECT_EQ(first.last().simplified(), "Erstellt mit Feldora v 2.1.0 Seite 1 von 3");

    // The 49th row stands alone on page 3, above the picture.
    const QStringList third = PdfPageLines(pdf, 3);
    ASSERT_GE(third.size(), 2);
    EXPECT_TRUE(third[1].startsWith("240")) << third[1].toStdString();
}

TEST(PrintSheets, AllBandsPageOnlyWhenAskedAndInsideTheMargins)
{
    TempDir dir;
    PrintoutData data = Station(0);
    data.allBandsHeading = {"Band", "Frequenz\n(MHz)", "Gewinn\n(dBi)", "Dämpfung\n(dB)", "EIRP", "E-Grenzwert",
                            "Sicherheits-\nabstand", "Nahfeld-\ngrenze", "Abstand\nWiesbeck",
                            "größter Abstand\nWinkel", "größte PEP\nbei 5,00 m"};
    data.allBandsRows = {{"20m", "14,175", "8,000", "0,52", "559,13 W", "27,50 V/m", "4,71 m", "3,41 m", "3,45 m",
                          "4,71 m", "112 W"},
                         {"2200m", "0,136", "-10,000", "123,45", "123456789,12 W", "1234,56 V/m", "12345,67 m",
                          "12345,67 m", "12345,67 m", "---", "999000 W"}};
    data.allBandsNote = "\"---\": kein Wert";
    EXPECT_EQ(PdfPageCount(WritePdf(dir, data)), 1);

    const QString pdf = QString::fromStdString(dir.file("bands.pdf"));
    WritePrintoutPdf(pdf, PrintoutPages(data, "10.12.2026", true), data, PrintoutView{});
    ASSERT_EQ(PdfPageCount(pdf), 2);
    QStringList lines;
    for (const QString &line : PdfPageLines(pdf, 2))
        lines << line.simplified();
    EXPECT_EQ(lines[1], "Übersicht aller Bänder");
    EXPECT_TRUE(lines.contains("20m 14,175 8,000 0,52 559,13 W 27,50 V/m 4,71 m 3,41 m 3,45 m 4,71 m 112 W"))
        << lines.join('\n').toStdString();
    EXPECT_EQ(lines.last(), "Erstellt mit Feldora v 2.1.0 Seite 2 von 2");

    // Even the widest values stay inside the margins.
    const QString html = RunPdfTool("pdftotext", {"-bbox", "-f", "2", "-l", "2", pdf, "-"});
    const QRegularExpression word("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"");
    const double mmPerPt = 25.4 / 72;
    int words = 0;
    for (auto it = word.globalMatch(html); it.hasNext(); ++words) {
        const QRegularExpressionMatch m = it.next();
        EXPECT_GE(m.captured(1).toDouble() * mmPerPt, 19.7);
        EXPECT_LE(m.captured(2).toDouble() * mmPerPt, 190.3);
    }
    EXPECT_GT(words, 50);
}

TEST(PrintSheets, TextsStandAtTheirMillimetres)
{
    TempDir dir;
    const QString pdf = WritePdf(dir, Station(49));
    struct Case {
        int page;
        const char *word;
        double xMm, yMm;
    };
    const Case cases[] = {
        {1, "Dokumentation", 20, 14},
        {1, "Übersicht", 20, 30},
        {1, "Eingaben", 20, 60},
        {1, "AntennenName", 20, 65},
        {1, "Hinweis:", 20, 186},
        {2, "Winkel", 20 + 10 * 0.6 * 25.4 / 72, 24}, // after one blank of the 10-point font
        {3, "240", 20 + 10 * 0.6 * 25.4 / 72, 29},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.word);
        const WordBox box = FindWord(pdf, c.page, c.word);
        EXPECT_NEAR(box.xMm, c.xMm, 0.3);
        EXPECT_NEAR(box.yMm, c.yMm, 0.3);
    }
}

TEST(PrintSheets, EveryPageSaysWhichOfHowMany)
{
    // 49 angle rows give three pages, the overview of every band a fourth.
    TempDir dir;
    PrintoutData data = Station(49);
    data.allBandsHeading = {"Band"};
    data.allBandsRows = {{"2m"}};
    const QString pdf = QString::fromStdString(dir.file("numbered.pdf"));
    WritePrintoutPdf(pdf, PrintoutPages(data, "10.12.2026", true), data, PrintoutView{});
    ASSERT_EQ(PdfPageCount(pdf), 4);
    const QRegularExpression number("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>4</word>");
    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(PdfPageLines(pdf, page).last().endsWith(QString("Seite %1 von 4").arg(page)));
        // The page count is the footer's last word, ending at the right margin.
        const QString html =
            RunPdfTool("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
        QRegularExpressionMatch last;
        for (auto it = number.globalMatch(html); it.hasNext();)
            last = it.next();
        ASSERT_TRUE(last.hasMatch());
        const double mmPerPt = 25.4 / 72;
        EXPECT_NEAR(last.captured(2).toDouble() * mmPerPt, 190, 0.5);
        EXPECT_NEAR(last.captured(1).toDouble() * mmPerPt, 272, 0.5);
    }
}

TEST(PrintSheets, CondensedLinesKeepTheColonColumn)
{
    // Two inputs too long for 170 mm: only the part after the colon is condensed.
    TempDir dir;
    PrintoutData data = Station(0);
    data.texts.modeFactorSet = "EN 50413 (Ausgabe 2008) und BNetzA-Anleitung";
    data.texts.antennaName = std::string(80, 'A');
    const QString pdf = WritePdf(dir, data);
    const QString html = RunPdfTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    const QRegularExpression colon("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>:</word>");
    const double mmPerPt = 25.4 / 72;
    std::vector<double> inputs; // the colons of "AntennenName" to "Kabellänge"
    for (auto it = colon.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const double y = m.captured(2).toDouble() * mmPerPt;
        if (y > 63 && y < 112)
            inputs.push_back(m.captured(1).toDouble() * mmPerPt);
    }
    ASSERT_EQ(inputs.size(), 10u);
    for (double x : inputs)
        EXPECT_NEAR(x, 20 + 19 * 13 * 0.6 * 25.4 / 72, 0.2); // after 19 characters of the 13-point font
    EXPECT_LE(FindWord(pdf, 1, "BNetzA-Anleitung").xMm, 190);
}

TEST(PrintSheets, PictureAtScaleOneOnItsPage)
{
    // One row: the picture's top-left corner at (20, 39) mm; 1 unit = 1/96 inch.
    const PrintoutData data = Station(1);
    const auto pages = PrintoutPages(data, "01.01.2026");
    ASSERT_EQ(pages.size(), 2u);
    constexpr double pxPerPt = 2;
    QImage sheet(static_cast<int>(595 * pxPerPt), static_cast<int>(842 * pxPerPt), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.scale(pxPerPt, pxPerPt);
    PaintPrintoutPage(painter, pages[1], data, PrintoutView{});
    painter.end();
    auto pixel = [&](double xMm, double yMm) {
        return sheet.pixelColor(static_cast<int>(xMm * 72 / 25.4 * pxPerPt),
                                static_cast<int>(yMm * 72 / 25.4 * pxPerPt));
    };
    const double unitMm = 25.4 / 96;
    const PrintPictureFigures figures = [&] {
        QImage scratch(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
        QPainter p(&scratch);
        return BildErzeugen(p, {data.angles, data.distances, data.height, false, true});
    }();
    auto at = [&](double ux, double uy) { return pixel(20 + ux * unitMm, 39 + uy * unitMm); };
    // The mast (3 units wide) stands at its unit column, up to its top; the ground line is silver.
    EXPECT_EQ(at(figures.mastX + 0.5, figures.groundY - 20), QColor(Qt::black));
    EXPECT_EQ(at(figures.mastX + 10, figures.groundY - 20), QColor(Qt::white));
    EXPECT_EQ(at(figures.mastX + 0.5, figures.mastTopY - 5), QColor(Qt::white));
    EXPECT_EQ(at(kPictureWidth - 100, figures.groundY + 0.5), QColor(192, 192, 192));
}

TEST(PrintSheets, FailedPdfWriteKeepsThePreviousFile)
{
    TempDir dir;
    const PrintoutData data = Station(3);
    const QString missing = QString::fromStdString(dir.file("fehlt/out.pdf"));
    try {
        WritePrintoutPdf(missing, PrintoutPages(data, "01.01.2026"), data, PrintoutView{});
        ADD_FAILURE() << "no error";
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find(missing.toStdString()), std::string::npos) << e.what();
    }

    const std::string path = dir.file("out.pdf");
    WriteBytes(path, "alt");
    {
        WriteLimit limit(1000);
        EXPECT_THROW(
            WritePrintoutPdf(QString::fromStdString(path), PrintoutPages(data, "01.01.2026"), data, PrintoutView{}),
            FileError);
    }
    EXPECT_EQ(ReadFileBytes(path), "alt");
    EXPECT_EQ(dir.entryCount(), 1);
}
