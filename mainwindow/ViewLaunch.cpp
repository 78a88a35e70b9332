// The graphic views of the angle page: each gets a copy of what it shows and writes nothing
// back, except the side view's drawing script, which the settings keep.
#include "mainwindow/FeldoraU.h"

#include "views/draw/QtText.h"

SideViewInput TFeldoraForm::sideViewInput() const
{
    return SideViewInputOf(model_, programDir_, qs(settings_.cadFileName));
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
