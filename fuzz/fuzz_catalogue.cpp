// libFuzzer entry: the input up to its first NUL byte is Antennen.txt, the rest (if any)
// AntUser.txt. Loading and every lookup the main window makes must neither crash nor hang.
#include "data/AntennenLib.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string tempPath(const char *name)
{
    const char *dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/feldora-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

void writeFile(const std::string &path, const char *data, size_t size)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size)
        std::abort();
    std::fclose(f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string mainPath = tempPath("Antennen.txt");
    static const std::string userPath = tempPath("AntUser.txt");
    static const bool quiet = (SetMessageSink([](MessageKind, const std::string &) {}), true);
    (void)quiet;

    const char *bytes = reinterpret_cast<const char *>(data);
    std::string input(bytes, size);
    size_t nul = input.find('\0');
    writeFile(mainPath, bytes, nul == std::string::npos ? size : nul);
    bool withUser = nul != std::string::npos;
    if (withUser)
        writeFile(userPath, bytes + nul + 1, size - nul - 1);

    TAntennen catalogue(mainPath, withUser ? userPath : std::string());
    if (withUser)
        std::remove(userPath.c_str());

    // What the tab does with it, bounded so a large catalogue stays fast.
    const std::vector<std::string> &makers = catalogue.Manufacturers();
    for (size_t m = 0; m < makers.size() && m < 4; ++m) {
        std::vector<std::string> names = catalogue.AntennasOf(makers[m]);
        for (size_t n = 0; n < names.size() && n < 4; ++n) {
            AntennaSelection s = catalogue.Select(names[n], makers[m], 145.0);
            if (s.index < 0 || s.index >= catalogue.Count())
                std::abort();
        }
    }
    for (int i = 0; i < catalogue.Count() && i < 1000; ++i) {
        const RData &d = catalogue.Daten()[static_cast<size_t>(i)];
        for (double reference : {3.65, 145.0, 0.0}) {
            int match = MatchFrequencyLine(d, reference);
            if (match >= static_cast<int>(d.Gains.size()) || match >= static_cast<int>(d.Freqs.size()))
                std::abort();
        }
    }
    return 0;
}
