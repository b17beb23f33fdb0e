#pragma once

#include <optional>
#include <string>

#include "engine/geometry.h"

// The directions the View 3D menu shows the drawing from. Each gives a view
// plane: a world point shows at (p . right, p . up), seen along the line of
// sight with nothing in front hiding anything behind (a wireframe).
namespace brondel::engine {

enum class ViewDirection {
    Top,
    Bottom,
    Left,
    Right,
    Front,
    Back,
    SouthWest,
    SouthEast,
    NorthEast,
    NorthWest
};

struct ViewAxes {
    Point3 right, up;  // unit vectors, at right angles
};

ViewAxes viewAxes(ViewDirection d);

inline Point2 projectOnto(const ViewAxes& a, const Point3& p) {
    return {p.x * a.right.x + p.y * a.right.y + p.z * a.right.z,
            p.x * a.up.x + p.y * a.up.y + p.z * a.up.z};
}

// The menu code that sets the direction (130 to 139), and back.
int viewDirectionCode(ViewDirection d);
std::optional<ViewDirection> viewDirectionOfCode(int code);

// "Top", "S.W. isometric", ...; and the direction a typed word names
// ("top", "sw", "s.w.", ... without regard to case).
std::string viewDirectionName(ViewDirection d);
std::optional<ViewDirection> viewDirectionNamed(const std::string& word);

}  // namespace brondel::engine
