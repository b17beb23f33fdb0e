// Trim on splines: the parts are cut out of the spline itself, so every
// point of a kept or removed part lies on the original curve, and the cut
// ends lie on the cutting edge.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "engine/shape.h"
#include "engine/spline_split.h"
#include "engine/trim_extend.h"

namespace brondel::engine {
namespace {

EdgesIn only(const Entity& edge) {
    return [&edge](const Box2&, const std::function<void(const Entity&)>& visit) { visit(edge); };
}

// The distance from p to the curve, searched densely along its parameter.
double awayFromCurve(const SplineCurve& c, const Point3& p) {
    constexpr int kSteps = 20000;
    double best = 1e300, bestT = c.first();
    const double step = (c.last() - c.first()) / kSteps;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = c.first() + step * i;
        const Point3 q = c.at(t);
        const double d = std::hypot(q.x - p.x, q.y - p.y);
        if (d < best) {
            best = d;
            bestT = t;
        }
    }
    // Golden-section refinement around the best sample.
    double lo = std::max(c.first(), bestT - step), hi = std::min(c.last(), bestT + step);
    const auto at = [&](double t) {
        const Point3 q = c.at(t);
        return std::hypot(q.x - p.x, q.y - p.y);
    };
    for (int i = 0; i < 100; ++i) {
        const double m1 = lo + (hi - lo) * 0.382, m2 = lo + (hi - lo) * 0.618;
        (at(m1) < at(m2) ? hi : lo) = at(m1) < at(m2) ? m2 : m1;
    }
    return std::min(best, at((lo + hi) / 2));
}

SplineCurve curveOf(const Entity& e) {
    return std::get<SplineCurve>(splineCurve(*geomIf<SplineGeom>(e)));
}

struct Case {
    const char* name;
    SplineGeom spline;
    Point2 press;
    std::size_t kept;
};

std::vector<Case> cases() {
    // An S from (-6, -5) to (6, 5) with one inner knot.
    const SplineGeom cubic{
        .knots = {0, 0, 0, 0, 0.4, 1, 1, 1, 1},
        .controlPoints = {{-6, -5, 0}, {-4, 8, 0}, {0, 0, 0}, {4, -8, 0}, {6, 5, 0}}};
    // A quarter circle of radius 6 as a rational quadratic.
    const SplineGeom rational{.degree = 2,
                              .rational = true,
                              .knots = {0, 0, 0, 1, 1, 1},
                              .controlPoints = {{6, 0, 0}, {6, 6, 0}, {0, 6, 0}},
                              .weights = {1, std::sqrt(0.5), 1}};
    // Closed: it ends where it starts.
    const SplineGeom ring{
        .degree = 2,
        .closed = true,
        .knots = {0, 0, 0, 1, 2, 3, 4, 4, 4},
        .controlPoints = {{5, 0, 0}, {5, 5, 0}, {-5, 5, 0}, {-5, -5, 0}, {5, -5, 0}, {5, 0, 0}}};
    return {
        {"CubicInTheMiddle", cubic, {0, 0}, 2},
        {"CubicAtItsEnd", cubic, {5.5, 2}, 1},
        {"RationalArc", rational, {4.2, 4.2}, 1},
        {"ClosedAcrossItsSeam", ring, {4.9, 0}, 1},
    };
}

TEST(SplineTrim, PartsLieOnTheOriginalCurveAndEndOnTheEdge) {
    // Two vertical lines at x = -1 and x = 3 cross every case.
    const Entity edges(
        PolylineGeom{{{-1, -20, 0, 0}, {-1, 20, 0, 0}, {3, 20, 0, 0}, {3, -20, 0, 0}}});
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const Entity target(c.spline);
        const SplineCurve original = curveOf(target);
        const auto result = trimAt(target, c.press, only(edges));
        ASSERT_TRUE(std::holds_alternative<Trimmed>(result)) << std::get<std::string>(result);
        const Trimmed& t = std::get<Trimmed>(result);
        ASSERT_EQ(t.kept.size(), c.kept);
        std::vector<Entity> parts = t.kept;
        parts.push_back(t.removed);
        for (const Entity& part : parts) {
            ASSERT_EQ(part.type(), EntityType::Spline);
            const SplineCurve piece = curveOf(part);
            for (int i = 0; i <= 50; ++i) {
                const Point3 p = piece.at(piece.first() + (piece.last() - piece.first()) * i / 50);
                EXPECT_LT(awayFromCurve(original, p), 1e-9) << "point " << i;
            }
        }
        // The removed part holds the press; its ends that are not the
        // spline's own lie on an edge (within the flattening).
        const SplineCurve removed = curveOf(t.removed);
        EXPECT_LT(awayFromCurve(removed, {c.press.x, c.press.y, 0}),
                  awayFromCurve(original, {c.press.x, c.press.y, 0}) + 1e-9);
        for (const double t0 : {removed.first(), removed.last()}) {
            const Point3 end = removed.at(t0);
            const Point3 a = original.at(original.first()), b = original.at(original.last());
            const bool own = std::hypot(end.x - a.x, end.y - a.y) < 1e-9 ||
                             std::hypot(end.x - b.x, end.y - b.y) < 1e-9;
            if (!own || c.spline.closed) {
                EXPECT_LT(std::min(std::abs(end.x + 1), std::abs(end.x - 3)), 1e-4);
            }
        }
    }
}

TEST(SplineTrim, WhatCannotBeCutExactlyIsRefusedWithTheReason) {
    const Entity cross(LineGeom{{0, -20, 0}, {0, 20, 0}});
    const SplineGeom periodic{.knots = {0, 1, 2, 3, 4, 5, 6, 7},
                              .controlPoints = {{-6, -5, 0}, {-2, 8, 0}, {2, -8, 0}, {6, 5, 0}}};
    const SplineGeom fitOnly{.fitPoints = {{-6, 0, 0}, {0, 1, 0}, {6, 0, 0}}};
    struct Refusal {
        const char* name;
        SplineGeom spline;
        const char* says;
    };
    for (const Refusal& r : {Refusal{"Periodic", periodic, "periodic"},
                             Refusal{"FitPointsOnly", fitOnly, "fit points"}}) {
        SCOPED_TRACE(r.name);
        const auto result = trimAt(Entity(r.spline), {0, 0}, only(cross));
        ASSERT_TRUE(std::holds_alternative<std::string>(result));
        EXPECT_NE(std::get<std::string>(result).find(r.says), std::string::npos);
    }
    SplineGeom open = periodic;
    open.knots = {0, 0, 0, 0, 1, 1, 1, 1};
    Box2 world;
    world.add(-20, -20);
    world.add(20, 20);
    const auto extended = extendAt(Entity(open), {6, 5}, only(cross), world);
    ASSERT_TRUE(std::holds_alternative<std::string>(extended));
    EXPECT_NE(std::get<std::string>(extended).find("spline"), std::string::npos);
}

}  // namespace
}  // namespace brondel::engine
