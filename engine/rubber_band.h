#pragma once

#include <optional>

#include "engine/geometry.h"

namespace brondel::engine {

// The frame the view draws over the drawing while a command asks for a
// rectangle, in world coordinates. What a command would add is its
// preview, drawn as entities.
struct RubberBand {
    // Two opposite corners. A crossing rectangle (drawn dashed) selects what
    // it touches, a window rectangle what lies wholly inside it.
    struct Rectangle {
        Point2 corner1, corner2;
        bool crossing = false;
        bool operator==(const Rectangle&) const = default;
    };

    std::optional<Rectangle> rectangle;

    bool empty() const { return !rectangle; }
    bool operator==(const RubberBand&) const = default;
};

}  // namespace brondel::engine
