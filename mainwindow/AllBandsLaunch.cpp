// "Übersicht aller Bänder": the configuration calculated on every band of its antenna.
#include "mainwindow/FeldoraU.h"

#include "views/Uebersicht.h"
#include "views/draw/QtText.h"

UebersichtInput TFeldoraForm::uebersichtInput() const
{
    UebersichtInput input;
    input.bands = CalculateAllBands(model_);
    input.areaDistance = areaDistance_;
    input.station = qs(StationSummary(printoutTexts()));
    return input;
}

void TFeldoraForm::MIUebersichtClick()
{
    trace("MIUebersichtClick");
    TFormUebersicht window(uebersichtInput(), this);
    window.exec();
    areaDistance_ = window.areaDistance();
}
