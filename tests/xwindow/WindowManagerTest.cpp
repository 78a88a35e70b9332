// Windows under a real window manager (openbox on Xvfb): the frame it adds must not make the
// main window creep, and windows open fully on the screen.
#include "FormFixture.h"
#include "XDisplay.h"
#include "util/TextFile.h"
#include "views/Koordinaten.h"

#include <QScreen>
#include <QWindow>

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

std::string storedPosition(const QString &ini)
{
    std::string left, top;
    for (const std::string &line : ReadTextLines(ini.toStdString())) {
        if (line.rfind("Left=", 0) == 0)
            left = line.substr(5);
        if (line.rfind("Top=", 0) == 0)
            top = line.substr(4);
    }
    return left + "/" + top;
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
    QTest::qWaitFor([&] { return screen.contains(frameOf(*form)); }); // the move into the screen
    EXPECT_TRUE(screen.contains(frameOf(*form))) << frameOf(*form).x() << "," << frameOf(*form).y();

    TFormKoordinaten coordinates;
    coordinates.move(1182, 819); // where it once opened, 418 x 396
    ASSERT_TRUE(showFramed(coordinates));
    QTest::qWaitFor([&] { return screen.contains(frameOf(coordinates)); });
    EXPECT_TRUE(screen.contains(frameOf(coordinates)))
        << frameOf(coordinates).x() << "," << frameOf(coordinates).y() << " " << frameOf(coordinates).width() << "x"
        << frameOf(coordinates).height();
}
