// The angle page: the per-angle EIRP and distance of the chosen antenna, saved or copied.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "views/DialogService.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <QTableWidget>

void TFeldoraForm::renderAngleTable()
{
    AngleGrid grid = model_.angleGrid();
    if (grid == shownAngleGrid_)
        return;
    shownAngleGrid_ = std::move(grid);
    const AngleGrid &g = shownAngleGrid_;
    if (g.empty()) {
        SGWinkel->setRowCount(0);
        return;
    }
    // The heading row is the fixed header; the values follow as rows.
    QStringList heading;
    for (size_t c = 0; c < g.front().size() && c < 4; ++c)
        heading << qs(g.front()[c]);
    SGWinkel->setHorizontalHeaderLabels(heading);
    for (int c = 0; c < heading.size(); ++c)
        SGWinkel->horizontalHeaderItem(c)->setFont(SGWinkel->font());
    SGWinkel->setRowCount(static_cast<int>(g.size()) - 1);
    for (size_t r = 1; r < g.size(); ++r)
        for (size_t c = 0; c < g[r].size() && c < 4; ++c)
            SGWinkel->setItem(static_cast<int>(r) - 1, static_cast<int>(c), new QTableWidgetItem(qs(g[r][c])));
}

void TFeldoraForm::RGPolClick() { model_.RGPolClick(RGPol->itemIndex()); }

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
