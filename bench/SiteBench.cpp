// A whole site: 10 antennas, each on 10 bands, transmitting together, over 100 m x 100 m.
#include "data/ConfigFile.h"
#include "data/SiteCalculation.h"
#include "util/TextFile.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace
{

struct SiteFixture {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "feldora_bench_site";
    StationModel base;
    Site site;

    SiteFixture()
    {
        std::filesystem::create_directories(dir);
        const char *mhz[] = {"1.905", "3.65", "7.1", "10.125", "14.175", "18.118", "21.225", "24.94", "28.85", "50.5"};
        std::string line = "Mehrband,Vertikal";
        for (const char *f : mhz)
            line += std::string(",") + f + ",3.5,1";
        WriteTextLines((dir / "Antennen.txt").string(), {"[Bench]", line + ",#"});
        WriteTextLines((dir / "AntUser.txt").string(), {});
        base = StationModel(StationPaths{(dir / "Antennen.txt").string(), (dir / "AntUser.txt").string(),
                                         (dir / "ang").string() + "/"});
        base.AfterCreation();
        StationConfig config;
        config.bandOrFrequency = "20m";
        config.antennaName = "Mehrband";
        config.manufacturer = "Bench";
        config.cable = "RG213";
        SaveStationConfig((dir / "Mehrband.txt").string(), config, 0);

        std::string text =
            "[Standort]\nRufzeichen=DL0XYZ\n[Kontrollierbarer Bereich]\nPunkte=0 0; 100 0; 100 100; 0 100\n";
        const char *bands = "160m 750; 80m 750; 40m 750; 30m 150; 20m 750; 17m 750; 15m 750; 12m 750; 10m 750; 6m 750";
        for (int i = 0; i < 10; ++i) {
            const double x = 12 + 19 * (i % 5), y = i < 5 ? 20 : 75;
            char points[96];
            if (i % 4 == 3) // every fourth a wire
                std::snprintf(points, sizeof points, "%d %d; %d %d", int(x) - 8, int(y), int(x) + 8, int(y) + 6);
            else
                std::snprintf(points, sizeof points, "%d %d", int(x), int(y));
            text += "[Antenne " + std::string(1, char('A' + i)) + "]\nKonfiguration=Mehrband.txt\nPunkte=" + points
                    + "\nBaender=" + bands + "\nGruppe=alle\n";
        }
        site = ParseSite(text, "bench.standort");
    }
    ~SiteFixture() { std::filesystem::remove_all(dir); }
};

SiteFixture &fixture()
{
    static SiteFixture f;
    return f;
}

// The group's maximum by brute force: every 0,25 m outside and along the fence, 40 heights.
double bruteForce(const SiteResult &r, double z1)
{
    std::vector<site::Radiator> group;
    for (size_t i = 0; i < r.antennas.size(); ++i)
        group.push_back({r.site.antennas[i].points, r.antennas[i].height, &r.antennas[i].zone});
    const site::Polygon &area = r.site.area;
    double best = 0;
    auto consider = [&](double x, double y) {
        for (int k = 0; k <= 40; ++k)
            best = std::max(best, site::ExposureQuotient(group, {x, y, z1 * k / 40}));
    };
    for (double x = -30; x <= 130; x += 0.25)
        for (double y = -30; y <= 130; y += 0.25)
            if (!site::Inside(area, {x, y}))
                consider(x, y);
    for (double t = 0; t <= 100; t += 0.05)
        consider(t, 0), consider(100, t), consider(t, 100), consider(0, t);
    return best;
}

} // namespace

static void BM_SiteTenAntennasTenBands(benchmark::State &state)
{
    SiteFixture &f = fixture();
    const std::string folder = f.dir.string() + "/";
    SiteResult result;
    for (auto _ : state) {
        result = CalculateSite(f.site, folder, f.base, "bench.standort");
        benchmark::DoNotOptimize(result);
    }
    const SiteGroupResult &g = result.groups.at(0);
    double top = 0;
    for (const SiteAntennaResult &a : result.antennas)
        top = std::max(top, a.height + a.zone.reach());
    const double brute = bruteForce(result, 2), bruteAny = bruteForce(result, top);
    state.counters["Q_2m"] = g.person.value;
    state.counters["Q_2m_dicht"] = brute;
    state.counters["Q"] = g.any.value;
    state.counters["Q_dicht"] = bruteAny;
}
BENCHMARK(BM_SiteTenAntennasTenBands)->Unit(benchmark::kMillisecond);

// The example garden as the site window recalculates it after every change: a beam with angle
// damping, a vertical and a wire, the beam and the vertical in one group.
static void BM_SiteGarden(benchmark::State &state)
{
    const std::string shipped = FELDORA_SHIPPED_DATA "/", folder = FELDORA_SITE_FIXTURES "/";
    StationModel base(StationPaths{shipped + "Antennen.txt", shipped + "AntUser.txt", shipped + "ang/"});
    base.AfterCreation();
    const Site site = ReadSite(folder + "Garten.standort");
    for (auto _ : state) {
        SiteResult result = CalculateSite(site, folder, base, "Garten.standort");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_SiteGarden)->Unit(benchmark::kMillisecond);
