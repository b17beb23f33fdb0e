#include "pathtools/link_contours.h"

#include <geos_c.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>

#include "base/numbers.h"
#include "pathtools/kerf_offset.h"
#include "pathtools/union_find.h"

namespace brondel::pathtools {

namespace {

using engine::Point2;
using Rings = std::vector<std::vector<Point2>>;

constexpr double kFar = std::numeric_limits<double>::max();

struct GeosContext {
    GEOSContextHandle_t handle = GEOS_init_r();
    GeosContext() = default;
    ~GeosContext() { GEOS_finish_r(handle); }
    GeosContext(const GeosContext&) = delete;
    GeosContext& operator=(const GeosContext&) = delete;
};

// Each ring as GEOS sees it: its outline (for distances) and the area it
// encloses (for what lies inside), both prepared, and a tree of their boxes.
class RingGeometry {
  public:
    RingGeometry(const Rings& rings) : rings_(rings) {
        ids_.resize(rings.size());
        std::iota(ids_.begin(), ids_.end(), std::size_t{0});
        tree_ = GEOSSTRtree_create_r(geos_.handle, 10);
        for (std::size_t i = 0; i < rings.size(); ++i) {
            outlines_.push_back(GEOSGeom_createLineString_r(geos_.handle, sequence(rings[i])));
            areas_.push_back(GEOSGeom_createPolygon_r(
                geos_.handle, GEOSGeom_createLinearRing_r(geos_.handle, sequence(rings[i])),
                nullptr, 0));
            preparedOutlines_.push_back(GEOSPrepare_r(geos_.handle, outlines_[i]));
            preparedAreas_.push_back(GEOSPrepare_r(geos_.handle, areas_[i]));
            GEOSSTRtree_insert_r(geos_.handle, tree_, outlines_[i], &ids_[i]);
            boxes_.push_back(boxOf(rings[i]));
            double area = 0;
            GEOSArea_r(geos_.handle, areas_[i], &area);
            areaSizes_.push_back(area);
        }
    }
    ~RingGeometry() {
        GEOSSTRtree_destroy_r(geos_.handle, tree_);
        for (std::size_t i = 0; i < outlines_.size(); ++i) {
            GEOSPreparedGeom_destroy_r(geos_.handle, preparedOutlines_[i]);
            GEOSPreparedGeom_destroy_r(geos_.handle, preparedAreas_[i]);
            GEOSGeom_destroy_r(geos_.handle, outlines_[i]);
            GEOSGeom_destroy_r(geos_.handle, areas_[i]);
        }
    }
    RingGeometry(const RingGeometry&) = delete;
    RingGeometry& operator=(const RingGeometry&) = delete;

    // The ring whose area most tightly holds ring r's first point; none
    // when no ring does.
    std::optional<std::size_t> container(std::size_t r) const {
        const Point2 p = rings_[r].front();
        GEOSGeometry* point = GEOSGeom_createPointFromXY_r(geos_.handle, p.x, p.y);
        struct Query {
            const RingGeometry* self;
            std::size_t r;
            GEOSGeometry* point;
            std::optional<std::size_t> best;
            double bestArea = kFar;
        } query{this, r, point, std::nullopt};
        GEOSSTRtree_query_r(
            geos_.handle, tree_, point,
            [](void* item, void* data) {
                auto& q = *static_cast<Query*>(data);
                const std::size_t c = *static_cast<const std::size_t*>(item);
                if (c == q.r) {
                    return;
                }
                const double area = q.self->areaSizes_[c];
                if (area < q.bestArea &&
                    GEOSPreparedContains_r(q.self->geos_.handle, q.self->preparedAreas_[c],
                                           q.point) == 1) {
                    q.best = c;
                    q.bestArea = area;
                }
            },
            &query);
        GEOSGeom_destroy_r(geos_.handle, point);
        return query.best;
    }

    // The nearest ring to ring r that `skip` does not rule out, and how far:
    // rings in the order of their boxes' distance, until a box lies farther
    // than the nearest ring found.
    template <class Skip>
    std::pair<std::size_t, double> nearest(std::size_t r, const Skip& skip) const {
        std::vector<std::pair<double, std::size_t>> byBox;
        for (std::size_t j = 0; j < rings_.size(); ++j) {
            if (j != r && !skip(j)) {
                byBox.emplace_back(boxDistance(boxes_[r], boxes_[j]), j);
            }
        }
        std::sort(byBox.begin(), byBox.end());
        std::pair<std::size_t, double> best{r, kFar};
        for (const auto& [lowest, j] : byBox) {
            if (lowest >= best.second) {
                break;
            }
            double d = kFar;
            if (GEOSPreparedDistance_r(geos_.handle, preparedOutlines_[j], outlines_[r], &d) == 1 &&
                d < best.second) {
                best = {j, d};
            }
        }
        return best;
    }

    // The closest points of rings a and b: on a, then on b.
    std::pair<Point2, Point2> closestPoints(std::size_t a, std::size_t b) const {
        GEOSCoordSequence* points =
            GEOSPreparedNearestPoints_r(geos_.handle, preparedOutlines_[b], outlines_[a]);
        Point2 onB, onA;
        GEOSCoordSeq_getXY_r(geos_.handle, points, 0, &onB.x, &onB.y);
        GEOSCoordSeq_getXY_r(geos_.handle, points, 1, &onA.x, &onA.y);
        GEOSCoordSeq_destroy_r(geos_.handle, points);
        return {onA, onB};
    }

  private:
    GEOSCoordSequence* sequence(const std::vector<Point2>& ring) const {
        std::vector<double> xy;
        xy.reserve(2 * ring.size());
        for (const Point2& p : ring) {
            xy.push_back(p.x);
            xy.push_back(p.y);
        }
        return GEOSCoordSeq_copyFromBuffer_r(geos_.handle, xy.data(),
                                             static_cast<unsigned>(ring.size()), 0, 0);
    }

    static engine::Box2 boxOf(const std::vector<Point2>& ring) {
        engine::Box2 box;
        for (const Point2& p : ring) {
            box.add(p.x, p.y);
        }
        return box;
    }
    static double boxDistance(const engine::Box2& a, const engine::Box2& b) {
        const double dx = std::max({0.0, a.minX - b.maxX, b.minX - a.maxX});
        const double dy = std::max({0.0, a.minY - b.maxY, b.minY - a.maxY});
        return std::hypot(dx, dy);
    }

    const Rings& rings_;
    GeosContext geos_;
    std::vector<engine::Box2> boxes_;
    std::vector<double> areaSizes_;
    std::vector<std::size_t> ids_;
    std::vector<GEOSGeometry*> outlines_, areas_;
    std::vector<const GEOSPreparedGeometry*> preparedOutlines_, preparedAreas_;
    GEOSSTRtree* tree_ = nullptr;
};

struct Bridge {
    std::size_t a, b;  // rings
    Point2 onA, onB;
};

// Groups of linked rings, each joined to its nearest other group, until one
// group holds them all. The shortest segment from a group to the rings
// outside it meets no ring on the way, which is why it makes a bridge.
std::vector<Bridge> bridges(const RingGeometry& geometry, const std::vector<std::size_t>& nodes,
                            std::size_t ringCount) {
    std::vector<bool> isNode(ringCount, false);
    for (std::size_t n : nodes) {
        isNode[n] = true;
    }
    UnionFind groups(ringCount);
    std::vector<Bridge> made;
    for (std::size_t joined = 1; joined < nodes.size();) {
        struct Best {
            double distance = kFar;
            std::size_t a = 0, b = 0;
        };
        std::vector<Best> best(ringCount);
        for (std::size_t a : nodes) {
            const int group = groups.find(int(a));
            const auto [b, d] = geometry.nearest(
                a, [&](std::size_t r) { return !isNode[r] || groups.find(int(r)) == group; });
            Best& mine = best[std::size_t(group)];
            if (d < mine.distance) {
                mine = {d, a, b};
            }
        }
        const std::size_t before = joined;
        for (std::size_t group = 0; group < ringCount; ++group) {
            const Best& b = best[group];
            if (b.distance == kFar || groups.find(int(b.a)) == groups.find(int(b.b))) {
                continue;
            }
            groups.join(int(b.a), int(b.b));
            const auto [onA, onB] = geometry.closestPoints(b.a, b.b);
            made.push_back({b.a, b.b, onA, onB});
            ++joined;
        }
        if (joined == before) {
            break;  // nothing nearer than far: cannot happen for rings in one plane
        }
    }
    return made;
}

double segmentDistance(Point2 p, Point2 a, Point2 b, double& t) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    t = lengthSquared > 0
            ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0)
            : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// A point of a ring's walk: a vertex, or where a bridge leaves it.
struct Stop {
    Point2 at;
    int bridge = -1;
};

// The ring's stops in its own order, the closing vertex left out; the stop
// index of each vertex in vertexStop.
std::vector<Stop> stopsOf(const std::vector<Point2>& ring, const std::vector<Bridge>& made,
                          std::size_t r, std::vector<std::size_t>& vertexStop) {
    struct Placed {
        std::size_t segment;
        double t;
        Stop stop;
    };
    std::vector<Placed> placed;
    for (std::size_t k = 0; k < made.size(); ++k) {
        if (made[k].a != r && made[k].b != r) {
            continue;
        }
        const Point2 p = made[k].a == r ? made[k].onA : made[k].onB;
        Placed best{0, 0, {p, int(k)}};
        double bestDistance = kFar;
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            double t = 0;
            const double d = segmentDistance(p, ring[i], ring[i + 1], t);
            if (d < bestDistance) {
                bestDistance = d;
                best.segment = i;
                best.t = t;
            }
        }
        placed.push_back(best);
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& x, const Placed& y) {
        return x.segment != y.segment ? x.segment < y.segment : x.t < y.t;
    });
    std::vector<Stop> stops;
    vertexStop.assign(ring.size(), 0);
    auto next = placed.begin();
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        vertexStop[i] = stops.size();
        stops.push_back({ring[i], -1});
        for (; next != placed.end() && next->segment == i; ++next) {
            stops.push_back(next->stop);
        }
    }
    return stops;
}

double signedArea(const std::vector<Point2>& ring) {
    double sum = 0;
    for (std::size_t i = 1; i < ring.size(); ++i) {
        sum += ring[i - 1].x * ring[i].y - ring[i].x * ring[i - 1].y;
    }
    return sum / 2;
}

// The outer ring moved out by half the kerf, as the walk runs from its
// start, and each hole in by half; a hole the kerf closes up is named.
bool allowForKerf(Rings& work, std::size_t startSegment, bool forward, double kerf,
                  std::string& message) {
    const std::vector<Point2>& ring = work[0];
    const std::size_t n = ring.size() - 1;
    std::vector<Point2> walk;
    for (std::size_t k = 0; k <= n; ++k) {
        walk.push_back(forward ? ring[(startSegment + k) % n]
                               : ring[(startSegment + 1 + n - k) % n]);
    }
    KerfOffset offset = kerfOffset(walk, kerf, KerfSide::Outward);
    if (!offset.done) {
        message = "The outer contour: " + offset.message;
        return false;
    }
    work[0] = std::move(offset.path);
    for (std::size_t h = 1; h < work.size(); ++h) {
        offset = kerfOffset(work[h], kerf, KerfSide::Inward);
        if (!offset.done) {
            const Point2 at = work[h].front();
            message = "Hole " + std::to_string(h) + " (at " + base::decimalText(at.x) + ", " +
                      base::decimalText(at.y) + "): " + offset.message;
            return false;
        }
        work[h] = std::move(offset.path);
    }
    return true;
}

}  // namespace

LinkedPath linkRings(const Rings& rings, std::size_t outer, std::size_t startSegment, bool forward,
                     double kerf) {
    LinkedPath linked;
    if (outer >= rings.size() || startSegment + 1 >= rings[outer].size()) {
        linked.message = "The start line is not on a closed contour";
        return linked;
    }
    // The rings linked: the outer one first, then its holes in drawing order.
    Rings work{rings[outer]};
    {
        const RingGeometry all(rings);
        for (std::size_t r = 0; r < rings.size(); ++r) {
            if (r != outer && all.container(r) == outer) {
                work.push_back(rings[r]);
            }
        }
    }
    linked.holes = work.size() - 1;
    linked.leftOut = rings.size() - work.size();
    if (kerf > 0) {
        if (!allowForKerf(work, startSegment, forward, kerf, linked.message)) {
            return linked;
        }
        startSegment = 0;
        forward = true;
    }
    const RingGeometry geometry(work);
    std::vector<std::size_t> nodes(work.size());
    std::iota(nodes.begin(), nodes.end(), std::size_t{0});
    const std::vector<Bridge> made = bridges(geometry, nodes, work.size());
    if (made.size() + 1 != nodes.size()) {
        linked.message = "Some holes could not be bridged";
        return linked;
    }
    for (const Bridge& b : made) {
        linked.bridgeLength += std::hypot(b.onA.x - b.onB.x, b.onA.y - b.onB.y);
    }
    outer = 0;

    // Each ring's stops, and its way round: the outer ring as the start line
    // runs, the holes the other way round.
    std::vector<std::vector<Stop>> stops(work.size());
    std::vector<std::size_t> outerVertexStop;
    for (std::size_t r : nodes) {
        std::vector<std::size_t> vertexStop;
        stops[r] = stopsOf(work[r], made, r, vertexStop);
        if (r == outer) {
            outerVertexStop = vertexStop;
        }
    }
    const int outerWay = forward ? 1 : -1;
    const bool outerCounterClockwise = (signedArea(work[outer]) > 0) == forward;
    const auto wayOf = [&](std::size_t r) {
        const bool counterClockwise = signedArea(work[r]) > 0;
        return counterClockwise != outerCounterClockwise ? 1 : -1;
    };

    // Depth first through the bridges, with a stack of its own: a chain of
    // many holes must not run the call stack out.
    struct Frame {
        std::size_t ring;
        std::size_t entry;  // stop index
        int way;
        int bridgeIn;  // the bridge that led here, not to be taken back
        std::size_t walked = 0;
    };
    const auto push = [&](Point2 p) {
        if (linked.path.empty() || linked.path.back().x != p.x || linked.path.back().y != p.y) {
            linked.path.push_back(p);
        }
    };
    const auto stepOf = [&](const Frame& f) { return f.way > 0 ? 1 : stops[f.ring].size() - 1; };
    const auto stopAt = [&](const Frame& f, std::size_t walked) -> const Stop& {
        const std::vector<Stop>& ring = stops[f.ring];
        return ring[(f.entry + walked * stepOf(f)) % ring.size()];
    };
    const std::size_t entry = outerVertexStop[forward ? startSegment : startSegment + 1];
    std::vector<Frame> stack{{outer, entry, outerWay, -1}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        const std::size_t n = stops[f.ring].size();
        if (f.walked > n) {
            // Round the ring and back where it was entered: out over the bridge.
            stack.pop_back();
            if (!stack.empty()) {
                push(stopAt(stack.back(), stack.back().walked - 1).at);
            }
            continue;
        }
        const Stop& stop = stopAt(f, f.walked);
        ++f.walked;
        push(stop.at);
        if (stop.bridge >= 0 && stop.bridge != f.bridgeIn && f.walked <= n) {
            const Bridge& b = made[std::size_t(stop.bridge)];
            const std::size_t child = b.a == f.ring ? b.b : b.a;
            const std::vector<Stop>& childStops = stops[child];
            const auto childEntry =
                std::size_t(std::find_if(childStops.begin(), childStops.end(),
                                         [&](const Stop& s) { return s.bridge == stop.bridge; }) -
                            childStops.begin());
            stack.push_back({child, childEntry, wayOf(child), stop.bridge});
        }
    }
    linked.done = true;
    return linked;
}

}  // namespace brondel::pathtools
