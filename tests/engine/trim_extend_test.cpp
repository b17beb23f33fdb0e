// Trim and Extend on every pair of outline kinds, checked against crossings
// found a second way: the target walked densely in its own closed form and
// measured against the edge with the engine's distance function.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "engine/drawing.h"
#include "engine/shape.h"
#include "engine/tessellate.h"
#include "engine/trim_extend.h"

namespace brondel::engine {
namespace {

const Drawing kBlocks;
constexpr int kSamples = 4000;
constexpr double kSize = 20;               // the cases' drawings are this wide
constexpr double kOnCurve = 1e-9 * kSize;  // splines: on the flattening they are cut by

Point2 arcPoint(double cx, double cy, double r, double a) {
    return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

// The entity at n + 1 even steps of its own parameter.
std::vector<Point2> walk(const Entity& e, int n = kSamples) {
    std::vector<Point2> out;
    const auto lerp = [&](Point2 a, Point2 b, double t) {
        return Point2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    };
    if (const auto* line = geomIf<LineGeom>(e)) {
        for (int i = 0; i <= n; ++i) {
            out.push_back(lerp({line->p1.x, line->p1.y}, {line->p2.x, line->p2.y}, double(i) / n));
        }
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        for (int i = 0; i <= n; ++i) {
            out.push_back(arcPoint(arc->center.x, arc->center.y, arc->radius,
                                   arc->startAngle + arc->angle * i / n));
        }
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        for (int i = 0; i <= n; ++i) {
            out.push_back(
                arcPoint(circle->center.x, circle->center.y, circle->radius, kTwoPi * i / n));
        }
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        double t0 = 0, t1 = 0;
        ellipseRange(*ellipse, t0, t1);
        for (int i = 0; i <= n; ++i) {
            const Point3 p = ellipsePoint(*ellipse, t0 + (t1 - t0) * i / n);
            out.push_back({p.x, p.y});
        }
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        const auto& v = poly->vertices;
        const std::size_t segments = v.size() - (poly->closed ? 0 : 1);
        for (std::size_t k = 0; k < segments; ++k) {
            const Vertex& a = v[k];
            const Vertex& b = v[(k + 1) % v.size()];
            for (int i = 0; i < n; ++i) {
                const double t = double(i) / n;
                if (a.bulge == 0) {
                    out.push_back(lerp({a.x, a.y}, {b.x, b.y}, t));
                } else {
                    const BulgeArc bulge = bulgeArc(a, b);
                    out.push_back(
                        arcPoint(bulge.cx, bulge.cy, bulge.r, bulge.start + bulge.sweep * t));
                }
            }
        }
        out.push_back(poly->closed ? Point2{v[0].x, v[0].y} : Point2{v.back().x, v.back().y});
    }
    return out;
}

double away(const Entity& e, Point2 p) {
    return distanceTo(e, p.x, p.y, kBlocks);
}

// Where the dense walk of `target` passes the edge: the samples nearest to
// it along each dip of the distance.
std::vector<Point2> sampledCrossings(const Entity& target, const Entity& edge) {
    const std::vector<Point2> pts = walk(target);
    double step = 0;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        step = std::max(step, std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y));
    }
    std::vector<double> d;
    for (Point2 p : pts) {
        d.push_back(away(edge, p));
    }
    std::vector<Point2> out;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const bool dip = (i == 0 || d[i] <= d[i - 1]) && (i + 1 == pts.size() || d[i] < d[i + 1]);
        if (dip && d[i] < step) {
            out.push_back(pts[i]);
        }
    }
    return out;
}

double gap(Point2 a, Point2 b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

std::pair<Point2, Point2> endsOf(const Entity& e) {
    const std::vector<Point2> pts = walk(e, 1);
    return {pts.front(), pts.back()};
}

std::map<std::string, Entity> targets() {
    PolylineGeom poly{{{-10, 0, 0, 0}, {-2, 0, 0, 0.4}, {10, 0, 0, 0}}};
    return {
        {"Line", Entity(LineGeom{{-10, 0, 0}, {10, 0, 0}})},
        {"Arc", Entity(ArcGeom{{0, -10, 0}, 10, kPi / 6, kPi * 2 / 3})},
        {"Circle", Entity(CircleGeom{{0, -10, 0}, 10})},
        {"Ellipse", Entity(EllipseGeom{{0, -5, 0}, {10, 0, 0}, 0.5, 0, kTwoPi})},
        {"PolylineWithBulge", Entity(poly)},
    };
}

std::map<std::string, Entity> edges() {
    SplineGeom spline;
    spline.controlPoints = {{-6, -5, 0}, {-2, 8, 0}, {2, -8, 0}, {6, 5, 0}};
    spline.knots = {0, 0, 0, 0, 1, 1, 1, 1};
    return {
        {"Line", Entity(LineGeom{{-3, -30, 0}, {-2, 30, 0}})},
        {"Arc", Entity(ArcGeom{{0, 2, 0}, 4, kPi, kPi})},
        {"Circle", Entity(CircleGeom{{1, 1, 0}, 4})},
        {"Ellipse", Entity(EllipseGeom{{0, 1, 0}, {5, 1, 0}, 0.6, 0, kTwoPi})},
        {"Polyline",
         Entity(PolylineGeom{{{-4, -6, 0, 0.3}, {-3, 6, 0, 0}, {5, 6, 0, 0}, {5, -6, 0, 0}}})},
        {"Spline", Entity(spline)},
    };
}

// The edge as the distance checks measure it: a spline by its flattening,
// made once (the spline's own distance flattens it at every call).
Entity measured(const Entity& edge) {
    if (const auto* spline = geomIf<SplineGeom>(edge)) {
        PolylineGeom flat;
        for (const Point3& p : tessellateSpline(*spline, 0)) {
            flat.vertices.push_back({p.x, p.y, 0, 0});
        }
        return Entity(flat);
    }
    return edge;
}

EdgesIn only(const Entity& edge) {
    return [&edge](const Box2&, const std::function<void(const Entity&)>& visit) { visit(edge); };
}

// The press: the target's point nearest (0.5, 0.2), which every edge passes.
Point2 pressOn(const Entity& target) {
    Point2 best;
    for (Point2 p : walk(target)) {
        if (gap(p, {0.5, 0.2}) < gap(best, {0.5, 0.2}) || best == Point2{}) {
            best = p;
        }
    }
    return best;
}

// One case per pair of kinds, named after it ("ArcCutByEllipse").
using Pair = std::tuple<std::string, std::string>;
std::string pairName(const ::testing::TestParamInfo<Pair>& info, const char* joint) {
    return std::get<0>(info.param) + joint + std::get<1>(info.param);
}
std::vector<std::string> namesOf(const std::map<std::string, Entity>& m) {
    std::vector<std::string> out;
    for (const auto& entry : m) {
        out.push_back(entry.first);
    }
    return out;
}

class TrimPair : public ::testing::TestWithParam<Pair> {};

TEST_P(TrimPair, CutsBetweenTheNearestCrossings) {
    const Entity target = targets().at(std::get<0>(GetParam()));
    const Entity original = edges().at(std::get<1>(GetParam()));
    const Entity edge = measured(original);
    const Point2 press = pressOn(target);
    const auto result = trimAt(target, press, only(original));
    ASSERT_TRUE(std::holds_alternative<Trimmed>(result)) << std::get<std::string>(result);
    const Trimmed& t = std::get<Trimmed>(result);
    const std::vector<Point2> crossings = sampledCrossings(target, edge);
    const auto [targetStart, targetEnd] = endsOf(target);
    const auto [from, to] = endsOf(t.removed);
    // Each end of the cut is a crossing (exactly on the edge, and
    // where the walk found one) or an end of an open target.
    for (Point2 end : {from, to}) {
        const bool ownEnd = gap(end, targetStart) < 1e-9 || gap(end, targetEnd) < 1e-9;
        if (!ownEnd || geomIf<CircleGeom>(target)) {
            EXPECT_LT(away(edge, end), kOnCurve);
            double nearest = 1e9;
            for (Point2 c : crossings) {
                nearest = std::min(nearest, gap(c, end));
            }
            EXPECT_LT(nearest, 0.05);
        }
    }
    // The press lies on what is cut away, not on what stays, and no
    // crossing lies inside the cut: it ends at the nearest ones.
    EXPECT_LT(away(t.removed, press), 1e-9);
    for (const Entity& kept : t.kept) {
        EXPECT_GT(away(kept, press), 1e-3);
        EXPECT_EQ(kept.type(), geomIf<CircleGeom>(target) ? EntityType::Arc : target.type());
    }
    for (Point2 c : crossings) {
        if (gap(c, from) > 0.05 && gap(c, to) > 0.05) {
            EXPECT_GT(away(t.removed, c), 1e-3) << "a crossing inside the cut";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TrimPair,
                         ::testing::Combine(::testing::ValuesIn(namesOf(targets())),
                                            ::testing::ValuesIn(namesOf(edges()))),
                         [](const auto& test) { return pairName(test, "CutBy"); });

TEST(Trim, ALineCutInTheMiddleBecomesTwoAndACircleAnArc) {
    const Entity line(LineGeom{{0, 0, 0}, {10, 0, 0}});
    const Entity cross(PolylineGeom{{{3, -1, 0, 0}, {3, 1, 0, 0}, {7, 1, 0, 0}, {7, -1, 0, 0}}});
    const auto cut = std::get<Trimmed>(trimAt(line, {5, 0}, only(cross)));
    ASSERT_EQ(cut.kept.size(), 2u);
    EXPECT_DOUBLE_EQ(geomIf<LineGeom>(cut.kept[0])->p2.x, 3);
    EXPECT_DOUBLE_EQ(geomIf<LineGeom>(cut.kept[1])->p1.x, 7);

    const Entity circle(CircleGeom{{0, 0, 0}, 5});
    const Entity chord(LineGeom{{-10, 3, 0}, {10, 3, 0}});
    const auto cap = std::get<Trimmed>(trimAt(circle, {0, 5}, only(chord)));
    ASSERT_EQ(cap.kept.size(), 1u);
    const ArcGeom& rest = *geomIf<ArcGeom>(cap.kept[0]);
    EXPECT_NEAR(rest.angle, kTwoPi - 2 * std::acos(3.0 / 5), 1e-12);
    EXPECT_LT(away(cap.kept[0], {0, -5}), 1e-12);

    for (const Entity& alone : {line, circle}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(trimAt(alone, {0, 0}, only(Entity()))));
    }
}

struct ExtendCase {
    Entity target;
    Point2 press;
};

std::map<std::string, ExtendCase> extendCases() {
    const double r = 20.5;
    const auto on = [&](double degrees) { return arcPoint(0, -20, r, degrees * kPi / 180); };
    const Point2 a = on(130), b = on(120), c = on(110);
    PolylineGeom arcEnd{
        {{a.x, a.y, 0, 0}, {b.x, b.y, 0, std::tan(-kPi / 18 / 4)}, {c.x, c.y, 0, 0}}};
    return {
        {"Line", {Entity(LineGeom{{-20, 0.5, 0}, {-12, 0.5, 0}}), {-12, 0.5}}},
        {"LineAtItsStart", {Entity(LineGeom{{-12, 0.5, 0}, {-20, 0.5, 0}}), {-12, 0.5}}},
        {"Arc", {Entity(ArcGeom{{0, -20, 0}, r, kPi * 2 / 3, -kPi / 18}), c}},
        {"PolylineLineEnd", {Entity(PolylineGeom{{{-20, 0, 0, 0}, {-12, 0.5, 0, 0}}}), {-12, 0.5}}},
        {"PolylineArcEnd", {Entity(arcEnd), c}},
    };
}

class ExtendPair : public ::testing::TestWithParam<Pair> {};

TEST_P(ExtendPair, ReachesTheNearestCrossing) {
    Box2 world;
    world.add(-kSize, -kSize);
    world.add(kSize, kSize);
    const ExtendCase x = extendCases().at(std::get<0>(GetParam()));
    const Entity original = edges().at(std::get<1>(GetParam()));
    const Entity edge = measured(original);
    const auto result = extendAt(x.target, x.press, only(original), world);
    ASSERT_TRUE(std::holds_alternative<Extended>(result)) << std::get<std::string>(result);
    const Extended& done = std::get<Extended>(result);
    const auto [from, to] = endsOf(done.added);
    EXPECT_LT(gap(from, x.press), 1e-9);
    EXPECT_LT(away(edge, to), kOnCurve);
    EXPECT_LT(away(done.result, to), 1e-9);
    // The extension crosses the edge nowhere before its new end.
    for (Point2 c : sampledCrossings(done.added, edge)) {
        EXPECT_LT(gap(c, to), 0.05) << "passed a nearer crossing";
    }
    // The far end stays.
    const auto [oldStart, oldEnd] = endsOf(x.target);
    const Point2 kept = gap(oldStart, x.press) < 1e-9 ? oldEnd : oldStart;
    const auto [newStart, newEnd] = endsOf(done.result);
    EXPECT_LT(std::min(gap(newStart, kept), gap(newEnd, kept)), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ExtendPair,
                         ::testing::Combine(::testing::Values("Line", "LineAtItsStart", "Arc",
                                                              "PolylineLineEnd", "PolylineArcEnd"),
                                            ::testing::ValuesIn(namesOf(edges()))),
                         [](const auto& test) { return pairName(test, "To"); });

TEST(Extend, NothingAheadChangesNothing) {
    const Entity line(LineGeom{{0, 0, 0}, {10, 0, 0}});
    const Entity behind(LineGeom{{-5, -1, 0}, {-5, 1, 0}});
    Box2 world;
    world.add(-10, -10);
    world.add(20, 10);
    const auto result = extendAt(line, {9, 0}, only(behind), world);
    ASSERT_TRUE(std::holds_alternative<std::string>(result));
    EXPECT_EQ(std::get<std::string>(result), "Nothing to extend to");
    const Entity circle(CircleGeom{{0, 0, 0}, 5});
    EXPECT_TRUE(std::holds_alternative<std::string>(extendAt(circle, {5, 0}, only(line), world)));
}

}  // namespace
}  // namespace brondel::engine
