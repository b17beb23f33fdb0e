#pragma once

#include <gtest/gtest.h>

#include "engine/drawing.h"

// A drawing that holds every table and every entity kind of the model with
// values that are not defaults, and a field-by-field comparison of two.
namespace brondel::engine::testing {

inline EntityProps props(const std::string& layer, std::int16_t aci = Color::kByLayer,
                         std::int32_t trueColor = -1) {
    return {.layer = layer, .color = {aci, trueColor}};
}

inline DrawingContent everyKindContent() {
    DrawingContent c;
    c.header = {"AC1015", "ANSI_1252", "Brondel test", 4, {}, lineweight::kByLayer, {}, 0, 0};
    c.currentLayer = "Cut";
    c.layers = {Layer{"0"}, Layer{"Cut", {1, 0x112233}, "DASHED", 35, true, false, true},
                Layer{"Hidden", {5, -1}, "CONTINUOUS", -3, false, true, false}};
    c.lineTypes = {LineType{"DASHED", "Dashed __ __", {0.5, -0.25}},
                   LineType{"DOTTED", "Dots . .", {0.0, -0.2}}};
    c.textStyles = {TextStyle{"STANDARD", "txt", "", 0, 1, 0},
                    TextStyle{"Narrow", "romans.shx", "bigfont.shx", 2.5, 0.8, 0.1}};

    c.blocks.emplace("Bolt", Block{"Bolt",
                                   {1, 2, 0},
                                   0,
                                   {Entity(CircleGeom{{1, 2, 0}, 0.5}, props("0")),
                                    Entity(LineGeom{{0.5, 2, 0}, {1.5, 2, 0}}, props("0", 0))}});
    c.blocks.emplace("*D1",
                     Block{"*D1", {}, 1, {Entity(LineGeom{{0, -1, 0}, {10, -1, 0}}, props("0"))}});

    auto& e = c.entities;
    e.emplace_back(PointGeom{{1.25, -2.5, 0}}, props("Cut", 3));
    e.emplace_back(LineGeom{{0.1, 0.2, 0}, {10.3, -4.7, 0}},
                   EntityProps{"Cut", {256, 0xA0B0C0}, "DASHED", 50, 2.5});
    e.emplace_back(CircleGeom{{5, 5, 0}, 2.75}, props("0", 2));
    e.emplace_back(ArcGeom{{3, 4, 0}, 1.5, 0.25, 2.0}, props("Cut"));
    e.emplace_back(ArcGeom{{-3, 4, 0}, 2.5, 1.0, -1.5}, props("Cut"));  // clockwise
    e.emplace_back(EllipseGeom{{0, 0, 0}, {4, 1, 0}, 0.5, 0.5, 4.0}, props("0"));

    e.emplace_back(
        PolylineGeom{.vertices = {{0, 0, 0, 0}, {5, 0, 0, 0.5}, {5, 5, 0, 0}, {0, 5, 0, -0.25}},
                     .closed = true,
                     .constantWidth = 0.125},
        props("Cut"));
    e.emplace_back(
        PolylineGeom{.vertices = {{0, 0, 1, 0}, {1, 2, 3, 0}, {4, 5, 6, 0}}, .is3d = true},
        props("0"));
    e.emplace_back(SplineGeom{.rational = true,
                              .knots = {0, 0, 0, 0, 1, 1, 1, 1},
                              .controlPoints = {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}},
                              .weights = {1, 0.5, 0.5, 1}},
                   props("0"));
    e.emplace_back(
        TextGeom{"Größe 10 € — π", {1, 1, 0}, {6, 1, 0}, 2.5, 0.3, 0.9, 0.2, 1, 2, "Narrow"},
        props("Cut"));
    e.emplace_back(MTextGeom{"First line\\PSecond line", {2, 8, 0}, 1.5, 20, 0.5, 5, 1.25},
                   props("0"));
    e.emplace_back(InsertGeom{"Bolt", {20, 20, 0}, {2, 2, 1}, 0.75, 3, 2, 5, 4}, props("0"));

    const HatchLoop outer{
        .flags = 1 | 2,
        .isPolyline = true,
        .vertices = {{0, 0, 0, 0}, {10, 0, 0, 0}, {10, 10, 0, 0.4}, {0, 10, 0, 0}}};
    const HatchLoop inner{
        .edges = {HatchLineEdge{{2, 2}, {4, 2}}, HatchArcEdge{{4, 3}, 1, -kPi / 2, kPi},
                  HatchLineEdge{{4, 4}, {2, 4}}, HatchArcEdge{{2, 3}, 1, kPi / 2, -kPi}}};
    const HatchLoop curved{.edges = {HatchEllipseEdge{{6, 6}, {1, 0}, 0.5, 0, kTwoPi, true}}};
    const HatchSplineEdge splineEdge{
        .degree = 2, .knots = {0, 0, 0, 1, 1, 1}, .controlPoints = {{7, 7}, {8, 9}, {9, 7}}};
    const HatchLoop splineLoop{.edges = {splineEdge, HatchLineEdge{{9, 7}, {7, 7}}}};
    e.emplace_back(HatchGeom{.pattern = "ANSI31",
                             .solid = false,
                             .patternAngle = 0.5,
                             .patternScale = 2,
                             .loops = {outer, inner, curved, splineLoop}},
                   props("Cut"));

    // Rotated linear, its block used only by this dimension.
    e.emplace_back(DimensionGeom{.block = "*D1",
                                 .dimType = 32,
                                 .defPoint = {10, -1, 0},
                                 .textMid = {5, -1.5, 0},
                                 .p13 = {0, 0, 0},
                                 .p14 = {10, 0, 0},
                                 .measurement = 10,
                                 .text = "<> mm"},
                   props("0"));

    e.emplace_back(
        LeaderGeom{.vertices = {{0, 0, 0}, {5, 5, 0}, {8, 5, 0}},
                   .annotation = {.text = "Bore \\P2 places", .p = {9, 5, 0}, .attachment = 4}},
        props("0"));
    // No arrowhead, no annotation.
    e.emplace_back(LeaderGeom{.vertices = {{20, 0, 0}, {22, 3, 1}}, .arrowhead = false},
                   props("0"));

    using Kind = SolidGeom::Kind;
    e.emplace_back(SolidGeom{Kind::Solid, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
                   props("0", 4));
    e.emplace_back(SolidGeom{Kind::Trace, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
                   props("0"));
    e.emplace_back(SolidGeom{Kind::Face3d, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 2}}, 5},
                   props("0"));

    e.emplace_back(InfiniteLineGeom{{1, 1, 0}, {0.6, 0.8, 0}, true}, props("0"));
    e.emplace_back(InfiniteLineGeom{{-1, 2, 0}, {0, 1, 0}, false}, props("0"));

    e.emplace_back(ImageGeom{{30, 30, 0}, {0.01, 0, 0}, {0, 0.01, 0}, 640, 480, "photos/plan.png"},
                   props("0"));
    return c;
}

// The kinds of the model, one entry per entity; solids by their sub-kind.
inline std::string kindName(const Entity& e) {
    if (const auto* s = geomIf<SolidGeom>(e)) {
        static const char* names[] = {"SOLID", "TRACE", "3DFACE"};
        return names[static_cast<int>(s->kind)];
    }
    return typeName(e.type());
}

}  // namespace brondel::engine::testing
