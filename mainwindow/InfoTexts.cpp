#include "mainwindow/InfoTexts.h"

#include "data/Settings.h"

#include <QSysInfo>
#include <QUrl>
#include <QUrlQuery>

namespace info {

const char *const kKnownFaults =
    "Bekannte Fehler und Grenzen\r\n\r\n"
    "- Die Fernfeldrechnung gilt erst außerhalb des reaktiven Nahfeldes. Liegt der Sicherheitsabstand "
    "innerhalb der Nahfeldgrenze, ist eine Nahfeldbetrachtung nötig; das Wiesbeck-Verfahren kennt nur die "
    "elf Antennen der Studie.\r\n"
    "- Bodenreflexionen gehen nur in die Wiesbeck-Rechnung ein, nicht in die Fernfeldrechnung.\r\n"
    "- Nach Eingabe einer festen Frequenz bleiben Kabeldämpfung und Antennengewinn, bis Kabel oder Antenne "
    "neu gewählt werden.\r\n"
    "- Winkeldaten gibt es nur für Antennen mit passender .ang-Datei im Winkelverzeichnis.\r\n"
    "- Eine eigene Antenne erscheint erst nach \"Antennen neu laden\" in der Liste.\r\n"
    "- \"Individuelle Dateipfade\" wirkt erst nach einem Neustart.\r\n"
    "- Die amtlichen Formulare und Papiere (Anzeige, Konfiguration, Anleitung, Erläuterung, "
    "Wiesbeck-Studie) liegen Feldora nicht bei; wer sie in den Programm- bzw. Datenordner legt, kann sie "
    "über die Menüs öffnen.";

const char *const kGoodies =
    "Goodies\r\n\r\n"
    "- Rechte Maustaste auf dem Leistungsfeld: 10 W, 100 W, 750 W oder die Leistung für 5 m, 10 m "
    "oder einen beliebigen Abstand.\r\n"
    "- Doppelklick auf EIRP oder ERP: Leistung für genau 9,99 W; Doppelklick auf die Beschriftung: "
    "Leistung für eine beliebige EIRP oder ERP.\r\n"
    "- Doppelklick auf das Frequenzfeld: Rechnung mit einer festen Frequenz.\r\n"
    "- Doppelklick auf den Gewinn: Rechnung mit 0 dBi.\r\n"
    "- Doppelklick auf den Sicherheitsabstand: Leistung für einen vorgegebenen Abstand.\r\n"
    "- Rechte Maustaste auf der Winkeltabelle: Speichern als Text oder Kopieren.\r\n"
    "- feldora --bericht DATEI gibt die Übersicht einer Konfiguration ohne Fenster aus.";

const char *const kHistory =
    "History\r\n\r\n"
    "v 2.1.0  Erste Ausgabe für Linux:\r\n"
    "  - Fernfeldrechnung mit Betriebsarten- und Sendezeitfaktor, Kabel- und Steckerdämpfung\r\n"
    "  - Antennenkatalog Antennen.txt und AntUser.txt, eigene Antennen\r\n"
    "  - Nahfeldrechnung nach Wiesbeck, winkelabhängige Auswertung aus .ang-Dateien\r\n"
    "  - Konfigurationsdateien, Einstellungen in Feldora.ini, Bericht ohne Fenster\r\n"
    "  - Installation mit Einstellungen und Katalogen in den Benutzerordnern";

const char *const kNotice =
    "Hinweis zur Haftung\r\n\r\n"
    "Feldora ist eine Rechenhilfe für die Anzeige nach BEMFV. Die Verantwortung für die "
    "Richtigkeit der Angaben gegenüber der Bundesnetzagentur trägt der Betreiber der Funkanlage. "
    "Prüfen Sie die Ergebnisse, bevor Sie sie einreichen.";

const char *const kIntWarning =
    "Intermittierender Betrieb\r\n\r\n"
    "Ein Faktor F(B) unter 1 verkleinert den Sicherheitsabstand. Er darf nur angesetzt werden, wenn der "
    "Sender in jedem 6-Minuten-Intervall tatsächlich nicht länger sendet, als der Faktor angibt.";

const char *const kMailSubject = "Feldora v " FELDORA_VERSION;

QString SystemDescription()
{
    return QString("%1, Kernel %2 %3, Qt %4")
        .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(), qVersion());
}

QString MailToUrl(const QString &system)
{
    const QString body = QString("Hallo,\r\n\r\nzu Feldora %1 habe ich folgende Anmerkung:\r\n\r\n\r\n"
                                 "Programm: Feldora %1\r\nSystem: %2\r\n")
                             .arg(kVersionText, system);
    QUrlQuery query;
    query.addQueryItem("subject", QString(kMailSubject));
    query.addQueryItem("body", body);
    QUrl url("mailto:");
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

} // namespace info
