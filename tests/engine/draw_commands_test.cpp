// The Draw menu's geometry against values worked out by hand, the refusals
// of degenerate input, and what ezdxf reads back from a saved file.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "engine/commands.h"
#include "engine/tessellate.h"
#include "engine/text_style_editor.h"
#include "tests/engine/vecad_session.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

// Runs a scripted command; code 0 goes on with the running one.
void run(VecadSession& s, int code, const std::vector<std::string>& input) {
    if (code != 0) {
        s.v.Execute(code);
    }
    s.run(input);
}

template <class G>
const G& last(const VecadSession& s) {
    const G* g = geomIf<G>(s.v.drawing().entities().back());
    EXPECT_NE(g, nullptr);
    return *g;
}

std::vector<Point2> corners(const PolylineGeom& g) {
    std::vector<Point2> out;
    for (const Vertex& v : g.vertices) {
        out.push_back({v.x, v.y});
    }
    return out;
}

void expectPoints(const std::vector<Point2>& got, const std::vector<Point2>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, want[i].x, 1e-9) << i;
        EXPECT_NEAR(got[i].y, want[i].y, 1e-9) << i;
    }
}

TEST(DrawCommands, CirclesByEveryWay) {
    struct Case {
        int code;
        std::vector<std::string> input;
        Point2 center;
        double radius;
    };
    const Case cases[] = {
        {221, {"p 3 4", "t 5"}, {3, 4}, 5},
        {221, {"p 0 0", "p 3 4"}, {0, 0}, 5},
        {222, {"p 0 0", "t 10"}, {0, 0}, 5},
        {223, {"p 0 0", "p 10 0"}, {5, 0}, 5},
        {224, {"p 0 0", "p 10 0", "t 13"}, {5, 12}, 13},  // left of the way from p1 to p2
        {224, {"p 10 0", "p 0 0", "t 13"}, {5, -12}, 13},
    };
    for (const Case& c : cases) {
        VecadSession s;
        run(s, c.code, c.input);
        ASSERT_EQ(s.entities(), 1) << c.code;
        const CircleGeom& g = last<CircleGeom>(s);
        EXPECT_NEAR(g.center.x, c.center.x, 1e-9) << c.code;
        EXPECT_NEAR(g.center.y, c.center.y, 1e-9) << c.code;
        EXPECT_NEAR(g.radius, c.radius, 1e-9) << c.code;
    }
}

TEST(DrawCommands, DegenerateInputIsRefusedAndTheCommandWaits) {
    struct Case {
        int code;
        std::vector<std::string> input;
        const char* message;
    };
    const Case cases[] = {
        {221, {"p 1 1", "t 0"}, "The radius must be greater than 0"},
        {223, {"p 1 1", "p 1 1"}, "The two ends of the diameter must differ"},
        {224,
         {"p 0 0", "p 10 0", "t 4"},
         "The radius must be at least half the distance between the points (5.000000)"},
        {212, {"p 2 2", "p 2 8"}, "The corners must differ in x and in y"},
        {229,
         {"p 0 0", "p 5 5", "p 10 10"},
         "The three points lie on one line: no arc passes through them"},
        {242, {"p 0 0", "p 5 5", "enter"}, "A spline needs at least 3 fit points"},
        {210, {"t 2"}, "A polygon has from 3 to 1024 sides"},
        {210, {"t 1025"}, "A polygon has from 3 to 1024 sides"},
        {211, {"p 0 0", "p 0 0"}, "The end of the axis must differ from the centre"},
        {209, {"p 0 0", "t c"}, "A closed polyline needs three vertices, or two and an arc"},
        {245, {"p 0 0", "t -1"}, "The text height must be greater than 0"},
        {205,
         {"p 0 0", "t what"},
         "Draw Line: \"what\" is not what is asked. Type a point (x,y, @dx,dy or "
         "@distance<angle), Undo or press Enter."},
    };
    for (const Case& c : cases) {
        VecadSession s;
        run(s, c.code, c.input);
        EXPECT_EQ(s.v.commandHistory().back(), c.message) << c.code;
        EXPECT_TRUE(s.v.commandRunning()) << c.code;
        EXPECT_EQ(s.entities(), 0) << c.code;
        s.v.commandKey(27);
        EXPECT_FALSE(s.v.drawing().canUndo()) << c.code;
    }
}

TEST(DrawCommands, ArcIsStoredCounterClockwiseWhicheverWayItWasGiven) {
    for (const auto& input : {std::vector<std::string>{"p 10 0", "p 0 10", "p -10 0"},
                              std::vector<std::string>{"p -10 0", "p 0 10", "p 10 0"}}) {
        VecadSession s;
        run(s, command::kDrawArc, input);
        const ArcGeom& g = last<ArcGeom>(s);
        EXPECT_NEAR(g.center.x, 0, 1e-9);
        EXPECT_NEAR(g.center.y, 0, 1e-9);
        EXPECT_NEAR(g.radius, 10, 1e-9);
        EXPECT_NEAR(g.startAngle, 0, 1e-9);
        EXPECT_NEAR(g.angle, kPi, 1e-9);
    }
}

// Multi-lines are multi_line_style_test's.
TEST(DrawCommands, PolylinesRectanglesAndPolygons) {
    VecadSession s;
    run(s, command::kDrawRectangle, {"p 10 5", "p 0 0"});
    expectPoints(corners(last<PolylineGeom>(s)), {{10, 5}, {0, 5}, {0, 0}, {10, 0}});
    EXPECT_TRUE(last<PolylineGeom>(s).closed);

    run(s, command::kDrawPolygon, {"t 6", "p 0 0", "t \"\"", "t 5"});
    const PolylineGeom& hexagon = last<PolylineGeom>(s);
    ASSERT_EQ(hexagon.vertices.size(), 6u);
    EXPECT_NEAR(hexagon.vertices[0].x, 5, 1e-9);
    EXPECT_NEAR(hexagon.vertices[1].y, 5 * std::sqrt(3.0) / 2, 1e-9);
    run(s, command::kDrawPolygon, {"t \"\"", "p 0 0", "t c", "p 0 5"});  // sides remembered: 6
    const PolylineGeom& about = last<PolylineGeom>(s);
    ASSERT_EQ(about.vertices.size(), 6u);
    EXPECT_NEAR(about.vertices[0].y, 5 / std::cos(kPi / 6), 1e-9);  // towards the point

    // An arc leaving (10,0) along +x to (10,10) is a half circle: bulge 1.
    run(s, command::kDrawPolyline, {"p 0 0", "p 10 0", "t a", "p 10 10", "t L", "p 0 10", "t C"});
    const PolylineGeom& p = last<PolylineGeom>(s);
    expectPoints(corners(p), {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_TRUE(p.closed);
    EXPECT_NEAR(p.vertices[1].bulge, 1, 1e-12);
    EXPECT_EQ(p.vertices[0].bulge, 0);
    EXPECT_EQ(p.vertices[2].bulge, 0);
    run(s, command::kDrawPolyline, {"p 0 0", "p 10 0", "p 20 0", "t u", "enter"});
    EXPECT_EQ(last<PolylineGeom>(s).vertices.size(), 2u);
}

TEST(DrawCommands, EllipseRaysSplineAndText) {
    VecadSession s;
    run(s, command::kDrawEllipse, {"p 0 0", "p 2 0", "t 5"});  // the second axis is the longer
    const EllipseGeom& e = last<EllipseGeom>(s);
    EXPECT_NEAR(e.majorAxis.x, 0, 1e-9);
    EXPECT_NEAR(e.majorAxis.y, 5, 1e-9);
    EXPECT_NEAR(e.ratio, 0.4, 1e-12);

    run(s, command::kDrawRay, {"p 1 1", "p 4 5", "t @2<90", "enter"});
    const auto& ents = s.v.drawing().entities();
    const auto& first = *geomIf<InfiniteLineGeom>(ents[ents.size() - 2]);
    EXPECT_TRUE(first.ray);
    EXPECT_NEAR(first.direction.x, 0.6, 1e-12);
    EXPECT_NEAR(first.direction.y, 0.8, 1e-12);
    EXPECT_NEAR(geomIf<InfiniteLineGeom>(ents.back())->direction.y, 1, 1e-12);

    const std::vector<Point2> fit = {{0, 0}, {5, 5}, {10, 0}, {15, 5}, {20, 0}};
    run(s, command::kDrawSpline, {"p 0 0", "p 5 5", "p 10 0", "p 15 5", "p 20 0", "enter"});
    const SplineGeom& sp = last<SplineGeom>(s);
    EXPECT_EQ(sp.degree, 3);
    EXPECT_EQ(sp.controlPoints.size(), fit.size() + 2);
    EXPECT_EQ(sp.knots.size(), sp.controlPoints.size() + 4);
    SplineGeom controlsOnly = sp;
    controlsOnly.fitPoints.clear();
    const std::vector<Point3> drawn = tessellateSpline(controlsOnly, 1e-5);
    for (const Point2& f : fit) {
        double best = 1e9;
        for (const Point3& q : drawn) {
            best = std::min(best, std::hypot(q.x - f.x, q.y - f.y));
        }
        EXPECT_LT(best, 1e-3) << f.x;
    }

    run(s, command::kDrawText, {"p 1 2", "t 3.5", "t 90", "t Hello world"});
    const TextGeom& t = last<TextGeom>(s);
    EXPECT_EQ(t.text, "Hello world");
    EXPECT_EQ(t.height, 3.5);
    EXPECT_NEAR(t.angle, kPi / 2, 1e-12);
    run(s, command::kDrawText, {"p 1 2"});
    EXPECT_EQ(s.v.commandPrompt(), "Draw Text: height <3.5>");  // the last height used
    s.v.commandInput("");
    s.v.commandInput("");
    const int count = s.entities();
    s.v.commandInput("");  // an empty text cancels
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_EQ(s.entities(), count);

    // A current style of fixed height gives the height and skips its prompt.
    ASSERT_EQ(TextStyleEditor(s.v.drawing()).command("height STANDARD 7"), "");
    run(s, command::kDrawText, {"p 1 2"});
    EXPECT_EQ(s.v.commandPrompt(), "Draw Text: rotation in degrees <0>");
    run(s, 0, {"t 0", "t Fixed"});
    EXPECT_EQ(last<TextGeom>(s).height, 7);
}

TEST(DrawCommands, HatchFindsTheSmallestLoopAroundThePointAndKeepsIslandsOut) {
    VecadSession s;
    // A square of lines given in no order and direction, a circle inside it
    // and a closed polyline inside the circle.
    s.v.AddLine(0, 0, 0, 20, 0, 0);
    s.v.AddLine(20, 20, 0, 20, 0, 0);
    s.v.AddLine(0, 20, 0, 0, 0, 0);
    s.v.AddLine(20, 20, 0, 0, 20, 0);
    s.v.drawing().add(Entity(CircleGeom{{10, 10, 0}, 5}));
    s.v.drawing().add(Entity(PolylineGeom{
        .vertices = {{9, 9, 0, 0}, {11, 9, 0, 0}, {11, 11, 0, 0}, {9, 11, 0, 0}}, .closed = true}));
    const int before = s.entities();

    run(s, command::kDrawHatch, {"t gravel", "t \"\"", "t \"\"", "p 30 30"});
    EXPECT_EQ(s.v.commandHistory().back(), "No closed boundary around this point");
    EXPECT_TRUE(s.v.commandRunning());
    s.press(2, 2);    // in the square, outside the circle: the circle is an island
    s.press(10, 13);  // in the circle, outside the polyline
    s.press(10, 10);  // in the polyline
    s.v.commandKey(13);
    ASSERT_EQ(s.entities(), before + 3);
    const auto& ents = s.v.drawing().entities();
    const HatchGeom& square = *geomIf<HatchGeom>(ents[ents.size() - 3]);
    const HatchGeom& ring = *geomIf<HatchGeom>(ents[ents.size() - 2]);
    const HatchGeom& inner = *geomIf<HatchGeom>(ents.back());
    EXPECT_EQ(square.pattern, "GRAVEL");
    EXPECT_FALSE(square.solid);
    ASSERT_EQ(square.loops.size(), 2u);  // the polyline inside the circle stays out of it
    EXPECT_EQ(square.loops[0].edges.size(), 4u);
    ASSERT_EQ(square.loops[1].edges.size(), 1u);
    EXPECT_NEAR(std::get<HatchArcEdge>(square.loops[1].edges[0]).radius, 5, 1e-12);
    ASSERT_EQ(ring.loops.size(), 2u);
    EXPECT_TRUE(ring.loops[1].isPolyline);
    ASSERT_EQ(inner.loops.size(), 1u);

    run(s, command::kDrawHatch, {"t brick"});
    EXPECT_EQ(s.v.commandHistory().back(),
              "Unknown hatch pattern \"brick\": SOLID, ANSI31, ANSI37, DOTS, GRAVEL");
    EXPECT_EQ(s.v.commandPrompt(),
              "Draw Hatch: pattern (SOLID, ANSI31, ANSI37, DOTS, GRAVEL) <GRAVEL>");
}

// ezdxf reads the saved drawing back with the same geometry.
TEST(DrawCommands, EzdxfReadsTheSavedGeometry) {
    if (!brondel::testing::ezdxfInstalled()) {
        GTEST_SKIP() << "python3-ezdxf is not installed";
    }
    VecadSession s;
    run(s, command::kDrawArc, {"p -10 0", "p 0 10", "p 10 0"});
    run(s, command::kDrawEllipse, {"p 0 0", "p 10 0", "t 4"});
    run(s, command::kDrawSpline, {"p 0 0", "p 5 5", "p 10 0", "p 15 5", "enter"});
    run(s, command::kDrawPolygon, {"t 5", "p 0 0", "t i", "t 10"});
    run(s, command::kDrawPolyline, {"p 0 0", "p 10 0", "t a", "p 10 10", "enter"});
    run(s, command::kDrawHatch, {"t ansi37", "t 2", "t 0", "p 1 1", "enter"});
    const brondel::testing::TempFolder folder;
    s.v.FileSaveAs(folder.file("drawn.dxf"));
    const nlohmann::json read =
        brondel::testing::ezdxfRead("ezdxf_drawn.py", folder.file("drawn.dxf"));
    EXPECT_EQ(read["errors"], 0);
    const auto& e = read["entities"];
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0]["kind"], "ARC");
    EXPECT_NEAR(e[0]["radius"].get<double>(), 10, 1e-9);
    EXPECT_NEAR(e[0]["start"].get<double>(), 0, 1e-9);
    EXPECT_NEAR(e[0]["end"].get<double>(), 180, 1e-9);
    EXPECT_EQ(e[1]["kind"], "ELLIPSE");
    EXPECT_NEAR(e[1]["major"][0].get<double>(), 10, 1e-9);
    EXPECT_NEAR(e[1]["ratio"].get<double>(), 0.4, 1e-12);
    EXPECT_EQ(e[2]["kind"], "SPLINE");
    EXPECT_EQ(e[2]["degree"], 3);
    EXPECT_EQ(e[2]["fits"], 4);
    EXPECT_LT(e[2]["fitDistance"].get<double>(), 1e-4);  // other programs draw it through them
    EXPECT_EQ(e[3]["kind"], "LWPOLYLINE");
    EXPECT_TRUE(e[3]["closed"].get<bool>());
    ASSERT_EQ(e[3]["points"].size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const double a = 2 * kPi * i / 5;
        EXPECT_NEAR(e[3]["points"][i][0].get<double>(), 10 * std::cos(a), 1e-9);
        EXPECT_NEAR(e[3]["points"][i][1].get<double>(), 10 * std::sin(a), 1e-9);
    }
    EXPECT_NEAR(e[4]["points"][1][2].get<double>(), 1, 1e-12);  // the bulge of the half circle
    EXPECT_EQ(e[5]["kind"], "HATCH");
    EXPECT_EQ(e[5]["pattern"], "ANSI37");
    EXPECT_EQ(e[5]["paths"], 1);  // the ellipse: the smallest loop around the point
}

}  // namespace
}  // namespace brondel::engine
