// The Wiesbeck page: near-field safety distance from the study tables, and the power for a
// wanted near-field distance.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "views/DialogService.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>

void TFeldoraForm::LBWiesAntClick()
{
    model_.LBWiesAntClick(LBWiesAnt->currentRow());
}
void TFeldoraForm::CBabwDirClick()
{
    model_.CBabwDirClick(CBabwDir->isChecked());
}
void TFeldoraForm::CBWiesRXTXClick()
{
    model_.CBWiesRXTXClick(CBWiesRXTX->isChecked());
}
void TFeldoraForm::CBWiesModeClick()
{
    model_.CBWiesModeClick(CBWiesMode->isChecked());
}
void TFeldoraForm::EditDirectivityUsedExit()
{
    model_.EditDirectivityUsedExit(ss(EditDirectivityUsed->text()));
}
void TFeldoraForm::PMIWiesbeckDirctivityuebernehmenClick()
{
    model_.PMIWiesbeckDirctivityuebernehmenClick();
}
void TFeldoraForm::PMIFernfeldGewinnuebernehmenClick()
{
    model_.PMIFernfeldGewinnuebernehmenClick();
}
void TFeldoraForm::EditFSiExit()
{
    model_.EditFSiExit();
}

void TFeldoraForm::EditFSiDblClick()
{
    model_.EditFSiDblClick(ask("Wiesbeck-Sicherheitsfaktor", "Bitte FSi >= 1 eingeben: ", "1,4142"));
}

void TFeldoraForm::EditWiesAbstandPSDblClick()
{
    const auto answer = ask("Wiesback-Rechnung bei vorgegebenem Abstand", "Bitte Abstand in Metern eingeben", "10");
    // While the search runs the field is empty on red, the window keeps repainting; the field
    // turns green again however the search ends.
    struct Searching {
        ui::TEdit *field;
        bool started = false;
        ~Searching()
        {
            if (started)
                field->setBackground(QColor(171, 226, 131));
        }
    } searching{EditWiesAbstandPS};
    model_.EditWiesAbstandPSDblClick(answer, [&] {
        if (!searching.started) {
            searching.started = true;
            EditWiesAbstandPS->setBackground(QColor(255, 0, 0));
            EditWiesAbstandPS->clear();
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}
