#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "base/error.h"
#include "engine/drawing.h"
#include "engine/shape.h"

// A line turned round in place keeps its index entry; queries must still
// answer exactly as for a line drawn that way round.
namespace brondel::engine {
namespace {

std::vector<Entity> slantedLines(std::mt19937_64& random, int count) {
    std::uniform_real_distribution<double> coord(-100, 100);
    std::vector<Entity> lines;
    for (int i = 0; i < count; ++i) {
        const double x = coord(random), y = coord(random);
        lines.emplace_back(LineGeom{{x, y, 0}, {x + coord(random) / 7, y + coord(random) / 7, 0}});
    }
    return lines;
}

// Every line is found from points at exactly its own distance, the edge
// where an end order the index had wrong would show in the last bit.
void expectFoundAtItsDistance(const Drawing& d, std::mt19937_64& random) {
    std::uniform_real_distribution<double> offset(-3, 3);
    for (const Entity& e : d.entities()) {
        const auto& g = *geomIf<LineGeom>(e);
        for (int k = 0; k < 8; ++k) {
            const double t = k / 7.0;
            const double x = g.p1.x + t * (g.p2.x - g.p1.x) + offset(random);
            const double y = g.p1.y + t * (g.p2.y - g.p1.y) + offset(random);
            const std::vector<Handle> found = d.within(x, y, distanceTo(e, x, y, d));
            ASSERT_TRUE(std::binary_search(found.begin(), found.end(), e.handle))
                << "line " << e.handle << " from (" << x << ", " << y << ")";
        }
    }
}

TEST(SwapLineEnds, QueriesFollowTheNewDirectionAndUndoIsExact) {
    // Indexed entry by entry, indexed in bulk, and not yet indexed.
    for (int road = 0; road < 3; ++road) {
        std::mt19937_64 random(21 + road);
        std::vector<Entity> lines = slantedLines(random, 300);
        Drawing d;
        if (road == 0) {
            for (Entity& e : lines) {
                d.add(e);
            }
        } else {
            d.addMany(lines);
            if (road == 1) {
                d.within(0, 0, 1);
            }
        }
        const std::vector<Entity> before = d.entities();
        {
            Drawing::Step step(d, "Reverse");
            for (std::size_t i = 0; i < before.size(); i += 2) {
                d.swapLineEnds(before[i].handle);
            }
        }
        for (std::size_t i = 0; i < before.size(); ++i) {
            const auto& was = *geomIf<LineGeom>(before[i]);
            const auto& now = *geomIf<LineGeom>(d.entities()[i]);
            EXPECT_EQ(now.p1, i % 2 ? was.p1 : was.p2);
            EXPECT_EQ(now.p2, i % 2 ? was.p2 : was.p1);
        }
        expectFoundAtItsDistance(d, random);
        d.undo();
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(geomIf<LineGeom>(d.entities()[i])->p1, geomIf<LineGeom>(before[i])->p1);
            EXPECT_EQ(geomIf<LineGeom>(d.entities()[i])->p2, geomIf<LineGeom>(before[i])->p2);
        }
        expectFoundAtItsDistance(d, random);
        d.redo();
        expectFoundAtItsDistance(d, random);
    }
}

TEST(SwapLineEnds, RefusesWhatIsNotALineOfThisDrawing) {
    Drawing d;
    const Handle arc = d.add(Entity(ArcGeom{{0, 0, 0}, 1, 0, 1}));
    const std::uint64_t version = d.version();
    for (Handle h : {arc, Handle{0}, Handle{-5}}) {
        try {
            d.swapLineEnds(h);
            ADD_FAILURE() << h;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), h == arc ? err::kWrongEntityKind : err::kNoSuchEntity);
        }
    }
    EXPECT_EQ(d.version(), version);
}

}  // namespace
}  // namespace brondel::engine
