#pragma once

#include <optional>
#include <vector>

#include "engine/drawing.h"

namespace brondel::engine {

// The loops of the hatch around a point: first the smallest closed loop
// that holds it, made of a closed polyline, a circle, a full ellipse, or
// lines and arcs meeting end to end (within `gap`); then the islands, the
// loops directly inside it. nullopt when no closed loop holds the point.
std::optional<std::vector<HatchLoop>> hatchBoundaryAround(const Drawing& drawing, Point2 at,
                                                          double gap);

}  // namespace brondel::engine
