#include "engine/object_snap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/shape.h"
#include "engine/snap_geometry.h"
#include "engine/tessellate.h"

namespace brondel::engine {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Candidate {
    SnapHit hit;
    double distance = kInf;
};

Point2 flat(const Point3& p) {
    return {p.x, p.y};
}

Point2 onArc(double cx, double cy, double r, double angle) {
    return {cx + r * std::cos(angle), cy + r * std::sin(angle)};
}

Point2 nearestOnSegment(Point2 p, Point2 a, Point2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double t =
        len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    return {a.x + t * dx, a.y + t * dy};
}

Point2 nearestOnArc(Point2 p, double cx, double cy, double r, double start, double sweep) {
    const double d = std::hypot(p.x - cx, p.y - cy);
    const Point2 onCircle =
        d > 0 ? Point2{cx + (p.x - cx) * r / d, cy + (p.y - cy) * r / d} : onArc(cx, cy, r, start);
    if (distanceToArc(onCircle.x, onCircle.y, cx, cy, r, start, sweep) <= 1e-9 * (1 + r)) {
        return onCircle;
    }
    const Point2 a = onArc(cx, cy, r, start), b = onArc(cx, cy, r, start + sweep);
    return std::hypot(p.x - a.x, p.y - a.y) <= std::hypot(p.x - b.x, p.y - b.y) ? a : b;
}

Point2 nearestOnChain(Point2 p, const std::vector<Point3>& pts) {
    Point2 best = pts.empty() ? p : flat(pts.front());
    double bestDistance = kInf;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const Point2 q = nearestOnSegment(p, flat(pts[i]), flat(pts[i + 1]));
        const double d = std::hypot(p.x - q.x, p.y - q.y);
        if (d < bestDistance) {
            bestDistance = d;
            best = q;
        }
    }
    return best;
}

// Collects the candidates one entity offers for the cursor at p.
class Collector {
  public:
    Collector(Point2 p, int modes) : p_(p), modes_(modes) {}

    // Nodes, endpoints and midpoints share one slot; nearest points another.
    void offer(SnapKind kind, int bit, Point2 q, Handle h) {
        if (!(modes_ & bit)) {
            return;
        }
        const double d = std::hypot(p_.x - q.x, p_.y - q.y);
        Candidate& slot = kind == SnapKind::Nearest ? nearest_ : point_;
        if (d < slot.distance) {
            slot = {{q, kind, h}, d};
        }
    }
    // Centres compete by how close the cursor is to their curve.
    void offerCenter(Point2 c, double curveDistance, Handle h) {
        if ((modes_ & snap::kCenter) && curveDistance < centerCurve_) {
            centerCurve_ = curveDistance;
            center_ = {{c, SnapKind::Center, h}, 0};
        }
    }

    // Intersections, grips, perpendicular feet and tangent points.
    void pieces(const Entity& e, const std::optional<Point2>& from) {
        const Handle h = e.handle;
        if (modes_ & snap::kGrip) {
            for (const Point2& q : gripPoints(e)) {
                offer(SnapKind::Grip, snap::kGrip, q, h);
            }
        }
        if (!(modes_ & (snap::kIntersection | snap::kPerpendicular | snap::kTangent))) {
            return;
        }
        for (const SnapPiece& piece : snapPieces(e)) {
            if (from) {
                if (const auto foot = perpendicularFoot(piece, *from)) {
                    offer(SnapKind::Perpendicular, snap::kPerpendicular, *foot, h);
                }
                for (const Point2& t : tangentPoints(piece, *from)) {
                    offer(SnapKind::Tangent, snap::kTangent, t, h);
                }
            }
            if ((modes_ & snap::kIntersection) && seen_.size() < kMaxPieces) {
                for (const auto& [other, owner] : seen_) {
                    if (owner == h) {
                        continue;
                    }
                    for (const Point2& x : intersections(piece, other)) {
                        offer(SnapKind::Intersection, snap::kIntersection, x, h);
                    }
                }
                seen_.push_back({piece, h});
            }
        }
    }

    void entity(const Entity& e) {
        const Handle h = e.handle;
        if (const auto* point = geomIf<PointGeom>(e)) {
            offer(SnapKind::Node, snap::kNode, flat(point->p), h);
            offer(SnapKind::Nearest, snap::kNearest, flat(point->p), h);
        } else if (const auto* line = geomIf<LineGeom>(e)) {
            const Point2 a = flat(line->p1), b = flat(line->p2);
            endAndMid(a, b, {(a.x + b.x) / 2, (a.y + b.y) / 2}, h);
            offer(SnapKind::Nearest, snap::kNearest, nearestOnSegment(p_, a, b), h);
        } else if (const auto* circle = geomIf<CircleGeom>(e)) {
            const Point2 c = flat(circle->center);
            arcLike(c, circle->radius, 0, kTwoPi, h, false);
        } else if (const auto* arc = geomIf<ArcGeom>(e)) {
            arcLike(flat(arc->center), arc->radius, arc->startAngle, arc->angle, h, true);
        } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
            const std::vector<Point3> pts = tessellateEllipse(*ellipse, 0);
            double start = 0, end = 0;
            ellipseRange(*ellipse, start, end);
            if (end - start < kTwoPi && !pts.empty()) {
                endAndMid(flat(pts.front()), flat(pts.back()),
                          flat(ellipsePoint(*ellipse, (start + end) / 2)), h);
            }
            const Point2 near = nearestOnChain(p_, pts);
            offerCenter(flat(ellipse->center), std::hypot(p_.x - near.x, p_.y - near.y), h);
            offer(SnapKind::Nearest, snap::kNearest, near, h);
        } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
            polyline(*poly, h);
        } else if (const auto* spline = geomIf<SplineGeom>(e)) {
            const std::vector<Point3> pts = tessellateSpline(*spline, 0);
            if (!pts.empty()) {
                offer(SnapKind::Endpoint, snap::kEndpoint, flat(pts.front()), h);
                offer(SnapKind::Endpoint, snap::kEndpoint, flat(pts.back()), h);
                offer(SnapKind::Nearest, snap::kNearest, nearestOnChain(p_, pts), h);
            }
        }
    }

    std::optional<SnapHit> best(double aperture) const {
        if (point_.distance <= aperture) {
            return point_.hit;
        }
        if (centerCurve_ <= aperture) {
            return center_.hit;
        }
        if (nearest_.distance <= aperture) {
            return nearest_.hit;
        }
        return std::nullopt;
    }

  private:
    void endAndMid(Point2 a, Point2 b, Point2 mid, Handle h) {
        offer(SnapKind::Endpoint, snap::kEndpoint, a, h);
        offer(SnapKind::Endpoint, snap::kEndpoint, b, h);
        offer(SnapKind::Midpoint, snap::kMidpoint, mid, h);
    }

    void arcLike(Point2 c, double r, double start, double sweep, Handle h, bool hasEnds) {
        if (hasEnds) {
            endAndMid(onArc(c.x, c.y, r, start), onArc(c.x, c.y, r, start + sweep),
                      onArc(c.x, c.y, r, start + sweep / 2), h);
        }
        const Point2 near = nearestOnArc(p_, c.x, c.y, r, start, sweep);
        offerCenter(c, std::hypot(p_.x - near.x, p_.y - near.y), h);
        offer(SnapKind::Nearest, snap::kNearest, near, h);
    }

    void polyline(const PolylineGeom& g, Handle h) {
        const std::size_t n = g.vertices.size();
        for (const Vertex& v : g.vertices) {
            offer(SnapKind::Endpoint, snap::kEndpoint, {v.x, v.y}, h);
        }
        const std::size_t segments = g.closed ? n : (n > 0 ? n - 1 : 0);
        for (std::size_t i = 0; i < segments; ++i) {
            const Vertex &a = g.vertices[i], &b = g.vertices[(i + 1) % n];
            if (a.bulge != 0 && !(a.x == b.x && a.y == b.y)) {
                const BulgeArc arc = bulgeArc(a, b);
                offer(SnapKind::Midpoint, snap::kMidpoint,
                      onArc(arc.cx, arc.cy, arc.r, arc.start + arc.sweep / 2), h);
                const Point2 near = nearestOnArc(p_, arc.cx, arc.cy, arc.r, arc.start, arc.sweep);
                offerCenter({arc.cx, arc.cy}, std::hypot(p_.x - near.x, p_.y - near.y), h);
                offer(SnapKind::Nearest, snap::kNearest, near, h);
            } else {
                offer(SnapKind::Midpoint, snap::kMidpoint, {(a.x + b.x) / 2, (a.y + b.y) / 2}, h);
                offer(SnapKind::Nearest, snap::kNearest,
                      nearestOnSegment(p_, {a.x, a.y}, {b.x, b.y}), h);
            }
        }
    }

    // Pieces met so far, for intersections; past this many the rest are not
    // paired, so a dense spot costs no more than a bounded time.
    static constexpr std::size_t kMaxPieces = 2000;
    std::vector<std::pair<SnapPiece, Handle>> seen_;
    Point2 p_;
    int modes_;
    Candidate point_, center_, nearest_;
    double centerCurve_ = kInf;
};

}  // namespace

const char* snapKindName(SnapKind kind) {
    switch (kind) {
        case SnapKind::Node:
            return "Node";
        case SnapKind::Endpoint:
            return "Endpoint";
        case SnapKind::Midpoint:
            return "Midpoint";
        case SnapKind::Center:
            return "Center";
        case SnapKind::Nearest:
            return "Nearest";
        case SnapKind::Intersection:
            return "Intersection";
        case SnapKind::Perpendicular:
            return "Perpendicular";
        case SnapKind::Tangent:
            return "Tangent";
        case SnapKind::Grip:
            return "Grip";
    }
    return "";
}

std::optional<SnapHit> findSnap(const Drawing& drawing, Point2 at, double aperture, int modes,
                                std::optional<Point2> from) {
    if (modes == 0 || !(aperture >= 0)) {
        return std::nullopt;
    }
    Collector collector(at, modes);
    for (Handle h : drawing.within(at.x, at.y, aperture)) {
        const Entity& e = drawing.entity(h);
        collector.entity(e);
        collector.pieces(e, from);
    }
    return collector.best(aperture);
}

}  // namespace brondel::engine
