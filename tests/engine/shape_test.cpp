#include "engine/shape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/tessellate.h"
#include "tests/engine/block_map.h"

namespace brondel::engine {
namespace {

using Blocks = testing::BlockMap;

const Blocks kNoBlocks;

// Box and distance of a dense chain of points on the true curve.
struct Sampled {
    Box2 box;
    std::vector<Point3> pts;
    double distance(double x, double y) const {
        double best = INFINITY;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            best = std::min(
                best, distanceToSegment(x, y, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y));
        }
        return best;
    }
};

Sampled sampleEllipse(const EllipseGeom& g, int n = 200000) {
    Sampled s;
    double t0, t1;
    ellipseRange(g, t0, t1);
    for (int i = 0; i <= n; ++i) {
        s.pts.push_back(ellipsePoint(g, t0 + (t1 - t0) * i / n));
        s.box.add(s.pts.back().x, s.pts.back().y);
    }
    return s;
}

void expectBoxNear(const Box2& a, const Box2& b, double tol) {
    EXPECT_NEAR(a.minX, b.minX, tol);
    EXPECT_NEAR(a.minY, b.minY, tol);
    EXPECT_NEAR(a.maxX, b.maxX, tol);
    EXPECT_NEAR(a.maxY, b.maxY, tol);
}

TEST(Shape, EllipsesFullPartialAndRotatedMatchTheirDenseOutline) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int k = 0; k < 12; ++k) {
        EllipseGeom g;
        g.center = {u(rng) * 5, u(rng) * 5, 0};
        const double a = 1 + std::abs(u(rng)) * 4, rot = u(rng) * kPi;
        g.majorAxis = {a * std::cos(rot), a * std::sin(rot), 0};
        g.ratio = 0.1 + std::abs(u(rng)) * 0.9;
        if (k % 3 != 0) {  // partial, sometimes crossing parameter 0
            g.startParam = u(rng) * 4;
            g.endParam = u(rng) * 4;
        }
        const Entity e(g);
        const Sampled s = sampleEllipse(g);
        expectBoxNear(boundingBox(e, kNoBlocks), s.box, 1e-6);
        for (int q = 0; q < 40; ++q) {
            const double x = g.center.x + u(rng) * 8, y = g.center.y + u(rng) * 8;
            EXPECT_NEAR(distanceTo(e, x, y, kNoBlocks), s.distance(x, y), 1e-6)
                << "ellipse " << k << " at " << x << "," << y;
        }
    }
}

TEST(Shape, SplineBoxAndDistanceFollowTheCurveNotItsControlPolygon) {
    const SplineGeom g{.knots = {0, 0, 0, 0, 1, 2, 2, 2, 2},
                       .controlPoints = {{0, 0, 0}, {1, 4, 0}, {3, -4, 0}, {4, 0, 0}, {6, 2, 0}}};
    const Entity e(g);
    const Box2 b = boundingBox(e, kNoBlocks);
    // The curve stays well inside the control polygon's box.
    EXPECT_LT(b.maxY, 3);
    EXPECT_GT(b.minY, -3);
    EXPECT_NEAR(b.minX, 0, 1e-12);
    EXPECT_NEAR(b.maxX, 6, 1e-12);
    const std::vector<Point3> fine = tessellateSpline(g, 1e-9);
    Sampled s;
    s.pts = fine;
    for (double x = -1; x <= 7; x += 0.5) {
        for (double y = -3; y <= 3; y += 0.5) {
            EXPECT_NEAR(distanceTo(e, x, y, kNoBlocks), s.distance(x, y), 1e-4);
        }
    }
    // A rational quarter circle is exact.
    const SplineGeom q{.degree = 2,
                       .rational = true,
                       .knots = {0, 0, 0, 1, 1, 1},
                       .controlPoints = {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                       .weights = {1, std::sqrt(0.5), 1}};
    for (const Point3& p : tessellateSpline(q, 1e-6)) {
        EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-12);
    }
    EXPECT_NEAR(distanceTo(Entity(q), 0, 0, kNoBlocks), 1, 1e-5);
}

TEST(Shape, TextBoxesFollowHeightLengthWidthFactorAngleAndAlignment) {
    TextGeom t{.text = "ABCD", .p = {10, 20, 0}, .height = 2, .widthFactor = 0.5};
    Box2 b = boundingBox(Entity(t), kNoBlocks);
    EXPECT_DOUBLE_EQ(b.minX, 10);
    EXPECT_DOUBLE_EQ(b.minY, 20);
    EXPECT_GT(b.maxX, 11);  // four characters at half width still span > 1
    EXPECT_LT(b.maxX, 16);
    EXPECT_DOUBLE_EQ(b.maxY, 22);
    EXPECT_EQ(distanceTo(Entity(t), 10.5, 21, kNoBlocks), 0);
    EXPECT_NEAR(distanceTo(Entity(t), 10.5, 25, kNoBlocks), 3, 1e-12);

    t.angle = kPi / 2;  // runs up: box to the left of the point
    b = boundingBox(Entity(t), kNoBlocks);
    EXPECT_NEAR(b.minX, 8, 1e-12);
    EXPECT_NEAR(b.maxX, 10, 1e-12);
    EXPECT_NEAR(b.minY, 20, 1e-12);

    t.angle = 0;
    t.hAlign = 2;  // right aligned at the second point
    t.alignPoint = {0, 0, 0};
    b = boundingBox(Entity(t), kNoBlocks);
    EXPECT_NEAR(b.maxX, 0, 1e-12);
    EXPECT_LT(b.minX, 0);

    t.hAlign = 3;  // aligned between both points
    t.p = {0, 0, 0};
    t.alignPoint = {0, 5, 0};
    b = boundingBox(Entity(t), kNoBlocks);
    EXPECT_NEAR(b.maxY, 5, 1e-12);
    EXPECT_NEAR(b.minX, -2, 1e-12);
}

TEST(Shape, MTextBoxUsesWidthLinesAndAttachment) {
    MTextGeom m{.text = "one\\Ptwo\\Pthree", .width = 10};
    m.attachment = 1;  // top left: box below and right of the point
    Box2 b = boundingBox(Entity(m), kNoBlocks);
    EXPECT_NEAR(b.minX, 0, 1e-12);
    EXPECT_NEAR(b.maxX, 10, 1e-12);
    EXPECT_NEAR(b.maxY, 0, 1e-12);
    const double h = 1 + 2 * 5.0 / 3.0;
    EXPECT_NEAR(b.minY, -h, 1e-12);
    m.attachment = 9;  // bottom right
    b = boundingBox(Entity(m), kNoBlocks);
    EXPECT_NEAR(b.maxX, 0, 1e-12);
    EXPECT_NEAR(b.minY, 0, 1e-12);
    EXPECT_NEAR(b.maxY, h, 1e-12);
    EXPECT_EQ(distanceTo(Entity(m), -5, 1, kNoBlocks), 0);
}

Blocks blocksWithSquareAndCircle() {
    Blocks blocks;
    blocks.add(Block{"SQ",
                     {1, 1, 0},
                     0,
                     {Entity(LineGeom{{1, 1, 0}, {2, 1, 0}}), Entity(CircleGeom{{1, 1, 0}, 1})}});
    return blocks;
}

TEST(Shape, BlockReferencesAnswerByTheirPlacedEntities) {
    const Blocks blocks = blocksWithSquareAndCircle();
    const InsertGeom ins{.block = "SQ",
                         .p = {10, 0, 0},
                         .scale = {2, 3, 1},
                         .angle = kPi / 2,
                         .columns = 2,
                         .columnSpacing = 10};  // along the rotated x: +y in the drawing
    const Entity e(ins);
    const Box2 b = boundingBox(e, blocks);
    // Circle of radii 2 (x) and 3 (y) turned 90 degrees: 3 across, 2 up.
    EXPECT_NEAR(b.minX, 7, 1e-9);
    EXPECT_NEAR(b.maxX, 13, 1e-9);
    EXPECT_NEAR(b.minY, -2, 1e-9);
    EXPECT_NEAR(b.maxY, 12, 1e-9);
    EXPECT_NEAR(distanceTo(e, 10, 2, blocks), 0, 1e-9);   // end of the line, first copy
    EXPECT_NEAR(distanceTo(e, 13, 10, blocks), 0, 1e-9);  // ellipse of the second copy
    EXPECT_NEAR(distanceTo(e, 10, 5, blocks), 3, 1e-9);   // between the copies

    InsertGeom missing = ins;
    missing.block = "NONE";
    EXPECT_NEAR(distanceTo(Entity(missing), 10, 3, blocks), 3, 1e-12);
}

TEST(Shape, LargeArraysAnswerWithoutPlacingEveryCopy) {
    const Blocks blocks = blocksWithSquareAndCircle();
    const InsertGeom ins{.block = "SQ",
                         .angle = kPi / 2,
                         .columns = 2000,
                         .rows = 1000,
                         .columnSpacing = 5,
                         .rowSpacing = 7};
    const Entity e(ins);
    const Box2 b = boundingBox(e, blocks);
    EXPECT_NEAR(b.maxX, 1, 1e-9);
    EXPECT_NEAR(b.minX, -7 * 999 - 1, 1e-6);
    EXPECT_NEAR(b.maxY, 5 * 1999 + 1, 1e-6);
    // On the circle of copy (column 1500, row 300).
    EXPECT_NEAR(distanceTo(e, -7 * 300, 5 * 1500 - 1, blocks), 0, 1e-9);
    EXPECT_NEAR(distanceTo(e, 100, 0, blocks), 99, 1e-9);
}

TEST(Shape, NestedAndRecursiveBlocksEnd) {
    Blocks blocks = blocksWithSquareAndCircle();
    blocks.add(Block{"OUTER",
                     {},
                     0,
                     {Entity(InsertGeom{.block = "SQ", .p = {5, 0, 0}}),
                      Entity(InsertGeom{.block = "OUTER"})}});  // refers to itself
    const InsertGeom ins{.block = "OUTER", .scale = {2, 2, 1}};
    const Box2 b = boundingBox(Entity(ins), blocks);
    EXPECT_NEAR(b.minX, 8, 1e-9);
    EXPECT_NEAR(b.maxX, 12, 1e-9);
    EXPECT_NEAR(b.maxY, 2, 1e-9);
    EXPECT_NEAR(distanceTo(Entity(ins), 10, 3, blocks), 1, 1e-9);
}

TEST(Shape, HatchDimensionSolidRayImage) {
    Blocks blocks;
    HatchGeom h;
    h.loops.push_back(
        {.isPolyline = true, .vertices = {{0, 0, 0, 0}, {4, 0, 0, 1}, {4, 4, 0, 0}, {0, 4, 0, 0}}});
    h.loops.push_back(
        {.edges = {HatchLineEdge{{10, 10}, {11, 10}}, HatchArcEdge{{10, 10}, 1, 0, kPi}}});
    const Entity he(h);
    const Box2 hb = boundingBox(he, blocks);
    EXPECT_NEAR(hb.maxX, 11, 1e-12);
    EXPECT_NEAR(hb.maxY, 11, 1e-12);
    EXPECT_NEAR(hb.minX, 0, 1e-12);
    EXPECT_NEAR(distanceTo(he, 2, 2, blocks), 2, 1e-12);  // boundary, not the fill
    EXPECT_NEAR(distanceTo(he, 8, 2, blocks), 2, 1e-12);  // the bulge reaches x = 6

    blocks.add(Block{"*D1", {}, 0, {Entity(LineGeom{{0, 0, 0}, {0, 10, 0}})}});
    DimensionGeom d{.block = "*D1"};
    EXPECT_NEAR(distanceTo(Entity(d), 3, 5, blocks), 3, 1e-12);
    d.block = "*MISSING";
    d.defPoint = {1, 1, 0};
    d.textMid = {2, 2, 0};
    d.p13 = d.p14 = d.defPoint;
    // Without its block it is drawn from its points: measuring nothing, only
    // its text "0" (2.5 high) stands around the text point.
    EXPECT_NEAR(distanceTo(Entity(d), 2, 3, blocks), 0, 1e-12);
    EXPECT_NEAR(distanceTo(Entity(d), 2, 10, blocks), 10 - 3.25, 1e-12);

    // A square given in SOLID's 1, 2, 4, 3 order.
    SolidGeom s{.corners = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {2, 2, 0}}};
    EXPECT_EQ(distanceTo(Entity(s), 1, 1.5, blocks), 0);
    EXPECT_NEAR(distanceTo(Entity(s), 3, 1, blocks), 1, 1e-12);
    s.kind = SolidGeom::Kind::Trace;
    EXPECT_EQ(distanceTo(Entity(s), 1.5, 1, blocks), 0);
    s.kind = SolidGeom::Kind::Face3d;  // corners in order: edges only
    s.corners[2] = {2, 2, 0};
    s.corners[3] = {0, 2, 0};
    EXPECT_NEAR(distanceTo(Entity(s), 1, 1.5, blocks), 0.5, 1e-12);
    const Box2 sb = boundingBox(Entity(s), blocks);
    EXPECT_EQ(sb.maxX, 2);
    EXPECT_EQ(sb.maxY, 2);

    const Entity ray(InfiniteLineGeom{{0, 0, 0}, {1, 0, 0}, true});
    const Entity xline(InfiniteLineGeom{{0, 0, 0}, {1, 0, 0}, false});
    EXPECT_TRUE(std::isinf(boundingBox(ray, blocks).maxX));
    EXPECT_TRUE(std::isinf(boundingBox(xline, blocks).minY));
    EXPECT_NEAR(distanceTo(ray, -3, 4, blocks), 5, 1e-12);
    EXPECT_NEAR(distanceTo(xline, -3, 4, blocks), 4, 1e-12);

    const ImageGeom img{{1, 1, 0}, {0.5, 0, 0}, {0, 0.5, 0}, 8, 4};
    const Box2 ib = boundingBox(Entity(img), blocks);
    EXPECT_EQ(ib.maxX, 5);
    EXPECT_EQ(ib.maxY, 3);
    EXPECT_NEAR(distanceTo(Entity(img), 2, 2, blocks), 1, 1e-12);
}

}  // namespace
}  // namespace brondel::engine
