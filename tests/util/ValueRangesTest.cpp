#include "util/ValueRanges.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>

TEST(ValueRanges, BoundsBelongToTheRangeAndNothingNotFinite)
{
    struct {
        ValueRange range;
        double value;
        bool inside;
    } cases[] = {
        {range::kPower, 0, true},
        {range::kPower, 1e6, true},
        {range::kPower, std::nextafter(1e6, 2e6), false},
        {range::kPower, -1e-300, false},
        {range::kPower, DBL_MAX, false},
        {range::kPower, 4.9e-324, true},
        {range::kHeight, 10000, true},
        {range::kHeight, 10000.001, false},
        {range::kGain, -1000, true},
        {range::kGain, -1000.001, false},
        {range::kMargin, 1000, true},
        {range::kSafetyFactor, 0.999, false},
        {range::kFrequency, 0.003, true},
        {range::kFrequency, 0.0029, false},
        {range::kFrequency, 300000, true},
        {range::kAttenuation, INFINITY, false},
        {range::kAttenuation, -INFINITY, false},
        {range::kAttenuation, NAN, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.range.contains(c.value), c.inside) << c.range.unit << " " << c.value;
}

TEST(ValueRanges, RefusalNamesTheBoundsWithDecimalComma)
{
    EXPECT_EQ(range::kPower.refusal("Die Leistung"), "Die Leistung muß zwischen 0 und 1000000 W liegen!");
    EXPECT_EQ(range::kFrequency.betweenText(), "0,003 und 300000 MHz");
    EXPECT_EQ(range::kSafetyFactor.betweenText(), "1 und 1000");
}
