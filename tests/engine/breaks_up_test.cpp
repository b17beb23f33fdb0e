#include <gtest/gtest.h>

#include "engine/explode.h"
#include "tests/engine/every_kind_drawing.h"

namespace brondel::engine {
namespace {

// Preparation selects only what breaksUp names, so a kind it missed would
// silently stay whole in every cutting path.
TEST(BreaksUp, NamesExactlyTheKindsThatExplodeIntoParts) {
    Drawing d;
    d.load(testing::everyKindContent());
    for (const Entity& e : d.entities()) {
        SCOPED_TRACE(static_cast<int>(e.type()));
        EXPECT_EQ(breaksUp(e), !explodeEntity(e, d, 0.01).empty());
    }
}

}  // namespace
}  // namespace brondel::engine
