#include "views/Uebersicht.h"
#include "FileTestSupport.h"
#include "ScriptedDialogs.h"
#include "data/AntennenLib.h"
#include "util/TextFile.h"
#include "views/DesktopFolder.h"
#include "views/draw/QtText.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// A two-band antenna at 100 W: the window lists just its bands.
UebersichtInput duoStation()
{
    const TAntennen catalogue = TAntennen::FromLines({"[Test]", "Duo,Collinear,145,4.7,2,435,7.5,3,#"}, {});
    StationInputs in;
    in.antennaName = "Duo";
    in.manufacturer = "Test";
    UebersichtInput input;
    input.bands = CalculateAllBands(in, &catalogue);
    input.station = "Antenne: Duo (Collinear)";
    return input;
}

QStringList shownRow(const QTableWidget *table, int row)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
        cells << table->item(row, c)->text();
    return cells;
}

QStringList expectedRow(const std::vector<std::string> &row)
{
    QStringList cells;
    for (const std::string &cell : row)
        cells << qs(cell);
    return cells;
}

void typeDistance(TFormUebersicht &window, const QString &text)
{
    auto *edit = window.findChild<QLineEdit *>("EditAbstand");
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

TEST(Uebersicht, ShowsTheBandsOfTheAntennaAndFollowsTheDistance)
{
    ScriptedDialogs dialogs;
    const UebersichtInput input = duoStation();
    TFormUebersicht window(input);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Übersicht aller Bänder");
    EXPECT_EQ(window.findChild<QLabel *>("LabelStation")->text(), "Antenne: Duo (Collinear)");
    EXPECT_EQ(window.findChild<QLineEdit *>("EditAbstand")->text(), "5,00");
    auto *table = window.findChild<QTableWidget *>("SGBaender");
    ASSERT_EQ(table->rowCount(), 2);
    ASSERT_EQ(table->columnCount(), 11);
    EXPECT_EQ(table->horizontalHeaderItem(10)->text(), "größte PEP\nbei 5,00 m");
    const auto rows = AllBandsRows(input.bands, 5);
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(shownRow(table, r), expectedRow(rows[static_cast<size_t>(r) + 1]));
    EXPECT_EQ(table->item(0, 0)->text(), "2m");
    EXPECT_EQ(table->item(1, 0)->text(), "70cm");

    typeDistance(window, "10");
    EXPECT_EQ(window.areaDistance(), 10);
    EXPECT_EQ(window.findChild<QLineEdit *>("EditAbstand")->text(), "10,00");
    EXPECT_EQ(table->horizontalHeaderItem(10)->text(), "größte PEP\nbei 10,00 m");
    EXPECT_EQ(shownRow(table, 1), expectedRow(AllBandsRows(input.bands, 10)[2]));
    EXPECT_NE(table->item(1, 10)->text(), qs(rows[2][10]));
    EXPECT_TRUE(dialogs.clipboard.isEmpty()); // Enter pressed no button

    // A distance the table cannot take is refused; the last one stays.
    const struct {
        const char *typed;
        const char *message;
    } refused[] = {
        {"zehn", "Der Abstand muß eine Gleitkommazahl sein!"},
        {"0", "Der Abstand muß größer als 0 sein!"},
        {"-3", "Der Abstand muß größer als 0 sein!"},
        {"20000", "Der Abstand muß zwischen 0 und 10000 m liegen!"},
        {"1e400", "Der Abstand muß eine Gleitkommazahl sein!"},
    };
    for (const auto &r : refused) {
        dialogs.messages.clear();
        typeDistance(window, r.typed);
        ASSERT_EQ(dialogs.messages.size(), 1u) << r.typed;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(dialogs.lastMessage(), QString::fromUtf8(r.message)) << r.typed;
        EXPECT_EQ(window.areaDistance(), 10) << r.typed;
        EXPECT_EQ(window.findChild<QLineEdit *>("EditAbstand")->text(), "10,00") << r.typed;
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST(Uebersicht, WithoutBandsShowsAnEmptyTable)
{
    ScriptedDialogs dialogs;
    TFormUebersicht window(UebersichtInput{});
    EXPECT_EQ(window.findChild<QTableWidget *>("SGBaender")->rowCount(), 0);
    window.findChild<QPushButton *>("ButKopieren")->click();
    EXPECT_EQ(dialogs.clipboard.count("\r\n"), 1); // the heading alone
}

TEST(Uebersicht, CopiesAndSavesTheTable)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    TFormUebersicht window(duoStation());
    window.findChild<QPushButton *>("ButKopieren")->click();
    const QStringList copied = dialogs.clipboard.split("\r\n");
    ASSERT_EQ(copied.size(), 4); // heading, two bands, the empty rest after the last CR LF
    EXPECT_TRUE(copied[0].startsWith("Band\tFrequenz (MHz)\tGewinn (dBi)\t"));
    EXPECT_TRUE(copied[0].endsWith("\tgrößte PEP bei 5,00 m"));
    EXPECT_TRUE(copied[1].startsWith("2m\t"));
    EXPECT_EQ(copied[1].count('\t'), 10);

    const std::string file = dir.file("baender.txt");
    dialogs.fileAnswers.push_back(qs(file));
    window.findChild<QPushButton *>("ButSpeichern")->click();
    EXPECT_EQ(dialogs.lastProposedPath, UserDesktopFolder() + "FO Alle Bänder.txt");
    const std::string bytes = ReadFileBytes(file);
    // Windows-1252, CR LF, ";" between the columns: "ä" is one byte, and every line ends in CR LF.
    EXPECT_EQ(bytes.substr(0, 34), "Band;Frequenz (MHz);Gewinn (dBi);D");
    EXPECT_EQ(bytes[34], '\xE4');
    const std::string second = bytes.substr(bytes.find("\r\n") + 2);
    EXPECT_EQ(second.substr(0, 3), "2m;");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 3);
    EXPECT_EQ(std::count(second.begin(), second.end(), ';'), 20);

    // Cancelled: nothing written; failed: the earlier file stays and the message names it.
    dialogs.fileAnswers = {QString(), qs(file)};
    window.findChild<QPushButton *>("ButSpeichern")->click();
    {
        WriteLimit limit(16);
        window.findChild<QPushButton *>("ButSpeichern")->click();
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.lastMessage().contains(qs(file))) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(ReadFileBytes(file), bytes);
    EXPECT_EQ(dir.entryCount(), 1);
    EXPECT_EQ(dialogs.unexpected, 0);
}
