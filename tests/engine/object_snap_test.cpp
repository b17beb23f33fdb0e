#include "engine/object_snap.h"

#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

// A line, a circle, an arc and a point; the aperture is 0.5 units.
struct SnapSession : VecadSession {
    SnapSession() {
        v.AddLine(0, 0, 0, 10, 0, 0);
        v.drawing().add(Entity(CircleGeom{{20, 0, 0}, 5}));
        v.drawing().add(Entity(ArcGeom{{0, 20, 0}, 4, 0, kPi / 2}));
        v.AddPoint(0, 10, 0);
        v.Execute(command::kDrawLine);
    }
    std::optional<SnapHit> hitAt(int modes, double x, double y) {
        v.SnapPutMode(modes);
        move(x, y);
        return v.snapHit();
    }
};

void expectHit(const std::optional<SnapHit>& hit, SnapKind kind, double x, double y) {
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->kind, kind);
    EXPECT_NEAR(hit->point.x, x, 1e-9);
    EXPECT_NEAR(hit->point.y, y, 1e-9);
}

TEST(ObjectSnap, EachModeFindsItsPointWithinTheAperture) {
    SnapSession s;
    expectHit(s.hitAt(snap::kEndpoint, 10.2, 0.1), SnapKind::Endpoint, 10, 0);
    expectHit(s.hitAt(snap::kEndpoint, 4.2, 20.3), SnapKind::Endpoint, 4, 20);  // arc start
    expectHit(s.hitAt(snap::kMidpoint, 5.2, 0.2), SnapKind::Midpoint, 5, 0);
    expectHit(s.hitAt(snap::kMidpoint, 2.9, 22.9), SnapKind::Midpoint, 4 * std::cos(kPi / 4),
              20 + 4 * std::sin(kPi / 4));
    expectHit(s.hitAt(snap::kCenter, 25.1, 0.3), SnapKind::Center, 20, 0);
    expectHit(s.hitAt(snap::kNode, 0.2, 10.1), SnapKind::Node, 0, 10);
    expectHit(s.hitAt(snap::kNearest, 3.3, 0.2), SnapKind::Nearest, 3.3, 0);
    EXPECT_FALSE(s.hitAt(snap::kEndpoint, 10.6, 0));        // outside the aperture
    EXPECT_FALSE(s.hitAt(snap::kEndpoint, 5, 0.1));         // on the line, far from its ends
    EXPECT_FALSE(s.hitAt(snap::kIntersection, 10.1, 0.1));  // not carried out
}

// Intersection, grip and, from the line's first point, perpendicular and
// tangent, each against a point worked out by hand.
TEST(ObjectSnap, IntersectionPerpendicularTangentAndGrip) {
    SnapSession s;
    s.v.AddLine(15, -10, 0, 15, 10, 0);  // touches the circle at (15, 0)
    s.v.AddLine(5, -5, 0, 5, 5, 0);      // crosses the first line at (5, 0)
    expectHit(s.hitAt(snap::kIntersection, 5.2, 0.3), SnapKind::Intersection, 5, 0);
    expectHit(s.hitAt(snap::kIntersection, 15.3, 0.2), SnapKind::Intersection, 15, 0);
    expectHit(s.hitAt(snap::kGrip, 25.2, 0.3), SnapKind::Grip, 25, 0);  // circle quadrant
    EXPECT_FALSE(s.hitAt(snap::kPerpendicular, 7, 0.2));                // no last point yet

    s.press(7, 6);  // the line starts there
    expectHit(s.hitAt(snap::kPerpendicular, 7.1, 0.3), SnapKind::Perpendicular, 7, 0);
    // From (7, 6) the tangents to the circle of radius 5 about (20, 0).
    const double d = std::hypot(13.0, 6.0), a = std::atan2(6.0, -13.0), t = std::acos(5 / d);
    const double tx = 20 + 5 * std::cos(a - t), ty = 5 * std::sin(a - t);
    expectHit(s.hitAt(snap::kTangent, tx + 0.2, ty + 0.2), SnapKind::Tangent, tx, ty);
}

TEST(ObjectSnap, PointsBeatCentresWhichBeatNearest) {
    SnapSession s;
    const int all = snap::kEndpoint | snap::kMidpoint | snap::kCenter | snap::kNearest;
    expectHit(s.hitAt(all, 9.8, 0.1), SnapKind::Endpoint, 10, 0);
    expectHit(s.hitAt(all, 7, 0.1), SnapKind::Nearest, 7, 0);
    expectHit(s.hitAt(all, 20.3, 4.9), SnapKind::Center, 20, 0);
}

TEST(ObjectSnap, PressesTakeTheSnapPointUntilSnappingIsOffOrCleared) {
    SnapSession s;
    s.v.SnapPutMode(snap::kEndpoint);
    s.press(10.2, 0.1);
    s.press(20.2, -0.3);  // nothing to snap to there
    const auto* line = geomIf<LineGeom>(s.v.preview().entities().front());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->p1, (Point3{10, 0, 0}));
    EXPECT_NEAR(line->p2.x, 20.2, 1e-9);

    s.v.Execute(command::kToggleSnap);
    EXPECT_FALSE(s.v.SnapGetOn());
    EXPECT_FALSE(s.hitAt(snap::kEndpoint, 10.2, 0.1));
    s.v.Execute(command::kToggleSnap);
    EXPECT_TRUE(s.hitAt(snap::kEndpoint, 10.2, 0.1));
    s.v.Execute(command::kClearSnapModes);
    EXPECT_EQ(s.v.SnapGetMode(), 0);
    s.move(10.2, 0.1);
    EXPECT_FALSE(s.v.snapHit());
    EXPECT_TRUE(s.v.commandRunning());  // the snap switches leave the command running

    s.v.commandKey(27);
    s.v.SnapPutMode(snap::kEndpoint);
    s.move(10.2, 0.1);
    EXPECT_FALSE(s.v.snapHit());  // no command, no snap
}

TEST(Polar, OrthoHoldsLinesHorizontalOrVerticalAndAStepHoldsTheAngle) {
    VecadSession s;
    s.v.PolarPutInc(0);
    s.v.PolarPutOn(true);
    s.v.Execute(command::kDrawLine);
    s.press(0.3, 0.1);  // the first point is free
    s.move(10, 2);
    ASSERT_EQ(s.v.preview().liveCount(), 1u);
    EXPECT_DOUBLE_EQ(geomIf<LineGeom>(s.v.preview().entities()[0])->p2.y, 0.1);
    s.press(10, 2);
    s.press(11, 8);
    s.v.commandKey(13);
    const auto& ents = s.v.drawing().entities();
    ASSERT_EQ(ents.size(), 2u);
    const auto& first = *geomIf<LineGeom>(ents[0]);
    const auto& second = *geomIf<LineGeom>(ents[1]);
    EXPECT_EQ(first.p2.y, first.p1.y);
    EXPECT_NEAR(first.p2.x, 10, 1e-9);
    EXPECT_EQ(second.p2.x, second.p1.x);
    EXPECT_NEAR(second.p2.y, 8, 1e-9);

    s.v.PolarPutInc(45);
    s.v.Execute(command::kDrawLine);
    s.press(0, 0);
    s.press(10, 9);
    s.v.PolarPutOn(false);
    s.press(20, 10);
    s.v.commandKey(13);
    const auto& drawn = s.v.drawing().entities();
    const auto& diagonal = *geomIf<LineGeom>(drawn[drawn.size() - 2]);
    EXPECT_NEAR(diagonal.p2.x, 9.5, 1e-6);
    EXPECT_NEAR(diagonal.p2.y, 9.5, 1e-6);
    const auto& free = *geomIf<LineGeom>(drawn.back());
    EXPECT_NEAR(free.p2.y, 10, 1e-9);
}

}  // namespace
}  // namespace brondel::engine
