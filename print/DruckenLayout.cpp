#include "print/DruckenLayout.h"

#include "util/TextRoutines.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kMmPerPt = 25.4 / 72;
constexpr const char *kEllipsis = "…";

PrintItem TextItem(double x, double y, PrintFont font, int pt, bool bold, std::string text, int fixedChars = 0)
{
    PrintItem item;
    item.xMm = x;
    item.yMm = y;
    item.font = font;
    item.fontPt = pt;
    item.bold = bold;
    item.text = std::move(text);
    item.fixedChars = fixedChars;
    if (font == PrintFont::Courier)
        FitToLine(item);
    return item;
}

// A first-page line's label ends after its colon and the blank behind it.
int LabelChars(const std::string &text)
{
    const size_t colon = text.find(": ");
    return colon == std::string::npos ? 0 : CharCount(text.substr(0, colon + 2));
}


} // namespace

PrintItem LineItem(double x1, double x2, double y)
{
    PrintItem item;
    item.kind = PrintItem::Kind::Line;
    item.xMm = x1;
    item.x2Mm = x2;
    item.yMm = y;
    return item;
}

PrintPage NewPage(const PrintoutTexts &t, const std::string &dateText)
{
    PrintPage page;
    PrintItem header = TextItem(kPrintLeftMm, kHeaderTextYMm, PrintFont::Courier, kHeaderFontPt, false,
                                PageHeaderText(t.callsign, dateText));
    // An overlong callsign gives way, not the date.
    header.text = PageHeaderText(t.callsign, dateText);
    FitToLine(header, CharCount(", " + dateText));
    page.items.push_back(header);
    page.items.push_back(LineItem(kPrintLeftMm, kPrintRightMm, kHeaderLineYMm));
    return page;
}

void CloseWithFooter(PrintPage &page, const PrintoutTexts &t)
{
    page.items.push_back(LineItem(kPrintLeftMm, kPrintRightMm, kFooterLineYMm));
    PrintItem footer =
        TextItem(kFooterCentreXMm, kFooterTextYMm, PrintFont::Arial, kFooterFontPt, false, FooterText(t.version));
    footer.kind = PrintItem::Kind::CentredText;
    page.items.push_back(footer);
}

double CourierWidthMm(const std::string &text, int fontPt)
{
    return CharCount(text) * fontPt * kMonoAdvanceEm * kMmPerPt;
}

void FitToLine(PrintItem &item, int keepTail)
{
    item.stretch = 1;
    item.fixedChars = std::clamp(item.fixedChars, 0, CharCount(item.text));
    const std::string head = HeadChars(item.text, item.fixedChars);
    std::string rest = TailChars(item.text, CharCount(item.text) - item.fixedChars);
    const double room = kPrintRightMm - item.xMm - CourierWidthMm(head, item.fontPt);
    const double width = CourierWidthMm(rest, item.fontPt);
    if (width <= room || room <= 0)
        return;
    const double charMm = CourierWidthMm("x", item.fontPt);
    const int fitting = std::max(1, static_cast<int>(std::floor(room / (charMm * kMinStretch))));
    if (CharCount(rest) > fitting) {
        keepTail = std::clamp(keepTail, 0, fitting - 1);
        rest = HeadChars(rest, fitting - 1 - keepTail) + kEllipsis + TailChars(rest, keepTail);
    }
    item.text = head + rest;
    item.stretch = room / CourierWidthMm(rest, item.fontPt);
}

double DrawnWidthMm(const PrintItem &item)
{
    const int count = CharCount(item.text);
    const int fixed = std::clamp(item.fixedChars, 0, count);
    return CourierWidthMm(HeadChars(item.text, fixed), item.fontPt)
           + CourierWidthMm(TailChars(item.text, count - fixed), item.fontPt) * item.stretch;
}

std::vector<PrintPage> BuildPrintout(const PrintoutTexts &t, const std::string &dateText)
{
    std::vector<PrintPage> pages;
    PrintPage first = NewPage(t, dateText);
    for (const PrintLine &line : FirstPageLines(t)) {
        if (!line.wrapped) {
            first.items.push_back(TextItem(kPrintLeftMm, line.yMm, PrintFont::Courier, line.fontPt, line.bold,
                                           line.text, LabelChars(line.text)));
            continue;
        }
        PrintItem item;
        item.kind = PrintItem::Kind::WrappedText;
        item.fontPt = line.fontPt;
        item.bold = line.bold;
        item.text = line.text;
        item.xMm = line.rect.x1;
        item.yMm = line.rect.y1;
        item.x2Mm = line.rect.x2;
        item.y2Mm = line.rect.y2;
        first.items.push_back(item);
    }
    CloseWithFooter(first, t);
    pages.push_back(first);
    if (!t.angleDataPresent)
        return pages;

    const AnglePagesLayout layout = LayoutAnglePages(t.angleRows.size());
    for (int number = 2; number <= layout.pageCount; ++number)
        pages.push_back(NewPage(t, dateText));
    auto page = [&pages](int number) -> PrintPage & { return pages[static_cast<size_t>(number - 1)]; };
    page(2).items.push_back(
        TextItem(kPrintLeftMm, kAngleHeadingYMm, PrintFont::Courier, kAngleFontPt, true, AngleHeadingLine()));
    for (size_t i = 0; i < layout.rows.size(); ++i)
        page(layout.rows[i].page)
            .items.push_back(TextItem(kPrintLeftMm, layout.rows[i].yMm, PrintFont::Courier, kAngleFontPt, true,
                                      AngleRowLine(t.angleRows[i])));
    PrintItem picture;
    picture.kind = PrintItem::Kind::Picture;
    picture.xMm = kPrintLeftMm;
    picture.yMm = layout.pictureTopMm;
    page(layout.picturePage).items.push_back(picture);
    for (int number = 2; number <= layout.pageCount; ++number)
        CloseWithFooter(page(number), t);
    return pages;
}

void NumberPages(std::vector<PrintPage> &pages)
{
    const std::string count = std::to_string(pages.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        PrintItem number = TextItem(kPrintRightMm - 40, kFooterTextYMm, PrintFont::Arial, kFooterFontPt, false,
                                    "Seite " + std::to_string(i + 1) + " von " + count);
        number.kind = PrintItem::Kind::CellText; // ends at the right margin
        number.x2Mm = kPrintRightMm;
        pages[i].items.push_back(number);
    }
}

PrintPage AllBandsPage(const PrintoutData &data, const std::string &dateText)
{
    // Arial 8 in eleven columns across the 170 mm between the margins; cells end 1 mm before
    // the next column and give way by condensing, never by overlapping.
    constexpr double kWidthsMm[] = {12, 16, 14, 15, 17, 16, 18, 15, 15, 16, 16};
    constexpr int kTablePt = 8;
    constexpr double kRowMm = 5;
    const auto &heading = data.allBandsHeading;
    const size_t columns = std::max<size_t>(heading.size(), 1);
    std::vector<double> left(columns + 1, kPrintLeftMm);
    for (size_t c = 0; c < columns; ++c)
        left[c + 1] =
            left[c] + (columns == std::size(kWidthsMm) ? kWidthsMm[c] : (kPrintRightMm - kPrintLeftMm) / columns);
    auto cell = [&](size_t c, double y, const std::string &text, bool bold) {
        PrintItem item = TextItem(left[c], y, PrintFont::Arial, kTablePt, bold, text);
        if (c > 0) { // numbers stand right-aligned
            item.kind = PrintItem::Kind::CellText;
            item.xMm = left[c] + 1;
            item.x2Mm = left[c + 1] - 1;
        }
        return item;
    };

    const PrintoutTexts &t = data.texts;
    PrintPage page = NewPage(t, dateText);
    page.items.push_back(
        TextItem(kPrintLeftMm, kAngleHeadingYMm, PrintFont::Courier, kAngleFontPt, true, "Übersicht aller Bänder"));
    page.items.push_back(
        TextItem(kPrintLeftMm, kAngleHeadingYMm + 6, PrintFont::Courier, kAngleFontPt, false, StationSummary(t)));
    double y = kAngleHeadingYMm + 15;
    // Headings broken over several lines stand on the table's top line, growing upwards.
    constexpr double kHeadingLineMm = 3.6;
    std::vector<std::vector<std::string>> parts;
    size_t lines = 1;
    for (const std::string &h : heading) {
        parts.push_back(SplitText(h, '\n'));
        lines = std::max(lines, parts.back().size());
    }
    for (size_t c = 0; c < parts.size(); ++c)
        for (size_t i = 0; i < parts[c].size(); ++i)
            page.items.push_back(
                cell(c, y + kHeadingLineMm * static_cast<double>(lines - parts[c].size() + i), parts[c][i], true));
    y += kHeadingLineMm * static_cast<double>(lines) + 1.5;
    page.items.push_back(LineItem(kPrintLeftMm, kPrintRightMm, y));
    y += 1.5;
    if (data.allBandsRows.empty()) {
        page.items.push_back(TextItem(kPrintLeftMm, y, PrintFont::Arial, kTablePt, false,
                                      "Die Antenne hat für kein Band einen Katalogeintrag."));
        y += kRowMm;
    }
    for (const auto &row : data.allBandsRows) {
        for (size_t c = 0; c < row.size() && c < columns; ++c)
            page.items.push_back(cell(c, y, row[c], false));
        y += kRowMm;
    }
    page.items.push_back(LineItem(kPrintLeftMm, kPrintRightMm, y));
    PrintItem note = TextItem(kPrintLeftMm, y + 2, PrintFont::Arial, kTablePt, false, data.allBandsNote);
    note.kind = PrintItem::Kind::WrappedText;
    note.x2Mm = kPrintRightMm;
    note.y2Mm = y + 14;
    page.items.push_back(note);
    CloseWithFooter(page, t);
    return page;
}

std::string PdfFileName(const PrintoutData &data)
{
    return data.texts.callsign + " " + data.fileTag + ".pdf";
}

std::string PdfTitle(const PrintoutTexts &texts)
{
    return "Dokumentation nach §9 BEMFV " + texts.callsign;
}
