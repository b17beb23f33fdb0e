#include "engine/join.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numeric>

namespace brondel::engine {

namespace {

// The pieces to chain, their vertices laid out one after another.
struct Pieces {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> first{0};  // piece p: vertices[first[p], first[p + 1])
    std::vector<const Entity*> source;    // the first entity of the piece
    std::vector<Handle> handles;          // piece p: handles[firstHandle[p], firstHandle[p + 1])
    std::vector<std::uint32_t> firstHandle{0};
    std::vector<bool> merged;  // a line made of collinear lines

    std::size_t size() const { return source.size(); }
    void add(std::initializer_list<Vertex> v, const Entity* e) {
        add(v.begin(), v.end(), e, {e->handle});
    }
    void add(const Vertex* from, const Vertex* to, const Entity* e, std::initializer_list<Handle> h,
             bool isMerged = false) {
        vertices.insert(vertices.end(), from, to);
        first.push_back(std::uint32_t(vertices.size()));
        source.push_back(e);
        handles.insert(handles.end(), h.begin(), h.end());
        firstHandle.push_back(std::uint32_t(handles.size()));
        merged.push_back(isMerged);
    }
    void addMerged(Vertex a, Vertex b, const Entity* e, const std::vector<Handle>& h) {
        const Vertex v[2] = {a, b};
        vertices.insert(vertices.end(), v, v + 2);
        first.push_back(std::uint32_t(vertices.size()));
        source.push_back(e);
        handles.insert(handles.end(), h.begin(), h.end());
        firstHandle.push_back(std::uint32_t(handles.size()));
        merged.push_back(true);
    }
    const Vertex& end(std::size_t e) const {  // end 2p is p's start, 2p + 1 its end
        return vertices[e % 2 ? first[e / 2 + 1] - 1 : first[e / 2]];
    }
};

Vertex at(const Point3& p) {
    return {p.x, p.y, p.z, 0};
}

// Collinear lines that overlap or touch, as one line each; the others are
// left in `lines`.
void mergeCollinear(std::vector<const Entity*>& lines, Pieces& out, double tolerance) {
    struct Carrier {
        double angle, offset, from, to;
        const Entity* e;
    };
    std::vector<Carrier> c;
    for (const Entity* e : lines) {
        const LineGeom& g = *geomIf<LineGeom>(*e);
        double dx = g.p2.x - g.p1.x, dy = g.p2.y - g.p1.y;
        const double len = std::hypot(dx, dy);
        if (len == 0) {
            continue;
        }
        dx /= len;
        dy /= len;
        if (dx < 0 || (dx == 0 && dy < 0)) {
            dx = -dx;
            dy = -dy;
        }
        const double a = g.p1.x * dx + g.p1.y * dy, b = g.p2.x * dx + g.p2.y * dy;
        c.push_back(
            {std::atan2(dy, dx), g.p1.x * dy - g.p1.y * dx, std::min(a, b), std::max(a, b), e});
    }
    std::sort(c.begin(), c.end(), [](const Carrier& x, const Carrier& y) {
        return x.angle != y.angle ? x.angle < y.angle : x.offset < y.offset;
    });
    std::vector<bool> taken(c.size(), false);
    // Lines of one carrier lie together in this order, as close in angle and
    // offset as the tolerance allows.
    constexpr double kSameAngle = 1e-9;
    std::vector<std::size_t> group;
    for (std::size_t i = 0; i < c.size();) {
        std::size_t j = i + 1;
        while (j < c.size() && c[j].angle - c[j - 1].angle <= kSameAngle &&
               std::abs(c[j].offset - c[i].offset) <= tolerance) {
            ++j;
        }
        if (j - i == 1) {
            i = j;
            continue;
        }
        group.resize(j - i);
        std::iota(group.begin(), group.end(), i);
        std::sort(group.begin(), group.end(),
                  [&](std::size_t x, std::size_t y) { return c[x].from < c[y].from; });
        for (std::size_t k = 0; k < group.size();) {
            std::size_t m = k + 1;
            double reach = c[group[k]].to;
            std::size_t far = group[k], near = group[k];
            while (m < group.size() && c[group[m]].from <= reach + tolerance) {
                if (c[group[m]].to > reach) {
                    reach = c[group[m]].to;
                    far = group[m];
                }
                ++m;
            }
            if (m - k > 1) {
                const auto ends = [&](std::size_t x, bool high) {
                    const LineGeom& g = *geomIf<LineGeom>(*c[x].e);
                    const double dx = std::cos(c[x].angle), dy = std::sin(c[x].angle);
                    const bool p1High = g.p1.x * dx + g.p1.y * dy >= g.p2.x * dx + g.p2.y * dy;
                    return p1High == high ? g.p1 : g.p2;
                };
                std::vector<Handle> from;
                for (std::size_t q = k; q < m; ++q) {
                    from.push_back(c[group[q]].e->handle);
                    taken[group[q]] = true;
                }
                std::sort(from.begin(), from.end());
                const Entity* firstMade = nullptr;
                for (std::size_t q = k; q < m; ++q) {
                    if (c[group[q]].e->handle == from.front()) {
                        firstMade = c[group[q]].e;
                    }
                }
                out.addMerged(at(ends(near, false)), at(ends(far, true)), firstMade, from);
            }
            k = m;
        }
        i = j;
    }
    std::vector<const Entity*> rest;
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (!taken[i]) {
            rest.push_back(c[i].e);
        }
    }
    lines = std::move(rest);
}

// For each end, the one other end within the tolerance, or -1 when there
// is none or more than one.
std::vector<std::int64_t> partners(const Pieces& p, double tolerance) {
    const std::size_t n = p.size() * 2;
    // Cells much larger than the tolerance: only ends near a cell's border
    // look into the cells around.
    const double cell = std::max(tolerance * 4, 1e-300);
    const double tolerance2 = tolerance * tolerance;
    // The ends with their cells, sorted by cell so that the ends of a cell
    // and their coordinates lie together.
    struct Key {
        std::uint64_t key;
        std::uint32_t end;
        double x, y;
    };
    const auto cellOf = [&](double v) { return std::int64_t(std::floor(v / cell)); };
    const auto keyOf = [](std::int64_t ix, std::int64_t iy) {
        return std::uint64_t(ix) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(iy);
    };
    std::vector<Key> keys(n);
    for (std::size_t e = 0; e < n; ++e) {
        const Vertex& v = p.end(e);
        keys[e] = {keyOf(cellOf(v.x), cellOf(v.y)), std::uint32_t(e), v.x, v.y};
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.key < b.key; });
    std::vector<std::int64_t> partner(n, -1);
    std::vector<std::uint8_t> count(n, 0);
    // Each pair is looked at once and counts for both its ends.
    const auto meet = [&](const Key& u, const Key& v) {
        const double dx = u.x - v.x, dy = u.y - v.y;
        if (dx * dx + dy * dy <= tolerance2) {
            partner[u.end] = v.end;
            count[u.end] = std::uint8_t(std::min(count[u.end] + 1, 2));
            partner[v.end] = u.end;
            count[v.end] = std::uint8_t(std::min(count[v.end] + 1, 2));
        }
    };
    // Each occupied cell once, with where its ends begin in keys, in a table
    // of open addressing: a lookup is one or two probes.
    std::size_t slots = 16;
    while (slots < n * 2) {
        slots *= 2;
    }
    constexpr std::uint32_t kEmpty = 0xffffffffu;
    std::vector<std::uint32_t> table(slots, kEmpty);
    const auto slotOf = [&](std::uint64_t key) {
        return std::size_t((key ^ (key >> 29)) * 0xBF58476D1CE4E5B9ull >> 20) & (slots - 1);
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 || keys[i].key != keys[i - 1].key) {
            std::size_t at = slotOf(keys[i].key);
            while (table[at] != kEmpty) {
                at = (at + 1) & (slots - 1);
            }
            table[at] = std::uint32_t(i);
        }
    }
    const auto visitCell = [&](std::uint64_t key, const Key& self) {
        std::size_t at = slotOf(key);
        while (table[at] != kEmpty && keys[table[at]].key != key) {
            at = (at + 1) & (slots - 1);
        }
        if (table[at] == kEmpty) {
            return;
        }
        for (auto it = keys.begin() + table[at]; it != keys.end() && it->key == key; ++it) {
            meet(self, *it);
        }
    };
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i;
        while (j < n && keys[j].key == keys[i].key) {
            ++j;
        }
        for (std::size_t a = i; a < j; ++a) {
            for (std::size_t b = a + 1; b < j; ++b) {
                meet(keys[a], keys[b]);
            }
            const Key& v = keys[a];
            const std::int64_t ix = cellOf(v.x), iy = cellOf(v.y);
            const double fx = v.x - double(ix) * cell, fy = v.y - double(iy) * cell;
            // Only the cells ahead: a pair across a border is near it on
            // both sides, so the end in the cell behind finds it.
            const int hx = fx >= cell - tolerance ? 1 : 0;
            const int ly = fy <= tolerance ? -1 : 0, hy = fy >= cell - tolerance ? 1 : 0;
            for (int dx = 0; dx <= hx; ++dx) {
                for (int dy = ly; dy <= hy; ++dy) {
                    if (dx > 0 || dy > 0) {
                        visitCell(keyOf(ix + dx, iy + dy), v);
                    }
                }
            }
        }
        i = j;
    }
    for (std::size_t e = 0; e < n; ++e) {
        if (count[e] != 1 || count[std::size_t(partner[e])] != 1) {
            partner[e] = -1;
        }
    }
    return partner;
}

void appendPiece(const Pieces& p, std::size_t piece, bool reversed, std::vector<Vertex>& out) {
    const std::uint32_t a = p.first[piece], b = p.first[piece + 1];
    if (!out.empty()) {
        out.pop_back();  // the shared end, given again with this piece's bulge
    }
    if (!reversed) {
        out.insert(out.end(), p.vertices.begin() + a, p.vertices.begin() + b);
        return;
    }
    for (std::uint32_t i = b; i-- > a;) {
        Vertex v = p.vertices[i];
        v.bulge = i > a ? -p.vertices[i - 1].bulge : 0;
        out.push_back(v);
    }
}

}  // namespace

JoinPlan planJoin(const std::vector<const Entity*>& entities, double tolerance) {
    JoinPlan plan;
    Pieces pieces;
    std::vector<const Entity*> lines;
    for (const Entity* e : entities) {
        if (geomIf<LineGeom>(*e)) {
            lines.push_back(e);
        } else if (const auto* arc = geomIf<ArcGeom>(*e)) {
            const double end = arc->startAngle + arc->angle;
            const Point3 a{arc->center.x + arc->radius * std::cos(arc->startAngle),
                           arc->center.y + arc->radius * std::sin(arc->startAngle), arc->center.z};
            const Point3 b{arc->center.x + arc->radius * std::cos(end),
                           arc->center.y + arc->radius * std::sin(end), arc->center.z};
            Vertex va = at(a);
            va.bulge = std::tan(arc->angle / 4);
            pieces.add({va, at(b)}, e);
        } else if (const auto* poly = geomIf<PolylineGeom>(*e);
                   poly && !poly->closed && !poly->is3d && poly->vertices.size() > 1) {
            pieces.add(poly->vertices.data(), poly->vertices.data() + poly->vertices.size(), e,
                       {e->handle});
        } else {
            ++plan.ignored;
        }
    }
    mergeCollinear(lines, pieces, tolerance);
    for (const Entity* e : lines) {
        const LineGeom& g = *geomIf<LineGeom>(*e);
        pieces.add({at(g.p1), at(g.p2)}, e);
    }
    const std::vector<std::int64_t> partner = partners(pieces, tolerance);
    std::vector<bool> used(pieces.size(), false);
    for (std::size_t start = 0; start < pieces.size(); ++start) {
        if (used[start]) {
            continue;
        }
        // Back to where the chain begins (or once round a closed one).
        std::size_t piece = start;
        bool reversed = false;
        for (std::size_t steps = 0; steps < pieces.size(); ++steps) {
            const std::int64_t before = partner[piece * 2 + (reversed ? 1 : 0)];
            if (before < 0 || std::size_t(before / 2) == start) {
                break;
            }
            piece = std::size_t(before / 2);
            reversed = before % 2 == 0;  // entered at its start: it runs backwards
        }
        std::vector<Vertex> chain;
        std::vector<Handle> from;
        const std::size_t head = piece;
        const bool headReversed = reversed;
        const Entity* firstSource = pieces.source[head];
        std::size_t count = 0;
        bool closed = false;
        for (;;) {
            used[piece] = true;
            ++count;
            if (pieces.source[piece]->handle < firstSource->handle) {
                firstSource = pieces.source[piece];
            }
            appendPiece(pieces, piece, reversed, chain);
            from.insert(from.end(), pieces.handles.begin() + pieces.firstHandle[piece],
                        pieces.handles.begin() + pieces.firstHandle[piece + 1]);
            const std::int64_t next = partner[piece * 2 + (reversed ? 0 : 1)];
            if (next < 0) {
                break;
            }
            const std::size_t nextPiece = std::size_t(next / 2);
            if (nextPiece == head && (next % 2 == 1) == headReversed) {
                closed = true;
                break;
            }
            if (used[nextPiece]) {
                break;
            }
            piece = nextPiece;
            reversed = next % 2 == 1;
        }
        if (count == 1 && !closed) {
            if (pieces.merged[head]) {
                Entity line = *firstSource;
                const Vertex &a = chain.front(), &b = chain.back();
                line.geom = LineGeom{{a.x, a.y, a.z}, {b.x, b.y, b.z}};
                plan.made.push_back(std::move(line));
                plan.from.push_back(std::move(from));
            }
            continue;
        }
        if (closed) {
            chain.pop_back();
        }
        // The first handle leads; the order of the rest does not matter.
        std::iter_swap(from.begin(), std::min_element(from.begin(), from.end()));
        PolylineGeom poly;
        poly.vertices = std::move(chain);
        poly.closed = closed;
        Entity made(std::move(poly), firstSource->props());
        made.handle = firstSource->handle;
        plan.made.push_back(std::move(made));
        plan.from.push_back(std::move(from));
    }
    return plan;
}

}  // namespace brondel::engine
