#include "engine/shape.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/io/dxf_text.h"
#include "engine/leader.h"
#include "engine/mtext_plain.h"
#include "engine/tables.h"
#include "engine/tessellate.h"
#include "engine/tolerances.h"
#include "engine/transform.h"

namespace brondel::engine {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

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

template <class F>
void forEachPolylineSegment(const PolylineGeom& g, F&& f) {
    const std::size_t n = g.vertices.size();
    const std::size_t segments = g.closed ? n : (n > 0 ? n - 1 : 0);
    for (std::size_t i = 0; i < segments; ++i) {
        f(g.vertices[i], g.vertices[(i + 1) % n]);
    }
}

bool bulged(const Vertex& a, const Vertex& b) {
    return a.bulge != 0 && !(a.x == b.x && a.y == b.y);
}

// Whether the parameter t (any turn) lies in [start, end] of an ellipse range.
bool paramInRange(double t, double start, double end) {
    if (end - start >= kTwoPi) {
        return true;
    }
    double rel = std::fmod(t - start, kTwoPi);
    if (rel < 0) {
        rel += kTwoPi;
    }
    return rel <= end - start;
}

Box2 ellipseBox(const EllipseGeom& g) {
    Box2 b;
    double t0, t1;
    ellipseRange(g, t0, t1);
    const Point3 s = ellipsePoint(g, t0), e = ellipsePoint(g, t1);
    b.add(s.x, s.y);
    b.add(e.x, e.y);
    const double ax = g.majorAxis.x, ay = g.majorAxis.y;
    const double bx = -ay * g.ratio, by = ax * g.ratio;
    // x and y are extreme where their derivative vanishes.
    for (double t : {std::atan2(bx, ax), std::atan2(by, ay)}) {
        for (double tt : {t, t + kPi}) {
            if (paramInRange(tt, t0, t1)) {
                const Point3 p = ellipsePoint(g, tt);
                b.add(p.x, p.y);
            }
        }
    }
    return b;
}

double ellipseDistance(const EllipseGeom& g, double x, double y) {
    double t0, t1;
    ellipseRange(g, t0, t1);
    const double ax = g.majorAxis.x, ay = g.majorAxis.y;
    const double bx = -ay * g.ratio, by = ax * g.ratio;
    auto dist2 = [&](double t) {
        const double c = std::cos(t), s = std::sin(t);
        const double dx = g.center.x + ax * c + bx * s - x, dy = g.center.y + ay * c + by * s - y;
        return dx * dx + dy * dy;
    };
    const int n = std::max(8, int(std::ceil(tol::kEllipseSeedSamples * (t1 - t0) / kTwoPi)));
    std::vector<double> f(std::size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        f[i] = dist2(t0 + (t1 - t0) * i / n);
    }
    double best = std::min(f[0], f[n]);
    for (int i = 0; i <= n; ++i) {
        const bool local = (i == 0 || f[i] <= f[i - 1]) && (i == n || f[i] <= f[i + 1]);
        if (!local) {
            continue;
        }
        best = std::min(best, f[i]);
        // Newton's method on the derivative of the squared distance.
        double t = t0 + (t1 - t0) * i / n;
        for (int it = 0; it < 20; ++it) {
            const double c = std::cos(t), s = std::sin(t);
            const double px = g.center.x + ax * c + bx * s - x;
            const double py = g.center.y + ay * c + by * s - y;
            const double dx = -ax * s + bx * c, dy = -ay * s + by * c;
            const double ddx = -ax * c - bx * s, ddy = -ay * c - by * s;
            const double g1 = px * dx + py * dy;
            const double g2 = dx * dx + dy * dy + px * ddx + py * ddy;
            if (!(g2 > 0)) {
                break;
            }
            const double next = std::clamp(t - g1 / g2, t0, t1);
            if (std::abs(next - t) < 1e-15) {
                break;
            }
            t = next;
        }
        best = std::min(best, dist2(t));
    }
    return std::sqrt(best);
}

double chainDistance(const std::vector<Point3>& pts, double x, double y) {
    if (pts.empty()) {
        return kInf;
    }
    double best = std::hypot(x - pts[0].x, y - pts[0].y);
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        best =
            std::min(best, distanceToSegment(x, y, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y));
    }
    return best;
}

double outlineDistance(const std::vector<Point2>& poly, double x, double y) {
    double best = kInf;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Point2 &a = poly[i], &b = poly[(i + 1) % poly.size()];
        best = std::min(best, distanceToSegment(x, y, a.x, a.y, b.x, b.y));
    }
    return best;
}

double solidDistance(const SolidGeom& g, double x, double y) {
    const std::vector<Point2> outline = solidOutline(g);
    if (g.kind != SolidGeom::Kind::Face3d) {
        // Filled as the triangles 1-2-3 and 2-4-3, which also covers a
        // bow-tie outline the way it is drawn.
        const std::vector<Point2> t1{outline[0], outline[1], outline[3]};
        const std::vector<Point2> t2{outline[1], outline[2], outline[3]};
        if (insidePolygon(t1, x, y) || insidePolygon(t2, x, y)) {
            return 0;
        }
    }
    return outlineDistance(outline, x, y);
}

// The local rectangle [x0, x0 + w] x [y0, y0 + h] about (px, py) turned by angle.
std::vector<Point2> turnedRect(double px, double py, double angle, double x0, double y0, double w,
                               double h) {
    const double c = std::cos(angle), s = std::sin(angle);
    std::vector<Point2> out;
    for (const auto& [lx, ly] : {std::pair{x0, y0}, std::pair{x0 + w, y0},
                                 std::pair{x0 + w, y0 + h}, std::pair{x0, y0 + h}}) {
        out.push_back({px + lx * c - ly * s, py + lx * s + ly * c});
    }
    return out;
}

Box2 pointsBox(const std::vector<Point2>& pts) {
    Box2 b;
    for (const Point2& p : pts) {
        b.add(p.x, p.y);
    }
    return b;
}

double filledDistance(const std::vector<Point2>& poly, double x, double y) {
    return insidePolygon(poly, x, y) ? 0 : outlineDistance(poly, x, y);
}

// The placed entities of copy (0, 0) of a reference: the other copies are
// translations of it, by copyOffset.
std::vector<Entity> firstCopy(const InsertGeom& g, const BlockLookup& blocks) {
    InsertGeom one = g;
    one.columns = one.rows = 1;
    std::vector<Entity> out;
    forEachPlacedEntity(one, blocks, [&](const Entity& part) { out.push_back(part); });
    return out;
}

Point2 copyOffset(const InsertGeom& g, int column, int row) {
    const double x = column * g.columnSpacing, y = row * g.rowSpacing;
    const double c = std::cos(g.angle), s = std::sin(g.angle);
    return {x * c - y * s, x * s + y * c};
}

Box2 insertBox(const InsertGeom& g, const BlockLookup& blocks) {
    Box2 first;
    for (const Entity& part : firstCopy(g, blocks)) {
        first.add(boundingBox(part, blocks));
    }
    Box2 b;
    if (first.empty()) {
        b.add(g.p.x, g.p.y);
        return b;
    }
    // The copies' union is the first box moved to the array's corners.
    const int columns = std::max(1, g.columns), rows = std::max(1, g.rows);
    for (int c : {0, columns - 1}) {
        for (int r : {0, rows - 1}) {
            const Point2 o = copyOffset(g, c, r);
            b.add(first.minX + o.x, first.minY + o.y);
            b.add(first.maxX + o.x, first.maxY + o.y);
        }
    }
    return b;
}

double boxDistance(const Box2& b, double x, double y) {
    const double dx = std::max({b.minX - x, 0.0, x - b.maxX});
    const double dy = std::max({b.minY - y, 0.0, y - b.maxY});
    return std::hypot(dx, dy);
}

double insertDistance(const InsertGeom& g, double x, double y, const BlockLookup& blocks) {
    const std::vector<Entity> parts = firstCopy(g, blocks);
    if (parts.empty()) {
        return std::hypot(x - g.p.x, y - g.p.y);
    }
    Box2 first;
    for (const Entity& part : parts) {
        first.add(boundingBox(part, blocks));
    }
    double best = kInf;
    for (int c = 0; c < std::max(1, g.columns); ++c) {
        for (int r = 0; r < std::max(1, g.rows); ++r) {
            // The copy's parts are the first copy's moved by the offset, so
            // the query moves back instead.
            const Point2 o = copyOffset(g, c, r);
            const double qx = x - o.x, qy = y - o.y;
            if (boxDistance(first, qx, qy) >= best) {
                continue;
            }
            for (const Entity& part : parts) {
                best = std::min(best, distanceTo(part, qx, qy, blocks));
            }
        }
    }
    return best;
}

// Definition points stand for a dimension whose block is missing.
std::vector<Point3> dimensionPoints(const DimensionGeom& g) {
    return {g.defPoint, g.textMid, g.p13, g.p14};
}

}  // namespace

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

bool insidePolygon(const std::vector<Point2>& poly, double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point2 &a = poly[i], &b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            in = !in;
        }
    }
    return in;
}

std::vector<Point2> solidOutline(const SolidGeom& g) {
    const Point3* c = g.corners;
    if (g.kind == SolidGeom::Kind::Face3d) {
        return {{c[0].x, c[0].y}, {c[1].x, c[1].y}, {c[2].x, c[2].y}, {c[3].x, c[3].y}};
    }
    return {{c[0].x, c[0].y}, {c[1].x, c[1].y}, {c[3].x, c[3].y}, {c[2].x, c[2].y}};
}

std::vector<Point2> imageFrame(const ImageGeom& g) {
    const Point3 p = g.insertion, u = g.u * g.widthPx, v = g.v * g.heightPx;
    return {{p.x, p.y},
            {p.x + u.x, p.y + u.y},
            {p.x + u.x + v.x, p.y + u.y + v.y},
            {p.x + v.x, p.y + v.y}};
}

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

double distanceToArc(double px, double py, double cx, double cy, double r, double startAngle,
                     double angle) {
    const double a = std::atan2(py - cy, px - cx);
    if (angleOnArc(a, startAngle, angle)) {
        return std::abs(std::hypot(px - cx, py - cy) - r);
    }
    const double e = startAngle + angle;
    return std::min(
        std::hypot(px - (cx + r * std::cos(startAngle)), py - (cy + r * std::sin(startAngle))),
        std::hypot(px - (cx + r * std::cos(e)), py - (cy + r * std::sin(e))));
}

std::vector<Point2> textOutline(const TextGeom& g) {
    const double h = g.height;
    if (g.hAlign == 3 || g.hAlign == 5) {
        // Aligned and fit: the text runs from the first point to the second.
        const double dx = g.alignPoint.x - g.p.x, dy = g.alignPoint.y - g.p.y;
        const double w = std::hypot(dx, dy);
        return turnedRect(g.p.x, g.p.y, w > 0 ? std::atan2(dy, dx) : g.angle, 0, 0, w, h);
    }
    // A %% code is one character wide, as it is shown.
    const double w = double(utf8Length(io::dxf::resolvePercentCodes(g.text))) * h * g.widthFactor *
                     tol::kCharAdvance;
    const bool aligned = g.hAlign != 0 || g.vAlign != 0;
    const Point3 anchor = aligned ? g.alignPoint : g.p;
    double x0 = 0, y0 = 0;
    if (g.hAlign == 1 || g.hAlign == 4) {
        x0 = -w / 2;
    } else if (g.hAlign == 2) {
        x0 = -w;
    }
    if (g.vAlign == 2 || g.hAlign == 4) {
        y0 = -h / 2;
    } else if (g.vAlign == 3) {
        y0 = -h;
    }
    return turnedRect(anchor.x, anchor.y, g.angle, x0, y0, w, h);
}

std::vector<Point2> textOutline(const MTextGeom& g) {
    const std::vector<std::string> lines = mtextPlainLines(g.text);
    std::size_t longest = 0;
    for (const std::string& l : lines) {
        longest = std::max(longest, utf8Length(l));
    }
    const double w = g.width > 0 ? g.width : double(longest) * g.height * tol::kCharAdvance;
    const double h = g.height + double(lines.size() - 1) * g.height * tol::kMTextLineSpacing *
                                    (g.lineSpacing > 0 ? g.lineSpacing : 1);
    const int a = std::clamp(g.attachment, 1, 9) - 1;
    const int column = a % 3, row = a / 3;
    const double x0 = -w * column / 2;
    const double top = h * row / 2;
    return turnedRect(g.p.x, g.p.y, g.angle, x0, top - h, w, h);
}

std::vector<Entity> hatchBoundary(const HatchGeom& g) {
    std::vector<Entity> out;
    for (const HatchLoop& loop : g.loops) {
        if (loop.isPolyline) {
            PolylineGeom pl;
            pl.vertices = loop.vertices;
            pl.closed = loop.closed;
            for (Vertex& v : pl.vertices) {
                v.z = g.elevation;
            }
            out.emplace_back(std::move(pl));
            continue;
        }
        const double z = g.elevation;
        for (const HatchEdge& edge : loop.edges) {
            if (const auto* l = std::get_if<HatchLineEdge>(&edge)) {
                out.emplace_back(LineGeom{{l->p1.x, l->p1.y, z}, {l->p2.x, l->p2.y, z}});
            } else if (const auto* a = std::get_if<HatchArcEdge>(&edge)) {
                out.emplace_back(
                    ArcGeom{{a->center.x, a->center.y, z}, a->radius, a->startAngle, a->angle});
            } else if (const auto* e = std::get_if<HatchEllipseEdge>(&edge)) {
                EllipseGeom el;
                el.center = {e->center.x, e->center.y, z};
                el.majorAxis = {e->majorAxis.x, e->majorAxis.y, 0};
                el.ratio = e->ratio;
                el.startParam = e->ccw ? e->startParam : -e->endParam;
                el.endParam = e->ccw ? e->endParam : -e->startParam;
                out.emplace_back(el);
            } else {
                const auto& s = std::get<HatchSplineEdge>(edge);
                SplineGeom sp;
                sp.degree = s.degree;
                sp.rational = s.rational;
                sp.periodic = s.periodic;
                sp.knots = s.knots;
                sp.weights = s.weights;
                for (const Point2& p : s.controlPoints) {
                    sp.controlPoints.push_back({p.x, p.y, z});
                }
                out.emplace_back(std::move(sp));
            }
        }
    }
    return out;
}

Box2 boundingBox(const Entity& e, const BlockLookup& blocks) {
    Box2 b;
    if (const auto* point = geomIf<PointGeom>(e)) {
        b.add(point->p.x, point->p.y);
    } else if (const auto* line = geomIf<LineGeom>(e)) {
        b.add(line->p1.x, line->p1.y);
        b.add(line->p2.x, line->p2.y);
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        b.add(circle->center.x - circle->radius, circle->center.y - circle->radius);
        b.add(circle->center.x + circle->radius, circle->center.y + circle->radius);
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        addArcBox(b, arc->center.x, arc->center.y, arc->radius, arc->startAngle, arc->angle);
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        b = ellipseBox(*ellipse);
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        for (const auto& v : poly->vertices) {
            b.add(v.x, v.y);
        }
        forEachPolylineSegment(*poly, [&](const Vertex& a, const Vertex& c) {
            if (bulged(a, c)) {
                const BulgeArc bulge = bulgeArc(a, c);
                addArcBox(b, bulge.cx, bulge.cy, bulge.r, bulge.start, bulge.sweep);
            }
        });
    } else if (const auto* spline = geomIf<SplineGeom>(e)) {
        for (const Point3& p : tessellateSpline(*spline, 0)) {
            b.add(p.x, p.y);
        }
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        b = pointsBox(textOutline(*text));
    } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
        b = pointsBox(textOutline(*mtext));
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        b = insertBox(*insert, blocks);
    } else if (const auto* hatch = geomIf<HatchGeom>(e)) {
        for (const Entity& part : hatchBoundary(*hatch)) {
            b.add(boundingBox(part, blocks));
        }
    } else if (const auto* dim = geomIf<DimensionGeom>(e)) {
        forEachPlacedEntity(*dim, blocks,
                            [&](const Entity& part) { b.add(boundingBox(part, blocks)); });
        if (b.empty()) {
            for (const Point3& p : dimensionPoints(*dim)) {
                b.add(p.x, p.y);
            }
        }
    } else if (const auto* solid = geomIf<SolidGeom>(e)) {
        b = pointsBox(solidOutline(*solid));
    } else if (geomIf<InfiniteLineGeom>(e)) {
        b.add(-kInf, -kInf);
        b.add(kInf, kInf);
    } else if (const auto* image = geomIf<ImageGeom>(e)) {
        b = pointsBox(imageFrame(*image));
    } else if (const auto* leader = geomIf<LeaderGeom>(e)) {
        for (const Entity& part : leaderParts(*leader, blocks)) {
            b.add(boundingBox(part, blocks));
        }
    }
    return b;
}

double distanceTo(const Entity& e, double x, double y, const BlockLookup& blocks) {
    if (const auto* point = geomIf<PointGeom>(e)) {
        return std::hypot(x - point->p.x, y - point->p.y);
    }
    if (const auto* line = geomIf<LineGeom>(e)) {
        return distanceToSegment(x, y, line->p1.x, line->p1.y, line->p2.x, line->p2.y);
    }
    if (const auto* circle = geomIf<CircleGeom>(e)) {
        return std::abs(std::hypot(x - circle->center.x, y - circle->center.y) - circle->radius);
    }
    if (const auto* arc = geomIf<ArcGeom>(e)) {
        return distanceToArc(x, y, arc->center.x, arc->center.y, arc->radius, arc->startAngle,
                             arc->angle);
    }
    if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        return ellipseDistance(*ellipse, x, y);
    }
    if (const auto* poly = geomIf<PolylineGeom>(e)) {
        double best = kInf;
        if (poly->vertices.size() == 1) {
            best = std::hypot(x - poly->vertices[0].x, y - poly->vertices[0].y);
        }
        forEachPolylineSegment(*poly, [&](const Vertex& a, const Vertex& c) {
            if (bulged(a, c)) {
                const BulgeArc arc = bulgeArc(a, c);
                best = std::min(best,
                                distanceToArc(x, y, arc.cx, arc.cy, arc.r, arc.start, arc.sweep));
            } else {
                best = std::min(best, distanceToSegment(x, y, a.x, a.y, c.x, c.y));
            }
        });
        return best;
    }
    if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        const double t =
            (x - xline->base.x) * xline->direction.x + (y - xline->base.y) * xline->direction.y;
        const double tt = xline->ray ? std::max(0.0, t) : t;
        return std::hypot(x - (xline->base.x + tt * xline->direction.x),
                          y - (xline->base.y + tt * xline->direction.y));
    }
    if (const auto* spline = geomIf<SplineGeom>(e)) {
        return chainDistance(tessellateSpline(*spline, 0), x, y);
    }
    if (const auto* text = geomIf<TextGeom>(e)) {
        return filledDistance(textOutline(*text), x, y);
    }
    if (const auto* mtext = geomIf<MTextGeom>(e)) {
        return filledDistance(textOutline(*mtext), x, y);
    }
    if (const auto* insert = geomIf<InsertGeom>(e)) {
        return insertDistance(*insert, x, y, blocks);
    }
    if (const auto* hatch = geomIf<HatchGeom>(e)) {
        double best = kInf;
        for (const Entity& part : hatchBoundary(*hatch)) {
            best = std::min(best, distanceTo(part, x, y, blocks));
        }
        return best;
    }
    if (const auto* dim = geomIf<DimensionGeom>(e)) {
        double best = kInf;
        bool any = false;
        forEachPlacedEntity(*dim, blocks, [&](const Entity& part) {
            any = true;
            best = std::min(best, distanceTo(part, x, y, blocks));
        });
        if (!any) {
            for (const Point3& p : dimensionPoints(*dim)) {
                best = std::min(best, std::hypot(x - p.x, y - p.y));
            }
        }
        return best;
    }
    if (const auto* solid = geomIf<SolidGeom>(e)) {
        return solidDistance(*solid, x, y);
    }
    if (const auto* image = geomIf<ImageGeom>(e)) {
        return outlineDistance(imageFrame(*image), x, y);
    }
    if (const auto* leader = geomIf<LeaderGeom>(e)) {
        double best = kInf;
        for (const Entity& part : leaderParts(*leader, blocks)) {
            best = std::min(best, distanceTo(part, x, y, blocks));
        }
        return best;
    }
    return kInf;
}

}  // namespace brondel::engine
