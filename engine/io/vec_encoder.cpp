#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "engine/io/vec_format.h"
#include "engine/xref_block.h"

namespace brondel::engine::io::vec {

namespace {

struct PropsOrder {
    bool operator()(const EntityProps& a, const EntityProps& b) const {
        return std::tie(a.layer, a.color.aci, a.color.trueColor, a.lineType, a.lineWeight,
                        a.lineTypeScale) < std::tie(b.layer, b.color.aci, b.color.trueColor,
                                                    b.lineType, b.lineWeight, b.lineTypeScale);
    }
};

// Property sets shared by many entities are stored once; entities name
// theirs by index.
class PropsTable {
  public:
    std::uint32_t indexOf(const EntityProps& props) {
        if (last_ && *last_ == props) {
            return lastIndex_;
        }
        auto [it, added] = index_.try_emplace(props, std::uint32_t(ordered_.size()));
        if (added) {
            ordered_.push_back(&it->first);
        }
        last_ = &it->first;
        lastIndex_ = it->second;
        return lastIndex_;
    }
    const std::vector<const EntityProps*>& ordered() const { return ordered_; }

  private:
    std::map<EntityProps, std::uint32_t, PropsOrder> index_;
    std::vector<const EntityProps*> ordered_;
    const EntityProps* last_ = nullptr;
    std::uint32_t lastIndex_ = 0;
};

class Encoder {
  public:
    explicit Encoder(std::ostream& out) : out_(out) { buffer_.reserve(kFlushAt + 4096); }

    void flush() {
        out_.write(buffer_.data(), std::streamsize(buffer_.size()));
        buffer_.clear();
    }

    void raw(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const char*>(data);
        buffer_.append(bytes, size);
        if (buffer_.size() >= kFlushAt) {
            flush();
        }
    }
    template <class T>
    void put(T value) {
        static_assert(std::is_arithmetic_v<T>);
        raw(&value, sizeof value);
    }
    void u8(std::uint8_t v) { put(v); }
    void u32(std::size_t v) { put(static_cast<std::uint32_t>(v)); }
    void i32(int v) { put(static_cast<std::int32_t>(v)); }
    void f64(double v) { put(v); }
    void str(const std::string& s) {
        u32(s.size());
        raw(s.data(), s.size());
    }
    void p2(const Point2& p) {
        f64(p.x);
        f64(p.y);
    }
    void p3(const Point3& p) {
        f64(p.x);
        f64(p.y);
        f64(p.z);
    }
    void color(const Color& c) {
        put(c.aci);
        put(c.trueColor);
    }
    void doubles(const std::vector<double>& v) {
        u32(v.size());
        raw(v.data(), v.size() * sizeof(double));
    }
    template <class P>
    void points(const std::vector<P>& v) {
        static_assert(sizeof(P) == sizeof(double) * (std::is_same_v<P, Point2> ? 2 : 3));
        u32(v.size());
        raw(v.data(), v.size() * sizeof(P));
    }
    void vertices(const std::vector<Vertex>& v) {
        static_assert(sizeof(Vertex) == 4 * sizeof(double));
        u32(v.size());
        raw(v.data(), v.size() * sizeof(Vertex));
    }

  private:
    static constexpr std::size_t kFlushAt = 1 << 20;
    std::ostream& out_;
    std::string buffer_;
};

struct GeometryWriter {
    Encoder& w;

    void operator()(const PointGeom& g) const { w.p3(g.p); }
    void operator()(const LineGeom& g) const {
        w.p3(g.p1);
        w.p3(g.p2);
    }
    void operator()(const CircleGeom& g) const {
        w.p3(g.center);
        w.f64(g.radius);
    }
    void operator()(const ArcGeom& g) const {
        w.p3(g.center);
        w.f64(g.radius);
        w.f64(g.startAngle);
        w.f64(g.angle);
    }
    void operator()(const EllipseGeom& g) const {
        w.p3(g.center);
        w.p3(g.majorAxis);
        w.f64(g.ratio);
        w.f64(g.startParam);
        w.f64(g.endParam);
    }
    void operator()(const PolylineGeom& g) const {
        w.u8((g.closed ? kPolylineClosed : 0) | (g.is3d ? kPolyline3d : 0));
        w.f64(g.constantWidth);
        w.vertices(g.vertices);
    }
    void operator()(const InfiniteLineGeom& g) const {
        w.p3(g.base);
        w.p3(g.direction);
    }
    template <class T>
    void operator()(const Boxed<T>& b) const {
        (*this)(*b);
    }
    void operator()(const Boxed<SplineGeom>& b) const {
        const SplineGeom& g = *b;
        w.i32(g.degree);
        w.u8((g.closed ? kSplineClosed : 0) | (g.periodic ? kSplinePeriodic : 0) |
             (g.rational ? kSplineRational : 0));
        w.doubles(g.knots);
        w.points(g.controlPoints);
        w.doubles(g.weights);
        w.points(g.fitPoints);
    }
    void operator()(const Boxed<TextGeom>& b) const {
        const TextGeom& g = *b;
        w.str(g.text);
        w.p3(g.p);
        w.p3(g.alignPoint);
        w.f64(g.height);
        w.f64(g.angle);
        w.f64(g.widthFactor);
        w.f64(g.oblique);
        w.i32(g.hAlign);
        w.i32(g.vAlign);
        w.str(g.style);
    }
    void operator()(const Boxed<MTextGeom>& b) const {
        const MTextGeom& g = *b;
        w.str(g.text);
        w.p3(g.p);
        w.f64(g.height);
        w.f64(g.width);
        w.f64(g.angle);
        w.i32(g.attachment);
        w.f64(g.lineSpacing);
        w.str(g.style);
    }
    void operator()(const Boxed<InsertGeom>& b) const {
        const InsertGeom& g = *b;
        w.str(g.block);
        w.p3(g.p);
        w.p3(g.scale);
        w.f64(g.angle);
        w.i32(g.columns);
        w.i32(g.rows);
        w.f64(g.columnSpacing);
        w.f64(g.rowSpacing);
    }
    void operator()(const Boxed<HatchGeom>& b) const {
        const HatchGeom& g = *b;
        w.str(g.pattern);
        w.u8(g.solid ? 1 : 0);
        w.f64(g.elevation);
        w.f64(g.patternAngle);
        w.f64(g.patternScale);
        w.u32(g.loops.size());
        for (const HatchLoop& loop : g.loops) {
            w.i32(loop.flags);
            w.u8((loop.isPolyline ? kLoopPolyline : 0) | (loop.closed ? kLoopClosed : 0));
            w.vertices(loop.vertices);
            w.u32(loop.edges.size());
            for (const HatchEdge& edge : loop.edges) {
                std::visit(*this, edge);
            }
        }
    }
    void operator()(const HatchLineEdge& e) const {
        w.u8(kEdgeLine);
        w.p2(e.p1);
        w.p2(e.p2);
    }
    void operator()(const HatchArcEdge& e) const {
        w.u8(kEdgeArc);
        w.p2(e.center);
        w.f64(e.radius);
        w.f64(e.startAngle);
        w.f64(e.angle);
    }
    void operator()(const HatchEllipseEdge& e) const {
        w.u8(kEdgeEllipse);
        w.p2(e.center);
        w.p2(e.majorAxis);
        w.f64(e.ratio);
        w.f64(e.startParam);
        w.f64(e.endParam);
        w.u8(e.ccw ? 1 : 0);
    }
    void operator()(const HatchSplineEdge& e) const {
        w.u8(kEdgeSpline);
        w.i32(e.degree);
        w.u8(e.rational ? 1 : 0);
        w.u8(e.periodic ? 1 : 0);
        w.doubles(e.knots);
        w.points(e.controlPoints);
        w.doubles(e.weights);
    }
    void operator()(const Boxed<DimensionGeom>& b) const {
        const DimensionGeom& g = *b;
        w.str(g.block);
        w.i32(g.dimType);
        for (const Point3* p : {&g.defPoint, &g.textMid, &g.p13, &g.p14, &g.p15, &g.p16}) {
            w.p3(*p);
        }
        w.f64(g.angle);
        w.f64(g.measurement);
        w.str(g.text);
        w.str(g.style);
    }
    void operator()(const Boxed<SolidGeom>& b) const {
        const SolidGeom& g = *b;
        w.u8(static_cast<std::uint8_t>(g.kind));
        for (const Point3& p : g.corners) {
            w.p3(p);
        }
        w.i32(g.invisibleEdges);
    }
    void operator()(const Boxed<ImageGeom>& b) const {
        const ImageGeom& g = *b;
        w.p3(g.insertion);
        w.p3(g.u);
        w.p3(g.v);
        w.f64(g.widthPx);
        w.f64(g.heightPx);
        w.str(g.fileName);
    }
    void operator()(const Boxed<LeaderGeom>& b) const {
        const LeaderGeom& g = *b;
        w.points(g.vertices);
        w.u8(g.arrowhead ? 1 : 0);
        w.str(g.style);
        (*this)(Boxed<MTextGeom>(g.annotation));
    }
};

std::size_t liveCount(const std::vector<Entity>& entities) {
    std::size_t n = 0;
    for (const Entity& e : entities) {
        n += e.erased ? 0 : 1;
    }
    return n;
}

// Props indices of the live entities of list, in order.
void collectProps(const std::vector<Entity>& list, PropsTable& table,
                  std::vector<std::uint32_t>& indices) {
    for (const Entity& e : list) {
        if (!e.erased) {
            indices.push_back(table.indexOf(e.props()));
        }
    }
}

void writeEntities(Encoder& w, const std::vector<Entity>& list, const std::uint32_t*& index,
                   const FileProgress& progress = {}) {
    const std::size_t live = liveCount(list);
    w.u32(live);
    EntityProgress counter(progress, live);
    for (const Entity& e : list) {
        if (e.erased) {
            continue;
        }
        w.u8(static_cast<std::uint8_t>(code(e.type())));
        w.put(*index++);
        std::visit(GeometryWriter{w}, e.geom);
        counter.counted();
    }
    counter.finished();
}

// The live entities that carry extended data, by their place among all
// live entities written (the blocks' in order, then the drawing's).
// What new entities, dimensions and points take: a recovery copy must
// come back drawing as its drawing did.
void writeSettings(Encoder& w, const DrawingHeader& h) {
    w.color(h.currentColor);
    w.put(h.currentLineWeight);
    const DimStyle& s = h.dimStyle;
    w.str(s.name);
    for (double v : {s.textHeight, s.arrowSize, s.extOffset, s.extExtension, s.textGap,
                     s.centerMark, s.scale}) {
        w.f64(v);
    }
    w.i32(s.decimals);
    w.u8(s.textAbove ? 1 : 0);
    w.i32(h.pointMode);
    w.f64(h.pointSize);
    w.u32(h.multiLineOffsets.size());
    for (double v : h.multiLineOffsets) {
        w.f64(v);
    }
    w.f64(h.multiLineScale);
    w.str(h.currentLineType);
    w.str(h.currentTextStyle);
    for (const Color& c : h.multiLineColors) {
        w.color(c);
    }
    w.u32(h.pages.size());
    for (const Page& p : h.pages) {
        w.str(p.name);
        w.f64(p.paperWidth);
        w.f64(p.paperHeight);
        w.u8(static_cast<std::uint8_t>(p.rotation));
    }
    w.str(h.currentPage);
}

void writeXData(Encoder& w, const DrawingContent& tables, const std::vector<Entity>& entities) {
    std::vector<std::pair<std::uint32_t, const XData*>> found;
    std::uint32_t at = 0;
    const auto scan = [&](const std::vector<Entity>& list) {
        for (const Entity& e : list) {
            if (e.erased) {
                continue;
            }
            if (e.xdata()) {
                found.emplace_back(at, e.xdata());
            }
            ++at;
        }
    };
    for (const auto& [name, block] : tables.blocks) {
        scan(block.entities);
    }
    scan(entities);
    w.u32(found.size());
    for (const auto& [place, data] : found) {
        w.u32(place);
        w.u32(data->size());
        for (const XDataApp& app : *data) {
            w.str(app.name);
            w.u32(app.groups.size());
            for (const XDataGroup& g : app.groups) {
                w.i32(g.code);
                w.str(g.value);
            }
        }
    }
}

}  // namespace

void encode(const DrawingContent& tables, const std::vector<Entity>& entities, std::ostream& out,
            const FileProgress& progress) {
    PropsTable props;
    std::vector<std::uint32_t> indices;
    indices.reserve(entities.size());
    for (const auto& [name, block] : tables.blocks) {
        collectProps(block.entities, props, indices);
    }
    collectProps(entities, props, indices);

    Encoder w(out);
    w.raw(kMagic.data(), kMagic.size());
    w.put(kVersion);

    const DrawingHeader& h = tables.header;
    w.str(h.acadVersion);
    w.str(h.codePage);
    w.str(h.producer);
    w.i32(h.insUnits);
    w.str(tables.currentLayer);

    w.u32(tables.layers.size());
    for (const Layer& l : tables.layers) {
        w.str(l.name);
        w.color(l.color);
        w.str(l.lineType);
        w.put(l.lineWeight);
        w.u8((l.on ? kLayerOn : 0) | (l.frozen ? kLayerFrozen : 0) | (l.locked ? kLayerLocked : 0));
    }
    w.u32(tables.lineTypes.size());
    for (const LineType& t : tables.lineTypes) {
        w.str(t.name);
        w.str(t.description);
        w.doubles(t.pattern);
    }
    w.u32(tables.textStyles.size());
    for (const TextStyle& s : tables.textStyles) {
        w.str(s.name);
        w.str(s.font);
        w.str(s.bigFont);
        w.f64(s.height);
        w.f64(s.widthFactor);
        w.f64(s.oblique);
    }
    w.u32(props.ordered().size());
    for (const EntityProps* p : props.ordered()) {
        w.str(p->layer);
        w.color(p->color);
        w.str(p->lineType);
        w.put(p->lineWeight);
        w.f64(p->lineTypeScale);
    }

    const std::uint32_t* index = indices.data();
    w.u32(tables.blocks.size());
    for (const auto& [name, block] : tables.blocks) {
        w.str(name);
        w.p3(block.base);
        // The format keeps no paths: a reference is kept with what it shows.
        w.i32(block.flags & ~(kXrefBlockFlag | kXrefOverlayFlag));
        writeEntities(w, block.entities, index);
    }
    writeEntities(w, entities, index, progress);
    writeXData(w, tables, entities);
    writeSettings(w, h);
    w.flush();
}

}  // namespace brondel::engine::io::vec
