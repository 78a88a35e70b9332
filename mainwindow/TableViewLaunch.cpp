// The main menu's windows of the virtual measuring points and of the limit table: each gets a
// copy of what it needs and is shown modally; nothing comes back.
#include "mainwindow/FeldoraU.h"

#include "views/GrenzwerttabellePS.h"
#include "views/VirtMP.h"

void TFeldoraForm::MIVirtFeldClick()
{
    trace("MIVirtFeldClick");
    VirtMPInput input;
    input.angles = angleTable_.Angles;
    input.eirpByAngle = angleTable_.EirpByAngle;
    input.eirp = result_.EIRP;
    input.programDir = programDir_;
    input.height = height_;
    input.band = result_.effectiveBand; // the band the limits and powers belong to
    input.power = power_;
    input.dutyCycle = RGDutyCycle->itemText(RGDutyCycle->itemIndex());
    input.antennaName = EditAntenne->text();
    input.factorSource = RGFCCBNetzA->itemText(RGFCCBNetzA->itemIndex());
    TFormVirtMP window(input, this);
    window.exec();
}

void TFeldoraForm::MIGrenzwerttabelleClick()
{
    trace("MIGrenzwerttabelleClick");
    TFormGrenzwerttabellePS window(this);
    window.exec();
}
