// Copies of a station's state for the views, the printout and the command line.
#include "mainwindow/StationSnapshots.h"

#include "data/Settings.h"
#include "data/StationBands.h"
#include "views/draw/QtText.h"

namespace
{

template <size_t N> std::string entryAt(const char *const (&entries)[N], int position)
{
    return position >= 0 && position < static_cast<int>(N) ? entries[position] : "";
}

std::string rowAt(const std::vector<std::string> &entries, int row)
{
    return row >= 0 && row < static_cast<int>(entries.size()) ? entries[static_cast<size_t>(row)] : "";
}

} // namespace

PrintoutTexts PrintoutTextsOf(const StationModel &station)
{
    const StationShown &s = station.shown();
    PrintoutTexts p;
    p.callsign = s.EditCall;
    p.band = s.bandPosition >= 0 ? BandName(static_cast<BandIndex>(s.bandPosition + 1)) : "";
    p.fixedFrequency = station.fixedFrequencyMode();
    p.frequency = s.EditFreq;
    p.antennaName = s.EditAntenne;
    p.antennaType = s.EditAntennenTyp;
    p.height = s.EditHoehe;
    p.operatingMode = s.EditMode;
    p.dutyCycle = entryAt(kDutyEntries, s.dutyPosition);
    p.modeFactorSet = entryAt(kFactorSourceEntries, s.sourcePosition);
    p.power = s.EditPower;
    p.gain = s.EditGain;
    p.cableType =
        s.cableRow >= 0 && s.cableRow < station.cableListCount() ? StationModel::cableListEntry(s.cableRow) : "";
    p.cableLength = s.EditCableLength;
    p.otherAttenuations = s.EditPlugAtt;
    p.feedAttenuation = s.EditAtt;
    p.eLimit = s.EditEps;
    p.hLimit = s.EditHps;
    p.fModPers = s.EditFmodPers;
    p.fB = s.EditFB;
    p.antennaInputPower = s.EditAntIn;
    p.eirp = s.EditEIRP;
    p.safetyDistance = s.EditrPS;
    p.nearFieldLimit = s.EditrNahfeld;
    p.wiesbeckAntenna = rowAt(s.wiesAntennas.get(), s.wiesAntRow);
    p.wiesbeckDirectivity = s.EditDirectivity;
    p.alternativeDirectivity = s.EditDirectivityUsed;
    p.useAlternativeDirectivity = s.CBabwDir;
    p.groundHeightFactor = s.EditBodenHoehe;
    p.safetyFactor = s.EditFSi;
    p.wiesbeckEirp = s.EditWiesEIRP;
    p.wiesbeckDistance = s.EditWiesAbstandPS;
    p.version = kVersionText;
    p.angleDataPresent = station.angleDataPresent();
    // The heading is the table's fixed header, so every row is an angle.
    for (size_t r = 0; p.angleDataPresent && r < s.angleRows.size(); ++r) {
        std::array<std::string, 4> row;
        for (size_t c = 0; c < 4 && c < s.angleRows[r].size(); ++c)
            row[c] = s.angleRows[r][c];
        p.angleRows.push_back(row);
    }
    return p;
}

PrintoutData PrintoutDataOf(const StationModel &station, double areaDistance)
{
    PrintoutData data;
    data.texts = PrintoutTextsOf(station);
    const AngleTable &angles = station.angleTable();
    data.angles.assign(angles.Angles.begin(), angles.Angles.end());
    data.distances = angles.DistanceByAngle;
    data.height = station.height();
    // The band part of the proposed file names, as "Speichern &unter" forms it.
    data.fileTag = station.fileTag();
    auto rows = AllBandsRows(CalculateAllBands(station), areaDistance);
    data.allBandsHeading = AllBandsHeading(areaDistance);
    data.allBandsRows.assign(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
    data.allBandsNote = kAllBandsNote;
    return data;
}

SideViewInput SideViewInputOf(const StationModel &station, const QString &programDir, const QString &scriptFile)
{
    SideViewInput in;
    in.antennaTitle = station.angleData() ? qs(station.angleData()->Name) : QString();
    in.power = station.power();
    in.gain = station.gain();
    in.band = station.bandIndex();
    const AngleTable &angles = station.angleTable();
    in.angles.assign(angles.Angles.begin(), angles.Angles.end());
    in.distances = angles.DistanceByAngle;
    in.height = station.height();
    in.programDir = programDir;
    in.scriptFile = scriptFile;
    return in;
}

DiagramWindowInput DiagramInputOf(const StationModel &station)
{
    DiagramWindowInput in;
    in.antennaTitle = station.angleData() ? qs(station.angleData()->Name) : QString();
    in.gain = station.gain();
    in.band = station.bandIndex();
    const AngleTable &angles = station.angleTable();
    in.angles.assign(angles.Angles.begin(), angles.Angles.end());
    in.attenuations = angles.Attenuations;
    return in;
}
