#include "engine/transform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "engine/dimension_picture.h"
#include "engine/tables.h"
#include "engine/tessellate.h"
#include "engine/tolerances.h"

namespace brondel::engine {

Affine Affine::translation(double x, double y, double z) {
    Affine m;
    m.tx = x;
    m.ty = y;
    m.tz = z;
    return m;
}

Affine Affine::rotation(double angle) {
    Affine m;
    m.a = std::cos(angle);
    m.b = -std::sin(angle);
    m.c = std::sin(angle);
    m.d = std::cos(angle);
    return m;
}

Affine Affine::scaling(double sx, double sy, double sz) {
    Affine m;
    m.a = sx;
    m.d = sy;
    m.sz = sz;
    return m;
}

bool Affine::conformal() const {
    // Columns of equal length and perpendicular.
    const double l1 = std::hypot(a, c), l2 = std::hypot(b, d);
    const double scale = std::max(l1, l2);
    if (!(scale > 0)) {
        return false;
    }
    return std::abs(l1 - l2) <= scale * tol::kPerpendicular &&
           std::abs(a * b + c * d) <= scale * scale * tol::kPerpendicular;
}

double Affine::uniformScale() const {
    return std::hypot(a, c);
}

EntityProps inheritProps(const EntityProps& part, const EntityProps& ref) {
    EntityProps p = part;
    if (p.layer == "0") {
        p.layer = ref.layer;
    }
    if (p.color.aci == Color::kByBlock) {
        p.color = ref.color;
    }
    if (p.lineType.size() == 7 &&
        std::equal(p.lineType.begin(), p.lineType.end(), "BYBLOCK", [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == b;
        })) {
        p.lineType = ref.lineType;
    }
    if (p.lineWeight == lineweight::kByBlock) {
        p.lineWeight = ref.lineWeight;
    }
    return p;
}

double Affine::maxStretch() const {
    const double t = a * a + b * b + c * c + d * d, q = det();
    return std::sqrt((t + std::sqrt(std::max(0.0, t * t - 4 * q * q))) / 2);
}

Affine operator*(const Affine& o, const Affine& i) {
    Affine m;
    m.a = o.a * i.a + o.b * i.c;
    m.b = o.a * i.b + o.b * i.d;
    m.c = o.c * i.a + o.d * i.c;
    m.d = o.c * i.b + o.d * i.d;
    m.tx = o.a * i.tx + o.b * i.ty + o.tx;
    m.ty = o.c * i.tx + o.d * i.ty + o.ty;
    m.sz = o.sz * i.sz;
    m.tz = o.sz * i.tz + o.tz;
    return m;
}

Affine insertTransform(const InsertGeom& g, const Point3& blockBase, int column, int row) {
    const Affine place = Affine::translation(g.p.x, g.p.y, g.p.z) * Affine::rotation(g.angle);
    const Affine copy = Affine::translation(column * g.columnSpacing, row * g.rowSpacing);
    return place * copy * Affine::scaling(g.scale.x, g.scale.y, g.scale.z) *
           Affine::translation(-blockBase.x, -blockBase.y, -blockBase.z);
}

namespace {

double directionAngle(const Affine& m, double angle) {
    const Point3 v = m.applyVector({std::cos(angle), std::sin(angle), 0});
    return std::atan2(v.y, v.x);
}

EllipseGeom transformEllipse(const EllipseGeom& g, const Affine& m) {
    const Point3 u = m.applyVector(g.majorAxis);
    const Point3 v = m.applyVector({-g.majorAxis.y * g.ratio, g.majorAxis.x * g.ratio, 0});
    // The parameter t0 where the image is longest: the new major axis.
    const double uu = u.x * u.x + u.y * u.y, vv = v.x * v.x + v.y * v.y;
    const double uv = u.x * v.x + u.y * v.y;
    const double t0 = 0.5 * std::atan2(2 * uv, uu - vv);
    const double c = std::cos(t0), s = std::sin(t0);
    const Point3 major{u.x * c + v.x * s, u.y * c + v.y * s, u.z * c};
    const Point3 minor{-u.x * s + v.x * c, -u.y * s + v.y * c, 0};
    const double lm = std::hypot(major.x, major.y), ln = std::hypot(minor.x, minor.y);
    EllipseGeom out;
    out.center = m.apply(g.center);
    out.majorAxis = major;
    out.ratio = lm > 0 ? std::min(1.0, ln / lm) : 1;
    double start, end;
    ellipseRange(g, start, end);
    if (major.x * minor.y - major.y * minor.x >= 0) {
        out.startParam = start - t0;
        out.endParam = end - t0;
    } else {
        // Mirrored: the image runs clockwise in the new frame.
        out.startParam = t0 - end;
        out.endParam = t0 - start;
    }
    return out;
}

EllipseGeom ellipseOfArc(const Point3& center, double r, double startAngle, double angle) {
    EllipseGeom e;
    e.center = center;
    e.majorAxis = {r, 0, 0};
    e.ratio = 1;
    if (std::abs(angle) >= kTwoPi) {
        e.startParam = 0;
        e.endParam = kTwoPi;
    } else if (angle >= 0) {
        e.startParam = startAngle;
        e.endParam = startAngle + angle;
    } else {
        e.startParam = startAngle + angle;
        e.endParam = startAngle;
    }
    return e;
}

ArcGeom transformArcConformal(const ArcGeom& g, const Affine& m) {
    ArcGeom out;
    out.center = m.apply(g.center);
    out.radius = g.radius * m.uniformScale();
    out.startAngle = directionAngle(m, g.startAngle);
    out.angle = m.det() < 0 ? -g.angle : g.angle;
    return out;
}

// The vertices with every bulged segment replaced by straight ones, in the
// source's coordinates.
std::vector<Vertex> flattenBulges(const PolylineGeom& g, double tolerance) {
    std::vector<Vertex> out;
    const std::size_t n = g.vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& a = g.vertices[i];
        out.push_back({a.x, a.y, a.z, 0});
        const bool hasNext = i + 1 < n || g.closed;
        if (!hasNext || a.bulge == 0) {
            continue;
        }
        const Vertex& b = g.vertices[(i + 1) % n];
        if (a.x == b.x && a.y == b.y) {
            continue;
        }
        const BulgeArc arc = bulgeArc(a, b);
        const std::vector<Point3> pts =
            tessellateArc({arc.cx, arc.cy, a.z}, arc.r, arc.start, arc.sweep, tolerance);
        for (std::size_t k = 1; k + 1 < pts.size(); ++k) {
            out.push_back({pts[k].x, pts[k].y, a.z, 0});
        }
    }
    return out;
}

PolylineGeom transformPolyline(const PolylineGeom& g, const Affine& m, double tolerance) {
    PolylineGeom out = g;
    const bool bulged = std::any_of(g.vertices.begin(), g.vertices.end(),
                                    [](const Vertex& v) { return v.bulge != 0; });
    if (bulged && !m.conformal()) {
        // The tolerance holds in the drawing, after the stretch.
        const double stretch = m.maxStretch();
        out.vertices = flattenBulges(g, stretch > 0 ? tolerance / stretch : tolerance);
    }
    const double flip = m.det() < 0 ? -1 : 1;
    for (Vertex& v : out.vertices) {
        const Point3 p = m.apply(Point3{v.x, v.y, v.z});
        v = {p.x, p.y, p.z, v.bulge * flip};
    }
    out.constantWidth = g.constantWidth * std::sqrt(std::abs(m.det()));
    return out;
}

HatchGeom transformHatch(const HatchGeom& g, const Affine& m, double tolerance) {
    HatchGeom out = g;
    out.patternAngle = directionAngle(m, g.patternAngle);
    out.patternScale = g.patternScale * std::sqrt(std::abs(m.det()));
    for (HatchLoop& loop : out.loops) {
        if (loop.isPolyline) {
            PolylineGeom pl{loop.vertices, loop.closed, false, 0};
            loop.vertices = transformPolyline(pl, m, tolerance).vertices;
            continue;
        }
        std::vector<HatchEdge> edges;
        for (const HatchEdge& edge : loop.edges) {
            if (const auto* l = std::get_if<HatchLineEdge>(&edge)) {
                edges.push_back(HatchLineEdge{m.apply(l->p1), m.apply(l->p2)});
            } else if (const auto* a = std::get_if<HatchArcEdge>(&edge)) {
                const Point3 c{a->center.x, a->center.y, 0};
                if (m.conformal()) {
                    const ArcGeom t =
                        transformArcConformal(ArcGeom{c, a->radius, a->startAngle, a->angle}, m);
                    edges.push_back(
                        HatchArcEdge{{t.center.x, t.center.y}, t.radius, t.startAngle, t.angle});
                } else {
                    const double stretch = m.maxStretch();
                    const std::vector<Point3> pts =
                        tessellateArc(c, a->radius, a->startAngle, a->angle,
                                      stretch > 0 ? tolerance / stretch : tolerance);
                    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
                        edges.push_back(HatchLineEdge{m.apply(Point2{pts[k].x, pts[k].y}),
                                                      m.apply(Point2{pts[k + 1].x, pts[k + 1].y})});
                    }
                }
            } else if (const auto* e = std::get_if<HatchEllipseEdge>(&edge)) {
                EllipseGeom src;
                src.center = {e->center.x, e->center.y, 0};
                src.majorAxis = {e->majorAxis.x, e->majorAxis.y, 0};
                src.ratio = e->ratio;
                src.startParam = e->ccw ? e->startParam : -e->endParam;
                src.endParam = e->ccw ? e->endParam : -e->startParam;
                const EllipseGeom t = transformEllipse(src, m);
                edges.push_back(HatchEllipseEdge{{t.center.x, t.center.y},
                                                 {t.majorAxis.x, t.majorAxis.y},
                                                 t.ratio,
                                                 t.startParam,
                                                 t.endParam,
                                                 true});
            } else {
                HatchSplineEdge s = std::get<HatchSplineEdge>(edge);
                for (Point2& p : s.controlPoints) {
                    p = m.apply(p);
                }
                edges.push_back(std::move(s));
            }
        }
        loop.edges = std::move(edges);
    }
    return out;
}

// Height and width scale of text drawn along angle under m.
void textScales(const Affine& m, double angle, double& along, double& across) {
    const Point3 x = m.applyVector({std::cos(angle), std::sin(angle), 0});
    const Point3 y = m.applyVector({-std::sin(angle), std::cos(angle), 0});
    along = std::hypot(x.x, x.y);
    across = along > 0 ? std::abs(x.x * y.y - x.y * y.x) / along : 0;
}

using Visit = std::function<void(Entity&)>;

// What a placement has gone through: the blocks it is inside (to stop
// recursion) and how many more entities it may place (to stop nested
// arrays from multiplying without end).
struct Placing {
    std::vector<std::string> active;
    std::size_t budget = tol::kMaxPlacedEntities;
};

void placeBlock(const Block& block, const Affine& m, const EntityProps& ref,
                const BlockLookup& blocks, Placing& placing, const Visit& visit);

// A dimension's block, or one holding its picture when the drawing has none.
Block dimensionBlock(const DimensionGeom& g, const BlockLookup& blocks) {
    Block block;
    block.name = g.block;
    block.entities = dimensionParts(g, blocks);
    return block;
}

void placeEntity(const Entity& e, const Affine& m, const BlockLookup& blocks, Placing& placing,
                 const Visit& visit) {
    if (const auto* insert = geomIf<InsertGeom>(e)) {
        const Block* block = blocks.findBlock(insert->block);
        if (!block) {
            return;
        }
        for (int c = 0; c < std::max(1, insert->columns); ++c) {
            for (int r = 0; r < std::max(1, insert->rows); ++r) {
                placeBlock(*block, m * insertTransform(*insert, block->base, c, r), e.props(),
                           blocks, placing, visit);
            }
        }
        return;
    }
    if (const auto* dim = geomIf<DimensionGeom>(e)) {
        placeBlock(dimensionBlock(*dim, blocks), m, e.props(), blocks, placing, visit);
        return;
    }
    if (placing.budget == 0) {
        return;
    }
    --placing.budget;
    std::vector<Entity> placed;
    transformEntity(e, m, blocks, 0, placed);
    for (Entity& p : placed) {
        visit(p);
    }
}

void placeBlock(const Block& block, const Affine& m, const EntityProps& ref,
                const BlockLookup& blocks, Placing& placing, const Visit& visit) {
    std::vector<std::string>& active = placing.active;
    if (int(active.size()) >= tol::kMaxBlockNesting ||
        std::find(active.begin(), active.end(), block.name) != active.end()) {
        return;
    }
    active.push_back(block.name);
    const Visit inherit = [&](Entity& leaf) {
        leaf.setProps(inheritProps(leaf.props(), ref));
        visit(leaf);
    };
    for (const Entity& part : block.entities) {
        placeEntity(part, m, blocks, placing, inherit);
    }
    active.pop_back();
}

// The nested reference under m as one reference, when m keeps its copies
// rectangular.
bool transformInsert(const InsertGeom& g, const Affine& m, InsertGeom& out) {
    const Affine place = m * Affine::rotation(g.angle) * Affine::scaling(g.scale.x, g.scale.y);
    const double l1 = std::hypot(place.a, place.c), l2 = std::hypot(place.b, place.d);
    if (!(l1 > 0) || !(l2 > 0) || !std::isfinite(l1) || !std::isfinite(l2) ||
        std::abs(place.a * place.b + place.c * place.d) > l1 * l2 * tol::kPerpendicular) {
        return false;
    }
    const double sign = place.det() < 0 ? -1 : 1;
    out = g;
    out.p = m.apply(g.p);
    out.angle = std::atan2(place.c, place.a);
    out.scale = {l1, sign * l2, g.scale.z * m.sz};
    out.columnSpacing = g.columnSpacing * l1 / g.scale.x;
    out.rowSpacing = g.rowSpacing * sign * l2 / g.scale.y;
    return true;
}

}  // namespace

void transformEntity(const Entity& e, const Affine& m, const BlockLookup& blocks,
                     double chordTolerance, std::vector<Entity>& out) {
    auto emit = [&](auto geom) {
        Entity r(std::move(geom), e.props());
        out.push_back(std::move(r));
    };
    if (const auto* point = geomIf<PointGeom>(e)) {
        emit(PointGeom{m.apply(point->p)});
    } else if (const auto* line = geomIf<LineGeom>(e)) {
        emit(LineGeom{m.apply(line->p1), m.apply(line->p2)});
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        if (m.conformal()) {
            emit(CircleGeom{m.apply(circle->center), circle->radius * m.uniformScale()});
        } else {
            emit(transformEllipse(ellipseOfArc(circle->center, circle->radius, 0, kTwoPi), m));
        }
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        if (m.conformal()) {
            emit(transformArcConformal(*arc, m));
        } else {
            emit(transformEllipse(
                ellipseOfArc(arc->center, arc->radius, arc->startAngle, arc->angle), m));
        }
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        emit(transformEllipse(*ellipse, m));
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        emit(transformPolyline(*poly, m, chordTolerance));
    } else if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        InfiniteLineGeom t = *xline;
        t.base = m.apply(xline->base);
        const Point3 d = m.applyVector(xline->direction);
        const double len = std::hypot(d.x, d.y, d.z);
        if (len > 0) {
            t.direction = d * (1 / len);
        }
        emit(t);
    } else if (const auto* spline = geomIf<SplineGeom>(e)) {
        SplineGeom t = *spline;
        for (Point3& p : t.controlPoints) {
            p = m.apply(p);
        }
        for (Point3& p : t.fitPoints) {
            p = m.apply(p);
        }
        emit(std::move(t));
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        TextGeom t = *text;
        double along, across;
        textScales(m, text->angle, along, across);
        t.p = m.apply(text->p);
        t.alignPoint = m.apply(text->alignPoint);
        t.angle = directionAngle(m, text->angle);
        t.height = text->height * across;
        t.widthFactor = across > 0 ? text->widthFactor * along / across : text->widthFactor;
        emit(std::move(t));
    } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
        MTextGeom t = *mtext;
        double along, across;
        textScales(m, mtext->angle, along, across);
        t.p = m.apply(mtext->p);
        t.angle = directionAngle(m, mtext->angle);
        t.height = mtext->height * across;
        t.width = mtext->width * along;
        emit(std::move(t));
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        InsertGeom t;
        if (transformInsert(*insert, m, t)) {
            emit(std::move(t));
        } else {
            Placing placing;
            placeEntity(e, m, blocks, placing,
                        [&](Entity& part) { out.push_back(std::move(part)); });
        }
    } else if (const auto* hatch = geomIf<HatchGeom>(e)) {
        emit(transformHatch(*hatch, m, chordTolerance));
    } else if (const auto* dim = geomIf<DimensionGeom>(e)) {
        // It stays a dimension: its definition points follow the map, it
        // measures again (a scale changes the value) and, its block showing
        // it where it was, it is drawn afresh from its points.
        DimensionGeom t = *dim;
        for (Point3* p : {&t.defPoint, &t.textMid, &t.p13, &t.p14, &t.p15, &t.p16}) {
            *p = m.apply(*p);
        }
        t.angle = directionAngle(m, dim->angle);
        t.measurement = dimensionMeasurement(t);
        t.block.clear();
        t.dimType &= ~dimkind::kOwnBlock;
        emit(std::move(t));
    } else if (const auto* solid = geomIf<SolidGeom>(e)) {
        SolidGeom t = *solid;
        for (Point3& p : t.corners) {
            p = m.apply(p);
        }
        emit(std::move(t));
    } else if (const auto* image = geomIf<ImageGeom>(e)) {
        ImageGeom t = *image;
        t.insertion = m.apply(image->insertion);
        t.u = m.applyVector(image->u);
        t.v = m.applyVector(image->v);
        emit(std::move(t));
    } else if (const auto* leader = geomIf<LeaderGeom>(e)) {
        LeaderGeom t = *leader;
        for (Point3& p : t.vertices) {
            p = m.apply(p);
        }
        // The annotation goes as a multi-line text of its own would.
        std::vector<Entity> placed;
        transformEntity(Entity(leader->annotation), m, blocks, chordTolerance, placed);
        if (const MTextGeom* moved = placed.empty() ? nullptr : geomIf<MTextGeom>(placed.front())) {
            t.annotation = *moved;
        }
        emit(std::move(t));
    }
}

void forEachPlacedEntity(const InsertGeom& g, const BlockLookup& blocks,
                         const std::function<void(const Entity&)>& visit) {
    const Block* block = blocks.findBlock(g.block);
    if (!block) {
        return;
    }
    Placing placing;
    const Visit leaf = [&](Entity& part) { visit(part); };
    for (int c = 0; c < std::max(1, g.columns); ++c) {
        for (int r = 0; r < std::max(1, g.rows); ++r) {
            placeBlock(*block, insertTransform(g, block->base, c, r), {}, blocks, placing, leaf);
        }
    }
}

void forEachPlacedEntity(const DimensionGeom& g, const BlockLookup& blocks,
                         const std::function<void(const Entity&)>& visit) {
    Placing placing;
    placeBlock(dimensionBlock(g, blocks), Affine{}, {}, blocks, placing,
               [&](Entity& part) { visit(part); });
}

}  // namespace brondel::engine
