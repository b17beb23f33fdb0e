#include "engine/entity_outline.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/drawing.h"
#include "engine/tolerances.h"
#include "ports/pdf_printer.h"
#include "tests/engine/block_map.h"

namespace brondel::engine {
namespace {

using Blocks = testing::BlockMap;

SolidGeom quad(SolidGeom::Kind kind) {
    // Stored as DXF stores a square SOLID: the last two corners swapped.
    return {kind, {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {10, 10, 0}}};
}

HatchGeom twoLoopHatch() {
    const HatchLoop outer{.isPolyline = true,
                          .vertices = {{0, 0, 0, 0}, {10, 0, 0, 0}, {10, 10, 0, 0}, {0, 10, 0, 0}}};
    // Edges stored head to head: the loop still chains.
    const HatchLoop inner{.edges = {HatchLineEdge{{2, 2}, {4, 2}}, HatchLineEdge{{4, 4}, {4, 2}},
                                    HatchLineEdge{{4, 4}, {2, 4}}, HatchLineEdge{{2, 4}, {2, 2}}}};
    return {.loops = {outer, inner}};
}

struct Row {
    const char* kind;
    Entity entity;
    std::size_t chains;
    std::size_t points;  // of the first chain; 0: more than four (a flattened curve)
    bool closed;
    std::vector<Point2> exact = {};  // the first chain, when given
};

std::vector<Row> rows() {
    const PolylineGeom open{.vertices = {{0, 0, 0, 0}, {5, 0, 0, 0}, {5, 5, 0, 0}}};
    const PolylineGeom bulged{.vertices = {{0, 0, 0, 1}, {10, 0, 0, 0}}, .closed = true};
    const SplineGeom spline{.knots = {0, 0, 0, 0, 1, 1, 1, 1},
                            .controlPoints = {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}}};
    const TextGeom text{.text = "%%c20", .height = 2.5};
    const MTextGeom mtext{.text = "One\\PTwo", .height = 2, .width = 10};
    ImageGeom image{{1, 1, 0}, {0.5, 0, 0}, {0, 0.5, 0}, 4, 2, "a.png"};
    const InsertGeom insert{.block = "PAIR", .p = {100, 0, 0}, .columns = 2, .columnSpacing = 50};
    InfiniteLineGeom ray{{0, 0, 0}, {1, 0, 0}, true};

    const std::vector<Point2> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    // "%%c20" shows as three characters.
    const double w = double(3) * 2.5 * 1.0 * tol::kCharAdvance;
    return {
        {"point", Entity(PointGeom{{1, 2, 0}}), 1, 1, false, {{1, 2}}},
        {"line", Entity(LineGeom{{0, 0, 0}, {3, 4, 0}}), 1, 2, false, {{0, 0}, {3, 4}}},
        {"circle", Entity(CircleGeom{{0, 0, 0}, 10}), 1, 0, true},
        {"arc", Entity(ArcGeom{{0, 0, 0}, 5, 0, kPi / 2}), 1, 0, false},
        {"ellipse", Entity(EllipseGeom{{0, 0, 0}, {4, 0, 0}, 0.5, 0, kTwoPi}), 1, 0, true},
        {"spline", Entity(spline), 1, 0, false},
        {"open polyline", Entity(open), 1, 3, false, {{0, 0}, {5, 0}, {5, 5}}},
        {"closed bulged polyline", Entity(bulged), 1, 0, true},
        {"text", Entity(text), 1, 5, true, {{0, 0}, {w, 0}, {w, 2.5}, {0, 2.5}, {0, 0}}},
        {"mtext", Entity(mtext), 1, 5, true},
        {"solid", Entity(quad(SolidGeom::Kind::Solid)), 1, 5, true, square},
        {"trace", Entity(quad(SolidGeom::Kind::Trace)), 1, 5, true, square},
        {"3dface",
         Entity(quad(SolidGeom::Kind::Face3d)),
         1,
         5,
         true,
         {{0, 0}, {10, 0}, {0, 10}, {10, 10}, {0, 0}}},
        {"image", Entity(image), 1, 5, true, {{1, 1}, {3, 1}, {3, 2}, {1, 2}, {1, 1}}},
        {"hatch", Entity(twoLoopHatch()), 2, 5, true, square},
        {"block reference", Entity(insert), 4, 2, false, {{100, 0}, {101, 0}}},
        {"ray", Entity(ray), 0, 0, false},
    };
}

TEST(EntityOutline, EveryKindGivesItsChainsOnTheGeometry) {
    Blocks blocks;
    Block pair{"PAIR", {}, 0, {}};
    pair.entities.emplace_back(LineGeom{{0, 0, 0}, {1, 0, 0}});
    pair.entities.emplace_back(CircleGeom{{0, 0, 0}, 1});
    blocks.map["PAIR"] = pair;
    constexpr double kTolerance = 0.01;

    for (const Row& row : rows()) {
        SCOPED_TRACE(row.kind);
        const std::vector<OutlineChain> chains = entityOutline(row.entity, blocks, kTolerance);
        ASSERT_EQ(chains.size(), row.chains);
        if (chains.empty()) {
            continue;
        }
        const OutlineChain& first = chains.front();
        if (row.points > 0) {
            EXPECT_EQ(first.points.size(), row.points);
        } else {
            EXPECT_GT(first.points.size(), 4u);
        }
        EXPECT_EQ(first.closed, row.closed);
        if (!row.exact.empty()) {
            EXPECT_EQ(first.points, row.exact);
        }
        for (const OutlineChain& chain : chains) {
            if (chain.closed) {
                EXPECT_NEAR(chain.points.front().x, chain.points.back().x, 1e-9);
                EXPECT_NEAR(chain.points.front().y, chain.points.back().y, 1e-9);
            }
            // Points lie on the geometry, and chords stray no more than the tolerance.
            for (std::size_t i = 0; i < chain.points.size(); ++i) {
                const Point2 p = chain.points[i];
                EXPECT_LT(distanceTo(row.entity, p.x, p.y, blocks), 1e-6);
                if (i > 0) {
                    const Point2 q = chain.points[i - 1];
                    EXPECT_LE(distanceTo(row.entity, (p.x + q.x) / 2, (p.y + q.y) / 2, blocks),
                              kTolerance * 1.01);
                }
            }
        }
    }
}

TEST(EntityOutline, ThePrintedSolidIsItsOutlineNotABowTie) {
    Drawing drawing;
    drawing.add(Entity(quad(SolidGeom::Kind::Solid)));
    const ports::PrintPicture picture = ports::drawingPicture(drawing);
    ASSERT_EQ(picture.strokes.size(), 1u);
    EXPECT_EQ(picture.strokes[0],
              (std::vector<Point2>{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
}

}  // namespace
}  // namespace brondel::engine
