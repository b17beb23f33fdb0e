#pragma once

#include <optional>
#include <vector>

#include "engine/entity.h"

// The pieces snaps work on: every entity near the cursor as straight
// segments and circular arcs (ellipses and splines as chains of segments),
// and the points that define it.
namespace brondel::engine {

struct SnapPiece {
    bool arc = false;
    Point2 a, b;    // a segment
    Point2 center;  // an arc
    double radius = 0;
    double start = 0, sweep = 0;  // radians, sweep signed
};

std::vector<SnapPiece> snapPieces(const Entity& e);
// Grips: the points that define the entity (ends, centres, vertices,
// quadrants, insertion points, control points).
std::vector<Point2> gripPoints(const Entity& e);

// Where two pieces cross, inside both.
std::vector<Point2> intersections(const SnapPiece& p, const SnapPiece& q);
// The foot of the perpendicular from `from` on the piece (on a segment
// within it, on an arc on its circle within its sweep).
std::optional<Point2> perpendicularFoot(const SnapPiece& p, Point2 from);
// The points of an arc where a line from `from` touches it.
std::vector<Point2> tangentPoints(const SnapPiece& p, Point2 from);

}  // namespace brondel::engine
