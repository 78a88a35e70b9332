#pragma once

// A text file held as lines, divided into sections by header lines such as "[Cushcraft]".
// The own-antenna dialog files new catalogue lines into AntUser.txt with it.

#include <string>
#include <vector>

class TDataFile {
public:
    explicit TDataFile(std::string fileName); // the file is not read yet

    const std::string &FileName() const { return fileName_; }
    void Load();         // throws FileError
    void SaveAndClose(); // Windows-1252, CR LF, atomic; throws FileError

    const std::vector<std::string> &Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

    std::vector<std::string> SectionNames() const;
    int SectionCount() const;
    bool SectionExists(const std::string &name) const;
    int SectionIndex(const std::string &name) const;
    std::string SectionNameAt(int position) const;
    std::string PreviousSection(const std::string &name) const;
    std::string NextSection(const std::string &name) const;
    int HeaderLine(const std::string &name) const;
    int FirstLine(const std::string &name) const;
    int LastLine(const std::string &name) const;
    int LineCount(const std::string &name) const;
    void AddSection(const std::string &name);
    void AddLine(const std::string &section, const std::string &text);
    void ShowNumbered() const;

    static bool IsHeader(const std::string &line);

private:
    std::string fileName_;
    std::vector<std::string> lines_;
};
