#pragma once

// The program's one command-line parser. Without arguments, or with a file alone (as the
// desktop starts it for a double-clicked file), Feldora opens its window; every other call runs
// without a window and answers on standard output and standard error.

#include <string>
#include <vector>

struct CommandLine {
    enum class Mode {
        Window,    // no arguments, or a file alone (windowFile)
        Report,    // --bericht DATEI [options]
        LimitTable, // --grenzwerte: the limit table on standard output
        Site,       // --standort DATEI: the whole site on standard output
        Help,      // --help, -h: usage on standard output, status 0
        Version,   // --version, -v
        WrongCall, // usage and `error` on standard error, status 2
    };
    Mode mode = Mode::Window;
    std::string windowFile; // DATEI of "feldora DATEI": opened in the window; empty = none
    std::string reportFile; // DATEI of --bericht
    std::string siteFile;   // DATEI of --standort
    std::string planFile;   // AUSGABE of --lageplan (.png, .pdf, .svg), empty = none
    std::string documentsFile; // AUSGABE.pdf of --pdf after --standort: the notification's documents
    double planPixelsPerMetre = 20; // --pixel-pro-meter of a PNG plan
    int planScale = 0;              // --massstab of a PDF or SVG plan; 0 = the most detailed that fits
    std::string pdfFile;    // AUSGABE.pdf of --pdf, empty = no PDF
    std::string sideViewFile; // BILD of --seitenansicht, empty = none
    std::string diagramFile;  // BILD of --diagramm, empty = none
    bool allBands = false;    // --alle-baender: the table of every band after the report
    std::string error;      // German, why the call is wrong
};

// args without the program name.
CommandLine ParseCommandLine(const std::vector<std::string> &args);
// The German usage text, ending in a line break.
std::string UsageText();
// "Feldora v 2.1.0"
std::string VersionLine();

// Exit statuses of the calls without a window.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitWrongCall = 2;
