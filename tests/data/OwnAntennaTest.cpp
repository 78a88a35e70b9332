#include "data/AntennenLib.h"
#include "data/OwnAntenna.h"
#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace
{

OwnAntenna withLines(std::vector<OwnAntennaLine> lines, const std::string &name = "MyAnt")
{
    OwnAntenna a;
    a.name = name;
    a.category = "DL1ABC";
    a.lines = std::move(lines);
    return a;
}

} // namespace

TEST(OwnAntenna, CatalogueLineAndMemo)
{
    EXPECT_EQ(OwnAntennaCatalogueLine(withLines({MakeOwnAntennaLine("10", "3", "1")})), "MyAnt,MyAntTyp,10,3,1,#");
    EXPECT_EQ(OwnAntennaCatalogueLine(withLines({})), "MyAnt,MyAntTyp,#");

    std::vector<OwnAntennaLine> two = {MakeOwnAntennaLine("144", "12.5", "9"), MakeOwnAntennaLine("432", "15.2", "19")};
    EXPECT_EQ(OwnAntennaCatalogueLine(withLines(two)), "MyAnt,MyAntTyp,144,12.5,9,432,15.2,19,#");
    EXPECT_EQ(OwnAntennaMemoLines(two), (Lines{"f[MHz] G[dBi] #Elem.", "  144  12.5     9", "  432  15.2    19"}));
    EXPECT_EQ(OwnAntennaMemoLines({}), (Lines{"f[MHz] G[dBi] #Elem."}));
    EXPECT_EQ(OwnAntennaMemoLines({MakeOwnAntennaLine("1296.25", "", "")}),
              (Lines{"f[MHz] G[dBi] #Elem.", "1296.25" + std::string(12, ' ')})); // wider texts push the rest right
}

TEST(OwnAntenna, NoCommaShiftsTheFieldsOfTheCatalogueLine)
{
    struct {
        const char *frequency, *gain, *elements;
        OwnAntennaLine kept;
    } cases[] = {
        {"144", "12,5", "9", {"144", "12.5", "9"}},
        {"144,3", "12.5", "9", {"144.3", "12.5", "9"}},
        {"", "", "", {"", "", ""}},
        {"zehn", "drei", "1,5", {"zehn", "drei", "1.5"}}, // not numbers: kept, reported when the catalogue loads
    };
    for (const auto &c : cases)
        EXPECT_EQ(MakeOwnAntennaLine(c.frequency, c.gain, c.elements), c.kept) << c.frequency << " " << c.gain;
    EXPECT_EQ(OwnAntennaCatalogueLine(withLines({MakeOwnAntennaLine("144", "12,5", "9")})),
              "MyAnt,MyAntTyp,144,12.5,9,#");
    OwnAntenna named = withLines({MakeOwnAntennaLine("144", "12", "9")}, "HB9CV, 2m");
    named.type = "Yagi,kurz";
    EXPECT_EQ(OwnAntennaCatalogueLine(named), "HB9CV; 2m,Yagi;kurz,144,12,9,#");
}

TEST(OwnAntenna, FilingPutsTheLineLastInItsCategory)
{
    const Lines catalogue = {"[Fritzel]",  "FD4,Dipol,7.05,2.15,1,#", "[DL1ABC]", "Alt,Yagi,144,10,5,#", "[Zeta]",
                             "Z,Z,1,1,1,#"};
    struct Saving {
        std::string category, name;
    };
    struct {
        const char *name;
        Lines before;
        std::vector<Saving> savings;
        Lines after;
    } cases[] = {
        {"same category twice",
         catalogue,
         {{"DL1ABC", "Erste"}, {"DL1ABC", "Zweite"}},
         {"[Fritzel]", "FD4,Dipol,7.05,2.15,1,#", "[DL1ABC]", "Alt,Yagi,144,10,5,#", "Erste,MyAntTyp,#",
          "Zweite,MyAntTyp,#", "[Zeta]", "Z,Z,1,1,1,#"}},
        {"new category at the end",
         catalogue,
         {{"DK0XX", "Neu"}},
         {"[Fritzel]", "FD4,Dipol,7.05,2.15,1,#", "[DL1ABC]", "Alt,Yagi,144,10,5,#", "[Zeta]", "Z,Z,1,1,1,#", "[DK0XX]",
          "Neu,MyAntTyp,#"}},
        {"last section",
         catalogue,
         {{"Zeta", "Z2"}},
         {"[Fritzel]", "FD4,Dipol,7.05,2.15,1,#", "[DL1ABC]", "Alt,Yagi,144,10,5,#", "[Zeta]", "Z,Z,1,1,1,#",
          "Z2,MyAntTyp,#"}},
        {"names compared exactly",
         catalogue,
         {{"dl1abc", "Klein"}},
         {"[Fritzel]", "FD4,Dipol,7.05,2.15,1,#", "[DL1ABC]", "Alt,Yagi,144,10,5,#", "[Zeta]", "Z,Z,1,1,1,#",
          "[dl1abc]", "Klein,MyAntTyp,#"}},
        {"empty section", {"[DL1ABC]", "[Zeta]"}, {{"DL1ABC", "A"}}, {"[DL1ABC]", "A,MyAntTyp,#", "[Zeta]"}},
        {"empty file", {}, {{"DL1ABC", "A"}}, {"[DL1ABC]", "A,MyAntTyp,#"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string path = dir.file("AntUser.txt");
        WriteTextLines(path, c.before);
        for (const Saving &s : c.savings) {
            OwnAntenna a = withLines({}, s.name);
            a.category = s.category;
            FileOwnAntenna(path, a);
        }
        EXPECT_EQ(ReadTextLines(path), c.after);
    }
}

TEST(OwnAntenna, MissingUserCatalogueIsCreated)
{
    TempDir dir;
    std::string path = dir.file("AntUser.txt");
    OwnAntenna a = withLines({MakeOwnAntennaLine("10", "3", "1")});
    a.category = "Öffentlich";
    FileOwnAntenna(path, a);
    EXPECT_EQ(ReadFileBytes(path), "[\xD6"
                                   "ffentlich]\r\nMyAnt,MyAntTyp,10,3,1,#\r\n");
}

TEST(OwnAntenna, FailedWriteKeepsTheCatalogue)
{
    TempDir dir;
    std::string path = dir.file("AntUser.txt");
    WriteTextLines(path, {"[DL1ABC]", std::string(200, 'x') + ",Yagi,144,10,5,#"});
    const std::string before = ReadFileBytes(path);
    {
        WriteLimit limit(64);
        EXPECT_THROW(FileOwnAntenna(path, withLines({})), FileError);
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(dir.entryCount(), 1);

    // A folder in the catalogue's place is not replaced.
    TempDir other;
    std::filesystem::create_directory(other.file("AntUser.txt"));
    EXPECT_THROW(FileOwnAntenna(other.file("AntUser.txt"), withLines({})), FileError);
}

TEST(OwnAntenna, LineBreaksCannotSplitTheCatalogueLine)
{
    TempDir dir;
    std::string path = dir.file("AntUser.txt");
    OwnAntenna a = withLines({MakeOwnAntennaLine("10", "3", "1")}, "My\r\nAnt");
    a.category = "DL\n1ABC";
    FileOwnAntenna(path, a);
    EXPECT_EQ(ReadTextLines(path), (Lines{"[DL 1ABC]", "My  Ant,MyAntTyp,10,3,1,#"}));
}

// What is filed reads back without a report; what the reader would report is refused.
TEST(OwnAntenna, FilesOnlyWhatTheReaderTakes)
{
    TempDir dir;
    const std::string path = dir.file("AntUser.txt");
    OwnAntenna sound;
    sound.category = "DK9ZZ";
    sound.lines = {MakeOwnAntennaLine("144", "11,5", "7"), MakeOwnAntennaLine("0.003", "-1000", ""),
                   MakeOwnAntennaLine("300000", "1000", "x")};
    EXPECT_EQ(OwnAntennaRefusal(sound), std::nullopt);
    FileOwnAntenna(path, sound);
    const TAntennen catalogue = TAntennen::FromLines({}, ReadTextLines(path));
    EXPECT_TRUE(catalogue.UserErrorLines().empty());
    ASSERT_EQ(catalogue.Count(), 1);
    EXPECT_EQ(catalogue.Daten()[0].Freqs.size(), 3u);

    struct Case {
        const char *name;
        OwnAntenna antenna;
        const char *field;
    };
    const Case cases[] = {
        {"frequency abc", {"A", "T", "DK9ZZ", {MakeOwnAntennaLine("abc", "3", "1")}}, "Frequenz [MHz]"},
        {"frequency beyond the range", {"A", "T", "DK9ZZ", {MakeOwnAntennaLine("300001", "3", "1")}}, "Frequenz [MHz]"},
        {"empty gain in the second line",
         {"A", "T", "DK9ZZ", {MakeOwnAntennaLine("144", "3", "1"), MakeOwnAntennaLine("432", "", "1")}},
         "Gewinn [dBi]"},
        {"name read as a section", {"[A", "T", "DK9ZZ", {}}, "Name der Antenne"},
    };
    const std::string before = ReadFileBytes(path);
    for (const Case &c : cases) {
        const auto refusal = OwnAntennaRefusal(c.antenna);
        ASSERT_TRUE(refusal.has_value()) << c.name;
        EXPECT_NE(refusal->find(c.field), std::string::npos) << c.name << ": " << *refusal;
        EXPECT_THROW(FileOwnAntenna(path, c.antenna), FileError) << c.name;
        EXPECT_EQ(ReadFileBytes(path), before) << c.name;
    }
}
