// Cut, Copy and Paste between two drawing windows: the entities keep their
// layers and properties, missing layers come along, locked ones stay put.
#include <gtest/gtest.h>

#include "engine/clipboard.h"
#include "engine/commands.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

constexpr int kCut = 303, kCopy = 304, kPaste = 305;

// A drawing with a red line on its own layer "PARTS" and a circle on a
// locked layer.
void fill(Vecad& v) {
    v.drawing().addLayer(Layer{.name = "PARTS", .color = {1}});
    v.drawing().addLayer(Layer{.name = "FIXED", .locked = true});
    v.drawing().add(Entity(LineGeom{{10, 10, 0}, {20, 15, 0}}, {.layer = "PARTS", .color = {3}}));
    v.drawing().add(Entity(CircleGeom{{30, 10, 0}, 2}, {.layer = "FIXED"}));
}

TEST(Clipboard, CopyInOneWindowPastesInAnotherWithLayersAndProperties) {
    VecadSession from, to;
    fill(from.v);
    from.selectAll();
    const std::uint64_t version = from.v.drawing().version();
    from.v.Execute(kCopy);
    EXPECT_EQ(from.v.drawing().version(), version);  // Copy changes nothing

    to.v.Execute(kPaste);
    ASSERT_TRUE(to.v.commandRunning());
    to.move(100, 100);
    EXPECT_EQ(to.v.preview().liveCount(), 2u);
    to.press(100, 100);
    EXPECT_FALSE(to.v.commandRunning());
    ASSERT_EQ(to.entities(), 2);
    const Entity& line = to.v.drawing().entities()[0];
    EXPECT_EQ(line.props().layer, "PARTS");
    EXPECT_EQ(line.props().color.aci, 3);
    // The base, the copied extents' lower-left corner (10, 8), lands on the press.
    const LineGeom& g = *geomIf<LineGeom>(line);
    EXPECT_DOUBLE_EQ(g.p1.x, 100);
    EXPECT_DOUBLE_EQ(g.p1.y, 102);
    ASSERT_NE(to.v.drawing().findLayer("PARTS"), nullptr);
    EXPECT_EQ(to.v.drawing().findLayer("PARTS")->color.aci, 1);
    EXPECT_TRUE(to.v.drawing().findLayer("FIXED")->locked);

    to.v.Execute(command::kUndo);
    EXPECT_EQ(to.entities(), 0);
    EXPECT_EQ(to.v.drawing().findLayer("PARTS"), nullptr);
}

TEST(Clipboard, CutLeavesLockedLayersSaysHowManyWereSkippedAndTellsTheWatcher) {
    std::vector<std::size_t> told;
    watchClipboard([&](const Clipboard& c) { told.push_back(c.entities.size()); });
    VecadSession s;
    fill(s.v);
    s.selectAll();
    s.v.Execute(kCopy);
    s.v.Execute(kCut);
    watchClipboard(nullptr);
    EXPECT_EQ(told, (std::vector<std::size_t>{2, 1}));
    EXPECT_EQ(s.entities(), 1);  // the circle on the locked layer stays
    ASSERT_EQ(clipboard().entities.size(), 1u);
    EXPECT_TRUE(geomIf<LineGeom>(clipboard().entities[0]));
    bool said = false;
    for (const std::string& line : s.heard.lines) {
        said = said || line.find("1 skipped on locked layers") != std::string::npos;
    }
    EXPECT_TRUE(said);
}

TEST(Clipboard, PasteWithNothingOnTheClipboardSaysSo) {
    clipboard() = Clipboard{};
    VecadSession s;
    s.v.Execute(kPaste);
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_FALSE(s.v.drawing().canUndo());
    EXPECT_NE(s.heard.lines.back().find("clipboard is empty"), std::string::npos);
}

TEST(Clipboard, ItsDxfTextReadsBackAsTheSameEntities) {
    VecadSession s;
    fill(s.v);
    std::vector<Handle> all;
    for (const Entity& e : s.v.drawing().entities()) {
        all.push_back(e.handle);
    }
    const std::string text = clipboardDxf(clipboardOf(s.v.drawing(), all));
    const DrawingContent back = io::readDxfBuffer(text);
    ASSERT_EQ(back.entities.size(), 2u);
    EXPECT_EQ(back.entities[0].props().layer, "PARTS");
    EXPECT_TRUE(geomIf<CircleGeom>(back.entities[1]));
}

}  // namespace
}  // namespace brondel::engine
