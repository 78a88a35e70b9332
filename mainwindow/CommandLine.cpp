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
    if (first == "--standort") {
        if (args.size() < 2 || args[1].empty() || args[1].rfind("--", 0) == 0)
            return wrongCall("„--standort“ braucht eine Standortdatei.");
        if (args.size() > 2)
            return wrongCall("Unbekannte Option „" + args[2] + "“.");
        c.mode = CommandLine::Mode::Site;
        c.siteFile = args[1];
        return c;
    }
    if (!first.empty() && first[0] != '-') {
        if (args.size() > 1)
            return wrongCall("Feldora öffnet im Fenster nur eine Datei.");
        c.windowFile = first;
        return c;
    }
    if (first != "--bericht")
        return wrongCall("Unbekannte Option „" + first + "“.");
    if (args.size() < 2 || args[1].empty() || args[1].rfind("--", 0) == 0)
        return wrongCall("„--bericht“ braucht eine Konfigurationsdatei.");
    c.mode = CommandLine::Mode::Report;
    c.reportFile = args[1];
    // Output files, each at most once, in any order.
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string &option = args[i];
        if (option == "--alle-baender") {
            if (c.allBands)
                return wrongCall("„" + option + "“ steht mehrfach.");
            c.allBands = true;
            continue;
        }
        std::string *target = option == "--seitenansicht" ? &c.sideViewFile
                              : option == "--diagramm"     ? &c.diagramFile
                              : option == "--pdf"          ? &c.pdfFile
                                                           : nullptr;
        if (!target)
            return wrongCall("Unbekannte Option „" + option + "“.");
        if (!target->empty())
            return wrongCall("„" + option + "“ steht mehrfach.");
        if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind("--", 0) == 0)
            return wrongCall("„" + option + "“ braucht einen Dateinamen.");
        *target = args[++i];
    }
    return c;
}

std::string UsageText()
{
    return "Aufruf: feldora                    Programmfenster\n"
           "        feldora DATEI              Programmfenster mit der Konfiguration DATEI\n"
           "        feldora --bericht DATEI [--seitenansicht BILD] [--diagramm BILD] [--pdf AUSGABE.pdf]\n"
           "                                [--alle-baender]\n"
           "                                   Übersicht der Konfiguration DATEI als Text, ohne Fenster;\n"
           "                                   mit --alle-baender danach eine Zeile je Band (durch „;“ getrennt),\n"
           "                                   im PDF als letzte Seite;\n"
           "                                   dazu Seitenansicht und Diagramm als Bild (.bmp, .png, .jpg)\n"
           "                                   und die Dokumentationsseiten als PDF (mit Bemaßung, ohne Strahlen)\n"
           "        feldora --standort DATEI   der ganze Standort der Standortdatei DATEI (.standort) als Text,\n"
           "                                   ohne Fenster: je Antenne Sicherheitsabstand über ihre Bänder,\n"
           "                                   Radien und Abstand zur Grenze des kontrollierbaren Bereichs,\n"
           "                                   je Gruppe gleichzeitig sendender Antennen die größte Summe,\n"
           "                                   dazu die Anzeigeschwelle (Zeilen durch „;“ getrennt)\n"
           "        feldora --grenzwerte       Grenzwerttabelle aller Bänder als Text, ohne Fenster\n"
           "        feldora --help             diese Hilfe\n"
           "        feldora --version          Programmversion\n"
           "\n"
           "Ergebnis auf der Standardausgabe (UTF-8), Meldungen auf der Standardfehlerausgabe.\n"
           "Rückgabewert: 0 erfolgreich, 1 fehlgeschlagen, 2 falscher Aufruf.\n";
}

std::string VersionLine() { return std::string(kProgramTitle) + " " + kVersionText; }
