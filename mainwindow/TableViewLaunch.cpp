// The main menu's windows of the virtual measuring points and of the limit table: each gets a
// copy of what it needs and is shown modally; nothing comes back.
#include "mainwindow/FeldoraU.h"

#include "views/GrenzwerttabellePS.h"
#include "views/VirtMP.h"
#include "views/draw/QtText.h"

void TFeldoraForm::MIVirtFeldClick()
{
    trace("MIVirtFeldClick");
    VirtMPInput input;
    const PrintoutTexts shown = printoutTexts();
    input.angles = model_.angleTable().Angles;
    input.eirpByAngle = model_.angleTable().EirpByAngle;
    input.eirp = model_.farField().EIRP;
    input.programDir = programDir_;
    input.height = model_.height();
    input.band = model_.farField().effectiveBand; // the band the limits and powers belong to
    input.power = model_.power();
    input.dutyCycle = qs(shown.dutyCycle);
    input.antennaName = qs(shown.antennaName);
    input.factorSource = qs(shown.modeFactorSet);
    TFormVirtMP window(input, this);
    window.exec();
}

void TFeldoraForm::MIGrenzwerttabelleClick()
{
    trace("MIGrenzwerttabelleClick");
    TFormGrenzwerttabellePS window(this);
    window.exec();
}
