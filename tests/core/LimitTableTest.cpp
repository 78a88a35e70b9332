#include "core/LimitTable.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(LimitTable, OneRowPerSelectableBand)
{
    const std::vector<std::string> lines = LimitTableLines();
    ASSERT_EQ(lines.size(), 24u); // heading, 21 bands, empty line, note
    EXPECT_EQ(lines[0], " Band  E[V/m] H[A/m] E[dBm] H[dBm]");
    EXPECT_EQ(lines[1], "   LW  87,00  5,0000  -31,2   14,0");
    EXPECT_EQ(lines[8], "  20m  27,50  0,0730  -41,2  -22,7");
    EXPECT_EQ(lines[17], " 23cm  48,42  0,1334  -36,3  -17,5");
    EXPECT_EQ(lines[21], "  3cm  61,00  0,1600  -34,3  -15,9");
    EXPECT_EQ(lines[22], "");
    EXPECT_NE(lines[23].find("dBm"), std::string::npos);
    for (size_t i = 0; i <= 21; ++i)
        EXPECT_EQ(lines[i].find('.'), std::string::npos) << lines[i];
}

TEST(LimitTable, PlotVariants)
{
    struct Case {
        int variant;
        double xmin, xmax, ymin, ymax;
        size_t marks;
        const char *yTitle;
    };
    const Case cases[] = {
        {0, 1, 30, 20, 90, 9, "E [V/m]"},
        {1, 30, 300, 20, 30, 3, "E [V/m]"},
        {2, 300, 3000, 20, 70, 3, "E [V/m]"},
        {3, 1, 30, 70, 800, 9, "H [mA/m]"},
    };
    for (const Case &c : cases) {
        const LimitPlotData d = LimitPlotFor(c.variant);
        ASSERT_EQ(d.x.size(), 3000u);
        EXPECT_DOUBLE_EQ(d.x.front(), c.xmin) << c.variant; // "0...30 MHz" starts at 1 MHz
        EXPECT_DOUBLE_EQ(d.x.back(), c.xmax) << c.variant;
        EXPECT_DOUBLE_EQ(d.ymin, c.ymin) << c.variant;
        EXPECT_DOUBLE_EQ(d.ymax, c.ymax) << c.variant;
        EXPECT_EQ(d.xMarks.size(), c.marks) << c.variant;
        EXPECT_EQ(d.yTitle, c.yTitle);
        ASSERT_EQ(d.yMarks.size(), 11u) << c.variant;
        EXPECT_DOUBLE_EQ(d.yMarks[1] - d.yMarks[0], (c.ymax - c.ymin) / 10) << c.variant;
        EXPECT_NEAR(d.yMarks.back(), c.ymax, 1e-9) << c.variant;
    }
    // 30-300 MHz: one value everywhere.
    const LimitPlotData flat = LimitPlotFor(1);
    EXPECT_TRUE(std::all_of(flat.y.begin(), flat.y.end(), [](double y) { return y == 27.5; }));
    // 300-3000 MHz: the largest sample lies just below 2000 MHz.
    const LimitPlotData uhf = LimitPlotFor(2);
    const size_t top = static_cast<size_t>(std::max_element(uhf.y.begin(), uhf.y.end()) - uhf.y.begin());
    EXPECT_LT(uhf.x[top], 2000);
    EXPECT_GT(uhf.x[top], 1999);
    EXPECT_DOUBLE_EQ(uhf.y[top + 1], 61);
}
