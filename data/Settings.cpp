#include "data/Settings.h"

#include "data/IniReader.h"

#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"


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

struct ParseState {
    Settings *settings;
    bool seen[9] = {};
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

void onEntry(ParseState *state, const IniEntry &entry)
{
    std::string section = entry.section;
    const std::string &key = entry.key;
    const std::string &value = entry.value;
    Settings &s = *state->settings;

    struct Known {
        const char *section, *key;
    };
    static const Known known[9] = {
        {kWindowSection, "Left"},
        {kWindowSection, "Top"},
        {kOptionSection, "IndPfade"},
        {kOptionSection, "Autoload"},
        {kFileSection, "Antennen"},
        {kFileSection, "AngDir"},
        {kFileSection, "LastSavedFileName"},
        {kFileSection, "CADFileName"},
        {kFileSection, "Standort"},
    };
    for (int i = 0; i < 9; ++i) {
        if (!sameName(section, known[i].section) || !sameName(key, known[i].key))
            continue;
        if (state->seen[i]) // the first entry counts, as with the Windows INI routines
            return;
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
        case 8:
            s.siteFileName = value;
            break;
        }
        return;
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
    return;
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
    ParseState state{&settings};
    for (const IniEntry &entry : ReadIniText(DecodeText(bytes)).entries)
        onEntry(&state, entry);
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
    std::vector<std::string> files = {"Antennen=" + singleLine(s.antennen), "AngDir=" + singleLine(s.angDir),
                                      "LastSavedFileName=" + singleLine(s.lastSavedFileName),
                                      "CADFileName=" + singleLine(s.cadFileName)};
    // Written only once used, so a file of a run without the site window stays as it was.
    if (!s.siteFileName.empty())
        files.push_back("Standort=" + singleLine(s.siteFileName));
    section(kFileSection, files);
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
