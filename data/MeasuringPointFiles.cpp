#include "data/MeasuringPointFiles.h"

#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"

namespace
{

std::string quoted(const std::string &path)
{
    return "„" + path + "“";
}

} // namespace

DistanceFileContent ReadDistanceFile(const std::string &path)
{
    const std::vector<std::string> lines = ReadTextLines(path);
    DistanceFileContent content;
    const std::string head = lines.empty() ? std::string() : DropHead(lines[0], 2);
    const std::optional<int> n = TryStrictToInt(head);
    if (!n)
        throw FileError("Die Abstandsdatei " + quoted(path)
                        + " nennt in der ersten Zeile keine Anzahl von "
                          "Messpunkten („w;“ und eine ganze Zahl).");
    const long long held = static_cast<long long>(lines.size()) - 1;
    if (*n < 1 || *n > held)
        throw FileError("Die Abstandsdatei " + quoted(path) + " kündigt " + std::to_string(*n)
                        + " Messpunkte an, enthält aber " + std::to_string(held) + (held == 1 ? " Zeile" : " Zeilen")
                        + " mit Messpunkten. Die Datei wurde nicht geladen.");
    content.announced = *n;
    for (int r = 1; r <= *n; ++r) {
        const std::string &line = lines[static_cast<size_t>(r)];
        const std::vector<std::string> parts = SplitText(line, ';');
        if (parts.size() < 2) {
            content.lineError = "Zeile " + std::to_string(r + 1) + " der Abstandsdatei " + quoted(path)
                                + " hat nicht die Form „Abstand;Winkel“: '" + line + "'";
            break;
        }
        content.rows.push_back({parts[0], parts[1]});
    }
    return content;
}

std::vector<std::string> DistanceFileLines(const std::vector<MeasuringPoint> &points)
{
    std::vector<std::string> lines{"w;" + std::to_string(points.size())};
    for (const MeasuringPoint &p : points)
        lines.push_back(p.distance + ";" + p.angle);
    return lines;
}

void WriteDistanceFile(const std::string &path, const std::vector<MeasuringPoint> &points)
{
    WriteTextLines(path, DistanceFileLines(points));
}

std::string DutyCycleInterval(const std::string &dutyCycle)
{
    std::string lower = dutyCycle;
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return HeadChars(lower, 3) + " - " + TailChars(lower, 3);
}

std::vector<std::string> ExchangeFileLines(const ExchangeHeader &header, const std::vector<MeasuringPoint> &points)
{
    std::vector<std::string> lines{
        "Spalte.............>FO",
        "Antennenname.......>" + header.antennaName,
        "Band...............>" + BandName(header.band),
        "Ausgangsleistung...>" + FormatValue("%1.0f", header.power),
        "TxRx-Intervall.....>" + DutyCycleInterval(header.dutyCycle),
        "Mode-Faktoren......>" + header.factorSource,
    };
    for (size_t i = 0; i < points.size(); ++i)
        lines.push_back("MP " + std::to_string(i + 1) + ";" + points[i].e + ";" + points[i].h);
    return lines;
}

void WriteExchangeFile(const std::string &path, const ExchangeHeader &header, const std::vector<MeasuringPoint> &points)
{
    WriteTextLines(path, ExchangeFileLines(header, points));
}
