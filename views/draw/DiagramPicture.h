#pragma once

// The polar radiation diagram: rings per attenuation step, spokes, the pattern in blue and,
// for a file covering only the lower half-plane, its mirror image towards the sky in red.

#include <QColor>
#include <QPoint>
#include <array>
#include <vector>

class QPainter;

struct DiagramInput {
    std::vector<int> angles;          // degrees, positive towards the ground
    std::vector<double> attenuations; // dB below the main direction, same length
};

struct DiagramFigures {
    int centreX = 0, centreY = 0, radius = 0;
    std::array<int, 5> rings{};       // radii of 0, 3, 10, 20 and 30 dB
    bool mirrored = false;            // last angle <= 180
    std::vector<QPoint> points;       // P_i
    std::vector<QPoint> mirrorPoints; // M_i, empty unless mirrored
};

inline constexpr int kDiagramSize = 433;

// Fraction of the full radius where attenuation a (dB) lies: 1 / (a/10 + 1).
double DiagramRadiusFraction(double attenuationDb);

DiagramFigures DrawDiagram(QPainter &p, const DiagramInput &in, int width, int height,
                           const QColor &background = QColor(255, 255, 225));
