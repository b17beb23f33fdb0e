#include "engine/shape.h"

#include <cmath>
#include <limits>

#include "engine/tables.h"

namespace brondel::engine {

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

namespace {

// Whether the direction a (radians) lies on the arc that starts at s and
// sweeps the signed angle sweep.
bool angleOnArc(double a, double s, double sweep) {
    if (std::abs(sweep) >= kTwoPi) {
        return true;
    }
    double from = sweep >= 0 ? s : s + sweep;
    double rel = std::fmod(a - from, kTwoPi);
    if (rel < 0) {
        rel += kTwoPi;
    }
    return rel <= std::abs(sweep);
}

}  // namespace

double distanceToArc(double px, double py, double cx, double cy, double r, double startAngle,
                     double angle) {
    const double a = std::atan2(py - cy, px - cx);
    if (angleOnArc(a, startAngle, angle)) {
        return std::abs(std::hypot(px - cx, py - cy) - r);
    }
    const double e = startAngle + angle;
    return std::min(std::hypot(px - (cx + r * std::cos(startAngle)), py - (cy + r * std::sin(startAngle))),
                    std::hypot(px - (cx + r * std::cos(e)), py - (cy + r * std::sin(e))));
}

namespace {

void addArcBox(Box2& b, double cx, double cy, double r, double s, double sweep) {
    b.add(cx + r * std::cos(s), cy + r * std::sin(s));
    b.add(cx + r * std::cos(s + sweep), cy + r * std::sin(s + sweep));
    for (int q = 0; q < 4; ++q) {
        const double a = q * kPi / 2;
        if (angleOnArc(a, s, sweep)) {
            b.add(cx + r * std::cos(a), cy + r * std::sin(a));
        }
    }
}

// Centre, radius and sweep of the bulged segment from a to b.
struct BulgeArc {
    double cx, cy, r, start, sweep;
};
BulgeArc bulgeArc(const Vertex& a, const Vertex& b) {
    const double sweep = 4 * std::atan(a.bulge);
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double chord = std::hypot(dx, dy);
    const double r = chord / (2 * std::sin(std::abs(sweep) / 2));
    const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    const double h = r * std::cos(sweep / 2);  // signed distance from chord midpoint to centre
    const double nx = -dy / chord, ny = dx / chord;
    const double sign = sweep > 0 ? 1 : -1;
    const double cx = mx + sign * nx * h, cy = my + sign * ny * h;
    return {cx, cy, r, std::atan2(a.y - cy, a.x - cx), sweep};
}

template <class F>
void forEachPolylineSegment(const PolylineGeom& g, F&& f) {
    const std::size_t n = g.vertices.size();
    const std::size_t segments = g.closed ? n : (n > 0 ? n - 1 : 0);
    for (std::size_t i = 0; i < segments; ++i) {
        f(g.vertices[i], g.vertices[(i + 1) % n]);
    }
}

}  // namespace

Box2 boundingBox(const Entity& e, const BlockLookup&) {
    Box2 b;
    if (const auto* g = geomIf<PointGeom>(e)) {
        b.add(g->p.x, g->p.y);
    } else if (const auto* g = geomIf<LineGeom>(e)) {
        b.add(g->p1.x, g->p1.y);
        b.add(g->p2.x, g->p2.y);
    } else if (const auto* g = geomIf<CircleGeom>(e)) {
        b.add(g->center.x - g->radius, g->center.y - g->radius);
        b.add(g->center.x + g->radius, g->center.y + g->radius);
    } else if (const auto* g = geomIf<ArcGeom>(e)) {
        addArcBox(b, g->center.x, g->center.y, g->radius, g->startAngle, g->angle);
    } else if (const auto* g = geomIf<PolylineGeom>(e)) {
        for (const auto& v : g->vertices) {
            b.add(v.x, v.y);
        }
        forEachPolylineSegment(*g, [&](const Vertex& a, const Vertex& c) {
            if (a.bulge != 0 && !(a.x == c.x && a.y == c.y)) {
                const BulgeArc arc = bulgeArc(a, c);
                addArcBox(b, arc.cx, arc.cy, arc.r, arc.start, arc.sweep);
            }
        });
    } else if (const auto* g = geomIf<TextGeom>(e)) {
        b.add(g->p.x, g->p.y);
        b.add(g->p.x + g->height * std::cos(g->angle), g->p.y + g->height * std::sin(g->angle));
    } else if (const auto* g = geomIf<InfiniteLineGeom>(e)) {
        const double inf = std::numeric_limits<double>::infinity();
        b.add(-inf, -inf);
        b.add(inf, inf);
        (void)g;
    }
    return b;
}

double distanceTo(const Entity& e, double x, double y, const BlockLookup& blocks) {
    if (const auto* g = geomIf<PointGeom>(e)) {
        return std::hypot(x - g->p.x, y - g->p.y);
    }
    if (const auto* g = geomIf<LineGeom>(e)) {
        return distanceToSegment(x, y, g->p1.x, g->p1.y, g->p2.x, g->p2.y);
    }
    if (const auto* g = geomIf<CircleGeom>(e)) {
        return std::abs(std::hypot(x - g->center.x, y - g->center.y) - g->radius);
    }
    if (const auto* g = geomIf<ArcGeom>(e)) {
        return distanceToArc(x, y, g->center.x, g->center.y, g->radius, g->startAngle, g->angle);
    }
    if (const auto* g = geomIf<PolylineGeom>(e)) {
        double best = std::numeric_limits<double>::infinity();
        if (g->vertices.size() == 1) {
            best = std::hypot(x - g->vertices[0].x, y - g->vertices[0].y);
        }
        forEachPolylineSegment(*g, [&](const Vertex& a, const Vertex& c) {
            if (a.bulge != 0 && !(a.x == c.x && a.y == c.y)) {
                const BulgeArc arc = bulgeArc(a, c);
                best = std::min(best, distanceToArc(x, y, arc.cx, arc.cy, arc.r, arc.start, arc.sweep));
            } else {
                best = std::min(best, distanceToSegment(x, y, a.x, a.y, c.x, c.y));
            }
        });
        return best;
    }
    if (const auto* g = geomIf<InfiniteLineGeom>(e)) {
        const double t = (x - g->base.x) * g->direction.x + (y - g->base.y) * g->direction.y;
        const double tt = g->ray ? std::max(0.0, t) : t;
        return std::hypot(x - (g->base.x + tt * g->direction.x), y - (g->base.y + tt * g->direction.y));
    }
    const Box2 b = boundingBox(e, blocks);
    if (b.empty()) {
        return std::numeric_limits<double>::infinity();
    }
    const double dx = std::max({b.minX - x, 0.0, x - b.maxX});
    const double dy = std::max({b.minY - y, 0.0, y - b.maxY});
    return std::hypot(dx, dy);
}

}  // namespace brondel::engine
