#include "FormFixture.h"

#include "util/TextFile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <cmath>

namespace {

void setChecked(QCheckBox *box, bool on)
{
    if (box->isChecked() != on)
        box->click(); // a user click: runs the calculation
}

} // namespace

class WiesbeckTest : public FormTest {
protected:
    // Dipol on 80m with 100 W at the antenna input, no averaging, 10 m.
    void dipoleOn80m()
    {
        start();
        chooseBand("80m");
        click("ButSetAttNull");
        setChecked(find<QCheckBox>("CBWiesRXTX"), false);
        setChecked(find<QCheckBox>("CBWiesMode"), false);
        clickListEntry("LBWiesAnt", "Dipol");
    }
};

TEST_F(WiesbeckTest, StudyDistanceForTheDipole)
{
    dipoleOn80m();
    EXPECT_DOUBLE_EQ(form->farField().AntennaInputPower, 100);
    EXPECT_EQ(text("EditDirectivity"), "2,15");
    EXPECT_EQ(text("EditBodenHoehe"), "1,00");
    EXPECT_EQ(text("EditWiesEIRP"), "164,06");
    EXPECT_EQ(text("EditkFitPS"), "1,60");
    EXPECT_EQ(text("EditFSi"), "1,4142");
    EXPECT_EQ(text("EditWiesAbstandPS"), "2,26 m");
    EXPECT_EQ(find<QGroupBox>("GBWiesAbstaende")->title(), "Sicherheitsabstand (im Nahfeld gültig!)");
    EXPECT_EQ(find<QGroupBox>("GBWiesInfo")->title(), "Informationen zur Wiebeckstudie");
    EXPECT_TRUE(find<QPlainTextEdit>("MemoWiesInfo")->toPlainText().startsWith("Die Wiesbeck-Studie der RegTP"));

    type("EditHoehe", "5");
    EXPECT_EQ(text("EditBodenHoehe"), "2,96");
    EXPECT_EQ(text("EditWiesAbstandPS"), "6,70 m");

    type("EditHoehe", "10");
    type("EditDirectivityUsed", "5.15");
    setChecked(find<QCheckBox>("CBabwDir"), true);
    EXPECT_EQ(text("EditDirectivityUsed"), "5,15");
    EXPECT_EQ(text("EditWiesAbstandPS"), "3,20 m");
    EXPECT_EQ(text("EditWiesEIRP"), "327,34");
}

TEST_F(WiesbeckTest, MissingStudyDataShowsDashes)
{
    dipoleOn80m();
    chooseBand("40m");
    type("EditHoehe", "3");
    clickListEntry("LBWiesAnt", "FB53");
    EXPECT_EQ(text("EditDirectivity"), "---");
    EXPECT_EQ(text("EditkFitPS"), "---");
    EXPECT_EQ(text("EditWiesAbstandPS"), "---");
    EXPECT_EQ(text("EditBodenHoehe"), "3,43");
    chooseBand("17m");
    clickListEntry("LBWiesAnt", "Dipol");
    EXPECT_EQ(text("EditDirectivity"), "2,15");
    EXPECT_EQ(text("EditWiesAbstandPS"), "---");
}

TEST_F(WiesbeckTest, DirectivityMenuAndBadEntry)
{
    dipoleOn80m();
    type("EditDirectivityUsed", "abc");
    EXPECT_EQ(dialogs.lastMessage(), "Die abweichende Directivity muß eine Gleitkommazahl sein!");
    EXPECT_EQ(text("EditDirectivityUsed"), "2,15");
    trigger("PMIFernfeldGewinnuebernehmen");
    EXPECT_EQ(text("EditDirectivityUsed"), "0,00");
    trigger("PMIWiesbeckDirctivityuebernehmen");
    EXPECT_EQ(text("EditDirectivityUsed"), "2,15");
}

TEST_F(WiesbeckTest, SafetyFactorDialog)
{
    dipoleOn80m();
    dialogs.inputAnswers = {QString("0,8"), QString("1.5"), QString("x")};
    doubleClick("EditFSi");
    EXPECT_EQ(text("EditFSi"), "1,0000");
    EXPECT_EQ(find<QLabel>("STSicherheitsfaktor")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(text("EditWiesAbstandPS"), "1,60 m");
    doubleClick("EditFSi");
    EXPECT_EQ(text("EditFSi"), "1,5000");
    EXPECT_EQ(find<QLabel>("STSicherheitsfaktor")->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    doubleClick("EditFSi");
    EXPECT_EQ(dialogs.lastMessage(), "Der Sicherheitsfaktor muss eine Gleitkommazahl sein!");
    EXPECT_EQ(text("EditFSi"), "1,5000");
}

TEST_F(WiesbeckTest, PowerForAWantedNearFieldDistance)
{
    dipoleOn80m();
    dialogs.inputAnswers = {QString("3")};
    doubleClick("EditWiesAbstandPS");
    EXPECT_EQ(dialogs.inputTitles.last(), "Wiesback-Rechnung bei vorgegebenem Abstand");
    EXPECT_NEAR(form->power(), 1 + 61 * 999.0 / 332, 1e-9);
    EXPECT_EQ(text("EditPower"), "185");
    EXPECT_TRUE(form->traceText().contains("Neue PEP: 184,55 W"));
    EXPECT_EQ(find<ui::TEdit>("EditWiesAbstandPS")->palette().color(QPalette::Base), QColor(171, 226, 131));

    dialogs.inputAnswers = {QString("0,01"), QString("zehn")};
    doubleClick("EditWiesAbstandPS"); // even 1 W is too much: told, PEP kept
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Information);
    EXPECT_NEAR(form->power(), 1 + 61 * 999.0 / 332, 1e-9);
    doubleClick("EditWiesAbstandPS");
    EXPECT_EQ(dialogs.lastMessage(), "\r\nDer Abstand muß eine Gleitkommazahl sein!");
}

class AngleTest : public FormTest {
protected:
    void withBeam(const char *angleFixture = "win_beam.ang") { startWithTestBeam(angleFixture); }
    QTableWidget *grid() { return find<QTableWidget>("SGWinkel"); }
    QString cell(int r, int c) { return grid()->item(r, c)->text(); }
};

TEST_F(AngleTest, AngleTableFollowsEveryCalculation)
{
    withBeam();
    EXPECT_TRUE(form->angleDataPresent());
    EXPECT_FALSE(find<QLabel>("LabelWinkOK")->isHidden());
    EXPECT_TRUE(find<QTabWidget>("PageControl")->isTabVisible(4));
    EXPECT_EQ(find<QLabel>("LabelWinkAnt")->text(), "Test Beam 2m");
    click("ButTakeAnt");
    // The heading is the fixed header row; it does not scroll with the values.
    ASSERT_EQ(grid()->rowCount(), 3);
    EXPECT_FALSE(grid()->horizontalHeader()->isHidden());
    EXPECT_EQ(grid()->horizontalHeaderItem(0)->text(), "Winkel");
    EXPECT_EQ(grid()->horizontalHeaderItem(3)->text(), "Abst. PS");
    EXPECT_EQ(cell(0, 0), "    0");
    EXPECT_EQ(cell(1, 0), "   90");
    const FarFieldResult &r = form->farField();
    EXPECT_NEAR(form->angleTable().EirpByAngle[0], r.EIRP, 1e-9);
    EXPECT_NEAR(form->angleTable().DistanceByAngle[0], r.SafetyDistance, 1e-9);
    EXPECT_NEAR(form->angleTable().EirpByAngle[1], r.EIRP * 0.501, 0.001 * r.EIRP);
    EXPECT_NEAR(form->angleTable().DistanceByAngle[1], r.SafetyDistance * 0.708, 0.001 * r.SafetyDistance);

    trigger("N10W"); // every calculation rebuilds the table
    EXPECT_NEAR(form->angleTable().EirpByAngle[0], form->farField().EIRP, 1e-9);

    // Horizontal data: 6 dB at 90 degrees.
    emit find<ui::TRadioGroup>("RGPol")->clicked(1);
    find<ui::TRadioGroup>("RGPol")->setItemIndex(1);
    emit find<ui::TRadioGroup>("RGPol")->clicked(1);
    EXPECT_EQ(cell(1, 1), "   6,00");
}

TEST_F(AngleTest, OtherBandsTakeTheirSectionOrNone)
{
    withBeam();
    dialogs.inputAnswers = {QString("145.5")}; // fixed frequency inside 2m: the 2m section
    doubleClick("EditFreq");
    clickListEntry("LBTypen", "Beam 2m");
    EXPECT_EQ(form->angleTable().Attenuations.size(), 3u);
    EXPECT_DOUBLE_EQ(form->angleTable().Attenuations[1], 3);
    chooseBand("23cm"); // the beam has no 23cm line: no angle data at all
    EXPECT_FALSE(form->angleDataPresent());
    EXPECT_TRUE(form->angleTable().Angles.empty());
    EXPECT_TRUE(form->angleTable().DistanceByAngle.empty());
    EXPECT_EQ(grid()->rowCount(), 0);
}

TEST_F(AngleTest, ExportAndCopy)
{
    withBeam();
    click("ButTakeAnt"); // the table is built by the next calculation
    dialogs.fileAnswers = {path("export.txt")};
    trigger("PISave");
    EXPECT_TRUE(dialogs.lastProposedPath.endsWith("FO Export.txt"));
    const std::vector<std::string> lines = ReadTextLines(path("export.txt").toStdString());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "   Winkel ; Dämpfung ;     EIRP ; Abst. PS ;");
    trigger("PICopy");
    EXPECT_TRUE(dialogs.clipboard.startsWith("Winkel\tDämpfung\tEIRP\tAbst. PS\r\n"));
}

TEST_F(AngleTest, BrokenAngleFileCountsAsAbsent)
{
    withBeam("win_broken.ang");
    EXPECT_FALSE(form->angleDataPresent());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error);
    EXPECT_TRUE(find<QPushButton>("ButTakeAnt")->isEnabled());
}
