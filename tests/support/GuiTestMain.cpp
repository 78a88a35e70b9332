// Test main for the pictures: a QGuiApplication for fonts and images, no widgets, and the locale
// of the environment as in the other suites without a display. A picture never needs a display,
// so the platform is offscreen whatever the environment names.
#include <QGuiApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
