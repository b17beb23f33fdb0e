#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <filesystem>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/every_kind_drawing.h"

namespace brondel::engine {
namespace {

namespace fs = std::filesystem;

// What a DXF round trip must keep of an entity's geometry: numbers to a
// relative tolerance, names and texts exactly. Arcs are compared by their
// points, since an angle may come back as another turn of the same angle.
struct Signature {
    std::vector<double> numbers;
    std::vector<std::string> texts;

    void add(double v) { numbers.push_back(v); }
    void add(const Point2& p) { numbers.insert(numbers.end(), {p.x, p.y}); }
    void add(const Point3& p) { numbers.insert(numbers.end(), {p.x, p.y, p.z}); }
    void add(const std::string& s) { texts.push_back(s); }
    template <class T>
    void add(const std::vector<T>& list) {
        add(double(list.size()));
        for (const T& item : list) {
            add(item);
        }
    }
    void add(const Vertex& v) { numbers.insert(numbers.end(), {v.x, v.y, v.z, v.bulge}); }
    void arc(const Point2& c, double r, double start, double angle) {
        add(c);
        add(r);
        add(angle);
        add(Point2{c.x + r * std::cos(start), c.y + r * std::sin(start)});
        add(Point2{c.x + r * std::cos(start + angle), c.y + r * std::sin(start + angle)});
    }

    void operator()(const PointGeom& g) { add(g.p); }
    void operator()(const LineGeom& g) {
        add(g.p1);
        add(g.p2);
    }
    void operator()(const CircleGeom& g) {
        add(g.center);
        add(g.radius);
    }
    void operator()(const ArcGeom& g) {
        arc({g.center.x, g.center.y}, g.radius, g.startAngle, g.angle);
        add(g.center.z);
    }
    void operator()(const EllipseGeom& g) {
        add(g.center);
        add(g.majorAxis);
        add(g.ratio);
        add(g.startParam);
        add(g.endParam);
    }
    void operator()(const PolylineGeom& g) {
        add(g.vertices);
        add(g.closed);
        add(g.constantWidth);
    }
    void operator()(const InfiniteLineGeom& g) {
        add(g.base);
        add(g.direction);
    }
    template <class T>
    void operator()(const Boxed<T>& g) {
        (*this)(*g);
    }
    void operator()(const Boxed<SplineGeom>& g) {
        add(g->degree);
        add(g->knots);
        add(g->controlPoints);
        add(g->fitPoints);
    }
    void operator()(const Boxed<TextGeom>& g) {
        add(g->text);
        add(g->p);
        add(g->height);
        add(g->hAlign);
        add(g->vAlign);
    }
    void operator()(const Boxed<MTextGeom>& g) {
        add(g->text);
        add(g->p);
        add(g->height);
        add(g->width);
        add(g->attachment);
    }
    void operator()(const Boxed<InsertGeom>& g) {
        add(g->block);
        add(g->p);
        add(g->scale);
        add(g->columns);
        add(g->rows);
    }
    void operator()(const Boxed<HatchGeom>& g) {
        add(g->pattern);
        add(g->solid);
        add(double(g->loops.size()));
        for (const HatchLoop& loop : g->loops) {
            add(loop.isPolyline);
            add(loop.vertices);
            add(double(loop.edges.size()));
            for (const HatchEdge& edge : loop.edges) {
                if (const auto* line = std::get_if<HatchLineEdge>(&edge)) {
                    add(line->p1);
                    add(line->p2);
                } else if (const auto* a = std::get_if<HatchArcEdge>(&edge)) {
                    arc(a->center, a->radius, a->startAngle, a->angle);
                } else if (const auto* e = std::get_if<HatchEllipseEdge>(&edge)) {
                    add(e->center);
                    add(e->majorAxis);
                    add(e->ratio);
                } else if (const auto* s = std::get_if<HatchSplineEdge>(&edge)) {
                    add(s->knots);
                    add(s->controlPoints);
                }
            }
        }
    }
    void operator()(const Boxed<DimensionGeom>& g) {
        // One read without its block is written with a new one of its picture.
        const bool anonymous = g->block.empty() || g->block.rfind("*D", 0) == 0;
        add(anonymous ? std::string("*D") : g->block);
        add(g->defPoint);
        add(g->textMid);
        add(g->text);
    }
    void operator()(const Boxed<SolidGeom>& g) {
        for (const Point3& p : g->corners) {
            add(p);
        }
    }
    void operator()(const Boxed<ImageGeom>& g) {
        add(g->insertion);
        add(g->u);
        add(g->v);
        add(g->fileName);
    }
    void operator()(const Boxed<LeaderGeom>& g) {
        add(g->vertices);
        add(g->arrowhead);
        add(g->style);
        add(g->annotation.text);
        add(g->annotation.p);
        add(g->annotation.height);
        add(g->annotation.angle);
        add(double(g->annotation.attachment));
    }
};

Signature signatureOf(const Entity& e) {
    Signature s;
    std::visit(s, e.geom);
    return s;
}

void expectSameGeometry(const Entity& a, const Entity& b) {
    const Signature x = signatureOf(a), y = signatureOf(b);
    EXPECT_EQ(x.texts, y.texts);
    ASSERT_EQ(x.numbers.size(), y.numbers.size());
    for (std::size_t i = 0; i < x.numbers.size(); ++i) {
        const double scale = std::max({1.0, std::fabs(x.numbers[i]), std::fabs(y.numbers[i])});
        EXPECT_NEAR(x.numbers[i], y.numbers[i], 1e-9 * scale) << "value " << i;
    }
}

void expectSameEntities(const std::vector<Entity>& a, const std::vector<Entity>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE("entity " + std::to_string(i) + " " + testing::kindName(a[i]));
        ASSERT_EQ(testing::kindName(a[i]), testing::kindName(b[i]));
        EXPECT_EQ(a[i].props.layer, b[i].props.layer);
        EXPECT_EQ(a[i].props.color, b[i].props.color);
        expectSameGeometry(a[i], b[i]);
    }
}

// Written, then read back by our own reader.
DrawingContent throughDxf(const DrawingContent& content) {
    Drawing drawing;
    drawing.load(content);
    const fs::path path = fs::temp_directory_path() /
                          ("brondel-dxf-roundtrip-" + std::to_string(::getpid()) + ".dxf");
    io::writeDxf(drawing, path.string());
    DrawingContent back = io::readDxf(path.string());
    fs::remove(path);
    return back;
}

void expectSameDrawing(const DrawingContent& first, const DrawingContent& second) {
    for (const Layer& layer : first.layers) {
        SCOPED_TRACE("layer " + layer.name);
        const auto found = std::find_if(second.layers.begin(), second.layers.end(),
                                        [&](const Layer& l) { return l.name == layer.name; });
        ASSERT_NE(found, second.layers.end());
        EXPECT_EQ(*found, layer);
    }
    expectSameEntities(first.entities, second.entities);
    for (const auto& [name, block] : first.blocks) {
        if (name.size() > 1 && name[0] == '*' &&
            (name[1] == 'M' || name[1] == 'P' || name[1] == 'm' || name[1] == 'p')) {
            continue;  // model and paper space are layouts, written as such
        }
        SCOPED_TRACE("block " + name);
        const auto found = second.blocks.find(name);
        ASSERT_NE(found, second.blocks.end());
        expectSameEntities(block.entities, found->second.entities);
    }
}

TEST(DxfRoundTrip, EveryKindOfTheModelComesBack) {
    DrawingContent first = testing::everyKindContent();
    expectSameDrawing(first, throughDxf(first));
}

TEST(DxfRoundTrip, CorpusDrawingsKeepTheirEntitiesAndLayers) {
    int tried = 0;
    for (const auto& file : fs::directory_iterator(fs::path(BRONDEL_CORPUS_DIR) / "dxf")) {
        DrawingContent first;
        try {
            first = io::readDxf(file.path().string());
        } catch (const Error&) {
            continue;  // the reader's own tests cover files it refuses
        }
        SCOPED_TRACE(file.path().filename().string());
        ++tried;
        expectSameDrawing(first, throughDxf(first));
    }
    EXPECT_GT(tried, 0);
}

}  // namespace
}  // namespace brondel::engine
