#include "FormFixture.h"

#include "core/CableLib2.h"

#include <QTableWidget>

TEST_F(FormTest, CableListAndConnectorGrid)
{
    start();
    auto *list = find<QListWidget>("CLBCable");
    ASSERT_EQ(list->count(), 30);
    EXPECT_EQ(list->item(0)->text(), "Anderes Kabel");
    EXPECT_EQ(list->item(13)->text(), "RG58");
    EXPECT_EQ(list->item(29)->text(), "Airborne5");
    auto *grid = find<QTableWidget>("SGConnector");
    ASSERT_EQ(grid->rowCount(), 15);
    EXPECT_EQ(grid->item(0, 0)->text(), "AfuBand");
    EXPECT_EQ(grid->item(0, 4)->text(), "SMA");
    EXPECT_EQ(grid->item(3, 0)->text(), "160m");
    EXPECT_EQ(grid->item(3, 1)->text(), "0,1");
    EXPECT_EQ(grid->item(14, 0)->text(), "4m");
    EXPECT_EQ(grid->item(14, 3)->text(), "0,4");
}

TEST_F(FormTest, UnsuitableCableFallsBackToRG58)
{
    start();
    struct {
        const char *band;
        int cable;
        double rg58Att100; // at the lower band edge
    } cases[] = {{"3cm", 11, 246.8667}, {"LW", 11, 0.89787}, {"LW", 3, 0.89787}, {"MW", 5, 1.10349}};
    for (const auto &c : cases) {
        chooseBand(c.band);
        dialogs.clear();
        chooseCable(c.cable);
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.band << " " << c.cable;
        EXPECT_EQ(dialogs.lastMessage(), "Das gewählte Kabel ist für die Frequenz nicht geegnet.");
        EXPECT_EQ(find<QListWidget>("CLBCable")->currentRow(), kCableRG58);
        EXPECT_EQ(find<QListWidget>("CLBCable")->item(kCableRG58)->checkState(), Qt::Checked);
        EXPECT_EQ(find<QListWidget>("CLBCable")->item(c.cable)->checkState(), Qt::Unchecked);
        EXPECT_NEAR(form->cableState().Att100, c.rg58Att100, 5e-6);
    }
}

TEST_F(FormTest, NoCableCoversTheFrequencyCountsNoLossAndStops)
{
    start();
    dialogs.inputAnswers = {QString("30000")};
    doubleClick("EditFreq");
    dialogs.clear();
    chooseCable(11); // RG8X, then RG58: neither reaches 30 GHz
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(text("EditCableAtt100"), "---");
    EXPECT_EQ(text("EditCableAtt"), "---");
    EXPECT_EQ(text("EditTotalAtt"), "0,30");
    EXPECT_DOUBLE_EQ(form->cableState().TotalAtt, 0.3);
    EXPECT_NEAR(form->farField().AntennaInputPower, 100 * std::pow(10.0, -0.03), 1e-9);
}

TEST_F(FormTest, OwnCableValue)
{
    start();
    chooseCable(0);
    EXPECT_FALSE(find<ui::TEdit>("EditCableAtt100")->isReadOnly());
    type("EditCableAtt100", "3,5");
    type("EditCableLength", "20");
    EXPECT_EQ(text("EditCableAtt"), "0,70");
    dialogs.clear();
    type("EditCableAtt100", "4.5"); // a point is no decimal comma here
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.lastMessage(), "Die eingegebene Kabeldämpgung muss eine Fließkommazahl sein!");
    EXPECT_DOUBLE_EQ(form->cableState().Att100, 3.5);
    EXPECT_EQ(text("EditCableAtt100"), "3,50");
}

TEST_F(FormTest, LengthAndOtherLosses)
{
    start();
    type("EditCableLength", "0");
    EXPECT_EQ(text("EditCableAtt"), "0,00");
    EXPECT_EQ(text("EditTotalAtt"), "0,30");
    const double total = form->cableState().TotalAtt;
    type("EditCableLength", "-1");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(dialogs.lastMessage(), "Die Kabellänge muß eine positive Gleitkommazahl sein!");
    EXPECT_EQ(text("EditCableLength"), "");
    EXPECT_DOUBLE_EQ(form->cableState().TotalAtt, total);
    type("EditCableLength", "zehn");
    EXPECT_EQ(dialogs.lastMessage(), "Die Kabellänge muß eine Gleitkommazahl sein!");
    type("EditCableLength", "10");
    type("EditPlugAtt", "x");
    EXPECT_EQ(dialogs.lastMessage(), "Die Dämpfung muß eine positve Gleitkommazahl sein!");
    type("EditPlugAtt", "-0.5");
    EXPECT_EQ(dialogs.lastMessage(), "Die Dämpfung muß eine positive Gleitkommazahl sein!");
    type("EditPlugAtt", "1.25");
    EXPECT_EQ(text("EditPlugAtt"), "1,25");
    EXPECT_EQ(text("EditTotalAtt"), "2,02"); // 1,25 + 0,77 of RG213
    EXPECT_EQ(text("EditAtt"), "2,02");
    click("ButSetAttNull");
    EXPECT_EQ(text("EditTotalAtt"), "0,00");
    EXPECT_DOUBLE_EQ(form->farField().AntennaInputPower, 100);
}
