#include "data/StationBands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

// A dipole with 2 dB loss, CW: a station every column has a value for.
StationInputs dipole(double power)
{
    StationInputs in;
    in.cableIndex = 0;
    in.ownAtt100 = 10;
    in.cableLength = 20;
    in.typedGain = 2.15;
    in.power = power;
    return in;
}

StationBand dipoleOn2m()
{
    return CalculateStationBand(dipole(100), nullptr, 15);
}

} // namespace

TEST(StationBandsTest, LargestPowerKeepsTheDistance)
{
    const StationBand b = dipoleOn2m();
    const double pep = MaxPowerForDistance(b, 5);
    ASSERT_GT(pep, 0);
    EXPECT_NEAR(CalculateStationBand(dipole(pep), nullptr, 15).farField.SafetyDistance, 5, 1e-9);
    // Twice the distance allows four times the power in the far field.
    EXPECT_NEAR(MaxPowerForDistance(b, 10), 4 * pep, 1e-6 * pep);

    // No distance, or one asking for a power the power field does not take: no value.
    const double bad[] = {0, -5, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          1e6};
    for (double d : bad)
        EXPECT_EQ(MaxPowerForDistance(b, d), kNoValue) << d;
}

TEST(StationBandsTest, PowerColumnIsCutNotRounded)
{
    // Three digits as the power field shows them; rounding up would break the distance.
    const StationBand b = dipoleOn2m();
    const double pep = MaxPowerForDistance(b, 5);
    const struct {
        double asked; // W the same station may have when its gain asks so
        const char *shown;
    } cases[] = {{999.9, "999 W"}, {1115.7, "1110 W"}, {0.5678, "0,567 W"}, {123456, "123000 W"}, {2.0001, "2,00 W"}};
    for (const auto &c : cases) {
        StationBand scaled = b;
        scaled.farFieldInput.gain += 10 * std::log10(pep / c.asked);
        EXPECT_NEAR(MaxPowerForDistance(scaled, 5), c.asked, 1e-9 * c.asked);
        EXPECT_EQ(AllBandsRows({scaled}, 5)[1][10], c.shown) << c.asked;
    }
}

TEST(StationBandsTest, RowsAndLines)
{
    const auto rows = AllBandsRows({dipoleOn2m()}, 1e6);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), AllBandsHeading(5).size());
    // Headings broken for narrow columns read as one line again, a hyphenated word whole.
    EXPECT_EQ(rows[0][1], "Frequenz (MHz)");
    EXPECT_EQ(rows[0][6], "Sicherheitsabstand");
    EXPECT_EQ(rows[0][10], "größte PEP bei 1000000,00 m");
    EXPECT_EQ(AllBandsHeading(5)[10], "größte PEP\nbei 5,00 m");
    EXPECT_EQ(rows[1][0], "2m");
    EXPECT_EQ(rows[1][2], "2,150");
    EXPECT_EQ(rows[1][9], "---");  // no angle data
    EXPECT_EQ(rows[1][10], "---"); // 1000 km asks for more than any station has

    const auto lines = AllBandsLines({{"a", "b"}, {"1,5", "---"}, {}});
    EXPECT_EQ(lines, (std::vector<std::string>{"a;b", "1,5;---", ""}));
}
