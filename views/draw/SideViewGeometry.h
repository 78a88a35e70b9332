#pragma once

// Where the side view puts its elements: scale, origin, ground row, antenna and the contour of
// the safety distances per elevation angle. Shared by the side view window, the printout
// picture and the command line, so all three draw the same zone.

#include <QPoint>
#include <vector>

class QPainter;

namespace sideview
{

struct ZoneInput {
    std::vector<int> angles;       // degrees, positive below the horizon
    std::vector<double> distances; // m, safety distance per angle, same length
    double height = 0;             // m, antenna height above ground
};

struct ZoneGeometry {
    bool hasZone = false; // false: empty table or no finite positive scale -> draw no zone
    double scale = 0;     // pixels per metre, zoom included; 0 = none (nothing to scale by)
    int originX = 0, groundY = 0, antennaX = 0, antennaY = 0; // ox, gy, ax, ay
    int mastTopY = 0;                                         // gy - rnd(s * height)
    bool mirrored = false;                                    // last angle <= 180: the upper half is the mirror image
    std::vector<QPoint> points;                               // P_i in list order (at angle + 1 deg in rays mode)
    std::vector<QPoint> mirrorPoints;                         // M_i, empty unless mirrored
    bool hasMaxima = false;
    // In metres from the zone's angles and distances, not from the rounded pixels, and at the
    // table angles also in rays mode.
    double reach = 0;      // largest horizontal distance of the zone, m
    double clearance = 0;  // smallest distance of the zone to the ground line, m
    double clearanceX = 0; // horizontal distance of the point giving the clearance, m
    int barLength = 0;     // rnd(5 m * scale), 0 without a scale
};

// width/height: picture size (809x473 window, 650x450 printout); zoom 1 for the printout.
// rays: every point at its angle + 1 deg, as the rays mode draws them.
ZoneGeometry BuildZone(const ZoneInput &in, int width, int height, double zoom, bool rays);

// The figures as shown to one decimal, never on the unsafe side: the reach rounded up, the
// clearance down.
double ShownReach(double reach);
double ShownClearance(double clearance);

// Line from -> to with a head of two 30-degree lines at `to` in the painter's pen.
// headSize 0: rnd(0.15 * length). doubleHead: a second head at `from`.
void DrawArrow(QPainter &p, QPoint from, QPoint to, int headSize, bool doubleHead = false);

} // namespace sideview
