#pragma once

// TListPlot: an off-screen chart picture with its own painter. It draws an x/y point series
// into a fixed frame, with grid lines, labels, two axes with arrowheads, axis titles and
// a legend. The caller sets the data range and the fields, calls Init, then the drawing
// operations in the order it wants; every operation draws over what is already there.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <vector>

struct PlotSeries {
    std::vector<double> x;
    std::vector<double> y; // matched to x by index
};

class TListPlot
{
public:
    TListPlot(int width, int height); // Create
    TListPlot(const TListPlot &) = delete;
    TListPlot &operator=(const TListPlot &) = delete;

    void AxisLimits(double xmin, double xmax, double ymin, double ymax);
    void Init();
    void DrawXGrid(const std::vector<double> &xs);
    void DrawYGrid(const std::vector<double> &ys);
    void DrawXLabel(const std::vector<double> &xs);
    void DrawXLabelCustom(const std::vector<double> &xs, const QStringList &texts);
    void DrawYLabel(const std::vector<double> &ys, int decimals);
    void DrawAxis(bool atZero);
    void DrawY1(); // the points of the series
    void xTitle(const QString &text);
    void yTitle(const QString &text);
    void Title(const QString &text);
    void AddLegendItem(const QColor &color, const QString &text);
    void DrawLegend();
    void AutoXGrid();
    void AutoYGrid();
    void AutoXLabel();
    void AutoYLabel();
    void AutoGridLabel();

    // A copy of the picture as it stands.
    QImage picture() const { return image_.copy(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // Data to pixels; values far outside the frame are held at a safe distance.
    int px(double x) const;
    int py(double y) const;

    // Set by the caller.
    double plotFraction = 0.75; // share of width and height given to the frame
    PlotSeries series;
    QColor seriesColor = QColor(255, 0, 0);
    int pointRadius = 2; // pixels
    QColor foreground = Qt::black;
    QColor gridColor = QColor(220, 220, 220);
    QColor background = Qt::white;
    double xLabelFactor = 1, yLabelFactor = 1; // a label shows value x factor
    bool skip = false;                         // leave out points whose y equals skipValue
    double skipValue = 0;
    double legendX = 2.0 / 3, legendY = 1.0 / 6; // top-left corner of the legend, fractions of the size
    int titleFontSize = 15;

    // Frame, set by Init: left edge, baseline, width and height in pixels.
    int x0 = 0, y0 = 0, pw = 0, ph = 0;

private:
    void text(int x, int y, const QString &s);
    std::vector<double> autoValues(double lo, double hi) const;

    QImage image_;
    QPainter painter_;
    double xmin_ = -10, xmax_ = 10, ymin_ = -10, ymax_ = 10;
    std::vector<std::pair<QColor, QString>> legend_;
};

// The label texts: general format with 4 significant digits, and fixed format with precision 3.
QString GeneralNumberText(double x);
QString FixedNumberText(double x, int decimals);
