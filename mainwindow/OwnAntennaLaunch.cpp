// "Eigene Antenne konstruieren": the dialog files into the user catalogue of the paths in use.
#include "mainwindow/FeldoraU.h"

#include "views/MakeAnt.h"

void TFeldoraForm::MIEigeneAntenneClick()
{
    trace("MIEigeneAntenneClick");
    EigeneAntenneInput input;
    input.userCatalogue = userAntennaFile_;
    input.callsign = QString::fromStdString(model_.shown().EditCall);
    TFormEigeneAntenne dialog(input, this);
    dialog.exec();
}
