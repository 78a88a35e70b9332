#include "FormFixture.h"

#include <QPushButton>
#include <QStyle>

TEST_F(FormTest, CatalogueListsAndFrequencyMatch)
{
    start();
    auto *makers = find<QListWidget>("LBHersteller");
    ASSERT_EQ(makers->count(), 1);
    clickListEntry("LBHersteller", "Test");
    EXPECT_EQ(find<QListWidget>("LBTypen")->count(), 3);
    clickListEntry("LBTypen", "Beam 2m");
    EXPECT_EQ(text("EditAntName"), "Beam 2m");
    EXPECT_EQ(text("EditAntTyp"), "Yagi");
    EXPECT_EQ(text("EditAntGain"), "10,000");
    EXPECT_TRUE(find<QPushButton>("ButTakeAnt")->isEnabled());
    click("ButTakeAnt");
    EXPECT_EQ(text("EditAntenne"), "Beam 2m");
    EXPECT_EQ(text("EditGain"), "10,000");
    EXPECT_DOUBLE_EQ(form->gain(), 10);

    clickListEntry("LBTypen", "UHF"); // lines 430 and 50 MHz: none fits 2m
    EXPECT_FALSE(find<QPushButton>("ButTakeAnt")->isEnabled());
    EXPECT_EQ(form->matchingLine(), -1);
}

TEST_F(FormTest, BandChangeRematchesTheSelectedAntenna)
{
    start();
    clickListEntry("LBHersteller", "Test");
    clickListEntry("LBTypen", "Beam 2m");
    click("ButTakeAnt");
    chooseBand("40m"); // the beam has no 40m line
    EXPECT_DOUBLE_EQ(form->gain(), 0);
    EXPECT_EQ(text("EditAntenne"), "");
    EXPECT_EQ(text("EditGain"), "0,000");

    clickListEntry("LBTypen", "Dipol 40m");
    chooseBand("20m");
    chooseBand("40m"); // its first line fits 40m: taken with its gain
    EXPECT_EQ(text("EditAntenne"), "Dipol 40m");
    EXPECT_DOUBLE_EQ(form->gain(), 2.15);
    EXPECT_EQ(text("EditGain"), "2,150");
}

TEST_F(FormTest, ManufacturerClickClearsTheChoice)
{
    start();
    clickListEntry("LBHersteller", "Test");
    clickListEntry("LBTypen", "Beam 2m");
    click("ButTakeAnt");
    clickListEntry("LBHersteller", "Test");
    EXPECT_EQ(text("EditAntenne"), "");
    EXPECT_EQ(text("EditGain"), "");
    EXPECT_FALSE(find<QPushButton>("ButTakeAnt")->isEnabled());
    EXPECT_EQ(form->matchingLine(), -1);
}

TEST_F(FormTest, EditingAndReloadingTheCatalogue)
{
    start();
    trigger("MIAntDateiModify");
    trigger("MIAntUserModify");
    EXPECT_EQ(dialogs.opened, QStringList({path("Antennen.txt"), path("AntUser.txt")}));

    chooseCable(13);
    type("EditPower", "750");
    chooseBand("40m");
    clickListEntry("LBHersteller", "Test");
    clickListEntry("LBTypen", "Dipol 40m");
    click("ButTakeAnt");
    ASSERT_EQ(text("EditGain"), "2,150");
    QFile file(path("Antennen.txt"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("[Neu]\r\nLoop,Magnetisch,7.1,-1,1,#\r\n");
    file.close();
    trigger("MIAntennenNeuLaden");
    EXPECT_EQ(find<QComboBox>("CBBand")->currentText(), "2m");
    EXPECT_EQ(text("EditPower"), "100");
    EXPECT_EQ(find<QListWidget>("CLBCable")->currentRow(), 18);
    EXPECT_EQ(find<QListWidget>("CLBCable")->item(18)->checkState(), Qt::Checked);
    EXPECT_EQ(find<QListWidget>("CLBCable")->item(13)->checkState(), Qt::Unchecked);
    EXPECT_EQ(text("EditCableAtt100"), "7,73");
    EXPECT_DOUBLE_EQ(form->gain(), 0);
    EXPECT_EQ(text("EditGain"), "0,000");
    EXPECT_EQ(find<QListWidget>("LBHersteller")->count(), 2);
}

TEST_F(FormTest, ManufacturerSpelledTwoWaysIsListedTwiceButShowsBoth)
{
    QFile user(path("AntUser.txt"));
    ASSERT_TRUE(user.open(QIODevice::WriteOnly));
    user.write("[TEST]\r\nEigene,Dipol,145,2.15,1,#\r\n");
    user.close();
    start();
    auto *makers = find<QListWidget>("LBHersteller");
    ASSERT_EQ(makers->count(), 2);
    clickListEntry("LBHersteller", "TEST");
    EXPECT_EQ(find<QListWidget>("LBTypen")->count(), 4);
    clickListEntry("LBHersteller", "Test");
    EXPECT_EQ(find<QListWidget>("LBTypen")->count(), 4);
}

// The shipped categories and names are short enough to be read in full in their lists.
TEST_F(FormTest, ShippedNamesFitTheirLists)
{
    const QString shipped = FELDORA_TEST_DATA "/../../resources/data/";
    ASSERT_TRUE(QFile::copy(shipped + "Antennen.txt", path("Antennen.txt")));
    ASSERT_TRUE(QFile::copy(shipped + "AntUser.txt", path("AntUser.txt")));
    start(false);
    ASSERT_TRUE(started);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();

    auto textWidth = [](QListWidget *l) {
        const QStyle *style = l->style();
        const int rows = l->count() * l->sizeHintForRow(0);
        const bool scrolls = rows > l->height() - 2 * l->frameWidth();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l) + 1;
        return l->width() - 2 * l->frameWidth() - (scrolls ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 0)
            - 2 * margin;
    };
    auto fits = [&](QListWidget *l) {
        const QFontMetrics fm(l->font());
        for (int i = 0; i < l->count(); ++i)
            EXPECT_LE(fm.horizontalAdvance(l->item(i)->text()), textWidth(l))
                << l->objectName().toStdString() << ": " << l->item(i)->text().toStdString();
    };
    auto *makers = find<QListWidget>("LBHersteller");
    ASSERT_GE(makers->count(), 8);
    fits(makers);
    for (int m = 0; m < makers->count(); ++m) {
        clickListEntry("LBHersteller", makers->item(m)->text());
        fits(find<QListWidget>("LBTypen"));
    }
}

// After a reload nothing of the old selection can be taken over: the catalogue may have changed.
TEST_F(FormTest, ReloadLeavesNoAntennaSelected)
{
    start();
    clickListEntry("LBHersteller", "Test");
    clickListEntry("LBTypen", "Beam 2m");
    click("ButTakeAnt");
    ASSERT_EQ(text("EditAntenne"), "Beam 2m");
    QFile file(path("Antennen.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Test]\r\nBeam 2m,Yagi,145,13,9,#\r\n");
    file.close();

    trigger("MIAntennenNeuLaden");
    auto *take = find<QPushButton>("ButTakeAnt");
    EXPECT_FALSE(take->isEnabled());
    EXPECT_EQ(find<QListWidget>("LBHersteller")->selectedItems().size(), 0);
    EXPECT_EQ(find<QListWidget>("LBTypen")->count(), 0);
    EXPECT_EQ(form->matchingLine(), -1);
    EXPECT_EQ(form->catalogueIndex(), -99);
    for (const char *field : {"EditAntenne", "EditAntennenTyp", "EditAntName", "EditAntTyp", "EditAntGain"})
        EXPECT_EQ(text(field), "") << field;
    EXPECT_EQ(text("EditGain"), "0,000");
    EXPECT_DOUBLE_EQ(form->gain(), 0);
    EXPECT_EQ(find("EditAntName")->toolTip(), "Antennenname");

    click("ButTakeAnt"); // disabled: takes nothing
    EXPECT_EQ(text("EditAntenne"), "");
    EXPECT_DOUBLE_EQ(form->gain(), 0);

    clickListEntry("LBHersteller", "Test");
    clickListEntry("LBTypen", "Beam 2m");
    ASSERT_TRUE(take->isEnabled());
    click("ButTakeAnt");
    EXPECT_EQ(text("EditAntenne"), "Beam 2m");
    EXPECT_DOUBLE_EQ(form->gain(), 13); // the reloaded catalogue's value
}

// Texts too long for their list or field can still be read in full: the tooltip holds them,
// and a field shows the beginning of its text.
TEST_F(FormTest, CutTextsShowTheirBeginningAndAFullTooltip)
{
    start();
    QFile file(path("Antennen.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Hersteller mit sehr langem Namen]\r\n"
               "Vertikal 2m-70cm lang und noch länger,Mehrbanddipol mit Hühnerleiter,145,2,1,#\r\n"
               "Kurz,Dipol,145,2.15,1,#\r\n");
    file.close();
    trigger("MIAntennenNeuLaden");

    auto *makers = find<QListWidget>("LBHersteller");
    ASSERT_EQ(makers->count(), 1);
    EXPECT_EQ(makers->item(0)->toolTip(), "Hersteller mit sehr langem Namen");
    clickListEntry("LBHersteller", "Hersteller mit sehr langem Namen");
    auto *names = find<QListWidget>("LBTypen");
    EXPECT_EQ(names->item(0)->toolTip(), "Vertikal 2m-70cm lang und noch länger");
    EXPECT_EQ(names->item(1)->toolTip(), ""); // fits: no tip needed
    clickListEntry("LBTypen", "Vertikal 2m-70cm lang und noch länger");
    click("ButTakeAnt");

    const struct {
        const char *field;
        QString full;
    } cut[] = {{"EditAntenne", "Vertikal 2m-70cm lang und noch länger"},
               {"EditAntennenTyp", "Mehrbanddipol mit Hühnerleiter"},
               {"EditAntName", "Vertikal 2m-70cm lang und noch länger"},
               {"EditAntTyp", "Mehrbanddipol mit Hühnerleiter"}};
    for (const auto &c : cut) {
        ui::TEdit *e = find(c.field);
        EXPECT_TRUE(e->textCut()) << c.field;
        EXPECT_TRUE(e->toolTip().startsWith(c.full)) << c.field << ": " << e->toolTip().toStdString();
        EXPECT_EQ(e->cursorPosition(), 0) << c.field;
        EXPECT_TRUE(e->alignment() & Qt::AlignLeft) << c.field;
    }
    // The field's own hint stays behind the full text.
    EXPECT_TRUE(find("EditAntenne")->toolTip().endsWith("Zum Ändern klicken!"));

    // A text that fits is centred again and the tooltip is the plain hint.
    clickListEntry("LBTypen", "Kurz");
    click("ButTakeAnt");
    ui::TEdit *name = find("EditAntenne");
    EXPECT_FALSE(name->textCut());
    EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(name->toolTip(), "Ausgewählte Antenne\nZum Ändern klicken!");
}
