#include "mainwindow/InfoTexts.h"

namespace info {

const char *const kKnownFaults =
    "Bekannte Fehler\r\n\r\n"
    "- Die Fenster Seitenansicht, Diagramm, Virtuelle Messpunkte, Grenzwerttabelle und Druck "
    "sind in dieser Version noch nicht enthalten; ihre Menüeinträge sind gesperrt.\r\n"
    "- Winkeldaten werden nur für Antennen mit passender .ang-Datei im Winkelverzeichnis angezeigt.";

const char *const kGoodies =
    "Goodies\r\n\r\n"
    "- Rechte Maustaste auf dem Leistungsfeld: feste Leistungen und Leistung für 5 m, 10 m "
    "oder einen beliebigen Abstand.\r\n"
    "- Doppelklick auf EIRP oder ERP: Leistung für genau 9,99 W.\r\n"
    "- Doppelklick auf das Frequenzfeld: Rechnung mit einer festen Frequenz.\r\n"
    "- Doppelklick auf den Gewinn: Rechnung mit 0 dBi.";

const char *const kHistory =
    "History\r\n\r\n"
    "v 2.1.0  Feldora für Linux: Fernfeldrechnung, Kabeldämpfung, Antennenkatalog, "
    "Einstellungen in Feldora.ini.";

const char *const kNotice =
    "Hinweis zur Haftung\r\n\r\n"
    "Feldora ist eine Rechenhilfe für die Anzeige nach BEMFV. Die Verantwortung für die "
    "Richtigkeit der Angaben gegenüber der Bundesnetzagentur trägt der Betreiber der Funkanlage. "
    "Prüfen Sie die Ergebnisse, bevor Sie sie einreichen.";

const char *const kMailTo = "feldora@example.org";
const char *const kMailSubject = "Feldora v 2.1.0";
const char *const kMailBody = "Hallo,\n\nzu Feldora v 2.1.0 habe ich folgende Anmerkung:\n\n";

} // namespace info
