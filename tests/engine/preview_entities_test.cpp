#include "engine/preview_entities.h"

#include <gtest/gtest.h>

namespace brondel::engine {
namespace {

std::vector<Entity> lines(int n, double y) {
    std::vector<Entity> out;
    for (int i = 0; i < n; ++i) {
        out.emplace_back(LineGeom{{double(i), y, 0}, {double(i) + 1, y, 0}});
    }
    return out;
}

// A preview that grows, shrinks and empties keeps the handles it had and
// holds only what it shows.
TEST(PreviewEntities, UpdatesKeepTheirHandlesAndShowOnlyTheNewGeometry) {
    Drawing preview;
    preview.keepHistory(false);
    showPreview(preview, lines(2, 0));
    const Handle first = preview.firstLive(), second = preview.nextLive(first);

    struct Step {
        int count;
        double y;
    };
    for (const Step step : {Step{2, 1}, Step{3, 2}, Step{1, 3}, Step{0, 4}, Step{2, 5}}) {
        SCOPED_TRACE(step.count);
        showPreview(preview, lines(step.count, step.y));
        ASSERT_EQ(preview.entities().size(), std::size_t(step.count));
        ASSERT_EQ(preview.liveCount(), std::size_t(step.count));
        for (int i = 0; i < step.count; ++i) {
            const Entity& e = preview.entities()[std::size_t(i)];
            EXPECT_EQ(geomIf<LineGeom>(e)->p1.y, step.y);
            EXPECT_EQ(geomIf<LineGeom>(e)->p1.x, i);
        }
        if (step.count >= 1 && step.y < 4) {
            EXPECT_EQ(preview.firstLive(), first);
        }
        if (step.count >= 2 && step.y < 4) {
            EXPECT_EQ(preview.nextLive(first), second);
        }
    }
}

}  // namespace
}  // namespace brondel::engine
