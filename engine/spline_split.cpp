#include "engine/spline_split.h"

#include <algorithm>
#include <cmath>

#include "engine/tolerances.h"

namespace brondel::engine {

namespace {

// A control point multiplied out by its weight.
struct Homogeneous {
    double x, y, z, w;
};

Homogeneous blend(const Homogeneous& a, const Homogeneous& b, double alpha) {
    return {(1 - alpha) * a.x + alpha * b.x, (1 - alpha) * a.y + alpha * b.y,
            (1 - alpha) * a.z + alpha * b.z, (1 - alpha) * a.w + alpha * b.w};
}

std::vector<Homogeneous> homogeneous(const SplineCurve& c) {
    std::vector<Homogeneous> h(c.points.size());
    for (std::size_t i = 0; i < h.size(); ++i) {
        const double w = c.weights[i];
        h[i] = {c.points[i].x * w, c.points[i].y * w, c.points[i].z * w, w};
    }
    return h;
}

// Boehm's insertion of one knot t (first() < t < last()).
void insertKnot(std::vector<double>& knots, std::vector<Homogeneous>& h, int p, double t) {
    const auto k = std::size_t(std::upper_bound(knots.begin(), knots.end(), t) - knots.begin()) - 1;
    std::vector<Homogeneous> out(h.size() + 1);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i + std::size_t(p) <= k) {
            out[i] = h[i];
        } else if (i > k) {
            out[i] = h[i - 1];
        } else {
            const double den = knots[i + std::size_t(p)] - knots[i];
            const double alpha = den > 0 ? (t - knots[i]) / den : 0;
            out[i] = blend(h[i - 1], h[i], alpha);
        }
    }
    knots.insert(knots.begin() + std::ptrdiff_t(k) + 1, t);
    h = std::move(out);
}

// Inserts t until it has multiplicity p, so the curve passes through a
// control point there.
void insertFully(std::vector<double>& knots, std::vector<Homogeneous>& h, int p, double t) {
    const auto have = std::count(knots.begin(), knots.end(), t);
    for (auto i = have; i < p; ++i) {
        insertKnot(knots, h, p, t);
    }
}

bool clamped(const std::vector<double>& k, int p) {
    for (int i = 1; i <= p; ++i) {
        if (k[std::size_t(i)] != k.front() || k[k.size() - 1 - std::size_t(i)] != k.back()) {
            return false;
        }
    }
    return true;
}

double segmentDeviation(const Point3& q, const Point3& a, const Point3& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double u =
        len2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(q.x - a.x - u * dx, q.y - a.y - u * dy);
}

void subdivide(const SplineCurve& c, double t0, const Point3& p0, double t1, const Point3& p1,
               double tolerance, int depth, SplineSamples& out) {
    const double tm = (t0 + t1) / 2;
    const Point3 q1 = c.at(t0 + (t1 - t0) * 0.25), qm = c.at(tm), q3 = c.at(t0 + (t1 - t0) * 0.75);
    const double dev = std::max(
        {segmentDeviation(q1, p0, p1), segmentDeviation(qm, p0, p1), segmentDeviation(q3, p0, p1)});
    if (dev <= tolerance || depth >= 40 ||
        out.points.size() >= std::size_t(tol::kMaxCurveSegments)) {
        out.points.push_back(p1);
        out.params.push_back(t1);
        return;
    }
    subdivide(c, t0, p0, tm, qm, tolerance, depth + 1, out);
    subdivide(c, tm, qm, t1, p1, tolerance, depth + 1, out);
}

}  // namespace

Point3 SplineCurve::at(double t) const {
    const int n = int(points.size()), p = degree;
    int s = int(std::upper_bound(knots.begin() + p, knots.begin() + n, t) - knots.begin()) - 1;
    s = std::clamp(s, p, n - 1);
    std::vector<Homogeneous> d(std::size_t(p) + 1);
    for (int j = 0; j <= p; ++j) {
        const auto i = std::size_t(s - p + j);
        const double w = weights[i];
        d[std::size_t(j)] = {points[i].x * w, points[i].y * w, points[i].z * w, w};
    }
    for (int r = 1; r <= p; ++r) {
        for (int j = p; j >= r; --j) {
            const auto i = std::size_t(s - p + j);
            const double den = knots[i + std::size_t(p - r + 1)] - knots[i];
            const double alpha = den > 0 ? (t - knots[i]) / den : 0;
            d[std::size_t(j)] = blend(d[std::size_t(j) - 1], d[std::size_t(j)], alpha);
        }
    }
    const Homogeneous& q = d[std::size_t(p)];
    const double w = q.w != 0 ? q.w : 1;
    return {q.x / w, q.y / w, q.z / w};
}

std::variant<SplineCurve, std::string> splineCurve(const SplineGeom& g) {
    const std::size_t n = g.controlPoints.size();
    if (n < 2 || g.degree < 1 || std::size_t(g.degree) >= n) {
        return std::string("a spline given only by fit points cannot be cut");
    }
    SplineCurve c;
    c.degree = g.degree;
    c.points = g.controlPoints;
    c.weights.assign(n, 1.0);
    if (g.rational && g.weights.size() == n) {
        for (std::size_t i = 0; i < n; ++i) {
            c.weights[i] = g.weights[i] > 0 ? g.weights[i] : 1.0;
        }
    }
    const std::size_t count = n + std::size_t(g.degree) + 1;
    bool ordered = g.knots.size() == count && g.knots.front() < g.knots.back();
    for (std::size_t i = 1; ordered && i < g.knots.size(); ++i) {
        ordered = g.knots[i] >= g.knots[i - 1] && std::isfinite(g.knots[i]);
    }
    if (!ordered) {
        // The reader's fallback: clamped and uniform.
        c.knots.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            c.knots[i] = double(std::clamp<std::ptrdiff_t>(std::ptrdiff_t(i) - g.degree, 0,
                                                           std::ptrdiff_t(n) - g.degree));
        }
    } else if (!clamped(g.knots, g.degree)) {
        return std::string("a periodic spline (knots not clamped at its ends) cannot be cut");
    } else {
        c.knots = g.knots;
    }
    return c;
}

SplineGeom splinePart(const SplineCurve& c, double t0, double t1) {
    std::vector<double> knots = c.knots;
    std::vector<Homogeneous> h = homogeneous(c);
    const int p = c.degree;
    if (t0 > c.first()) {
        insertFully(knots, h, p, t0);
    }
    if (t1 < c.last()) {
        insertFully(knots, h, p, t1);
    }
    const auto lastT0 =
        std::size_t(std::upper_bound(knots.begin(), knots.end(), t0) - knots.begin()) - 1;
    const std::size_t s = lastT0 - std::size_t(p);
    SplineGeom g;
    g.degree = p;
    g.knots.assign(std::size_t(p) + 1, t0);
    for (double k : knots) {
        if (k > t0 && k < t1) {
            g.knots.push_back(k);
        }
    }
    g.knots.insert(g.knots.end(), std::size_t(p) + 1, t1);
    const std::size_t count = g.knots.size() - std::size_t(p) - 1;
    bool rational = false;
    for (std::size_t i = s; i < s + count; ++i) {
        const Homogeneous& q = h[i];
        g.controlPoints.push_back({q.x / q.w, q.y / q.w, q.z / q.w});
        g.weights.push_back(q.w);
        rational = rational || q.w != 1;
    }
    g.rational = rational;
    if (!rational) {
        g.weights.clear();
    }
    return g;
}

SplineGeom splineJoined(const SplineGeom& a, const SplineGeom& b) {
    const auto p = std::size_t(a.degree);
    SplineGeom g = a;
    g.knots.pop_back();
    const double shift = a.knots.back() - b.knots.front();
    for (std::size_t i = p + 1; i < b.knots.size(); ++i) {
        g.knots.push_back(b.knots[i] + shift);
    }
    g.controlPoints.insert(g.controlPoints.end(), b.controlPoints.begin() + 1,
                           b.controlPoints.end());
    g.rational = a.rational || b.rational;
    if (g.rational) {
        std::vector<double> wa = a.weights, wb = b.weights;
        wa.resize(a.controlPoints.size(), 1.0);
        wb.resize(b.controlPoints.size(), 1.0);
        // Scaling every weight of b leaves its curve as it is; it then
        // shares the seam point's weight with a.
        const double scale = wa.back() / wb.front();
        for (std::size_t i = 1; i < wb.size(); ++i) {
            wa.push_back(wb[i] * scale);
        }
        g.weights = std::move(wa);
    }
    return g;
}

SplineSamples sampleSpline(const SplineCurve& c) {
    double minX = c.points[0].x, maxX = minX, minY = c.points[0].y, maxY = minY;
    for (const Point3& q : c.points) {
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    const double size = std::hypot(maxX - minX, maxY - minY);
    const double tolerance = std::max(size * tol::kCurveRelative, size * tol::kMinChordRelative);
    SplineSamples out;
    out.points.push_back(c.at(c.first()));
    out.params.push_back(c.first());
    const std::size_t n = c.points.size();
    for (std::size_t s = std::size_t(c.degree); s < n; ++s) {
        const double k0 = c.knots[s], k1 = c.knots[s + 1];
        if (!(k1 > k0)) {
            continue;
        }
        // Even seeds per span, so an S-bend whose quarter points sit on the
        // chord is still followed.
        constexpr int kSeed = 4;
        for (int i = 0; i < kSeed; ++i) {
            const double a = k0 + (k1 - k0) * i / kSeed;
            const double b = i + 1 == kSeed ? k1 : k0 + (k1 - k0) * (i + 1) / kSeed;
            const Point3 pa = out.points.back();
            subdivide(c, a, pa, b, c.at(b), tolerance, 0, out);
        }
    }
    return out;
}

}  // namespace brondel::engine
