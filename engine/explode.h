#pragma once

#include <vector>

#include "engine/entity.h"
#include "engine/shape.h"

// Breaking a compound entity into its parts.
namespace brondel::engine {

// The parts of e, without handles, or an empty vector when e stays as it is
// (points, lines, arcs, circles, texts, rays, construction lines, solids,
// images; also a reference to a missing block and a polyline of fewer than
// two distinct vertices).
//
// - Polylines become lines and arcs (arcs keep the bulge's direction in the
//   sign of their angle; 3-D polylines become lines); segments shorter than
//   tol::kZeroLength are dropped.
// - Block references become their block's entities, once per copy, placed
//   by the reference's insertion point, scale, rotation, columns and rows.
//   Under unequal scales circles and arcs become ellipses and bulged
//   polylines become straight-segment polylines. Nested references stay
//   references (one level per call) unless the placement would skew them,
//   when their own parts are placed instead.
// - Dimensions become their block's entities.
// - Leaders become a line per segment, their arrowhead as a SOLID and their
//   annotation as multi-line text.
// - Multi-line texts become one single-line text per line, format codes
//   removed, placed by the attachment point and the line spacing (no word
//   wrap).
// - Splines and ellipses become polylines of straight segments whose chord
//   deviation stays within chordTolerance (drawing units, > 0).
// - Hatches become their boundary: polyline loops as closed polylines, edges
//   as lines and arcs, elliptic and spline edges as polylines.
//
// Parts keep e's properties; the parts of a block keep their own, except
// that those on layer 0 take e's layer and BYBLOCK values take e's.
// Throws Error(err::kBadArgument) when chordTolerance is not a positive
// number.
std::vector<Entity> explodeEntity(const Entity& e, const BlockLookup& blocks,
                                  double chordTolerance);

// Whether e is of a kind explodeEntity breaks up: points, lines, arcs,
// circles, single-line text and the like are as simple as they get.
bool breaksUp(const Entity& e);

}  // namespace brondel::engine
