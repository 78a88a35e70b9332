#pragma once

// Feldora.ini next to the program: window position, the two file-menu options and the file
// names kept between runs, and the paths that follow from them. Classic INI: section and key
// names are compared without regard to case; a missing file, key or unreadable number gives
// the default. Writing keeps sections and keys of other programs or versions, though not
// comments or empty sections.

#include <string>
#include <utility>
#include <vector>

inline constexpr const char *kProgramTitle = "Feldora";
inline constexpr const char *kVersionText = "v " FELDORA_VERSION; // FELDORA_VERSION comes from CMake

// Entries of the file that Feldora does not use, kept for writing back.
struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries; // key, value in file order

    bool operator==(const IniSection &) const = default;
};

struct Settings {
    int left = 100;                // [Fensterpositionen] Left
    int top = 100;                 // [Fensterpositionen] Top
    bool individualPaths = false;  // [Optionen] IndPfade
    bool autoload = false;         // [Optionen] Autoload
    std::string antennen;          // [Dateinamen] Antennen: antenna file with individual paths
    std::string angDir;            // [Dateinamen] AngDir: angle directory with individual paths
    std::string lastSavedFileName; // [Dateinamen] LastSavedFileName, empty = none
    std::string cadFileName;       // [Dateinamen] CADFileName, side view overlay script
    std::string siteFileName;      // [Dateinamen] Standort: the site window's last site, empty = none
    std::vector<IniSection> foreign;

    bool operator==(const Settings &) const = default;
};

// programDir always ends with the directory separator.
std::string SettingsFilePath(const std::string &programDir); // programDir + "Feldora.ini"
Settings DefaultSettings(const std::string &programDir);

// The file's text (Windows-1252 or UTF-8 bytes) read over the defaults.
Settings ParseSettings(const std::string &bytes, const std::string &programDir);
// FormCreate: a missing or unreadable file gives the defaults.
Settings ReadSettings(const std::string &path, const std::string &programDir);

// FormClose: all eight keys (and Standort once a site was opened), then whatever else the file held. A value with a line break
// cannot be kept in an INI line and is written empty.
std::vector<std::string> SettingsLines(const Settings &settings);
// Atomic; Windows-1252 unless a value needs characters it lacks, then UTF-8 (read back either
// way). Throws FileError, leaving the previous file.
void WriteSettings(const std::string &path, const Settings &settings);

struct FeldoraPaths {
    std::string programDir; // with trailing separator
    std::string settingsFile;
    std::string antennaFile;     // Antennen.txt
    std::string userAntennaFile; // AntUser.txt beside the antenna file
    std::string angleDir;        // with trailing separator
    std::string desktopDir;      // default place of exports, with trailing separator
};

// The paths of FormCreate: with individual paths the file's Antennen and AngDir (a missing
// final separator of AngDir is added), otherwise the files next to the program.
FeldoraPaths DerivePaths(const std::string &programDir, const Settings &settings, const std::string &desktopDir);

std::string DirectoryPart(const std::string &path); // up to and including the last '/'; "" if none
std::string ProgramDirectoryOf(const std::string &programFile);
std::string ProgramDirectory(); // of the running program, from /proc/self/exe; "./" if unknown

// USERPROFILE + "/DeskTop/" where that variable is set; else $HOME/Desktop/ or
// $HOME/Schreibtisch/ if present, else $HOME/; "./" without a home.
std::string DesktopFolderFor(const std::string &userProfile, const std::string &home);
std::string DesktopFolder(); // from the environment
