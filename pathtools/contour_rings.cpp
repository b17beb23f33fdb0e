#include "pathtools/contour_rings.h"

#include "engine/cad.h"
#include "engine/entity_type.h"
#include "pathtools/end_grid.h"
#include "pathtools/union_find.h"

namespace brondel::pathtools {

namespace {

using engine::Handle;
using engine::Point2;

struct Line {
    Handle handle;
    Point2 first, last;
};

std::vector<Line> linesOf(const engine::Vecad& vecad) {
    std::vector<Line> lines;
    for (Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle; h = vecad.GetNextEntity(h)) {
        if (vecad.EntityGetType(h) != engine::code(engine::EntityType::Line)) {
            continue;
        }
        double x1, y1, z1, x2, y2, z2;
        engine::CadLineGetPoint1(h, x1, y1, z1);
        engine::CadLineGetPoint2(h, x2, y2, z2);
        lines.push_back({h, {x1, y1}, {x2, y2}});
    }
    return lines;
}

}  // namespace

Rings closedRings(const engine::Vecad& vecad, double radius) {
    const std::vector<Line> lines = linesOf(vecad);
    // End 2i is line i's first point, 2i + 1 its last.
    std::vector<Point2> ends;
    ends.reserve(2 * lines.size());
    for (const Line& line : lines) {
        ends.push_back(line.first);
        ends.push_back(line.last);
    }
    UnionFind nodes(ends.size());
    EndGrid(ends, radius).forEachNearPair(radius, [&](int a, int b) { nodes.join(a, b); });

    // The ends at each node; a ring's nodes each hold exactly two.
    std::vector<std::vector<int>> at(ends.size());
    for (std::size_t e = 0; e < ends.size(); ++e) {
        at[std::size_t(nodes.find(int(e)))].push_back(int(e));
    }
    Rings rings;
    std::vector<bool> taken(lines.size(), false);
    for (std::size_t first = 0; first < lines.size(); ++first) {
        if (taken[first]) {
            continue;
        }
        // Walk from the first line's last end until the walk comes back to
        // its first end, or a node is not a plain meeting of two ends.
        Ring ring;
        ring.points.push_back(lines[first].first);
        bool closes = false;
        int end = int(2 * first + 1);
        std::size_t line = first;
        for (;;) {
            taken[line] = true;
            ring.lines.push_back(lines[line].handle);
            ring.points.push_back(ends[std::size_t(end)]);
            const std::vector<int>& node = at[std::size_t(nodes.find(end))];
            if (node.size() != 2) {
                break;
            }
            const int other = node[0] == end ? node[1] : node[0];
            line = std::size_t(other / 2);
            if (line == first) {
                closes = other == int(2 * first);
                break;
            }
            if (taken[line]) {
                break;
            }
            end = other ^ 1;  // the walk leaves the line by its other end
        }
        if (closes) {
            ring.points.back() = ring.points.front();
            rings.closed.push_back(std::move(ring));
        } else {
            rings.openLines += ring.lines.size();
        }
    }
    return rings;
}

}  // namespace brondel::pathtools
