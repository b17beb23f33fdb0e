#pragma once

#include <functional>
#include <vector>

#include "engine/entity.h"
#include "engine/shape.h"

// Placing geometry: the affine maps of block references and what an entity
// becomes under one.
namespace brondel::engine {

// x' = a x + b y + tx, y' = c x + d y + ty, z' = sz z + tz.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    double sz = 1, tz = 0;

    static Affine translation(double x, double y, double z = 0);
    static Affine rotation(double angle);
    static Affine scaling(double sx, double sy, double sz = 1);

    Point3 apply(const Point3& p) const {
        return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty, sz * p.z + tz};
    }
    Point2 apply(const Point2& p) const { return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty}; }
    Point3 applyVector(const Point3& v) const {
        return {a * v.x + b * v.y, c * v.x + d * v.y, sz * v.z};
    }
    double det() const { return a * d - b * c; }
    // Whether the map keeps shapes: a rotation and one scale, maybe mirrored.
    bool conformal() const;
    // Its scale when conformal.
    double uniformScale() const;
    // The most it stretches any vector in the plane.
    double maxStretch() const;
};

// (this after first): x -> outer(inner(x)).
Affine operator*(const Affine& outer, const Affine& inner);

// The map of copy (column, row) of a block reference: block coordinates,
// relative to the block's base point, to the reference's coordinates.
Affine insertTransform(const InsertGeom& g, const Point3& blockBase, int column, int row);

// A block part's properties as placed by a reference with ref: parts on
// layer 0 take the reference's layer, BYBLOCK values take the reference's.
EntityProps inheritProps(const EntityProps& part, const EntityProps& ref);

// The entity as it is after the map, appended to out. Circles and arcs under
// a map that is not conformal become ellipses; bulged polyline segments
// become chains of straight segments within chordTolerance (<= 0: a fine
// tolerance relative to each arc); block references
// stay references when the composed map is still a rotation and two scales,
// otherwise they are replaced by their block's entities placed by it.
// Dimensions stay dimensions: their definition points move, they measure
// again and lose their block, so they are drawn afresh. Handles are
// cleared.
void transformEntity(const Entity& e, const Affine& m, const BlockLookup& blocks,
                     double chordTolerance, std::vector<Entity>& out);

// Calls visit(entity) for every entity of every copy of the reference's
// block, placed in the drawing and with nested references resolved down to
// plain entities (a reference to a missing or recursive block adds nothing).
void forEachPlacedEntity(const InsertGeom& g, const BlockLookup& blocks,
                         const std::function<void(const Entity&)>& visit);

// Same for a dimension's block, whose entities are in drawing coordinates.
void forEachPlacedEntity(const DimensionGeom& g, const BlockLookup& blocks,
                         const std::function<void(const Entity&)>& visit);

}  // namespace brondel::engine
