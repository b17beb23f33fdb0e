#pragma once

#include "engine/entity.h"
#include "engine/geometry.h"
#include "engine/shape.h"

// Whether geometry touches an axis-aligned box (closed: touching an edge
// counts), for crossing selections. Curves and outlines count by their line
// work; solids, traces and texts also by the area they fill, as distanceTo
// has it.
namespace brondel::engine {

bool segmentMeetsBox(Point2 a, Point2 b, const Box2& box);
bool meetsBox(const Entity& e, const Box2& box, const BlockLookup& blocks);

}  // namespace brondel::engine
