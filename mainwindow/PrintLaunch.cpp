// "&Drucken": the print window on a snapshot of the shown texts and the angle evaluation.
#include "core/BandPlan.h"
#include "mainwindow/FeldoraU.h"
#include "print/window/Drucken.h"
#include "util/DecimalText.h"

PrintoutData TFeldoraForm::printoutData() const
{
    PrintoutData data;
    data.texts = printoutTexts();
    data.angles.assign(angleTable_.Angles.begin(), angleTable_.Angles.end());
    data.distances = angleTable_.DistanceByAngle;
    data.height = height_;
    // The band part of the proposed file names, as "Speichern &unter" forms it.
    data.fileTag = fixedFrequency_ ? FormatValue("%1.0fMHz", workingFrequency_) : BandName(bandIndex_);
    // The overview page, for the distance last typed in the overview window.
    auto rows = AllBandsRows(CalculateAllBands(stationInputs(), catalogue()), areaDistance_);
    data.allBandsHeading = AllBandsHeading(areaDistance_);
    data.allBandsRows.assign(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
    data.allBandsNote = kAllBandsNote;
    return data;
}

void TFeldoraForm::MIDruckenClick()
{
    trace("MIDruckenClick");
    TFormPrint form(printoutData(), this);
    form.exec();
}
