#pragma once

#include <vector>

#include "engine/entity.h"

namespace brondel::engine {

// The cubic spline through the fit points (at least two, neighbours apart):
// chord-length parameters, a clamped knot vector and control points solved
// so that the curve passes through every fit point, with end tangents along
// the first and last chords. The fit points are kept with it.
SplineGeom fitCubicSpline(const std::vector<Point2>& fit);

}  // namespace brondel::engine
