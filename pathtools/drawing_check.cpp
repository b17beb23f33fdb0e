#include "pathtools/drawing_check.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <tuple>

#include "base/numbers.h"
#include "engine/cad.h"
#include "engine/entity_type.h"
#include "pathtools/end_grid.h"
#include "pathtools/segmenting.h"
#include "pathtools/union_find.h"
#include "pathtools/walk_report.h"

namespace brondel::pathtools {

namespace {

using engine::Handle;
using engine::Point2;

// Chords per full turn when an arc's outline is needed (boxes, inside tests).
constexpr int kChordsPerTurn = 64;
// An open contour with more loose ends than this gets no closing radius:
// pairing them is guesswork.
constexpr std::size_t kMostLooseEnds = 2000;

// One path entity: its two ends, and for an arc or circle its outline as
// chords (a line is its own outline, kept without a vector of its own).
struct Piece {
    Point2 first, last;
    std::vector<Point2> arc;
    double length = 0;
    bool isLine() const { return arc.empty(); }
    template <class Visit>
    void forEachSegment(Visit visit) const {
        if (arc.empty()) {
            visit(first, last);
        }
        for (std::size_t i = 1; i < arc.size(); ++i) {
            visit(arc[i - 1], arc[i]);
        }
    }
};

double distance(Point2 a, Point2 b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

std::optional<Piece> pieceOf(Handle h, int type) {
    Piece piece;
    if (type == engine::code(engine::EntityType::Line)) {
        double x1, y1, z1, x2, y2, z2;
        engine::CadLineGetPoint1(h, x1, y1, z1);
        engine::CadLineGetPoint2(h, x2, y2, z2);
        piece.first = {x1, y1};
        piece.last = {x2, y2};
        piece.length = distance(piece.first, piece.last);
        return piece;
    }
    const bool circle = type == engine::code(engine::EntityType::Circle);
    if (!circle && type != engine::code(engine::EntityType::Arc)) {
        return std::nullopt;
    }
    double cx, cy, cz;
    engine::CadArcGetCenter(h, cx, cy, cz);
    const double radius = engine::CadArcGetRadius(h);
    const double start = circle ? 0.0 : engine::CadArcGetStartAngle(h);
    const double angle = circle ? 2 * std::numbers::pi : engine::CadArcGetAngle(h);
    const int chords = std::max(
        1, static_cast<int>(std::ceil(std::fabs(angle) / (2 * std::numbers::pi) * kChordsPerTurn)));
    piece.arc = arcChordPoints({cx, cy}, radius, start, angle, chords);
    piece.first = piece.arc.front();
    piece.last = piece.arc.back();
    piece.length = std::fabs(radius * angle);
    return piece;
}

// Whether p lies inside the closed outline made of the pieces, by the
// number of their segments a ray to the right crosses.
bool insideOutline(Point2 p, const std::vector<const Piece*>& pieces) {
    bool inside = false;
    for (const Piece* piece : pieces) {
        piece->forEachSegment([&](Point2 a, Point2 b) {
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
                inside = !inside;
            }
        });
    }
    return inside;
}

bool boxWithin(const engine::Box2& inner, const engine::Box2& outer) {
    return inner.minX >= outer.minX && inner.maxX <= outer.maxX && inner.minY >= outer.minY &&
           inner.maxY <= outer.maxY;
}

double area(const engine::Box2& b) {
    return (b.maxX - b.minX) * (b.maxY - b.minY);
}

// Lines that repeat another or lie along it for more than the radius.
std::size_t countOverlaps(const std::vector<Piece>& pieces, double radius) {
    struct Key {
        std::int64_t angle, offset;
        double from, to;
        std::size_t index;
    };
    std::vector<Key> keys;
    const double offsetQuantum = std::max(radius * 1e-3, 1e-9);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        if (!piece.isLine() || piece.length <= kZeroLength) {
            continue;
        }
        const Point2 a = piece.first, b = piece.last;
        double dx = (b.x - a.x) / piece.length, dy = (b.y - a.y) / piece.length;
        if (dx < 0 || (dx == 0 && dy < 0)) {
            dx = -dx;
            dy = -dy;
        }
        const double offset = dx * a.y - dy * a.x;
        double t0 = dx * a.x + dy * a.y, t1 = dx * b.x + dy * b.y;
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        keys.push_back({std::llround(std::atan2(dy, dx) * 1e9),
                        std::llround(offset / offsetQuantum), t0, t1, i});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& p, const Key& q) {
        return std::tie(p.angle, p.offset, p.from) < std::tie(q.angle, q.offset, q.from);
    });
    std::size_t overlaps = 0;
    double reach = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Key& k = keys[i];
        if (i == 0 || k.angle != keys[i - 1].angle || k.offset != keys[i - 1].offset) {
            reach = k.to;
            continue;
        }
        const bool repeat = k.from == keys[i - 1].from && k.to == keys[i - 1].to;
        if (repeat || std::min(reach, k.to) - k.from > radius) {
            ++overlaps;
        }
        reach = std::max(reach, k.to);
    }
    return overlaps;
}

}  // namespace

DrawingCheck checkDrawing(const engine::Vecad& vecad, double radius) {
    DrawingCheck check;
    std::vector<Piece> pieces;
    for (Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle; h = vecad.GetNextEntity(h)) {
        const int type = vecad.EntityGetType(h);
        if (std::optional<Piece> piece = pieceOf(h, type)) {
            check.zeroLength += piece->length <= kZeroLength ? 1 : 0;
            pieces.push_back(std::move(*piece));
        } else {
            ++check.notPaths[engine::typeName(static_cast<engine::EntityType>(type))];
        }
    }
    check.duplicates = countOverlaps(pieces, radius);

    // Ends 2i and 2i + 1 belong to piece i. Ends within the radius meet at
    // one node; a piece joins its two nodes into one contour.
    std::vector<Point2> ends;
    ends.reserve(2 * pieces.size());
    for (const Piece& piece : pieces) {
        ends.push_back(piece.first);
        ends.push_back(piece.last);
    }
    const EndGrid grid(ends, radius);
    UnionFind nodes(ends.size());
    grid.forEachNearPair(radius, [&](int a, int b) { nodes.join(a, b); });
    std::vector<int> degree(ends.size(), 0);
    for (std::size_t e = 0; e < ends.size(); ++e) {
        ++degree[std::size_t(nodes.find(int(e)))];
    }
    UnionFind contours = nodes;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        contours.join(int(2 * i), int(2 * i + 1));
    }

    std::vector<int> contourOf(ends.size(), -1);  // by contour root
    std::vector<std::vector<const Piece*>> members;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto root = std::size_t(contours.find(int(2 * i)));
        if (contourOf[root] < 0) {
            contourOf[root] = int(check.contours.size());
            check.contours.emplace_back();
            check.contours.back().closed = true;
            members.emplace_back();
        }
        CheckedContour& contour = check.contours[std::size_t(contourOf[root])];
        ++contour.segments;
        contour.length += pieces[i].length;
        pieces[i].forEachSegment([&](Point2 a, Point2 b) {
            contour.box.add(a.x, a.y);
            contour.box.add(b.x, b.y);
        });
        members[std::size_t(contourOf[root])].push_back(&pieces[i]);
    }

    // Loose ends: a node that only one end reaches.
    std::vector<std::vector<int>> looseEnds(check.contours.size());
    for (std::size_t e = 0; e < ends.size(); ++e) {
        if (degree[std::size_t(nodes.find(int(e)))] == 1) {
            const auto c = std::size_t(contourOf[std::size_t(contours.find(int(e)))]);
            check.contours[c].closed = false;
            looseEnds[c].push_back(int(e));
        }
    }
    for (std::size_t c = 0; c < check.contours.size(); ++c) {
        const std::vector<int>& loose = looseEnds[c];
        if (loose.size() < 2 || loose.size() > kMostLooseEnds) {
            continue;
        }
        double widest = 0;
        for (int a : loose) {
            double nearest = std::numeric_limits<double>::infinity();
            for (int b : loose) {
                if (a != b) {
                    nearest =
                        std::min(nearest, distance(ends[std::size_t(a)], ends[std::size_t(b)]));
                }
            }
            widest = std::max(widest, nearest);
        }
        check.contours[c].closingRadius = std::max(bridgingRadius(widest), radius);
    }

    // Gaps: from each loose end to the nearest end of another node.
    const double reach = kGapReach * radius;
    const bool anyLoose = std::any_of(looseEnds.begin(), looseEnds.end(),
                                      [](const std::vector<int>& l) { return !l.empty(); });
    const std::vector<Point2> none;
    const EndGrid wide(anyLoose ? ends : none, reach);
    std::vector<std::pair<int, int>> seen;
    for (const std::vector<int>& loose : looseEnds) {
        for (int a : loose) {
            const int nodeA = nodes.find(a);
            int best = -1;
            double bestDistance = std::numeric_limits<double>::infinity();
            wide.forEachAround(ends[std::size_t(a)], 1, [&](int b) {
                const double d = distance(ends[std::size_t(a)], ends[std::size_t(b)]);
                if (nodes.find(b) != nodeA && d < bestDistance) {
                    bestDistance = d;
                    best = b;
                }
            });
            if (best < 0 || bestDistance <= radius || bestDistance > reach) {
                continue;
            }
            const std::pair<int, int> pair{std::min(nodeA, nodes.find(best)),
                                           std::max(nodeA, nodes.find(best))};
            if (std::find(seen.begin(), seen.end(), pair) != seen.end()) {
                continue;
            }
            seen.push_back(pair);
            check.gaps.push_back({ends[std::size_t(a)], ends[std::size_t(best)], bestDistance});
        }
    }

    // A closed contour inside another: the smallest closed one whose outline
    // holds its first end.
    for (std::size_t c = 0; c < check.contours.size(); ++c) {
        if (!check.contours[c].closed) {
            continue;
        }
        const Point2 probe = members[c].front()->first;
        double smallest = std::numeric_limits<double>::infinity();
        for (std::size_t o = 0; o < check.contours.size(); ++o) {
            const CheckedContour& outer = check.contours[o];
            if (o == c || !outer.closed || !boxWithin(check.contours[c].box, outer.box) ||
                area(outer.box) >= smallest || !insideOutline(probe, members[o])) {
                continue;
            }
            smallest = area(outer.box);
            check.contours[c].inside = o;
        }
    }
    return check;
}

std::vector<std::string> checkReportLines(const DrawingCheck& check) {
    using base::coordinateText;
    const auto point = [](Point2 p) {
        return "(" + coordinateText(p.x) + ", " + coordinateText(p.y) + ")";
    };
    std::vector<std::string> lines;
    const auto closed =
        static_cast<std::size_t>(std::count_if(check.contours.begin(), check.contours.end(),
                                               [](const CheckedContour& c) { return c.closed; }));
    lines.push_back("Contours: " + std::to_string(check.contours.size()) + " (" +
                    std::to_string(closed) + " closed, " +
                    std::to_string(check.contours.size() - closed) +
                    " open); gaps: " + std::to_string(check.gaps.size()) +
                    "; duplicates: " + std::to_string(check.duplicates) +
                    "; zero-length: " + std::to_string(check.zeroLength));
    for (std::size_t c = 0; c < check.contours.size(); ++c) {
        const CheckedContour& contour = check.contours[c];
        std::string line = "Contour " + std::to_string(c + 1) + ": " +
                           (contour.closed ? "closed, " : "open, ") +
                           std::to_string(contour.segments) + " segments, length " +
                           coordinateText(contour.length) + ", from " +
                           point({contour.box.minX, contour.box.minY}) + " to " +
                           point({contour.box.maxX, contour.box.maxY});
        if (contour.inside) {
            line += ", inside contour " + std::to_string(*contour.inside + 1);
        }
        if (contour.closingRadius) {
            line += ", closes with a search radius of " + base::decimalText(*contour.closingRadius);
        }
        lines.push_back(line);
    }
    for (const CheckedGap& gap : check.gaps) {
        lines.push_back("Gap of " + coordinateText(gap.width) + " from " + point(gap.at) + " to " +
                        point(gap.to));
    }
    if (!check.notPaths.empty()) {
        std::string line = "Not paths:";
        const char* separator = " ";
        for (const auto& [kind, n] : check.notPaths) {
            line += separator + std::to_string(n) + " " + kind;
            separator = ", ";
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace brondel::pathtools
