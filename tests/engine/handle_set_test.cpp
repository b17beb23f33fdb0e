#include "engine/handle_set.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

namespace brondel::engine {
namespace {

// Random inserts and erases over a few small handle ranges (so probe runs
// collide and wrap), checked against an ordered set after every change.
TEST(HandleSet, AgreesWithAnOrderedSetThroughInsertsAndErases) {
    std::mt19937_64 random(16);
    const Handle ranges[] = {1, 1 << 20, std::numeric_limits<Handle>::max() - 300,
                             std::numeric_limits<Handle>::min()};
    HandleSet set;
    std::set<Handle> expected;
    for (int i = 0; i < 60000; ++i) {
        const Handle h = ranges[random() % 4] + Handle(random() % 300);
        if (random() % 3 == 0) {
            ASSERT_EQ(set.erase(h), expected.erase(h) == 1) << h;
        } else {
            ASSERT_EQ(set.insert(h), expected.insert(h).second) << h;
        }
        ASSERT_EQ(set.size(), expected.size());
        if (i % 5000 == 0) {
            for (const Handle range : ranges) {
                for (Handle k = 0; k < 300; ++k) {
                    ASSERT_EQ(set.contains(range + k), expected.count(range + k) == 1);
                }
            }
        }
        if (i == 30000) {
            set.clear();
            expected.clear();
            set.reserve(500);
        }
    }
}

}  // namespace
}  // namespace brondel::engine
