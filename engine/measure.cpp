#include "engine/measure.h"

#include <cmath>
#include <cstdio>

#include "engine/tessellate.h"

namespace brondel::engine {

namespace {

AreaMeasure chainMeasure(const std::vector<Point3>& pts) {
    std::vector<Point2> flat;
    for (const Point3& p : pts) {
        flat.push_back({p.x, p.y});
    }
    if (flat.size() > 1 && flat.front() == flat.back()) {
        flat.pop_back();
    }
    return measurePolygon(flat);
}

std::optional<AreaMeasure> polylineMeasure(const PolylineGeom& g) {
    std::vector<Vertex> v = g.vertices;
    const bool endsAtStart = v.size() > 2 && v.front().x == v.back().x && v.front().y == v.back().y;
    if (!g.closed && !endsAtStart) {
        return std::nullopt;
    }
    if (endsAtStart) {
        v.pop_back();
    }
    if (v.size() < 2) {
        return std::nullopt;
    }
    // Twice the signed area by the shoelace; each bulge adds or takes the
    // circular segment between its chord and its arc.
    double twice = 0, perimeter = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Vertex &a = v[i], &b = v[(i + 1) % v.size()];
        twice += a.x * b.y - b.x * a.y;
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        if (a.bulge == 0 || chord == 0) {
            perimeter += chord;
            continue;
        }
        const double theta = 4 * std::atan(std::abs(a.bulge));
        const double r = chord / (2 * std::sin(theta / 2));
        perimeter += r * theta;
        twice += std::copysign(r * r * (theta - std::sin(theta)), a.bulge);
    }
    return AreaMeasure{std::abs(twice) / 2, perimeter};
}

}  // namespace

AreaMeasure measurePolygon(const std::vector<Point2>& points) {
    double twice = 0, perimeter = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point2 &a = points[i], &b = points[(i + 1) % points.size()];
        twice += a.x * b.y - b.x * a.y;
        perimeter += std::hypot(b.x - a.x, b.y - a.y);
    }
    return {std::abs(twice) / 2, perimeter};
}

std::optional<AreaMeasure> measureClosed(const Entity& e) {
    if (const auto* g = geomIf<CircleGeom>(e)) {
        return AreaMeasure{kPi * g->radius * g->radius, kTwoPi * g->radius};
    }
    if (const auto* g = geomIf<EllipseGeom>(e)) {
        double start = 0, end = 0;
        ellipseRange(*g, start, end);
        if (end - start < kTwoPi - 1e-12) {
            return std::nullopt;
        }
        const double a = std::hypot(g->majorAxis.x, g->majorAxis.y), b = a * g->ratio;
        // The perimeter has no closed form; the fine flattening gives it.
        return AreaMeasure{kPi * a * b, chainMeasure(tessellateEllipse(*g, 0)).perimeter};
    }
    if (const auto* g = geomIf<PolylineGeom>(e)) {
        return polylineMeasure(*g);
    }
    if (const auto* g = geomIf<SplineGeom>(e)) {
        const std::vector<Point3> pts = tessellateSpline(*g, 0);
        const bool closes =
            pts.size() > 2 && pts.front().x == pts.back().x && pts.front().y == pts.back().y;
        if (!g->closed && !g->periodic && !closes) {
            return std::nullopt;
        }
        return chainMeasure(pts);
    }
    return std::nullopt;
}

std::string shownNumber(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", v == 0 ? 0.0 : v);
    return text;
}

}  // namespace brondel::engine
