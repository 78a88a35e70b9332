// Loading time of a large antenna catalogue; printed only, never a pass/fail criterion.
#include "data/AntennenLib.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr int kCatalogueLines = 100000;

// A catalogue like the shipped one, but large: a section every 25 lines, one to five
// frequency lines per antenna.
std::string writeLargeCatalogue()
{
    std::string path = (std::filesystem::temp_directory_path()
                        / ("feldora-bench-" + std::to_string(::getpid()) + "-Antennen.txt"))
                           .string();
    static const char *const kTriples[] = {"3.65,2.15,1,", "7.1,3.8,1,", "14.175,8,3,", "21.225,8.5,3,",
                                           "28.85,9,3,"};
    std::vector<std::string> lines;
    lines.reserve(kCatalogueLines);
    for (int i = 0; i < kCatalogueLines; ++i) {
        if (i % 25 == 0) {
            lines.push_back("[Hersteller " + std::to_string(i / 25) + "]");
            continue;
        }
        std::string line = "Antenne " + std::to_string(i) + ",Yagi";
        line += ',';
        for (int k = 0; k <= i % 5; ++k)
            line += kTriples[k];
        line += '#';
        lines.push_back(line);
    }
    WriteTextLines(path, lines);
    return path;
}

} // namespace

static void BM_CatalogueLoad(benchmark::State &state)
{
    std::string path = writeLargeCatalogue();
    MessageSink previous = SetMessageSink([](MessageKind, const std::string &) {});
    for (auto _ : state) {
        TAntennen catalogue(path, "");
        benchmark::DoNotOptimize(catalogue.Count());
    }
    SetMessageSink(previous);
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * kCatalogueLines);
}
BENCHMARK(BM_CatalogueLoad)->Unit(benchmark::kMillisecond);
