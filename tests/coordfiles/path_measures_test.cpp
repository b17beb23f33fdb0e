#include "coordfiles/path_measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "coordfiles/rows.h"

namespace brondel::coordfiles {
namespace {

TEST(PathMeasures, CountsEachVertexReachedAgainButNotTheClosingOne) {
    const struct {
        std::vector<std::string> rows;
        std::size_t repeats;
        double length;
    } cases[] = {
        {{}, 0, 0},
        {{"1, 1"}, 0, 0},
        {{"0, 0", "3, 0", "3, 4", "0, 0"}, 0, 12},
        {{"0, 0", "1, 0", "0, 0", "1, 0", "0, 0"}, 2, 4},
        {{"0, 0", "-0, 0", "0, -0", "0.0000, 0"}, 2, 0},
        {{"2, 5", "5, 2", "2, 5.0001"}, 0, std::hypot(3, 3) + std::hypot(3, 3.0001)},
    };
    for (const auto& c : cases) {
        const PathMeasures m = measurePath(c.rows);
        EXPECT_EQ(m.repeats, c.repeats) << ::testing::PrintToString(c.rows);
        EXPECT_NEAR(m.length, c.length, 1e-9) << ::testing::PrintToString(c.rows);
    }
}

// A long path with vertices drawn from a small grid, against a plain sort.
TEST(PathMeasures, RepeatsOfALongPathMatchACountBySorting) {
    std::mt19937_64 random(15);
    std::vector<std::string> rows;
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 100000; ++i) {
        const double x = double(random() % 400) / 4 - 50, y = double(random() % 400) / 4;
        rows.push_back(coordinateRow(x, y));
        points.emplace_back(x, y);
    }
    points.pop_back();
    std::sort(points.begin(), points.end());
    const auto distinct = std::size_t(std::unique(points.begin(), points.end()) - points.begin());
    EXPECT_EQ(measurePath(rows).repeats, points.size() - distinct);
}

}  // namespace
}  // namespace brondel::coordfiles
