// A whole site: 10 antennas, each on 10 bands, transmitting together, over 100 m x 100 m.
#include "bench/TenAntennaSite.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

TenAntennaSite &fixture()
{
    static TenAntennaSite f("feldora_bench_site");
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
    TenAntennaSite &f = fixture();
    const std::string folder = f.folder();
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
