#include "util/ValueRanges.h"

#include <charconv>
#include <cmath>

namespace {

// Shortest text that reads back, decimal comma.
std::string boundText(double x)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    for (char &c : text)
        if (c == '.')
            c = ',';
    return text;
}

} // namespace

bool ValueRange::contains(double x) const { return std::isfinite(x) && low <= x && x <= high; }

std::string ValueRange::betweenText() const
{
    std::string text = boundText(low) + " und " + boundText(high);
    if (*unit)
        text += std::string(" ") + unit;
    return text;
}

std::string ValueRange::refusal(const std::string &subject) const
{
    return subject + " muß zwischen " + betweenText() + " liegen!";
}
