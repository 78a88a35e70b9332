#include "core/WinkAnt.h"

#include "util/ConvertError.h"
#include "util/NumRoutines.h"
#include "util/TextFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

constexpr BandIndex k80m = 4, k20m = 8, k15m = 10, k10m = 12, k6m = 13, k2m = 15, k70cm = 16, k23cm = 17;

std::string fixture(const std::string &name)
{
    return std::string(FELDORA_TEST_DATA) + "/" + name;
}

std::vector<std::string> withHeaders(const std::string &pol, const std::string &step,
                                     std::vector<std::string> rest)
{
    std::vector<std::string> lines{"[Polarisation] " + pol, "[Bereich] 180",
                                   "[Schrittweite] " + step};
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

std::string zeros(int count)
{
    std::string text = "0";
    for (int i = 1; i < count; ++i)
        text += ",0";
    return text;
}

std::vector<std::int16_t> angles(std::initializer_list<int> list)
{
    return std::vector<std::int16_t>(list.begin(), list.end());
}

class TempDir {
  public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "feldora-wink-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

FarFieldResult twoMetreResult(double marginDb)
{
    FarFieldInput in;
    in.band = k2m;
    in.power = 100;
    in.gain = 13;
    in.marginDb = marginDb;
    return CalculateFarField(in, CalculateFactors(ModeType::SSB, FactorSource::DKE, DutyChoice::TX6RX0, 0));
}

} // namespace

TEST(WinkAntReading, AngleStepAndEnd)
{
    // Step 5 with 73 values reaches 360 (no mirror image); step 10 with 19 values ends at 180.
    struct {
        const char *file;
        int step, count, lastAngle;
    } cases[] = {{"ang_step5_73.ang", 5, 73, 360}, {"ang_step10_19.ang", 10, 19, 180}};
    for (const auto &c : cases) {
        TWinkAnt w = TWinkAnt::FromFile(fixture(c.file), k2m);
        SCOPED_TRACE(c.file);
        EXPECT_EQ(w.Schrittweite, c.step);
        ASSERT_EQ(w.WinkelV.size(), static_cast<size_t>(c.count));
        ASSERT_EQ(w.DaempfungV.size(), static_cast<size_t>(c.count));
        EXPECT_EQ(w.WinkelV.front(), 0);
        EXPECT_EQ(w.WinkelV.back(), c.lastAngle);
        for (size_t k = 0; k < w.WinkelV.size(); ++k)
            EXPECT_EQ(w.WinkelV[k], static_cast<int>(k) * c.step);
        EXPECT_TRUE(w.WinkelH.empty());
        EXPECT_EQ(w.Polarisation, "v");
        EXPECT_EQ(w.Name, std::string(c.file).substr(0, std::string(c.file).size() - 4));
    }
    TWinkAnt example = TWinkAnt::FromFile(fixture("ang_step10_19.ang"), k2m);
    EXPECT_EQ(example.DaempfungV, (std::vector<double>{0, 1, 3, 6, 10, 15, 20, 25, 30, 30, 30, 30,
                                                       30, 30, 30, 30, 30, 30, 30}));
    TWinkAnt full = TWinkAnt::FromFile(fixture("ang_step5_73.ang"), k2m);
    EXPECT_DOUBLE_EQ(full.DaempfungV[1], 0.5);
    EXPECT_DOUBLE_EQ(full.DaempfungV[36], 18);
    EXPECT_DOUBLE_EQ(full.DaempfungV[72], 0);
}

TEST(WinkAntReading, SectionChoiceByBand)
{
    struct {
        const char *file;
        BandIndex band;
        std::vector<double> expected; // vertical attenuations; empty = no section taken
    } cases[] = {
        {"ang_two_bands.ang", k2m, {1, 2, 3}},
        {"ang_two_bands.ang", k70cm, {4, 5, 6}},
        {"ang_two_bands.ang", k23cm, {}},
        {"ang_two_bands.ang", 0, {}},
        // The later fitting section wins, a frequency-0 section fits every band.
        {"ang_freq0_then_145.ang", k2m, {0, 1, 2}},
        {"ang_freq0_then_145.ang", k70cm, {0, 10, 20}},
        {"ang_145_then_freq0.ang", k2m, {0, 10, 20}},
        // Fixed frequency outside every band: only frequency-0 sections.
        {"ang_freq0_then_145.ang", 0, {0, 10, 20}},
        {"ang_145_then_freq0.ang", -99, {0, 10, 20}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.file) + " band " + std::to_string(c.band));
        TWinkAnt w = TWinkAnt::FromFile(fixture(c.file), c.band);
        EXPECT_EQ(w.DaempfungV, c.expected);
        EXPECT_EQ(w.WinkelV.size(), c.expected.size());
        EXPECT_TRUE(w.WinkelH.empty());
    }
}

TEST(WinkAntReading, TenPercentBoundIncluded)
{
    // 2m centre 145 MHz: 130.5 .. 159.5 MHz fit.
    struct {
        const char *frequency;
        bool taken;
    } cases[] = {
        {"159.5", true}, {"159.6", false}, {"130.5", true}, {"130.4", false}, {"145", true}};
    for (const auto &c : cases) {
        TWinkAnt w = TWinkAnt::FromLines(
            withHeaders("v", "10", {"[MHz],v," + std::string(c.frequency) + ",0", "0,3"}), "t",
            k2m);
        EXPECT_EQ(w.DaempfungV.size(), c.taken ? 2u : 0u) << c.frequency;
    }
}

TEST(WinkAntReading, SectionHeaderPlacementAndPolarisation)
{
    // A header on the first line is no section; its values belong to nothing.
    TWinkAnt first = TWinkAnt::FromFile(fixture("ang_first_line_header.ang"), k2m);
    EXPECT_TRUE(first.WinkelV.empty());
    EXPECT_TRUE(first.DaempfungV.empty());
    EXPECT_EQ(first.Polarisation, "v");

    // "vh" and a header without letter: the section is vertical.
    TWinkAnt vh = TWinkAnt::FromFile(fixture("ang_vh_no_letter.ang"), k2m);
    EXPECT_EQ(vh.DaempfungV, (std::vector<double>{0, 2, 4}));
    EXPECT_EQ(vh.WinkelV, angles({0, 90, 180}));
    EXPECT_TRUE(vh.WinkelH.empty());

    struct {
        const char *pol;
        const char *header;
        bool vertical, horizontal;
    } cases[] = {
        {"h", "[MHz],145,0", false, true},     {"v", "[MHz],h,145,0", false, true},
        {"h", "[MHz],v,145,0", true, false},   {"x", "[MHz],145,0", false, false},
        {"", "[MHz],145,0", false, false},     {"V", "[MHz],145,0", false, false},
        {"v", " [MHz],v,145,0", false, false}, // not at the beginning: an ordinary line before any
                                               // section
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.pol) + " / " + c.header);
        TWinkAnt w = TWinkAnt::FromLines(withHeaders(c.pol, "90", {c.header, "0,1,2"}), "t", k2m);
        EXPECT_EQ(!w.DaempfungV.empty(), c.vertical);
        EXPECT_EQ(!w.DaempfungH.empty(), c.horizontal);
        EXPECT_EQ(w.Polarisation, c.pol);
    }
}

TEST(WinkAntReading, Windows1252QuotesAndLayout)
{
    // Quotes everywhere, CR LF, an umlaut in a free line, "=" as separator, an empty line in a
    // section.
    TWinkAnt w = TWinkAnt::FromFile(fixture("ang_quoted_cp1252.ang"), k20m);
    EXPECT_EQ(w.Name, "ang_quoted_cp1252");
    EXPECT_EQ(w.Polarisation, "vh");
    EXPECT_EQ(w.Schrittweite, 90);
    EXPECT_EQ(w.WinkelV, angles({0, 90, 180}));
    EXPECT_EQ(w.DaempfungV, (std::vector<double>{0, 2.5, 7.25}));
    EXPECT_EQ(w.WinkelH, angles({0, 90, 180}));
    EXPECT_EQ(w.DaempfungH, (std::vector<double>{0.5, 1.5, 3.5}));

    // Repeated header lines: the last one counts.
    TWinkAnt last =
        TWinkAnt::FromLines({"[Polarisation] h", "[Polarisation]:v", "[Bereich] 90",
                             "[Schrittweite] 5", "[Schrittweite] 45", "[MHz],0,0", "1,2,3"},
                            "t", k2m);
    EXPECT_EQ(last.Polarisation, "v");
    EXPECT_EQ(last.WinkelV, angles({0, 45, 90}));
}

TEST(WinkAntReading, MalformedContentIsAConversionFailure)
{
    using Lines = std::vector<std::string>;
    struct {
        const char *what;
        Lines lines;
    } cases[] = {
        {"empty file", {}},
        {"no [Bereich]", {"[Polarisation] v", "[Schrittweite] 10", "[MHz],v,0,0", "0"}},
        {"no [Schrittweite]", {"[Polarisation] v", "[Bereich] 180", "[MHz],v,0,0", "0"}},
        {"[Bereich] not integer", {"[Polarisation] v", "[Bereich] 180.5", "[Schrittweite] 10"}},
        {"[Schrittweite] empty", withHeaders("v", "", {})},
        {"[Schrittweite] text", withHeaders("v", "zehn", {})},
        {"[Schrittweite] 0", withHeaders("v", "0", {"[MHz],v,0,0", "0,1"})},
        {"[Schrittweite] negative", withHeaders("v", "-10", {"[MHz],v,0,0", "0,1"})},
        {"[Schrittweite] above 360", withHeaders("v", "361", {})},
        {"[Schrittweite] overflow", withHeaders("v", "99999999999", {})},
        {"header line cut", {"[Polarisation] v", "[Bereich]", "[Schrittweite] 10"}},
        {"empty second field", withHeaders("v", "10", {"[MHz],,145,0", "0"})},
        {"header only", withHeaders("v", "10", {"[MHz]", "0"})},
        {"missing last number", withHeaders("v", "10", {"[MHz],v,145", "0"})},
        {"missing last number without letter", withHeaders("v", "10", {"[MHz],145", "0"})},
        {"frequency text", withHeaders("v", "10", {"[MHz],v,zwei,0", "0"})},
        {"frequency 1e999", withHeaders("v", "10", {"[MHz],v,1e999,0", "0"})},
        {"value nan", withHeaders("v", "10", {"[MHz],v,0,0", "0,nan"})},
        {"value 1e999", withHeaders("v", "10", {"[MHz],v,0,0", "0,1e999"})},
        {"value with unit", withHeaders("v", "10", {"[MHz],v,0,0", "0,3 dB"})},
        {"trailing comma", withHeaders("v", "10", {"[MHz],v,0,0", "0,1,"})},
        {"blanks between values", withHeaders("v", "10", {"[MHz],v,0,0", "0 1 2"})},
        // Also in a section that the band does not take: the file itself is broken.
        {"bad value in other band",
         withHeaders("v", "10", {"[MHz],v,435,0", "0,x", "[MHz],v,145,0", "0"})},
        // More angles than a full turn.
        {"74 values at step 5", withHeaders("v", "5", {"[MHz],v,0,0", zeros(74)})},
        {"two values at step 360 plus one",
         withHeaders("v", "360", {"[MHz],v,0,0", "0", "1", "2"})},
    };
    for (const auto &c : cases) {
        EXPECT_THROW(TWinkAnt::FromLines(c.lines, "t", k2m), ConvertError) << c.what;
    }
    try {
        TWinkAnt::FromLines(withHeaders("v", "0", {}), "t", k2m);
        FAIL() << "step 0 accepted";
    } catch (const ConvertError &e) {
        EXPECT_STREQ(
            e.what(),
            "Zeile 3: Die Schrittweite '0' ist ungültig; erlaubt sind ganze Zahlen von 1 bis 360 Grad.");
    }
}

TEST(WinkAntReading, ValuesBeyondTheirRangesAreRefusedWithFileAndLine)
{
    TempDir dir;
    const std::string path = dir.file("Beams Test.ang");
    struct {
        const char *what;
        std::vector<std::string> lines;
        std::string message; // after "Fehler in der Winkeldatei <path>:\r\n"
    } cases[] = {
        {"step inf", withHeaders("v", "inf", {"[MHz],v,0,0", "0"}), "Zeile 3: 'inf' ist kein gültiger Integerwert."},
        {"range missing", {"[Polarisation] v", "[Schrittweite] 10"}, "Die Angabe [Bereich] fehlt."},
        {"attenuation above 1000 dB", withHeaders("v", "10", {"[MHz],v,0,0", "0,3", "1000.5"}),
         "Zeile 6: Die Dämpfung '1000.5' liegt nicht zwischen -1000 und 1000 dB."},
        {"attenuation largest double", withHeaders("v", "10", {"[MHz],v,0,0", "-1.7976931348623157E308"}),
         "Zeile 5: Die Dämpfung '-1.7976931348623157E308' liegt nicht zwischen -1000 und 1000 dB."},
        {"frequency above the limit table", withHeaders("v", "10", {"[MHz],v,1e9,0", "0"}),
         "Zeile 4: Die Frequenz '1e9' liegt nicht zwischen 0,003 und 300000 MHz (0 gilt für alle Bänder)."},
        {"value not a number", withHeaders("v", "10", {"[MHz],145,0", "0,x"}),
         "Zeile 5: 'x' ist kein gültiger Gleitkommawert."},
    };
    for (const auto &c : cases) {
        WriteTextLines(path, c.lines);
        try {
            TWinkAnt::FromFile(path, k2m);
            ADD_FAILURE() << c.what << " accepted";
        } catch (const ConvertError &e) {
            EXPECT_EQ(e.what(), "Fehler in der Winkeldatei " + path + ":\r\n" + c.message) << c.what;
        }
    }
    // The bounds themselves load.
    TWinkAnt edges = TWinkAnt::FromLines(withHeaders("v", "10", {"[MHz],v,300000,0", "-1000,1000"}), "t", 0);
    EXPECT_TRUE(edges.DaempfungV.empty()); // no band: only sections for frequency 0
    edges = TWinkAnt::FromLines(withHeaders("v", "10", {"[MHz],v,0.003,0", "[MHz],v,0,0", "-1000,1000"}), "t", 0);
    EXPECT_EQ(edges.DaempfungV, (std::vector<double>{-1000, 1000}));
}

TEST(WinkAntReading, LimitsThatStillLoad)
{
    // Exactly a full turn, the widest step, a point as decimal separator, empty and blank lines.
    std::string v361;
    for (int k = 0; k <= 360; ++k)
        v361 += (k ? "," : "") + std::to_string(k % 7) + ".5";
    TWinkAnt one = TWinkAnt::FromLines(withHeaders("v", "1", {"[MHz],v,0,0", v361}), "t", k2m);
    ASSERT_EQ(one.WinkelV.size(), 361u);
    EXPECT_EQ(one.WinkelV.back(), 360);
    EXPECT_DOUBLE_EQ(one.DaempfungV[8], 1.5);

    TWinkAnt wide = TWinkAnt::FromLines(
        withHeaders("h", "360", {"[MHz],0,0", "", "  ", "0", "3.25"}), "t", k2m);
    EXPECT_EQ(wide.WinkelH, angles({0, 360}));
    EXPECT_EQ(wide.DaempfungH, (std::vector<double>{0, 3.25}));

    // A section without values empties the lists it replaces.
    TWinkAnt cleared = TWinkAnt::FromLines(
        withHeaders("v", "90", {"[MHz],v,0,0", "1,2", "[MHz],v,145,0"}), "t", k2m);
    EXPECT_TRUE(cleared.WinkelV.empty());
    EXPECT_TRUE(cleared.DaempfungV.empty());
}

TEST(WinkAntReading, HostileFilesNeverCrash)
{
    TempDir dir;
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 131 + 7) % 256);
    std::string megaLine = "[Polarisation] v\n[Bereich] 180\n[Schrittweite] 1\n[MHz],v,0,0\n";
    for (int i = 0; i < 500000; ++i)
        megaLine += "0,";
    megaLine += "0\n";
    std::string manySections = "[Polarisation] vh\n[Bereich] 180\n[Schrittweite] 90\n";
    for (int i = 0; i < 50000; ++i)
        manySections += "[MHz],h,0,0\n" + std::to_string(i % 40) + "\n";
    std::string manyLines = "[Polarisation] v\n[Bereich] 180\n[Schrittweite] 10\n[MHz],v,0,0\n";
    for (int i = 0; i < 100000; ++i)
        manyLines += "1\n";

    std::string hugeComment = std::string(1 << 20, 'x')
                              + "\n[Polarisation] v\n[Bereich] 180\n[Schrittweite] 90\n"
                                "[MHz],v,0,0\n0,1\n";

    struct {
        const char *name;
        std::string bytes;
        int loadedValues; // -1: must be rejected with ConvertError
    } cases[] = {
        {"empty.ang", "", -1},
        {"garbage.ang", garbage, -1},
        {"nul.ang", std::string("[Polarisation] v\n[Bereich] 1") + '\0' + "80\n[Schrittweite] 10\n",
         -1},
        {"truncated.ang", "[Polarisation] v\n[Bereich] 180\n[Schrittw", -1},
        {"megaline.ang", megaLine, -1},
        {"manylines.ang", manyLines, -1},
        {"manysections.ang", manySections, 1},
        {"hugecomment.ang", hugeComment, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir.file(c.name), c.bytes);
        if (c.loadedValues >= 0) {
            TWinkAnt w = TWinkAnt::FromFile(dir.file(c.name), k2m);
            EXPECT_EQ(w.DaempfungV.size() + w.DaempfungH.size(),
                      static_cast<size_t>(c.loadedValues));
        } else {
            EXPECT_THROW(TWinkAnt::FromFile(dir.file(c.name), k2m), ConvertError);
        }
    }
    // The last of the many sections counts.
    EXPECT_EQ(TWinkAnt::FromFile(dir.file("manysections.ang"), k2m).DaempfungH,
              (std::vector<double>{(50000 - 1) % 40}));
    EXPECT_THROW(TWinkAnt::FromFile(dir.file("missing.ang"), k2m), FileError);
}

TEST(WinkAntReading, NameFromPath)
{
    struct {
        const char *path;
        const char *name;
    } cases[] = {
        {"/opt/feldora/ang/Yagis Yagi 2m 9 El..ang", "Yagis Yagi 2m 9 El."},
        {"ang/Beams Tribander 3 El..ang", "Beams Tribander 3 El."},
        {"C:\\Feldora\\ang\\Drahtantennen Dipol 80m.ang", "Drahtantennen Dipol 80m"},
        {"Quads Quad 2 El. 20m.ang", "Quads Quad 2 El. 20m"},
        {"ohne Endung", "ohne Endung"},
        {"/tmp/Höhe äußerst.ang", "Höhe äußerst"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AngleFileName(c.path), c.name) << c.path;
}

TEST(WinkAntPolarisation, InitialAndCorrectedChoice)
{
    struct {
        const char *pol;
        int initial, fromVertical, fromHorizontal;
    } cases[] = {
        {"v", 0, 0, 0},  {"h", 1, 1, 1}, {"vh", 0, 0, 1},
        {"hv", 0, 0, 1}, {"", 1, 0, 0},  {"x", 1, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(InitialPolChoice(c.pol), c.initial) << c.pol;
        EXPECT_EQ(CorrectPolChoice(0, c.pol), c.fromVertical) << c.pol;
        EXPECT_EQ(CorrectPolChoice(1, c.pol), c.fromHorizontal) << c.pol;
    }
}

TEST(WinkAntEvaluation, AttenuationScalesEirpAndDistance)
{
    FarFieldResult r = twoMetreResult(2);
    TWinkAnt w = TWinkAnt::FromLines(
        withHeaders("vh", "45", {"[MHz],v,0,0", "0,3,10,100", "[MHz],h,0,0", "6"}), "t", k2m);

    AngleTable t = CalculateAngleTable(&w, 0, r);
    ASSERT_EQ(t.Angles, angles({0, 45, 90, 135}));
    ASSERT_EQ(t.EirpByAngle.size(), 4u);
    ASSERT_EQ(t.DistanceByAngle.size(), 4u);
    // The main direction repeats the far-field result.
    EXPECT_DOUBLE_EQ(t.EirpByAngle[0], r.EIRP);
    EXPECT_DOUBLE_EQ(t.DistanceByAngle[0], r.SafetyDistance);
    EXPECT_NEAR(t.EirpByAngle[1] / r.EIRP, 0.501, 0.0005);
    EXPECT_NEAR(t.DistanceByAngle[1] / r.SafetyDistance, 0.708, 0.0005);
    EXPECT_NEAR(t.EirpByAngle[2] / r.EIRP, 0.1, 1e-12);
    EXPECT_NEAR(t.DistanceByAngle[3] / r.SafetyDistance, 1e-5, 1e-15);
    // 1995,26 W EIRP, SSB halved by DKE, 27,5 V/m, 2 dB margin.
    const double distances[] = {7.9198, 5.6068, 2.5045, 7.9198e-5};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(t.DistanceByAngle[i], distances[i], 5e-5 * distances[i]) << t.Angles[i];

    AngleTable h = CalculateAngleTable(&w, 1, r);
    EXPECT_EQ(h.Angles, angles({0}));
    EXPECT_EQ(h.Attenuations, (std::vector<double>{6}));
}

TEST(WinkAntEvaluation, EmptyCases)
{
    FarFieldResult r = twoMetreResult(0);
    auto allEmpty = [](const AngleTable &t) {
        return t.Angles.empty() && t.Attenuations.empty() && t.EirpByAngle.empty()
               && t.DistanceByAngle.empty();
    };
    EXPECT_TRUE(allEmpty(CalculateAngleTable(nullptr, 0, r)));
    EXPECT_TRUE(allEmpty(CalculateAngleTable(nullptr, 1, r)));
    // Data present, but the chosen polarisation has no section for this band.
    TWinkAnt w = TWinkAnt::FromFile(fixture("ang_two_bands.ang"), k23cm);
    EXPECT_TRUE(allEmpty(CalculateAngleTable(&w, 0, r)));
    TWinkAnt v = TWinkAnt::FromFile(fixture("ang_two_bands.ang"), k2m);
    EXPECT_TRUE(allEmpty(CalculateAngleTable(&v, 1, r)));
    EXPECT_EQ(AngleGridRows(CalculateAngleTable(&w, 0, r)).size(), 1u);
}

TEST(WinkAntEvaluation, NoLimitGivesMinus99TimesMargin)
{
    FarFieldResult r = twoMetreResult(6);
    r.ELimit = kNoValue;
    TWinkAnt w = TWinkAnt::FromLines(withHeaders("v", "90", {"[MHz],0,0", "0,20"}), "t", 0);
    AngleTable t = CalculateAngleTable(&w, 0, r);
    ASSERT_EQ(t.DistanceByAngle.size(), 2u);
    EXPECT_DOUBLE_EQ(t.DistanceByAngle[0], -99 * r.SafetyFieldFactor);
    EXPECT_DOUBLE_EQ(t.DistanceByAngle[1], -99 * r.SafetyFieldFactor);
}

TEST(WinkAntTexts, GridExportAndCopy)
{
    AngleTable t;
    t.Angles = angles({0, 90, 360});
    t.Attenuations = {0, 3, 12.345};
    t.EirpByAngle = {1995.26, 1000, 123456.789};
    t.DistanceByAngle = {7.456, -99, 0.004};

    AngleGrid grid = AngleGridRows(t);
    AngleGrid expectedGrid = {
        {"Winkel", "Dämpfung", "EIRP", "Abst. PS"},
        {"    0", "   0,00", "1995,26", "   7,46"},
        {"   90", "   3,00", "1000,00", " -99,00"},
        {"  360", "  12,35", "123456,79", "   0,00"},
    };
    EXPECT_EQ(grid, expectedGrid);

    std::vector<std::string> expectedExport = {
        "   Winkel ; Dämpfung ;     EIRP ; Abst. PS ;",
        "        0 ;     0,00 ;  1995,26 ;     7,46 ;",
        "       90 ;     3,00 ;  1000,00 ;   -99,00 ;",
        "      360 ;    12,35 ;123456,79 ;     0,00 ;" // a wide cell is not cut,
    };
    EXPECT_EQ(AngleExportLines(grid), expectedExport);
    EXPECT_EQ(AngleCopyText(grid), "Winkel\tDämpfung\tEIRP\tAbst. PS\r\n"
                                   "    0\t   0,00\t1995,26\t   7,46\r\n"
                                   "   90\t   3,00\t1000,00\t -99,00\r\n"
                                   "  360\t  12,35\t123456,79\t   0,00\r\n");

    // On disk: Windows-1252, CR LF after every line.
    TempDir dir;
    WriteTextLines(dir.file("FO Export.txt"), AngleExportLines(grid));
    std::string bytes = ReadFileBytes(dir.file("FO Export.txt"));
    EXPECT_EQ(bytes.substr(0, 46), "   Winkel ; D\xE4mpfung ;     EIRP ; Abst. PS ;\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(WinkAntShippedFiles, EveryFileLoadsForItsBands)
{
    const std::string dir = std::string(FELDORA_TEST_DATA) + "/../../resources/data/ang";
    // The catalogue antennas with angle files and the bands of their frequency lines.
    const std::map<std::string, std::vector<BandIndex>> expected = {
        {"Drahtantennen Dipol 80m", {k80m}},
        {"Vertikale Groundplane 2m", {k2m}},
        {"Vertikale Duoband 260 cm", {k2m, k70cm}},
        {"Yagis Yagi 2m 9 El.", {k2m}},
        {"Yagis HB9CV 6m", {k6m}},
        {"Yagis HB9CV 2m", {k2m}},
        {"Yagis HB9CV 70cm", {k70cm}},
        {"Quads Quad 2 El. 20m", {k20m}},
        {"Beams Tribander 3 El.", {k20m, k15m, k10m}},
        {"Beams Moxon 6m", {k6m}},
    };
    std::set<std::string> found;
    for (const auto &entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".ang")
            continue;
        std::string path = entry.path().string();
        std::string name = AngleFileName(path);
        SCOPED_TRACE(name);
        found.insert(name);
        auto it = expected.find(name);
        ASSERT_NE(it, expected.end()) << "unbekannte Winkeldatei";
        for (BandIndex band : it->second) {
            TWinkAnt w;
            ASSERT_NO_THROW(w = TWinkAnt::FromFile(path, band)) << "band " << band;
            EXPECT_EQ(w.Name, name);
            bool anyData = false;
            for (int pol : {0, 1}) {
                if (CorrectPolChoice(pol, w.Polarisation) != pol)
                    continue;
                const auto &ang = pol == 0 ? w.WinkelV : w.WinkelH;
                const auto &att = pol == 0 ? w.DaempfungV : w.DaempfungH;
                ASSERT_FALSE(att.empty()) << "band " << band << " pol " << pol;
                ASSERT_EQ(ang.size(), att.size());
                EXPECT_TRUE(ang.back() == 180 || ang.back() == 360) << ang.back();
                EXPECT_DOUBLE_EQ(*std::min_element(att.begin(), att.end()), 0);
                // Real stations fill the model's nulls: no direction is credited more than 20 dB.
                for (double a : att) {
                    EXPECT_GE(a, 0);
                    EXPECT_LE(a, 20.0);
                }
                anyData = true;
            }
            EXPECT_TRUE(anyData);
        }
    }
    EXPECT_EQ(found.size(), expected.size());
}
