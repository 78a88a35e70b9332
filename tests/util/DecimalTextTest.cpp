#include "util/ConvertError.h"
#include "util/DecimalText.h"

#include <clocale>
#include <cmath>
#include <cfloat>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

struct FormatCase {
    const char *name;
    std::string expected;
    std::string actual;
};

void expectAll(std::initializer_list<FormatCase> cases)
{
    for (const FormatCase &c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;
}

} // namespace

TEST(LocaleRun, GermanEnvironmentReallyApplies)
{
    const char *all = std::getenv("LC_ALL");
    if (!all || std::string(all).rfind("de_DE", 0) != 0)
        GTEST_SKIP() << "run without a German locale";
    // If this fails the German run silently tests the C locale.
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

TEST(StrictReading, AcceptsWhatTheProgramWrites)
{
    struct {
        const char *text;
        double value;
    } cases[] = {
        {"1,5", 1.5},   {"-2,15", -2.15}, {"1,5E3", 1500}, {" 7 ", 7},   {"+3", 3},
        {"0,004", 0.004}, {"2,5e-1", 0.25}, {"10", 10},    {",5", 0.5},   {"5,", 5},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(StrictToFloat(c.text), c.value) << c.text;
}

TEST(StrictReading, RejectsEverythingElse)
{
    for (const char *text : {"", " ", "1.5", "1.234,5", "1,234,5", "abc", "1,5 W", "E3", "1E",
                             "--1", "nan", "inf", "1e999", "0x10", "1 5"}) {
        EXPECT_FALSE(TryStrictToFloat(text).has_value()) << "'" << text << "'";
        EXPECT_THROW(StrictToFloat(text), ConvertError) << "'" << text << "'";
    }
}

TEST(StrictReading, FailureCarriesGermanMessage)
{
    try {
        StrictToFloat("abc");
        FAIL() << "no exception";
    } catch (const ConvertError &e) {
        EXPECT_STREQ(e.what(), "'abc' ist kein gültiger Gleitkommawert.");
    }
}

TEST(TolerantReading, PointAndCommaBothServe)
{
    EXPECT_DOUBLE_EQ(TolerantToFloat("10.5"), 10.5);
    EXPECT_DOUBLE_EQ(TolerantToFloat("10,5"), 10.5);
    EXPECT_EQ(NormalizeDecimal("1.234,5"), "1,234,5");
    EXPECT_THROW(TolerantToFloat("1.234,5"), ConvertError); // no thousands separator
    EXPECT_THROW(TolerantToFloat(""), ConvertError);
}

TEST(IntegerReading, WholeNumbersOnly)
{
    EXPECT_EQ(TryStrictToInt(" 12 "), 12);
    EXPECT_EQ(TryStrictToInt("-3"), -3);
    for (const char *text : {"", "1,5", "x", "99999999999"})
        EXPECT_FALSE(TryStrictToInt(text).has_value()) << text;
}

TEST(Formatters, FixedPointFormats)
{
    expectAll({
        {"positive zero", "---", FormatPositive("%3.2f m", 0)},
        {"positive sentinel", "---", FormatPositive("%3.2f m", -99)},
        {"positive tiny", "0,00 m", FormatPositive("%3.2f m", 0.004)},
        {"width is a minimum", "1234,57 W", FormatValue("%3.2f W", 1234.567)},
        {"padding", "  1,5", FormatValue("%5.1f", 1.5)},
        {"table dash", " --  ", FormatPositiveTable("%6.2f", -99)},
        {"table value", "  27,50", FormatPositiveTable("%7.2f", 27.5)},
        {"negative", "-2,15", FormatValue("%3.2f", -2.15)},
        {"no negative zero", "0,00", FormatValue("%3.2f", -0.001)},
        {"int", "   42", FormatInt("%5d", 42)},
        {"int narrow", "7", FormatInt("%1d", 7)},
        {"text right", " ab", FormatText("%3s", "ab")},
        {"text left", "ab ", FormatText("%-3s", "ab")},
        {"umlaut counts once", " Öl", FormatText("%3s", "Öl")},
        {"percent literal", "5 %", FormatValue("%1.0f %%", 5)},
    });
}

TEST(Formatters, Auto6ChoosesRangeBeforeRounding)
{
    expectAll({
        {"fraction", "0,1357", FormatAuto6(0.1357)},
        {"below one rounds up", "1,0000", FormatAuto6(0.99999)},
        {"one", "  1,00", FormatAuto6(1)},
        {"small", "  3,50", FormatAuto6(3.5)},
        {"hundreds", "144,00", FormatAuto6(144)},
        {"thousands", "1240,0", FormatAuto6(1240)},
        {"ten thousand", " 10000", FormatAuto6(10000)},
        {"negative", "    -5", FormatAuto6(-5)},
    });
}

TEST(Formatters, ToWidth)
{
    expectAll({
        {"2.15", "2,150", FormatToWidth(5, 2.15)},
        {"12.3", "12,30", FormatToWidth(5, 12.3)},
        {"123.4", "123,4", FormatToWidth(5, 123.4)},
        {"1234", " 1234", FormatToWidth(5, 1234)},
        {"-2.15", "-2,15", FormatToWidth(5, -2.15)},
    });
}

TEST(Formatters, SignificantDigits)
{
    expectAll({
        {"100", "100", FormatSigDigits(3, 100)},
        {"10", "10,0", FormatSigDigits(3, 10)},
        {"750", "750", FormatSigDigits(3, 750)},
        {"9.999 carries", "10,0", FormatSigDigits(3, 9.999)},
        {"1234.5", "1230", FormatSigDigits(3, 1234.5)},
        {"0.5", "0,500", FormatSigDigits(3, 0.5)},
        {"0", "0,00", FormatSigDigits(3, 0)},
        {"999.6 carries into fourth digit", "1000", FormatSigDigits(3, 999.6)},
        {"0.012345", "0,0123", FormatSigDigits(3, 0.012345)},
        {"8.6 W", "8,60", FormatSigDigits(3, 8.6)},
    });
}

TEST(Formatters, HalfEvenInSignificantDigits)
{
    // 2.5 and 3.5 on one digit: the integer step rounds ties to even.
    EXPECT_EQ(FormatSigDigits(1, 2.5), "2");
    EXPECT_EQ(FormatSigDigits(1, 3.5), "4");
    EXPECT_EQ(FormatSigDigits(2, 12.5), "12");
}

TEST(Formatters, ValuesBeyondWhatCanBeShownGiveDashes)
{
    const double inf = INFINITY;
    expectAll({
        {"infinite power", "---", FormatValue("%3.2f W", inf)},
        {"minus infinity", "---", FormatValue("%3.2f", -inf)},
        {"not a number", "---", FormatValue("%3.2f m", NAN)},
        {"positive nan", "---", FormatPositive("%3.2f m", NAN)},
        {"16 integer digits", "---", FormatValue("%3.2f W", 1e15)},
        {"largest double", "---", FormatValue("%7.2f", DBL_MAX)},
        {"15 integer digits still shown", "999999999999999,00", FormatValue("%3.2f", 999999999999999.0)},
        {"auto6 huge", "---", FormatAuto6(1e300)},
        {"to width infinite", "---", FormatToWidth(5, inf)},
        {"to width huge", "---", FormatToWidth(5, -1e300)},
        {"sig digits largest double", "---", FormatSigDigits(3, DBL_MAX)},
        {"sig digits infinite", "---", FormatSigDigits(3, inf)},
        {"sig digits nan", "---", FormatSigDigits(3, NAN)},
        {"sig digits carry past the limit", "---", FormatSigDigits(3, 999999999999999.0)},
        {"sig digits smallest subnormal", "0,00", FormatSigDigits(3, 4.9e-324)},
        {"sig digits below a nanowatt", "0,00", FormatSigDigits(3, 1e-10)},
        {"sig digits a nanowatt", "0,00000000100", FormatSigDigits(3, 1e-9)},
        {"sig digits one megawatt", "1000000", FormatSigDigits(3, 1e6)},
        {"absurd width", "5", FormatValue("%99999999999999999999.0f", 5).substr(999)},
    });
}

TEST(Formatters, EveryNumberTextReadsBack)
{
    for (double x : {DBL_MAX, 1.7976931348623157e308, 4.9e-324, 1e15, 999999999999999.9, 1e6, 1e-9, 0.0}) {
        for (const std::string &text :
             {FormatValue("%3.2f", x), FormatSigDigits(3, x), FormatAuto6(x), FormatToWidth(5, x)}) {
            if (text != "---") {
                EXPECT_TRUE(TryStrictToFloat(text).has_value()) << text;
            }
        }
    }
}

TEST(Formatters, ColumnsAndSmallTexts)
{
    EXPECT_EQ(ColumnText({0, 5, 8}, {"ab", "cd", "e"}), "ab   cd e");
    EXPECT_EQ(ColumnText({0, 2}, {"abcd", "x"}), "abcdx"); // overlong text pushes right
    EXPECT_EQ(ColumnText({2}, {"Ä"}), "  Ä");
    EXPECT_EQ(LineBreaks(2), "\r\n\r\n");
    EXPECT_EQ(YesNo(true), "Ja");
    EXPECT_EQ(YesNo(false), "Nein");
}

TEST(Formatters, NeverADecimalPointWhateverTheLocale)
{
    for (double x : {0.5, 1234.5678, -7.25, 1e-7, 98765.4321}) {
        for (const char *format : {"%3.2f", "%10.6f", "%3.4f A/m"})
            EXPECT_EQ(FormatValue(format, x).find('.'), std::string::npos) << format << " " << x;
        EXPECT_EQ(FormatAuto6(x).find('.'), std::string::npos) << x;
        EXPECT_EQ(FormatSigDigits(3, x).find('.'), std::string::npos) << x;
    }
}
