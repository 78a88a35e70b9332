// Cable curve lookups as the cable tab and the start-up fill run them; printed only.
#include "core/CableLib2.h"

#include <benchmark/benchmark.h>
#include <vector>

static void BM_CableAtt100Spread(benchmark::State &state) {
    // Band lower edges from LW to 3cm plus points between and beyond grid points, so that
    // short and long curves, early and late intervals and the out-of-range path all occur.
    const std::vector<double> freqs = {0.1357, 0.472, 1.81, 3.5,  7,    14,   28,    50,    70,
                                       144,    432,   1240, 2320, 3400, 5650, 10000, 15800, 24000};
    for (auto _ : state) {
        double sum = 0;
        for (int cable = 1; cable <= kCableCount; ++cable)
            for (double f : freqs)
                sum += CableAtt100(cable, f);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCableCount * static_cast<long>(freqs.size()));
}
BENCHMARK(BM_CableAtt100Spread);

static void BM_CableAtt100LongCurve(benchmark::State &state) {
    // CellFlex 1/4R has the longest curve; the last interval is the deepest search.
    double f = 15000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f);
        benchmark::DoNotOptimize(CableAtt100(3, f));
    }
}
BENCHMARK(BM_CableAtt100LongCurve);
