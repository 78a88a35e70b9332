#include "data/Settings.h"
#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <filesystem>
#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace
{

const std::string kFixtures = FELDORA_TEST_DATA;
const std::string kProgramDir = "/opt/feldora/";

Settings parse(const std::string &text)
{
    return ParseSettings(text, kProgramDir);
}

} // namespace

TEST(Settings, FirstStartWithoutFileUsesDefaultsAndWritesAllEightKeys)
{
    TempDir dir;
    std::string ini = SettingsFilePath(dir.path() + "/");
    EXPECT_EQ(ini, dir.path() + "/Feldora.ini");
    Settings s = ReadSettings(ini, kProgramDir);
    EXPECT_EQ(s, DefaultSettings(kProgramDir));
    EXPECT_EQ(s.left, 100);
    EXPECT_EQ(s.top, 100);
    EXPECT_FALSE(s.individualPaths);
    EXPECT_FALSE(s.autoload);

    FeldoraPaths p = DerivePaths(kProgramDir, s, "/home/dl1abc/Desktop/");
    EXPECT_EQ(p.programDir, "/opt/feldora/");
    EXPECT_EQ(p.settingsFile, "/opt/feldora/Feldora.ini");
    EXPECT_EQ(p.antennaFile, "/opt/feldora/Antennen.txt");
    EXPECT_EQ(p.userAntennaFile, "/opt/feldora/AntUser.txt");
    EXPECT_EQ(p.angleDir, "/opt/feldora/ang/");
    EXPECT_EQ(p.desktopDir, "/home/dl1abc/Desktop/");

    WriteSettings(ini, s);
    EXPECT_EQ(ReadFileBytes(ini), "[Fensterpositionen]\r\nLeft=100\r\nTop=100\r\n\r\n"
                                  "[Optionen]\r\nIndPfade=0\r\nAutoLoad=0\r\n\r\n"
                                  "[Dateinamen]\r\nAntennen=/opt/feldora/Antennen.txt\r\nAngDir=/opt/feldora/ang/\r\n"
                                  "LastSavedFileName=\r\nCADFileName=\r\n");
    EXPECT_EQ(ReadSettings(ini, kProgramDir), s);
}

TEST(Settings, HandEditedFileReadsWithoutRegardToCase)
{
    Settings s = ReadSettings(kFixtures + "/ini_hand_edited.ini", kProgramDir);
    EXPECT_EQ(s.left, 250);
    EXPECT_EQ(s.top, 100); // "abc"
    EXPECT_TRUE(s.individualPaths);
    EXPECT_TRUE(s.autoload); // the first of two entries counts
    EXPECT_EQ(s.antennen, "/srv/funk/kataloge/Antennen.txt");
    EXPECT_EQ(s.angDir, "/srv/funk/winkel");
    EXPECT_EQ(s.lastSavedFileName, "/home/dl1abc/Übung 2m ;alt.txt"); // " ;" is no comment here
    EXPECT_EQ(s.cadFileName, "");

    FeldoraPaths p = DerivePaths(kProgramDir, s, "/tmp/");
    EXPECT_EQ(p.antennaFile, "/srv/funk/kataloge/Antennen.txt");
    EXPECT_EQ(p.userAntennaFile, "/srv/funk/kataloge/AntUser.txt");
    EXPECT_EQ(p.angleDir, "/srv/funk/winkel/");
}

TEST(Settings, ForeignEntriesSurviveWritingBack)
{
    TempDir dir;
    std::string ini = dir.file("Feldora.ini");
    std::filesystem::copy_file(kFixtures + "/ini_hand_edited.ini", ini);
    Settings s = ReadSettings(ini, kProgramDir);
    s.left = 300;
    WriteSettings(ini, s);
    EXPECT_EQ(ReadFileBytes(ini), "Version=7\r\n\r\n"
                                  "[Fensterpositionen]\r\nLeft=300\r\nTop=100\r\nBreite=800\r\n\r\n"
                                  "[Optionen]\r\nIndPfade=1\r\nAutoLoad=1\r\n\r\n"
                                  "[Dateinamen]\r\nAntennen=/srv/funk/kataloge/Antennen.txt\r\n"
                                  "AngDir=/srv/funk/winkel\r\n"
                                  "LastSavedFileName=/home/dl1abc/\xDC"
                                  "bung 2m ;alt.txt\r\nCADFileName=\r\n\r\n"
                                  "[Fremd]\r\nFarbe=rot\r\nBreite=12\r\n");
    EXPECT_EQ(ReadSettings(ini, kProgramDir), s);
}

TEST(Settings, TheLastSiteIsWrittenOnceThereIsOne)
{
    Settings s = parse("[dateinamen]\nSTANDORT=/home/dl1abc/Garten.standort\nStandort=/tmp/zweiter.standort\n");
    EXPECT_EQ(s.siteFileName, "/home/dl1abc/Garten.standort"); // the first entry counts
    EXPECT_TRUE(s.foreign.empty());
    const Lines lines = SettingsLines(s);
    EXPECT_EQ(lines.back(), "Standort=/home/dl1abc/Garten.standort");
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    EXPECT_EQ(parse(text), s);
    s.siteFileName.clear();
    for (const std::string &line : SettingsLines(s))
        EXPECT_EQ(line.find("Standort"), std::string::npos) << line;
}

TEST(Settings, AutoloadInAnyCase)
{
    struct {
        const char *text;
        bool autoload;
    } cases[] = {
        {"[Optionen]\nAutoload=1", true},    {"[Optionen]\nAutoLoad=1", true},   {"[OPTIONEN]\nAUTOLOAD=1", true},
        {"[optionen]\naUtOlOaD = 1", true},  {"[Optionen]\nAutoload=-1", true},  {"[Optionen]\nAutoload=2", true},
        {"[Optionen]\nAutoload=0", false},   {"[Optionen]\nAutoload=ja", false}, {"[Optionen]\nAutoload=", false},
        {"[Optionen]\nAutoload=1,0", false}, {"[Andere]\nAutoload=1", false},    {"Autoload=1", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parse(c.text).autoload, c.autoload) << c.text;
}

TEST(Settings, WindowPositionFallsBackTo100)
{
    struct {
        const char *value;
        int left;
    } cases[] = {{"250", 250},  {" -20 ", -20}, {"+7", 7},    {"abc", 100},         {"", 100},
                 {"12.5", 100}, {"1e999", 100}, {"nan", 100}, {"99999999999", 100}, {"0x10", 100}};
    for (const auto &c : cases)
        EXPECT_EQ(parse(std::string("[Fensterpositionen]\r\nLeft=") + c.value).left, c.left) << c.value;
}

TEST(Settings, IndividualPathsPointTheUserCatalogueElsewhere)
{
    Settings s = parse("[Optionen]\nIndPfade=1\n[Dateinamen]\nAntennen=/home/dl1abc/kataloge/MeineAntennen.txt\n"
                       "AngDir=/home/dl1abc/winkel/\n");
    FeldoraPaths on = DerivePaths(kProgramDir, s, "/tmp/");
    EXPECT_EQ(on.antennaFile, "/home/dl1abc/kataloge/MeineAntennen.txt");
    EXPECT_EQ(on.userAntennaFile, "/home/dl1abc/kataloge/AntUser.txt");
    EXPECT_EQ(on.angleDir, "/home/dl1abc/winkel/");

    // Switched off, the same texts are ignored but kept for the file.
    s.individualPaths = false;
    FeldoraPaths off = DerivePaths(kProgramDir, s, "/tmp/");
    EXPECT_EQ(off.antennaFile, "/opt/feldora/Antennen.txt");
    EXPECT_EQ(off.userAntennaFile, "/opt/feldora/AntUser.txt");
    EXPECT_EQ(off.angleDir, "/opt/feldora/ang/");
    EXPECT_EQ(SettingsLines(s)[9], "Antennen=/home/dl1abc/kataloge/MeineAntennen.txt");
}

TEST(Settings, ValuesTheParserWouldMangleComeBackWhole)
{
    const std::string longPath = "/home/dl1abc/" + std::string(300, 'x') + "/DL1ABC 2m.txt";
    const std::string longSection = "Ein sehr langer Abschnittsname, den ein anderes Programm anlegte";
    Settings s = DefaultSettings(kProgramDir);
    s.lastSavedFileName = longPath;
    s.cadFileName = "/home/dl1abc/skript ;1.txt";
    s.foreign = {IniSection{longSection, {{"Schluessel ;x", "Wert ;y"}, {std::string(250, 'k'), "v"}}}};
    Lines lines = SettingsLines(s);
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    EXPECT_EQ(parse(text), s);

    // Indented lines are entries of their own, not continuations of the one above.
    Settings indented = parse("[Fensterpositionen]\n  Left=5\n    Top=7\n");
    EXPECT_EQ(indented.left, 5);
    EXPECT_EQ(indented.top, 7);
}

TEST(Settings, EncodingFollowsTheContent)
{
    TempDir dir;
    std::string ini = dir.file("Feldora.ini");
    Settings s = DefaultSettings(kProgramDir);
    s.lastSavedFileName = "/home/dl1abc/Übung.txt";
    WriteSettings(ini, s);
    EXPECT_NE(ReadFileBytes(ini).find("/home/dl1abc/\xDC"
                                      "bung.txt"),
              std::string::npos); // Windows-1252
    EXPECT_EQ(ReadSettings(ini, kProgramDir), s);

    s.lastSavedFileName = "/home/sp5abc/Łódź λ.txt"; // no single-byte form
    WriteSettings(ini, s);
    EXPECT_TRUE(IsValidUtf8(ReadFileBytes(ini)));
    EXPECT_EQ(ReadSettings(ini, kProgramDir), s);
}

TEST(Settings, LineBreakInAValueIsNotWritten)
{
    Settings s = DefaultSettings(kProgramDir);
    s.lastSavedFileName = "/tmp/a\nLeft=9999";
    Lines lines = SettingsLines(s);
    EXPECT_EQ(lines.size(), 13u);
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    Settings back = parse(text);
    EXPECT_EQ(back.left, 100);
    EXPECT_EQ(back.lastSavedFileName, "");
}

TEST(Settings, FailedWriteKeepsThePreviousFile)
{
    TempDir dir;
    std::string ini = dir.file("Feldora.ini");
    WriteSettings(ini, DefaultSettings(kProgramDir));
    const std::string before = ReadFileBytes(ini);
    Settings changed = DefaultSettings(kProgramDir);
    changed.left = 5;
    {
        WriteLimit limit(32);
        EXPECT_THROW(WriteSettings(ini, changed), FileError);
    }
    EXPECT_EQ(ReadFileBytes(ini), before);
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(Settings, HostileFilesGiveDefaults)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    std::string many = "[Fensterpositionen]\n";
    for (int i = 0; i < 100000; ++i)
        many += "Top=" + std::to_string(i) + "\n";
    struct {
        const char *name;
        std::string text;
        int top;
    } cases[] = {
        {"empty", "", 100},
        {"binary garbage", garbage, 100},
        {"1 MB line", "[Fensterpositionen]\nTop=" + std::string(1 << 20, '7') + "\n", 100},
        {"1 MB section name", "[" + std::string(1 << 20, 'S') + "]\nTop=3\n", 100},
        {"100000 lines", many, 0},
        {"1e999", "[Fensterpositionen]\nTop=1e999", 100},
        {"nan", "[Fensterpositionen]\nTop=nan", 100},
        {"NUL inside", "[Fensterpositionen]\nTop=4" + std::string(1, '\0') + "5\n", 4},
        {"unclosed section", "[Fensterpositionen\nTop=4\n", 100},
        {"placeholder look-alike",
         "[Fensterpositionen]\nTop=\xFF"
         "0\xFF\n",
         100},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parse(c.text).top, c.top) << c.name;
}

TEST(Settings, ProgramAndDesktopFolders)
{
    EXPECT_EQ(ProgramDirectoryOf("/opt/feldora/feldora"), "/opt/feldora/");
    EXPECT_EQ(ProgramDirectoryOf("feldora"), "./");
    EXPECT_EQ(DirectoryPart("/a/b.txt"), "/a/");
    EXPECT_EQ(DirectoryPart("b.txt"), "");
    EXPECT_EQ(ProgramDirectory().back(), '/');

    TempDir home;
    EXPECT_EQ(DesktopFolderFor("/mnt/c/Users/dl1abc", home.path()), "/mnt/c/Users/dl1abc/DeskTop/");
    EXPECT_EQ(DesktopFolderFor("", home.path()), home.path() + "/");
    std::filesystem::create_directory(home.file("Schreibtisch"));
    EXPECT_EQ(DesktopFolderFor("", home.path()), home.path() + "/Schreibtisch/");
    std::filesystem::create_directory(home.file("Desktop"));
    EXPECT_EQ(DesktopFolderFor("", home.path() + "/"), home.path() + "/Desktop/");
    EXPECT_EQ(DesktopFolderFor("", ""), "./");
}
