// "&Drucken": the print window on a snapshot of the shown texts and the angle evaluation.
#include "mainwindow/FeldoraU.h"
#include "print/window/Drucken.h"

void TFeldoraForm::MIDruckenClick()
{
    trace("MIDruckenClick");
    TFormPrint form(printoutData(), this);
    form.exec();
}
