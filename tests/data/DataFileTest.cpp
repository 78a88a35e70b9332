#include "MessageRecorder.h"
#include "data/DataFile.h"
#include "util/TextFile.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace {
TDataFile withLines(Lines lines)
{
    TDataFile f("unused.txt");
    f.SetLines(std::move(lines));
    return f;
}
} // namespace

TEST(DataFile, AddLineGoesToTheEndOfItsSection)
{
    TDataFile f = withLines({"[A]", "x", "[B]"});
    EXPECT_EQ(f.LineCount("B"), 0);
    f.AddLine("A", "y");
    EXPECT_EQ(f.Lines(), (Lines{"[A]", "x", "y", "[B]"}));
    f.AddLine("B", "z");
    EXPECT_EQ(f.Lines(), (Lines{"[A]", "x", "y", "[B]", "z"}));
    EXPECT_EQ(f.LineCount("B"), 1);
    EXPECT_EQ(f.FirstLine("A"), 1);
    EXPECT_EQ(f.LastLine("A"), 2);
}

TEST(DataFile, EmptySectionsBlankLinesAndMissingSections)
{
    TDataFile f = withLines({"pre", "[A]", "[B]", "b1", "", "[C]"});
    f.AddLine("A", "a1"); // directly after its header
    EXPECT_EQ(f.Lines(), (Lines{"pre", "[A]", "a1", "[B]", "b1", "", "[C]"}));
    f.AddLine("B", "b2"); // after the blank line, which belongs to B
    EXPECT_EQ(f.Lines()[6], "b2");
    f.AddLine("Nope", "n"); // no such section: end of file
    EXPECT_EQ(f.Lines().back(), "n");
    EXPECT_EQ(f.LineCount("Nope"), 0);
}

TEST(DataFile, HeadersAndNavigation)
{
    TDataFile f = withLines({"[", "(mixed]", "{A}", "x", "[A]", "y", "[B]"});
    EXPECT_FALSE(TDataFile::IsHeader("["));
    EXPECT_EQ(f.SectionNames(), (Lines{"mixed", "A", "A", "B"}));
    EXPECT_EQ(f.SectionCount(), 4);
    EXPECT_EQ(f.HeaderLine("A"), 4);   // the later one
    EXPECT_EQ(f.SectionIndex("A"), 1); // the earlier one
    EXPECT_EQ(f.SectionNameAt(3), "B");
    EXPECT_EQ(f.SectionNameAt(4), "");
    EXPECT_EQ(f.SectionNameAt(-1), "");
    EXPECT_EQ(f.PreviousSection("A"), "mixed");
    EXPECT_EQ(f.PreviousSection("mixed"), "");
    EXPECT_EQ(f.NextSection("B"), "");
    EXPECT_EQ(f.NextSection("X"), "");
    EXPECT_FALSE(f.SectionExists("a")); // case-sensitive
}

TEST(DataFile, AddSectionOnlyWhenNew)
{
    TDataFile f = withLines({"[A]"});
    f.AddSection("A");
    EXPECT_EQ(f.Lines(), (Lines{"[A]"}));
    f.AddSection("Eigene");
    EXPECT_EQ(f.Lines(), (Lines{"[A]", "[Eigene]"}));
}

TEST(DataFile, LoadSaveRoundTripAndNumberedView)
{
    std::string path = (std::filesystem::temp_directory_path() / "feldora-datafile-test.txt").string();
    WriteTextLines(path, {"[Eigene]", "Ant;1,5"});
    TDataFile f(path);
    f.Load();
    f.AddLine("Eigene", "Höhe;2");
    {
        MessageRecorder recorder;
        f.ShowNumbered();
        ASSERT_EQ(recorder.count(), 1u);
        EXPECT_EQ(recorder.messages()[0].text, "Zeile 0;[Eigene]\r\nZeile 1;Ant;1,5\r\nZeile 2;Höhe;2\r\n");
    }
    f.SaveAndClose();
    EXPECT_TRUE(f.Lines().empty());
    EXPECT_EQ(ReadTextLines(path), (Lines{"[Eigene]", "Ant;1,5", "Höhe;2"}));
    std::filesystem::remove(path);

    TDataFile missing("/nonexistent/AntUser.txt");
    EXPECT_THROW(missing.Load(), FileError);
}
