#pragma once

#include <vector>

#include "engine/geometry.h"
#include "engine/vecad.h"

// The straight pieces a drawing's cutting path is made of, as the main road
// cuts it: lines as they are, arcs and circles cut into chords.
namespace brondel::pathtools {

struct Segment {
    engine::Point2 a, b;
};

// The most chords an arc is cut into, as the explode tool allows.
inline constexpr int kMaxArcSegments = 360;

// The fewest chords (1 to kMaxArcSegments) whose largest distance from the
// arc is within tolerance.
int chordsWithin(double radius, double angle, double tolerance);

// Lines, and arcs and circles in chords within arcTolerance of them; other
// entities are no path.
std::vector<Segment> pathSegments(const engine::Vecad& vecad, double arcTolerance);

// Breaks compound entities (polylines, blocks) into lines and arcs, as Prep
// Drawing does, without asking or reporting anything.
void breakUpCompounds(engine::Vecad& vecad);

}  // namespace brondel::pathtools
