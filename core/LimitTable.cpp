#include "core/LimitTable.h"

#include "core/BandPlan.h"
#include "util/DecimalText.h"
#include "util/NumRoutines.h"

#include <algorithm>
#include <cmath>

std::vector<std::string> LimitTableLines()
{
    std::vector<std::string> lines;
    lines.push_back(FormatText("%5s", "Band") + "  " + FormatText("%5s", "E[V/m]") + " " + FormatText("%5s", "H[A/m]")
                    + " " + FormatText("%5s", "E[dBm]") + " " + FormatText("%5s", "H[dBm]"));
    for (BandIndex b = 1; b <= kSelectableBands; ++b) {
        const double e = ELimitByBand(b);
        const double h = HLimitByBand(b);
        lines.push_back(FormatText("%5s", BandName(b)) + "  " + FormatPositiveTable("%5.2f", e) + "  "
                        + FormatPositiveTable("%5.4f", h) + "  " + FormatValue("%5.1f", 20 * Log10OrZero(e) - 70) + "  "
                        + FormatValue("%5.1f", 20 * Log10OrZero(h)));
    }
    lines.push_back("");
    lines.push_back("Die dBm-Werte der Spalten 4 und 5 gelten für die Einstellung „dBm“ der Feldstärkemessgeräte "
                    "von Narda und Rohde & Schwarz.");
    return lines;
}

namespace
{

struct Variant {
    double xmin, xmax;
    std::vector<double> marks;
    bool magnetic;
};

Variant variantOf(int variant)
{
    const std::vector<double> shortWave{1.8, 3.5, 7, 10, 14, 18, 21, 24, 28};
    switch (variant) {
    case 1:
        return {30, 300, {50, 70, 144}, false};
    case 2:
        return {300, 3000, {430, 1240, 2320}, false};
    case 3:
        return {1, 30, shortWave, true};
    default:
        return {1, 30, shortWave, false};
    }
}

} // namespace

LimitPlotData LimitPlotFor(int variant)
{
    const Variant v = variantOf(variant);
    LimitPlotData d;
    d.xmin = v.xmin;
    d.xmax = v.xmax;
    d.xMarks = v.marks;
    d.yTitle = v.magnetic ? "H [mA/m]" : "E [V/m]";
    d.x.reserve(kLimitPlotSamples);
    d.y.reserve(kLimitPlotSamples);
    double low = 0, high = 0;
    bool any = false;
    for (int k = 0; k < kLimitPlotSamples; ++k) {
        const double f = v.xmin + static_cast<double>(k) / (kLimitPlotSamples - 1) * (v.xmax - v.xmin);
        const double y = v.magnetic ? 1000 * HLimitByFrequency(f) : ELimitByFrequency(f);
        d.x.push_back(f);
        d.y.push_back(y);
        if (y >= 0) {
            low = any ? std::min(low, y) : y;
            high = any ? std::max(high, y) : y;
            any = true;
        }
    }
    // Both ends rounded to one significant digit, outwards.
    d.ymin = low > 0 ? DecadeFloor(low) : 0;
    d.ymax = high > 0 ? DecadeCeil(high) : 1;
    if (d.ymax <= d.ymin)
        d.ymax = d.ymin + 1;
    const double step = (d.ymax - d.ymin) / 10;
    for (int k = 0; k <= 10; ++k)
        d.yMarks.push_back(d.ymin + k * step);
    return d;
}
