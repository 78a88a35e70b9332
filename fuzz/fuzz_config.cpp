// Opening arbitrary bytes as a station configuration: never crashes, and what opens is
// written and opened again to the same values.
#include "data/ConfigFile.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (SetMessageSink([](MessageKind, const std::string &) {}), true);
    (void)quiet;
    const std::vector<std::string> lines =
        SplitLines(DecodeText(std::string(reinterpret_cast<const char *>(data), size)));

    ConfigOpenResult opened = ParseStationConfig(lines);
    if (opened.ok() != opened.message.empty())
        std::abort();
    if (opened.ok()) {
        ConfigOpenResult again = ParseStationConfig(ConfigLines(opened.config->texts));
        if (!again.ok() || !(again.config->texts == opened.config->texts))
            std::abort();
    }

    // A catalogue that knows only some pairs.
    ParseStationConfig(lines, [](const std::string &name, const std::string &manufacturer) {
        return (name.size() + manufacturer.size()) % 3 == 0;
    });
    return 0;
}
