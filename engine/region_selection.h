#pragma once

#include <vector>

#include "engine/drawing.h"

// Selections by shapes other than a rectangle. The spatial index gives the
// candidates; each is then tested on its exact line work (curves as arcs,
// ellipses and splines as their flattening, texts, solids and images by
// their outlines, hatches by their boundaries, block references and
// dimensions by their parts). Answers are live handles in drawing order.
namespace brondel::engine {

// What lies wholly inside the closed polygon, or with crossing also what
// meets its edges.
std::vector<Handle> inPolygon(const Drawing& d, const std::vector<Point2>& polygon, bool crossing);
// What the open polyline (the fence) crosses or touches.
std::vector<Handle> onFence(const Drawing& d, const std::vector<Point2>& fence);
// What lies wholly within the circle (its rim included).
std::vector<Handle> inCircle(const Drawing& d, Point2 center, double radius);

}  // namespace brondel::engine
