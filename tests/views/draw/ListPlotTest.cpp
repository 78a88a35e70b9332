#include "views/draw/ListPlot.h"

#include <gtest/gtest.h>

namespace
{

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGrid = qRgb(220, 220, 220);

QRgb at(const TListPlot &plot, int x, int y)
{
    return plot.picture().pixel(x, y) | 0xff000000u;
}

} // namespace

TEST(ListPlot, FrameAndMapping)
{
    TListPlot plot(497, 409);
    plot.AxisLimits(0, 100, -10, 10);
    plot.Init();
    EXPECT_EQ(plot.x0, 62);
    EXPECT_EQ(plot.y0, 358);
    EXPECT_EQ(plot.pw, 373);
    EXPECT_EQ(plot.ph, 307);
    EXPECT_EQ(plot.px(0), 62);
    EXPECT_EQ(plot.px(100), 62 + 373);
    EXPECT_EQ(plot.py(-10), 358);
    EXPECT_EQ(plot.py(10), 358 - 307);
    EXPECT_EQ(plot.py(0), 358 - 154); // 153.5 goes to the even neighbour
    // A wrong range from the caller gives no runaway pixels.
    plot.AxisLimits(5, 5, 0, 1);
    EXPECT_EQ(plot.px(7), plot.x0);
    plot.AxisLimits(0, 1e-300, 0, 1);
    EXPECT_LE(std::abs(plot.px(1e300)), 2000000);
}

TEST(ListPlot, EmptyListsAndSkippedPointsDrawNothing)
{
    TListPlot plot(200, 150);
    plot.AxisLimits(0, 10, 0, 10);
    plot.Init();
    const QImage before = plot.picture();
    plot.DrawXGrid({});
    plot.DrawYGrid({});
    plot.DrawXLabel({});
    plot.DrawYLabel({}, 0);
    plot.DrawXLabelCustom({1, 2}, {});
    plot.DrawY1();     // empty series
    plot.DrawLegend(); // no entries
    plot.skip = true;
    plot.series = {{1, 2, 3, 4}, {0, 0, 0, 0}};
    plot.DrawY1();
    plot.series = {{1, 2, 3}, {5}}; // y list shorter than x list: only the matched point
    plot.DrawY1();
    // Only the disc of radius 2 around the one matched point.
    const QImage after = plot.picture();
    const int cx = plot.px(1), cy = plot.py(5);
    int changed = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_LE(std::max(std::abs(x - cx), std::abs(y - cy)), 2) << x << "," << y;
            }
    EXPECT_GE(changed, 9);
    EXPECT_EQ(at(plot, cx, cy), kRed);
    plot.series = {};
    plot.Init();
    EXPECT_EQ(plot.picture(), before);
}

TEST(ListPlot, AxesStartAtTheFrameCornerUnlessAtZero)
{
    for (const auto &[xmin, ymin] : {std::pair{-50.0, -5.0}, std::pair{20.0, 3.0}, std::pair{-1.0, 8.0}}) {
        TListPlot plot(300, 200);
        plot.AxisLimits(xmin, xmin + 100, ymin, ymin + 10);
        plot.Init();
        plot.DrawAxis(false);
        const int right = 300 - plot.x0 + 15, top = 200 - plot.y0 - 15;
        EXPECT_EQ(at(plot, plot.x0 + 40, plot.y0), kBlack) << xmin;
        EXPECT_EQ(at(plot, right, plot.y0), kBlack) << xmin;
        EXPECT_EQ(at(plot, right + 1, plot.y0), kWhite) << xmin;
        EXPECT_EQ(at(plot, plot.x0, plot.y0 - 40), kBlack) << xmin;
        EXPECT_EQ(at(plot, plot.x0, top), kBlack) << xmin;
        EXPECT_EQ(at(plot, plot.x0, top - 1), kWhite) << xmin;
        // Arrowheads: strokes 10 pixels long at 30 degrees to the axis.
        EXPECT_EQ(at(plot, right - 9, plot.y0 + 5), kBlack) << xmin;
        EXPECT_EQ(at(plot, right - 9, plot.y0 - 5), kBlack) << xmin;
        EXPECT_EQ(at(plot, plot.x0 + 5, top + 9), kBlack) << xmin;
        EXPECT_EQ(at(plot, plot.x0 - 5, top + 9), kBlack) << xmin;
    }
    TListPlot plot(300, 200);
    plot.AxisLimits(-50, 50, -5, 5);
    plot.Init();
    plot.DrawAxis(true);
    EXPECT_EQ(at(plot, plot.px(0), plot.py(3)), kBlack);
    EXPECT_EQ(at(plot, plot.px(20), plot.py(0)), kBlack);
    EXPECT_EQ(at(plot, plot.px(20), plot.y0), kWhite);
}

TEST(ListPlot, PointsGridAndLegendWhereTheyBelong)
{
    TListPlot plot(400, 300);
    plot.AxisLimits(0, 10, 0, 10);
    plot.pointRadius = 4;
    plot.seriesColor = QColor(0, 0, 255);
    plot.series = {{5}, {5}};
    plot.Init();
    plot.DrawXGrid({2});
    plot.DrawYGrid({8});
    plot.DrawY1();
    const int x = plot.px(5), y = plot.py(5);
    // The points take the point radius and the series colour.
    EXPECT_EQ(at(plot, x + 4, y), qRgb(0, 0, 255));
    EXPECT_EQ(at(plot, x, y - 4), qRgb(0, 0, 255));
    EXPECT_EQ(at(plot, x + 5, y), kWhite);
    EXPECT_EQ(at(plot, plot.px(2), plot.y0 - 20), kGrid);
    EXPECT_EQ(at(plot, plot.px(2), 300 - plot.y0), kGrid); // from the frame's top edge
    EXPECT_EQ(at(plot, plot.px(2), 300 - plot.y0 - 1), kWhite);
    EXPECT_EQ(at(plot, plot.x0 + 10, plot.py(8)), kGrid);
    EXPECT_EQ(at(plot, 400 - plot.x0, plot.py(8)), kGrid);

    plot.AddLegendItem(QColor(255, 0, 0), "Personenschutz");
    plot.AddLegendItem(QColor(0, 128, 0), "B");
    plot.DrawLegend();
    const int a = 267, b = 50; // 2/3 of the width, 1/6 of the height
    EXPECT_EQ(at(plot, a, b), kBlack);
    EXPECT_EQ(at(plot, a + 8 * 14 + 9, b + 14 * 2 + 3), kBlack); // box 8 L + 10 by 14 n + 4
    EXPECT_EQ(at(plot, a + 8 * 14 + 10, b), kWhite);
    EXPECT_EQ(at(plot, a + 2, b + 4), kRed);
    EXPECT_EQ(at(plot, a + 11, b + 13), kRed);
    EXPECT_EQ(at(plot, a + 2, b + 18), qRgb(0, 128, 0));
}

TEST(ListPlot, AutomaticGrid)
{
    TListPlot plot(400, 300);
    plot.AxisLimits(-3, 37, 0.5, 1.5); // steps 10 and 1
    plot.Init();
    plot.AutoGridLabel();
    for (double x : {0.0, 10.0, 20.0, 30.0})
        EXPECT_EQ(at(plot, plot.px(x), plot.py(0.7)), kGrid) << x;
    EXPECT_EQ(at(plot, plot.px(-3), plot.py(0.7)), kWhite);
    EXPECT_EQ(at(plot, plot.px(5), plot.py(1)), kGrid);
    EXPECT_EQ(at(plot, plot.px(5), plot.py(1.2)), kWhite);
}

TEST(ListPlot, LabelTexts)
{
    const std::pair<double, const char *> general[] = {
        {1.8, "1,8"}, {7, "7"}, {144, "144"}, {2320, "2320"}, {12346, "1,235E4"}, {0.00001234, "1,234E-5"}, {0, "0"},
    };
    for (const auto &[x, text] : general)
        EXPECT_EQ(GeneralNumberText(x), text) << x;
    EXPECT_EQ(FixedNumberText(27, 0), "27");
    EXPECT_EQ(FixedNumberText(800, 0), "800");
    EXPECT_EQ(FixedNumberText(2.25, 2), "2,25");
    EXPECT_EQ(FixedNumberText(12.345, 2), "12,30");
    EXPECT_EQ(FixedNumberText(1500, 0), "1,50E3");
}
