// One side-view and one diagram drawing into a QImage, as zoom and activation redraw them.
// Measures only; an angle table of 1-degree steps is the largest the angle files give.
#include "views/draw/DiagramPicture.h"
#include "views/draw/SideViewPicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

namespace
{

struct Pattern {
    std::vector<int> angles;
    std::vector<double> attenuations, distances;
};

Pattern pattern(int lastAngle)
{
    Pattern p;
    for (int a = 0; a <= lastAngle; ++a) {
        const double att = std::min(20.0, 12.0 * (1 - std::cos(a * 3.14159265358979 / 180)));
        p.angles.push_back(a);
        p.attenuations.push_back(att);
        p.distances.push_back(8.0 * std::pow(10.0, -att / 20));
    }
    return p;
}

void BM_SideView(benchmark::State &state)
{
    const Pattern p = pattern(static_cast<int>(state.range(0)));
    const sideview::ZoneInput in{p.angles, p.distances, 10};
    QImage image(kSideViewWidth, kSideViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(DrawSideView(painter, in, kSideViewWidth, kSideViewHeight, {}));
    }
}
BENCHMARK(BM_SideView)->Arg(-1)->Arg(180)->Arg(360)->Unit(benchmark::kMillisecond);

void BM_Diagram(benchmark::State &state)
{
    const Pattern p = pattern(static_cast<int>(state.range(0)));
    const DiagramInput in{p.angles, p.attenuations};
    QImage image(kDiagramSize, kDiagramSize, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(DrawDiagram(painter, in, kDiagramSize, kDiagramSize));
    }
}
BENCHMARK(BM_Diagram)->Arg(-1)->Arg(180)->Arg(360)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
