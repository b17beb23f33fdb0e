#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/entity.h"

// Exact pieces of a B-spline: a part between two parameters is cut out by
// knot insertion, so it is the same curve, not an approximation.
namespace brondel::engine {

// A spline as the pieces below work on it: degree, clamped knots and
// control points with their weights (all 1 when not rational).
struct SplineCurve {
    int degree = 0;
    std::vector<double> knots;
    std::vector<Point3> points;
    std::vector<double> weights;

    double first() const { return knots[std::size_t(degree)]; }
    double last() const { return knots[points.size()]; }
    Point3 at(double t) const;
};

// The spline as a curve, or why it cannot be cut (no control points, or
// knots that are not clamped at both ends).
std::variant<SplineCurve, std::string> splineCurve(const SplineGeom& g);

// The part from t0 to t1 (first() <= t0 < t1 <= last()) as a spline.
SplineGeom splinePart(const SplineCurve& c, double t0, double t1);

// a followed by b, where b starts at the point where a ends: one spline
// with a corner-capable knot of multiplicity degree at the seam.
SplineGeom splineJoined(const SplineGeom& a, const SplineGeom& b);

// Points along the curve with their parameters, close enough together
// that the chords stray from it by no more than the drawing flattening.
struct SplineSamples {
    std::vector<Point3> points;
    std::vector<double> params;
};
SplineSamples sampleSpline(const SplineCurve& c);

}  // namespace brondel::engine
