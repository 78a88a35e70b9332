// Menu entries whose commands live in their own files: found by name, enabled and connected.
#include "mainwindow/FeldoraU.h"

#include <QAction>

void TFeldoraForm::connectExtraCommands()
{
    const struct {
        const char *name;
        void (TFeldoraForm::*handler)();
    } commands[] = {
        {"MIEigeneAntenne", &TFeldoraForm::MIEigeneAntenneClick},
        {"DataFile", &TFeldoraForm::DataFileClick},
        {"MITXT_WiesInfo", &TFeldoraForm::MITXT_WiesInfoClick},
        {"MITXT_IntWarning", &TFeldoraForm::MITXT_IntWarningClick},
        {"MIReadTxtData", &TFeldoraForm::MIReadTxtDataClick},
        {"MIWriteTxtData", &TFeldoraForm::MIWriteTxtDataClick},
    };
    for (const auto &c : commands) {
        if (QAction *action = findChild<QAction *>(c.name)) {
            action->setEnabled(true);
            on(action, &QAction::triggered, c.handler);
        }
    }
}
