// Format Layers: every change one undo step, every refusal leaves the
// drawing as it was (the flags in files are settings_roundtrip_test's).
#include <gtest/gtest.h>

#include "engine/drawing.h"
#include "engine/layer_editor.h"
#include "tests/engine/typed_change.h"

namespace brondel::engine {
namespace {

// A drawing with layers 0, Walls (current, one line on it) and Spare.
void prepare(Drawing& d) {
    d.addLayer(Layer{"Walls"});
    d.addLayer(Layer{"Spare"});
    d.setCurrentLayer("Walls");
    Entity line(LineGeom{{0, 0, 0}, {10, 0, 0}});
    line.editProps().layer = "Walls";
    d.add(std::move(line));
}

struct Row {
    Row(std::string t, std::string r, std::string b = {})
        : typed(std::move(t)), refusal(std::move(r)), before(std::move(b)) {}
    std::string typed;
    std::string refusal;  // part of the answer; "" when applied
    std::string before;   // a change made first, when the row needs one
};

TEST(LayerEditor, TypedChangesAreAppliedOrRefusedInPlace) {
    const Row rows[] = {
        {"add Doors", ""},
        {"add \"Hidden lines\"", ""},
        {"add doors2", ""},
        {"add WALLS", "exists"},
        {"add a<b", "cannot hold <"},
        {"add \"\"", "A name is needed"},
        {"rename Spare Walls", "exists"},
        {"rename 0 Zero", "keeps its name"},
        {"rename Nope X", "No layer"},
        {"delete Walls", "current layer cannot be deleted"},
        {"delete 0", "cannot be deleted"},
        {"delete Spare", ""},
        {"freeze Walls", "current layer cannot be frozen"},
        {"freeze Spare", ""},
        {"current Spare", ""},
        {"current Spare", "frozen layer cannot be current", "freeze Spare"},
        {"thaw Spare", "", "freeze Spare"},
        {"on Spare", "", "off Spare"},
        {"unlock Spare", "", "lock Spare"},
        {"off Spare", ""},
        {"lock spare", ""},
        {"color Spare 0", "1 to 255"},
        {"color Spare 256", "1 to 255"},
        {"color Spare x", "Not a whole number"},
        {"color Spare 3", ""},
        {"weight Spare 33", "Not a line weight"},
        {"weight Spare 35", ""},
        {"linetype Spare DASHED", "No line type"},
        {"frobnicate Spare", "Not understood"},
    };
    for (const Row& row : rows) {
        Drawing d;
        prepare(d);
        LayerEditor editor(d);
        if (!row.before.empty()) {
            ASSERT_EQ(editor.command(row.before), "");
        }
        testing::expectTypedChange(d, editor, row.typed, row.refusal);
    }
}

TEST(LayerEditor, EachFlagSetsWhatItNames) {
    Drawing d;
    prepare(d);
    LayerEditor editor(d);
    for (const char* typed : {"freeze Spare", "off Spare", "lock Spare", "color Spare 5",
                              "weight Spare 50", "current 0", "freeze Walls"}) {
        ASSERT_EQ(editor.command(typed), "") << typed;
    }
    const Layer& spare = *d.findLayer("Spare");
    EXPECT_TRUE(spare.frozen);
    EXPECT_FALSE(spare.on);
    EXPECT_TRUE(spare.locked);
    EXPECT_EQ(spare.color.aci, 5);
    EXPECT_EQ(spare.lineWeight, 50);
    EXPECT_EQ(d.currentLayer(), "0");
    EXPECT_TRUE(d.findLayer("Walls")->frozen);
    for (const char* typed : {"thaw Spare", "on Spare", "unlock Spare"}) {
        ASSERT_EQ(editor.command(typed), "") << typed;
    }
    EXPECT_FALSE(d.findLayer("Spare")->frozen || !d.findLayer("Spare")->on ||
                 d.findLayer("Spare")->locked);
}

TEST(LayerEditor, RenameTakesEntitiesBlocksAndCurrentLayerAlongInOneStep) {
    Drawing d;
    prepare(d);
    Entity inBlock(CircleGeom{{0, 0, 0}, 1});
    inBlock.editProps().layer = "Walls";
    d.setBlock("PEG", Block{"PEG", {}, 0, {inBlock}});
    LayerEditor editor(d);
    ASSERT_EQ(editor.rename("walls", "Outline"), "");
    EXPECT_EQ(d.currentLayer(), "Outline");
    EXPECT_EQ(d.entity(d.firstLive()).props().layer, "Outline");
    EXPECT_EQ(d.findBlock("PEG")->entities[0].props().layer, "Outline");
    EXPECT_EQ(d.findLayer("Walls"), nullptr);
    EXPECT_EQ(editor.remove("Outline"), "The current layer cannot be deleted");
    d.undo();
    EXPECT_EQ(d.currentLayer(), "Walls");
    EXPECT_EQ(d.entity(d.firstLive()).props().layer, "Walls");
    EXPECT_EQ(d.findBlock("PEG")->entities[0].props().layer, "Walls");
    ASSERT_EQ(editor.command("current 0"), "");
    EXPECT_NE(editor.remove("Walls").find("not empty"), std::string::npos);
}

}  // namespace
}  // namespace brondel::engine
