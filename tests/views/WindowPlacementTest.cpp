#include "views/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, FitRectMovesTheFrameOntoTheArea)
{
    const QRect area(0, 0, 1600, 1170); // a screen less its panel
    struct Case {
        const char *name;
        QRect frame;
        QPoint fitted;
    };
    const Case cases[] = {
        {"inside stays", {99, 60, 602, 576}, {99, 60}},
        {"below the bottom edge", {1182, 819, 420, 417}, {1180, 753}},
        {"beyond the right edge", {1500, 100, 602, 576}, {998, 100}},
        {"above and left", {-300, -50, 602, 576}, {0, 0}},
        {"touching the corner", {998, 594, 602, 576}, {998, 594}},
        {"larger than the area keeps its title bar inside", {500, 500, 1700, 1300}, {0, 0}},
    };
    for (const Case &c : cases) {
        const QRect r = ui::FitRect(c.frame, area);
        EXPECT_EQ(r.topLeft(), c.fitted) << c.name << ": " << r.x() << "," << r.y();
        EXPECT_EQ(r.size(), c.frame.size()) << c.name;
    }
}
