#pragma once

#include <optional>

#include "engine/geometry.h"

namespace brondel::documents {

// Where a walk along the drawing's lines found no way on. The skin marks
// both points over the drawing; they are not entities of it.
struct DeadEnd {
    engine::Point2 at;
    std::optional<engine::Point2> nearest;  // nearest end of a line the walk never reached
    double gap = 0;                         // from at to nearest
    // A search radius that bridges the gap; none when the gap is too wide for
    // any (the walk never takes a line end that far away).
    std::optional<double> suggestedRadius;
};

}  // namespace brondel::documents
