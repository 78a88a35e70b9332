#include "util/TextRoutines.h"

#include "util/Messages.h"

#include <algorithm>

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the character with the given 0-based index (size() when past the end).
size_t byteOffset(const std::string &text, int chars)
{
    size_t i = 0;
    int seen = 0;
    while (i < text.size() && seen < chars) {
        ++i;
        while (i < text.size() && isContinuation(static_cast<unsigned char>(text[i])))
            ++i;
        ++seen;
    }
    return i;
}

// Lower case for ASCII and the two-byte Latin-1 letters (Ä, Ö, Ü ...).
std::string foldCase(const std::string &text)
{
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z')
            out[i] = static_cast<char>(c + 32);
        else if (c == 0xC3 && i + 1 < out.size()) {
            unsigned char d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97)
                out[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
    return out;
}

} // namespace

std::vector<std::string> SplitText(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    size_t start = 0;
    for (;;) {
        size_t pos = text.find(separator, start);
        if (pos == std::string::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    return parts;
}

std::string filterCol(const std::string &text, int column, char separator)
{
    if (text.empty()) {
        ShowWarning("filterCol: Leerer String!");
        return {};
    }
    std::vector<std::string> parts = SplitText(text, separator);
    if (column < 0 || column >= static_cast<int>(parts.size()))
        return {};
    return parts[static_cast<size_t>(column)];
}

int CharCount(const std::string &text)
{
    int n = 0;
    for (unsigned char c : text)
        if (!isContinuation(c))
            ++n;
    return n;
}

std::string HeadChars(const std::string &text, int n)
{
    return text.substr(0, byteOffset(text, std::max(n, 0)));
}

std::string TailChars(const std::string &text, int n)
{
    int count = CharCount(text);
    if (n >= count)
        return text;
    return text.substr(byteOffset(text, count - std::max(n, 0)));
}

std::string DropHead(const std::string &text, int n)
{
    return text.substr(byteOffset(text, std::max(n, 0)));
}

std::string DropTail(const std::string &text, int n)
{
    int count = CharCount(text);
    if (n >= count)
        return {};
    return text.substr(0, byteOffset(text, count - std::max(n, 0)));
}

std::string PadLeft(const std::string &text, int length, char fill)
{
    int missing = length - CharCount(text);
    return missing > 0 ? std::string(static_cast<size_t>(missing), fill) + text : text;
}

std::string Spaces(int n) { return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string(); }

std::string RemoveChar(const std::string &text, char c)
{
    std::string out;
    out.reserve(text.size());
    for (char x : text)
        if (x != c)
            out += x;
    return out;
}

std::string RemoveQuotes(const std::string &text) { return RemoveChar(text, '"'); }

bool IsEmptyText(const std::string &text) { return text.empty(); }

std::string StripEnclosing(const std::string &text, const std::string &charSet)
{
    // Set members are ASCII; the bytes of a multi-byte character never match them.
    if (text.size() >= 2 && charSet.find(text.front()) != std::string::npos
        && charSet.find(text.back()) != std::string::npos)
        return text.substr(1, text.size() - 2);
    return text;
}

int LastCharPos(const std::string &text, char c)
{
    size_t pos = text.rfind(c);
    if (pos == std::string::npos)
        return -1;
    return CharCount(text.substr(0, pos)) + 1;
}

std::string Trim(const std::string &text)
{
    const char *blanks = " \t\r\n";
    size_t b = text.find_first_not_of(blanks);
    if (b == std::string::npos)
        return {};
    size_t e = text.find_last_not_of(blanks);
    return text.substr(b, e - b + 1);
}

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string WithSlash(const std::string &dir)
{
    return dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

bool EqualsIgnoreCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && foldCase(a) == foldCase(b);
}

