// The all-bands table of one station: 21 bands with cable, far field, Wiesbeck, angle file.
#include "data/StationBands.h"
#include "util/TextFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>

static void BM_AllBandsTable(benchmark::State &state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "feldora_bench_bands";
    std::filesystem::create_directories(dir);
    std::vector<std::string> ang = {"[Polarisation] h", "[Bereich] 360", "[Schrittweite] 1"};
    for (const char *mhz : {"14.175", "21.225", "28.85"}) {
        ang.push_back(std::string("[MHz],h,") + mhz + ",0");
        std::string values;
        for (int a = 0; a <= 360; ++a)
            values += (a ? "," : "") + std::to_string(a % 20) + ".5";
        ang.push_back(values);
    }
    WriteTextLines((dir / "Beams Tribander.ang").string(), ang);
    const TAntennen catalogue =
        TAntennen::FromLines({"[Beams]", "Tribander,Yagi,14.175,8,3,21.225,8.1,3,28.85,8.2,3,#"}, {});
    StationInputs in;
    in.antennaName = "Tribander";
    in.manufacturer = "Beams";
    in.angleDir = dir.string() + "/";
    for (auto _ : state) {
        auto rows = AllBandsRows(CalculateAllBands(in, &catalogue), kDefaultAreaDistance);
        benchmark::DoNotOptimize(rows);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_AllBandsTable)->Unit(benchmark::kMillisecond);

// The worst case: an antenna listed on every band, with 361 angles on each.
static void BM_AllBandsEveryBandWithAngles(benchmark::State &state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "feldora_bench_every_band";
    std::filesystem::create_directories(dir);
    std::vector<std::string> ang = {"[Polarisation] h", "[Bereich] 360", "[Schrittweite] 1"};
    std::string line = "Every,Dipol";
    for (BandIndex b = 1; b <= kSelectableBands; ++b) {
        const std::string mhz = std::to_string(BandCenter(b));
        ang.push_back("[MHz],h," + mhz + ",0");
        std::string values;
        for (int a = 0; a <= 360; ++a)
            values += (a ? "," : "") + std::to_string(a % 20) + ".5";
        ang.push_back(values);
        line += "," + mhz + ",2.15,1";
    }
    WriteTextLines((dir / "Test Every.ang").string(), ang);
    const TAntennen catalogue = TAntennen::FromLines({"[Test]", line + ",#"}, {});
    StationInputs in;
    in.antennaName = "Every";
    in.manufacturer = "Test";
    in.angleDir = dir.string() + "/";
    if (CalculateAllBands(in, &catalogue).size() != static_cast<size_t>(kSelectableBands))
        state.SkipWithError("the antenna is not listed on every band");
    for (auto _ : state) {
        auto rows = AllBandsRows(CalculateAllBands(in, &catalogue), kDefaultAreaDistance);
        benchmark::DoNotOptimize(rows);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_AllBandsEveryBandWithAngles)->Unit(benchmark::kMillisecond);

static void BM_AllBandsWithoutAntenna(benchmark::State &state)
{
    StationInputs in;
    in.typedGain = 2.15;
    for (auto _ : state) {
        auto rows = AllBandsRows(CalculateAllBands(in, nullptr), kDefaultAreaDistance);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_AllBandsWithoutAntenna)->Unit(benchmark::kMillisecond);
