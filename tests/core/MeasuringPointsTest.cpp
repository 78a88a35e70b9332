#include "core/MeasuringPoints.h"

#include <gtest/gtest.h>

namespace
{

std::vector<MeasuringPoint> rows(std::initializer_list<std::pair<const char *, const char *>> cells)
{
    std::vector<MeasuringPoint> points;
    for (const auto &[distance, angle] : cells)
        points.push_back({"", distance, angle, "alt", "alt"});
    return points;
}

// Angle data in 10 degree steps: EIRP 10 W at 0, 20 W at 10 ... 100 W at 90.
FieldSource tenDegreeSteps()
{
    FieldSource source;
    source.eirp = 1000;
    for (int a = 0; a <= 90; a += 10) {
        source.angles.push_back(static_cast<std::int16_t>(a));
        source.eirpByAngle.push_back(10.0 + a);
    }
    return source;
}

} // namespace

TEST(MeasuringPoints, FieldsAtEachPoint)
{
    const std::string digits300(300, '9');
    struct Case {
        const char *name;
        FieldSource source;
        std::string distance, angle;
        const char *e, *h;
    };
    const Case cases[] = {
        {"100 W, 10 m, no angle data", {100, {}, {}}, "10", "0", "5,48", "0,015"},
        {"the angle does not matter without angle data", {100, {}, {}}, "10", "90", "5,48", "0,015"},
        {"angle 14 takes the 10 degree entry", tenDegreeSteps(), "1", "14", "24,49", "0,065"}, // sqrt(30*20)
        {"angle 15 is as near to 10 as to 20: first wins", tenDegreeSteps(), "1", "15", "24,49", "0,065"},
        {"angle 16 takes the 20 degree entry", tenDegreeSteps(), "1", "16", "30,00", "0,080"}, // sqrt(30*30)
        {"beyond the table the last entry", tenDegreeSteps(), "1", "300", "54,77", "0,145"},   // sqrt(30*100)
        {"leading zeros", {100, {}, {}}, "0010", "000", "5,48", "0,015"},
        // At the antenna there is no far field: no sentinel shown as a field strength.
        {"distance 0", {100, {}, {}}, "0", "0", "---", "---"},
        {"no power", {0, {}, {}}, "10", "0", "---", "---"},
        // Any angle takes the nearest table angle, however far beyond the table (the last one).
        {"angle 400", tenDegreeSteps(), "10", "400", "5,48", "0,015"},
        {"angle with hundreds of digits", tenDegreeSteps(), "10", digits300, "5,48", "0,015"},
        {"angle 400 without angle data", {100, {}, {}}, "10", "400", "5,48", "0,015"},
        {"largest distance read", {100, {}, {}}, "1000000", "0", "0,00", "0,000"},
    };
    for (const Case &c : cases) {
        std::vector<MeasuringPoint> points{{"MP 1", c.distance, c.angle, "", ""}};
        ASSERT_EQ(CalculateFields(points, c.source), FieldCheck::Ok) << c.name;
        EXPECT_EQ(points[0].e, c.e) << c.name;
        EXPECT_EQ(points[0].h, c.h) << c.name;
    }
}

TEST(MeasuringPoints, WholeNumbersOnlyAndNothingChangesOnAFailure)
{
    struct Case {
        const char *name;
        std::vector<MeasuringPoint> points;
        FieldCheck check;
    };
    const Case cases[] = {
        {"decimal comma", rows({{"10", "0"}, {"2,5", "0"}}), FieldCheck::DistanceError},
        {"decimal point", rows({{"1.5", "0"}}), FieldCheck::DistanceError},
        {"empty distance", rows({{"", "0"}}), FieldCheck::DistanceError},
        {"blank", rows({{" 10", "0"}}), FieldCheck::DistanceError},
        {"negative angle", rows({{"10", "-8"}}), FieldCheck::AngleError},
        {"empty angle", rows({{"10", ""}}), FieldCheck::AngleError},
        {"distances are checked before angles", rows({{"10", "x"}, {"y", "0"}}), FieldCheck::DistanceError},
        {"distance one past the largest", rows({{"10", "0"}, {"1000001", "0"}}), FieldCheck::DistanceError},
        {"distance of twenty digits", rows({{"99999999999999999999", "0"}}), FieldCheck::DistanceError},
        {"distance of hundreds of digits", rows({{std::string(300, '9').c_str(), "0"}}), FieldCheck::DistanceError},
    };
    for (const Case &c : cases) {
        std::vector<MeasuringPoint> points = c.points;
        EXPECT_EQ(CalculateFields(points, {100, {}, {}}), c.check) << c.name;
        for (const MeasuringPoint &p : points)
            EXPECT_EQ(p.e + p.h, "altalt") << c.name;
    }
}

TEST(MeasuringPoints, FillingKeepsTypedCells)
{
    std::vector<MeasuringPoint> points{{"", "25", "", "", ""}};
    FillPoints(points, 12);
    ASSERT_EQ(points.size(), 12u);
    EXPECT_EQ(points[0].label, "MP 1");
    EXPECT_EQ(points[0].distance, "25");
    EXPECT_EQ(points[0].angle, "0");
    EXPECT_EQ(points[4].angle, "40");
    EXPECT_EQ(points[9].angle, "90");
    EXPECT_EQ(points[11].label, "MP 12");
    EXPECT_EQ(points[11].distance, "10");
    EXPECT_EQ(points[11].angle, "90");
    FillPoints(points, 1);
    EXPECT_EQ(points.size(), 1u);
}

TEST(MeasuringPoints, AngleFromHeight)
{
    struct Case {
        double height;
        const char *distance;
        std::optional<std::string> angle;
    };
    const Case cases[] = {
        {10, "7", "45"},           {2, "7", "-8"},
        {3, "100", "0"},           {2.9, "100", "0"}, // no "-0"
        {10, "0", "90"},           {2, "0", "-90"},
        {40, "1000000", "0"},      {10, "", std::nullopt},
        {10, "2,5", std::nullopt}, {10, std::string(400, '7').c_str(), std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AngleFromHeight(c.height, c.distance), c.angle) << c.height << " m, " << c.distance;
}
