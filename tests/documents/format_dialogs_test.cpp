// The Format commands reach their dialogs through the program's dialogs
// port, so a session without a desktop (tests, scripts) edits with typed
// lines and sees each refusal in a message box.
#include <gtest/gtest.h>

#include "documents/drawing_window.h"
#include "engine/commands.h"
#include "shell/main_window.h"
#include "tests/support/fake_ports.h"

namespace brondel::documents {
namespace {

using testing::DialogCall;
using testing::TestProgram;

TEST(FormatDialogs, EachCodeOpensItsEditorThroughTheDialogsPort) {
    struct Row {
        int code;
        std::vector<std::string> typed;
        std::string title;
        std::size_t refusals;
    };
    const Row rows[] = {
        {engine::command::kFormatLayers,
         {"add Walls", "color Walls 300", "current Walls", "delete Walls"},
         "Format Layers",
         2},
        {engine::command::kFormatColors, {"5", "0"}, "Format Colors", 1},
        {engine::command::kFormatLineWeight, {"35"}, "Format Line Weight", 0},
        {engine::command::kFormatBlocks, {"purge"}, "Format Blocks", 1},
        {engine::command::kImageManager, {"detach logo.png"}, "Image Manager", 1},
        {engine::command::kFormatDimensionStyle,
         {"height 0", "height 5"},
         "Format Dimension Style",
         1},
        {engine::command::kFormatPointStyle, {"mode 3", "mode 9"}, "Format Point Style", 1},
        {engine::command::kFormatMultiLineStyle,
         {"offsets 1 0 -1", "offsets 1 1", "scale 0"},
         "Format Multi-line Style",
         2},
        {engine::command::kFormatLineType, {"load", "current Fence"}, "Format Linetype", 1},
        {engine::command::kFormatTextStyle,
         {"add Notes", "add notes", "current Notes"},
         "Format Text Style",
         1},
        {engine::command::kFormatPages, {"size Layout1 A3", "delete Layout1"}, "Format Pages", 1},
        {engine::command::kAdjustObjectSnap, {"on midpoint"}, "Adjust Object Snap", 0},
        {engine::command::kAdjustGrid, {"on"}, "Adjust Grid", 0},
        {engine::command::kAdjustPolarTracking, {"increment 0"}, "Adjust PolarTracking", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        TestProgram p;
        DrawingWindow& w = p.newDrawing();
        for (const std::string& t : row.typed) {
            p.dialogs().input(t);
        }
        p.dialogs().input("");
        w.Vecad1.Execute(row.code);
        EXPECT_TRUE(p.dialogs().drained());
        const auto asked = p.dialogs().ofKind(DialogCall::Kind::InputBox);
        ASSERT_EQ(asked.size(), row.typed.size() + 1);
        EXPECT_EQ(asked.front().title, row.title);
        EXPECT_EQ(p.dialogs().messages().size(), row.refusals);
    }
}

TEST(FormatDialogs, LayersAndCurrentPropertiesChangeTheDrawing) {
    TestProgram p;
    DrawingWindow& w = p.newDrawing();
    p.dialogs().input("add Walls").input("current Walls").input("");
    w.Vecad1.Execute(engine::command::kFormatLayers);
    p.dialogs().input("3").input("");
    w.Vecad1.Execute(engine::command::kFormatColors);
    const engine::Drawing& d = w.Vecad1.drawing();
    EXPECT_EQ(d.currentLayer(), "Walls");
    EXPECT_EQ(d.header().currentColor.aci, 3);
    EXPECT_EQ(d.undoLabel(), "Format Colors");
    w.Vecad1.AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(d.entity(d.firstLive()).props().layer, "Walls");
}

}  // namespace
}  // namespace brondel::documents
