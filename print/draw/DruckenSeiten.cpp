#include "print/draw/DruckenSeiten.h"

#include "print/draw/DruckenBild.h"
#include "util/TextFile.h"
#include "views/draw/QtText.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace
{

constexpr double kPtPerMm = 72 / 25.4;
constexpr double kPtPerPictureUnit = 72.0 / 96.0;
constexpr double kLineWidthPt = 0.5;
constexpr double kSheetBottomMarginMm = 297 - 20;

double pt(double mm)
{
    return mm * kPtPerMm;
}

QFont pageFont(const PrintItem &item)
{
    QFont font(item.font == PrintFont::Courier ? "Liberation Mono" : "Liberation Sans");
    font.setStyleHint(item.font == PrintFont::Courier ? QFont::Monospace : QFont::SansSerif);
    font.setPixelSize(item.fontPt); // painter units are points
    font.setBold(item.bold);
    return font;
}

void paintText(QPainter &painter, const PrintItem &item)
{
    const QFont font = pageFont(item);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QString text = qs(item.text);
    double x = pt(item.xMm);
    if (item.kind == PrintItem::Kind::CentredText)
        x -= metrics.horizontalAdvance(text) / 2;
    // A label keeps its natural width; only the rest is condensed.
    const QString head = text.left(item.stretch < 1 ? item.fixedChars : 0);
    painter.drawText(QPointF(x, pt(item.yMm) + metrics.ascent()), head);
    painter.save();
    painter.translate(x + metrics.horizontalAdvance(head), pt(item.yMm));
    painter.scale(item.stretch, 1);
    painter.drawText(QPointF(0, metrics.ascent()), text.mid(head.size()));
    painter.restore();
}

// Right-aligned at x2Mm, condensed where it would reach left of xMm.
void paintCell(QPainter &painter, const PrintItem &item)
{
    const QFont font = pageFont(item);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QString text = qs(item.text);
    const double width = metrics.horizontalAdvance(text);
    const double room = pt(item.x2Mm) - pt(item.xMm);
    const double stretch = width > room && width > 0 && room > 0 ? room / width : 1;
    painter.save();
    painter.translate(pt(item.x2Mm) - width * stretch, pt(item.yMm));
    painter.scale(stretch, 1);
    painter.drawText(QPointF(0, metrics.ascent()), text);
    painter.restore();
}

void paintPicture(QPainter &painter, const PrintItem &item, const PrintoutData &data, const PrintoutView &view)
{
    PrintPictureInput in;
    in.angles = data.angles;
    in.distances = data.distances;
    in.height = data.height;
    in.rays = view.rays;
    in.dimensions = view.dimensions;
    painter.save();
    painter.translate(pt(item.xMm), pt(item.yMm));
    painter.scale(kPtPerPictureUnit, kPtPerPictureUnit);
    BildErzeugen(painter, in);
    painter.restore();
}

void paintMargins(QPainter &painter)
{
    painter.setPen(QPen(QColor(192, 192, 192), kLineWidthPt, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(QPointF(pt(kPrintLeftMm), pt(kPrintLeftMm)), QPointF(pt(kPrintRightMm), pt(kSheetBottomMarginMm))));
}

} // namespace

QString GermanDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

std::vector<PrintPage> PrintoutPages(const PrintoutData &data, const QString &dateText, bool allBands)
{
    std::vector<PrintPage> pages = BuildPrintout(data.texts, dateText.toStdString());
    if (allBands)
        pages.push_back(AllBandsPage(data, dateText.toStdString()));
    NumberPages(pages);
    return pages;
}

void PaintPrintoutPage(QPainter &painter, const PrintPage &page, const PrintoutData &data, const PrintoutView &view)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (view.marginLines)
        paintMargins(painter);
    for (const PrintItem &item : page.items) {
        painter.setPen(QPen(Qt::black, kLineWidthPt));
        switch (item.kind) {
        case PrintItem::Kind::Text:
        case PrintItem::Kind::CentredText:
            paintText(painter, item);
            break;
        case PrintItem::Kind::Line:
            painter.drawLine(QPointF(pt(item.xMm), pt(item.yMm)), QPointF(pt(item.x2Mm), pt(item.yMm)));
            break;
        case PrintItem::Kind::WrappedText:
            painter.setFont(pageFont(item));
            painter.drawText(QRectF(QPointF(pt(item.xMm), pt(item.yMm)), QPointF(pt(item.x2Mm), pt(item.y2Mm))),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, qs(item.text));
            break;
        case PrintItem::Kind::CellText:
            paintCell(painter, item);
            break;
        case PrintItem::Kind::Picture:
            paintPicture(painter, item, data, view);
            break;
        }
    }
    painter.restore();
}

int PaintPrintout(QPagedPaintDevice &device, const std::vector<PrintPage> &pages, const PrintoutData &data,
                  const PrintoutView &view, int first, int last, int copies)
{
    const int count = static_cast<int>(pages.size());
    first = std::max(first, 1);
    last = last <= 0 ? count : std::min(last, count);
    if (first > last)
        return 0;
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    // Points from the sheet's corner, whatever margins the device keeps for itself.
    const QPointF origin = device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
    painter.translate(-origin);
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    int sheets = 0;
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        for (int number = first; number <= last; ++number) {
            if (sheets++ > 0)
                device.newPage();
            PaintPrintoutPage(painter, pages[static_cast<size_t>(number - 1)], data, view);
        }
    }
    painter.end();
    return sheets;
}

void WritePrintoutPdf(const QString &path, const std::vector<PrintPage> &pages, const PrintoutData &data,
                      const PrintoutView &view)
{
    // Drawn in memory, then written like every other file: one set of German reasons, links kept.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(qs(PdfTitle(data.texts)));
        writer.setCreator("Feldora " + qs(data.texts.version));
        if (PaintPrintout(writer, pages, data, view) != static_cast<int>(pages.size()))
            throw FileError("Die PDF-Datei \"" + path.toStdString()
                            + "\" konnte nicht geschrieben werden (Seiten nicht gezeichnet).");
    }
    WriteFileAtomic(path.toStdString(), bytes.toStdString());
}
