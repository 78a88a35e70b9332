#include "FormFixture.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <cmath>

TEST_F(FormTest, StartShowsTheDefaultConfiguration)
{
    start();
    ASSERT_TRUE(started);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(find<QComboBox>("CBBand")->currentText(), "2m");
    EXPECT_EQ(text("EditFreq"), "144,00 - 146,00");
    EXPECT_EQ(text("EditPower"), "100");
    EXPECT_EQ(find<QListWidget>("CLBCable")->currentRow(), 18);
    EXPECT_EQ(find<QListWidget>("CLBCable")->item(18)->checkState(), Qt::Checked);
    EXPECT_EQ(text("EditCableLength"), "10,00");
    EXPECT_EQ(text("EditPlugAtt"), "0,30");
    EXPECT_EQ(text("EditCableAtt100"), "7,73");
    EXPECT_EQ(text("EditCableAtt"), "0,77");
    EXPECT_EQ(text("EditTotalAtt"), "1,07");
    EXPECT_EQ(text("EditAttFreq"), "144,00");
    EXPECT_EQ(text("EditMode"), "SSB");
    EXPECT_EQ(find<ui::TRadioGroup>("RGFCCBNetzA")->itemIndex(), 1);
    EXPECT_EQ(find<ui::TRadioGroup>("RGDutyCycle")->itemIndex(), 0);
    EXPECT_EQ(text("EditGain"), "0,000");
    EXPECT_EQ(text("EditEps"), "27,50 V/m");
    EXPECT_EQ(text("EditHps"), "0,0730 A/m");
    EXPECT_EQ(text("EditEIRP"), "78,11 W"); // 100 W less 1.073 dB
    EXPECT_EQ(text("EditrPS"), "1,76 m");
    EXPECT_EQ(text("EditrNahfeld"), "0,33 m");
    EXPECT_EQ(form->windowTitle(), "Feldora v 2.1.0");
    EXPECT_FALSE(find<QTabWidget>("PageControl")->isTabVisible(4));
}

TEST_F(FormTest, MissingCatalogueEndsTheStart)
{
    start(false);
    EXPECT_FALSE(started);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.lastMessage(), "Die Datei " + path("Antennen.txt") + " konnte nicht gefunden werden.");
}

TEST_F(FormTest, FixedFrequencyAndBackToBandMode)
{
    start();
    dialogs.inputAnswers = {QString("7.05")};
    doubleClick("EditFreq");
    EXPECT_EQ(dialogs.inputTitles.value(0), "Berechnung mit fester Frequenz");
    EXPECT_EQ(text("EditFreq"), "  7,05");
    EXPECT_EQ(find<QComboBox>("CBBand")->currentIndex(), -1);
    EXPECT_TRUE(form->fixedFrequencyMode());
    EXPECT_EQ(form->farField().effectiveBand, 6);
    EXPECT_EQ(text("EditEps"), "32,77 V/m");
    EXPECT_NEAR(form->farField().NearFieldDistance, NearFieldBoundary(7.05), 1e-12);
    EXPECT_TRUE(form->traceText().contains("Freq:  7,050\nFreq:  7,050"));

    // Saved and reopened at 7.05 MHz, so that there is a current file for the band change to forget.
    clickListEntry("LBHersteller", "Test");
    clickListEntry("LBTypen", "Dipol 40m");
    click("ButTakeAnt");
    dialogs.fileAnswers = {path("fest.txt"), path("fest.txt")};
    trigger("MISaveAs");
    trigger("MIopen");
    ASSERT_EQ(form->currentFileName(), path("fest.txt"));
    ASSERT_TRUE(form->fixedFrequencyMode());

    chooseBand("40m");
    EXPECT_FALSE(form->fixedFrequencyMode());
    EXPECT_EQ(text("EditFreq"), "  7,00 -   7,20");
    EXPECT_TRUE(form->currentFileName().isEmpty());
}

TEST_F(FormTest, FixedFrequencyRefusesTextAndZero)
{
    start();
    const QString before = text("EditrPS");
    dialogs.inputAnswers = {QString("abc"), QString("0"), std::nullopt};
    doubleClick("EditFreq");
    EXPECT_EQ(dialogs.lastMessage(), "Die Frequenz muß eine Gleitkommazahl sein!");
    doubleClick("EditFreq");
    EXPECT_EQ(dialogs.lastMessage(), "Die Frequenz muß größer als 0 MHz sein!");
    doubleClick("EditFreq");
    EXPECT_FALSE(form->fixedFrequencyMode());
    EXPECT_EQ(text("EditrPS"), before);
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(FormTest, FreeDutyFactorDialog)
{
    start();
    struct {
        const char *typed, *shown;
    } cases[] = {{"1.5", "1,0"}, {"0.02", "0,04"}, {"Wort", "0,167"}, {"0.25", "0,25"}};
    chooseRadio("RGDutyCycle", 5);
    for (const auto &c : cases) {
        dialogs.inputAnswers = {QString(c.typed)};
        doubleClick("EditfreeTXRX");
        EXPECT_EQ(text("EditfreeTXRX"), c.shown) << c.typed;
    }
    EXPECT_EQ(text("EditFB"), "0,25");
}

TEST_F(FormTest, SafetyMarginDialog)
{
    start();
    const double plain = form->farField().SafetyDistance;
    dialogs.inputAnswers = {QString("-3")};
    doubleClick("EditmySafetyFactor");
    EXPECT_EQ(text("EditmySafetyFactor"), "0 dB");
    EXPECT_NEAR(form->farField().SafetyDistance, plain, 1e-12);
    dialogs.inputAnswers = {QString("3")};
    doubleClick("EditmySafetyFactor");
    EXPECT_EQ(text("EditmySafetyFactor"), "3 dB");
    EXPECT_NEAR(form->farField().SafetyDistance, plain * std::pow(10.0, 3.0 / 20), 1e-9);
}

TEST_F(FormTest, PowerMenuAndNineNinetyNine)
{
    start();
    trigger("N10W");
    EXPECT_EQ(text("EditPower"), "10,0");
    trigger("N750W");
    EXPECT_EQ(text("EditPower"), "750");

    // The 9,99 W automatics hit exactly, whatever gain, loss and factors are set.
    find<ui::TRadioGroup>("RGDutyCycle")->setItemIndex(2);
    emit find<ui::TRadioGroup>("RGDutyCycle")->clicked(2);
    doubleClick("EditEIRP");
    EXPECT_EQ(text("EditEIRP"), "9,99 W");
    doubleClick("EditERP");
    EXPECT_EQ(text("EditERP"), "9,99 W");
}

TEST_F(FormTest, DistanceTargets)
{
    start();
    click("ButSetAttNull");
    EXPECT_EQ(text("EditTotalAtt"), "0,00");
    trigger("Abstand5m");
    EXPECT_NEAR(form->power(), 5 * 5 * 27.5 * 27.5 / 30, 1e-9);
    EXPECT_EQ(text("EditrPS"), "5,00 m");
    EXPECT_EQ(text("EditPower"), "630");

    dialogs.inputAnswers = {QString("x"), QString("-2"), QString("10")};
    doubleClick("EditrPS");
    EXPECT_EQ(dialogs.lastMessage(), "\r\nDer Abstand muß eine Gleitkommazahl sein!");
    doubleClick("EditrPS");
    EXPECT_EQ(dialogs.lastMessage(), "Der Abstand muß größer als 0 sein!");
    EXPECT_EQ(text("EditrPS"), "5,00 m");
    doubleClick("EditrPS");
    EXPECT_EQ(text("EditrPS"), "10,00 m");
}

TEST_F(FormTest, DistanceTargetWithoutLimitIsRefused)
{
    start();
    dialogs.inputAnswers = {QString("300000")}; // the top of the frequency range has no limit
    doubleClick("EditFreq");
    EXPECT_EQ(text("EditEps"), "---");
    const double power = form->power();
    trigger("Abstand10m");
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Warning);
    EXPECT_DOUBLE_EQ(form->power(), power);
}

TEST_F(FormTest, EirpAndErpTargetDialogs)
{
    start();
    dialogs.inputAnswers = {QString("41"), QString("abc"), QString("25"), QString("0")};
    emit find<ui::TLabel>("LaEIRP")->doubleClicked();
    EXPECT_EQ(text("EditEIRP"), "41,00 W");
    emit find<ui::TLabel>("LaERP")->doubleClicked();
    EXPECT_EQ(dialogs.lastMessage(), "\r\nDie ERP muß eine Gleitkommazahl sein!");
    emit find<ui::TLabel>("LaERP")->doubleClicked();
    EXPECT_EQ(text("EditERP"), "25,00 W");
    emit find<ui::TLabel>("LaEIRP")->doubleClicked();
    EXPECT_EQ(dialogs.lastMessage(), "Die EIRP muß größer als 0 sein!");
    EXPECT_EQ(text("EditERP"), "25,00 W");
}

TEST_F(FormTest, BadHeightAndPowerKeepTheirValues)
{
    start();
    type("EditHoehe", "12.5");
    EXPECT_DOUBLE_EQ(form->height(), 12.5);
    type("EditHoehe", "-1");
    EXPECT_EQ(dialogs.lastMessage(), "Die Höhe muß eine positive Gleichkommazahl sein!");
    EXPECT_EQ(text("EditHoehe"), "");
    EXPECT_DOUBLE_EQ(form->height(), 12.5);

    type("EditPower", "abc");
    EXPECT_EQ(dialogs.lastMessage(), "Die Leistung muß eine positive Gleichkommazahl sein!");
    EXPECT_EQ(text("EditPower"), "");
    EXPECT_DOUBLE_EQ(form->power(), 100);
}

TEST_F(FormTest, UncaughtConversionEndsTheHandlerWithAnErrorBox)
{
    start();
    type("EditHoehe", "x"); // rejected: the field stays empty
    const QString before = text("EditrPS");
    dialogs.clear();
    trigger("N100W"); // recalculation cannot read the height
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(dialogs.lastMessage(), "'' ist kein gültiger Gleitkommawert.");
    EXPECT_EQ(text("EditrPS"), before);
}

TEST_F(FormTest, BandChangeRunsTheWholeChainInOrder)
{
    start();
    find<QPlainTextEdit>("dm")->clear();
    chooseBand("40m");
    const QStringList lines = form->traceText().split('\n');
    const QStringList expected = {"CBBandChange", "UpdateFreq",    "UpDateCable",       "calc (pro)",
                                  "UpdateFreq",   "WiesCalc",      "WinkelCalc",        "UpdateBetriebsart",
                                  "calc (pro)",   "UpdateFreq",    "WiesCalc",          "WinkelCalc",
                                  "LBTypenClick", "calc (pro)",    "UpdateFreq",        "WiesCalc",
                                  "WinkelCalc"};
    EXPECT_EQ(lines.mid(0, expected.size()), expected) << form->traceText().toStdString();
    EXPECT_EQ(text("EditEps"), "32,42 V/m");

    trigger("MIDebugMode"); // trace off
    find<QPlainTextEdit>("dm")->clear();
    chooseBand("2m");
    EXPECT_TRUE(form->traceText().isEmpty());
}

TEST_F(FormTest, FieldClicksShowTheirPages)
{
    start();
    auto *pages = find<QTabWidget>("PageControl");
    click("EditAtt");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheetKabel");
    click("EditMode");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabsheetBetriebsart");
    click("EditGain");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheetAntenne");
}

TEST_F(FormTest, FixedSizeWindowWithShortcuts)
{
    start();
    form->show();
    const QSize size = form->size();
    EXPECT_EQ(form->centralWidget()->size(), QSize(600, 537));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    form->resize(1000, 800);
    EXPECT_EQ(form->size(), size);
    EXPECT_EQ(form->centralWidget()->size(), QSize(600, 537));

    const struct {
        const char *action;
        const char *keys;
    } keys[] = {{"MIopen", "Ctrl+O"}, {"MISave", "Ctrl+S"}, {"MIDrucken", "Ctrl+P"}};
    for (const auto &k : keys)
        EXPECT_EQ(form->findChild<QAction *>(k.action)->shortcut(), QKeySequence(k.keys)) << k.action;
}
