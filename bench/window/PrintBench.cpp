// Time to build the documentation pages and to write them as PDF, for a 73-row angle table
// (0 to 360 degrees in 5-degree steps); printed only.
#include "print/draw/DruckenSeiten.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{

PrintoutData Station()
{
    PrintoutData d;
    PrintoutTexts &t = d.texts;
    t.callsign = "DL0XYZ";
    t.band = "2m";
    t.frequency = "144,00 - 146,00";
    t.antennaName = "Yagi 2m 9 El.";
    t.wiesbeckDirectivity = "---";
    t.version = "v 2.1.0";
    t.angleDataPresent = true;
    for (int angle = 0; angle <= 360; angle += 5) {
        const double distance = 2 + 6 * std::pow(std::cos(angle * M_PI / 360), 2);
        t.angleRows.push_back({std::to_string(angle), "0,00", "100,00", std::to_string(distance)});
        d.angles.push_back(angle);
        d.distances.push_back(distance);
    }
    d.height = 10;
    d.fileTag = "2m";
    return d;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const PrintoutData data = Station();
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/Doku.pdf";
    std::vector<double> build, write;
    QElapsedTimer timer;
    size_t pageCount = 0;
    for (int i = 0; i < 30; ++i) {
        timer.start();
        const std::vector<PrintPage> pages = PrintoutPages(data, GermanDate(QDate::currentDate()));
        build.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        timer.start();
        WritePrintoutPdf(pdf, pages, data, PrintoutView{});
        write.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        pageCount = pages.size();
    }
    std::printf("Dokumentation, %zu Winkelzeilen, %zu Seiten: Aufbau Median %.3f ms, PDF schreiben Median %.1f ms "
                "(erster Lauf %.1f ms) über %zu Läufe\n",
                data.angles.size(), pageCount, median(build), median(write), write.front(), write.size());
    return 0;
}
