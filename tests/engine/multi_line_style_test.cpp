// Format Multi-line Style: typed changes checked and undone as one step,
// Draw Multi-Line drawing one polyline per line of the style.
#include <gtest/gtest.h>

#include "engine/commands.h"
#include "engine/multi_line_style_editor.h"
#include "tests/engine/typed_change.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

TEST(MultiLineStyle, TypedChangesAreOneStepOrRefusedInPlace) {
    struct Row {
        const char* typed;
        const char* refusal;
    };
    const Row rows[] = {
        {"offsets 1 0 -1", ""},
        {"OFFSETS 2", ""},
        {"scale 2.5", ""},
        {"colors 1 ByBlock", ""},
        {"colours bylayer 255,0,0", ""},
        {"colors 1", "one colour for each line"},
        {"colors 1 256", "from 1 to 255"},
        {"colors 1 red", "Not a colour"},
        {"offsets", "at least one line"},
        {"offsets 1 -1 1", "share an offset"},
        {"offsets 1 nan", "drawing units"},
        {"offsets inf", "drawing units"},
        {"offsets 1 x", "Not a number"},
        {"scale 0", "above 0"},
        {"scale -1", "above 0"},
        {"scale 1 2", "Not understood"},
        {"width 3", "Not understood"},
    };
    for (const Row& row : rows) {
        Drawing d;
        MultiLineStyleEditor editor(d);
        testing::expectTypedChange(d, editor, row.typed, row.refusal);
    }
}

TEST(MultiLineStyle, DrawMultiLineDrawsOnePolylinePerLineAtItsScaledOffset) {
    struct Row {
        const char* typed;
        std::vector<double> offsets;                   // as drawn, left of the centre line
        std::vector<std::int16_t> colors = {3, 3, 3};  // the current colour is 3
    };
    const Row rows[] = {
        {"offsets 0.5 -0.5", {0.5, -0.5}},
        {"offsets 1 0 -1", {1, 0, -1}},
        {"scale 3", {1.5, -1.5}},
        {"colors 1 bylayer", {0.5, -0.5}, {1, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        testing::VecadSession s;
        ASSERT_EQ(MultiLineStyleEditor(s.v.drawing()).command(row.typed), "");
        DrawingHeader green = s.v.drawing().header();
        green.currentColor = Color{3, -1};
        s.v.drawing().setHeader(green);
        const int before = s.entities();
        s.v.Execute(command::kDrawMultiLine);
        s.press(0, 0);
        s.press(10, 0);
        s.press(10, 10);
        s.v.commandKey(13);
        ASSERT_EQ(s.entities(), before + static_cast<int>(row.offsets.size()));
        const auto& ents = s.v.drawing().entities();
        for (std::size_t i = 0; i < row.offsets.size(); ++i) {
            const double o = row.offsets[i];
            const auto* g = geomIf<PolylineGeom>(ents[ents.size() - row.offsets.size() + i]);
            ASSERT_NE(g, nullptr);
            ASSERT_EQ(g->vertices.size(), 3u);
            EXPECT_EQ(ents[ents.size() - row.offsets.size() + i].props().color.aci, row.colors[i]);
            // Start left of (0,0), mitre at (10,0) on both legs, end left of (10,10).
            EXPECT_NEAR(g->vertices[0].y, o, 1e-9);
            EXPECT_NEAR(g->vertices[1].x, 10 - o, 1e-9);
            EXPECT_NEAR(g->vertices[1].y, o, 1e-9);
            EXPECT_NEAR(g->vertices[2].x, 10 - o, 1e-9);
        }
    }
}

}  // namespace
}  // namespace brondel::engine
