#pragma once

#include "engine/entity.h"
#include "engine/geometry.h"

// Extents of, and planar distance to, an entity's geometry. Block references
// and dimensions need the drawing's blocks, which a BlockLookup answers.
namespace brondel::engine {

struct Block;

class BlockLookup {
public:
    virtual ~BlockLookup() = default;
    // nullptr when there is no block of that name.
    virtual const Block* findBlock(const std::string& name) const = 0;
};

// Box of the geometry in the drawing plane. Rays and construction lines are
// unbounded: their box has infinite sides.
Box2 boundingBox(const Entity& e, const BlockLookup& blocks);

// Shortest planar distance from (x, y) to the geometry (z plays no part).
// Text and multi-line text answer by their insertion box.
double distanceTo(const Entity& e, double x, double y, const BlockLookup& blocks);

// Distance from a point to a segment and to an arc, the pieces the above use.
double distanceToSegment(double px, double py, double ax, double ay, double bx, double by);
double distanceToArc(double px, double py, double cx, double cy, double r, double startAngle,
                     double angle);

}  // namespace brondel::engine
