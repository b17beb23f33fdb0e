#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "engine/entity_attributes.h"
#include "engine/entity_type.h"
#include "engine/geometry.h"
#include "engine/hatch_patterns.h"
#include "engine/shared_name.h"
#include "engine/xdata.h"

// The drawing model: plain value types, all coordinates in world space
// (DXF object coordinate systems are resolved when a file is read).
// Angles are radians, counter-clockwise positive.
namespace brondel::engine {

// 32-bit, unique across the process, never reused; 0 is none.
using Handle = std::int32_t;
constexpr Handle kNoHandle = 0;

struct PointGeom {
    Point3 p;
};

struct LineGeom {
    Point3 p1, p2;
};

struct CircleGeom {
    Point3 center;
    double radius = 0;
};

// angle is the signed included angle: positive runs counter-clockwise.
struct ArcGeom {
    Point3 center;
    double radius = 0;
    double startAngle = 0;
    double angle = 0;
};

// Parameters as DXF: 0..2*pi is the full ellipse.
struct EllipseGeom {
    Point3 center;
    Point3 majorAxis;  // relative to center
    double ratio = 1;  // minor / major
    double startParam = 0;
    double endParam = 6.283185307179586;
};

struct Vertex {
    double x = 0, y = 0, z = 0;
    double bulge = 0;  // tan(included angle / 4) of the segment that starts here
    bool operator==(const Vertex&) const = default;
};

struct PolylineGeom {
    std::vector<Vertex> vertices;
    bool closed = false;
    bool is3d = false;  // POLYLINE with 3-D vertices (no bulges)
    double constantWidth = 0;
};

struct SplineGeom {
    int degree = 3;
    bool closed = false;
    bool periodic = false;
    bool rational = false;
    std::vector<double> knots;
    std::vector<Point3> controlPoints;
    std::vector<double> weights;  // empty when all are 1
    std::vector<Point3> fitPoints;
};

struct TextGeom {
    std::string text;   // decoded UTF-8
    Point3 p;           // first alignment point
    Point3 alignPoint;  // second alignment point (DXF 11), used when aligned
    double height = 1;
    double angle = 0;
    double widthFactor = 1;
    double oblique = 0;
    int hAlign = 0;  // DXF 72
    int vAlign = 0;  // DXF 73
    std::string style = "STANDARD";
};

struct MTextGeom {
    std::string text;  // decoded UTF-8 with MTEXT format codes kept
    Point3 p;
    double height = 1;
    double width = 0;  // reference rectangle width, 0 = none
    double angle = 0;
    int attachment = 1;  // 1 top left .. 9 bottom right
    double lineSpacing = 1;
    std::string style = "STANDARD";
};

struct InsertGeom {
    std::string block;
    Point3 p;
    Point3 scale{1, 1, 1};
    double angle = 0;
    int columns = 1, rows = 1;
    double columnSpacing = 0, rowSpacing = 0;
};

struct HatchLineEdge {
    Point2 p1, p2;
};
struct HatchArcEdge {
    Point2 center;
    double radius = 0;
    double startAngle = 0;
    double angle = 0;  // signed
};
struct HatchEllipseEdge {
    Point2 center, majorAxis;
    double ratio = 1;
    double startParam = 0, endParam = 0;
    bool ccw = true;
};
struct HatchSplineEdge {
    int degree = 3;
    bool rational = false, periodic = false;
    std::vector<double> knots;
    std::vector<Point2> controlPoints;
    std::vector<double> weights;
};
using HatchEdge = std::variant<HatchLineEdge, HatchArcEdge, HatchEllipseEdge, HatchSplineEdge>;

struct HatchLoop {
    int flags = 0;            // DXF 92 boundary path type flags
    bool isPolyline = false;  // bit 2 of flags: vertices are used, edges are not
    std::vector<Vertex> vertices;
    bool closed = true;
    std::vector<HatchEdge> edges;
};

struct HatchGeom {
    std::string pattern = "SOLID";
    bool solid = true;
    double elevation = 0;
    double patternAngle = 0, patternScale = 1;
    std::vector<HatchLoop> loops;
    // The pattern's line families as a DXF file holds them: angle and scale
    // applied, base point and offset in drawing units. Empty when the file
    // gave none; the named pattern of our own table stands in then.
    std::vector<PatternLine> patternLines;
};

// A dimension is kept as it was drawn with the anonymous block of its parts;
// the points are the DXF definition points in world space.
struct DimensionGeom {
    std::string block;
    int dimType = 0;  // DXF 70 with the flag bits
    Point3 defPoint;  // 10
    Point3 textMid;   // 11
    Point3 p13, p14, p15, p16;
    double angle = 0;        // 50, radians
    double measurement = 0;  // 42
    std::string text;        // 1: "" = measured value, "<>" etc.
    std::string style = "STANDARD";
};

// SOLID, TRACE and 3DFACE: four corners (the fourth may repeat the third).
struct SolidGeom {
    enum class Kind { Solid, Trace, Face3d };
    Kind kind = Kind::Solid;
    Point3 corners[4];
    int invisibleEdges = 0;  // 3DFACE 70
};

// RAY and XLINE.
struct InfiniteLineGeom {
    Point3 base;
    Point3 direction;  // unit
    bool ray = false;  // RAY (one way) or XLINE (both ways)
};

struct ImageGeom {
    Point3 insertion;
    Point3 u, v;  // one pixel's width and height vectors
    double widthPx = 0, heightPx = 0;
    std::string fileName;
};

// A leader: a line from its arrowhead (the first vertex) to its annotation,
// which is kept with it as the multi-line text it shows (text "" = none).
// The arrowhead is sized by the dimension style it names.
struct LeaderGeom {
    std::vector<Point3> vertices;
    bool arrowhead = true;  // DXF 71
    std::string style = "STANDARD";
    MTextGeom annotation;
};

// Value-semantic box for the larger, rarer kinds, so that a drawing of a
// million lines does not pay for the size of its largest kind.
template <class T>
class Boxed {
  public:
    Boxed() : p_(std::make_unique<T>()) {}
    Boxed(T value) : p_(std::make_unique<T>(std::move(value))) {}
    Boxed(const Boxed& other) : p_(std::make_unique<T>(*other.p_)) {}
    Boxed(Boxed&& other) noexcept : p_(std::make_unique<T>(std::move(*other.p_))) {}
    Boxed& operator=(const Boxed& other) {
        *p_ = *other.p_;
        return *this;
    }
    Boxed& operator=(Boxed&& other) noexcept {
        *p_ = std::move(*other.p_);
        return *this;
    }
    T& operator*() { return *p_; }
    const T& operator*() const { return *p_; }
    T* operator->() { return p_.get(); }
    const T* operator->() const { return p_.get(); }
    T* get() { return p_.get(); }
    const T* get() const { return p_.get(); }

  private:
    std::unique_ptr<T> p_;
};

template <class T>
struct StoredAs {
    using type = T;
};
#define BRONDEL_BOXED_GEOMETRY(T) \
    template <>                   \
    struct StoredAs<T> {          \
        using type = Boxed<T>;    \
    };
BRONDEL_BOXED_GEOMETRY(EllipseGeom)
BRONDEL_BOXED_GEOMETRY(InfiniteLineGeom)
BRONDEL_BOXED_GEOMETRY(SplineGeom)
BRONDEL_BOXED_GEOMETRY(TextGeom)
BRONDEL_BOXED_GEOMETRY(MTextGeom)
BRONDEL_BOXED_GEOMETRY(InsertGeom)
BRONDEL_BOXED_GEOMETRY(HatchGeom)
BRONDEL_BOXED_GEOMETRY(DimensionGeom)
BRONDEL_BOXED_GEOMETRY(SolidGeom)
BRONDEL_BOXED_GEOMETRY(ImageGeom)
BRONDEL_BOXED_GEOMETRY(LeaderGeom)
#undef BRONDEL_BOXED_GEOMETRY

using Geometry =
    std::variant<PointGeom, LineGeom, CircleGeom, ArcGeom, Boxed<EllipseGeom>, PolylineGeom,
                 Boxed<InfiniteLineGeom>, Boxed<SplineGeom>, Boxed<TextGeom>, Boxed<MTextGeom>,
                 Boxed<InsertGeom>, Boxed<HatchGeom>, Boxed<DimensionGeom>, Boxed<SolidGeom>,
                 Boxed<ImageGeom>, Boxed<LeaderGeom>>;

struct Entity {
    // Lines are most of a large drawing: the flag and the handle sit in the
    // geometry's tail padding, so that a line takes 64 bytes.
    [[no_unique_address]] Geometry geom;
    bool erased = false;
    Handle handle = kNoHandle;  // 0 inside block definitions

    Entity() = default;
    template <class G>
    explicit Entity(G g, EntityProps p = {})
        : geom(typename StoredAs<G>::type(std::move(g))), attributes_(std::move(p)) {}
    template <class G>
    Entity(G g, SharedAttributes shared)
        : geom(typename StoredAs<G>::type(std::move(g))), attributes_(std::move(shared)) {}

    const EntityProps& props() const { return attributes_.props(); }
    // The properties to change in place; copies of this entity keep theirs.
    EntityProps& editProps() { return attributes_.editProps(); }
    void setProps(EntityProps p) { attributes_.setProps(std::move(p)); }
    // Applications' extended data from the file; nullptr for most entities.
    const XData* xdata() const { return attributes_.xdata(); }
    void setXData(XDataPtr data) { attributes_.setXData(std::move(data)); }
    void setXData(const XData* data) { setXData(data ? XDataPtr(*data) : nullptr); }
    // Properties and extended data at once, to share them with other entities.
    const SharedAttributes& attributes() const { return attributes_; }
    void setAttributes(SharedAttributes shared) { attributes_ = std::move(shared); }

    EntityType type() const;

  private:
    SharedAttributes attributes_;
};
static_assert(sizeof(Entity) <= 64, "a line costs at most 64 bytes in the model");

// The geometry of kind G, or nullptr when the entity is of another kind.
template <class G>
const G* geomIf(const Entity& e) {
    if constexpr (std::is_same_v<typename StoredAs<G>::type, G>) {
        return std::get_if<G>(&e.geom);
    } else {
        const auto* boxed = std::get_if<Boxed<G>>(&e.geom);
        return boxed ? boxed->get() : nullptr;
    }
}

template <class G>
G* geomIf(Entity& e) {
    return const_cast<G*>(geomIf<G>(static_cast<const Entity&>(e)));
}

}  // namespace brondel::engine
