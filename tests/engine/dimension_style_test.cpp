// Format Dimension Style: a change lays out and redraws every dimension of
// the style as one undo step, a refusal changes nothing, and the style
// survives a DXF save and reopen.
#include <gtest/gtest.h>

#include "engine/dimension_picture.h"
#include "engine/dimension_style_editor.h"
#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "engine/vecad.h"
#include "tests/engine/typed_change.h"
#include "tests/support/fake_ports.h"

namespace brondel::engine {
namespace {

// A horizontal linear dimension of 40, drawn from the style (no block),
// and a second one whose picture lives in a block of its own, as files
// bring them.
void prepare(Drawing& d) {
    DimensionGeom g;
    g.dimType = dimkind::kLinear;
    g.p13 = {0, 0, 0};
    g.p14 = {40, 0, 0};
    g.defPoint = {0, 10, 0};
    finishDimension(g, d.header().dimStyle);
    d.add(Entity(g));
    g.dimType |= dimkind::kOwnBlock;
    g.block = "*D1";
    g.p13.y = g.p14.y = 50;
    g.defPoint.y = 60;
    finishDimension(g, d.header().dimStyle);
    d.setBlock("*D1", Block{"*D1", {}, 1, dimensionPicture(g, d.header().dimStyle)});
    d.add(Entity(g));
}

// The height of the text of every dimension's picture, in drawing order.
std::vector<double> textHeights(const Drawing& d) {
    std::vector<double> heights;
    for (const Entity& e : d.entities()) {
        if (const auto* g = geomIf<DimensionGeom>(e)) {
            for (const Entity& part : dimensionParts(*g, d)) {
                if (const auto* t = geomIf<TextGeom>(part)) {
                    heights.push_back(t->height);
                }
            }
        }
    }
    return heights;
}

TEST(DimStyleEditor, TypedChangesAreAppliedAsOneStepOrRefusedInPlace) {
    struct Row {
        const char* typed;
        const char* refusal;  // part of the answer; "" when applied
    };
    const Row rows[] = {
        {"height 5", ""},
        {"height 0", "above 0"},
        {"height -2", "above 0"},
        {"height 1e9", "at most 1000000"},
        {"height nan", "above 0"},
        {"arrow 0", ""},
        {"arrow -1", "from 0"},
        {"offset 1", ""},
        {"extension 2", ""},
        {"gap 1", ""},
        {"centre 4", ""},
        {"decimals 3", ""},
        {"decimals 9", "0 to 8"},
        {"decimals 1.5", "whole number"},
        {"text centred", ""},
        {"text left", "above or centred"},
        {"width 3", "Not understood"},
        {"height", "Not understood"},
    };
    for (const Row& row : rows) {
        Drawing d;
        prepare(d);
        DimStyleEditor editor(d);
        testing::expectTypedChange(d, editor, row.typed, row.refusal);
    }
}

TEST(DimStyleEditor, AChangeRedrawsEveryDimensionOfTheStyle) {
    Drawing d;
    prepare(d);
    const std::uint64_t prepared = d.version();
    EXPECT_EQ(textHeights(d), (std::vector<double>{2.5, 2.5}));
    const Point3 textBefore = geomIf<DimensionGeom>(d.entity(d.firstLive()))->textMid;

    DimStyle bigger = d.header().dimStyle;
    bigger.textHeight = 5;
    bigger.decimals = 3;
    ASSERT_EQ(DimStyleEditor(d).apply(bigger), "");
    EXPECT_EQ(textHeights(d), (std::vector<double>{5, 5}));
    // Above the line by the gap and half the new height.
    const Point3 textAfter = geomIf<DimensionGeom>(d.entity(d.firstLive()))->textMid;
    EXPECT_NEAR(textAfter.y - textBefore.y, 1.25, 1e-9);

    bigger.textAbove = false;
    ASSERT_EQ(DimStyleEditor(d).apply(bigger), "");
    EXPECT_NEAR(geomIf<DimensionGeom>(d.entity(d.firstLive()))->textMid.y, 10, 1e-9);

    d.undo();
    d.undo();
    EXPECT_EQ(textHeights(d), (std::vector<double>{2.5, 2.5}));
    EXPECT_EQ(geomIf<DimensionGeom>(d.entity(d.firstLive()))->textMid, textBefore);
    EXPECT_EQ(d.version(), prepared);
}

TEST(DimStyleEditor, NewDimensionsAndTheirPreviewAreLaidOutByTheCurrentStyle) {
    Vecad v;
    v.view().set({0, 0}, 0.1);
    ASSERT_EQ(DimStyleEditor(v.drawing()).command("height 5"), "");
    for (const char* typed : {"dli", "0,0", "40,0"}) {
        v.commandInput(typed);
    }
    const Point2 location = v.view().toWindow(20, 10);
    v.cursorAt(location.x, location.y);
    EXPECT_EQ(textHeights(v.preview()), std::vector<double>{5});  // the preview shows the style too
    v.commandInput("20,10");
    const Drawing& d = v.drawing();
    ASSERT_EQ(d.liveCount(), 1u);
    EXPECT_EQ(textHeights(d), std::vector<double>{5});
    EXPECT_NEAR(geomIf<DimensionGeom>(d.entity(d.firstLive()))->textMid.y, 10 + 0.625 + 2.5, 1e-9);
}

TEST(DimStyleEditor, ReopenedDimensionsShowTheStyleInBothDxfVersions) {
    Drawing d;
    prepare(d);
    DimStyleEditor editor(d);
    for (const char* typed : {"height 3.5", "arrow 3", "offset 1", "extension 2", "gap 0.75",
                              "decimals 3", "text centred", "centre 5"}) {
        ASSERT_EQ(editor.command(typed), "") << typed;
    }
    brondel::testing::TempFolder folder;
    for (const io::DxfVersion version : {io::DxfVersion::R2000, io::DxfVersion::R12}) {
        const std::string path = folder.file("dimstyle.dxf");
        io::WriteOptions options;
        options.dxfVersion = version;
        io::writeDxf(d, path, {}, options);
        Drawing back;
        back.load(io::readDxf(path));
        // The style's fields are settings_roundtrip_test's; here, that both
        // dimensions show it once reopened.
        EXPECT_EQ(textHeights(back), (std::vector<double>{3.5, 3.5}));
    }
}

}  // namespace
}  // namespace brondel::engine
