#include "data/StationModel.h"

#include "FileTestSupport.h"
#include "util/ConvertError.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <gtest/gtest.h>

namespace
{

// A started station on a two-antenna catalogue, its messages recorded.
class StationModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteBytes(dir.file("Antennen.txt"), "[Test]\r\nDipol 40m,Dipol,7.1,2.15,1,#\r\nBeam 2m,Yagi,145,10,5,#\r\n");
        previous = SetMessageSink([this](MessageKind, const std::string &text) { messages.push_back(text); });
        station = StationModel(StationPaths{dir.file("Antennen.txt"), "", dir.path() + "/"});
        ASSERT_TRUE(station.AfterCreation());
        messages.clear();
    }
    void TearDown() override { SetMessageSink(previous); }

    std::string config(const std::string &name, const std::string &band, const std::string &antenna)
    {
        StationConfig c;
        c.bandOrFrequency = band;
        c.antennaName = antenna;
        c.manufacturer = "Test";
        c.cable = "RG213";
        c.wiesAntenna = "Dipol";
        WriteTextLines(dir.file(name), ConfigLines(c));
        return dir.file(name);
    }

    static int listPosition(const char *band) { return BandListPosition(band); }

    TempDir dir;
    StationModel station;
    std::vector<std::string> messages;
    MessageSink previous;
};

} // namespace

TEST_F(StationModelTest, OpeningAnAntennaWithoutALineForTheBandKeepsNothingOfThePreviousOne)
{
    ASSERT_TRUE(station.Oeffnen(config("beam.txt", "2m", "Beam 2m")));
    ASSERT_DOUBLE_EQ(station.gain(), 10);
    ASSERT_TRUE(station.Oeffnen(config("dipole.txt", "2m", "Dipol 40m"))); // no line near 145 MHz
    EXPECT_EQ(station.catalogueIndex(), kNoAntenna);
    EXPECT_EQ(station.matchingLine(), kNoMatchLine);
    EXPECT_DOUBLE_EQ(station.gain(), 0);
    EXPECT_EQ(station.shown().EditAntenne, "Dipol 40m");
    EXPECT_EQ(station.shown().EditGain, "0,000");
    EXPECT_EQ(station.currentConfig().antennaName, "Dipol 40m");

    // Band changes re-match the file's antenna, never the beam before it.
    station.CBBandChange(listPosition("70cm"));
    EXPECT_DOUBLE_EQ(station.gain(), 0);
    EXPECT_EQ(station.shown().EditAntenne, "");
    station.CBBandChange(listPosition("40m"));
    EXPECT_DOUBLE_EQ(station.gain(), 2.15);
    EXPECT_EQ(station.shown().EditAntenne, "Dipol 40m");
    EXPECT_EQ(station.currentConfig().antennaName, "Dipol 40m");
}

TEST_F(StationModelTest, BandChangeRunsTheWholeChainWithoutAWindow)
{
    station.LBHerstellerClick(0);
    station.LBTypenClick(0); // Dipol 40m, no line on 2m
    EXPECT_FALSE(station.shown().takeAntennaEnabled);
    station.CBBandChange(listPosition("40m"));
    EXPECT_EQ(station.shown().EditFreq, "  7,00 -   7,20");
    EXPECT_DOUBLE_EQ(station.workingFrequency(), 7.1);
    EXPECT_NEAR(station.farField().ELimit, 32.423, 5e-4);
    EXPECT_DOUBLE_EQ(station.gain(), 2.15);
    EXPECT_EQ(station.shown().EditAttFreq, "7,00");
    EXPECT_EQ(station.shown().EditAntenne, "Dipol 40m");
    EXPECT_TRUE(messages.empty());
}

TEST_F(StationModelTest, RejectedEntriesKeepTheValueInForce)
{
    const std::string distance = station.shown().EditrPS;
    station.EditHoeheExit("zehn");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back(), "Die Höhe muß eine positive Gleichkommazahl sein!");
    EXPECT_EQ(station.shown().EditHoehe, "");
    EXPECT_EQ(station.takeFocusRequest(), StationFocus::Hoehe);
    EXPECT_DOUBLE_EQ(station.height(), 10);
    // The next recalculation stops at the empty field; the results stay.
    EXPECT_THROW(station.EditPowerExit("50"), ConvertError);
    EXPECT_EQ(station.shown().EditrPS, distance);

    station.EditHoeheExit("12.5");
    EXPECT_EQ(station.shown().EditHoehe, "12,5");
    EXPECT_DOUBLE_EQ(station.power(), 50);

    // A rejected cable length stops the cable update: the loss in force stays.
    const double loss = station.cableState().TotalAtt;
    messages.clear();
    station.EditCableLengthExit("-3");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back(), "Die Kabellänge muß eine positive Gleitkommazahl sein!");
    EXPECT_DOUBLE_EQ(station.cableState().TotalAtt, loss);
    EXPECT_EQ(station.stationInputs().cableLength, 10); // the table of every band takes the length in force
}
