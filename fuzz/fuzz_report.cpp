// The whole path of `feldora --bericht`: configuration bytes in, the main window's calculation
// (offscreen) with the shipped catalogue and angle files, the report lines and the table of
// every band out. Nothing may escape, and no number may be INF, NAN, runaway digits or carry
// a point.
#include "mainwindow/FeldoraU.h"
#include "util/Messages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>

namespace {

QApplication *app = nullptr;
QTemporaryDir *programDir = nullptr;
TFeldoraForm *form = nullptr;

void quietQt(QtMsgType, const QMessageLogContext &, const QString &) {}

void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &file : source.entryList(QDir::Files))
        QFile::copy(from + "/" + file, to + "/" + file);
    for (const QString &dir : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copyTree(from + "/" + dir, to + "/" + dir);
}

void fail(const char *what, const std::string &text)
{
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.c_str());
    std::abort();
}

// A number text as the program formats it: no INF or NAN, no decimal point, no runaway width.
void checkNumberText(const std::string &text)
{
    static const std::regex pointInNumber("[0-9]\\.[0-9]");
    static const std::regex notANumber("inf|nan", std::regex::icase);
    if (std::regex_search(text, notANumber))
        fail("INF/NAN im Bericht", text);
    if (std::regex_search(text, pointInNumber))
        fail("Dezimalpunkt im Bericht", text);
    if (text.size() > 24)
        fail("Zahlentext zu breit", text);
}

} // namespace

// fontconfig keeps its caches to the end of the process; that is no leak of ours.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    SetMessageSink([](MessageKind, const std::string &) {});
    app = new QApplication(*argc, *argv);
    programDir = new QTemporaryDir();
    copyTree(FELDORA_SHIPPED_DATA, programDir->path());
    FormOptions options;
    options.programDir = programDir->path();
    options.showSplash = false;
    form = new TFeldoraForm(options);
    if (!form->AfterCreation())
        std::abort();
    form->findChild<QAction *>("MIDebugMode")->setChecked(false); // the trace would grow with every run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = programDir->path() + "/config.txt";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    try {
        form->openConfiguration(path);
        const PrintoutTexts t = form->printoutTexts();
        ReportLines(t);
        for (const std::string *number :
             {&t.frequency, &t.power, &t.gain, &t.cableLength, &t.otherAttenuations, &t.feedAttenuation, &t.eLimit,
              &t.hLimit, &t.fModPers, &t.fB, &t.antennaInputPower, &t.eirp, &t.safetyDistance, &t.nearFieldLimit,
              &t.wiesbeckDirectivity, &t.groundHeightFactor, &t.safetyFactor, &t.wiesbeckEirp, &t.wiesbeckDistance})
            checkNumberText(*number);
        for (const auto &row : t.angleRows)
            for (const std::string &cell : row)
                checkNumberText(cell);
        // The same configuration on every band of its antenna, as "--alle-baender" prints it.
        const auto bands = AllBandsRows(CalculateAllBands(form->stationInputs(), form->catalogue()), kDefaultAreaDistance);
        for (size_t r = 1; r < bands.size(); ++r)
            for (size_t c = 1; c < bands[r].size(); ++c)
                checkNumberText(bands[r][c]);
    } catch (const std::exception &e) {
        fail("Ausnahme", e.what());
    } catch (...) {
        fail("Ausnahme", "unbekannt");
    }
    return 0;
}
