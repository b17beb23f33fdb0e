#include "engine/drawing.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/error.h"
#include "engine/handle_registry.h"

namespace brondel::engine {
namespace {

Entity line(double x1, double y1, double x2, double y2) {
    return Entity(LineGeom{{x1, y1, 0}, {x2, y2, 0}});
}

std::vector<Handle> liveHandles(const Drawing& d) {
    std::vector<Handle> hs;
    for (Handle h = d.firstLive(); h != kNoHandle; h = d.nextLive(h)) {
        hs.push_back(h);
    }
    return hs;
}

TEST(Drawing, WalkSkipsErasedAndPurgeRemovesThem) {
    Drawing d;
    const Handle a = d.add(line(0, 0, 1, 0));
    const Handle b = d.add(line(1, 0, 2, 0));
    const Handle c = d.add(line(2, 0, 3, 0));
    EXPECT_EQ(liveHandles(d), (std::vector<Handle>{a, b, c}));
    d.setErased(b, true);
    EXPECT_EQ(d.liveCount(), 2u);
    EXPECT_EQ(liveHandles(d), (std::vector<Handle>{a, c}));
    EXPECT_NE(d.find(b), nullptr);
    EXPECT_EQ(d.purgeErased(), 1u);
    EXPECT_EQ(d.find(b), nullptr);
    EXPECT_THROW(d.nextLive(b), Error);
    EXPECT_EQ(d.nextLive(a), c);
}

TEST(Drawing, HandlesAreUniqueAcrossDrawingsAndFindTheirOwner) {
    auto d1 = std::make_unique<Drawing>();
    Drawing d2;
    const Handle a = d1->add(line(0, 0, 1, 1));
    const Handle b = d2.add(line(0, 0, 1, 1));
    EXPECT_NE(a, b);
    EXPECT_EQ(handles::ownerOf(a), d1.get());
    EXPECT_EQ(handles::ownerOf(b), &d2);
    EXPECT_EQ(d2.find(a), nullptr);
    d1.reset();
    EXPECT_EQ(handles::ownerOf(a), nullptr);
    EXPECT_EQ(handles::ownerOf(0), nullptr);
    const Handle c = d2.add(line(0, 0, 1, 1));
    EXPECT_GT(c, b);
}

TEST(Drawing, UndoRedoRestoresEntitiesOrderAndChangeFlag) {
    Drawing d;
    const Handle a = d.add(line(0, 0, 1, 0));
    d.markSaved();
    EXPECT_FALSE(d.changed());
    Handle b, c;
    {
        Drawing::Step step(d, "Array");
        b = d.add(line(1, 0, 2, 0));
        c = d.add(line(2, 0, 3, 0));
        d.setErased(a, true);
        d.purgeErased();
        d.replace(b, line(5, 5, 6, 6));
    }
    EXPECT_TRUE(d.changed());
    EXPECT_EQ(d.undoLabel(), "Array");
    d.undo();
    EXPECT_FALSE(d.changed());
    EXPECT_EQ(liveHandles(d), (std::vector<Handle>{a}));
    EXPECT_EQ(d.within(0.5, 0, 0.01), (std::vector<Handle>{a}));
    d.redo();
    EXPECT_TRUE(d.changed());
    EXPECT_EQ(liveHandles(d), (std::vector<Handle>{b, c}));
    EXPECT_EQ(d.within(5.5, 5.5, 0.01), (std::vector<Handle>{b}));
    EXPECT_TRUE(d.within(1.5, 0, 0.01).empty());
    EXPECT_THROW(d.redo(), Error);
}

// A command that fails halfway is taken back whole and leaves nothing to
// redo: redo would otherwise bring the half change back.
TEST(Drawing, DiscardedStepLeavesNoTraceAndNoRedo) {
    Drawing d;
    const Handle a = d.add(line(0, 0, 1, 0));
    d.markSaved();
    {
        Drawing::Step step(d, "Draw Polyline");
        d.add(line(1, 0, 2, 0));
        d.setErased(a, true);
    }
    d.discardLastStep();
    EXPECT_EQ(liveHandles(d), (std::vector<Handle>{a}));
    EXPECT_FALSE(d.changed());
    EXPECT_FALSE(d.canRedo());
    EXPECT_EQ(d.undoLabel(), "Edit");
}

// Entities added in bulk join the index when it is first asked; changes made
// before that still leave it right.
TEST(Drawing, BulkAddedEntitiesAreIndexedWhenFirstNeeded) {
    Drawing d;
    const Handle a = d.addMany({line(0, 0, 1, 0), line(1, 0, 2, 0), line(2, 0, 3, 0)});
    d.undo();
    EXPECT_EQ(d.liveCount(), 0u);
    EXPECT_TRUE(d.within(0.5, 0, 0.1).empty());
    d.redo();
    const Handle b = d.nextLive(a), c = d.nextLive(b);
    d.setErased(b, true);
    EXPECT_TRUE(d.within(1.5, 0, 0.1).empty());
    d.purgeErased();
    const Handle f = d.addMany({line(4, 0, 5, 0)});
    const Handle e = d.add(line(6, 0, 7, 0));
    EXPECT_EQ(d.within(2, 0, 3), (std::vector<Handle>{a, c, f}));
    EXPECT_EQ(d.inBox({5.5, -1, 8, 1}, true), (std::vector<Handle>{e}));
    d.purgeAll();
    d.addMany({line(0, 0, 1, 0)});
    EXPECT_EQ(d.within(0.5, 0, 0.1).size(), 1u);
}

TEST(Drawing, WithoutHistoryChangesAreNotUndoable) {
    Drawing d;
    d.keepHistory(false);
    d.add(line(0, 0, 1, 0));
    d.purgeAll();
    EXPECT_FALSE(d.canUndo());
    EXPECT_TRUE(d.changed());
    EXPECT_EQ(d.liveCount(), 0u);
}

TEST(Drawing, LoadAddsLayersTheEntitiesNameButTheTablesLack) {
    DrawingContent content;
    content.entities.push_back(line(0, 0, 1, 0));
    content.entities.back().editProps().layer = "RIB";
    Drawing d;
    d.load(std::move(content));
    ASSERT_NE(d.findLayer("RIB"), nullptr);
    EXPECT_NE(d.findLayer("0"), nullptr);
    EXPECT_FALSE(d.changed());
}

}  // namespace
}  // namespace brondel::engine
