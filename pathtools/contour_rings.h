#pragma once

#include <cstddef>
#include <vector>

#include "engine/geometry.h"
#include "engine/vecad.h"

// The drawing's lines gathered into the closed outlines they make: where
// every end meets exactly one other end, the lines form a ring.
namespace brondel::pathtools {

struct Ring {
    // Vertex by vertex around the ring, the last one on the first.
    std::vector<engine::Point2> points;
    // The line from points[i] to points[i + 1].
    std::vector<engine::Handle> lines;
};

struct Rings {
    std::vector<Ring> closed;   // in the order of their first line in the drawing
    std::size_t openLines = 0;  // lines of chains that do not close, or branch
};

// Line ends within radius of each other meet. Other entities play no part.
Rings closedRings(const engine::Vecad& vecad, double radius);

}  // namespace brondel::pathtools
