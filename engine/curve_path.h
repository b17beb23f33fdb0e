#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/entity.h"

// An entity's outline as a walk of straight segments and circular arcs, with
// one parameter along it: piece i runs from s = i to s = i + 1. Lines, arcs,
// circles and polylines are held exactly; ellipses and splines through their
// flattening (the ellipse keeps its own geometry, so points on it stay exact).
namespace brondel::engine {

struct PathPiece {
    bool arc = false;
    Point2 a, b;  // start and end points
    Point2 center;
    double radius = 0, start = 0, sweep = 0;  // arc: start angle and signed sweep

    // The point at u (0 = start, 1 = end); beyond [0, 1] on the line or the
    // circle the piece lies on.
    Point2 at(double u) const;
    // The u of a point on the piece's line or circle. On an arc, points of
    // the gap count as before the start or after the end, whichever is nearer.
    double paramOf(Point2 p) const;
    Box2 box() const;
};

struct CurvePath {
    std::vector<PathPiece> pieces;
    bool closed = false;
    // The ellipse the pieces flatten (parameter t0 + s * dt), if any.
    std::optional<EllipseGeom> ellipse;
    double t0 = 0, dt = 0;
    bool flattened = false;  // a spline: points lie on the flattening only

    double length() const { return double(pieces.size()); }
    Point2 at(double s) const;
    // The s of the point nearest p, and that distance.
    double nearest(Point2 p, double* distance = nullptr) const;
    Box2 box() const;
};

// The outline of the kinds that have one (line, arc, circle, ellipse,
// polyline, spline); nullopt for the others.
std::optional<CurvePath> curvePath(const Entity& e);

// The part of e from s0 to s1 (s0 < s1; on a closed path s1 may pass the
// end and go on from the start) as an entity of the same kind with e's
// properties; a circle's part is an arc, a closed polyline's an open one.
// nullopt for kinds that cannot be cut (splines).
std::optional<Entity> subEntity(const Entity& e, const CurvePath& path, double s0, double s1);

}  // namespace brondel::engine
