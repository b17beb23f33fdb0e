#pragma once

#include <gtest/gtest.h>

#include "engine/drawing.h"

// A drawing that holds every table and every entity kind of the model with
// values that are not defaults, and a field-by-field comparison of two.
namespace brondel::engine::testing {

inline EntityProps props(const std::string& layer, std::int16_t aci = Color::kByLayer,
                         std::int32_t trueColor = -1) {
    EntityProps p;
    p.layer = layer;
    p.color = {aci, trueColor};
    return p;
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

    Block block;
    block.name = "Bolt";
    block.base = {1, 2, 0};
    block.entities.emplace_back(CircleGeom{{1, 2, 0}, 0.5}, props("0"));
    block.entities.emplace_back(LineGeom{{0.5, 2, 0}, {1.5, 2, 0}}, props("0", 0));
    c.blocks.emplace("Bolt", block);

    Block dimBlock;
    dimBlock.name = "*D1";
    dimBlock.flags = 1;
    dimBlock.entities.emplace_back(LineGeom{{0, -1, 0}, {10, -1, 0}}, props("0"));
    c.blocks.emplace("*D1", dimBlock);

    auto& e = c.entities;
    e.emplace_back(PointGeom{{1.25, -2.5, 0}}, props("Cut", 3));
    EntityProps styled = props("Cut", 256, 0xA0B0C0);
    styled.lineType = "DASHED";
    styled.lineWeight = 50;
    styled.lineTypeScale = 2.5;
    e.emplace_back(LineGeom{{0.1, 0.2, 0}, {10.3, -4.7, 0}}, styled);
    e.emplace_back(CircleGeom{{5, 5, 0}, 2.75}, props("0", 2));
    e.emplace_back(ArcGeom{{3, 4, 0}, 1.5, 0.25, 2.0}, props("Cut"));
    e.emplace_back(ArcGeom{{-3, 4, 0}, 2.5, 1.0, -1.5}, props("Cut"));  // clockwise
    e.emplace_back(EllipseGeom{{0, 0, 0}, {4, 1, 0}, 0.5, 0.5, 4.0}, props("0"));

    PolylineGeom poly;
    poly.vertices = {{0, 0, 0, 0}, {5, 0, 0, 0.5}, {5, 5, 0, 0}, {0, 5, 0, -0.25}};
    poly.closed = true;
    poly.constantWidth = 0.125;
    e.emplace_back(poly, props("Cut"));
    PolylineGeom poly3d;
    poly3d.vertices = {{0, 0, 1, 0}, {1, 2, 3, 0}, {4, 5, 6, 0}};
    poly3d.is3d = true;
    e.emplace_back(poly3d, props("0"));

    SplineGeom spline;
    spline.degree = 3;
    spline.rational = true;
    spline.knots = {0, 0, 0, 0, 1, 1, 1, 1};
    spline.controlPoints = {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}};
    spline.weights = {1, 0.5, 0.5, 1};
    e.emplace_back(spline, props("0"));

    TextGeom text;
    text.text = "Größe 10 € — π";
    text.p = {1, 1, 0};
    text.alignPoint = {6, 1, 0};
    text.height = 2.5;
    text.angle = 0.3;
    text.widthFactor = 0.9;
    text.oblique = 0.2;
    text.hAlign = 1;
    text.vAlign = 2;
    text.style = "Narrow";
    e.emplace_back(text, props("Cut"));

    MTextGeom mtext;
    mtext.text = "First line\\PSecond line";
    mtext.p = {2, 8, 0};
    mtext.height = 1.5;
    mtext.width = 20;
    mtext.angle = 0.5;
    mtext.attachment = 5;
    mtext.lineSpacing = 1.25;
    e.emplace_back(mtext, props("0"));

    InsertGeom insert;
    insert.block = "Bolt";
    insert.p = {20, 20, 0};
    insert.scale = {2, 2, 1};
    insert.angle = 0.75;
    insert.columns = 3;
    insert.rows = 2;
    insert.columnSpacing = 5;
    insert.rowSpacing = 4;
    e.emplace_back(insert, props("0"));

    HatchGeom hatch;
    hatch.pattern = "ANSI31";
    hatch.solid = false;
    hatch.patternAngle = 0.5;
    hatch.patternScale = 2;
    HatchLoop outer;
    outer.flags = 1 | 2;
    outer.isPolyline = true;
    outer.vertices = {{0, 0, 0, 0}, {10, 0, 0, 0}, {10, 10, 0, 0.4}, {0, 10, 0, 0}};
    HatchLoop inner;
    inner.flags = 0;
    inner.edges = {HatchLineEdge{{2, 2}, {4, 2}}, HatchArcEdge{{4, 3}, 1, -kPi / 2, kPi},
                   HatchLineEdge{{4, 4}, {2, 4}}, HatchArcEdge{{2, 3}, 1, kPi / 2, -kPi}};
    HatchLoop curved;
    curved.edges = {HatchEllipseEdge{{6, 6}, {1, 0}, 0.5, 0, kTwoPi, true}};
    HatchSplineEdge splineEdge;
    splineEdge.degree = 2;
    splineEdge.knots = {0, 0, 0, 1, 1, 1};
    splineEdge.controlPoints = {{7, 7}, {8, 9}, {9, 7}};
    HatchLoop splineLoop;
    splineLoop.edges = {splineEdge, HatchLineEdge{{9, 7}, {7, 7}}};
    hatch.loops = {outer, inner, curved, splineLoop};
    e.emplace_back(hatch, props("Cut"));

    DimensionGeom dim;
    dim.block = "*D1";
    dim.dimType = 32;  // rotated linear, block used only by this dimension
    dim.defPoint = {10, -1, 0};
    dim.textMid = {5, -1.5, 0};
    dim.p13 = {0, 0, 0};
    dim.p14 = {10, 0, 0};
    dim.angle = 0;
    dim.measurement = 10;
    dim.text = "<> mm";
    e.emplace_back(dim, props("0"));

    LeaderGeom leader;
    leader.vertices = {{0, 0, 0}, {5, 5, 0}, {8, 5, 0}};
    leader.annotation.text = "Bore \\P2 places";
    leader.annotation.p = {9, 5, 0};
    leader.annotation.attachment = 4;
    e.emplace_back(leader, props("0"));
    LeaderGeom bare;  // no arrowhead, no annotation
    bare.vertices = {{20, 0, 0}, {22, 3, 1}};
    bare.arrowhead = false;
    e.emplace_back(bare, props("0"));

    SolidGeom solid;
    solid.corners[0] = {0, 0, 0};
    solid.corners[1] = {1, 0, 0};
    solid.corners[2] = {0, 1, 0};
    solid.corners[3] = {1, 1, 0};
    e.emplace_back(solid, props("0", 4));
    SolidGeom trace = solid;
    trace.kind = SolidGeom::Kind::Trace;
    e.emplace_back(trace, props("0"));
    SolidGeom face = solid;
    face.kind = SolidGeom::Kind::Face3d;
    face.corners[3] = {1, 1, 2};
    face.invisibleEdges = 5;
    e.emplace_back(face, props("0"));

    e.emplace_back(InfiniteLineGeom{{1, 1, 0}, {0.6, 0.8, 0}, true}, props("0"));
    e.emplace_back(InfiniteLineGeom{{-1, 2, 0}, {0, 1, 0}, false}, props("0"));

    ImageGeom image;
    image.insertion = {30, 30, 0};
    image.u = {0.01, 0, 0};
    image.v = {0, 0.01, 0};
    image.widthPx = 640;
    image.heightPx = 480;
    image.fileName = "photos/plan.png";
    e.emplace_back(image, props("0"));
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
