#include "MessageRecorder.h"
#include "util/TextRoutines.h"

#include <gtest/gtest.h>

using Parts = std::vector<std::string>;

TEST(SplitText, PartsBetweenSeparators)
{
    struct {
        const char *text;
        Parts parts;
    } cases[] = {
        {"a;b;", {"a", "b", ""}},
        {";", {"", ""}},
        {"abc", {"abc"}},
        {"", {}},
        {";;x", {"", "", "x"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SplitText(c.text, ';'), c.parts) << "'" << c.text << "'";
}

TEST(FilterCol, ColumnsAndTheEmptyText)
{
    MessageRecorder recorder;
    EXPECT_EQ(filterCol("a;b", 1, ';'), "b");
    EXPECT_EQ(filterCol("a;b", 5, ';'), "");
    EXPECT_TRUE(recorder.empty()) << "a missing column is silent";
    EXPECT_EQ(filterCol("", 0, ';'), "");
    ASSERT_EQ(recorder.count(), 1u);
    EXPECT_EQ(recorder.messages()[0].kind, MessageKind::Warning);
    EXPECT_EQ(recorder.messages()[0].text, "filterCol: Leerer String!");
}

TEST(CharacterRoutines, CountCharactersNotBytes)
{
    EXPECT_EQ(CharCount("Höhe"), 4);
    EXPECT_EQ(HeadChars("Höhe", 2), "Hö");
    EXPECT_EQ(HeadChars("ab", 5), "ab");
    EXPECT_EQ(TailChars("Maße", 2), "ße");
    EXPECT_EQ(TailChars("ab", 5), "ab");
    EXPECT_EQ(DropHead("Höhe [m]:  12", 10), " 12");
    EXPECT_EQ(DropTail("3,00 dB", 3), "3,00");
    EXPECT_EQ(DropTail("dB", 3), "");
    EXPECT_EQ(PadLeft("7", 3, '0'), "007");
    EXPECT_EQ(PadLeft("Ä", 3), "  Ä");
    EXPECT_EQ(PadLeft("long", 2), "long");
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(-2), "");
    EXPECT_EQ(LastCharPos("äb;c;d", ';'), 5);
    EXPECT_EQ(LastCharPos("abc", ';'), -1);
}

TEST(CharacterRoutines, QuotesEnclosingAndCase)
{
    EXPECT_EQ(RemoveQuotes("\"Fritzel\" FD4"), "Fritzel FD4");
    EXPECT_EQ(RemoveChar("a-b-c", '-'), "abc");
    EXPECT_TRUE(IsEmptyText(""));
    EXPECT_FALSE(IsEmptyText(" "));
    const std::string brackets = "()[]{}";
    EXPECT_EQ(StripEnclosing("[Cushcraft]", brackets), "Cushcraft");
    EXPECT_EQ(StripEnclosing("[mixed)", brackets), "mixed");
    EXPECT_EQ(StripEnclosing("[", brackets), "[");
    EXPECT_EQ(StripEnclosing("[]", brackets), "");
    EXPECT_EQ(StripEnclosing("[Ä", brackets), "[Ä");
    EXPECT_TRUE(EqualsIgnoreCase("bnetza", "BNetzA"));
    EXPECT_TRUE(EqualsIgnoreCase("ÄRGER", "ärger"));
    EXPECT_FALSE(EqualsIgnoreCase("DKE", "DKEx"));
    EXPECT_EQ(Trim(" \tab \r\n"), "ab");
}

TEST(CharacterRoutines, OneLineAndFolderSlash)
{
    EXPECT_EQ(OneLine("a\r\nb\nc\rd"), "a  b c d");
    EXPECT_EQ(OneLine("Höhe"), "Höhe");
    EXPECT_EQ(WithSlash("/opt/feldora"), "/opt/feldora/");
    EXPECT_EQ(WithSlash("/opt/feldora/"), "/opt/feldora/");
    EXPECT_EQ(WithSlash(""), "");
}
