#include "FormFixture.h"

#include "util/TextFile.h"

#include <QCheckBox>
#include <QPlainTextEdit>

namespace {

// Every text a configuration sets, as the window shows it.
const char *const kFields[] = {"EditCall", "EditFreq", "EditAntenne", "EditAntennenTyp", "EditHoehe", "EditPower",
                               "EditMode", "EditGain", "EditAtt", "EditfreeTXRX", "EditCableAtt100",
                               "EditCableLength", "EditPlugAtt", "EditmySafetyFactor", "EditDirectivityUsed",
                               "EditFSi", "EditEps", "EditHps", "EditFmodPers", "EditFB", "EditAntIn", "EditEIRP",
                               "EditERP", "EditrPS", "EditrNahfeld", "EditWiesAbstandPS", "EditTotalAtt"};

} // namespace

class ConfigTest : public FormTest {
protected:
    QStringList windowTexts()
    {
        QStringList all;
        for (const char *f : kFields)
            all << QString(f) + "=" + text(f);
        all << "band=" + find<QComboBox>("CBBand")->currentText();
        all << "cable=" + QString::number(find<QListWidget>("CLBCable")->currentRow());
        all << "wies=" + QString::number(find<QListWidget>("LBWiesAnt")->currentRow());
        for (const char *r : {"RGMode", "RGDutyCycle", "RGFCCBNetzA"})
            all << QString(r) + "=" + QString::number(find<ui::TRadioGroup>(r)->itemIndex());
        for (const char *c : {"CBWiesRXTX", "CBWiesMode", "CBabwDir"})
            all << QString(c) + "=" + (find<QCheckBox>(c)->isChecked() ? "1" : "0");
        return all;
    }
    void takeBeam()
    {
        clickListEntry("LBHersteller", "Test");
        clickListEntry("LBTypen", "Beam 2m");
        click("ButTakeAnt");
    }
    void saveAs(const QString &name)
    {
        dialogs.fileAnswers = {path(name)};
        trigger("MISaveAs");
    }
    void open(const QString &name)
    {
        dialogs.fileAnswers = {path(name)};
        trigger("MIopen");
    }
    // Started as "feldora DATEI" starts it, in the folder of an earlier start.
    void startWith(const QString &name)
    {
        FormOptions options;
        options.programDir = dir.path();
        options.showSplash = false;
        form = std::make_unique<TFeldoraForm>(options);
        started = form->StartWithFile(path(name));
    }
    void restart()
    {
        form->close();
        form.reset();
        dialogs.clear();
    }
    // Puts the window into another state, so that reopening has something to restore.
    void disturb()
    {
        trigger("MIAntennenNeuLaden");
        chooseBand("40m");
        type("EditPower", "5");
    }
};

TEST_F(ConfigTest, SaveAndReopenRestoreEveryText)
{
    start();
    takeBeam();
    // A configuration that touches every field: own cable, free duty factor, margin, Wiesbeck.
    chooseRadio("RGMode", 2);
    chooseRadio("RGFCCBNetzA", 0);
    chooseRadio("RGDutyCycle", 5);
    dialogs.inputAnswers = {QString("0.25"), QString("2"), QString("1.6")};
    doubleClick("EditfreeTXRX");
    doubleClick("EditmySafetyFactor");
    doubleClick("EditFSi");
    chooseCable(0);
    type("EditCableAtt100", "4,5");
    type("EditHoehe", "7.5");
    type("EditPower", "250");
    type("EditCall", "DK9ABC");
    clickListEntry("LBWiesAnt", "Quad");
    find<QCheckBox>("CBabwDir")->click();
    find<QCheckBox>("CBWiesMode")->click();
    const QStringList before = windowTexts();
    dialogs.clear();
    saveAs("voll.txt");
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();

    const std::vector<std::string> lines = ReadTextLines(path("voll.txt").toStdString());
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[9], "KabelTyp................>Anderes Kabel;4,50");
    EXPECT_EQ(lines[6], "TXRX-Intervall..........>5    //frei -->");

    disturb();
    open("voll.txt");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(windowTexts(), before);
    EXPECT_EQ(form->currentFileName(), path("voll.txt"));
}

TEST_F(ConfigTest, FixedFrequencyRoundTrip)
{
    QFile user(path("AntUser.txt"));
    ASSERT_TRUE(user.open(QIODevice::WriteOnly));
    user.write("[Eigenbau]\r\nDipol 4m,Dipol,70.2,2.15,1,#\r\n");
    user.close();
    start();
    dialogs.inputAnswers = {QString("70.443")};
    doubleClick("EditFreq");
    clickListEntry("LBHersteller", "Test");
    clickListEntry("LBTypen", "UHF"); // its 50 MHz line is more than 10 % away
    ASSERT_EQ(form->matchingLine(), -1);

    clickListEntry("LBHersteller", "Eigenbau");
    clickListEntry("LBTypen", "Dipol 4m");
    click("ButTakeAnt");
    dialogs.clear();
    dialogs.fileAnswers = {QString()};
    trigger("MISaveAs");
    EXPECT_EQ(dialogs.lastProposedPath, path("DL0XYZ 70MHz.txt"));
    EXPECT_EQ(dialogs.lastMessage(), "Datei wurde nicht gespeichert!");
    saveAs("fest.txt");
    EXPECT_EQ(ReadTextLines(path("fest.txt").toStdString())[1], "Band/Frequenz...........>F 70,44");
    const QStringList before = windowTexts();
    disturb();
    open("fest.txt");
    EXPECT_TRUE(form->fixedFrequencyMode());
    EXPECT_EQ(find<QComboBox>("CBBand")->currentIndex(), -1);
    EXPECT_DOUBLE_EQ(form->farField().workingFrequency, 70.44);
    EXPECT_EQ(windowTexts(), before);
}

TEST_F(ConfigTest, SavingIsRefusedWithoutAFittingAntennaBeforeAnyFileDialog)
{
    start();
    for (const char *entry : {"MISaveAs", "MISave"}) {
        dialogs.clear();
        dialogs.fileAnswers = {path("leer.txt")};
        trigger(entry);
        EXPECT_EQ(dialogs.lastMessage(), "Antenne passt nicht zur Frequenz! Speicherung nicht möglich!") << entry;
        EXPECT_EQ(dialogs.fileAnswers.size(), 1u) << entry << ": no file dialog was to be asked";
        EXPECT_EQ(dialogs.unexpected, 0) << entry;
        EXPECT_FALSE(QFile::exists(path("leer.txt")));
    }
    EXPECT_TRUE(form->settings().lastSavedFileName.empty());

    // Opened with a fitting antenna, then a band the antenna has no line for: refused too.
    takeBeam();
    saveAs("beam.txt");
    open("beam.txt");
    chooseBand("40m");
    const QByteArray before = [&] {
        QFile f(path("beam.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    dialogs.clear();
    trigger("MISaveAs");
    EXPECT_EQ(dialogs.lastMessage(), "Antenne passt nicht zur Frequenz! Speicherung nicht möglich!");
    EXPECT_EQ(dialogs.unexpected, 0);
    QFile after(path("beam.txt"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST_F(ConfigTest, SaveAsksUntilAFileWasOpened)
{
    start();
    takeBeam();
    dialogs.fileAnswers = {path("a.txt")};
    trigger("MISave"); // nothing opened yet: asks
    EXPECT_TRUE(QFile::exists(path("a.txt")));
    EXPECT_TRUE(form->currentFileName().isEmpty()); // saving under a name does not make it current
    EXPECT_EQ(form->settings().lastSavedFileName, path("a.txt").toStdString());
    saveAs("b.txt");
    dialogs.clear();
    dialogs.fileAnswers = {QString()};
    trigger("MISave"); // still nothing opened: asks again
    EXPECT_EQ(dialogs.lastMessage(), "Datei wurde nicht gespeichert!");

    open("a.txt");
    saveAs("b.txt"); // a.txt stays the current file
    EXPECT_EQ(form->currentFileName(), path("a.txt"));
    type("EditPower", "50");
    trigger("MISave"); // writes a.txt without asking
    EXPECT_EQ(dialogs.unexpected, 0);
    EXPECT_EQ(ReadTextLines(path("a.txt").toStdString())[4], "Leistung [W]............>50,0");
    EXPECT_EQ(ReadTextLines(path("b.txt").toStdString())[4], "Leistung [W]............>100");

    chooseBand("2m"); // a band change forgets the file
    dialogs.fileAnswers = {QString()};
    trigger("MISave");
    EXPECT_EQ(dialogs.lastMessage(), "Datei wurde nicht gespeichert!");

    dialogs.fileAnswers = {QString()};
    trigger("MIopen");
    EXPECT_EQ(dialogs.lastMessage(), "Datei wurde nicht geöffnet!");
}

TEST_F(ConfigTest, FailedOpeningChangesNothing)
{
    start();
    takeBeam();
    saveAs("gut.txt");
    std::vector<std::string> lines = ReadTextLines(path("gut.txt").toStdString());
    lines[0] = "Rufzeichen..............>DF1XX";
    lines[14] = "Wiesbeck abw. Dir.[dBi].>abc"; // fails late, after many fields would have been set
    WriteTextLines(path("kaputt.txt").toStdString(), lines);
    type("EditPower", "42");
    const QStringList before = windowTexts();
    dialogs.clear();
    open("kaputt.txt");
    EXPECT_EQ(dialogs.lastMessage(), "Abweichende Directivity hat falsches Format!");
    EXPECT_EQ(windowTexts(), before);
    EXPECT_TRUE(form->currentFileName().isEmpty());

    lines[14] = "Wiesbeck abw. Dir.[dBi].>0,00";
    lines[3] = "Höhe [m]................>hoch";
    WriteTextLines(path("kaputt.txt").toStdString(), lines);
    open("kaputt.txt");
    EXPECT_EQ(dialogs.lastMessage(), "Hoehe hat falsches Format!");
    EXPECT_EQ(windowTexts(), before);
}

TEST_F(ConfigTest, EditedModeMarginAndSafetyFactorAreChecked)
{
    start();
    takeBeam();
    saveAs("f.txt");
    std::vector<std::string> lines = ReadTextLines(path("f.txt").toStdString());
    lines[5] = "Betriebsart.............>NV ";
    lines[8] = "Betriebsartenfaktor.....>0    //EN 50413 (Ausgabe 2013) und DKE K764-Empfehlung"; // halves SSB
    lines[12] = "Pers. Sich. Fakt........>-3 dB";
    lines[18] = "Wies. Faktor Sicherheit.>2,0000";
    WriteTextLines(path("f.txt").toStdString(), lines);
    open("f.txt");
    EXPECT_EQ(find<ui::TRadioGroup>("RGMode")->itemIndex(), -1);
    EXPECT_EQ(text("EditMode"), "NV ");
    EXPECT_EQ(text("EditFmodPers"), "1,00");
    EXPECT_EQ(text("EditmySafetyFactor"), "0 dB");
    EXPECT_EQ(text("EditFSi"), "2,0000");
    EXPECT_DOUBLE_EQ(form->wiesResult().FSi, 2.0);
}

TEST_F(ConfigTest, AutoloadAtStartAndAfterReload)
{
    start();
    takeBeam();
    type("EditPower", "400");
    saveAs("auto.txt");
    trigger("MIAutoload");
    form->close();
    form.reset();

    start();
    EXPECT_EQ(text("EditPower"), "400");
    EXPECT_EQ(text("EditAntenne"), "Beam 2m");
    type("EditPower", "5");
    trigger("MIAntennenNeuLaden"); // back to the start values, then the autoload file again
    EXPECT_EQ(text("EditPower"), "400");

    form->close();
    form.reset();
    QFile::remove(path("auto.txt"));
    dialogs.clear();
    start();
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.lastMessage(), "Die Datei " + path("auto.txt") + " konnte nicht gefunden werden");
    EXPECT_TRUE(form->settings().lastSavedFileName.empty());
    EXPECT_EQ(text("EditPower"), "100");
}

TEST_F(ConfigTest, FileNamedAtStartOpensAsTheMenuDoesInPlaceOfTheAutoload)
{
    start();
    takeBeam();
    type("EditPower", "250");
    saveAs("genannt.txt");
    type("EditPower", "400");
    saveAs("auto.txt"); // the last saved file, which the autoload would open
    trigger("MIAutoload");
    restart();

    startWith("genannt.txt");
    ASSERT_TRUE(started);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(text("EditPower"), "250");
    EXPECT_EQ(form->currentFileName(), path("genannt.txt"));
    const QStringList named = windowTexts();
    disturb();
    open("genannt.txt");
    EXPECT_EQ(windowTexts(), named);

    // The autoload stays on: a reload opens the last saved file again.
    EXPECT_TRUE(form->findChild<QAction *>("MIAutoload")->isChecked());
    trigger("MIAntennenNeuLaden");
    EXPECT_EQ(text("EditPower"), "400");
}

TEST_F(ConfigTest, FileThatCannotBeOpenedAtStartLeavesTheWindowEmpty)
{
    start();
    const QStringList empty = windowTexts();
    takeBeam();
    saveAs("auto.txt");
    trigger("MIAutoload");
    std::vector<std::string> lines = ReadTextLines(path("auto.txt").toStdString());
    lines[3] = "Höhe [m]................>hoch";
    WriteTextLines(path("kaputt.txt").toStdString(), lines);
    restart();

    // A site file is no configuration: it opens in the site window (see the site launch's tests).
    for (const char *name : {"fehlt.txt", "kaputt.txt"}) {
        startWith(name);
        ASSERT_TRUE(started) << name;
        EXPECT_TRUE(form->isVisible()) << name;
        EXPECT_EQ(windowTexts(), empty) << name;
        EXPECT_TRUE(form->currentFileName().isEmpty()) << name;
        ASSERT_EQ(dialogs.messages.size(), 1u) << name;
        const ShownMessage atStart = dialogs.messages.back();
        // The same message as "&Öffnen" gives for the file.
        dialogs.clear();
        open(name);
        ASSERT_FALSE(dialogs.messages.empty()) << name;
        EXPECT_EQ(atStart.kind, dialogs.messages.back().kind) << name;
        EXPECT_EQ(atStart.text, dialogs.lastMessage()) << name;
        restart();
    }
}

TEST_F(ConfigTest, EveryModeDutyAndSourceSurvivesSaving)
{
    start();
    takeBeam();
    for (int i = 0; i < 6; ++i) {
        find<ui::TRadioGroup>("RGMode")->setItemIndex(i);
        emit find<ui::TRadioGroup>("RGMode")->clicked(i);
        find<ui::TRadioGroup>("RGDutyCycle")->setItemIndex((i + 2) % 6);
        emit find<ui::TRadioGroup>("RGDutyCycle")->clicked((i + 2) % 6);
        find<ui::TRadioGroup>("RGFCCBNetzA")->setItemIndex(i % 3);
        emit find<ui::TRadioGroup>("RGFCCBNetzA")->clicked(i % 3);
        const QStringList before = windowTexts();
        const QString name = QString("kombi%1.txt").arg(i);
        saveAs(name);
        disturb();
        open(name);
        EXPECT_EQ(windowTexts(), before) << i;
    }
}

TEST_F(ConfigTest, WrittenFileIsWindows1252WithCrLfAndLabels)
{
    start();
    takeBeam();
    saveAs("bytes.txt");
    QFile f(path("bytes.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("Rufzeichen..............>DL0XYZ\r\n"));
    EXPECT_TRUE(bytes.contains("H\xF6he [m]................>10\r\n"));
    EXPECT_TRUE(bytes.contains("Antenne.................>Beam 2m;Test\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 19);
    EXPECT_TRUE(bytes.endsWith("Wies. Faktor Sicherheit.>1,4142\r\n"));
    EXPECT_FALSE(bytes.contains("\xC3")); // no UTF-8 sequences
}
