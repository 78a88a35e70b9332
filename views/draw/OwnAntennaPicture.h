#pragma once

// The illustration of the own-antenna dialog: a Yagi on its mast sending to the right.
// Drawn in a 185 x 89 design and scaled into any area, proportional and centred.

#include <QPointF>
#include <QRectF>

class QPainter;

struct OwnAntennaPictureFigures {
    QRectF picture;   // where the design landed in the area
    double scale = 0; // device pixels per design pixel
    int elements = 0;
    QPointF boomStart, boomEnd; // on the device
};

inline constexpr int kOwnAntennaPictureWidth = 185;
inline constexpr int kOwnAntennaPictureHeight = 89;

OwnAntennaPictureFigures DrawOwnAntennaPicture(QPainter &painter, const QRectF &area);
