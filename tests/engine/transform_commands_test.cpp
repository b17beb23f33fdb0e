// Move, Rotate, Mirror, Scale, Drop Copy and Explode through the control as
// a user drives them, and the select-first stage they share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "engine/commands.h"
#include "engine/tools/tools.h"
#include "engine/vecad_tool_context.h"
#include "tests/engine/entity_values.h"
#include "tests/engine/every_kind_drawing.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

// Every kind, on layers that may be changed. A dimension moved by a map
// becomes its block's parts, so it has no way back and is left out here.
DrawingContent changeableKinds() {
    DrawingContent c = testing::everyKindContent();
    for (Layer& layer : c.layers) {
        layer.locked = false;
    }
    std::erase_if(c.entities, [](const Entity& e) { return geomIf<DimensionGeom>(e); });
    // Left aligned: the alignment a mirror swaps.
    const TextGeom left{
        .text = "Left", .p = {3, -7, 0}, .alignPoint = {9, -7, 0}, .height = 1.75, .angle = 2.2};
    c.entities.emplace_back(left, testing::props("0"));
    return c;
}

void run(VecadSession& s, int code, const std::vector<std::string>& typed) {
    s.selectAll();
    s.v.Execute(code);
    for (const std::string& line : typed) {
        s.v.commandInput(line);
    }
}

struct RoundTrip {
    const char* name;
    int code;
    std::vector<std::string> there, back;
};

TEST(TransformCommands, EachMapAndItsInverseGiveBackEveryKind) {
    const std::vector<RoundTrip> trips = {
        {"move", 313, {"3,4", "13.5,-2.25"}, {"13.5,-2.25", "3,4"}},
        {"rotate", 314, {"5,7", "37.5"}, {"5,7", "-37.5"}},
        {"rotate by a point", 314, {"-2,1", "-7,13"}, {"-2,1", "-7,-11"}},
        {"rotate half a turn", 314, {"0,0", "180"}, {"0,0", "180"}},
        {"mirror", 316, {"1,2", "4,9", "Y"}, {"1,2", "4,9", "Y"}},
        {"mirror upright", 316, {"2,0", "2,5", "Y"}, {"2,0", "2,5", "Y"}},
        {"mirror level", 316, {"0,-3", "8,-3", "Y"}, {"0,-3", "8,-3", "Y"}},
    };
    for (const RoundTrip& trip : trips) {
        SCOPED_TRACE(trip.name);
        VecadSession s;
        s.v.drawing().load(changeableKinds());
        const std::vector<Entity> before = s.v.drawing().entities();
        run(s, trip.code, trip.there);
        EXPECT_FALSE(s.v.commandRunning());
        EXPECT_EQ(s.v.drawing().undoLabel(), commandName(trip.code));
        run(s, trip.code, trip.back);
        const std::vector<Entity>& after = s.v.drawing().entities();
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            SCOPED_TRACE(testing::kindName(before[i]));
            EXPECT_EQ(after[i].handle, before[i].handle);
            EXPECT_EQ(after[i].props(), before[i].props());
            EXPECT_EQ(after[i].type(), before[i].type());
            // Angles as directions, so a turn of 2 pi does not count as a difference.
            const testing::EntityValues a = testing::entityValues(after[i], true),
                                        b = testing::entityValues(before[i], true);
            EXPECT_EQ(a.texts, b.texts);
            ASSERT_EQ(a.numbers.size(), b.numbers.size());
            for (std::size_t k = 0; k < a.numbers.size(); ++k) {
                EXPECT_NEAR(a.numbers[k], b.numbers[k],
                            1e-12 * std::max(50.0, std::abs(b.numbers[k])))
                    << k;
            }
        }
    }
}

TEST(TransformCommands, ScaleKeepsArcsTextRatiosAndComposesBlockReferences) {
    VecadSession s;
    s.v.drawing().load(changeableKinds());
    const std::vector<Entity> before = s.v.drawing().entities();
    run(s, 315, {"1,1", "R", "2", "1,7"});  // 6 over a reference of 2: three times
    ASSERT_FALSE(s.v.commandRunning());
    const std::vector<Entity>& after = s.v.drawing().entities();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].type(), before[i].type()) << testing::kindName(before[i]);
        if (const auto* arc = geomIf<ArcGeom>(after[i])) {
            EXPECT_DOUBLE_EQ(arc->radius, 3 * geomIf<ArcGeom>(before[i])->radius);
        } else if (const auto* text = geomIf<TextGeom>(after[i])) {
            const TextGeom& t = *geomIf<TextGeom>(before[i]);
            EXPECT_DOUBLE_EQ(text->height, 3 * t.height);
            EXPECT_DOUBLE_EQ(text->widthFactor, t.widthFactor);
        } else if (const auto* leader = geomIf<LeaderGeom>(after[i])) {
            const LeaderGeom& l = *geomIf<LeaderGeom>(before[i]);
            EXPECT_DOUBLE_EQ(leader->annotation.height, 3 * l.annotation.height);
            EXPECT_DOUBLE_EQ(leader->vertices.back().x - 1, 3 * (l.vertices.back().x - 1));
        } else if (const auto* insert = geomIf<InsertGeom>(after[i])) {
            EXPECT_DOUBLE_EQ(insert->scale.x, 6);
            EXPECT_DOUBLE_EQ(insert->scale.y, 6);
            EXPECT_DOUBLE_EQ(insert->columnSpacing, 15);
        }
    }
}

struct Readable {
    const char* line;  // two points of the mirror line
    int hAlign, vAlign;
    double angle;
    int wantH, wantV;
    double wantAngle;
    Point2 wantAnchor;  // p for baseline-left texts, alignPoint otherwise
};

TEST(TransformCommands, MirroredTextsReadTheRightWayRound) {
    const std::vector<Readable> cases = {
        // Across an upright line: right-aligned where it was left-aligned.
        {"0,0 0,10", 0, 0, 0, 2, 0, 0, {-4, 1}},
        {"0,0 0,10", 2, 0, 0, 0, 0, 0, {-4, 1}},
        // Across a level line: still level, hanging from its top.
        {"0,0 10,0", 0, 1, 0, 0, 3, 0, {4, -1}},
        {"0,0 10,0", 0, 0, 0, 0, 0, 0, {4, -1}},
        // A text going up, across a level line, still reads going up, from
        // below the line.
        {"0,0 10,0", 0, 0, kPi / 2, 2, 0, kPi / 2, {4, -1}},
    };
    for (const Readable& c : cases) {
        SCOPED_TRACE(c.line);
        VecadSession s;
        const Handle h = s.v.drawing().add(Entity(TextGeom{.text = "Ab",
                                                           .p = {4, 1, 0},
                                                           .alignPoint = {4, 1, 0},
                                                           .height = 2,
                                                           .angle = c.angle,
                                                           .hAlign = c.hAlign,
                                                           .vAlign = c.vAlign}));
        const std::string line = c.line;
        run(s, 316, {line.substr(0, line.find(' ')), line.substr(line.find(' ') + 1), "Y"});
        const TextGeom& m = *geomIf<TextGeom>(s.v.drawing().entity(h));
        EXPECT_EQ(m.hAlign, c.wantH);
        EXPECT_EQ(m.vAlign, c.wantV);
        EXPECT_NEAR(std::remainder(m.angle - c.wantAngle, kTwoPi), 0, 1e-12);
        EXPECT_DOUBLE_EQ(m.height, 2);
        const Point3 anchor = c.wantH == 0 && c.wantV == 0 ? m.p : m.alignPoint;
        EXPECT_NEAR(anchor.x, c.wantAnchor.x, 1e-12);
        EXPECT_NEAR(anchor.y, c.wantAnchor.y, 1e-12);
    }
}

TEST(TransformCommands, EntitiesOnLockedLayersStayAndAreCounted) {
    VecadSession s;
    Drawing& d = s.v.drawing();
    d.addLayer(Layer{"Fixed", {}, "CONTINUOUS", 0, true, false, true});
    const Handle held = d.add(Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}, {.layer = "Fixed"}));
    const Handle free = d.add(Entity(LineGeom{{0, 1, 0}, {1, 1, 0}}));
    run(s, 313, {"0,0", "5,0"});
    EXPECT_EQ(geomIf<LineGeom>(d.entity(held))->p1.x, 0);
    EXPECT_EQ(geomIf<LineGeom>(d.entity(free))->p1.x, 5);
    EXPECT_EQ(s.heard.lines.back(), "Move: 1 entity on locked layers left as they are");
    // Nothing left to change: no step at all.
    s.v.SelClear();
    s.v.SelectEntity(held, true);
    const std::string label = d.undoLabel();
    s.v.Execute(316);
    for (const char* line : {"0,0", "0,1", "N"}) {
        s.v.commandInput(line);
    }
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_EQ(d.liveCount(), 2u);
    EXPECT_EQ(d.undoLabel(), label);
}

struct Refusal {
    int code;
    std::vector<std::string> typed;  // the last is refused
    std::string says;
};

TEST(TransformCommands, BadInputIsRefusedAndTheCommandWaits) {
    const std::vector<Refusal> cases = {
        {316, {"2,2", "2,2"}, "Mirror: the mirror line has no length; give another second point"},
        {315, {"0,0", "0"}, "Scale: the scale must be a positive number"},
        {315, {"0,0", "-2"}, "Scale: the scale must be a positive number"},
        {315, {"0,0", "0,0"}, "Scale: the scale must be a positive number"},
        {315, {"0,0", "R", "0"}, "Scale: the reference length must be a positive number"},
        {314, {"1,1", "1,1"}, "Rotate: that is the base point; give another"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.says);
        VecadSession s;
        s.v.drawing().add(Entity(CircleGeom{{3, 3, 0}, 1}));
        const std::uint64_t version = s.v.drawing().version();
        run(s, c.code, c.typed);
        EXPECT_TRUE(s.v.commandRunning());
        EXPECT_NE(std::find(s.heard.lines.begin(), s.heard.lines.end(), c.says),
                  s.heard.lines.end());
        EXPECT_EQ(s.v.drawing().version(), version);
    }
}

TEST(TransformCommands, ABasePointThatIsNotFiniteIsRefused) {
    for (auto make : {tools::makeMove, tools::makeRotate, tools::makeScale, tools::makeMirror}) {
        VecadSession s;
        VecadToolContext context(s.v);
        const std::unique_ptr<Tool> tool = make();
        tool->begin(context);
        ToolEvent press{ToolEvent::Kind::Point, {{0, 0}, {std::nan(""), 0}}, 0, {}};
        EXPECT_EQ(tool->update(context, press), ToolResult::Running);
        EXPECT_FALSE(tool->basePoint());
        press.at.world = {0, std::numeric_limits<double>::infinity()};
        EXPECT_EQ(tool->update(context, press), ToolResult::Running);
        EXPECT_FALSE(tool->basePoint());
        ASSERT_FALSE(s.heard.lines.empty());
        EXPECT_NE(s.heard.lines.back().find("must be a finite point"), std::string::npos);
    }
}

TEST(TransformCommands, DropCopyLeavesACopyAtEachPoint) {
    VecadSession s;
    const Handle h = s.v.drawing().add(Entity(CircleGeom{{0, 0, 0}, 1}));
    run(s, 312, {"0,0", "10,0", "0,10", ""});
    ASSERT_FALSE(s.v.commandRunning());
    ASSERT_EQ(s.v.drawing().liveCount(), 3u);
    EXPECT_EQ(geomIf<CircleGeom>(s.v.drawing().entity(h))->center.x, 0);
    EXPECT_EQ(geomIf<CircleGeom>(s.v.drawing().entity(h + 1))->center.x, 10);
    EXPECT_EQ(geomIf<CircleGeom>(s.v.drawing().entity(h + 2))->center.y, 10);
}

TEST(TransformCommands, ExplodeBreaksOneLevel) {
    VecadSession s;
    s.v.drawing().load(changeableKinds());
    run(s, 317, {});
    ASSERT_FALSE(s.v.commandRunning());
    std::size_t lines = 0, arcs = 0;
    for (const Entity& e : s.v.drawing().entities()) {
        if (!e.erased) {
            EXPECT_FALSE(geomIf<InsertGeom>(e));
            lines += geomIf<LineGeom>(e) ? 1 : 0;
            arcs += geomIf<ArcGeom>(e) ? 1 : 0;
        }
    }
    EXPECT_GT(lines, 6u);  // the block's six copies each hold one line
    EXPECT_GT(arcs, 2u);   // the bulged polyline segments
}

TEST(TransformCommands, ABulkReplaceIsOneStepAndAHandleGivenTwiceUndoesExactly) {
    for (const int others : {5, 100}) {  // index rebuilt, index kept
        SCOPED_TRACE(others);
        Drawing d;
        const Handle h = d.add(Entity(CircleGeom{{0, 0, 0}, 1}));
        for (int i = 0; i < others; ++i) {
            d.add(Entity(PointGeom{{double(i), 50, 0}}));
        }
        std::vector<Entity> twice(2, Entity(CircleGeom{{10, 0, 0}, 2}));
        geomIf<CircleGeom>(twice[1])->radius = 3;
        twice[0].handle = twice[1].handle = h;
        d.replaceMany(std::move(twice));
        EXPECT_EQ(geomIf<CircleGeom>(d.entity(h))->radius, 3);
        EXPECT_EQ(d.within(10, 3, 0.01).size(), 1u);
        EXPECT_EQ(d.within(0, 50, 0.01).size(), 1u);  // the others stay where they are
        d.undo();
        EXPECT_EQ(geomIf<CircleGeom>(d.entity(h))->radius, 1);
        EXPECT_EQ(d.within(0, 1, 0.01).size(), 1u);
        EXPECT_TRUE(d.within(10, 3, 0.01).empty());
        EXPECT_THROW(d.replaceMany({Entity(PointGeom{})}), Error);
    }
}

TEST(SelectFirst, AllLastAndARectangleFromEmptySpace) {
    VecadSession s;
    Drawing& d = s.v.drawing();
    d.addLayer(Layer{"Off", {}, "CONTINUOUS", 0, false, false, false});
    d.addLayer(Layer{"Frozen", {}, "CONTINUOUS", 0, true, true, false});
    d.add(Entity(LineGeom{{0, 0, 0}, {10, 0, 0}}));
    d.add(Entity(LineGeom{{0, 5, 0}, {10, 5, 0}}, {.layer = "Off"}));
    d.add(Entity(LineGeom{{0, 6, 0}, {10, 6, 0}}, {.layer = "Frozen"}));
    const Handle last = d.add(Entity(CircleGeom{{20, 20, 0}, 2}));

    s.v.Execute(command::kErase);
    s.v.commandInput("all");
    EXPECT_EQ(s.v.SelCount(), 2);
    s.v.commandKey(27);

    s.v.Execute(command::kErase);
    s.v.commandInput("L");
    EXPECT_EQ(s.v.SelCount(), 1);
    s.v.commandKey(13);
    EXPECT_TRUE(d.entity(last).erased);

    // Rightwards a window: what lies wholly inside; leftwards a crossing:
    // also what it touches. Neither takes what is not shown.
    s.v.Execute(command::kErase);
    s.press(-1, -1);
    s.press(11, 7);
    EXPECT_EQ(s.v.SelCount(), 1);
    s.v.commandKey(27);
    s.v.Execute(command::kErase);
    s.press(5, 10);
    EXPECT_TRUE(s.v.commandRunning());
    s.press(-3, -1);
    EXPECT_EQ(s.v.SelCount(), 1);  // layers that are off or frozen are not shown
    EXPECT_NE(std::find(s.heard.lines.begin(), s.heard.lines.end(), "1 selected"),
              s.heard.lines.end());
}

}  // namespace
}  // namespace brondel::engine
