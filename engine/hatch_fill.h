#pragma once

#include <cstddef>
#include <vector>

#include "engine/entity.h"
#include "engine/geometry.h"
#include "engine/hatch_patterns.h"

// The strokes of a pattern hatch: its line families laid across the area
// its loops enclose (even-odd, so nested loops leave holes).
namespace brondel::engine {

// The hatch's line families as a file holds them (base point and offset in
// drawing units, angle and scale applied): the ones it came with, or else
// those of our pattern of its name at its scale and angle; none for a solid
// fill or a name we do not know.
std::vector<PatternLine> hatchPatternLines(const HatchGeom& g);

struct Stroke2 {
    Point2 a, b;  // a dot has a == b
};

// The dashes of the line families inside the loops, only those that meet
// `window`; at most `budget` of them (a pattern far too fine for its area
// stops there instead of freezing the program).
std::vector<Stroke2> hatchStrokes(const std::vector<std::vector<Point2>>& loops,
                                  const std::vector<PatternLine>& lines, const Box2& window,
                                  std::size_t budget);

}  // namespace brondel::engine
