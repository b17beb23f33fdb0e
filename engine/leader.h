#pragma once

#include <string>
#include <vector>

#include "engine/dimension_style.h"
#include "engine/entity.h"
#include "engine/shape.h"

// What a leader shows: its segments, its arrowhead and its annotation.
namespace brondel::engine {

// The arrowhead's length: the arrow size of the leader's dimension style
// times that style's scale (the default style's when the drawing has none
// of that name).
double leaderArrowSize(const LeaderGeom& g, const BlockLookup& blocks);

// The leader as plain entities with props: a line per segment (repeated
// vertices add none), a filled
// triangle (SOLID) with its tip on the first vertex when it has an
// arrowhead and a first segment, and its annotation as multi-line text.
std::vector<Entity> leaderParts(const LeaderGeom& g, const BlockLookup& blocks,
                                const EntityProps& props = {});

// The leader through points with text as its annotation: the text stands
// beside the last point, on the side the last segment runs to, in the
// style's text height, one text gap away.
LeaderGeom makeLeader(std::vector<Point3> points, std::string text, const DimStyle& style);

}  // namespace brondel::engine
