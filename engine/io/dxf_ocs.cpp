#include "engine/io/dxf_ocs.h"

#include <algorithm>
#include <cmath>

namespace brondel::engine::io {

namespace {

Point3 cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double length(const Point3& p) {
    return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
}

Point3 unit(const Point3& p) {
    return p * (1 / length(p));
}

}  // namespace

std::optional<Ocs> tiltedPlane(const std::vector<Vertex>& vertices) {
    Point3 n;  // Newell's normal
    double size = 0;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const Vertex& p = vertices[i];
        const Vertex& q = vertices[(i + 1) % vertices.size()];
        n.x += (p.y - q.y) * (p.z + q.z);
        n.y += (p.z - q.z) * (p.x + q.x);
        n.z += (p.x - q.x) * (p.y + q.y);
        size = std::max({size, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    }
    if (!(length(n) > 1e-12 * std::max(1.0, size * size))) {
        // Points on one line: of the planes through it, the one nearest
        // to the drawing plane.
        Point3 d;
        for (const Vertex& v : vertices) {
            const Point3 e{v.x - vertices.front().x, v.y - vertices.front().y,
                           v.z - vertices.front().z};
            d = length(e) > length(d) ? e : d;
        }
        d = unit(d);
        n = Point3{0, 0, 1} - d * d.z;
        if (!(length(n) > 1e-9)) {
            return std::nullopt;
        }
    }
    n = unit(n * (n.z < 0 ? -1.0 : 1.0));
    Ocs ocs;
    ocs.n = n;
    constexpr double kNearZ = 1.0 / 64;
    ocs.ax = unit(std::fabs(n.x) < kNearZ && std::fabs(n.y) < kNearZ ? cross({0, 1, 0}, n)
                                                                     : cross({0, 0, 1}, n));
    ocs.ay = cross(n, ocs.ax);
    const double elevation = ocs.of(vertices.front()).z;
    for (const Vertex& v : vertices) {
        if (std::fabs(ocs.of(v).z - elevation) > 1e-9 * std::max(1.0, size)) {
            return std::nullopt;
        }
    }
    return ocs;
}

}  // namespace brondel::engine::io
