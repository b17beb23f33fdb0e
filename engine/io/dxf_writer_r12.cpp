#include "engine/io/dxf_writer_r12.h"

#include <cmath>

#include "engine/explode.h"
#include "engine/io/dxf_ocs.h"
#include "engine/io/dxf_writer_text.h"

namespace brondel::engine::io {

namespace {

constexpr double kDegrees = 180.0 / kPi;

template <class T>
const T& unbox(const Boxed<T>& b) {
    return *b;
}
template <class T>
const T& unbox(const T& g) {
    return g;
}

}  // namespace

void R12EntityWriter::write(const Entity& e) {
    std::visit([&](const auto& g) { write(e, unbox(g)); }, e.geom);
}

std::string R12EntityWriter::text(const std::string& utf8) const {
    return encodeForCodePage(utf8, codePage_);
}

// R12 leaves BYLAYER colour and line type out rather than naming them.
void R12EntityWriter::begin(const char* kind, const EntityProps& p) {
    w_.entity(kind);
    w_.dxfString(8, text(p.layer));
    if (!p.lineType.empty()) {
        w_.dxfString(6, text(p.lineType));
    }
    if (p.color.aci != Color::kByLayer) {
        w_.dxfInt(62, p.color.aci);
    }
}

void R12EntityWriter::point(int gc, const Point3& p) {
    w_.coord(gc, p.x, p.y, p.z);
}

void R12EntityWriter::point(int gc, const Point2& p) {
    w_.dxfReal(gc, p.x);
    w_.dxfReal(gc + 10, p.y);
}

// The parts explode makes of e, written in its place.
void R12EntityWriter::lowered(const Entity& e, const std::string& conversion) {
    const std::vector<Entity> parts = explodeEntity(e, blocks_, chordTolerance_);
    const std::string kind = typeName(e.type());
    if (parts.empty()) {
        ++report_[kind + " left out"];
        return;
    }
    ++report_[kind + " as " + conversion];
    writeParts(parts);
}

void R12EntityWriter::writeParts(const std::vector<Entity>& parts) {
    for (const Entity& part : parts) {
        write(part);
    }
}

void R12EntityWriter::write(const Entity& e, const PointGeom& g) {
    begin("POINT", e.props());
    point(10, g.p);
}

void R12EntityWriter::write(const Entity& e, const LineGeom& g) {
    begin("LINE", e.props());
    point(10, g.p1);
    point(11, g.p2);
}

void R12EntityWriter::write(const Entity& e, const CircleGeom& g) {
    begin("CIRCLE", e.props());
    point(10, g.center);
    w_.dxfReal(40, g.radius);
}

// A clockwise arc is a counter-clockwise one seen from below (extrusion -Z):
// x = -X there, world angle t is 180 - t, and elevation is -z.
void R12EntityWriter::write(const Entity& e, const ArcGeom& g) {
    begin("ARC", e.props());
    const bool ccw = g.angle >= 0;
    const double start = g.startAngle * kDegrees;
    const double end = (g.startAngle + g.angle) * kDegrees;
    if (ccw) {
        point(10, g.center);
    } else {
        w_.coord(10, -g.center.x, g.center.y, -g.center.z);
    }
    w_.dxfReal(40, g.radius);
    w_.dxfReal(50, ccw ? start : 180.0 - start);
    w_.dxfReal(51, ccw ? end : 180.0 - end);
    if (!ccw) {
        w_.coord(210, 0, 0, -1);
    }
}

void R12EntityWriter::write(const Entity& e, const EllipseGeom&) {
    lowered(e, "POLYLINE");
}

void R12EntityWriter::write(const Entity& e, const SplineGeom&) {
    lowered(e, "POLYLINE");
}

void R12EntityWriter::write(const Entity& e, const MTextGeom&) {
    lowered(e, "TEXT");
}

void R12EntityWriter::write(const Entity& e, const HatchGeom&) {
    lowered(e, "its boundary");
}

void R12EntityWriter::write(const Entity&, const InfiniteLineGeom& g) {
    ++report_[std::string(g.ray ? "RAY" : "XLINE") + " left out"];
}

void R12EntityWriter::write(const Entity& e, const PolylineGeom& g) {
    bool flat = true;
    for (const Vertex& v : g.vertices) {
        flat = flat && v.z == g.vertices.front().z;
    }
    const std::optional<Ocs> ocs = g.is3d || flat ? std::nullopt : tiltedPlane(g.vertices);
    const bool is3d = g.is3d || (!flat && !ocs);
    begin("POLYLINE", e.props());
    w_.dxfInt(66, 1);
    const double elevation =
        g.vertices.empty() ? 0 : (ocs ? ocs->of(g.vertices.front()).z : g.vertices.front().z);
    w_.coord(10, 0, 0, is3d ? 0 : elevation);
    w_.dxfInt(70, (is3d ? 8 : 0) | (g.closed ? 1 : 0));
    if (!is3d && g.constantWidth != 0) {
        w_.dxfReal(40, g.constantWidth);
        w_.dxfReal(41, g.constantWidth);
    }
    if (ocs) {
        w_.coord(210, ocs->n.x, ocs->n.y, ocs->n.z);
    }
    for (const Vertex& v : g.vertices) {
        w_.entity("VERTEX");
        w_.dxfString(8, text(e.props().layer));
        const Point3 p = ocs ? ocs->of(v) : Point3{v.x, v.y, v.z};
        w_.coord(10, p.x, p.y, is3d ? p.z : elevation);
        if (!is3d && v.bulge != 0) {
            w_.dxfReal(42, v.bulge);
        }
        w_.dxfInt(70, is3d ? 32 : 0);
    }
    w_.entity("SEQEND");
    w_.dxfString(8, text(e.props().layer));
}

void R12EntityWriter::write(const Entity& e, const TextGeom& g) {
    begin("TEXT", e.props());
    point(10, g.p);
    w_.dxfReal(40, g.height);
    w_.dxfString(1, text(g.text));
    w_.dxfReal(50, g.angle * kDegrees);
    w_.dxfReal(41, g.widthFactor);
    w_.dxfReal(51, g.oblique * kDegrees);
    w_.dxfString(7, text(g.style));
    w_.dxfInt(72, g.hAlign);
    point(11, g.alignPoint);
    w_.dxfInt(73, g.vAlign);
}

void R12EntityWriter::write(const Entity& e, const InsertGeom& g) {
    begin("INSERT", e.props());
    w_.dxfString(2, text(g.block));
    point(10, g.p);
    w_.dxfReal(41, g.scale.x);
    w_.dxfReal(42, g.scale.y);
    w_.dxfReal(43, g.scale.z);
    w_.dxfReal(50, g.angle * kDegrees);
    if (g.columns != 1 || g.rows != 1) {
        w_.dxfInt(70, g.columns);
        w_.dxfInt(71, g.rows);
        w_.dxfReal(44, g.columnSpacing);
        w_.dxfReal(45, g.rowSpacing);
    }
}

void R12EntityWriter::write(const Entity& e, const DimensionGeom& g) {
    begin("DIMENSION", e.props());
    w_.dxfString(2, text(g.block));
    point(10, g.defPoint);
    point(11, g.textMid);
    w_.dxfInt(70, g.dimType);
    w_.dxfString(1, text(g.text));
    w_.dxfString(3, text(g.style));
    switch (g.dimType & 7) {
        case 0:
            point(13, g.p13);
            point(14, g.p14);
            w_.dxfReal(50, g.angle * kDegrees);
            break;
        case 2:
            point(13, g.p13);
            point(14, g.p14);
            point(15, g.p15);
            point(16, g.p16);
            break;
        case 3:
        case 4:
            point(15, g.p15);
            break;
        case 5:
            point(13, g.p13);
            point(14, g.p14);
            point(15, g.p15);
            break;
        default:
            point(13, g.p13);
            point(14, g.p14);
            break;
    }
}

void R12EntityWriter::write(const Entity& e, const SolidGeom& g) {
    static constexpr const char* kNames[] = {"SOLID", "TRACE", "3DFACE"};
    begin(kNames[static_cast<int>(g.kind)], e.props());
    for (int i = 0; i < 4; ++i) {
        point(10 + i, g.corners[i]);
    }
    if (g.kind == SolidGeom::Kind::Face3d) {
        w_.dxfInt(70, g.invisibleEdges);
    }
}

void R12EntityWriter::write(const Entity& e, const ImageGeom& g) {
    ++report_["IMAGE as its frame"];
    const Point3 across = g.u * g.widthPx;
    const Point3 up = g.v * g.heightPx;
    PolylineGeom frame;
    frame.closed = true;
    for (const Point3& p :
         {g.insertion, g.insertion + across, g.insertion + across + up, g.insertion + up}) {
        frame.vertices.push_back(Vertex{p.x, p.y, p.z, 0});
    }
    writeParts({Entity(frame, e.props())});
}

void R12EntityWriter::write(const Entity& e, const LeaderGeom&) {
    lowered(e, "lines, solid and text");
}

}  // namespace brondel::engine::io
