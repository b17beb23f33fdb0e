#include "engine/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/error.h"
#include "engine/handle_registry.h"
#include "engine/shape.h"

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

// Added in bulk or one by one, into an empty drawing or after others, the
// same entities give the same order, the same answers from the index and one
// undo step.
TEST(Drawing, AddManyMatchesAddingOneByOne) {
    auto kinds = [](int i) {
        const double x = (i * 37) % 101, y = (i * 53) % 97;
        switch (i % 3) {
            case 0:
                return line(x, y, x + 1.5, y - 0.5);
            case 1:
                return Entity(CircleGeom{{x, y, 0}, 0.75});
            default:
                return Entity(PointGeom{{x, y, 0}});
        }
    };
    for (const int before : {0, 5}) {
        Drawing single, bulk;
        std::vector<Entity> batch;
        for (int i = 0; i < 300; ++i) {
            if (i < before) {
                single.add(kinds(i));
                bulk.add(kinds(i));
            } else {
                single.add(kinds(i));
                batch.push_back(kinds(i));
            }
        }
        const std::size_t steps = before;  // one implicit step per add before the batch
        const Handle first = bulk.addMany(std::move(batch));
        ASSERT_EQ(liveHandles(bulk).size(), 300u);
        EXPECT_EQ(liveHandles(bulk)[before], first);
        auto positions = [](const Drawing& d, const std::vector<Handle>& hs) {
            const std::vector<Handle> all = liveHandles(d);
            std::vector<std::size_t> at;
            for (Handle h : hs) {
                at.push_back(std::size_t(std::find(all.begin(), all.end(), h) - all.begin()));
            }
            return at;
        };
        for (int q = 0; q < 50; ++q) {
            const double x = (q * 29) % 101, y = (q * 31) % 97;
            EXPECT_EQ(positions(single, single.within(x, y, 3)),
                      positions(bulk, bulk.within(x, y, 3)));
            const Box2 box{x - 10, y - 10, x + 10, y + 10};
            EXPECT_EQ(positions(single, single.inBox(box, true)),
                      positions(bulk, bulk.inBox(box, true)));
        }
        for (std::size_t i = 0; i < 300; ++i) {
            EXPECT_EQ(boundingBox(single.entities()[i], single).minX,
                      boundingBox(bulk.entities()[i], bulk).minX);
        }
        bulk.undo();
        EXPECT_EQ(liveHandles(bulk).size(), std::size_t(before));
        EXPECT_EQ(bulk.canUndo(), steps > 0);
        EXPECT_TRUE(bulk.within(0, 0, 200).size() <= std::size_t(before));
        bulk.redo();
        EXPECT_EQ(liveHandles(bulk)[before], first);
        EXPECT_EQ(positions(bulk, bulk.within(50, 50, 200)).size(), 300u);
    }
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
