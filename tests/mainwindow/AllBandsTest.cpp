// The calculation without the window against the window itself: for every band and a set of
// configurations, opening the configuration and choosing the band shows exactly the texts
// formatted from the calculation.
#include "FormFixture.h"

#include "data/ConfigFile.h"
#include "data/StationBands.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"

#include <QDir>
#include <QTableWidget>

namespace
{

struct StationSetup {
    const char *name;
    std::string antenna, manufacturer;
    std::string mode;
    int dutyChoice, factorSource;
    std::string freeDuty, cable, cableAtt100, cableLength, margin, power, wiesAntenna, directivity;
    bool wiesAltDirectivity;
};

const StationSetup kSetups[] = {
    {"multiband with angle data, CW", "Multi", "Test", "CW", 0, 1, "0,167", "RG213", "", "10,00", "0 dB", "100",
     "Dipol", "0,00", false},
    {"angle data, SSB, margin, DKE", "Multi", "Test", "SSB", 2, 0, "0,167", "Aircell 7", "", "25,00", "3 dB", "750",
     "W3DZZ", "4,00", true},
    {"no angle data, AM, own cable", "Beam 2m", "Test", "AM", 1, 1, "0,167", "Anderes Kabel", "5,50", "20,00", "0 dB",
     "50", "Dipol", "0,00", false},
    {"angle data, FM, free duty", "Multi", "Test", "FM", 5, 2, "0,3", "CellFlex 7/8R", "", "5,00", "6 dB", "10", "Quad",
     "7,00", true},
    {"no angle data, TV", "Beam 2m", "Test", "TV", 3, 1, "0,167", "RG213", "", "0,00", "0 dB", "1000", "FB53", "0,00",
     false},
    {"no catalogue antenna, Alle", "", "", "Alle", 4, 0, "0,167", "RG213", "", "10,00", "1 dB", "100", "Dipol", "0,00",
     false},
};

QString qstr(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

TEST_F(FormTest, EveryBandMatchesTheWindow)
{
    WriteTextLines(path("Antennen.txt").toStdString(),
                   {"[Test]", "Multi,Dipol,1.85,1,1,3.65,2.15,1,7.1,2.15,1,14.2,4.1234,3,28.5,5,3,145,6.5,5,435,9,9,#",
                    "Beam 2m,Yagi,145,10,5,#"});
    QDir(dir.path()).mkdir("ang");
    WriteTextLines(path("ang/Test Multi.ang").toStdString(),
                   {"[Polarisation] vh", "[Bereich] 180", "[Schrittweite] 45", "[MHz],v,0,0", "0,1.5,6,12,20",
                    "[MHz],v,145,0", "0,2,8,15,25", "[MHz],h,0,0", "0,3,3,3,3"});
    start(false);
    ASSERT_TRUE(started);

    for (const StationSetup &s : kSetups) {
        StationConfig c;
        c.antennaName = s.antenna;
        c.manufacturer = s.manufacturer;
        c.mode = s.mode;
        c.dutyChoice = s.dutyChoice;
        c.factorSource = s.factorSource;
        c.freeDuty = s.freeDuty;
        c.cable = s.cable;
        c.cableAtt100 = s.cableAtt100;
        c.cableLength = s.cableLength;
        c.safetyMargin = s.margin;
        c.power = s.power;
        c.wiesAntenna = s.wiesAntenna;
        c.directivity = s.directivity;
        c.wiesAltDirectivity = s.wiesAltDirectivity;
        const std::string file = path("station.txt").toStdString();
        if (!s.antenna.empty()) {
            ASSERT_TRUE(SaveStationConfig(file, c, 0)) << s.name;
        }

        for (BandIndex band = 1; band <= kSelectableBands; ++band) {
            const std::string where = std::string(s.name) + ", " + BandName(band);
            // Every band starts from the opened configuration, as a band change leaves the
            // cable fallback and the forgotten gain behind.
            // A configuration names a catalogue antenna; without one, the window as it starts.
            if (s.antenna.empty()) {
                start(false);
            } else {
                ASSERT_TRUE(form->openConfiguration(qstr(file))) << where << dialogs.lastMessage().toStdString();
            }
            StationInputs in = form->stationInputs();
            if (s.antenna.empty())
                in.typedGain = 0; // a band change without a catalogue line takes no gain
            const StationBand r = CalculateStationBand(in, form->catalogue(), band);
            chooseBand(qstr(BandName(band)));

            const FarFieldTexts t = FormatFarField(r.farField);
            const WiesTexts w = FormatWies(r.wies, r.altDirectivity);
            const auto fixed2 = [](double x) { return FormatValue("%3.2f", x); };
            const std::pair<const char *, std::string> expected[] = {
                {"EditFreq", FormatAuto6(BandLowerEdge(band)) + " - " + FormatAuto6(BandUpperEdge(band))},
                {"EditAttFreq", fixed2(r.cable.AttFreq)},
                {"EditCableAtt100", r.cable.lossKnown ? fixed2(r.cable.Att100) : "---"},
                {"EditCableAtt", r.cable.lossKnown ? fixed2(r.cable.CableAtt) : "---"},
                {"EditTotalAtt", fixed2(r.cable.TotalAtt)},
                {"EditAtt", fixed2(r.cable.TotalAtt)},
                {"EditMode", ModeName(ModeAtPosition(in.modeType - 1))},
                {"EditModeFactor", FactorText(r.factors.ModeFactor)},
                {"EditDutyCycle", FactorText(r.factors.DutyFactor)},
                {"EditFactor", FactorText(r.factors.TotalFactor)},
                {"EditGain", GainText(r.gain)},
                {"EditPower", PowerText(in.power)},
                {"EditEps", t.ELimit},
                {"EditHps", t.HLimit},
                {"EditAntIn", t.AntennaInputPower},
                {"EditEIRP", t.EIRP},
                {"EditERP", t.ERP},
                {"EditrPS", t.SafetyDistance},
                {"EditrNahfeld", t.NearFieldDistance},
                {"EditDirectivityUsed", w.DirectivityUsed},
                {"EditDirectivity", w.Directivity},
                {"EditBodenHoehe", w.HeightGroundFactor},
                {"EditWiesEIRP", w.WiesEIRP},
                {"EditkFitPS", w.kFitPS},
                {"EditFSi", w.FSi},
                {"EditWiesAbstandPS", w.WiesAbstandPS},
            };
            for (const auto &[field, value] : expected)
                EXPECT_EQ(text(field), qstr(value)) << where << ": " << field;

            EXPECT_EQ(form->matchingLine(), r.matchingLine) << where;
            ASSERT_EQ(form->angleDataPresent(), r.angleDataPresent) << where;
            const AngleGrid grid = AngleGridRows(r.angles);
            auto *table = find<QTableWidget>("SGWinkel");
            ASSERT_EQ(table->rowCount(), r.angleDataPresent ? static_cast<int>(grid.size()) - 1 : 0) << where;
            for (int row = 0; row < table->rowCount(); ++row)
                for (int col = 0; col < 4; ++col)
                    EXPECT_EQ(table->item(row, col)->text(), qstr(grid[row + 1][col])) << where << " row " << row;

            // The largest power for 5 m is what the window's "Abstand 5 m" puts into the power field.
            const double pep = MaxPowerForDistance(r, 5);
            ASSERT_GT(pep, 0) << where;
            trigger("Abstand5m");
            EXPECT_EQ(text("EditPower"), qstr(PowerText(pep))) << where;
            EXPECT_EQ(text("EditrPS"), "5,00 m") << where;
        }
    }
}

TEST_F(FormTest, AllBandsTableKeepsTheAntennasBands)
{
    WriteTextLines(path("Antennen.txt").toStdString(), {"[Test]", "Duo,Collinear,145,4.7,2,435,7.5,3,#"});
    start(false);
    ASSERT_TRUE(started);
    StationInputs in = form->stationInputs();
    in.antennaName = "Duo";
    in.manufacturer = "Test";
    const auto rows = AllBandsRows(CalculateAllBands(in, form->catalogue()), kDefaultAreaDistance);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][0], "2m");
    EXPECT_EQ(rows[1][2], "4,700");
    EXPECT_EQ(rows[2][0], "70cm");
    EXPECT_EQ(rows[2][9], "---"); // no angle file

    // Without a catalogue antenna every offered band, with the typed gain.
    in.antennaName.clear();
    in.typedGain = 3;
    const auto all = AllBandsRows(CalculateAllBands(in, form->catalogue()), kDefaultAreaDistance);
    ASSERT_EQ(all.size(), static_cast<size_t>(kSelectableBands) + 1);
    for (size_t i = 1; i < all.size(); ++i)
        EXPECT_EQ(all[i][2], "3,000") << all[i][0];
}
