#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/geometry.h"

// One continuous path through a part with holes, for machines that cannot
// lift the tool: each hole is reached by a straight bridge, cut in and back
// out along the same line.
namespace brondel::pathtools {

struct LinkedPath {
    bool done = false;
    std::string message;  // why not, when not done
    // From the start point round the outer ring and through every hole,
    // back to the start point.
    std::vector<engine::Point2> path;
    std::size_t holes = 0;
    double bridgeLength = 0;  // all bridges, one way
    std::size_t leftOut = 0;  // rings outside the outer one, or inside a hole
};

// rings: closed rings, each ending on its first point. The walk starts on the
// outer ring's segment `startSegment`, at its first point when `forward`,
// else at its second, and runs round the outer ring that way. Holes are the
// rings whose nearest enclosing ring is the outer one; each bridge is the
// shortest segment between the part linked so far and the rest, so it
// crosses no ring. Holes run the other way round from the outer ring.
// With a kerf, the outer ring is first moved out by half of it and each
// hole in by half (so the part keeps its size); a hole that closes up is
// named by its number, counted in drawing order from 1.
LinkedPath linkRings(const std::vector<std::vector<engine::Point2>>& rings, std::size_t outer,
                     std::size_t startSegment, bool forward, double kerf = 0);

}  // namespace brondel::pathtools
