#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "engine/io/drawing_files.h"
#include "engine/mtext_plain.h"
#include "tests/support/ezdxf_tool.h"

// Compares the reader's world-space geometry with what ezdxf reads from the
// same corpus files (tests/tools/ezdxf_dump.py).
namespace brondel::engine::io {
namespace {

using nlohmann::json;

bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

::testing::AssertionResult samePoint(const json& ref, Point3 p) {
    const double x = ref[0], y = ref[1], z = ref[2];
    if (near(x, p.x) && near(y, p.y) && near(z, p.z))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "ezdxf (" << x << ", " << y << ", " << z << ") ours ("
                                         << p.x << ", " << p.y << ", " << p.z << ")";
}

Point3 onEllipse(const EllipseGeom& e, double t) {
    const Point3 minor{-e.majorAxis.y * e.ratio, e.majorAxis.x * e.ratio, 0};
    return e.center + e.majorAxis * std::cos(t) + minor * std::sin(t);
}

std::string kindOf(const Entity& e) {
    const EntityType t = e.type();
    return typeName(t);
}

void compare(const json& ref, const Entity& e) {
    const std::string kind = ref["kind"];
    ASSERT_EQ(kind, kindOf(e));
    if (ref.contains("unchecked"))
        return;
    if (const auto* line = geomIf<LineGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p1"], line->p1));
        EXPECT_TRUE(samePoint(ref["p2"], line->p2));
    } else if (const auto* point = geomIf<PointGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p"], point->p));
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["center"], circle->center));
        EXPECT_TRUE(near(ref["radius"], circle->radius));
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["center"], arc->center));
        const double r = arc->radius, a = arc->startAngle, b = arc->startAngle + arc->angle;
        const double z = arc->center.z;
        EXPECT_TRUE(samePoint(
            ref["start"], {arc->center.x + r * std::cos(a), arc->center.y + r * std::sin(a), z}));
        EXPECT_TRUE(samePoint(
            ref["end"], {arc->center.x + r * std::cos(b), arc->center.y + r * std::sin(b), z}));
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["center"], ellipse->center));
        EXPECT_TRUE(samePoint(ref["major"], ellipse->majorAxis));
        Point3 s = onEllipse(*ellipse, ellipse->startParam),
               t = onEllipse(*ellipse, ellipse->endParam);
        if (std::tie(t.x, t.y, t.z) < std::tie(s.x, s.y, s.z))
            std::swap(s, t);
        EXPECT_TRUE(samePoint(ref["ends"][0], s));
        EXPECT_TRUE(samePoint(ref["ends"][1], t));
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        EXPECT_EQ(bool(ref["closed"]), poly->closed);
        ASSERT_EQ(ref["vertices"].size(), poly->vertices.size());
        for (std::size_t i = 0; i < poly->vertices.size(); ++i) {
            const Vertex& v = poly->vertices[i];
            EXPECT_TRUE(samePoint(ref["vertices"][i], {v.x, v.y, v.z})) << "vertex " << i;
            EXPECT_TRUE(near(ref["bulges"][i], v.bulge)) << "bulge " << i;
        }
    } else if (const auto* spline = geomIf<SplineGeom>(e)) {
        EXPECT_EQ(int(ref["degree"]), spline->degree);
        ASSERT_EQ(ref["control"].size(), spline->controlPoints.size());
        for (std::size_t i = 0; i < spline->controlPoints.size(); ++i) {
            EXPECT_TRUE(samePoint(ref["control"][i], spline->controlPoints[i]));
        }
        ASSERT_EQ(ref["knots"].size(), spline->knots.size());
        ASSERT_EQ(ref["fit"].size(), spline->fitPoints.size());
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p"], text->p));
        EXPECT_EQ(std::string(ref["text"]), text->text);
    } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p"], mtext->p));
        const std::vector<std::string> lines = mtextPlainLines(mtext->text);
        std::string plain = lines.front();
        for (std::size_t i = 1; i < lines.size(); ++i) {
            plain += "\n" + lines[i];
        }
        EXPECT_EQ(std::string(ref["text"]), plain);
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p"], insert->p));
        const double c = std::cos(insert->angle), s = std::sin(insert->angle);
        EXPECT_TRUE(samePoint(ref["ux"], {c * insert->scale.x, s * insert->scale.x, 0}));
        EXPECT_TRUE(samePoint(ref["uy"], {-s * insert->scale.y, c * insert->scale.y, 0}));
    } else if (const auto* hatch = geomIf<HatchGeom>(e)) {
        EXPECT_EQ(ref["loops"].size() == 0 ? 0u : std::size_t(ref["loops"]), hatch->loops.size());
    } else if (const auto* dim = geomIf<DimensionGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p"], dim->defPoint));
    } else if (const auto* solid = geomIf<SolidGeom>(e)) {
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(samePoint(ref["corners"][i], solid->corners[i]));
    } else if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p"], xline->base));
        EXPECT_TRUE(samePoint(ref["direction"], xline->direction));
    } else if (const auto* image = geomIf<ImageGeom>(e)) {
        EXPECT_TRUE(samePoint(ref["p"], image->insertion));
        EXPECT_EQ(std::string(ref["file"]), image->fileName);  // from the OBJECTS section
        EXPECT_EQ(double(ref["size"][0]), image->widthPx);
        EXPECT_EQ(double(ref["size"][1]), image->heightPx);
    } else if (const auto* leader = geomIf<LeaderGeom>(e)) {
        ASSERT_EQ(ref["vertices"].size(), leader->vertices.size());
        for (std::size_t i = 0; i < leader->vertices.size(); ++i)
            EXPECT_TRUE(samePoint(ref["vertices"][i], leader->vertices[i]));
    }
}

TEST(DxfOracle, GeometryAgreesWithEzdxf) {
    ASSERT_TRUE(brondel::testing::ezdxfInstalled()) << "install python3-ezdxf to run this test";
    const std::filesystem::path dir = std::filesystem::path(BRONDEL_CORPUS_DIR) / "dxf";
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
        const std::string path = item.path().string();
        if (item.path().filename() == "libredwg_r1.4_entities.dxf")
            continue;  // not DXF
        SCOPED_TRACE(path);
        const json ref = brondel::testing::ezdxfRead("ezdxf_dump.py", path);
        const DrawingContent content = readDxf(path);
        ASSERT_EQ(ref.size(), content.entities.size());
        for (std::size_t i = 0; i < ref.size(); ++i) {
            SCOPED_TRACE("entity " + std::to_string(i));
            compare(ref[i], content.entities[i]);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

}  // namespace
}  // namespace brondel::engine::io
