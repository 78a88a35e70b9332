// The window's current configuration as inputs of the calculation on any band.
#include "mainwindow/FeldoraU.h"

#include "util/DecimalText.h"
#include "util/TextRoutines.h"

#include <QCheckBox>
#include <QListWidget>

namespace
{

std::string text(const QLineEdit *e)
{
    return e->text().toStdString();
}

} // namespace

StationInputs TFeldoraForm::stationInputs() const
{
    StationInputs in;
    // Read as the cable update reads the fields; a rejected text keeps the value in use.
    in.cableIndex = CLBCable->currentRow();
    in.ownAtt100 = TryStrictToFloat(text(EditCableAtt100)).value_or(cable_.Att100);
    in.cableLength = TryTolerantToFloat(text(EditCableLength)).value_or(cable_.CableLength);
    in.plugAtt = TryTolerantToFloat(text(EditPlugAtt)).value_or(cable_.PlugAtt);
    in.modeType = RGMode->itemIndex() + 1;
    in.factorSource = RGFCCBNetzA->itemIndex();
    in.dutyChoice = RGDutyCycle->itemIndex();
    in.freeDuty = TolerantToFloat(text(EditfreeTXRX));
    in.marginDb = StrictToFloat(DropTail(text(EditmySafetyFactor), 3));
    in.power = power_;
    in.height = TolerantToFloat(text(EditHoehe));
    if (LBTypen->currentItem())
        in.antennaName = LBTypen->currentItem()->text().toStdString();
    in.manufacturer = selectedManufacturer_.toStdString();
    in.typedGain = gain_;
    in.angleDir = angleDir_.toStdString();
    in.wiesAnt = static_cast<WiesAntIndex>(LBWiesAnt->currentRow() + 1);
    in.fsi = fsi_;
    in.useAltDirectivity = CBabwDir->isChecked();
    in.altDirectivity = altDirectivity_;
    in.wiesApplyDuty = CBWiesRXTX->isChecked();
    in.wiesApplyMode = CBWiesMode->isChecked();
    return in;
}
