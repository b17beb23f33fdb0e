#include <gtest/gtest.h>

#include <random>

#include "engine/drawing.h"

// The walk's form of Drawing::within: the same entities in the same order,
// and each line's ends as the entity holds them, however the index learnt
// of the line (bulk load, one by one, ends swapped before or after it was
// built).
namespace brondel::engine {
namespace {

std::vector<Handle> handlesOf(const std::vector<Drawing::Nearby>& found) {
    std::vector<Handle> out;
    for (const Drawing::Nearby& n : found) {
        out.push_back(n.handle);
    }
    return out;
}

void checkAround(const Drawing& d, std::vector<Drawing::Nearby>& found, double x, double y,
                 double r) {
    d.within(x, y, r, found);
    ASSERT_EQ(handlesOf(found), d.within(x, y, r)) << "at " << x << ", " << y;
    for (const Drawing::Nearby& n : found) {
        const auto* line = geomIf<LineGeom>(d.entity(n.handle));
        ASSERT_EQ(n.line, line != nullptr) << "handle " << n.handle;
        if (line) {
            EXPECT_EQ(n.first, (Point2{line->p1.x, line->p1.y})) << "handle " << n.handle;
            EXPECT_EQ(n.second, (Point2{line->p2.x, line->p2.y})) << "handle " << n.handle;
        }
    }
}

TEST(NearbyEnds, AnswerWithinsEntitiesWithTheLinesOwnEnds) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> u(-50, 50);
    DrawingContent content;
    for (int i = 0; i < 3000; ++i) {
        const double x = u(rng), y = u(rng);
        switch (i % 5) {
            case 0:
                content.entities.emplace_back(ArcGeom{{x, y, 0}, 1, 0.5, 2});
                break;
            case 1:
                content.entities.emplace_back(PointGeom{{x, y, 0}});
                break;
            case 2:  // a signed zero and a point-like line
                content.entities.emplace_back(LineGeom{{-0.0, y, 0}, {0.0, y, 3}});
                break;
            default:
                content.entities.emplace_back(
                    LineGeom{{x, y, 1}, {x + u(rng) / 20, y + u(rng) / 20, 1}});
        }
    }
    Drawing d;
    d.load(std::move(content));
    for (int i = 0; i < 200; ++i) {
        d.add(Entity(LineGeom{{u(rng), u(rng), 0}, {u(rng), u(rng), 0}}));
    }
    std::vector<Handle> lines;
    for (const Entity& e : d.entities()) {
        if (geomIf<LineGeom>(e)) {
            lines.push_back(e.handle);
        }
    }
    for (std::size_t i = 0; i < lines.size(); i += 7) {
        if (i / 7 == lines.size() / 14) {
            d.within(0, 0, 0);  // builds the index: later turns change its entries
        }
        d.swapLineEnds(lines[i]);
        if (i % 3 == 0) {
            d.setErased(lines[i + 1], true);
        }
    }
    std::vector<Drawing::Nearby> found;
    for (Handle h : lines) {
        const auto& l = *geomIf<LineGeom>(d.entity(h));
        ASSERT_NO_FATAL_FAILURE(checkAround(d, found, l.p1.x, l.p1.y, 0.5));
        ASSERT_NO_FATAL_FAILURE(checkAround(d, found, l.p2.x, l.p2.y, 1e-9));
    }
    ASSERT_NO_FATAL_FAILURE(checkAround(d, found, 1e6, 0, 1));  // nothing: the buffer empties
    EXPECT_TRUE(found.empty());
}

}  // namespace
}  // namespace brondel::engine
