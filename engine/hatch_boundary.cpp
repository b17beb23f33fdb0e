#include "engine/hatch_boundary.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "engine/entity_outline.h"
#include "engine/shape.h"
#include "engine/tessellate.h"

namespace brondel::engine {

namespace {

struct Loop {
    HatchLoop hatch;
    std::vector<Point2> outline;
    Box2 box;
    double area = 0;
};

double area(const std::vector<Point2>& ps) {
    double a = 0;
    for (std::size_t i = 0, j = ps.size() - 1; i < ps.size(); j = i++) {
        a += (ps[j].x - ps[i].x) * (ps[j].y + ps[i].y);
    }
    return std::abs(a) / 2;
}

void append(std::vector<Point2>& out, const std::vector<Point3>& ps) {
    for (const Point3& p : ps) {
        out.push_back({p.x, p.y});
    }
}

Loop finish(HatchLoop hatch, std::vector<Point2> outline) {
    Loop l{std::move(hatch), std::move(outline), {}, 0};
    for (const Point2& p : l.outline) {
        l.box.add(p.x, p.y);
    }
    l.area = l.outline.size() >= 3 ? area(l.outline) : 0;
    return l;
}

std::optional<Loop> closedEntityLoop(const Entity& e) {
    if (const auto* c = geomIf<CircleGeom>(e)) {
        HatchLoop h;
        h.edges.push_back(HatchArcEdge{{c->center.x, c->center.y}, c->radius, 0, kTwoPi});
        return finish(std::move(h), curveOutline(e, 0));
    }
    if (const auto* el = geomIf<EllipseGeom>(e)) {
        double s = 0, t = 0;
        ellipseRange(*el, s, t);
        if (std::abs(t - s - kTwoPi) > 1e-9) {
            return std::nullopt;
        }
        HatchLoop h;
        h.edges.push_back(HatchEllipseEdge{{el->center.x, el->center.y},
                                           {el->majorAxis.x, el->majorAxis.y},
                                           el->ratio,
                                           0,
                                           kTwoPi,
                                           true});
        return finish(std::move(h), curveOutline(e, 0));
    }
    const auto* p = geomIf<PolylineGeom>(e);
    if (!p || p->is3d || p->vertices.size() < 2) {
        return std::nullopt;
    }
    std::vector<Vertex> vs = p->vertices;
    const bool endsAtStart =
        vs.size() > 2 && vs.front().x == vs.back().x && vs.front().y == vs.back().y;
    if (!p->closed && !endsAtStart) {
        return std::nullopt;
    }
    if (endsAtStart) {
        vs.pop_back();
    }
    HatchLoop h;
    h.isPolyline = true;
    h.vertices = vs;
    std::vector<Point2> o = polylineOutline(vs, true, 0);
    o.pop_back();  // the first vertex again: the area is a polygon
    return finish(std::move(h), std::move(o));
}

// A line or an arc that may take part in a chain, from its start to its end.
struct Piece {
    Point2 a, b;
    const Entity* entity;
};

// A loop found before its outline is worked out: a closed entity, or a run
// of pieces each taken forwards or backwards. Only loops whose box can
// matter are worked out.
struct Candidate {
    Box2 box;
    const Entity* closed = nullptr;
    std::vector<std::pair<std::size_t, bool>> run;
};

std::vector<Piece> chainPieces(const Drawing& drawing) {
    std::vector<Piece> pieces;
    for (Handle h = drawing.firstLive(); h != kNoHandle; h = drawing.nextLive(h)) {
        const Entity& e = drawing.entity(h);
        if (const auto* l = geomIf<LineGeom>(e)) {
            pieces.push_back({{l->p1.x, l->p1.y}, {l->p2.x, l->p2.y}, &e});
        } else if (const auto* a = geomIf<ArcGeom>(e)) {
            const double s = a->startAngle, t = a->startAngle + a->angle;
            pieces.push_back(
                {{a->center.x + a->radius * std::cos(s), a->center.y + a->radius * std::sin(s)},
                 {a->center.x + a->radius * std::cos(t), a->center.y + a->radius * std::sin(t)},
                 &e});
        }
    }
    return pieces;
}

// Runs of pieces through nodes where exactly two ends meet (ends within
// `gap` of each other meet) that come back to where they started.
std::vector<Candidate> chainedCandidates(const std::vector<Piece>& pieces, double gap) {
    std::unordered_map<std::uint64_t, std::vector<int>> cells;
    const auto key = [](long long x, long long y) {
        return (static_cast<std::uint64_t>(x) << 32) ^ static_cast<std::uint64_t>(y & 0xffffffff);
    };
    std::vector<int> node(pieces.size() * 2, -1);
    std::vector<Point2> nodeAt;
    for (std::size_t end = 0; end < node.size(); ++end) {
        const Point2 p = end % 2 ? pieces[end / 2].b : pieces[end / 2].a;
        const long long cx = static_cast<long long>(std::floor(p.x / gap));
        const long long cy = static_cast<long long>(std::floor(p.y / gap));
        for (long long x = cx - 1; x <= cx + 1 && node[end] < 0; ++x) {
            for (long long y = cy - 1; y <= cy + 1 && node[end] < 0; ++y) {
                const auto found = cells.find(key(x, y));
                if (found == cells.end()) {
                    continue;
                }
                for (int n : found->second) {
                    if (std::hypot(nodeAt[n].x - p.x, nodeAt[n].y - p.y) <= gap) {
                        node[end] = n;
                        break;
                    }
                }
            }
        }
        if (node[end] < 0) {
            node[end] = static_cast<int>(nodeAt.size());
            nodeAt.push_back(p);
            cells[key(cx, cy)].push_back(node[end]);
        }
    }
    std::vector<std::vector<int>> ends(nodeAt.size());  // piece ends at each node
    for (std::size_t end = 0; end < node.size(); ++end) {
        ends[node[end]].push_back(static_cast<int>(end));
    }
    std::vector<bool> used(pieces.size(), false);
    std::vector<Candidate> out;
    for (std::size_t first = 0; first < pieces.size(); ++first) {
        if (used[first] || node[2 * first] == node[2 * first + 1]) {
            continue;
        }
        Candidate c;
        std::size_t piece = first;
        bool forward = true, closed = false;
        while (!used[piece]) {
            used[piece] = true;
            c.run.push_back({piece, forward});
            const Piece& pc = pieces[piece];
            if (const auto* arc = geomIf<ArcGeom>(*pc.entity)) {
                c.box.add(arc->center.x - arc->radius, arc->center.y - arc->radius);
                c.box.add(arc->center.x + arc->radius, arc->center.y + arc->radius);
            } else {
                c.box.add(pc.a.x, pc.a.y);
                c.box.add(pc.b.x, pc.b.y);
            }
            const int at = static_cast<int>(2 * piece + (forward ? 1 : 0));
            const std::vector<int>& meeting = ends[node[at]];
            if (meeting.size() != 2) {
                break;
            }
            const int other = meeting[0] == at ? meeting[1] : meeting[0];
            piece = static_cast<std::size_t>(other / 2);
            forward = other % 2 == 0;
            if (piece == first) {
                closed = forward;
                break;
            }
        }
        if (closed) {
            out.push_back(std::move(c));
        }
    }
    return out;
}

Loop chainLoop(const std::vector<Piece>& pieces, const Candidate& c) {
    HatchLoop h;
    std::vector<Point2> o;
    for (const auto& [piece, forward] : c.run) {
        const Piece& pc = pieces[piece];
        if (const auto* arc = geomIf<ArcGeom>(*pc.entity)) {
            const double start = forward ? arc->startAngle : arc->startAngle + arc->angle;
            const double sweep = forward ? arc->angle : -arc->angle;
            h.edges.push_back(
                HatchArcEdge{{arc->center.x, arc->center.y}, arc->radius, start, sweep});
            std::vector<Point3> pts = tessellateArc(arc->center, arc->radius, start, sweep, 0);
            pts.pop_back();
            append(o, pts);
        } else {
            const Point2 a = forward ? pc.a : pc.b, b = forward ? pc.b : pc.a;
            h.edges.push_back(HatchLineEdge{a, b});
            o.push_back(a);
        }
    }
    return finish(std::move(h), std::move(o));
}

bool boxHolds(const Box2& b, Point2 p) {
    return p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY;
}

bool boxWithin(const Box2& inner, const Box2& outer) {
    return inner.minX >= outer.minX && inner.maxX <= outer.maxX && inner.minY >= outer.minY &&
           inner.maxY <= outer.maxY;
}

bool contains(const Loop& l, Point2 p) {
    return p.x >= l.box.minX && p.x <= l.box.maxX && p.y >= l.box.minY && p.y <= l.box.maxY &&
           insidePolygon(l.outline, p.x, p.y);
}

}  // namespace

std::optional<std::vector<HatchLoop>> hatchBoundaryAround(const Drawing& drawing, Point2 at,
                                                          double gap) {
    const std::vector<Piece> pieces = chainPieces(drawing);
    std::vector<Candidate> candidates = chainedCandidates(pieces, gap);
    for (Handle h = drawing.firstLive(); h != kNoHandle; h = drawing.nextLive(h)) {
        const Entity& e = drawing.entity(h);
        const auto* p = geomIf<PolylineGeom>(e);
        if (geomIf<CircleGeom>(e) || geomIf<EllipseGeom>(e) || (p && !p->is3d)) {
            Candidate c;
            c.box = boundingBox(e, drawing);
            c.closed = &e;
            candidates.push_back(std::move(c));
        }
    }
    const auto build = [&](const Candidate& c) -> std::optional<Loop> {
        if (c.closed) {
            return closedEntityLoop(*c.closed);
        }
        return chainLoop(pieces, c);
    };
    std::optional<Loop> outer;
    const Candidate* outerFrom = nullptr;
    for (const Candidate& c : candidates) {
        if (!boxHolds(c.box, at)) {
            continue;
        }
        std::optional<Loop> l = build(c);
        if (l && l->area > 0 && contains(*l, at) && (!outer || l->area < outer->area)) {
            outer = std::move(l);
            outerFrom = &c;
        }
    }
    if (!outer) {
        return std::nullopt;
    }
    std::vector<Loop> inside;
    for (const Candidate& c : candidates) {
        if (&c == outerFrom || !boxWithin(c.box, outer->box)) {
            continue;
        }
        std::optional<Loop> l = build(c);
        if (l && l->area > 0 && l->area < outer->area && contains(*outer, l->outline.front()) &&
            !contains(*l, at)) {
            inside.push_back(std::move(*l));
        }
    }
    std::vector<HatchLoop> out{outer->hatch};
    out.front().flags = 1;  // external
    for (const Loop& l : inside) {
        bool nested = false;  // inside another island: an island of an island stays out
        for (const Loop& other : inside) {
            nested = nested ||
                     (&other != &l && other.area > l.area && contains(other, l.outline.front()));
        }
        if (!nested) {
            out.push_back(l.hatch);
        }
    }
    return out;
}

}  // namespace brondel::engine
