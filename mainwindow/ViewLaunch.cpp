// The graphic views of the angle page: each gets a copy of what it shows and writes nothing
// back, except the side view's drawing script, which the settings keep.
#include "mainwindow/FeldoraU.h"

#include "views/draw/QtText.h"

SideViewInput TFeldoraForm::sideViewInput() const
{
    SideViewInput in;
    in.antennaTitle = angleData_ ? qs(angleData_->Name) : QString();
    in.power = power_;
    in.gain = gain_;
    in.band = bandIndex_;
    in.angles.assign(angleTable_.Angles.begin(), angleTable_.Angles.end());
    in.distances = angleTable_.DistanceByAngle;
    in.height = height_;
    in.programDir = programDir_;
    in.scriptFile = qs(settings_.cadFileName);
    return in;
}

DiagramWindowInput TFeldoraForm::diagramInput() const
{
    DiagramWindowInput in;
    in.antennaTitle = angleData_ ? qs(angleData_->Name) : QString();
    in.gain = gain_;
    in.band = bandIndex_;
    in.angles.assign(angleTable_.Angles.begin(), angleTable_.Angles.end());
    in.attenuations = angleTable_.Attenuations;
    return in;
}

void TFeldoraForm::ButDiagrammClick()
{
    trace("ButDiagrammClick");
    TFormDiagramm window(diagramInput(), this);
    window.exec();
}

void TFeldoraForm::ButSeitenansichtClick()
{
    trace("ButSeitenansichtClick");
    TFormSeitenansicht window(sideViewInput(), this);
    window.exec();
    settings_.cadFileName = ss(window.scriptFile());
}
