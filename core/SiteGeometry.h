#pragma once

// The geometry of a site: the controllable area as a polygon on the plan (metres, x to the
// right, y up), antennas as points or wires at a height, and each antenna's zone over all its
// bands. A zone is either a sphere (the far-field distance in every direction) or the side
// view's contour of distances per elevation angle turned about the mast; several bands give
// their union. Everything here is pure arithmetic, so the site's figures can be checked by hand.

#include <string>
#include <vector>

namespace site
{

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point &) const = default;
};

struct Point3 {
    double x = 0, y = 0, z = 0;
};

using Polygon = std::vector<Point>;

// Why the points enclose no area (German, for a message), empty when they do: fewer than
// three points, an edge crossing another, or all points on one line.
std::string PolygonFault(const Polygon &area);

bool Inside(const Polygon &area, Point p); // the boundary counts as outside
// Horizontal distance to the boundary, positive inside and negative outside.
double SignedDistance(const Polygon &area, Point p);
// The nearest point of the boundary.
Point NearestBoundaryPoint(const Polygon &area, Point p);
// The smallest signed distance over a point or a wire (its whole length).
double SmallestSignedDistance(const Polygon &area, const std::vector<Point> &line);

// One antenna's zone: the union of its bands' zones, around the antenna at height 0.
class Zone
{
public:
    // A band without angle damping: a sphere of radius d.
    void addSphere(double d);
    // A band with angle data: distances per angle in degrees from the horizontal main
    // direction, positive downwards, as the side view draws them; a list ending at 180 deg
    // or less stands for its mirror image above the horizon too.
    void addContour(const std::vector<int> &angles, const std::vector<double> &distances);

    bool empty() const { return spheres_.empty() && contours_.empty(); }
    bool spheresOnly() const { return contours_.empty(); }
    // The largest distance in any direction.
    double reach() const { return reach_; }
    // The largest horizontal extent between heights z0 and z1 relative to the antenna
    // (z0 <= z1); the top-view radius for an unbounded span.
    double radiusBetween(double z0, double z1) const;
    double topRadius() const;
    // The distance in the direction of the given elevation (degrees, positive down,
    // -90..90), all azimuths alike: the mast is turned.
    double distanceToward(double elevation) const;
    // Elevations in (-90, 90) where distanceToward bends; between two of them it is one
    // straight edge per band.
    const std::vector<double> &bends() const { return bends_; }

private:
    struct Vertex {
        double angle; // degrees, 0..360, counter to the side view: positive down
        double distance;
    };
    struct Contour {
        std::vector<Vertex> vertices; // in polygon order, by increasing angle
        std::vector<double> x, z;     // the same, in the vertical plane (z up)
    };
    // cosine and sine: of the angle, worked out once for every band.
    static double radialDistance(const Contour &c, double angle, double cosine, double sine);

    std::vector<double> spheres_;
    std::vector<Contour> contours_;
    std::vector<double> bends_;
    double reach_ = 0; // kept, as the exposure asks for it at every point
};

// An antenna on the plan: one point, or a wire through several, at one height.
struct Radiator {
    std::vector<Point> line;
    double height = 0;
    const Zone *zone = nullptr;
};

// (d / r)^2 of one antenna at p, its largest over the antenna's points: 1 on its zone's
// boundary. Unbounded (infinity) on the antenna itself.
double ExposureRatio(const Radiator &antenna, const Point3 &p);
// The sum over simultaneous antennas.
double ExposureQuotient(const std::vector<Radiator> &antennas, const Point3 &p);

struct QuotientPeak {
    double value = 0; // infinity when an antenna itself stands where people may be
    Point3 where;
};

// The largest exposure quotient outside the area at heights z0..z1: a grid over the
// surroundings and along the boundary, seeded with the boundary points nearest to each
// antenna, each of the best candidates refined by a pattern search that keeps to the outside.
QuotientPeak LargestQuotientOutside(const Polygon &area, const std::vector<Radiator> &antennas, double z0, double z1);

} // namespace site
