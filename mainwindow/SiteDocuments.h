#pragma once

// The notification's documents of a site in one PDF: cover page with contents, configuration
// table, site plan, side views when a verdict asks for them, and per antenna the printout's
// pages for its bands with the radiation diagrams whose angle data are credited. Assembled here,
// where a configuration's printout data are made from a station model.

#include "data/SiteCalculation.h"
#include "print/DruckenLayout.h"
#include "views/DiaGramm.h"
#include "views/draw/SitePicture.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

#include <string>
#include <vector>

struct SiteDocumentPart {
    std::string name;
    int firstPage = 0; // 1-based
    int pageCount = 0;
};

struct SiteDocumentPage {
    enum class Kind { Items, Plan, Cuts, Diagram };
    Kind kind = Kind::Items;
    bool landscape = false;
    bool a3 = false;            // the plan on A3 landscape
    PrintPage page;             // header, footer and text, in mm from the sheet's corner
    int printout = -1;          // the printout data its zone picture is drawn from
    DiagramWindowInput diagram; // Kind::Diagram
};

struct SiteDocuments {
    SitePictureInput picture;
    int scale = 0;    // of the plan
    int cutScale = 0; // where the side views start looking for theirs
    std::vector<PrintoutData> printouts;
    std::vector<SiteDocumentPage> pages;
    std::vector<SiteDocumentPart> parts;
    std::string title;
};

// base: the started station the site was computed with. allAngleTables: the angle table and
// zone picture of every band, not only of the band giving an antenna's largest distance.
SiteDocuments BuildSiteDocuments(const SiteResult &result, const StationModel &base, const std::string &dateText,
                                 bool allAngleTables = false);
// The same with the plan drawn as given: the site window's colours, background and scripts.
SiteDocuments BuildSiteDocuments(const SitePictureInput &picture, const StationModel &base, const std::string &dateText,
                                 bool allAngleTables = false);

// One page on a painter whose units are points from the sheet's corner.
void PaintSiteDocumentPage(QPainter &painter, const SiteDocuments &documents, size_t page);

// Every page on a paged device (a printer, its preview, a PDF), each sheet in its orientation;
// turnLandscape: every sheet portrait, a landscape one turned on it (the print preview keeps
// one orientation). False when the device cannot be painted on.
bool PaintSiteDocuments(QPagedPaintDevice &device, const SiteDocuments &documents, bool turnLandscape = false);

// A4 (the plan's sheet landscape), fonts embedded, written atomically. Throws FileError.
void WriteSiteDocumentsPdf(const QString &path, const SiteDocuments &documents);
