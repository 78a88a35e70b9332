// Feldora: the safety-distance calculator's program start.
#include "mainwindow/DialogService.h"
#include "mainwindow/FeldoraU.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Feldora");
    QApplication::setApplicationDisplayName("Feldora");
    ui::ApplyFeldoraStyle();

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
