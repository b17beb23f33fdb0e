#include "engine/tessellate.h"

#include <algorithm>
#include <cmath>

#include "engine/tolerances.h"

namespace brondel::engine {

namespace {

// Straight segments needed for a sweep of a circle of radius r so that no
// chord strays more than tolerance from it.
int arcSegments(double r, double sweep, double tolerance) {
    if (!(r > 0) || !std::isfinite(r)) {
        return 1;
    }
    if (!(tolerance > 0)) {
        tolerance = r * tol::kCurveRelative;
    }
    tolerance = std::max(tolerance, r * tol::kMinChordRelative);
    if (tolerance >= r) {
        return std::max(1, int(std::ceil(std::abs(sweep) / kPi)));
    }
    const double step = 2 * std::acos(1 - tolerance / r);
    const double n = std::ceil(std::abs(sweep) / step);
    return int(std::clamp(n, 1.0, double(tol::kMaxCurveSegments)));
}

double segmentDeviation(const Point3& p, const Point3& a, const Point3& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// A B-spline ready for evaluation: valid knots, degree and weights.
struct Curve {
    int p;
    std::vector<double> knots;
    std::vector<Point3> ctrl;
    std::vector<double> w;  // empty = all 1

    Point3 at(double t) const {
        const int n = int(ctrl.size());
        int s = int(std::upper_bound(knots.begin() + p, knots.begin() + n, t) - knots.begin()) - 1;
        s = std::clamp(s, p, n - 1);
        double hx[32], hy[32], hz[32], hw[32];
        for (int j = 0; j <= p; ++j) {
            const int i = s - p + j;
            const double wi = w.empty() ? 1 : w[i];
            hx[j] = ctrl[i].x * wi;
            hy[j] = ctrl[i].y * wi;
            hz[j] = ctrl[i].z * wi;
            hw[j] = wi;
        }
        for (int r = 1; r <= p; ++r) {
            for (int j = p; j >= r; --j) {
                const int i = s - p + j;
                const double den = knots[i + p - r + 1] - knots[i];
                const double alpha = den > 0 ? (t - knots[i]) / den : 0;
                hx[j] = (1 - alpha) * hx[j - 1] + alpha * hx[j];
                hy[j] = (1 - alpha) * hy[j - 1] + alpha * hy[j];
                hz[j] = (1 - alpha) * hz[j - 1] + alpha * hz[j];
                hw[j] = (1 - alpha) * hw[j - 1] + alpha * hw[j];
            }
        }
        const double wt = hw[p] != 0 ? hw[p] : 1;
        return {hx[p] / wt, hy[p] / wt, hz[p] / wt};
    }
};

bool validKnots(const std::vector<double>& k, std::size_t count) {
    if (k.size() != count) {
        return false;
    }
    for (std::size_t i = 1; i < k.size(); ++i) {
        if (!(k[i] >= k[i - 1]) || !std::isfinite(k[i])) {
            return false;
        }
    }
    return k.front() < k.back();
}

Curve makeCurve(const SplineGeom& g) {
    Curve c;
    c.ctrl = g.controlPoints;
    const int n = int(c.ctrl.size());
    c.p = std::clamp(g.degree, 1, std::min(n - 1, 31));
    if (g.rational && g.weights.size() == c.ctrl.size()) {
        c.w = g.weights;
        for (double& wi : c.w) {
            if (!(wi > 0)) {
                wi = 1;
            }
        }
    }
    const std::size_t count = std::size_t(n + c.p + 1);
    if (g.degree == c.p && validKnots(g.knots, count)) {
        c.knots = g.knots;
    } else {
        // Clamped and uniform: the curve starts and ends on its end points.
        c.knots.resize(count);
        for (int i = 0; i < int(count); ++i) {
            c.knots[i] = std::clamp(i - c.p, 0, n - c.p);
        }
    }
    return c;
}

double controlSize(const std::vector<Point3>& pts) {
    double minX = pts[0].x, maxX = minX, minY = pts[0].y, maxY = minY;
    for (const Point3& q : pts) {
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    return std::hypot(maxX - minX, maxY - minY);
}

// Appends points after t0 up to t1 (included), splitting where the curve
// strays from the chord.
template <class F>
void subdivide(const F& at, double t0, const Point3& p0, double t1, const Point3& p1,
               double tolerance, int depth, int& budget, std::vector<Point3>& out) {
    const Point3 q1 = at(t0 + (t1 - t0) * 0.25);
    const Point3 qm = at(t0 + (t1 - t0) * 0.5);
    const Point3 q3 = at(t0 + (t1 - t0) * 0.75);
    const double dev = std::max(
        {segmentDeviation(q1, p0, p1), segmentDeviation(qm, p0, p1), segmentDeviation(q3, p0, p1)});
    if (dev <= tolerance || depth >= 40 || budget <= 0) {
        out.push_back(p1);
        --budget;
        return;
    }
    const double tm = (t0 + t1) / 2;
    subdivide(at, t0, p0, tm, qm, tolerance, depth + 1, budget, out);
    subdivide(at, tm, qm, t1, p1, tolerance, depth + 1, budget, out);
}

}  // namespace

BulgeArc bulgeArc(const Vertex& a, const Vertex& b) {
    const double sweep = 4 * std::atan(a.bulge);
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double chord = std::hypot(dx, dy);
    const double r = chord / (2 * std::sin(std::abs(sweep) / 2));
    const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    // Signed distance from the chord's midpoint to the centre, to the left.
    const double h = chord / 2 / std::tan(sweep / 2);
    const double nx = -dy / chord, ny = dx / chord;
    const double cx = mx + nx * h, cy = my + ny * h;
    return {cx, cy, r, std::atan2(a.y - cy, a.x - cx), sweep};
}

std::vector<Point3> tessellateArc(const Point3& center, double radius, double startAngle,
                                  double angle, double tolerance) {
    const int n = arcSegments(radius, angle, tolerance);
    std::vector<Point3> pts;
    pts.reserve(std::size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double a = startAngle + angle * i / n;
        pts.push_back({center.x + radius * std::cos(a), center.y + radius * std::sin(a), center.z});
    }
    return pts;
}

Point3 ellipsePoint(const EllipseGeom& g, double t) {
    const double ax = g.majorAxis.x, ay = g.majorAxis.y;
    const double bx = -ay * g.ratio, by = ax * g.ratio;
    const double c = std::cos(t), s = std::sin(t);
    return {g.center.x + ax * c + bx * s, g.center.y + ay * c + by * s,
            g.center.z + g.majorAxis.z * c};
}

void ellipseRange(const EllipseGeom& g, double& start, double& end) {
    start = g.startParam;
    double sweep = g.endParam - g.startParam;
    if (std::abs(sweep) >= kTwoPi - 1e-12 || sweep == 0) {
        sweep = kTwoPi;
    } else {
        sweep = std::fmod(sweep, kTwoPi);
        if (sweep <= 0) {
            sweep += kTwoPi;
        }
    }
    end = start + sweep;
}

std::vector<Point3> tessellateEllipse(const EllipseGeom& g, double tolerance) {
    double t0, t1;
    ellipseRange(g, t0, t1);
    const double major = std::hypot(g.majorAxis.x, g.majorAxis.y);
    if (!(tolerance > 0)) {
        tolerance = major * tol::kCurveRelative;
    }
    tolerance = std::max(tolerance, major * tol::kMinChordRelative);
    // A chord of parameter step h strays at most h^2 / 8 * max|P''| = h^2 / 8 * major.
    int n = 1;
    if (major > 0 && std::isfinite(major)) {
        const double step = std::sqrt(8 * tolerance / major);
        n = int(std::clamp(std::ceil((t1 - t0) / step), 1.0, double(tol::kMaxCurveSegments)));
    }
    if (t1 - t0 >= kTwoPi) {
        n = std::max(n, 4);
    }
    std::vector<Point3> pts;
    pts.reserve(std::size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        pts.push_back(ellipsePoint(g, i == n ? t1 : t0 + (t1 - t0) * i / n));
    }
    return pts;
}

std::vector<Point3> tessellateSpline(const SplineGeom& g, double tolerance) {
    if (g.controlPoints.size() < 2) {
        if (!g.fitPoints.empty()) {
            return g.fitPoints;
        }
        return g.controlPoints;
    }
    const Curve c = makeCurve(g);
    const double size = controlSize(c.ctrl);
    if (!(tolerance > 0)) {
        tolerance = size * tol::kCurveRelative;
    }
    tolerance = std::max(tolerance, size * tol::kMinChordRelative);
    auto at = [&](double t) { return c.at(t); };
    const int n = int(c.ctrl.size());
    std::vector<Point3> pts;
    pts.push_back(at(c.knots[c.p]));
    int budget = tol::kMaxCurveSegments;
    for (int s = c.p; s < n; ++s) {
        const double k0 = c.knots[s], k1 = c.knots[s + 1];
        if (!(k1 > k0)) {
            continue;
        }
        // A few even pieces per span first, so that an S-bend whose
        // quarter points happen to sit on the chord is still found.
        constexpr int kSeed = 4;
        for (int i = 0; i < kSeed; ++i) {
            const double a = k0 + (k1 - k0) * i / kSeed;
            const double b = i + 1 == kSeed ? k1 : k0 + (k1 - k0) * (i + 1) / kSeed;
            const Point3 pa = pts.back();
            subdivide(at, a, pa, b, at(b), tolerance, 0, budget, pts);
        }
    }
    return pts;
}

}  // namespace brondel::engine
