#pragma once

// The whole printout as pages of placed items, in millimetres from the top-left corner of an
// A4 portrait sheet. print/draw/ paints these pages on a preview, a printer or a PDF; this
// part decides what stands where and needs no GUI toolkit.

#include "print/DruckenText.h"

#include <string>
#include <vector>

enum class PrintFont {
    Courier, // "Courier New", drawn with Liberation Mono
    Arial,   // drawn with Liberation Sans
};

struct PrintItem {
    enum class Kind {
        Text,        // top-left corner at (xMm, yMm)
        CentredText, // centred on xMm, top at yMm
        Line,        // black, from xMm to x2Mm at yMm
        WrappedText, // wrapped inside (xMm, yMm)-(x2Mm, y2Mm), no frame
        Picture,     // the safety-zone picture, top-left corner at (xMm, yMm), scale 1
        CellText,    // a table cell: ends at x2Mm, condensed when it would reach left of xMm
    };
    Kind kind = Kind::Text;
    double xMm = 0, yMm = 0;
    double x2Mm = 0, y2Mm = 0;
    PrintFont font = PrintFont::Courier;
    int fontPt = 13;
    bool bold = false;
    // Horizontal scale of a text too long for its line, so that it ends at the right margin.
    double stretch = 1;
    // Characters at the start kept at their natural width (a label up to its colon), so that
    // only the rest is condensed and the colons stay in one column.
    int fixedChars = 0;
    std::string text;
};

struct PrintPage {
    std::vector<PrintItem> items;
};

// Everything a printout is made from: the shown texts and the angle evaluation for the picture.
struct PrintoutData {
    PrintoutTexts texts;
    std::vector<int> angles;       // degrees, the angle table's angles
    std::vector<double> distances; // m, safety distance per angle
    double height = 0;             // m, antenna height
    std::string fileTag;           // band name, or the frequency form in fixed-frequency mode
    // The overview of every band, printed as the last page when asked for: the headings ("\n"
    // where a narrow column breaks one), a row per band, and what "---" means.
    std::vector<std::string> allBandsHeading;
    std::vector<std::vector<std::string>> allBandsRows;
    std::string allBandsNote;
};

// Liberation Mono (like Courier New) advances every character by this share of the font size.
inline constexpr double kMonoAdvanceEm = 1229.0 / 2048.0;
// A line is condensed down to this share of its width; below that its end gives way to "…".
inline constexpr double kMinStretch = 0.6;

// Width in mm of a Courier text at its natural width.
double CourierWidthMm(const std::string &text, int fontPt);
// Condenses a Courier text after its fixedChars so that it ends at the right margin; a text
// too long even then is cut, with "…" in its place, before its last keepTail characters.
void FitToLine(PrintItem &item, int keepTail = 0);
// Width in mm of an item's text as drawn, condensing included.
double DrawnWidthMm(const PrintItem &item);

// All pages, header and footer included. dateText: today in the German short form.
std::vector<PrintPage> BuildPrintout(const PrintoutTexts &texts, const std::string &dateText);

// A page with the printout's header (callsign, date), and its footer added when it is full.
// A black line across from x1 to x2 at y (mm).
PrintItem LineItem(double x1, double x2, double y);
PrintPage NewPage(const PrintoutTexts &texts, const std::string &dateText);
void CloseWithFooter(PrintPage &page, const PrintoutTexts &texts);

// "Seite n von m" at the right end of every page's footer line, once the document is complete.
void NumberPages(std::vector<PrintPage> &pages);

// The overview of every band as a page of its own, to follow the others.
PrintPage AllBandsPage(const PrintoutData &data, const std::string &dateText);

// Proposed name of the PDF: callsign + " " + fileTag + ".pdf".
std::string PdfFileName(const PrintoutData &data);
// Title of a written PDF: "Dokumentation nach §9 BEMFV " + callsign.
std::string PdfTitle(const PrintoutTexts &texts);
