#pragma once

// What the views, the printout and the command line receive from a station: copies taken from
// the model when they open, the same for the window and for the calls without a window.

#include "data/StationModel.h"
#include "print/DruckenLayout.h"
#include "views/DiaGramm.h"
#include "views/Seitenansicht.h"

#include <QString>

// The texts of the main window, as the printout and the report show them.
PrintoutTexts PrintoutTextsOf(const StationModel &station);
// Texts and angle evaluation of the printed pages; the page of every band for areaDistance (m).
PrintoutData PrintoutDataOf(const StationModel &station, double areaDistance);
SideViewInput SideViewInputOf(const StationModel &station, const QString &programDir, const QString &scriptFile);
DiagramWindowInput DiagramInputOf(const StationModel &station);
