#include "coordfiles/path_jumps.h"

#include <cmath>

#include "base/numbers.h"
#include "engine/cad.h"
#include "engine/entity_type.h"

namespace brondel::coordfiles {

PathJumps lineJumps(const engine::Vecad& vecad, double within) {
    PathJumps jumps;
    bool haveLine = false;
    double lastX = 0, lastY = 0;
    for (engine::Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle;
         h = vecad.GetNextEntity(h)) {
        if (vecad.EntityGetType(h) != engine::code(engine::EntityType::Line)) {
            continue;
        }
        double x, y, z;
        engine::CadLineGetPoint1(h, x, y, z);
        if (haveLine) {
            const double d = std::hypot(x - lastX, y - lastY);
            if (d > within) {
                ++jumps.count;
                jumps.longest = std::max(jumps.longest, d);
            }
        }
        engine::CadLineGetPoint2(h, lastX, lastY, z);
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
