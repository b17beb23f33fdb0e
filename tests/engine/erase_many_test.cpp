// A bulk erase is one change whichever way it keeps the index: entry by
// entry for a few entities, rebuilt for a large share of the drawing.
#include <gtest/gtest.h>

#include "base/error.h"
#include "engine/drawing.h"

namespace brondel::engine {
namespace {

TEST(EraseMany, OneStepThatUndoesExactlyAndKeepsTheIndexRight) {
    struct Case {
        const char* name;
        int count;      // lines at x = 0 .. count - 1
        int firstGone;  // the erased ones: firstGone .. count - 1, plus one given twice
    };
    for (const Case c : {Case{"a few", 100, 95}, Case{"most", 100, 10}}) {
        SCOPED_TRACE(c.name);
        Drawing d;
        std::vector<Handle> all;
        for (int i = 0; i < c.count; ++i) {
            all.push_back(d.add(Entity(LineGeom{{double(i), 0, 0}, {double(i), 1, 0}})));
        }
        d.setErased(all[0], true);  // already erased: left out, not counted twice
        std::vector<Handle> gone(all.begin() + c.firstGone, all.end());
        gone.push_back(all.back());
        gone.push_back(all[0]);
        const std::size_t before = d.liveCount();
        d.eraseMany(gone);
        EXPECT_EQ(d.liveCount(), std::size_t(c.firstGone - 1));
        EXPECT_TRUE(d.within(c.count - 1, 0.5, 0.1).empty());
        EXPECT_EQ(d.inBox({-1, -1, double(c.count), 2}, false).size(), d.liveCount());
        EXPECT_EQ(d.undoLabel(), "Edit");
        d.undo();
        EXPECT_EQ(d.liveCount(), before);
        EXPECT_TRUE(d.entity(all[0]).erased);
        EXPECT_EQ(d.within(c.count - 1, 0.5, 0.1).size(), 1u);
        EXPECT_EQ(d.inBox({-1, -1, double(c.count), 2}, false).size(), before);
        d.redo();
        EXPECT_EQ(d.liveCount(), std::size_t(c.firstGone - 1));
        EXPECT_TRUE(d.entity(all.back()).erased);
        // A handle that is not this drawing's changes nothing.
        const std::uint64_t version = d.version();
        EXPECT_THROW(d.eraseMany({all[1], Handle(0x7fffffff)}), Error);
        EXPECT_EQ(d.version(), version);
        EXPECT_FALSE(d.entity(all[1]).erased);
    }
}

}  // namespace
}  // namespace brondel::engine
