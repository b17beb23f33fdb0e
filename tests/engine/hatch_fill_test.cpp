// Pattern hatches: their line families laid across the area, kept from a
// file and written back, and taken from our own table when a file has none.
#include <gtest/gtest.h>

#include "engine/drawing.h"
#include "engine/hatch_fill.h"
#include "engine/io/drawing_files.h"
#include "engine/shape.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

std::vector<Point2> square(double x0, double y0, double size) {
    return {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
}

const Box2 kEverywhere = [] {
    Box2 b;
    b.add(-1e9, -1e9);
    b.add(1e9, 1e9);
    return b;
}();

double totalLength(const std::vector<Stroke2>& strokes) {
    double sum = 0;
    for (const Stroke2& s : strokes) {
        sum += planarDistance(s.a.x, s.a.y, s.b.x, s.b.y);
    }
    return sum;
}

struct FillCase {
    const char* name;
    std::vector<std::vector<Point2>> loops;
    PatternLine line;
    double spacing;      // between the family's lines
    double area;         // inked area the strokes cover at their spacing
    double longestDash;  // no stroke is longer
};

TEST(HatchFill, StrokesFillTheAreaInsideTheLoopsOnly) {
    const PatternLine diagonal{45, 0, 0, -1, 1, {}};  // lines sqrt(2) apart
    const PatternLine dashed{0, 0, 0, 0, 0.5, {2, -1}};
    const FillCase cases[] = {
        {"square", {square(0, 0, 10)}, diagonal, std::sqrt(2.0), 100, 15},
        {"square with a hole",
         {square(0, 0, 10), square(3, 3, 4)},
         diagonal,
         std::sqrt(2.0),
         84,
         15},
        {"dashed", {square(0, 0, 10)}, dashed, 0.5, 100 * 2.0 / 3, 2},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Stroke2> strokes = hatchStrokes(c.loops, {c.line}, kEverywhere, 100000);
        ASSERT_FALSE(strokes.empty());
        // Dashes cut at the boundary make the sum a little short.
        EXPECT_NEAR(totalLength(strokes) * c.spacing, c.area, c.area * 0.1);
        for (const Stroke2& s : strokes) {
            EXPECT_LE(planarDistance(s.a.x, s.a.y, s.b.x, s.b.y), c.longestDash + 1e-9);
            const double mx = (s.a.x + s.b.x) / 2, my = (s.a.y + s.b.y) / 2;
            EXPECT_TRUE(insidePolygon(c.loops[0], mx, my));
            if (c.loops.size() > 1) {
                EXPECT_FALSE(insidePolygon(c.loops[1], mx, my));
            }
        }
    }
}

TEST(HatchFill, AFamilyTooFineForItsAreaStopsAtTheBudget) {
    const PatternLine fine{0, 0, 0, 0, 0.001, {0.001, -0.001}};
    EXPECT_EQ(hatchStrokes({square(0, 0, 10)}, {fine}, kEverywhere, 5000).size(), 5000u);
    Box2 away;
    away.add(50, 50);
    away.add(60, 60);
    EXPECT_TRUE(hatchStrokes({square(0, 0, 10)}, {fine}, away, 5000).empty());
}

TEST(HatchFill, OurPatternStandsInTurnedAndScaled) {
    HatchGeom g{.pattern = "ansi31", .solid = false, .patternAngle = kPi / 2, .patternScale = 2};
    const std::vector<PatternLine> lines = hatchPatternLines(g);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].angle, 135, 1e-9);
    // 3.175 across the line, doubled, turned with it.
    EXPECT_NEAR(std::hypot(lines[0].dx, lines[0].dy), 6.35, 1e-9);
    EXPECT_NEAR(lines[0].dx * std::cos(135 * kPi / 180) + lines[0].dy * std::sin(135 * kPi / 180),
                0, 1e-9);
    g.pattern = "NO SUCH PATTERN";
    EXPECT_TRUE(hatchPatternLines(g).empty());
    g.solid = true;
    g.pattern = "ANSI31";
    EXPECT_TRUE(hatchPatternLines(g).empty());
}

DrawingContent throughDxf(const DrawingContent& content) {
    Drawing drawing;
    drawing.load(content);
    const brondel::testing::TempFolder folder;
    io::writeDxf(drawing, folder.file("hatch.dxf"));
    return io::readDxf(folder.file("hatch.dxf"));
}

const HatchGeom* firstHatch(const DrawingContent& content) {
    for (const Entity& e : content.entities) {
        if (const auto* g = geomIf<HatchGeom>(e)) {
            return g;
        }
    }
    return nullptr;
}

// The ESCHER pattern is not ours: the file's own lines draw it.
TEST(HatchFill, APatternTheFileHoldsIsDrawnAndWrittenBack) {
    const DrawingContent content =
        io::readDxf(std::string(BRONDEL_CORPUS_DIR) + "/dxf/qcad_hatch013_spline_periodic.dxf");
    const HatchGeom* g = firstHatch(content);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->pattern, "ESCHER");
    ASSERT_EQ(g->patternLines.size(), 21u);
    EXPECT_DOUBLE_EQ(g->patternLines[0].angle, 60);
    EXPECT_EQ(g->patternLines[0].dashes, (std::vector<double>{8.382, -0.762}));

    Drawing drawing;
    drawing.load(content);
    // Across the box of its (spline) boundary, the lines make strokes.
    const std::vector<Entity> boundary = hatchBoundary(*g);
    ASSERT_FALSE(boundary.empty());
    const Box2 b = boundingBox(boundary[0], drawing);
    const std::vector<Point2> box{
        {b.minX, b.minY}, {b.maxX, b.minY}, {b.maxX, b.maxY}, {b.minX, b.maxY}};
    EXPECT_GT(hatchStrokes({box}, g->patternLines, kEverywhere, 100000).size(), 10u);

    const DrawingContent written = throughDxf(content);
    const HatchGeom* back = firstHatch(written);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->patternLines.size(), g->patternLines.size());
    for (std::size_t i = 0; i < g->patternLines.size(); ++i) {
        const PatternLine &a = g->patternLines[i], &read = back->patternLines[i];
        EXPECT_DOUBLE_EQ(a.angle, read.angle);
        EXPECT_DOUBLE_EQ(a.dx, read.dx);
        EXPECT_DOUBLE_EQ(a.dy, read.dy);
        EXPECT_EQ(a.dashes, read.dashes);
    }
}

TEST(HatchFill, OurPatternIsWrittenOutForOtherPrograms) {
    DrawingContent content;
    HatchGeom g{.pattern = "ANSI37", .solid = false};
    HatchLoop loop{.isPolyline = true};
    for (const Point2& p : square(0, 0, 10)) {
        loop.vertices.push_back({p.x, p.y});
    }
    g.loops.push_back(loop);
    content.entities.emplace_back(g);
    const DrawingContent written = throughDxf(content);
    const HatchGeom* back = firstHatch(written);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->patternLines.size(), 2u);
    EXPECT_DOUBLE_EQ(back->patternLines[1].angle, 135);
}

}  // namespace
}  // namespace brondel::engine
