#include "views/draw/ListPlot.h"

#include "util/DecimalText.h"
#include "util/NumRoutines.h"
#include "views/draw/DrawCommon.h"

#include <QFontMetrics>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace
{

using ui::ClampedPixel;

// Scientific text as the classic general format writes it: "1,235E4", "1,5E-7".
QString withComma(std::string text)
{
    std::replace(text.begin(), text.end(), '.', ',');
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        std::string exponent = text.substr(e + 1);
        const bool negative = !exponent.empty() && exponent[0] == '-';
        exponent.erase(0, exponent.find_first_not_of("+-"));
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
    }
    return QString::fromStdString(text);
}

} // namespace

QString GeneralNumberText(double x)
{
    if (!std::isfinite(x))
        return "---";
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 4);
    return withComma(std::string(buffer, r.ptr));
}

QString FixedNumberText(double x, int decimals)
{
    if (!std::isfinite(x))
        return "---";
    decimals = std::clamp(decimals, 0, 15);
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 2);
    const std::string scientific(buffer, r.ptr);
    // Three significant digits; from_chars reads the point whatever the process locale says.
    double rounded = 0;
    std::from_chars(scientific.data(), scientific.data() + scientific.size(), rounded);
    if (std::fabs(rounded) >= 1000) // more integer digits than the precision
        return withComma(scientific);
    return QString::fromStdString(FormatValue("%1." + std::to_string(decimals) + "f", rounded));
}

TListPlot::TListPlot(int width, int height) : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32)
{
    image_.fill(Qt::white);
    painter_.begin(&image_);
    painter_.setFont(ui::windowFont(11)); // "MS Sans Serif" 8 points
}

void TListPlot::AxisLimits(double xmin, double xmax, double ymin, double ymax)
{
    xmin_ = xmin;
    xmax_ = xmax;
    ymin_ = ymin;
    ymax_ = ymax;
}

int TListPlot::px(double x) const
{
    const double span = xmax_ - xmin_;
    if (!std::isfinite(x) || span == 0 || !std::isfinite(span))
        return x0;
    return x0 + ClampedPixel(pw / span * (x - xmin_));
}

int TListPlot::py(double y) const
{
    const double span = ymax_ - ymin_;
    if (!std::isfinite(y) || span == 0 || !std::isfinite(span))
        return y0;
    return y0 - ClampedPixel(ph / span * (y - ymin_));
}

void TListPlot::Init()
{
    const int w = image_.width(), h = image_.height();
    const double f = plotFraction;
    x0 = ClampedPixel(w * (1 - f) / 2);
    y0 = ClampedPixel(h * (1 - (1 - f) / 2));
    pw = ClampedPixel(w * f);
    ph = ClampedPixel(h * f);
    image_.fill(Qt::white);
    painter_.fillRect(image_.rect(), background);
}

void TListPlot::DrawXGrid(const std::vector<double> &xs)
{
    painter_.setPen(QPen(gridColor, 1));
    for (double x : xs)
        painter_.drawLine(px(x), height() - y0, px(x), y0);
}

void TListPlot::DrawYGrid(const std::vector<double> &ys)
{
    painter_.setPen(QPen(gridColor, 1));
    for (double y : ys)
        painter_.drawLine(x0, py(y), width() - x0, py(y));
}

void TListPlot::text(int x, int y, const QString &s)
{
    const QFontMetrics metrics(painter_.font());
    painter_.fillRect(x, y, metrics.horizontalAdvance(s), metrics.height(), background);
    painter_.setPen(QPen(foreground, 1));
    painter_.drawText(x, y + metrics.ascent(), s);
}

void TListPlot::DrawXLabel(const std::vector<double> &xs)
{
    QStringList texts;
    for (double x : xs)
        texts << GeneralNumberText(x * xLabelFactor);
    DrawXLabelCustom(xs, texts);
}

void TListPlot::DrawXLabelCustom(const std::vector<double> &xs, const QStringList &texts)
{
    const int y = height() - ClampedPixel(0.8 * (height() - y0));
    const size_t n = std::min(xs.size(), static_cast<size_t>(texts.size()));
    for (size_t i = 0; i < n; ++i)
        text(px(xs[i]) - 7, y, texts[static_cast<int>(i)]);
}

void TListPlot::DrawYLabel(const std::vector<double> &ys, int decimals)
{
    for (double y : ys)
        text(ClampedPixel(0.3 * x0), py(y) - 5, FixedNumberText(y * yLabelFactor, decimals));
}

void TListPlot::DrawAxis(bool atZero)
{
    const int ax = atZero ? px(0) : x0;
    const int ay = atZero ? py(0) : y0;
    const double c30 = 10 * std::cos(M_PI / 6), s30 = 10 * std::sin(M_PI / 6);
    const double c60 = 10 * std::cos(M_PI / 3), s60 = 10 * std::sin(M_PI / 3);
    painter_.setPen(QPen(foreground, 1));
    const int xtx = width() - x0 + 15, xty = ay;
    painter_.drawLine(x0, ay, xtx, xty);
    painter_.drawLine(xtx, xty, ClampedPixel(xtx - c30), ClampedPixel(xty + s30));
    painter_.drawLine(xtx, xty, ClampedPixel(xtx - c30), ClampedPixel(xty - s30));
    const int ytx = ax, yty = height() - y0 - 15;
    painter_.drawLine(ax, y0, ytx, yty);
    painter_.drawLine(ytx, yty, ClampedPixel(ytx + c60), ClampedPixel(yty + s60));
    painter_.drawLine(ytx, yty, ClampedPixel(ytx - c60), ClampedPixel(yty + s60));
}

void TListPlot::DrawY1()
{
    const PlotSeries &s = series;
    const QColor color = seriesColor;
    painter_.setPen(QPen(color, 0));
    painter_.setBrush(color);
    const int r = std::max(pointRadius, 0);
    const size_t n = std::min(s.x.size(), s.y.size());
    int lastX = 0, lastY = 0;
    bool drawn = false;
    for (size_t i = 0; i < n; ++i) {
        const double y = s.y[i];
        if ((skip && y == skipValue) || !std::isfinite(s.x[i]) || !std::isfinite(y))
            continue;
        const int x = px(s.x[i]), yy = py(y);
        if (drawn && x == lastX && yy == lastY)
            continue; // a dense series puts many points on one pixel
        if (r == 0)
            painter_.drawPoint(x, yy);
        else
            painter_.drawEllipse(QRect(x - r, yy - r, 2 * r, 2 * r));
        lastX = x;
        lastY = yy;
        drawn = true;
    }
    painter_.setBrush(Qt::NoBrush);
}

void TListPlot::xTitle(const QString &s)
{
    text(width() - x0, height() - 15, s);
}

void TListPlot::yTitle(const QString &s)
{
    text(x0 - 27, height() - y0 - 30, s);
}

void TListPlot::Title(const QString &s)
{
    const QFont previous = painter_.font();
    painter_.setFont(ui::windowFont(ClampedPixel(titleFontSize * 96.0 / 72), true)); // "Arial" bold, points
    text(width() / 4, height() - y0 - 27, s);
    painter_.setFont(previous);
}

void TListPlot::AddLegendItem(const QColor &color, const QString &s)
{
    legend_.emplace_back(color, s);
}

void TListPlot::DrawLegend()
{
    if (legend_.empty())
        return;
    int longest = 0;
    for (const auto &entry : legend_)
        longest = std::max(longest, static_cast<int>(entry.second.size()));
    const int a = ClampedPixel(width() * legendX), b = ClampedPixel(height() * legendY);
    const int n = static_cast<int>(legend_.size());
    painter_.setPen(QPen(foreground, 1));
    painter_.setBrush(background);
    painter_.drawRect(a, b, 8 * longest + 10 - 1, 14 * n + 4 - 1);
    painter_.setBrush(Qt::NoBrush);
    for (int i = 0; i < n; ++i) {
        painter_.fillRect(a + 2, b + 4 + 14 * i, 10, 10, legend_[static_cast<size_t>(i)].first);
        text(a + 14, b + 2 + 14 * i, legend_[static_cast<size_t>(i)].second);
    }
}

std::vector<double> TListPlot::autoValues(double lo, double hi) const
{
    std::vector<double> values;
    const double span = hi - lo;
    if (!(span > 0) || !std::isfinite(span))
        return values;
    const double step = std::pow(10.0, std::floor(std::log10(span)));
    const double first = std::ceil(lo / step), last = std::floor(hi / step);
    for (double k = first; k <= last; ++k)
        values.push_back(k * step);
    return values;
}

void TListPlot::AutoXGrid()
{
    DrawXGrid(autoValues(xmin_, xmax_));
}
void TListPlot::AutoYGrid()
{
    DrawYGrid(autoValues(ymin_, ymax_));
}
void TListPlot::AutoXLabel()
{
    DrawXLabel(autoValues(xmin_, xmax_));
}
void TListPlot::AutoYLabel()
{
    DrawYLabel(autoValues(ymin_, ymax_), 0);
}

void TListPlot::AutoGridLabel()
{
    AutoXGrid();
    AutoYGrid();
    AutoXLabel();
    AutoYLabel();
}
