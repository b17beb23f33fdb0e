#pragma once

#include <vector>

#include "engine/entity.h"

// Join: lines, arcs and open polylines that meet end to end become one
// polyline per chain; collinear lines that overlap or touch become one line.
namespace brondel::engine {

struct JoinPlan {
    // Each made entity stands for the entities of its row in `from`; it
    // takes the first one's handle and properties.
    std::vector<Entity> made;
    std::vector<std::vector<Handle>> from;
    std::size_t ignored = 0;  // entities of kinds that do not join
};

// Ends closer than `tolerance` meet. An end where three or more meet ends
// its chains there. Near-linear: ends are matched through a hash of cells.
JoinPlan planJoin(const std::vector<const Entity*>& entities, double tolerance);

}  // namespace brondel::engine
