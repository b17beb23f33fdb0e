#pragma once

#include <optional>
#include <vector>

#include "engine/entity.h"

namespace brondel::engine::io {

// The object coordinate system of a plane through the origin, by the
// arbitrary axis algorithm of DXF.
struct Ocs {
    Point3 ax, ay, n;
    Point3 of(const Vertex& v) const { return {dot(ax, v), dot(ay, v), dot(n, v)}; }
    static double dot(const Point3& a, const Vertex& v) {
        return a.x * v.x + a.y * v.y + a.z * v.z;
    }
};

// A 2-D polyline whose vertices lie at different heights was read from a
// plane tilted out of the drawing; DXF holds it in that plane's
// coordinates. The normal points up so that bulges keep their sense as
// seen from above. None when the vertices lie in no plane.
std::optional<Ocs> tiltedPlane(const std::vector<Vertex>& vertices);

}  // namespace brondel::engine::io
