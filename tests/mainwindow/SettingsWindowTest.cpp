#include "FormFixture.h"

#include "util/TextFile.h"

#include <QScreen>

TEST_F(FormTest, FirstStartWritesAllEightKeysOnClosing)
{
    start();
    form->close();
    const std::vector<std::string> lines = ReadTextLines(path("Feldora.ini").toStdString());
    std::string all;
    for (const std::string &l : lines)
        all += l + "\n";
    for (const char *key : {"Left=", "Top=", "IndPfade=0", "AutoLoad=0", "Antennen=", "AngDir=", "LastSavedFileName=",
                            "CADFileName="})
        EXPECT_NE(all.find(key), std::string::npos) << key << "\n" << all;
}

TEST_F(FormTest, IndividualPathsTakeTheUserFileFromTheOtherFolder)
{
    QTemporaryDir other;
    QFile::copy(FELDORA_TEST_DATA "/win_Antennen.txt", other.path() + "/Katalog.txt");
    WriteTextLines(path("Feldora.ini").toStdString(),
                   {"[Optionen]", "indpfade=1", "autoload=1", "[Dateinamen]",
                    "Antennen=" + (other.path() + "/Katalog.txt").toStdString(), "AngDir=/tmp/winkel"});
    start(false);
    ASSERT_TRUE(started) << dialogs.lastMessage().toStdString();
    EXPECT_TRUE(form->findChild<QAction *>("MIPfade")->isChecked());
    EXPECT_TRUE(form->findChild<QAction *>("MIAutoload")->isChecked());
    trigger("MIPfadeAnzeigen");
    EXPECT_EQ(dialogs.lastMessage(), "Pfad zu den Winkeldaten: /tmp/winkel/\r\nAntennendatei: " + other.path() +
                                         "/Katalog.txt\r\nUserdatei: " + other.path() + "/AntUser.txt\r\n"
                                         "Arbeitsverzeichnis: " + dir.path() + "/\r\n");
}

TEST_F(FormTest, TogglingIndividualPathsOnlyTellsAndIsStoredOnClosing)
{
    // Individual paths off, but the file names other places: they must not take effect now.
    WriteTextLines(path("Feldora.ini").toStdString(),
                   {"[Optionen]", "IndPfade=0", "[Dateinamen]", "Antennen=/srv/funk/Katalog.txt",
                    "AngDir=/srv/winkel/"});
    start();
    trigger("MIPfade");
    EXPECT_TRUE(form->findChild<QAction *>("MIPfade")->isChecked());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.lastMessage(), "Sie sollten Feldora schließen und neu starten.\r\nErst dann werden die "
                                     "Einstellungen in der ini-Datei (un-)wirksam.");
    trigger("MIPfadeAnzeigen");
    EXPECT_EQ(dialogs.lastMessage(), "Pfad zu den Winkeldaten: " + dir.path() + "/ang/\r\nAntennendatei: " +
                                         path("Antennen.txt") + "\r\nUserdatei: " + path("AntUser.txt") +
                                         "\r\nArbeitsverzeichnis: " + dir.path() + "/\r\n");
    form->close();
    std::string all;
    for (const std::string &l : ReadTextLines(path("Feldora.ini").toStdString()))
        all += l + "\n";
    EXPECT_NE(all.find("IndPfade=1"), std::string::npos) << all;
    // The texts read are written back, not the paths in effect.
    EXPECT_NE(all.find("Antennen=/srv/funk/Katalog.txt\n"), std::string::npos) << all;
    EXPECT_NE(all.find("AngDir=/srv/winkel/\n"), std::string::npos) << all;
}

TEST_F(FormTest, DocumentsAndInfoTexts)
{
    start();
    trigger("MIBedienung");
    EXPECT_EQ(dialogs.lastMessage(), "Die Datei " + path("Feldora_Bedienung.pdf") + " konnte nicht gefunden werden!");
    QFile pdf(path("Feldora_Anzeige.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    trigger("MIAnzeige");
    EXPECT_EQ(dialogs.opened.last(), path("Feldora_Anzeige.pdf"));
    trigger("MIeMailanAutor");
    EXPECT_TRUE(dialogs.opened.last().startsWith("mailto:"));
    EXPECT_TRUE(dialogs.messages.size() == 1) << dialogs.lastMessage().toStdString();
    for (const char *entry : {"MIBekannteFehler", "MIGoodies", "MIHistory", "MIHinweis"}) {
        dialogs.clear();
        trigger(entry);
        ASSERT_EQ(dialogs.messages.size(), 1u) << entry;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
    }
}

TEST_F(FormTest, OpeningWithoutADesktopProgramIsReported)
{
    start();
    QFile pdf(path("Feldora_Anzeige.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    dialogs.desktopOpens = false;
    const struct {
        const char *entry;
        QString named;
    } cases[] = {
        {"MIAntDateiModify", "Für die Datei " + path("Antennen.txt") + " ist kein Programm zum Öffnen eingerichtet."},
        {"MIAntUserModify", "Für die Datei " + path("AntUser.txt") + " ist kein Programm zum Öffnen eingerichtet."},
        {"MIAnzeige", "Für die Datei " + path("Feldora_Anzeige.pdf") + " ist kein Programm zum Öffnen eingerichtet."},
        {"MIeMailanAutor", "ist kein E-Mail-Programm zum Öffnen eingerichtet."},
    };
    for (const auto &c : cases) {
        dialogs.clear();
        trigger(c.entry);
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.entry;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning) << c.entry;
        EXPECT_TRUE(dialogs.messages[0].text.endsWith(c.named)) << dialogs.messages[0].text.toStdString();
    }
    EXPECT_TRUE(dialogs.lastMessage().startsWith("Für die E-Mail an den Autor "));
}

namespace
{


} // namespace

// A start without moving the window writes the same numbers back, start after start; a stored
// position beyond the screen's edge opens the window fully on it.
TEST_F(FormTest, PositionSurvivesRestartsAndStaysOnTheScreen)
{
    const QString ini = path("Feldora.ini");
    WriteTextLines(ini.toStdString(), {"[Fensterpositionen]", "Left=99", "Top=80"});
    for (int run = 1; run <= 3; ++run) {
        start();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        EXPECT_EQ(form->geometry().topLeft(), QPoint(99, 80)) << "start " << run;
        form->close();
        form.reset();
        EXPECT_EQ(storedPosition(ini), "99/80") << "start " << run;
    }

    const std::pair<const char *, const char *> beyond[] = {{"5000", "80"}, {"99", "5000"}, {"-3000", "-3000"}};
    for (const auto &[left, top] : beyond) {
        WriteTextLines(ini.toStdString(), {"[Fensterpositionen]", std::string("Left=") + left, std::string("Top=") + top});
        start();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const QRect screen = form->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(form->frameGeometry())) << left << "/" << top;
        form->close();
        form.reset();
    }
}
