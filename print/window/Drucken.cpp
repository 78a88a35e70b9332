#include "print/window/Drucken.h"
#include "views/HandlerGuard.h"

#include "util/TextFile.h"
#include "views/DesktopFolder.h"
#include "views/DialogService.h"
#include "views/EscapeClose.h"
#include "views/WindowPlacement.h"
#include "views/draw/DrawCommon.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QTransform>
#include <algorithm>

namespace
{

constexpr double kZoomStep = 1.25;
constexpr double kFirstZoom = 0.2;
constexpr double kA4HeightInch = 297 / 25.4;

// The icons Qt's own print preview uses, where the platform has them; turned a quarter for
// "fit height", which has none of its own.
QIcon previewIcon(const QString &name, bool turned = false)
{
    const QString file = ":/qt-project.org/dialogs/qprintpreviewdialog/images/" + name + "-24.png";
    if (name.isEmpty() || !QFile::exists(file))
        return {};
    QPixmap pixmap(file);
    return QIcon(turned ? pixmap.transformed(QTransform().rotate(90)) : pixmap);
}

} // namespace

TFormPrint::TFormPrint(PrintoutData data, QWidget *parent)
    : QDialog(parent), data_(std::move(data)), previewPrinter_(QPrinter::HighResolution)
{
    setObjectName("FormPrint");
    ui::KeepOnScreen(this);
    ui::CloseOnEscape(this);
    setWindowTitle("Ausdruck einer Konfiguration");
    setFont(ui::windowFont(11));
    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1024, 768);
    const int width = std::max(300, screen.width() - 200);
    const int height = std::max(300, screen.height() - 200);
    setFixedSize(width, height);
    move(screen.width() / 2 - width / 2, screen.height() / 2 - height / 2);

    previewPrinter_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    previewPrinter_.setFullPage(true);
    Preview = new QPrintPreviewWidget(&previewPrinter_, this);
    Preview->setObjectName("Preview");
    Preview->setGeometry(10, 70, width - 30, height - 110);
    Preview->setZoomFactor(kFirstZoom);
    connect(Preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { RunGuarded([this, printer] { paintPreview(printer); }); });

    createNavigator();

    ButPrint = new QPushButton("Drucken", this);
    ButPrint->setObjectName("ButPrint");
    ButPrint->setGeometry(344, 8, 113, 49);
    ButPrint->setFont(ui::windowFont(11, true));
    ButPrint->setDefault(true);
    connect(ButPrint, &QPushButton::clicked, this, Guarded(this, &TFormPrint::ButPrintClick));

    CBStrahlen = new QCheckBox("Strahlen zeichnen", this);
    CBStrahlen->setObjectName("CBStrahlen");
    CBStrahlen->move(464, 12);
    connect(CBStrahlen, &QCheckBox::clicked, this, Guarded(this, &TFormPrint::CBStrahlenClick));
    CBBemassung = new QCheckBox("Bemaßung", this);
    CBBemassung->setObjectName("CBBemassung");
    CBBemassung->setChecked(true);
    CBBemassung->move(464, 36);
    connect(CBBemassung, &QCheckBox::clicked, this, Guarded(this, &TFormPrint::CBBemassungClick));

    // The overview of every band as a last page; not asked for, the pages stay the classic ones.
    CBAlleBaender = new QCheckBox("Alle Bänder", this);
    CBAlleBaender->setObjectName("CBAlleBaender");
    CBAlleBaender->setToolTip("Die Übersicht aller Bänder als letzte Seite anfügen");
    CBAlleBaender->move(732, 24);
    connect(CBAlleBaender, &QCheckBox::clicked, this, Guarded(this, &TFormPrint::CBAlleBaenderClick));

    ButPdf = new QPushButton("PDF speichern", this);
    ButPdf->setObjectName("ButPdf");
    ButPdf->setGeometry(604, 8, 113, 49);
    connect(ButPdf, &QPushButton::clicked, this, Guarded(this, &TFormPrint::ButPdfClick));
}

void TFormPrint::createNavigator()
{
    Navigator = new QToolBar(this);
    Navigator->setObjectName("Navigator");
    Navigator->setIconSize(QSize(24, 24));
    Navigator->move(16, 8);
    auto add = [this](const char *name, const QIcon &icon, const QString &text, auto handler) {
        QAction *action = Navigator->addAction(icon, text);
        action->setObjectName(name);
        action->setToolTip(text);
        connect(action, &QAction::triggered, this, [handler] { RunGuarded(handler); });
        return action;
    };
    add("NavPrevious", previewIcon("go-previous"), "Vorherige Seite",
        [this] { Preview->setCurrentPage(currentPage() - 1); });
    add("NavNext", previewIcon("go-next"), "Nächste Seite", [this] { Preview->setCurrentPage(currentPage() + 1); });
    // A new zoom stays on the page shown.
    auto keepPage = [this](auto zoom) {
        return [this, zoom] {
            const int page = currentPage();
            zoom();
            Preview->setCurrentPage(page);
        };
    };
    add("NavZoomIn", previewIcon("zoom-in"), "Vergrößern", keepPage([this] { setZoom(zoomFactor() * kZoomStep); }));
    add("NavZoomOut", previewIcon("zoom-out"), "Verkleinern", keepPage([this] { setZoom(zoomFactor() / kZoomStep); }));
    add("NavActualSize", {}, "1:1", keepPage([this] { setZoom(1); }))->setToolTip("Originalgröße");
    add("NavFitWidth", previewIcon("zoom-fit-width"), "Seitenbreite", keepPage([this] { Preview->fitToWidth(); }));
    add("NavFitHeight", previewIcon("zoom-fit-width", true), "Seitenhöhe", keepPage([this] { fitHeight(); }));
    add("NavWholePage", previewIcon("zoom-fit-page"), "Ganze Seite", keepPage([this] { fitWholePage(); }));
    Navigator->adjustSize();
}

int TFormPrint::currentPage() const
{
    return Preview->currentPage();
}

double TFormPrint::zoomFactor() const
{
    return Preview->zoomFactor();
}

PrintoutView TFormPrint::pageView() const
{
    PrintoutView view;
    view.rays = CBStrahlen->isChecked();
    view.dimensions = CBBemassung->isChecked();
    return view;
}

void TFormPrint::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!built_) {
        VorschauErzeugen();
        // The preview lays out its view only once shown: fit the page again when it has.
        QTimer::singleShot(0, this, [this] {
            if (Preview->zoomMode() == QPrintPreviewWidget::FitInView)
                fitWholePage();
        });
    }
    built_ = true;
}

void TFormPrint::VorschauErzeugen()
{
    dateText_ = GermanDate(QDate::currentDate());
    pages_ = PrintoutPages(data_, dateText_, CBAlleBaender->isChecked());
    Preview->updatePreview();
    fitWholePage();
    Preview->setCurrentPage(1);
}

void TFormPrint::rebuildKeepingView()
{
    const int page = currentPage();
    const QPrintPreviewWidget::ZoomMode mode = Preview->zoomMode();
    const double zoom = zoomFactor();
    VorschauErzeugen();
    if (mode == QPrintPreviewWidget::FitToWidth)
        Preview->fitToWidth();
    else if (mode == QPrintPreviewWidget::CustomZoom)
        setZoom(zoom);
    Preview->setCurrentPage(page);
}

void TFormPrint::paintPreview(QPrinter *printer)
{
    PrintoutView view = pageView();
    view.marginLines = true;
    PaintPrintout(*printer, pages_, data_, view);
}

void TFormPrint::setZoom(double zoom)
{
    Preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    Preview->setZoomFactor(std::clamp(zoom, kMinZoom, kMaxZoom));
}

void TFormPrint::fitWholePage()
{
    // The preview leaves a page alone that it already shows whole, however small: zoom in first.
    setZoom(kMaxZoom);
    Preview->fitInView();
}

void TFormPrint::fitHeight()
{
    // Zoom 1 shows the sheet at its real size on the screen.
    const double sheetPixels = kA4HeightInch * Preview->logicalDpiY();
    const int room = Preview->height() - 20;
    if (sheetPixels > 0 && room > 0)
        setZoom(room / sheetPixels);
}

void TFormPrint::ButPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(PdfTitle(data_.texts)));
    if (!Dialogs().printDialog(printer, pageCount()))
        return;
    int first = 1, last = pageCount();
    switch (printer.printRange()) {
    case QPrinter::AllPages:
        break;
    case QPrinter::PageRange:
        first = printer.fromPage();
        last = printer.toPage();
        break;
    case QPrinter::CurrentPage:
        first = last = currentPage();
        break;
    case QPrinter::Selection:
        return; // there is nothing to select on these pages
    }
    // Where the print system cannot make copies itself, each copy is sent in turn.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    if (PaintPrintout(printer, pages_, data_, pageView(), first, last, copies) == 0)
        Dialogs().message(MessageKind::Error, "Der Ausdruck konnte nicht gestartet werden.");
}

void TFormPrint::ButPdfClick()
{
    const QString proposed = UserDesktopFolder() + QString::fromStdString(PdfFileName(data_));
    const QString path =
        Dialogs().saveFileName("PDF speichern", proposed, "PDF-Dateien (*.pdf)", "PDF-Dateien (*.pdf)", "pdf");
    if (path.isEmpty())
        return;
    try {
        WritePrintoutPdf(path, pages_, data_, pageView());
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, QString::fromStdString(e.what()));
    }
}
