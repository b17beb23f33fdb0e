// Dimensions made by the tools measure the geometry they were put on, show
// that value, and come back the same from a DXF file; dimensions read
// without their block are drawn from their definition points.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "engine/dimension_picture.h"
#include "engine/io/drawing_files.h"
#include "engine/tools/tools.h"
#include "tests/engine/vecad_session.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

// Lines meeting at the origin at 45 degrees, a circle and an arc, all away
// from the free points the steps use.
void drawPart(VecadSession& s) {
    s.v.AddLine(0, 0, 0, 30, 0, 0);
    s.v.AddLine(0, 0, 0, 20, 20, 0);
    s.v.drawing().add(Entity(CircleGeom{{50, 50, 0}, 8}));
    s.v.drawing().add(Entity(ArcGeom{{-40, 0, 0}, 5, 0, kPi}));
}

struct MeasureCase {
    const char* name;
    int code;
    std::vector<std::string> steps;
    int kind;
    double value;  // radians for angles
    const char* text;
};

const MeasureCase kCases[] = {
    {"linear above: horizontal", 290, {"p 100 100", "p 130 120", "p 115 140"}, 0, 30, "30"},
    {"linear beside: vertical", 290, {"p 100 100", "p 130 120", "p 150 110"}, 0, 20, "20"},
    {"linear forced vertical", 290, {"p 100 100", "p 130 120", "t V", "p 115 140"}, 0, 20, "20"},
    {"aligned", 291, {"p 100 100", "p 130 140", "p 100 130"}, 1, 50, "50"},
    {"ordinate x", 292, {"p 107.25 103", "p 107.25 120"}, 6, 107.25, "107.25"},
    {"ordinate y", 292, {"p 107 103.5", "p 130 103.5"}, 6, 103.5, "103.5"},
    {"ordinate forced y", 292, {"p 107 103.5", "t Y", "p 107 130"}, 6, 103.5, "103.5"},
    {"radius of a circle", 293, {"p 58 50", "p 70 60"}, 4, 8, "R8"},
    {"radius of an arc", 293, {"p -40 5", "p -30 10"}, 4, 5, "R5"},
    {"diameter", 294, {"p 58 50", "p 70 60"}, 3, 16, "\u00d816"},
    {"angular inside", 295, {"p 15 0", "p 10 10", "p 10 3"}, 2, kPi / 4, "45\u00b0"},
    {"angular outside", 295, {"p 15 0", "p 10 10", "p -10 3"}, 2, 3 * kPi / 4, "135\u00b0"},
};

const DimensionGeom* lastDimension(const std::vector<Entity>& entities) {
    for (auto it = entities.rbegin(); it != entities.rend(); ++it) {
        if (const auto* g = geomIf<DimensionGeom>(*it); g && !it->erased) {
            return g;
        }
    }
    return nullptr;
}

TEST(Dimensions, EachToolMeasuresTheGeometryAndSurvivesAFile) {
    const brondel::testing::TempFolder folder;
    const std::string path = folder.file("dimensions.dxf");
    const bool ezdxf = brondel::testing::ezdxfInstalled();
    for (const MeasureCase& c : kCases) {
        SCOPED_TRACE(c.name);
        VecadSession s;
        drawPart(s);
        s.v.Execute(c.code);
        s.run(c.steps);
        EXPECT_FALSE(s.v.commandRunning());
        const DimensionGeom* g = lastDimension(s.v.drawing().entities());
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->dimType & dimkind::kKindMask, c.kind);
        EXPECT_NEAR(g->measurement, c.value, 1e-9);
        EXPECT_NEAR(dimensionMeasurement(*g), c.value, 1e-9);
        EXPECT_EQ(dimensionText(*g, DimStyle{}), c.text);
        EXPECT_GE(dimensionPicture(*g, DimStyle{}).size(), 2u);

        io::writeDxf(s.v.drawing(), path);
        const DrawingContent back = io::readDxf(path);
        const DimensionGeom* read = lastDimension(back.entities);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->dimType & dimkind::kKindMask, c.kind);
        EXPECT_NEAR(read->measurement, c.value, 1e-9);
        EXPECT_NEAR(dimensionMeasurement(*read), c.value, 1e-9);
        // Other programs show the block the file gives it.
        const auto block = back.blocks.find(read->block);
        ASSERT_NE(block, back.blocks.end()) << read->block;
        EXPECT_EQ(block->second.entities.size(), dimensionPicture(*g, DimStyle{}).size());

        if (ezdxf) {
            const nlohmann::json other = brondel::testing::ezdxfRead("ezdxf_dimensions.py", path);
            EXPECT_EQ(other["errors"], 0);
            ASSERT_EQ(other["dimensions"].size(), 1u);
            const nlohmann::json& d = other["dimensions"][0];
            EXPECT_EQ(d["kind"].get<int>() & dimkind::kKindMask, c.kind);
            EXPECT_NEAR(d["stored"].get<double>(), c.value, 1e-9);
            EXPECT_TRUE(d["block"].get<bool>());
            // ezdxf measures an aligned dimension along its angle 50, which
            // such a dimension does not have.
            if (!d["measured"].is_null() && c.kind != dimkind::kAligned) {
                const bool angle = c.kind == dimkind::kAngular;
                EXPECT_NEAR(d["measured"].get<double>(), angle ? c.value * 180 / kPi : c.value,
                            1e-9);
            }
        }
    }
}

TEST(Dimensions, ToolsRefuseWhatMeasuresNothingAndWaitOn) {
    const std::vector<std::pair<int, std::vector<std::string>>> refused = {
        {290, {"p 100 100", "p 100 100"}},                     // the same origin twice
        {290, {"p 100 100", "p 100 120", "t H", "p 90 130"}},  // nothing across
        {293, {"p 100 100"}},                                  // no arc or circle there
        {295, {"p 15 0", "p 25 0"}},                           // the same line twice
        {295, {"p 58 50"}},                                    // not a line
    };
    for (const auto& [code, steps] : refused) {
        SCOPED_TRACE(steps.back());
        VecadSession s;
        drawPart(s);
        const int before = s.entities();
        s.v.Execute(code);
        s.run(steps);
        EXPECT_TRUE(s.v.commandRunning());
        EXPECT_EQ(s.entities(), before);
        EXPECT_FALSE(s.heard.notices.empty() && s.heard.lines.empty());
    }
}

TEST(Dimensions, QuickCentermarkCrossesTheCentre) {
    VecadSession s;
    drawPart(s);
    const int before = s.entities();
    s.v.Execute(248);
    s.press(58, 50);
    ASSERT_EQ(s.entities(), before + 2);
    const Box2 box = boundingBox(s.v.drawing().entities().back(), s.v.drawing());
    EXPECT_NEAR((box.minY + box.maxY) / 2, 50, 1e-9);
    EXPECT_NEAR(box.maxY - box.minY, 2 * DimStyle{}.centerMark, 1e-9);
}

// The six dimensions of this file come without their blocks.
TEST(Dimensions, DimensionsWithoutABlockAreDrawnFromTheirPoints) {
    const DrawingContent content =
        io::readDxf(std::string(BRONDEL_CORPUS_DIR) + "/dxf/qcad_flange.dxf");
    Drawing drawing;
    drawing.load(content);
    std::vector<std::string> texts;
    for (const Entity& e : drawing.entities()) {
        const auto* g = geomIf<DimensionGeom>(e);
        if (!g) {
            continue;
        }
        EXPECT_EQ(drawing.findBlock(g->block), nullptr);
        const std::vector<Entity> parts = dimensionParts(*g, drawing);
        int arrows = 0;
        for (const Entity& part : parts) {
            if (const auto* t = geomIf<TextGeom>(part)) {
                texts.push_back(t->text);
                // The text sits where the file put it.
                EXPECT_NEAR(t->alignPoint.x, g->textMid.x, 1e-9);
                EXPECT_NEAR(t->alignPoint.y, g->textMid.y, 1e-9);
            }
            arrows += geomIf<SolidGeom>(part) ? 1 : 0;
        }
        EXPECT_GE(arrows, 1);
        const Box2 box = boundingBox(e, drawing);
        EXPECT_GT(box.width() + box.height(), 2.0);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"42", "60", "2", "6", "R5", "\u00d828"}));
}

}  // namespace
}  // namespace brondel::engine
