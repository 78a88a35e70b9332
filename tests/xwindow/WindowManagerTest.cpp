// Windows under a real window manager (openbox on Xvfb): the frame it adds must not make the
// main window creep, windows open fully on the screen, and the title bar names the program.
#include "FormFixture.h"
#include "XDisplay.h"
#include "print/window/Drucken.h"
#include "util/TextFile.h"
#include "views/DiaGramm.h"
#include "views/GrenzwerttabellePS.h"
#include "views/Koordinaten.h"
#include "views/MakeAnt.h"
#include "views/Seitenansicht.h"
#include "views/TwoDimDataU.h"
#include "views/VirtMP.h"

#include <QProcess>
#include <QScreen>
#include <QWindow>
#include <functional>
#include <memory>

namespace
{

#define SKIP_WITHOUT_DISPLAY()                                                                                          \
    if (!TestDisplay().ready)                                                                                          \
    GTEST_SKIP() << "kein X-Server mit Fenstermanager: " << TestDisplay().reason

// The frame as the window system has it now.
QRect frameOf(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    return handle ? window.geometry().marginsAdded(handle->frameMargins()) : window.geometry();
}

// Shown, and framed by the window manager.
bool showFramed(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    return QTest::qWaitFor([&] { return frameOf(window) != window.geometry(); });
}


// The title the X server holds for the window, as the window manager shows it.
QString xTitle(const QWidget &window)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window.winId()), "_NET_WM_NAME"});
    xprop.waitForFinished();
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = out.indexOf('"');
    return quote < 0 ? out : out.mid(quote + 1).chopped(1);
}

} // namespace

TEST_F(FormTest, MainWindowKeepsItsPlaceOverThreeRestarts)
{
    SKIP_WITHOUT_DISPLAY();
    const QString ini = path("Feldora.ini");
    WriteTextLines(ini.toStdString(), {"[Fensterpositionen]", "Left=99", "Top=80"});
    for (int run = 1; run <= 3; ++run) {
        start();
        ASSERT_TRUE(showFramed(*form)) << "start " << run;
        EXPECT_EQ(form->geometry().topLeft(), QPoint(99, 80)) << "start " << run;
        form->close();
        form.reset();
        EXPECT_EQ(storedPosition(ini), "99/80") << "start " << run;
    }
}

TEST_F(FormTest, WindowsOpenFullyOnTheScreen)
{
    SKIP_WITHOUT_DISPLAY();
    // Stored near the bottom-right corner: the frame would reach beyond the edge.
    WriteTextLines(path("Feldora.ini").toStdString(), {"[Fensterpositionen]", "Left=1500", "Top=1100"});
    start();
    ASSERT_TRUE(showFramed(*form));
    const QRect screen = form->screen()->availableGeometry();
    (void)QTest::qWaitFor([&] { return screen.contains(frameOf(*form)); }); // the move into the screen
    EXPECT_TRUE(screen.contains(frameOf(*form))) << frameOf(*form).x() << "," << frameOf(*form).y();

    TFormKoordinaten coordinates;
    coordinates.move(1182, 819); // where it once opened, 418 x 396
    ASSERT_TRUE(showFramed(coordinates));
    (void)QTest::qWaitFor([&] { return screen.contains(frameOf(coordinates)); });
    EXPECT_TRUE(screen.contains(frameOf(coordinates)))
        << frameOf(coordinates).x() << "," << frameOf(coordinates).y() << " " << frameOf(coordinates).width() << "x"
        << frameOf(coordinates).height();
}

// Keeping a window on the screen must not undo a dialog's own centring over its window.
TEST_F(FormTest, DialogsStayCentredOverTheMainWindow)
{
    SKIP_WITHOUT_DISPLAY();
    start();
    ASSERT_TRUE(showFramed(*form));
    TFormEigeneAntenne dialog(EigeneAntenneInput{}, form.get());
    ASSERT_TRUE(showFramed(dialog));
    // Centred up to a title bar's height, depending on how the window manager places a transient
    // window; a dialog pushed aside lies hundreds of pixels off.
    const auto offset = [&] { return dialog.geometry().center() - form->geometry().center(); };
    (void)QTest::qWaitFor([&] { return offset().manhattanLength() < 30; });
    EXPECT_LT(offset().manhattanLength(), 80) << offset().x() << "," << offset().y();
}

TEST_F(FormTest, TitleBarsNameTheProgram)
{
    SKIP_WITHOUT_DISPLAY();
    start();
    ASSERT_TRUE(showFramed(*form));
    EXPECT_EQ(xTitle(*form), "Feldora v 2.1.0 — Feldora");
    const QRect screen = form->screen()->availableGeometry();
    DiagramWindowInput diagram{"Test Beam 2m", 2.15, 15, {0, 90, 180}, {0, 10, 30}};
    SideViewInput side;
    side.antennaTitle = "Test Beam 2m";
    side.power = 100;
    side.gain = 2.15;
    side.band = 15;
    side.angles = {0, 90, 180};
    side.distances = {5, 5, 5};
    side.height = 10;
    const std::pair<const char *, std::function<std::unique_ptr<QWidget>()>> windows[] = {
        {"Export virtueller Messpunkte — Feldora",
         [&] { return std::make_unique<TFormVirtMP>(VirtMPInput{}, form.get()); }},
        {"Diagramm  Test Beam 2m  2,15 dBi    2m-Band   — Feldora",
         [&] { return std::make_unique<TFormDiagramm>(diagram, form.get()); }},
        {"Seitenansicht    Test Beam 2m    100 W    2,15 dBi      2m-Band     — Feldora",
         [&] { return std::make_unique<TFormSeitenansicht>(side, form.get()); }},
        {"Grenzwerte zur Berechnung der Anzeige nach BEMFV — Feldora",
         [&] { return std::make_unique<TFormGrenzwerttabellePS>(form.get()); }},
        {"Eigene Antenne konstruieren — Feldora",
         [&] { return std::make_unique<TFormEigeneAntenne>(EigeneAntenneInput{}, form.get()); }},
        {"Koordinaten — Feldora", [&] { return std::make_unique<TFormKoordinaten>(form.get()); }},
        {"Ausdruck einer Konfiguration — Feldora",
         [&] { return std::make_unique<TFormPrint>(form->printoutData(), form.get()); }},
        {"Werkzeug zur schnellen Erstellung eines Lageplans für die BEMFV-Anzeige — Feldora",
         [&] { return std::make_unique<TFormDraufsicht>(SitePlanStart{QDate(2026, 12, 10), 1600, {}}, form.get()); }},
    };
    for (const auto &[title, make] : windows) {
        std::unique_ptr<QWidget> window = make();
        ASSERT_TRUE(showFramed(*window)) << title;
        EXPECT_EQ(xTitle(*window), title);
        (void)QTest::qWaitFor([&] { return screen.contains(frameOf(*window)); });
        EXPECT_TRUE(screen.contains(frameOf(*window))) << title;
    }
}
