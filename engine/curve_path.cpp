#include "engine/curve_path.h"

#include <cmath>
#include <limits>

#include "engine/tessellate.h"

namespace brondel::engine {

namespace {

double wrapAngle(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

PathPiece segment(Point2 a, Point2 b) {
    PathPiece p;
    p.a = a;
    p.b = b;
    return p;
}

PathPiece arcPiece(Point2 c, double r, double start, double sweep) {
    PathPiece p;
    p.arc = true;
    p.center = c;
    p.radius = r;
    p.start = start;
    p.sweep = sweep;
    p.a = p.at(0);
    p.b = p.at(1);
    return p;
}

PathPiece polylinePiece(const Vertex& v, const Vertex& w) {
    if (v.bulge == 0 || (v.x == w.x && v.y == w.y)) {
        return segment({v.x, v.y}, {w.x, w.y});
    }
    const BulgeArc arc = bulgeArc(v, w);
    PathPiece p = arcPiece({arc.cx, arc.cy}, arc.r, arc.start, arc.sweep);
    p.a = {v.x, v.y};  // the stored ends, not their round trip through the centre
    p.b = {w.x, w.y};
    return p;
}

void addPoints(CurvePath& path, const std::vector<Point3>& pts) {
    for (std::size_t i = 1; i < pts.size(); ++i) {
        path.pieces.push_back(segment({pts[i - 1].x, pts[i - 1].y}, {pts[i].x, pts[i].y}));
    }
}

// The piece from u0 to u1 of piece p, as a polyline vertex.
Vertex vertexOf(const PathPiece& p, double u0, double u1) {
    const Point2 a = u0 == 0 ? p.a : p.at(u0);
    Vertex v{a.x, a.y, 0, 0};
    if (p.arc) {
        v.bulge = std::tan((u1 - u0) * p.sweep / 4);
    }
    return v;
}

}  // namespace

Point2 PathPiece::at(double u) const {
    if (arc) {
        const double t = start + u * sweep;
        return {center.x + radius * std::cos(t), center.y + radius * std::sin(t)};
    }
    return {a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u};
}

double PathPiece::paramOf(Point2 p) const {
    if (arc) {
        const double turn = sweep < 0 ? -1 : 1;
        const double d = wrapAngle((std::atan2(p.y - center.y, p.x - center.x) - start) * turn);
        const double span = std::abs(sweep);
        return d > kPi + span / 2 ? (d - kTwoPi) / span : d / span;
    }
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    return len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
}

Box2 PathPiece::box() const {
    Box2 box;
    box.add(a.x, a.y);
    box.add(b.x, b.y);
    if (arc) {
        // Each quadrant point the sweep passes.
        for (int k = 0; k < 4; ++k) {
            const double q = k * kPi / 2;
            const double turn = sweep < 0 ? -1 : 1;
            if (wrapAngle((q - start) * turn) <= std::abs(sweep)) {
                box.add(center.x + radius * std::cos(q), center.y + radius * std::sin(q));
            }
        }
    }
    return box;
}

Point2 CurvePath::at(double s) const {
    if (pieces.empty()) {
        return {};
    }
    if (ellipse) {
        const Point3 p = ellipsePoint(*ellipse, t0 + s * dt);
        return {p.x, p.y};
    }
    const double n = length();
    if (closed) {
        s = std::fmod(s, n);
        s = s < 0 ? s + n : s;
    }
    const double i = std::clamp(std::floor(s), 0.0, n - 1);
    const PathPiece& p = pieces[std::size_t(i)];
    const double u = s - i;
    return u == 0 ? p.a : u == 1 ? p.b : p.at(u);
}

double CurvePath::nearest(Point2 p, double* distance) const {
    double best = std::numeric_limits<double>::infinity(), bestS = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const double u = std::clamp(pieces[i].paramOf(p), 0.0, 1.0);
        const Point2 q = pieces[i].at(u);
        const double d = std::hypot(q.x - p.x, q.y - p.y);
        if (d < best) {
            best = d;
            bestS = double(i) + u;
        }
    }
    if (distance) {
        *distance = best;
    }
    return bestS;
}

Box2 CurvePath::box() const {
    Box2 box;
    for (const PathPiece& p : pieces) {
        box.add(p.box());
    }
    return box;
}

std::optional<CurvePath> curvePath(const Entity& e) {
    CurvePath path;
    if (const auto* line = geomIf<LineGeom>(e)) {
        path.pieces.push_back(segment({line->p1.x, line->p1.y}, {line->p2.x, line->p2.y}));
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        path.pieces.push_back(
            arcPiece({arc->center.x, arc->center.y}, arc->radius, arc->startAngle, arc->angle));
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        path.pieces.push_back(
            arcPiece({circle->center.x, circle->center.y}, circle->radius, 0, kTwoPi));
        path.closed = true;
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        const std::vector<Point3> pts = tessellateEllipse(*ellipse, 0);
        double t1 = 0;
        ellipseRange(*ellipse, path.t0, t1);
        addPoints(path, pts);
        path.dt = (t1 - path.t0) / double(path.pieces.size());
        path.closed = t1 - path.t0 >= kTwoPi;
        path.ellipse = *ellipse;
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        const std::vector<Vertex>& v = poly->vertices;
        for (std::size_t i = 0; i + 1 < v.size(); ++i) {
            path.pieces.push_back(polylinePiece(v[i], v[i + 1]));
        }
        if (poly->closed && v.size() > 2) {
            path.pieces.push_back(polylinePiece(v.back(), v.front()));
            path.closed = true;
        }
    } else if (const auto* spline = geomIf<SplineGeom>(e)) {
        addPoints(path, tessellateSpline(*spline, 0));
        path.flattened = true;
    } else {
        return std::nullopt;
    }
    if (path.pieces.empty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<Entity> subEntity(const Entity& e, const CurvePath& path, double s0, double s1) {
    Entity out = e;
    const Point2 a = path.at(s0), b = path.at(s1);
    if (auto* line = geomIf<LineGeom>(out)) {
        line->p1 = {a.x, a.y, line->p1.z};
        line->p2 = {b.x, b.y, line->p2.z};
    } else if (auto* arc = geomIf<ArcGeom>(out)) {
        arc->startAngle = wrapAngle(arc->startAngle + s0 * arc->angle);
        arc->angle *= s1 - s0;
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        out.geom =
            ArcGeom{circle->center, circle->radius, wrapAngle(s0 * kTwoPi), (s1 - s0) * kTwoPi};
    } else if (auto* ellipse = geomIf<EllipseGeom>(out)) {
        ellipse->startParam = wrapAngle(path.t0 + s0 * path.dt);
        ellipse->endParam = ellipse->startParam + (s1 - s0) * path.dt;
        if (ellipse->endParam > kTwoPi) {
            ellipse->endParam -= kTwoPi;
        }
    } else if (auto* poly = geomIf<PolylineGeom>(out)) {
        const auto n = double(path.pieces.size());
        std::vector<Vertex> vs;
        const double z = poly->vertices.front().z;
        for (double s = s0; s < s1 - 1e-12;) {
            const double i = std::floor(s + 1e-12);
            const double next = std::min(i + 1, s1);
            const double k = std::fmod(i, n);
            const PathPiece& p = path.pieces[std::size_t(k)];
            vs.push_back(vertexOf(p, s - i, next - i));
            vs.back().z = z;
            s = next;
        }
        vs.push_back(Vertex{b.x, b.y, z, 0});
        poly->vertices = std::move(vs);
        poly->closed = false;
    } else {
        return std::nullopt;
    }
    return out;
}

}  // namespace brondel::engine
