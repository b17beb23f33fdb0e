#include <gtest/gtest.h>

#include "coordfiles/row_mark.h"

namespace brondel::coordfiles {
namespace {

// A unit square cut counter-clockwise from the origin: the start, arrows
// evenly along it the way it runs, and the prompt's text for a picked row.
TEST(PathMarks, StartArrowsAndStepTextFollowTheDatPath) {
    const std::vector<std::string> dat{"0 0", "1 0", "1 1", "0 1", "0 0"};
    const DatPathMarks marks = datPathMarks(dat);
    ASSERT_TRUE(marks.start);
    EXPECT_EQ(*marks.start, (engine::Point2{0, 0}));
    ASSERT_EQ(marks.arrows.size(), std::size_t(kPathArrows));
    const struct {
        std::size_t arrow;
        engine::Point2 at, direction;
    } expected[] = {
        {0, {1.0 / 12, 0}, {1, 0}},
        {6, {1, 1.0 / 12}, {0, 1}},
        {12, {11.0 / 12, 1}, {-1, 0}},
        {23, {0, 1.0 / 12}, {0, -1}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.arrow);
        EXPECT_NEAR(marks.arrows[e.arrow].at.x, e.at.x, 1e-12);
        EXPECT_NEAR(marks.arrows[e.arrow].at.y, e.at.y, 1e-12);
        EXPECT_EQ(marks.arrows[e.arrow].direction, e.direction);
    }
    EXPECT_TRUE(datPathMarks({"1 1", "1 1"}).arrows.empty()) << "a path of no length";
    EXPECT_FALSE(datPathMarks({}).start);

    EXPECT_EQ(rowStepText(documents::ListView::Dat, dat, 2), "Step 3 of 5: 1, 1");
    EXPECT_EQ(rowStepText(documents::ListView::Coordinate, {"2.5, -1", "x"}, 0),
              "Vertex 1 of 2: 2.5, -1");
    EXPECT_EQ(rowStepText(documents::ListView::Coordinate, {"2.5, -1", "x"}, 1), "Vertex 2 of 2");
}

}  // namespace
}  // namespace brondel::coordfiles
