#include "MessageRecorder.h"
#include "core/BandPlan.h"
#include "data/AntennenLib.h"
#include "util/ValueRanges.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <unistd.h>

using Lines = std::vector<std::string>;
using Doubles = std::vector<double>;
namespace fs = std::filesystem;

namespace {

const std::string kFixtures = FELDORA_TEST_DATA;
const std::string kShipped = std::string(FELDORA_TEST_DATA) + "/../../resources/data";

TAntennen load(const Lines &mainLines, const Lines &userLines = {})
{
    return TAntennen::FromLines(mainLines, userLines);
}

// A directory of its own per test, removed afterwards.
class TempDir {
public:
    TempDir()
    {
        path_ = fs::temp_directory_path() / ("feldora-cat-" + std::to_string(::getpid()) + "-"
                                             + std::to_string(counter_++));
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string file(const std::string &name) const { return (path_ / name).string(); }
    std::string write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }

private:
    fs::path path_;
    static inline int counter_ = 0;
};

} // namespace

// ---------------------------------------------------------------- reading one data line

struct LineCase {
    const char *what;
    std::string line;
    std::string name, type;
    Doubles freqs, gains;
    Lines elements;
    std::vector<int> errors; // line numbers reported for the main file
};

class CatalogueLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CatalogueLine, FieldsGoToTheirLists)
{
    const LineCase &c = GetParam();
    MessageRecorder rec;
    TAntennen cat = load({"[H]", c.line});
    ASSERT_EQ(cat.Count(), 1);
    EXPECT_EQ(cat.Namen()[0], c.name);
    EXPECT_EQ(cat.Typen()[0], c.type);
    EXPECT_EQ(cat.Hersteller()[0], "H");
    EXPECT_EQ(cat.Daten()[0].Freqs, c.freqs);
    EXPECT_EQ(cat.Daten()[0].Gains, c.gains);
    EXPECT_EQ(cat.Daten()[0].Elements, c.elements);
    EXPECT_EQ(cat.MainErrorLines(), c.errors);
    EXPECT_EQ(rec.count(), c.errors.empty() ? 0u : 1u) << rec.allTexts();
}

INSTANTIATE_TEST_SUITE_P(
    Table, CatalogueLine,
    ::testing::Values(
        LineCase{"one triple", "Dipol,Halbwelle,3.65,2.15,1,#", "Dipol", "Halbwelle", {3.65}, {2.15}, {"1"}, {}},
        LineCase{"two triples", "A,T,3.6,2.15,1,7.05,2.15,1,#", "A", "T", {3.6, 7.05}, {2.15, 2.15}, {"1", "1"}, {}},
        LineCase{"closing field other than #", "A,T,3.6,2.15,1,x", "A", "T", {3.6}, {2.15}, {"1"}, {}},
        LineCase{"no closing field loses the elements", "A,T,3.6,2.15,1", "A", "T", {3.6}, {2.15}, {}, {}},
        LineCase{"no closing field loses the gain", "A,T,3.6,2.15", "A", "T", {3.6}, {}, {}, {}},
        LineCase{"incomplete last triple", "A,T,3.6,2.15,1,7.05,#", "A", "T", {3.6, 7.05}, {2.15}, {"1"}, {}},
        LineCase{"decimal comma shifts silently", "A,T,3.65,2,15,1,#", "A", "T", {3.65, 1}, {2}, {"15"}, {}},
        LineCase{"decimal comma shifts text onto a number", "A,T,3.65,2,15,2x5/8,7.1,2.15,1,#", "A", "T", {3.65, 1}, {2, 7.1}, {"15", "2.15"}, {2}},
        LineCase{"no frequency lines", "A,T,#", "A", "T", {}, {}, {}, {}},
        LineCase{"name and type only", "A,T", "A", "T", {}, {}, {}, {}},
        LineCase{"fields are not trimmed", " A , T , 145 ,5, 2x5/8 ,#", " A ", " T ", {145}, {5}, {" 2x5/8 "}, {}},
        LineCase{"two bad numbers, two reports", "A,T,x,y,1,#", "A", "T", {}, {}, {"1"}, {2, 2}},
        LineCase{"empty number field", "A,T,3.6,,1,#", "A", "T", {3.6}, {}, {"1"}, {2}},
        LineCase{"overflow, nan and inf fail", "A,T,1e999,nan,1,inf,2,1,#", "A", "T", {}, {2}, {"1", "1"}, {2, 2, 2}},
        LineCase{"exponent and sign", "A,T,1.45e2,-3.5,1,#", "A", "T", {145}, {-3.5}, {"1"}, {}},
        LineCase{"frequency and gain beyond their ranges", "A,T,1e308,2,1,145,1001,1,0,2,1,#", "A", "T", {145},
                 {2, 2}, {"1", "1", "1"}, {2, 2, 2}},
        LineCase{"frequency and gain at their bounds", "A,T,0.003,-1000,1,300000,1000,1,#", "A", "T",
                 {0.003, 300000}, {-1000, 1000}, {"1", "1"}, {}},
        LineCase{"elements text stays as written", "A,T,435,7.2,3x5/8 (ü),#", "A", "T", {435}, {7.2}, {"3x5/8 (ü)"}, {}}),
    [](const auto &info) {
        std::string n = info.param.what;
        for (char &c : n)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return n;
    });

// Every number of a line must read exactly as the tolerant reader reads it.
TEST(Catalogue, NumbersReadLikeTheTolerantReader)
{
    Lines texts = {"0", "-0", "14.175", "0.1", "2.15", "-20", "10250", "0.13675", "5.", ".5", " 5", "5 ",
                   "+5", "1e3", "1.5E-2", "007.50", "123456789012345", "1234567890123456",
                   "0.000000000000001", "9007199254740993", "1.2.3", "1-2", "--1", "-", ".", "١٢"};
    std::mt19937 random(4711);
    for (int i = 0; i < 3000; ++i) {
        std::string t = (random() % 4 == 0) ? "-" : "";
        int intDigits = 1 + static_cast<int>(random() % 9);
        for (int k = 0; k < intDigits; ++k)
            t += static_cast<char>('0' + random() % 10);
        if (random() % 3 != 0) {
            t += '.';
            int fraction = 1 + static_cast<int>(random() % 9);
            for (int k = 0; k < fraction; ++k)
                t += static_cast<char>('0' + random() % 10);
        }
        texts.push_back(t);
    }
    Lines lines;
    for (const std::string &t : texts)
        lines.push_back("A,T," + t + ",1,1,#");
    MessageRecorder rec;
    TAntennen cat = load(lines);
    ASSERT_EQ(cat.Count(), static_cast<int>(texts.size()));
    for (size_t i = 0; i < texts.size(); ++i) {
        std::optional<double> expected = TryTolerantToFloat(texts[i]);
        const Doubles &freqs = cat.Daten()[i].Freqs;
        if (expected && range::kFrequency.contains(*expected)) {
            ASSERT_EQ(freqs.size(), 1u) << texts[i];
            EXPECT_EQ(freqs[0], *expected) << texts[i];
            EXPECT_EQ(std::signbit(freqs[0]), std::signbit(*expected)) << texts[i];
        } else {
            EXPECT_TRUE(freqs.empty()) << texts[i];
        }
    }
}

// ---------------------------------------------------------------- sections and odd lines

TEST(Catalogue, SectionLinesNameTheManufacturer)
{
    struct Case {
        std::string section, manufacturer;
    };
    for (const Case &c : std::vector<Case>{{"[Fritzel]", "Fritzel"},
                                           {"[Fritzel)", "Fritzel"},
                                           {"[Fritzel}", "Fritzel"},
                                           {"[Fritzel", "[Fritzel"},
                                           {"[Fritzel] ", "[Fritzel] "},
                                           {"[]", ""},
                                           {"[", "["}}) {
        TAntennen cat = load({c.section, "A,T,145,5,1,#"});
        ASSERT_EQ(cat.Count(), 1) << c.section;
        EXPECT_EQ(cat.Hersteller()[0], c.manufacturer) << c.section;
    }
}

TEST(Catalogue, LinesTooShortForAnEntryAreDroppedAndReported)
{
    MessageRecorder rec;
    // (Fritzel) is a data line, not a section; blank lines are spacing and not reported.
    TAntennen cat = load({"[Fritzel]", "A,T,145,5,1,#", "", "(Fritzel)", "   ", "\t", "B,T,435,7,1,#"});
    EXPECT_EQ(cat.Namen(), (Lines{"A", "B"}));
    EXPECT_EQ(cat.Manufacturers(), (Lines{"Fritzel"}));
    EXPECT_EQ(cat.MainErrorLines(), (std::vector<int>{4}));
    ASSERT_EQ(rec.count(), 1u);
    EXPECT_EQ(rec.messages()[0].kind, MessageKind::Warning);
    EXPECT_EQ(rec.messages()[0].text, "In den Zeilen 4 gibt es Fehler in der Datei Antennen.txt!");
}

TEST(Catalogue, SectionsRunOnAcrossTheFileBoundary)
{
    TAntennen cat = load({"Lose,T,145,5,1,#", "[A]", "a1,T,145,5,1,#"}, {"u1,T,145,5,1,#", "[B]", "u2,T,145,5,1,#"});
    EXPECT_EQ(cat.Namen(), (Lines{"Lose", "a1", "u1", "u2"}));
    EXPECT_EQ(cat.Hersteller(), (Lines{"", "A", "A", "B"}));
    EXPECT_EQ(cat.Manufacturers(), (Lines{"", "A", "B"}));
}

// ---------------------------------------------------------------- error report

TEST(Catalogue, ErrorReportNumbersLinesPerFile)
{
    Lines mainLines(200, "A,T,145,5,1,#");
    mainLines[0] = "[H]";
    Lines userLines = {"[U]", "B,T,145,5,1,#", "B,T,145,5,1,#", "B,T,145,5,1,#", "B,T,x,y,1,#"};
    {
        MessageRecorder rec;
        TAntennen cat = load(mainLines, userLines);
        EXPECT_TRUE(cat.MainErrorLines().empty());
        EXPECT_EQ(cat.UserErrorLines(), (std::vector<int>{5, 5}));
        ASSERT_EQ(rec.count(), 1u);
        EXPECT_EQ(rec.messages()[0].text, "In den Zeilen 5,5 gibt es Fehler in der Datei AntUser.txt!");
        EXPECT_EQ(cat.Count(), 199 + 4); // the faulty line stays as an entry
    }
    mainLines[9] = "A,T,145,2,15,1,7.1,2,1,#"; // decimal comma, but every shifted field is a number
    mainLines[14] = "A,T,abc,5,1,#";
    mainLines[19] = "A,T,145,5,1,x,#";
    {
        MessageRecorder rec;
        TAntennen cat = load(mainLines, userLines);
        EXPECT_EQ(cat.MainErrorLines(), (std::vector<int>{15, 20}));
        ASSERT_EQ(rec.count(), 1u);
        EXPECT_EQ(rec.messages()[0].text, "In den Zeilen 15,20 gibt es Fehler in der Datei Antennen.txt!"
                                          "In den Zeilen 5,5 gibt es Fehler in der Datei AntUser.txt!");
        EXPECT_EQ(cat.ErrorReport(), rec.messages()[0].text);
    }
}

TEST(Catalogue, HugeErrorReportIsShortened)
{
    Lines lines(150, "A,T,x,5,1,#");
    MessageRecorder rec;
    TAntennen cat = load(lines);
    EXPECT_EQ(cat.MainErrorLines().size(), 150u);
    ASSERT_EQ(rec.count(), 1u);
    const std::string &text = rec.messages()[0].text;
    EXPECT_EQ(text.rfind("In den Zeilen 1,2,3,", 0), 0u);
    EXPECT_NE(text.find(",99,100 und 50 weiteren gibt es Fehler in der Datei Antennen.txt!"), std::string::npos)
        << text;
    EXPECT_EQ(text.find(",101"), std::string::npos);
}

// ---------------------------------------------------------------- lookups

TEST(Catalogue, ManufacturersAreCaseSensitiveButSelectionIsNot)
{
    TAntennen cat = load({"[Fritzel]", "FD4,Windom,3.65,2.15,1,#", "[Cushcraft]", "A3S,Yagi,14.175,8,3,#"},
                         {"[FRITZEL]", "Eigen,Dipol,7.1,2.15,1,#", "[Fritzel]", "Noch,Dipol,7.1,2.15,1,#"});
    EXPECT_EQ(cat.Manufacturers(), (Lines{"Fritzel", "Cushcraft", "FRITZEL"}));
    EXPECT_EQ(cat.AntennasOf("Fritzel"), (Lines{"FD4", "Eigen", "Noch"}));
    EXPECT_EQ(cat.AntennasOf("FRITZEL"), (Lines{"FD4", "Eigen", "Noch"}));
    EXPECT_EQ(cat.AntennasOf("fritzel"), (Lines{"FD4", "Eigen", "Noch"}));
    EXPECT_EQ(cat.AntennasOf("Fritze"), Lines{});
}

TEST(Catalogue, CaseIsIgnoredForAToZOnly)
{
    TAntennen cat = load({"[Äther]", "A,T,145,5,1,#", "[äther]", "B,T,145,5,1,#"});
    EXPECT_EQ(cat.Manufacturers(), (Lines{"Äther", "äther"}));
    EXPECT_EQ(cat.AntennasOf("Äther"), (Lines{"A"}));
    EXPECT_EQ(cat.AntennasOf("ÄTHER"), (Lines{"A"}));
}

TEST(Catalogue, IndexOfFindsTheLaterOfTwoEqualEntries)
{
    TAntennen cat = load({"[H]", "Dipol,alt,3.6,1,1,#", "Quad,Q,14.175,7,2,#", "[G]", "Dipol,andere,7,2,1,#"},
                         {"[h]", "DIPOL,neu,3.6,2.15,1,#"});
    struct Case {
        std::string name, manufacturer;
        int index;
    };
    for (const Case &c : std::vector<Case>{{"Dipol", "H", 3},
                                           {"dipol", "h", 3},
                                           {"Dipol", "G", 2},
                                           {"Quad", "H", 1},
                                           {"Quad", "G", kNoAntenna},
                                           {"Dipo", "H", kNoAntenna},
                                           {"", "", kNoAntenna}})
        EXPECT_EQ(cat.IndexOf(c.name, c.manufacturer), c.index) << c.name << ";" << c.manufacturer;
}

// ---------------------------------------------------------------- frequency match

TEST(FrequencyMatch, FirstSmallestDeviationWithinTenPercent)
{
    struct Case {
        const char *what;
        Doubles freqs;
        double reference;
        int match;
    };
    for (const Case &c : std::vector<Case>{
             {"smaller deviation wins", {144.5, 146}, 145, 0},
             {"order does not matter", {146, 144.5}, 145, 1},
             {"tie goes to the earlier", {145, 145}, 145, 0},
             {"equal deviation both sides", {140, 150}, 145, 0},
             {"nothing near", {430, 50}, 145, kNoMatchLine},
             {"no lines", {}, 145, kNoMatchLine},
             {"9.9 % above", {159.355}, 145, 0},
             {"10.1 % above", {159.645}, 145, kNoMatchLine},
             {"9.9 % below", {130.645}, 145, 0},
             {"10.1 % below", {130.355}, 145, kNoMatchLine},
             {"exactly 10 % above", {159.5}, 145, 0},
             {"exactly 10 % below", {130.5}, 145, 0},
             {"exactly 10 % on 40m", {7.81}, 7.1, 0},
             {"later line closer", {100, 140, 430}, 145, 1},
             {"far line before near", {14.175, 21.225, 28.5}, 28.85, 2},
             {"zero frequency", {0}, 145, kNoMatchLine},
             {"negative frequency", {-145}, 145, kNoMatchLine},
             {"zero reference", {145, 0}, 0, kNoMatchLine},
             {"huge frequency", {1e308, 145}, 145, 1},
         })
        EXPECT_EQ(MatchFrequencyLine(c.freqs, c.reference), c.match) << c.what;
}

TEST(FrequencyMatch, BandCentresFindTheirLines)
{
    const Doubles triband{14.175, 21.225, 28.5};
    EXPECT_EQ(MatchFrequencyLine(triband, BandCenter(8)), 0);  // 20m
    EXPECT_EQ(MatchFrequencyLine(triband, BandCenter(10)), 1); // 15m
    EXPECT_EQ(MatchFrequencyLine(triband, BandCenter(12)), 2); // 10m
    EXPECT_EQ(MatchFrequencyLine(triband, BandCenter(9)), kNoMatchLine); // 17m: 18.118 is 17 % off
}

TEST(FrequencyMatch, LinesWithoutGainCannotMatch)
{
    // "A,T,145,5,1,435" without closing field: 435 has no gain.
    RData data{{145, 435}, {5}, {"1"}};
    EXPECT_EQ(MatchFrequencyLine(data, 145), 0);
    EXPECT_EQ(MatchFrequencyLine(data, 435), kNoMatchLine);
    EXPECT_EQ(MatchFrequencyLine(data.Freqs, 435), 1);
}

// ---------------------------------------------------------------- what the tab shows

TEST(AntBand, LinesPerFrequency)
{
    RData data{{145, 435, 10250, 0.13675}, {4.5, 7.2, 39.6, -20}, {"2x5/8", "3x5/8", "1", "1"}};
    EXPECT_EQ(AntBandLines(data), (Lines{"145,00 4,500 2x5/8", "435,00 7,200 3x5/8", " 10250 39,60   1",
                                         "0,1368 -20,0   1"}));
    // A line whose gain or elements text is missing keeps its columns blank.
    RData faulty{{3.65, 1}, {2}, {"15"}};
    EXPECT_EQ(AntBandLines(faulty), (Lines{"  3,65 2,000  15", "  1,00          "}));
}

TEST(AntBand, SelectGivesWhatTheTabShows)
{
    TAntennen cat = load({"[Beams]", "Tribander,Yagi,14.175,8,3,21.225,8.25,3,28.5,8.5,3,#", "[Yagis]",
                          "Yagi 2m,Yagi,145,13,9,#"},
                         {"[beams]", "TRIBANDER,Yagi neu,14.175,9,3,21.225,9.125,3,#"});
    AntennaSelection s = cat.Select("Tribander", "Beams", BandCenter(10));
    EXPECT_EQ(s.index, 2); // the later entry
    EXPECT_EQ(s.name, "Tribander");
    EXPECT_EQ(s.type, "Yagi neu");
    EXPECT_EQ(s.bandLines, (Lines{" 14,18 9,000   3", " 21,23 9,125   3"}));
    EXPECT_EQ(s.match, 1);
    EXPECT_EQ(s.gain, 9.125);
    EXPECT_EQ(s.gainText, "9,125");

    AntennaSelection none = cat.Select("Tribander", "Beams", BandCenter(12)); // 10m: no line
    EXPECT_EQ(none.index, 2);
    EXPECT_EQ(none.match, kNoMatchLine);
    EXPECT_EQ(none.gainText, "");
    EXPECT_EQ(none.bandLines.size(), 2u);

    AntennaSelection unknown = cat.Select("Quad", "Beams", 145);
    EXPECT_EQ(unknown.index, kNoAntenna);
    EXPECT_EQ(unknown.match, kNoMatchLine);
    EXPECT_TRUE(unknown.bandLines.empty());
}

// ---------------------------------------------------------------- files

TEST(CatalogueFile, ReadsWindows1252AndUtf8AndNumbersUserLinesFromOne)
{
    MessageRecorder rec;
    TAntennen cat(kFixtures + "/cat_main_cp1252.txt", kFixtures + "/cat_user_utf8.txt");
    EXPECT_EQ(cat.Namen(), (Lines{"Quad", "Dipol", "Zusatz", "Dipol"}));
    EXPECT_EQ(cat.Hersteller(), (Lines{"Fünfband", "Fritzel", "Fritzel", "FRITZEL"}));
    EXPECT_EQ(cat.Daten()[1].Gains, (Doubles{2.15})); // last line without line end
    EXPECT_EQ(cat.IndexOf("dipol", "Fritzel"), 3);
    ASSERT_EQ(rec.count(), 1u);
    EXPECT_EQ(rec.messages()[0].text, "In den Zeilen 3 gibt es Fehler in der Datei AntUser.txt!");
}

TEST(CatalogueFile, MissingMainFileIsReportedToTheCaller)
{
    MessageRecorder rec;
    TempDir dir;
    std::string path = dir.file("Antennen.txt");
    try {
        TAntennen cat(path, dir.file("AntUser.txt"));
        FAIL() << "no exception";
    } catch (const FileError &e) {
        EXPECT_EQ(std::string(e.what()), "Die Datei " + path + " konnte nicht gefunden werden.");
    }
    EXPECT_TRUE(rec.empty()); // the caller shows it
}

TEST(CatalogueFile, UserFileMissingIsEmptyButUnreadableIsReported)
{
    TempDir dir;
    std::string mainPath = dir.write("Antennen.txt", "[H]\r\nA,T,145,5,1,#\r\n");
    {
        MessageRecorder rec;
        TAntennen cat(mainPath, dir.file("AntUser.txt"));
        EXPECT_EQ(cat.Count(), 1);
        EXPECT_TRUE(rec.empty()) << rec.allTexts();
    }
    {
        MessageRecorder rec;
        TAntennen cat(mainPath, "");
        EXPECT_EQ(cat.Count(), 1);
        EXPECT_TRUE(rec.empty());
    }
    {
        fs::create_directory(dir.file("AntUser.txt"));
        MessageRecorder rec;
        TAntennen cat(mainPath, dir.file("AntUser.txt"));
        EXPECT_EQ(cat.Count(), 1);
        ASSERT_EQ(rec.count(), 1u);
        EXPECT_EQ(rec.messages()[0].kind, MessageKind::Warning);
        EXPECT_NE(rec.messages()[0].text.find("AntUser.txt"), std::string::npos);
        EXPECT_NE(rec.messages()[0].text.find("Die eigenen Antennen fehlen in der Liste."), std::string::npos);
    }
}

TEST(CatalogueFile, BadInputNeitherCrashesNorHangs)
{
    TempDir dir;
    struct Case {
        const char *what;
        std::string bytes;
        int entries;
    };
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "Antenne " + std::to_string(i) + ",Yagi,145,13,9,#\r\n";
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    for (const Case &c : std::vector<Case>{
             {"empty", "", 0},
             {"only line ends", "\r\n\n\r\r\n", 0},
             {"truncated", "[H]\r\nDipol,Halb", 1},
             {"1 MB line", "[H]\r\nA,T," + std::string(1 << 20, '9') + ",5,1,#\r\n", 1},
             {"1 MB of commas", "A," + std::string(1 << 20, ','), 1},
             {"100 000 lines", "[H]\r\n" + many, 100000},
             {"binary", binary, -1},
             {"NUL bytes", std::string("[H\0]\r\nA\0,T,1\0,2,3,#", 19), 1},
         }) {
        SCOPED_TRACE(c.what);
        std::string mainPath = dir.write("Antennen.txt", c.bytes);
        MessageRecorder rec;
        TAntennen cat(mainPath, "");
        if (c.entries >= 0) {
            EXPECT_EQ(cat.Count(), c.entries);
        }
        EXPECT_EQ(cat.Namen().size(), cat.Daten().size());
        for (const std::string &m : cat.Manufacturers()) {
            EXPECT_FALSE(cat.AntennasOf(m).empty());
        }
    }
}

// ---------------------------------------------------------------- the shipped catalogue

TEST(ShippedCatalogue, LoadsSilentlyAndIsUseful)
{
    MessageRecorder rec;
    TAntennen cat(kShipped + "/Antennen.txt", kShipped + "/AntUser.txt");
    EXPECT_TRUE(rec.empty()) << rec.allTexts();
    EXPECT_GE(cat.Count(), 40);
    EXPECT_GE(cat.Manufacturers().size(), 8u);
    for (int i = 0; i < cat.Count(); ++i) {
        const RData &d = cat.Daten()[static_cast<size_t>(i)];
        SCOPED_TRACE(cat.Hersteller()[static_cast<size_t>(i)] + " " + cat.Namen()[static_cast<size_t>(i)]);
        EXPECT_FALSE(d.Freqs.empty());
        EXPECT_EQ(d.Gains.size(), d.Freqs.size());
        EXPECT_EQ(d.Elements.size(), d.Freqs.size());
        EXPECT_EQ(cat.IndexOf(cat.Namen()[static_cast<size_t>(i)], cat.Hersteller()[static_cast<size_t>(i)]), i)
            << "name twice under one manufacturer";
        // Every line lies in reach of a band centre, so the band list finds it.
        for (double f : d.Freqs) {
            bool found = false;
            for (BandIndex b = 1; b <= kSelectableBands; ++b)
                found = found || MatchFrequencyLine(Doubles{f}, BandCenter(b)) == 0;
            EXPECT_TRUE(found) << f;
        }
        for (double g : d.Gains)
            EXPECT_TRUE(g > -30 && g < 45) << g;
    }
    // Every selectable band from LW to 3cm has at least one antenna.
    for (BandIndex b = 1; b <= kSelectableBands; ++b) {
        bool any = false;
        for (const RData &d : cat.Daten())
            any = any || MatchFrequencyLine(d, BandCenter(b)) >= 0;
        EXPECT_TRUE(any) << BandName(b);
    }
}

TEST(ShippedCatalogue, HoldsTheAntennasWithAngleFiles)
{
    MessageRecorder rec;
    TAntennen cat(kShipped + "/Antennen.txt", kShipped + "/AntUser.txt");
    struct Case {
        std::string manufacturer, name, type;
        Doubles freqs, gains;
        Lines elements;
    };
    for (const Case &c : std::vector<Case>{
             {"Drahtantennen", "Dipol 80m", "Halbwellendipol", {3.65}, {2.15}, {"1"}},
             {"Vertikale", "Groundplane 2m", "Lambda/4-Groundplane", {145}, {2.3}, {"1"}},
             {"Vertikale", "Duoband 260 cm", "Collinear 2m/70cm", {145, 435}, {4.7, 7.5}, {"2x5/8", "3x5/8"}},
             {"Yagis", "Yagi 2m 9 El.", "Yagi", {145}, {13.1}, {"9"}},
             {"Yagis", "HB9CV 6m", "Zwei Elemente phasengespeist", {50.5}, {6.7}, {"2"}},
             {"Yagis", "HB9CV 2m", "Zwei Elemente phasengespeist", {145}, {6.7}, {"2"}},
             {"Yagis", "HB9CV 70cm", "Zwei Elemente phasengespeist", {435}, {6.7}, {"2"}},
             {"Quads", "Quad 2 El. 20m", "Cubical Quad", {14.175}, {7.5}, {"2"}},
             {"Beams", "Tribander 3 El.", "Yagi", {14.175, 21.225, 28.85}, {8, 8.1, 8.2}, {"3", "3", "3"}},
             {"Beams", "Moxon 6m", "Moxon-Rechteck", {50.5}, {6.5}, {"2"}},
         }) {
        int i = cat.IndexOf(c.name, c.manufacturer);
        ASSERT_NE(i, kNoAntenna) << c.name;
        size_t k = static_cast<size_t>(i);
        EXPECT_EQ(cat.Namen()[k], c.name); // exact case, the angle file name depends on it
        EXPECT_EQ(cat.Hersteller()[k], c.manufacturer);
        EXPECT_EQ(cat.Typen()[k], c.type);
        EXPECT_EQ(cat.Daten()[k].Freqs, c.freqs);
        EXPECT_EQ(cat.Daten()[k].Gains, c.gains);
        EXPECT_EQ(cat.Daten()[k].Elements, c.elements);
    }
}

// Every angle file belongs to a catalogue entry: its name is manufacturer + " " + name.
TEST(ShippedCatalogue, EveryAngleFileNamesAnEntry)
{
    TAntennen cat(kShipped + "/Antennen.txt", kShipped + "/AntUser.txt");
    std::set<std::string> entries;
    for (int i = 0; i < cat.Count(); ++i)
        entries.insert(cat.Hersteller()[static_cast<size_t>(i)] + " " + cat.Namen()[static_cast<size_t>(i)]);
    int files = 0;
    for (const auto &entry : fs::directory_iterator(kShipped + "/ang")) {
        if (entry.path().extension() != ".ang")
            continue;
        ++files;
        EXPECT_TRUE(entries.count(entry.path().stem().string())) << entry.path().stem().string();
    }
    EXPECT_GE(files, 6);
}

// tools/Gewinnquellen.csv names the source of every catalogue gain; the catalogue never lies
// below its source, and the table holds no line the catalogue has lost.
TEST(ShippedCatalogue, EveryGainHasASource)
{
    TAntennen cat(kShipped + "/Antennen.txt", kShipped + "/AntUser.txt");
    const Lines rows = ReadTextLines(kShipped + "/../../tools/Gewinnquellen.csv");
    ASSERT_GT(rows.size(), 1u);
    using Key = std::tuple<std::string, std::string, double>; // manufacturer, name, MHz
    std::map<Key, std::pair<double, double>> sources;         // -> catalogue gain, source value
    for (size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].empty())
            continue;
        Lines f = SplitText(rows[r], ';');
        ASSERT_EQ(f.size(), 6u) << rows[r];
        ASSERT_FALSE(f[4].empty()) << rows[r];
        const Key key{f[0], f[1], TolerantToFloat(f[2])};
        EXPECT_EQ(sources.count(key), 0u) << "doppelt: " << rows[r];
        sources[key] = {TolerantToFloat(f[3]), TolerantToFloat(f[5])};
    }
    size_t lines = 0;
    for (int i = 0; i < cat.Count(); ++i) {
        const size_t k = static_cast<size_t>(i);
        if (cat.Hersteller()[k] == "Eigene Antennen")
            continue;
        const RData &d = cat.Daten()[k];
        for (size_t j = 0; j < d.Freqs.size(); ++j, ++lines) {
            SCOPED_TRACE(cat.Hersteller()[k] + " " + cat.Namen()[k] + " " + std::to_string(d.Freqs[j]));
            auto it = sources.find(Key{cat.Hersteller()[k], cat.Namen()[k], d.Freqs[j]});
            ASSERT_NE(it, sources.end()) << "keine Quelle";
            EXPECT_DOUBLE_EQ(it->second.first, d.Gains[j]);
            EXPECT_GE(d.Gains[j], it->second.second - 0.05);
        }
    }
    EXPECT_EQ(lines, sources.size());
}

TEST(ShippedCatalogue, IsWindows1252WithCrLf)
{
    for (const char *name : {"/Antennen.txt", "/AntUser.txt"}) {
        std::string bytes = ReadFileBytes(kShipped + name);
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " byte " << i;
            }
        }
    }
    std::string bytes = ReadFileBytes(kShipped + "/Antennen.txt");
    EXPECT_FALSE(IsValidUtf8(bytes)); // umlauts as single bytes
    EXPECT_NE(bytes.find("\xFC"), std::string::npos);
}
