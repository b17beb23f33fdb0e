#include "engine/hatch_fill.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brondel::engine {

namespace {

constexpr double kDegree = kPi / 180;
// Families whose lines would be closer than this share of the area's size are
// left out: they would only grey it at any zoom.
constexpr double kFinestSpacing = 1e-5;

Point2 turned(double x, double y, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {x * c - y * s, x * s + y * c};
}

// Where the line base + d*s crosses the loops' edges, as sorted s values.
std::vector<double> crossings(const std::vector<std::vector<Point2>>& loops, Point2 base,
                              Point2 d) {
    std::vector<double> out;
    const Point2 n{-d.y, d.x};
    for (const std::vector<Point2>& loop : loops) {
        for (std::size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
            const Point2 &p = loop[j], &q = loop[i];
            const double hp = (p.x - base.x) * n.x + (p.y - base.y) * n.y;
            const double hq = (q.x - base.x) * n.x + (q.y - base.y) * n.y;
            // Half-open: a vertex on the line counts once.
            if ((hp > 0) == (hq > 0)) {
                continue;
            }
            const double t = hp / (hp - hq);
            const double x = p.x + (q.x - p.x) * t, y = p.y + (q.y - p.y) * t;
            out.push_back((x - base.x) * d.x + (y - base.y) * d.y);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// The dashes of the pattern, which starts at s = 0, over [from, to].
void dashes(Point2 base, Point2 d, const std::vector<double>& pattern, double from, double to,
            std::vector<Stroke2>& out, std::size_t budget) {
    const auto at = [&](double s) { return Point2{base.x + d.x * s, base.y + d.y * s}; };
    double repeat = 0;
    for (const double p : pattern) {
        repeat += std::abs(p);
    }
    if (pattern.empty() || repeat <= 0) {
        out.push_back({at(from), at(to)});
        return;
    }
    for (double s = std::floor(from / repeat) * repeat; s < to && out.size() < budget;) {
        for (const double p : pattern) {
            const double end = s + std::abs(p);
            if (p > 0 && end > from && s < to) {
                out.push_back({at(std::max(s, from)), at(std::min(end, to))});
            } else if (p == 0 && s >= from && s <= to) {
                out.push_back({at(s), at(s)});
            }
            s = end;
        }
    }
}

}  // namespace

std::vector<PatternLine> hatchPatternLines(const HatchGeom& g) {
    if (g.solid) {
        return {};
    }
    if (!g.patternLines.empty()) {
        return g.patternLines;
    }
    const HatchPattern* pattern = findPattern(g.pattern);
    if (!pattern) {
        return {};
    }
    const double k = g.patternScale > 0 && std::isfinite(g.patternScale) ? g.patternScale : 1;
    std::vector<PatternLine> out;
    for (const PatternLine& l : pattern->lines) {
        // A pattern file gives the offset along and across its own line.
        const double angle = l.angle * kDegree + g.patternAngle;
        const Point2 base = turned(l.x * k, l.y * k, g.patternAngle);
        const Point2 offset = turned(l.dx * k, l.dy * k, angle);
        PatternLine w{angle / kDegree, base.x, base.y, offset.x, offset.y, {}};
        for (const double d : l.dashes) {
            w.dashes.push_back(d * k);
        }
        out.push_back(std::move(w));
    }
    return out;
}

std::vector<Stroke2> hatchStrokes(const std::vector<std::vector<Point2>>& loops,
                                  const std::vector<PatternLine>& lines, const Box2& window,
                                  std::size_t budget) {
    std::vector<Stroke2> out;
    Box2 area;
    for (const std::vector<Point2>& loop : loops) {
        for (const Point2& p : loop) {
            area.add(p.x, p.y);
        }
    }
    Box2 shown;
    shown.add(std::max(area.minX, window.minX), std::max(area.minY, window.minY));
    shown.add(std::min(area.maxX, window.maxX), std::min(area.maxY, window.maxY));
    if (area.empty() || std::max(area.minX, window.minX) > std::min(area.maxX, window.maxX) ||
        std::max(area.minY, window.minY) > std::min(area.maxY, window.maxY)) {
        return out;
    }
    const double size = std::max(area.width(), area.height());
    for (const PatternLine& l : lines) {
        const Point2 d{std::cos(l.angle * kDegree), std::sin(l.angle * kDegree)};
        const Point2 n{-d.y, d.x};
        const double spacing = l.dx * n.x + l.dy * n.y;
        if (!(std::abs(spacing) > kFinestSpacing * size) || !std::isfinite(spacing)) {
            continue;
        }
        // The family's lines that cross the shown part of the area.
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        for (const double x : {shown.minX, shown.maxX}) {
            for (const double y : {shown.minY, shown.maxY}) {
                const double h = ((x - l.x) * n.x + (y - l.y) * n.y) / spacing;
                lo = std::min(lo, h);
                hi = std::max(hi, h);
            }
        }
        for (double k = std::ceil(lo); k <= hi && out.size() < budget; ++k) {
            const Point2 base{l.x + l.dx * k, l.y + l.dy * k};
            const std::vector<double> s = crossings(loops, base, d);
            for (std::size_t i = 0; i + 1 < s.size() && out.size() < budget; i += 2) {
                // A line that only grazes a corner crosses nothing.
                if (s[i + 1] - s[i] > kFinestSpacing * size) {
                    dashes(base, d, l.dashes, s[i], s[i + 1], out, budget);
                }
            }
        }
        if (out.size() >= budget) {
            break;
        }
    }
    return out;
}

}  // namespace brondel::engine
