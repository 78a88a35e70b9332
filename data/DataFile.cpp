#include "data/DataFile.h"

#include "util/Messages.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"

namespace {
const std::string kBrackets = "()[]{}";
}

TDataFile::TDataFile(std::string fileName) : fileName_(std::move(fileName)) {}

void TDataFile::Load() { lines_ = ReadTextLines(fileName_); }

void TDataFile::SaveAndClose()
{
    WriteTextLines(fileName_, lines_);
    lines_.clear();
}

bool TDataFile::IsHeader(const std::string &line)
{
    return line.size() >= 2 && StripEnclosing(line, kBrackets).size() == line.size() - 2;
}

std::vector<std::string> TDataFile::SectionNames() const
{
    std::vector<std::string> names;
    for (const std::string &line : lines_)
        if (IsHeader(line))
            names.push_back(line.substr(1, line.size() - 2));
    return names;
}

int TDataFile::SectionCount() const { return static_cast<int>(SectionNames().size()); }

bool TDataFile::SectionExists(const std::string &name) const { return SectionIndex(name) >= 0; }

int TDataFile::SectionIndex(const std::string &name) const
{
    std::vector<std::string> names = SectionNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

std::string TDataFile::SectionNameAt(int position) const
{
    std::vector<std::string> names = SectionNames();
    if (position < 0 || position >= static_cast<int>(names.size()))
        return {};
    return names[static_cast<size_t>(position)];
}

std::string TDataFile::PreviousSection(const std::string &name) const
{
    int i = SectionIndex(name);
    return i > 0 ? SectionNameAt(i - 1) : std::string();
}

std::string TDataFile::NextSection(const std::string &name) const
{
    int i = SectionIndex(name);
    return i >= 0 ? SectionNameAt(i + 1) : std::string();
}

int TDataFile::HeaderLine(const std::string &name) const
{
    int found = -1;
    for (size_t i = 0; i < lines_.size(); ++i)
        if (IsHeader(lines_[i]) && lines_[i].substr(1, lines_[i].size() - 2) == name)
            found = static_cast<int>(i);
    return found;
}

int TDataFile::LastLine(const std::string &name) const
{
    int header = HeaderLine(name);
    if (header < 0)
        return -1;
    std::string next = NextSection(name);
    int last = next.empty() ? static_cast<int>(lines_.size()) - 1 : HeaderLine(next) - 1;
    // With duplicate names the next header can lie before this one: then no lines.
    return last <= header ? -1 : last;
}

int TDataFile::FirstLine(const std::string &name) const
{
    return LastLine(name) == -1 ? -1 : HeaderLine(name) + 1;
}

int TDataFile::LineCount(const std::string &name) const
{
    int first = FirstLine(name), last = LastLine(name);
    return first == -1 || last == -1 ? 0 : last - first + 1;
}

void TDataFile::AddSection(const std::string &name)
{
    if (!SectionExists(name))
        lines_.push_back("[" + name + "]");
}

void TDataFile::AddLine(const std::string &section, const std::string &text)
{
    int p = LastLine(section);
    if (p == -1)
        p = HeaderLine(section);
    size_t at = static_cast<size_t>(p + 1);
    if (p == -1 || at >= lines_.size()) // an unknown section's line goes to the end
        lines_.push_back(text);
    else
        lines_.insert(lines_.begin() + static_cast<long>(at), text);
}

void TDataFile::ShowNumbered() const
{
    std::vector<std::string> numbered;
    numbered.reserve(lines_.size());
    for (size_t i = 0; i < lines_.size(); ++i)
        numbered.push_back("Zeile " + std::to_string(i) + ";" + lines_[i]);
    ShowInfoMemo(numbered);
}
