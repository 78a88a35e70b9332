// Median time of one band change through the whole update chain, with a catalogue antenna
// whose line matches; printed only.
#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include "views/Controls.h"
#include "views/DialogService.h"
#include "mainwindow/FeldoraU.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::ApplyFeldoraStyle();
    SetMessageSink([](MessageKind, const std::string &) {});

    QTemporaryDir dir;
    QFile catalogue(dir.path() + "/Antennen.txt");
    if (!catalogue.open(QIODevice::WriteOnly))
        return 1;
    catalogue.write("[Bench]\r\nDipol,Dipol,145,2.15,1,#\r\n");
    catalogue.close();

    FormOptions options;
    options.programDir = dir.path();
    options.showSplash = false;
    TFeldoraForm form(options);
    if (!form.AfterCreation())
        return 1;
    form.findChild<QAction *>("MIDebugMode")->setChecked(false);
    auto *manufacturers = form.findChild<QListWidget *>("LBHersteller");
    manufacturers->setCurrentRow(0);
    emit manufacturers->itemClicked(manufacturers->item(0));
    auto *antennas = form.findChild<QListWidget *>("LBTypen");
    antennas->setCurrentRow(0);
    emit antennas->itemClicked(antennas->item(0));
    auto *band = form.findChild<QComboBox *>("CBBand");

    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 1000; ++i) {
        timer.start();
        band->setCurrentIndex(14);
        emit band->activated(14);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("CBBandChange (2m, Antenne mit passender Zeile): Median %.3f ms, 90%% %.3f ms über %zu Läufe\n",
                times[times.size() / 2], times[times.size() * 9 / 10], times.size());
    return 0;
}
