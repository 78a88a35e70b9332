#pragma once

// The antenna catalogue: Antennen.txt followed by AntUser.txt, one entry per data line.
//
// File format (both files): "[Hersteller]" starts a section that lasts until the next one,
// also across the end of Antennen.txt into AntUser.txt. Every other line is
//   name,type,freq,gain,elements,freq,gain,elements,...,#
// with decimal points. The last field is never read; an incomplete last triple is read as
// far as it goes. A frequency or gain that is not a number is left out of its list and its
// line is reported.
//
// Usage by the main window:
//   try {
//       catalogue = std::make_unique<TAntennen>(antennaFile, userFile);
//   } catch (const FileError &e) {
//       ShowWarning(e.what()); // "Die Datei <path> konnte nicht gefunden werden."
//       close();               // without the main file the program ends
//   }
//   LBHersteller <- Manufacturers() (sorted by the list), LBTypen <- AntennasOf(...),
//   LBTypenClick  <- Select(name, manufacturer, reference frequency).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The frequency lines of one entry. The lists have equal length unless a value of the line
// could not be read: then the failing value is missing and the later ones move up.
struct RData {
    std::vector<double> Freqs;         // MHz
    std::vector<double> Gains;         // dBi
    std::vector<std::string> Elements; // free text, as written
};

constexpr int kNoAntenna = -99;   // catalogue index of "no antenna"
constexpr int kNoMatchLine = -1;  // no frequency line fits

// Heading above the frequency lines on the tab "Antenne".
inline constexpr const char *kAntBandHeading = "Freq.     Gewinn   Elemente";

// What the tab "Antenne" shows after an antenna was chosen (name from LBTypen, the selected
// manufacturer, the working frequency or band centre).
struct AntennaSelection {
    int index = kNoAntenna;             // catalogue index of the entry used
    std::string name;                   // the chosen name as passed in
    std::string type;                   // Typen[index]
    std::vector<std::string> bandLines; // LBAntBand, one per frequency line
    int match = kNoMatchLine;           // line to select; "Antenne nehmen" only when >= 0
    double gain = 0;                    // Gains[match] when match >= 0
    std::string gainText;               // FormatValue("%3.3f", gain); empty without a match
};

class TAntennen {
public:
    // Loads the main file, then the user file (an empty path: no user file). Shows the
    // warning about unreadable numbers when there are any.
    // Throws FileError when the main file does not exist (message "Die Datei " + path +
    // " konnte nicht gefunden werden.") or cannot be read; the caller shows the message as a
    // warning and ends the program.
    // A user file that does not exist is an empty one (the own-antenna dialog creates it);
    // one that exists but cannot be read is reported and left out.
    TAntennen(const std::string &mainPath, const std::string &userPath);

    // The same from lines already read; shows the same report. userLines is empty when
    // there is no user file.
    static TAntennen FromLines(const std::vector<std::string> &mainLines,
                               const std::vector<std::string> &userLines);

    int Count() const { return static_cast<int>(namen_.size()); }
    // One element per entry, in catalogue order.
    const std::vector<std::string> &Hersteller() const { return hersteller_; }
    const std::vector<std::string> &Namen() const { return namen_; }
    const std::vector<std::string> &Typen() const { return typen_; }
    const std::vector<RData> &Daten() const { return daten_; }

    // Every manufacturer once, in order of first appearance, compared letter for letter.
    const std::vector<std::string> &Manufacturers() const { return manufacturers_; }
    // Names of the entries of a manufacturer (A-Z compared without case), catalogue order.
    std::vector<std::string> AntennasOf(const std::string &manufacturer) const;
    // Index of the last entry with this name and manufacturer (A-Z without case); kNoAntenna.
    int IndexOf(const std::string &name, const std::string &manufacturer) const;

    // The antenna chosen in the list and its frequency line for the reference frequency.
    AntennaSelection Select(const std::string &name, const std::string &manufacturer,
                            double referenceMHz) const;

    // Line numbers (1-based, per file) of every failing value, in reading order; a line with
    // two bad values appears twice. Lines too short to be an entry are listed too.
    const std::vector<int> &MainErrorLines() const { return mainErrors_; }
    const std::vector<int> &UserErrorLines() const { return userErrors_; }
    // Text of the warning shown after loading; empty when there were no errors. A file with
    // more than 100 failing values lists the first 100 and the number of the others.
    std::string ErrorReport() const;

private:
    TAntennen() = default;
    void load(const std::vector<std::string> &mainLines, const std::vector<std::string> &userLines);
    void addLine(const std::string &line, const std::string &section,
                 std::vector<std::string_view> &fields, std::vector<int> &errors, int lineNumber);

    std::vector<std::string> hersteller_;
    std::vector<std::string> namen_;
    std::vector<std::string> typen_;
    std::vector<RData> daten_;
    std::vector<std::string> manufacturers_;
    std::vector<int> mainErrors_;
    std::vector<int> userErrors_;
};

// The frequency line that fits the reference frequency: the first line with the smallest
// relative deviation |f / reference - 1|, if that deviation is at most 10 %; else -1.
int MatchFrequencyLine(const std::vector<double> &freqs, double referenceMHz);
// The same for an entry; only lines that have a gain can fit (the gain is what is taken).
int MatchFrequencyLine(const RData &data, double referenceMHz);

// A frequency (MHz) or gain (dBi) field as the reader takes it; nullopt where it reports the
// line: not a number, or beyond its range. The own-antenna dialog checks with the same reading.
std::optional<double> ReadCatalogueFrequency(std::string_view field);
std::optional<double> ReadCatalogueGain(std::string_view field);

// The lines of LBAntBand: FormatAuto6(freq) + " " + FormatToWidth(5, gain) + " " +
// FormatText("%3s", elements); a missing gain or elements text leaves its column blank.
std::vector<std::string> AntBandLines(const RData &data);
