// The site plan as the site window redraws it: ten antennas on ten bands in one group over
// 100 m x 100 m, drawn at once, and after one antenna moved, worked out again and drawn.
#include "data/ConfigFile.h"
#include "data/SiteCalculation.h"
#include "util/TextFile.h"
#include "views/draw/SitePicture.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace
{

struct TenAntennas {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "feldora_bench_siteplan";
    StationModel base;
    Site site;

    TenAntennas()
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
    ~TenAntennas() { std::filesystem::remove_all(dir); }
    std::string folder() const { return dir.string() + "/"; }
};

TenAntennas &fixture()
{
    static TenAntennas f;
    return f;
}

// A window's plan of 1200 x 800 pixels; with the legend beside it or the plan alone.
void BM_SitePlanRedraw(benchmark::State &state)
{
    TenAntennas &f = fixture();
    SitePictureInput in = SitePictureInputOf(CalculateSite(f.site, f.folder(), f.base, "bench.standort"));
    in.legend = in.titleBlock = state.range(0) != 0;
    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(DrawSitePlan(painter, QRectF(image.rect()), in));
    }
}
BENCHMARK(BM_SitePlanRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Dragging: one antenna moved by half a metre, the site worked out again, the plan drawn.
void BM_SiteMovePointRecalculateRedraw(benchmark::State &state)
{
    TenAntennas &f = fixture();
    Site site = f.site;
    QImage image(1200, 800, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        site.antennas[0].points[0].x = 12 + 0.5 * (++step % 2);
        const SitePictureInput in = SitePictureInputOf(CalculateSite(site, f.folder(), f.base, "bench.standort"));
        QPainter painter(&image);
        benchmark::DoNotOptimize(DrawSitePlan(painter, QRectF(image.rect()), in));
    }
}
BENCHMARK(BM_SiteMovePointRecalculateRedraw)->Unit(benchmark::kMillisecond);

} // namespace
