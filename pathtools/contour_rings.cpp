#include "pathtools/contour_rings.h"

#include <numbers>

#include "engine/cad.h"
#include "engine/entity_type.h"
#include "pathtools/end_grid.h"
#include "pathtools/path_segments.h"
#include "pathtools/segmenting.h"
#include "pathtools/union_find.h"

namespace brondel::pathtools {

namespace {

using engine::Handle;
using engine::Point2;

// A line, or an arc or circle as its chords: a run of points from one end
// to the other.
struct Piece {
    Handle handle;
    std::vector<Point2> points;
};

std::vector<Piece> piecesOf(const engine::Vecad& vecad) {
    std::vector<Piece> pieces;
    const int line = engine::code(engine::EntityType::Line);
    const int arc = engine::code(engine::EntityType::Arc);
    const int circle = engine::code(engine::EntityType::Circle);
    for (Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle; h = vecad.GetNextEntity(h)) {
        const int type = vecad.EntityGetType(h);
        if (type == line) {
            double x1, y1, z1, x2, y2, z2;
            engine::CadLineGetPoint1(h, x1, y1, z1);
            engine::CadLineGetPoint2(h, x2, y2, z2);
            pieces.push_back({h, {{x1, y1}, {x2, y2}}});
        } else if (type == arc || type == circle) {
            double cx, cy, cz;
            engine::CadArcGetCenter(h, cx, cy, cz);
            const double radius = engine::CadArcGetRadius(h);
            const double start = type == circle ? 0.0 : engine::CadArcGetStartAngle(h);
            const double angle = type == circle ? 2 * std::numbers::pi : engine::CadArcGetAngle(h);
            const int chords = chordsWithin(radius, angle, kRingArcTolerance);
            pieces.push_back({h, arcChordPoints({cx, cy}, radius, start, angle, chords)});
        }
    }
    return pieces;
}

}  // namespace

Rings closedRings(const engine::Vecad& vecad, double radius) {
    const std::vector<Piece> pieces = piecesOf(vecad);
    // End 2i is piece i's first point, 2i + 1 its last.
    std::vector<Point2> ends;
    ends.reserve(2 * pieces.size());
    for (const Piece& piece : pieces) {
        ends.push_back(piece.points.front());
        ends.push_back(piece.points.back());
    }
    UnionFind nodes(ends.size());
    EndGrid(ends, radius).forEachNearPair(radius, [&](int a, int b) { nodes.join(a, b); });

    // The ends at each node; a ring's nodes each hold exactly two.
    std::vector<std::vector<int>> at(ends.size());
    for (std::size_t e = 0; e < ends.size(); ++e) {
        at[std::size_t(nodes.find(int(e)))].push_back(int(e));
    }
    Rings rings;
    std::vector<bool> taken(pieces.size(), false);
    for (std::size_t first = 0; first < pieces.size(); ++first) {
        if (taken[first]) {
            continue;
        }
        // Walk from the first piece's last end until the walk comes back to
        // its first end, or a node is not a plain meeting of two ends.
        Ring ring;
        ring.points.push_back(pieces[first].points.front());
        bool closes = false;
        int end = int(2 * first + 1);
        std::size_t piece = first;
        for (;;) {
            taken[piece] = true;
            ring.lines.push_back(pieces[piece].handle);
            const std::vector<Point2>& points = pieces[piece].points;
            // Entered by its last end, a piece is walked backwards.
            if (end % 2 == 1) {
                ring.points.insert(ring.points.end(), points.begin() + 1, points.end());
            } else {
                ring.points.insert(ring.points.end(), points.rbegin() + 1, points.rend());
            }
            const std::vector<int>& node = at[std::size_t(nodes.find(end))];
            if (node.size() != 2) {
                break;
            }
            const int other = node[0] == end ? node[1] : node[0];
            piece = std::size_t(other / 2);
            if (piece == first) {
                closes = other == int(2 * first);
                break;
            }
            if (taken[piece]) {
                break;
            }
            end = other ^ 1;  // the walk leaves the piece by its other end
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
