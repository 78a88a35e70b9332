// Median time to draw the limit plot (3000 samples, variant 0) into its picture; printed only.
#include "views/draw/LimitPlot.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 300; ++i) {
        timer.start();
        TListPlot plot(497, 409);
        DrawLimitPlot(plot, 0);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("Grenzwert-Plot Variante 0 (3000 Punkte, 497 x 409): Median %.3f ms, 90%% %.3f ms über %zu Läufe\n",
                times[times.size() / 2], times[times.size() * 9 / 10], times.size());
    return 0;
}
