#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "base/error.h"
#include "engine/dimension_style.h"
#include "engine/io/vec_format.h"
#include "engine/multi_line_style_editor.h"
#include "engine/table_editor.h"

namespace brondel::engine::io::vec {

static_assert(sizeof(LineGeom) == 6 * sizeof(double));

namespace {

[[noreturn]] void corrupt(const char* what) {
    throw Error(err::kVecCorrupt, describeError(err::kVecCorrupt) + " (" + what + ")");
}

// Reads from a byte range, checking every length against what is left; a
// count is never trusted further than the bytes that could hold it.
class Decoder {
  public:
    explicit Decoder(std::string_view data) : p_(data.data()), end_(data.data() + data.size()) {}

    std::size_t remaining() const { return std::size_t(end_ - p_); }

    const char* take(std::size_t size) {
        if (size > remaining()) {
            corrupt("cut short");
        }
        const char* at = p_;
        p_ += size;
        return at;
    }
    template <class T>
    T get() {
        static_assert(std::is_trivially_copyable_v<T>);
        T value;
        std::memcpy(&value, take(sizeof value), sizeof value);
        return value;
    }
    std::uint8_t u8() { return get<std::uint8_t>(); }
    int i32() { return get<std::int32_t>(); }
    double f64() { return get<double>(); }
    std::int16_t i16() { return get<std::int16_t>(); }
    bool boolean() {
        const std::uint8_t v = u8();
        if (v > 1) {
            corrupt("bad truth value");
        }
        return v == 1;
    }
    std::uint8_t flags(std::uint8_t allowed) {
        const std::uint8_t v = u8();
        if ((v & ~allowed) != 0) {
            corrupt("unknown flag bits");
        }
        return v;
    }
    // A count of items each at least minSize bytes long.
    std::size_t count(std::size_t minSize) {
        const std::size_t n = get<std::uint32_t>();
        if (n > remaining() / minSize) {
            corrupt("count larger than the file");
        }
        return n;
    }
    std::string str() {
        const std::size_t n = count(1);
        return std::string(take(n), n);
    }
    // Elements of a braced list are read left to right.
    Point2 p2() { return {f64(), f64()}; }
    Point3 p3() {
        Point3 p;
        p.x = f64();
        p.y = f64();
        p.z = f64();
        return p;
    }
    Color color() {
        Color c;
        c.aci = i16();
        c.trueColor = get<std::int32_t>();
        return c;
    }
    // Vectors of plain doubles are copied in one piece.
    template <class T>
    std::vector<T> plain() {
        const std::size_t n = count(sizeof(T));
        std::vector<T> v(n);
        const char* from = take(n * sizeof(T));
        if (n > 0) {
            std::memcpy(v.data(), from, n * sizeof(T));
        }
        return v;
    }

  private:
    const char* p_;
    const char* end_;
};

HatchEdge readEdge(Decoder& d) {
    switch (d.u8()) {
        case kEdgeLine: {
            HatchLineEdge e;
            e.p1 = d.p2();
            e.p2 = d.p2();
            return e;
        }
        case kEdgeArc: {
            HatchArcEdge e;
            e.center = d.p2();
            e.radius = d.f64();
            e.startAngle = d.f64();
            e.angle = d.f64();
            return e;
        }
        case kEdgeEllipse: {
            HatchEllipseEdge e;
            e.center = d.p2();
            e.majorAxis = d.p2();
            e.ratio = d.f64();
            e.startParam = d.f64();
            e.endParam = d.f64();
            e.ccw = d.boolean();
            return e;
        }
        case kEdgeSpline: {
            HatchSplineEdge e;
            e.degree = d.i32();
            e.rational = d.boolean();
            e.periodic = d.boolean();
            e.knots = d.plain<double>();
            e.controlPoints = d.plain<Point2>();
            e.weights = d.plain<double>();
            return e;
        }
        default:
            corrupt("unknown hatch edge kind");
    }
}

HatchGeom readHatch(Decoder& d) {
    HatchGeom g;
    g.pattern = d.str();
    g.solid = d.boolean();
    g.elevation = d.f64();
    g.patternAngle = d.f64();
    g.patternScale = d.f64();
    constexpr std::size_t kMinLoop = 4 + 1 + 4 + 4;
    g.loops.resize(d.count(kMinLoop));
    for (HatchLoop& loop : g.loops) {
        loop.flags = d.i32();
        const std::uint8_t f = d.flags(kLoopPolyline | kLoopClosed);
        loop.isPolyline = (f & kLoopPolyline) != 0;
        loop.closed = (f & kLoopClosed) != 0;
        loop.vertices = d.plain<Vertex>();
        constexpr std::size_t kMinEdge = 1 + 4 + 1 + 1 + 3 * 4;  // a spline edge with no data
        const std::size_t edges = d.count(kMinEdge);
        loop.edges.reserve(edges);
        for (std::size_t i = 0; i < edges; ++i) {
            loop.edges.push_back(readEdge(d));
        }
    }
    return g;
}

Geometry readGeometry(Decoder& d, std::uint8_t kind) {
    switch (static_cast<EntityType>(kind)) {
        case EntityType::Point:
            return PointGeom{d.p3()};
        case EntityType::Line: {
            LineGeom g;
            g.p1 = d.p3();
            g.p2 = d.p3();
            return g;
        }
        case EntityType::Circle: {
            CircleGeom g;
            g.center = d.p3();
            g.radius = d.f64();
            return g;
        }
        case EntityType::Arc: {
            ArcGeom g;
            g.center = d.p3();
            g.radius = d.f64();
            g.startAngle = d.f64();
            g.angle = d.f64();
            return g;
        }
        case EntityType::Ellipse: {
            EllipseGeom g;
            g.center = d.p3();
            g.majorAxis = d.p3();
            g.ratio = d.f64();
            g.startParam = d.f64();
            g.endParam = d.f64();
            return g;
        }
        case EntityType::Polyline: {
            PolylineGeom g;
            const std::uint8_t f = d.flags(kPolylineClosed | kPolyline3d);
            g.closed = (f & kPolylineClosed) != 0;
            g.is3d = (f & kPolyline3d) != 0;
            g.constantWidth = d.f64();
            g.vertices = d.plain<Vertex>();
            return g;
        }
        case EntityType::Ray:
        case EntityType::XLine: {
            InfiniteLineGeom g;
            g.base = d.p3();
            g.direction = d.p3();
            g.ray = static_cast<EntityType>(kind) == EntityType::Ray;
            return g;
        }
        case EntityType::Spline: {
            SplineGeom g;
            g.degree = d.i32();
            const std::uint8_t f = d.flags(kSplineClosed | kSplinePeriodic | kSplineRational);
            g.closed = (f & kSplineClosed) != 0;
            g.periodic = (f & kSplinePeriodic) != 0;
            g.rational = (f & kSplineRational) != 0;
            g.knots = d.plain<double>();
            g.controlPoints = d.plain<Point3>();
            g.weights = d.plain<double>();
            g.fitPoints = d.plain<Point3>();
            return Boxed<SplineGeom>(std::move(g));
        }
        case EntityType::Text: {
            TextGeom g;
            g.text = d.str();
            g.p = d.p3();
            g.alignPoint = d.p3();
            g.height = d.f64();
            g.angle = d.f64();
            g.widthFactor = d.f64();
            g.oblique = d.f64();
            g.hAlign = d.i32();
            g.vAlign = d.i32();
            g.style = d.str();
            return Boxed<TextGeom>(std::move(g));
        }
        case EntityType::MText: {
            MTextGeom g;
            g.text = d.str();
            g.p = d.p3();
            g.height = d.f64();
            g.width = d.f64();
            g.angle = d.f64();
            g.attachment = d.i32();
            g.lineSpacing = d.f64();
            g.style = d.str();
            return Boxed<MTextGeom>(std::move(g));
        }
        case EntityType::Insert: {
            InsertGeom g;
            g.block = d.str();
            g.p = d.p3();
            g.scale = d.p3();
            g.angle = d.f64();
            g.columns = d.i32();
            g.rows = d.i32();
            g.columnSpacing = d.f64();
            g.rowSpacing = d.f64();
            return Boxed<InsertGeom>(std::move(g));
        }
        case EntityType::Hatch:
            return Boxed<HatchGeom>(readHatch(d));
        case EntityType::Dimension: {
            DimensionGeom g;
            g.block = d.str();
            g.dimType = d.i32();
            for (Point3* p : {&g.defPoint, &g.textMid, &g.p13, &g.p14, &g.p15, &g.p16}) {
                *p = d.p3();
            }
            g.angle = d.f64();
            g.measurement = d.f64();
            g.text = d.str();
            g.style = d.str();
            return Boxed<DimensionGeom>(std::move(g));
        }
        case EntityType::Solid: {
            SolidGeom g;
            const std::uint8_t k = d.u8();
            if (k > static_cast<std::uint8_t>(SolidGeom::Kind::Face3d)) {
                corrupt("unknown solid kind");
            }
            g.kind = static_cast<SolidGeom::Kind>(k);
            for (Point3& p : g.corners) {
                p = d.p3();
            }
            g.invisibleEdges = d.i32();
            return Boxed<SolidGeom>(std::move(g));
        }
        case EntityType::Image: {
            ImageGeom g;
            g.insertion = d.p3();
            g.u = d.p3();
            g.v = d.p3();
            g.widthPx = d.f64();
            g.heightPx = d.f64();
            g.fileName = d.str();
            return Boxed<ImageGeom>(std::move(g));
        }
        case EntityType::Leader: {
            LeaderGeom g;
            g.vertices = d.plain<Point3>();
            g.arrowhead = d.flags(1) != 0;
            g.style = d.str();
            g.annotation = *std::get<Boxed<MTextGeom>>(readGeometry(d, code(EntityType::MText)));
            return Boxed<LeaderGeom>(std::move(g));
        }
    }
    corrupt("unknown entity kind");
}

// The entities of one entry of the file's properties table share one record.
std::vector<Entity> readEntities(Decoder& d, const std::vector<SharedAttributes>& props) {
    constexpr std::size_t kMinEntity = 1 + 4 + 1 + 8 + 4;  // a polyline without vertices
    const std::size_t n = d.count(kMinEntity);
    std::vector<Entity> list;
    list.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t kind = d.u8();
        const std::uint32_t index = d.get<std::uint32_t>();
        if (index >= props.size()) {
            corrupt("entity properties out of range");
        }
        // Lines are most of most drawings: their six doubles in one copy.
        if (kind == code(EntityType::Line)) {
            list.emplace_back(d.get<LineGeom>(), props[index]);
        } else {
            list.emplace_back().setAttributes(props[index]);
            list.back().geom = readGeometry(d, kind);
        }
    }
    return list;
}

// At least one page, each of its own valid name, of a paper of 0 (none) to
// 100 m a side and a rotation of 0 to 3, the current one among them.
void readPages(Decoder& d, DrawingHeader& h) {
    constexpr std::size_t kSmallestPage = 4 + 8 + 8 + 1;
    h.pages.assign(d.count(kSmallestPage), Page{});
    if (h.pages.empty()) {
        corrupt("no page");
    }
    const auto paper = [](double mm) { return mm >= 0 && mm <= 1e5; };
    for (std::size_t i = 0; i < h.pages.size(); ++i) {
        Page& p = h.pages[i];
        p.name = d.str();
        p.paperWidth = d.f64();
        p.paperHeight = d.f64();
        p.rotation = d.u8();
        if (!refusedTableName(p.name).empty() || !paper(p.paperWidth) || !paper(p.paperHeight) ||
            p.rotation > 3) {
            corrupt("a page out of range");
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (sameTableName(h.pages[j].name, p.name)) {
                corrupt("two pages of the same name");
            }
        }
    }
    h.currentPage = d.str();
    if (std::none_of(h.pages.begin(), h.pages.end(),
                     [&](const Page& p) { return p.name == h.currentPage; })) {
        corrupt("a current page that is not among the pages");
    }
}

// Extended data by the place of its entity among all entities read (the
// blocks' in order, then the drawing's); places only grow.
void readSettings(Decoder& d, DrawingHeader& h, std::uint32_t version) {
    h.currentColor = d.color();
    h.currentLineWeight = d.i16();
    DimStyle& s = h.dimStyle;
    s.name = d.str();
    for (double* v : {&s.textHeight, &s.arrowSize, &s.extOffset, &s.extExtension, &s.textGap,
                      &s.centerMark, &s.scale}) {
        *v = d.f64();
    }
    s.decimals = d.i32();
    s.textAbove = d.boolean();
    if (!refusedDimStyle(s).empty()) {
        corrupt("a dimension style out of range");
    }
    h.pointMode = d.i32();
    h.pointSize = d.f64();
    if (!std::isfinite(h.pointSize)) {
        corrupt("a point size that is not a number");
    }
    h.multiLineOffsets.assign(d.count(8), 0);
    for (double& v : h.multiLineOffsets) {
        v = d.f64();
    }
    h.multiLineScale = d.f64();
    if (version >= 3) {
        h.currentLineType = d.str();
        h.currentTextStyle = d.str();
    }
    h.multiLineColors.assign(h.multiLineOffsets.size(), Color{});
    if (version >= 4) {
        for (Color& c : h.multiLineColors) {
            c = d.color();
            if (c.aci < Color::kByBlock || c.aci > Color::kByLayer || c.trueColor < -1 ||
                c.trueColor > 0xffffff) {
                corrupt("a multi-line colour out of range");
            }
        }
    }
    if (!refusedMultiLineStyle(h.multiLineOffsets, h.multiLineColors, h.multiLineScale).empty()) {
        corrupt("a multi-line style out of range");
    }
    if (version >= 4) {
        readPages(d, h);
    }
}

void readXData(Decoder& d, DrawingContent& c) {
    std::vector<Entity*> all;
    for (auto& [name, block] : c.blocks) {
        for (Entity& e : block.entities) {
            all.push_back(&e);
        }
    }
    for (Entity& e : c.entities) {
        all.push_back(&e);
    }
    const std::size_t n = d.count(4 + 4);
    std::size_t next = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t place = d.get<std::uint32_t>();
        if (place < next || place >= all.size()) {
            corrupt("extended data for no entity");
        }
        next = place + 1;
        XData data(d.count(4 + 4));
        for (XDataApp& app : data) {
            app.name = d.str();
            app.groups.resize(d.count(4 + 4));
            for (XDataGroup& g : app.groups) {
                g.code = d.i32();
                g.value = d.str();
            }
        }
        all[place]->setXData(XDataPtr(std::move(data)));
    }
}

}  // namespace

DrawingContent decode(std::string_view data) {
    if (data.size() < kMagic.size() || data.substr(0, kMagic.size()) != kMagic) {
        throw Error(err::kNotVec);
    }
    Decoder d(data.substr(kMagic.size()));
    const auto version = d.get<std::uint32_t>();
    if (version < kOldestVersion || version > kVersion) {
        throw Error(err::kVecVersion,
                    describeError(err::kVecVersion) + " (format " + std::to_string(version) + ")");
    }

    DrawingContent c;
    c.header.acadVersion = d.str();
    c.header.codePage = d.str();
    c.header.producer = d.str();
    c.header.insUnits = d.i32();
    c.currentLayer = d.str();

    constexpr std::size_t kMinLayer = 4 + 6 + 4 + 2 + 1;
    c.layers.resize(d.count(kMinLayer));
    for (Layer& l : c.layers) {
        l.name = d.str();
        l.color = d.color();
        l.lineType = d.str();
        l.lineWeight = d.i16();
        const std::uint8_t f = d.flags(kLayerOn | kLayerFrozen | kLayerLocked);
        l.on = (f & kLayerOn) != 0;
        l.frozen = (f & kLayerFrozen) != 0;
        l.locked = (f & kLayerLocked) != 0;
    }
    c.lineTypes.resize(d.count(4 + 4 + 4));
    for (LineType& t : c.lineTypes) {
        t.name = d.str();
        t.description = d.str();
        t.pattern = d.plain<double>();
    }
    c.textStyles.resize(d.count(4 + 4 + 4 + 3 * 8));
    for (TextStyle& s : c.textStyles) {
        s.name = d.str();
        s.font = d.str();
        s.bigFont = d.str();
        s.height = d.f64();
        s.widthFactor = d.f64();
        s.oblique = d.f64();
    }
    std::vector<SharedAttributes> props(d.count(4 + 6 + 4 + 2 + 8));
    for (SharedAttributes& shared : props) {
        EntityProps p;
        p.layer = d.str();
        p.color = d.color();
        p.lineType = d.str();
        p.lineWeight = d.i16();
        p.lineTypeScale = d.f64();
        shared = SharedAttributes(std::move(p));
    }
    const std::size_t blocks = d.count(4 + sizeof(Point3) + 4 + 4);
    for (std::size_t i = 0; i < blocks; ++i) {
        Block b;
        b.name = d.str();
        b.base = d.p3();
        b.flags = d.i32();
        b.entities = readEntities(d, props);
        const std::string name = b.name;
        if (!c.blocks.emplace(name, std::move(b)).second) {
            corrupt("two blocks of the same name");
        }
    }
    c.entities = readEntities(d, props);
    if (version >= 2) {
        readXData(d, c);
        readSettings(d, c.header, version);
    }
    if (d.remaining() != 0) {
        corrupt("data after the end");
    }
    return c;
}

}  // namespace brondel::engine::io::vec
