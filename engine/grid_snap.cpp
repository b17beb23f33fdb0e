#include "engine/grid_snap.h"

#include <cmath>

namespace brondel::engine {

Point2 nearestGridPoint(Point2 p, double step) {
    return {std::round(p.x / step) * step, std::round(p.y / step) * step};
}

}  // namespace brondel::engine
