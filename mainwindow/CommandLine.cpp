#include "mainwindow/CommandLine.h"

#include "data/Settings.h"

namespace {

CommandLine wrongCall(std::string why)
{
    CommandLine c;
    c.mode = CommandLine::Mode::WrongCall;
    c.error = std::move(why);
    return c;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string> &args)
{
    CommandLine c;
    if (args.empty())
        return c;
    const std::string &first = args[0];
    if (first == "--help" || first == "-h" || first == "--version" || first == "-v") {
        if (args.size() > 1)
            return wrongCall("„" + first + "“ steht allein.");
        c.mode = (first == "--help" || first == "-h") ? CommandLine::Mode::Help : CommandLine::Mode::Version;
        return c;
    }
    if (first == "--grenzwerte") {
        if (args.size() > 1)
            return wrongCall("„--grenzwerte“ steht allein.");
        c.mode = CommandLine::Mode::LimitTable;
        return c;
    }
    if (first != "--bericht")
        return wrongCall("Unbekannte Option „" + first + "“.");
    if (args.size() < 2 || args[1].empty() || args[1].rfind("--", 0) == 0)
        return wrongCall("„--bericht“ braucht eine Konfigurationsdatei.");
    c.mode = CommandLine::Mode::Report;
    c.reportFile = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string &option = args[i];
        if (option == "--pdf") {
            if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind("--", 0) == 0)
                return wrongCall("„--pdf“ braucht einen Dateinamen.");
            if (!c.pdfFile.empty())
                return wrongCall("„--pdf“ steht nur einmal.");
            c.pdfFile = args[++i];
            continue;
        }
        return wrongCall("Unbekannte Option „" + option + "“.");
    }
    return c;
}

std::string UsageText()
{
    return "Aufruf: feldora                    Programmfenster\n"
           "        feldora --bericht DATEI    Übersicht der Konfiguration DATEI als Text, ohne Fenster\n"
           "            --pdf AUSGABE.pdf      schreibt dazu die Dokumentationsseiten als PDF\n"
           "                                   (mit Bemaßung, ohne Strahlen)\n"
           "        feldora --grenzwerte       Grenzwerttabelle aller Bänder als Text, ohne Fenster\n"
           "        feldora --help             diese Hilfe\n"
           "        feldora --version          Programmversion\n"
           "\n"
           "Ergebnis auf der Standardausgabe (UTF-8), Meldungen auf der Standardfehlerausgabe.\n"
           "Rückgabewert: 0 erfolgreich, 1 fehlgeschlagen, 2 falscher Aufruf.\n";
}

std::string VersionLine() { return std::string(kProgramTitle) + " " + kVersionText; }
