// The 3D views: what each direction shows, the projection of every kind of
// entity, and a control's picks, zooms and refusals in a projected view.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/projected_drawing.h"
#include "engine/shape.h"
#include "engine/vecad.h"
#include "engine/view_presets_editor.h"
#include "every_kind_drawing.h"
#include "tests/engine/block_map.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

constexpr double kTight = 1e-9;

// Where the unit axes and a point above the origin show, worked by hand:
// the isometric views see each axis foreshortened to sqrt(2/3).
TEST(ViewDirection, EachDirectionShowsTheAxesWhereTheViewLooksFrom) {
    const double s = std::sqrt(0.5), h = 1 / std::sqrt(6.0), up = 2 / std::sqrt(6.0);
    struct Case {
        int code;
        Point2 x, y, z;  // where (1,0,0), (0,1,0) and (0,0,1) show
    } const cases[] = {
        {131, {1, 0}, {0, 1}, {0, 0}},     {132, {1, 0}, {0, -1}, {0, 0}},
        {133, {0, 0}, {-1, 0}, {0, 1}},    {134, {0, 0}, {1, 0}, {0, 1}},
        {135, {1, 0}, {0, 0}, {0, 1}},     {136, {-1, 0}, {0, 0}, {0, 1}},
        {137, {s, h}, {-s, h}, {0, up}},   {138, {s, -h}, {s, h}, {0, up}},
        {139, {-s, -h}, {s, -h}, {0, up}}, {130, {-s, h}, {-s, -h}, {0, up}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const std::optional<ViewDirection> d = viewDirectionOfCode(c.code);
        ASSERT_TRUE(d);
        EXPECT_EQ(viewDirectionCode(*d), c.code);
        const ViewAxes axes = viewAxes(*d);
        const Point2 shown[] = {projectOnto(axes, {1, 0, 0}), projectOnto(axes, {0, 1, 0}),
                                projectOnto(axes, {0, 0, 1})};
        const Point2 expected[] = {c.x, c.y, c.z};
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(shown[i].x, expected[i].x, kTight) << "axis " << i;
            EXPECT_NEAR(shown[i].y, expected[i].y, kTight) << "axis " << i;
        }
    }
    EXPECT_FALSE(viewDirectionOfCode(140));
    EXPECT_EQ(viewDirectionNamed("SW"), ViewDirection::SouthWest);
    EXPECT_EQ(viewDirectionNamed("Front"), ViewDirection::Front);
    EXPECT_FALSE(viewDirectionNamed("sideways"));
}

// Seen from below, every kind shows as its mirror image in x: its box is
// the drawing's box turned over. Arcs and ellipses run the other way round
// there, so their parameters are the ones a mistake would show.
TEST(ViewDirection, EveryKindSeenFromBelowIsItsMirrorImage) {
    Drawing d;
    d.load(testing::everyKindContent());
    const ViewAxes below = viewAxes(ViewDirection::Bottom);
    const ViewAxes top = viewAxes(ViewDirection::Top);
    for (const Entity& e : d.entities()) {
        if (e.erased || geomIf<InfiniteLineGeom>(e)) {
            continue;
        }
        SCOPED_TRACE(testing::kindName(e));
        std::vector<Entity> fromTop, fromBelow;
        appendProjected(e, d, top, fromTop);
        appendProjected(e, d, below, fromBelow);
        ASSERT_FALSE(fromBelow.empty());
        for (const Entity& part : fromBelow) {
            EXPECT_EQ(part.props().layer, fromBelow.front().props().layer);
        }
        const Box2 plan = boundingBox(e, d);
        const double tolerance = 1e-3 * std::max(1.0, plan.maxX - plan.minX);
        const auto expectBox = [&](const Box2& seen, double minY, double maxY) {
            EXPECT_NEAR(seen.minX, plan.minX, tolerance);
            EXPECT_NEAR(seen.maxX, plan.maxX, tolerance);
            EXPECT_NEAR(seen.minY, minY, tolerance);
            EXPECT_NEAR(seen.maxY, maxY, tolerance);
        };
        expectBox(brondel::testing::boxOf(fromTop, d), plan.minY, plan.maxY);
        expectBox(brondel::testing::boxOf(fromBelow, d), -plan.maxY, -plan.minY);
    }
}

// Curves of a plane at some height, seen at a slant: every point of the
// curve shows on the projected ellipse, and its ends where the projected
// ends are. Edge-on, a circle shows as the segment of its diameter.
TEST(ViewDirection, CurvesShowAsTheEllipsesTheirPointsLieOn) {
    const auto pointAt = [](const Entity& e, double t) -> Point3 {
        if (const auto* c = geomIf<CircleGeom>(e)) {
            return {c->center.x + c->radius * std::cos(t), c->center.y + c->radius * std::sin(t),
                    c->center.z};
        }
        if (const auto* a = geomIf<ArcGeom>(e)) {
            const double at = a->startAngle + a->angle * t / (2 * std::numbers::pi);
            return {a->center.x + a->radius * std::cos(at), a->center.y + a->radius * std::sin(at),
                    a->center.z};
        }
        const auto* el = geomIf<EllipseGeom>(e);
        const double at =
            el->startParam + (el->endParam - el->startParam) * t / (2 * std::numbers::pi);
        const Point3 m = el->majorAxis;
        return {el->center.x + m.x * std::cos(at) - m.y * el->ratio * std::sin(at),
                el->center.y + m.y * std::cos(at) + m.x * el->ratio * std::sin(at), el->center.z};
    };
    const Entity curves[] = {
        Entity(CircleGeom{{3, 4, 7}, 2}),
        Entity(ArcGeom{{-1, 2, 5}, 3, 0.3, 2.0}),
        Entity(ArcGeom{{1, 1, -2}, 1.5, 2.5, -1.7}),
        Entity(EllipseGeom{{0, 0, 4}, {3, 1, 0}, 0.4, 0.5, 4.0}),
    };
    Drawing none;
    for (const ViewDirection direction : {ViewDirection::SouthWest, ViewDirection::NorthEast,
                                          ViewDirection::Bottom, ViewDirection::Left}) {
        const ViewAxes axes = viewAxes(direction);
        for (const Entity& curve : curves) {
            SCOPED_TRACE(testing::kindName(curve) + " seen from " + viewDirectionName(direction));
            std::vector<Entity> shown;
            appendProjected(curve, none, axes, shown);
            ASSERT_FALSE(shown.empty());
            for (int i = 0; i <= 16; ++i) {
                const Point2 p = projectOnto(axes, pointAt(curve, i * std::numbers::pi / 8));
                double nearest = INFINITY;
                for (const Entity& part : shown) {
                    nearest = std::min(nearest, distanceTo(part, p.x, p.y, none));
                }
                EXPECT_LT(nearest, 1e-6) << "sample " << i;
            }
        }
    }
    std::vector<Entity> edgeOn;
    appendProjected(Entity(CircleGeom{{3, 4, 7}, 2}), none, viewAxes(ViewDirection::Front), edgeOn);
    const Box2 segment = brondel::testing::boxOf(edgeOn, none);
    EXPECT_NEAR(segment.minX, 1, 1e-6);
    EXPECT_NEAR(segment.maxX, 5, 1e-6);
    EXPECT_NEAR(segment.minY, 7, kTight);
    EXPECT_NEAR(segment.maxY, 7, kTight);
}

// A drawing with height seen from the front: picks and boxes select in the
// projection, Zoom Extents fits it, Erase works on what was picked, and a
// command that takes drawing points refuses until the top view is back.
TEST(ViewDirection, AProjectedViewPicksZoomsAndRefusesToDraw) {
    Vecad v;
    testing::RecordingListener heard;
    v.setListener(&heard);
    v.view().resize(400, 300);
    const Handle rising = v.AddLine(0, 0, 0, 0, 0, 50);  // a point from the top
    const Handle flat = v.AddLine(100, 0, 10, 200, 0, 10);
    Block bolt;
    bolt.name = "Bolt";
    bolt.entities.emplace_back(LineGeom{{0, 0, 0}, {10, 0, 0}});
    bolt.entities.emplace_back(LineGeom{{0, 0, 0}, {0, 0, 10}});
    v.drawing().setBlock("Bolt", bolt);
    InsertGeom at;
    at.block = "Bolt";
    at.p = {300, 0, 20};
    const Handle insert = v.drawing().add(Entity(at));

    v.Execute(135);  // 3D Front
    EXPECT_EQ(v.viewDirection(), ViewDirection::Front);
    const Box2 box = v.shown().extents();
    EXPECT_NEAR(box.minY, 0, kTight);
    EXPECT_NEAR(box.maxY, 50, kTight);
    EXPECT_NEAR(v.view().center().x, (box.minX + box.maxX) / 2, 1e-6);
    EXPECT_NEAR(v.view().center().y, 25, 1e-6);

    const Point2 middle = v.view().toWindow(0, 25);
    EXPECT_EQ(v.GetEntityAtPoint(middle.x, middle.y), rising);
    const Point2 onBolt = v.view().toWindow(300, 25);
    EXPECT_EQ(v.GetEntityAtPoint(onBolt.x, onBolt.y), insert);

    // A window takes an entity whose parts all lie in it; crossing, any part.
    Box2 window;
    window.add(95, -1);
    window.add(305, 31);
    EXPECT_EQ(v.selectInBox(window, false), 1);
    EXPECT_EQ(v.selection(), std::vector<Handle>{flat});
    EXPECT_EQ(v.selectInBox(window, true), 1);
    EXPECT_EQ(v.selection(), (std::vector<Handle>{flat, insert}));

    v.Execute(command::kErase);
    EXPECT_EQ(v.GetNumEntities(), 1);
    EXPECT_EQ(v.shownSource(v.shown().firstLive()), rising);

    heard.notices.clear();
    v.Execute(command::kDrawLine);
    EXPECT_FALSE(v.commandRunning());
    ASSERT_EQ(heard.notices.size(), 1u);
    EXPECT_NE(heard.notices[0].find("Draw Line works in the XY plane"), std::string::npos);

    v.Execute(command::kUndo);
    EXPECT_EQ(v.shown().liveCount(), 4u);  // the projection follows the drawing

    ViewPresetsEditor presets(v);
    EXPECT_EQ(presets.command("upside"), "There is no view preset \"upside\"");
    EXPECT_EQ(presets.command("top"), "");
    EXPECT_EQ(&v.shown(), &v.drawing());
    v.Execute(command::kDrawLine);
    EXPECT_TRUE(v.commandRunning());
}

}  // namespace
}  // namespace brondel::engine
