#include "engine/explode.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "engine/dimension_picture.h"
#include "engine/leader.h"
#include "engine/mtext_plain.h"
#include "engine/tables.h"
#include "engine/tessellate.h"
#include "engine/tolerances.h"
#include "engine/transform.h"

namespace brondel::engine {

namespace {

bool apart(double ax, double ay, double az, double bx, double by, double bz) {
    return std::hypot(bx - ax, by - ay, bz - az) > tol::kZeroLength;
}

// The segments share one record of the polyline's properties.
std::vector<Entity> explodePolyline(const PolylineGeom& g, const SharedAttributes& props) {
    std::vector<Entity> out;
    const std::size_t n = g.vertices.size();
    const std::size_t segments = g.closed ? n : (n > 0 ? n - 1 : 0);
    if (n < 2) {
        return out;
    }
    out.reserve(segments);
    for (std::size_t i = 0; i < segments; ++i) {
        const Vertex& a = g.vertices[i];
        const Vertex& b = g.vertices[(i + 1) % n];
        if (!apart(a.x, a.y, a.z, b.x, b.y, b.z)) {
            continue;
        }
        if (!g.is3d && a.bulge != 0 && std::isfinite(a.bulge)) {
            const BulgeArc arc = bulgeArc(a, b);
            out.emplace_back(ArcGeom{{arc.cx, arc.cy, a.z}, arc.r, arc.start, arc.sweep}, props);
        } else {
            out.emplace_back(LineGeom{{a.x, a.y, a.z}, {b.x, b.y, b.z}}, props);
        }
    }
    return out;
}

// A chain of points as a polyline; closed when it ends where it starts.
Entity chainToPolyline(std::vector<Point3> pts, bool closedCurve, const EntityProps& props) {
    PolylineGeom pl;
    if (closedCurve && pts.size() > 2 &&
        !apart(pts.front().x, pts.front().y, pts.front().z, pts.back().x, pts.back().y,
               pts.back().z)) {
        pts.pop_back();
        pl.closed = true;
    }
    for (const Point3& p : pts) {
        pl.is3d = pl.is3d || p.z != pts.front().z;
        pl.vertices.push_back({p.x, p.y, p.z, 0});
    }
    return Entity(std::move(pl), props);
}

Entity curveToPolyline(const Entity& curve, double tolerance, const EntityProps& props) {
    if (const auto* g = geomIf<EllipseGeom>(curve)) {
        double t0, t1;
        ellipseRange(*g, t0, t1);
        return chainToPolyline(tessellateEllipse(*g, tolerance), t1 - t0 >= kTwoPi, props);
    }
    const SplineGeom& s = *geomIf<SplineGeom>(curve);
    return chainToPolyline(tessellateSpline(s, tolerance), s.closed || s.periodic, props);
}

std::vector<Entity> explodeInsert(const Entity& e, const InsertGeom& g, const BlockLookup& blocks,
                                  double tolerance) {
    std::vector<Entity> out;
    const Block* block = blocks.findBlock(g.block);
    if (!block) {
        return out;
    }
    for (int c = 0; c < std::max(1, g.columns); ++c) {
        for (int r = 0; r < std::max(1, g.rows); ++r) {
            const Affine m = insertTransform(g, block->base, c, r);
            for (const Entity& part : block->entities) {
                const std::size_t first = out.size();
                transformEntity(part, m, blocks, tolerance, out);
                for (std::size_t i = first; i < out.size(); ++i) {
                    out[i].setProps(inheritProps(out[i].props(), e.props()));
                }
            }
        }
    }
    return out;
}

std::vector<Entity> explodeMText(const MTextGeom& g, const EntityProps& props) {
    std::vector<Entity> out;
    const std::vector<std::string> lines = mtextPlainLines(g.text);
    const double spacing =
        g.height * tol::kMTextLineSpacing * (g.lineSpacing > 0 ? g.lineSpacing : 1);
    const double total = g.height + double(lines.size() - 1) * spacing;
    const int a = std::clamp(g.attachment, 1, 9) - 1;
    const int column = a % 3, row = a / 3;
    // Baseline of the first line below the attachment point.
    const double first = total * row / 2 - g.height;
    const double c = std::cos(g.angle), s = std::sin(g.angle);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            continue;
        }
        const double y = first - double(i) * spacing;
        TextGeom t;
        t.text = lines[i];
        t.p = {g.p.x - y * s, g.p.y + y * c, g.p.z};
        t.alignPoint = t.p;
        t.height = g.height;
        t.angle = g.angle;
        t.hAlign = column;  // left, centre, right
        t.style = g.style;
        out.emplace_back(std::move(t), props);
    }
    return out;
}

std::vector<Entity> explodeHatch(const HatchGeom& g, double tolerance, const EntityProps& props) {
    std::vector<Entity> out;
    for (Entity& part : hatchBoundary(g)) {
        if (geomIf<EllipseGeom>(part) || geomIf<SplineGeom>(part)) {
            out.push_back(curveToPolyline(part, tolerance, props));
        } else {
            part.setProps(props);
            out.push_back(std::move(part));
        }
    }
    return out;
}

}  // namespace

std::vector<Entity> explodeEntity(const Entity& e, const BlockLookup& blocks,
                                  double chordTolerance) {
    if (!(chordTolerance > 0) || !std::isfinite(chordTolerance)) {
        throw Error(err::kBadArgument, "The chord tolerance must be a positive number");
    }
    if (const auto* g = geomIf<PolylineGeom>(e)) {
        // The polyline's extended data stays with it.
        return explodePolyline(*g, e.xdata() ? SharedAttributes(e.props()) : e.attributes());
    }
    if (const auto* g = geomIf<InsertGeom>(e)) {
        return explodeInsert(e, *g, blocks, chordTolerance);
    }
    if (const auto* g = geomIf<DimensionGeom>(e)) {
        std::vector<Entity> out;
        for (const Entity& part : dimensionParts(*g, blocks)) {
            Entity copy = part;
            copy.handle = kNoHandle;
            copy.erased = false;
            copy.setProps(inheritProps(part.props(), e.props()));
            out.push_back(std::move(copy));
        }
        return out;
    }
    if (const auto* g = geomIf<MTextGeom>(e)) {
        return explodeMText(*g, e.props());
    }
    if (const auto* g = geomIf<LeaderGeom>(e)) {
        return leaderParts(*g, blocks, e.props());
    }
    if (geomIf<EllipseGeom>(e) || geomIf<SplineGeom>(e)) {
        Entity pl = curveToPolyline(e, chordTolerance, e.props());
        if (geomIf<PolylineGeom>(pl)->vertices.empty()) {
            return {};
        }
        return {std::move(pl)};
    }
    if (const auto* g = geomIf<HatchGeom>(e)) {
        return explodeHatch(*g, chordTolerance, e.props());
    }
    return {};
}

bool breaksUp(const Entity& e) {
    return geomIf<PolylineGeom>(e) || geomIf<InsertGeom>(e) || geomIf<DimensionGeom>(e) ||
           geomIf<MTextGeom>(e) || geomIf<LeaderGeom>(e) || geomIf<EllipseGeom>(e) ||
           geomIf<SplineGeom>(e) || geomIf<HatchGeom>(e);
}

}  // namespace brondel::engine
