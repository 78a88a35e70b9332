#pragma once

// TFormPrint, "Ausdruck einer Konfiguration": the documentation pages in a page preview with
// a navigator, the picture's two variants, printing through the print dialog and saving as
// PDF. It works on a copy of the main window's texts and data and writes nothing back.

#include "print/DruckenLayout.h"
#include "print/draw/DruckenSeiten.h"

#include <QDialog>
#include <QPrinter>
#include <vector>

class QAction;
class QCheckBox;
class QPrintPreviewWidget;
class QPushButton;
class QToolBar;

class TFormPrint : public QDialog
{
    Q_OBJECT
public:
    explicit TFormPrint(PrintoutData data, QWidget *parent = nullptr);

    // What tests and the main window read.
    int pageCount() const { return static_cast<int>(pages_.size()); }
    int currentPage() const;
    double zoomFactor() const;
    const std::vector<PrintPage> &pages() const { return pages_; }
    PrintoutView pageView() const; // the picture's variants as ticked, without preview marks

    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 2.0;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createNavigator();
    void VorschauErzeugen();
    void rebuildKeepingView();
    void CBStrahlenClick() { rebuildKeepingView(); }
    void CBBemassungClick() { rebuildKeepingView(); }
    void CBAlleBaenderClick() { rebuildKeepingView(); }
    void ButPrintClick();
    void ButPdfClick();
    void paintPreview(QPrinter *printer);
    void setZoom(double zoom);
    void fitHeight();
    void fitWholePage();

    PrintoutData data_;
    QString dateText_;
    std::vector<PrintPage> pages_;
    QPrinter previewPrinter_;
    QPrintPreviewWidget *Preview = nullptr;
    QToolBar *Navigator = nullptr;
    QPushButton *ButPrint = nullptr;
    QPushButton *ButPdf = nullptr;
    QCheckBox *CBStrahlen = nullptr;
    QCheckBox *CBBemassung = nullptr;
    QCheckBox *CBAlleBaender = nullptr;
    bool built_ = false;
};
