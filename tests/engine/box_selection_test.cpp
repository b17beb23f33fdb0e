#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/box_crossing.h"
#include "engine/commands.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

bool inside(double x, double y, const Box2& b) {
    return x >= b.minX && x <= b.maxX && y >= b.minY && y <= b.maxY;
}

// Orientation-based segment intersection, closed.
double cross(Point2 o, Point2 a, Point2 b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}
bool segmentsMeet(Point2 a, Point2 b, Point2 c, Point2 d) {
    const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    return ((d1 > 0) != (d2 > 0) || d1 == 0 || d2 == 0) &&
           ((d3 > 0) != (d4 > 0) || d3 == 0 || d4 == 0);
}

// What a rectangle should select, decided entity by entity without the index.
bool expected(const Entity& e, const Box2& b, bool crossing) {
    if (const auto* g = geomIf<PointGeom>(e)) {
        return inside(g->p.x, g->p.y, b);
    }
    if (const auto* g = geomIf<LineGeom>(e)) {
        const Point2 p{g->p1.x, g->p1.y}, q{g->p2.x, g->p2.y};
        const bool in1 = inside(p.x, p.y, b), in2 = inside(q.x, q.y, b);
        if (!crossing) {
            return in1 && in2;
        }
        const Point2 c[4] = {
            {b.minX, b.minY}, {b.maxX, b.minY}, {b.maxX, b.maxY}, {b.minX, b.maxY}};
        bool edge = false;
        for (int i = 0; i < 4; ++i) {
            edge = edge || segmentsMeet(p, q, c[i], c[(i + 1) % 4]);
        }
        return in1 || in2 || edge;
    }
    const auto& g = *geomIf<CircleGeom>(e);
    const double cx = g.center.x, cy = g.center.y, r = g.radius;
    if (!crossing) {
        return inside(cx - r, cy - r, b) && inside(cx + r, cy + r, b);
    }
    const double nx = std::clamp(cx, b.minX, b.maxX), ny = std::clamp(cy, b.minY, b.maxY);
    const double nearest = std::hypot(cx - nx, cy - ny);
    const double farthest =
        std::hypot(std::max(cx - b.minX, b.maxX - cx), std::max(cy - b.minY, b.maxY - cy));
    return nearest <= r && r <= farthest;
}

TEST(SelectByRectangle, AgreesWithABruteForceCheckOnARandomDrawing) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> at(0, 100), size(0.1, 15);
    Vecad v;
    for (int i = 0; i < 1500; ++i) {
        const double x = at(random), y = at(random);
        v.AddLine(x, y, 0, x + size(random) - 7, y + size(random) - 7, 0);
    }
    for (int i = 0; i < 300; ++i) {
        v.drawing().add(Entity(CircleGeom{{at(random), at(random), 0}, size(random) / 2}));
    }
    for (int i = 0; i < 200; ++i) {
        v.AddPoint(at(random), at(random), 0);
    }
    std::size_t windowTotal = 0, crossingTotal = 0;
    for (int round = 0; round < 60; ++round) {
        Box2 box;
        box.add(at(random), at(random));
        box.add(at(random), at(random));
        const bool crossing = round % 2 == 1;
        std::vector<Handle> want;
        for (const Entity& e : v.drawing().entities()) {
            if (expected(e, box, crossing)) {
                want.push_back(e.handle);
            }
        }
        v.SelClear();
        EXPECT_EQ(v.selectInBox(box, crossing), static_cast<int>(want.size()));
        std::vector<Handle> got = v.selection();
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, want) << "round " << round;
        (crossing ? crossingTotal : windowTotal) += want.size();
    }
    EXPECT_GT(windowTotal, 100u);  // the rectangles did catch things
    EXPECT_GT(crossingTotal, windowTotal);
}

TEST(SelectByRectangle, CrossingFollowsTheCurveNotItsBox) {
    const Entity arc(ArcGeom{{0, 0, 0}, 10, 0, kPi / 2});  // first quadrant
    const Drawing blocks;
    const auto box = [](double x0, double y0, double x1, double y1) {
        Box2 b;
        b.add(x0, y0);
        b.add(x1, y1);
        return b;
    };
    EXPECT_TRUE(meetsBox(arc, box(9, -1, 11, 1), blocks));     // its start
    EXPECT_TRUE(meetsBox(arc, box(6, 6, 8, 8), blocks));       // crossed in the middle
    EXPECT_FALSE(meetsBox(arc, box(-11, -1, -9, 1), blocks));  // the circle, not the arc
    EXPECT_FALSE(meetsBox(arc, box(1, 1, 3, 3), blocks));      // inside its box only

    TextGeom t;
    t.text = "CUT HERE";
    t.height = 2;
    const Entity text(t);
    EXPECT_TRUE(meetsBox(text, box(1, 0.5, 1.5, 1), blocks));  // within the letters' area
    EXPECT_FALSE(meetsBox(text, box(1, 3, 2, 4), blocks));

    const Entity xline(InfiniteLineGeom{{0, 0, 0}, {1, 0, 0}, false});
    const Entity ray(InfiniteLineGeom{{0, 0, 0}, {1, 0, 0}, true});
    EXPECT_TRUE(meetsBox(xline, box(-1000, -1, -999, 1), blocks));
    EXPECT_FALSE(meetsBox(ray, box(-1000, -1, -999, 1), blocks));
}

}  // namespace
}  // namespace brondel::engine
