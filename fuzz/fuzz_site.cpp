// Arbitrary bytes as a site file, computed to its table: never crashes, never prints INF or
// NAN; a site that reads is written and read again to the same lines.
#include "data/SiteCalculation.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace
{

const StationModel &started()
{
    static const StationModel base = [] {
        const std::string shipped = FELDORA_SHIPPED_DATA "/";
        StationModel m(StationPaths{shipped + "Antennen.txt", shipped + "AntUser.txt", shipped + "ang/"});
        m.AfterCreation();
        return m;
    }();
    return base;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (SetMessageSink([](MessageKind, const std::string &) {}), true);
    (void)quiet;
    const std::string text = DecodeText(std::string(reinterpret_cast<const char *>(data), size));
    Site site;
    try {
        site = ParseSite(text, "fuzz.standort");
    } catch (const SiteError &) {
        return 0;
    }
    std::string written;
    for (const std::string &line : SiteLines(site))
        written += line + "\n";
    if (SiteLines(ParseSite(written, "again")) != SiteLines(site))
        std::abort();
    // Many antennas with many points only make the run slow, not more thorough.
    if (site.antennas.size() > 6 || site.area.size() > 40)
        return 0;
    for (const SiteAntenna &a : site.antennas)
        if (a.points.size() > 20)
            return 0;
    try {
        const SiteResult r = CalculateSite(site, FELDORA_TEST_DATA "/site/", started(), "fuzz.standort");
        for (const std::string &line : SiteReportLines(r, "fuzz.standort")) {
            std::string word;
            for (char c : line + ";") {
                if (c != ';' && c != ' ') {
                    word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                    continue;
                }
                if (word == "inf" || word == "-inf" || word == "nan" || word == "-nan")
                    std::abort();
                word.clear();
            }
        }
    } catch (const SiteError &) {
    }
    return 0;
}
