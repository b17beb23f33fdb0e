#pragma once

#include "engine/geometry.h"

namespace brondel::engine {

// The point of the grid through the origin, `step` apart both ways, that
// lies nearest to p.
Point2 nearestGridPoint(Point2 p, double step);

}  // namespace brondel::engine
