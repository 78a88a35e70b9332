#include "FileTestSupport.h"
#include "ScriptedDialogs.h"
#include "core/LimitTable.h"
#include "util/TextFile.h"
#include "views/GrenzwerttabellePS.h"
#include "views/draw/ImageFiles.h"
#include "views/draw/ListPlot.h"
#include "views/draw/QtText.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace
{

void trigger(QWidget &window, const char *name)
{
    QAction *action = window.findChild<QAction *>(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

// The frame and mapping the window's picture uses for a data range.
struct Mapping {
    TListPlot plot{497, 409};
    explicit Mapping(const LimitPlotData &d)
    {
        plot.AxisLimits(d.xmin, d.xmax, d.ymin, d.ymax);
        plot.Init();
    }
};

QRgb pixel(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xff000000u;
}

} // namespace

TEST(LimitWindow, TableIsTheLimitsOfEveryBand)
{
    TFormGrenzwerttabellePS window;
    EXPECT_EQ(window.windowTitle(), "Grenzwerte zur Berechnung der Anzeige nach BEMFV");
    QStringList expected;
    for (const std::string &line : LimitTableLines())
        expected << qs(line);
    EXPECT_EQ(window.tableLines(), expected);
    EXPECT_TRUE(window.tableLines()[1].startsWith("   LW"));
    EXPECT_TRUE(window.tableLines()[21].startsWith("  3cm"));
    EXPECT_TRUE(window.findChild<QPlainTextEdit *>("Memo1")->isReadOnly());
    EXPECT_EQ(window.shownVariant(), 0);
}

TEST(LimitWindow, PlotVariantsDrawTheLimitCurve)
{
    TFormGrenzwerttabellePS window;
    struct Case {
        const char *action;
        int variant;
        double f, y; // a point of the curve
    };
    const Case cases[] = {
        {"MIPlot1", 1, 100, 27.5},
        {"MIPlot2", 2, 1000, 1.375 * 31.6227766},
        {"MIPlot3", 3, 20, 73},
        {"MIPlot0", 0, 10, 27.5},
    };
    for (const Case &c : cases) {
        trigger(window, c.action);
        ASSERT_EQ(window.shownVariant(), c.variant);
        const QImage &picture = window.plotPicture();
        ASSERT_EQ(picture.size(), QSize(497, 409));
        EXPECT_EQ(window.findChild<QLabel *>("Image1")->pixmap().toImage().size(), picture.size());
        const LimitPlotData data = LimitPlotFor(c.variant);
        Mapping m(data);
        EXPECT_EQ(pixel(picture, m.plot.px(c.f), m.plot.py(c.y)), qRgb(255, 0, 0)) << c.action;
        // Above the curve only the white background or a grey grid line.
        const QRgb above = pixel(picture, m.plot.px(c.f), m.plot.py(c.y) - 12);
        EXPECT_TRUE(above == qRgb(255, 255, 255) || above == qRgb(220, 220, 220)) << c.action;
        // The axes through the frame's lower-left corner, the legend's red square.
        EXPECT_EQ(pixel(picture, m.plot.x0, m.plot.y0 - 100), qRgb(0, 0, 0)) << c.action;
        EXPECT_EQ(pixel(picture, m.plot.x0 + 100, m.plot.y0), qRgb(0, 0, 0)) << c.action;
        EXPECT_EQ(pixel(picture, 331 + 5, 68 + 8), qRgb(255, 0, 0)) << c.action;
    }
}

TEST(LimitWindow, SaveAndCopyTableAndGraphic)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    TFormGrenzwerttabellePS window;
    const QStringList lines = window.tableLines();
    std::string expectedBytes;
    for (const QString &line : lines)
        expectedBytes += EncodeWindows1252(line.toStdString()) + "\r\n";

    // Cancelled dialogs write nothing.
    dialogs.fileAnswers = {"", ""};
    trigger(window, "PMISave");
    trigger(window, "Graphikspeichern1");
    EXPECT_EQ(dir.entryCount(), 0);
    EXPECT_TRUE(dialogs.messages.empty());

    const std::string table = dir.file("Grenzwerte Export.txt");
    dialogs.fileAnswers.push_back(qs(table));
    trigger(window, "Tabellespeichern1");
    EXPECT_EQ(ReadFileBytes(table), expectedBytes);
    EXPECT_EQ(dialogs.lastProposedPath, UserDesktopFolder() + "Grenzwerte Export.txt");
    EXPECT_EQ(dialogs.lastSelectedFilter, "TextDateien (*.txt)");
    EXPECT_EQ(dialogs.lastDefaultSuffix, "txt");

    trigger(window, "PMICopy");
    EXPECT_EQ(dialogs.clipboard, lines.join("\r\n") + "\r\n");

    // The graphic is a bitmap whatever the name says.
    trigger(window, "MIPlot3");
    const std::string graphic = dir.file("grenzwerte.png");
    dialogs.fileAnswers.push_back(qs(graphic));
    trigger(window, "Graphikspeichern1");
    EXPECT_EQ(ReadFileBytes(graphic).substr(0, 2), "BM");
    EXPECT_EQ(LoadBitmapFile(qs(graphic)).convertToFormat(QImage::Format_RGB32), window.plotPicture());
    EXPECT_EQ(dialogs.lastProposedPath, UserDesktopFolder() + "BEMFV-Grenzwerte.bmp");
    EXPECT_EQ(dialogs.lastSelectedFilter, "BitMap-Bild (*.bmp)");
    EXPECT_EQ(dialogs.lastDefaultSuffix, "bmp");

    trigger(window, "Graphikkopieren1");
    EXPECT_EQ(dialogs.clipboardImage, window.plotPicture());
    EXPECT_TRUE(dialogs.messages.empty());

    // A failed save keeps the earlier file and names the file in German.
    dialogs.fileAnswers = {qs(table), qs(graphic)};
    {
        WriteLimit limit(16);
        trigger(window, "PMISave");
        trigger(window, "Graphikspeichern1");
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const ShownMessage &m : dialogs.messages) {
        EXPECT_EQ(m.kind, MessageKind::Error);
        EXPECT_TRUE(m.text.contains(dir.path().c_str())) << m.text.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(table), expectedBytes);
    EXPECT_EQ(ReadFileBytes(graphic).substr(0, 2), "BM");
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST(LimitWindow, DesktopFolderOrHome)
{
    TempDir home;
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().c_str());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").c_str());
    const QString noDesktop = UserDesktopFolder();
    QDir(home.path().c_str()).mkdir("Desktop");
    const QString withDesktop = UserDesktopFolder();
    qputenv("HOME", savedHome);
    if (savedConfig.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedConfig);
    EXPECT_EQ(noDesktop, qs(home.path()) + "/");
    EXPECT_EQ(withDesktop, qs(home.path()) + "/Desktop/");
}
