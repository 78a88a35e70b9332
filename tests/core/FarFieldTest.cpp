#include "core/FarField.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

FarFieldInput twoMetre()
{
    FarFieldInput in;
    in.band = 15;
    in.power = 100;
    return in;
}

constexpr ModeType SSB = ModeType::SSB, CW = ModeType::CW, AM = ModeType::AM, FM = ModeType::FM, TV = ModeType::TV,
                   Alle = ModeType::Alle;
constexpr FactorSource DKE = FactorSource::DKE, BNetzA = FactorSource::BNetzA, FmodPers = FactorSource::FmodPers;
constexpr DutyChoice duty(int position) { return static_cast<DutyChoice>(position); }

} // namespace

TEST(FarFieldFactors, ModeFactorTable)
{
    struct {
        ModeType mode;
        const char *source;
        double factor;
    } cases[] = {
        {CW, "DKE", 0.5},   {CW, "BNetzA", 1},   {SSB, "DKE", 0.5},  {SSB, "BNetzA", 1},
        {AM, "DKE", 0.38},  {AM, "BNetzA", 0.38}, {TV, "dke", 0.38},  {TV, "bnetza", 0.38},
        {FM, "DKE", 1},     {Alle, "DKE", 1},    {ModeType::None, "DKE", 1}, {ModeType(7), "DKE", 1},
        {AM, "FmodPers", 1}, {CW, "other", 1},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(ModeFactorOf(c.mode, c.source), c.factor) << static_cast<int>(c.mode) << " " << c.source;
}

TEST(FarFieldFactors, DutyAndNames)
{
    EXPECT_DOUBLE_EQ(DutyFactorOf(duty(0), 0), 1);
    EXPECT_DOUBLE_EQ(DutyFactorOf(duty(1), 0), 5.0 / 6);
    EXPECT_DOUBLE_EQ(DutyFactorOf(duty(2), 0), 4.0 / 6);
    EXPECT_DOUBLE_EQ(DutyFactorOf(duty(3), 0), 0.5);
    EXPECT_DOUBLE_EQ(DutyFactorOf(duty(4), 0), 1.0 / 3);
    EXPECT_DOUBLE_EQ(DutyFactorOf(duty(5), 0.167), 0.167);
    EXPECT_EQ(ModeName(CW), "CW");
    EXPECT_EQ(ModeName(Alle), "Alle");
    EXPECT_EQ(ModeName(ModeType::None), "NV ");
    EXPECT_EQ(ModeName(ModeType(7)), "NV ");
    Factors f = CalculateFactors(SSB, DKE, duty(3), 0);
    EXPECT_DOUBLE_EQ(f.TotalFactor, 0.25);
    EXPECT_DOUBLE_EQ(CalculateFactors(AM, FmodPers, duty(0), 0).ModeFactor, 1);
}

TEST(FarFieldCalculation, WorkedExamples)
{
    struct Case {
        const char *name;
        FarFieldInput in;
        ModeType mode;
        FactorSource source;
        int duty;
        double eirp, erp, input, totalFactor, distance, nearField;
    };
    FarFieldInput base = twoMetre();
    FarFieldInput margin = twoMetre();
    margin.marginDb = 3;
    FarFieldInput eighty;
    eighty.band = 4;
    eighty.power = 750;
    eighty.totalAtt = 1.5;
    eighty.gain = 2.15;
    Case cases[] = {
        {"2m 100 W BNetzA", base, SSB, BNetzA, 0, 100, 60.98, 100, 1, std::sqrt(3000.0) / 27.5, 0.3313},
        {"2m DKE TX3", base, SSB, DKE, 3, 100, 60.98, 100, 0.25, 0.996, 0.3313},
        {"2m 3 dB margin", margin, SSB, BNetzA, 0, 100, 60.98, 100, 1, 2.813, 0.3313},
        {"80m 750 W", eighty, SSB, DKE, 1, 871.09, 531.15, 530.96, 0.4167, 2.34, 13.63},
    };
    for (const Case &c : cases) {
        Factors f = CalculateFactors(c.mode, c.source, duty(c.duty), 0.167);
        FarFieldResult r = CalculateFarField(c.in, f);
        EXPECT_NEAR(r.EIRP, c.eirp, 0.01) << c.name;
        EXPECT_NEAR(r.ERP, c.erp, 0.01) << c.name;
        EXPECT_NEAR(r.AntennaInputPower, c.input, 0.01) << c.name;
        EXPECT_NEAR(r.TotalFactor, c.totalFactor, 1e-4) << c.name;
        EXPECT_NEAR(r.AveragedEIRP, r.EIRP * r.TotalFactor, 1e-9) << c.name;
        EXPECT_NEAR(r.SafetyDistance, c.distance, 0.005) << c.name;
        EXPECT_NEAR(r.NearFieldDistance, c.nearField, 0.01) << c.name;
    }
}

TEST(FarFieldCalculation, MarginLengthensDistanceByFieldFactor)
{
    FarFieldInput in = twoMetre();
    in.marginDb = 3;
    FarFieldResult r = CalculateFarField(in, CalculateFactors(SSB, BNetzA, duty(0), 0));
    EXPECT_NEAR(r.SafetyFieldFactor, 1.4125, 1e-4);
    EXPECT_NEAR(r.SafetyDistance, std::sqrt(3000.0) / 27.5 * r.SafetyFieldFactor, 1e-12);
}

TEST(FarFieldCalculation, FixedFrequencyOutsideEveryBand)
{
    FarFieldInput in = twoMetre();
    in.fixedFrequencyMode = true;
    in.frequency = 70.443;
    FarFieldResult r = CalculateFarField(in, Factors{});
    EXPECT_EQ(r.effectiveBand, 0);
    EXPECT_DOUBLE_EQ(r.ELimit, 27.5);
    EXPECT_DOUBLE_EQ(r.HLimit, 0.073);
    EXPECT_DOUBLE_EQ(r.workingFrequency, 70.443);
    EXPECT_NEAR(r.NearFieldDistance, NearFieldBoundary(70.443), 1e-12);

    in.frequency = 7.1;
    EXPECT_EQ(CalculateFarField(in, Factors{}).effectiveBand, 6);
}

TEST(FarFieldCalculation, NoLimitShowsDashesButComputesPowers)
{
    FarFieldInput in = twoMetre();
    in.fixedFrequencyMode = true;
    in.frequency = 300000;
    FarFieldResult r = CalculateFarField(in, Factors{});
    EXPECT_LT(r.SafetyDistance, 0);
    EXPECT_DOUBLE_EQ(r.EIRP, 100);
    FarFieldTexts t = FormatFarField(r);
    EXPECT_EQ(t.ELimit, "---");
    EXPECT_EQ(t.HLimit, "---");
    EXPECT_EQ(t.SafetyDistance, "---");
    EXPECT_EQ(t.EIRP, "100,00 W");
}

TEST(FarFieldInverse, PowersForWantedQuantities)
{
    FarFieldInput in = twoMetre();
    in.gain = 2.15;
    in.totalAtt = 1.5;
    EXPECT_NEAR(PowerForEIRP(9.99, in), 8.60, 0.005);
    EXPECT_NEAR(PowerForERP(9.99, in), PowerForEIRP(16.3836, in), 1e-12);

    FarFieldInput plain = twoMetre();
    EXPECT_NEAR(PowerForDistance(10, plain, Factors{}), 275.0 * 275.0 / 30, 1e-9);
    EXPECT_NEAR(PowerForDistance(10, plain, Factors{}), 2520.83, 0.005);
}

TEST(FarFieldInverse, RoundTripGivesTheWantedValueExactly)
{
    FarFieldInput in;
    in.band = 4;
    in.totalAtt = 1.5;
    in.gain = 2.15;
    in.marginDb = 2;
    Factors f = CalculateFactors(SSB, DKE, duty(1), 0);
    in.power = PowerForDistance(7.5, in, f);
    EXPECT_NEAR(CalculateFarField(in, f).SafetyDistance, 7.5, 1e-9);
    in.power = PowerForEIRP(9.99, in);
    EXPECT_EQ(FormatFarField(CalculateFarField(in, f)).EIRP, "9,99 W");
    in.power = PowerForERP(9.99, in);
    EXPECT_EQ(FormatFarField(CalculateFarField(in, f)).ERP, "9,99 W");
}

TEST(FarFieldInverse, NoLimitGivesNoPower)
{
    FarFieldInput in = twoMetre();
    in.fixedFrequencyMode = true;
    in.frequency = 0.001;
    EXPECT_DOUBLE_EQ(PowerForDistance(10, in, Factors{}), -99);
    in.fixedFrequencyMode = false;
    in.band = 22;
    EXPECT_DOUBLE_EQ(PowerForDistance(10, in, Factors{}), -99);
}

TEST(FarFieldTexts, AsTheWindowShowsThem)
{
    FarFieldResult r = CalculateFarField(twoMetre(), CalculateFactors(SSB, BNetzA, duty(0), 0));
    FarFieldTexts t = FormatFarField(r);
    EXPECT_EQ(t.ELimit, "27,50 V/m");
    EXPECT_EQ(t.HLimit, "0,0730 A/m");
    EXPECT_EQ(t.AntennaInputPower, "100,00 W");
    EXPECT_EQ(t.ERP, "60,98 W");
    EXPECT_EQ(t.SafetyDistance, "1,99 m");
    EXPECT_EQ(t.NearFieldDistance, "0,33 m");
    EXPECT_EQ(t.TotalFactor, "1,00");
    EXPECT_EQ(GainText(2.15), "2,150");
    EXPECT_EQ(PowerText(100), "100");
    EXPECT_EQ(PowerText(8.6034), "8,60");
    EXPECT_EQ(PowerText(2520.83), "2520");
}
