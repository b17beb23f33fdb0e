#pragma once

#include <vector>

#include "engine/entity.h"
#include "engine/geometry.h"
#include "engine/shape.h"

// An entity's outline as chains of points in the drawing plane: what the
// screen, the printers and the previews draw of it. Curves are flattened so
// that no chord strays more than tolerance from them (tolerance <= 0:
// tol::kCurveRelative of the curve's size).
namespace brondel::engine {

struct OutlineChain {
    std::vector<Point2> points;
    // A loop: its last point repeats its first, so the points drawn in
    // order close it.
    bool closed = false;
};

// A polyline's points with its bulges flattened into arcs; a closed one
// ends at its first vertex again.
std::vector<Point2> polylineOutline(const std::vector<Vertex>& vertices, bool closed,
                                    double tolerance);

// A hatch loop's points, each edge turned so it starts where the loop so
// far ends (files do not always store edges head to tail).
std::vector<Point2> hatchLoopOutline(const HatchLoop& loop, double tolerance);

// The points of a line, circle, arc, ellipse, spline or polyline (bulges
// flattened); empty for the other kinds.
std::vector<Point2> curveOutline(const Entity& e, double tolerance);

// Appends the chains of e: a curve as its curveOutline; a point as a chain of one point; a SOLID or
// TRACE as the loop of corners 1, 2, 4, 3, a 3DFACE as 1, 2, 3, 4; an image by its frame; a text or
// multi-line text by its box; a hatch by its loops; a block reference or a dimension by its block's
// entities; a leader by its segments, arrowhead and annotation. Rays and construction lines have no
// end and add nothing: their users clip them to what they show.
void appendOutline(const Entity& e, const BlockLookup& blocks, double tolerance,
                   std::vector<OutlineChain>& out);
std::vector<OutlineChain> entityOutline(const Entity& e, const BlockLookup& blocks,
                                        double tolerance);

}  // namespace brondel::engine
