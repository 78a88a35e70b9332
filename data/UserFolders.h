#pragma once

// Where Feldora keeps its files. Run from its build folder (Antennen.txt beside the program,
// the folder writable) everything stays there, Feldora.ini included. Installed, the program's
// folder holds no catalogue: settings go to the user's configuration folder
// (Feldora/Feldora.ini), catalogues and angle files to the user's data folder (Feldora/),
// filled at the first start from the installed copies; a file the user has is never replaced.

#include <string>
#include <vector>

struct FolderChoiceInput {
    std::string programDir; // folder of the program file
    std::string configHome; // the user's configuration folder (XDG_CONFIG_HOME, ~/.config)
    std::string dataHome;   // the user's data folder (XDG_DATA_HOME, ~/.local/share)
    std::string shippedRelative = "../share/feldora";  // installed copies, seen from programDir
    std::string documentRelative = "../share/doc/feldora"; // installed manual, seen from programDir
};

struct FeldoraFolders {
    bool userFolders = false; // installed layout
    std::string dataDir;      // catalogues, ang/, documents: the "program directory" of the paths
    std::string settingsFile; // Feldora.ini
    std::string shippedDir;   // installed copies; empty beside the program
    std::string documentDir;  // installed documents; empty beside the program
};

// Antennen.txt in the folder and the folder writable by this user.
bool ProgramFolderUsable(const std::string &programDir);

// Every folder ends with '/'.
FeldoraFolders ChooseFolders(const FolderChoiceInput &in, bool programFolderUsable);

// Copies each file below shippedDir that is missing below dataDir (subfolders included, ang/
// is created even when empty) and returns the copied names relative to dataDir. A missing
// shippedDir copies nothing. Throws FileError naming the file that failed.
std::vector<std::string> FillMissingFiles(const std::string &shippedDir, const std::string &dataDir);
