// Test main for the suites without a display: takes the locale from the environment
// (LC_ALL=C or de_DE.UTF-8 from CTest), so number texts are checked under both.
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
