// Reading an angle file and evaluating it, as every antenna selection and calculation does.
// Printed only, never a pass/fail criterion.
#include "core/WinkAnt.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// 3 600 values: ten sections (v and h for five frequencies) of 360 values at step 1.
std::string writeAngleFile()
{
    std::string path = (std::filesystem::temp_directory_path() / "feldora-bench-3600.ang").string();
    std::ofstream out(path, std::ios::binary);
    out << "[Polarisation] vh\r\n[Bereich] 360\r\n[Schrittweite] 1\r\n";
    const char *frequencies[] = {"0", "14.175", "21.225", "28.5", "145"};
    for (const char *f : frequencies) {
        for (const char *pol : {"v", "h"}) {
            out << "[MHz]," << pol << "," << f << ",0\r\n";
            for (int k = 0; k < 360; ++k) {
                char value[32];
                std::snprintf(value, sizeof value, "%.2f",
                              20 * (1 - std::cos(k * 3.14159265358979 / 180)));
                out << value << (k % 10 == 9 ? "\r\n" : ",");
            }
        }
    }
    return path;
}

} // namespace

static void BM_AngleFileReadAndEvaluate(benchmark::State &state)
{
    std::string path = writeAngleFile();
    FarFieldInput in;
    in.band = 15; // 2m: the frequency-0 sections and the 145 MHz sections fit
    in.power = 750;
    in.gain = 13;
    FarFieldResult r = CalculateFarField(in, CalculateFactors(ModeType::SSB, FactorSource::DKE, DutyChoice::TX6RX0, 0));
    for (auto _ : state) {
        TWinkAnt w = TWinkAnt::FromFile(path, in.band);
        AngleTable t = CalculateAngleTable(&w, InitialPolChoice(w.Polarisation), r);
        AngleGrid grid = AngleGridRows(t);
        benchmark::DoNotOptimize(grid);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_AngleFileReadAndEvaluate)->Unit(benchmark::kMicrosecond);
