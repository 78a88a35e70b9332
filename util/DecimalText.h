#pragma once

// Decimal text with the fixed decimal comma: reading and formatting.
// Independent of the process locale: output never holds a decimal point.

#include <optional>
#include <string>
#include <vector>

// Every "." becomes "," so that a typed point serves as decimal separator.
std::string NormalizeDecimal(const std::string &text);

// Strict reading of text the program wrote itself: blanks around, optional sign,
// digits with an optional decimal comma, optional exponent "E". Throws ConvertError.
double StrictToFloat(const std::string &text);
std::optional<double> TryStrictToFloat(const std::string &text);

// Tolerant reading of typed text: NormalizeDecimal, then strict reading. Throws ConvertError.
double TolerantToFloat(const std::string &text);
std::optional<double> TryTolerantToFloat(const std::string &text);

// Whole numbers with optional sign and blanks around; nothing for any other text.
std::optional<int> TryStrictToInt(const std::string &text);

// printf-style formats with one conversion ("%3.2f W", "%5d", "%3s"); literal text around it stays.
// A value that is not finite or has more than 15 integer digits is shown as "---" alone.
std::string FormatValue(const std::string &format, double x);
std::string FormatPositive(const std::string &format, double x);      // "---" for x <= 0
std::string FormatPositiveTable(const std::string &format, double x); // " --  " for x <= 0
std::string FormatAuto6(double x);
std::string FormatToWidth(int width, double x);
std::string FormatSigDigits(int digits, double x);
std::string FormatInt(const std::string &format, long long n);
std::string FormatText(const std::string &format, const std::string &text);

// One line with each text starting at its 0-based column; overlong texts push the rest right.
std::string ColumnText(const std::vector<int> &positions, const std::vector<std::string> &texts);
std::string LineBreaks(int n); // n times CR LF
std::string YesNo(bool flag);  // "Ja" / "Nein"
