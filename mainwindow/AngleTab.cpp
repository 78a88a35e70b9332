// The angle page: the angle file of the chosen antenna and the per-angle EIRP and distance.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "data/AntennenLib.h"
#include "views/DialogService.h"
#include "util/ConvertError.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

BandIndex TFeldoraForm::angleBand() const
{
    // In fixed-frequency mode the band that contains the frequency, as the far field uses it.
    if (fixedFrequency_)
        return std::max<BandIndex>(0, BandOfFrequency(workingFrequency_));
    return static_cast<BandIndex>(CBBand->currentIndex() + 1);
}

void TFeldoraForm::setAngleDataPresent(bool present)
{
    angleDataPresent_ = present;
    LabelWinkOK->setVisible(present);
    PageControl->setTabVisible(PageControl->indexOf(TabSheetWinkel), present);
    if (!present)
        angleData_.reset();
}

void TFeldoraForm::WinkelLaden(int catalogueIndex)
{
    trace("WinkelLaden");
    setAngleDataPresent(false);
    if (!antennen_ || catalogueIndex < 0 || catalogueIndex >= antennen_->Count())
        return;
    const auto index = static_cast<size_t>(catalogueIndex);
    const QString path = angleDir_ + qs(antennen_->Hersteller()[index]) + " " + qs(antennen_->Namen()[index]) + ".ang";
    if (!FileExists(path.toStdString()))
        return;
    WinkelLesen(path);
}

void TFeldoraForm::WinkelLesen(const QString &path)
{
    trace("Winkellesen");
    try {
        angleData_ = std::make_unique<TWinkAnt>(TWinkAnt::FromFile(path.toStdString(), angleBand()));
    } catch (const std::exception &e) { // ConvertError or FileError: the data count as absent
        ShowError(e.what());
        return;
    }
    RGPol->setItemIndex(InitialPolChoice(angleData_->Polarisation));
    setAngleDataPresent(true);
    UpdateWinkelPage();
}

void TFeldoraForm::UpdateWinkelPage()
{
    trace("UpdateWinkelPage");
    if (angleData_)
        LabelWinkAnt->setText(qs(angleData_->Name));
}

void TFeldoraForm::WinkelCalc()
{
    trace("WinkelCalc");
    angleTable_ = CalculateAngleTable(angleDataPresent_ ? angleData_.get() : nullptr, RGPol->itemIndex(), result_);
    if (!angleDataPresent_) {
        SGWinkel->setRowCount(0);
        return;
    }
    PageControl->setTabVisible(PageControl->indexOf(TabSheetWinkel), true);
    const AngleGrid grid = AngleGridRows(angleTable_);
    SGWinkel->setRowCount(static_cast<int>(grid.size()));
    for (size_t r = 0; r < grid.size(); ++r)
        for (size_t c = 0; c < grid[r].size() && c < 4; ++c)
            SGWinkel->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(qs(grid[r][c])));
}

void TFeldoraForm::RGPolClick()
{
    trace("RGPolClick");
    if (angleData_)
        RGPol->setItemIndex(CorrectPolChoice(RGPol->itemIndex(), angleData_->Polarisation));
    WinkelCalc();
}

void TFeldoraForm::PISaveClick()
{
    trace("PISaveClick");
    const QString file = Dialogs().saveFileName("Speichern unter", desktopDir_ + "FO Export.txt",
                                                "Alle Dateien (*);;TextDateien (*.txt)", "TextDateien (*.txt)", "txt");
    if (file.isEmpty())
        return;
    try {
        WriteTextLines(file.toStdString(), AngleExportLines(AngleGridRows(angleTable_)));
    } catch (const FileError &e) {
        ShowWarning(e.what());
    }
}

void TFeldoraForm::PICopyClick()
{
    trace("PICopyClick");
    Dialogs().setClipboardText(qs(AngleCopyText(AngleGridRows(angleTable_))));
}
