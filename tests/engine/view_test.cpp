#include "engine/view.h"

#include <gtest/gtest.h>

namespace brondel::engine {
namespace {

// Zoom Extents centres the box in the uncovered part and fits it there.
TEST(ViewTest, ZoomExtentsFitsTheUncoveredPart) {
    Box2 box;
    box.add(0, 0);
    box.add(100, 50);
    const View::Covered cases[] = {{}, {200, 0, 0, 0}, {0, 30, 100, 120}, {900, 0, 0, 0}};
    for (const View::Covered& c : cases) {
        View view;
        view.resize(800, 600);
        view.setCovered(c);
        view.zoomExtents(box);
        const Point2 low = view.toWindow(0, 0);
        const Point2 high = view.toWindow(100, 50);
        // A window covered almost whole keeps a quarter of itself to show the box in.
        const double left = std::min(c.left, 600), right = 800 - c.right;
        const double top = c.top, bottom = 600 - c.bottom;
        EXPECT_NEAR((low.x + high.x) / 2, (left + right) / 2, 1e-6) << c.left;
        EXPECT_NEAR((low.y + high.y) / 2, (top + bottom) / 2, 1e-6) << c.top;
        EXPECT_GE(low.x, left);
        EXPECT_LE(high.x, right);
        EXPECT_GE(high.y, top);
        EXPECT_LE(low.y, bottom);
    }
}

// Covering part of the window moves the drawing so that what stood in the
// middle of the free part still does.
TEST(ViewTest, CoveringKeepsTheMiddleInSightAtTheSameScale) {
    View view;
    view.resize(800, 600);
    view.set({10, 20}, 0.5);
    view.setCovered({200, 0, 0, 300});
    const Point2 middle = view.toWindow(10, 20);
    EXPECT_NEAR(middle.x, 500, 1e-9);
    EXPECT_NEAR(middle.y, 150, 1e-9);
    EXPECT_EQ(view.scale(), 0.5);
    view.setCovered({});
    EXPECT_NEAR(view.center().x, 10, 1e-9);
    EXPECT_NEAR(view.center().y, 20, 1e-9);
}

}  // namespace
}  // namespace brondel::engine
