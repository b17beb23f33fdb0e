#pragma once

#include <cstddef>
#include <vector>

#include "engine/curve_path.h"

// Where outlines cross: straight segments and circular arcs in closed form,
// ellipses refined on the ellipse itself, splines on their flattening.
namespace brondel::engine {

// How far outside [0, 1] a piece's parameter may lie and still count as on
// it: crossings at shared end points are found from both sides.
constexpr double kOnPieceSlack = 1e-9;

// The points where pieces a and b meet. With extendA, a counts as its whole
// line or circle.
std::vector<Point2> meet(const PathPiece& a, const PathPiece& b, bool extendA = false);

// The parameters along a where it crosses b, ascending, without repeats.
std::vector<double> crossings(const CurvePath& a, const CurvePath& b);

// The points where piece a's whole line or circle meets b.
std::vector<Point2> meetBeyond(const PathPiece& a, const CurvePath& b);

}  // namespace brondel::engine
