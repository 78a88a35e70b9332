// The site plan as the site window redraws it: ten antennas on ten bands in one group over
// 100 m x 100 m, drawn at once, and after one antenna moved, worked out again and drawn.
#include "bench/TenAntennaSite.h"
#include "views/draw/SitePicture.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace
{

TenAntennaSite &fixture()
{
    static TenAntennaSite f("feldora_bench_siteplan");
    return f;
}

// A window's plan of 1200 x 800 pixels; with the legend beside it or the plan alone.
void BM_SitePlanRedraw(benchmark::State &state)
{
    TenAntennaSite &f = fixture();
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
    TenAntennaSite &f = fixture();
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
