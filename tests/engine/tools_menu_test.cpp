// The Tools menu's measurements against values worked out by hand, and
// the commands that report them or change the drawing by them.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "engine/drawing_info.h"
#include "engine/measure.h"
#include "engine/text_pattern.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

TEST(Measure, ClosedEntitiesGiveTheirAreaAndPerimeter) {
    const EllipseGeom half{.majorAxis = {3, 0, 0}, .ratio = 1.0 / 3, .endParam = kPi};
    EllipseGeom full = half;
    full.endParam = kTwoPi;
    struct Case {
        const char* what;
        Entity entity;
        std::optional<AreaMeasure> expected;
    };
    const Case cases[] = {
        {"circle r 2", Entity(CircleGeom{{1, 1, 0}, 2}), AreaMeasure{4 * kPi, 4 * kPi}},
        {"square 4, clockwise",
         Entity(PolylineGeom{{{0, 0, 0, 0}, {0, 4, 0, 0}, {4, 4, 0, 0}, {4, 0, 0, 0}}, true}),
         AreaMeasure{16, 16}},
        {"circle of two half-circle bulges, d 1",
         Entity(PolylineGeom{{{0, 0, 0, 1}, {1, 0, 0, 1}}, true}), AreaMeasure{kPi / 4, kPi}},
        // A 2 x 2 square whose top edge bows out as a half circle.
        {"square with an outward half circle",
         Entity(PolylineGeom{{{0, 0, 0, 0}, {2, 0, 0, 0}, {2, 2, 0, 1}, {0, 2, 0, 0}}, true}),
         AreaMeasure{4 + kPi / 2, 6 + kPi}},
        // The same bowing in: the half circle is taken away.
        {"square with an inward half circle",
         Entity(PolylineGeom{{{0, 0, 0, 0}, {2, 0, 0, 0}, {2, 2, 0, -1}, {0, 2, 0, 0}}, true}),
         AreaMeasure{4 - kPi / 2, 6 + kPi}},
        {"triangle whose last vertex is its first",
         Entity(PolylineGeom{{{0, 0, 0, 0}, {4, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 0, 0}}, false}),
         AreaMeasure{6, 12}},
        // Ramanujan's second perimeter, h = 1/4: within 1e-9 of the true one.
        {"ellipse 3 x 1", Entity(full),
         AreaMeasure{3 * kPi, 4 * kPi * (1 + 0.75 / (10 + std::sqrt(3.25)))}},
        {"half ellipse", Entity(half), std::nullopt},
        {"open polyline", Entity(PolylineGeom{{{0, 0, 0, 0}, {4, 0, 0, 0}, {0, 3, 0, 0}}, false}),
         std::nullopt},
        {"line", Entity(LineGeom{{0, 0, 0}, {1, 1, 0}}), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<AreaMeasure> m = measureClosed(c.entity);
        ASSERT_EQ(m.has_value(), c.expected.has_value());
        if (m) {
            EXPECT_NEAR(m->area, c.expected->area, 1e-9 * c.expected->area);
            EXPECT_NEAR(m->perimeter, c.expected->perimeter, 1e-6 * c.expected->perimeter);
        }
    }
}

TEST(TextPattern, StarsAndQuestionMarksWithoutRegardToCase) {
    struct Case {
        const char* text;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"Hello World", "hello*", true},
        {"Hello World", "*WORLD", true},
        {"Hello World", "h?llo w*d", true},
        {"Hello World", "hello", false},
        {"", "*", true},
        {"", "?", false},
        {"abc", "a*b*c*", true},
        {"abc", "a*c?", false},
        {"\xC3\x98 5", "? 5", true},
        {"Part\nNo. 7", "part*7", true},
        {"aaaaaaaaab", "*a*a*a*b", true},
        {"aaaaaaaaaa", "*a*a*a*b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(matchesPattern(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
    }
}

TEST(ToolsMenu, DistanceAndAreaAreSaidInTheCommandWindow) {
    struct Case {
        int code;
        std::vector<std::string> typed;
        const char* said;
    };
    const Case cases[] = {
        {952,
         {"1,1", "4,5"},
         "Distance Tool: distance 5, \u0394X 3, \u0394Y 4, angle 53.13010235\u00b0"},
        {952, {"0,0", "-2,0"}, "Distance Tool: distance 2, \u0394X -2, \u0394Y 0, angle 180\u00b0"},
        {953, {"0,0", "4,0", "0,3", ""}, "Area Tool: area 6, perimeter 12"},
        {953, {"0,0", "4,0", "9,9", "u", "4,3", "0,3", ""}, "Area Tool: area 12, perimeter 14"},
    };
    for (const Case& c : cases) {
        VecadSession s;
        s.v.Execute(c.code);
        for (const std::string& line : c.typed) {
            s.v.commandInput(line);
        }
        EXPECT_FALSE(s.v.commandRunning());
        EXPECT_EQ(s.v.commandHistory().back(), c.said);
        EXPECT_FALSE(s.v.drawing().canUndo());
    }
}

TEST(ToolsMenu, AreaOfAPickedClosedEntity) {
    VecadSession s;
    s.v.drawing().add(Entity(CircleGeom{{0, 0, 0}, 10}));
    s.v.drawing().add(Entity(LineGeom{{20, 0, 0}, {30, 0, 0}}));
    s.v.Execute(953);
    s.v.commandInput("o");
    s.press(25, 0);
    EXPECT_TRUE(s.v.commandRunning());
    EXPECT_EQ(s.v.commandHistory().back(),
              "Area Tool: that is not a closed circle, ellipse, polyline or spline");
    s.press(10, 0);
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_EQ(s.v.commandHistory().back(), "Area Tool: area 314.1592654, perimeter 62.83185307");
}

TEST(ToolsMenu, CalibrateScalesTheDrawingAboutTheFirstPoint) {
    VecadSession s;
    Drawing& d = s.v.drawing();
    const Handle line = d.add(Entity(LineGeom{{1, 1, 0}, {11, 1, 0}}));
    const Handle circle = d.add(Entity(CircleGeom{{21, 1, 0}, 2}));
    s.v.Execute(954);
    for (const char* typed : {"1,1", "1,1", "11,1", "0", "-3", "1e999", "25"}) {
        s.v.commandInput(typed);
    }
    EXPECT_FALSE(s.v.commandRunning());
    const auto* l = geomIf<LineGeom>(d.entity(line));
    const auto* c = geomIf<CircleGeom>(d.entity(circle));
    ASSERT_TRUE(l && c);
    EXPECT_NEAR(l->p1.x, 1, 1e-12);
    EXPECT_NEAR(l->p2.x, 26, 1e-12);
    EXPECT_NEAR(c->center.x, 51, 1e-12);
    EXPECT_NEAR(c->radius, 5, 1e-12);
}

TEST(ToolsMenu, CurrentLayerTakesThePressedEntitysLayer) {
    VecadSession s;
    Drawing& d = s.v.drawing();
    d.addLayer(Layer{"holes"});
    d.add(Entity(CircleGeom{{0, 0, 0}, 5}, {.layer = "holes"}));
    s.v.Execute(142);
    s.press(5, 0);
    EXPECT_EQ(d.currentLayer(), "holes");
    EXPECT_EQ(d.undoLabel(), "Current Layer");
    s.v.Execute(301);
    EXPECT_EQ(d.currentLayer(), "0");
}

TEST(ToolsMenu, DrawingInfoCountsWhatTheDrawingHolds) {
    Drawing d;
    d.add(Entity(LineGeom{{0, 0, 0}, {10, 0, 0}}));
    d.add(Entity(LineGeom{{0, -5, 0}, {10, 5, 0}}));
    d.add(Entity(CircleGeom{{20, 0, 0}, 2}));
    const std::vector<std::string> lines = drawingInfo(d, "");
    const std::vector<std::string> expected = {
        "file: none (never saved)",       "version: new drawing",     "units: unitless",
        "entities: 3 (LINE 2, CIRCLE 1)", "layers: 1 (0), current 0", "blocks: 0",
        "extents: (0, -5) to (22, 5)",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace brondel::engine
