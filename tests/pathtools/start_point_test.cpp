#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/cad.h"
#include "engine/commands.h"
#include "pathtools/reverse_line.h"
#include "tests/pathtools/pick_session.h"

namespace brondel {
namespace {

using engine::Handle;
using ports::Answer;
using testing::PickSession;

const engine::TextGeom* markerOf(PickSession& s) {
    const engine::Entity* e = s.vecad().drawing().find(s.main.state.startMarker);
    return e && !e->erased ? engine::geomIf<engine::TextGeom>(*e) : nullptr;
}

int liveTexts(PickSession& s) {
    int n = 0;
    for (Handle h = s.vecad().GetFirstEntity(); h; h = s.vecad().GetNextEntity(h)) {
        n += s.vecad().EntityGetType(h) == 13;
    }
    return n;
}

// The question, the red marker's size and No swapping the ends exactly and
// moving the marker are in the transcript of tests/scripts/pick_start_point.
TEST(StartPoint, YesMarksTheFirstPointAndRecordsTheLine) {
    PickSession s;
    const Handle line = s.vecad().AddLine(10, 20, 3, 40, 30, 0);
    s.main.click("mnuSetStart");
    s.dialogs().answer(Answer::Yes);
    s.pressAt(25, 25);

    EXPECT_EQ(s.main.state.startEntity, line);
    const engine::TextGeom* marker = markerOf(s);
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->p, (engine::Point3{10, 20, 3}));
    EXPECT_DOUBLE_EQ(marker->angle, std::atan(10.0 / 30.0));
    EXPECT_TRUE(s.vecad().isSelected(line));
    EXPECT_EQ(s.prompt(), "");
    EXPECT_EQ(engine::CadGetCrossSize(), 100);
}

TEST(StartPoint, VerticalAndZeroLengthLinesGetAnAngleWithoutDividingByZero) {
    struct Case {
        engine::Point3 p1, p2;
        double angle;
    };
    const Case cases[] = {
        {{5, 30, 0}, {5, 10, 0}, -std::numbers::pi / 2},  // downwards
        {{5, 10, 0}, {5, 30, 0}, std::numbers::pi / 2},   // upwards
        {{5, 10, 0}, {5, 10, 0}, 0},                      // a point
    };
    for (const Case& c : cases) {
        PickSession s;
        s.vecad().AddLine(c.p1.x, c.p1.y, c.p1.z, c.p2.x, c.p2.y, c.p2.z);
        s.main.click("mnuSetStart");
        s.dialogs().answer(Answer::Yes);
        s.pressAt(5, 10);
        const engine::TextGeom* marker = markerOf(s);
        ASSERT_NE(marker, nullptr);
        EXPECT_NEAR(marker->angle, c.angle, 1e-5);
        EXPECT_EQ(marker->p, c.p1);
    }
}

TEST(StartPoint, NoThenCancelLeavesTheLineReversedWithoutMarker) {
    PickSession s;
    const Handle line = s.vecad().AddLine(0, 0, 0, 10, 5, 0);
    s.main.state.startEntity = 77;
    s.main.click("mnuSetStart");
    s.dialogs().answer(Answer::No).answer(Answer::Cancel);
    s.pressAt(5, 2.5);
    EXPECT_EQ(s.line(line).p1, (engine::Point3{10, 5, 0}));
    EXPECT_EQ(s.line(line).p2, (engine::Point3{0, 0, 0}));
    EXPECT_EQ(liveTexts(s), 0);
    EXPECT_EQ(s.main.state.startEntity, 77);
    EXPECT_FALSE(s.modes().startPoint);
    EXPECT_TRUE(s.vecad().isSelected(line));
}

TEST(StartPoint, ASecondYesKeepsTheEarlierMarkerAndOneUndoTakesTheToolBack) {
    PickSession s;
    const Handle line = s.vecad().AddLine(0, 0, 0, 10, 5, 0);
    s.main.click("mnuSetStart");
    s.dialogs().answer(Answer::Yes);
    s.pressAt(5, 2.5);
    const Handle first = s.main.state.startMarker;

    s.main.click("mnuSetStart");
    s.dialogs().answer(Answer::No).answer(Answer::Yes);
    s.pressAt(5, 2.5);
    EXPECT_EQ(liveTexts(s), 2);
    EXPECT_NE(s.main.state.startMarker, first);

    s.vecad().Execute(engine::command::kUndo);
    EXPECT_EQ(liveTexts(s), 1);
    EXPECT_EQ(s.line(line).p1, (engine::Point3{0, 0, 0}));
}

TEST(ReverseLine, ArcsAndPolylinesRunBackOverTheSameShape) {
    PickSession s;
    engine::Drawing& d = s.vecad().drawing();
    const Handle arc =
        d.add(engine::Entity(engine::ArcGeom{{0, 0, 0}, 2, 0, std::numbers::pi / 2}));
    const engine::PolylineGeom open{.vertices = {{0, 0, 0, 1}, {2, 0, 0, 0}, {2, 2, 0, 0}}};
    const Handle pl = d.add(engine::Entity(open));
    engine::PolylineGeom closed = open;
    closed.closed = true;
    const Handle ring = d.add(engine::Entity(closed));

    pathtools::reverseLine(s.vecad(), arc);
    double x, y, z;
    engine::CadLineGetPoint1(arc, x, y, z);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, 2, 1e-12);
    EXPECT_DOUBLE_EQ(engine::CadArcGetAngle(arc), -std::numbers::pi / 2);

    pathtools::reverseLine(s.vecad(), pl);
    const auto* g = engine::geomIf<engine::PolylineGeom>(s.entity(pl));
    ASSERT_EQ(g->vertices.size(), 3u);
    EXPECT_EQ(g->vertices[0], (engine::Vertex{2, 2, 0, 0}));
    EXPECT_EQ(g->vertices[1], (engine::Vertex{2, 0, 0, -1}));  // the bulged segment, turned
    EXPECT_EQ(g->vertices[2], (engine::Vertex{0, 0, 0, 0}));

    pathtools::reverseLine(s.vecad(), ring);
    const auto* r = engine::geomIf<engine::PolylineGeom>(s.entity(ring));
    EXPECT_EQ(r->vertices[0], (engine::Vertex{0, 0, 0, 0}));  // starts where it started
    EXPECT_EQ(r->vertices[1], (engine::Vertex{2, 2, 0, 0}));
    EXPECT_EQ(r->vertices[2], (engine::Vertex{2, 0, 0, -1}));
}

}  // namespace
}  // namespace brondel
