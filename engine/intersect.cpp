#include "engine/intersect.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace brondel::engine {

namespace {

// Relative slack that lets a line touching a circle, or two circles
// touching, meet once instead of not at all.
constexpr double kTouch = 1e-12;

double cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

void lineLine(const PathPiece& a, const PathPiece& b, std::vector<Point2>& out) {
    const double ux = a.b.x - a.a.x, uy = a.b.y - a.a.y;
    const double vx = b.b.x - b.a.x, vy = b.b.y - b.a.y;
    const double den = cross(ux, uy, vx, vy);
    if (std::abs(den) <= 1e-14 * std::hypot(ux, uy) * std::hypot(vx, vy) || den == 0) {
        return;  // parallel: collinear overlaps are no crossing
    }
    const double t = cross(b.a.x - a.a.x, b.a.y - a.a.y, vx, vy) / den;
    out.push_back({a.a.x + t * ux, a.a.y + t * uy});
}

void lineCircle(const PathPiece& line, Point2 c, double r, std::vector<Point2>& out) {
    const double ux = line.b.x - line.a.x, uy = line.b.y - line.a.y;
    const double len = std::hypot(ux, uy);
    if (len == 0) {
        return;
    }
    const double dx = ux / len, dy = uy / len;
    const double along = (c.x - line.a.x) * dx + (c.y - line.a.y) * dy;
    const Point2 foot{line.a.x + along * dx, line.a.y + along * dy};
    const double h = std::hypot(c.x - foot.x, c.y - foot.y);
    if (h > r * (1 + kTouch)) {
        return;
    }
    if (h >= r) {
        out.push_back(foot);
        return;
    }
    const double w = std::sqrt(r * r - h * h);
    out.push_back({foot.x - w * dx, foot.y - w * dy});
    out.push_back({foot.x + w * dx, foot.y + w * dy});
}

void circleCircle(const PathPiece& a, const PathPiece& b, std::vector<Point2>& out) {
    const double dx = b.center.x - a.center.x, dy = b.center.y - a.center.y;
    const double d = std::hypot(dx, dy);
    const double r1 = a.radius, r2 = b.radius;
    if (d == 0 || d > (r1 + r2) * (1 + kTouch) || d < std::abs(r1 - r2) * (1 - kTouch)) {
        return;
    }
    const double along = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
    const double h2 = r1 * r1 - along * along;
    const Point2 m{a.center.x + along * dx / d, a.center.y + along * dy / d};
    if (h2 <= (r1 * kTouch) * (r1 * kTouch) * 4) {
        out.push_back(m);
        return;
    }
    const double h = std::sqrt(h2);
    out.push_back({m.x - h * dy / d, m.y + h * dx / d});
    out.push_back({m.x + h * dy / d, m.y - h * dx / d});
}

bool onPiece(const PathPiece& p, Point2 q) {
    const double u = p.paramOf(q);
    return u >= -kOnPieceSlack && u <= 1 + kOnPieceSlack;
}

bool overlap(const Box2& a, const Box2& b, double slack) {
    return a.minX <= b.maxX + slack && b.minX <= a.maxX + slack && a.minY <= b.maxY + slack &&
           b.minY <= a.maxY + slack;
}

// How far p lies off the true curve behind piece k of b, signed; zero on
// it. An ellipse answers from its own equation, not from its flattening.
double offCurve(const CurvePath& b, const PathPiece& piece, Point2 p) {
    if (b.ellipse) {
        const EllipseGeom& g = *b.ellipse;
        const double ax = g.majorAxis.x, ay = g.majorAxis.y;
        const double major = std::hypot(ax, ay);
        const double x = ((p.x - g.center.x) * ax + (p.y - g.center.y) * ay) / major;
        const double y = (-(p.x - g.center.x) * ay + (p.y - g.center.y) * ax) / major;
        const double minor = major * g.ratio;
        return (x * x / (major * major) + y * y / (minor * minor) - 1) * minor / 2;
    }
    if (piece.arc) {
        return std::hypot(p.x - piece.center.x, p.y - piece.center.y) - piece.radius;
    }
    const double len = std::hypot(piece.b.x - piece.a.x, piece.b.y - piece.a.y);
    return cross(piece.b.x - piece.a.x, piece.b.y - piece.a.y, p.x - piece.a.x, p.y - piece.a.y) /
           len;
}

// Newton's method on the parameter of `at` towards where it meets the true
// curve of b; the start is kept when the method strays more than `reach`.
double refine(const std::function<Point2(double)>& at, double s, const CurvePath& b,
              const PathPiece& piece, double reach) {
    const double s0 = s;
    constexpr double h = 1e-7;
    double f = offCurve(b, piece, at(s));
    const double f0 = std::abs(f);
    for (int k = 0; k < 12 && f != 0; ++k) {
        const double slope =
            (offCurve(b, piece, at(s + h)) - offCurve(b, piece, at(s - h))) / (2 * h);
        if (slope == 0 || !std::isfinite(slope)) {
            break;
        }
        const double step = f / slope;
        s -= step;
        f = offCurve(b, piece, at(s));
        if (std::abs(step) < 1e-15 * std::max(1.0, std::abs(s))) {
            break;
        }
    }
    return std::abs(s - s0) <= reach && std::abs(f) <= f0 ? s : s0;
}

}  // namespace

std::vector<Point2> meet(const PathPiece& a, const PathPiece& b, bool extendA) {
    std::vector<Point2> found;
    if (!a.arc && !b.arc) {
        lineLine(a, b, found);
    } else if (!a.arc) {
        lineCircle(a, b.center, b.radius, found);
    } else if (!b.arc) {
        lineCircle(b, a.center, a.radius, found);
    } else {
        circleCircle(a, b, found);
    }
    std::erase_if(found, [&](Point2 p) { return !(extendA || onPiece(a, p)) || !onPiece(b, p); });
    return found;
}

std::vector<double> crossings(const CurvePath& a, const CurvePath& b) {
    std::vector<Box2> boxes;
    boxes.reserve(b.pieces.size());
    Box2 whole;
    for (const PathPiece& p : b.pieces) {
        boxes.push_back(p.box());
        whole.add(boxes.back());
    }
    const double slack = 1e-9 * std::max(whole.width(), whole.height());
    const bool curved = a.ellipse || b.ellipse;
    const auto along = [&](double s) { return a.at(s); };
    std::vector<double> out;
    for (std::size_t i = 0; i < a.pieces.size(); ++i) {
        const Box2 box = a.pieces[i].box();
        if (!overlap(box, whole, slack)) {
            continue;
        }
        for (std::size_t j = 0; j < b.pieces.size(); ++j) {
            if (!overlap(box, boxes[j], slack)) {
                continue;
            }
            for (Point2 p : meet(a.pieces[i], b.pieces[j])) {
                double s = double(i) + std::clamp(a.pieces[i].paramOf(p), 0.0, 1.0);
                if (curved) {
                    s = refine(along, s, b, b.pieces[j], 1);
                }
                out.push_back(s);
            }
        }
    }
    const double n = a.length();
    for (double& s : out) {
        if (a.closed && s >= n - 1e-9) {
            s = 0;
        }
        s = std::clamp(s, 0.0, n);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end(),
                          [](double x, double y) { return std::abs(x - y) < 1e-9; }),
              out.end());
    return out;
}

std::vector<Point2> meetBeyond(const PathPiece& a, const CurvePath& b) {
    const auto along = [&](double u) { return a.at(u); };
    std::vector<Point2> out;
    for (const PathPiece& piece : b.pieces) {
        for (Point2 p : meet(a, piece, true)) {
            if (b.ellipse) {
                // On an arc the parameter wraps; refine near the point's own.
                const double u = a.paramOf(p);
                p = a.at(refine(along, u, b, piece, 1e-3 * std::max(1.0, std::abs(u))));
            }
            out.push_back(p);
        }
    }
    return out;
}

}  // namespace brondel::engine
