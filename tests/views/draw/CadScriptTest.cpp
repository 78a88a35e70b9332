#include "views/draw/CadScript.h"
#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace
{

// 20 px per metre, mast foot at (20, 180) in a 300 x 200 picture.
const CadFrame kFrame{20, 20, 180, 1};
const QColor kBackground(255, 255, 225);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

// A pixel probe at a script point (metres) plus a pixel offset.
struct Probe {
    double x, y;
    int dx, dy;
    QColor colour;
};

QPoint pixelOf(const Probe &p)
{
    return {kFrame.originX + int(kFrame.scale * p.x) + p.dx, kFrame.groundY - int(kFrame.scale * p.y) + p.dy};
}

QImage blankPicture()
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(kBackground);
    return image;
}

CadRunResult run(QImage &image, const QStringList &lines, const CadFrame &frame = kFrame)
{
    QPainter painter(&image);
    return DrawCAD(painter, lines, frame);
}

// Hatch inside the rectangle (metres): the colour and the background, nothing else.
void expectHatched(const QImage &image, double x1, double y1, double x2, double y2, const QColor &colour)
{
    int hatched = 0, clear = 0, other = 0;
    for (int y = kFrame.groundY - int(kFrame.scale * y2) + 2; y <= kFrame.groundY - int(kFrame.scale * y1) - 2; ++y)
        for (int x = kFrame.originX + int(kFrame.scale * x1) + 2; x <= kFrame.originX + int(kFrame.scale * x2) - 2;
             ++x) {
            const QColor c = image.pixelColor(x, y);
            (c == colour ? hatched : c == kBackground ? clear : other)++;
        }
    EXPECT_GT(hatched, 20);
    EXPECT_GT(clear, 20);
    EXPECT_EQ(other, 0);
}

} // namespace

TEST(CadScript, DrawsEachCommandWithItsState)
{
    struct Case {
        const char *name;
        QStringList lines;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"wide pen along the ground",
         {"StiftBreite 3", "Linie 0 0 5 0"},
         {{2.5, 0, 0, -1, kBlack},
          {2.5, 0, 0, 0, kBlack},
          {2.5, 0, 0, 1, kBlack},
          {2.5, 0, 0, -3, kBackground},
          {2.5, 0, 0, 3, kBackground},
          {5, 0, 4, 0, kBackground}}},
        {"frame pen width",
         {"Linie 0 0 5 0"},
         {{2.5, 0, 0, 0, kBlack}, {2.5, 0, 0, -1, kBackground}, {2.5, 0, 0, 1, kBackground}}},
        {"colour token restores the pen",
         {"Linie 0;0;5;0;clRed", "Linie 0 1 5 1"},
         {{2.5, 0, 0, 0, kRed}, {2.5, 1, 0, 0, kBlack}}},
        {"colour names ignore case",
         {"Linie 0 0 5 0 CLRED", "linie 0 1 5 1 clred", "LINIE 0 2 5 2"},
         {{2.5, 0, 0, 0, kRed}, {2.5, 1, 0, 0, kRed}, {2.5, 2, 0, 0, kBlack}}},
        {"a command word is a prefix", {"Linien 0 0 5 0"}, {{2.5, 0, 0, 0, kBlack}}},
        {"box leaves the brush clear",
         {"Box 2 0 6 4", "VollBox 8 0 10 2"},
         {{2, 2, 0, 0, kBlack},
          {6, 2, 0, 0, kBlack},
          {4, 4, 0, 0, kBlack},
          {4, 2, 0, 0, kBackground},
          {8, 1, 0, 0, kBlack},
          {10, 1, 0, 0, kBlack},
          {9, 1, 0, 0, kBackground}}},
        {"box colour becomes pen and brush colour",
         {"Box 0 0 2 2 clRed", "Linie 0 3 5 3", "FüllungTyp bsSolid", "VollBox 4 0 6 2"},
         {{0, 1, 0, 0, kRed}, {2.5, 3, 0, 0, kRed}, {5, 1, 0, 0, kRed}, {4, 1, 0, 0, kRed}}},
        {"filled box with the start brush", {"VollBox 1 1 3 3"}, {{2, 2, 0, 0, kBlack}, {3, 2, 2, 0, kBackground}}},
        {"triangle outline in grey stays grey",
         {"Dreieck 0 0 6 0 0 6", "Linie 0 8 5 8", "VollBox 8 0 10 2"},
         {{3, 0, 0, 0, kGrey},
          {0, 3, 0, 0, kGrey},
          {1, 1, 0, 0, kBackground},
          {2.5, 8, 0, 0, kGrey},
          {8, 1, 0, 0, kGrey},
          {9, 1, 0, 0, kBackground}}},
        {"filled triangle",
         {"VollDreieck 0 0 6 0 0 6", "VollBox 8 0 10 2"},
         {{1, 1, 0, 0, kGrey}, {5, 5, 0, 0, kBackground}, {9, 1, 0, 0, kGrey}}},
        {"comments and unknown commands are ignored",
         {"! Linie 0 0 5 0", "!Linie 0 0 5 0", "Kreis 0 0 5", "", " Linie 0 0 5 0"},
         {{2.5, 0, 0, 0, kBackground}}},
        {"clear pen draws no outline",
         {"StiftTyp psClear", "Linie 0 0 5 0", "VollBox 1 1 3 3"},
         {{2.5, 0, 0, 0, kBackground}, {2, 2, 0, 0, kBlack}, {1, 2, 0, 0, kBlack}}},
        {"pen style names are case-sensitive", {"StiftTyp psclear", "Linie 0 0 5 0"}, {{2.5, 0, 0, 0, kBlack}}},
        {"clNone draws nothing",
         {"Linie 0 0 5 0 clNone", "Linie 0 1 5 1 clUnbekannt", "Füllung clNone", "VollBox 1 3 3 5",
          "Box 6 0 8 2 clNone", "Linie 0 6 5 6"},
         {{2.5, 0, 0, 0, kBackground},
          {2.5, 1, 0, 0, kBackground},
          {1, 4, 0, 0, kBlack},
          {2, 4, 0, 0, kBackground},
          {6, 1, 0, 0, kBackground},
          {2.5, 6, 0, 0, kBackground}}},
        {"trailing blank is no colour",
         {"Linie 0 0 5 0 ", "Box 6 0 8 2 "},
         {{2.5, 0, 0, 0, kBlack}, {6, 1, 0, 0, kBlack}}},
        {"decimal comma", {"Linie 0 0 2,5 3"}, {{2.5, 3, 0, 0, kBlack}, {1.25, 1.5, 0, 0, kBlack}}},
    };
    for (const Case &c : cases) {
        QImage image = blankPicture();
        const CadRunResult result = run(image, c.lines);
        EXPECT_TRUE(result.ok) << c.name << ": " << result.message.toStdString();
        for (const Probe &p : c.probes)
            EXPECT_EQ(image.pixelColor(pixelOf(p)), p.colour)
                << c.name << " at (" << p.x << ", " << p.y << ") + (" << p.dx << ", " << p.dy << ")";
    }
}

TEST(CadScript, YellowCrossHatchedSquare)
{
    QImage image = blankPicture();
    EXPECT_TRUE(run(image, {"Füllung clYellow", "FüllungTyp bsCross", "VollBox 0 0 3 3"}).ok);
    expectHatched(image, 0, 0, 3, 3, QColor(255, 255, 0));
}

TEST(CadScript, BadNumberStopsTheRunAtItsLine)
{
    struct Case {
        const char *name;
        QStringList lines;
        int failedLine;
        const char *message;
    };
    const Case cases[] = {
        {"decimal point",
         {"Linie 0 1 5 1", "Linie 0 0 2.5 3", "Linie 0 2 5 2"},
         2,
         "CAD-Skript, Zeile 2: '2.5' ist kein gültiger Gleitkommawert."},
        {"missing argument",
         {"Linie 0 1 5 1", "", "VollBox 0 0 5", "Linie 0 2 5 2"},
         3,
         "CAD-Skript, Zeile 3: '' ist kein gültiger Gleitkommawert."},
        {"two blanks in a row",
         {"Linie 0 1 5 1", "Linie 0  0 5 2"},
         2,
         "CAD-Skript, Zeile 2: '' ist kein gültiger Gleitkommawert."},
        {"pen width is whole",
         {"Linie 0 1 5 1", "StiftBreite 2,5", "Linie 0 2 5 2"},
         2,
         "CAD-Skript, Zeile 2: '2,5' ist kein gültiger Integerwert."},
    };
    for (const Case &c : cases) {
        QImage image = blankPicture();
        const CadRunResult result = run(image, c.lines);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.failedLine, c.failedLine) << c.name;
        EXPECT_EQ(result.message.toStdString(), c.message) << c.name;
        EXPECT_EQ(image.pixelColor(pixelOf({2.5, 1, 0, 0, {}})), kBlack) << c.name << ": drawn before stays";
        EXPECT_EQ(image.pixelColor(pixelOf({2.5, 2, 0, 0, {}})), kBackground) << c.name << ": nothing after";
    }
}

TEST(CadScript, SystemColoursFollowThePalette)
{
    QImage image = blankPicture();
    EXPECT_TRUE(run(image, {"Linie 0 0 5 0 clInfoBk", "Linie 0 1 5 1 clBtnFace", "Linie 0 2 5 2 clMoneyGreen"}).ok);
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(image.pixelColor(pixelOf({2.5, 0, 0, 0, {}})), palette.color(QPalette::ToolTipBase));
    EXPECT_EQ(image.pixelColor(pixelOf({2.5, 1, 0, 0, {}})), palette.color(QPalette::Button));
    EXPECT_EQ(image.pixelColor(pixelOf({2.5, 2, 0, 0, {}})), QColor(192, 220, 192));
}

TEST(CadScript, HostileInputIsClampedNotFatal)
{
    const QString longToken(1 << 20, u'1');
    struct Case {
        const char *name;
        QStringList lines;
        bool ok;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"huge coordinates",
         {"Linie -1E300 0 1E300 0", "Linie 0 -1e308 0 1e308"},
         true,
         {{-1, 0, 0, 0, kBlack}, {12, 0, 0, 0, kBlack}, {0, 9, 0, 0, kBlack}}},
        {"huge filled box",
         {"VollBox -1E300 -1E300 1E300 1E300"},
         true,
         {{-0.5, -0.5, 0, 0, kBlack}, {13, 9, 0, 0, kBlack}}},
        {"huge pen width clamped to 100",
         {"StiftBreite 999999999", "Linie 0 5 5 5"},
         true,
         {{2.5, 5, 0, 49, kBlack}, {2.5, 5, 0, -49, kBlack}, {2.5, 5, 0, 55, kBackground}}},
        {"negative pen width is the thinnest", {"StiftBreite -5", "Linie 0 0 5 0"}, true, {{2.5, 0, 0, 0, kBlack}}},
        {"pen width beyond an integer", {"StiftBreite 99999999999"}, false, {}},
        {"a million separators", {"Linie 0 0 5 0" + QString(1 << 20, u';')}, true, {{2.5, 0, 0, 0, kBlack}}},
        {"a megabyte colour name", {"Linie 0 0 5 0 " + QString(1 << 20, u'x')}, true, {{2.5, 0, 0, 0, kBackground}}},
        {"a megabyte number", {"Linie 0 0 " + longToken + " 0"}, false, {}},
        {"binary garbage",
         {QString::fromLatin1("\x01\xff\x00Linie\x7f;;", 10), QString::fromUtf8("Linie\x00 0 0", 10), "Box\t1 1 2 2"},
         false,
         {}},
    };
    for (const Case &c : cases) {
        QImage image = blankPicture();
        const CadRunResult result = run(image, c.lines);
        EXPECT_EQ(result.ok, c.ok) << c.name;
        EXPECT_LT(result.message.size(), 200) << c.name;
        for (const Probe &p : c.probes)
            EXPECT_EQ(image.pixelColor(pixelOf(p)), p.colour) << c.name << " at (" << p.x << ", " << p.y << ")";
    }
}

TEST(CadScript, UnusableFrameDrawsWithoutFailing)
{
    for (double scale : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), -5.0}) {
        QImage image = blankPicture();
        const CadRunResult result =
            run(image, {"Linie 0 0 5 5", "VollBox 0 0 3 3", "VollDreieck 0 0 1 0 0 1"}, {scale, 20, 180, 1});
        EXPECT_TRUE(result.ok) << scale;
    }
}

TEST(CadScript, ScriptFilesInWindows1252AndUtf8)
{
    TempDir dir;
    const struct {
        const char *file;
        const char *bytes;
    } files[] = {
        {"cp1252.txt", "F\xfcllung clRed\r\nF\xfcllungTyp bsCross\r\nVollBox 0 0 3 3\r\n"},
        {"utf8.txt", "F\xc3\xbcllung clRed\nF\xc3\xbcllungTyp bsCross\nVollBox 0 0 3 3\n"},
    };
    for (const auto &f : files) {
        WriteBytes(dir.file(f.file), f.bytes);
        const QStringList lines = ReadCadScript(QString::fromStdString(dir.file(f.file)));
        ASSERT_EQ(lines.size(), 3) << f.file;
        EXPECT_EQ(lines[1], QStringLiteral("FüllungTyp bsCross")) << f.file;
        QImage image = blankPicture();
        EXPECT_TRUE(run(image, lines).ok) << f.file;
        expectHatched(image, 0, 0, 3, 3, kRed);
    }
    EXPECT_THROW(ReadCadScript(QString::fromStdString(dir.file("fehlt.txt"))), FileError);
}
