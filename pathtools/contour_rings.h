#pragma once

#include <cstddef>
#include <vector>

#include "engine/geometry.h"
#include "engine/vecad.h"

// The drawing's lines, arcs and circles gathered into the closed outlines
// they make: where every end meets exactly one other end, they form a ring.
namespace brondel::pathtools {

// Arcs and circles are taken as chords that stay within this of the curve.
inline constexpr double kRingArcTolerance = 0.01;

struct Ring {
    // Vertex by vertex around the ring, the last one on the first.
    std::vector<engine::Point2> points;
    // Its lines, arcs and circles in the order the ring runs through them.
    std::vector<engine::Handle> lines;
};

struct Rings {
    std::vector<Ring> closed;   // in the order of their first line in the drawing
    std::size_t openLines = 0;  // entities of chains that do not close, or branch
};

// Ends within radius of each other meet. Other entities play no part.
Rings closedRings(const engine::Vecad& vecad, double radius);

}  // namespace brondel::pathtools
