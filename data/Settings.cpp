#include "data/Settings.h"

#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <ini.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const char *const kWindowSection = "Fensterpositionen";
const char *const kOptionSection = "Optionen";
const char *const kFileSection = "Dateinamen";

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
    line = trimSpace(line.substr(0, line.find('\0')));
    while (line.compare(0, 3, "\xEF\xBB\xBF") == 0) // a byte-order mark is no part of a name
        line = trimSpace(line.substr(3));
    if (line.empty() || line[0] == ';' || line[0] == '#')
        return "";
    if (line[0] == '[') {
        size_t close = line.find(']');
        if (close == std::string::npos)
            return "[";
        std::string name = line.substr(1, close - 1);
        return "[" + (needsHolding(name, 40) ? feed.hold(name) : name) + "]";
    }
    size_t split = line.find_first_of("=:");
    if (split == std::string::npos)
        return "";
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
    std::string line = prepareLine(*feed, feed->lines[feed->next++], static_cast<size_t>(size) - 3);
    size_t n = std::min(line.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, line.data(), n);
    buffer[n] = '\0';
    return buffer;
}

struct ParseState {
    const LineFeed *feed;
    Settings *settings;
    bool seen[8] = {};
};

bool sameName(const std::string &a, const char *b)
{
    return EqualsIgnoreCase(a, b);
}

// A window position far off every screen is as good as none: the default stays.
void readPosition(const std::string &value, int &target)
{
    if (auto n = TryStrictToInt(value); n && range::kWindowPosition.contains(*n))
        target = *n;
}

void readFlag(const std::string &value, bool &target)
{
    if (auto n = TryStrictToInt(value))
        target = *n != 0;
}

int onEntry(void *user, const char *sectionText, const char *keyText, const char *valueText)
{
    auto *state = static_cast<ParseState *>(user);
    if (!sectionText || !keyText || !valueText)
        return 1;
    std::string section = state->feed->resolve(sectionText);
    std::string key = state->feed->resolve(keyText);
    std::string value = state->feed->resolve(valueText);
    Settings &s = *state->settings;

    struct Known {
        const char *section, *key;
    };
    static const Known known[8] = {
        {kWindowSection, "Left"},
        {kWindowSection, "Top"},
        {kOptionSection, "IndPfade"},
        {kOptionSection, "Autoload"},
        {kFileSection, "Antennen"},
        {kFileSection, "AngDir"},
        {kFileSection, "LastSavedFileName"},
        {kFileSection, "CADFileName"},
    };
    for (int i = 0; i < 8; ++i) {
        if (!sameName(section, known[i].section) || !sameName(key, known[i].key))
            continue;
        if (state->seen[i]) // the first entry counts, as with the Windows INI routines
            return 1;
        state->seen[i] = true;
        switch (i) {
        case 0:
            readPosition(value, s.left);
            break;
        case 1:
            readPosition(value, s.top);
            break;
        case 2:
            readFlag(value, s.individualPaths);
            break;
        case 3:
            readFlag(value, s.autoload);
            break;
        case 4:
            s.antennen = value;
            break;
        case 5:
            s.angDir = value;
            break;
        case 6:
            s.lastSavedFileName = value;
            break;
        case 7:
            s.cadFileName = value;
            break;
        }
        return 1;
    }
    for (const char *name : {kWindowSection, kOptionSection, kFileSection})
        if (sameName(section, name))
            section = name;
    auto it = std::find_if(s.foreign.begin(), s.foreign.end(),
                           [&](const IniSection &f) { return EqualsIgnoreCase(f.name, section); });
    if (it == s.foreign.end()) {
        s.foreign.push_back(IniSection{section, {}});
        it = s.foreign.end() - 1;
    }
    it->entries.emplace_back(key, value);
    return 1;
}

std::string singleLine(const std::string &value)
{
    return value.find_first_of("\r\n") == std::string::npos ? value : std::string();
}

void appendForeign(std::vector<std::string> &lines, const IniSection &section)
{
    for (const auto &[key, value] : section.entries)
        lines.push_back(singleLine(key) + "=" + singleLine(value));
}

bool isKnownSection(const std::string &name)
{
    return EqualsIgnoreCase(name, kWindowSection) || EqualsIgnoreCase(name, kOptionSection)
           || EqualsIgnoreCase(name, kFileSection);
}

bool isDirectory(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string SettingsFilePath(const std::string &programDir)
{
    return programDir + kProgramTitle + ".ini";
}

Settings DefaultSettings(const std::string &programDir)
{
    Settings s;
    s.antennen = programDir + "Antennen.txt";
    s.angDir = programDir + "ang/";
    return s;
}

Settings ParseSettings(const std::string &bytes, const std::string &programDir)
{
    Settings settings = DefaultSettings(programDir);
    LineFeed feed;
    feed.lines = SplitLines(DecodeText(bytes));
    ParseState state{&feed, &settings};
    ini_parse_stream(readLine, &feed, onEntry, &state);
    // Foreign entries in the order they are written back: before any section, in Feldora's
    // sections, then the others as they came.
    auto rank = [](const IniSection &f) {
        if (f.name.empty())
            return 0;
        return f.name == kWindowSection ? 1 : f.name == kOptionSection ? 2 : f.name == kFileSection ? 3 : 4;
    };
    std::stable_sort(settings.foreign.begin(), settings.foreign.end(),
                     [&](const IniSection &a, const IniSection &b) { return rank(a) < rank(b); });
    return settings;
}

Settings ReadSettings(const std::string &path, const std::string &programDir)
{
    try {
        return ParseSettings(ReadFileBytes(path), programDir);
    } catch (const FileError &) {
        return DefaultSettings(programDir);
    }
}

std::vector<std::string> SettingsLines(const Settings &s)
{
    std::vector<std::string> lines;
    // Entries that stood before any section header stay there.
    for (const IniSection &f : s.foreign)
        if (f.name.empty())
            appendForeign(lines, f);
    auto section = [&](const char *name, std::vector<std::string> entries) {
        if (!lines.empty())
            lines.push_back("");
        lines.push_back(std::string("[") + name + "]");
        lines.insert(lines.end(), entries.begin(), entries.end());
        for (const IniSection &f : s.foreign)
            if (EqualsIgnoreCase(f.name, name))
                appendForeign(lines, f);
    };
    section(kWindowSection, {"Left=" + std::to_string(s.left), "Top=" + std::to_string(s.top)});
    section(kOptionSection, {std::string("IndPfade=") + (s.individualPaths ? "1" : "0"),
                             std::string("AutoLoad=") + (s.autoload ? "1" : "0")});
    section(kFileSection,
            {"Antennen=" + singleLine(s.antennen), "AngDir=" + singleLine(s.angDir),
             "LastSavedFileName=" + singleLine(s.lastSavedFileName), "CADFileName=" + singleLine(s.cadFileName)});
    for (const IniSection &f : s.foreign) {
        if (f.name.empty() || isKnownSection(f.name))
            continue;
        lines.push_back("");
        lines.push_back("[" + singleLine(f.name) + "]");
        appendForeign(lines, f);
    }
    return lines;
}

void WriteSettings(const std::string &path, const Settings &settings)
{
    std::vector<std::string> lines = SettingsLines(settings);
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    // A path with characters beyond Windows-1252 would come back as "?": keep it in UTF-8.
    if (DecodeText(EncodeWindows1252(text)) == text)
        WriteTextLines(path, lines);
    else
        WriteFileAtomic(path, text);
}

std::string DirectoryPart(const std::string &path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ProgramDirectoryOf(const std::string &programFile)
{
    std::string dir = DirectoryPart(programFile);
    return dir.empty() ? "./" : dir;
}

std::string ProgramDirectory()
{
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "./";
    return ProgramDirectoryOf(std::string(buffer, static_cast<size_t>(n)));
}

FeldoraPaths DerivePaths(const std::string &programDir, const Settings &settings, const std::string &desktopDir)
{
    FeldoraPaths p;
    p.programDir = WithSlash(programDir);
    p.settingsFile = SettingsFilePath(p.programDir);
    if (settings.individualPaths) {
        p.antennaFile = settings.antennen;
        p.angleDir = WithSlash(settings.angDir);
    } else {
        p.antennaFile = p.programDir + "Antennen.txt";
        p.angleDir = p.programDir + "ang/";
    }
    p.userAntennaFile = DirectoryPart(p.antennaFile) + "AntUser.txt";
    p.desktopDir = WithSlash(desktopDir);
    return p;
}

std::string DesktopFolderFor(const std::string &userProfile, const std::string &home)
{
    if (!userProfile.empty())
        return WithSlash(userProfile) + "DeskTop/";
    if (home.empty())
        return "./";
    std::string base = WithSlash(home);
    for (const char *name : {"Desktop", "Schreibtisch"})
        if (isDirectory(base + name))
            return base + name + "/";
    return base;
}

std::string DesktopFolder()
{
    const char *profile = std::getenv("USERPROFILE");
    const char *home = std::getenv("HOME");
    return DesktopFolderFor(profile ? profile : "", home ? home : "");
}
