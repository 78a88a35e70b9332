// Test main for window tests: an offscreen QApplication with the program's style, so no
// display is needed, not even to list the tests.
#include "views/Controls.h"

#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    ui::ApplyFeldoraStyle();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
