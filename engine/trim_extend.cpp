#include "engine/trim_extend.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/curve_path.h"
#include "engine/intersect.h"
#include "engine/spline_split.h"

namespace brondel::engine {

namespace {

// Crossings closer than this (in pieces) to an open path's ends cut
// nothing away.
constexpr double kEndSlack = 1e-9;

double wrapAngle(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

Box2 grown(Box2 box, double by) {
    box.minX -= by;
    box.minY -= by;
    box.maxX += by;
    box.maxY += by;
    return box;
}

std::vector<double> cutsOf(const CurvePath& path, const EdgesIn& edges) {
    const Box2 box = path.box();
    std::vector<double> cuts;
    edges(grown(box, 1e-9 * std::max(box.width(), box.height())), [&](const Entity& edge) {
        if (const auto other = curvePath(edge)) {
            for (double s : crossings(path, *other)) {
                cuts.push_back(s);
            }
        }
    });
    std::sort(cuts.begin(), cuts.end());
    return cuts;
}

struct Reach {
    double distance = std::numeric_limits<double>::infinity();
    Point2 point;
};

// The nearest edge along the straight end piece, searched in boxes that
// grow four times each round until they pass the drawing.
Reach alongLine(const PathPiece& piece, bool atEnd, const EdgesIn& edges, const Box2& world) {
    const double len = std::hypot(piece.b.x - piece.a.x, piece.b.y - piece.a.y);
    const Point2 end = atEnd ? piece.b : piece.a;
    const double dx = (piece.b.x - piece.a.x) / len * (atEnd ? 1 : -1);
    const double dy = (piece.b.y - piece.a.y) / len * (atEnd ? 1 : -1);
    double limit = len;
    for (double x : {world.minX, world.maxX}) {
        for (double y : {world.minY, world.maxY}) {
            limit = std::max(limit, std::hypot(x - end.x, y - end.y) * 1.01);
        }
    }
    Reach best;
    for (double reach = len;; reach *= 4) {
        Box2 ray;
        ray.add(end.x, end.y);
        ray.add(end.x + dx * reach, end.y + dy * reach);
        edges(ray, [&](const Entity& edge) {
            const auto other = curvePath(edge);
            if (!other) {
                return;
            }
            for (Point2 p : meetBeyond(piece, *other)) {
                const double u = piece.paramOf(p);
                const double d = (atEnd ? u - 1 : -u) * len;
                if (d > kEndSlack * len && d <= reach * (1 + 1e-12) && d < best.distance) {
                    best = {d, p};
                }
            }
        });
        if (std::isfinite(best.distance) || reach >= limit) {
            return best;
        }
    }
}

// The nearest edge along the arc's own circle, as the angle to turn on.
Reach alongArc(const PathPiece& piece, bool atEnd, const EdgesIn& edges) {
    const double turn = piece.sweep < 0 ? -1 : 1;
    const double gap = kTwoPi - std::abs(piece.sweep);
    Box2 circle;
    circle.add(piece.center.x - piece.radius, piece.center.y - piece.radius);
    circle.add(piece.center.x + piece.radius, piece.center.y + piece.radius);
    Reach best;
    edges(circle, [&](const Entity& edge) {
        const auto other = curvePath(edge);
        if (!other) {
            return;
        }
        for (Point2 p : meetBeyond(piece, *other)) {
            const double theta = std::atan2(p.y - piece.center.y, p.x - piece.center.x);
            const double d = atEnd ? wrapAngle((theta - piece.start - piece.sweep) * turn)
                                   : wrapAngle((piece.start - theta) * turn);
            if (d > 1e-12 && d < gap - 1e-9 && d < best.distance) {
                best = {d, p};
            }
        }
    });
    return best;
}

// A spline is cut where its flattening crosses the edges; the parts are
// cut out of the spline itself, so they lie on the original curve.
std::variant<Trimmed, std::string> trimSpline(const Entity& e, const SplineGeom& g, Point2 press,
                                              const EdgesIn& edges) {
    auto curve = splineCurve(g);
    if (const auto* why = std::get_if<std::string>(&curve)) {
        return *why;
    }
    const SplineCurve& c = std::get<SplineCurve>(curve);
    const SplineSamples samples = sampleSpline(c);
    CurvePath path;
    for (std::size_t i = 0; i + 1 < samples.points.size(); ++i) {
        const Point3 &a = samples.points[i], &b = samples.points[i + 1];
        PathPiece piece;
        piece.a = {a.x, a.y};
        piece.b = {b.x, b.y};
        path.pieces.push_back(piece);
    }
    if (path.pieces.empty()) {
        return std::string("the spline has no length to cut");
    }
    const double n = path.length();
    const Point2 start = path.at(0), end = path.at(n);
    path.closed = g.closed && std::hypot(end.x - start.x, end.y - start.y) <=
                                  1e-12 * std::max(1.0, path.box().width() + path.box().height());
    const auto param = [&](double s) {
        const double i = std::clamp(std::floor(s), 0.0, n - 1);
        const auto k = std::size_t(i);
        return samples.params[k] + (s - i) * (samples.params[k + 1] - samples.params[k]);
    };
    // The part from s0 to s1, going on past the seam of a closed spline.
    const auto part = [&](double s0, double s1) {
        Entity out = e;
        out.geom = s1 <= n ? splinePart(c, param(s0), param(s1))
                           : splineJoined(splinePart(c, param(s0), c.last()),
                                          splinePart(c, c.first(), param(s1 - n)));
        return out;
    };
    const std::vector<double> cuts = cutsOf(path, edges);
    const double at = path.nearest(press);
    Trimmed out;
    if (path.closed) {
        std::vector<double> ring;
        std::copy_if(cuts.begin(), cuts.end(), std::back_inserter(ring),
                     [&](double s) { return s > kEndSlack && s < n - kEndSlack; });
        if (ring.size() < 2) {
            return std::string("a closed outline needs two crossings to cut between");
        }
        const auto above = std::upper_bound(ring.begin(), ring.end(), at);
        const double hi = above == ring.end() ? ring.front() + n : *above;
        const double lo = above == ring.begin() ? ring.back() - n : *(above - 1);
        const double shift = lo < 0 ? n : 0;
        const double from = hi >= n ? hi - n : hi;
        out.kept.push_back(part(from, from + (lo + n - hi)));
        out.removed = part(lo + shift, hi + shift);
        return out;
    }
    std::vector<double> inner;
    std::copy_if(cuts.begin(), cuts.end(), std::back_inserter(inner),
                 [&](double s) { return s > kEndSlack && s < n - kEndSlack; });
    const auto above = std::upper_bound(inner.begin(), inner.end(), at);
    const bool hasHi = above != inner.end(), hasLo = above != inner.begin();
    if (!hasHi && !hasLo) {
        return std::string("no cutting edge crosses it");
    }
    const double lo = hasLo ? *(above - 1) : 0, hi = hasHi ? *above : n;
    if (hasLo) {
        out.kept.push_back(part(0, lo));
    }
    if (hasHi) {
        out.kept.push_back(part(hi, n));
    }
    out.removed = part(lo, hi);
    return out;
}

}  // namespace

std::variant<Trimmed, std::string> trimAt(const Entity& e, Point2 press, const EdgesIn& edges) {
    const auto path = curvePath(e);
    if (!path) {
        return std::string("only lines, arcs, circles, ellipses and polylines can be trimmed");
    }
    if (const auto* g = geomIf<SplineGeom>(e)) {
        return trimSpline(e, *g, press, edges);
    }
    const std::vector<double> cuts = cutsOf(*path, edges);
    const double n = path->length();
    const double at = path->nearest(press);
    Trimmed out;
    if (path->closed) {
        if (cuts.size() < 2) {
            return std::string("a closed outline needs two crossings to cut between");
        }
        const auto above = std::upper_bound(cuts.begin(), cuts.end(), at);
        const double hi = above == cuts.end() ? cuts.front() + n : *above;
        const double lo = above == cuts.begin() ? cuts.back() - n : *(above - 1);
        const double shift = lo < 0 ? n : 0;
        const double from = hi >= n ? hi - n : hi;
        out.kept.push_back(*subEntity(e, *path, from, from + (lo + n - hi)));
        out.removed = *subEntity(e, *path, lo + shift, hi + shift);
        return out;
    }
    std::vector<double> inner;
    std::copy_if(cuts.begin(), cuts.end(), std::back_inserter(inner),
                 [&](double s) { return s > kEndSlack && s < n - kEndSlack; });
    const auto above = std::upper_bound(inner.begin(), inner.end(), at);
    const bool hasHi = above != inner.end(), hasLo = above != inner.begin();
    if (!hasHi && !hasLo) {
        return std::string("no cutting edge crosses it");
    }
    const double lo = hasLo ? *(above - 1) : 0, hi = hasHi ? *above : n;
    if (hasLo) {
        out.kept.push_back(*subEntity(e, *path, 0, lo));
    }
    if (hasHi) {
        out.kept.push_back(*subEntity(e, *path, hi, n));
    }
    out.removed = *subEntity(e, *path, lo, hi);
    return out;
}

std::variant<Extended, std::string> extendAt(const Entity& e, Point2 press, const EdgesIn& edges,
                                             const Box2& world) {
    const auto* poly = geomIf<PolylineGeom>(e);
    const auto path = curvePath(e);
    if (!path || !(geomIf<LineGeom>(e) || geomIf<ArcGeom>(e) || (poly && !path->closed))) {
        return std::string(geomIf<SplineGeom>(e)
                               ? "a spline cannot be extended: its shape past its "
                                 "ends is not defined"
                               : "only lines, arcs and open polylines can be "
                                 "extended");
    }
    const Point2 first = path->at(0), last = path->at(path->length());
    const bool atEnd = std::hypot(press.x - last.x, press.y - last.y) <=
                       std::hypot(press.x - first.x, press.y - first.y);
    const PathPiece& piece = atEnd ? path->pieces.back() : path->pieces.front();
    if (!piece.arc && piece.a == piece.b) {
        return std::string("its end has no direction");
    }
    const Reach reach =
        piece.arc ? alongArc(piece, atEnd, edges) : alongLine(piece, atEnd, edges, world);
    if (!std::isfinite(reach.distance)) {
        return std::string("Nothing to extend to");
    }
    Extended out{e, e};
    const Point2 from = atEnd ? piece.b : piece.a;
    const double turn = piece.sweep < 0 ? -1 : 1;
    const double sweep = piece.sweep + turn * reach.distance;
    const double start = atEnd ? piece.start : piece.start - turn * reach.distance;
    if (piece.arc) {
        out.added.geom = ArcGeom{{piece.center.x, piece.center.y, 0},
                                 piece.radius,
                                 atEnd ? piece.start + piece.sweep : start,
                                 turn * reach.distance};
    } else {
        out.added.geom = LineGeom{{from.x, from.y, 0}, {reach.point.x, reach.point.y, 0}};
    }
    const double endAngle = atEnd ? start + sweep : start;
    const Point2 to = piece.arc ? Point2{piece.center.x + piece.radius * std::cos(endAngle),
                                         piece.center.y + piece.radius * std::sin(endAngle)}
                                : reach.point;
    if (auto* line = geomIf<LineGeom>(out.result)) {
        (atEnd ? line->p2 : line->p1) = {to.x, to.y, (atEnd ? line->p2 : line->p1).z};
    } else if (auto* arc = geomIf<ArcGeom>(out.result)) {
        arc->startAngle = wrapAngle(start);
        arc->angle = sweep;
    } else if (auto* outPoly = geomIf<PolylineGeom>(out.result)) {
        std::vector<Vertex>& v = outPoly->vertices;
        Vertex& moved = atEnd ? v.back() : v.front();
        moved.x = to.x;
        moved.y = to.y;
        if (piece.arc) {
            (atEnd ? v[v.size() - 2] : v.front()).bulge = std::tan(sweep / 4);
        }
    }
    return out;
}

}  // namespace brondel::engine
