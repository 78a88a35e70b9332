// Saving and opening station configurations, and the file menu commands that do it.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "data/AntennenLib.h"
#include "views/DialogService.h"
#include "mainwindow/ListLookups.h"
#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

namespace {

std::string text(const QLineEdit *e) { return e->text().toStdString(); }

const char *kConfigFilter = "Textdateien (*.txt);;Alle Dateien (*)";

void selectRow(QListWidget *list, int row)
{
    list->setCurrentRow(row);
    if (row < 0)
        list->clearSelection();
}

} // namespace

StationConfig TFeldoraForm::currentConfig() const
{
    StationConfig c;
    c.callsign = text(EditCall);
    c.fixedFrequency = fixedFrequency_;
    c.bandOrFrequency = fixedFrequency_ ? text(EditFreq) : CBBand->currentText().toStdString();
    if (antennen_ && catalogueIndex_ >= 0 && catalogueIndex_ < antennen_->Count())
        c.antennaName = antennen_->Namen()[static_cast<size_t>(catalogueIndex_)];
    else
        c.antennaName = text(EditAntenne);
    c.manufacturer = selectedManufacturer_.toStdString();
    c.height = text(EditHoehe);
    c.power = text(EditPower);
    c.mode = ModeName(RGMode->itemIndex() + 1);
    c.dutyChoice = std::max(0, RGDutyCycle->itemIndex());
    c.freeDuty = text(EditfreeTXRX);
    c.factorSource = std::max(0, RGFCCBNetzA->itemIndex());
    c.cable = CLBCable->currentItem() ? CLBCable->currentItem()->text().toStdString() : std::string();
    c.cableAtt100 = text(EditCableAtt100);
    c.cableLength = text(EditCableLength);
    c.otherAtt = text(EditPlugAtt);
    c.safetyMargin = text(EditmySafetyFactor);
    c.wiesAntenna = LBWiesAnt->currentItem() ? LBWiesAnt->currentItem()->text().toStdString() : std::string();
    c.directivity = text(EditDirectivityUsed);
    c.wiesMeanRxTx = CBWiesRXTX->isChecked();
    c.wiesMeanMode = CBWiesMode->isChecked();
    c.wiesAltDirectivity = CBabwDir->isChecked();
    c.fsi = text(EditFSi);
    return c;
}

bool TFeldoraForm::Speichern(const QString &fileName)
{
    trace("Speichern");
    try {
        if (!SaveStationConfig(fileName.toStdString(), currentConfig(), matchingLine_))
            return false;
    } catch (const FileError &e) {
        ShowWarning(e.what());
        return false;
    }
    settings_.lastSavedFileName = fileName.toStdString();
    return true;
}

AntennaLookup TFeldoraForm::catalogueLookup() const
{
    return [this](const std::string &name, const std::string &manufacturer) {
        return antennen_ && antennen_->IndexOf(name, manufacturer) != kNoAntenna;
    };
}

bool TFeldoraForm::Oeffnen(const QString &fileName)
{
    trace("Oeffnen");
    // Every check runs before the window changes: a failed opening leaves it as it was.
    const ConfigOpenResult result = OpenStationConfig(fileName.toStdString(), catalogueLookup());
    if (!result.ok()) {
        switch (result.kind) {
        case MessageKind::Warning:
            ShowWarning(result.message);
            break;
        case MessageKind::Information:
            ShowInfo(result.message);
            break;
        default:
            ShowError(result.message);
        }
        return false;
    }
    applyOpenedConfig(fileName, *result.config);
    return true;
}

void TFeldoraForm::applyOpenedConfig(const QString &fileName, const OpenedConfig &opened)
{
    const StationConfig &t = opened.texts;
    currentFileName_ = fileName;
    EditHoehe->setText(qs(t.height));
    height_ = opened.height;
    EditPower->setText(qs(t.power));
    power_ = opened.power;
    EditCall->setText(qs(t.callsign));
    if (opened.frequency) {
        workingFrequency_ = *opened.frequency;
        CBBand->setCurrentIndex(-1);
    } else {
        CBBand->setCurrentIndex(CBEntryToIndex(CBBand, qs(t.bandOrFrequency)));
    }
    if (CBBand->currentIndex() < 0) {
        // No band: fixed frequency, the file's or (for an unknown band name) the previous one.
        EditFreq->setText(qs(FormatAuto6(workingFrequency_)));
        fixedFrequency_ = true;
        bandIndex_ = 0;
    } else {
        fixedFrequency_ = false;
    }
    RGMode->setItemIndex(opened.modePosition);
    RGDutyCycle->setItemIndex(t.dutyChoice);
    EditfreeTXRX->setText(qs(t.freeDuty));
    RGFCCBNetzA->setItemIndex(t.factorSource);
    EditCableAtt100->setText(qs(t.cableAtt100));
    const int cable = CLBEntryToIndex(CLBCable, qs(t.cable));
    CLBSetCheck(CLBCable, cable);
    if (cable < 0)
        selectRow(CLBCable, -1);
    EditCableLength->setText(qs(t.cableLength));
    EditPlugAtt->setText(qs(t.otherAtt));
    EditmySafetyFactor->setText(qs(t.safetyMargin));
    selectRow(LBWiesAnt, LBEntryToIndex(LBWiesAnt, qs(t.wiesAntenna)));
    CBWiesRXTX->setChecked(t.wiesMeanRxTx);
    CBWiesMode->setChecked(t.wiesMeanMode);
    CBabwDir->setChecked(t.wiesAltDirectivity);
    if (opened.fsi)
        fsi_ = *opened.fsi; // a saved safety factor takes effect
    EditFSi->setText(qs(FormatValue("%6.4f", fsi_)));
    showFsiMark();

    selectRow(LBHersteller, LBEntryToIndex(LBHersteller, qs(t.manufacturer)));
    LBHerstellerClick();
    selectRow(LBTypen, LBEntryToIndex(LBTypen, qs(t.antennaName)));
    LBTypenClick();
    ButTakeAntClick();
    LBWiesAntClick();
    altDirectivity_ = opened.directivity;
    UpdateCable();
    UpdateBetriebsart();
    calcCall();
}

void TFeldoraForm::autoload()
{
    if (!MIAutoload->isChecked() || settings_.lastSavedFileName.empty())
        return;
    const ConfigOpenResult result = OpenStationConfig(settings_.lastSavedFileName, catalogueLookup());
    if (!result.ok()) {
        ShowInfo("Die Datei " + settings_.lastSavedFileName + " konnte nicht gefunden werden");
        settings_.lastSavedFileName.clear();
        return;
    }
    applyOpenedConfig(qs(settings_.lastSavedFileName), *result.config);
}

void TFeldoraForm::MIopenClick()
{
    trace("MIopenClick");
    const QString file = Dialogs().openFileName("Öffnen", programDir_, kConfigFilter);
    if (file.isEmpty()) {
        ShowWarning("Datei wurde nicht geöffnet!");
        return;
    }
    Oeffnen(file);
}

void TFeldoraForm::MISaveClick()
{
    trace("MISaveClick");
    if (currentFileName_.isEmpty())
        MISaveAsClick();
    else
        Speichern(currentFileName_);
}

void TFeldoraForm::MISaveAsClick()
{
    trace("MISaveAsClick");
    // Refused before the file dialog and its overwrite question, not after them.
    if (matchingLine_ == -1) {
        ShowWarning(kSaveRefusedMessage);
        return;
    }
    const std::string where = fixedFrequency_ ? FormatValue("%1.0fMHz", workingFrequency_) : BandName(bandIndex_);
    const QString proposed = programDir_ + EditCall->text() + " " + qs(where) + ".txt";
    const QString file = Dialogs().saveFileName("Speichern unter", proposed, kConfigFilter, "Textdateien (*.txt)", "txt");
    if (file.isEmpty()) {
        ShowWarning("Datei wurde nicht gespeichert!");
        return;
    }
    Speichern(file);
}
