#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/entity.h"

// Areas, perimeters and lengths the Tools menu reports.
namespace brondel::engine {

struct AreaMeasure {
    double area = 0;  // enclosed, never negative
    double perimeter = 0;
};

// A polygon through the points, closed back to the first.
AreaMeasure measurePolygon(const std::vector<Point2>& points);
// A closed entity: a circle, a full ellipse, a closed polyline (bulges as
// their arcs; also one whose last vertex is its first) or a closed spline
// (by its flattening). Nothing for any other entity.
std::optional<AreaMeasure> measureClosed(const Entity& e);

// A length or coordinate as the command window shows it: up to 10
// significant digits, no trailing zeros.
std::string shownNumber(double v);

}  // namespace brondel::engine
