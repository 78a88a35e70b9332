#pragma once

// The side view: mast, ground line, the safety zone around the antenna, legend, scale bar and
// the two figures that matter on site (clearance above ground, horizontal reach).

#include "views/draw/SideViewGeometry.h"

#include <QColor>

class QPainter;

struct SideViewOptions {
    double zoom = 1.0;
    QColor background = QColor(255, 255, 225);
    bool origin = true;     // arrow and "(0,0)" at the mast foot
    bool fiveMeters = true; // 5-m scale bar
    bool rays = false;      // rays from the antenna instead of the contour
    bool maxima = true;     // clearance and reach arrows
};

struct SideViewFigures {
    sideview::ZoneGeometry zone;
    int penWidth = 1;          // width of the last pen used; a drawing script starts with it
    bool hasIntervals = false; // false without a scale: the shown section has no size
    double xInterval = 0;      // m, picture width / scale
    double yInterval = 0;      // m, picture height / scale
};

inline constexpr int kSideViewWidth = 809;
inline constexpr int kSideViewHeight = 473;

// Paints the whole picture of width x height pixels, background first.
SideViewFigures DrawSideView(QPainter &p, const sideview::ZoneInput &in, int width, int height,
                             const SideViewOptions &options);
