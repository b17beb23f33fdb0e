#include "engine/entity.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "engine/drawing.h"

namespace brondel::engine {
namespace {

const EntityProps kCut{.layer = "Cut", .color = {3}, .lineWeight = 50};
const XData kCam{{"BRONDEL_CAM", {{1000, "drill"}}}};

Entity cutLine() {
    Entity e(LineGeom{{0, 0, 0}, {1, 0, 0}}, kCut);
    e.setXData(XDataPtr(kCam));
    return e;
}

// Copies share their properties and extended data until one of them
// changes: the change must stay with that one, whichever side makes it.
TEST(EntityAttributes, AChangeToOneCopyLeavesTheOther) {
    const struct {
        const char* what;
        std::function<void(Entity&)> change;
    } cases[] = {
        {"edited property", [](Entity& e) { e.editProps().layer = "Other"; }},
        {"new properties", [](Entity& e) { e.setProps(EntityProps{}); }},
        {"new extended data",
         [](Entity& e) {
             e.setXData(XDataPtr(XData{{"OTHER", {}}}));
         }},
        {"extended data dropped", [](Entity& e) { e.setXData(nullptr); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Entity original = cutLine();
        Entity copy = original;
        c.change(copy);
        EXPECT_EQ(original.props(), kCut);
        ASSERT_TRUE(original.xdata());
        EXPECT_EQ(*original.xdata(), kCam);

        Entity second = original;
        c.change(original);
        EXPECT_EQ(second.props(), kCut);
        ASSERT_TRUE(second.xdata());
        EXPECT_EQ(*second.xdata(), kCam);
    }
}

// Entities a reader makes in a run share one record; undo keeps the
// properties the changed one had and the others never see the change.
TEST(EntityAttributes, UndoOfAPropertyChangeRestoresItAndLeavesTheSharers) {
    Drawing d;
    std::vector<Entity> run;
    const SharedAttributes shared(kCut);
    for (int i = 0; i < 3; ++i) {
        run.emplace_back(LineGeom{{0, double(i), 0}, {1, double(i), 0}}, shared);
    }
    const Handle first = d.addMany(std::move(run));
    const Handle middle = first + 1;

    Entity e = d.entity(middle);
    e.editProps().color = Color{1};
    d.replace(middle, std::move(e));
    EXPECT_EQ(d.entity(middle).props().color, Color{1});
    EXPECT_EQ(d.entity(first).props(), kCut);
    EXPECT_EQ(d.entity(middle + 1).props(), kCut);

    d.undo();
    EXPECT_EQ(d.entity(middle).props(), kCut);
    d.redo();
    EXPECT_EQ(d.entity(middle).props().color, Color{1});
    EXPECT_EQ(d.entity(first).props(), kCut);
}

// An autosave copies the drawing on a worker thread and drops the copy
// there while the drawing's own entities stay and change.
TEST(EntityAttributes, CopiesMadeAndDroppedOnOtherThreadsLeaveTheOriginal) {
    std::vector<Entity> entities(1000, cutLine());
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([copy = entities]() mutable {
            for (Entity& e : copy) {
                Entity again = e;
                e.editProps().lineWeight = 0;
            }
        });
    }
    for (std::size_t i = 0; i < entities.size(); i += 2) {
        entities[i].editProps().layer = "Other";
    }
    for (std::thread& w : workers) {
        w.join();
    }
    for (std::size_t i = 0; i < entities.size(); ++i) {
        EXPECT_EQ(entities[i].props().layer, i % 2 ? "Cut" : "Other");
        EXPECT_EQ(entities[i].props().lineWeight, 50);
        ASSERT_TRUE(entities[i].xdata());
    }
}

}  // namespace
}  // namespace brondel::engine
