#include "util/DecimalText.h"

#include "util/ConvertError.h"
#include "util/NumRoutines.h"
#include "util/TextRoutines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Beyond 15 integer digits a fixed-point text is no longer exact and wider than any field:
// such a value, like one that is not finite, is shown as "---".
constexpr double kLargestShown = 1e15;
// Below this, significant digits would only be a long row of zeros.
constexpr double kSmallestSignificant = 1e-9;
// Format strings come from the program; the caps only keep a typo from asking for megabytes.
constexpr int kMaxFormatWidth = 1000;
constexpr int kMaxFormatDecimals = 50;
const std::string kNotShown = "---";

bool showable(double x) { return std::isfinite(x) && std::fabs(x) < kLargestShown; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the grammar of a strict decimal text and returns it in the form from_chars reads.
std::optional<std::string> canonicalNumber(const std::string &text)
{
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    std::string out;
    size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            out += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    while (i < e && isDigit(text[i])) {
        out += text[i++];
        ++mantissaDigits;
    }
    if (i < e && text[i] == ',') {
        out += '.';
        ++i;
        while (i < e && isDigit(text[i])) {
            out += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < e && (text[i] == 'E' || text[i] == 'e')) {
        out += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        size_t expDigits = 0;
        while (i < e && isDigit(text[i])) {
            out += text[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != e)
        return std::nullopt;
    return out;
}

struct FormatSpec {
    std::string prefix, suffix;
    bool leftAlign = false;
    bool zeroPad = false;
    bool plusSign = false;
    int width = 0;
    int precision = -1;
    char conversion = 0;
};

FormatSpec parseFormat(const std::string &format)
{
    FormatSpec spec;
    size_t i = 0;
    // Literal text up to the conversion; "%%" is a percent sign.
    while (i < format.size()) {
        if (format[i] == '%') {
            if (i + 1 < format.size() && format[i + 1] == '%') {
                spec.prefix += '%';
                i += 2;
                continue;
            }
            break;
        }
        spec.prefix += format[i++];
    }
    if (i >= format.size())
        return spec;
    ++i;
    for (; i < format.size(); ++i) {
        char c = format[i];
        if (c == '-')
            spec.leftAlign = true;
        else if (c == '0')
            spec.zeroPad = true;
        else if (c == '+')
            spec.plusSign = true;
        else if (c == ' ' || c == '#')
            continue;
        else
            break;
    }
    while (i < format.size() && isDigit(format[i]))
        spec.width = std::min(spec.width * 10 + (format[i++] - '0'), kMaxFormatWidth);
    if (i < format.size() && format[i] == '.') {
        ++i;
        spec.precision = 0;
        while (i < format.size() && isDigit(format[i]))
            spec.precision = std::min(spec.precision * 10 + (format[i++] - '0'), kMaxFormatDecimals);
    }
    if (i < format.size())
        spec.conversion = format[i++];
    for (; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%')
            ++i;
        spec.suffix += format[i];
    }
    return spec;
}

std::string pad(const FormatSpec &spec, std::string body)
{
    int length = CharCount(body);
    if (length < spec.width) {
        int missing = spec.width - length;
        if (spec.leftAlign)
            body += std::string(missing, ' ');
        else if (spec.zeroPad && spec.conversion != 's') {
            size_t signLength = (!body.empty() && (body[0] == '-' || body[0] == '+')) ? 1 : 0;
            body.insert(signLength, std::string(missing, '0'));
        } else
            body.insert(0, std::string(missing, ' '));
    }
    return spec.prefix + body + spec.suffix;
}

// Only called for showable values.
std::string fixedText(double x, int decimals)
{
    char buffer[128];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return kNotShown;
    std::string text(buffer, result.ptr);
    for (char &c : text)
        if (c == '.')
            c = ',';
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("0,", 1) == std::string::npos)
        text.erase(0, 1); // no "-0,00"
    return text;
}

} // namespace

std::string NormalizeDecimal(const std::string &text)
{
    std::string out = text;
    for (char &c : out)
        if (c == '.')
            c = ',';
    return out;
}

std::optional<double> TryStrictToFloat(const std::string &text)
{
    auto canonical = canonicalNumber(text);
    if (!canonical)
        return std::nullopt;
    double value = 0;
    const char *first = canonical->data();
    const char *last = first + canonical->size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double StrictToFloat(const std::string &text)
{
    if (auto value = TryStrictToFloat(text))
        return *value;
    throw ConvertError::notAFloat(text);
}

std::optional<double> TryTolerantToFloat(const std::string &text)
{
    return TryStrictToFloat(NormalizeDecimal(text));
}

double TolerantToFloat(const std::string &text)
{
    if (auto value = TryTolerantToFloat(text))
        return *value;
    throw ConvertError::notAFloat(text);
}

std::optional<int> TryStrictToInt(const std::string &text)
{
    std::string t = Trim(text);
    if (!t.empty() && t[0] == '+')
        t.erase(0, 1);
    int value = 0;
    const char *first = t.data();
    const char *last = first + t.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (t.empty() || ec != std::errc() || ptr != last)
        return std::nullopt;
    return value;
}

std::string FormatValue(const std::string &format, double x)
{
    if (!showable(x))
        return kNotShown;
    FormatSpec spec = parseFormat(format);
    int decimals = spec.precision < 0 ? 6 : spec.precision;
    if (spec.conversion == 'd')
        decimals = 0;
    std::string body = fixedText(x, decimals);
    if (spec.plusSign && !body.empty() && body[0] != '-')
        body.insert(0, "+");
    return pad(spec, body);
}

std::string FormatPositive(const std::string &format, double x)
{
    return x <= 0 ? std::string("---") : FormatValue(format, x);
}

std::string FormatPositiveTable(const std::string &format, double x)
{
    return x <= 0 ? std::string(" --  ") : FormatValue(format, x);
}

std::string FormatAuto6(double x)
{
    // The range is chosen before rounding.
    if (InHalfOpenRange(x, 0, 1))
        return FormatValue("%6.4f", x);
    if (InHalfOpenRange(x, 1, 100) || InHalfOpenRange(x, 100, 1000))
        return FormatValue("%6.2f", x);
    if (InHalfOpenRange(x, 1000, 10000))
        return FormatValue("%6.1f", x);
    return FormatValue("%6.0f", x);
}

std::string FormatToWidth(int width, double x)
{
    if (!showable(x))
        return kNotShown;
    int used = IntDigits(x) + 1;
    if (x < 0)
        used += 1;
    int decimals = ClampNonNegative(width - used);
    return FormatValue("%" + std::to_string(used) + "." + std::to_string(decimals) + "f", x);
}

std::string FormatSigDigits(int digits, double x)
{
    if (!showable(x))
        return kNotShown;
    if (std::fabs(x) < kSmallestSignificant)
        x = 0;
    digits = std::clamp(digits, 1, 17);
    int k = FloorInt(Log10OrZero(std::fabs(x)));
    int e = k - digits + 1;
    double q = RoundHalfEven(x / Pow10(e));
    double y = q / Pow10(digits - k - 1);
    if (!showable(y)) // rounding carried past the largest shown value
        return kNotShown;
    int k2 = FloorInt(Log10OrZero(std::fabs(y)));
    int shown = k2 + 1;
    std::string format;
    if (digits < shown)
        format = "%" + std::to_string(std::max(k2, 0)) + ".0f";
    else if (digits == shown)
        format = "%" + std::to_string(digits) + ".0f";
    else
        format = "%" + std::to_string(std::max(shown, 0)) + "." + std::to_string(digits - shown) + "f";
    return FormatValue(format, y);
}

std::string FormatInt(const std::string &format, long long n)
{
    FormatSpec spec = parseFormat(format);
    std::string body = std::to_string(n);
    if (spec.plusSign && n >= 0)
        body.insert(0, "+");
    return pad(spec, body);
}

std::string FormatText(const std::string &format, const std::string &text)
{
    FormatSpec spec = parseFormat(format);
    std::string body = text;
    if (spec.precision >= 0)
        body = HeadChars(body, spec.precision);
    return pad(spec, body);
}

std::string ColumnText(const std::vector<int> &positions, const std::vector<std::string> &texts)
{
    std::string line;
    size_t n = std::min(positions.size(), texts.size());
    for (size_t i = 0; i < n; ++i) {
        line += Spaces(positions[i] - CharCount(line));
        line += texts[i];
    }
    return line;
}

std::string LineBreaks(int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += "\r\n";
    return out;
}

std::string YesNo(bool flag) { return flag ? "Ja" : "Nein"; }
