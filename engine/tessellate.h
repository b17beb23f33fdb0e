#pragma once

#include <vector>

#include "engine/entity.h"

// Curves as chains of straight segments whose chord deviation stays within
// a tolerance (up to tol::kMaxCurveSegments segments per curve). A
// tolerance <= 0 asks for tol::kCurveRelative of the curve's size.
namespace brondel::engine {

// Points from the start of the arc to its end, both included.
std::vector<Point3> tessellateArc(const Point3& center, double radius, double startAngle,
                                  double angle, double tolerance);

// Points of the ellipse from startParam to endParam (counter-clockwise),
// both ends included; a full ellipse ends where it starts.
std::vector<Point3> tessellateEllipse(const EllipseGeom& g, double tolerance);

// Points of the spline along its knot range. A spline with fit points and
// no control points runs straight through its fit points.
std::vector<Point3> tessellateSpline(const SplineGeom& g, double tolerance);

// The point of the ellipse at parameter t.
Point3 ellipsePoint(const EllipseGeom& g, double t);

// The ellipse's parameter range as [start, end] with start <= end < start + 2 pi
// (a full ellipse: end = start + 2 pi).
void ellipseRange(const EllipseGeom& g, double& start, double& end);

// Centre, radius, start angle and signed sweep of the bulged polyline
// segment from a to b (a.bulge != 0, a and b apart).
struct BulgeArc {
    double cx, cy, r, start, sweep;
};
BulgeArc bulgeArc(const Vertex& a, const Vertex& b);

}  // namespace brondel::engine
