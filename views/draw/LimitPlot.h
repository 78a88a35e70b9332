#pragma once

// The plot of the frequency-dependent person-protection limit over one of four ranges,
// drawn into a chart picture.

#include "core/LimitTable.h"
#include "views/draw/ListPlot.h"

// Draws the variant (0-3, see LimitPlotFor) into plot and returns the data it drew.
LimitPlotData DrawLimitPlot(TListPlot &plot, int variant);
