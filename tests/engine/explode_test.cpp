#include "engine/explode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "base/error.h"
#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "engine/tessellate.h"
#include "tests/engine/block_map.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

using Blocks = testing::BlockMap;

const Blocks kNoBlocks;

Point3 arcStart(const ArcGeom& a) {
    return {a.center.x + a.radius * std::cos(a.startAngle),
            a.center.y + a.radius * std::sin(a.startAngle), 0};
}
Point3 arcEnd(const ArcGeom& a) {
    const double e = a.startAngle + a.angle;
    return {a.center.x + a.radius * std::cos(e), a.center.y + a.radius * std::sin(e), 0};
}

void expectAt(const Point3& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-12);
    EXPECT_NEAR(p.y, y, 1e-12);
}

double partLength(const Entity& e) {
    if (const auto* l = geomIf<LineGeom>(e)) {
        return std::hypot(l->p2.x - l->p1.x, l->p2.y - l->p1.y, l->p2.z - l->p1.z);
    }
    const auto& a = *geomIf<ArcGeom>(e);
    return a.radius * std::abs(a.angle);
}

TEST(Explode, PolylineBecomesLinesAndArcsInOrderWithSignedSweeps) {
    // A 4 x 2 slot: straight bottom, half circle right (ccw), straight top,
    // half circle left given clockwise by a negative bulge... walked back.
    PolylineGeom pl{{{0, 0, 0, 0}, {4, 0, 0, 1}, {4, 2, 0, 0}, {0, 2, 0, 1}}, true};
    const EntityProps props{.layer = "CUT", .color = {3}};
    const std::vector<Entity> parts = explodeEntity(Entity(pl, props), kNoBlocks, 0.01);
    ASSERT_EQ(parts.size(), 4u);
    const auto* right = geomIf<ArcGeom>(parts[1]);
    const auto* left = geomIf<ArcGeom>(parts[3]);
    ASSERT_TRUE(geomIf<LineGeom>(parts[0]) && right && geomIf<LineGeom>(parts[2]) && left);
    EXPECT_NEAR(right->angle, kPi, 1e-12);
    expectAt(arcStart(*right), 4, 0);
    expectAt(arcEnd(*right), 4, 2);
    expectAt(arcStart(*left), 0, 2);  // the closing segment
    expectAt(arcEnd(*left), 0, 0);
    double length = 0;
    for (const Entity& p : parts) {
        EXPECT_EQ(p.props(), props);
        EXPECT_EQ(p.handle, kNoHandle);
        length += partLength(p);
    }
    EXPECT_NEAR(length, 8 + 2 * kPi, 1e-12);

    pl.vertices[1].bulge = -0.5;  // clockwise: the arc bends inwards
    const std::vector<Entity> cw = explodeEntity(Entity(pl), kNoBlocks, 0.01);
    const auto* in = geomIf<ArcGeom>(cw[1]);
    ASSERT_TRUE(in);
    EXPECT_NEAR(in->angle, -4 * std::atan(0.5), 1e-12);
    expectAt(arcStart(*in), 4, 0);
    expectAt(arcEnd(*in), 4, 2);
    EXPECT_LT(in->center.x + in->radius * std::cos(in->startAngle + in->angle / 2), 4);
}

TEST(Explode, PolylineDropsZeroLengthSegmentsAndHandles3d) {
    // The closing segment has zero length too.
    PolylineGeom pl{{{0, 0, 0, 0.4}, {0, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}, {0, 0, 0, 0}}, true};
    EXPECT_EQ(explodeEntity(Entity(pl), kNoBlocks, 0.01).size(), 3u);
    pl.vertices.resize(2);
    EXPECT_TRUE(explodeEntity(Entity(pl), kNoBlocks, 0.01).empty());

    PolylineGeom p3;
    p3.is3d = true;
    p3.vertices = {{0, 0, 0, 0}, {1, 0, 1, 0}, {1, 1, 2, 0}};
    const std::vector<Entity> parts = explodeEntity(Entity(p3), kNoBlocks, 0.01);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(geomIf<LineGeom>(parts[1])->p2.z, 2);
}

TEST(Explode, SimpleEntitiesStayAndBadToleranceIsRefused) {
    const std::vector<Entity> simple = {
        Entity(PointGeom{}),
        Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}),
        Entity(ArcGeom{{0, 0, 0}, 1, 0, 1}),
        Entity(CircleGeom{{0, 0, 0}, 1}),
        Entity(TextGeom{}),
        Entity(InfiniteLineGeom{{0, 0, 0}, {1, 0, 0}, true}),
        Entity(SolidGeom{}),
        Entity(ImageGeom{}),
    };
    for (const Entity& e : simple) {
        EXPECT_TRUE(explodeEntity(e, kNoBlocks, 0.01).empty()) << typeName(e.type());
    }
    const Entity ellipse(EllipseGeom{{0, 0, 0}, {1, 0, 0}, 0.5, 0, kTwoPi});
    for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)}) {
        EXPECT_EQ(brondel::testing::thrown([&] { explodeEntity(ellipse, kNoBlocks, bad); }).number,
                  err::kBadArgument)
            << bad;
    }
}

// Largest distance from the true curve to the polyline, and from the
// polyline's chord midpoints to the curve.
double chordDeviation(const std::vector<Vertex>& v, bool closed, const std::vector<Point3>& truth) {
    auto toChain = [&](double x, double y) {
        double best = INFINITY;
        const std::size_t n = v.size(), segs = closed ? n : n - 1;
        for (std::size_t i = 0; i < segs; ++i) {
            const Vertex &a = v[i], &b = v[(i + 1) % n];
            best = std::min(best, distanceToSegment(x, y, a.x, a.y, b.x, b.y));
        }
        return best;
    };
    double worst = 0;
    for (const Point3& p : truth) {
        worst = std::max(worst, toChain(p.x, p.y));
    }
    return worst;
}

TEST(Explode, EllipsesAndSplinesBecomePolylinesWithinTheChordTolerance) {
    EllipseGeom full{{1, 2, 0}, {3 * std::cos(0.3), 3 * std::sin(0.3), 0}, 0.4, 0, kTwoPi};
    for (double tolerance : {0.1, 0.01, 0.0001}) {
        const std::vector<Entity> parts = explodeEntity(Entity(full), kNoBlocks, tolerance);
        ASSERT_EQ(parts.size(), 1u);
        const auto& pl = *geomIf<PolylineGeom>(parts[0]);
        EXPECT_TRUE(pl.closed);
        EXPECT_FALSE(pl.is3d);
        const std::vector<Point3> truth = tessellateEllipse(full, tolerance / 1000);
        EXPECT_LE(chordDeviation(pl.vertices, true, truth), tolerance);
        // Shoelace area approaches pi a b from below.
        double area = 0;
        for (std::size_t i = 0; i < pl.vertices.size(); ++i) {
            const Vertex &a = pl.vertices[i], &b = pl.vertices[(i + 1) % pl.vertices.size()];
            area += a.x * b.y - b.x * a.y;
        }
        area /= 2;
        const double exact = kPi * 3 * 1.2;
        EXPECT_GT(area, 0);  // counter-clockwise
        EXPECT_LE(area, exact);
        EXPECT_GT(area, exact - 2 * kPi * 3 * tolerance);
    }

    EllipseGeom part = full;
    part.startParam = 5;
    part.endParam = 1;  // crosses parameter 0
    const std::vector<Entity> openParts = explodeEntity(Entity(part), kNoBlocks, 0.01);
    const auto& open = *geomIf<PolylineGeom>(openParts[0]);
    EXPECT_FALSE(open.closed);
    const Point3 s = ellipsePoint(part, 5), e = ellipsePoint(part, 1);
    EXPECT_NEAR(open.vertices.front().x, s.x, 1e-12);
    EXPECT_NEAR(open.vertices.back().y, e.y, 1e-12);

    SplineGeom sp{.knots = {0, 0, 0, 0, 0.5, 1, 1, 1, 1},
                  .controlPoints = {{0, 0, 0}, {1, 3, 0}, {2, -3, 0}, {3, 3, 0}, {4, 0, 0}}};
    const std::vector<Entity> splineParts = explodeEntity(Entity(sp), kNoBlocks, 0.005);
    const auto& spl = *geomIf<PolylineGeom>(splineParts[0]);
    EXPECT_LE(chordDeviation(spl.vertices, false, tessellateSpline(sp, 1e-7)), 0.005);
    EXPECT_EQ(spl.vertices.front().x, 0);
    EXPECT_NEAR(spl.vertices.back().x, 4, 1e-12);

    // Knots that do not fit the control points fall back to a clamped curve
    // instead of reading past the end.
    sp.knots = {0, 1};
    EXPECT_EQ(explodeEntity(Entity(sp), kNoBlocks, 0.01).size(), 1u);
}

Blocks partsBlocks() {
    Blocks blocks;
    Block b{.name = "PART", .base = {1, 0, 0}};
    const EntityProps byBlock{
        .color = {Color::kByBlock}, .lineType = "ByBlock", .lineWeight = lineweight::kByBlock};
    const EntityProps own{.layer = "OWN", .color = {5}, .lineType = "DASHED"};
    b.entities.emplace_back(LineGeom{{1, 0, 0}, {3, 0, 0}}, byBlock);
    b.entities.emplace_back(ArcGeom{{1, 0, 0}, 1, 0, kPi / 2}, own);
    b.entities.emplace_back(CircleGeom{{2, 2, 0}, 0.5});
    b.entities.emplace_back(PolylineGeom{{{1, 0, 0, 1}, {3, 0, 0, 0}}});
    blocks.add(b);
    blocks.add(Block{
        "HOLDER", {}, 0, {Entity(InsertGeom{.block = "PART", .p = {10, 0, 0}, .angle = 0.5})}});
    return blocks;
}

TEST(Explode, BlockReferencePartsArePlacedWithInheritedProperties) {
    const Blocks blocks = partsBlocks();
    const InsertGeom ins{.block = "PART",
                         .p = {5, 5, 0},
                         .scale = {2, 2, 1},
                         .angle = kPi / 2,
                         .columns = 2,
                         .rows = 3,
                         .columnSpacing = 10,
                         .rowSpacing = 20};
    const EntityProps ref{.layer = "REF", .color = {1}, .lineType = "CENTER", .lineWeight = 50};
    const std::vector<Entity> parts = explodeEntity(Entity(ins, ref), blocks, 0.01);
    ASSERT_EQ(parts.size(), 4u * 6u);
    // The first copy: the line runs from the insertion point up 4 units.
    const auto& line = *geomIf<LineGeom>(parts[0]);
    expectAt(line.p1, 5, 5);
    expectAt(line.p2, 5, 9);
    EXPECT_EQ(parts[0].props(), ref);  // ByBlock takes the reference's
    EXPECT_EQ(parts[1].props().layer, "OWN");
    EXPECT_EQ(parts[1].props().color.aci, 5);
    EXPECT_EQ(parts[2].props().layer, "REF");  // layer 0 parts take the reference's layer
    EXPECT_EQ(parts[2].props().color.aci, Color::kByLayer);
    const auto& arc = *geomIf<ArcGeom>(parts[1]);
    EXPECT_NEAR(arc.angle, kPi / 2, 1e-12);
    expectAt(arcStart(arc), 5, 7);
    expectAt(arcEnd(arc), 3, 5);
    EXPECT_NEAR(geomIf<CircleGeom>(parts[2])->radius, 1, 1e-12);
    // Copy (column 1, row 0) is 10 along the reference's turned x axis.
    expectAt(geomIf<LineGeom>(parts[3 * 4])->p1, 5, 15);
    // Copy (column 0, row 1) is 20 along its turned y axis.
    expectAt(geomIf<LineGeom>(parts[4])->p1, -15, 5);
    const Box2 want = boundingBox(Entity(ins), blocks), got = testing::boxOf(parts, blocks);
    EXPECT_NEAR(want.minX, got.minX, 1e-9);
    EXPECT_NEAR(want.maxY, got.maxY, 1e-9);
}

TEST(Explode, MirroredAndUnequalScalesKeepTheShape) {
    const Blocks blocks = partsBlocks();
    InsertGeom ins{.block = "PART", .scale = {-1, 1, 1}};
    std::vector<Entity> parts = explodeEntity(Entity(ins), blocks, 0.01);
    ASSERT_EQ(parts.size(), 4u);
    const auto& arc = *geomIf<ArcGeom>(parts[1]);
    EXPECT_NEAR(arc.angle, -kPi / 2, 1e-12);  // mirrored: runs clockwise
    expectAt(arcStart(arc), -1, 0);
    expectAt(arcEnd(arc), 0, 1);
    const auto& pl = *geomIf<PolylineGeom>(parts[3]);
    EXPECT_EQ(pl.vertices[0].bulge, -1);

    ins.scale = {2, 1, 1};
    parts = explodeEntity(Entity(ins), blocks, 0.01);
    const auto* e = geomIf<EllipseGeom>(parts[2]);
    ASSERT_TRUE(e);
    EXPECT_NEAR(std::hypot(e->majorAxis.x, e->majorAxis.y), 1, 1e-12);
    EXPECT_NEAR(e->ratio, 0.5, 1e-12);
    const auto* quarter = geomIf<EllipseGeom>(parts[1]);
    ASSERT_TRUE(quarter);
    const Point3 qs = ellipsePoint(*quarter, quarter->startParam);
    const Point3 qe = ellipsePoint(*quarter, quarter->endParam);
    expectAt(qs, 2, 0);
    expectAt(qe, 0, 1);
    // The bulged polyline is flattened within the tolerance.
    const auto& flat = *geomIf<PolylineGeom>(parts[3]);
    EXPECT_GT(flat.vertices.size(), 4u);
    for (const Vertex& v : flat.vertices) {
        EXPECT_EQ(v.bulge, 0);
        // Half ellipse of radii 2 and 1 about (2, 0).
        EXPECT_NEAR(std::hypot((v.x - 2) / 2, v.y), 1, 1e-12);
    }
}

// Random placements: the parts together are the reference, in box and in
// distance from any point.
TEST(Explode, PartsMatchTheReferenceUnderRandomPlacements) {
    const Blocks blocks = partsBlocks();
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int k = 0; k < 40; ++k) {
        InsertGeom ins;
        ins.block = k % 2 ? "PART" : "HOLDER";
        ins.p = {u(rng) * 10, u(rng) * 10, 0};
        ins.angle = u(rng) * kPi;
        const double s = 0.5 + std::abs(u(rng)) * 2;
        ins.scale = {k % 3 == 0 ? s : -s, k % 4 == 0 ? s : s * 1.7, 1};
        ins.columns = 1 + k % 2;
        ins.columnSpacing = 7;
        const Entity e(ins);
        const std::vector<Entity> parts = explodeEntity(e, blocks, 1e-4);
        ASSERT_FALSE(parts.empty());
        for (int q = 0; q < 30; ++q) {
            const double x = u(rng) * 30, y = u(rng) * 30;
            double best = INFINITY;
            for (const Entity& p : parts) {
                best = std::min(best, distanceTo(p, x, y, blocks));
            }
            EXPECT_NEAR(best, distanceTo(e, x, y, blocks), 2e-4) << "placement " << k;
        }
        const Box2 a = boundingBox(e, blocks), b = testing::boxOf(parts, blocks);
        EXPECT_NEAR(a.minX, b.minX, 2e-4);
        EXPECT_NEAR(a.maxX, b.maxX, 2e-4);
        EXPECT_NEAR(a.minY, b.minY, 2e-4);
        EXPECT_NEAR(a.maxY, b.maxY, 2e-4);
        if (std::string(ins.block) == "HOLDER") {
            // The nested reference stays one when the placement keeps it
            // rectangular, and is replaced by its parts when it would skew.
            const bool skews = std::abs(ins.scale.x) != std::abs(ins.scale.y);
            EXPECT_EQ(parts[0].type() == EntityType::Insert, !skews) << "placement " << k;
        }
    }
}

TEST(Explode, RecursiveBlocksAndMissingBlocks) {
    Blocks blocks;
    blocks.add(Block{"LOOP",
                     {},
                     0,
                     {Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}),
                      Entity(InsertGeom{.block = "LOOP", .angle = 0.3})}});
    InsertGeom ins{.block = "LOOP",
                   .scale = {1, 3, 1}};  // skews the turned nested reference: placed in full
    std::vector<Entity> parts = explodeEntity(Entity(ins), blocks, 0.01);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[1].type(), EntityType::Line);
    ins.scale = {2, 2, 1};  // one level: the nested reference stays
    parts = explodeEntity(Entity(ins), blocks, 0.01);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[1].type(), EntityType::Insert);
    EXPECT_TRUE(std::isfinite(boundingBox(Entity(ins), blocks).maxX));
    ins.block = "NOWHERE";
    EXPECT_TRUE(explodeEntity(Entity(ins), blocks, 0.01).empty());
}

TEST(Explode, DimensionBecomesItsBlockParts) {
    Blocks blocks;
    blocks.add(Block{"*D3",
                     {},
                     0,
                     {Entity(LineGeom{{0, 0, 0}, {5, 0, 0}}, {.color = {Color::kByBlock}}),
                      Entity(TextGeom{.text = "5.00"})}});
    const EntityProps props{.layer = "DIM", .color = {2}};
    const std::vector<Entity> parts =
        explodeEntity(Entity(DimensionGeom{.block = "*D3"}, props), blocks, 0.01);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].props().color.aci, 2);
    EXPECT_EQ(parts[1].props().layer, "DIM");
    EXPECT_EQ(geomIf<TextGeom>(parts[1])->text, "5.00");
}

TEST(Explode, MTextBecomesOneTextPerLineWithoutFormatCodes) {
    const MTextGeom m{
        .text = "{\\fArial|b1|i0;Bold} one\\Ptwo\\~words \\{x\\}\\P\\Pfour \\S1^2; \\U+00B0",
        .p = {10, 10, 0},
        .height = 2,
        .angle = kPi / 2,
        .attachment = 5,  // middle centre
        .lineSpacing = 1.5};
    const std::vector<Entity> parts = explodeEntity(Entity(m), kNoBlocks, 0.01);
    ASSERT_EQ(parts.size(), 3u);  // the empty third line leaves only its space
    const auto& t1 = *geomIf<TextGeom>(parts[0]);
    const auto& t2 = *geomIf<TextGeom>(parts[1]);
    const auto& t4 = *geomIf<TextGeom>(parts[2]);
    EXPECT_EQ(t1.text, "Bold one");
    EXPECT_EQ(t2.text, "two words {x}");
    EXPECT_EQ(t4.text, "four 1^2 \xC2\xB0");
    EXPECT_EQ(t1.hAlign, 1);
    EXPECT_EQ(t1.height, 2);
    EXPECT_NEAR(t1.angle, kPi / 2, 1e-12);
    // Baselines 5 apart (2 * 5/3 * 1.5), stepping along -x for text that runs up.
    const double spacing = 5, total = 2 + 3 * spacing;
    const double first = total / 2 - 2;
    EXPECT_NEAR(t1.alignPoint.x, 10 - first, 1e-12);
    EXPECT_NEAR(t1.alignPoint.y, 10, 1e-12);
    EXPECT_NEAR(t2.alignPoint.x - t1.alignPoint.x, spacing, 1e-12);
    EXPECT_NEAR(t4.alignPoint.x - t1.alignPoint.x, 3 * spacing, 1e-12);
}

TEST(Explode, HatchBecomesItsBoundary) {
    HatchGeom h;
    h.loops.push_back(
        {.isPolyline = true, .vertices = {{0, 0, 0, 0}, {4, 0, 0, 0.5}, {4, 4, 0, 0}}});
    h.loops.push_back({.edges = {HatchLineEdge{{10, 0}, {12, 0}}, HatchArcEdge{{11, 0}, 1, 0, -kPi},
                                 HatchEllipseEdge{{20, 0}, {2, 0}, 0.5, 0, kPi, true},
                                 HatchSplineEdge{.degree = 2,
                                                 .knots = {0, 0, 0, 1, 1, 1},
                                                 .controlPoints = {{0, 10}, {1, 12}, {2, 10}}}}});
    const std::vector<Entity> parts = explodeEntity(Entity(h, {.layer = "H"}), kNoBlocks, 0.01);
    ASSERT_EQ(parts.size(), 5u);
    const auto& loop = *geomIf<PolylineGeom>(parts[0]);
    EXPECT_TRUE(loop.closed);
    EXPECT_EQ(loop.vertices[1].bulge, 0.5);
    EXPECT_TRUE(geomIf<LineGeom>(parts[1]));
    EXPECT_NEAR(geomIf<ArcGeom>(parts[2])->angle, -kPi, 1e-12);
    EXPECT_TRUE(geomIf<PolylineGeom>(parts[3]));
    EXPECT_TRUE(geomIf<PolylineGeom>(parts[4]));
    for (const Entity& p : parts) {
        EXPECT_EQ(p.props().layer, "H");
    }
}

// Every entity of the sample drawings, exploded three times over as drawing
// preparation does: the parts cover the same box as what they replace, and
// nothing compound is left but what cannot be broken up.
TEST(Explode, SampleDrawingsBreakUpIntoPartsOfTheSameExtent) {
    const double tolerance = 0.01;
    int files = 0;
    for (const auto& f : std::filesystem::directory_iterator(BRONDEL_CORPUS_DIR "/dxf")) {
        DrawingContent content;
        try {
            content = io::readDxf(f.path().string());
        } catch (const Error&) {
            continue;  // files the reader refuses are its tests' business
        }
        ++files;
        Drawing d;
        d.load(std::move(content));
        std::vector<Entity> current(d.entities().begin(), d.entities().end());
        for (int pass = 0; pass < 3; ++pass) {
            std::vector<Entity> next;
            for (const Entity& e : current) {
                std::vector<Entity> parts = explodeEntity(e, d, tolerance);
                if (parts.empty()) {
                    next.push_back(e);
                    continue;
                }
                const EntityType kind = e.type();
                if (kind != EntityType::MText) {
                    const Box2 want = boundingBox(e, d), got = testing::boxOf(parts, d);
                    const double slack = tolerance + 1e-6 * std::max(want.width(), want.height());
                    if (std::isfinite(want.width()) && std::isfinite(want.height())) {
                        EXPECT_NEAR(got.minX, want.minX, slack)
                            << f.path() << " " << typeName(kind);
                        EXPECT_NEAR(got.maxY, want.maxY, slack)
                            << f.path() << " " << typeName(kind);
                    }
                }
                for (Entity& p : parts) {
                    EXPECT_EQ(p.handle, kNoHandle);
                    next.push_back(std::move(p));
                }
            }
            current = std::move(next);
        }
        for (const Entity& e : current) {
            const EntityType kind = e.type();
            EXPECT_TRUE(kind != EntityType::Polyline && kind != EntityType::Spline &&
                        kind != EntityType::Ellipse && kind != EntityType::Hatch &&
                        kind != EntityType::MText)
                << f.path() << " still holds a " << typeName(kind);
            const Box2 b = boundingBox(e, d);
            EXPECT_FALSE(std::isnan(b.minX) || std::isnan(b.maxY)) << f.path();
        }
    }
    EXPECT_GT(files, 10);
}

}  // namespace
}  // namespace brondel::engine
