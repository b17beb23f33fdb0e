#pragma once

#include <vector>

#include "engine/geometry.h"
#include "pathtools/pick_handler.h"

namespace brondel::pathtools {

inline constexpr const char* kExplodingTask = "Exploding into segments";

// The n + 1 points that divide an arc into n chords of equal angle, from the
// start angle in the direction of the signed included angle.
std::vector<engine::Point2> arcChordPoints(engine::Point2 center, double radius, double startAngle,
                                           double angle, int n);

// The n + 1 points that divide the line from p1 to p2 into n equal parts;
// the last one is reached by steps from p1, not copied from p2.
std::vector<engine::Point2> lineDivisionPoints(engine::Point2 p1, engine::Point2 p2, int n);

// The explode tools: the picked line or arc is replaced by n straight
// segments in its own direction, at z = 0.
ToolEnd explodeLine(Press& press);
ToolEnd explodeArc(Press& press);

}  // namespace brondel::pathtools
