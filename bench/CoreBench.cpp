// Figures for the calculation core; printed only, never a pass/fail criterion.
#include "core/FarField.h"

#include <benchmark/benchmark.h>

static void BM_FarFieldCalculation(benchmark::State &state)
{
    FarFieldInput in;
    in.band = 4;
    in.power = 750;
    in.totalAtt = 1.5;
    in.gain = 2.15;
    Factors f = CalculateFactors(ModeType::SSB, FactorSource::DKE, DutyChoice::TX5RX1, 0.167);
    for (auto _ : state) {
        FarFieldResult r = CalculateFarField(in, f);
        benchmark::DoNotOptimize(r);
        FarFieldTexts t = FormatFarField(r);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_FarFieldCalculation);
