// Reading arbitrary bytes as Feldora.ini: never crashes, and writing the settings back and
// reading them again gives the same settings, foreign entries included.
#include "data/Settings.h"
#include "util/Messages.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (SetMessageSink([](MessageKind, const std::string &) {}), true);
    (void)quiet;
    const std::string programDir = "/opt/feldora/";
    Settings settings = ParseSettings(std::string(reinterpret_cast<const char *>(data), size), programDir);

    std::string text;
    for (const std::string &line : SettingsLines(settings))
        text += line + "\r\n";
    if (!(ParseSettings(text, programDir) == settings))
        std::abort();

    FeldoraPaths paths = DerivePaths(programDir, settings, "/tmp/");
    const std::string user = "AntUser.txt";
    if (paths.userAntennaFile.size() < user.size()
        || paths.userAntennaFile.compare(paths.userAntennaFile.size() - user.size(), user.size(), user) != 0)
        std::abort();
    if (!paths.angleDir.empty() && paths.angleDir.back() != '/')
        std::abort();
    return 0;
}
