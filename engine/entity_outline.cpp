#include "engine/entity_outline.h"

#include <algorithm>
#include <variant>

#include "engine/leader.h"
#include "engine/tessellate.h"
#include "engine/transform.h"

namespace brondel::engine {

namespace {

std::vector<Point2> flat(const std::vector<Point3>& points) {
    std::vector<Point2> out;
    out.reserve(points.size());
    for (const Point3& p : points) {
        out.push_back({p.x, p.y});
    }
    return out;
}

// Appends a piece of a hatch loop, turned so it starts where the loop so far ends.
void appendPiece(std::vector<Point2>& loop, std::vector<Point3> piece) {
    if (piece.empty()) {
        return;
    }
    if (!loop.empty()) {
        const Point2 end = loop.back();
        if (planarDistance(end.x, end.y, piece.back().x, piece.back().y) <
            planarDistance(end.x, end.y, piece.front().x, piece.front().y)) {
            std::reverse(piece.begin(), piece.end());
        }
    }
    for (const Point3& p : piece) {
        loop.push_back({p.x, p.y});
    }
}

// Points become a loop by repeating the first at the end.
OutlineChain loop(std::vector<Point2> points) {
    if (points.size() > 1 && !(points.back() == points.front())) {
        points.push_back(points.front());
    }
    return {std::move(points), true};
}

}  // namespace

std::vector<Point2> polylineOutline(const std::vector<Vertex>& vertices, bool closed,
                                    double tolerance) {
    std::vector<Point2> out;
    const std::size_t n = vertices.size();
    if (n == 0) {
        return out;
    }
    const std::size_t segments = closed ? n : n - 1;
    out.push_back({vertices[0].x, vertices[0].y});
    for (std::size_t i = 0; i < segments; ++i) {
        const Vertex& a = vertices[i];
        const Vertex& b = vertices[(i + 1) % n];
        if (a.bulge != 0 && (a.x != b.x || a.y != b.y)) {
            const BulgeArc arc = bulgeArc(a, b);
            const std::vector<Point3> pts =
                tessellateArc({arc.cx, arc.cy, 0}, arc.r, arc.start, arc.sweep, tolerance);
            // The arc's own ends are the vertices: b is taken as stored.
            for (std::size_t k = 1; k + 1 < pts.size(); ++k) {
                out.push_back({pts[k].x, pts[k].y});
            }
        }
        out.push_back({b.x, b.y});
    }
    return out;
}

std::vector<Point2> hatchLoopOutline(const HatchLoop& hatchLoop, double tolerance) {
    if (hatchLoop.isPolyline) {
        return polylineOutline(hatchLoop.vertices, hatchLoop.closed, tolerance);
    }
    std::vector<Point2> out;
    for (const HatchEdge& edge : hatchLoop.edges) {
        if (const auto* l = std::get_if<HatchLineEdge>(&edge)) {
            appendPiece(out, {{l->p1.x, l->p1.y, 0}, {l->p2.x, l->p2.y, 0}});
        } else if (const auto* a = std::get_if<HatchArcEdge>(&edge)) {
            appendPiece(out, tessellateArc({a->center.x, a->center.y, 0}, a->radius, a->startAngle,
                                           a->angle, tolerance));
        } else if (const auto* e = std::get_if<HatchEllipseEdge>(&edge)) {
            EllipseGeom g;
            g.center = {e->center.x, e->center.y, 0};
            g.majorAxis = {e->majorAxis.x, e->majorAxis.y, 0};
            g.ratio = e->ratio;
            g.startParam = e->ccw ? e->startParam : -e->endParam;
            g.endParam = e->ccw ? e->endParam : -e->startParam;
            appendPiece(out, tessellateEllipse(g, tolerance));
        } else if (const auto* s = std::get_if<HatchSplineEdge>(&edge)) {
            SplineGeom g;
            g.degree = s->degree;
            g.rational = s->rational;
            g.periodic = s->periodic;
            g.knots = s->knots;
            g.weights = s->weights;
            for (const Point2& c : s->controlPoints) {
                g.controlPoints.push_back({c.x, c.y, 0});
            }
            appendPiece(out, tessellateSpline(g, tolerance));
        }
    }
    return out;
}

std::vector<Point2> curveOutline(const Entity& e, double tolerance) {
    if (const auto* g = geomIf<LineGeom>(e)) {
        return {{g->p1.x, g->p1.y}, {g->p2.x, g->p2.y}};
    }
    if (const auto* g = geomIf<CircleGeom>(e)) {
        return flat(tessellateArc(g->center, g->radius, 0, kTwoPi, tolerance));
    }
    if (const auto* g = geomIf<ArcGeom>(e)) {
        return flat(tessellateArc(g->center, g->radius, g->startAngle, g->angle, tolerance));
    }
    if (const auto* g = geomIf<EllipseGeom>(e)) {
        return flat(tessellateEllipse(*g, tolerance));
    }
    if (const auto* g = geomIf<SplineGeom>(e)) {
        return flat(tessellateSpline(*g, tolerance));
    }
    if (const auto* g = geomIf<PolylineGeom>(e)) {
        return polylineOutline(g->vertices, g->closed, tolerance);
    }
    return {};
}

void appendOutline(const Entity& e, const BlockLookup& blocks, double tolerance,
                   std::vector<OutlineChain>& out) {
    const auto parts = [&](const Entity& part) { appendOutline(part, blocks, tolerance, out); };
    if (const auto* g = geomIf<PointGeom>(e)) {
        out.push_back({{{g->p.x, g->p.y}}, false});
        return;
    }
    if (const auto* g = geomIf<EllipseGeom>(e)) {
        double start, end;
        ellipseRange(*g, start, end);
        out.push_back({curveOutline(e, tolerance), end - start >= kTwoPi});
        return;
    }
    if (const auto* g = geomIf<PolylineGeom>(e)) {
        out.push_back({curveOutline(e, tolerance), g->closed});
        return;
    }
    if (geomIf<CircleGeom>(e)) {
        out.push_back({curveOutline(e, tolerance), true});
        return;
    }
    if (geomIf<LineGeom>(e) || geomIf<ArcGeom>(e) || geomIf<SplineGeom>(e)) {
        out.push_back({curveOutline(e, tolerance), false});
        return;
    }
    if (const auto* g = geomIf<TextGeom>(e)) {
        out.push_back(loop(textOutline(*g)));
        return;
    }
    if (const auto* g = geomIf<MTextGeom>(e)) {
        out.push_back(loop(textOutline(*g)));
        return;
    }
    if (const auto* g = geomIf<SolidGeom>(e)) {
        out.push_back(loop(solidOutline(*g)));
        return;
    }
    if (const auto* g = geomIf<ImageGeom>(e)) {
        out.push_back(loop(imageFrame(*g)));
        return;
    }
    if (const auto* g = geomIf<HatchGeom>(e)) {
        for (const HatchLoop& l : g->loops) {
            out.push_back(loop(hatchLoopOutline(l, tolerance)));
        }
        return;
    }
    if (const auto* g = geomIf<InsertGeom>(e)) {
        forEachPlacedEntity(*g, blocks, parts);
        return;
    }
    if (const auto* g = geomIf<DimensionGeom>(e)) {
        forEachPlacedEntity(*g, blocks, parts);
        return;
    }
    if (const auto* g = geomIf<LeaderGeom>(e)) {
        for (const Entity& part : leaderParts(*g, blocks)) {
            parts(part);
        }
    }
}

std::vector<OutlineChain> entityOutline(const Entity& e, const BlockLookup& blocks,
                                        double tolerance) {
    std::vector<OutlineChain> out;
    appendOutline(e, blocks, tolerance, out);
    return out;
}

}  // namespace brondel::engine
