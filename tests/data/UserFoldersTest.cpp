#include "data/UserFolders.h"
#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using Names = std::vector<std::string>;

TEST(UserFolders, BesideTheProgramOrInTheUsersFolders)
{
    FolderChoiceInput in;
    in.programDir = "/opt/feldora/bin";
    in.configHome = "/home/dl0xyz/.config";
    in.dataHome = "/home/dl0xyz/.local/share/";

    const FeldoraFolders beside = ChooseFolders(in, true);
    EXPECT_FALSE(beside.userFolders);
    EXPECT_EQ(beside.dataDir, "/opt/feldora/bin/");
    EXPECT_EQ(beside.settingsFile, "/opt/feldora/bin/Feldora.ini");
    EXPECT_EQ(beside.shippedDir, "");
    EXPECT_EQ(beside.documentDir, "");

    const FeldoraFolders installed = ChooseFolders(in, false);
    EXPECT_TRUE(installed.userFolders);
    EXPECT_EQ(installed.dataDir, "/home/dl0xyz/.local/share/Feldora/");
    EXPECT_EQ(installed.settingsFile, "/home/dl0xyz/.config/Feldora/Feldora.ini");
    EXPECT_EQ(installed.shippedDir, "/opt/feldora/share/feldora/");
    EXPECT_EQ(installed.documentDir, "/opt/feldora/share/doc/feldora/");
}

TEST(UserFolders, ProgramFolderNeedsCatalogueAndWriting)
{
    TempDir dir;
    EXPECT_FALSE(ProgramFolderUsable(dir.path()));
    WriteBytes(dir.file("Antennen.txt"), "[A]\r\n");
    EXPECT_TRUE(ProgramFolderUsable(dir.path()));
    if (::geteuid() != 0) { // root may write anywhere
        std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_FALSE(ProgramFolderUsable(dir.path()));
        std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
}

TEST(UserFolders, FirstStartCopiesOnlyMissingFiles)
{
    TempDir shipped, home;
    std::filesystem::create_directory(shipped.file("ang"));
    WriteBytes(shipped.file("Antennen.txt"), "[Hersteller]\r\nDipol,Draht,7.05,2.15,1,#\r\n");
    WriteBytes(shipped.file("AntUser.txt"), "[DL0XYZ]\r\n");
    WriteBytes(shipped.file("ang/Beams Moxon 6m.ang"), "Moxon\r\n");
    const std::string data = home.file("Feldora/");

    EXPECT_EQ(FillMissingFiles(shipped.path(), data), (Names{"AntUser.txt", "Antennen.txt", "ang/Beams Moxon 6m.ang"}));
    EXPECT_EQ(ReadFileBytes(data + "ang/Beams Moxon 6m.ang"), "Moxon\r\n");

    // The user's edits survive the next start; a deleted file comes back.
    WriteBytes(data + "AntUser.txt", "[DL0XYZ]\r\nEigene,Yagi,144,11.5,7,#\r\n");
    std::filesystem::remove(data + "Antennen.txt");
    EXPECT_EQ(FillMissingFiles(shipped.path(), data), (Names{"Antennen.txt"}));
    EXPECT_EQ(ReadFileBytes(data + "AntUser.txt"), "[DL0XYZ]\r\nEigene,Yagi,144,11.5,7,#\r\n");
    EXPECT_EQ(FillMissingFiles(shipped.path(), data), Names{});

    // Without installed copies the folders still exist, empty.
    TempDir bare;
    EXPECT_EQ(FillMissingFiles(bare.file("gibtsnicht"), bare.file("daten/")), Names{});
    EXPECT_TRUE(std::filesystem::is_directory(bare.file("daten/ang")));

    // A file in the place of the data folder: a German error naming it.
    WriteBytes(bare.file("blockiert"), "x");
    try {
        FillMissingFiles(shipped.path(), bare.file("blockiert/"));
        ADD_FAILURE() << "no error";
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find("blockiert"), std::string::npos) << e.what();
    }
}
