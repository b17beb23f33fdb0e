#include "coordfiles/path_jumps.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "engine/entity.h"

namespace brondel::coordfiles {

PathJumps lineJumps(const engine::Vecad& vecad, double within) {
    PathJumps jumps;
    bool haveLine = false;
    double lastX = 0, lastY = 0;
    for (const engine::Entity& e : vecad.drawing().entities()) {
        const auto* line = e.erased ? nullptr : engine::geomIf<engine::LineGeom>(e);
        if (!line) {
            continue;
        }
        if (haveLine) {
            const double d = std::hypot(line->p1.x - lastX, line->p1.y - lastY);
            if (d > within) {
                ++jumps.count;
                jumps.longest = std::max(jumps.longest, d);
            }
        }
        lastX = line->p2.x;
        lastY = line->p2.y;
        haveLine = true;
    }
    return jumps;
}

std::string jumpsText(const PathJumps& jumps) {
    if (jumps.count == 0) {
        return {};
    }
    return "Warning: the lines do not run end to end: the path jumps " +
           std::to_string(jumps.count) + (jumps.count == 1 ? " time" : " times") +
           ", the longest jump " + base::coordinateText(jumps.longest) +
           ". Reorganize Entities orders a drawing whose lines lie in any order.";
}

}  // namespace brondel::coordfiles
