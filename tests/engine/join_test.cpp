// Join: chains found whatever the order and direction of their pieces,
// collinear lines merged, branches and gaps respected, and the corpus
// drawings' polylines, exploded and shuffled, joined back into as many.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <random>

#include "engine/drawing.h"
#include "engine/explode.h"
#include "engine/io/drawing_files.h"
#include "engine/join.h"
#include "engine/shape.h"

namespace brondel::engine {
namespace {

const Drawing kBlocks;

std::vector<const Entity*> pointers(std::vector<Entity>& v) {
    std::vector<const Entity*> out;
    Handle h = 1;
    for (Entity& e : v) {
        e.handle = h++;
        out.push_back(&e);
    }
    return out;
}

// A rounded rectangle: four lines and four quarter arcs, counter-clockwise.
std::vector<Entity> roundedRectangle() {
    return {
        Entity(LineGeom{{1, 0, 0}, {9, 0, 0}}),
        Entity(ArcGeom{{9, 1, 0}, 1, -kPi / 2, kPi / 2}),
        Entity(LineGeom{{10, 1, 0}, {10, 5, 0}}),
        Entity(ArcGeom{{9, 5, 0}, 1, 0, kPi / 2}),
        Entity(LineGeom{{9, 6, 0}, {1, 6, 0}}),
        Entity(ArcGeom{{1, 5, 0}, 1, kPi / 2, kPi / 2}),
        Entity(PolylineGeom{{{0, 5, 0, 0}, {0, 3, 0, 0}, {0, 1, 0, 0}}}),
        Entity(ArcGeom{{1, 1, 0}, 1, kPi, kPi / 2}),
    };
}

double signedArea(const PolylineGeom& g) {
    double area = 0;
    const auto& v = g.vertices;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Vertex &a = v[i], &b = v[(i + 1) % v.size()];
        area += (a.x * b.y - b.x * a.y) / 2;
        if (a.bulge != 0) {  // the circular segment beyond the chord
            const double sweep = 4 * std::atan(a.bulge);
            const double chord = std::hypot(b.x - a.x, b.y - a.y);
            const double r = chord / (2 * std::sin(std::abs(sweep) / 2));
            area +=
                (sweep < 0 ? -1 : 1) * r * r * (std::abs(sweep) - std::sin(std::abs(sweep))) / 2;
        }
    }
    return area;
}

TEST(Join, AShuffledReversedContourBecomesOneClosedPolylineOfTheSameArea) {
    const double area = 60 - (4 - kPi);
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<Entity> parts = roundedRectangle();
        std::shuffle(parts.begin(), parts.end(), random);
        for (Entity& e : parts) {
            if (random() % 2 == 0) {
                continue;
            }
            if (auto* line = geomIf<LineGeom>(e)) {
                std::swap(line->p1, line->p2);
            } else if (auto* arc = geomIf<ArcGeom>(e)) {
                arc->startAngle += arc->angle;
                arc->angle = -arc->angle;
            }
        }
        const JoinPlan plan = planJoin(pointers(parts), 1e-9);
        ASSERT_EQ(plan.made.size(), 1u);
        EXPECT_EQ(plan.from[0].size(), parts.size());
        const PolylineGeom& g = *geomIf<PolylineGeom>(plan.made[0]);
        EXPECT_TRUE(g.closed);
        EXPECT_EQ(g.vertices.size(), 9u);  // one per segment
        EXPECT_NEAR(std::abs(signedArea(g)), area, 1e-9);
    }
}

TEST(Join, EndsMeetOnlyWithinTheToleranceAndNotAtABranch) {
    struct Case {
        const char* name;
        std::vector<Entity> parts;
        double tolerance;
        std::size_t made;
        bool closed;
    };
    const std::vector<Case> cases = {
        {"gap within",
         {Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}), Entity(LineGeom{{1, 1e-7, 0}, {1, 1, 0}})},
         1e-6,
         1,
         false},
        {"gap beyond",
         {Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}), Entity(LineGeom{{1, 1e-5, 0}, {1, 1, 0}})},
         1e-6,
         0,
         false},
        {"three at one end",
         {Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}), Entity(LineGeom{{1, 0, 0}, {1, 1, 0}}),
          Entity(LineGeom{{1, 0, 0}, {2, -1, 0}})},
         1e-9,
         0,
         false},
        {"polyline closing itself",
         {Entity(PolylineGeom{{{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}}})},
         1e-9,
         1,
         true},
        {"a lone line", {Entity(LineGeom{{0, 0, 0}, {1, 0, 0}})}, 1e-9, 0, false},
        {"text is left",
         {Entity(TextGeom{}), Entity(LineGeom{{0, 0, 0}, {1, 0, 0}})},
         1e-9,
         0,
         false},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        const JoinPlan plan = planJoin(pointers(c.parts), c.tolerance);
        ASSERT_EQ(plan.made.size(), c.made);
        if (c.made == 1) {
            EXPECT_EQ(geomIf<PolylineGeom>(plan.made[0])->closed, c.closed);
        }
    }
}

TEST(Join, CollinearLinesThatOverlapOrTouchBecomeOneLine) {
    std::vector<Entity> parts = {
        Entity(LineGeom{{0, 0, 0}, {4, 2, 0}}),   Entity(LineGeom{{6, 3, 0}, {2, 1, 0}}),
        Entity(LineGeom{{8, 4, 0}, {6, 3, 0}}),    // touches the one before
        Entity(LineGeom{{12, 6, 0}, {14, 7, 0}}),  // same line, apart
        Entity(LineGeom{{0, 1, 0}, {4, 3, 0}}),    // parallel, beside
    };
    const JoinPlan plan = planJoin(pointers(parts), 1e-9);
    ASSERT_EQ(plan.made.size(), 1u);
    const LineGeom* g = geomIf<LineGeom>(plan.made[0]);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(plan.from[0], (std::vector<Handle>{1, 2, 3}));
    const double length = std::hypot(g->p2.x - g->p1.x, g->p2.y - g->p1.y);
    EXPECT_NEAR(length, std::hypot(8, 4), 1e-12);
}

// Whether the polylines' boxes keep apart, and no polyline passes a vertex
// twice: then joining their exploded parts must give each of them back.
bool apart(const std::vector<const PolylineGeom*>& polys, double tolerance) {
    std::vector<Box2> boxes;
    for (const PolylineGeom* g : polys) {
        Box2 box;
        std::vector<std::pair<double, double>> points;
        for (const Vertex& v : g->vertices) {
            box.add(v.x, v.y);
            points.emplace_back(v.x, v.y);
        }
        std::sort(points.begin(), points.end());
        if (std::adjacent_find(points.begin(), points.end()) != points.end()) {
            return false;
        }
        boxes.push_back(box);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const Box2 &a = boxes[i], &b = boxes[j];
            if (a.minX <= b.maxX + tolerance && b.minX <= a.maxX + tolerance &&
                a.minY <= b.maxY + tolerance && b.minY <= a.maxY + tolerance) {
                return false;
            }
        }
    }
    return true;
}

TEST(Join, CorpusPolylinesExplodedAndShuffledJoinBackIntoAsMany) {
    const std::filesystem::path dir = std::filesystem::path(BRONDEL_CORPUS_DIR) / "dxf";
    std::mt19937 random(11);
    int counted = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
        DrawingContent content;
        try {
            content = io::readDxf(item.path().string());
        } catch (const std::exception&) {
            continue;  // files the reader refuses are another test's business
        }
        std::vector<const PolylineGeom*> polys;
        std::size_t closed = 0;
        for (const Entity& e : content.entities) {
            const auto* g = geomIf<PolylineGeom>(e);
            if (g && !g->is3d && g->vertices.size() > 2) {
                polys.push_back(g);
                // An open one whose ends meet closes when joined.
                const Vertex &a = g->vertices.front(), &b = g->vertices.back();
                closed += g->closed || std::hypot(a.x - b.x, a.y - b.y) <= 1e-9;
            }
        }
        if (polys.empty() || !apart(polys, 1e-9)) {
            continue;
        }
        SCOPED_TRACE(item.path().filename().string());
        std::cout << "[ joined  ] " << item.path().filename().string() << ": " << polys.size()
                  << " polylines\n";
        std::vector<Entity> parts;
        for (const PolylineGeom* g : polys) {
            for (Entity& part : explodeEntity(Entity(*g), kBlocks, 1)) {
                parts.push_back(std::move(part));
            }
        }
        std::shuffle(parts.begin(), parts.end(), random);
        const JoinPlan plan = planJoin(pointers(parts), 1e-9);
        std::size_t joined = 0, closedMade = 0;
        for (std::size_t i = 0; i < plan.made.size(); ++i) {
            joined += plan.from[i].size();
            const auto* g = geomIf<PolylineGeom>(plan.made[i]);
            closedMade += g && g->closed;
        }
        EXPECT_EQ(plan.made.size() + (parts.size() - joined), polys.size());
        EXPECT_EQ(closedMade, closed);
        ++counted;
    }
    EXPECT_GE(counted, 3);
}

}  // namespace
}  // namespace brondel::engine
