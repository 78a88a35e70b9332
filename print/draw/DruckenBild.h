#pragma once

// The picture of the safety zone on the documentation pages: mast, ground, zone as outline or
// rays, 5 m bar, legend and the dimension arrows. Drawn in 650 x 450 units (1/96 inch each);
// the construction (scale, points, maxima) is the side view's.

#include <QPainter>
#include <QRect>
#include <QString>
#include <vector>

inline constexpr int kPictureWidth = 650;
inline constexpr int kPictureHeight = 450;

struct PrintPictureInput {
    std::vector<int> angles;       // degrees
    std::vector<double> distances; // m, one per angle
    double height = 0;             // m
    bool rays = false;             // "Strahlen zeichnen"
    bool dimensions = true;        // "Bemaßung"
};

// What the picture computed, in drawing units and metres.
struct PrintPictureFigures {
    bool hasZone = false; // false: no angles or a largest distance of 0
    double scale = 0;     // units per metre, 0 without a zone
    int mastX = 0, groundY = 0, antennaY = 0, mastTopY = 0;
    int barLength = 0; // 5 m bar, 0 without a zone
    bool mirrored = false;
    double reach = 0;      // m
    double clearance = 0;  // m
    double clearanceX = 0; // m
    int clearanceLabelY = 0; // top of the clearance text as drawn
    QString reachText, clearanceText; // the dimension texts drawn, empty without them
    QRect reachBox, clearanceBox;     // their boxes, empty without them
    int legendY = 0;
    QRect legendBox;  // squares and texts of the legend
    QRect textBounds; // all texts drawn
};

// Draws on the painter's current coordinates, the picture's top-left corner at (0, 0).
PrintPictureFigures BildErzeugen(QPainter &painter, const PrintPictureInput &in);
