// TDataFile on arbitrary files: loading, section navigation and adding lines never crash,
// and the navigation stays consistent with the lines.
#include "data/DataFile.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkSection(const TDataFile &file, const std::string &name)
{
    const auto &lines = file.Lines();
    int header = file.HeaderLine(name);
    int first = file.FirstLine(name), last = file.LastLine(name), count = file.LineCount(name);
    check(file.SectionExists(name) == (header >= 0));
    check(file.SectionExists(name) == (file.SectionIndex(name) >= 0));
    if (header >= 0) {
        check(header < static_cast<int>(lines.size()));
        check(TDataFile::IsHeader(lines[static_cast<size_t>(header)]));
    }
    check(count >= 0 && count <= static_cast<int>(lines.size()));
    check((first == -1) == (last == -1));
    if (first != -1)
        check(first == header + 1 && first <= last && last < static_cast<int>(lines.size())
              && count == last - first + 1);
    file.PreviousSection(name);
    file.NextSection(name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (SetMessageSink([](MessageKind, const std::string &) {}), true);
    (void)quiet;
    static const std::string path = [] {
        std::atexit([] { std::remove(("/tmp/fuzz-datafile-" + std::to_string(getpid()) + ".txt").c_str()); });
        return "/tmp/fuzz-datafile-" + std::to_string(getpid()) + ".txt";
    }();
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes; // no fsync per input

    TDataFile file(path);
    file.Load();
    check(file.Lines() == SplitLines(DecodeText(bytes)));

    std::vector<std::string> names = file.SectionNames();
    check(file.SectionCount() == static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size() && i < 64; ++i) {
        check(file.SectionNameAt(static_cast<int>(i)) == names[i]);
        checkSection(file, names[i]);
    }
    check(file.SectionNameAt(-1).empty() && file.SectionNameAt(static_cast<int>(names.size())).empty());

    // Add to a section named by the first line (existing or not) and to every known one.
    std::string section = file.Lines().empty() ? std::string() : file.Lines().front();
    std::string own = "neu";
    file.AddSection(section);
    check(file.SectionExists(section));
    size_t before = file.Lines().size();
    file.AddLine(section, own);
    check(file.Lines().size() == before + 1);
    for (size_t i = 0; i < names.size() && i < 16; ++i) {
        size_t n = file.Lines().size();
        file.AddLine(names[i], own);
        check(file.Lines().size() == n + 1);
        checkSection(file, names[i]);
    }
    file.ShowNumbered();

    size_t count = file.Lines().size();
    file.SaveAndClose();
    check(file.Lines().empty());
    file.Load();
    check(file.Lines().size() == count);
    return 0;
}
