#include <cctype>
#include <cmath>
#include <optional>

#include "engine/io/dxf_reader.h"

// From entity records to model entities. Geometry the file gives in an
// object coordinate system is turned into world coordinates here. Entities
// whose extrusion is tilted out of the drawing plane keep their world
// positions; their arcs are drawn as the arcs seen from above.
namespace brondel::engine::io::dxf {

namespace {

constexpr double kDegree = kPi / 180;

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Counter-clockwise sweep from start to end, in (0, 2*pi]: equal angles
// are a full turn.
double sweep(double start, double end) {
    const double s = normalizeAngle(end - start);
    return s <= 0 ? kTwoPi : s;
}

Ocs ocsOf(const EntityRecord& rec) {
    return Ocs::fromExtrusion(rec.point(210, {0, 0, 1}));
}

Point2 flat(Point3 p) {
    return {p.x, p.y};
}

// Reads the boundary loops of a HATCH in file order.
class HatchParser {
  public:
    HatchParser(const EntityRecord& rec, const Ocs& ocs, double elevation)
        : rec_(rec), ocs_(ocs), elevation_(elevation) {}

    std::vector<HatchLoop> loops() {
        std::vector<HatchLoop> loops;
        const int count = rec_.find(91);
        if (count < 0)
            return loops;
        i_ = static_cast<std::size_t>(count);
        const int n = integer(91);
        for (int k = 0; k < n; ++k) {
            loops.push_back(loop());
        }
        return loops;
    }

  private:
    bool at(int code) const { return i_ < rec_.size() && rec_.item(i_).code == code; }
    [[noreturn]] void bad() const {
        const std::int64_t where = i_ < rec_.size() ? rec_.item(i_).where : rec_.start();
        throw Error(err::kDxfBadValue, "The DXF file has a HATCH with malformed boundary data " +
                                           rec_.whereText(where) + ".");
    }
    double number(int code) {
        if (!at(code))
            bad();
        return rec_.number(i_++);
    }
    int integer(int code) {
        if (!at(code))
            bad();
        return rec_.integer(i_++);
    }
    double optional(int code, double fallback) { return at(code) ? number(code) : fallback; }
    int count(int code) {
        const int n = integer(code);
        if (n < 0 || static_cast<std::size_t>(n) > rec_.size())
            bad();
        return n;
    }
    Point2 point(int xCode) {
        const double x = number(xCode);
        const double y = number(xCode + 10);
        return flat(ocs_.toWcs({x, y, elevation_}));
    }
    Point2 direction(int xCode) {
        const double x = number(xCode);
        const double y = number(xCode + 10);
        return flat(ocs_.toWcs({x, y, 0}));
    }

    HatchLoop loop() {
        HatchLoop loop;
        loop.flags = integer(92);
        loop.isPolyline = (loop.flags & 2) != 0;
        if (loop.isPolyline) {
            const bool hasBulge = integer(72) != 0;
            loop.closed = integer(73) != 0;
            const int n = count(93);
            for (int k = 0; k < n; ++k) {
                const Point2 p = point(10);
                double bulge = hasBulge || at(42) ? optional(42, 0) : 0;
                if (ocs_.mirrored())
                    bulge = -bulge;
                loop.vertices.push_back({p.x, p.y, elevation_, bulge});
            }
        } else {
            const int n = count(93);
            for (int k = 0; k < n; ++k) {
                loop.edges.push_back(edge());
            }
        }
        if (at(97)) {
            const int sources = count(97);
            for (int k = 0; k < sources && at(330); ++k) {
                ++i_;
            }
        }
        return loop;
    }

    HatchEdge edge() {
        const int type = integer(72);
        switch (type) {
            case 1: {
                HatchLineEdge e;
                e.p1 = point(10);
                e.p2 = point(11);
                return e;
            }
            case 2: {
                HatchArcEdge e;
                e.center = point(10);
                e.radius = number(40);
                const double s = number(50) * kDegree;
                const double t = number(51) * kDegree;
                const bool ccw = optional(73, 1) != 0;
                // Clockwise edges keep their angles as 360 - angle.
                double start = ccw ? s : -s;
                double angle = ccw ? sweep(s, t) : -sweep(s, t);
                e.startAngle = ocs_.angleToWcs(start);
                e.angle = ocs_.mirrored() ? -angle : angle;
                return e;
            }
            case 3: {
                HatchEllipseEdge e;
                e.center = point(10);
                e.majorAxis = direction(11);
                e.ratio = number(40);
                const double s = number(50) * kDegree;
                const double t = number(51) * kDegree;
                bool ccw = optional(73, 1) != 0;
                e.startParam = ccw ? s : -s;
                e.endParam = ccw ? t : -t;
                if (ocs_.mirrored()) {
                    e.startParam = -e.startParam;
                    e.endParam = -e.endParam;
                    ccw = !ccw;
                }
                e.ccw = ccw;
                return e;
            }
            case 4:
                return splineEdge();
            default:
                bad();
        }
    }

    HatchSplineEdge splineEdge() {
        HatchSplineEdge e;
        e.degree = integer(94);
        e.rational = integer(73) != 0;
        e.periodic = integer(74) != 0;
        const int knots = count(95);
        const int controls = count(96);
        for (int k = 0; k < knots; ++k) {
            e.knots.push_back(number(40));
        }
        for (int k = 0; k < controls; ++k) {
            e.controlPoints.push_back(point(10));
            if (at(42))
                e.weights.push_back(number(42));
        }
        if (at(97)) {
            const int fit = count(97);
            for (int k = 0; k < fit; ++k) {
                point(11);
            }
        }
        if (at(12))
            direction(12);
        if (at(13))
            direction(13);
        return e;
    }

    const EntityRecord& rec_;
    const Ocs& ocs_;
    double elevation_;
    std::size_t i_ = 0;
};

// The pattern's line families after the boundary (group 78): each an angle
// (53), base point (43, 44), offset (45, 46) and its dashes (79, then 49s).
std::vector<PatternLine> patternLinesOf(const EntityRecord& rec) {
    std::vector<PatternLine> lines;
    const int count = rec.find(78);
    if (count < 0) {
        return lines;
    }
    for (std::size_t i = std::size_t(count) + 1; i < rec.size(); ++i) {
        const int code = rec.item(i).code;
        if (code == 53) {
            lines.emplace_back().angle = rec.number(i);
        } else if (lines.empty()) {
            continue;
        } else if (code == 43) {
            lines.back().x = rec.number(i);
        } else if (code == 44) {
            lines.back().y = rec.number(i);
        } else if (code == 45) {
            lines.back().dx = rec.number(i);
        } else if (code == 46) {
            lines.back().dy = rec.number(i);
        } else if (code == 49) {
            lines.back().dashes.push_back(rec.number(i));
        } else if (code != 79) {
            break;  // past the pattern: seed points and the rest
        }
    }
    return lines;
}

}  // namespace

void Reader::setLayer(EntityProps& p, std::string_view raw) {
    if (!raw.empty() && raw != "0") {
        if (raw != lastLayerRaw_) {
            lastLayerRaw_.assign(raw);
            lastLayer_ = decode(raw);
        }
        p.layer = lastLayer_;
    }
}

void Reader::setLineType(EntityProps& p, std::string_view raw) {
    if (!equalsNoCase(raw, "BYLAYER"))
        p.lineType = decode(raw);
}

EntityProps Reader::props(const EntityRecord& rec) {
    EntityProps p;
    setLayer(p, rec.getText(8));
    if (rec.has(6))
        setLineType(p, rec.getText(6));
    if (rec.has(62))
        p.color.aci = static_cast<std::int16_t>(rec.getInt(62, Color::kByLayer));
    if (rec.has(420))
        p.color.trueColor = rec.getInt(420, 0) & 0xFFFFFF;
    if (rec.has(370))
        p.lineWeight = static_cast<std::int16_t>(rec.getInt(370, lineweight::kByLayer));
    if (rec.has(48))
        p.lineTypeScale = rec.get(48, 1);
    return p;
}

XDataPtr Reader::extendedData(const EntityRecord& rec) const {
    if (rec.extended().empty()) {
        return nullptr;
    }
    XData data;
    for (const EntityRecord::ExtendedItem& item : rec.extended()) {
        if (item.code == 1001) {
            data.push_back({decode(item.text), {}});
        } else {
            data.back().groups.push_back(
                {item.code, xdataIsText(item.code) ? decode(item.text) : item.text});
        }
    }
    return XDataPtr(std::move(data));
}

std::optional<Geometry> Reader::geometry(const EntityRecord& rec) {
    const std::string& kind = rec.name();
    if (kind == "LINE" || kind == "3DLINE") {
        return LineGeom{rec.point(10), rec.point(11)};
    }
    if (kind == "POINT") {
        return PointGeom{rec.point(10)};
    }
    if (kind == "CIRCLE") {
        return CircleGeom{ocsOf(rec).toWcs(rec.point(10)), rec.get(40, 0)};
    }
    if (kind == "ARC") {
        const Ocs ocs = ocsOf(rec);
        const double s = rec.get(50, 0) * kDegree;
        const double span = sweep(s, rec.get(51, 0) * kDegree);
        return ArcGeom{ocs.toWcs(rec.point(10)), rec.get(40, 0), ocs.angleToWcs(s),
                       ocs.mirrored() ? -span : span};
    }
    if (kind == "ELLIPSE") {
        EllipseGeom e;
        e.center = rec.point(10);
        e.majorAxis = rec.point(11);
        e.ratio = rec.get(40, 1);
        e.startParam = rec.get(41, 0);
        e.endParam = rec.get(42, kTwoPi);
        if (rec.get(230, 1) < 0 && std::fabs(e.endParam - e.startParam - kTwoPi) > 1e-12) {
            // Seen from below the sweep runs the other way: the same curve
            // from -end to -start counter-clockwise.
            const double s = e.startParam;
            e.startParam = normalizeAngle(-e.endParam);
            e.endParam = normalizeAngle(-s);
        }
        return e;
    }
    if (kind == "LWPOLYLINE") {
        const Ocs ocs = ocsOf(rec);
        const double elevation = rec.get(38, 0);
        PolylineGeom pl;
        pl.closed = (rec.getInt(70, 0) & 1) != 0;
        pl.constantWidth = rec.get(43, 0);
        for (std::size_t i = 0; i < rec.size(); ++i) {
            const int code = rec.item(i).code;
            if (code == 10) {
                pl.vertices.push_back({rec.number(i), 0, elevation, 0});
            } else if (code == 20 && !pl.vertices.empty()) {
                pl.vertices.back().y = rec.number(i);
            } else if (code == 42 && !pl.vertices.empty()) {
                pl.vertices.back().bulge = rec.number(i);
            }
        }
        for (Vertex& v : pl.vertices) {
            const Point3 w = ocs.toWcs({v.x, v.y, v.z});
            v = {w.x, w.y, w.z, ocs.mirrored() ? -v.bulge : v.bulge};
        }
        return pl;
    }
    if (kind == "SPLINE") {
        SplineGeom sp;
        const int flags = rec.getInt(70, 0);
        sp.closed = (flags & 1) != 0;
        sp.periodic = (flags & 2) != 0;
        sp.rational = (flags & 4) != 0;
        sp.degree = rec.getInt(71, 3);
        for (std::size_t i = 0; i < rec.size(); ++i) {
            const int code = rec.item(i).code;
            switch (code) {
                case 40:
                    sp.knots.push_back(rec.number(i));
                    break;
                case 41:
                    sp.weights.push_back(rec.number(i));
                    break;
                case 10:
                    sp.controlPoints.push_back({rec.number(i), 0, 0});
                    break;
                case 20:
                    if (!sp.controlPoints.empty())
                        sp.controlPoints.back().y = rec.number(i);
                    break;
                case 30:
                    if (!sp.controlPoints.empty())
                        sp.controlPoints.back().z = rec.number(i);
                    break;
                case 11:
                    sp.fitPoints.push_back({rec.number(i), 0, 0});
                    break;
                case 21:
                    if (!sp.fitPoints.empty())
                        sp.fitPoints.back().y = rec.number(i);
                    break;
                case 31:
                    if (!sp.fitPoints.empty())
                        sp.fitPoints.back().z = rec.number(i);
                    break;
                default:
                    break;
            }
        }
        bool allOne = true;
        for (double w : sp.weights)
            allOne = allOne && w == 1;
        if (allOne)
            sp.weights.clear();
        return Boxed<SplineGeom>(std::move(sp));
    }
    if (kind == "TEXT" || kind == "ATTRIB") {
        const Ocs ocs = ocsOf(rec);
        TextGeom t;
        t.text = resolvePercentCodes(decode(rec.getText(1)));
        t.p = ocs.toWcs(rec.point(10));
        t.alignPoint = rec.has(11) ? ocs.toWcs(rec.point(11)) : t.p;
        t.height = rec.get(40, 1);
        t.angle = ocs.angleToWcs(rec.get(50, 0) * kDegree);
        t.widthFactor = rec.get(41, 1);
        t.oblique = rec.get(51, 0) * kDegree;
        t.hAlign = rec.getInt(72, 0);
        t.vAlign = rec.getInt(kind == "TEXT" ? 73 : 74, 0);
        if (rec.has(7))
            t.style = decode(rec.getText(7));
        return Boxed<TextGeom>(std::move(t));
    }
    if (kind == "MTEXT") {
        MTextGeom t;
        std::string raw;
        for (std::size_t i = 0; i < rec.size(); ++i) {
            if (rec.item(i).code == 3)
                raw += rec.text(i);
        }
        raw += rec.getText(1);
        t.text = decode(raw);
        t.p = rec.point(10);
        t.height = rec.get(40, 1);
        t.width = rec.get(41, 0);
        t.attachment = rec.getInt(71, 1);
        t.lineSpacing = rec.get(44, 1);
        if (rec.has(11)) {
            t.angle = normalizeAngle(std::atan2(rec.get(21, 0), rec.get(11, 1)));
        } else {
            t.angle = ocsOf(rec).angleToWcs(rec.get(50, 0) * kDegree);
        }
        if (rec.has(7))
            t.style = decode(rec.getText(7));
        return Boxed<MTextGeom>(std::move(t));
    }
    if (kind == "INSERT") {
        const Ocs ocs = ocsOf(rec);
        InsertGeom in;
        in.block = decode(rec.getText(2));
        in.p = ocs.toWcs(rec.point(10));
        in.scale = {rec.get(41, 1), rec.get(42, 1), rec.get(43, 1)};
        in.angle = ocs.angleToWcs(rec.get(50, 0) * kDegree);
        in.columns = rec.getInt(70, 1);
        in.rows = rec.getInt(71, 1);
        in.columnSpacing = rec.get(44, 0);
        in.rowSpacing = rec.get(45, 0);
        if (ocs.mirrored()) {
            // Seen from below the block is mirrored: with the rotation taken
            // as the world direction of its x axis, its y axis turns over.
            in.scale.y = -in.scale.y;
            in.rowSpacing = -in.rowSpacing;
        }
        return Boxed<InsertGeom>(std::move(in));
    }
    if (kind == "HATCH") {
        const Ocs ocs = ocsOf(rec);
        HatchGeom h;
        h.pattern = decode(rec.getText(2));
        h.solid = rec.getInt(70, 0) == 1;
        h.elevation = rec.get(30, 0);
        h.patternAngle = rec.get(52, 0) * kDegree;
        h.patternScale = rec.get(41, 1);
        h.loops = HatchParser(rec, ocs, h.elevation).loops();
        if (!h.solid) {
            h.patternLines = patternLinesOf(rec);
        }
        return Boxed<HatchGeom>(std::move(h));
    }
    if (kind == "DIMENSION") {
        const Ocs ocs = ocsOf(rec);
        DimensionGeom d;
        d.block = decode(rec.getText(2));
        d.dimType = rec.getInt(70, 0);
        d.defPoint = rec.point(10);
        d.textMid = ocs.toWcs(rec.point(11));
        d.p13 = rec.point(13);
        d.p14 = rec.point(14);
        d.p15 = rec.point(15);
        d.p16 = ocs.toWcs(rec.point(16));
        d.angle = rec.get(50, 0) * kDegree;
        d.measurement = rec.get(42, 0);
        d.text = decode(rec.getText(1));
        if (rec.has(3))
            d.style = decode(rec.getText(3));
        return Boxed<DimensionGeom>(std::move(d));
    }
    if (kind == "SOLID" || kind == "TRACE" || kind == "3DFACE") {
        SolidGeom s;
        const bool face = kind == "3DFACE";
        s.kind = face ? SolidGeom::Kind::Face3d
                      : (kind == "TRACE" ? SolidGeom::Kind::Trace : SolidGeom::Kind::Solid);
        const Ocs ocs = face ? Ocs{} : ocsOf(rec);
        for (int k = 0; k < 3; ++k) {
            s.corners[k] = ocs.toWcs(rec.point(10 + k));
        }
        s.corners[3] = rec.has(13) ? ocs.toWcs(rec.point(13)) : s.corners[2];
        if (face)
            s.invisibleEdges = rec.getInt(70, 0);
        return Boxed<SolidGeom>(std::move(s));
    }
    if (kind == "RAY" || kind == "XLINE") {
        InfiniteLineGeom l;
        l.base = rec.point(10);
        Point3 d = rec.point(11, {1, 0, 0});
        const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        l.direction = len > 0 ? d * (1 / len) : Point3{1, 0, 0};
        l.ray = kind == "RAY";
        return l;
    }
    if (kind == "IMAGE") {
        ImageGeom im;
        im.insertion = rec.point(10);
        im.u = rec.point(11);
        im.v = rec.point(12);
        im.widthPx = rec.get(13, 0);
        im.heightPx = rec.get(23, 0);
        pendingImageDef_ = rec.getText(340);
        return Boxed<ImageGeom>(std::move(im));
    }
    if (kind == "LEADER") {
        LeaderGeom l;
        for (std::size_t i = 0; i < rec.size(); ++i) {
            const int code = rec.item(i).code;
            if (code == 10) {
                l.vertices.push_back({rec.number(i), 0, 0});
            } else if (code == 20 && !l.vertices.empty()) {
                l.vertices.back().y = rec.number(i);
            } else if (code == 30 && !l.vertices.empty()) {
                l.vertices.back().z = rec.number(i);
            }
        }
        if (l.vertices.size() < 2) {
            return std::nullopt;  // nothing to draw: counted as skipped
        }
        l.arrowhead = rec.getInt(71, 1) != 0;
        if (rec.has(3))
            l.style = decode(rec.getText(3));
        pendingAnnotation_ = rec.getText(340);
        return Boxed<LeaderGeom>(std::move(l));
    }
    return std::nullopt;
}

void Reader::convert(EntityRecord& rec, Target& target) {
    const bool modelspace = target.modelspace;
    const bool paper = modelspace && rec.getInt(67, 0) == 1;
    const std::string& name = rec.name();
    ReadReport& report = this->report();
    if (modelspace && !paper) {
        countRead(name);
    }
    std::optional<Entity> entity;
    std::vector<Entity> attributes;
    std::string meshKind;
    if (name == "POLYLINE") {
        entity = polyline(rec, meshKind);
    } else {
        pendingImageDef_.clear();
        pendingAnnotation_.clear();
        if (auto g = geometry(rec)) {
            entity.emplace();
            entity->geom = std::move(*g);
            entity->setAttributes(recentAttributes_(props(rec), extendedData(rec)));
        }
        if (name == "INSERT") {
            attributes = readAttributes(target);
        }
    }
    if (paper) {
        ++report.skipped[name + " (paper space)"];
        return;
    }
    if (!entity) {
        countSkipped(meshKind.empty() ? name : meshKind, target);
        return;
    }
    target.add(std::move(*entity));
    if (!pendingImageDef_.empty()) {
        pendingImages_.push_back({target.blockName, target.size() - 1, pendingImageDef_});
    }
    if (!pendingAnnotation_.empty()) {
        leaders_.push_back({{target.blockName, target.size() - 1}, pendingAnnotation_});
        pendingAnnotation_.clear();
    }
    if (name == "MTEXT" && rec.has(5)) {
        mtexts_[std::string(rec.getText(5))] = {target.blockName, target.size() - 1};
    }
    for (Entity& a : attributes) {
        target.add(std::move(a));
    }
}

void Reader::countRead(std::string_view name) {
    if (lastCount_ == nullptr || name != lastCountedName_) {
        lastCountedName_.assign(name);
        lastCount_ = &report().counts[lastCountedName_];
    }
    ++*lastCount_;
}

void Reader::countSkipped(const std::string& name, const Target& target) {
    ++report().skipped[target.modelspace ? name : name + " (block definitions)"];
}

std::optional<Entity> Reader::polyline(EntityRecord& rec, std::string& meshKind) {
    const int flags = rec.getInt(70, 0);
    const bool is3d = (flags & 8) != 0;
    const bool mesh = (flags & (16 | 64)) != 0;
    const Ocs ocs = is3d ? Ocs{} : ocsOf(rec);
    const double elevation = rec.get(30, 0);
    PolylineGeom pl;
    pl.closed = (flags & 1) != 0;
    pl.is3d = is3d;
    pl.constantWidth = rec.get(40, 0);
    EntityProps p = props(rec);
    for (;;) {
        const Group* next = tok_.next();
        if (!next) {
            throw Error(err::kDxfTruncated, "The DXF file ends inside the POLYLINE that starts " +
                                                rec.whereText(rec.start()) + ".");
        }
        const Group& g = *next;
        if (g.code != 0 || (g.text != "VERTEX" && g.text != "SEQEND")) {
            tok_.pushBack();  // no SEQEND: the next entity ends the vertices
            break;
        }
        const bool end = g.text == "SEQEND";
        record(sub_, g);
        if (end)
            break;
        if (mesh || (sub_.getInt(70, 0) & 16) != 0) {
            continue;  // spline frame points are not part of the drawn line
        }
        Point3 v = sub_.point(10);
        if (!is3d)
            v.z = elevation;
        double bulge = is3d ? 0 : sub_.get(42, 0);
        v = ocs.toWcs(v);
        if (ocs.mirrored())
            bulge = -bulge;
        pl.vertices.push_back({v.x, v.y, v.z, bulge});
    }
    if (mesh) {
        meshKind = (flags & 64) ? "POLYLINE (polyface mesh)" : "POLYLINE (polygon mesh)";
        return std::nullopt;
    }
    Entity e;
    e.geom = std::move(pl);
    e.setAttributes(recentAttributes_(std::move(p), extendedData(rec)));
    return e;
}

std::vector<Entity> Reader::readAttributes(Target& target) {
    std::vector<Entity> texts;
    for (;;) {
        const Group* next = tok_.next();
        if (!next) {
            return texts;  // the caller's section reports the truncation
        }
        const Group& g = *next;
        if (g.code != 0 || (g.text != "ATTRIB" && g.text != "SEQEND")) {
            tok_.pushBack();
            return texts;
        }
        const bool end = g.text == "SEQEND";
        record(sub_, g);
        if (end)
            return texts;
        if ((sub_.getInt(70, 0) & 1) != 0) {
            countSkipped("ATTRIB (invisible)", target);
            continue;
        }
        Entity e;
        e.setAttributes(recentAttributes_(props(sub_)));
        e.geom = std::move(*geometry(sub_));
        texts.push_back(std::move(e));
    }
}

}  // namespace brondel::engine::io::dxf
