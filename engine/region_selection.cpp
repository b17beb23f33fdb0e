#include "engine/region_selection.h"

#include <algorithm>
#include <cmath>

#include "engine/leader.h"
#include "engine/snap_geometry.h"
#include "engine/transform.h"

namespace brondel::engine {

namespace {

// An entity's line work: segments (a point is one of no length) and arcs.
// Rays and construction lines have no end and are told apart.
struct LineWork {
    std::vector<SnapPiece> pieces;
    std::vector<const InfiniteLineGeom*> infinite;
};

SnapPiece segment(Point2 a, Point2 b) {
    SnapPiece p;
    p.a = a;
    p.b = b;
    return p;
}

void closedOutline(const std::vector<Point2>& poly, LineWork& out) {
    for (std::size_t i = 0; i < poly.size(); ++i) {
        out.pieces.push_back(segment(poly[i], poly[(i + 1) % poly.size()]));
    }
}

void collect(const Entity& e, const BlockLookup& blocks, LineWork& out) {
    const auto flat = [](const Point3& p) { return Point2{p.x, p.y}; };
    if (const auto* point = geomIf<PointGeom>(e)) {
        out.pieces.push_back(segment(flat(point->p), flat(point->p)));
    } else if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        out.infinite.push_back(xline);
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        closedOutline(textOutline(*text), out);
    } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
        closedOutline(textOutline(*mtext), out);
    } else if (const auto* solid = geomIf<SolidGeom>(e)) {
        closedOutline(solidOutline(*solid), out);
    } else if (const auto* image = geomIf<ImageGeom>(e)) {
        closedOutline(imageFrame(*image), out);
    } else if (const auto* hatch = geomIf<HatchGeom>(e)) {
        for (const Entity& part : hatchBoundary(*hatch)) {
            collect(part, blocks, out);
        }
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        const std::size_t before = out.pieces.size() + out.infinite.size();
        forEachPlacedEntity(*insert, blocks,
                            [&](const Entity& part) { collect(part, blocks, out); });
        if (out.pieces.size() + out.infinite.size() == before) {
            out.pieces.push_back(segment(flat(insert->p), flat(insert->p)));
        }
    } else if (const auto* leader = geomIf<LeaderGeom>(e)) {
        for (const Entity& part : leaderParts(*leader, blocks)) {
            collect(part, blocks, out);
        }
    } else if (const auto* dim = geomIf<DimensionGeom>(e)) {
        const std::size_t before = out.pieces.size() + out.infinite.size();
        forEachPlacedEntity(*dim, blocks, [&](const Entity& part) { collect(part, blocks, out); });
        if (out.pieces.size() + out.infinite.size() == before) {
            for (const Point3& p : {dim->defPoint, dim->textMid}) {
                out.pieces.push_back(segment(flat(p), flat(p)));
            }
        }
    } else {
        const std::vector<SnapPiece> pieces = snapPieces(e);
        out.pieces.insert(out.pieces.end(), pieces.begin(), pieces.end());
    }
}

LineWork lineWork(const Entity& e, const BlockLookup& blocks) {
    LineWork w;
    collect(e, blocks, w);
    return w;
}

Point2 startOf(const SnapPiece& p) {
    if (!p.arc) {
        return p.a;
    }
    return {p.center.x + p.radius * std::cos(p.start), p.center.y + p.radius * std::sin(p.start)};
}

Point2 endOf(const SnapPiece& p) {
    if (!p.arc) {
        return p.b;
    }
    const double a = p.start + p.sweep;
    return {p.center.x + p.radius * std::cos(a), p.center.y + p.radius * std::sin(a)};
}

double cross(Point2 o, Point2 a, Point2 b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool within(Point2 p, Point2 a, Point2 b) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// Closed segments, collinear overlaps and touching ends included.
bool segmentsMeet(Point2 a, Point2 b, Point2 c, Point2 d) {
    const double d1 = cross(c, d, a), d2 = cross(c, d, b);
    const double d3 = cross(a, b, c), d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
        return true;
    }
    return (d1 == 0 && within(a, c, d)) || (d2 == 0 && within(b, c, d)) ||
           (d3 == 0 && within(c, a, b)) || (d4 == 0 && within(d, a, b));
}

bool pieceMeetsSegment(const SnapPiece& p, Point2 a, Point2 b) {
    if (!p.arc) {
        return segmentsMeet(p.a, p.b, a, b);
    }
    return !intersections(p, segment(a, b)).empty();
}

// Long enough to run past every point of the path either way.
SnapPiece asSegment(const InfiniteLineGeom& g, const std::vector<Point2>& path) {
    double reach = 1;
    for (const Point2& p : path) {
        reach = std::max(reach, std::hypot(p.x - g.base.x, p.y - g.base.y) + 1);
    }
    const Point2 far{g.base.x + reach * g.direction.x, g.base.y + reach * g.direction.y};
    const Point2 near =
        g.ray ? Point2{g.base.x, g.base.y}
              : Point2{g.base.x - reach * g.direction.x, g.base.y - reach * g.direction.y};
    return segment(near, far);
}

// Whether the line work meets an edge of the path (closed: also its last
// point to its first).
bool meetsPath(const LineWork& w, const std::vector<Point2>& path, bool closed) {
    std::vector<SnapPiece> pieces = w.pieces;
    for (const InfiniteLineGeom* g : w.infinite) {
        pieces.push_back(asSegment(*g, path));
    }
    const std::size_t n = path.size();
    const std::size_t edges = closed ? n : n - 1;
    for (const SnapPiece& p : pieces) {
        for (std::size_t i = 0; i < edges; ++i) {
            if (pieceMeetsSegment(p, path[i], path[(i + 1) % n])) {
                return true;
            }
        }
    }
    return false;
}

bool startsInside(const LineWork& w, const std::vector<Point2>& polygon) {
    return std::any_of(w.pieces.begin(), w.pieces.end(), [&](const SnapPiece& p) {
        const Point2 s = startOf(p);
        return insidePolygon(polygon, s.x, s.y);
    });
}

bool whollyInside(const LineWork& w, const std::vector<Point2>& polygon) {
    if (w.pieces.empty() || !w.infinite.empty()) {
        return false;
    }
    for (const SnapPiece& p : w.pieces) {
        const Point2 s = startOf(p), e = endOf(p);
        if (!insidePolygon(polygon, s.x, s.y) || !insidePolygon(polygon, e.x, e.y)) {
            return false;
        }
    }
    // Every end inside and no edge crossed: the line work stays inside.
    return !meetsPath(w, polygon, true);
}

// The farthest any point of the piece lies from c.
double farthest(const SnapPiece& p, Point2 c) {
    const Point2 s = startOf(p), e = endOf(p);
    double d = std::max(std::hypot(s.x - c.x, s.y - c.y), std::hypot(e.x - c.x, e.y - c.y));
    if (p.arc) {
        // On the arc's circle the farthest point lies away from c.
        const double away = std::atan2(p.center.y - c.y, p.center.x - c.x);
        const bool concentric = p.center == c;
        if (concentric || angleOnArc(away, p.start, p.sweep)) {
            d = std::max(d, std::hypot(p.center.x - c.x, p.center.y - c.y) + p.radius);
        }
    }
    return d;
}

Box2 boxOf(const std::vector<Point2>& points) {
    Box2 b;
    for (const Point2& p : points) {
        b.add(p.x, p.y);
    }
    return b;
}

template <class Test>
std::vector<Handle> filtered(const Drawing& d, const Box2& box, bool crossing, Test test) {
    std::vector<Handle> out;
    for (Handle h : d.inBox(box, crossing)) {
        if (test(lineWork(d.entity(h), d))) {
            out.push_back(h);
        }
    }
    return out;
}

}  // namespace

std::vector<Handle> inPolygon(const Drawing& d, const std::vector<Point2>& polygon, bool crossing) {
    if (polygon.size() < 3) {
        return {};
    }
    return filtered(d, boxOf(polygon), crossing, [&](const LineWork& w) {
        return crossing ? startsInside(w, polygon) || meetsPath(w, polygon, true)
                        : whollyInside(w, polygon);
    });
}

std::vector<Handle> onFence(const Drawing& d, const std::vector<Point2>& fence) {
    if (fence.size() < 2) {
        return {};
    }
    return filtered(d, boxOf(fence), true,
                    [&](const LineWork& w) { return meetsPath(w, fence, false); });
}

std::vector<Handle> inCircle(const Drawing& d, Point2 center, double radius) {
    if (!(radius >= 0) || !std::isfinite(radius)) {
        return {};
    }
    const Box2 box{center.x - radius, center.y - radius, center.x + radius, center.y + radius};
    return filtered(d, box, false, [&](const LineWork& w) {
        return !w.pieces.empty() && w.infinite.empty() &&
               std::all_of(w.pieces.begin(), w.pieces.end(),
                           [&](const SnapPiece& p) { return farthest(p, center) <= radius; });
    });
}

}  // namespace brondel::engine
