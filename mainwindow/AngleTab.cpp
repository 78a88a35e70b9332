// The angle page: the per-angle EIRP and distance of the chosen antenna, saved or copied.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "util/Messages.h"
#include "util/TextFile.h"
#include "views/DialogService.h"

#include <QTableWidget>

void TFeldoraForm::renderAngleTable()
{
    const StationShown &s = model_.shown();
    if (s.angleHeading != shownAngleHeading_) {
        // The heading row is the fixed header; the values follow as rows.
        shownAngleHeading_ = s.angleHeading;
        QStringList heading;
        for (size_t c = 0; c < s.angleHeading.size() && c < 4; ++c)
            heading << qs(s.angleHeading[c]);
        SGWinkel->setHorizontalHeaderLabels(heading);
        for (int c = 0; c < heading.size(); ++c)
            SGWinkel->horizontalHeaderItem(c)->setFont(SGWinkel->font());
    }
    if (s.angleRows == shownAngleRows_)
        return;
    shownAngleRows_ = s.angleRows;
    SGWinkel->setRowCount(static_cast<int>(s.angleRows.size()));
    for (size_t r = 0; r < s.angleRows.size(); ++r)
        for (size_t c = 0; c < s.angleRows[r].size() && c < 4; ++c)
            SGWinkel->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(qs(s.angleRows[r][c])));
}

void TFeldoraForm::RGPolClick()
{
    model_.RGPolClick(RGPol->itemIndex());
}

void TFeldoraForm::PISaveClick()
{
    trace("PISaveClick");
    const QString file = Dialogs().saveFileName("Speichern unter", desktopDir_ + "FO Export.txt",
                                                "Alle Dateien (*);;TextDateien (*.txt)", "TextDateien (*.txt)", "txt");
    if (file.isEmpty())
        return;
    try {
        WriteTextLines(file.toStdString(), AngleExportLines(AngleGridRows(model_.angleTable())));
    } catch (const FileError &e) {
        ShowWarning(e.what());
    }
}

void TFeldoraForm::PICopyClick()
{
    trace("PICopyClick");
    Dialogs().setClipboardText(qs(AngleCopyText(AngleGridRows(model_.angleTable()))));
}
