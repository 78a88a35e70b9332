// Median time of one band change through the whole update chain, with a catalogue antenna
// whose line matches; printed only.
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
    form.MIDebugMode->setChecked(false);
    form.LBHersteller->setCurrentRow(0);
    emit form.LBHersteller->itemClicked(form.LBHersteller->item(0));
    form.LBTypen->setCurrentRow(0);
    emit form.LBTypen->itemClicked(form.LBTypen->item(0));

    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 1000; ++i) {
        timer.start();
        form.CBBand->setCurrentIndex(14);
        emit form.CBBand->activated(14);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("CBBandChange (2m, Antenne mit passender Zeile): Median %.3f ms, 90%% %.3f ms über %zu Läufe\n",
                times[times.size() / 2], times[times.size() * 9 / 10], times.size());
    return 0;
}
