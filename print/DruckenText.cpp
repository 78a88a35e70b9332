#include "print/DruckenText.h"

#include "util/DecimalText.h"
#include "util/TextRoutines.h"

namespace
{

const std::vector<int> kAngleColumns = {1, 16, 37, 52};

constexpr int kTitlePt = 18;
constexpr int kBodyPt = 13;
constexpr int kNotePt = 10;

// Angle rows start 5 mm below the heading; a row below this line ends its page.
constexpr double kAngleRowStepMm = 5;
constexpr double kAnglePageEndMm = 260;
// Table ending below this leaves too little room: the picture gets a page of its own.
constexpr double kPictureOwnPageMm = 145;
constexpr double kPictureGapMm = 10;

PrintLine Text(double y, int pt, bool bold, std::string text)
{
    PrintLine line;
    line.yMm = y;
    line.fontPt = pt;
    line.bold = bold;
    line.text = std::move(text);
    return line;
}

PrintLine Note(double y, double yBottom, std::string text)
{
    PrintLine line = Text(y, kNotePt, false, std::move(text));
    line.wrapped = true;
    line.rect = {kPrintLeftMm, y, kPrintRightMm, yBottom};
    return line;
}

bool WiesbeckPossible(const PrintoutTexts &t)
{
    return Trim(t.wiesbeckDirectivity) != "---";
}

} // namespace

std::string PageHeaderText(const std::string &callsign, const std::string &dateText)
{
    return "Dokumentation nach §9 BEMFV" + Spaces(23) + callsign + ", " + dateText;
}

std::string FooterText(const std::string &version)
{
    return "Erstellt mit Feldora " + version;
}

std::vector<PrintLine> FirstPageLines(const PrintoutTexts &t)
{
    std::vector<PrintLine> lines = {
        Text(30, kTitlePt, true, "Übersicht für eine Konfiguration"),
        Text(40, kTitlePt, false, "Band: " + (t.fixedFrequency ? std::string(kNoBandText) : t.band)),
        Text(48, kTitlePt, false, "Frequenz [MHz]: " + t.frequency),

        Text(60, kBodyPt, true, "Eingaben"),
        Text(65, kBodyPt, false, "AntennenName       : " + t.antennaName),
        Text(70, kBodyPt, false, "AntennenTyp        : " + t.antennaType),
        Text(75, kBodyPt, false, "Höhe               : " + t.height + " m"),
        Text(80, kBodyPt, false, "Betriebsart        : " + t.operatingMode),
        Text(85, kBodyPt, false, "TXRX-Integration   : " + t.dutyCycle),
        Text(90, kBodyPt, false, "Satz Mode-Faktoren : " + t.modeFactorSet),
        Text(95, kBodyPt, false, "Leistung           : " + t.power + " W"),
        Text(100, kBodyPt, false, "Gewinn             : " + t.gain),
        Text(105, kBodyPt, false, "Kabeltyp           : " + t.cableType),
        Text(110, kBodyPt, false, "Kabellänge         : " + t.cableLength + " m"),
        Text(115, kBodyPt, false, "Sonstige Dämpfungen: " + t.otherAttenuations + " dB"),

        Text(123, kBodyPt, true, "Ausgaben"),
        Text(128, kBodyPt, false, "Speisedämpfung                : " + t.feedAttenuation + " dB"),
        Text(133, kBodyPt, false, "Grenzwert E-Feld              : " + t.eLimit),
        Text(138, kBodyPt, false, "Grenzwert H-Feld              : " + t.hLimit),
        Text(143, kBodyPt, false, "F(modPers)                    : " + t.fModPers),
        Text(148, kBodyPt, false, "F(B)                          : " + t.fB),
        Text(153, kBodyPt, false, "Antenneneingangsleistung      : " + t.antennaInputPower),
        Text(158, kBodyPt, false, "EIRP                          : " + t.eirp),

        Text(171, kBodyPt, true, "Fernfeld-Rechnung"),
        Text(176, kBodyPt, false, "Sicherheitsabstand             : " + t.safetyDistance),
        Text(181, kBodyPt, false, "Grenze des reaktiven Nahfeldes : " + t.nearFieldLimit),
        Note(186, 199,
             "Hinweis: Falls der Abstand der Antenne zum kontrollierbaren Bereich kleiner ist als das "
             "reaktive Nahfeld, muss eine Nahfeldbetrachtung gemacht werden!"),
    };

    if (!WiesbeckPossible(t)) {
        lines.push_back(Text(205, kBodyPt, true, "Keine Wiesbeck-Rechnung möglich!"));
        return lines;
    }
    const std::vector<PrintLine> wiesbeck = {
        Text(205, kBodyPt, true, "Wiesbeck-Rechnung"),
        Text(210, kBodyPt, false, "Wiesbeck-Antenne           : " + t.wiesbeckAntenna),
        Text(215, kBodyPt, false, "Wiesbeck-Directivity       : " + t.wiesbeckDirectivity + " dBi"),
        Text(220, kBodyPt, false, "Alternative Directivity    : " + t.alternativeDirectivity + " dBi"),
        Text(225, kBodyPt, false, "Verwende alt. Directivity  : " + YesNo(t.useAlternativeDirectivity)),
        Text(230, kBodyPt, false, "Faktor Boden/Höhe          : " + t.groundHeightFactor),
        Text(235, kBodyPt, false, "Faktor Sicherheit          : " + t.safetyFactor),
        Text(240, kBodyPt, false, "EIRP                       : " + t.wiesbeckEirp + " W"),
        Text(245, kBodyPt, false, "Wiesbeck-Sicherheitsabstand: " + t.wiesbeckDistance),
        Note(250, 263, "Hinweis: Sicherheitsabstände nach Wiesbeck sind im Nahfeld gültig!"),
    };
    lines.insert(lines.end(), wiesbeck.begin(), wiesbeck.end());
    return lines;
}

std::string AngleHeadingLine()
{
    return ColumnText(kAngleColumns, {"Winkel [°]", "Dämpfung [dB]", "EIRP [W]", "Sicherheitsabstand [m]"});
}

std::string AngleRowLine(const std::array<std::string, 4> &cells)
{
    return ColumnText(kAngleColumns, {cells.begin(), cells.end()});
}

AnglePagesLayout LayoutAnglePages(size_t rowCount)
{
    AnglePagesLayout layout;
    layout.rows.reserve(rowCount);
    int page = 2;
    double y = kAngleHeadingYMm;
    for (size_t i = 0; i < rowCount; ++i) {
        y += kAngleRowStepMm;
        layout.rows.push_back({page, y});
        // The break follows the row that crossed the line, even when it was the last one.
        if (y > kAnglePageEndMm) {
            ++page;
            y = kAngleHeadingYMm;
        }
    }
    if (y > kPictureOwnPageMm) {
        ++page;
        y = kAngleHeadingYMm;
    }
    layout.picturePage = page;
    layout.pictureTopMm = y + kPictureGapMm;
    layout.pageCount = page;
    return layout;
}

int PrintoutPageCount(const PrintoutTexts &texts)
{
    return texts.angleDataPresent ? LayoutAnglePages(texts.angleRows.size()).pageCount : 1;
}

std::vector<std::string> ReportLines(const PrintoutTexts &texts)
{
    std::vector<std::string> report;
    for (const PrintLine &line : FirstPageLines(texts))
        report.push_back(line.text);
    if (texts.angleDataPresent) {
        report.push_back(AngleHeadingLine());
        for (const auto &row : texts.angleRows)
            report.push_back(AngleRowLine(row));
    }
    return report;
}

std::string StationSummary(const PrintoutTexts &t)
{
    const std::string antenna =
        t.antennaName.empty() ? "ohne Katalogantenne, " + t.gain + " dBi" : t.antennaName + " (" + t.antennaType + ")";
    return "Antenne: " + antenna + "   PEP: " + t.power + " W   Betriebsart: " + t.operatingMode
           + "   Höhe: " + t.height + " m";
}
