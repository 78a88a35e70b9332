// The texts of the main window as the printout and the report show them.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

namespace {
std::string text(const QLineEdit *e) { return e->text().toStdString(); }
std::string selected(const QListWidget *l) { return l->currentItem() ? l->currentItem()->text().toStdString() : ""; }
} // namespace

PrintoutTexts TFeldoraForm::printoutTexts() const
{
    PrintoutTexts p;
    p.callsign = text(EditCall);
    p.band = CBBand->currentText().toStdString();
    p.fixedFrequency = fixedFrequency_;
    p.frequency = text(EditFreq);
    p.antennaName = text(EditAntenne);
    p.antennaType = text(EditAntennenTyp);
    p.height = text(EditHoehe);
    p.operatingMode = text(EditMode);
    p.dutyCycle = RGDutyCycle->itemText(RGDutyCycle->itemIndex()).toStdString();
    p.modeFactorSet = RGFCCBNetzA->itemText(RGFCCBNetzA->itemIndex()).toStdString();
    p.power = text(EditPower);
    p.gain = text(EditGain);
    p.cableType = selected(CLBCable);
    p.cableLength = text(EditCableLength);
    p.otherAttenuations = text(EditPlugAtt);
    p.feedAttenuation = text(EditAtt);
    p.eLimit = text(EditEps);
    p.hLimit = text(EditHps);
    p.fModPers = text(EditFmodPers);
    p.fB = text(EditFB);
    p.antennaInputPower = text(EditAntIn);
    p.eirp = text(EditEIRP);
    p.safetyDistance = text(EditrPS);
    p.nearFieldLimit = text(EditrNahfeld);
    p.wiesbeckAntenna = selected(LBWiesAnt);
    p.wiesbeckDirectivity = text(EditDirectivity);
    p.alternativeDirectivity = text(EditDirectivityUsed);
    p.useAlternativeDirectivity = CBabwDir->isChecked();
    p.groundHeightFactor = text(EditBodenHoehe);
    p.safetyFactor = text(EditFSi);
    p.wiesbeckEirp = text(EditWiesEIRP);
    p.wiesbeckDistance = text(EditWiesAbstandPS);
    p.version = kVersionText;
    p.angleDataPresent = angleDataPresent_;
    // The heading is the table's fixed header, so every row is an angle.
    for (int r = 0; angleDataPresent_ && r < SGWinkel->rowCount(); ++r) {
        std::array<std::string, 4> row;
        for (int c = 0; c < 4; ++c)
            row[static_cast<size_t>(c)] = SGWinkel->item(r, c) ? SGWinkel->item(r, c)->text().toStdString() : "";
        p.angleRows.push_back(row);
    }
    return p;
}
