#pragma once

// INI text read with libinih, line by line, so that a reader can name the line of every entry.
// Section and key names and values come back as written (trimmed); a value may hold " ;",
// file paths of any length and any character but a line break. Lines starting with ";" or
// "#" are comments.

#include <string>
#include <vector>

struct IniEntry {
    std::string section; // empty before the first section header
    std::string key, value;
    int line = 0; // 1-based
};

struct IniSectionHeader {
    std::string name;
    int line = 0;
};

struct IniDocument {
    std::vector<IniSectionHeader> sections; // every header, also of sections without entries
    std::vector<IniEntry> entries;          // in file order
    std::vector<int> strayLines;            // lines that are neither comment, header nor "key=value"
};

// The text is decoded already (UTF-8).
IniDocument ReadIniText(const std::string &text);
