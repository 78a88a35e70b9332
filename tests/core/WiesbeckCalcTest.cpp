#include "core/WiesbeckCalc.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr WiesAntIndex kDipol = 1, kGPA50 = 6, kFB53 = 10;
constexpr BandIndex k80m = 4, k40m = 6, k20m = 8, k17m = 9;

// Dipol on 80m at 10 m, 100 W at the antenna, no averaging, recommended FSi, no margin.
WiesInput dipol80m()
{
    WiesInput in;
    in.wiesAnt = kDipol;
    in.band = k80m;
    in.height = 10;
    in.AntennaInputPower = 100;
    in.DutyFactor = 0.5;
    in.ModeFactor = 0.38;
    in.SafetyFieldFactor = 1;
    in.FSi = 1.4142;
    in.applyDuty = false;
    in.applyMode = false;
    return in;
}

struct Recorder {
    int events = 0;
    std::vector<std::string> lines;
    std::function<void()> onEvents() { return [this] { ++events; }; }
    std::function<void(const std::string &)> onTrace()
    {
        return [this](const std::string &line) { lines.push_back(line); };
    }
};

} // namespace

TEST(WiesbeckCalc, ResultTexts)
{
    struct Case {
        const char *name;
        WiesInput in;
        WiesTexts expected; // DirectivityUsed, Directivity, factor, EIRP, kFit, FSi, distance
    };
    auto with = [](auto change) {
        WiesInput in = dipol80m();
        change(in);
        return in;
    };
    const Case cases[] = {
        {"dipol 80m at 10 m", dipol80m(),
         {"0,00", "2,15", "1,00", "164,06", "1,60", "1,4142", "2,26 m"}},
        {"dipol 80m at 5 m", with([](WiesInput &in) { in.height = 5; }),
         {"0,00", "2,15", "2,96", "164,06", "1,60", "1,4142", "6,70 m"}},
        {"different directivity 5.15 dBi", with([](WiesInput &in) {
             in.useAltDirectivity = true;
             in.AltDirectivity = 5.15;
         }),
         {"5,15", "2,15", "1,00", "327,34", "1,60", "1,4142", "3,20 m"}},
        {"typed directivity shown but not used", with([](WiesInput &in) { in.AltDirectivity = -3; }),
         {"-3,00", "2,15", "1,00", "164,06", "1,60", "1,4142", "2,26 m"}},
        {"FB53 not studied on 40m", with([](WiesInput &in) {
             in.wiesAnt = kFB53;
             in.band = k40m;
             in.height = 3;
         }),
         {"0,00", "---", "3,43", "---", "---", "1,4142", "---"}},
        {"FB53 on 40m with own directivity", with([](WiesInput &in) {
             in.wiesAnt = kFB53;
             in.band = k40m;
             in.useAltDirectivity = true;
             in.AltDirectivity = 6;
         }),
         {"6,00", "---", "1,00", "398,11", "---", "1,4142", "---"}},
        {"dipol on 17m has no kFit row", with([](WiesInput &in) { in.band = k17m; }),
         {"0,00", "2,15", "1,00", "164,06", "---", "1,4142", "---"}},
        {"no band", with([](WiesInput &in) { in.band = 0; }),
         {"0,00", "---", "1,00", "---", "---", "1,4142", "---"}},
        {"1 W", with([](WiesInput &in) { in.AntennaInputPower = 1; }),
         {"0,00", "2,15", "1,00", "1,64", "0,17", "1,4142", "0,24 m"}}, // 1,2 m x sqrt(1/50)
        {"1500 W continues the 500..1000 W line",
         with([](WiesInput &in) { in.AntennaInputPower = 1500; }),
         {"0,00", "2,15", "1,00", "2460,88", "5,40", "1,4142", "7,64 m"}},
        {"safety margin 6 dB", with([](WiesInput &in) { in.SafetyFieldFactor = std::pow(10, 0.3); }),
         {"0,00", "2,15", "1,00", "164,06", "1,60", "1,4142", "4,51 m"}},
        {"FSi 1", with([](WiesInput &in) { in.FSi = 1; }),
         {"0,00", "2,15", "1,00", "164,06", "1,60", "1,0000", "1,60 m"}},
    };
    for (const auto &c : cases) {
        const WiesTexts t = FormatWies(WiesCalculate(c.in), c.in.AltDirectivity);
        EXPECT_EQ(t.DirectivityUsed, c.expected.DirectivityUsed) << c.name;
        EXPECT_EQ(t.Directivity, c.expected.Directivity) << c.name;
        EXPECT_EQ(t.HeightGroundFactor, c.expected.HeightGroundFactor) << c.name;
        EXPECT_EQ(t.WiesEIRP, c.expected.WiesEIRP) << c.name;
        EXPECT_EQ(t.kFitPS, c.expected.kFitPS) << c.name;
        EXPECT_EQ(t.FSi, c.expected.FSi) << c.name;
        EXPECT_EQ(t.WiesAbstandPS, c.expected.WiesAbstandPS) << c.name;
    }
}

TEST(WiesbeckCalc, AveragingReducesPowerButNotEirp)
{
    struct {
        const char *name;
        bool duty, mode;
        double pa; // W after averaging
        double kFit;
    } cases[] = {
        {"none", false, false, 200, 2.2},
        {"RX TX only", true, false, 100, 1.6},
        {"mode only", false, true, 76, 1.2 + 26.0 / 50 * 0.4},
        {"both", true, true, 38, 1.2 * std::sqrt(38.0 / 50)},
    };
    for (const auto &c : cases) {
        WiesInput in = dipol80m();
        in.AntennaInputPower = 200;
        in.applyDuty = c.duty;
        in.applyMode = c.mode;
        const WiesResult r = WiesCalculate(in);
        EXPECT_NEAR(r.kFitPS, c.kFit, 1e-9) << c.name;
        EXPECT_NEAR(r.WiesAbstandPS, c.kFit * 1.4142, 1e-9) << c.name;
        EXPECT_NEAR(r.WiesEIRP, 200 * std::pow(10, 0.215), 1e-9) << c.name;
        EXPECT_NEAR(WiesDistance(in, 200), r.WiesAbstandPS, 1e-12) << c.name;
        WiesInput plain = in; // already averaged power, no box ticked: the same distance
        plain.applyDuty = plain.applyMode = false;
        EXPECT_NEAR(WiesDistance(plain, c.pa), r.WiesAbstandPS, 1e-12) << c.name;
    }
}

TEST(WiesbeckCalc, DistanceCombinesAllFactors)
{
    // GPA50 on 20m (1.54 dBi), 4.5 m high, 300 W, 3 dB margin, own antenna 4 dBi.
    WiesInput in = dipol80m();
    in.wiesAnt = kGPA50;
    in.band = k20m;
    in.height = 4.5;
    in.AntennaInputPower = 300;
    in.SafetyFieldFactor = std::pow(10, 3.0 / 20);
    in.useAltDirectivity = true;
    in.AltDirectivity = 4;
    const double kFit = 4.5 + (300.0 - 200) / 300 * (6.4 - 4.5);
    const double factor = (2.42 + 1.99) / 2;
    const double expected =
        kFit * 1.4142 * factor * std::pow(10, 3.0 / 20) * std::sqrt(std::pow(10, (4 - 1.54) / 10));
    const WiesResult r = WiesCalculate(in);
    EXPECT_NEAR(r.WiesAbstandPS, expected, 1e-9);
    EXPECT_NEAR(r.HeightGroundFactor, factor, 1e-12);
    EXPECT_NEAR(r.kFitPS, kFit, 1e-12);
    EXPECT_DOUBLE_EQ(r.Directivity, 1.54);
}

TEST(WiesbeckCalc, NoPositiveDistanceFromTwoMissingValues)
{
    // An absurd own directivity makes the correction unusable; on an unstudied band the
    // base distance is missing as well, and -99 x -99 must not turn into a distance.
    WiesInput in = dipol80m();
    in.band = k17m;
    in.useAltDirectivity = true;
    in.AltDirectivity = 1e6;
    EXPECT_LE(WiesCalculate(in).WiesAbstandPS, 0);
    EXPECT_EQ(FormatWies(WiesCalculate(in), in.AltDirectivity).WiesAbstandPS, "---");
}

TEST(WiesbeckPowerSearch, CandidatePowers)
{
    EXPECT_DOUBLE_EQ(WiesCandidatePower(0), 1);
    EXPECT_NEAR(WiesCandidatePower(61), 184.551, 1e-3);
    EXPECT_NEAR(WiesCandidatePower(62), 187.560, 1e-3);
    EXPECT_DOUBLE_EQ(WiesCandidatePower(kWiesCandidateCount - 1), 1000);
}

TEST(WiesbeckPowerSearch, DipolOn80mForThreeMetres)
{
    Recorder rec;
    const auto r = WiesPowerSearch(dipol80m(), 0, 3, rec.onEvents(), rec.onTrace());
    EXPECT_EQ(r.status, WiesPowerSearchStatus::Found);
    EXPECT_TRUE(r.found);
    EXPECT_NEAR(r.newPep, 184.55, 0.005);
    EXPECT_DOUBLE_EQ(r.newPep, WiesCandidatePower(61));
    EXPECT_NEAR(WiesDistance(dipol80m(), WiesCandidatePower(62)), 3.006, 5e-4);

    EXPECT_EQ(rec.events, 63); // candidates 0..62, the last one exceeds
    ASSERT_EQ(rec.lines.size(), 62u);
    EXPECT_EQ(rec.lines.front(), "     1 W --->  0,240 m ");
    EXPECT_EQ(rec.lines.back(), "   185 W --->  2,980 m ");
    EXPECT_EQ(WiesNewPepTrace(r.newPep), "Neue PEP: 184,55 W");
}

TEST(WiesbeckPowerSearch, Outcomes)
{
    struct Case {
        const char *name;
        WiesInput in;
        double totalAtt, wanted;
        WiesPowerSearchStatus status;
        int lastKeptCandidate; // -1 = none
        int events;
    };
    WiesInput unstudied = dipol80m();
    unstudied.band = k17m;
    WiesInput averaged = dipol80m();
    averaged.applyDuty = true; // halves the power like 3 dB of cable
    const Case cases[] = {
        {"3 dB cable needs about twice the PEP", dipol80m(), 3, 3, WiesPowerSearchStatus::Found,
         123, 125},
        {"RX TX averaging", averaged, 0, 3, WiesPowerSearchStatus::Found, 123, 125},
        {"1000 W stays inside", dipol80m(), 0, 100, WiesPowerSearchStatus::NotReached, -1, 333},
        {"no study data", unstudied, 0, 3, WiesPowerSearchStatus::NotReached, -1, 333},
        {"1 W already too far", dipol80m(), 0, 0.01, WiesPowerSearchStatus::AlreadyAtOneWatt, -1,
         1},
        {"negative distance", dipol80m(), 0, -5, WiesPowerSearchStatus::AlreadyAtOneWatt, -1, 1},
    };
    for (const auto &c : cases) {
        Recorder rec;
        const auto r = WiesPowerSearch(c.in, c.totalAtt, c.wanted, rec.onEvents(), rec.onTrace());
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.found, c.lastKeptCandidate >= 0) << c.name;
        if (c.lastKeptCandidate >= 0) {
            EXPECT_DOUBLE_EQ(r.newPep, WiesCandidatePower(c.lastKeptCandidate)) << c.name;
        }
        EXPECT_EQ(rec.events, c.events) << c.name;
        // One trace line per candidate that kept the distance.
        const int kept = c.status == WiesPowerSearchStatus::Found ? c.events - 1
                         : c.status == WiesPowerSearchStatus::NotReached ? c.events
                                                                         : 0;
        EXPECT_EQ(static_cast<int>(rec.lines.size()), kept) << c.name;
    }
}

TEST(WiesbeckPowerSearch, RunsWithoutCallbacks)
{
    const auto r = WiesPowerSearch(dipol80m(), 0, 3, {}, {});
    EXPECT_DOUBLE_EQ(r.newPep, WiesCandidatePower(61));
}

TEST(WiesbeckPowerSearch, TraceTexts)
{
    EXPECT_EQ(WiesPowerTraceLine(1000, 12.3456), "  1000 W ---> 12,346 m ");
    EXPECT_EQ(WiesPowerTraceLine(4.01, -99), "     4 W ---> -99,000 m ");
    EXPECT_EQ(WiesNewPepTrace(1), "Neue PEP:   1,00 W");
}

TEST(WiesbeckFsi, TypedSafetyFactor)
{
    struct {
        const char *typed;
        bool valid;
        double fsi;
        const char *shown;
        bool red;
    } cases[] = {
        {"0,8", true, 1, "1,0000", true},        {"1.5", true, 1.5, "1,5000", false},
        {"1,4142", true, 1.4142, "1,4142", false}, {"1.41", true, 1.41, "1,4100", false},
        {"1,4099", true, 1.4099, "1,4099", true}, {"-2", true, 1, "1,0000", true},
        {" 2,5 ", true, 2.5, "2,5000", false},
        {"abc", false, 0, "", false},             {"", false, 0, "", false},
        {"1.234,5", false, 0, "", false},         {"1,5x", false, 0, "", false},
    };
    for (const auto &c : cases) {
        const auto fsi = FsiFromTyped(c.typed);
        ASSERT_EQ(fsi.has_value(), c.valid) << '"' << c.typed << '"';
        if (!c.valid)
            continue;
        EXPECT_DOUBLE_EQ(*fsi, c.fsi) << c.typed;
        EXPECT_EQ(FsiMarkedRed(*fsi), c.red) << c.typed;
        WiesResult r;
        r.FSi = *fsi;
        EXPECT_EQ(FormatWies(r, 0).FSi, c.shown) << c.typed;
    }
}

TEST(WiesbeckInfo, TextHeadingAndLineBreaks)
{
    const std::string text = kWiesInfoText;
    EXPECT_EQ(text.rfind("Die Wiesbeck-Studie der RegTP\r\n", 0), 0u);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        }
        if (text[i] == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
        }
    }
    // Points the user to the field that adapts a similar study antenna.
    EXPECT_NE(text.find("\"abweichende Directivity\""), std::string::npos);
}
