// Feldora: the safety-distance calculator's program start, and the report without a window.
#include "mainwindow/Controls.h"
#include "mainwindow/DialogService.h"
#include "mainwindow/FeldoraU.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstring>

namespace {

// "--bericht DATEI": the first documentation page of a configuration on standard output.
// Only the program's own messages reach standard error in a report.
void quietQt(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "Fehler: %s\n", message.toLocal8Bit().constData());
}

int runReport(const char *fileName)
{
    SetMessageSink(StderrMessageSink); // messages as lines on standard error, no boxes
    FormOptions options;
    options.programDir = QApplication::applicationDirPath();
    options.showSplash = false;
    TFeldoraForm form(options);
    if (!form.AfterCreation())
        return 1;
    if (!form.openConfiguration(QString::fromLocal8Bit(fileName)))
        return 1;
    for (const std::string &line : ReportLines(form.printoutTexts()))
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return 0;
}

bool wantsReport(int argc, char **argv)
{
    return argc >= 2 && std::strcmp(argv[1], "--bericht") == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && (!wantsReport(argc, argv) || argc != 3)) {
        std::fprintf(stderr, "Aufruf: feldora              (Programmfenster)\n"
                             "        feldora --bericht DATEI\n"
                             "                 (Übersicht der Konfiguration DATEI als Text, ohne Fenster)\n");
        return 2;
    }
    const bool report = wantsReport(argc, argv);
    if (report) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen"); // the report needs no display
        qInstallMessageHandler(quietQt);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Feldora");
    QApplication::setApplicationDisplayName("Feldora");
    ui::ApplyFeldoraStyle();
    if (report)
        return runReport(argv[2]);

    // German standard buttons and dialogs.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    InstallDialogMessageSink();
    FormOptions options;
    options.programDir = QApplication::applicationDirPath();
    TFeldoraForm form(options);
    if (!form.AfterCreation())
        return 1;
    form.show();
    return QApplication::exec();
}
