#pragma once

#include <vector>

#include "engine/entity.h"
#include "engine/geometry.h"

// Extents of, and planar distance to, an entity's geometry. Block references
// and dimensions need the drawing's blocks, which a BlockLookup answers.
namespace brondel::engine {

struct Block;
struct DimStyle;

class BlockLookup {
  public:
    virtual ~BlockLookup() = default;
    // nullptr when there is no block of that name.
    virtual const Block* findBlock(const std::string& name) const = 0;
    // The dimension style of that name; nullptr when the default one applies.
    virtual const DimStyle* findDimStyle(const std::string& /*name*/) const { return nullptr; }
};

// Box of the geometry in the drawing plane. Rays and construction lines are
// unbounded: their box has infinite sides.
Box2 boundingBox(const Entity& e, const BlockLookup& blocks);

// Shortest planar distance from (x, y) to the geometry (z plays no part).
// Inside a SOLID or TRACE, or inside the approximate box of a text or a
// multi-line text, the distance is 0; a 3DFACE and an image answer by their
// edges, a hatch by its boundary, a block reference and a dimension by
// their block's entities, a leader by its parts. A block reference to a missing block answers by
// its insertion point. Splines answer within tol::kCurveRelative of their
// size.
double distanceTo(const Entity& e, double x, double y, const BlockLookup& blocks);

// The corners of a text's or a multi-line text's approximate box, counter-
// clockwise (text metrics are estimated without fonts).
std::vector<Point2> textOutline(const TextGeom& g);
std::vector<Point2> textOutline(const MTextGeom& g);

// A hatch's boundary as plain entities (no handles, default properties):
// polyline loops as closed polylines; edges as lines, arcs, ellipses and
// splines.
std::vector<Entity> hatchBoundary(const HatchGeom& g);

// Whether the direction a (radians) lies on the arc that starts at s and
// sweeps the signed angle sweep.
bool angleOnArc(double a, double s, double sweep);
// Whether (x, y) lies inside the polygon, by the even-odd rule.
bool insidePolygon(const std::vector<Point2>& poly, double x, double y);
// Outline of a SOLID or TRACE (corners 1, 2, 4, 3) or a 3DFACE (1, 2, 3, 4).
std::vector<Point2> solidOutline(const SolidGeom& g);
// The four corners of an image's frame.
std::vector<Point2> imageFrame(const ImageGeom& g);

// Distance from a point to a segment and to an arc, the pieces the above use.
double distanceToSegment(double px, double py, double ax, double ay, double bx, double by);
double distanceToArc(double px, double py, double cx, double cy, double r, double startAngle,
                     double angle);

}  // namespace brondel::engine
