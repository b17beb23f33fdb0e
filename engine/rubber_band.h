#pragma once

#include <optional>
#include <vector>

#include "engine/geometry.h"

namespace brondel::engine {

// What the view draws over the drawing while an interactive command runs,
// in world coordinates.
struct RubberBand {
    struct Segment {
        Point2 a, b;
        bool operator==(const Segment&) const = default;
    };
    // Two opposite corners. A crossing rectangle (drawn dashed) selects what
    // it touches, a window rectangle what lies wholly inside it.
    struct Rectangle {
        Point2 corner1, corner2;
        bool crossing = false;
        bool operator==(const Rectangle&) const = default;
    };

    std::vector<Segment> segments;
    std::optional<Rectangle> rectangle;

    bool empty() const { return segments.empty() && !rectangle; }
    bool operator==(const RubberBand&) const = default;
};

}  // namespace brondel::engine
