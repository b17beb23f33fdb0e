#include "engine/box_crossing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/entity_outline.h"
#include "engine/leader.h"
#include "engine/tessellate.h"
#include "engine/transform.h"

namespace brondel::engine {

namespace {

bool inside(Point2 p, const Box2& b) {
    return p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY;
}

bool arcMeetsBox(Point2 c, double r, double start, double sweep, const Box2& b) {
    if (inside({c.x + r * std::cos(start), c.y + r * std::sin(start)}, b) ||
        inside({c.x + r * std::cos(start + sweep), c.y + r * std::sin(start + sweep)}, b)) {
        return true;
    }
    // Otherwise the arc must cross an edge of the box.
    const auto onArc = [&](double x, double y) {
        return inside({x, y}, b) && angleOnArc(std::atan2(y - c.y, x - c.x), start, sweep);
    };
    for (const double x : {b.minX, b.maxX}) {
        const double dx = x - c.x;
        if (std::abs(dx) <= r) {
            const double dy = std::sqrt(r * r - dx * dx);
            if (onArc(x, c.y + dy) || onArc(x, c.y - dy)) {
                return true;
            }
        }
    }
    for (const double y : {b.minY, b.maxY}) {
        const double dy = y - c.y;
        if (std::abs(dy) <= r) {
            const double dx = std::sqrt(r * r - dy * dy);
            if (onArc(c.x + dx, y) || onArc(c.x - dx, y)) {
                return true;
            }
        }
    }
    return false;
}

bool chainMeetsBox(const std::vector<Point2>& pts, const Box2& b) {
    if (pts.size() == 1) {
        return inside(pts[0], b);
    }
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        if (segmentMeetsBox(pts[i], pts[i + 1], b)) {
            return true;
        }
    }
    return false;
}

bool outlineMeetsBox(const std::vector<Point2>& poly, bool filled, const Box2& b) {
    for (std::size_t i = 0; i < poly.size(); ++i) {
        if (segmentMeetsBox(poly[i], poly[(i + 1) % poly.size()], b)) {
            return true;
        }
    }
    // No edge meets the box: it touches a filled area only from inside it.
    return filled && !poly.empty() &&
           insidePolygon(poly, (b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2);
}

bool polylineMeetsBox(const PolylineGeom& g, const Box2& b) {
    const std::size_t n = g.vertices.size();
    if (n == 1) {
        return inside({g.vertices[0].x, g.vertices[0].y}, b);
    }
    const std::size_t segments = g.closed ? n : (n > 0 ? n - 1 : 0);
    for (std::size_t i = 0; i < segments; ++i) {
        const Vertex &v = g.vertices[i], &w = g.vertices[(i + 1) % n];
        if (v.bulge != 0 && !(v.x == w.x && v.y == w.y)) {
            const BulgeArc arc = bulgeArc(v, w);
            if (arcMeetsBox({arc.cx, arc.cy}, arc.r, arc.start, arc.sweep, b)) {
                return true;
            }
        } else if (segmentMeetsBox({v.x, v.y}, {w.x, w.y}, b)) {
            return true;
        }
    }
    return false;
}

bool infiniteMeetsBox(const InfiniteLineGeom& g, const Box2& b) {
    // Long enough to run from the base past the whole box either way.
    const double reach =
        std::hypot(std::max(std::abs(b.minX - g.base.x), std::abs(b.maxX - g.base.x)),
                   std::max(std::abs(b.minY - g.base.y), std::abs(b.maxY - g.base.y))) +
        1;
    const Point2 far{g.base.x + reach * g.direction.x, g.base.y + reach * g.direction.y};
    const Point2 near =
        g.ray ? Point2{g.base.x, g.base.y}
              : Point2{g.base.x - reach * g.direction.x, g.base.y - reach * g.direction.y};
    return segmentMeetsBox(near, far, b);
}

bool anyPartMeets(const std::vector<Entity>& parts, const Box2& b, const BlockLookup& blocks) {
    for (const Entity& part : parts) {
        if (meetsBox(part, b, blocks)) {
            return true;
        }
    }
    return false;
}

}  // namespace

// Liang-Barsky clipping of the segment against the box.
bool segmentMeetsBox(Point2 a, Point2 b, const Box2& box) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const auto clip = [&](double p, double q) {
        if (p == 0) {
            return q >= 0;
        }
        const double t = q / p;
        if (p < 0) {
            if (t > t1) {
                return false;
            }
            t0 = std::max(t0, t);
        } else {
            if (t < t0) {
                return false;
            }
            t1 = std::min(t1, t);
        }
        return true;
    };
    return clip(-dx, a.x - box.minX) && clip(dx, box.maxX - a.x) && clip(-dy, a.y - box.minY) &&
           clip(dy, box.maxY - a.y);
}

bool meetsBox(const Entity& e, const Box2& b, const BlockLookup& blocks) {
    if (const auto* g = geomIf<PointGeom>(e)) {
        return inside({g->p.x, g->p.y}, b);
    }
    if (const auto* g = geomIf<LineGeom>(e)) {
        return segmentMeetsBox({g->p1.x, g->p1.y}, {g->p2.x, g->p2.y}, b);
    }
    if (const auto* g = geomIf<CircleGeom>(e)) {
        return arcMeetsBox({g->center.x, g->center.y}, g->radius, 0, kTwoPi, b);
    }
    if (const auto* g = geomIf<ArcGeom>(e)) {
        return arcMeetsBox({g->center.x, g->center.y}, g->radius, g->startAngle, g->angle, b);
    }
    if (geomIf<EllipseGeom>(e) || geomIf<SplineGeom>(e)) {
        return chainMeetsBox(curveOutline(e, 0), b);
    }
    if (const auto* g = geomIf<PolylineGeom>(e)) {
        return polylineMeetsBox(*g, b);
    }
    if (const auto* g = geomIf<InfiniteLineGeom>(e)) {
        return infiniteMeetsBox(*g, b);
    }
    if (const auto* g = geomIf<TextGeom>(e)) {
        return outlineMeetsBox(textOutline(*g), true, b);
    }
    if (const auto* g = geomIf<MTextGeom>(e)) {
        return outlineMeetsBox(textOutline(*g), true, b);
    }
    if (const auto* g = geomIf<SolidGeom>(e)) {
        const std::vector<Point2> outline = solidOutline(*g);
        if (g->kind == SolidGeom::Kind::Face3d) {
            return outlineMeetsBox(outline, false, b);
        }
        // Filled as the triangles 1-2-3 and 2-4-3, as it is drawn.
        return outlineMeetsBox({outline[0], outline[1], outline[3]}, true, b) ||
               outlineMeetsBox({outline[1], outline[2], outline[3]}, true, b);
    }
    if (const auto* g = geomIf<ImageGeom>(e)) {
        return outlineMeetsBox(imageFrame(*g), false, b);
    }
    if (const auto* g = geomIf<HatchGeom>(e)) {
        return anyPartMeets(hatchBoundary(*g), b, blocks);
    }
    if (const auto* g = geomIf<InsertGeom>(e)) {
        bool any = false, meets = false;
        forEachPlacedEntity(*g, blocks, [&](const Entity& part) {
            any = true;
            meets = meets || meetsBox(part, b, blocks);
        });
        return any ? meets : inside({g->p.x, g->p.y}, b);
    }
    if (const auto* g = geomIf<LeaderGeom>(e)) {
        return anyPartMeets(leaderParts(*g, blocks), b, blocks);
    }
    if (const auto* g = geomIf<DimensionGeom>(e)) {
        bool any = false, meets = false;
        forEachPlacedEntity(*g, blocks, [&](const Entity& part) {
            any = true;
            meets = meets || meetsBox(part, b, blocks);
        });
        if (any) {
            return meets;
        }
        for (const Point3& p : {g->defPoint, g->textMid, g->p13, g->p14}) {
            if (inside({p.x, p.y}, b)) {
                return true;
            }
        }
        return false;
    }
    return false;
}

}  // namespace brondel::engine
