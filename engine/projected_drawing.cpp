#include "engine/projected_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/entity_outline.h"
#include "engine/leader.h"
#include "engine/shape.h"
#include "engine/transform.h"

namespace brondel::engine {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
// A curve seen this nearly edge-on shows as a segment.
constexpr double kEdgeOnRatio = 1e-9;
// Arcs flattened for a view stray at most this part of their entity's size
// from the arc: finer than a pixel at any zoom that shows the whole entity.
constexpr double kChordRelative = 1e-4;

double chordFor(const Entity& e, const BlockLookup& blocks) {
    const Box2 box = boundingBox(e, blocks);
    return kChordRelative * std::hypot(box.maxX - box.minX, box.maxY - box.minY);
}

struct Projector {
    const ViewAxes& axes;

    Point3 at(const Point3& p) const {
        const Point2 q = projectOnto(axes, p);
        return {q.x, q.y, 0};
    }
};

Entity withProps(Entity e, const EntityProps& props) {
    e.setProps(props);
    return e;
}

PolylineGeom chainOf(const std::vector<Point3>& points, bool closed) {
    PolylineGeom g;
    g.vertices.reserve(points.size());
    for (const Point3& p : points) {
        g.vertices.push_back({p.x, p.y, 0, 0});
    }
    g.closed = closed;
    return g;
}

// Points of the drawing plane at one height, seen along the axes.
std::vector<Point3> atHeight(const std::vector<Point2>& points, double z, const Projector& pr) {
    std::vector<Point3> out;
    out.reserve(points.size());
    for (const Point2& p : points) {
        out.push_back(pr.at({p.x, p.y, z}));
    }
    return out;
}

// A chain that repeats its first point at its end is a loop.
void appendChain(std::vector<Point3> points, const EntityProps& props, std::vector<Entity>& out) {
    if (points.empty()) {
        return;
    }
    if (points.size() == 1) {
        out.push_back(withProps(Entity(PointGeom{points.front()}), props));
        return;
    }
    const bool loop = points.size() > 2 && points.front() == points.back();
    if (loop) {
        points.pop_back();
    }
    out.push_back(withProps(Entity(chainOf(points, loop)), props));
}

// The curve c + m cos t + n sin t for t from t1 to t2 (t1 < t2), a circle or
// ellipse of a plane at one height, seen along the axes. Its image is an
// ellipse again: m and n become conjugate half diameters, turned here into
// the axes an ellipse is kept by.
void appendEllipse(const Entity& e, Point3 c, Point3 m, Point3 n, double t1, double t2,
                   const Projector& pr, std::vector<Entity>& out) {
    const Point3 a = pr.at(m), b = pr.at(n);
    const double ab = a.x * b.x + a.y * b.y;
    const double aa = a.x * a.x + a.y * a.y, bb = b.x * b.x + b.y * b.y;
    // Where the half diameter is longest or shortest; the other is a
    // quarter turn on.
    double t0 = 0.5 * std::atan2(2 * ab, aa - bb);
    const auto halfDiameter = [&](double t) { return a * std::cos(t) + b * std::sin(t); };
    Point3 major = halfDiameter(t0), minor = halfDiameter(t0 + std::numbers::pi / 2);
    double majorLength = std::hypot(major.x, major.y), minorLength = std::hypot(minor.x, minor.y);
    if (minorLength > majorLength) {
        t0 += std::numbers::pi / 2;
        std::swap(major, minor);
        minor = minor * -1;
        std::swap(majorLength, minorLength);
    }
    if (!(majorLength > 0) || minorLength < kEdgeOnRatio * majorLength) {
        // Edge-on the curve runs along one line, turning back only where
        // the half diameter is longest: its ends and those turns are all of it.
        const Point3 centre = pr.at(c);
        std::vector<Point3> turns{centre + halfDiameter(t1)};
        const double firstTurn = t0 + std::numbers::pi * std::ceil((t1 - t0) / std::numbers::pi);
        for (double t = firstTurn; t < t2; t += std::numbers::pi) {
            if (t > t1) {
                turns.push_back(centre + halfDiameter(t));
            }
        }
        turns.push_back(centre + halfDiameter(t2));
        appendChain(std::move(turns), e.props(), out);
        return;
    }
    // Seen from below the plane the curve runs the other way round.
    const bool turnsLeft = major.x * minor.y - major.y * minor.x > 0;
    EllipseGeom g;
    g.center = pr.at(c);
    g.majorAxis = major;
    g.ratio = minorLength / majorLength;
    if (t2 - t1 >= kFullTurn) {
        g.startParam = 0;
        g.endParam = kFullTurn;
    } else if (turnsLeft) {
        g.startParam = t1 - t0;
        g.endParam = t2 - t0;
    } else {
        g.startParam = t0 - t2;
        g.endParam = t0 - t1;
    }
    out.push_back(withProps(Entity(g), e.props()));
}

void appendProjectedOf(const Entity& e, const BlockLookup& blocks, const Projector& pr,
                       std::vector<Entity>& out);

// As the drawing's extents count an entity: what has no finite box (a
// construction line) adds nothing.
void addToExtents(const Entity& e, const BlockLookup& blocks, Box2& box) {
    if (const auto* line = geomIf<LineGeom>(e)) {
        box.add(line->p1.x, line->p1.y);
        box.add(line->p2.x, line->p2.y);
        return;
    }
    box.addBounded(boundingBox(e, blocks));
}

void appendParts(const std::vector<Entity>& parts, const BlockLookup& blocks, const Projector& pr,
                 std::vector<Entity>& out) {
    for (const Entity& part : parts) {
        appendProjectedOf(part, blocks, pr, out);
    }
}

template <class G>
void appendPlaced(const G& g, const Entity& e, const BlockLookup& blocks, const Projector& pr,
                  std::vector<Entity>& out) {
    forEachPlacedEntity(g, blocks, [&](const Entity& part) {
        Entity placed = part;
        placed.setProps(inheritProps(part.props(), e.props()));
        appendProjectedOf(placed, blocks, pr, out);
    });
}

void appendProjectedOf(const Entity& e, const BlockLookup& blocks, const Projector& pr,
                       std::vector<Entity>& out) {
    if (const auto* line = geomIf<LineGeom>(e)) {
        out.emplace_back(LineGeom{pr.at(line->p1), pr.at(line->p2)}, e.props());
    } else if (const auto* point = geomIf<PointGeom>(e)) {
        out.push_back(withProps(Entity(PointGeom{pr.at(point->p)}), e.props()));
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        appendEllipse(e, circle->center, {circle->radius, 0, 0}, {0, circle->radius, 0}, 0,
                      kFullTurn, pr, out);
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        const double from = std::min(arc->startAngle, arc->startAngle + arc->angle);
        appendEllipse(e, arc->center, {arc->radius, 0, 0}, {0, arc->radius, 0}, from,
                      from + std::abs(arc->angle), pr, out);
    } else if (const auto* ellipse = geomIf<EllipseGeom>(e)) {
        const Point3 m = ellipse->majorAxis;
        const Point3 n{-m.y * ellipse->ratio, m.x * ellipse->ratio, 0};
        double to = ellipse->endParam;
        while (to <= ellipse->startParam) {
            to += kFullTurn;
        }
        appendEllipse(e, ellipse->center, m, n, ellipse->startParam, to, pr, out);
    } else if (const auto* spline = geomIf<SplineGeom>(e)) {
        // A spline's points are weighted sums of its control points, which
        // a linear map keeps: the image's control points are their images.
        SplineGeom g = *spline;
        for (Point3& p : g.controlPoints) {
            p = pr.at(p);
        }
        for (Point3& p : g.fitPoints) {
            p = pr.at(p);
        }
        out.push_back(withProps(Entity(std::move(g)), e.props()));
    } else if (const auto* polyline = geomIf<PolylineGeom>(e)) {
        const std::vector<Vertex>& vertices = polyline->vertices;
        const bool bulged = !polyline->is3d && std::ranges::any_of(vertices, [](const Vertex& v) {
            return v.bulge != 0;
        });
        std::vector<Point3> points;
        if (bulged) {
            // Arcs of one plane: flattened there, then seen.
            points = atHeight(polylineOutline(vertices, polyline->closed, chordFor(e, blocks)),
                              vertices.front().z, pr);
            if (polyline->closed) {
                points.pop_back();  // the outline came back to its start
            }
        } else {
            for (const Vertex& v : vertices) {
                points.push_back(pr.at({v.x, v.y, v.z}));
            }
        }
        if (!points.empty()) {
            out.push_back(withProps(Entity(chainOf(points, polyline->closed)), e.props()));
        }
    } else if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        const Point3 d = pr.at(xline->direction);
        const double length = std::hypot(d.x, d.y);
        if (length > kEdgeOnRatio) {
            out.push_back(withProps(
                Entity(InfiniteLineGeom{pr.at(xline->base), d * (1 / length), xline->ray}),
                e.props()));
        } else {
            out.push_back(withProps(Entity(PointGeom{pr.at(xline->base)}), e.props()));
        }
    } else if (const auto* solid = geomIf<SolidGeom>(e)) {
        SolidGeom g = *solid;
        for (Point3& p : g.corners) {
            p = pr.at(p);
        }
        out.push_back(withProps(Entity(g), e.props()));
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        appendChain(atHeight(textOutline(*text), text->p.z, pr), e.props(), out);
    } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
        appendChain(atHeight(textOutline(*mtext), mtext->p.z, pr), e.props(), out);
    } else if (const auto* image = geomIf<ImageGeom>(e)) {
        const Point3 a = image->insertion, b = a + image->u * image->widthPx;
        const Point3 c = b + image->v * image->heightPx, d = a + image->v * image->heightPx;
        out.push_back(
            withProps(Entity(chainOf({pr.at(a), pr.at(b), pr.at(c), pr.at(d)}, true)), e.props()));
    } else if (const auto* hatch = geomIf<HatchGeom>(e)) {
        HatchGeom filled;
        for (const HatchLoop& loop : hatch->loops) {
            std::vector<Point3> points =
                atHeight(hatchLoopOutline(loop, chordFor(e, blocks)), hatch->elevation, pr);
            if (!hatch->solid) {
                appendChain(std::move(points), e.props(), out);
                continue;
            }
            // A fill stays a fill: a linear map keeps which points lie inside.
            HatchLoop flat;
            flat.isPolyline = true;
            flat.flags = 2;
            for (const Point3& p : points) {
                flat.vertices.push_back({p.x, p.y, 0, 0});
            }
            filled.loops.push_back(std::move(flat));
        }
        if (!filled.loops.empty()) {
            out.push_back(withProps(Entity(std::move(filled)), e.props()));
        }
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        appendPlaced(*insert, e, blocks, pr, out);
    } else if (const auto* dimension = geomIf<DimensionGeom>(e)) {
        appendPlaced(*dimension, e, blocks, pr, out);
    } else if (const auto* leader = geomIf<LeaderGeom>(e)) {
        appendParts(leaderParts(*leader, blocks, e.props()), blocks, pr, out);
    }
}

}  // namespace

void appendProjected(const Entity& e, const BlockLookup& blocks, const ViewAxes& axes,
                     std::vector<Entity>& out) {
    appendProjectedOf(e, blocks, Projector{axes}, out);
}

void ProjectedDrawing::build(const Drawing& from, ViewDirection direction) {
    const ViewAxes axes = viewAxes(direction);
    DrawingContent content = from.tables();
    content.blocks.clear();  // references come as their parts
    std::vector<Entity> entities = drawing_.loadKeepingStorage(std::move(content));
    entities.reserve(from.liveCount());
    source_.clear();
    source_.reserve(from.liveCount());
    extents_ = Box2{};
    for (const Entity& e : from.entities()) {
        if (e.erased) {
            continue;
        }
        const std::size_t first = entities.size();
        appendProjected(e, from, axes, entities);
        source_.resize(entities.size(), e.handle);
        for (std::size_t i = first; i < entities.size(); ++i) {
            addToExtents(entities[i], drawing_, extents_);
        }
    }
    // Added, not loaded: the index is built at the first pick, not before
    // the projection is first drawn.
    drawing_.addMany(std::move(entities));
}

void ProjectedDrawing::release() {
    drawing_.load(DrawingContent{});
    source_ = {};
    extents_ = Box2{};
}

std::size_t ProjectedDrawing::positionOf(Handle projected) const {
    return std::size_t(drawing_.find(projected) - drawing_.entities().data());
}

Handle ProjectedDrawing::sourceOf(Handle projected) const {
    return drawing_.find(projected) ? source_[positionOf(projected)] : kNoHandle;
}

std::vector<Handle> ProjectedDrawing::sourcesInBox(const Box2& box, bool crossing) const {
    std::vector<std::size_t> hits;
    for (Handle h : drawing_.inBox(box, crossing)) {
        hits.push_back(positionOf(h));
    }
    std::ranges::sort(hits);
    std::vector<Handle> sources;
    for (std::size_t i = 0; i < hits.size();) {
        // The parts of one entity lie side by side, in hits and in source_.
        const Handle source = source_[hits[i]];
        std::size_t next = i;
        while (next < hits.size() && source_[hits[next]] == source) {
            ++next;
        }
        std::size_t first = hits[i], last = hits[i];
        while (first > 0 && source_[first - 1] == source) {
            --first;
        }
        while (last + 1 < source_.size() && source_[last + 1] == source) {
            ++last;
        }
        if (crossing || next - i == last - first + 1) {
            sources.push_back(source);
        }
        i = next;
    }
    return sources;
}

}  // namespace brondel::engine
