#include "views/VirtMP.h"
#include "FileTestSupport.h"
#include "ScriptedDialogs.h"
#include "util/TextFile.h"
#include "views/draw/QtText.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace
{

VirtMPInput plainInput()
{
    VirtMPInput in;
    in.eirp = 100;
    in.height = 10;
    in.band = 15;
    in.power = 100;
    in.dutyCycle = "frei -->";
    in.antennaName = "Dipol";
    in.factorSource = "Betriebsartenfaktor immer 1";
    return in;
}

void trigger(QWidget &window, const char *name)
{
    QAction *action = window.findChild<QAction *>(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

void click(QWidget &window, const char *name)
{
    window.findChild<QPushButton *>(name)->click();
}

// Types into a cell as the user does; the grid then recomputes.
void type(QWidget &window, int row, int column, const QString &text)
{
    window.findChild<QTableWidget *>("SGvirtAbst")->item(row, column)->setText(text);
}

std::vector<std::string> rowTexts(const TFormVirtMP &window)
{
    std::vector<std::string> rows;
    for (const MeasuringPoint &p : window.points())
        rows.push_back(p.label + "|" + p.distance + "|" + p.angle + "|" + p.e + "|" + p.h);
    return rows;
}

} // namespace

TEST(VirtMPWindow, OpensWithFivePointsComputed)
{
    ScriptedDialogs dialogs;
    TFormVirtMP window(plainInput());
    EXPECT_EQ(window.windowTitle(), "Export virtueller Messpunkte");
    EXPECT_EQ(rowTexts(window),
              (std::vector<std::string>{"MP 1|10|0|5,48|0,015", "MP 2|10|10|5,48|0,015", "MP 3|10|20|5,48|0,015",
                                        "MP 4|10|30|5,48|0,015", "MP 5|10|40|5,48|0,015"}));
    const QTableWidget *grid = window.findChild<QTableWidget *>("SGvirtAbst");
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "Winkel [°]");
    EXPECT_FALSE(grid->item(0, 3)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(VirtMPWindow, NearestTableAngleGivesThePower)
{
    ScriptedDialogs dialogs;
    VirtMPInput in = plainInput();
    for (int a = 0; a <= 180; a += 10) {
        in.angles.push_back(static_cast<std::int16_t>(a));
        in.eirpByAngle.push_back(a == 10 ? 30 : a == 20 ? 120 : 3);
    }
    TFormVirtMP window(in);
    const std::pair<const char *, const char *> cases[] = {{"14", "3,00"}, {"15", "3,00"}, {"16", "6,00"}};
    for (const auto &[angle, e] : cases) {
        type(window, 0, 2, angle);
        EXPECT_EQ(window.points()[0].e, e) << angle;
    }
}

TEST(VirtMPWindow, TypedAndComputedAnglesAreChecked)
{
    ScriptedDialogs dialogs;
    VirtMPInput in = plainInput();
    TFormVirtMP window(in);
    const auto before = rowTexts(window);
    for (const char *distance : {"2,5", "1.5", ""}) {
        dialogs.clear();
        type(window, 1, 1, distance);
        ASSERT_EQ(dialogs.messages.size(), 1u) << distance;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(dialogs.messages[0].text, "\r\ndistERR");
        EXPECT_EQ(window.points()[0].e, "5,48"); // earlier results stay
    }
    type(window, 1, 1, "7");
    type(window, 0, 1, "0");
    EXPECT_EQ(window.points()[0].e, "---"); // no field value at the antenna
    trigger(window, "MifromHeight");
    EXPECT_EQ(window.points()[1].angle, "45");
    EXPECT_EQ(window.points()[0].angle, "90");

    in.height = 2;
    TFormVirtMP low(in);
    type(low, 1, 1, "7");
    dialogs.clear();
    trigger(low, "MifromHeight");
    EXPECT_EQ(low.points()[1].angle, "-8");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "\r\nwinkERR");

    EXPECT_NE(before, rowTexts(window));

    // Beyond the largest distance: refused like any bad entry, the earlier results stay.
    for (const QString &distance : {QString("1000001"), QString("99999999999999999999"), QString(300, '9')}) {
        dialogs.clear();
        type(window, 2, 1, distance);
        ASSERT_EQ(dialogs.messages.size(), 1u) << distance.toStdString();
        EXPECT_EQ(dialogs.messages[0].text, "\r\ndistERR");
        EXPECT_EQ(window.points()[2].e, "5,48");
    }
    type(window, 2, 1, "10");
    dialogs.clear();
    type(window, 2, 2, "400"); // the nearest table angle; without angle data the main direction
    EXPECT_EQ(window.points()[2].e, "5,48");
    EXPECT_TRUE(dialogs.messages.empty());
}

// As the user does it: type into the cell editor, press Enter.
TEST(VirtMPWindow, ACorrectedEntryRaisesNoError)
{
    ScriptedDialogs dialogs;
    TFormVirtMP window(plainInput());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTableWidget *grid = window.findChild<QTableWidget *>("SGvirtAbst");
    auto typeAndEnter = [&](const QString &text) {
        grid->setFocus();
        grid->setCurrentCell(1, 1);
        grid->editItem(grid->item(1, 1));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor hands its text over
    };
    typeAndEnter("2,5x");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "\r\ndistERR");
    dialogs.clear();
    typeAndEnter("7");
    EXPECT_EQ(window.points()[1].distance, "7");
    EXPECT_EQ(window.points()[1].e, "7,82"); // sqrt(3000) / 7
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
    // Enter on the grid itself, no editor open: computes as before.
    type(window, 1, 1, "1.5");
    dialogs.clear();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(dialogs.lastMessage(), "\r\ndistERR");
}

TEST(VirtMPWindow, MenusAndRowButtons)
{
    ScriptedDialogs dialogs;
    TFormVirtMP window(plainInput());
    trigger(window, "MIEinsBisN");
    trigger(window, "MIfuenfGrad");
    EXPECT_EQ(window.points()[4].distance, "5");
    EXPECT_EQ(window.points()[4].angle, "20");
    EXPECT_EQ(window.points()[4].e, "10,95");
    trigger(window, "MIalleZehn");
    trigger(window, "MIzehnGrad");
    EXPECT_EQ(window.points()[4].distance, "10");
    EXPECT_EQ(window.points()[4].angle, "40");
    trigger(window, "MIalleNull");
    EXPECT_EQ(window.points()[4].angle, "0");

    for (int i = 0; i < 6; ++i)
        click(window, "ButmpMinus");
    ASSERT_EQ(window.points().size(), 1u); // never fewer than one point
    for (int i = 0; i < 10; ++i)
        click(window, "Button2");
    const auto points = window.points();
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(rowTexts(window)[1], "MP 2|10|10|5,48|0,015");
    EXPECT_EQ(rowTexts(window)[10], "MP 11|10|90|5,48|0,015");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(VirtMPWindow, DistanceFileRoundTripAndRefusal)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    VirtMPInput in = plainInput();
    in.programDir = qs(dir.path());
    TFormVirtMP window(in);
    type(window, 0, 1, "3");
    type(window, 4, 2, "77");
    const auto saved = rowTexts(window);

    const std::string path = dir.file("Abstände.txt");
    dialogs.fileAnswers.push_back(qs(path));
    trigger(window, "MISave");
    EXPECT_EQ(dialogs.lastProposedPath, qs(dir.file("Abstände.txt")));
    EXPECT_EQ(dialogs.lastDefaultSuffix, "txt");
    EXPECT_EQ(ReadFileBytes(path), "w;5\r\n3;0\r\n10;10\r\n10;20\r\n10;30\r\n10;77\r\n");

    trigger(window, "MIalleZehn");
    click(window, "Button2");
    dialogs.fileAnswers.push_back(qs(path));
    trigger(window, "MIOpen");
    EXPECT_EQ(rowTexts(window), saved);

    // Refused files leave the grid as it was.
    const std::string bad = dir.file("kaputt.txt");
    for (const char *bytes : {"w;1000000000\r\n1;1\r\n", "w;0\r\n", "w;3\r\n1;1\r\n"}) {
        dialogs.clear();
        WriteBytes(bad, bytes);
        dialogs.fileAnswers.push_back(qs(bad));
        trigger(window, "MIOpen");
        ASSERT_EQ(dialogs.messages.size(), 1u) << bytes;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_TRUE(dialogs.messages[0].text.contains("kaputt.txt"));
        EXPECT_EQ(rowTexts(window), saved) << bytes;
    }
    // A bad line inside a sound file: the rows before it are taken, nothing is computed.
    dialogs.clear();
    WriteBytes(bad, "w;2\r\n4;4\r\n5\r\n");
    dialogs.fileAnswers.push_back(qs(bad));
    trigger(window, "MIOpen");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Zeile 3"));
    ASSERT_EQ(window.points().size(), 2u);
    EXPECT_EQ(window.points()[0].distance, "4");
    EXPECT_EQ(window.points()[0].e, "18,26"); // not recomputed: the results of 3 m stay

    // Cancelled dialogs change nothing.
    dialogs.clear();
    const auto now = rowTexts(window);
    dialogs.fileAnswers = {"", "", ""};
    trigger(window, "MIOpen");
    trigger(window, "MISave");
    click(window, "ButExport");
    EXPECT_EQ(rowTexts(window), now);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST(VirtMPWindow, ExchangeFileHoldsTheGrid)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    VirtMPInput in = plainInput();
    in.programDir = qs(dir.path()) + "/";
    in.antennaName = "Groundplane für 2m";
    TFormVirtMP window(in);
    click(window, "ButmpMinus");
    click(window, "ButmpMinus");
    click(window, "ButmpMinus");
    type(window, 1, 1, "0");
    const std::string path = dir.file("feld.xch");
    dialogs.fileAnswers.push_back(qs(path));
    click(window, "ButExport");
    EXPECT_EQ(dialogs.lastProposedPath, qs(dir.file("jjj.xch")));
    EXPECT_EQ(dialogs.lastSelectedFilter, "Kalvo Exchange Datei (*.xch)");
    EXPECT_EQ(dialogs.lastDefaultSuffix, "xch");
    EXPECT_EQ(ReadFileBytes(path), "Spalte.............>FO\r\n"
                                   "Antennenname.......>Groundplane f\xfcr 2m\r\n"
                                   "Band...............>2m\r\n"
                                   "Ausgangsleistung...>100\r\n"
                                   "TxRx-Intervall.....>fre - -->\r\n"
                                   "Mode-Faktoren......>Betriebsartenfaktor immer 1\r\n"
                                   "MP 1;5,48;0,015\r\n"
                                   "MP 2;---;---\r\n");
    // A failed write names the file and keeps the earlier one.
    dialogs.fileAnswers.push_back(qs(path));
    {
        WriteLimit limit(16);
        click(window, "ButExport");
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("feld.xch"));
    EXPECT_EQ(ReadFileBytes(path).substr(0, 22), "Spalte.............>FO");

    // Each failure with its German reason, as the command line gives it.
    const std::pair<std::string, const char *> failures[] = {
        {dir.file("fehlt/feld.xch"), "(Anlegen: Datei oder Ordner nicht vorhanden)."},
        {dir.path(), "(Anlegen: der Name gehört zu einem Ordner)."},
    };
    for (const auto &[target, reason] : failures) {
        dialogs.clear();
        dialogs.fileAnswers.push_back(qs(target));
        click(window, "ButExport");
        ASSERT_EQ(dialogs.messages.size(), 1u) << target;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_TRUE(dialogs.lastMessage().contains(reason)) << dialogs.lastMessage().toStdString();
    }
}
