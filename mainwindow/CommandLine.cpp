#include "mainwindow/CommandLine.h"

#include "data/Settings.h"
#include "util/DecimalText.h"

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
        c.mode = CommandLine::Mode::Site;
        c.siteFile = args[1];
        bool pixels = false, scale = false;
        for (size_t i = 2; i < args.size(); ++i) {
            const std::string &option = args[i];
            if (option != "--lageplan" && option != "--pixel-pro-meter" && option != "--massstab" && option != "--pdf")
                return wrongCall("Unbekannte Option „" + option + "“.");
            const bool named = option == "--lageplan" || option == "--pdf";
            if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind("--", 0) == 0)
                return wrongCall("„" + option + "“ braucht " + (named ? "einen Dateinamen." : "eine Zahl."));
            const std::string &value = args[++i];
            if (option == "--pdf") {
                if (!c.documentsFile.empty())
                    return wrongCall("„" + option + "“ steht mehrfach.");
                c.documentsFile = value;
            } else if (option == "--lageplan") {
                if (!c.planFile.empty())
                    return wrongCall("„" + option + "“ steht mehrfach.");
                c.planFile = value;
            } else if (option == "--pixel-pro-meter") {
                if (pixels)
                    return wrongCall("„" + option + "“ steht mehrfach.");
                pixels = true;
                const auto n = TryTolerantToFloat(value);
                if (!n || !(*n > 0) || *n > 1000)
                    return wrongCall("„--pixel-pro-meter“ braucht eine Zahl über 0 bis 1000, nicht „" + value + "“.");
                c.planPixelsPerMetre = *n;
            } else {
                if (scale)
                    return wrongCall("„" + option + "“ steht mehrfach.");
                scale = true;
                const auto n = TryStrictToInt(value);
                if (!n || *n < 1 || *n > 1000000000)
                    return wrongCall("„--massstab“ braucht eine ganze Zahl von 1 bis 1000000000 (1:N), nicht „" + value
                                     + "“.");
                c.planScale = *n;
            }
        }
        if (c.planFile.empty() && (pixels || scale))
            return wrongCall(std::string("„") + (pixels ? "--pixel-pro-meter" : "--massstab") + "“ gilt nur mit „--lageplan“.");
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
           "        feldora DATEI              Programmfenster mit der Konfiguration DATEI,\n"
           "                                   eine Standortdatei (.standort) im Fenster „Standort“\n"
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
           "        feldora --standort DATEI --lageplan AUSGABE [--pixel-pro-meter N] [--massstab N]\n"
           "                                   dazu der Lageplan (Draufsicht) in AUSGABE: als .png nur der Plan\n"
           "                                   mit N Pixeln je Meter (Vorgabe 20), oben links bei x_min − 2 m,\n"
           "                                   y_max + 2 m, x nach rechts, y nach oben; als .pdf oder .svg auf A4\n"
           "                                   quer mit Legende und Schriftfeld im Maßstab 1:N (Vorgabe: der\n"
           "                                   genaueste von 1:100, 1:200, 1:250, 1:500, 1:1000, bei dem der Plan\n"
           "                                   passt), im PDF die Seitenansichten auf Seite 2, wenn eine Zone\n"
           "                                   nicht innerhalb bleibt\n"
           "        feldora --standort DATEI --pdf AUSGABE.pdf\n"
           "                                   dazu die Unterlagen zur Anzeige in einer PDF-Datei: Deckblatt mit\n"
           "                                   Inhalt, Konfigurationstabelle, Lageplan, Seitenansichten, wenn\n"
           "                                   nötig, und je Antenne die Berechnung ihrer Bänder\n"
           "        feldora --grenzwerte       Grenzwerttabelle aller Bänder als Text, ohne Fenster\n"
           "        feldora --help             diese Hilfe\n"
           "        feldora --version          Programmversion\n"
           "\n"
           "Ergebnis auf der Standardausgabe (UTF-8), Meldungen auf der Standardfehlerausgabe.\n"
           "Rückgabewert: 0 erfolgreich, 1 fehlgeschlagen, 2 falscher Aufruf.\n";
}

std::string VersionLine() { return std::string(kProgramTitle) + " " + kVersionText; }
