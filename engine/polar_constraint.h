#pragma once

#include "engine/geometry.h"

namespace brondel::engine {

// `to` moved onto the nearest direction from `from` whose angle is a whole
// multiple of stepDegrees, keeping its distance along that direction. A
// step of 0 (or one of no use, not between 0 and 180) is ortho: horizontal
// or vertical.
Point2 constrainAngle(Point2 from, Point2 to, double stepDegrees);

}  // namespace brondel::engine
