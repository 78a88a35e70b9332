// Feldora: the safety-distance calculator's program start, and the calls without a window.
#include "core/LimitTable.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/FeldoraU.h"
#include "mainwindow/StartFolders.h"
#include "print/draw/DruckenSeiten.h"
#include "views/Controls.h"
#include "views/DialogService.h"
#include "views/draw/ImageFiles.h"
#include "util/TextFile.h"
#include "views/draw/QtText.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <exception>
#include <functional>

namespace {

// Only the program's own messages reach standard error without a window.
void quietQt(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "Fehler: %s\n", message.toUtf8().constData());
}

void printError(const std::string &text) { std::fprintf(stderr, "Fehler: %s\n", text.c_str()); }

// One picture of the angle data in the type its extension names; false after a "Fehler:" line.
bool writePicture(const std::string &file, const char *view, bool hasAngleData, const std::function<QImage()> &draw)
{
    const QString path = QString::fromLocal8Bit(file.c_str());
    const ImageFileType type = ImageTypeForPath(path);
    if (type == ImageFileType::None) {
        printError("Speichern von " + ss(ImageExtension(path)) + "-Dateien nicht möglich.");
        return false;
    }
    if (!hasAngleData) {
        printError(std::string("Keine Winkeldaten: ") + view + " " + file + " wurde nicht geschrieben.");
        return false;
    }
    try {
        SaveImageFile(draw(), path, type);
    } catch (const FileError &e) {
        printError(e.what());
        return false;
    }
    return true;
}

// "--bericht DATEI": the first documentation page of a configuration on standard output.
int runReport(const CommandLine &call)
{
    SetMessageSink(StderrMessageSink); // messages as lines on standard error, no boxes
    FormOptions options = PrepareStartFolders(QApplication::applicationDirPath());
    options.showSplash = false;
    TFeldoraForm form(options);
    if (!form.AfterCreation())
        return kExitFailed;
    if (!form.openConfiguration(QString::fromLocal8Bit(call.reportFile.c_str())))
        return kExitFailed;
    for (const std::string &line : ReportLines(form.printoutTexts()))
        std::printf("%s\n", line.c_str());
    if (call.allBands) {
        const auto rows = AllBandsRows(CalculateAllBands(form.stationInputs(), form.catalogue()), kDefaultAreaDistance);
        for (const std::string &line : AllBandsLines(rows))
            std::printf("%s\n", line.c_str());
    }
    std::fflush(stdout);

    // The pictures as the windows first show them, on the default light yellow.
    const QColor background(255, 255, 225);
    const bool hasAngleData = form.angleDataPresent() && !form.angleTable().Angles.empty();
    bool ok = true;
    if (!call.sideViewFile.empty()) {
        ok &= writePicture(call.sideViewFile, "Seitenansicht", hasAngleData, [&] {
            SideViewOptions options;
            options.background = background;
            return SideViewImage(form.sideViewInput(), options);
        });
    }
    if (!call.diagramFile.empty()) {
        ok &= writePicture(call.diagramFile, "Diagramm", hasAngleData,
                           [&] { return DiagramImage(form.diagramInput(), background); });
    }
    if (!call.pdfFile.empty()) {
        // The pages as printed by default: dimensions drawn, no rays.
        try {
            const PrintoutData data = form.printoutData();
            PrintoutView view;
            view.rays = false;
            view.dimensions = true;
            WritePrintoutPdf(QString::fromLocal8Bit(call.pdfFile.c_str()),
                             PrintoutPages(data, GermanDate(QDate::currentDate()), call.allBands), data, view);
        } catch (const FileError &e) {
            printError(e.what());
            ok = false;
        }
    }
    return ok ? kExitOk : kExitFailed;
}

int runWithoutWindow(const CommandLine &call)
{
    switch (call.mode) {
    case CommandLine::Mode::Report:
        return runReport(call);
    default:
        return kExitWrongCall;
    }
}

int runWindow(QApplication &)
{
    // German standard buttons and dialogs.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    InstallDialogMessageSink();
    TFeldoraForm form(PrepareStartFolders(QApplication::applicationDirPath()));
    if (!form.AfterCreation())
        return 1;
    form.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine call = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (call.mode) {
    case CommandLine::Mode::Help:
        std::fputs(UsageText().c_str(), stdout);
        return kExitOk;
    case CommandLine::Mode::Version:
        std::printf("%s\n", VersionLine().c_str());
        return kExitOk;
    case CommandLine::Mode::WrongCall:
        std::fprintf(stderr, "%s\n%s", call.error.c_str(), UsageText().c_str());
        return kExitWrongCall;
    case CommandLine::Mode::LimitTable:
        // Fixed knowledge only: no window, no files, not even the toolkit.
        for (const std::string &line : LimitTableLines())
            std::printf("%s\n", line.c_str());
        if (std::fflush(stdout) == 0 && !std::ferror(stdout))
            return kExitOk;
        printError("Die Grenzwerttabelle konnte nicht ausgegeben werden.");
        return kExitFailed;
    case CommandLine::Mode::Window:
    case CommandLine::Mode::Report:
        break;
    }

    const bool windowless = call.mode != CommandLine::Mode::Window;
    if (windowless) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed
        qInstallMessageHandler(quietQt);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Feldora");
    QApplication::setApplicationDisplayName("Feldora");
    ui::ApplyFeldoraStyle();
    // Nothing that escapes a handler may abort the program: it ends the call with a German error.
    try {
        return windowless ? runWithoutWindow(call) : runWindow(app);
    } catch (const std::exception &e) {
        printError(e.what());
    } catch (...) {
        printError("Unerwarteter interner Fehler.");
    }
    return kExitFailed;
}
