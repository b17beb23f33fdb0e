#pragma once

#include <optional>

#include "engine/drawing.h"
#include "engine/geometry.h"

namespace brondel::engine {

// The running object snap modes, one bit each as the snap toolbar passes
// them.
namespace snap {
constexpr int kNode = 1;
constexpr int kEndpoint = 2;
constexpr int kMidpoint = 4;
constexpr int kCenter = 8;
constexpr int kNearest = 16;
constexpr int kIntersection = 32;
constexpr int kPerpendicular = 64;
constexpr int kTangent = 128;
constexpr int kGrip = 256;
}  // namespace snap

enum class SnapKind {
    Node,
    Endpoint,
    Midpoint,
    Center,
    Nearest,
    Intersection,
    Perpendicular,
    Tangent,
    Grip
};

// The kind's name as the user reads it beside the marker, e.g. "Endpoint".
const char* snapKindName(SnapKind kind);

struct SnapHit {
    Point2 point;
    SnapKind kind = SnapKind::Nearest;
    Handle entity = kNoHandle;
    bool operator==(const SnapHit&) const = default;
};

// The snap point for the cursor at `at` among the live entities whose
// geometry comes within `aperture` of it (found through the drawing's
// spatial index). Nodes, endpoints, midpoints, intersections, grips and,
// from the command's last point `from`, perpendicular feet and tangent
// points within the aperture win by distance; failing those, the centre of
// the nearest circle, arc or ellipse under the cursor; failing that, the
// nearest point on the nearest entity. Kinds not in `modes` are not offered.
std::optional<SnapHit> findSnap(const Drawing& drawing, Point2 at, double aperture, int modes,
                                std::optional<Point2> from = std::nullopt);

}  // namespace brondel::engine
