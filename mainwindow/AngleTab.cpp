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
    if (!angleData_)
        return;
    LabelWinkAnt->setText(qs(angleData_->Name));
    // A title wider than its label shows its beginning; the tooltip holds all of it.
    const bool cut = LabelWinkAnt->fontMetrics().horizontalAdvance(LabelWinkAnt->text()) > LabelWinkAnt->width();
    LabelWinkAnt->setToolTip(cut ? LabelWinkAnt->text() : QString());
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
    // The heading row is the fixed header; the values follow as rows.
    QStringList heading;
    for (size_t c = 0; c < grid.front().size() && c < 4; ++c)
        heading << qs(grid.front()[c]);
    SGWinkel->setHorizontalHeaderLabels(heading);
    for (int c = 0; c < heading.size(); ++c)
        SGWinkel->horizontalHeaderItem(c)->setFont(SGWinkel->font());
    SGWinkel->setRowCount(static_cast<int>(grid.size()) - 1);
    for (size_t r = 1; r < grid.size(); ++r)
        for (size_t c = 0; c < grid[r].size() && c < 4; ++c)
            SGWinkel->setItem(static_cast<int>(r) - 1, static_cast<int>(c), new QTableWidgetItem(qs(grid[r][c])));
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
