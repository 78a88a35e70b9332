#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <filesystem>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;


TEST(TextEncoding, DecodesWindows1252AndUtf8)
{
    EXPECT_EQ(DecodeText("H\xF6" "he \x80"), "Höhe €");       // Windows-1252
    EXPECT_EQ(DecodeText("Höhe €"), "Höhe €");              // already UTF-8
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" "abc"), "abc");     // BOM dropped
    EXPECT_EQ(DecodeText("a\x81z"), "a\xC2\x81z");          // undefined byte kept as Latin-1
    EXPECT_EQ(EncodeWindows1252("Höhe € ß"), "H\xF6" "he \x80 \xDF");
    EXPECT_EQ(EncodeWindows1252("日x"), "?x");
}

TEST(TextEncoding, Utf8Validation)
{
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Ä€𝄞"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));          // truncated
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF6" "he"));
}

TEST(TextLines, AnyLineEndAndNoPhantomLastLine)
{
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(TextFiles, WriteIsWindows1252WithCrLfAndReadsBack)
{
    TempDir dir;
    std::string path = dir.file("x.txt");
    WriteTextLines(path, {"Höhe", "", "Maß"});
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "H\xF6" "he\r\n\r\nMa\xDF\r\n");
    EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"Höhe", "", "Maß"}));
}

TEST(TextFiles, FailedSaveKeepsThePreviousFile)
{
    TempDir dir;
    std::string path = dir.file("keep.txt");
    WriteBytes(path, "old\r\n");
    {
        WriteLimit limit(4); // the disk is full after four bytes
        EXPECT_THROW(WriteTextLines(path, {"a much longer new content"}), FileError);
    }
    EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"old"}));
    EXPECT_EQ(dir.entryCount(), 1); // no temporary file left behind
}

TEST(TextFiles, SaveIntoMissingFolderFailsWithGermanMessage)
{
    TempDir dir;
    try {
        WriteTextLines(dir.file("nope/x.txt"), {"a"});
        FAIL() << "no error";
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find("konnte nicht gespeichert werden"), std::string::npos) << e.what();
    }
}

TEST(TextFiles, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile)
{
    TempDir dir;
    std::string path = dir.file("p.txt");
    WriteBytes(path, "x");
    chmod(path.c_str(), 0600);
    WriteTextLines(path, {"y"});
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(TextFiles, MissingFileIsAGermanError)
{
    try {
        ReadTextLines("/nonexistent/feldora.txt");
        FAIL() << "no error";
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find("kann nicht geöffnet werden"), std::string::npos) << e.what();
    }
}

TEST(TextFiles, EveryReasonIsGerman)
{
    const std::pair<int, const char *> cases[] = {
        {ENOENT, "Datei oder Ordner nicht vorhanden"},   {EISDIR, "der Name gehört zu einem Ordner"},
        {ENOSPC, "kein Platz mehr auf dem Datenträger"}, {EACCES, "keine Berechtigung"},
        {EROFS, "der Datenträger ist schreibgeschützt"}, {ENOTDIR, "ein Teil des Pfades ist kein Ordner"},
        {EOVERFLOW, "Systemfehler Nr. 75"}, // one without a text of its own
    };
    for (const auto &[error, reason] : cases) {
        EXPECT_EQ(FileErrorReason(error), reason) << error;
        EXPECT_NE(FileErrorReason(error), std::strerror(error)) << error;
    }
}

TEST(TextFiles, FailedSavesNameTheirReasonInGerman)
{
    struct Case {
        const char *name;
        const char *target; // in the scratch folder
        void (*prepare)(const TempDir &);
        const char *reason;
        bool keepsOld; // "Die bisherige Datei bleibt unverändert." only when there was one
    };
    const Case cases[] = {
        {"missing folder", "fehlt/x.txt", [](const TempDir &) {}, "(Anlegen: Datei oder Ordner nicht vorhanden).",
         false},
        {"folder name", "ordner", [](const TempDir &d) { fs::create_directory(d.file("ordner")); },
         "(Anlegen: der Name gehört zu einem Ordner).", false},
        {"read-only file", "ro.txt",
         [](const TempDir &d) {
             WriteBytes(d.file("ro.txt"), "alt");
             chmod(d.file("ro.txt").c_str(), 0444);
         },
         "(die Datei ist schreibgeschützt).", true},
        {"path through a file", "datei/x.txt", [](const TempDir &d) { WriteBytes(d.file("datei"), "x"); },
         "(Anlegen: ein Teil des Pfades ist kein Ordner).", false},
    };
    for (const Case &c : cases) {
        TempDir dir;
        c.prepare(dir);
        try {
            WriteFileAtomic(dir.file(c.target), "neu");
            ADD_FAILURE() << c.name << ": no error";
        } catch (const FileError &e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.reason), std::string::npos) << c.name << ": " << message;
            EXPECT_EQ(message.find("bleibt unverändert") != std::string::npos, c.keepsOld) << c.name << ": " << message;
        }
    }
    TempDir dir;
    WriteBytes(dir.file("ro.txt"), "alt");
    chmod(dir.file("ro.txt").c_str(), 0444);
    EXPECT_THROW(WriteFileAtomic(dir.file("ro.txt"), "neu"), FileError);
    EXPECT_EQ(ReadFileBytes(dir.file("ro.txt")), "alt");
}

TEST(TextFiles, WritesThroughASymbolicLink)
{
    TempDir dir;
    fs::create_directory(dir.file("elsewhere"));
    WriteBytes(dir.file("elsewhere/AntUser.txt"), "alt\r\n");
    fs::create_directory(dir.file("data"));
    fs::create_symlink("../elsewhere/AntUser.txt", dir.file("data/AntUser.txt"));
    fs::create_symlink("AntUser.txt", dir.file("data/chain.txt")); // a link to the link
    WriteTextLines(dir.file("data/AntUser.txt"), {"neu"});
    EXPECT_TRUE(fs::is_symlink(dir.file("data/AntUser.txt")));
    EXPECT_EQ(ReadFileBytes(dir.file("elsewhere/AntUser.txt")), "neu\r\n");
    WriteTextLines(dir.file("data/chain.txt"), {"zwei"});
    EXPECT_TRUE(fs::is_symlink(dir.file("data/chain.txt")));
    EXPECT_EQ(ReadFileBytes(dir.file("elsewhere/AntUser.txt")), "zwei\r\n");
    // The temporary file lies beside the target, so the rename stays on its file system.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("elsewhere")), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("data")), fs::directory_iterator()), 2);

    // A link whose target does not exist yet: the file appears there.
    fs::create_symlink(dir.file("elsewhere/neu.txt"), dir.file("data/dangling.txt"));
    WriteTextLines(dir.file("data/dangling.txt"), {"x"});
    EXPECT_TRUE(fs::is_symlink(dir.file("data/dangling.txt")));
    EXPECT_EQ(ReadFileBytes(dir.file("elsewhere/neu.txt")), "x\r\n");
}
