#include "data/IniReader.h"

#include "util/TextFile.h"

#include <ini.h>

#include <algorithm>
#include <cstring>

namespace
{

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string trimSpace(const std::string &text)
{
    size_t b = 0, e = text.size();
    while (b < e && isSpace(text[b]))
        ++b;
    while (e > b && isSpace(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

// The parser keeps lines in a small fixed buffer, cuts section names short, joins indented
// lines to the previous value and ends a value at " ;". None of that suits file paths, so the
// line reader hands it such names and values as short placeholders and the handler puts the
// texts back. A placeholder holds the byte 0xFF, which no decoded (UTF-8) text contains.
struct LineFeed {
    std::vector<std::string> lines;
    size_t next = 0;
    std::vector<std::string> held;
    IniDocument *document = nullptr;
    std::string section;

    std::string hold(const std::string &text)
    {
        held.push_back(text);
        return "\xFF" + std::to_string(held.size() - 1) + "\xFF";
    }

    std::string resolve(const char *text) const
    {
        size_t n = std::strlen(text);
        if (n < 3 || static_cast<unsigned char>(text[0]) != 0xFF || static_cast<unsigned char>(text[n - 1]) != 0xFF)
            return text;
        size_t index = 0;
        for (size_t i = 1; i + 1 < n; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return text;
            index = index * 10 + static_cast<size_t>(text[i] - '0');
            if (index >= held.size())
                return text;
        }
        return held[index];
    }
};

// Names and values the parser would not take literally.
bool needsHolding(const std::string &text, size_t limit)
{
    if (text.size() > limit)
        return true;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] == ';' && isSpace(text[i - 1]))
            return true;
    return false;
}

std::string prepareLine(LineFeed &feed, std::string line, size_t room)
{
    const int number = static_cast<int>(feed.next);
    line = trimSpace(line.substr(0, line.find('\0')));
    while (line.compare(0, 3, "\xEF\xBB\xBF") == 0) // a byte-order mark is no part of a name
        line = trimSpace(line.substr(3));
    if (line.empty() || line[0] == ';' || line[0] == '#')
        return "";
    if (line[0] == '[') {
        size_t close = line.find(']');
        if (close == std::string::npos) {
            feed.document->strayLines.push_back(number);
            return "[";
        }
        std::string name = line.substr(1, close - 1);
        feed.document->sections.push_back(IniSectionHeader{name, number});
        return "[" + (needsHolding(name, 40) ? feed.hold(name) : name) + "]";
    }
    size_t split = line.find_first_of("=:");
    if (split == std::string::npos) {
        feed.document->strayLines.push_back(number);
        return "";
    }
    std::string key = trimSpace(line.substr(0, split));
    std::string value = trimSpace(line.substr(split + 1));
    size_t half = room / 2 - 2;
    if (needsHolding(key, half))
        key = feed.hold(key);
    if (needsHolding(value, half))
        value = feed.hold(value);
    return key + "=" + value;
}

char *readLine(char *buffer, int size, void *stream)
{
    auto *feed = static_cast<LineFeed *>(stream);
    if (feed->next >= feed->lines.size() || size < 64)
        return nullptr;
    const std::string &raw = feed->lines[feed->next++];
    std::string line = prepareLine(*feed, raw, static_cast<size_t>(size) - 3);
    size_t n = std::min(line.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, line.data(), n);
    buffer[n] = '\0';
    return buffer;
}

int onEntry(void *user, const char *section, const char *key, const char *value)
{
    auto *feed = static_cast<LineFeed *>(user);
    if (!section || !key || !value)
        return 1;
    feed->document->entries.push_back(
        IniEntry{feed->resolve(section), feed->resolve(key), feed->resolve(value), static_cast<int>(feed->next)});
    return 1;
}

} // namespace

IniDocument ReadIniText(const std::string &text)
{
    IniDocument document;
    LineFeed feed;
    feed.lines = SplitLines(text);
    feed.document = &document;
    ini_parse_stream(readLine, &feed, onEntry, &feed);
    return document;
}
