#include "print/window/Drucken.h"

#include "FileTestSupport.h"
#include "PdfTools.h"
#include "ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

PrintoutData Station(size_t rows)
{
    PrintoutData d;
    d.texts.callsign = "DL9XYZ";
    d.texts.band = "2m";
    d.texts.wiesbeckDirectivity = "---";
    d.texts.version = "v 2.1.0";
    d.texts.angleDataPresent = rows > 0;
    for (size_t i = 0; i < rows; ++i) {
        d.texts.angleRows.push_back({std::to_string(i), "0,00", "100,00", "5,00"});
        d.angles.push_back(static_cast<int>(i));
        d.distances.push_back(5);
    }
    d.height = 10;
    d.fileTag = "2m";
    return d;
}

void Trigger(TFormPrint &form, const char *action)
{
    QAction *a = form.findChild<QAction *>(action);
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
}

template <typename T> T *Child(TFormPrint &form, const char *name)
{
    T *child = form.findChild<T *>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// HOME and the desktop folder of a test.
class ScratchHome
{
public:
    explicit ScratchHome(bool withDesktop) : oldHome_(qgetenv("HOME")), oldConfig_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", QByteArray::fromStdString(dir_.path()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir_.file(".config")));
        if (withDesktop)
            QDir().mkpath(QString::fromStdString(dir_.file("Desktop")));
    }
    ~ScratchHome()
    {
        qputenv("HOME", oldHome_);
        qputenv("XDG_CONFIG_HOME", oldConfig_);
    }
    QString file(const std::string &name) const { return QString::fromStdString(dir_.file(name)); }

private:
    TempDir dir_;
    QByteArray oldHome_, oldConfig_;
};

} // namespace

TEST(PrintWindow, LayoutAndFirstBuild)
{
    TFormPrint form(Station(49));
    EXPECT_EQ(form.windowTitle(), "Ausdruck einer Konfiguration");
    EXPECT_DOUBLE_EQ(form.zoomFactor(), 0.2);
    form.show();
    EXPECT_EQ(form.pageCount(), 3);
    EXPECT_EQ(form.currentPage(), 1);
    auto *preview = Child<QPrintPreviewWidget>(form, "Preview");
    EXPECT_EQ(preview->geometry(), QRect(10, 70, form.width() - 30, form.height() - 110));
    EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitInView);
    auto *print = Child<QPushButton>(form, "ButPrint");
    EXPECT_EQ(print->geometry(), QRect(344, 8, 113, 49));
    EXPECT_TRUE(print->isDefault());
    EXPECT_TRUE(print->font().bold());
    auto *rays = Child<QCheckBox>(form, "CBStrahlen");
    auto *dimensions = Child<QCheckBox>(form, "CBBemassung");
    EXPECT_FALSE(rays->isChecked());
    EXPECT_TRUE(dimensions->isChecked());
    EXPECT_EQ(rays->pos(), QPoint(464, 12));
    EXPECT_EQ(dimensions->pos(), QPoint(464, 36));
    EXPECT_EQ(Child<QPushButton>(form, "ButPdf")->text(), "PDF speichern");
}

TEST(PrintWindow, FirstViewShowsTheWholeFirstPage)
{
    for (size_t rows : {size_t(0), size_t(49)}) {
        SCOPED_TRACE(rows);
        TFormPrint form(Station(rows));
        form.show();
        QApplication::processEvents();
        auto *preview = Child<QPrintPreviewWidget>(form, "Preview");
        const double sheetHeight = form.zoomFactor() * 297 / 25.4 * preview->logicalDpiY();
        EXPECT_GT(sheetHeight, 0.85 * preview->height());
        EXPECT_LT(sheetHeight, preview->height());
        EXPECT_EQ(form.currentPage(), 1);
    }
}

TEST(PrintWindow, NavigatorPagesAndZoomLimits)
{
    TFormPrint form(Station(49));
    form.show();
    Trigger(form, "NavNext");
    Trigger(form, "NavNext");
    Trigger(form, "NavNext");
    EXPECT_EQ(form.currentPage(), 3);
    Trigger(form, "NavPrevious");
    EXPECT_EQ(form.currentPage(), 2);

    Trigger(form, "NavActualSize");
    EXPECT_DOUBLE_EQ(form.zoomFactor(), 1.0);
    for (int i = 0; i < 10; ++i)
        Trigger(form, "NavZoomIn");
    EXPECT_DOUBLE_EQ(form.zoomFactor(), TFormPrint::kMaxZoom);
    for (int i = 0; i < 30; ++i)
        Trigger(form, "NavZoomOut");
    EXPECT_DOUBLE_EQ(form.zoomFactor(), TFormPrint::kMinZoom);

    Trigger(form, "NavFitWidth");
    EXPECT_EQ(Child<QPrintPreviewWidget>(form, "Preview")->zoomMode(), QPrintPreviewWidget::FitToWidth);
    Trigger(form, "NavFitHeight");
    const double fitHeight = form.zoomFactor();
    Trigger(form, "NavWholePage");
    EXPECT_EQ(Child<QPrintPreviewWidget>(form, "Preview")->zoomMode(), QPrintPreviewWidget::FitInView);
    // A4 is taller than wide and the preview wider than tall: both fits show the whole height.
    EXPECT_NEAR(fitHeight, form.zoomFactor(), 0.05);
    EXPECT_EQ(form.currentPage(), 2);
}

TEST(PrintWindow, CheckBoxesRebuildKeepingPageAndZoom)
{
    TFormPrint form(Station(49));
    form.show();
    Trigger(form, "NavNext");
    Trigger(form, "NavNext");
    Trigger(form, "NavActualSize");
    Trigger(form, "NavZoomOut");
    const double zoom = form.zoomFactor();
    for (const char *box : {"CBStrahlen", "CBBemassung"}) {
        SCOPED_TRACE(box);
        QTest::mouseClick(Child<QCheckBox>(form, box), Qt::LeftButton);
        EXPECT_EQ(form.currentPage(), 3);
        EXPECT_DOUBLE_EQ(form.zoomFactor(), zoom);
    }
    EXPECT_TRUE(form.pageView().rays);
    EXPECT_FALSE(form.pageView().dimensions);
    EXPECT_FALSE(form.pageView().marginLines);
}

TEST(PrintWindow, AllBandsAddsTheOverviewAsLastPage)
{
    ScratchHome home(true);
    ScriptedDialogs dialogs;
    PrintoutData data = Station(49);
    data.allBandsHeading = {"Band", "EIRP"};
    data.allBandsRows = {{"20m", "559,13 W"}, {"15m", "552,79 W"}};
    TFormPrint form(data);
    form.show();
    auto *box = Child<QCheckBox>(form, "CBAlleBaender");
    EXPECT_EQ(box->text(), "Alle Bänder");
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(form.pageCount(), 3);

    Trigger(form, "NavNext");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(form.pageCount(), 4);
    EXPECT_EQ(form.currentPage(), 2);
    const QString target = home.file("Doku.pdf");
    dialogs.fileAnswers = {target};
    Child<QPushButton>(form, "ButPdf")->click();
    ASSERT_EQ(PdfPageCount(target), 4);
    QStringList last;
    for (const QString &line : PdfPageLines(target, 4))
        last << line.simplified();
    EXPECT_TRUE(last.contains("Übersicht aller Bänder"));
    EXPECT_TRUE(last.contains("15m 552,79 W")) << last.join('\n').toStdString();

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(form.pageCount(), 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(PrintWindow, PrintsChosenPagesAndCopiesThroughTheDialog)
{
    TempDir dir;
    ScriptedDialogs dialogs;
    const QString range = QString::fromStdString(dir.file("range.pdf"));
    const QString copies = QString::fromStdString(dir.file("copies.pdf"));
    dialogs.printAnswers = {{range, 2, 3, 1}, {copies, 0, 0, 2}, {}};
    TFormPrint form(Station(49));
    form.show();
    auto *print = Child<QPushButton>(form, "ButPrint");

    print->click();
    EXPECT_EQ(dialogs.lastPrintPageCount, 3);
    EXPECT_EQ(PdfPageCount(range), 2);
    EXPECT_TRUE(PdfPageLines(range, 1).join('\n').contains("Winkel [°]")); // document page 2

    print->click();
    EXPECT_EQ(PdfPageCount(copies), 6);
    EXPECT_EQ(PdfPageLines(copies, 4), PdfPageLines(copies, 1));

    print->click(); // cancelled
    EXPECT_EQ(dir.entryCount(), 2);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST(PrintWindow, SavesThePdfProposedOnTheDesktop)
{
    struct Case {
        const char *name;
        bool desktop;
        const char *folder;
    };
    const Case cases[] = {{"desktop folder", true, "Desktop/"}, {"home without desktop", false, ""}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchHome home(c.desktop);
        ScriptedDialogs dialogs;
        const QString target = home.file("Doku.pdf");
        dialogs.fileAnswers = {target};
        TFormPrint form(Station(49));
        form.show();
        Child<QPushButton>(form, "ButPdf")->click();
        EXPECT_EQ(dialogs.lastProposedPath, home.file(std::string(c.folder) + "DL9XYZ 2m.pdf"));
        EXPECT_EQ(dialogs.lastDefaultSuffix, "pdf");
        EXPECT_EQ(PdfPageCount(target), 3);
        EXPECT_EQ(PdfInfoField(target, "Title"), "Dokumentation nach §9 BEMFV DL9XYZ");
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST(PrintWindow, UnwritablePdfGivesAnErrorNamingTheFile)
{
    TempDir dir;
    ScriptedDialogs dialogs;
    const QString target = QString::fromStdString(dir.file("fehlt/Doku.pdf"));
    dialogs.fileAnswers = {target, ""};
    TFormPrint form(Station(0));
    form.show();
    auto *pdf = Child<QPushButton>(form, "ButPdf");
    pdf->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.lastMessage().contains(target));
    pdf->click(); // cancelled: nothing written, nothing said
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dir.entryCount(), 0);
}
