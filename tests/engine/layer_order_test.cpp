// Set Layer Order: moving a layer in the table as one undo step, the typed
// editor and the order entities are drawn in.
#include <gtest/gtest.h>

#include "engine/drawing.h"
#include "engine/layer_order.h"

namespace brondel::engine {
namespace {

std::vector<std::string> names(const Drawing& d) {
    std::vector<std::string> out;
    for (const Layer& l : d.layers()) {
        out.push_back(l.name);
    }
    return out;
}

DrawingContent fourLayers() {
    DrawingContent c;
    c.layers.clear();
    for (const char* name : {"0", "A", "B", "C"}) {
        Layer l{name};
        l.color.aci = std::int16_t(1 + c.layers.size());
        c.layers.push_back(l);
    }
    c.layers[2].frozen = true;  // what a layer holds goes with it
    return c;
}

TEST(LayerOrder, MovesALayerAsOneStepThatUndoTakesBack) {
    struct Case {
        const char* typed;
        std::vector<std::string> after;  // empty: refused, nothing changes
    };
    const std::vector<Case> cases = {
        {"C 1", {"C", "0", "A", "B"}},
        {"0 4", {"A", "B", "C", "0"}},
        {"a 3", {"0", "B", "A", "C"}},
        {"B 99", {"0", "A", "C", "B"}},
        {"B 3", {"0", "A", "B", "C"}},
        {"X 1", {}},
        {"A 0", {}},
        {"A one", {}},
        {"A", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Drawing d;
        d.load(fourLayers());
        const std::vector<Layer> before = d.layers();
        LayerOrderEditor editor(d);
        const std::string refused = editor.command(c.typed);
        if (c.after.empty()) {
            EXPECT_NE(refused, "");
            EXPECT_EQ(d.layers(), before);
            EXPECT_FALSE(d.canUndo());
            continue;
        }
        EXPECT_EQ(refused, "");
        EXPECT_EQ(names(d), c.after);
        for (const Layer& l : before) {
            EXPECT_EQ(*d.findLayer(l.name), l);
        }
        const bool moved = !(d.layers() == before);
        EXPECT_EQ(d.canUndo(), moved);
        if (!moved) {
            continue;
        }
        EXPECT_EQ(d.undoLabel(), "Set Layer Order");
        d.undo();
        EXPECT_EQ(d.layers(), before);
        d.redo();
        EXPECT_EQ(names(d), c.after);
    }
}

TEST(LayerOrder, EntitiesDrawLayerByLayerInTheirOwnOrderWithin) {
    Drawing d;
    DrawingContent c = fourLayers();
    const char* on[] = {"B", "A", "0", "B", "X", "A", "0", "C"};
    for (const char* layer : on) {
        c.entities.emplace_back(PointGeom{}, EntityProps{.layer = layer});
    }
    c.layers.erase(c.layers.begin() + 3);  // C is not in the table
    c.layers.push_back(Layer{"X"});
    d.load(c);
    d.setErased(d.entities()[6].handle, true);
    struct Case {
        const char* move;  // "" for none
        std::vector<std::uint32_t> order;
    };
    // Table 0 A B X, then C, added when loaded: 0: 2 (6 is erased), A: 1 5,
    // B: 0 3, X: 4, C: 7.
    const std::vector<Case> cases = {
        {"", {2, 1, 5, 0, 3, 4, 7}},
        {"B 1", {0, 3, 2, 1, 5, 4, 7}},
        {"0 9", {0, 3, 1, 5, 4, 7, 2}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.move);
        if (*k.move) {
            LayerOrderEditor editor(d);
            ASSERT_EQ(editor.command(k.move), "");
        }
        const std::vector<std::uint32_t> order = drawingOrder(d.entities(), d.layers());
        EXPECT_EQ(order, k.order);
    }
    // Entities on a layer the table lacks come last, in their own order.
    EXPECT_EQ(drawingOrder(d.entities(), {Layer{"B"}}),
              (std::vector<std::uint32_t>{0, 3, 1, 2, 4, 5, 7}));
}

}  // namespace
}  // namespace brondel::engine
