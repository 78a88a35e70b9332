#pragma once

// What the own-antenna dialog files into AntUser.txt: one catalogue line under the section of
// its category. The dialog window only collects the texts.

#include <optional>
#include <string>
#include <vector>

struct OwnAntennaLine {
    std::string frequency; // MHz, decimal point
    std::string gain;      // dBi, decimal point
    std::string elements;  // free text, as a rule the number of elements

    bool operator==(const OwnAntennaLine &) const = default;
};

struct OwnAntenna {
    std::string name = "MyAnt";    // EditName
    std::string type = "MyAntTyp"; // EditAntTyp
    std::string category;          // EditKategorie: the manufacturer it is listed under
    std::vector<OwnAntennaLine> lines;
};

// ButAddFrequenzClick: the line as it is kept. The catalogue separates fields by commas and
// reads numbers with a point, so a comma in frequency, gain or elements becomes a point
// ("12,5" is 12.5, not two fields that shift the rest of the line). Otherwise as typed.
OwnAntennaLine MakeOwnAntennaLine(const std::string &frequency, const std::string &gain, const std::string &elements);

// Why the catalogue reader would report this frequency line, naming the dialog's field; nullopt
// when it reads the line. Elements are free text and never refused.
std::optional<std::string> OwnAntennaLineRefusal(const OwnAntennaLine &line);
// The same for the whole antenna: every frequency line, and a name the reader would take for a
// section header.
std::optional<std::string> OwnAntennaRefusal(const OwnAntenna &antenna);

// The memo: the heading "f[MHz] G[dBi] #Elem." and one line per frequency line, each text
// right-aligned in at least 5 characters, separated by one blank.
std::vector<std::string> OwnAntennaMemoLines(const std::vector<OwnAntennaLine> &lines);

// name,type,{frequency,gain,elements,}...# — "MyAnt,MyAntTyp,10,3,1,#" with the presets.
// A comma in name or type becomes ";", so it cannot split the line.
std::string OwnAntennaCatalogueLine(const OwnAntenna &antenna);

inline constexpr const char *kOwnAntennaSavedMessage = "Antenne wurde in der Datei AntUser.txt gespeichert";

// ButSaveAntClick without the window: appends "[" + category + "]" at the end when no
// section has that name (compared exactly), puts the catalogue line last in that section and
// writes the file back (Windows-1252, CR LF, atomic). A missing user catalogue is created.
// Throws FileError when the file cannot be read or written, or with the refusal of an antenna
// the reader would report (nothing is then written); the file is then unchanged.
void FileOwnAntenna(const std::string &userCatalogue, const OwnAntenna &antenna);
