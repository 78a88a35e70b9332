#include "views/draw/LimitPlot.h"

LimitPlotData DrawLimitPlot(TListPlot &plot, int variant)
{
    LimitPlotData data = LimitPlotFor(variant);
    const QColor red(255, 0, 0);
    plot.AxisLimits(data.xmin, data.xmax, data.ymin, data.ymax);
    plot.skip = true; // samples without a limit (0) stay out
    plot.skipValue = 0;
    plot.Init();
    plot.DrawXGrid(data.xMarks);
    plot.DrawYGrid(data.yMarks);
    plot.xLabelFactor = 1;
    plot.DrawXLabel(data.xMarks);
    plot.DrawYLabel(data.yMarks, 0);
    plot.DrawAxis(false);
    plot.series.x = data.x;
    plot.series.y = data.y;
    plot.seriesColor = red;
    plot.DrawY1();
    plot.xTitle("f [MHz]");
    plot.yTitle(QString::fromStdString(data.yTitle));
    plot.AddLegendItem(red, "Personenschutz");
    plot.DrawLegend();
    return data;
}
