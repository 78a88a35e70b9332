#pragma once

// The documentation pages on any paged paint device: the print preview, a printer, a PDF.
// Painting works in points (1/72 inch) from the sheet's top-left corner; the items come
// placed in millimetres from print/DruckenLayout.h.

#include "print/DruckenLayout.h"

#include <QDate>
#include <QString>

class QPainter;
class QPagedPaintDevice;

struct PrintoutView {
    bool rays = false;        // "Strahlen zeichnen"
    bool dimensions = true;   // "Bemaßung"
    bool marginLines = false; // the preview shows the 20 mm margins
};

// dd.mm.yyyy whatever the locale.
QString GermanDate(const QDate &date);

// The numbered pages of a configuration, dated dateText; allBands adds the overview of every
// band last.
std::vector<PrintPage> PrintoutPages(const PrintoutData &data, const QString &dateText, bool allBands = false);

// One page on a painter whose units are points from the sheet's corner.
void PaintPrintoutPage(QPainter &painter, const PrintPage &page, const PrintoutData &data, const PrintoutView &view);

// Pages first..last (1-based; last 0 = to the end) on an A4 device, one sheet each, `copies`
// times over. Returns the number of sheets painted, 0 when the device cannot be painted on.
int PaintPrintout(QPagedPaintDevice &device, const std::vector<PrintPage> &pages, const PrintoutData &data,
                  const PrintoutView &view, int first = 1, int last = 0, int copies = 1);

// The printout as a PDF with embedded fonts, titled and marked with the program; the file is
// replaced only when complete. Throws FileError naming the file.
void WritePrintoutPdf(const QString &path, const std::vector<PrintPage> &pages, const PrintoutData &data,
                      const PrintoutView &view);
