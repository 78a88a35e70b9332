// The notification's documents of the example garden (three antennas, one group of two) as one
// PDF: the site worked out, the pages assembled, drawn and written. Median of several runs,
// printed only.
#include "data/SiteCalculation.h"
#include "mainwindow/SiteDocuments.h"
#include "util/Messages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SetMessageSink([](MessageKind, const std::string &) {});
    const std::string shipped = FELDORA_SHIPPED_DATA "/";
    StationModel base(StationPaths{shipped + "Antennen.txt", shipped + "AntUser.txt", shipped + "ang/"});
    if (!base.AfterCreation())
        return 1;
    const std::string folder = FELDORA_SITE_FIXTURES "/";
    const Site site = ReadSite(folder + "Garten.standort");
    QTemporaryDir dir;
    const QString path = dir.path() + "/Unterlagen.pdf";

    std::vector<double> calc, build, write, whole;
    size_t pages = 0;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        const SiteResult result = CalculateSite(site, folder, base, "Garten.standort");
        const double a = t.nsecsElapsed() / 1e6;
        const SiteDocuments documents = BuildSiteDocuments(result, base, "10.12.2026");
        const double b = t.nsecsElapsed() / 1e6;
        WriteSiteDocumentsPdf(path, documents);
        const double c = t.nsecsElapsed() / 1e6;
        calc.push_back(a), build.push_back(b - a), write.push_back(c - b), whole.push_back(c);
        pages = documents.pages.size();
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("Unterlagen als PDF (Garten, %zu Seiten): Standort %.1f ms, Seiten %.1f ms, "
                "Zeichnen und Schreiben %.1f ms, zusammen %.1f ms (Median aus %zu)\n",
                pages, median(calc), median(build), median(write), median(whole), whole.size());
    return 0;
}
