#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "engine/io/vec_format.h"
#include "tests/engine/every_kind_drawing.h"

namespace brondel::engine {
namespace {

auto fields(const PointGeom& g) {
    return std::tie(g.p);
}
auto fields(const LineGeom& g) {
    return std::tie(g.p1, g.p2);
}
auto fields(const CircleGeom& g) {
    return std::tie(g.center, g.radius);
}
auto fields(const ArcGeom& g) {
    return std::tie(g.center, g.radius, g.startAngle, g.angle);
}
auto fields(const EllipseGeom& g) {
    return std::tie(g.center, g.majorAxis, g.ratio, g.startParam, g.endParam);
}
auto fields(const PolylineGeom& g) {
    return std::tie(g.vertices, g.closed, g.is3d, g.constantWidth);
}
auto fields(const InfiniteLineGeom& g) {
    return std::tie(g.base, g.direction, g.ray);
}
auto fields(const SplineGeom& g) {
    return std::tie(g.degree, g.closed, g.periodic, g.rational, g.knots, g.controlPoints, g.weights,
                    g.fitPoints);
}
auto fields(const TextGeom& g) {
    return std::tie(g.text, g.p, g.alignPoint, g.height, g.angle, g.widthFactor, g.oblique,
                    g.hAlign, g.vAlign, g.style);
}
auto fields(const MTextGeom& g) {
    return std::tie(g.text, g.p, g.height, g.width, g.angle, g.attachment, g.lineSpacing, g.style);
}
auto fields(const InsertGeom& g) {
    return std::tie(g.block, g.p, g.scale, g.angle, g.columns, g.rows, g.columnSpacing,
                    g.rowSpacing);
}
auto fields(const DimensionGeom& g) {
    return std::tie(g.block, g.dimType, g.defPoint, g.textMid, g.p13, g.p14, g.p15, g.p16, g.angle,
                    g.measurement, g.text, g.style);
}
auto fields(const SolidGeom& g) {
    return std::tie(g.kind, g.corners[0], g.corners[1], g.corners[2], g.corners[3],
                    g.invisibleEdges);
}
auto fields(const ImageGeom& g) {
    return std::tie(g.insertion, g.u, g.v, g.widthPx, g.heightPx, g.fileName);
}
auto fields(const LeaderGeom& g) {
    const MTextGeom& t = g.annotation;
    return std::tie(g.vertices, g.arrowhead, g.style, t.text, t.p, t.height, t.width, t.angle,
                    t.attachment, t.lineSpacing, t.style);
}
auto fields(const HatchLineEdge& e) {
    return std::tie(e.p1, e.p2);
}
auto fields(const HatchArcEdge& e) {
    return std::tie(e.center, e.radius, e.startAngle, e.angle);
}
auto fields(const HatchEllipseEdge& e) {
    return std::tie(e.center, e.majorAxis, e.ratio, e.startParam, e.endParam, e.ccw);
}
auto fields(const HatchSplineEdge& e) {
    return std::tie(e.degree, e.rational, e.periodic, e.knots, e.controlPoints, e.weights);
}

template <class T>
const T& unbox(const T& g) {
    return g;
}
template <class T>
const T& unbox(const Boxed<T>& g) {
    return *g;
}

bool sameEdges(const std::vector<HatchEdge>& a, const std::vector<HatchEdge>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].index() != b[i].index() ||
            !std::visit(
                [&](const auto& x) {
                    return fields(x) == fields(std::get<std::decay_t<decltype(x)>>(b[i]));
                },
                a[i])) {
            return false;
        }
    }
    return true;
}

bool sameHatch(const HatchGeom& a, const HatchGeom& b) {
    if (std::tie(a.pattern, a.solid, a.elevation, a.patternAngle, a.patternScale) !=
            std::tie(b.pattern, b.solid, b.elevation, b.patternAngle, b.patternScale) ||
        a.loops.size() != b.loops.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.loops.size(); ++i) {
        const HatchLoop& x = a.loops[i];
        const HatchLoop& y = b.loops[i];
        if (std::tie(x.flags, x.isPolyline, x.vertices, x.closed) !=
                std::tie(y.flags, y.isPolyline, y.vertices, y.closed) ||
            !sameEdges(x.edges, y.edges)) {
            return false;
        }
    }
    return true;
}

void expectSameEntities(const std::vector<Entity>& a, const std::vector<Entity>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE("entity " + std::to_string(i) + " " + typeName(a[i].type()));
        EXPECT_EQ(a[i].props, b[i].props);
        ASSERT_EQ(a[i].geom.index(), b[i].geom.index());
        const bool same = std::visit(
            [&](const auto& x) {
                const auto& y = std::get<std::decay_t<decltype(x)>>(b[i].geom);
                if constexpr (std::is_same_v<std::decay_t<decltype(x)>, Boxed<HatchGeom>>) {
                    return sameHatch(*x, *y);
                } else {
                    return fields(unbox(x)) == fields(unbox(y));
                }
            },
            a[i].geom);
        EXPECT_TRUE(same);
    }
}

void expectSameContent(const DrawingContent& a, const DrawingContent& b) {
    EXPECT_EQ(a.header, b.header);
    EXPECT_EQ(a.layers, b.layers);
    EXPECT_EQ(a.lineTypes, b.lineTypes);
    EXPECT_EQ(a.textStyles, b.textStyles);
    EXPECT_EQ(a.currentLayer, b.currentLayer);
    ASSERT_EQ(a.blocks.size(), b.blocks.size());
    for (const auto& [name, block] : a.blocks) {
        SCOPED_TRACE("block " + name);
        const auto found = b.blocks.find(name);
        ASSERT_NE(found, b.blocks.end());
        EXPECT_EQ(block.name, found->second.name);
        EXPECT_EQ(block.base, found->second.base);
        EXPECT_EQ(block.flags, found->second.flags);
        expectSameEntities(block.entities, found->second.entities);
    }
    expectSameEntities(a.entities, b.entities);
}

std::string encoded(const DrawingContent& c) {
    std::ostringstream out;
    io::vec::encode(c, c.entities, out);
    return out.str();
}

TEST(VecRoundTrip, KeepsEveryFieldOfEveryKind) {
    DrawingContent original = testing::everyKindContent();
    // What new entities, dimensions and points take comes back too.
    original.header.currentColor = {5, 0x123456};
    original.header.currentLineWeight = 35;
    original.header.dimStyle = {"ISO-25", 3.5, 1.5, 0.5, 2, 0.75, 3, 4, 1.5, false};
    original.header.pointMode = 34;
    original.header.pointSize = -7.5;
    const DrawingContent read = io::readVecBuffer(encoded(original));
    expectSameContent(original, read);
}

TEST(VecRoundTrip, KeepsValuesAtTheEdgesOfTheirRanges) {
    DrawingContent c;
    c.layers = {Layer{""}};
    EntityProps extreme;
    extreme.layer = std::string("nul\0inside", 10);
    extreme.color = {-32768, 0x7fffffff};
    extreme.lineWeight = -32768;
    extreme.lineTypeScale = -0.0;
    c.entities.emplace_back(
        LineGeom{{std::numeric_limits<double>::infinity(),
                  std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::max()},
                 {1e-300, -1e300, 0.1}},
        extreme);
    c.entities.emplace_back(PolylineGeom{}, EntityProps{});
    c.entities.emplace_back(HatchGeom{}, EntityProps{});
    const DrawingContent read = io::readVecBuffer(encoded(c));
    expectSameContent(c, read);
    EXPECT_TRUE(std::signbit(read.entities[0].props.lineTypeScale));
}

TEST(VecRoundTrip, WritesLiveEntitiesOfADrawingThroughAFile) {
    DrawingContent content = testing::everyKindContent();
    Drawing drawing;
    drawing.load(content);
    const Handle erased = drawing.firstLive();
    drawing.setErased(erased, true);
    const auto path = std::filesystem::temp_directory_path() / "brondel-vec-roundtrip.vec";
    io::writeVec(drawing, path.string());

    const DrawingContent read = io::readVec(path.string());
    content.entities.erase(content.entities.begin());
    expectSameContent(content, read);
    std::filesystem::remove(path);
}

TEST(VecRoundTrip, SharesEntityPropertiesInsteadOfRepeatingThem) {
    DrawingContent c;
    for (int i = 0; i < 1000; ++i) {
        c.entities.emplace_back(LineGeom{{0, 0, 0}, {1, double(i), 0}},
                                testing::props("A very long layer name indeed", 3));
    }
    const std::string data = encoded(c);
    EXPECT_LT(data.size(), 1000 * (1 + 4 + 48) + 350);
    expectSameContent(c, io::readVecBuffer(data));
}

TEST(VecFile, MissingFileIsFileNotFound) {
    try {
        io::readVec("/nonexistent/folder/drawing.vec");
        FAIL() << "read a file that does not exist";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kFileNotFound);
        EXPECT_NE(e.description().find("/nonexistent/folder/drawing.vec"), std::string::npos);
    }
}

}  // namespace
}  // namespace brondel::engine
