#include "engine/snap_geometry.h"

#include <cmath>

#include "engine/entity_outline.h"
#include "engine/shape.h"
#include "engine/tessellate.h"

namespace brondel::engine {

namespace {

constexpr double kOnPiece = 1e-9;

SnapPiece segment(Point2 a, Point2 b) {
    SnapPiece p;
    p.a = a;
    p.b = b;
    return p;
}

SnapPiece arc(Point2 c, double r, double start, double sweep) {
    SnapPiece p;
    p.arc = true;
    p.center = c;
    p.radius = r;
    p.start = start;
    p.sweep = sweep;
    return p;
}

void chain(const std::vector<Point2>& pts, std::vector<SnapPiece>& out) {
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        out.push_back(segment(pts[i], pts[i + 1]));
    }
}

bool onPiece(const SnapPiece& p, Point2 q) {
    if (p.arc) {
        return distanceToArc(q.x, q.y, p.center.x, p.center.y, p.radius, p.start, p.sweep) <=
               kOnPiece * (1 + p.radius);
    }
    const double len = std::hypot(p.b.x - p.a.x, p.b.y - p.a.y);
    return distanceToSegment(q.x, q.y, p.a.x, p.a.y, p.b.x, p.b.y) <= kOnPiece * (1 + len);
}

// Where the line through a and b meets the circle.
std::vector<Point2> lineCircle(Point2 a, Point2 b, Point2 c, double r) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double fx = a.x - c.x, fy = a.y - c.y;
    const double A = dx * dx + dy * dy, B = 2 * (fx * dx + fy * dy), C = fx * fx + fy * fy - r * r;
    const double disc = B * B - 4 * A * C;
    if (A == 0 || disc < 0) {
        return {};
    }
    const double s = std::sqrt(disc);
    std::vector<Point2> out;
    for (double t : {(-B - s) / (2 * A), (-B + s) / (2 * A)}) {
        out.push_back({a.x + t * dx, a.y + t * dy});
    }
    return out;
}

std::vector<Point2> circleCircle(Point2 c1, double r1, Point2 c2, double r2) {
    const double d = std::hypot(c2.x - c1.x, c2.y - c1.y);
    if (d == 0 || d > r1 + r2 || d < std::abs(r1 - r2)) {
        return {};
    }
    const double a = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
    const double h = std::sqrt(std::max(0.0, r1 * r1 - a * a));
    const double ux = (c2.x - c1.x) / d, uy = (c2.y - c1.y) / d;
    const Point2 m{c1.x + a * ux, c1.y + a * uy};
    return {{m.x - h * uy, m.y + h * ux}, {m.x + h * uy, m.y - h * ux}};
}

}  // namespace

std::vector<SnapPiece> snapPieces(const Entity& e) {
    std::vector<SnapPiece> out;
    if (const auto* line = geomIf<LineGeom>(e)) {
        out.push_back(segment({line->p1.x, line->p1.y}, {line->p2.x, line->p2.y}));
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        out.push_back(arc({circle->center.x, circle->center.y}, circle->radius, 0, kTwoPi));
    } else if (const auto* arcGeom = geomIf<ArcGeom>(e)) {
        out.push_back(arc({arcGeom->center.x, arcGeom->center.y}, arcGeom->radius,
                          arcGeom->startAngle, arcGeom->angle));
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        const std::size_t n = poly->vertices.size();
        const std::size_t count = poly->closed ? n : (n > 0 ? n - 1 : 0);
        for (std::size_t i = 0; i < count; ++i) {
            const Vertex &a = poly->vertices[i], &b = poly->vertices[(i + 1) % n];
            if (a.bulge != 0 && !(a.x == b.x && a.y == b.y)) {
                const BulgeArc ba = bulgeArc(a, b);
                out.push_back(arc({ba.cx, ba.cy}, ba.r, ba.start, ba.sweep));
            } else {
                out.push_back(segment({a.x, a.y}, {b.x, b.y}));
            }
        }
    } else if (geomIf<EllipseGeom>(e) || geomIf<SplineGeom>(e)) {
        chain(curveOutline(e, 0), out);
    }
    return out;
}

std::vector<Point2> gripPoints(const Entity& e) {
    const auto flat = [](const Point3& p) { return Point2{p.x, p.y}; };
    std::vector<Point2> out;
    if (const auto* point = geomIf<PointGeom>(e)) {
        out.push_back(flat(point->p));
    } else if (const auto* line = geomIf<LineGeom>(e)) {
        out = {flat(line->p1),
               flat(line->p2),
               {(line->p1.x + line->p2.x) / 2, (line->p1.y + line->p2.y) / 2}};
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        out.push_back(flat(circle->center));
        for (int q = 0; q < 4; ++q) {
            out.push_back({circle->center.x + circle->radius * std::cos(q * kPi / 2),
                           circle->center.y + circle->radius * std::sin(q * kPi / 2)});
        }
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        out.push_back(flat(arc->center));
        for (double a :
             {arc->startAngle, arc->startAngle + arc->angle / 2, arc->startAngle + arc->angle}) {
            out.push_back({arc->center.x + arc->radius * std::cos(a),
                           arc->center.y + arc->radius * std::sin(a)});
        }
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        for (const Vertex& v : poly->vertices) {
            out.push_back({v.x, v.y});
        }
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        const Point2 c = flat(ellipse->center), m = flat(ellipse->majorAxis);
        out = {c,
               {c.x + m.x, c.y + m.y},
               {c.x - m.x, c.y - m.y},
               {c.x - m.y * ellipse->ratio, c.y + m.x * ellipse->ratio},
               {c.x + m.y * ellipse->ratio, c.y - m.x * ellipse->ratio}};
    } else if (const auto* spline = geomIf<SplineGeom>(e)) {
        for (const Point3& p :
             spline->fitPoints.empty() ? spline->controlPoints : spline->fitPoints) {
            out.push_back(flat(p));
        }
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        out.push_back(flat(text->p));
    } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
        out.push_back(flat(mtext->p));
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        out.push_back(flat(insert->p));
    } else if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        out.push_back(flat(xline->base));
    }
    return out;
}

std::vector<Point2> intersections(const SnapPiece& p, const SnapPiece& q) {
    std::vector<Point2> found;
    if (!p.arc && !q.arc) {
        const double rx = p.b.x - p.a.x, ry = p.b.y - p.a.y;
        const double sx = q.b.x - q.a.x, sy = q.b.y - q.a.y;
        const double d = rx * sy - ry * sx;
        if (d == 0) {
            return {};
        }
        const double t = ((q.a.x - p.a.x) * sy - (q.a.y - p.a.y) * sx) / d;
        found.push_back({p.a.x + t * rx, p.a.y + t * ry});
    } else if (p.arc && q.arc) {
        found = circleCircle(p.center, p.radius, q.center, q.radius);
    } else {
        const SnapPiece& line = p.arc ? q : p;
        const SnapPiece& curve = p.arc ? p : q;
        found = lineCircle(line.a, line.b, curve.center, curve.radius);
    }
    std::vector<Point2> out;
    for (const Point2& f : found) {
        if (onPiece(p, f) && onPiece(q, f)) {
            out.push_back(f);
        }
    }
    return out;
}

std::optional<Point2> perpendicularFoot(const SnapPiece& p, Point2 from) {
    Point2 foot;
    if (p.arc) {
        const double d = std::hypot(from.x - p.center.x, from.y - p.center.y);
        if (d == 0) {
            return std::nullopt;
        }
        foot = {p.center.x + (from.x - p.center.x) * p.radius / d,
                p.center.y + (from.y - p.center.y) * p.radius / d};
    } else {
        const double dx = p.b.x - p.a.x, dy = p.b.y - p.a.y;
        const double len2 = dx * dx + dy * dy;
        if (len2 == 0) {
            return std::nullopt;
        }
        const double t = ((from.x - p.a.x) * dx + (from.y - p.a.y) * dy) / len2;
        foot = {p.a.x + t * dx, p.a.y + t * dy};
    }
    return onPiece(p, foot) ? std::optional(foot) : std::nullopt;
}

std::vector<Point2> tangentPoints(const SnapPiece& p, Point2 from) {
    if (!p.arc) {
        return {};
    }
    const double d = std::hypot(from.x - p.center.x, from.y - p.center.y);
    if (d <= p.radius) {
        return {};
    }
    // The touching points lie on the circle over the line from the centre to `from`.
    std::vector<Point2> out;
    for (const Point2& t : circleCircle(
             p.center, p.radius, {(p.center.x + from.x) / 2, (p.center.y + from.y) / 2}, d / 2)) {
        if (onPiece(p, t)) {
            out.push_back(t);
        }
    }
    return out;
}

}  // namespace brondel::engine
