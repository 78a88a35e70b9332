// Feldora: the safety-distance calculator's program start, and the calls without a window.
#include "core/LimitTable.h"
#include "data/SiteCalculation.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/SiteDocuments.h"
#include "mainwindow/FeldoraU.h"
#include "mainwindow/StartFolders.h"
#include "print/draw/DruckenSeiten.h"
#include "views/Controls.h"
#include "views/DesktopFolder.h"
#include "views/DialogService.h"
#include "util/ConvertError.h"
#include "util/Messages.h"
#include "views/draw/ImageFiles.h"
#include "views/draw/SiteBackgroundImage.h"
#include "util/TextFile.h"
#include "views/draw/QtText.h"
#include "views/draw/CadScript.h"
#include "views/draw/SiteExport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>

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

// The station as the window would hold it after its start, with the settings and catalogues
// of the folders in use; no widget is created.
StationModel startedStation(bool &ok)
{
    const FormOptions options = PrepareStartFolders(QCoreApplication::applicationDirPath());
    QString programDir = options.programDir;
    if (!programDir.endsWith('/'))
        programDir += '/';
    const QString settingsFile = options.settingsFile.isEmpty() ? programDir + "Feldora.ini" : options.settingsFile;
    const Settings settings = ReadSettings(ss(settingsFile), ss(programDir));
    const FeldoraPaths paths = DerivePaths(ss(programDir), settings, ss(UserDesktopFolder()));
    StationModel station(StationPaths{paths.antennaFile, paths.userAntennaFile, paths.angleDir});
    station.setNameOrder(SortForList);
    station.setAutoload(settings.autoload);
    station.setLastSavedFileName(settings.lastSavedFileName);
    ok = true;
    try {
        ok = station.AfterCreation();
    } catch (const ConvertError &e) { // as the window's start: told, and the start goes on
        ShowError(e.what());
    }
    return station;
}

// "--bericht DATEI": the first documentation page of a configuration on standard output.
int runReport(const CommandLine &call)
{
    SetMessageSink(StderrMessageSink); // messages as lines on standard error, no boxes
    bool started = false;
    StationModel station = startedStation(started);
    if (!started)
        return kExitFailed;
    if (!station.Oeffnen(call.reportFile))
        return kExitFailed;
    for (const std::string &line : ReportLines(PrintoutTextsOf(station)))
        std::printf("%s\n", line.c_str());
    if (call.allBands) {
        const auto rows = AllBandsRows(CalculateAllBands(station), kDefaultAreaDistance);
        for (const std::string &line : AllBandsLines(rows))
            std::printf("%s\n", line.c_str());
    }
    std::fflush(stdout);

    // The pictures as the windows first show them, on the default light yellow.
    const QColor background(255, 255, 225);
    const bool hasAngleData = station.angleDataPresent() && !station.angleTable().Angles.empty();
    bool ok = true;
    if (!call.sideViewFile.empty()) {
        ok &= writePicture(call.sideViewFile, "Seitenansicht", hasAngleData, [&] {
            SideViewOptions options;
            options.background = background;
            return SideViewImage(SideViewInputOf(station, QString(), QString()), options);
        });
    }
    if (!call.diagramFile.empty()) {
        ok &= writePicture(call.diagramFile, "Diagramm", hasAngleData,
                           [&] { return DiagramImage(DiagramInputOf(station), background); });
    }
    if (!call.pdfFile.empty()) {
        // The pages as printed by default: dimensions drawn, no rays.
        try {
            const PrintoutData data = PrintoutDataOf(station, kDefaultAreaDistance);
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

// The site drawn as its window draws it: colours, the views' scripts, the background. ok turns
// false after a "Fehler:" line about a script or a background left out.
SitePictureInput sitePictureOf(const CommandLine &call, const SiteResult &result, const std::string &folder, bool &ok)
{
    SitePictureInput in = SitePictureInputOf(result);
    // The views' drawing scripts, relative to the site's folder.
    const std::string scripts[2] = {result.site.cutScriptX, result.site.cutScriptY};
    for (int k = 0; k < 2; ++k) {
        if (scripts[k].empty())
            continue;
        const std::string file = scripts[k].front() == '/' ? scripts[k] : folder + scripts[k];
        try {
            in.cutScripts[k] = ReadCadScript(QString::fromLocal8Bit(file.c_str()));
        } catch (const FileError &e) {
            printError(e.what());
            ok = false;
        }
    }
    // The background as the site window shows it; one that cannot be read leaves a plan without.
    try {
        if (const std::optional<SiteBackground> b = SiteBackgroundOf(result.site, call.siteFile)) {
            const std::string file = !b->file.empty() && b->file.front() == '/' ? b->file : folder + b->file;
            in.background = PlaceBackground(LoadBackgroundPicture(QString::fromLocal8Bit(file.c_str()), b->page), *b);
        }
    } catch (const SiteError &e) {
        printError(std::string(e.what()) + " Der Lageplan wird ohne Hintergrund geschrieben.");
        ok = false;
    } catch (const FileError &e) {
        printError(std::string(e.what()) + " Der Lageplan wird ohne Hintergrund geschrieben.");
        ok = false;
    }
    return in;
}

// "--lageplan AUSGABE": the top view as the extension names it; false after a "Fehler:" line.
bool writeSitePlan(const CommandLine &call, const SiteResult &result, const SitePictureInput &in)
{
    const QString path = QString::fromLocal8Bit(call.planFile.c_str());
    const QString ext = ImageExtension(path).toLower();
    try {
        if (ext == ".png") {
            if (!SitePlanImageSize(result, call.planPixelsPerMetre)) {
                printError("Der Lageplan wäre mit " + SiteNumberText(call.planPixelsPerMetre)
                           + " Pixeln je Meter größer als erlaubt (höchstens " + std::to_string(kMaxPlanImageSide)
                           + " Pixel je Seite und 100 Millionen Pixel): " + call.planFile
                           + " wurde nicht geschrieben. Bitte --pixel-pro-meter kleiner wählen.");
                return false;
            }
            SavePngFile(SitePlanImage(in, call.planPixelsPerMetre), path);
        } else if (ext == ".pdf") {
            WriteSitePdf(path, in, call.planScale);
        } else if (ext == ".svg") {
            WriteSiteSvg(path, in, call.planScale, SiteSheet::Plan);
        } else {
            printError("Speichern von " + ss(ImageExtension(path)) + "-Dateien nicht möglich (.png, .pdf, .svg).");
            return false;
        }
    } catch (const FileError &e) {
        printError(e.what());
        return false;
    }
    return true;
}

// "--standort DATEI": every antenna of the site over its bands, the groups and the threshold.
int runSite(const CommandLine &call)
{
    SetMessageSink(StderrMessageSink);
    bool started = false;
    const StationModel base = startedStation(started);
    if (!started)
        return kExitFailed;
    try {
        const Site site = ReadSite(call.siteFile);
        const size_t slash = call.siteFile.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string() : call.siteFile.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? call.siteFile : call.siteFile.substr(slash + 1);
        const SiteResult result = CalculateSite(site, folder, base, call.siteFile);
        for (const std::string &line : SiteReportLines(result, name))
            std::printf("%s\n", line.c_str());
        bool ok = true;
        const bool drawn = !call.planFile.empty() || !call.documentsFile.empty();
        const SitePictureInput in = drawn ? sitePictureOf(call, result, folder, ok) : SitePictureInput();
        if (!call.planFile.empty() && !writeSitePlan(call, result, in))
            return kExitFailed;
        if (!call.documentsFile.empty()) {
            try {
                WriteSiteDocumentsPdf(QString::fromLocal8Bit(call.documentsFile.c_str()),
                                      BuildSiteDocuments(in, base, GermanDate(QDate::currentDate()).toStdString()));
            } catch (const FileError &e) {
                printError(e.what());
                return kExitFailed;
            }
        }
        if (!ok)
            return kExitFailed;
    } catch (const SiteError &e) {
        printError(e.what());
        return kExitFailed;
    }
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return kExitOk;
    printError("Der Standort konnte nicht ausgegeben werden.");
    return kExitFailed;
}

// Nothing that escapes may abort the program: it ends the call with a German error.
int runCaught(const std::function<int()> &run)
{
    try {
        return run();
    } catch (const std::exception &e) {
        printError(e.what());
    } catch (...) {
        printError("Unerwarteter interner Fehler.");
    }
    return kExitFailed;
}

int runWithoutWindow(const CommandLine &call)
{
    switch (call.mode) {
    case CommandLine::Mode::Report:
        return runReport(call);
    case CommandLine::Mode::Site:
        return runSite(call);
    default:
        return kExitWrongCall;
    }
}

int runWindow(const CommandLine &call)
{
    // German standard buttons and dialogs.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    InstallDialogMessageSink();
    TFeldoraForm form(PrepareStartFolders(QApplication::applicationDirPath()));
    if (!call.windowFile.empty()) {
        if (!form.StartWithFile(QString::fromLocal8Bit(call.windowFile.c_str())))
            return 1;
    } else {
        if (!form.AfterCreation())
            return 1;
        form.show();
    }
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
    case CommandLine::Mode::Site:
        break;
    }

    const bool windowless = call.mode != CommandLine::Mode::Window;
    if (windowless) {
        qInstallMessageHandler(quietQt);
        // Text alone needs no GUI; pictures and pages need fonts, on no screen: always offscreen,
        // whatever platform the environment names (one that does not exist would abort the call).
        const bool drawn = !call.sideViewFile.empty() || !call.diagramFile.empty() || !call.pdfFile.empty()
                           || !call.planFile.empty() || !call.documentsFile.empty();
        if (drawn)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        const std::unique_ptr<QCoreApplication> app =
            drawn ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
        QCoreApplication::setApplicationName("Feldora");
        if (drawn)
            QGuiApplication::setFont(ui::windowFont(11));
        return runCaught([&] { return runWithoutWindow(call); });
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Feldora");
    QApplication::setApplicationDisplayName("Feldora");
    ui::ApplyFeldoraStyle();
    return runCaught([&] { return runWindow(call); });
}
