#include "mainwindow/SiteDocuments.h"

#include "data/SiteTable.h"
#include "data/StationBands.h"
#include "mainwindow/StationSnapshots.h"
#include "print/draw/DruckenSeiten.h"
#include "util/TextFile.h"
#include "views/draw/DiagramPicture.h"
#include "views/draw/SiteExport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kPtPerMm = 72 / 25.4;
constexpr int kTablePt = 8;
constexpr double kTableLineMm = 3.8;
constexpr size_t kTableColumns = 4; // antennas on one page
constexpr double kLabelMm = 56;

PrintItem text(double x, double y, const std::string &s, int pt = kTablePt, bool bold = false)
{
    PrintItem item;
    item.xMm = x;
    item.yMm = y;
    item.font = PrintFont::Arial;
    item.fontPt = pt;
    item.bold = bold;
    item.text = s;
    return item;
}

PrintItem rightText(double left, double right, double y, const std::string &s, int pt = kTablePt, bool bold = false)
{
    PrintItem item = text(left, y, s, pt, bold);
    item.kind = PrintItem::Kind::CellText;
    item.x2Mm = right;
    return item;
}


std::vector<std::string> cellLines(const std::string &cell)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t nl; (nl = cell.find('\n', start)) != std::string::npos; start = nl + 1)
        out.push_back(cell.substr(start, nl - start));
    out.push_back(cell.substr(start));
    return out;
}

// A landscape sheet's header and footer in its 10 mm margins.
PrintPage landscapePage(const PrintoutTexts &t, const std::string &dateText, bool a3 = false)
{
    const double width = a3 ? kA3WidthMm : kSheetWidthMm, height = a3 ? kA3HeightMm : kSheetHeightMm;
    PrintPage page;
    PrintItem header = text(kSheetMarginMm, 3, PageHeaderText(t.callsign, dateText), 9);
    header.font = PrintFont::Courier;
    page.items.push_back(header);
    PrintItem footer = text(width / 2, height - 7, FooterText(t.version), kFooterFontPt);
    footer.kind = PrintItem::Kind::CentredText;
    page.items.push_back(footer);
    return page;
}

// One table as pages: the label column and at most four antennas each, headings repeated.
void addTablePages(std::vector<SiteDocumentPage> &pages, const SiteTable &table, const PrintoutTexts &t,
                   const std::string &date)
{
    const size_t antennas = table.antennas.empty() ? 0 : table.antennas[0].size() - 1;
    const size_t sheets = std::max<size_t>(1, (antennas + kTableColumns - 1) / kTableColumns);
    const double columnMm = (kPrintRightMm - kPrintLeftMm - kLabelMm) / kTableColumns;
    for (size_t sheet = 0; sheet < sheets; ++sheet) {
        SiteDocumentPage doc;
        doc.page = NewPage(t, date);
        auto &items = doc.page.items;
        double y = 26;
        items.push_back(
            text(kPrintLeftMm, y,
                 sheets > 1 ? "Konfigurationstabelle (" + std::to_string(sheet + 1) + "/" + std::to_string(sheets) + ")"
                            : "Konfigurationstabelle",
                 12, true));
        y += 9;
        const size_t first = sheet * kTableColumns + 1, last = std::min(antennas, first + kTableColumns - 1);
        for (size_t r = 0; r < table.antennas.size(); ++r) {
            const auto &row = table.antennas[r];
            size_t height = 1;
            for (size_t c = first; c <= last; ++c) {
                std::string cell = row[c];
                // A catalogue antenna's maker on a line of its own.
                if (row[0] == "Katalogantenne" && cell.find(" (") != std::string::npos)
                    cell.replace(cell.find(" ("), 1, "\n");
                const auto lines = cellLines(cell);
                for (size_t k = 0; k < lines.size(); ++k)
                    items.push_back(rightText(kPrintLeftMm + kLabelMm + columnMm * (c - first) + 1,
                                              kPrintLeftMm + kLabelMm + columnMm * (c - first + 1),
                                              y + kTableLineMm * k, lines[k], kTablePt, r == 0));
                height = std::max(height, lines.size());
            }
            items.push_back(text(kPrintLeftMm, y, r == 0 ? "Antenne" : row[0], kTablePt, r == 0));
            y += kTableLineMm * height + 0.8;
            items.push_back(LineItem(kPrintLeftMm, kPrintRightMm, y - 0.6));
        }
        if (sheet + 1 == sheets) {
            for (const SiteTableRows *part : {&table.groups, &table.threshold}) {
                if (part->empty())
                    continue;
                y += 6;
                const size_t cols = (*part)[0].size();
                const double w = (kPrintRightMm - kPrintLeftMm) / cols;
                for (size_t r = 0; r < part->size(); ++r) {
                    for (size_t c = 0; c < cols && c < (*part)[r].size(); ++c)
                        items.push_back(c == 0 ? text(kPrintLeftMm, y, (*part)[r][c], kTablePt, r == 0)
                                               : rightText(kPrintLeftMm + w * c + 1, kPrintLeftMm + w * (c + 1), y,
                                                           (*part)[r][c], kTablePt, r == 0));
                    y += kTableLineMm + 0.8;
                    items.push_back(LineItem(kPrintLeftMm, kPrintRightMm, y - 0.6));
                }
            }
        }
        CloseWithFooter(doc.page, t);
        pages.push_back(std::move(doc));
    }
}

} // namespace

SiteDocuments BuildSiteDocuments(const SiteResult &result, const StationModel &base, const std::string &date,
                                 bool allAngleTables)
{
    return BuildSiteDocuments(SitePictureInputOf(result), base, date, allAngleTables);
}

SiteDocuments BuildSiteDocuments(const SitePictureInput &picture, const StationModel &base, const std::string &date,
                                 bool allAngleTables)
{
    SiteDocuments d;
    const SiteResult &result = picture.result;
    const Site &site = result.site;
    d.picture = picture;
    d.scale = d.cutScale = DefaultSiteScale(result);
    // Beyond 1:1000 on A4 the plan goes on A3 when it fits there at 1:1000.
    const bool a3 = d.scale > 1000 && SitePlanFitsA3(result, 1000);
    if (a3)
        d.scale = 1000;
    d.title = "Unterlagen zur Anzeige nach § 9 BEMFV " + site.callsign;

    PrintoutTexts t = PrintoutTextsOf(base);
    t.callsign = site.callsign;
    auto part = [&](const std::string &name, const std::function<void()> &add) {
        const int first = static_cast<int>(d.pages.size()) + 1;
        add();
        d.parts.push_back({name, first, static_cast<int>(d.pages.size()) + 1 - first});
    };

    // The cover with its contents is filled in once every part is known.
    d.pages.emplace_back();
    d.parts.push_back({"Deckblatt und Inhalt", 1, 1});

    part("Konfigurationstabelle", [&] { addTablePages(d.pages, SiteConfigurationTable(result), t, date); });
    part("Lageplan (Draufsicht), Maßstab 1:" + std::to_string(d.scale), [&] {
        SiteDocumentPage p;
        p.kind = SiteDocumentPage::Kind::Plan;
        p.landscape = true;
        p.a3 = a3;
        p.page = landscapePage(t, date, a3);
        d.pages.push_back(std::move(p));
    });
    if (SiteNeedsCuts(result))
        part("Seitenansichten", [&] {
            SiteDocumentPage p;
            p.kind = SiteDocumentPage::Kind::Cuts;
            p.landscape = true;
            p.page = landscapePage(t, date);
            d.pages.push_back(std::move(p));
        });

    for (const SiteAntennaResult &a : result.antennas) {
        std::vector<StationModel> models;
        for (const StationBand &b : a.bands) {
            StationInputs in = a.inputs;
            in.power = b.farFieldInput.power;
            models.push_back(StationModelOnBand(in, base.catalogue(), b.band));
            models.back().showAngleRows();
        }
        const double areaDistance = a.boundaryDistance > 0 ? a.boundaryDistance : kDefaultAreaDistance;
        part("Antenne " + a.name + ": Berechnung", [&] {
            std::vector<std::vector<PrintPage>> printed;
            int safety = 0;
            for (size_t i = 0; i < models.size(); ++i) {
                PrintoutData data = PrintoutDataOf(models[i], areaDistance);
                data.texts.callsign = site.callsign;
                printed.push_back(BuildPrintout(data.texts, date));
                d.printouts.push_back(std::move(data));
                if (a.bands[i].band == a.safetyBand)
                    safety = static_cast<int>(i);
            }
            const int firstData = static_cast<int>(d.printouts.size() - models.size());
            auto add = [&](const PrintPage &page, int data) {
                SiteDocumentPage p;
                p.page = page;
                p.printout = data;
                d.pages.push_back(std::move(p));
            };
            for (size_t i = 0; i < printed.size(); ++i)
                add(printed[i][0], firstData + static_cast<int>(i));
            for (size_t i = 0; i < printed.size(); ++i) {
                if (!allAngleTables && static_cast<int>(i) != safety)
                    continue;
                const PrintoutTexts &texts = d.printouts[static_cast<size_t>(firstData) + i].texts;
                const AnglePagesLayout layout = LayoutAnglePages(texts.angleRows.size());
                for (size_t k = 1; k < printed[i].size(); ++k) {
                    PrintPage page = printed[i][k];
                    // A continuation of the angle table repeats its headings.
                    const int number = static_cast<int>(k) + 1;
                    if (number > 2 && std::any_of(layout.rows.begin(), layout.rows.end(), [&](const auto &row) {
                            return row.page == number;
                        })) {
                        PrintItem heading =
                            text(kPrintLeftMm, kAngleHeadingYMm, AngleHeadingLine(), kAngleFontPt, true);
                        heading.font = PrintFont::Courier;
                        FitToLine(heading);
                        page.items.push_back(heading);
                    }
                    add(page, firstData + static_cast<int>(i));
                }
            }
            if (!printed.empty())
                add(AllBandsPage(d.printouts[static_cast<size_t>(firstData + safety)], date), firstData + safety);
            for (size_t i = 0; i < models.size(); ++i) {
                if (i >= a.angleZone.size() || !a.angleZone[i])
                    continue;
                SiteDocumentPage p;
                p.kind = SiteDocumentPage::Kind::Diagram;
                p.page = NewPage(t, date);
                p.page.items.push_back(text(kPrintLeftMm, 26,
                                            "Antenne " + a.name + ": Strahlungsdiagramm " + BandName(a.bands[i].band),
                                            12, true));
                p.diagram = DiagramInputOf(models[i]);
                p.page.items.push_back(text(kPrintLeftMm, 34, p.diagram.antennaTitle.toStdString(), 10));
                CloseWithFooter(p.page, t);
                d.pages.push_back(std::move(p));
            }
        });
    }

    // The cover: what the documents are for, whose, and where each part lies.
    PrintPage &cover = d.pages[0].page;
    cover = NewPage(t, date);
    double y = 40;
    cover.items.push_back(text(kPrintLeftMm, y, "Unterlagen zur Anzeige nach § 9 BEMFV", 18, true));
    y += 16;
    const std::pair<const char *, std::string> facts[] = {{"Rufzeichen:", site.callsign},
                                                          {"Betreiber:", site.operatorName},
                                                          {"Anschrift:", site.address},
                                                          {"Datum:", site.date.empty() ? date : site.date}};
    for (const auto &[label, value] : facts) {
        cover.items.push_back(text(kPrintLeftMm, y, label, 11, true));
        cover.items.push_back(text(kPrintLeftMm + 30, y, value, 11));
        y += 7;
    }
    y += 10;
    cover.items.push_back(text(kPrintLeftMm, y, "Inhalt", 13, true));
    y += 8;
    cover.items.push_back(rightText(140, 160, y, "Seite", 10, true));
    cover.items.push_back(rightText(160, kPrintRightMm, y, "Seiten", 10, true));
    y += 6;
    cover.items.push_back(LineItem(kPrintLeftMm, kPrintRightMm, y - 1));
    for (const SiteDocumentPart &p : d.parts) {
        cover.items.push_back(text(kPrintLeftMm, y, p.name, 10));
        cover.items.push_back(rightText(140, 160, y, std::to_string(p.firstPage), 10));
        cover.items.push_back(rightText(160, kPrintRightMm, y, std::to_string(p.pageCount), 10));
        y += 6;
    }
    CloseWithFooter(cover, t);

    // Numbered through the whole bundle.
    const std::string count = std::to_string(d.pages.size());
    for (size_t i = 0; i < d.pages.size(); ++i) {
        const bool wide = d.pages[i].landscape;
        const bool a3 = d.pages[i].a3;
        const double right = wide ? (a3 ? kA3WidthMm : kSheetWidthMm) - kSheetMarginMm : kPrintRightMm;
        const double bottom = a3 ? kA3HeightMm : kSheetHeightMm;
        d.pages[i].page.items.push_back(rightText(right - 40, right, wide ? bottom - 7 : kFooterTextYMm,
                                                  "Seite " + std::to_string(i + 1) + " von " + count, kFooterFontPt));
    }
    return d;
}

void PaintSiteDocumentPage(QPainter &painter, const SiteDocuments &d, size_t index)
{
    const SiteDocumentPage &p = d.pages[index];
    static const PrintoutData none;
    const PrintoutData &data = p.printout >= 0 ? d.printouts[static_cast<size_t>(p.printout)] : none;
    PrintoutView view;
    switch (p.kind) {
    case SiteDocumentPage::Kind::Plan:
    case SiteDocumentPage::Kind::Cuts: {
        painter.save();
        // The sheet sizes its lines and letters in device units, as its own PDF does.
        const QTransform &m = painter.transform();
        const double s = std::hypot(m.m11(), m.m12());
        painter.scale(1 / s, 1 / s);
        const double width = p.a3 ? kA3WidthMm : kSheetWidthMm, height = p.a3 ? kA3HeightMm : kSheetHeightMm;
        const QRectF sheet(0, 0, width * kPtPerMm * s, height * kPtPerMm * s);
        if (p.kind == SiteDocumentPage::Kind::Plan)
            DrawSiteSheet(painter, sheet, d.picture, d.scale, SiteSheet::Plan, width);
        else
            DrawSiteSheet(painter, sheet, d.picture, d.cutScale, SiteSheet::Cuts);
        painter.restore();
        break;
    }
    case SiteDocumentPage::Kind::Diagram: {
        painter.save();
        const double side = (kPrintRightMm - kPrintLeftMm) * kPtPerMm;
        painter.translate(kPrintLeftMm * kPtPerMm, 45 * kPtPerMm);
        painter.scale(side / kDiagramSize, side / kDiagramSize);
        DrawDiagram(painter, {p.diagram.angles, p.diagram.attenuations}, kDiagramSize, kDiagramSize, Qt::white);
        painter.restore();
        break;
    }
    case SiteDocumentPage::Kind::Items:
        break;
    }
    PaintPrintoutPage(painter, p.page, data, view);
}

bool PaintSiteDocuments(QPagedPaintDevice &device, const SiteDocuments &d, bool turnLandscape)
{
    auto layout = [&](size_t i) {
        const bool wide = d.pages[i].landscape && !turnLandscape;
        return QPageLayout(QPageSize(d.pages[i].a3 && !turnLandscape ? QPageSize::A3 : QPageSize::A4),
                           wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
    };
    if (!d.pages.empty())
        device.setPageLayout(layout(0));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (size_t i = 0; i < d.pages.size(); ++i) {
        if (i > 0) {
            device.setPageLayout(layout(i));
            device.newPage();
        }
        painter.save();
        // Points from the sheet's corner, whatever margins the device keeps for itself.
        painter.translate(-device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft());
        painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
        if (d.pages[i].landscape && turnLandscape) {
            painter.translate(kSheetHeightMm * kPtPerMm, 0);
            painter.rotate(90);
            if (d.pages[i].a3) // an A3 sheet shrunk onto the A4 page
                painter.scale(kSheetWidthMm / kA3WidthMm, kSheetWidthMm / kA3WidthMm);
        }
        PaintSiteDocumentPage(painter, d, i);
        painter.restore();
    }
    painter.end();
    return true;
}

void WriteSiteDocumentsPdf(const QString &path, const SiteDocuments &d)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setTitle(QString::fromStdString(d.title));
        writer.setCreator("Feldora");
        if (!PaintSiteDocuments(writer, d))
            throw FileError("Die PDF-Datei \"" + path.toStdString() + "\" konnte nicht geschrieben werden.");
    }
    WriteFileAtomic(path.toStdString(), bytes.toStdString());
}
